// The delivered database, row keys and the session records read from it.
#include "core/rules/clsnewguid.h"
#include "core/rules/roles.h"
#include "core/rules/shopsetup.h"
#include "support/basefakes.h"
#include "support/rulesfixture.h"

#include <QRegularExpression>
#include <QSet>

#include <functional>
#include <tuple>

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

class Delivered : public RulesFixture {};

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
    EXPECT_EQ(rows("select count(*) from sqlite_master where type='table' and name<>'sqlite_sequence'"), "15");
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
    EXPECT_EQ(rows("select count(*) from Shop Where GUID='" + schema::kShopKey + "' And ShopName<>''"), "1");
    EXPECT_EQ(rows("select count(*) from Shop"), "1");
    for (const char* empty : {"Store", "StoreDetail", "BuyPrice", "Sell", "SellChange", "BackStore",
                              "FactoryBackTotal", "DayAmount", "OtherOut"})
        EXPECT_EQ(rows(QString("select count(*) from ") + empty), "0") << empty;

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

    EXPECT_EQ(rows("select Content from Datadictionary Where item='折扣'"), "9.5|9|8.5|8|7|6|5");
    for (const char* list : {"品牌", "种类", "颜色", "尺码", "面料", "等级", "产地", "退货原因", "调换原因", "作废原因", "其他支出项目"})
        EXPECT_NE(rows(QString("select count(*) from DataDictionary Where Item='") + list + "'"), "0") << list;
}

TEST_F(Delivered, UserInitialTakesTheStoredNumberAndNeverWidensTheSearch)
{
    sql("Insert Into [User] Values ('{U1}','A01','张三',Null,'{NO-SUCH-ROLE}','店员')");

    // A quote in the typed number finds nobody.
    core::Loaded loaded = gUser.Initial("x' or pwd='admin");
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(loaded.failed());
    EXPECT_EQ(gUser.No, "admin");

    // The number as stored; the role's flags stay as they were when it has no row;
    // a Null password reads as empty.
    loaded = gUser.Initial("a01");
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(loaded.failed());
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
    const core::Loaded loaded = rules.Initial("{NO-SUCH-SHOP}");
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(loaded.failed());
    EXPECT_EQ(rules.BackDays, 4);
}

// What the session reads back is what was written: each permission on its own
// grants exactly itself, and each of the shop's rules changes only itself.
TEST_F(Delivered, EachPermissionAndEachRuleReadsBackAsWritten)
{
    for (const QString& f : schema::roleFlags()) {
        SCOPED_TRACE(f.toStdString());
        core::RoleRow row{"R-" + f, "role " + f, {}};
        for (const QString& g : schema::roleFlags())
            row.Flags.append({g, g == f});
        ASSERT_TRUE(core::WriteRole(row, core::RowKind::New).written());
        clsRole role;
        ASSERT_TRUE(role.Initial(row.GUID));
        EXPECT_EQ(role.Name, row.Name);
        for (const QString& g : schema::roleFlags())
            EXPECT_EQ(*role.flag(g), g == f) << g.toStdString();
    }

    const auto held = [](const clsSellRole& r) {
        return std::tie(r.ShopNo, r.SellOrder, r.BackDays, r.AbateCanNotBack, r.SpecialCanNotBack, r.ChangeDays,
                        r.AbateCanNotChange, r.SpecialCanNotChange, r.SameTypeChange, r.DearGoodsChange,
                        r.ChangeOneTime, r.ChangNotToBack, r.IsPrint, r.PrinterType);
    };
    const struct {
        const char* rule;
        std::function<void(clsSellRole&)> change;
    } cases[] = {
        {"SellOrder", [](clsSellRole& r) { r.SellOrder = 1; }},
        {"BackDays", [](clsSellRole& r) { r.BackDays = 2147483647; }},
        {"AbateCanNotBack", [](clsSellRole& r) { r.AbateCanNotBack = true; }},
        {"SpecialCanNotBack", [](clsSellRole& r) { r.SpecialCanNotBack = true; }},
        {"ChangeDays", [](clsSellRole& r) { r.ChangeDays = 30; }},
        {"AbateCanNotChange", [](clsSellRole& r) { r.AbateCanNotChange = true; }},
        {"SpecialCanNotChange", [](clsSellRole& r) { r.SpecialCanNotChange = true; }},
        {"SameTypeChange", [](clsSellRole& r) { r.SameTypeChange = true; }},
        {"DearGoodsChange", [](clsSellRole& r) { r.DearGoodsChange = true; }},
        {"ChangeOneTime", [](clsSellRole& r) { r.ChangeOneTime = true; }},
        {"ChangNotToBack", [](clsSellRole& r) { r.ChangNotToBack = true; }},
        {"IsPrint", [](clsSellRole& r) { r.IsPrint = true; }},
        {"PrinterType", [](clsSellRole& r) { r.PrinterType = 1; }},
    };
    const clsSellRole delivered = gSellRole;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        clsSellRole written = delivered;
        c.change(written);
        ASSERT_NE(held(written), held(delivered));
        ASSERT_TRUE(core::WriteSellRole(written).written());
        clsSellRole read;
        ASSERT_TRUE(read.Initial(schema::kShopKey));
        EXPECT_EQ(held(read), held(written));
        ASSERT_TRUE(core::WriteSellRole(delivered).written());
    }
}

// A record that cannot be read is handed back with the engine's words, and
// nothing is shown: the window that asked shows it.
TEST_F(Delivered, AFailedReadHandsBackTheEnginesWords)
{
    const struct {
        const char* dropped;
        std::function<core::Loaded()> load;
        bool found;  // the user is found even when the user's role cannot be read
    } cases[] = {
        {"[User]", [] { return clsUser().Initial("admin"); }, false},
        {"Role", [] { return clsUser().Initial("admin"); }, true},
        {"Role", [] { return clsRole().Initial(schema::kAdminRoleKey); }, false},
        {"SellRole", [] { return clsSellRole().Initial(schema::kShopKey); }, false},
    };
    FakeServices services;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dropped);
        sql(QString("Alter Table %1 Rename To Kept").arg(c.dropped));
        const core::Loaded loaded = c.load();
        sql(QString("Alter Table Kept Rename To %1").arg(c.dropped));
        EXPECT_EQ(bool(loaded), c.found);
        EXPECT_TRUE(loaded.Error.contains("no such table")) << loaded.Error.toStdString();
    }
    EXPECT_TRUE(services.messages.shown().isEmpty());
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
