// The retail price change: which stock rows take the new price.
#include "goods/rules/pricechange.h"
#include "support/rulesfixture.h"

class PriceChange : public RulesFixture {
protected:
    void SetUp() override
    {
        RulesFixture::SetUp();
        // Two rows of one goods number (in two letter cases), another goods
        // number, and a row of that goods number in another shop.
        const QString shop = gShopNo;
        const QStringList stock[] = {{"{A}", shop, "K-100"}, {"{B}", shop, "k-100"}, {"{C}", shop, "K-200"},
                                     {"{D}", "{OTHER}", "K-100"}};
        for (const QStringList& s : stock)
            sql("Insert Into Store (GUID,ShopNo,TypeNo,Quantity,Price) Values('" + s[0] + "','" + s[1] + "','" +
                s[2] + "',1,100)");
    }
    QString prices() { return rows("select GUID,Price from Store order by GUID"); }
};

TEST_F(PriceChange, TheRowOrEveryRowOfTheGoodsNumberInTheShop)
{
    const struct {
        const char* name;
        goods::PriceScope scope;
        QString key;
        QString expected;
    } cases[] = {
        {"one stock row", goods::PriceScope::StockRow, "{B}", "{A},100|{B},88.5|{C},100|{D},100"},
        {"a goods number, letter case aside", goods::PriceScope::TypeNo, "K-100", "{A},88.5|{B},88.5|{C},100|{D},100"},
        {"a stock row of another shop", goods::PriceScope::StockRow, "{D}", "{A},100|{B},100|{C},100|{D},100"},
        {"a key with a quote", goods::PriceScope::TypeNo, "K-100' Or '1'='1", "{A},100|{B},100|{C},100|{D},100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sql("Update Store Set Price=100");
        const core::Outcome outcome = goods::ChangeRetailPrice(c.scope, c.key, "88.5");
        EXPECT_TRUE(outcome.written()) << outcome.Error.toStdString();
        EXPECT_EQ(prices(), c.expected);
    }
}

TEST_F(PriceChange, AFailedChangeHandsBackTheEnginesWords)
{
    rulestest::FailWrites("Store", "UPDATE");
    const core::Outcome outcome = goods::ChangeRetailPrice(goods::PriceScope::TypeNo, "K-100", "88.5");
    EXPECT_EQ(outcome.Result, core::WriteResult::Failed);
    EXPECT_EQ(outcome.Error, "Store cannot be written");
    EXPECT_EQ(prices(), "{A},100|{B},100|{C},100|{D},100");
}
