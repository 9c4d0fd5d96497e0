#pragma once
// Sale lines already in the database, for the windows that take pieces back: a
// stock row with one purchase batch, and a helper that writes Sell rows as the
// checkout does (one piece each) with the state, discount and batch wanted.

#include "core/modmain.h"
#include "support/shopfixture.h"
#include "support/stockrows.h"

class SoldLines : public ShopFixture {
protected:
    static inline const QString K1 = QStringLiteral("{00000000-0000-0000-0000-0000000000D1}");
    static inline const QString K2 = QStringLiteral("{00000000-0000-0000-0000-0000000000D2}");

    void SetUp() override
    {
        ShopFixture::SetUp();
        stock(K1, "K-100", 7);
        stock(K2, "K'200", 2);
        batch1 = batch(K1, 40, 3, "2024-02-01");
        batch2 = batch(K2, 55, 1, "2024-02-01");
    }

    void stock(const QString& key, const QString& typeNo, int quantity)
    {
        sql(stockrows::StockRowSql(key, typeNo, quantity));
    }
    // A purchase batch of the stock row; its ID.
    QString batch(const QString& store, double price, int quantity, const QString& day)
    {
        sql(stockrows::BatchSql(store, price, quantity, day));
        return scalar("select max(ID) from BuyPrice");
    }

    struct Line {
        QString SellNo = QStringLiteral("202403010001");
        QString Day = QStringLiteral("2024-03-01");
        QString Store = K1;
        QString TypeNo = QStringLiteral("K-100");
        QString Batch{};  // the fixture's batch of the stock row when empty
        int State = 0;
        QString Abate = QStringLiteral("全");
        QString Amount = QStringLiteral("85");
        QString Cost = QStringLiteral("40");
        QString Shop{};   // gShopNo when empty
    };
    // Writes the Sell row; its key.
    QString sold(const Line& l)
    {
        const QString key = gNewGUID.GUID(false);
        const QString batchKey = !l.Batch.isEmpty() ? l.Batch : l.Store == K2 ? batch2 : batch1;
        sql("Insert Into Sell Values('" + key + "','" + l.Store + "','" + (l.Shop.isEmpty() ? gShopNo : l.Shop) +
            "'," + core::SqlQuote(l.TypeNo) + ",'夹克','Br''and','XL','黑','棉','一等','广州',1,85,'" + l.Abate +
            "'," + l.Amount + "," + l.Cost + ",'s01','" + l.Day + "','" + l.SellNo + "','" + batchKey + "','张售货'," +
            QString::number(l.State) + ",100,15)");
        return key;
    }

    // The lines the searches of the return and its frame look through: sale 0001
    // of the 1st, two K-100 and a K'200 still sold and a K-100 returned; sale
    // 0001 of the 4th, one K-100; and one of the 4th in another shop.
    struct TwoSales {
        QString a1, a2, a3, b1;
    };
    TwoSales twoSales()
    {
        TwoSales t;
        t.a1 = sold({});
        t.a2 = sold({.State = 1, .Abate = "8.5", .Amount = "72"});
        t.a3 = sold({.Store = K2, .TypeNo = "K'200", .Abate = "特价", .Amount = "60", .Cost = "55"});
        sold({.State = 2});
        t.b1 = sold({.SellNo = "202403040001", .Day = "2024-03-04"});
        sold({.SellNo = "202403040002", .Day = "2024-03-04", .Shop = "{ANOTHER-SHOP}"});
        return t;
    }

    QString quantityOf(const QString& table, const QString& keyColumn, const QString& key)
    {
        return scalar("select Quantity from " + table + " Where " + keyColumn + "='" + key + "'");
    }
    QString stateOf(const QString& sellGUID) { return scalar("select State from Sell Where GUID='" + sellGUID + "'"); }
    // Every value of the only history row of the sale line, in column order.
    QStringList historyOf(const QString& sellGUID)
    {
        const jet::RecordSet rs = sql("select * from SellChange Where SellGUID='" + sellGUID + "'");
        EXPECT_EQ(rs.recordCount(), 1);
        QStringList values;
        for (int c = 0; c < rs.fieldCount() && rs.recordCount() > 0; ++c)
            values << rs.text(0, c);
        return values;
    }
    // What a change writes: the stock and batch quantities, the sale lines'
    // states, the problem stock and (unless left out) the history.
    QStringList everything(bool withHistory = true)
    {
        QStringList queries = {"select GUID, Quantity from Store order by GUID",
                               "select ID, Quantity from BuyPrice order by ID",
                               "select GUID, State from Sell order by GUID", "select * from BackStore order by ID"};
        if (withHistory)
            queries << "select * from SellChange order by GUID";
        QStringList values;
        for (const QString& query : queries) {
            const jet::RecordSet rs = sql(query);
            values << query;
            for (int r = 0; r < rs.recordCount(); ++r)
                for (int c = 0; c < rs.fieldCount(); ++c)
                    values << rs.text(r, c);
        }
        return values;
    }

    QString batch1, batch2;
};
