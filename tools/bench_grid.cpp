// Times the grid on a large stock list: bench_grid [--rows N] [--runs N]
//
// Writes a delivered database into a temporary folder, fills Store with N rows
// (100,000 by default; about 20 rows per goods number, in goods-number order),
// reads them back as one 13-field record set and then, for each run, times
//   bind + show   binding the record set and painting the grid (and the
//                 binding alone),
//   whole list    a whole-list sum above the data (a fresh binding each run),
//   per goods     a per-goods-number sum (a fresh binding each run),
// each including the repaint, and prints median and maximum, and the resident
// memory before the record set, with it, with it bound, and with the grid alone.
#include "core/schema.h"
#include "platform/flexgrid.h"
#include "platform/jetdb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Resident memory, after handing freed heap back to the system.
double residentMiB()
{
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

[[noreturn]] void fail(const QString& why)
{
    std::fprintf(stderr, "bench_grid: %s\n", why.toUtf8().constData());
    std::exit(1);
}

void fillStore(jet::Connection& conn, int rows)
{
    static const char* const kinds[] = {"男装", "女装", "童装", "男鞋", "女鞋"};
    static const char* const brands[] = {"雅风", "青禾", "北辰", "云帆", "锦绣", "远山"};
    static const char* const sizes[] = {"S", "M", "L", "XL", "XXL", "38", "39", "40", "41", "42"};
    static const char* const colours[] = {"黑", "白", "红", "蓝", "灰", "米"};
    sqlite3_stmt* st = nullptr;
    const char* sql =
        "INSERT INTO Store (GUID, ShopNo, TypeNo, Name, Brand, Size, Colour, Leather, Grade, ProductPlace, "
        "Quantity, Price, IDCode, GoodsFloor) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
    if (sqlite3_prepare_v2(conn.handle(), sql, -1, &st, nullptr) != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_errmsg(conn.handle())));
    conn.beginTrans();
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    for (int i = 0; i < rows; ++i) {
        char guid[64], typeNo[32], code[32];
        std::snprintf(guid, sizeof guid, "{%08X-0000-4000-8000-%012X}", unsigned(i), unsigned(i * 7919));
        std::snprintf(typeNo, sizeof typeNo, "A%06d", i / 20);
        std::snprintf(code, sizeof code, "69%011d", i);
        const int goods = i / 20;
        auto text = [st](int col, const char* v) { sqlite3_bind_text(st, col, v, -1, SQLITE_TRANSIENT); };
        text(1, guid);
        text(2, schema::kShopKey.toUtf8().constData());
        text(3, typeNo);
        text(4, kinds[goods % 5]);
        text(5, brands[goods % 6]);
        text(6, sizes[i % 10]);
        text(7, colours[(i / 10) % 6]);
        text(8, "棉");
        text(9, "一等品");
        text(10, "广州");
        sqlite3_bind_int(st, 11, int(next() % 30));
        sqlite3_bind_double(st, 12, 50 + (goods % 40) * 12.5 + (next() % 4) * 0.25);
        text(13, code);
        text(14, "A-3");
        if (sqlite3_step(st) != SQLITE_DONE)
            fail(QString::fromUtf8(sqlite3_errmsg(conn.handle())));
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    conn.commitTrans();
}

struct Series {
    const char* name;
    std::vector<double> ms;
    double median() const
    {
        std::vector<double> v = ms;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    }
    double max() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

void paint(FlexGrid& grid)
{
    QApplication::processEvents();
    grid.repaint();
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int rows = 100000, runs = 7;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--rows"))
            rows = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--runs"))
            runs = std::atoi(argv[i + 1]);
    }
    if (rows < 1 || runs < 1) {
        std::fprintf(stderr, "usage: bench_grid [--rows N] [--runs N]\n");
        return 2;
    }

    const double rssStart = residentMiB();
    QTemporaryDir dir;
    const QString path = dir.filePath(schema::kDatabaseFileName);
    QString error;
    if (!schema::createDeliveredDatabase(path, &error))
        fail(error);
    jet::Connection conn;
    if (!conn.open(QStringLiteral("Data Source=") + path, schema::kApplicationId, &error))
        fail(error);
    fillStore(conn, rows);

    const double rssBeforeRs = residentMiB();
    QElapsedTimer fetchTimer;
    fetchTimer.start();
    auto rs = std::make_unique<jet::RecordSet>(conn.execute(
        QStringLiteral("Select TypeNo as 货号,Name as 种类, Brand as 品牌,[Size] as 尺码,Colour as 颜色,"
                       "Leather as 面料,Grade as 等级,ProductPlace as 产地,Quantity as 数量,Price as 零售价,"
                       "IDCode as 条码,GoodsFloor as 货架,GUID from Store Where ShopNo='") +
            schema::kShopKey + QStringLiteral("'"),
        &error));
    const double fetchMs = fetchTimer.nsecsElapsed() / 1e6;
    if (!rs->isOpen())
        fail(error);
    const double rssWithRs = residentMiB();

    FlexGrid grid;
    grid.resize(1280, 720);
    grid.show();
    paint(grid);
    const int qty = 9, goodsNo = 1;
    grid.bind(*rs);
    paint(grid);
    const double rssBound = residentMiB();

    Series bindOnly{"bind alone", {}}, bindShow{"bind + show", {}}, whole{"whole list", {}}, perGoods{"per goods", {}};
    QElapsedTimer t;

    int subtotalRows = 0;
    for (int run = 0; run < runs; ++run) {
        t.start();
        grid.bind(*rs);
        bindOnly.ms.push_back(t.nsecsElapsed() / 1e6);
        paint(grid);
        bindShow.ms.push_back(t.nsecsElapsed() / 1e6);

        t.start();
        grid.subtotalSum(FlexGrid::WholeListAbove, qty, QStringLiteral("总合计"));
        paint(grid);
        whole.ms.push_back(t.nsecsElapsed() / 1e6);

        grid.bind(*rs);
        paint(grid);
        t.start();
        grid.subtotalSum(goodsNo, qty, QStringLiteral("合计"));
        paint(grid);
        perGoods.ms.push_back(t.nsecsElapsed() / 1e6);
        subtotalRows = grid.rows() - 1 - rs->recordCount();
    }
    grid.bind(*rs);
    paint(grid);
    rs.reset();
    const double rssGridOnly = residentMiB();

    std::printf("grid benchmark: %d rows x %d fields (%d grid columns), %d runs; fetch %.0f ms\n", rows, 13,
                grid.cols(), runs, fetchMs);
    std::printf("per-goods pass: %d subtotal rows\n\n", subtotalRows);
    std::printf("%-14s %10s %10s\n", "operation", "median ms", "max ms");
    for (const Series* s : {&bindOnly, &bindShow, &whole, &perGoods})
        std::printf("%-14s %10.1f %10.1f\n", s->name, s->median(), s->max());
    std::printf("\n%-30s %8s\n", "resident memory", "MiB");
    std::printf("%-30s %8.1f\n", "at start", rssStart);
    std::printf("%-30s %8.1f\n", "before the record set", rssBeforeRs);
    std::printf("%-30s %8.1f\n", "with the record set", rssWithRs);
    std::printf("%-30s %8.1f\n", "record set bound (first)", rssBound);
    std::printf("%-30s %8.1f\n", "grid alone, after the runs", rssGridOnly);
    return 0;
}
