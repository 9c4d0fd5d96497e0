// The returns, the exchange, the problem goods and the factory return on a real
// database: a failing statement hands the engine's words back, shows nothing and
// stores nothing, and the same write goes through once the obstacle is gone.
#include "aftersales/rules/clientexchange.h"
#include "aftersales/rules/clientreturn.h"
#include "aftersales/rules/problemstock.h"
#include "support/basefakes.h"
#include "support/rulesfixture.h"

#include <functional>

namespace {

const QString K1 = QStringLiteral("{00000000-0000-0000-0000-0000000000A1}");

class AftersalesWrites : public RulesFixture {
protected:
    void SetUp() override
    {
        RulesFixture::SetUp();
        sql("Insert Into Store Values('" + K1 + "','" + gShopNo +
            "','K-100','夹克','Br''and','XL','黑','棉','一等','广州',10,85,'690','A-1')");
        sql("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('" + K1 + "',40,5,'2024-03-01','" +
            gShopNo + "')");
    }

    // A piece of K1 sold today at full price, not costed against a batch.
    sales::SoldLine sold(const QString& guid)
    {
        sql("Insert Into Sell Values('" + guid + "','" + K1 + "','" + gShopNo +
            "','K-100','夹克','Br''and','XL','黑','棉','一等','广州',1,85,'全',85,0,'admin','" +
            ui::dayText(ui::today()) + "','202403050001','0','管理员',0,100,15)");
        sales::SoldLine line;
        static_cast<core::GoodsFields&>(line) = {"K-100", "夹克", "Br'and", "XL", "黑", "棉", "一等", "广州"};
        line.GUID = guid;
        line.StoreGUID = K1;
        line.ShopNo = gShopNo;
        line.BuyPrice = "0";
        line.BuyPriceID = "0";
        line.SellNo = "202403050001";
        line.State = "0";
        line.Quantity = "1";
        line.Price = "85";
        line.Abate = "全";
        line.Amount = "85";
        line.SellerName = "管理员";
        line.DateTime = ui::dayText(ui::today());
        return line;
    }

    // Every row a write of these may touch.
    QString everything()
    {
        QStringList all;
        for (const char* table : {"Sell", "Store", "BuyPrice", "SellChange", "BackStore", "FactoryBackTotal"})
            all << rows(QStringLiteral("select * from %1 order by rowid").arg(table));
        return all.join(QLatin1Char('\n'));
    }

    FakeServices fakes;
};

}  // namespace

TEST_F(AftersalesWrites, AFailedStatementIsHandedBackAndLeavesNothingWritten)
{
    const sales::SoldLine a = sold("{00000000-0000-0000-0000-0000000000B1}");
    const sales::SoldLine b = sold("{00000000-0000-0000-0000-0000000000B2}");
    aftersales::Replacement replacement;
    static_cast<core::GoodsFields&>(replacement) = a;
    replacement.StoreGUID = K1;
    replacement.Price = "85";
    replacement.Quantity = "1";
    replacement.Abate = "全";
    replacement.Amount = "85";
    replacement.SellGUID = b.GUID;
    replacement.SellNo = b.SellNo;
    aftersales::ProblemLine faulty;
    static_cast<core::GoodsFields&>(faulty) = a;
    faulty.StoreGUID = K1;
    faulty.Quantity = 2;
    faulty.BackResion = "开胶";

    // In this order, each on what the one before left.
    const struct {
        const char* what;
        const char *table, *kind;
        std::function<core::Outcome()> write;
    } cases[] = {
        {"return into problem stock", "SellChange", "INSERT",
         [&] { return aftersales::WriteReturn(a, "开胶", aftersales::ReturnTo::ProblemStock); }},
        {"exchange", "Sell", "UPDATE",
         [&] { return aftersales::WriteExchange({{b}, {"尺码不合适"}, {replacement}}); }},
        {"problem goods", "BackStore", "INSERT", [&] { return aftersales::WriteProblemGoods({faulty}); }},
        {"factory return", "FactoryBackTotal", "INSERT",
         [&] {
             aftersales::FactoryReturn back{QDate(2024, 3, 5), 3, 100, {}};
             for (const QString& id : rows("select ID from BackStore order by ID").split('|'))
                 back.BackStoreIDs << id.toInt();
             return aftersales::WriteFactoryReturn(back);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString before = everything();
        rulestest::FailWrites(c.table, c.kind);
        const core::Outcome failed = c.write();
        EXPECT_EQ(failed.Result, core::WriteResult::Failed);
        EXPECT_TRUE(failed.Error.contains(QString(c.table) + " cannot be written")) << failed.Error.toStdString();
        EXPECT_TRUE(fakes.messages.shown().isEmpty()) << "the engine's words are handed back, not shown";
        EXPECT_EQ(everything(), before);

        rulestest::AllowWritesAgain(c.table, c.kind);
        EXPECT_TRUE(c.write().written());
        EXPECT_NE(everything(), before);
        EXPECT_TRUE(fakes.messages.shown().isEmpty());
    }
}
