// Times the program's own windows on a shop-sized database, headless:
//   bench_shop <database> [--runs N] [--only TEXT]
//
// <database> is a database written by make_shop_data, named as the program
// names its database (Kostrelvani.mdb); its folder serves as the program folder.
// The real windows run on it with window services of the benchmark's own: every
// question is answered Yes, modal windows are run by a script without blocking,
// the clock stands at 2024-03-05 10:30 (the morning of a trading day) and
// receipts print nowhere. The main window is open, as after a login.
//
// Each action runs once cold (the first time in this program; reported on its
// own), then --runs times (11 by default) for the median. It is timed from the
// clerk's key or click until the program is idle: no event pending, no timer of
// a grid running and no single-shot timer due within 50 ms, the repaints
// included. The statements the program sent during the cold run are recorded
// from its connection and give two more figures:
//   floor  the same SQLite statements on a second connection to the file, opened
//          exactly as the program opens its own (through the engine layer's
//          open), and sent through the sqlite3 C API: every row stepped, every
//          column read as text, writes committed as the program commits them;
//          no Qt;
//   layer  the same statements through the program's own connection and
//          engine layer (translation, record sets), without any window.
// Every file goes through a thin VFS of the benchmark's own over the default
// one: it counts the disk flushes (xSync) and, in the slow-disk case, makes
// each of them take 5 ms. BENCH_PAINTS=1 prints every paint of a timed run.
//
// The database grows a little with every run (sales, restocks, new goods).
#include "app/frmmain.h"
#include "core/clsdbopt.h"
#include "core/modmain.h"
#include "core/schema.h"
#include "goods/frmbuyin.h"
#include "goods/frmgoodsproperty.h"
#include "platform/flexgrid.h"
#include "platform/jetdb.h"
#include "platform/services.h"
#include "sales/frmsell.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPaintEvent>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

// What the floor read, kept so that the reads are not optimised away.
volatile size_t gSink = 0;

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

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// -- the disk: a VFS over the default one that counts flushes -----------------------

namespace disk {

sqlite3_vfs* real = nullptr;
sqlite3_vfs vfs;
long long flushes = 0;       // on the program's thread: the clerk waits for them
long long besideFlushes = 0;  // on other threads (the fold of the write-ahead log)
double flushMs = 0;  // every flush takes at least this long (0: as the disk has it)
std::thread::id programThread;  // every flush takes at least this long (0: as the disk has it)

struct File {
    sqlite3_file base;
    sqlite3_file* under;  // the default VFS's file, right behind this one
};

sqlite3_file* under(sqlite3_file* f) { return reinterpret_cast<File*>(f)->under; }
const sqlite3_io_methods& u(sqlite3_file* f) { return *under(f)->pMethods; }

int xClose(sqlite3_file* f) { return u(f).xClose(under(f)); }
int xRead(sqlite3_file* f, void* b, int n, sqlite3_int64 o) { return u(f).xRead(under(f), b, n, o); }
int xWrite(sqlite3_file* f, const void* b, int n, sqlite3_int64 o) { return u(f).xWrite(under(f), b, n, o); }
int xTruncate(sqlite3_file* f, sqlite3_int64 n) { return u(f).xTruncate(under(f), n); }
int xSync(sqlite3_file* f, int flags)
{
    if (std::this_thread::get_id() == programThread)
        ++flushes;
    else
        ++besideFlushes;
    const Clock::time_point start = Clock::now();
    const int rc = u(f).xSync(under(f), flags);
    const double left = flushMs - msSince(start);
    if (left > 0)
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(left));
    return rc;
}
int xFileSize(sqlite3_file* f, sqlite3_int64* n) { return u(f).xFileSize(under(f), n); }
int xLock(sqlite3_file* f, int l) { return u(f).xLock(under(f), l); }
int xUnlock(sqlite3_file* f, int l) { return u(f).xUnlock(under(f), l); }
int xCheckReservedLock(sqlite3_file* f, int* r) { return u(f).xCheckReservedLock(under(f), r); }
int xFileControl(sqlite3_file* f, int op, void* a) { return u(f).xFileControl(under(f), op, a); }
int xSectorSize(sqlite3_file* f) { return u(f).xSectorSize(under(f)); }
int xDeviceCharacteristics(sqlite3_file* f) { return u(f).xDeviceCharacteristics(under(f)); }
int xShmMap(sqlite3_file* f, int i, int n, int e, void volatile** p) { return u(f).xShmMap(under(f), i, n, e, p); }
int xShmLock(sqlite3_file* f, int o, int n, int fl) { return u(f).xShmLock(under(f), o, n, fl); }
void xShmBarrier(sqlite3_file* f) { u(f).xShmBarrier(under(f)); }
int xShmUnmap(sqlite3_file* f, int d) { return u(f).xShmUnmap(under(f), d); }
int xFetch(sqlite3_file* f, sqlite3_int64 o, int n, void** p) { return u(f).xFetch(under(f), o, n, p); }
int xUnfetch(sqlite3_file* f, sqlite3_int64 o, void* p) { return u(f).xUnfetch(under(f), o, p); }

