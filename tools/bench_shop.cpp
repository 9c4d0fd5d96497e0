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
// Every window is timed: its opening, and its main actions (the counter and
// the intake desk key by key, the after-sales windows' searches and writes, the
// settlements, the queries and reports over a month and a year, the workbook
// import of a supplier's list of 1,000 rows, the administration windows). Each
// action has its target, checked at the end of the output.
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
#include "aftersales/frmchange.h"
#include "aftersales/frmclientback.h"
#include "aftersales/frmclientbackchange.h"
#include "aftersales/frmfactoryback.h"
#include "aftersales/frmquestion.h"
#include "app/frmmain.h"
#include "core/rules/clsdbopt.h"
#include "core/frmabout.h"
#include "core/frmbackup.h"
#include "core/frmchangepwd.h"
#include "core/frmchangeshop.h"
#include "core/frmdatadictionary.h"
#include "core/frmlogin.h"
#include "core/frmrelogin.h"
#include "core/frmrole.h"
#include "core/frmsellrole.h"
#include "core/frmuser.h"
#include "core/goodsfields.h"
#include "core/modmain.h"
#include "core/rules/schema.h"
#include "goods/frmbatchbuyin.h"
#include "goods/frmbuyin.h"
#include "goods/frmchangeprice.h"
#include "goods/frmgoodsproperty.h"
#include "goods/frmputin.h"
#include "platform/base/headless.h"
#include "platform/base/jetdb.h"
#include "platform/base/services.h"
#include "platform/chineseface.h"
#include "platform/flexgrid.h"
#include "platform/qtservices.h"
#include "reports/frmbackchangequery.h"
#include "reports/frmbackfactoryquery.h"
#include "reports/frmblankoutquery.h"
#include "reports/frmbuyindetail.h"
#include "reports/frmotherout.h"
#include "reports/frmotheroutquery.h"
#include "reports/frmprofit.h"
#include "reports/frmsellgroup.h"
#include "reports/frmsellquery.h"
#include "reports/frmstore.h"
#include "sales/frmamounttotal.h"
#include "sales/frmblankout.h"
#include "sales/frmdayamount.h"
#include "sales/frmsell.h"
#include "toolargs.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <xlsxwriter.h>

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
    // Messages other than questions, but for those the action is meant to show
    // (such as "保存成功！").
    QStringList complaints() const
    {
        QStringList texts;
        for (const ui::Message& m : shown)
            if (m.buttons == ui::Buttons::Ok && !expected.contains(m.text))
                texts << m.text;
        return texts;
    }
    QList<ui::Message> shown;
    QStringList expected;
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

// What an action is held to; a limit of 0 is none.
struct Target {
    double median = 100;    // ms
    double slowest = 100;   // ms
    double cold = 0;        // ms
    double floorTimes = 0;  // the median over the floor's
    int flushes = -1;       // the most in one run (-1: any)
    double mib = 0;         // resident, at 50,000 stock rows or fewer
};

// The kinds of target: any action under 100 ms (median and slowest); a list of
// the stock opened or filtered (under 100 ms median, 150 ms cold, 2.5 times the
// floor); a median under `ms`; within `times` its floor.
const Target kAnyAction;
const Target kStockList{100, 0, 150, 2.5};
Target under(double ms) { return Target{ms, 0}; }
Target withinFloor(double times) { return Target{0, 0, 0, times}; }

QString describe(const Target& t)
{
    QStringList parts;
    if (t.median > 0)
        parts << QStringLiteral("median < %1 ms").arg(t.median);
    if (t.slowest > 0)
        parts << QStringLiteral("slowest < %1 ms").arg(t.slowest);
    if (t.cold > 0)
        parts << QStringLiteral("cold < %1 ms").arg(t.cold);
    if (t.floorTimes > 0)
        parts << QStringLiteral("<= %1x floor").arg(t.floorTimes);
    if (t.flushes >= 0)
        parts << QStringLiteral("<= %1 flushes").arg(t.flushes);
    if (t.mib > 0)
        parts << QStringLiteral("< %1 MiB").arg(t.mib);
    return parts.join(QStringLiteral(", "));
}

