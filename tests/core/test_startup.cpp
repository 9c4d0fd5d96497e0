// Start-up, the delivered database, row keys and the session records.
#include "core/frmlogin.h"
#include "core/modmain.h"
#include "core/rules/schema.h"
#include "support/shopfixture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

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

TEST(Guid, FormsAndUniqueness)
{
    clsNewGUID g;
    const QRegularExpression braced("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$");
    QSet<QString> seen;
    for (int i = 0; i < 200; ++i) {
        const QString k = g.GUID(false);
        EXPECT_EQ(k.size(), 38);
        EXPECT_TRUE(braced.match(k).hasMatch()) << k.toStdString();
        seen.insert(k);
    }
    EXPECT_EQ(seen.size(), 200);
    EXPECT_TRUE(QRegularExpression("^[0-9A-F]{32}$").match(g.GUID(true)).hasMatch());
}

class Delivered : public ShopFixture {};

TEST_F(Delivered, TablesHaveTheirColumnsInOrder)
{
    const QList<QPair<QString, QString>> tables = {
        {"Store", "GUID ShopNo TypeNo Name Brand Size Colour Leather Grade ProductPlace Quantity Price IDCode GoodsFloor"},
        {"StoreDetail", "GUID ParentGUID ShopNo TypeNo Name Brand Size Colour Leather Grade Price Quantity ProductPlace Memo DateTime"},
        {"BuyPrice", "ID StoreGUID Price Quantity sDate ShopNo"},
        {"Sell", "GUID StoreGUID ShopNo TypeNo Name Brand Size Colour Leather Grade ProductPlace Quantity Price Abate "
                 "Amount BuyPrice Seller DateTime SellNo BuyPriceID SellerName State Money1 Money2"},
        {"SellChange", "GUID StoreGUID ShopNo TypeNo Name Brand Size Colour Leather Grade ProductPlace Quantity Price "
                       "Abate Amount BuyPrice Seller Datetime BuyPriceID SellerName AddAmount SellGUID SellNo "
                       "ChangeDate State Resion"},
        {"BackStore", "ID GUID ShopNo TypeNo Name Brand Size Colour Leather Grade ProductPlace Quantity BuyPrice "
                      "BackResion Seller SellName IsBackFactory BackFactoryDate"},
        {"FactoryBackTotal", "ID DateTime Seller SellerNo Quantity Amount ShopNo"},
        {"DayAmount", "GUID SellQuantity SellAmount BackQuantity BackAmount ChangeQuantity ChangeAmount ReciveAmount "
                      "Seller DateTime ShopNo ShopName"},
        {"OtherOut", "GUID ShopNo ShopName Item Amount DateTime Memo OptName"},
        {"Shop", "GUID ShopName"},
        {"[User]", "GUID No Name pwd RoleGUID RoleName"},
        {"Role", "GUID Name " + schema::roleFlags().join(' ')},
        {"SellRole", "ShopNo SellOrder BackDays AbateCannotBack SpecialCannotBack ChangeDays AbateCannotChange "
                     "SpecialCannotChange SameTypeChange DearGoodsChange ChangeOneTime ChangNotToBack IsPrint PrinterType"},
        {"FileSave", "dirpath Drive Dir FileName IsSave"},
        {"DataDictionary", "Item Content"},
    };
    EXPECT_EQ(scalar("select count(*) from sqlite_master where type='table' and name<>'sqlite_sequence'"), "15");
    for (const auto& t : tables) {
        jet::RecordSet rs = sql("select * from " + t.first + " where 1=0");
        QStringList names;
        for (int c = 0; c < rs.fieldCount(); ++c)
            names << rs.fieldName(c);
        EXPECT_EQ(names.join(' '), t.second) << t.first.toStdString();
    }
    EXPECT_EQ(schema::roleFlags().size(), 26);
}

