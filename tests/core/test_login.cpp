// The login, the user switch and the password change, driven as a clerk would.
#include "core/frmchangepwd.h"
#include "core/frmlogin.h"
#include "core/frmmain.h"
#include "core/frmrelogin.h"
#include "staff.h"
#include "support/shopfixture.h"

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
    }
    void TearDown() override
    {
        delete frmMain::current();
        ShopFixture::TearDown();
    }
    // Types into the window's boxes and presses Enter in the password box.
    template <typename Window>
    static void typeAndEnter(Window* w, const QString& no, const QString& pwd)
    {
        w->txtUserNo->clear();
        w->txtUserNo->setFocus();
        QTest::keyClicks(w->txtUserNo, no);
        QTest::keyClick(w->txtUserNo, Qt::Key_Return);
        EXPECT_TRUE(w->txtUserPassWord->hasFocus()) << "Enter in the number box moves on";
        QTest::keyClicks(w->txtUserPassWord, pwd);
        QTest::keyClick(w->txtUserPassWord, Qt::Key_Return);
    }
};

struct Refusal {
    const char* no;
    const char* pwd;
    const char* message;
    bool focusOnNumber;  // otherwise on the password box
};
const Refusal kRefusals[] = {
    {"c01", "wrong", "密码错误！", false},
    {"c01", "sale'1", "密码错误！", false},  // letter case counts
    {"C01", "SALE'1", "密码错误！", false},  // the number is found in any case, the password is not
    {"c01", "", "密码错误！", false},
    {"nobody", "Sale'1", "该用户不存在！", true},
    {"c01' or '1'='1", "x", "该用户不存在！", true},
    {"", "", "该用户不存在！", true},
};

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
        EXPECT_EQ(frmMain::current(), nullptr);
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
    ASSERT_TRUE(Main());
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmLogin"}));
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(gUser.No, "c01");
    EXPECT_EQ(gUser.Name, "李收银");
    EXPECT_EQ(gShopNo, schema::kShopKey);
    EXPECT_EQ(gShopName, "步行街店");
    EXPECT_EQ(gSellRole.ShopNo, schema::kShopKey);
    EXPECT_EQ(gSellRole.BackDays, 7);
    frmMain* main = frmMain::current();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(main->windowTitle(), "VeloraTessaro-步行街店");
    EXPECT_TRUE(main->SellOut->isEnabled());
    EXPECT_FALSE(main->BuyIn->isEnabled());
}

TEST_F(Login, ClosedLoginOpensNothing)
{
    fakes->modal.on<frmLogin>([](frmLogin* w) {
        w->cmdExit->click();
        return w->result();
    });
    ASSERT_TRUE(Main());
    EXPECT_EQ(frmMain::current(), nullptr);
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Login, SwitchFollowsTheNewRoleAndKeepsShopAndRules)
{
    frmMain main;
    EXPECT_TRUE(main.BuyIn->isEnabled());
    // Rules and shop name as changed in memory during the session.
    gSellRole.BackDays = 30;
    gShopName = QStringLiteral("改名后的店");
    const QString caption = main.windowTitle();

    int result = -1;
    fakes->modal.on<frmReLogin>([&result](frmReLogin* w) {
        staff::showActive(w);
        typeAndEnter(w, "c01", "Sale'1");
        result = w->result();
        return result;
    });
    main.ReLogin->trigger();
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmReLogin"}));
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(gUser.No, "c01");
    EXPECT_EQ(gUser.Role->GUID, staff::kCashierRole);
    // At once, without reopening anything.
    EXPECT_FALSE(main.BuyIn->isEnabled());
    EXPECT_FALSE(main.UserManage->isEnabled());
    EXPECT_TRUE(main.SellOut->isEnabled());
    EXPECT_TRUE(main.StoreQuery->isEnabled());
    EXPECT_FALSE(main.Buttons("BuyIn")->isEnabled());
    EXPECT_TRUE(main.Buttons("SellOut")->isEnabled());
    EXPECT_TRUE(main.Buttons("StoreQuery")->isEnabled());
    EXPECT_EQ(main.windowTitle(), caption);
    EXPECT_EQ(gSellRole.BackDays, 30);
    EXPECT_EQ(gShopName, "改名后的店");
    EXPECT_EQ(gShopNo, schema::kShopKey);

    // And back to a role with every flag.
    fakes->modal.on<frmReLogin>([](frmReLogin* w) {
        staff::showActive(w);
        typeAndEnter(w, "admin", "admin");
        return w->result();
    });
    main.ReLogin->trigger();
    EXPECT_TRUE(main.BuyIn->isEnabled());
    EXPECT_TRUE(main.Buttons("BuyIn")->isEnabled());
}

TEST_F(Login, RefusedSwitchKeepsThePreviousUser)
{
    frmMain main;
    for (const Refusal& r : kRefusals) {
        SCOPED_TRACE(std::string(r.no) + " / " + r.pwd);
        messages().clear();
        fakes->modal.on<frmReLogin>([&r](frmReLogin* w) {
            staff::showActive(w);
            typeAndEnter(w, r.no, r.pwd);
            EXPECT_TRUE(w->txtUserPassWord->text().isEmpty());
            EXPECT_EQ(r.focusOnNumber ? w->txtUserNo : w->txtUserPassWord, QApplication::focusWidget());
            EXPECT_TRUE(w->isVisible()) << "a refused switch keeps the window open";
            // The clerk gives up.
            w->cmdExit->click();
            return w->result();
        });
        main.ReLogin->trigger();
        EXPECT_EQ(messages().texts(), QStringList({r.message}));
        EXPECT_EQ(gUser.No, "admin");
        EXPECT_EQ(gUser.Name, "管理员");
        EXPECT_EQ(gUser.PassWord, "admin");
        EXPECT_EQ(gUser.Role->GUID, schema::kAdminRoleKey);
        EXPECT_TRUE(main.BuyIn->isEnabled());
        EXPECT_TRUE(main.Buttons("BuyIn")->isEnabled());
    }
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
    EXPECT_NE(frmMain::current(), nullptr);
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