struct Result {
    QString action;
    QString note;  // what the action leaves, e.g. the rows listed
    double cold = 0;
    std::vector<double> program, floor, layer, flushes, paints;
    double resident = 0;  // MiB, the most seen just after a run
    size_t statements = 0;
    Target target;
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
             const std::function<void()>& done, const std::function<QString()>& note,
             const Target& target = kAnyAction)
{
    if (!action.contains(only))
        return;
    Result r;
    r.action = action;
    r.target = target;
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
void filterKeys(const QString& window, QLineEdit* box, const FlexGrid& list, const QString& goodsNo,
                const Target& target = kStockList)
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
            [&] { typeChar(box, goodsNo[i]); }, [] {}, [&] { return listed(list); }, target);
    }
    measure(
        QStringLiteral("%1: goods number \"%2\" + Backspace").arg(window, goodsNo.left(1)),
        [&] {
            box->setFocus();
            box->setText(goodsNo.left(1));
            box->end(false);
            settle();
        },
        [&] { key(box, Qt::Key_Backspace); }, [] {}, [&] { return listed(list); }, target);
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



// -- the other windows --------------------------------------------------------------

// Answers the file dialog with the path set here.
class ChosenFile : public ui::FileDialogs {
public:
    QString openFile(QWidget*, const QString&) override { return path; }
    QString path;
};

ChosenFile chosenFile;

// Times the opening of a window: built and shown, until the program is idle;
// it is closed after each run, untimed.
template <class W>
void opening(const QString& action, const std::function<std::unique_ptr<W>()>& make,
             const std::function<QString(W&)>& note = {}, const Target& target = kAnyAction)
{
    std::unique_ptr<W> w;
    measure(
        action, [] {},
        [&] {
            w = make();
            w->show();
        },
        [&] {
            w.reset();
            settle();
        },
        [&] { return note ? note(*w) : QString(); }, target);
}

template <class W>
void opening(const QString& action, const std::function<QString(W&)>& note = {}, const Target& target = kAnyAction)
{
    opening<W>(action, [] { return std::make_unique<W>(); }, note, target);
}

// Shows a window and waits until the program is idle.
void showIdle(QWidget& w)
{
    w.show();
    w.activateWindow();
    settle();
}

// The messages an action is meant to show, for the actions in `scope`.
struct Expecting {
    explicit Expecting(const QStringList& texts) { messages.expected = texts; }
    ~Expecting() { messages.expected.clear(); }
};

QString text(const QLabel* l) { return l->text(); }

// Writes a supplier's purchase list as a spreadsheet program saves it: the size
// captions in row 3, then `rows` rows of a goods number and colour with one to
// three pieces in each of the ten size columns, in the import window's default
// layout (brand, goods number, kind, -, colour, sizes from column 6, purchase
// and retail price in columns 17 and 18).
bool writePurchaseList(const QString& path, int rows)
{
    lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
    if (!book)
        return false;
    lxw_worksheet* sheet = workbook_add_worksheet(book, "进货单");
    worksheet_write_string(sheet, 0, 0, "进货单", nullptr);
    for (int s = 0; s < 10; ++s)
        worksheet_write_number(sheet, 2, lxw_col_t(5 + s), 35 + s, nullptr);
    const char* const colours[] = {"黑色", "白色", "红色", "蓝色", "灰色"};
    for (int r = 0; r < rows; ++r) {
        const auto row = lxw_row_t(3 + r);
        const std::string goods = QStringLiteral("XW%1").arg(r / 5, 4, 10, QLatin1Char('0')).toStdString();
        worksheet_write_string(sheet, row, 0, "青禾", nullptr);
        worksheet_write_string(sheet, row, 1, goods.c_str(), nullptr);
        worksheet_write_string(sheet, row, 2, "男鞋", nullptr);
        worksheet_write_string(sheet, row, 4, colours[r % 5], nullptr);
        for (int s = 0; s < 10; ++s)
            worksheet_write_number(sheet, row, lxw_col_t(5 + s), 1 + (r + s) % 3, nullptr);
        worksheet_write_number(sheet, row, 16, 80 + r % 40, nullptr);
        worksheet_write_number(sheet, row, 17, 199, nullptr);
    }
    return workbook_close(book) == LXW_NO_ERROR;
}

void sqlOnTheSide(const char* sql)
{
    char* why = nullptr;
    if (sqlite3_exec(floorDb, sql, nullptr, nullptr, &why) != SQLITE_OK)
        fail(QString::fromUtf8(why));
}

// The stock rows, lines and batches of the imported purchase list, gone again.
void removeImported()
{
    sqlOnTheSide("delete from BuyPrice where StoreGUID in (select GUID from Store where TypeNo like 'XW%');"
                 "delete from StoreDetail where TypeNo like 'XW%'; delete from Store where TypeNo like 'XW%'");
}

