// The login, the user switch and the password change, driven as a clerk would.
#include "core/frmchangepwd.h"
#include "core/frmlogin.h"
#include "core/shell.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class Login : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        staff::addCashierAndGuest();
        // The main window above the core, as far as the login sees it.
        shell::install({[this] { ++mainWindowsOpened; }, [] {}, {}});
    }
    void TearDown() override
    {
        shell::install({});
        ShopFixture::TearDown();
    }
    int mainWindowsOpened = 0;
};
using staff::kRefusals;
using staff::Refusal;
using staff::typeAndEnter;

}  // namespace

TEST_F(Login, RefusedAttemptsLeaveTheSessionAsItWas)
{
    frmLogin w;
    staff::showActive(&w);
    for (const Refusal& r : kRefusals) {
        SCOPED_TRACE(std::string(r.no) + " / " + r.pwd);
        messages().clear();
        typeAndEnter(&w, r.no, r.pwd);
        ASSERT_EQ(messages().shown().size(), 1);
        EXPECT_EQ(messages().last().text, r.message);
        EXPECT_EQ(messages().last().title, "提示");
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_TRUE(w.txtUserPassWord->text().isEmpty());
        EXPECT_TRUE(w.cmdLogin->isEnabled());
        if (r.focusOnNumber) {
            EXPECT_TRUE(w.txtUserNo->hasFocus());
            EXPECT_EQ(w.txtUserNo->selectedText(), w.txtUserNo->text());
        } else {
            EXPECT_TRUE(w.txtUserPassWord->hasFocus());
        }
        // The administrator of the fixture is still the session user, in full.
        EXPECT_EQ(gUser.No, "admin");
        EXPECT_EQ(gUser.PassWord, "admin");
        EXPECT_EQ(gUser.Role->GUID, schema::kAdminRoleKey);
        EXPECT_TRUE(gUser.Role->BuyIn);
        EXPECT_EQ(mainWindowsOpened, 0);
        EXPECT_TRUE(w.isVisible());
    }
    EXPECT_EQ(w.txtUserPassWord->echoMode(), QLineEdit::Password);
}

TEST_F(Login, StartUpLogsInAndOpensTheMainWindow)
{
    // Main connects afresh, shows the login, and the login fixes shop and rules.
    sql("Update Shop Set ShopName='步行街店'");
    sql("Update SellRole Set BackDays=7");
    gShopNo.clear();
    gShopName.clear();
    fakes->modal.on<frmLogin>([](frmLogin* w) {
        staff::showActive(w);
        typeAndEnter(w, "c01", "Sale'1");
        return w->result();
    });
    ASSERT_TRUE(core::Main());
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmLogin"}));
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(gUser.No, "c01");
    EXPECT_EQ(gUser.Name, "李收银");
    EXPECT_EQ(gShopNo, schema::kShopKey);
    EXPECT_EQ(gShopName, "步行街店");
    EXPECT_EQ(gSellRole.ShopNo, schema::kShopKey);
    EXPECT_EQ(gSellRole.BackDays, 7);
    EXPECT_EQ(gUser.Role->GUID, staff::kCashierRole);
    EXPECT_EQ(mainWindowsOpened, 1);
}

