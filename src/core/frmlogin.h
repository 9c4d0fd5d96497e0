#pragma once
// The login window, shown before anything else. A successful login fixes the
// session's user, shop and rules and opens the main window.

#include "core/rules/clsuser.h"
#include "platform/formbase.h"

class QLabel;
class QLineEdit;
class QPushButton;

class frmLogin : public FormBase {
    Q_OBJECT
public:
    explicit frmLogin(QWidget* parent = nullptr);
    ~frmLogin() override;

    QLabel* Image1;  // the banner
    QLabel* Image2;  // the lock beside the boxes
    QLineEdit* txtUserNo;
    QLineEdit* txtUserPassWord;
    QPushButton* cmdLogin;
    QPushButton* cmdExit;
    QLabel* lbHint;

    void cmdLogin_Click();
    void cmdExit_Click();
    void txtUserNo_KeyPress(int& KeyAscii);
    void txtUserPassWord_KeyPress(int& KeyAscii);

private:
    void LoadCurrentShop();
};

namespace core {
// What a typed number and password come to, shared by the login and the user
// switch. The user is looked up into found, never into the session user, so a
// refused attempt leaves the session as it was. A failed read shows its
// messages and counts as no such user.
enum class LoginCheck { Accepted, WrongPassword, NoSuchUser };
LoginCheck CheckLogin(const QString& no, const QString& password, clsUser& found);

// The window's answer to a refused attempt: the message, then the focus where
// the clerk types again; the password box is cleared either way.
void ShowLoginRefused(LoginCheck outcome, QLineEdit* txtUserNo, QLineEdit* txtUserPassWord);

// A password box: one asterisk for each character typed.
void SetPasswordBox(QLineEdit* box);
}  // namespace core
