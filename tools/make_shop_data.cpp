// Writes a shop database of several years' trading, from a fixed seed, for the
// benchmarks: make_shop_data <path> [--stock N] [--sales N]
//
// The delivered database is written first; then ten sellers, goods received over
// three years (several receipts per goods number, same-day restocks among them),
// about 400,000 sales of up to 20 pieces at full price, a discount or a special
// price, and about 5 % of the lines exchanged, returned or voided with their
// history rows, and the first sales of the benchmarks' "today". Every sale line
// is costed against a batch of its stock row. Half of the returned pieces and a
// few faulty pieces a day go into problem stock, which goes back to the factory
// at the end of each month (what was set aside before that month); each seller
// settles every day worked; the shop records its expenses.
//
// The stock rows are written in the order they were received, as a shop writes
// them: goods numbers of eight prefixes with random numbers, in no order. The
// file is flushed to the disk before the program ends.
#include "core/rules/schema.h"
#include "toolargs.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QString>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <random>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

sqlite3* db = nullptr;

void exec(const char* sql)
{
    char* msg = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &msg) != SQLITE_OK) {
        std::fprintf(stderr, "make_shop_data: %s\n", msg);
        std::exit(1);
    }
}

struct Stmt {
    sqlite3_stmt* st = nullptr;
    explicit Stmt(const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "make_shop_data: %s\n", sqlite3_errmsg(db));
            std::exit(1);
        }
    }
    ~Stmt() { sqlite3_finalize(st); }
    Stmt& text(int i, const std::string& v)
    {
        sqlite3_bind_text(st, i, v.c_str(), int(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Stmt& whole(int i, long long v)
    {
        sqlite3_bind_int64(st, i, v);
        return *this;
    }
    Stmt& real(int i, double v)
    {
        sqlite3_bind_double(st, i, v);
        return *this;
    }
    Stmt& null(int i)
    {
        sqlite3_bind_null(st, i);
        return *this;
    }
    void run()
    {
        if (sqlite3_step(st) != SQLITE_DONE) {
            std::fprintf(stderr, "make_shop_data: %s\n", sqlite3_errmsg(db));
            std::exit(1);
        }
        sqlite3_reset(st);
    }
};

std::mt19937_64 rng(20240305);

int pick(int n) { return int(rng() % unsigned(n)); }
bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }

std::string key()
{
    static const char* hex = "0123456789ABCDEF";
    std::string k = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    for (char& c : k)
        if (c == 'X')
            c = hex[rng() & 15];
    return k;
}

std::string day(const QDate& d) { return d.toString("yyyy-MM-dd").toStdString(); }

struct Batch {
    long long id;
    double price;
    std::string day;
};

struct Receipt {
    std::string day;
    int quantity;
    double price;
};

struct StockRow {
    std::string key, typeNo, name, brand, size, colour, leather, grade, place, idCode;
    double retail;
    int received = 0, sold = 0;
    std::vector<Receipt> receipts;  // the first one is when the row came into the shop
    std::vector<Batch> batches;
};

// A piece set aside into problem stock, on a day.
struct ProblemPiece {
    const StockRow* s;
    double cost;
    std::string reason, sellerNo, sellerName, day;
};

// One seller's day: pieces and money sold, returned and exchanged.
struct SellerDay {
    long long sold = 0, back = 0, changed = 0;
    double sellAmount = 0, backAmount = 0, changeAmount = 0;
};

// Goods numbers: a prefix of two letters and five digits.
const char* const kPrefixes[] = {"ZM", "ZT", "QB", "HL", "KX", "WD", "NS", "PY"};

const char* const kNames[] = {"男鞋", "女鞋", "童鞋", "运动鞋", "上衣", "裤子", "裙子", "外套"};
const char* const kBrands[] = {"青禾", "远帆", "步云", "山岚", "北辰", "白鹭"};
const char* const kSizes[] = {"35", "36", "37", "38", "39", "40", "41", "42", "43", "S", "M", "L", "XL", "XXL"};
const char* const kColours[] = {"黑色", "白色", "红色", "蓝色", "灰色", "棕色", "米色"};
const char* const kLeathers[] = {"真皮", "PU革", "帆布", "网布", "纯棉", "涤纶"};
const char* const kGrades[] = {"合格品", "一等品", "优等品"};
const char* const kPlaces[] = {"广州", "温州", "泉州", "东莞", "杭州"};
template <size_t N>
const char* any(const char* const (&list)[N])
{
    return list[pick(int(N))];
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    tools::Arguments args(QStringLiteral("Writes a shop database of several years' trading at <path> (an older file "
                                         "there is replaced), for the benchmarks."),
                          {QStringLiteral("<path>")});
    const auto stockOption = args.option(QStringLiteral("stock"), QStringLiteral("stock rows (50000)"), QStringLiteral("N"));
    const auto salesOption = args.option(QStringLiteral("sales"), QStringLiteral("sales (400000)"), QStringLiteral("N"));
    if (const auto end = args.read(app.arguments()))
        return *end;
    const auto stockRowsGiven = args.whole(stockOption, 50000, 1);
    const auto salesGiven = args.whole(salesOption, 400000, 0);
    if (!stockRowsGiven || !salesGiven)
        return 2;
    const QString path = args.positional(0);
    const int stockRows = *stockRowsGiven, sales = *salesGiven;
    QFile::remove(path);
    QString error;
    if (!schema::createDeliveredDatabase(path, &error)) {
        std::fprintf(stderr, "make_shop_data: %s\n", error.toUtf8().constData());
        return 1;
    }
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return 1;
    exec("PRAGMA synchronous=OFF");
    exec("PRAGMA journal_mode=MEMORY");
    exec("BEGIN");

    const std::string shop = schema::kShopKey.toStdString();
    const QDate last(2024, 3, 4);  // the day before the benchmarks' "today"
    const QDate first = last.addYears(-3).addDays(1);
    const int days = int(first.daysTo(last)) + 1;

    // Ten sellers (the administrator is one of them).
    std::vector<std::pair<std::string, std::string>> sellers = {{"admin", "管理员"}};
    {
        Stmt user("Insert Into [User] Values (?,?,?,'123',?,'系统管理员')");
        const char* const names[] = {"张伟", "王芳", "李娜", "刘洋", "陈静", "杨磊", "赵敏", "黄强", "周婷"};
        for (int i = 0; i < 9; ++i) {
            const std::string no = "S0" + std::to_string(i + 1);
            user.text(1, key()).text(2, no).text(3, names[i]).text(4, schema::kAdminRoleKey.toStdString()).run();
            sellers.push_back({no, names[i]});
        }
    }

    // Goods: about ten variants per goods number, each received on a day of its
    // own, a third of them restocked later, some on the same day.
    std::vector<StockRow> stock;
    stock.reserve(stockRows);
    {
        std::set<std::string> taken;
        StockRow base;
        for (int i = 0; i < stockRows; ++i) {
            if (i % 10 == 0) {
                base = StockRow();
                for (;;) {
                    char buf[16];
                    std::snprintf(buf, sizeof buf, "%s%05d", kPrefixes[(i / 10) % 8], pick(100000));
                    if (taken.insert(buf).second) {
                        base.typeNo = buf;
                        break;
                    }
                }
                base.name = any(kNames);
                base.brand = any(kBrands);
                base.leather = any(kLeathers);
                base.grade = any(kGrades);
                base.place = any(kPlaces);
                base.retail = 60 + pick(50) * 10 + (chance(0.2) ? 0.5 : 0);
            }
            StockRow s = base;
            s.key = key();
            s.size = any(kSizes);
            s.colour = any(kColours);
            s.idCode = chance(0.7) ? std::to_string(6900000000000LL + i) : std::string();
            const QDate received = first.addDays(pick(days));
            const double cost = double(int(s.retail * (0.45 + pick(20) / 100.0)));
            const int receipts = chance(0.33) ? 2 + pick(2) : 1;
            for (int r = 0; r < receipts; ++r) {
                const QDate d = r == 0 ? received : (chance(0.3) ? received : received.addDays(pick(200)));
                s.receipts.push_back({day(d), 20 + pick(40), cost + (r == 0 ? 0 : pick(3))});
            }
            stock.push_back(s);
        }
        // In the order the rows came into the shop.
        std::shuffle(stock.begin(), stock.end(), rng);
        std::stable_sort(stock.begin(), stock.end(),
                         [](const StockRow& a, const StockRow& b) { return a.receipts[0].day < b.receipts[0].day; });

        Stmt line("Insert Into StoreDetail Values(?,?,?,?,?,?,?,?,?,?,?,?,?,'',?)");
        Stmt batch("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values(?,?,?,?,?)");
        for (StockRow& s : stock)
            for (const Receipt& r : s.receipts) {
                line.text(1, key()).text(2, s.key).text(3, shop).text(4, s.typeNo).text(5, s.name).text(6, s.brand);
                line.text(7, s.size).text(8, s.colour).text(9, s.leather).text(10, s.grade).real(11, r.price);
                line.whole(12, r.quantity).text(13, s.place).text(14, r.day).run();
                batch.text(1, s.key).real(2, r.price).whole(3, r.quantity).text(4, r.day).text(5, shop).run();
                s.batches.push_back({sqlite3_last_insert_rowid(db), r.price, r.day});
                s.received += r.quantity;
            }
        // Stock rows are written once their sales are known (quantity on hand).
    }

    // Sales: about 400,000 over the three years, up to 20 pieces each.
    long long lines = 0, changed = 0;
    std::vector<ProblemPiece> problems;
    std::map<std::pair<std::string, int>, SellerDay> sellerDays;  // (day, seller)
    {
        Stmt sell("Insert Into Sell Values(?,?,?,?,?,?,?,?,?,?,?,1,?,?,?,?,?,?,?,?,?,?,?,?)");
        Stmt history("Insert Into SellChange Values(?,?,?,?,?,?,?,?,?,?,?,1,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        const int perDay = sales / days;
        int extra = sales - perDay * days;
        // Every day up to the last trading day, then the morning of "today" (the
        // benchmarks' clock stands at 10:30): a third of a day's sales.
        for (int dayIndex = 0; dayIndex <= days; ++dayIndex) {
            const QDate d = first.addDays(dayIndex);
            const std::string dayText = day(d);
            const std::string prefix = d.toString("yyyyMMdd").toStdString();
            const int today = dayIndex == days ? perDay / 3 : perDay + (extra-- > 0 ? 1 : 0);
            // Faulty pieces found on the shelves, about two a day.
            for (int k = pick(5); k > 0; --k) {
                const StockRow& s = stock[pick(int(stock.size()))];
                const char* const faults[] = {"开胶", "断底", "质量问题"};
                const auto& by = sellers[pick(int(sellers.size()))];
                problems.push_back({&s, s.batches.empty() ? 0 : s.batches.front().price, faults[pick(3)], by.first,
                                    by.second, dayText});
            }
            for (int n = 1; n <= today && n <= 9999; ++n) {
                char sellNo[16];
                std::snprintf(sellNo, sizeof sellNo, "%s%04d", prefix.c_str(), n);
                const int sellerIndex = pick(int(sellers.size()));
                const auto& seller = sellers[sellerIndex];
                int pieces = 1 + pick(3);
                if (chance(0.07))
                    pieces = 1 + pick(20);
                struct Piece {
                    StockRow* s;
                    std::string abate;
                    double amount;
                    const Batch* batch;
                };
                std::vector<Piece> sale;
                double due = 0;
                for (int p = 0; p < pieces; ++p) {
                    StockRow& s = stock[pick(int(stock.size()))];
                    std::string abate = "全";
                    double amount = s.retail;
                    const int kind = pick(10);
                    if (kind < 3) {
                        const char* const discounts[] = {"9.5", "9", "8.5", "8", "7"};
                        abate = discounts[pick(5)];
                        amount = std::nearbyint(s.retail * std::stod(abate) / 10);
                    } else if (kind == 3) {
                        abate = "特价";
                        amount = std::nearbyint(s.retail * 0.6);
                    }
                    const Batch* b = s.batches.empty() ? nullptr : &s.batches[pick(int(s.batches.size()))];
                    sale.push_back({&s, abate, amount, b});
                    due += amount;
                }
                const double paid = std::ceil(due / 50) * 50;
                for (const Piece& p : sale) {
                    int state = 0;
                    if (chance(0.05))
                        state = 1 + pick(3);
                    const std::string lineKey = key();
                    const double cost = p.batch ? p.batch->price : 0;
                    sell.text(1, lineKey).text(2, p.s->key).text(3, shop).text(4, p.s->typeNo).text(5, p.s->name);
                    sell.text(6, p.s->brand).text(7, p.s->size).text(8, p.s->colour).text(9, p.s->leather);
                    sell.text(10, p.s->grade).text(11, p.s->place).real(12, p.s->retail).text(13, p.abate);
                    sell.real(14, p.amount).real(15, cost).text(16, seller.first).text(17, dayText);
                    sell.text(18, sellNo).whole(19, p.batch ? p.batch->id : 0).text(20, seller.second);
                    sell.whole(21, state).real(22, paid).real(23, paid - due).run();
                    ++lines;
                    SellerDay& sd = sellerDays[{dayText, sellerIndex}];
                    ++sd.sold;
                    sd.sellAmount += p.amount;
                    if (state != 2 && state != 3)
                        ++p.s->sold;
                    if (state == 0)
                        continue;
                    ++changed;
                    const QDate when = std::min(last.addDays(1), d.addDays(pick(7)));
                    const char* const reasons[] = {"", "尺码不合适", "质量问题", "录入错误"};
                    history.text(1, key()).text(2, state == 1 ? p.s->key : std::string()).text(3, shop);
                    history.text(4, p.s->typeNo).text(5, p.s->name).text(6, p.s->brand).text(7, p.s->size);
                    history.text(8, p.s->colour).text(9, p.s->leather).text(10, p.s->grade).text(11, p.s->place);
                    history.real(12, p.s->retail).text(13, p.abate).real(14, p.amount).real(15, cost);
                    history.text(16, seller.first).text(17, dayText).whole(18, p.batch ? p.batch->id : 0);
                    history.text(19, seller.second).real(20, state == 1 ? 0 : p.amount).text(21, lineKey);
                    history.text(22, sellNo).text(23, day(when)).whole(24, state).text(25, reasons[state]).run();
                    SellerDay& then = sellerDays[{day(when), sellerIndex}];
                    if (state == 1) {
                        ++then.changed;
                    } else if (state == 2) {
                        ++then.back;
                        then.backAmount += p.amount;
                        if (chance(0.5))
                            problems.push_back({p.s, cost, "质量问题", seller.first, seller.second, day(when)});
                    }
                }
            }
        }
    }

    // Stock rows with what is left on hand (never below zero).
    {
        Stmt store("Insert Into Store Values(?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        for (const StockRow& s : stock) {
            const int left = std::max(0, s.received - s.sold);
            store.text(1, s.key).text(2, shop).text(3, s.typeNo).text(4, s.name).text(5, s.brand).text(6, s.size);
            store.text(7, s.colour).text(8, s.leather).text(9, s.grade).text(10, s.place).whole(11, left);
            store.real(12, s.retail).text(13, s.idCode).text(14, "A" + std::to_string(1 + pick(6))).run();
        }
    }
    // Problem stock: returned at the end of each month to the factory, all that
    // was set aside before that month began; the rest is still in the shop.
    long long problemRows = 0, problemLeft = 0;
    {
        std::stable_sort(problems.begin(), problems.end(),
                         [](const ProblemPiece& a, const ProblemPiece& b) { return a.day < b.day; });
        Stmt back("Insert Into BackStore ([GUID],ShopNo,TypeNo,Name,Brand,[Size],Colour,Leather,Grade,ProductPlace,"
                  "Quantity,BuyPrice,BackResion,Seller,SellName,IsBackFactory,BackFactoryDate) "
                  "Values(?,?,?,?,?,?,?,?,?,?,1,?,?,?,?,?,?)");
        Stmt total("Insert Into FactoryBackTotal ([DateTime],Seller,SellerNo,Quantity,Amount,ShopNo) "
                   "Values(?,'管理员','admin',?,?,?)");
        std::map<std::string, std::pair<long long, double>> returns;  // month end: pieces, cost
        for (const ProblemPiece& p : problems) {
            const QDate set = QDate::fromString(QString::fromStdString(p.day), Qt::ISODate);
            const QDate next = QDate(set.year(), set.month(), 1).addMonths(2).addDays(-1);
            const bool returned = next <= last;
            back.text(1, p.s->key).text(2, shop).text(3, p.s->typeNo).text(4, p.s->name).text(5, p.s->brand);
            back.text(6, p.s->size).text(7, p.s->colour).text(8, p.s->leather).text(9, p.s->grade);
            back.text(10, p.s->place).real(11, p.cost).text(12, p.reason).text(13, p.sellerNo);
            back.text(14, p.sellerName).whole(15, returned ? 1 : 0);
            if (returned) {
                back.text(16, day(next));
                auto& r = returns[day(next)];
                ++r.first;
                r.second += p.cost;
            } else {
                back.null(16);
                ++problemLeft;
            }
            back.run();
            ++problemRows;
        }
        for (const auto& [when, r] : returns)
            total.text(1, when).whole(2, r.first).real(3, std::nearbyint(r.second * 0.9)).text(4, shop).run();
    }

    // Every seller's settlement of every day worked, up to the last trading day.
    {
        Stmt settle("Insert Into DayAmount Values(?,?,?,?,?,?,?,?,?,?,?,'我的店铺')");
        for (const auto& [key_, d] : sellerDays) {
            if (key_.first > day(last))
                continue;
            settle.text(1, key()).whole(2, d.sold).real(3, d.sellAmount).whole(4, d.back).real(5, d.backAmount);
            settle.whole(6, d.changed).real(7, d.changeAmount);
            settle.real(8, d.sellAmount - d.backAmount + d.changeAmount).text(9, sellers[size_t(key_.second)].second);
            settle.text(10, key_.first).text(11, shop).run();
        }
    }

    // Expenses: the rent and the wages each month, the power every other, and
    // small expenses on about one day in three.
    {
        Stmt out("Insert Into OtherOut Values(?,?,'我的店铺',?,?,?,?,'管理员')");
        for (int dayIndex = 0; dayIndex < days; ++dayIndex) {
            const QDate d = first.addDays(dayIndex);
            auto spend = [&](const char* item, double amount, const char* memo) {
                out.text(1, key()).text(2, shop).text(3, item).real(4, amount).text(5, day(d)).text(6, memo).run();
            };
            if (d.day() == 1) {
                spend("房租", 6000, "");
                spend("工资", 18000 + pick(10) * 100, "");
            }
            if (d.day() == 10 && d.month() % 2 == 0)
                spend("水电费", 600 + pick(400), "");
            if (chance(0.33))
                spend(chance(0.5) ? "运费" : "杂费", 20 + pick(30) * 10, chance(0.3) ? "快递" : "");
        }
    }
    exec("COMMIT");
    sqlite3_close(db);
    // On the disk before anything is timed on it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) {
        std::fprintf(stderr, "make_shop_data: cannot flush %s\n", path.toUtf8().constData());
        return 1;
    }
    ::close(fd);
    std::printf("make_shop_data: %d stock rows, %lld sale lines, %lld changed, %lld problem pieces (%lld not "
                "returned to the factory), days %s to %s\n",
                stockRows, lines, changed, problemRows, problemLeft, first.toString("yyyy-MM-dd").toUtf8().constData(),
                last.addDays(1).toString("yyyy-MM-dd").toUtf8().constData());
    return 0;
}
