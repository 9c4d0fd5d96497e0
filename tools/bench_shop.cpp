// Times the program's own windows on a shop-sized database, headless:
//   bench_shop <database> [--runs N] [--only TEXT]
//
// <database> is a database written by make_shop_data, named as the program
// names its database (Kostrelvani.mdb); its folder serves as the program folder.
// The real windows run on it with window services of the benchmark's own: every
// question is answered Yes, modal windows are run by a script without blocking,
// the clock stands at 2024-03-05 10:30 (the day after the last trading day) and
// receipts print nowhere.
//
// Each action runs once to warm up, then --runs times (11 by default); it is
// timed from the clerk's key or click until the events it caused, the repaint
// included, have been processed. The statements the program sent during the
// warm-up are recorded from its connection and give two more figures:
//   floor  the same SQLite statements on a second, plain connection to the file
//          through the sqlite3 C API, with the program's connection settings
//          (journal, synchronous, cache, temp store, memory map, threads): every
//          row stepped, every column read as text, writes committed as the
//          program commits them; no Qt;
//   layer  the same statements through the program's own connection and
//          engine layer (translation, record sets), without any window.
// The table gives median and slowest of the program's runs, the median floor,
// and the ratio of the two; a second table splits each median into the floor,
// the layer's share and the window's (grid, layout, painting).
//
// The database grows a little with every run (sales, restocks, new goods).
#include "core/modmain.h"
#include "core/schema.h"
#include "goods/frmbuyin.h"
#include "goods/frmgoodsproperty.h"
#include "platform/flexgrid.h"
#include "platform/services.h"
#include "sales/frmsell.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// -- window services ------------------------------------------------------------

class YesMessages : public ui::MessageService {
public:
    bool show(const ui::Message& m) override
    {
        shown.append(m);
        return true;
    }
    // Messages other than questions: a benchmark action shows none.
    QStringList complaints() const
    {
        QStringList texts;
        for (const ui::Message& m : shown)
            if (m.buttons == ui::Buttons::Ok)
                texts << m.text;
        return texts;
    }
    QList<ui::Message> shown;
};

class ScriptedModal : public ui::ModalRunner {
public:
    int exec(QDialog* dlg) override { return script ? script(dlg) : int(QDialog::Accepted); }
    std::function<int(QDialog*)> script;  // none: accepted untouched
};

class FixedClock : public ui::Clock {
public:
    QDate today() const override { return when.date(); }
    QDateTime now() const override { return when; }
    QDateTime when{QDate(2024, 3, 5), QTime(10, 30, 0)};
};

class NoPrinter : public ui::ReceiptPrinter {
public:
    bool print(const QList<ui::PrintBlock>&) override { return true; }
};

YesMessages messages;
ScriptedModal modal;
FixedClock fixedClock;
NoPrinter printer;

[[noreturn]] void fail(const QString& why)
{
    std::fprintf(stderr, "bench_shop: %s\n", why.toUtf8().constData());
    std::exit(1);
}

// -- the statements the program sends ----------------------------------------------

// The program's connection, caught as it opens; its statements are recorded while
// `recording` points somewhere.
sqlite3* programDb = nullptr;
std::vector<std::string>* recording = nullptr;

int catchConnection(sqlite3* db, const char**, const sqlite3_api_routines*)
{
    if (!programDb)
        programDb = db;
    return SQLITE_OK;
}

int recordStatement(unsigned type, void*, void*, void* x)
{
    const char* text = static_cast<const char*>(x);
    // Trigger programs are announced as comments; they belong to their statement.
    if (type == SQLITE_TRACE_STMT && recording && text && std::strncmp(text, "--", 2) != 0)
        recording->push_back(text);
    return 0;
}

// -- timing ---------------------------------------------------------------------------

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double slowest(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

// The floor: the statements on a plain connection, every row stepped and every
// column read as text.
sqlite3* floorDb = nullptr;

double runFloor(const std::vector<std::string>& statements)
{
    const Clock::time_point start = Clock::now();
    for (const std::string& sql : statements) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(floorDb, sql.c_str(), int(sql.size()), &st, nullptr) != SQLITE_OK)
            fail(QStringLiteral("floor: %1: %2").arg(QString::fromUtf8(sqlite3_errmsg(floorDb)),
                                                     QString::fromStdString(sql)));
        const int cols = sqlite3_column_count(st);
        size_t touched = 0;
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            for (int c = 0; c < cols; ++c) {
                const unsigned char* t = sqlite3_column_text(st, c);
                touched += t ? t[0] : 0;
            }
        if (rc != SQLITE_DONE)
            fail(QStringLiteral("floor: %1: %2").arg(QString::fromUtf8(sqlite3_errmsg(floorDb)),
                                                     QString::fromStdString(sql)));
        sqlite3_finalize(st);
        static volatile size_t sink;
        sink = touched;
    }
    return msSince(start);
}

