// The receipt triple: statement texts, what they write, and that a receipt is
// written whole or not at all.
#include "goods/rules/receipttriple.h"
#include "support/rulesfixture.h"

#include <QStringList>

namespace {

goods::ReceiptValues sample()
{
    goods::ReceiptValues v;
    v.TypeNo = "K-100";
    v.Name = "夹克";
    v.Brand = "O'Neal";
    v.Size = "XL";
    v.Colour = "黑";
    v.Leather = "棉";
    v.Grade = "一等";
    v.ProductPlace = "广州";
    v.Price = 72.25f;
    v.Quantity = 5;
    v.SellPrice = 129.9f;
    v.IDCode = "6901234";
    v.GoodsFloor = "A-3";
    v.Memo = "it's new";
    v.Date = QDate(2024, 2, 29);
    return v;
}

// Every column of every row of a query, "|" between fields, in column order.
QStringList rowsOf(const jet::RecordSet& rs)
{
    QStringList rows;
    for (int r = 0; r < rs.recordCount(); ++r) {
        QStringList fields;
        for (int c = 0; c < rs.fieldCount(); ++c)
            fields << rs.text(r, c);
        rows << fields.join('|');
    }
    return rows;
}

}  // namespace

class Receipt : public RulesFixture {
protected:
    int count(const QString& table) { return rows("select count(*) from " + table).toInt(); }
    QString scalar(const QString& query) { return rows(query); }
};

TEST_F(Receipt, StatementTexts)
{
    gShopNo = "{SHOP}";
    const goods::ReceiptValues v = sample();
    EXPECT_EQ(goods::StoreInsertSql("{S}", v),
              "Insert Into Store Values('{S}','{SHOP}','K-100','夹克','O''Neal','XL','黑','棉','一等','广州',5,"
              "129.9,'6901234','A-3')");
    EXPECT_EQ(goods::StoreDetailInsertSql("{L}", "{S}", v),
              "Insert Into StoreDetail Values('{L}','{S}','{SHOP}','K-100','夹克','O''Neal','XL','黑','棉','一等',"
              "72.25,5,'广州','it''s new','2024-02-29')");
    EXPECT_EQ(goods::BuyPriceInsertSql("{S}", v),
              "Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('{S}',72.25,5,'2024-02-29',"
              "'{SHOP}')");
    EXPECT_EQ(goods::StoreRestockSql("{S}", 3), "Update Store Set Quantity=Quantity+ 3 Where GUID='{S}'");
    EXPECT_EQ(goods::StoreRestockSql("{S}", -2), "Update Store Set Quantity=Quantity+ -2 Where GUID='{S}'");
}

TEST_F(Receipt, NewStockRowLineAndBatch)
{
    const goods::ReceiptValues v = sample();
    const goods::ReceiptTriple first = goods::NewStockReceipt(v);
    const goods::ReceiptTriple second = goods::NewStockReceipt(v);
    EXPECT_EQ(first.StoreGUID.size(), 38);
    EXPECT_TRUE(first.StoreGUID.startsWith('{') && first.StoreGUID.endsWith('}'));
    EXPECT_NE(first.StoreGUID, first.LineGUID);
    EXPECT_NE(first.StoreGUID, second.StoreGUID);
    ASSERT_TRUE(goods::WriteReceipt(first).written());
    ASSERT_TRUE(goods::WriteReceipt(second).written());

    // The same goods received twice: two stock rows of their own.
    const QString goods = "K-100|夹克|O'Neal|XL|黑|棉|一等";
    EXPECT_EQ(rowsOf(sql("select * from Store Where GUID='" + first.StoreGUID + "'")),
              QStringList({first.StoreGUID + '|' + gShopNo + '|' + goods + "|广州|5|129.9|6901234|A-3"}));
    EXPECT_EQ(count("Store Where TypeNo='K-100'"), 2);

    EXPECT_EQ(rowsOf(sql("select * from StoreDetail Where GUID='" + first.LineGUID + "'")),
              QStringList({first.LineGUID + '|' + first.StoreGUID + '|' + gShopNo + '|' + goods +
                           "|72.25|5|广州|it's new|2024-02-29"}));
    // The batch is the line: same stock row, price, quantity, day and shop.
    EXPECT_EQ(rowsOf(sql("select StoreGUID,Price,Quantity,sDate,ShopNo from BuyPrice Where StoreGUID='" +
                         first.StoreGUID + "'")),
              QStringList({first.StoreGUID + "|72.25|5|2024-02-29|" + gShopNo}));
    EXPECT_EQ(count("BuyPrice"), 2);
}

TEST_F(Receipt, RestockRaisesTheChosenRow)
{
    goods::ReceiptValues v = sample();
    const goods::ReceiptTriple stock = goods::NewStockReceipt(v);
    ASSERT_TRUE(goods::WriteReceipt(stock).written());

    v.Quantity = 3;
    v.Price = 70;
    v.Date = QDate(2024, 3, 5);
    const goods::ReceiptTriple restock = goods::RestockReceipt(stock.StoreGUID, v);
    EXPECT_EQ(restock.StoreGUID, stock.StoreGUID);
    EXPECT_EQ(restock.Statements.first(), goods::StoreRestockSql(stock.StoreGUID, 3));
    ASSERT_TRUE(goods::WriteReceipt(restock).written());

    EXPECT_EQ(count("Store"), 1);
    EXPECT_EQ(scalar("select Quantity from Store"), "8");
    EXPECT_EQ(rowsOf(sql("select ParentGUID,Price,Quantity,DateTime from StoreDetail Where GUID='" +
                         restock.LineGUID + "'")),
              QStringList({stock.StoreGUID + "|70|3|2024-03-05"}));
    EXPECT_EQ(rowsOf(sql("select StoreGUID,Price,Quantity,sDate from BuyPrice order by ID")),
              QStringList({stock.StoreGUID + "|72.25|5|2024-02-29", stock.StoreGUID + "|70|3|2024-03-05"}));
}

