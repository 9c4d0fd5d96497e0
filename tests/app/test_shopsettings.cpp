// The shop's rules and name as the rest of the program follows them: the counter
// and the main window, without a new login.
#include "app/frmmain.h"
#include "app/startup.h"
#include "core/frmchangeshop.h"
#include "core/frmsellrole.h"
#include "core/frmshopsetting.h"
#include "core/shell.h"
#include "sales/frmsell.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>

#include <functional>

namespace {

class ShopSettings : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        app::InstallMainWindow();
        sql("Insert Into Store Values('{S1}','" + gShopNo +
            "','K-100','夹克','青禾','XL','黑','棉','一等','广州',10,100,'690001','A-1')");
    }
    void TearDown() override
    {
        shell::install({});
        ShopFixture::TearDown();
    }

    // One piece sold at full price and checked out; the receipts printed.
    QList<QList<ui::PrintBlock>> sellOne()
    {
        fakes->receipts.printed.clear();
        frmSell w;
        staff::showActive(&w);
        w.txtNo->setText("K-100");
        w.txtQuatity->setText("1");
        w.txtAbate->setFocus();
        w.txtAbate->setText("全");
        QTest::keyClick(w.txtAbate, Qt::Key_Return);
        w.txtReciveAmout->setText("100");
        messages().answerYes();
        w.cmdCheckOut->click();
        return fakes->receipts.printed;
    }

    // The rules dialog from the main menu, changed and saved.
    void setRules(frmMain& main, std::function<void(frmSellRole*)> change)
    {
        fakes->modal.on<frmSellRole>([change](frmSellRole* d) {
            change(d);
            d->cmdSetting->click();
            return int(QDialog::Accepted);
        });
        main.SellRole->trigger();
    }
};

}  // namespace

TEST_F(ShopSettings, TheCounterFollowsTheReceiptRuleAtOnce)
{
    frmMain main;
    const QString narrowTitle = "    " + gShopName + "结帐单       ";

    setRules(main, [](frmSellRole* d) {
        d->chkIsPrint->setChecked(true);
        d->optSmall->setChecked(true);
    });
    QList<QList<ui::PrintBlock>> printed = sellOne();
    ASSERT_EQ(printed.size(), 1);
    ASSERT_EQ(printed.first().size(), 2) << "the narrow receipt";
    EXPECT_EQ(printed.first().first().text, narrowTitle);

    setRules(main, [](frmSellRole* d) { d->optBig->setChecked(true); });
    printed = sellOne();
    ASSERT_EQ(printed.size(), 1);
    ASSERT_EQ(printed.first().size(), 1) << "the wide receipt";
    EXPECT_TRUE(printed.first().first().text.contains(QString(23, ' ') + gShopName + "结帐单"));

    setRules(main, [](frmSellRole* d) { d->chkIsPrint->setChecked(false); });
    EXPECT_TRUE(sellOne().isEmpty());
    EXPECT_EQ(scalar("select count(*) from Sell"), "3");
}

TEST_F(ShopSettings, ARenameShowsInTheCaptionAndOnTheNextReceipt)
{
    gSellRole.IsPrint = true;
    gSellRole.PrinterType = 1;
    frmMain main;
    ASSERT_EQ(frmMain::current(), &main);
    EXPECT_EQ(main.windowTitle(), "VeloraTessaro-我的店铺");

    fakes->modal.on<frmChangeShop>([](frmChangeShop* list) {
        list->cmdEdit->click();
        return int(QDialog::Accepted);
    });
    fakes->modal.on<frmShopSetting>([](frmShopSetting* d) {
        d->txtNo->setText("老王's 鞋店");
        d->cmdNewGoods->click();
        return d->result();
    });
    qobject_cast<QToolButton*>(main.Toolbar->widgetForAction(main.Buttons("ChangeShop")))->click();
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmChangeShop", "frmShopSetting"}));
    EXPECT_EQ(scalar("select ShopName from Shop"), "老王's 鞋店");
    EXPECT_EQ(main.windowTitle(), "VeloraTessaro-老王's 鞋店");

    const QList<QList<ui::PrintBlock>> printed = sellOne();
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(printed.first().first().text, "    老王's 鞋店结帐单       ");
}