// The layer: the statements through the program's connection and engine layer.
double runLayer(const std::vector<std::string>& statements)
{
    const Clock::time_point start = Clock::now();
    for (const std::string& sql : statements) {
        bool isErr = false;
        const jet::RecordSet rs = gDbopt.Excute(QString::fromStdString(sql), isErr);
        if (isErr)
            fail(QStringLiteral("layer: %1: %2").arg(messages.shown.last().text, QString::fromStdString(sql)));
    }
    return msSince(start);
}

// -- actions ------------------------------------------------------------------------

struct Result {
    QString action;
    QString note;  // what the action leaves, e.g. the rows listed
    std::vector<double> program, floor, layer;
    size_t statements = 0;
};

std::vector<Result> results;
int runs = 11;
QString only;  // --only: the actions whose name holds this text

void settle() { QApplication::processEvents(); }

// The timed part of an action, one function of its own so that a profiler can
// be told to look at it alone (valgrind --tool=callgrind --toggle-collect=*timed*).
[[gnu::noinline]] double timed(const std::function<void()>& act)
{
    const Clock::time_point start = Clock::now();
    act();
    settle();
    return msSince(start);
}

// Runs one action: setup (untimed), act (timed, with the events it causes),
// done (untimed), once to warm up and record its statements, then `runs` times;
// then the floor and the layer of the recorded statements, a warm-up and `runs`
// times each. note() describes the state after the action.
void measure(const QString& action, const std::function<void()>& setup, const std::function<void()>& act,
             const std::function<void()>& done, const std::function<QString()>& note)
{
    if (!action.contains(only))
        return;
    Result r;
    r.action = action;
    std::vector<std::string> statements;
    messages.shown.clear();
    setup();
    recording = &statements;
    sqlite3_trace_v2(programDb, SQLITE_TRACE_STMT, recordStatement, nullptr);
    timed(act);
    sqlite3_trace_v2(programDb, 0, nullptr, nullptr);
    recording = nullptr;
    r.note = note();
    done();
    if (!messages.complaints().isEmpty())
        fail(action + QStringLiteral(": the program said ") + messages.complaints().join(QStringLiteral(" / ")));
    for (int i = 0; i < runs; ++i) {
        setup();
        r.program.push_back(timed(act));
        done();
    }
    if (!messages.complaints().isEmpty())
        fail(action + QStringLiteral(": the program said ") + messages.complaints().join(QStringLiteral(" / ")));
    r.statements = statements.size();
    runFloor(statements);
    for (int i = 0; i < runs; ++i)
        r.floor.push_back(runFloor(statements));
    runLayer(statements);
    for (int i = 0; i < runs; ++i)
        r.layer.push_back(runLayer(statements));
    std::fprintf(stderr, "  %-44s %8.1f ms\n", action.toUtf8().constData(), median(r.program));
    results.push_back(std::move(r));
}

// A key as the keyboard sends it: pressed and released.
void key(QWidget* w, int code, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void typeChar(QWidget* w, QChar c) { key(w, c.toUpper().unicode(), QString(c)); }

QString listed(const FlexGrid& g)
{
    const int n = g.rows() - 1;
    return QStringLiteral("%L1 %2").arg(n).arg(n == 1 ? QStringLiteral("row") : QStringLiteral("rows"));
}

// -- reading the database for the setups (plain connection, untimed) ----------------------

std::vector<std::vector<std::string>> query(const std::string& sql)
{
    std::vector<std::vector<std::string>> rows;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(floorDb, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_errmsg(floorDb)));
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            const unsigned char* t = sqlite3_column_text(st, c);
            row.emplace_back(t ? reinterpret_cast<const char*>(t) : "");
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(st);
    return rows;
}

QString q(const std::string& s) { return QString::fromStdString(s); }