void otherWindows(const std::string& shop, const QString& goodsNo)
{
    const QDate monthFrom(2024, 2, 1), monthTo(2024, 2, 29), yearFrom(2023, 3, 5), lastDay(2024, 3, 4);

    // Sales of the last weeks with at least two lines still as sold: the latest
    // first, each voided, returned or exchanged from once.
    const auto sales = query("select SellNo from Sell where ShopNo='" + shop +
                             "' and DateTime>='2024-01-01' and DateTime<='2024-03-04' and State=0 "
                             "group by SellNo having count(*)>=2 order by SellNo desc limit 600");
    if (sales.size() < 300)
        fail(QStringLiteral("too few sales to void, return and exchange from"));
    size_t nextSale = 0;
    auto freshSale = [&] { return q(sales[nextSale++ % sales.size()][0]); };
    size_t shownSale = 0;
    auto anySale = [&] { return q(sales[sales.size() - 1 - shownSale++ % (sales.size() / 2)][0]); };

    // ---- void ------------------------------------------------------------------------------
    opening<frmBlankout>(QStringLiteral("void: open"));
    {
        frmBlankout v;
        showIdle(v);
        auto search = [&](const QString& sellNo) {
            v.txtSellNo->setFocus();
            v.txtSellNo->setText(sellNo);
        };
        measure(
            QStringLiteral("void: search by sale number"), [&] { search(anySale()); settle(); },
            [&] { key(v.txtSellNo, Qt::Key_Return); }, [] {}, [&] { return listed(*v.VSFlexGrid); });
        int before = 0;
        measure(
            QStringLiteral("void: one line"),
            [&] {
                search(freshSale());
                key(v.txtSellNo, Qt::Key_Return);
                before = v.VSFlexGrid->rows();
                if (before < 2)
                    fail(QStringLiteral("no sale line to void"));
                v.VSFlexGrid->setRow(1);
                v.cmdOk->setFocus();
                settle();
            },
            [&] { v.cmdOk->click(); },
            [&] {
                if (v.VSFlexGrid->rows() != before - 1)
                    fail(QStringLiteral("the void did not go through"));
            },
            [&] { return listed(*v.VSFlexGrid) + QStringLiteral(" left of the sale"); });
    }

    // ---- customer return ------------------------------------------------------------------
    opening<frmClientBack>(QStringLiteral("customer return: open"));
    {
        frmClientBack b;
        showIdle(b);
        auto search = [&](bool byNo, bool byType, bool byDay) {
            b.chkNo->setChecked(byNo);
            b.chkType->setChecked(byType);
            b.chkDate->setChecked(byDay);
        };
        measure(
            QStringLiteral("customer return: search by sale number"),
            [&] {
                search(true, false, false);
                b.txtSellNo->setText(anySale());
                settle();
            },
            [&] { b.cmdQuery->click(); }, [] {}, [&] { return listed(*b.VSFlexGrid); });
        const auto soldGoods = query("select TypeNo from Sell where ShopNo='" + shop +
                                     "' and DateTime='2024-03-01' order by rowid limit 40");
        size_t nextGoods = 0;
        measure(
            QStringLiteral("customer return: search by goods number"),
            [&] {
                search(false, true, false);
                b.txtType->setText(q(soldGoods[nextGoods++ % soldGoods.size()][0]));
                settle();
            },
            [&] { b.cmdQuery->click(); }, [] {}, [&] { return listed(*b.VSFlexGrid); });
        int day = 0;
        measure(
            QStringLiteral("customer return: search by sale day"),
            [&] {
                search(false, false, true);
                b.DT->setDate(lastDay.addDays(-(day++ % 7)));
                settle();
            },
            [&] { b.cmdQuery->click(); }, [] {}, [&] { return listed(*b.VSFlexGrid); });
        int before = 0;
        measure(
            QStringLiteral("customer return: one line"),
            [&] {
                search(true, false, false);
                b.txtSellNo->setText(freshSale());
                b.cmdQuery->click();
                before = b.VSFlexGrid->rows();
                if (before < 2)
                    fail(QStringLiteral("no sale line to take back"));
                b.VSFlexGrid->setRow(1);
                b.cmdOk->setFocus();
                settle();
            },
            [&] { b.cmdOk->click(); },
            [&] {
                if (b.VSFlexGrid->rows() != before - 1)
                    fail(QStringLiteral("the return did not go through"));
            },
            [&] { return QStringLiteral("into problem stock; ") + listed(*b.VSFlexGrid) + QStringLiteral(" left"); });
    }

    // ---- exchange -------------------------------------------------------------------------
    opening<frmClientBackChange>(QStringLiteral("exchange: open"));
    {
        frmClientBackChange x;
        showIdle(x);
        auto search = [&](const QString& sellNo) {
            x.chkNo->setChecked(true);
            x.chkDate->setChecked(false);
            x.chkType->setChecked(false);
            x.txtSellNo->setText(sellNo);
        };
        measure(
            QStringLiteral("exchange: search the sale lines by sale number"),
            [&] {
                search(anySale());
                settle();
            },
            [&] { x.cmdQuery->click(); }, [] {}, [&] { return listed(*x.VSFlexGrid); });

        // The picker: its whole list of goods in stock, shown; then closed.
        QString pickerRows;
        modal.script = [&](QDialog* dlg) {
            dlg->show();
            settle();
            if (auto* p = qobject_cast<frmChange*>(dlg))
                pickerRows = listed(*p->VSFlexGrid);
            return int(QDialog::Rejected);
        };
        measure(
            QStringLiteral("exchange: picker opened and closed (stock list)"),
            [&] {
                search(anySale());
                x.cmdQuery->click();
                x.VSFlexGrid->setRow(1);
                settle();
            },
            [&] { x.cmdChange->click(); }, [] {}, [&] { return pickerRows; }, kStockList);

        // Two pairs: each of the first two lines of a sale for a piece in stock at
        // full price, chosen in the picker; then the exchange is committed.
        int picked = 0;
        modal.script = [&](QDialog* dlg) {
            auto* p = qobject_cast<frmChange*>(dlg);
            if (!p)
                return int(QDialog::Rejected);
            p->show();
            settle();
            const int rows = p->VSFlexGrid->rows() - 1;
            p->VSFlexGrid->setRow(1 + (++picked * 7919) % rows);
            p->OptAbate->setChecked(true);
            p->txtAbate->setText(QStringLiteral("全"));
            p->cmdOk->click();
            return p->result();
        };
        Expecting saying({QStringLiteral("调换成功！")});
        measure(
            QStringLiteral("exchange: commit two pairs"),
            [&] {
                search(freshSale());
                x.cmdQuery->click();
                if (x.VSFlexGrid->rows() < 3)
                    fail(QStringLiteral("no sale of two lines to exchange from"));
                for (int r : {1, 2}) {
                    x.VSFlexGrid->setRow(r);
                    x.cmdChange->click();
                }
                if (x.VSChange->rows() != 3)
                    fail(QStringLiteral("the two pairs were not listed"));
                x.cmdOk->setFocus();
                settle();
            },
            [&] { x.cmdOk->click(); },
            [&] {
                if (x.VSChange->rows() != 1)
                    fail(QStringLiteral("the exchange did not go through"));
            },
            [] { return QStringLiteral("2 lines back, 2 pieces out"); }, under(20));
        modal.script = nullptr;
    }

    // ---- problem goods and the return to the factory ---------------------------------------
    opening<frmQuestion>(
        QStringLiteral("problem goods: open (stock list bound)"),
        [](frmQuestion& w) { return listed(*w.VSFlexGrid); }, kStockList);
    {
        const auto rows = query("select GUID from Store where ShopNo='" + shop +
                                "' and Quantity>=10 order by rowid desc limit 200");
        size_t nextRow = 0;
        frmQuestion w;
        showIdle(w);
        Expecting saying({QStringLiteral("处理成功！")});
        measure(
            QStringLiteral("problem goods: confirm one line"),
            [&] {
                const int r = w.VSFlexGrid->findRow(q(rows[nextRow++ % rows.size()][0]), 1, 1);
                if (r < 1)
                    fail(QStringLiteral("stock row not listed"));
                w.VSFlexGrid->setRow(r);
                w.txtQuatity->setText(QStringLiteral("1"));
                w.cmdAddQuestion->click();
                if (w.VSQuestion->rows() != 2)
                    fail(QStringLiteral("the problem line was not added"));
                w.cmdOk->setFocus();
                settle();
            },
            [&] { w.cmdOk->click(); },
            [&] {
                if (w.VSQuestion->rows() != 1)
                    fail(QStringLiteral("the problem goods were not written"));
            },
            [] { return QStringLiteral("1 piece into problem stock"); });
    }
    opening<frmFactoryBack>(QStringLiteral("factory return: open"),
                            [](frmFactoryBack& w) { return listed(*w.VSFlexGrid) + QStringLiteral(" of problem stock"); });
    {
        frmFactoryBack f;
        showIdle(f);
        Expecting saying({QStringLiteral("退货成功！")});
        int before = 0;
        measure(
            QStringLiteral("factory return: three ticked rows"),
            [&] {
                FlexGrid& g = *f.VSFlexGrid;
                if (g.rows() < 4)
                    f.LoadProblemStock();
                if (g.rows() < 4)
                    fail(QStringLiteral("too little problem stock left to return"));
                for (int r = 1; r <= 3; ++r)
                    g.setTextMatrix(r, g.colIndex(QStringLiteral("选中")), QStringLiteral("-1"));
                f.SumTickedCost();
                before = g.rows();
                settle();
            },
            [&] { f.cmdRegist->click(); },
            [&] {
                if (f.VSFlexGrid->rows() != before - 3)
                    fail(QStringLiteral("the factory return did not go through"));
            },
            [&] { return listed(*f.VSFlexGrid) + QStringLiteral(" left"); });
    }

    // ---- settlements ---------------------------------------------------------------------
    opening<frmDayAmount>(QStringLiteral("daily settlement: open"));
    {
        frmDayAmount d;
        showIdle(d);
        measure(
            QStringLiteral("daily settlement: a seller's day"),
            [&] {
                d.DTDate->setDate(lastDay);
                settle();
            },
            [&] { d.cmdCheckOut->click(); }, [] {},
            [&] { return QStringLiteral("%1 pieces sold, %2 due").arg(text(d.lbSellCount), text(d.lbRecive)); });
    }
    opening<frmAmountTotal>(QStringLiteral("settlement summary: open"));
    {
        frmAmountTotal a;
        showIdle(a);
        measure(
            QStringLiteral("settlement summary: a year"),
            [&] {
                a.DTBeginTime->setDate(yearFrom);
                a.DTEndTime->setDate(lastDay);
                settle();
            },
            [&] { a.cmdQuery->click(); }, [] {}, [&] { return listed(*a.VSAmountTotal); });
    }

    // ---- stock query -------------------------------------------------------------------------
    opening<frmStore>(
        QStringLiteral("stock query: open with subtotals"),
        [](frmStore& w) { return listed(*w.VSFlexGrid) + QStringLiteral(" with the totals"); }, under(200));
    {
        frmStore s;
        showIdle(s);
        filterKeys(QStringLiteral("stock query"), s.txtNo, *s.VSFlexGrid, goodsNo, under(100));
    }

    // ---- sales query and ranking --------------------------------------------------------------
    // A query of the days from `from` to the last day of trading, in either window.
    auto queryPeriod = [&](auto& w, const QString& action, const QDate& from, const Target& target, auto after) {
        measure(
            action,
            [&] {
                w.DTBeginTime->setDate(from);
                w.DTEndTime->setDate(lastDay);
                settle();
            },
            [&] { w.cmdQuery->click(); },
            [&] {
                core::ClearGridRows(*w.VSSell);
                settle();
            },
            after, target);
    };
    opening<frmSellQuery>(QStringLiteral("sales query: open"));
    {
        frmSellQuery w;
        showIdle(w);
        auto after = [&] {
            return QStringLiteral("%1 lines, %2 rows with the totals").arg(text(w.lbCount)).arg(w.VSSell->rows() - 1);
        };
        queryPeriod(w, QStringLiteral("sales query: one month"), lastDay.addMonths(-1).addDays(1), under(200), after);
        queryPeriod(w, QStringLiteral("sales query: one year"), yearFrom, withinFloor(2), after);
    }
    opening<frmSellGroup>(QStringLiteral("sales ranking: open"));
    {
        frmSellGroup w;
        showIdle(w);
        auto after = [&] { return listed(*w.VSSell); };
        // A ranking is a report: SQLite groups and sorts every line of the period.
        queryPeriod(w, QStringLiteral("sales ranking: one month"), lastDay.addMonths(-1).addDays(1), withinFloor(2), after);
        queryPeriod(w, QStringLiteral("sales ranking: one year"), yearFrom, withinFloor(2), after);
    }

    // ---- purchases -----------------------------------------------------------------------------
    opening<frmbuyInDetail>(QStringLiteral("purchase details: open (every receipt line)"),
                            [](frmbuyInDetail& w) { return listed(*w.VSFlexGrid); }, kStockList);
    {
        frmbuyInDetail w;
        showIdle(w);
        measure(
            QStringLiteral("purchase details: a month's list"),
            [&] {
                w.chkDate->setChecked(true);
                w.chkTypeNo->setChecked(false);
                w.DTBeginTime->setDate(monthFrom);
                w.DTEndTime->setDate(monthTo);
                settle();
            },
            [&] { w.cmdQuery->click(); }, [] {}, [&] { return listed(*w.VSFlexGrid); });
    }
    opening<frmChangePrice>(QStringLiteral("price change: open (stock list bound)"),
                            [](frmChangePrice& w) { return listed(*w.VSFlexGrid); }, kStockList);
    {
        frmChangePrice w;
        showIdle(w);
        int n = 0;
        Expecting saying({QStringLiteral("变价成功")});
        measure(
            QStringLiteral("price change: one stock row"),
            [&] {
                w.VSFlexGrid->setRow(1 + (++n * 7919) % (w.VSFlexGrid->rows() - 1));
                w.txtNewPrice->setText(QString::number(150 + n));
                w.cmdNewPrice->setFocus();
                settle();
            },
            [&] { w.cmdNewPrice->click(); }, [] {}, [&] { return listed(*w.VSFlexGrid); });
    }

    // ---- the workbook import ---------------------------------------------------------------------
    opening<frmPutIn>(QStringLiteral("workbook import: open"));
    {
        QTemporaryDir dir;
        chosenFile.path = dir.filePath(QStringLiteral("purchase.xlsx"));
        if (!dir.isValid() || !writePurchaseList(chosenFile.path, 1000))
            fail(QStringLiteral("the purchase list was not written"));
        frmPutIn w;
        showIdle(w);
        measure(
            QStringLiteral("workbook import: read 1,000 rows"), [] {}, [&] { w.cmdSelect->click(); }, [] {},
            [&] { return QStringLiteral("ready: %1").arg(w.cmdPutIn->isEnabled() ? "yes" : "no"); });
        Expecting saying({QStringLiteral("导入成功!")});
        measure(
            QStringLiteral("workbook import: 1,000 rows x 10 sizes"),
            [&] {
                removeImported();
                w.cmdSelect->click();
                w.txtEndrow->setText(QStringLiteral("1003"));
                if (!w.cmdPutIn->isEnabled())
                    fail(QStringLiteral("the purchase list was not read"));
                settle();
            },
            [&] { w.cmdPutIn->click(); }, [] {},
            [&] {
                return q(query("select count(*) from Store where TypeNo like 'XW%'")[0][0]) +
                       QStringLiteral(" stock rows received");
            },
            under(2000));
        removeImported();
    }

    // ---- expenses and profit -------------------------------------------------------------------
    opening<frmOtherOut>(QStringLiteral("expense: open"));
    {
        frmOtherOut w;
        showIdle(w);
        Expecting saying({QStringLiteral("保存成功！")});
        measure(
            QStringLiteral("expense: save one"),
            [&] {
                w.txtAmount->setText(QStringLiteral("35"));
                w.txtMemo->setText(QStringLiteral("快递"));
                settle();
            },
            [&] { w.cmdQuery->click(); }, [] {}, [] { return QString(); });
    }
    opening<frmOtherOutQuery>(QStringLiteral("expense list: open"));
    {
        frmOtherOutQuery w;
        showIdle(w);
        measure(
            QStringLiteral("expense list: a month"),
            [&] {
                w.DTBeginTime->setDate(monthFrom);
                w.DTEndTime->setDate(monthTo);
                settle();
            },
            [&] { w.cmdQuery->click(); }, [] {}, [&] { return listed(*w.VSSell) + QStringLiteral(" with the total"); });
    }
    opening<frmProfit>(QStringLiteral("profit: open"));
    {
        frmProfit w;
        showIdle(w);
        auto period = [&](const QString& action, const QDate& from, const QDate& to, const Target& target) {
            measure(
                action,
                [&] {
                    w.DTBeginTime->setDate(from);
                    w.DTEndTime->setDate(to);
                    settle();
                },
                [&] { w.cmdQuery->click(); }, [] {},
                [&] { return QStringLiteral("%1 pieces sold, profit %2").arg(text(w.lbSellQuantity), text(w.lbProfitEx)); },
                target);
        };
        period(QStringLiteral("profit: one month"), monthFrom, monthTo, under(200));
        period(QStringLiteral("profit: three years"), QDate(2021, 3, 5), QDate(2024, 3, 5), withinFloor(3));
    }

    // ---- histories ------------------------------------------------------------------------------
    opening<frmBackChangeQuery>(QStringLiteral("exchange and return history: open"));
    {
        frmBackChangeQuery w;
        showIdle(w);
        measure(
            QStringLiteral("exchange history: a month"),
            [&] {
                w.DTBeginTime->setDate(monthFrom);
                w.DTEndTime->setDate(monthTo);
                settle();
            },
            [&] { w.cmdQuery[0]->click(); }, [] {}, [&] { return listed(*w.VSChange); });
        measure(
            QStringLiteral("return history: a month"),
            [&] {
                w.TabStrip->setCurrentIndex(1);
                w.DTB->setDate(monthFrom);
                w.DTE->setDate(monthTo);
                settle();
            },
            [&] { w.cmdQuery[1]->click(); }, [] {}, [&] { return listed(*w.VSBack); });
    }
    opening<frmBackFactoryQuery>(QStringLiteral("factory return history: open"));
    {
        frmBackFactoryQuery w;
        showIdle(w);
        measure(
            QStringLiteral("factory return history: a month"),
            [&] {
                w.DTBeginTime->setDate(monthFrom);
                w.DTEndTime->setDate(monthTo);
                settle();
            },
            [&] { w.cmdQuery->click(); }, [] {}, [&] { return listed(*w.VSFlexGrid) + QStringLiteral(" with the totals"); });
    }
    opening<frmBlankOutQuery>(QStringLiteral("void history: open"));
    {
        frmBlankOutQuery w;
        showIdle(w);
        measure(
            QStringLiteral("void history: a month"),
            [&] {
                w.DTBlankOutB->setDate(monthFrom);
                w.DTBlankOutE->setDate(monthTo);
                settle();
            },
            [&] { w.cmdQuery->click(); }, [] {}, [&] { return listed(*w.VSBlankOut); });
    }

    // ---- administration ---------------------------------------------------------------------------
    opening<frmMain>(QStringLiteral("main window: open"));
    opening<frmLogin>(QStringLiteral("login: open"));
    opening<frmReLogin>(QStringLiteral("switch user: open"));
    opening<frmChangePwd>(QStringLiteral("change password: open"));
    opening<frmUser>(QStringLiteral("users: open"));
    opening<frmRole>(QStringLiteral("roles: open"));
    opening<frmSellRole>(QStringLiteral("shop rules: open"));
    opening<frmChangeShop>(QStringLiteral("shop name: open"));
    opening<frmBackup>(QStringLiteral("backup setting: open"));
    opening<frmDataDictionary>(QStringLiteral("pick lists: open"));
    opening<frmAbout>(QStringLiteral("about: open"));
}

