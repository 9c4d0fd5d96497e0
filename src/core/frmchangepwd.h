#pragma once
// The password change of the session user.

#include "platform/formbase.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmChangePwd : public FormBase {
    Q_OBJECT
public:
    explicit frmChangePwd(QWidget* parent = nullptr);

    QGroupBox* Frame1;
    QLineEdit* txtOldPwd;
    QLineEdit* txtNewPwd;
    QLineEdit* txtRepeatPwd;
    QLabel* lbHint;
    QPushButton* cmdOk;

    void cmdOk_Click();
    void txtOldPwd_KeyPress(int& KeyAscii);
    void txtNewPwd_KeyPress(int& KeyAscii);
    void txtRepeatPwd_KeyPress(int& KeyAscii);
};