// One table per version of the file underneath (only what it has is offered).
sqlite3_io_methods methods[4];

int xOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags)
{
    File* file = reinterpret_cast<File*>(f);
    file->under = reinterpret_cast<sqlite3_file*>(file + 1);
    const int rc = real->xOpen(real, name, file->under, flags, outFlags);
    const sqlite3_io_methods* m = file->under->pMethods;
    file->base.pMethods = m ? &methods[std::clamp(m->iVersion, 1, 3)] : nullptr;
    return rc;
}

void install()
{
    programThread = std::this_thread::get_id();
    real = sqlite3_vfs_find(nullptr);
    vfs = *real;
    vfs.zName = "counted";
    vfs.szOsFile = int(sizeof(File)) + real->szOsFile;
    vfs.xOpen = xOpen;
    for (int v = 1; v <= 3; ++v) {
        sqlite3_io_methods& m = methods[v];
        m = sqlite3_io_methods{};
        m.iVersion = v;
        m.xClose = xClose;
        m.xRead = xRead;
        m.xWrite = xWrite;
        m.xTruncate = xTruncate;
        m.xSync = xSync;
        m.xFileSize = xFileSize;
        m.xLock = xLock;
        m.xUnlock = xUnlock;
        m.xCheckReservedLock = xCheckReservedLock;
        m.xFileControl = xFileControl;
        m.xSectorSize = xSectorSize;
        m.xDeviceCharacteristics = xDeviceCharacteristics;
        if (v >= 2) {
            m.xShmMap = xShmMap;
            m.xShmLock = xShmLock;
            m.xShmBarrier = xShmBarrier;
            m.xShmUnmap = xShmUnmap;
        }
        if (v >= 3) {
            m.xFetch = xFetch;
            m.xUnfetch = xUnfetch;
        }
    }
    if (sqlite3_vfs_register(&vfs, 1) != SQLITE_OK)
        fail(QStringLiteral("the counting VFS does not register"));
}

}  // namespace disk

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

// -- idle -------------------------------------------------------------------------------

// Counts every event the application delivers, and the paints of grids.
class EventCount : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        ++events;
        if (e->type() == QEvent::Paint && qEnvironmentVariableIsSet("BENCH_PAINTS")) {
            auto* pe = static_cast<QPaintEvent*>(e);
            std::fprintf(stderr, "paint %s %s %s %d,%d %dx%d\n", o->metaObject()->className(), qPrintable(o->objectName()),
                         o->parent() ? o->parent()->metaObject()->className() : "", pe->rect().x(), pe->rect().y(),
                         pe->rect().width(), pe->rect().height());
        }
        if (e->type() == QEvent::Paint) {
            auto* g = qobject_cast<FlexGrid*>(o->parent());
            if (g && g->viewport() == o)
                ++gridPaints;
        }
        return false;
    }
    long long events = 0;
    long long gridPaints = 0;
};

EventCount* eventCount = nullptr;