TEST_F(Receipt, AFailedStatementWritesNothing)
{
    const goods::ReceiptTriple stock = goods::NewStockReceipt(sample());
    ASSERT_TRUE(goods::WriteReceipt(stock).written());
    goods::ReceiptValues v = sample();
    v.Quantity = 3;
    const goods::ReceiptTriple restock = goods::RestockReceipt(stock.StoreGUID, v);
    const goods::ReceiptTriple fresh = goods::NewStockReceipt(sample());

    // The batch, the last of the three, cannot be written.
    sql("drop table BuyPrice");
    for (const goods::ReceiptTriple& t : {restock, fresh}) {
        const core::Outcome outcome = goods::WriteReceipt(t);
        EXPECT_EQ(outcome.Result, core::WriteResult::Failed);
        EXPECT_TRUE(outcome.Error.contains("BuyPrice", Qt::CaseInsensitive)) << "the engine's own words";
        EXPECT_EQ(count("Store"), 1);
        EXPECT_EQ(scalar("select Quantity from Store"), "5");
        EXPECT_EQ(count("StoreDetail"), 1);
    }
    // The connection is left usable, outside any transaction.
    sql("create table BuyPrice (ID INTEGER PRIMARY KEY AUTOINCREMENT, StoreGUID TEXT, Price SINGLE, "
        "Quantity INTEGER, sDate TEXT, ShopNo TEXT)");
    EXPECT_TRUE(goods::WriteReceipt(fresh).written());
    EXPECT_EQ(count("Store"), 2);
    EXPECT_EQ(count("BuyPrice"), 1);
}

TEST(ReceiptNumbers, TypedPricesAndQuantities)
{
    struct Case {
        QString text;
        std::optional<float> price;
        std::optional<qint32> quantity;
    };
    const Case cases[] = {
        {"5", 5.0f, 5},
        {" 5 ", 5.0f, 5},
        {"0", 0.0f, 0},
        {"-2", -2.0f, -2},
        {"72.25", 72.25f, 72},
        {"2.5", 2.5f, 2},  // halves to even
        {"3.5", 3.5f, 4},
        {"1e3", 1000.0f, 1000},
        {"1e10", 1e10f, std::nullopt},  // beyond 32 bits
        {"1e39", std::nullopt, std::nullopt},
        {"1,000", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt},
        {"5x", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(goods::ReadPrice(c.text), c.price);
        EXPECT_EQ(goods::ReadQuantity(c.text), c.quantity);
    }
}

TEST(ReceiptNumbers, TheIntakeDeskRowHasThirteenFields)
{
    const goods::ReceiptValues v = sample();
    const QStringList fields = goods::StockRowText("{S}", v).split('\t');
    EXPECT_EQ(fields, QStringList({"", "{S}", "K-100", "夹克", "O'Neal", "XL", "黑", "棉", "一等", "广州", "5",
                                   "6901234", "A-3"}));
}

TEST_F(Receipt, ManyReceiptsAreWrittenWholeOrNotAtAll)
{
    const QList<goods::ReceiptTriple> receipts = {goods::NewStockReceipt(sample()),
                                                  goods::NewStockReceipt(sample()),
                                                  goods::NewStockReceipt(sample())};
    QList<qsizetype> sent;
    const auto tell = [&sent](qsizetype i) { sent << i; };
    EXPECT_TRUE(goods::WriteReceipts(receipts, tell).written());
    EXPECT_EQ(sent, QList<qsizetype>({0, 1, 2}));
    EXPECT_EQ(count("Store"), 3);

    // The third one's batch fails: none of the three is stored.
    rulestest::FailWrites("BuyPrice", "INSERT", "NEW.Quantity=7");
    QList<goods::ReceiptTriple> more;
    for (const qint32 quantity : {5, 6, 7}) {
        goods::ReceiptValues v = sample();
        v.Quantity = quantity;
        more << goods::NewStockReceipt(v);
    }
    sent.clear();
    const core::Outcome outcome = goods::WriteReceipts(more, tell);
    EXPECT_EQ(outcome.Result, core::WriteResult::Failed);
    EXPECT_EQ(outcome.Error, "BuyPrice cannot be written");
    EXPECT_EQ(sent, QList<qsizetype>({0, 1}));
    EXPECT_EQ(count("Store"), 3);
    EXPECT_EQ(count("StoreDetail"), 3);
    EXPECT_EQ(count("BuyPrice"), 3);
}

TEST_F(Receipt, ARestockOfAStockRowThatIsGoneWritesNothing)
{
    const goods::ReceiptTriple stock = goods::NewStockReceipt(sample());
    ASSERT_TRUE(goods::WriteReceipt(stock).written());
    const goods::ReceiptTriple restock = goods::RestockReceipt(stock.StoreGUID, sample());
    sql("Delete from Store Where GUID='" + stock.StoreGUID + "'");
    const core::Outcome outcome = goods::WriteRestock(restock);
    EXPECT_EQ(outcome.Result, core::WriteResult::StockRowGone);
    EXPECT_EQ(outcome.Error, "");
    EXPECT_EQ(count("StoreDetail"), 1);
    EXPECT_EQ(count("BuyPrice"), 1);
}