double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_shop <database> [--runs N] [--only TEXT]\n");
        return 2;
    }
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (std::string(argv[i]) == "--only")
            only = QString::fromLocal8Bit(argv[i + 1]);
    }
    const QFileInfo file(QString::fromLocal8Bit(argv[1]));
    if (!file.isFile() || file.fileName() != schema::kDatabaseFileName)
        fail(QStringLiteral("%1 is no %2 (make_shop_data writes one)").arg(file.filePath(), schema::kDatabaseFileName));

    ui::Platform services = ui::platform();
    services.msg = &messages;
    services.modal = &modal;
    services.receipts = &printer;
    services.clock = &fixedClock;
    ui::setPlatform(services);
    ui::setProgramFolder(file.absolutePath());

    // The session as after the login of one of the sellers.
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(catchConnection));
    const bool opened = gDbopt.ConnectionToDB();
    sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(catchConnection));
    if (!opened || !programDb)
        fail(QStringLiteral("the database does not open"));
    {
        const jet::RecordSet shop = gDbopt.Excute(QStringLiteral("select * from Shop"));
        if (shop.eof())
            fail(QStringLiteral("no shop in the database"));
        gShopNo = shop.fieldText(QStringLiteral("GUID"));
        gShopName = shop.fieldText(QStringLiteral("ShopName"));
    }
    if (!gUser.Initial(QStringLiteral("S01")) && !gUser.Initial(QStringLiteral("admin")))
        fail(QStringLiteral("no seller to log in"));
    gSellRole.Initial(gShopNo);
    gSellRole.IsPrint = true;  // the receipt is laid out; the printer prints nowhere

    // The plain connection, with the settings the program gave its own.
    if (sqlite3_open_v2(QFile::encodeName(file.absoluteFilePath()).constData(), &floorDb, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK)
        fail(QStringLiteral("the plain connection does not open"));
    sqlite3_busy_timeout(floorDb, 15000);
    std::string settings;
    for (const char* pragma : {"journal_mode", "synchronous", "cache_size", "temp_store", "mmap_size", "threads"}) {
        sqlite3_stmt* st = nullptr;
        std::string value;
        if (sqlite3_prepare_v2(programDb, (std::string("PRAGMA ") + pragma).c_str(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            value = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
        if (value.empty())
            continue;
        const std::string set = std::string("PRAGMA ") + pragma + "=" + value;
        sqlite3_exec(floorDb, set.c_str(), nullptr, nullptr, nullptr);
        settings += (settings.empty() ? "" : ", ") + std::string(pragma) + "=" + value;
    }

    const std::string shop = gShopNo.toStdString();
    const auto counts =
        query("select (select count(*) from Store), (select count(*) from Store where Quantity>0), "
              "(select count(*) from Sell), (select count(*) from StoreDetail), (select count(*) from BuyPrice)");
    std::printf("database: %s\n", file.absoluteFilePath().toUtf8().constData());
    std::printf("connection settings (the floor's too): %s\n", settings.c_str());
    std::printf("Store %s rows (%s in stock), Sell %s, StoreDetail %s, BuyPrice %s; %d runs per action\n\n",
                counts[0][0].c_str(), counts[0][1].c_str(), counts[0][2].c_str(), counts[0][3].c_str(),
                counts[0][4].c_str(), runs);
    std::fprintf(stderr, "bench_shop: timing, medians as they come:\n");

    // Stock rows to sell from and restock, a fresh one for every run. The floor and
    // the layer send the warm-up's statements again, which may take that row below
    // zero; later runs of the benchmark pass it by.
    const auto saleRows = query("select GUID, TypeNo from Store where ShopNo='" + shop +
                                "' and Quantity>=10 and IDCode<>'' order by rowid limit " +
                                std::to_string(4 * (runs + 1)));
    if (int(saleRows.size()) < 4 * (runs + 1))
        fail(QStringLiteral("too few stock rows with stock left"));
    size_t nextSaleRow = 0;

    // ---- the counter -----------------------------------------------------------------
    {
        std::unique_ptr<frmSell> w;
        measure(
            QStringLiteral("counter: open (stock list bound)"), [] {},
            [&] {
                w = std::make_unique<frmSell>();
                w->show();
            },
            [&] { w.reset(); settle(); }, [&] { return listed(*w->VSFlexGrid); });

        frmSell counter;
        counter.show();
        counter.activateWindow();
        settle();

        // One keystroke of the goods-number filter: the text before it is there.
        const struct {
            QString before;
            QChar typed;
        } keystrokes[] = {{QString(), QLatin1Char('Z')},
                          {QStringLiteral("ZM0"), QLatin1Char('1')},
                          {QStringLiteral("ZM01"), QLatin1Char('2')},
                          {QStringLiteral("ZM0123"), QLatin1Char('4')}};
        for (const auto& k : keystrokes)
            measure(
                QStringLiteral("counter: goods number \"%1\" + \"%2\"").arg(k.before, k.typed),
                [&] {
                    counter.txtNo->setFocus();
                    counter.txtNo->setText(k.before);
                    settle();
                },
                [&] { typeChar(counter.txtNo, k.typed); }, [] {}, [&] { return listed(*counter.VSFlexGrid); });

        // A scanned bar code: the scanner types it, then Enter looks it up.
        const auto codes = query("select IDCode from Store where ShopNo='" + shop +
                                 "' and Quantity>0 and IDCode<>'' order by rowid limit 1 offset 31234");
        if (codes.empty())
            fail(QStringLiteral("no bar code in stock"));
        measure(
            QStringLiteral("counter: bar code + Enter"),
            [&] {
                counter.txtNo->clear();
                counter.txtIDCode->setFocus();
                counter.txtIDCode->setText(q(codes[0][0]));
                settle();
            },
            [&] { key(counter.txtIDCode, Qt::Key_Return); }, [] {}, [&] { return listed(*counter.VSFlexGrid); });

        // Chooses the goods of the next stock row and types five pieces at 9 (90 %).
        auto choose = [&] {
            const auto& row = saleRows[nextSaleRow++ % saleRows.size()];
            counter.txtNo->setText(q(row[1]));
            const int r = counter.VSFlexGrid->findRow(q(row[0]), 1, 1);
            if (r < 1)
                fail(QStringLiteral("stock row %1 not listed").arg(q(row[0])));
            counter.VSFlexGrid->setRow(r);
            counter.txtQuatity->setText(QStringLiteral("5"));
            counter.txtAbate->setFocus();
            counter.txtAbate->setText(QStringLiteral("9"));
            settle();
        };
        auto emptySale = [&] {
            while (counter.VSSell->rows() > 1)
                counter.Cancel_Click();
            settle();
        };
        measure(QStringLiteral("counter: add five pieces"), choose, [&] { key(counter.txtAbate, Qt::Key_Return); },
                emptySale, [&] { return QStringLiteral("%1 sale lines").arg(counter.VSSell->rows() - 1); });

        QString soldAs;
        measure(
            QStringLiteral("counter: checkout of five pieces"),
            [&] {
                choose();
                key(counter.txtAbate, Qt::Key_Return);
                if (counter.VSSell->rows() != 6)
                    fail(QStringLiteral("the five pieces were not listed"));
                counter.txtReciveAmout->setFocus();
                counter.txtReciveAmout->setText(
                    QString::number(std::ceil(counter.lbAmount->text().toDouble() / 100) * 100));
                soldAs = counter.lbNo->text();
                settle();
            },
            [&] { key(counter.txtReciveAmout, Qt::Key_Return); },
            [&] {
                if (counter.VSSell->rows() != 1 || counter.lbNo->text() == soldAs)
                    fail(QStringLiteral("the checkout did not go through"));
            },
            [&] { return QStringLiteral("sold as %1, next %2").arg(soldAs, counter.lbNo->text()); });
    }

    // ---- the intake desk ----------------------------------------------------------------
    {
        std::unique_ptr<frmBuyIn> w;
        measure(
            QStringLiteral("intake desk: open (stock list bound)"), [] {},
            [&] {
                w = std::make_unique<frmBuyIn>();
                w->show();
            },
            [&] { w.reset(); settle(); }, [&] { return listed(*w->VSFlexGrid); });

        frmBuyIn desk;
        desk.show();
        desk.activateWindow();
        settle();
        const struct {
            QString before;
            QChar typed;
        } keystrokes[] = {{QString(), QLatin1Char('Z')}, {QStringLiteral("ZM0123"), QLatin1Char('4')}};
        for (const auto& k : keystrokes)
            measure(
                QStringLiteral("intake desk: goods number \"%1\" + \"%2\"").arg(k.before, k.typed),
                [&] {
                    desk.txtNo->setFocus();
                    desk.txtNo->setText(k.before);
                    settle();
                },
                [&] { typeChar(desk.txtNo, k.typed); }, [] {}, [&] { return listed(*desk.VSFlexGrid); });

        QString before;
        measure(
            QStringLiteral("intake desk: restock"),
            [&] {
                const auto& row = saleRows[nextSaleRow++ % saleRows.size()];
                desk.txtNo->setText(q(row[1]));
                const int r = desk.VSFlexGrid->findRow(q(row[0]), 1, 1);
                if (r < 1)
                    fail(QStringLiteral("stock row %1 not listed").arg(q(row[0])));
                desk.VSFlexGrid->setRow(r);
                before = desk.VSFlexGrid->text(r, QStringLiteral("数量"));
                desk.txtPrice->setText(QStringLiteral("55.5"));
                desk.txtQuantity->setText(QStringLiteral("12"));
                desk.cmdPutIn->setFocus();
                settle();
            },
            [&] { desk.cmdPutIn->click(); },
            [&] {
                if (desk.VSFlexGrid->text(desk.VSFlexGrid->row(), QStringLiteral("数量")) == before)
                    fail(QStringLiteral("the restock did not go through"));
            },
            [&] { return listed(*desk.VSFlexGrid); });

        // A new goods item from the desk's button: the window opens with its pick
        // lists, the clerk fills it in and puts the item in, and the new stock row
        // joins the desk's whole list.
        int item = 0;
        int rowsBefore = 0;
        modal.script = [&](QDialog* dlg) {
            auto* g = qobject_cast<frmGoodsProperty*>(dlg);
            if (!g)
                return int(QDialog::Rejected);
            g->txtNo->setText(QStringLiteral("XN%1").arg(++item, 5, 10, QLatin1Char('0')));
            g->comBrand->setCurrentText(QStringLiteral("青禾"));
            g->txtPrice->setText(QStringLiteral("80"));
            g->txtSellPrice->setText(QStringLiteral("168"));
            g->txtQuantity->setText(QStringLiteral("6"));
            g->txtBlock->setText(QStringLiteral("69800%1").arg(item, 8, 10, QLatin1Char('0')));
            g->txtFloor->setText(QStringLiteral("A2"));
            g->cmdPutIn->click();
            return int(QDialog::Accepted);
        };
        measure(
            QStringLiteral("intake desk: new goods item"),
            [&] {
                if (!desk.txtNo->text().isEmpty())
                    desk.txtNo->clear();
                rowsBefore = desk.VSFlexGrid->rows();
                settle();
            },
            [&] { desk.cmdNewGoods->click(); },
            [&] {
                if (desk.VSFlexGrid->rows() != rowsBefore + 1)
                    fail(QStringLiteral("the new goods item did not go through"));
            },
            [&] { return listed(*desk.VSFlexGrid); });
        modal.script = nullptr;
    }

    // ---- the grid: the sales query's list with its totals -------------------------------------
    // Over the last days of trading that hold `wanted` lines still sold or exchanged:
    // about 100,000 (three and a half months), and a week's.
    QDialog window;
    window.resize(1240, 700);
    auto* grid = new FlexGrid(&window);
    grid->setGeometry(10, 60, 1220, 560);
    window.show();
    settle();
    const auto days = query("select DateTime, count(*) from Sell where ShopNo='" + shop +
                            "' and State<2 and DateTime<='2024-03-04' group by DateTime order by DateTime desc");
    auto salesList = [&](long long wanted, int dayCount) {
        long long lines = 0;
        std::string begin = "2024-03-04";
        int taken = 0;
        for (const auto& d : days) {
            begin = d[0];
            lines += std::atoll(d[1].c_str());
            if ((dayCount > 0 && ++taken == dayCount) || (wanted > 0 && lines >= wanted))
                break;
        }
        const QString sql =
            QStringLiteral("Select TypeNo as 货号, Name as 种类 ,Brand as 品牌,") +
            QStringLiteral("[Size] as 尺码,Colour as 颜色,Leather as 面料,Grade as 等级,ProductPlace as 产地,") +
            QStringLiteral("Quantity as 数量,Price as 零售价,Abate as 折扣,Amount as 实收金额,SellerName as 销售员,"
                           "SellNo as 销售编号,DateTime as 销售日期 ") +
            QStringLiteral("from Sell Where ShopNo='") + gShopNo + QStringLiteral("' And DateTime>=#") + q(begin) +
            QStringLiteral("# And DateTime <=#2024-03-04# And State<2  Order By TypeNo,[Size],Colour");
        std::vector<double> fetch, bind, totals;
        double memory = 0;
        measure(
            QStringLiteral("grid: sales list of %L1 lines, with totals").arg(lines), [] {},
            [&] {
                Clock::time_point t = Clock::now();
                const jet::RecordSet rs = gDbopt.Excute(sql);
                fetch.push_back(msSince(t));
                t = Clock::now();
                grid->bind(rs);
                SetGridColumns(*grid, 820);
                grid->setColWidth(1, 1600);
                bind.push_back(msSince(t));
                t = Clock::now();
                const QColor red = vbColor(255);
                grid->subtotalSum(1, 9, QStringLiteral("合计"), red);
                grid->subtotalSum(1, 12, QStringLiteral("合计"), red);
                grid->subtotalSum(FlexGrid::WholeListAbove, 12, QStringLiteral("总合计"), red);
                grid->subtotalSum(FlexGrid::WholeListAbove, 9, QStringLiteral("总合计"), red);
                totals.push_back(msSince(t));
            },
            [&] {
                memory = std::max(memory, residentMiB());
                ClearGridRows(*grid);
                settle();
            },
            [&] { return QStringLiteral("%L1 rows with the totals").arg(grid->rows() - 1); });
        if (!fetch.empty())
            results.back().note += QStringLiteral("; fetch %1, bind %2, totals %3 ms; %4 MiB resident")
                                       .arg(median(fetch), 0, 'f', 0)
                                       .arg(median(bind), 0, 'f', 0)
                                       .arg(median(totals), 0, 'f', 0)
                                       .arg(memory, 0, 'f', 0);
    };
    salesList(100000, 0);
    salesList(0, 7);

    // ---- the figures -------------------------------------------------------------------------
    std::printf("%-46s %9s %9s %9s %7s   %s\n", "action", "median ms", "max ms", "floor ms", "ratio", "after it");
    for (const Result& r : results) {
        const double m = median(r.program), f = median(r.floor);
        if (r.statements == 0)
            std::printf("%-46s %9.1f %9.1f %9s %7s   %s\n", r.action.toUtf8().constData(), m, slowest(r.program), "-",
                        "-", r.note.toUtf8().constData());
        else
            std::printf("%-46s %9.1f %9.1f %9.2f %6.1fx   %s\n", r.action.toUtf8().constData(), m,
                        slowest(r.program), f, m / f, r.note.toUtf8().constData());
    }
    std::printf("\nwhere the median goes (ms): floor = SQLite; layer = the engine layer's share on top of it;\n"
                "window = the window's share (grid, layout, painting)\n");
    std::printf("%-46s %10s %9s %9s %9s\n", "action", "statements", "floor", "layer", "window");
    for (const Result& r : results) {
        const double m = median(r.program), f = median(r.floor), l = median(r.layer);
        std::printf("%-46s %10zu %9.2f %9.2f %9.2f\n", r.action.toUtf8().constData(), r.statements, f,
                    std::max(0.0, l - f), std::max(0.0, m - std::max(l, f)));
    }

    std::printf("\ntargets: every action under 100 ms, the checkout under 20 ms, none above 3x its floor\n");
    int missed = 0;
    for (const Result& r : results) {
        const double m = median(r.program), x = slowest(r.program), f = median(r.floor);
        const double limit = r.action.contains(QStringLiteral("checkout")) ? 20 : 100;
        QStringList why;
        if (m >= limit)
            why << QStringLiteral("median %1 ms over %2").arg(m, 0, 'f', 1).arg(limit);
        else if (x >= limit)
            why << QStringLiteral("slowest %1 ms over %2").arg(x, 0, 'f', 1).arg(limit);
        if (r.statements > 0 && f > 0 && m / f > 3)
            why << QStringLiteral("%1x its floor of %2 ms").arg(m / f, 0, 'f', 1).arg(f, 0, 'f', 2);
        if (!why.isEmpty()) {
            ++missed;
            std::printf("  missed: %-46s %s\n", r.action.toUtf8().constData(),
                        why.join(QStringLiteral(", ")).toUtf8().constData());
        }
    }
    if (!missed)
        std::printf("  all met\n");
    sqlite3_close(floorDb);
    return 0;
}
