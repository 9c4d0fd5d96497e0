#pragma once
// The user switch: another user takes over the running session; the shop and
// its rules stay as the login fixed them.

#include "platform/formbase.h"

class QLabel;
class QLineEdit;
class QPushButton;

class frmReLogin : public FormBase {
    Q_OBJECT
public:
    explicit frmReLogin(QWidget* parent = nullptr);

    QLineEdit* txtUserNo;
    QLineEdit* txtUserPassWord;
    QPushButton* cmdLogin;
    QPushButton* cmdExit;
    QLabel* lbHint;

    void cmdLogin_Click();
    void cmdExit_Click();
    void txtUserNo_KeyPress(int& KeyAscii);
    void txtUserPassWord_KeyPress(int& KeyAscii);
};
