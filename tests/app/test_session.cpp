// The session as the main window follows it: the login opens the main window,
// a user switch changes its permissions at once.
#include "app/frmmain.h"
#include "app/startup.h"
#include "core/frmlogin.h"
#include "core/frmrelogin.h"
#include "core/shell.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

namespace {

class Session : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        staff::addCashierAndGuest();
        app::InstallMainWindow();
    }
    void TearDown() override
    {
        delete frmMain::current();
        shell::install({});
        ShopFixture::TearDown();
    }
};
using staff::kRefusals;
using staff::Refusal;
using staff::typeAndEnter;

}  // namespace

TEST_F(Session, StartUpLogsInAndOpensTheMainWindow)
{
    sql("Update Shop Set ShopName='步行街店'");
    fakes->modal.on<frmLogin>([](frmLogin* w) {
        staff::showActive(w);
        typeAndEnter(w, "c01", "Sale'1");
        return w->result();
    });
    ASSERT_TRUE(core::Main());
    frmMain* main = frmMain::current();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(main->windowTitle(), "VeloraTessaro-步行街店");
    EXPECT_TRUE(main->SellOut->isEnabled());
    EXPECT_FALSE(main->BuyIn->isEnabled());
}

TEST_F(Session, ClosedLoginOpensNothing)
{
    fakes->modal.on<frmLogin>([](frmLogin* w) {
        w->cmdExit->click();
        return w->result();
    });
    ASSERT_TRUE(core::Main());
    EXPECT_EQ(frmMain::current(), nullptr);
}

TEST_F(Session, SwitchFollowsTheNewRoleAndKeepsShopAndRules)
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

TEST_F(Session, RefusedSwitchKeepsThePreviousUser)
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

