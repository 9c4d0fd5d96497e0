// The profit analysis over receipts, sale lines of every state, factory returns,
// purchase batches, problem stock and expenses, in and around the span of days.
#include "afterrows.h"
#include "core/modmain.h"
#include "reports/frmprofit.h"
#include "support/shopfixture.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using afterrows::Goods;

namespace {

class Profit : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        // Receipt lines: pieces and purchase price.
        received(10, "40", "2024-03-01");
        received(4, "55.5", "2024-03-05");
        received(2, "30", "2024-02-29");
        received(3, "20", "2024-03-06");
        received(100, "10", "2024-03-03", other);
        // Sale lines: amount charged and batch cost, by state.
        sold("2024-03-01", 100, 60, 0);
        sold("2024-03-03", 120, 70, 1);  // exchanged: still sold
        sold("2024-03-05", 85.5f, 40, 0);
        sold("2024-03-02", 90, 50, 2);  // returned
        sold("2024-03-04", 80, 45, 3);  // voided
        sold("2024-02-29", 200, 100, 0);
        sold("2024-03-06", 300, 100, 0);
        sold("2024-03-03", 500, 100, 0, other);
        // Factory returns, with the amounts typed.
        afterrows::toFactory({}, 3, "150", "2024-03-02");
        afterrows::toFactory({}, 1, "20.25", "2024-03-05");
        afterrows::toFactory({}, 5, "99", "2024-02-28");
        afterrows::toFactory({}, 7, "70", "2024-03-03", other);
        // What is left in the batches, whenever received.
        batch("40", 6, "2024-03-01");
        batch("55.5", 4, "2024-03-05");
        batch("30", 0, "2024-02-29");
        batch("10", 100, "2024-03-03", other);
        // Problem stock: two rows still here, one gone back.
        afterrows::setAside(Goods{}, 2, 80);
        afterrows::setAside(Goods{}, 1, 55.5f);
        const qint64 gone = afterrows::setAside(Goods{}, 3, 999);
        sql("Update BackStore Set IsBackFactory=1,BackFactoryDate='2024-03-02' Where ID=" + QString::number(gone));
        afterrows::setAside(Goods{}, 4, 100, other);
        // Expenses.
        expense("3000", "2024-03-01");
        expense("120.5", "2024-03-05");
        expense("0.1", "2024-03-05");
        expense("0.2", "2024-03-05");
        expense("9", "2024-03-06");
        expense("5000", "2024-03-03", other);
    }

    void received(int quantity, const QString& price, const QString& day, const QString& shop = QString())
    {
        sql("Insert Into StoreDetail Values('" + gNewGUID.GUID(false) + "','{STORE-1}','" + shopOf(shop) +
            "','K-100','夹克','青禾','XL','黑色','纯棉','一等品'," + price + "," + QString::number(quantity) +
            ",'广州','','" + day + "')");
    }
    void sold(const QString& day, float amount, float cost, int state, const QString& shop = QString())
    {
        afterrows::Sale s;
        s.Day = day;
        s.Amount = amount;
        s.Cost = cost;
        s.State = state;
        s.Shop = shop;
        afterrows::sell(s);
    }
    void batch(const QString& price, int quantity, const QString& day, const QString& shop = QString())
    {
        sql("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('{STORE-1}'," + price + "," +
            QString::number(quantity) + ",'" + day + "','" + shopOf(shop) + "')");
    }
    void expense(const QString& amount, const QString& day, const QString& shop = QString())
    {
        sql("Insert Into OtherOut values('" + gNewGUID.GUID(false) + "','" + shopOf(shop) + "','我的店铺','房租'," +
            amount + ",'" + day + "','','管理员')");
    }
    static QString shopOf(const QString& shop) { return shop.isEmpty() ? gShopNo : shop; }

    // The twelve figures in the order of the window.
    static QStringList figures(const frmProfit& w)
    {
        QStringList out;
        for (QLabel* l : {w.lbInQuantity, w.lbInAmount, w.lbSellQuantity, w.lbSellAmount, w.lbBackQuantity,
                          w.lbBackAmount, w.lbStoreQuantity, w.lbQuestionQuantity, w.lbStorePrice, w.lbProfit,
                          w.lbOtherAmount, w.lbProfitEx})
            out << l->text();
        return out;
    }

    const QString other = QStringLiteral("{OTHER-SHOP}");
};

}  // namespace

