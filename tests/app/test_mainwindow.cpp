// The main window: its menus and toolbar, the role permissions, the tools.
#include "aftersales/frmclientback.h"
#include "aftersales/frmclientbackchange.h"
#include "aftersales/frmfactoryback.h"
#include "aftersales/frmquestion.h"
#include "app/frmmain.h"
#include "app/startup.h"
#include "core/frmabout.h"
#include "core/frmchangepwd.h"
#include "core/frmchangeshop.h"
#include "core/frmdatadictionary.h"
#include "core/frmlogin.h"
#include "core/frmrelogin.h"
#include "core/frmrole.h"
#include "core/frmsellrole.h"
#include "core/frmuser.h"
#include "core/shell.h"
#include "goods/frmbuyin.h"
#include "goods/frmchangeprice.h"
#include "goods/frmputin.h"
#include "reports/frmbackchangequery.h"
#include "reports/frmbackfactoryquery.h"
#include "reports/frmblankoutquery.h"
#include "reports/frmbuyindetail.h"
#include "reports/frmotherout.h"
#include "reports/frmotheroutquery.h"
#include "reports/frmprofit.h"
#include "reports/frmsellgroup.h"
#include "reports/frmsellquery.h"
#include "reports/frmstore.h"
#include "sales/frmamounttotal.h"
#include "sales/frmblankout.h"
#include "sales/frmdayamount.h"
#include "sales/frmsell.h"
#include "skin/mskinner.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

class MainWindow : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        staff::addCashierAndGuest();
    }
    static QStringList captions(const QList<QAction*>& actions)
    {
        QStringList c;
        for (QAction* a : actions)
            c << (a->isSeparator() ? QStringLiteral("------------------") : a->text());
        return c;
    }
    static void clickButton(frmMain& w, const char* key)
    {
        auto* button = qobject_cast<QToolButton*>(w.Toolbar->widgetForAction(w.Buttons(key)));
        ASSERT_NE(button, nullptr) << key;
        button->click();
    }
    // The guest logs in again with the role granting that flag alone.
    void grantOnly(frmMain& w, const QString& flag)
    {
        sql("Update Role Set " + QStringList(schema::roleFlags()).join("=0,") + "=0 Where GUID='" +
            staff::kGuestRole + "'");
        sql("Update Role Set " + flag + "=1 Where GUID='" + staff::kGuestRole + "'");
        ASSERT_TRUE(gUser.Initial("g01"));
        w.LoadPopdem();
    }
};

// Every guarded menu item and the flag that opens it.
const std::pair<const char*, const char*> kGuardedItems[] = {
    {"UserManage", "UserManage"},
    {"SellRole", "SellRole"},
    {"ChangeShop", "ChangeShop"},
    {"ReStart", "ReStart"},
    {"BuyIn", "BuyIn"},
    {"SellOut", "Sell"},
    {"ClientBackChange", "ClientChange"},
    {"ClientBack", "ClientBack"},
    {"Question", "Question"},
    {"CompanyBack", "FactoryBack"},
    {"BlankOut", "SellBlankOut"},
    {"ChangePrice", "ChangePrice"},
    {"OtherOut", "OtherOut"},
    {"StoreQuery", "StoreQuery"},
    {"SellQuery", "SellQuery"},
    {"SellGroup", "SellGroup"},
    {"BuyInDetail", "BuyDetail"},
    {"ClientChangeQuery", "ClientChangeQuery"},
    {"Back", "FactoryBackQuery"},
    {"BlankOutQuery", "BlankOutQuery"},
    {"OtherOutQuery", "OtherOurQuery"},
    {"DayAmount", "DayAmount"},
    {"AmountTotal", "TotalAmount"},
    {"Profit", "Profit"},
};
const std::pair<const char*, const char*> kGuardedButtons[] = {
    {"BuyIn", "BuyIn"},         {"SellOut", "Sell"},           {"ClientBackChange", "ClientChange"},
    {"ClientBack", "ClientBack"}, {"CompanyBack", "FactoryBack"}, {"StoreQuery", "StoreQuery"},
    {"SellQuery", "SellQuery"}, {"ChangeShop", "ChangeShop"},
};
const char* const kAlwaysItems[] = {"ChagePassWord", "Data",       "Colour",        "Size",      "Name",
                                    "Brand",         "feather",    "Grade",         "Production", "BackResion",
                                    "ChangeResion",  "BlankOutResion", "OtherItem", "putin",     "BackUpDate",
                                    "ReLogin",       "Exit",       "Calculate",     "Note",      "About"};
