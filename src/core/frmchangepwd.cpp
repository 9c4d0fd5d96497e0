#include "core/frmchangepwd.h"

#include "core/frmlogin.h"
#include "core/modmain.h"
#include "core/rules/users.h"
#include "platform/base/services.h"
#include "platform/vbkeys.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmChangePwd::frmChangePwd(QWidget* parent)
    : FormBase(parent),
      Frame1(new QGroupBox(QStringLiteral("密码设置"), this)),
      txtOldPwd(new QLineEdit(Frame1)),
      txtNewPwd(new QLineEdit(Frame1)),
      txtRepeatPwd(new QLineEdit(Frame1)),
      lbHint(new QLabel(QStringLiteral("请保证两次输入的密码保持一致"), Frame1)),
      cmdOk(new QPushButton(QStringLiteral("确定(&O)"), this))
{
    setWindowTitle(QStringLiteral("修改密码"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    txtOldPwd->setObjectName(QStringLiteral("txtOldPwd"));
    txtNewPwd->setObjectName(QStringLiteral("txtNewPwd"));
    txtRepeatPwd->setObjectName(QStringLiteral("txtRepeatPwd"));
    lbHint->setObjectName(QStringLiteral("lbHint"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    for (QLineEdit* box : {txtOldPwd, txtNewPwd, txtRepeatPwd})
        core::SetPasswordBox(box);
    lbHint->setForegroundRole(QPalette::PlaceholderText);

    auto* grid = new QGridLayout(Frame1);
    grid->setContentsMargins(16, 14, 16, 14);
    grid->setVerticalSpacing(10);
    grid->addWidget(new QLabel(QStringLiteral("旧密码："), Frame1), 0, 0);
    grid->addWidget(txtOldPwd, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("新密码："), Frame1), 1, 0);
    grid->addWidget(txtNewPwd, 1, 1);
    grid->addWidget(txtRepeatPwd, 2, 1);
    grid->addWidget(lbHint, 3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->addWidget(Frame1);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    vbkeys::onKeyPress(txtOldPwd, [this](int& k) { txtOldPwd_KeyPress(k); });
    vbkeys::onKeyPress(txtNewPwd, [this](int& k) { txtNewPwd_KeyPress(k); });
    vbkeys::onKeyPress(txtRepeatPwd, [this](int& k) { txtRepeatPwd_KeyPress(k); });
    txtOldPwd->setFocus();
}

void frmChangePwd::cmdOk_Click()
{
    if (txtOldPwd->text() != gUser.PassWord) {
        ui::msg().info(QStringLiteral("旧密码不正确！"), ui::kTitleTip);
        txtOldPwd->clear();
        txtOldPwd->setFocus();
        return;
    }
    if (txtNewPwd->text() != txtRepeatPwd->text()) {
        ui::msg().info(QStringLiteral("两次输入的密码不一致！"), ui::kTitleTip);
        txtNewPwd->clear();
        txtRepeatPwd->clear();
        txtNewPwd->setFocus();
        return;
    }
    const QString newPwd = txtNewPwd->text();
    if (!core::Written(core::ChangePassword(gUser.No, newPwd))) {
        // The stored password is still the old one, and so is the session's: the
        // old password stays the one to type, here and at the next login.
        ui::msg().exclaim(core::kReadFailed, ui::kTitleTip);
        return;
    }
    gUser.PassWord = newPwd;
    ui::msg().exclaim(QStringLiteral("修改成功！"), ui::kTitleTip);
    accept();
}

void frmChangePwd::txtOldPwd_KeyPress(int& KeyAscii) { core::EnterToTab(KeyAscii); }

void frmChangePwd::txtNewPwd_KeyPress(int& KeyAscii) { core::EnterToTab(KeyAscii); }

void frmChangePwd::txtRepeatPwd_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdOk_Click();
    }
}
