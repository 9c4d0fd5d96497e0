#pragma once
// The backup setting: where the copy of the database made on exit goes, under
// which name, and whether it is made at all (the one row of FileSave).

#include "platform/formbase.h"

class DirListBox;
class DriveListBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class frmBackup : public FormBase {
    Q_OBJECT
public:
    explicit frmBackup(QWidget* parent = nullptr);

    DriveListBox* Drive;
    DirListBox* Dir;
    QLineEdit* txtFilePath;
    QLineEdit* txtFileName;
    QComboBox* comFile;
    QCheckBox* IsSave;
    QPushButton* cmdSave;

    void Form_Load();
    void Drive_Change();
    void Dir_Change();
    void cmdSave_Click();

private:
    void LoadBackupSettings();
};