// The offscreen platform says for every dialog shown that it cannot pass on
// size hints; that says nothing about the program.
QtMessageHandler qtMessages = nullptr;
void quieter(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("propagateSizeHints")))
        return;
    if (qtMessages)
        qtMessages(type, context, text);
    else
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv)
{
    ui::useHeadlessShopScreen();
    qtMessages = qInstallMessageHandler(quieter);
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("VeloraTessaro"));
    ui::useChineseFace();
    tools::Arguments args(QStringLiteral("Times the program's windows on <database>, a Kostrelvani.mdb written by "
                                         "make_shop_data."),
                          {QStringLiteral("<database>")});
    const auto runsOption = args.option(QStringLiteral("runs"), QStringLiteral("timed runs of each action (11)"), QStringLiteral("N"));
    const auto onlyOption =
        args.option(QStringLiteral("only"), QStringLiteral("only the actions whose name holds TEXT"), QStringLiteral("TEXT"));
    if (const auto end = args.read(app.arguments()))
        return *end;
    const auto runsGiven = args.whole(runsOption, runs, 1);
    if (!runsGiven)
        return 2;
    runs = *runsGiven;
    only = args.value(onlyOption);
    const QFileInfo file(args.positional(0));
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

    ui::Platform services = ui::realPlatform();
    services.msg = &messages;
    services.modal = &modal;
    services.receipts = &printer;
    services.clock = &fixedClock;
    services.files = &chosenFile;
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
            [&] { return listed(*w->VSFlexGrid); }, Target{100, 0, 150, 2.5, -1, 100});

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
                [&] { return QStringLiteral("sold as %1, next %2").arg(soldAs, counter.lbNo->text()); },
                Target{20, 0, 0, 0, 2});
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
            [&] { return listed(*w->VSFlexGrid); }, kStockList);

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

        // A colour-by-size receipt opened from the desk: four colours by five
        // sizes with pieces in every cell, received as one transaction, the
        // twenty new stock rows joining the desk's list.
        opening<frmbatchbuyIn>(QStringLiteral("colour-by-size receipt: open"),
                               [&] { return std::make_unique<frmbatchbuyIn>(desk.VSFlexGrid); });
        {
            frmbatchbuyIn b(desk.VSFlexGrid);
            showIdle(b);
            auto tick = [](QListWidget* list, const QString& entry) {
                for (int i = 0; i < list->count(); ++i)
                    if (list->item(i)->text() == entry) {
                        list->item(i)->setCheckState(Qt::Checked);
                        return;
                    }
                fail(QStringLiteral("no entry %1 to tick").arg(entry));
            };
            int receipt = 0;
            measure(
                QStringLiteral("colour-by-size receipt: 4 x 5 matrix received"),
                [&] {
                    b.txtNo->setText(QStringLiteral("XB%1").arg(++receipt, 5, 10, QLatin1Char('0')));
                    b.comBrand->setEditText(QStringLiteral("青禾"));
                    b.txtPrice->setText(QStringLiteral("72"));
                    b.txtSellPrice->setText(QStringLiteral("129"));
                    for (const char* colour : {"黑色", "白色", "红色", "蓝色"})
                        tick(b.listCoulor, QString::fromUtf8(colour));
                    for (const char* size : {"38", "39", "40", "41", "42"})
                        tick(b.listSize, QString::fromUtf8(size));
                    FlexGrid& g = *b.VSFlexGrid;
                    if (g.rows() != 6 || g.cols() != 7)
                        fail(QStringLiteral("the matrix is not 4 x 5"));
                    for (int r = 1; r <= 4; ++r)
                        for (int c = 1; c <= 5; ++c)
                            g.setTextMatrix(r, c, QString::number(1 + (r + c) % 4));
                    rowsBefore = desk.VSFlexGrid->rows();
                    b.cmdInStore->setFocus();
                    settle();
                },
                [&] { b.cmdInStore->click(); },
                [&] {
                    if (desk.VSFlexGrid->rows() != rowsBefore + 20)
                        fail(QStringLiteral("the matrix was not received"));
                },
                [&] { return listed(*desk.VSFlexGrid) + QStringLiteral(" on the desk"); });
        }
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
            QStringLiteral("Select ") + core::GoodsColumns() +
            QStringLiteral(",Quantity as 数量,Price as 零售价,Abate as 折扣,Amount as 实收金额,SellerName as 销售员,"
                           "SellNo as 销售编号,DateTime as 销售日期 ") +
            QStringLiteral("from Sell Where ShopNo='") + gShopNo + QStringLiteral("' And DateTime>=#") + q(begin) +
            QStringLiteral("# And DateTime <=#2024-03-04# And State<2  Order By TypeNo,[Size],Colour");
        std::vector<double> fetch, bind, totals;
        const QString action = QStringLiteral("grid: sales list of %L1 lines, with totals").arg(lines);
        measure(
            action, [] {},
            [&] {
                Clock::time_point t = Clock::now();
                const jet::RecordSet rs = gDbopt.Excute(sql);
                fetch.push_back(msSince(t));
                t = Clock::now();
                grid->bind(rs);
                core::SetGridColumns(*grid, 820);
                grid->setColWidth(1, 1600);
                bind.push_back(msSince(t));
                t = Clock::now();
                const QColor red = platform::vbColor(255);
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
                core::ClearGridRows(*grid);
                settle();
            },
            [&] { return QStringLiteral("%L1 rows with the totals").arg(grid->rows() - 1); },
            wanted > 0 ? withinFloor(2) : kAnyAction);
        if (!fetch.empty())
            results.back().note += QStringLiteral("; fetch %1, bind %2, totals %3 ms")
                                       .arg(median(fetch), 0, 'f', 0)
                                       .arg(median(bind), 0, 'f', 0)
                                       .arg(median(totals), 0, 'f', 0);
    };
    salesList(100000, 0);
    salesList(0, 7);
    window.hide();

    otherWindows(shop, goodsNo);

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
    std::printf("\ntargets, each action's own (an action under no other target: median and slowest under 100 ms);\n"
                "the resident memory only at 50,000 stock rows or fewer\n");
    std::printf("%-52s %-44s %s\n", "action", "target", "");
    int missed = 0;
    for (const Result& r : results) {
        const Target& t = r.target;
        const double m = median(r.program), x = slowest(r.program), f = median(r.floor);
        QStringList why;
        if (t.median > 0 && m >= t.median)
            why << QStringLiteral("median %1 ms").arg(m, 0, 'f', 1);
        if (t.slowest > 0 && x >= t.slowest)
            why << QStringLiteral("slowest %1 ms").arg(x, 0, 'f', 1);
        if (t.cold > 0 && r.cold >= t.cold)
            why << QStringLiteral("cold %1 ms").arg(r.cold, 0, 'f', 1);
        if (t.floorTimes > 0 && r.statements > 0 && m / f > t.floorTimes)
            why << QStringLiteral("%1x its floor of %2 ms").arg(m / f, 0, 'f', 1).arg(f, 0, 'f', 2);
        if (t.flushes >= 0 && slowest(r.flushes) > t.flushes)
            why << QStringLiteral("%1 flushes").arg(slowest(r.flushes));
        if (t.mib > 0 && stockRows <= 50000 && r.resident >= t.mib)
            why << QStringLiteral("%1 MiB resident").arg(r.resident, 0, 'f', 0);
        if (!why.isEmpty())
            ++missed;
        std::printf("%-52s %-44s %s\n", r.action.toUtf8().constData(), describe(t).toUtf8().constData(),
                    why.isEmpty() ? "met" : ("MISSED: " + why.join(QStringLiteral(", "))).toUtf8().constData());
    }
    if (!missed)
        std::printf("all met\n");
    else
        std::printf("%d of %zu missed\n", missed, results.size());
    floorConnection.close();
    return 0;
}