TEST_F(Profit, OpensOnTodayWithItsHeadingsAndNotes)
{
    frmProfit w;
    EXPECT_EQ(w.windowTitle(), "利润分析");
    EXPECT_EQ(w.cmdQuery->text(), "确 定(&O)");
    EXPECT_EQ(w.DTBeginTime->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.DTEndTime->date(), QDate(2024, 3, 5));
    QStringList headings;
    for (const QGroupBox* g : w.findChildren<QGroupBox*>())
        headings << g->title();
    EXPECT_EQ(headings, QStringList({"支出项目(进货)", "收入项目(售货)", "厂家退货", "   库存剩余(含问题库存)"}));
    QStringList texts;
    for (const QLabel* l : w.findChildren<QLabel*>())
        texts << l->text();
    for (const char* caption : {"开始日期", "结束日期", "进货数量：", "进货金额：", "售货数量：", "售货金额：",
                                "退货数量：", "退货金额：", "可售库存数量：", "问题库存数量：", "库存成本价：",
                                "销售毛利润：", "非盈利性支出", "净利润：",
                                "说明：   销售毛利润是指每销售一件服装产生的利润(销售价格-成本价格)",
                                "销售净利润是指(毛利润-非盈利支出)"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(caption))) << caption;
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Profit, SumsThePeriodAndTheStockAsItIsNow)
{
    frmProfit w;
    // The stock figures whatever the span: 10 pieces left in the batches at 462,
    // 3 pieces of problem stock at 135.5.
    const QStringList stock = {"10", "3", "597.5"};
    const struct {
        QDate from, to;
        QStringList period;  // bought, sold, back to the factory
        QStringList earned;  // gross profit, expenses, net profit
    } cases[] = {
        // Both end days in; returned and voided lines out, the exchanged one in.
        {{2024, 3, 1}, {2024, 3, 5}, {"14", "622", "3", "305.5", "4", "170.25"}, {"135.5", "3120.8", "-2985.3"}},
        {{2024, 3, 5}, {2024, 3, 5}, {"4", "222", "1", "85.5", "1", "20.25"}, {"45.5", "120.8", "-75.3"}},
        // Nothing in the span, or a span backwards: every period figure 0.
        {{2023, 1, 1}, {2023, 1, 31}, {"0", "0", "0", "0", "0", "0"}, {"0", "0", "0"}},
        {{2024, 3, 5}, {2024, 3, 1}, {"0", "0", "0", "0", "0", "0"}, {"0", "0", "0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from.toString(Qt::ISODate).toStdString() + " " + c.to.toString(Qt::ISODate).toStdString());
        w.DTBeginTime->setDate(c.from);
        w.DTEndTime->setDate(c.to);
        w.cmdQuery->click();
        EXPECT_EQ(figures(w), c.period + stock + c.earned);
    }
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Profit, AnEmptyShopShowsNoughtEverywhere)
{
    for (const char* table : {"StoreDetail", "Sell", "FactoryBackTotal", "BuyPrice", "BackStore", "OtherOut"})
        sql(QString("Delete from ") + table);
    frmProfit w;
    w.cmdQuery->click();
    EXPECT_EQ(figures(w), QStringList(12, "0"));
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Profit, EachSumThatFailsShowsTheEnginesWordsOnceAndCountsAsNought)
{
    onItsOwnConnection("DROP TABLE OtherOut");
    onItsOwnConnection("DROP TABLE StoreDetail");
    frmProfit w;
    w.DTBeginTime->setDate(QDate(2024, 3, 1));
    w.cmdQuery->click();
    const QStringList shown = messages().texts();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].contains("StoreDetail")) << shown[0].toStdString();
    EXPECT_TRUE(shown[1].contains("OtherOut")) << shown[1].toStdString();
    EXPECT_EQ(figures(w), QStringList({"0", "0", "3", "305.5", "4", "170.25", "10", "3", "597.5", "135.5", "0",
                                       "135.5"}));
}
