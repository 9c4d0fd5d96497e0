// The checkout against a real delivered database: sale numbers, batch costing
// and the rows one sale writes, or leaves unwritten.
#include "core/rules/sqltext.h"
#include "sales/rules/checkout.h"
#include "support/basefakes.h"
#include "support/childprocess.h"
#include "support/rulesfixture.h"
#include "support/stockrows.h"

#include <QFileInfo>


namespace {

const QString K1 = QStringLiteral("{00000000-0000-0000-0000-0000000000A1}");
const QString K2 = QStringLiteral("{00000000-0000-0000-0000-0000000000A2}");

class Checkout : public RulesFixture {
protected:
    void SetUp() override
    {
        RulesFixture::SetUp();
        stock(K1, "K-100", 10);
        stock(K2, "K'200", 10);
    }

    void stock(const QString& key, const QString& typeNo, int quantity)
    {
        sql(stockrows::StockRowSql(key, typeNo, quantity));
    }
    // A purchase batch; its ID.
    QString batch(const QString& store, double price, int quantity, const QString& day)
    {
        sql(stockrows::BatchSql(store, price, quantity, day));
        return scalar("select max(ID) from BuyPrice");
    }
    void soldBefore(const QString& sellNo, int state = 0, const QString& shop = QString())
    {
        sql("Insert Into Sell Values('" + gNewGUID.GUID(false) + "','" + K1 + "','" +
            (shop.isEmpty() ? gShopNo : shop) + "','K-100','夹克','B','XL','黑','棉','一等','广州',1,85,'全',85,0,"
            "'admin','2024-03-05','" + sellNo + "','0','管理员'," + QString::number(state) + ",100,15)");
    }

    // A piece of the stock row as the sale list holds it.
    static sales::SaleLine piece(const QString& key, const QString& typeNo, const QString& abate = "全",
                                 const QString& amount = "85")
    {
        sales::SaleLine l;
        static_cast<core::GoodsFields&>(l) = {typeNo, "夹克", "Br'and", "XL", "黑", "棉", "一等", "广州"};
        l.StoreGUID = key;
        l.Price = "85";
        l.Quantity = "1";
        l.Abate = abate;
        l.Amount = amount;
        return l;
    }

    // Writes the sale; its number is kept in sellNo.
    bool writeSale(const QList<sales::SaleLine>& lines, float received, float change)
    {
        sale = sales::WriteSale(lines, received, change);
        sellNo = sale.SellNo;
        return sale.Write.written();
    }
    sales::SaleOutcome sale;
    QString sellNo;

    // One column of the sale's rows in the order they were written.
    QStringList column(const QString& name)
    {
        QStringList values;
        for (jet::RecordSet rs = sql("select " + name + " from Sell order by rowid"); !rs.eof(); rs.moveNext())
            values << rs.text(rs.position(), 0);
        return values;
    }
    QString scalar(const QString& query) { return rows(query).section(QLatin1Char(','), 0, 0); }
    QString folder() const { return QFileInfo(clsDbopt::DatabasePath()).absolutePath(); }
    FakeMessages& messages() { return fakes.messages; }
    FakeServices fakes;

    QString quantityOf(const QString& table, const QString& keyColumn, const QString& key)
    {
        return scalar("select Quantity from " + table + " Where " + keyColumn + "='" + key + "'");
    }
};

}  // namespace

