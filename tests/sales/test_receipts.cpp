// The printing of the receipts at the counter, and the reprint of the day's
// previous sale from the database.

#include "core/modmain.h"
#include "sales/frmsell.h"
#include "sales/receiptprinting.h"
#include "support/receiptblocks.h"
#include "support/shopfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace receipttest;

class ReceiptPrinting : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        gSellRole.IsPrint = false;  // the reprint does not look at it
        gSellRole.PrinterType = 0;
    }
    FakeReceiptPrinter& printer() { return fakes->receipts; }

    void addSell(const QString& key, const QString& sellNo, int state, const QString& typeNo, const QString& price,
                 const QString& abate, const QString& amount, const QString& shop = QString())
    {
        sql("Insert Into Sell Values('" + key + "','{S1}','" + (shop.isEmpty() ? gShopNo : shop) + "','" + typeNo +
            "','男鞋','青禾','40','黑色','真皮','合格品','温州',1," + price + ",'" + abate + "'," + amount +
            ",50,'7','2024-03-04','" + sellNo + "','3','张三'," + QString::number(state) + ",300,20.5)");
    }
    // The day's first sale: sold, returned, exchanged and voided lines, in this
    // order of writing (keys descending, so no ordering by key can pass); a
    // line of another shop under the same number, and the next sale.
    void addFirstSale()
    {
        addSell("{K9}", "202403050001", 0, "Z9", "100", "全", "100");
        addSell("{K8}", "202403050001", 2, "R2", "500", "全", "500");
        addSell("{K7}", "202403050001", 1, "A1", "99.5", "8.5", "85");
        addSell("{K6}", "202403050001", 3, "V3", "700", "全", "700");
        addSell("{K5}", "202403050001", 0, "X5", "900", "全", "900", "{ANOTHER-SHOP}");
        addSell("{K4}", "202403050002", 0, "N2", "800", "全", "800");
    }
};

TEST_F(ReceiptPrinting, WideReprintOfThePreviousSale)
{
    addFirstSale();
    messages().answerYes();
    sales::ReprintLastReceipt(QStringLiteral("202403050002"));

    ASSERT_EQ(messages().texts(), QStringList{"确定要进行重复打印吗？"});
    EXPECT_EQ(messages().last().title, ui::kTitleTip);
    EXPECT_EQ(messages().last().buttons, ui::Buttons::YesNo);
    ASSERT_EQ(printer().printed.size(), 1);
    const QString item = sp(4) + "青禾" + sp(4) + "男鞋" + sp(5) + "40" + sp(8) + "1" + sp(6);
    const std::vector<Block> expected{
        block(10, false, {sp(23) + gShopName + "结帐单" + sp(17)}),
        block(8, false,
              {"", "", sp(53) + "销售时间：2024-03-05 10:30:00", sp(53) + "销 售 员：" + sp(4) + gUser.Name,
               sp(53) + "销售编号：202403050001", "", kWideRule,
               sp(4) + "品牌" + sp(6) + "种类" + sp(5) + "尺码" + sp(4) + "数量" + sp(4) + "零售价" + sp(4) +
                   "折扣/特价" + sp(4) + "实收金额" + sp(4) + "优惠金额",
               "", "Z9" + item + "100" + sp(10) + "全" + sp(10) + "100", "",
               "A1" + item + "99.5" + sp(10) + "8.5" + sp(10) + "85", "", kWideRule,
               "    数    量：2" + sp(9) + "应收合计：199.5" + sp(5) + "实收合计：185", "",
               "    优惠合计：14.5" + sp(6) + "客人付款：300" + sp(7) + "找回金额：20.5", kWideRule,
               sp(15) + "欢迎再次光临" + sp(2) + "多谢惠顾"})};
    EXPECT_EQ(blocksOf(printer().printed.first()), expected);
}

TEST_F(ReceiptPrinting, NarrowReprintForAnyPrinterTypeButZero)
{
    addFirstSale();
    gSellRole.PrinterType = 2;
    messages().answerYes();
    sales::ReprintLastReceipt(QStringLiteral("202403050002"));

    ASSERT_EQ(printer().printed.size(), 1);
    const std::vector<Block> expected{
        block(10, true, {sp(4) + gShopName + "结帐单" + sp(7)}),
        block(8, false,
              {"", "", "   销售时间：2024-03-05 10:30:00", "   销 售 员：" + sp(4) + gUser.Name,
               "   销售编号：202403050001", kNarrowRule, "货号   品牌 数量 零售价 折扣 实收 ", "",
               "Z9" + sp(8) + "青禾 1 100  全" + sp(2) + "100" + sp(2), "",
               "A1" + sp(8) + "青禾 1 99.5  8.5" + "85" + sp(3), kNarrowRule,
               " 数    量：2" + sp(3) + "  应收合计：199.5", " 实收合计：185 优惠合计：14.5",
               " 客人付款：300   找回金额：20.5", kNarrowRule, "凭本票按国家三包法规实行三包", kNarrowRule,
               "    谢谢惠顾，欢迎下次光临！", sp(3)})};
    EXPECT_EQ(blocksOf(printer().printed.first()), expected);
}

