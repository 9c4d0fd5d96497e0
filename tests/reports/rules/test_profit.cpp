// The profit analysis's figures without a window: the span and the shop they
// count, and a sum that fails handed back with the engine's words.
#include "core/rules/session.h"
#include "core/rules/sqltext.h"
#include "platform/base/vb.h"
#include "reports/rules/profit.h"
#include "support/rulesfixture.h"

namespace {

class ProfitFiguresOf : public RulesFixture {
protected:
    void SetUp() override
    {
        RulesFixture::SetUp();
        const QString other = QStringLiteral("'{OTHER-SHOP}'");
        const QString here = core::SqlQuote(gShopNo);
        for (const QString& values : {here + ",40,10,'2024-03-01'", here + ",55.5,4,'2024-03-05'",
                                      here + ",30,2,'2024-02-29'", other + ",10,100,'2024-03-03'"})
            sql("Insert Into StoreDetail (ShopNo,Price,Quantity,DateTime) Values(" + values + ")");
        // Amount charged, batch cost and state: returned (2) and voided (3) lines do not count.
        for (const QString& values :
             {here + ",1,100,60,0,'2024-03-01'", here + ",1,120,70,1,'2024-03-03'", here + ",1,90,50,2,'2024-03-02'",
              here + ",1,80,45,3,'2024-03-04'", here + ",1,200,100,0,'2024-03-06'", other + ",1,500,100,0,'2024-03-03'"})
            sql("Insert Into Sell (ShopNo,Quantity,Amount,BuyPrice,State,DateTime) Values(" + values + ")");
        for (const QString& values : {here + ",3,150,'2024-03-02'", here + ",5,99,'2024-02-28'"})
            sql("Insert Into FactoryBackTotal (ShopNo,Quantity,Amount,DateTime) Values(" + values + ")");
        for (const QString& values : {here + ",40,6,'2024-03-01'", other + ",10,100,'2024-03-03'"})
            sql("Insert Into BuyPrice (ShopNo,Price,Quantity,sDate) Values(" + values + ")");
        for (const QString& values : {here + ",2,80,0", here + ",3,999,-1", other + ",4,100,0"})
            sql("Insert Into BackStore (ShopNo,Quantity,BuyPrice,IsBackFactory) Values(" + values + ")");
        for (const QString& values : {here + ",3000,'2024-03-01'", here + ",0.1,'2024-03-05'",
                                      here + ",0.2,'2024-03-05'", other + ",5000,'2024-03-03'"})
            sql("Insert Into OtherOut (ShopNo,Amount,DateTime) Values(" + values + ")");
    }

    // The figures as "quantity/amount[/profit]" of each sum, then the stock's
    // cost, the expenses and the net profit.
    static QStringList texts(const reports::ProfitFigures& f)
    {
        auto sum = [](const reports::ProfitSum& s) {
            return QString::number(s.Quantity) + '/' + vb::singleText(s.Amount);
        };
        return {sum(f.BoughtIn),
                sum(f.Sold) + '/' + vb::singleText(f.Sold.Profit),
                sum(f.BackToFactory),
                sum(f.Stock),
                sum(f.ProblemStock),
                vb::singleText(f.StockCost()),
                vb::singleText(f.Expenses),
                vb::singleText(f.NetProfit())};
    }
};

}  // namespace

TEST_F(ProfitFiguresOf, TheSpanOfTheShopAndItsStockNow)
{
    const QStringList stockNow = {"6/240", "2/80", "320"};
    const struct {
        QDate from, to;
        QStringList period;  // bought, sold, back to the factory
        QStringList earned;  // expenses, net profit
    } cases[] = {
        {{2024, 3, 1}, {2024, 3, 5}, {"14/622", "2/220/90", "3/150"}, {"3000.3", "-2910.3"}},
        {{2024, 3, 5}, {2024, 3, 5}, {"4/222", "0/0/0", "0/0"}, {"0.3", "-0.3"}},
        {{2024, 3, 5}, {2024, 3, 1}, {"0/0", "0/0/0", "0/0"}, {"0", "0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from.toString(Qt::ISODate).toStdString());
        const reports::ProfitFigures f = reports::ComputeProfit(gShopNo, c.from, c.to);
        EXPECT_EQ(texts(f), c.period + stockNow + c.earned);
        EXPECT_TRUE(f.Errors.isEmpty());
    }
}

TEST_F(ProfitFiguresOf, ASumThatFailsCountsAsNoughtAndHandsBackItsWordsInOrder)
{
    rulestest::OnItsOwnConnection("DROP TABLE OtherOut");
    rulestest::OnItsOwnConnection("DROP TABLE FactoryBackTotal");
    const reports::ProfitFigures f = reports::ComputeProfit(gShopNo, {2024, 3, 1}, {2024, 3, 5});
    ASSERT_EQ(f.Errors.size(), 2);
    EXPECT_TRUE(f.Errors[0].contains("FactoryBackTotal")) << f.Errors[0].toStdString();
    EXPECT_TRUE(f.Errors[1].contains("OtherOut")) << f.Errors[1].toStdString();
    EXPECT_EQ(texts(f), QStringList({"14/622", "2/220/90", "0/0", "6/240", "2/80", "320", "0", "90"}));
}