TEST_F(Delivered, HoldsWhatAShopNeedsToStart)
{
    EXPECT_EQ(gShopNo, schema::kShopKey);
    EXPECT_FALSE(gShopName.isEmpty());
    EXPECT_EQ(scalar("select count(*) from Shop"), "1");
    for (const char* empty : {"Store", "StoreDetail", "BuyPrice", "Sell", "SellChange", "BackStore",
                              "FactoryBackTotal", "DayAmount", "OtherOut"})
        EXPECT_EQ(scalar(QString("select count(*) from ") + empty), "0") << empty;

    jet::RecordSet rules = sql("select * from SellRole Where ShopNo='" + schema::kShopKey + "'");
    ASSERT_EQ(rules.recordCount(), 1);
    for (int c = 1; c < rules.fieldCount(); ++c)
        EXPECT_EQ(rules.text(0, c), "0") << rules.fieldName(c).toStdString();

    jet::RecordSet backup = sql("select * from FileSave");
    ASSERT_EQ(backup.recordCount(), 1);
    EXPECT_EQ(backup.fieldText("FileName"), "数据备份");
    EXPECT_TRUE(backup.fieldText("dirpath").endsWith("/数据备份"));
    EXPECT_EQ(backup.fieldText("IsSave"), "0");

    // The administrator: every permission, and the user logged in by the fixture.
    jet::RecordSet admin = sql("select * from Role Where GUID='" + schema::kAdminRoleKey + "'");
    ASSERT_EQ(admin.recordCount(), 1);
    for (int c = 2; c < admin.fieldCount(); ++c)
        EXPECT_EQ(admin.text(0, c), "-1");
    EXPECT_EQ(gUser.No, "admin");
    EXPECT_EQ(gUser.Name, "管理员");
    EXPECT_EQ(gUser.PassWord, "admin");
    ASSERT_TRUE(gUser.Role);
    EXPECT_EQ(gUser.Role->GUID, schema::kAdminRoleKey);
    EXPECT_TRUE(gUser.Role->Profit && gUser.Role->ReStart && gUser.Role->AllList);

    jet::RecordSet discounts = sql("select Content from Datadictionary Where item='折扣'");
    QStringList d;
    for (; !discounts.eof(); discounts.moveNext())
        d << discounts.fieldText("Content");
    EXPECT_EQ(d.join(' '), "9.5 9 8.5 8 7 6 5");
    for (const char* list : {"品牌", "种类", "颜色", "尺码", "面料", "等级", "产地", "退货原因", "调换原因", "作废原因", "其他支出项目"})
        EXPECT_NE(scalar(QString("select count(*) from DataDictionary Where Item='") + list + "'"), "0") << list;
}

TEST_F(Delivered, UserInitialTakesTheStoredNumberAndNeverWidensTheSearch)
{
    sql("Insert Into [User] Values ('{U1}','A01','张三',Null,'{NO-SUCH-ROLE}','店员')");
    messages().clear();

    // A quote in the typed number finds nobody, and nothing is shown.
    EXPECT_FALSE(gUser.Initial("x' or pwd='admin"));
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(gUser.No, "admin");

    // The number as stored; the role's flags stay as they were when it has no row;
    // a Null password reads as empty.
    ASSERT_TRUE(gUser.Initial("a01"));
    EXPECT_EQ(gUser.No, "A01");
    EXPECT_EQ(gUser.Name, "张三");
    EXPECT_EQ(gUser.PassWord, "");
    EXPECT_TRUE(gUser.Role->Profit);
    EXPECT_FALSE(gUser.LoginTime.isEmpty());

    EXPECT_FALSE(gUser.Initial("nobody"));
    EXPECT_EQ(gUser.No, "A01");
}

TEST_F(Delivered, MissingRulesRowLeavesTheRulesAsTheyWere)
{
    clsSellRole rules;
    rules.BackDays = 4;
    rules.Initial("{NO-SUCH-SHOP}");
    EXPECT_EQ(rules.BackDays, 4);
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST(DayLimit, SaleDayIsDayOne)
{
    const QDate sale(2024, 3, 5);
    const struct {
        int limit, daysLater;
        bool allowed;
    } cases[] = {{1, 0, true}, {1, 1, false}, {3, 2, true}, {3, 3, false}, {0, 400, true}};
    for (const auto& c : cases)
        EXPECT_EQ(core::WithinDayLimit(sale, sale.addDays(c.daysLater), c.limit), c.allowed)
            << c.limit << " " << c.daysLater;
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