// A record the login cannot read shows the engine's words and then the read
// failure, once each; a user who is not there is refused, and one whose role or
// shop rules are unreadable logs in with none.
TEST_F(Login, AnUnreadableRecordIsShownOnceAndTheLoginGoesOnWithout)
{
    const struct {
        const char* table;
        QStringList after;  // what follows the engine's words and the read failure
        bool loggedIn;
    } cases[] = {
        {"[User]", {"该用户不存在！"}, false},
        {"Role", {}, true},
        {"SellRole", {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        gUser.Initial("admin");
        mainWindowsOpened = 0;
        messages().clear();
        frmLogin w;
        staff::showActive(&w);
        sql(QString("Alter Table %1 Rename To Kept").arg(c.table));
        typeAndEnter(&w, "c01", "Sale'1");
        sql(QString("Alter Table Kept Rename To %1").arg(c.table));
        const QStringList shown = messages().texts();
        ASSERT_EQ(shown.size(), 2 + c.after.size()) << shown.join(" / ").toStdString();
        EXPECT_TRUE(shown[0].contains("no such table")) << shown[0].toStdString();
        EXPECT_EQ(shown[1], "读取数据库出现异常！请检查网络，重新启动程序");
        EXPECT_EQ(shown.mid(2), c.after);
        EXPECT_EQ(mainWindowsOpened, c.loggedIn ? 1 : 0);
        EXPECT_EQ(gUser.No, c.loggedIn ? "c01" : "admin");
        EXPECT_EQ(gUser.Role->Sell, c.loggedIn ? std::string(c.table) != "Role" : true);
    }
}

TEST_F(Login, ClosedLoginOpensNothing)
{
    fakes->modal.on<frmLogin>([](frmLogin* w) {
        w->cmdExit->click();
        return w->result();
    });
    ASSERT_TRUE(core::Main());
    EXPECT_EQ(mainWindowsOpened, 0);
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Login, PasswordChangeChecksInOrder)
{
    struct Case {
        const char* oldPwd;
        const char* newPwd;
        const char* repeat;
        const char* message;
        const char* focus;       // the box that takes the focus
        const char* emptyBoxes;  // boxes cleared, by letter: o(ld), n(ew), r(epeat)
    };
    const Case cases[] = {
        {"wrong", "x", "y", "旧密码不正确！", "txtOldPwd", "o"},  // the old one is checked first
        {"Admin", "x", "x", "旧密码不正确！", "txtOldPwd", "o"},
        {"", "x", "x", "旧密码不正确！", "txtOldPwd", "o"},
        {"admin", "new1", "new2", "两次输入的密码不一致！", "txtNewPwd", "nr"},
        {"admin", "New", "new", "两次输入的密码不一致！", "txtNewPwd", "nr"},
        {"admin", "", "x", "两次输入的密码不一致！", "txtNewPwd", "nr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.oldPwd) + " " + c.newPwd + " " + c.repeat);
        messages().clear();
        frmChangePwd w;
        staff::showActive(&w);
        w.txtOldPwd->setText(c.oldPwd);
        w.txtNewPwd->setText(c.newPwd);
        w.txtRepeatPwd->setText(c.repeat);
        w.cmdOk->click();
        ASSERT_EQ(messages().shown().size(), 1);
        EXPECT_EQ(messages().last().text, c.message);
        EXPECT_EQ(messages().last().title, "提示");
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), c.focus);
        const QString cleared = c.emptyBoxes;
        EXPECT_EQ(w.txtOldPwd->text().isEmpty(), cleared.contains('o') || !*c.oldPwd);
        EXPECT_EQ(w.txtNewPwd->text().isEmpty(), cleared.contains('n') || !*c.newPwd);
        EXPECT_EQ(w.txtRepeatPwd->text().isEmpty(), cleared.contains('r') || !*c.repeat);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(gUser.PassWord, "admin");
        EXPECT_EQ(scalar("select pwd from [User] Where [No]='admin'"), "admin");
    }
}

TEST_F(Login, NewPasswordWithAQuoteWorksAtTheNextLogin)
{
    frmChangePwd w;
    staff::showActive(&w);
    w.txtOldPwd->setFocus();
    for (QLineEdit* box : {w.txtOldPwd, w.txtNewPwd, w.txtRepeatPwd}) {
        ASSERT_TRUE(box->hasFocus()) << box->objectName().toStdString();
        QTest::keyClicks(box, box == w.txtOldPwd ? QString("admin") : QString("it's"));
        QTest::keyClick(box, Qt::Key_Return);  // on to the next; in the last, the command
    }
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(messages().last().text, "修改成功！");
    EXPECT_EQ(messages().last().title, "提示");
    EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(gUser.PassWord, "it's");
    EXPECT_EQ(scalar("select pwd from [User] Where [No]='admin'"), "it's");
    // Nobody else's password moved.
    EXPECT_EQ(scalar("select pwd from [User] Where [No]='c01'"), "Sale'1");

    messages().clear();
    frmLogin login;
    staff::showActive(&login);
    typeAndEnter(&login, "admin", "admin");
    EXPECT_EQ(messages().texts(), QStringList({"密码错误！"}));
    typeAndEnter(&login, "admin", "it's");
    EXPECT_EQ(messages().texts(), QStringList({"密码错误！"}));
    EXPECT_EQ(mainWindowsOpened, 1);
    EXPECT_EQ(gUser.No, "admin");
}

TEST_F(Login, EmptyNewPasswordIsAccepted)
{
    frmChangePwd w;
    w.txtOldPwd->setText("admin");
    w.cmdOk->click();
    EXPECT_EQ(messages().texts(), QStringList({"修改成功！"}));
    EXPECT_EQ(scalar("select pwd from [User] Where [No]='admin'"), "");
    EXPECT_TRUE(gUser.PassWord.isEmpty());
}

TEST_F(Login, FailedPasswordStoreKeepsTheOldPassword)
{
    sql("drop table [User]");
    frmChangePwd w;
    w.txtOldPwd->setText("admin");
    w.txtNewPwd->setText("new");
    w.txtRepeatPwd->setText("new");
    w.cmdOk->click();
    ASSERT_FALSE(messages().shown().isEmpty());
    EXPECT_EQ(messages().last().text, "读取数据库出现异常！请检查网络，重新启动程序");
    EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
    EXPECT_NE(w.result(), QDialog::Accepted);
    // Nothing was stored, so the session still asks for the old password.
    EXPECT_EQ(gUser.PassWord, "admin");
}