// Work still to come: a timer of a grid (its view, headers, model), or a
// single-shot timer anywhere that is due within 50 ms.
bool timersPending()
{
    QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance();
    for (QObject* o : d->children())
        for (const auto& t : d->registeredTimers(o))
            if (t.interval <= 50)
                return true;
    for (QWidget* w : QApplication::allWidgets()) {
        auto* g = qobject_cast<FlexGrid*>(w);
        if (!g)
            continue;
        if (!d->registeredTimers(g).isEmpty())
            return true;
        for (QObject* o : g->findChildren<QObject*>())
            if (!d->registeredTimers(o).isEmpty())
                return true;
    }
    return false;
}

// Runs the event loop until the program is idle.
void settle()
{
    const Clock::time_point start = Clock::now();
    for (;;) {
        const long long before = eventCount->events;
        QApplication::processEvents(QEventLoop::AllEvents);
        if (eventCount->events != before)
            continue;
        if (!timersPending())
            return;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (msSince(start) > 10000)
            fail(QStringLiteral("the program does not come to rest"));
    }
}

// -- timing ---------------------------------------------------------------------------

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double slowest(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

// The floor: the statements on a connection of its own, every row stepped and
// every column read as text.
jet::Connection floorConnection;
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
        gSink = touched;
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

double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

// -- actions ------------------------------------------------------------------------

struct Result {
    QString action;
    QString note;  // what the action leaves, e.g. the rows listed
    double cold = 0;
    std::vector<double> program, floor, layer, flushes, paints;
    double resident = 0;  // MiB, the most seen just after a run
    size_t statements = 0;
};

std::vector<Result> results;
int runs = 11;
QString only;  // --only: the actions whose name holds this text

struct Run {
    double ms;
    long long flushes, paints;
};

// The timed part of an action, one function of its own so that a profiler can
// be told to look at it alone (valgrind --tool=callgrind --toggle-collect=*timed*).
[[gnu::noinline]] double timed(const std::function<void()>& act)
{
    if (qEnvironmentVariableIsSet("BENCH_PAINTS"))
        std::fprintf(stderr, "-- timed\n");
    const Clock::time_point start = Clock::now();
    act();
    settle();
    const double ms = msSince(start);
    if (qEnvironmentVariableIsSet("BENCH_PAINTS"))
        std::fprintf(stderr, "-- %.2f ms\n", ms);
    return ms;
}

Run run(const std::function<void()>& act)
{
    const long long flushes = disk::flushes, paints = eventCount->gridPaints;
    const double ms = timed(act);
    return {ms, disk::flushes - flushes, eventCount->gridPaints - paints};
}

// Runs one action: setup (untimed), act (timed, with the events it causes),
// done (untimed); once cold, recording its statements, then `runs` times, each
// run followed by one of the floor and one of the layer of the recorded
// statements (both warmed up once first). note() describes the state after the
// cold run.
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
    const Run cold = run(act);
    sqlite3_trace_v2(programDb, 0, nullptr, nullptr);
    recording = nullptr;
    r.cold = cold.ms;
    r.resident = residentMiB();
    r.note = note();
    done();
    if (!messages.complaints().isEmpty())
        fail(action + QStringLiteral(": the program said ") + messages.complaints().join(QStringLiteral(" / ")));
    runFloor(statements);
    runLayer(statements);
    // The program, the floor and the layer take turns, so that a slow spell of
    // the machine falls on all three alike.
    for (int i = 0; i < runs; ++i) {
        setup();
        const Run warm = run(act);
        r.program.push_back(warm.ms);
        r.flushes.push_back(double(warm.flushes));
        r.paints.push_back(double(warm.paints));
        r.resident = std::max(r.resident, residentMiB());
        done();
        r.floor.push_back(runFloor(statements));
        r.layer.push_back(runLayer(statements));
    }
    if (!messages.complaints().isEmpty())
        fail(action + QStringLiteral(": the program said ") + messages.complaints().join(QStringLiteral(" / ")));
    r.statements = statements.size();
    std::fprintf(stderr, "  %-52s %8.1f ms, cold %.1f ms\n", action.toUtf8().constData(), median(r.program),
                 r.cold);
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

// The keys of the goods-number filter: each key of a goods number typed into
// the empty box, then Backspace on its first letter (the whole list again).
void filterKeys(const QString& window, QLineEdit* box, const FlexGrid& list, const QString& goodsNo)
{
    for (int i = 0; i < goodsNo.size(); ++i) {
        const QString before = goodsNo.left(i);
        measure(
            QStringLiteral("%1: goods number \"%2\" + \"%3\"").arg(window, before, goodsNo.mid(i, 1)),
            [&] {
                box->setFocus();
                box->setText(before);
                settle();
            },
            [&] { typeChar(box, goodsNo[i]); }, [] {}, [&] { return listed(list); });
    }
    measure(
        QStringLiteral("%1: goods number \"%2\" + Backspace").arg(window, goodsNo.left(1)),
        [&] {
            box->setFocus();
            box->setText(goodsNo.left(1));
            box->end(false);
            settle();
        },
        [&] { key(box, Qt::Key_Backspace); }, [] {}, [&] { return listed(list); });
}

// -- reading the database for the setups (the floor's connection, untimed) ----------------

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

std::string pragmas(sqlite3* db)
{
    std::string settings;
    for (const char* pragma :
         {"journal_mode", "synchronous", "cache_size", "temp_store", "mmap_size", "threads", "wal_autocheckpoint"}) {
        sqlite3_stmt* st = nullptr;
        std::string value;
        if (sqlite3_prepare_v2(db, (std::string("PRAGMA ") + pragma).c_str(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW && sqlite3_column_text(st, 0))
            value = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
        if (!value.empty())
            settings += (settings.empty() ? "" : ", ") + std::string(pragma) + "=" + value;
    }
    return settings;
}

bool startsWith(const QString& s, const char* prefix) { return s.startsWith(QLatin1String(prefix)); }

// The actions held to the target of a long report list.
QStringList longLists;

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("VeloraTessaro"));
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

    // Whatever an earlier program left unwritten goes to the disk before timing.
    {
        const int fd = ::open(QFile::encodeName(file.absoluteFilePath()).constData(), O_RDONLY);
        if (fd < 0 || ::fsync(fd) != 0)
            fail(QStringLiteral("cannot flush %1").arg(file.filePath()));
        ::close(fd);
    }
    disk::install();
    eventCount = new EventCount;
    app.installEventFilter(eventCount);

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

    // The floor's connection, opened as the program opens its own.
    {
        QString why;
        if (!floorConnection.open(clsDbopt::ConnectionString(), schema::kApplicationId, &why))
            fail(QStringLiteral("the floor's connection does not open: ") + why);
        floorDb = floorConnection.handle();
    }
    const std::string settings = pragmas(programDb);
    if (pragmas(floorDb) != settings)
        fail(QStringLiteral("the floor's connection differs: %1 / %2").arg(q(pragmas(floorDb)), q(settings)));

    const std::string shop = gShopNo.toStdString();
    const auto counts = query(
        "select (select count(*) from Store), (select count(*) from Store where Quantity>0), "
        "(select count(*) from Sell), (select count(*) from Sell where DateTime='2024-03-05'), "
        "(select count(*) from StoreDetail), (select count(*) from BuyPrice)");
    std::printf("database: %s\n", file.absoluteFilePath().toUtf8().constData());
    std::printf("connection settings (the floor's too): %s\n", settings.c_str());
    std::printf("Store %s rows (%s in stock), Sell %s (%s today), StoreDetail %s, BuyPrice %s; %d runs per action\n\n",
                counts[0][0].c_str(), counts[0][1].c_str(), counts[0][2].c_str(), counts[0][3].c_str(),
                counts[0][4].c_str(), counts[0][5].c_str(), runs);
    std::fprintf(stderr, "bench_shop: timing, medians as they come:\n");

    frmMain mainWindow;
    mainWindow.show();
    settle();

    // Stock rows to sell from and restock, a fresh one for every run. The floor and
    // the layer send the first run's statements again, which may take that row below
    // zero; later runs of the benchmark pass it by.
    const int saleRowsWanted = 6 * (runs + 1);
    const auto saleRows = query("select GUID, TypeNo from Store where ShopNo='" + shop +
                                "' and Quantity>=10 and IDCode<>'' order by rowid limit " +
                                std::to_string(saleRowsWanted));
    if (int(saleRows.size()) < saleRowsWanted)
        fail(QStringLiteral("too few stock rows with stock left"));
    size_t nextSaleRow = 0;
    // The goods number typed into the filters: one of the first prefix in stock.
    const auto typed = query("select TypeNo from Store where ShopNo='" + shop +
                             "' and Quantity>0 and TypeNo like 'ZM0%' order by rowid limit 1");
    if (typed.empty())
        fail(QStringLiteral("no goods number ZM0... in stock"));
    const QString goodsNo = q(typed[0][0]);

    // ---- the counter -----------------------------------------------------------------
    {
        std::unique_ptr<frmSell> w;
        measure(
            QStringLiteral("counter: open (stock list bound)"), [] {},
            [&] {
                w = std::make_unique<frmSell>();
                w->show();
            },
            [&] {
                w.reset();
                settle();
            },
            [&] { return listed(*w->VSFlexGrid); });

        frmSell counter;
        counter.show();
        counter.activateWindow();
        settle();

        filterKeys(QStringLiteral("counter"), counter.txtNo, *counter.VSFlexGrid, goodsNo);

        // A scanned bar code: the scanner types it, then Enter looks it up.
        const auto codes = query("select IDCode from Store where ShopNo='" + shop +
                                 "' and Quantity>0 and IDCode<>'' order by rowid limit 1 offset " +
                                 std::to_string(std::atoll(counts[0][1].c_str()) * 2 / 3));
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
        auto checkout = [&](const QString& name) {
            measure(
                name,
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
        };
        checkout(QStringLiteral("counter: checkout of five pieces"));
        // The same on a slow disk: every flush takes 5 ms (a shop PC's disk).
        disk::flushMs = 5;
        checkout(QStringLiteral("counter: checkout of five pieces, 5 ms flushes"));
        disk::flushMs = 0;
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
            [&] {
                w.reset();
                settle();
            },
            [&] { return listed(*w->VSFlexGrid); });

        frmBuyIn desk;
        desk.show();
        desk.activateWindow();
        settle();
        filterKeys(QStringLiteral("intake desk"), desk.txtNo, *desk.VSFlexGrid, goodsNo);

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
        const QString action = QStringLiteral("grid: sales list of %L1 lines, with totals").arg(lines);
        if (wanted > 0)
            longLists << action;
        measure(
            action, [] {},
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
                // Reading the grand total finishes whatever the grid left for later.
                if (grid->textMatrix(1, 0) != QStringLiteral("总合计"))
                    fail(QStringLiteral("no grand total"));
                totals.push_back(msSince(t));
            },
            [&] {
                ClearGridRows(*grid);
                settle();
            },
            [&] { return QStringLiteral("%L1 rows with the totals").arg(grid->rows() - 1); });
        if (!fetch.empty())
            results.back().note += QStringLiteral("; fetch %1, bind %2, totals %3 ms")
                                       .arg(median(fetch), 0, 'f', 0)
                                       .arg(median(bind), 0, 'f', 0)
                                       .arg(median(totals), 0, 'f', 0);
    };
    salesList(100000, 0);
    salesList(0, 7);

    // ---- the figures -------------------------------------------------------------------------
    std::printf("%-52s %7s %7s %7s %8s %6s %7s %6s %6s   %s\n", "action", "median", "cold", "slowest", "floor",
                "ratio", "flushes", "paints", "MiB", "after it");
    for (const Result& r : results) {
        const double m = median(r.program), f = median(r.floor);
        char ratio[16] = "-", floorText[16] = "-";
        if (r.statements > 0) {
            std::snprintf(floorText, sizeof floorText, "%.2f", f);
            std::snprintf(ratio, sizeof ratio, "%.1fx", m / f);
        }
        std::printf("%-52s %7.1f %7.1f %7.1f %8s %6s %3.0f-%-3.0f %6.0f %6.0f   %s\n", r.action.toUtf8().constData(), m,
                    r.cold, slowest(r.program), floorText, ratio,
                    r.flushes.empty() ? 0 : *std::min_element(r.flushes.begin(), r.flushes.end()),
                    slowest(r.flushes), median(r.paints), r.resident, r.note.toUtf8().constData());
    }
    std::printf("\ntimes in ms: median and slowest of %d runs, the cold (first) run, the floor's median;\n"
                "flushes: fewest-most per run on the program's thread; paints: the grids' repaints per run (median); MiB: resident, "
                "the most after a run\n"
                "the write-ahead log was folded back into the file beside the program, on threads of its\n"
                "connections, with %lld flushes in all\n",
                runs, disk::besideFlushes);
    std::printf("\nwhere the median goes (ms): floor = SQLite; layer = the engine layer's share on top of it;\n"
                "window = the window's share (grid, layout, painting)\n");
    std::printf("%-52s %10s %9s %9s %9s\n", "action", "statements", "floor", "layer", "window");
    for (const Result& r : results) {
        const double m = median(r.program), f = median(r.floor), l = median(r.layer);
        std::printf("%-52s %10zu %9.2f %9.2f %9.2f\n", r.action.toUtf8().constData(), r.statements, f,
                    std::max(0.0, l - f), std::max(0.0, m - std::max(l, f)));
    }

    // ---- the targets ---------------------------------------------------------------------------
    const long long stockRows = std::atoll(counts[0][0].c_str());
    std::printf("\ntargets: opening the counter and the desk and every key of their filters under 100 ms median,\n"
                "150 ms cold and 2.5x the floor; the counter open under 100 MiB at 50,000 stock rows or fewer;\n"
                "a checkout under 20 ms with 5 ms flushes and at most two flushes; the sales list of 100,000 lines\n"
                "within 2x its floor; every other action under 100 ms\n");
    int missed = 0;
    for (const Result& r : results) {
        const double m = median(r.program), x = slowest(r.program), f = median(r.floor);
        const bool list = r.action.contains(QStringLiteral(": open")) || r.action.contains(QStringLiteral("goods number"));
        const bool checkout = r.action.contains(QStringLiteral("checkout"));
        const bool bigList = longLists.contains(r.action);
        QStringList why;
        if (list) {
            if (m >= 100)
                why << QStringLiteral("median %1 ms").arg(m, 0, 'f', 1);
            if (r.cold >= 150)
                why << QStringLiteral("cold %1 ms").arg(r.cold, 0, 'f', 1);
            if (r.statements > 0 && m / f > 2.5)
                why << QStringLiteral("%1x its floor of %2 ms").arg(m / f, 0, 'f', 1).arg(f, 0, 'f', 2);
            if (startsWith(r.action, "counter: open") && stockRows <= 50000 && r.resident >= 100)
                why << QStringLiteral("%1 MiB resident").arg(r.resident, 0, 'f', 0);
        } else if (checkout) {
            if (m >= 20)
                why << QStringLiteral("median %1 ms").arg(m, 0, 'f', 1);
            if (slowest(r.flushes) > 2)
                why << QStringLiteral("%1 flushes").arg(slowest(r.flushes));
        } else if (bigList) {
            if (m / f > 2)
                why << QStringLiteral("%1x its floor of %2 ms").arg(m / f, 0, 'f', 1).arg(f, 0, 'f', 2);

        } else if (m >= 100 || x >= 100) {
            why << QStringLiteral("median %1, slowest %2 ms").arg(m, 0, 'f', 1).arg(x, 0, 'f', 1);
        }
        if (!why.isEmpty()) {
            ++missed;
            std::printf("  missed: %-52s %s\n", r.action.toUtf8().constData(),
                        why.join(QStringLiteral(", ")).toUtf8().constData());
        }
    }
    if (!missed)
        std::printf("  all met\n");
    for (const Result& r : results)
        if (longLists.contains(r.action) && median(r.program) >= 100)
            std::printf("  over 100 ms (a report; SQLite alone takes %.0f ms): %s %.1f ms\n", median(r.floor),
                        r.action.toUtf8().constData(), median(r.program));
    floorConnection.close();
    return 0;
}