TEST_F(Checkout, NextSaleNumberOfTheDay)
{
    const struct {
        const char* what;
        QList<QPair<QString, int>> stored;  // sale number and state of the rows already written
        QString next;
        sales::SellNoStatus status;
    } cases[] = {
        {"first sale of the day", {}, "202403050001", sales::SellNoStatus::Ok},
        {"after 0009 comes 0010", {{"202403050009", 0}, {"202403050002", 0}}, "202403050010", sales::SellNoStatus::Ok},
        {"voided and returned lines still count",
         {{"202403050004", 3}, {"202403050003", 2}, {"202403050001", 0}},
         "202403050005",
         sales::SellNoStatus::Ok},
        {"other days do not count",
         {{"202403040042", 0}, {"202403060001", 0}},
         "202403050001",
         sales::SellNoStatus::Ok},
        {"the counter stops at 9999", {{"202403059999", 0}}, "", sales::SellNoStatus::UsedUp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sql("delete from Sell");
        for (const auto& [sellNo, state] : c.stored)
            soldBefore(sellNo, state);
        sales::SellNoStatus status = sales::SellNoStatus::Unreadable;
        EXPECT_EQ(sales::NextSellNo(&status), c.next);
        EXPECT_EQ(status, c.status);
    }
    // Other shops count on their own.
    sql("delete from Sell");
    soldBefore("202403050007", 0, "{ANOTHER-SHOP}");
    EXPECT_EQ(sales::NextSellNo(), "202403050001");
    EXPECT_EQ(sales::GetTodayKey(), "20240305");
    EXPECT_EQ(sales::GetFirstSellNoOfDay(), "202403050001");
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Checkout, AnUnreadableDatabaseGivesNoSaleNumber)
{
    sql("drop table Sell");
    sales::SellNoStatus status = sales::SellNoStatus::Ok;
    QString error;
    EXPECT_EQ(sales::NextSellNo(&status, &error), "");
    EXPECT_EQ(status, sales::SellNoStatus::Unreadable);
    EXPECT_TRUE(error.contains("Sell")) << error.toStdString();
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Checkout, PiecesAreCostedAgainstBatchesByTheShopsRule)
{
    // A is the oldest; B and C came in on the same day, B first.
    const struct {
        int sellOrder;
        QStringList costs;
        QStringList batches;  // by name
        QString leftA, leftB, leftC;
    } cases[] = {
        {0, {"40", "40", "50"}, {"A", "A", "B"}, "0", "4", "5"},
        {1, {"55", "55", "55"}, {"C", "C", "C"}, "2", "5", "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sellOrder);
        sql("delete from Sell");
        sql("delete from BuyPrice");
        const QString a = batch(K1, 40, 2, "2024-03-01");
        const QString b = batch(K1, 50, 5, "2024-03-04");
        const QString cc = batch(K1, 55, 5, "2024-03-04");
        const QMap<QString, QString> ids = {{"A", a}, {"B", b}, {"C", cc}};
        gSellRole.SellOrder = c.sellOrder;

        ASSERT_TRUE(writeSale({piece(K1, "K-100"), piece(K1, "K-100"), piece(K1, "K-100")}, 300,
                              45));
        EXPECT_EQ(column("BuyPrice"), c.costs);
        QStringList expectedIds;
        for (const QString& name : c.batches)
            expectedIds << ids[name];
        EXPECT_EQ(column("BuyPriceID"), expectedIds);
        EXPECT_EQ(quantityOf("BuyPrice", "ID", a), c.leftA);
        EXPECT_EQ(quantityOf("BuyPrice", "ID", b), c.leftB);
        EXPECT_EQ(quantityOf("BuyPrice", "ID", cc), c.leftC);
    }
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "4");
}

TEST_F(Checkout, APieceWithNoBatchLeftCostsNothing)
{
    const QString a = batch(K1, 40, 1, "2024-03-01");
    batch(K1, 45, 0, "2024-03-02");  // sold out
    ASSERT_TRUE(writeSale({piece(K1, "K-100"), piece(K1, "K-100")}, 170, 0));
    EXPECT_EQ(column("BuyPrice"), QStringList({"40", "0"}));
    EXPECT_EQ(column("BuyPriceID"), QStringList({a, "0"}));
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "8") << "the stock row gives up both pieces";
    EXPECT_EQ(scalar("select sum(Quantity) from BuyPrice"), "0");
}

TEST_F(Checkout, FivePiecesMakeFiveRowsUnderOneSaleNumber)
{
    // Quotes in the clerk's number and name and in the goods texts are stored as typed.
    gUser.No = "o'1";
    gUser.Name = "O'Neil";
    const QString batchK2 = batch(K2, 60.5, 9, "2024-03-02");
    const QList<sales::SaleLine> lines = {piece(K1, "K-100"), piece(K1, "K-100", "8.5", "72"),
                                          piece(K2, "K'200", "08.5", "72"), piece(K2, "K'200", "特价", "60"),
                                          piece(K2, "K'200", "0", "0")};
    ASSERT_TRUE(writeSale(lines, 300, 11));
    EXPECT_TRUE(messages().shown().isEmpty());

    EXPECT_EQ(sellNo, "202403050001");
    EXPECT_EQ(column("SellNo"), QStringList(5, "202403050001"));
    EXPECT_EQ(column("Quantity"), QStringList(5, "1"));
    EXPECT_EQ(column("Abate"), QStringList({"全", "8.5", "08.5", "特价", "0"}));
    EXPECT_EQ(column("Amount"), QStringList({"85", "72", "72", "60", "0"}));
    EXPECT_EQ(column("BuyPrice"), QStringList({"0", "0", "60.5", "60.5", "60.5"}));
    EXPECT_EQ(scalar("select count(distinct GUID) from Sell"), "5");
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "8");
    EXPECT_EQ(quantityOf("Store", "GUID", K2), "7");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", batchK2), "6");

    // One whole row, every one of its 24 values.
    const jet::RecordSet rs = sql("select * from Sell where TypeNo='K''200' order by rowid");
    ASSERT_EQ(rs.fieldCount(), 24);
    QStringList values;
    for (int c = 1; c < rs.fieldCount(); ++c)
        values << rs.text(0, c);
    EXPECT_EQ(values, QStringList({K2, gShopNo, "K'200", "夹克", "Br'and", "XL", "黑", "棉", "一等", "广州", "1",
                                   "85", "08.5", "72", "60.5", "o'1", "2024-03-05", "202403050001", batchK2,
                                   "O'Neil", "0", "300", "11"}));
    EXPECT_EQ(rs.text(0, 0).size(), 38);
    EXPECT_TRUE(rs.text(0, 0).startsWith('{'));
}

