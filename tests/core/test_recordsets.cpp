// The engine layer's own storage, on the shop's database: record sets of many rows read back value by
// value, the numbers the grid totals, and the file a closed connection leaves.
#include "core/rules/clsdbopt.h"
#include "core/rules/schema.h"
#include "core/modmain.h"
#include "platform/base/jetdb.h"
#include "platform/base/vb.h"
#include "support/shopfixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using RecordSets = ShopFixture;

}  // namespace

TEST_F(RecordSets, ManyRowsAndLongTextsReadBackValueByValue)
{
    // Enough rows and bytes to fill many chunks and blocks, with a text of its
    // own block (over a megabyte) in the middle.
    const int n = 300000;
    const jet::RecordSet rs = sql(QStringLiteral(
        "WITH RECURSIVE k(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM k WHERE x<%1) "
        "SELECT x, 'r' || x, x*0.25, CASE WHEN x%7=0 THEN NULL WHEN x=150000 THEN zeroblob(0) || "
        "printf('%2000000c', 'y') ELSE substr('鞋子鞋子鞋子鞋子鞋子鞋子', 1, x%9) END, x%3=0 FROM k").arg(n));
    ASSERT_EQ(rs.recordCount(), n);
    ASSERT_EQ(rs.fieldCount(), 5);
    const QString shoes = QStringLiteral("鞋子鞋子鞋子鞋子鞋子鞋子");
    for (int r = 0; r < n; r += (r < 2000 ? 1 : 997)) {
        const int x = r + 1;
        SCOPED_TRACE(x);
        ASSERT_EQ(rs.text(r, 0), QString::number(x));
        ASSERT_EQ(rs.value(r, 0).toLongLong(), x);
        ASSERT_EQ(rs.text(r, 1), QStringLiteral("r%1").arg(x));
        ASSERT_EQ(rs.value(r, 2).toDouble(), x * 0.25);
        if (x % 7 == 0) {
            ASSERT_TRUE(rs.value(r, 3).isNull());
            ASSERT_EQ(rs.text(r, 3), QString());
        } else {
            ASSERT_EQ(rs.text(r, 3), shoes.left(x % 9));
        }
        ASSERT_EQ(rs.text(r, 4), x % 3 == 0 ? "1" : "0");
    }
    const QString longText = rs.text(149999, 3);
    EXPECT_EQ(longText.size(), 2000000);
    EXPECT_TRUE(longText.endsWith(QLatin1Char('y')));
    EXPECT_EQ(rs.text(150000, 3), shoes.left(150001 % 9));  // the row after it
    EXPECT_EQ(rs.text(n - 1, 1), QStringLiteral("r%1").arg(n));
    EXPECT_THROW(rs.text(n, 0), jet::Error);
    EXPECT_THROW(rs.text(0, 5), jet::Error);

    QByteArrayView bytes;
    ASSERT_TRUE(rs.textBytes(3, 3, &bytes));
    EXPECT_EQ(QString::fromUtf8(bytes), shoes.left(4));
    EXPECT_FALSE(rs.textBytes(3, 0, &bytes));  // a number
    EXPECT_FALSE(rs.textBytes(6, 3, &bytes));  // Null

    // A copy shares the values and outlives the original.
    jet::RecordSet copy;
    {
        const jet::RecordSet again = sql("select 'a' as t union all select 'b'");
        copy = again;
    }
    EXPECT_EQ(copy.text(1, 0), "b");
}

TEST_F(RecordSets, NumbersOfTextsAreTheLeadingNumbersOfTheTexts)
{
    // Money columns (Single), Yes/No, whole numbers, reals and texts as the grid
    // totals them: textNumber is vb::val of the text, however it is stored.
    sql("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('{A}',72.25,3,'2024-03-05','S')");
    sql("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('{A}',0.1,-2,'2024-03-05','S')");
    sql("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('{A}',85.123456789,0,'2024-03-05','S')");
    sql("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('x',16777217,9007199254740993,'2024-03-05','S')");
    sql("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('12.5kg',Null,Null,'2024-03-05','S')");
    const jet::RecordSet rs = sql("Select Price, Quantity, StoreGUID, Price*1, Quantity*1.5, Quantity<0 as neg, "
                                  "1e300*10 as big from BuyPrice");
    ASSERT_EQ(rs.recordCount(), 5);
    for (int r = 0; r < rs.recordCount(); ++r)
        for (int c = 0; c < rs.fieldCount(); ++c) {
            SCOPED_TRACE(QStringLiteral("%1,%2: %3").arg(r).arg(c).arg(rs.text(r, c)).toStdString());
            const QString t = rs.text(r, c);
            EXPECT_EQ(rs.textNumber(r, c), t.isEmpty() ? 0.0 : vb::val(t));
        }
    EXPECT_EQ(rs.text(1, 0), "0.1");
    EXPECT_EQ(rs.textNumber(1, 0), 0.1);
    EXPECT_EQ(rs.textNumber(4, 2), 12.5);
}

TEST_F(RecordSets, ClosingFoldsTheLogBackIntoTheFile)
{
    const QString path = clsDbopt::DatabasePath();
    EXPECT_EQ(scalar("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(scalar("PRAGMA synchronous"), "2");  // full: every commit flushed
    sql("Insert Into OtherOut Values ('{K}','S','我的店铺','电费',120,'2024-03-05','','管理员')");
    EXPECT_TRUE(QFile::exists(path + "-wal"));
    gDbopt.Release();
    EXPECT_FALSE(QFile::exists(path + "-wal"));
    EXPECT_FALSE(QFile::exists(path + "-shm"));

    // The file alone, copied once the program has closed it, holds the write.
    const QString copied = folder() + "/copy/" + QFileInfo(path).fileName();
    ASSERT_TRUE(QDir().mkpath(folder() + "/copy"));
    ASSERT_TRUE(QFile::copy(path, copied));
    jet::Connection copy;
    QString why;
    ASSERT_TRUE(copy.open("Data Source=" + copied, schema::kApplicationId, &why)) << why.toStdString();
    EXPECT_EQ(copy.execute("select Item from OtherOut", &why).text(0, 0), "电费");
    copy.close();
    ASSERT_TRUE(gDbopt.ConnectionToDB());
}
