#include "core/rules/schema.h"

#include "core/rules/sqltext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <sqlite3.h>

namespace schema {

namespace {

// Column kinds. Text compares without regard to letter case, as the shop's
// queries expect; money is single precision; dates hold the ISO day only;
// Yes/No is kept as -1/0 whatever a writer sends (see the triggers below).
const QString T = QStringLiteral("TEXT COLLATE NOCASE");
const QString I = QStringLiteral("INTEGER");
const QString M = QStringLiteral("SINGLE");
const QString B = QStringLiteral("YESNO NOT NULL DEFAULT 0");
const QString A = QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
const QString D = QStringLiteral("D");  // expanded per column with its check

struct Table {
    QString name;
    QList<QPair<QString, QString>> columns;
};

QString columnSql(const QString& name, const QString& kind)
{
    if (kind == D)
        return QStringLiteral("[%1] TEXT CHECK ([%1] IS NULL OR [%1] GLOB "
                              "'[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]')")
            .arg(name);
    return QStringLiteral("[%1] %2").arg(name, kind);
}

QList<Table> tables()
{
    QList<Table> t;
    const QList<QPair<QString, QString>> goods7 = {
        {"TypeNo", T}, {"Name", T}, {"Brand", T}, {"Size", T}, {"Colour", T}, {"Leather", T}, {"Grade", T}};
    auto goods8 = goods7;
    goods8.append({"ProductPlace", T});

    t.append({"Store", QList<QPair<QString, QString>>{{"GUID", T}, {"ShopNo", T}} + goods8 +
                           QList<QPair<QString, QString>>{
                               {"Quantity", I}, {"Price", M}, {"IDCode", T}, {"GoodsFloor", T}}});
    t.append({"StoreDetail", QList<QPair<QString, QString>>{{"GUID", T}, {"ParentGUID", T}, {"ShopNo", T}} +
                                 goods7 +
                                 QList<QPair<QString, QString>>{{"Price", M},
                                                                {"Quantity", I},
                                                                {"ProductPlace", T},
                                                                {"Memo", T},
                                                                {"DateTime", D}}});
    t.append({"BuyPrice",
              {{"ID", A}, {"StoreGUID", T}, {"Price", M}, {"Quantity", I}, {"sDate", D}, {"ShopNo", T}}});
    t.append({"Sell", QList<QPair<QString, QString>>{{"GUID", T}, {"StoreGUID", T}, {"ShopNo", T}} + goods8 +
                          QList<QPair<QString, QString>>{{"Quantity", I},
                                                         {"Price", M},
                                                         {"Abate", T},
                                                         {"Amount", M},
                                                         {"BuyPrice", M},
                                                         {"Seller", T},
                                                         {"DateTime", D},
                                                         {"SellNo", T},
                                                         {"BuyPriceID", I},
                                                         {"SellerName", T},
                                                         {"State", I},
                                                         {"Money1", M},
                                                         {"Money2", M}}});
    t.append({"SellChange", QList<QPair<QString, QString>>{{"GUID", T}, {"StoreGUID", T}, {"ShopNo", T}} +
                                goods8 +
                                QList<QPair<QString, QString>>{{"Quantity", I},
                                                               {"Price", M},
                                                               {"Abate", T},
                                                               {"Amount", M},
                                                               {"BuyPrice", M},
                                                               {"Seller", T},
                                                               {"Datetime", D},
                                                               {"BuyPriceID", I},
                                                               {"SellerName", T},
                                                               {"AddAmount", M},
                                                               {"SellGUID", T},
                                                               {"SellNo", T},
                                                               {"ChangeDate", D},
                                                               {"State", I},
                                                               {"Resion", T}}});
    t.append({"BackStore", QList<QPair<QString, QString>>{{"ID", A}, {"GUID", T}, {"ShopNo", T}} + goods8 +
                               QList<QPair<QString, QString>>{{"Quantity", I},
                                                              {"BuyPrice", M},
                                                              {"BackResion", T},
                                                              {"Seller", T},
                                                              {"SellName", T},
                                                              {"IsBackFactory", B},
                                                              {"BackFactoryDate", D}}});
    t.append({"FactoryBackTotal",
              {{"ID", A},
               {"DateTime", D},
               {"Seller", T},
               {"SellerNo", T},
               {"Quantity", I},
               {"Amount", M},
               {"ShopNo", T}}});
    t.append({"DayAmount",
              {{"GUID", T},
               {"SellQuantity", I},
               {"SellAmount", M},
               {"BackQuantity", I},
               {"BackAmount", M},
               {"ChangeQuantity", I},
               {"ChangeAmount", M},
               {"ReciveAmount", M},
               {"Seller", T},
               {"DateTime", D},
               {"ShopNo", T},
               {"ShopName", T}}});
    t.append({"OtherOut",
              {{"GUID", T},
               {"ShopNo", T},
               {"ShopName", T},
               {"Item", T},
               {"Amount", M},
               {"DateTime", D},
               {"Memo", T},
               {"OptName", T}}});
    t.append({"Shop", {{"GUID", T}, {"ShopName", T}}});
    t.append({"User",
              {{"GUID", T},
               {"No", T},
               {"Name", T},
               {"pwd", QStringLiteral("TEXT")},
               {"RoleGUID", T},
               {"RoleName", T}}});
    QList<QPair<QString, QString>> role = {{"GUID", T}, {"Name", T}};
    for (const QString& f : roleFlags())
        role.append({f, B});
    t.append({"Role", role});
    t.append({"SellRole",
              {{"ShopNo", T},
               {"SellOrder", I},
               {"BackDays", I},
               {"AbateCannotBack", B},
               {"SpecialCannotBack", B},
               {"ChangeDays", I},
               {"AbateCannotChange", B},
               {"SpecialCannotChange", B},
               {"SameTypeChange", B},
               {"DearGoodsChange", B},
               {"ChangeOneTime", B},
               {"ChangNotToBack", B},
               {"IsPrint", B},
               {"PrinterType", I}}});
    t.append({"FileSave", {{"dirpath", T}, {"Drive", T}, {"Dir", T}, {"FileName", T}, {"IsSave", B}}});
    t.append({"DataDictionary", {{"Item", T}, {"Content", T}}});
    return t;
}

// Indexes for the statements the windows send. Equal keys come back in rowid
// order, so the index on the pick lists keeps each list in the order it was written.
const char* const kIndexes[] = {
    "CREATE INDEX ixStoreGUID ON Store(GUID)",
    // Not led by ShopNo: the stock lists of the one shop read faster as a plain
    // scan than through an index on the shop.
    "CREATE INDEX ixStoreTypeNo ON Store(TypeNo)",
    "CREATE INDEX ixStoreIDCode ON Store(IDCode)",
    "CREATE INDEX ixStoreDetailGUID ON StoreDetail(GUID)",
    // Not led by ShopNo either: every receipt line of the shop reads faster as a
    // plain scan; the days and the goods number have indexes of their own.
    "CREATE INDEX ixStoreDetailDate ON StoreDetail(DateTime)",
    "CREATE INDEX ixStoreDetailTypeNo ON StoreDetail(TypeNo, DateTime)",
    "CREATE INDEX ixStoreDetailParent ON StoreDetail(ParentGUID)",
    // The profit analysis sums the pieces and cost received in a span of days
    // from the index alone; led by the day, like the index above.
    "CREATE INDEX ixStoreDetailCost ON StoreDetail(DateTime, ShopNo, Quantity, Price)",
    "CREATE INDEX ixBuyPriceStore ON BuyPrice(StoreGUID, sDate, ID)",
    "CREATE INDEX ixBuyPriceDate ON BuyPrice(ShopNo, sDate)",
    // The units left in the shop's batches and their cost, summed from the index
    // alone: through the index by day the batches are read in no order of their
    // own, several times slower than this.
    "CREATE INDEX ixBuyPriceStock ON BuyPrice(ShopNo, Quantity, Price)",
    "CREATE INDEX ixSellGUID ON Sell(GUID)",
    // Whether a stock row has sale lines, before it may go with its last receipt.
    "CREATE INDEX ixSellStore ON Sell(StoreGUID)",
    "CREATE INDEX ixSellDate ON Sell(ShopNo, DateTime)",
    "CREATE INDEX ixSellDay ON Sell(ShopNo, substr(SellNo,1,8), SellNo)",
    "CREATE INDEX ixSellNo ON Sell(SellNo)",
    "CREATE INDEX ixSellTypeNo ON Sell(TypeNo)",
    "CREATE INDEX ixSellChangeDate ON SellChange(ShopNo, ChangeDate)",
    "CREATE INDEX ixSellChangeSell ON SellChange(SellGUID)",
    "CREATE INDEX ixBackStoreShop ON BackStore(ShopNo, IsBackFactory)",
    "CREATE INDEX ixFactoryBackDate ON FactoryBackTotal(ShopNo, DateTime)",
    "CREATE INDEX ixDayAmountDate ON DayAmount(ShopNo, DateTime)",
    "CREATE INDEX ixOtherOutDate ON OtherOut(ShopNo, DateTime)",
    "CREATE INDEX ixUserNo ON [User]([No])",
    "CREATE INDEX ixDataDictionaryItem ON DataDictionary(Item)",
};

// Yes/No columns hold -1 or 0, as the windows read them back, whatever was written.
QStringList yesNoTriggers(const Table& t)
{
    QStringList flags;
    for (const auto& c : t.columns)
        if (c.second == B)
            flags << c.first;
    if (flags.isEmpty())
        return {};
    QStringList sets, conds;
    for (const QString& f : flags) {
        sets << QStringLiteral("[%1]=CASE WHEN [%1]<>0 THEN -1 ELSE 0 END").arg(f);
        conds << QStringLiteral("NEW.[%1] NOT IN (-1,0)").arg(f);
    }
    const QString body = QStringLiteral(" WHEN %1 BEGIN UPDATE [%2] SET %3 WHERE rowid=NEW.rowid; END")
                             .arg(conds.join(QStringLiteral(" OR ")), t.name, sets.join(QLatin1Char(',')));
    return {QStringLiteral("CREATE TRIGGER [%1YesNoIns] AFTER INSERT ON [%1]").arg(t.name) + body,
            QStringLiteral("CREATE TRIGGER [%1YesNoUpd] AFTER UPDATE ON [%1]").arg(t.name) + body};
}

QString newKey() { return QUuid::createUuid().toString(QUuid::WithBraces).toUpper(); }

QStringList deliveredRows()
{
    QStringList rows;
    rows << QStringLiteral("INSERT INTO Shop VALUES(%1,'我的店铺')").arg(core::SqlQuote(kShopKey));
    rows << QStringLiteral("INSERT INTO SellRole VALUES(%1,0,0,0,0,0,0,0,0,0,0,0,0,0)").arg(core::SqlQuote(kShopKey));
    rows << QStringLiteral("INSERT INTO FileSave VALUES(%1,%2,%1,%3,0)")
                .arg(core::SqlQuote(defaultBackupFolder()), core::SqlQuote(kBackupDrive),
                     core::SqlQuote(kBackupFileName));
    QStringList granted;
    for (int i = 0; i < roleFlags().size(); ++i)
        granted << QStringLiteral("1");
    rows << QStringLiteral("INSERT INTO Role VALUES(%1,'系统管理员',%2)")
                .arg(core::SqlQuote(kAdminRoleKey), granted.join(','));
    rows << QStringLiteral("INSERT INTO [User] VALUES(%1,'admin','管理员','admin',%2,'系统管理员')")
                .arg(core::SqlQuote(newKey()), core::SqlQuote(kAdminRoleKey));
    const QList<QPair<QString, QStringList>> lists = {
        {"品牌", {"青禾", "远帆", "步云"}},
        {"种类", {"男鞋", "女鞋", "童鞋", "运动鞋", "上衣", "裤子", "裙子", "外套"}},
        {"颜色", {"黑色", "白色", "红色", "蓝色", "灰色", "棕色", "米色"}},
        {"尺码", {"35", "36", "37", "38", "39", "40", "41", "42", "43", "S", "M", "L", "XL", "XXL"}},
        {"面料", {"真皮", "PU革", "帆布", "网布", "纯棉", "涤纶"}},
        {"等级", {"合格品", "一等品", "优等品"}},
        {"产地", {"广州", "温州", "泉州", "东莞", "杭州"}},
        {"折扣", {"9.5", "9", "8.5", "8", "7", "6", "5"}},
        {"退货原因", {"质量问题", "尺码不合适", "颜色不合适", "开胶", "断底"}},
        {"调换原因", {"尺码不合适", "颜色不合适", "款式不喜欢", "质量问题"}},
        {"作废原因", {"录入错误", "顾客取消购买"}},
        {"其他支出项目", {"房租", "水电费", "工资", "运费", "杂费"}},
    };
    for (const auto& l : lists)
        for (const QString& entry : l.second)
            rows << QStringLiteral("INSERT INTO DataDictionary (Item,Content) VALUES(%1,%2)")
                        .arg(core::SqlQuote(l.first), core::SqlQuote(entry));
    return rows;
}

}  // namespace

QString defaultBackupFolder() { return QDir::homePath() + QStringLiteral("/数据备份"); }

const QStringList& roleFlags()
{
    static const QStringList flags = {
        "AllList",       "Data",           "ReStart",           "UserManage",       "SellRole",
        "ChangeShop",    "BuyIn",          "Sell",              "ClientChange",     "ClientBack",
        "Question",      "FactoryBack",    "SellBlankOut",      "ChangePrice",      "OtherOut",
        "StoreQuery",    "SellQuery",      "SellGroup",         "BuyDetail",        "ClientChangeQuery",
        "FactoryBackQuery", "BlankOutQuery", "OtherOurQuery",   "DayAmount",        "TotalAmount",
        "Profit"};
    return flags;
}

QList<jet::Table> tableShapes()
{
    QList<jet::Table> shapes;
    for (const Table& t : tables()) {
        jet::Table shape{t.name, {}};
        // The declared type is the kind's first word; constraints and the
        // collation are not part of it.
        for (const auto& c : t.columns)
            shape.columns.append({c.first, c.second == D ? QStringLiteral("TEXT") : c.second.section(QLatin1Char(' '), 0, 0),
                                  c.second == A});
        shapes << shape;
    }
    return shapes;
}

QStringList createStatements()
{
    QStringList out;
    const QList<Table> all = tables();
    for (const Table& t : all) {
        QStringList cols;
        for (const auto& c : t.columns)
            cols << columnSql(c.first, c.second);
        out << QStringLiteral("CREATE TABLE [%1] (%2)").arg(t.name, cols.join(QStringLiteral(", ")));
    }
    for (const char* ix : kIndexes)
        out << QString::fromLatin1(ix);
    for (const Table& t : all)
        out << yesNoTriggers(t);
    return out;
}

QStringList missingIndexStatements()
{
    QStringList out;
    for (const char* ix : kIndexes)
        out << QString::fromLatin1(ix).replace(QLatin1String("CREATE INDEX "),
                                               QLatin1String("CREATE INDEX IF NOT EXISTS "));
    return out;
}

bool createDeliveredDatabase(const QString& path, QString* error)
{
    auto failWith = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (QFileInfo::exists(path))
        return failWith(QStringLiteral("file exists: ") + path);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const QString why = QString::fromUtf8(db ? sqlite3_errmsg(db) : "cannot create");
        sqlite3_close(db);
        return failWith(why);
    }
    QStringList script;
    script << QStringLiteral("PRAGMA journal_mode=DELETE")
           << QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId) << QStringLiteral("BEGIN");
    script << createStatements() << deliveredRows() << QStringLiteral("COMMIT");
    for (const QString& sql : script) {
        char* msg = nullptr;
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &msg) != SQLITE_OK) {
            const QString why = QString::fromUtf8(msg) + QStringLiteral(" in: ") + sql;
            sqlite3_free(msg);
            sqlite3_close(db);
            QFile::remove(path);
            return failWith(why);
        }
    }
    sqlite3_close(db);
    return true;
}

}  // namespace schema
