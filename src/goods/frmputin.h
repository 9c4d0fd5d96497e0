#pragma once
// "数据导入": receives a supplier's purchase list from a spreadsheet workbook.
// Each data row of the first worksheet is one goods number and colour; a block
// of size columns holds the pieces received in each size, under a row of size
// captions. Every cell of the block with pieces in it becomes one receipt (a new
// stock row, its receipt line and its batch), and the whole list is received in
// one transaction: all of it or nothing.

#include "platform/formbase.h"
#include "platform/base/workbook.h"

#include <optional>

class QDateEdit;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

class frmPutIn : public FormBase {
    Q_OBJECT
public:
    explicit frmPutIn(QWidget* parent = nullptr);

    QGroupBox* fraSetting;  // "设 置"
    QLineEdit* txtBeginRow;
    QLineEdit* txtEndrow;
    QLineEdit* txtColourRow;  // the row of the size captions
    QLineEdit* txtSizeBCol;
    QLineEdit* txtSizeECol;
    QLineEdit* txtTypeNoCol;
    QLineEdit* txtBrandCol;
    QLineEdit* txtNameCol;
    QLineEdit* txtColourCol;
    QLineEdit* txtLeatherCol;
    QLineEdit* txtLevelCol;
    QLineEdit* txtProductCol;
    QLineEdit* txtPriceCol;
    QLineEdit* txtSellPriceCol;
    QLineEdit* txtFileName;
    QPushButton* cmdSelect;
    QPushButton* cmdPutIn;
    QDateEdit* DT;
    QProgressBar* ProgressBar;

    void cmdSelect_Click();
    void cmdPutIn_Click();

private:
    void Form_Load();
    // The first worksheet of the chosen workbook, from its choice until it has
    // been imported; a rolled-back import keeps it for another try.
    std::optional<workbook::Sheet> sheet_;
};