TEST_F(Checkout, AFailedStatementLeavesNothingWritten)
{
    const QString a = batch(K1, 40, 5, "2024-03-01");
    const QString b = batch(K2, 50, 5, "2024-03-01");
    // The third piece's row is refused after two pieces went through every statement.
    sql("create unique index ixOnePerGoods on Sell(TypeNo)");
    const QList<sales::SaleLine> lines = {piece(K1, "K-100"), piece(K2, "K'200"), piece(K1, "K-100")};
    EXPECT_FALSE(writeSale(lines, 300, 45));
    EXPECT_EQ(sale.Write.Result, core::WriteResult::Failed);
    EXPECT_TRUE(sale.Write.Error.contains("UNIQUE", Qt::CaseInsensitive)) << sale.Write.Error.toStdString();
    EXPECT_TRUE(messages().shown().isEmpty()) << "the engine's words are handed back, not shown";
    EXPECT_EQ(scalar("select count(*) from Sell"), "0");
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "10");
    EXPECT_EQ(quantityOf("Store", "GUID", K2), "10");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", a), "5");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", b), "5");

    // Nothing is left open: the same sale goes through once the obstacle is gone.
    sql("drop index ixOnePerGoods");
    EXPECT_TRUE(writeSale(lines, 300, 45));
    EXPECT_EQ(scalar("select count(*) from Sell"), "3");
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "8");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", a), "3");
}

TEST_F(Checkout, TheSaleNumberIsTheOneFreeWhenTheSaleIsWritten)
{
    // Another counter sold 0001 to 0004 since this one read its number.
    for (const char* n : {"202403050001", "202403050002", "202403050003", "202403050004"})
        soldBefore(n);
    ASSERT_TRUE(writeSale({piece(K1, "K-100")}, 100, 15));
    EXPECT_EQ(sellNo, "202403050005");

    sql("delete from Sell");
    soldBefore("202403059999");
    EXPECT_FALSE(writeSale({piece(K1, "K-100")}, 100, 15));
    EXPECT_EQ(sale.Number, sales::SellNoStatus::UsedUp);
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(scalar("select count(*) from Sell"), "1");
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "9") << "only the first sale took a piece";
    EXPECT_TRUE(sellNo.isEmpty());
}

namespace {

// A second counter: connects to the database in the given folder and, once
// released, checks out pieces of K1 one sale at a time. Arguments after the
// start's: the folder, the number of sales.
int CounterProgram(const QStringList& args)
{
    FakeServices fakes;
    if (!rulestest::OpenShopSession(args.value(2)))
        return 3;
    if (!readyThenAwaitStart(args))
        return 8;
    sales::SaleLine line;
    line.TypeNo = QStringLiteral("K-100");
    line.StoreGUID = K1;
    line.Price = line.Amount = QStringLiteral("85");
    line.Quantity = QStringLiteral("1");
    line.Abate = QStringLiteral("全");
    for (int i = 0; i < args.value(3).toInt(); ++i) {
        if (!sales::WriteSale({line}, 100, 15).Write.written())
            return 5;
    }
    return fakes.messages.shown().isEmpty() ? 0 : 6;
}
const ChildRegistration kCounter("counter", CounterProgram);

}  // namespace

TEST_F(Checkout, TwoCountersOnOneFileNeverShareASaleNumber)
{
    sql("Update Store Set Quantity=1000 Where GUID='" + K1 + "'");
    const int sales = 100;
    const QStringList counter = {folder(), QString::number(sales)};
    const auto counters = startTogether("counter", {counter, counter});
    ASSERT_EQ(counters.size(), 2u);
    EXPECT_EQ(exitCodes(counters), QList<int>({0, 0}));
    EXPECT_EQ(scalar("select count(*) from Sell"), QString::number(2 * sales));
    EXPECT_EQ(scalar("select count(distinct SellNo) from Sell"), QString::number(2 * sales));
    EXPECT_EQ(scalar("select max(SellNo) from Sell"), "20240305" + QString::number(2 * sales).rightJustified(4, '0'));
    EXPECT_EQ(quantityOf("Store", "GUID", K1), QString::number(1000 - 2 * sales));
}

TEST_F(Checkout, PiecesLeaveTheStockRowOnlyWhileItHasThemAll)
{
    const struct {
        int pieces;
        core::WriteResult result;
        const char* left;
    } cases[] = {
        {1, core::WriteResult::Written, "9"},    {8, core::WriteResult::Written, "1"},
        {2, core::WriteResult::OutOfStock, "1"}, {1, core::WriteResult::Written, "0"},
        {1, core::WriteResult::OutOfStock, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pieces);
        EXPECT_EQ(core::SendOne(sales::TakePiecesSql(K1, c.pieces), core::WriteResult::OutOfStock).Result, c.result);
        EXPECT_EQ(quantityOf("Store", "GUID", K1), c.left);
    }
    EXPECT_EQ(quantityOf("Store", "GUID", K2), "10");
}