const char* const kAlwaysButtons[] = {"Calculate", "Note", "Exit"};

QAction* menuItem(frmMain& w, const char* name)
{
    for (QAction* a : w.menuBar()->findChildren<QAction*>(QLatin1String(name)))
        if (!a->isSeparator() && a->parent() != w.Toolbar)
            return a;
    return nullptr;
}

}  // namespace

TEST_F(MainWindow, MenusAndToolbarInOrder)
{
    frmMain w;
    EXPECT_EQ(w.windowTitle(), "VeloraTessaro-我的店铺");
    EXPECT_EQ(captions(w.menuBar()->actions()),
              QStringList({"[系  统(&S)]", "[功  能(&O)]", "[查  询(&Q)]", "[结算统计(&A)]", "[帮  助(&H)]"}));
    EXPECT_EQ(captions(w.System->actions()),
              QStringList({"1-用户管理", "2-修改密码", "3-系统参数设置", "4-数据维护", "5-店面管理",
                           "------------------", "6-进货单数据导入", "7-数据备份设置", "8-重新开始", "9-更换用户",
                           "10-退出"}));
    EXPECT_EQ(captions(w.Data->actions()),
              QStringList({"颜色", "尺码", "种类", "品牌", "面料", "等级", "产地", "退货原因", "调换原因", "作废原因",
                           "其他支出项目"}));
    EXPECT_EQ(captions(w.Operator->actions()),
              QStringList({"1-进货管理", "2-售货管理", "3-客户调换", "4-客户退货", "5-问 题 鞋", "6-厂商退货",
                           "------------------", "7-售货作废", "8-价格变动", "9-非营业其他支出"}));
    EXPECT_EQ(captions(w.Query->actions()),
              QStringList({"1-库存查询", "2-售货查询", "3-销售排行", "4-进货明细查询", "5-客户退换查询",
                           "6-厂商退货查询", "7-作废记录查询", "8-非营业支出查询"}));
    EXPECT_EQ(captions(w.Amount->actions()), QStringList({"1-日结算", "2-结算汇总", "3-利润分析"}));
    EXPECT_EQ(captions(w.Other->actions()), QStringList({"1-计算器", "2-记事本", "3-关于我们"}));
    EXPECT_EQ(captions(w.Toolbar->actions()),
              QStringList({"进 货", "售  货", "客户调换", "客户退货", "厂商退货", "库存查询", "售货查询", "店面管理",
                           "计算器", "记事本", "退 出"}));
    for (QAction* a : w.Toolbar->actions())
        EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
}

TEST_F(MainWindow, TheMainWindowAndTheLoginCarryTheSkinWhileTheyLive)
{
    const int before = mSkinner::AttachCount();
    {
        frmMain w;
        EXPECT_TRUE(mSkinner::IsAttached(&w));
        EXPECT_TRUE(mSkinner::IsAttached(w.Label1));
    }
    EXPECT_EQ(mSkinner::AttachCount(), before);
    app::InstallSkin();
    {
        frmLogin login;
        EXPECT_TRUE(mSkinner::IsAttached(&login));
        EXPECT_TRUE(mSkinner::IsAttached(login.cmdLogin));
    }
    EXPECT_EQ(mSkinner::AttachCount(), before);
    shell::installSkin({});
}