TEST_F(ReceiptPrinting, ReprintRefusals)
{
    struct Case {
        const char* name;
        QString lbNo;
        bool sureToReprint;
        QStringList wanted;  // the messages after the question
    };
    const QList<Case> cases{
        {"answered no", "202403050003", false, {}},
        {"no sale yet today", "202403050001", true, {"对不起今天还没有销售，不能重新打印！"}},
        // Sale 0002 had one line, returned: nothing left to print.
        {"every line returned", "202403050003", true, {"该次销售可能被退货或调换不能打印！"}},
        // Sale 0004 had two lines, one returned and one voided.
        {"every line returned or voided", "202403050005", true, {"该次销售可能被退货或调换不能打印！"}},
        {"no number shown", "", true, {"该次销售可能被退货或调换不能打印！"}},
    };
    addSell("{R1}", "202403050002", 2, "R2", "100", "全", "100");
    addSell("{R2}", "202403050004", 2, "R4", "100", "全", "100");
    addSell("{R3}", "202403050004", 3, "V4", "100", "全", "100");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages().clear();
        if (c.sureToReprint)
            messages().answerYes();
        else
            messages().answerNo();
        sales::ReprintLastReceipt(c.lbNo);
        EXPECT_EQ(messages().texts(), QStringList{"确定要进行重复打印吗？"} + c.wanted);
        if (!c.wanted.isEmpty()) {
            EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
            EXPECT_EQ(messages().last().title, ui::appTitle());
        }
        EXPECT_TRUE(printer().printed.isEmpty());
    }
}

TEST_F(ReceiptPrinting, CheckoutReceiptInTheLayoutOfTheRule)
{
    for (int type : {0, 1}) {
        SCOPED_TRACE(type);
        printer().printed.clear();
        gSellRole.PrinterType = type;
        sales::PrintCheckoutReceipt(sampleSale());
        ASSERT_EQ(printer().printed.size(), 1);
        EXPECT_EQ(blocksOf(printer().printed.first()), blocksOf(type == 0 ? sales::PrintReceiptWide(sampleSale())
                                                                          : sales::PrintReceiptNarrow(sampleSale())));
    }
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(ReceiptPrinting, NoPrinterIsReportedAndTheSaleStaysStored)
{
    addFirstSale();
    const QString stored = scalar("select count(*) from Sell");
    struct Case {
        const char* name;
        std::function<void()> breakPrinting;
        std::function<void()> print;
    };
    const QList<Case> cases{
        {"checkout, printer fails", [&] { printer().fails = true; }, [] { sales::PrintCheckoutReceipt(sampleSale()); }},
        {"checkout, no printing service",
         [] {
             ui::Platform p = ui::platform();
             p.receipts = nullptr;
             ui::setPlatform(p);
         },
         [] { sales::PrintCheckoutReceipt(sampleSale()); }},
        {"reprint, printer fails", [&] { printer().fails = true; },
         [&] {
             messages().answerYes();
             sales::ReprintLastReceipt(QStringLiteral("202403050002"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes.reset();
        fakes = std::make_unique<FakePlatform>();
        c.breakPrinting();
        c.print();
        ASSERT_FALSE(messages().shown().isEmpty());
        EXPECT_EQ(messages().last().text, "没有发现打印机！");
        EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
        EXPECT_EQ(messages().last().title, ui::appTitle());
        EXPECT_EQ(scalar("select count(*) from Sell"), stored);
    }
}

// The counter prints after checkout only under the rule; F8 reprints the sale
// just made whatever the rule, and a failed print keeps the sale.
TEST_F(ReceiptPrinting, CounterPrintsUnderTheRuleAndF8Always)
{
    sql("Insert Into Store Values('{S1}','" + gShopNo +
        "','K-100','夹克','青禾','XL','黑','棉','一等','广州',10,100,'690001','A-1')");
    struct Case {
        const char* name;
        bool isPrint;
        bool printerFails;
        int receiptsAtCheckout;
        QStringList messagesAtCheckout;
    };
    const QList<Case> cases{
        {"rule off", false, false, 0, {"确认要结帐吗？"}},
        {"rule on", true, false, 1, {"确认要结帐吗？"}},
        {"rule on, no printer", true, true, 0, {"确认要结帐吗？", "没有发现打印机！"}},
    };
    int sales = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gSellRole.IsPrint = c.isPrint;
        printer().printed.clear();
        printer().fails = c.printerFails;
        messages().clear();
        frmSell w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        const QString sellNo = w.lbNo->text();

        w.txtNo->setText("K-100");
        w.txtQuatity->setText("2");
        w.txtAbate->setFocus();
        w.txtAbate->setText("全");
        QTest::keyClick(w.txtAbate, Qt::Key_Return);
        w.txtReciveAmout->setText("200");
        messages().answerYes();
        w.cmdCheckOut->click();

        ++sales;
        EXPECT_EQ(messages().texts(), c.messagesAtCheckout);
        ASSERT_EQ(printer().printed.size(), c.receiptsAtCheckout);
        EXPECT_EQ(scalar("select count(*) from Sell Where SellNo='" + sellNo + "'"), "2");
        EXPECT_EQ(w.lbNo->text(), sellNo.left(8) + QString::number(sales + 1).rightJustified(4, '0'));

        printer().printed.clear();
        printer().fails = false;
        messages().clear();
        messages().answerYes();
        QTest::keyClick(w.txtNo, Qt::Key_F8);
        EXPECT_EQ(messages().texts(), QStringList{"确定要进行重复打印吗？"});
        ASSERT_EQ(printer().printed.size(), 1);
        EXPECT_TRUE(printer().printed.first().last().text.contains("销售编号：" + sellNo));
    }
}

}  // namespace
