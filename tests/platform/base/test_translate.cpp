// The Jet dialect turned into SQLite, token by token.
#include "platform/base/jetdb.h"

#include <gtest/gtest.h>

TEST(Translate, DialectToSqlite)
{
    const struct {
        const char* jet;
        const char* sqlite;  // "" when the statement is refused
        const char* error;   // part of the refusal
    } cases[] = {
        // Dates of whole days between "#", year first, "-" or "/".
        {"select * from Sell where DateTime>=#2024-3-5#", "select * from Sell where DateTime>='2024-03-05'", ""},
        {"select * from Sell where DateTime<=#2024/12/31#", "select * from Sell where DateTime<='2024-12-31'", ""},
        {"select * from Sell where DateTime=#3/5/2024#", "", "日期"},
        {"select * from Sell where DateTime=#2024-2-30#", "", "日期"},
        {"select * from Sell where DateTime=#2024-3-5", "", "日期"},
        // "top n" becomes a limit at the end, once per statement.
        {"select top 1 ID from BuyPrice order by ID", "select  ID from BuyPrice order by ID LIMIT 1", ""},
        {"select distinct top 2 Name from Store", "select distinct  Name from Store LIMIT 2", ""},
        {"select top 10 percent * from Store", "", "PERCENT"},
        {"select top x * from Store", "", "TOP"},
        {"select top 1 * from Store where GUID in (select top 2 StoreGUID from Sell)", "", "TOP"},
        {"select Top from Store", "", "TOP"},  // a reserved word, as in Jet
        // Flags and functions.
        {"update Role set Sell=true, BuyIn=False", "update Role set Sell=-1, BuyIn=0", ""},
        {"select mid(SellNo,1,8) from Sell", "select substr(SellNo,1,8) from Sell", ""},
        {"select Mid from Store", "select Mid from Store", ""},
        // Names in brackets and texts are left as they stand; "..." is a text.
        {"select [Size], [true] from Store where Name='top 1 mid(true)'",
         "select [Size], [true] from Store where Name='top 1 mid(true)'", ""},
        {"select * from Store where Name=\"it's\"", "select * from Store where Name='it''s'", ""},
        {"select * from Store where Name='it''s #1'", "select * from Store where Name='it''s #1'", ""},
        {"select * from Store where Name='open", "", "字符串"},
        // No comments, exactly one statement.
        {"select 5--2", "select 5- -2", ""},
        {"select 6/*2*/", "select 6/ *2*/", ""},
        {"select 1;", "select 1", ""},
        {"select 1;  \n", "select 1", ""},
        {"select 1; delete from Sell", "", "结尾"},
        {"   ", "", "无效"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.jet);
        const jet::Translation t = jet::translate(QString::fromUtf8(c.jet));
        if (*c.sqlite) {
            EXPECT_TRUE(t.ok()) << t.error.toStdString();
            EXPECT_EQ(t.sql.trimmed().toStdString(), c.sqlite);
        } else {
            EXPECT_FALSE(t.ok()) << t.sql.toStdString();
            EXPECT_TRUE(t.sql.isEmpty());
            EXPECT_TRUE(t.error.contains(QString::fromUtf8(c.error), Qt::CaseInsensitive)) << t.error.toStdString();
        }
    }
}
