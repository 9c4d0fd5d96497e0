#include "core/frmlogin.h"

#include "core/modmain.h"
#include "core/rules/schema.h"
#include "core/shell.h"
#include "platform/base/services.h"
#include "platform/vbkeys.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

static void initCoreResources() { Q_INIT_RESOURCE(core); }

core::LoginCheck core::CheckLogin(const QString& no, const QString& password, clsUser& found)
{
    // A failed look-up counts as no such user once its messages are shown; a
    // role that could not be read leaves the user without permissions.
    const core::Loaded user = found.Initial(no);
    core::Readable(user);
    if (!user)
        return core::LoginCheck::NoSuchUser;
    // Exact comparison: letter case counts.
    return found.PassWord == password ? core::LoginCheck::Accepted : core::LoginCheck::WrongPassword;
}

void core::ShowLoginRefused(core::LoginCheck outcome, QLineEdit* txtUserNo, QLineEdit* txtUserPassWord)
{
    if (outcome == core::LoginCheck::WrongPassword) {
        ui::msg().info(QStringLiteral("密码错误！"), ui::kTitleTip);
        txtUserPassWord->setFocus();
        txtUserPassWord->clear();
    } else {
        ui::msg().info(QStringLiteral("该用户不存在！"), ui::kTitleTip);
        txtUserNo->setFocus();
        txtUserNo->selectAll();
        txtUserPassWord->clear();
    }
}

void core::SetPasswordBox(QLineEdit* box)
{
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
}

frmLogin::frmLogin(QWidget* parent)
    : FormBase(parent),
      Image1(new QLabel(this)),
      Image2(new QLabel(this)),
      txtUserNo(new QLineEdit(this)),
      txtUserPassWord(new QLineEdit(this)),
      cmdLogin(new QPushButton(QStringLiteral("登 陆(&L)"), this)),
      cmdExit(new QPushButton(QStringLiteral("退 出(&E)"), this)),
      lbHint(new QLabel(QStringLiteral("输入正确的密码登陆系统"), this))
{
    initCoreResources();
    setWindowTitle(QStringLiteral("系统登陆"));
    Image1->setObjectName(QStringLiteral("Image1"));
    Image2->setObjectName(QStringLiteral("Image2"));
    txtUserNo->setObjectName(QStringLiteral("txtUserNo"));
    txtUserPassWord->setObjectName(QStringLiteral("txtUserPassWord"));
    cmdLogin->setObjectName(QStringLiteral("cmdLogin"));
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    lbHint->setObjectName(QStringLiteral("lbHint"));

    Image1->setPixmap(QPixmap(QStringLiteral(":/core/images/login_banner.png")));
    Image1->setAlignment(Qt::AlignCenter);
    Image2->setPixmap(QPixmap(QStringLiteral(":/core/images/login_lock.png")));
    Image2->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    core::SetPasswordBox(txtUserPassWord);
    lbHint->setForegroundRole(QPalette::PlaceholderText);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("工 号："), txtUserNo);
    fields->addRow(QStringLiteral("密 码："), txtUserPassWord);
    fields->addRow(QString(), lbHint);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(24, 18, 24, 6);
    middle->setSpacing(18);
    middle->addWidget(Image2);
    middle->addLayout(fields, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(24, 6, 24, 18);
    buttons->addStretch(1);
    buttons->addWidget(cmdLogin);
    buttons->addWidget(cmdExit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Image1);
    layout->addLayout(middle);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));

    connect(cmdLogin, &QPushButton::clicked, this, [this] { cmdLogin_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    vbkeys::onKeyPress(txtUserNo, [this](int& k) { txtUserNo_KeyPress(k); });
    vbkeys::onKeyPress(txtUserPassWord, [this](int& k) { txtUserPassWord_KeyPress(k); });
    txtUserNo->setFocus();

    shell::attachSkin(this);
}

frmLogin::~frmLogin() { shell::detachSkin(this); }

void frmLogin::LoadCurrentShop()
{
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(QStringLiteral("select * from Shop"), isErr);
    if (isErr || rs.eof())
        return;
    gShopNo = rs.fieldText(QStringLiteral("GUID"));
    gShopName = rs.fieldText(QStringLiteral("ShopName"));
}

void frmLogin::cmdLogin_Click()
{
    if (!cmdLogin->isEnabled())
        return;
    clsUser found;
    core::LoginCheck outcome;
    {
        platform::WaitCursor hourglass;
        LoadCurrentShop();
        outcome = core::CheckLogin(txtUserNo->text(), txtUserPassWord->text(), found);
    }
    if (outcome == core::LoginCheck::Accepted) {
        gUser = found;
        core::Readable(gSellRole.Initial(schema::kShopKey));
        accept();
        shell::openMainWindow();
        return;
    }
    cmdLogin->setEnabled(false);
    core::ShowLoginRefused(outcome, txtUserNo, txtUserPassWord);
    cmdLogin->setEnabled(true);
}

void frmLogin::cmdExit_Click() { reject(); }

void frmLogin::txtUserNo_KeyPress(int& KeyAscii) { core::EnterToTab(KeyAscii); }

void frmLogin::txtUserPassWord_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdLogin_Click();
    }
}
