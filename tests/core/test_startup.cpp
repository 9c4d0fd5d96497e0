// Start-up: the database refused, locked or older than the program.
#include "core/frmlogin.h"
#include "core/modmain.h"
#include "core/rules/schema.h"
#include "support/shopfixture.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <functional>

namespace {

struct StartUp : ::testing::Test {
    FakePlatform fakes;
    QTemporaryDir dir;
    void SetUp() override { ui::setProgramFolder(dir.path()); }
    void TearDown() override
    {
        gDbopt.Release();
        ui::setProgramFolder(QString());
    }
};

// Runs statements on the file as another program would, outside the shop's connection.
void runOnFile(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

// A failed start shows the one message with its reason on a second line, opens
// no window and leaves the file as it found it: never created, never switched
// to the write-ahead log, never given an index.
TEST_F(StartUp, AFailedStartSaysWhyAndLeavesTheFileAsItWas)
{
    const QString path = clsDbopt::DatabasePath();
    struct Case {
        const char* what;
        std::function<void()> make;  // the file as found at start; none when empty
        QString reason;
    };
    // A delivered database, then changed by another program.
    auto delivered = [&path](const char* change) {
        return [&path, change] {
            ASSERT_TRUE(schema::createDeliveredDatabase(path, nullptr));
            runOnFile(path, change);
        };
    };
    const Case cases[] = {
        {"no file", {}, "找不到文件：" + path},
        {"some other file under the shop database's name",
         [&] {
             QFile other(path);
             ASSERT_TRUE(other.open(QIODevice::WriteOnly));
             other.write("not a database at all, just some bytes");
         },
         "不是本系统的数据库：" + path},
        {"another program's database", [&] { runOnFile(path, "create table Goods (Name text)"); },
         "不是本系统的数据库：" + path},
        {"the shop's database without its sales", delivered("drop table Sell"), "数据库中缺少数据表：Sell"},
        {"without two tables", delivered("drop table [User]; drop table FileSave"),
         "数据库中缺少数据表：User、FileSave"},
        // A table with a column dropped, of another type or added would take
        // the rows of the shop's statements wrongly or not at all.
        {"the stock without its retail price", delivered("alter table Store drop column Price"),
         "数据表 Store 中缺少字段：Price"},
        {"the batches' cost price as text",
         delivered("drop table BuyPrice; create table BuyPrice (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                   "StoreGUID TEXT, Price TEXT, Quantity INTEGER, sDate TEXT, ShopNo TEXT)"),
         "数据表 BuyPrice 中字段类型不符：Price"},
        {"a role with a flag of its own", delivered("alter table Role add column Extra YESNO"),
         "数据表 Role 中多出字段：Extra"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path);
        fakes.messages.clear();
        if (c.make)
            c.make();
        const QByteArray before = bytesOf(path);
        EXPECT_FALSE(core::Main());
        ASSERT_EQ(fakes.messages.shown().size(), 1);
        EXPECT_EQ(fakes.messages.last().text, "连接数据库失败！\n" + c.reason);
        EXPECT_EQ(fakes.messages.last().title, "提示");
        EXPECT_EQ(fakes.messages.last().icon, ui::Icon::Information);
        EXPECT_TRUE(fakes.modal.opened().isEmpty());
        EXPECT_EQ(QFile::exists(path), bool(c.make)) << "the connection must never create the file";
        EXPECT_EQ(bytesOf(path), before);
        const QStringList left = QFile::exists(path) ? QStringList({schema::kDatabaseFileName}) : QStringList();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), left) << "no log or lock file stays beside it";
    }

    // The application id is what tells the shop's database from another.
    QFile::remove(path);
    ASSERT_TRUE(schema::createDeliveredDatabase(path, nullptr));
    jet::Connection probe;
    EXPECT_FALSE(probe.open("Data Source=" + path, schema::kApplicationId + 1, nullptr));
    fakes.messages.clear();
    fakes.modal.dismiss<frmLogin>();
    EXPECT_TRUE(core::Main());
    EXPECT_EQ(fakes.modal.opened(), QStringList({"frmLogin"}));
    EXPECT_TRUE(fakes.messages.shown().isEmpty());
}

// Another program holding the write lock: the start says so rather than failing
// on the first sale.
TEST_F(StartUp, ADatabaseLockedByAnotherProgramIsReported)
{
    const QString path = clsDbopt::DatabasePath();
    ASSERT_TRUE(schema::createDeliveredDatabase(path, nullptr));
    jet::Connection other;
    ASSERT_TRUE(other.open("Data Source=" + path, schema::kApplicationId, nullptr));
    other.beginTrans();
    EXPECT_FALSE(core::Main());
    ASSERT_EQ(fakes.messages.shown().size(), 1);
    EXPECT_EQ(fakes.messages.last().text, "连接数据库失败！\n数据库正被其他程序使用：" + path);
    other.rollbackTrans();
}

TEST_F(StartUp, AnOlderDatabaseGetsTheIndexesItLacks)
{
    ASSERT_TRUE(schema::createDeliveredDatabase(clsDbopt::DatabasePath(), nullptr));
    {
        jet::Connection older;
        ASSERT_TRUE(older.open("Data Source=" + clsDbopt::DatabasePath(), schema::kApplicationId, nullptr));
        QString error;
        older.execute("drop index ixSellTypeNo", &error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    }
    ASSERT_TRUE(gDbopt.ConnectionToDB());
    EXPECT_EQ(gDbopt.Excute("select count(*) from sqlite_master where name='ixSellTypeNo'").text(0, 0), "1");
    EXPECT_TRUE(fakes.messages.shown().isEmpty());
    gDbopt.Release();
}
