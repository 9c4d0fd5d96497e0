#include "core/frmrelogin.h"

#include "core/frmlogin.h"
#include "core/modmain.h"
#include "core/shell.h"
#include "platform/vbkeys.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmReLogin::frmReLogin(QWidget* parent)
    : FormBase(parent),
      txtUserNo(new QLineEdit(this)),
      txtUserPassWord(new QLineEdit(this)),
      cmdLogin(new QPushButton(QStringLiteral("确定(&L)"), this)),
      cmdExit(new QPushButton(QStringLiteral("退出(&E)"), this)),
      lbHint(new QLabel(QStringLiteral("输入正确的密码登陆系统"), this))
{
    setWindowTitle(QStringLiteral("更换用户"));
    txtUserNo->setObjectName(QStringLiteral("txtUserNo"));
    txtUserPassWord->setObjectName(QStringLiteral("txtUserPassWord"));
    cmdLogin->setObjectName(QStringLiteral("cmdLogin"));
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    lbHint->setObjectName(QStringLiteral("lbHint"));
    core::SetPasswordBox(txtUserPassWord);
    lbHint->setForegroundRole(QPalette::PlaceholderText);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("工 号："), txtUserNo);
    fields->addRow(QStringLiteral("密 码："), txtUserPassWord);
    fields->addRow(QString(), lbHint);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdLogin);
    buttons->addWidget(cmdExit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(14);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumWidth(340);

    connect(cmdLogin, &QPushButton::clicked, this, [this] { cmdLogin_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    vbkeys::onKeyPress(txtUserNo, [this](int& k) { txtUserNo_KeyPress(k); });
    vbkeys::onKeyPress(txtUserPassWord, [this](int& k) { txtUserPassWord_KeyPress(k); });
    txtUserNo->setFocus();
}

void frmReLogin::cmdLogin_Click()
{
    clsUser found;
    core::LoginCheck outcome;
    {
        platform::WaitCursor hourglass;
        outcome = core::CheckLogin(txtUserNo->text(), txtUserPassWord->text(), found);
    }
    if (outcome != core::LoginCheck::Accepted) {
        // The session user stays as it was.
        core::ShowLoginRefused(outcome, txtUserNo, txtUserPassWord);
        return;
    }
    gUser = found;
    accept();
    shell::followPermissions();
}

void frmReLogin::cmdExit_Click() { reject(); }

void frmReLogin::txtUserNo_KeyPress(int& KeyAscii) { core::EnterToTab(KeyAscii); }

void frmReLogin::txtUserPassWord_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdLogin_Click();
    }
}