TEST_F(MainWindow, EachFlagOpensExactlyItsOwnItems)
{
    frmMain w;
    // The administrator has everything.
    for (const auto& [item, flag] : kGuardedItems)
        EXPECT_TRUE(menuItem(w, item)->isEnabled()) << item;
    // One flag at a time: only the items and buttons of that flag come on.
    for (const QString& granted : schema::roleFlags()) {
        SCOPED_TRACE(granted.toStdString());
        grantOnly(w, granted);
        for (const auto& [item, flag] : kGuardedItems)
            EXPECT_EQ(menuItem(w, item)->isEnabled(), granted == flag) << item;
        for (const auto& [key, flag] : kGuardedButtons)
            EXPECT_EQ(w.Buttons(key)->isEnabled(), granted == flag) << key;
        for (const char* item : kAlwaysItems)
            EXPECT_TRUE(menuItem(w, item)->isEnabled()) << item;
    }
}

TEST_F(MainWindow, RoleWithEveryFlagClearKeepsTheEverydayItems)
{
    ASSERT_TRUE(gUser.Initial("g01"));
    frmMain w;
    for (const auto& [item, flag] : kGuardedItems)
        EXPECT_FALSE(menuItem(w, item)->isEnabled()) << item;
    for (const auto& [key, flag] : kGuardedButtons)
        EXPECT_FALSE(w.Buttons(key)->isEnabled()) << key;
    for (const char* item : kAlwaysItems)
        EXPECT_TRUE(menuItem(w, item)->isEnabled()) << item;
    for (const char* key : kAlwaysButtons)
        EXPECT_TRUE(w.Buttons(key)->isEnabled()) << key;

    // A greyed item cannot be chosen; the everyday ones open their windows.
    fakes->modal.dismiss<frmChangePwd>();
    fakes->modal.dismiss<frmReLogin>();
    w.BuyIn->trigger();
    w.ChagePassWord->trigger();
    w.ReLogin->trigger();
    QString caption;
    QStringList entries;
    fakes->modal.on<frmDataDictionary>([&](frmDataDictionary* d) {
        caption = d->windowTitle();
        for (int i = 0; i < d->List->count(); ++i)
            entries << d->List->item(i)->text();
        return int(QDialog::Accepted);
    });
    w.feather->trigger();
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmChangePwd", "frmReLogin", "frmDataDictionary"}));
    EXPECT_EQ(caption, "数据字典--面料");
    EXPECT_EQ(entries, QStringList({"真皮", "PU革", "帆布", "网布", "纯棉", "涤纶"}));
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(MainWindow, EveryPickListItemOpensItsOwnList)
{
    frmMain w;
    QStringList captions;
    fakes->modal.on<frmDataDictionary>([&](frmDataDictionary* d) {
        captions << d->windowTitle();
        return int(QDialog::Accepted);
    });
    for (QAction* a : w.Data->actions())
        a->trigger();
    QStringList expected;
    for (QAction* a : w.Data->actions())
        expected << "数据字典--" + a->text();
    EXPECT_EQ(captions, expected);
}

TEST_F(MainWindow, ToolsStartTheFirstProgramFound)
{
    struct Case {
        const char* tool;  // the toolbar key, also the menu item
        QStringList available;
        bool starts;
        QString started;  // "" when the clerk is told the tool is gone
    };
    const Case cases[] = {
        {"Calculate", {"xcalc", "kcalc", "gedit"}, true, "kcalc"},
        {"Calculate", {"xcalc"}, true, "xcalc"},
        {"Calculate", {"gedit", "mousepad"}, true, ""},
        {"Calculate", {"gnome-calculator"}, false, ""},
        {"Note", {"xed", "mousepad", "kcalc"}, true, "mousepad"},
        {"Note", {"gedit", "xed"}, true, "gedit"},
        {"Note", {}, true, ""},
    };
    frmMain w;
    for (const Case& c : cases) {
        for (bool fromToolbar : {false, true}) {
            SCOPED_TRACE(std::string(c.tool) + (fromToolbar ? " button " : " menu ") +
                         c.available.join(',').toStdString());
            messages().clear();
            fakes->proc.started.clear();
            fakes->proc.available = c.available;
            fakes->proc.startSucceeds = c.starts;
            if (fromToolbar)
                clickButton(w, c.tool);
            else
                menuItem(w, c.tool)->trigger();
            if (c.started.isEmpty()) {
                ASSERT_EQ(messages().shown().size(), 1);
                EXPECT_EQ(messages().last().text, "该工具可能已被系统删除！");
                EXPECT_EQ(messages().last().title, "VeloraTessaro");
                EXPECT_EQ(messages().last().icon, ui::Icon::Information);
                EXPECT_EQ(messages().last().buttons, ui::Buttons::Ok);
            } else {
                EXPECT_TRUE(messages().shown().isEmpty());
                EXPECT_EQ(fakes->proc.started, QStringList({c.started}));
            }
        }
    }
}

TEST_F(MainWindow, WorkWindowsOpenFromMenuAndToolbar)
{
    frmMain w;
    staff::showActive(&w);
    const struct {
        QAction* item;
        const char* button;
        const char* window;
    } cases[] = {{w.BuyIn, "BuyIn", "frmBuyIn"}, {w.SellOut, "SellOut", "frmSell"}};
    fakes->modal.dismiss<frmBuyIn>();
    fakes->modal.dismiss<frmSell>();
    for (const auto& c : cases) {
        const qsizetype before = fakes->modal.opened().size();
        c.item->trigger();
        clickButton(w, c.button);
        EXPECT_EQ(fakes->modal.opened().mid(before), QStringList({c.window, c.window}));
    }
}

TEST_F(MainWindow, PurchaseDetailsOpenFromTheQueryMenu)
{
    frmMain w;
    QString caption;
    fakes->modal.on<frmbuyInDetail>([&](frmbuyInDetail* d) {
        caption = d->windowTitle();
        return int(QDialog::Rejected);
    });
    w.BuyInDetail->trigger();
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmbuyInDetail"}));
    EXPECT_EQ(caption, "进货明细查询");
}

TEST_F(MainWindow, AfterSalesWindowsOpenUnderTheirOwnFlags)
{
    frmMain w;
    staff::showActive(&w);
    fakes->modal.dismiss<frmBlankout>();
    fakes->modal.dismiss<frmClientBack>();
    fakes->modal.dismiss<frmClientBackChange>();
    fakes->modal.dismiss<frmQuestion>();
    fakes->modal.dismiss<frmFactoryBack>();
    EXPECT_EQ(w.ClientBackChange->text(), "3-客户调换");
    EXPECT_EQ(w.Question->text(), "5-问 题 鞋");
    EXPECT_EQ(w.CompanyBack->text(), "6-厂商退货");
    const struct {
        const char* flag;
        QStringList opened;  // by every after-sales item and button, in the order below
    } cases[] = {
        {"SellBlankOut", {"frmBlankout"}},
        {"ClientBack", {"frmClientBack", "frmClientBack"}},
        {"ClientChange", {"frmClientBackChange", "frmClientBackChange"}},
        {"Question", {"frmQuestion"}},
        {"FactoryBack", {"frmFactoryBack", "frmFactoryBack"}},
        {"Sell", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flag);
        grantOnly(w, c.flag);
        const qsizetype before = fakes->modal.opened().size();
        w.BlankOut->trigger();
        w.ClientBack->trigger();
        clickButton(w, "ClientBack");
        w.ClientBackChange->trigger();
        clickButton(w, "ClientBackChange");
        w.Question->trigger();
        w.CompanyBack->trigger();
        clickButton(w, "CompanyBack");
        EXPECT_EQ(fakes->modal.opened().mid(before), c.opened);
    }
}

TEST_F(MainWindow, PriceChangeOpensFromItsMenuItem)
{
    frmMain w;
    fakes->modal.dismiss<frmChangePrice>();
    w.ChangePrice->trigger();
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmChangePrice"}));
    EXPECT_EQ(w.ChangePrice->text(), "8-价格变动");
}

TEST_F(MainWindow, SettlementsOpenFromTheirItems)
{
    frmMain w;
    fakes->modal.dismiss<frmDayAmount>();
    fakes->modal.dismiss<frmAmountTotal>();
    w.DayAmount->trigger();
    w.AmountTotal->trigger();
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmDayAmount", "frmAmountTotal"}));
}

TEST_F(MainWindow, SettingsAndAboutOpenFromTheirItems)
{
    frmMain w;
    fakes->modal.dismiss<frmSellRole>();
    fakes->modal.dismiss<frmChangeShop>();
    fakes->modal.dismiss<frmAbout>();
    w.SellRole->trigger();
    w.ChangeShop->trigger();
    clickButton(w, "ChangeShop");
    w.About->trigger();
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmSellRole", "frmChangeShop", "frmChangeShop", "frmAbout"}));
}

TEST_F(MainWindow, EveryWayOutAsksFirst)
{
    enum Way { Menu, Toolbar, CloseBox };
    for (Way way : {Menu, Toolbar, CloseBox}) {
        SCOPED_TRACE(way);
        QPointer<frmMain> w = new frmMain;
        w->setAttribute(Qt::WA_DeleteOnClose);
        staff::showActive(w);
        auto leave = [&] {
            if (way == Menu)
                w->Exit->trigger();
            else if (way == Toolbar)
                clickButton(*w, "Exit");
            else
                w->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        messages().clear();
        fakes->messages.answerNo();
        leave();
        ASSERT_EQ(messages().shown().size(), 1);
        EXPECT_EQ(messages().last().text, "确认要退出系统吗？");
        EXPECT_EQ(messages().last().title, "提示");
        EXPECT_EQ(messages().last().icon, ui::Icon::Question);
        EXPECT_EQ(messages().last().buttons, ui::Buttons::YesNo);
        ASSERT_FALSE(w.isNull()) << "No keeps the session";
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(frmMain::current(), w.data());
        EXPECT_TRUE(gDbopt.IsConnected());

        // Yes, with the backup setting off: the window goes, and nothing more is said.
        fakes->messages.answerYes();
        leave();
        EXPECT_EQ(messages().texts(), QStringList({"确认要退出系统吗？", "确认要退出系统吗？"}));
        EXPECT_TRUE(w.isNull());
        EXPECT_EQ(frmMain::current(), nullptr);
    }
}

TEST_F(MainWindow, PictureStaysInTheMiddleAcross)
{
    frmMain w;
    for (int width : {800, 1366}) {
        w.resize(width, 700);
        staff::showActive(&w);
        QCoreApplication::processEvents();
        const QRect r = w.Image1->geometry();
        const int centre = w.Image1->mapTo(&w, QPoint(r.width() / 2, 0)).x();
        EXPECT_NEAR(centre, w.width() / 2, 2) << width;
    }
}

TEST_F(MainWindow, ImportOpensFromItsMenuItem)
{
    frmMain w;
    fakes->modal.dismiss<frmPutIn>();
    w.putin->trigger();
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmPutIn"}));
}

TEST_F(MainWindow, ARoleAndUserMadeInTheUserWindowGovernTheMenusAfterASwitch)
{
    app::InstallMainWindow();
    frmMain w;
    // The administrator makes a role with one tick and a user of that role.
    fakes->modal.on<frmRole>([](frmRole* r) {
        r->Toolbar->Buttons("Add")->trigger();
        r->txtRole->setText("退货员");
        r->Node("ClientBack")->setCheckState(0, Qt::Checked);
        r->Toolbar->Buttons("Save")->trigger();
        return int(QDialog::Accepted);
    });
    fakes->modal.on<frmUser>([](frmUser* u) {
        u->cmdRole->click();
        u->Toolbar->Buttons("Add")->trigger();
        u->txtNo->setText("r01");
        u->txtName->setText("钱退货");
        u->txtPwd->setText("pw");
        u->comRole->showPopup();  // the new role is in the list now
        u->comRole->hidePopup();
        u->comRole->setCurrentIndex(u->comRole->findText("退货员"));
        u->Toolbar->Buttons("Save")->trigger();
        return int(QDialog::Accepted);
    });
    w.UserManage->trigger();
    fakes->modal.on<frmReLogin>([](frmReLogin* r) {
        staff::showActive(r);
        staff::typeAndEnter(r, "r01", "pw");
        return r->result();
    });
    w.ReLogin->trigger();
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmUser", "frmRole", "frmReLogin"}));
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(gUser.Name, "钱退货");
    for (const auto& [item, flag] : kGuardedItems)
        EXPECT_EQ(menuItem(w, item)->isEnabled(), QLatin1String(flag) == "ClientBack") << item;
    for (const auto& [key, flag] : kGuardedButtons)
        EXPECT_EQ(w.Buttons(key)->isEnabled(), QLatin1String(flag) == "ClientBack") << key;
    shell::install({});
}

TEST_F(MainWindow, QueriesExpensesAndProfitOpenUnderTheirFlags)
{
    frmMain w;
    staff::showActive(&w);
    fakes->modal.dismiss<frmStore>();
    fakes->modal.dismiss<frmSellQuery>();
    fakes->modal.dismiss<frmSellGroup>();
    fakes->modal.dismiss<frmOtherOut>();
    fakes->modal.dismiss<frmOtherOutQuery>();
    fakes->modal.dismiss<frmProfit>();
    fakes->modal.dismiss<frmBackChangeQuery>();
    fakes->modal.dismiss<frmBackFactoryQuery>();
    fakes->modal.dismiss<frmBlankOutQuery>();
    const struct {
        QAction* item;
        const char* button;  // nullptr: menu only
        const char* window;
        const char* flag;
    } cases[] = {
        {w.StoreQuery, "StoreQuery", "frmStore", "StoreQuery"},
        {w.SellQuery, "SellQuery", "frmSellQuery", "SellQuery"},
        {w.SellGroup, nullptr, "frmSellGroup", "SellGroup"},
        {w.OtherOut, nullptr, "frmOtherOut", "OtherOut"},
        {w.OtherOutQuery, nullptr, "frmOtherOutQuery", "OtherOurQuery"},
        {w.Profit, nullptr, "frmProfit", "Profit"},
        {w.ClientChangeQuery, nullptr, "frmBackChangeQuery", "ClientChangeQuery"},
        {w.Back, nullptr, "frmBackFactoryQuery", "FactoryBackQuery"},
        {w.BlankOutQuery, nullptr, "frmBlankOutQuery", "BlankOutQuery"},
    };
    for (const auto& c : cases) {
        for (bool granted : {true, false}) {
            SCOPED_TRACE(std::string(c.window) + (granted ? " granted" : " not granted"));
            sql(QString("Update Role Set %1=%2 Where GUID='%3'")
                    .arg(c.flag)
                    .arg(granted ? 1 : 0)
                    .arg(staff::kGuestRole));
            ASSERT_TRUE(gUser.Initial("g01"));
            w.LoadPopdem();
            const qsizetype before = fakes->modal.opened().size();
            c.item->trigger();
            if (c.button)
                clickButton(w, c.button);
            const QStringList expected = !granted ? QStringList()
                                         : c.button ? QStringList({c.window, c.window})
                                                    : QStringList({c.window});
            EXPECT_EQ(fakes->modal.opened().mid(before), expected);
        }
    }
    EXPECT_TRUE(messages().shown().isEmpty());
}


TEST_F(MainWindow, AFailedFreshStartShowsTheEngineWordsOnceAndEmptiesNothing)
{
    sql("Insert Into Sell (ShopNo) Values ('" + gShopNo + "')");
    sql("Insert Into FactoryBackTotal (ShopNo) Values ('" + gShopNo + "')");
    failWrites("FactoryBackTotal", "DELETE");
    frmMain w;
    staff::showActive(&w);
    messages().clear();
    fakes->messages.answerYes();
    w.ReStart->trigger();
    EXPECT_EQ(messages().texts(),
              QStringList({"如果重新开始了后 所有数据将丢失！慎重哦！", "FactoryBackTotal cannot be written"}));
    EXPECT_EQ(scalar("select count(*) from Sell"), "1");
    EXPECT_FALSE(gDbopt.InTransaction());
}
