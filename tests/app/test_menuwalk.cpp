// Every menu item and toolbar button of the main window, walked as the
// administrator and as a role with every flag clear: each opens its window or
// does its own thing, and a guarded one only under its role flag.
#include "app/frmmain.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

struct Entry {
    const char* name;    // the menu item's object name, or the toolbar button's key
    const char* flag;    // the role flag that guards it; "" when always available
    const char* window;  // the window it opens; "" when it opens none
    const char* asked;   // the question it asks first (answered No), if any
    const char* shown;   // the message it shows, if any (no tool installed here)
};

const Entry kItems[] = {
    {"UserManage", "UserManage", "frmUser", "", ""},
    {"ChagePassWord", "", "frmChangePwd", "", ""},
    {"SellRole", "SellRole", "frmSellRole", "", ""},
    {"Colour", "", "frmDataDictionary", "", ""},
    {"Size", "", "frmDataDictionary", "", ""},
    {"Name", "", "frmDataDictionary", "", ""},
    {"Brand", "", "frmDataDictionary", "", ""},
    {"feather", "", "frmDataDictionary", "", ""},
    {"Grade", "", "frmDataDictionary", "", ""},
    {"Production", "", "frmDataDictionary", "", ""},
    {"BackResion", "", "frmDataDictionary", "", ""},
    {"ChangeResion", "", "frmDataDictionary", "", ""},
    {"BlankOutResion", "", "frmDataDictionary", "", ""},
    {"OtherItem", "", "frmDataDictionary", "", ""},
    {"ChangeShop", "ChangeShop", "frmChangeShop", "", ""},
    {"putin", "", "frmPutIn", "", ""},
    {"BackUpDate", "", "frmBackup", "", ""},
    {"ReStart", "ReStart", "", "如果重新开始了后 所有数据将丢失！慎重哦！", ""},
    {"ReLogin", "", "frmReLogin", "", ""},
    {"Exit", "", "", "确认要退出系统吗？", ""},
    {"BuyIn", "BuyIn", "frmBuyIn", "", ""},
    {"SellOut", "Sell", "frmSell", "", ""},
    {"ClientBackChange", "ClientChange", "frmClientBackChange", "", ""},
    {"ClientBack", "ClientBack", "frmClientBack", "", ""},
    {"Question", "Question", "frmQuestion", "", ""},
    {"CompanyBack", "FactoryBack", "frmFactoryBack", "", ""},
    {"BlankOut", "SellBlankOut", "frmBlankout", "", ""},
    {"ChangePrice", "ChangePrice", "frmChangePrice", "", ""},
    {"OtherOut", "OtherOut", "frmOtherOut", "", ""},
    {"StoreQuery", "StoreQuery", "frmStore", "", ""},
    {"SellQuery", "SellQuery", "frmSellQuery", "", ""},
    {"SellGroup", "SellGroup", "frmSellGroup", "", ""},
    {"BuyInDetail", "BuyDetail", "frmbuyInDetail", "", ""},
    {"ClientChangeQuery", "ClientChangeQuery", "frmBackChangeQuery", "", ""},
    {"Back", "FactoryBackQuery", "frmBackFactoryQuery", "", ""},
    {"BlankOutQuery", "BlankOutQuery", "frmBlankOutQuery", "", ""},
    {"OtherOutQuery", "OtherOurQuery", "frmOtherOutQuery", "", ""},
    {"DayAmount", "DayAmount", "frmDayAmount", "", ""},
    {"AmountTotal", "TotalAmount", "frmAmountTotal", "", ""},
    {"Profit", "Profit", "frmProfit", "", ""},
    {"Calculate", "", "", "", "该工具可能已被系统删除！"},
    {"Note", "", "", "", "该工具可能已被系统删除！"},
    {"About", "", "frmAbout", "", ""},
};

const Entry kButtons[] = {
    {"BuyIn", "BuyIn", "frmBuyIn", "", ""},
    {"SellOut", "Sell", "frmSell", "", ""},
    {"ClientBackChange", "ClientChange", "frmClientBackChange", "", ""},
    {"ClientBack", "ClientBack", "frmClientBack", "", ""},
    {"CompanyBack", "FactoryBack", "frmFactoryBack", "", ""},
    {"StoreQuery", "StoreQuery", "frmStore", "", ""},
    {"SellQuery", "SellQuery", "frmSellQuery", "", ""},
    {"ChangeShop", "ChangeShop", "frmChangeShop", "", ""},
    {"Calculate", "", "", "", "该工具可能已被系统删除！"},
    {"Note", "", "", "", "该工具可能已被系统删除！"},
    {"Exit", "", "", "确认要退出系统吗？", ""},
};

class MenuWalk : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        staff::addCashierAndGuest();
        fakes->modal.dismissAllOthers();
    }

    // Chooses the entry as a clerk would (a greyed one cannot be chosen) and
    // checks what follows.
    void walk(frmMain& w, const Entry& e, bool button, bool allowed)
    {
        SCOPED_TRACE(std::string(button ? "button " : "item ") + e.name + (allowed ? "" : " (not allowed)"));
        QAction* a = nullptr;
        if (button) {
            a = w.Buttons(QLatin1String(e.name));
        } else {
            for (QAction* found : w.menuBar()->findChildren<QAction*>(QLatin1String(e.name)))
                if (!found->isSeparator() && found->parent() != w.Toolbar)
                    a = found;
        }
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->isEnabled(), allowed);
        messages().clear();
        const qsizetype before = fakes->modal.opened().size();
        if (allowed && *e.asked)
            messages().answerNo();
        if (button) {
            auto* b = qobject_cast<QToolButton*>(w.Toolbar->widgetForAction(a));
            ASSERT_NE(b, nullptr);
            b->click();
        } else {
            a->trigger();
        }
        const QStringList opened = fakes->modal.opened().mid(before);
        QStringList texts;
        if (allowed) {
            if (*e.window)
                EXPECT_EQ(opened, QStringList({e.window}));
            else
                EXPECT_TRUE(opened.isEmpty());
            if (*e.asked)
                texts << e.asked;
            if (*e.shown)
                texts << e.shown;
        } else {
            EXPECT_TRUE(opened.isEmpty());
        }
        EXPECT_EQ(messages().texts(), texts);
        EXPECT_TRUE(w.isVisible()) << "the session goes on";
    }
};

}  // namespace

TEST_F(MenuWalk, AsTheAdministratorEveryEntryOpensItsWindow)
{
    frmMain w;
    staff::showActive(&w);
    // Every menu item of the window is in the table, and every button.
    int items = 0;
    for (QAction* m : w.menuBar()->actions())
        for (QAction* a : m->menu()->actions())
            items += a->isSeparator() ? 0 : (a->menu() ? int(a->menu()->actions().size()) : 1);
    EXPECT_EQ(items, int(std::size(kItems)));
    EXPECT_EQ(w.Toolbar->actions().size(), qsizetype(std::size(kButtons)));

    for (const Entry& e : kItems)
        walk(w, e, false, true);
    for (const Entry& e : kButtons)
        walk(w, e, true, true);
    EXPECT_EQ(scalar("select count(*) from [User]"), "3") << "nothing was wiped";
}

TEST_F(MenuWalk, WithEveryFlagClearOnlyTheEverydayEntriesWork)
{
    ASSERT_TRUE(gUser.Initial("g01"));
    frmMain w;
    staff::showActive(&w);
    for (const Entry& e : kItems)
        walk(w, e, false, !*e.flag);
    for (const Entry& e : kButtons)
        walk(w, e, true, !*e.flag);
}
