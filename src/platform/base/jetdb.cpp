#include "platform/base/jetdb.h"

#include "platform/base/largememory.h"
#include "platform/base/vb.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

#include <sqlite3.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>
#include <string>
#include <vector>

namespace platform::jet {

// ---------------------------------------------------------------------------
// Values

FieldKind kindOfDeclaredType(const char* declType)
{
    if (!declType)
        return FieldKind::Other;
    const QByteArray t = QByteArray(declType).toUpper();
    if (t.startsWith(kSingleType))
        return FieldKind::Single;
    if (t.startsWith(kYesNoType))
        return FieldKind::YesNo;
    if (t.contains("INT"))
        return FieldKind::Whole;
    if (t.contains("TEXT") || t.contains("CHAR"))
        return FieldKind::Text;
    return FieldKind::Other;
}

// ---------------------------------------------------------------------------
// Record sets

namespace {

enum ValueType : quint8 { Null, Whole, Real, Text, Blob };

// Where the bytes of a text or blob are: block, offset in it and length. A
// value of a megabyte or more has a block of its own, its length (all ones
// here) written before its bytes.
constexpr int kLengthBits = 20;
constexpr int kOffsetBits = 21;  // blocks of up to 2 MiB
constexpr quint64 kLongValue = (quint64(1) << kLengthBits) - 1;
constexpr quint64 kMaxBlocks = quint64(1) << (64 - kLengthBits - kOffsetBits);
constexpr size_t kFirstBlock = 4096;
constexpr size_t kLastBlock = size_t(1) << kOffsetBits;

using LargeBuffer = std::unique_ptr<char[], platform::ReleaseLarge>;

LargeBuffer largeBuffer(size_t bytes) { return LargeBuffer(static_cast<char*>(platform::allocateLarge(bytes))); }

}  // namespace

// A fetched result: every value of every row, row after row, in a few large
// buffers: chunks of value slots (a number, a double's bits or where the bytes
// are, and the value's type) and blocks of text bytes. A small first chunk and
// block serve the many results of a row or two; after them come pieces of
// 2 MiB, so that a list of 100,000 rows takes a dozen or so; nothing moves
// while it grows.
struct RecordSet::Data {
    static constexpr size_t kFirstChunk = 256;  // value slots in the first chunk
    static constexpr size_t kChunk = platform::kLargePiece / (sizeof(quint64) + 1);  // in each later one

    QStringList names;
    QVector<FieldKind> kinds;
    int cols = 0;
    int rows = 0;
    size_t count = 0;  // value slots in use
    // A chunk of n slots: n values (quint64), then n types (ValueType).
    std::vector<LargeBuffer> chunks;
    std::vector<LargeBuffer> blocks;
    static constexpr size_t kNone = size_t(-1);
    size_t filling = kNone;  // the block short values go into
    size_t room = 0;         // its size
    size_t used = 0;         // its bytes in use

    // The chunk of slot i, the place in it and the chunk's size.
    static void locate(size_t i, size_t* chunk, size_t* at, size_t* size)
    {
        if (i < kFirstChunk) {
            *chunk = 0;
            *at = i;
            *size = kFirstChunk;
        } else {
            *chunk = 1 + (i - kFirstChunk) / kChunk;
            *at = (i - kFirstChunk) % kChunk;
            *size = kChunk;
        }
    }

    void appendRow(const quint8* types, const quint64* values, size_t n)
    {
        for (size_t c = 0; c < n; ++c) {
            size_t chunk, at, size;
            locate(count, &chunk, &at, &size);
            if (chunk == chunks.size())
                // Not zeroed: every slot is written before it is read.
                chunks.push_back(largeBuffer(size * (sizeof(quint64) + 1)));
            char* base = chunks[chunk].get();
            std::memcpy(base + at * sizeof(quint64), &values[c], sizeof(quint64));
            base[size * sizeof(quint64) + at] = char(types[c]);
            ++count;
        }
    }
    ValueType typeAt(size_t i) const
    {
        size_t chunk, at, size;
        locate(i, &chunk, &at, &size);
        return ValueType(quint8(chunks[chunk].get()[size * sizeof(quint64) + at]));
    }
    quint64 valueAt(size_t i) const
    {
        size_t chunk, at, size;
        locate(i, &chunk, &at, &size);
        quint64 v;
        std::memcpy(&v, chunks[chunk].get() + at * sizeof(quint64), sizeof v);
        return v;
    }

    QByteArrayView bytesOf(quint64 place) const
    {
        const char* block = blocks[size_t(place >> (kLengthBits + kOffsetBits))].get();
        const quint64 length = place & kLongValue;
        if (length != kLongValue)
            return QByteArrayView(block + ((place >> kLengthBits) & ((quint64(1) << kOffsetBits) - 1)),
                                  qsizetype(length));
        quint64 n = 0;
        std::memcpy(&n, block, sizeof n);
        return QByteArrayView(block + sizeof n, qsizetype(n));
    }
    // Keeps the bytes; false when no more blocks can be told apart.
    bool store(const char* s, size_t n, quint64* place)
    {
        if (blocks.size() + 2 > kMaxBlocks)
            return false;
        if (n >= kLongValue) {
            const quint64 length = n;
            blocks.push_back(largeBuffer(sizeof length + n));
            std::memcpy(blocks.back().get(), &length, sizeof length);
            std::memcpy(blocks.back().get() + sizeof length, s, n);
            *place = (quint64(blocks.size() - 1) << (kLengthBits + kOffsetBits)) | kLongValue;
            return true;
        }
        if (filling == kNone || used + n > room) {
            room = filling == kNone && n <= kFirstBlock ? kFirstBlock : kLastBlock;
            blocks.push_back(largeBuffer(room));
            filling = blocks.size() - 1;
            used = 0;
        }
        std::memcpy(blocks[filling].get() + used, s, n);
        *place = (quint64(filling) << (kLengthBits + kOffsetBits)) | (quint64(used) << kLengthBits) | quint64(n);
        used += n;
        return true;
    }
};

struct RecordSet::Value {
    ValueType type;
    quint64 raw;
    qint64 whole() const { return qint64(raw); }
    double real() const { return std::bit_cast<double>(raw); }
};

int RecordSet::fieldCount() const { return d_ ? d_->cols : 0; }
QString RecordSet::fieldName(int col) const { return d_->names.at(col); }
FieldKind RecordSet::fieldKind(int col) const { return d_->kinds.at(col); }
int RecordSet::recordCount() const { return d_ ? d_->rows : 0; }

int RecordSet::fieldIndex(const QString& name) const
{
    if (!d_)
        return -1;
    for (int i = 0; i < d_->names.size(); ++i)
        if (d_->names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

RecordSet::Value RecordSet::at(int row, int col) const
{
    if (!d_ || row < 0 || col < 0 || col >= d_->cols || row >= d_->rows)
        throw Error(QStringLiteral("记录集中没有这个值。"));
    const size_t i = size_t(row) * size_t(d_->cols) + size_t(col);
    return Value{d_->typeAt(i), d_->valueAt(i)};
}

QVariant RecordSet::value(int row, int col) const
{
    const Value v = at(row, col);
    switch (v.type) {
    case Whole: return QVariant(qlonglong(v.whole()));
    case Real: return QVariant(v.real());
    case Text: return QVariant(QString::fromUtf8(d_->bytesOf(v.raw)));
    case Blob: return QVariant(d_->bytesOf(v.raw).toByteArray());
    case Null: break;
    }
    return QVariant();
}

QString RecordSet::text(int row, int col) const
{
    const Value v = at(row, col);
    const FieldKind kind = d_->kinds[col];
    switch (v.type) {
    case Text:
        return QString::fromUtf8(d_->bytesOf(v.raw));
    case Blob: {
        const QByteArrayView b = d_->bytesOf(v.raw);
        return QString::fromLatin1(b.data(), b.size());
    }
    case Null:
        return {};
    case Whole:
        if (kind == FieldKind::YesNo)
            return v.whole() != 0 ? QStringLiteral("-1") : QStringLiteral("0");
        if (kind == FieldKind::Single)
            return vb::singleText(vb::toSingle(double(v.whole())));
        return QString::number(v.whole());
    case Real:
        if (kind == FieldKind::YesNo)
            return v.real() != 0 ? QStringLiteral("-1") : QStringLiteral("0");
        if (kind == FieldKind::Single)
            return vb::singleText(vb::toSingle(v.real()));
        return vb::numberText(v.real());
    }
    return {};
}

bool RecordSet::textBytes(int row, int col, QByteArrayView* bytes) const
{
    const Value v = at(row, col);
    if (v.type != Text)
        return false;
    *bytes = d_->bytesOf(v.raw);
    return true;
}

double RecordSet::textNumber(int row, int col) const
{
    const Value v = at(row, col);
    const FieldKind kind = d_->kinds[col];
    // The numbers whose text is a whole number, without writing it.
    auto wholeSingle = [](float f, double* out) {
        if (f == 0 || !std::isfinite(f)) {
            *out = 0;
            return true;
        }
        if (f == std::trunc(f) && std::fabs(f) < 16777216.0f) {
            *out = double(f);
            return true;
        }
        return false;
    };
    double n = 0;
    switch (v.type) {
    case Null:
        return 0;
    case Whole:
        if (kind == FieldKind::YesNo)
            return v.whole() != 0 ? -1 : 0;
        if (kind == FieldKind::Single) {
            if (wholeSingle(vb::toSingle(double(v.whole())), &n))
                return n;
        } else if (v.whole() > -(qint64(1) << 53) && v.whole() < (qint64(1) << 53)) {
            return double(v.whole());
        }
        break;
    case Real:
        if (kind == FieldKind::YesNo)
            return v.real() != 0 ? -1 : 0;
        if (kind == FieldKind::Single) {
            if (wholeSingle(vb::toSingle(v.real()), &n))
                return n;
        } else if (v.real() == 0 || !std::isfinite(v.real())) {
            return 0;
        } else if (v.real() == std::trunc(v.real()) && std::fabs(v.real()) < 1e15) {
            return v.real();
        }
        break;
    case Text:
    case Blob:
        break;
    }
    const QString t = text(row, col);
    return t.isEmpty() ? 0.0 : vb::val(t);
}

int RecordSet::currentColumn(const QString& name) const
{
    if (eof())
        throw Error(QStringLiteral("BOF 或 EOF 中有一个是“真”，或者当前记录已被删除。"));
    const int col = fieldIndex(name);
    if (col < 0)
        throw Error(QStringLiteral("在对应所需名称或序数的集合中，未找到项目：") + name);
    return col;
}

QVariant RecordSet::field(const QString& name) const { return value(pos_, currentColumn(name)); }

QString RecordSet::fieldText(const QString& name) const { return text(pos_, currentColumn(name)); }

// ---------------------------------------------------------------------------
// Translation of the Jet dialect

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.unicode() >= 0x80;
}

// "#2024-3-5#", "#2024/03/05#" -> "'2024-03-05'"; anything else is refused.
QString dateLiteral(const QString& inner, QString* error)
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*(\d{4})[-/](\d{1,2})[-/](\d{1,2})\s*$)"));
    const QRegularExpressionMatch m = re.match(inner);
    if (m.hasMatch()) {
        const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (d.isValid())
            return QLatin1Char('\'') + d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
    }
    *error = QStringLiteral("查询表达式中日期的语法错误：#") + inner + QLatin1Char('#');
    return {};
}

}  // namespace

Translation translate(const QString& jetSql)
{
    Translation t;
    QString out;
    out.reserve(jetSql.size() + 16);
    const int n = int(jetSql.size());
    QString prevWord;     // the last word seen (upper case), for "select top n"
    QString limit;        // "n" of "top n"
    int i = 0;
    auto fail = [&](const QString& e) {
        t.error = e;
        t.sql.clear();
        return t;
    };
    while (i < n) {
        const QChar c = jetSql[i];
        if (c == QLatin1Char('\'')) {
            // A text literal, with doubled quotes inside; copied as it stands.
            int j = i + 1;
            for (;;) {
                if (j >= n)
                    return fail(QStringLiteral("字符串的语法错误：") + jetSql.mid(i));
                if (jetSql[j] == QLatin1Char('\'')) {
                    if (j + 1 < n && jetSql[j + 1] == QLatin1Char('\'')) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += QStringView(jetSql).mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('"')) {
            // Jet reads double quotes as a text literal too.
            const int j = int(jetSql.indexOf(QLatin1Char('"'), i + 1));
            if (j < 0)
                return fail(QStringLiteral("字符串的语法错误：") + jetSql.mid(i));
            QString inner = jetSql.mid(i + 1, j - i - 1);
            inner.replace(QLatin1Char('\''), QStringLiteral("''"));
            out += QLatin1Char('\'') + inner + QLatin1Char('\'');
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('[')) {
            const int j = int(jetSql.indexOf(QLatin1Char(']'), i + 1));
            if (j < 0)
                return fail(QStringLiteral("名称的语法错误：") + jetSql.mid(i));
            out += QStringView(jetSql).mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('#')) {
            const int j = int(jetSql.indexOf(QLatin1Char('#'), i + 1));
            if (j < 0)
                return fail(QStringLiteral("查询表达式中日期的语法错误：") + jetSql.mid(i));
            const QString lit = dateLiteral(jetSql.mid(i + 1, j - i - 1), &t.error);
            if (!t.error.isEmpty())
                return fail(t.error);
            out += lit;
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('-')) {
            // Jet has no comments: "--2" is minus minus two.
            if (out.endsWith(QLatin1Char('-')))
                out += QLatin1Char(' ');
            out += c;
            ++i;
            continue;
        }
        if (c == QLatin1Char('*') && out.endsWith(QLatin1Char('/'))) {
            out += QLatin1Char(' ');
            out += c;
            ++i;
            continue;
        }
        if (c == QLatin1Char(';')) {
            for (int j = i + 1; j < n; ++j)
                if (!jetSql[j].isSpace())
                    return fail(QStringLiteral("在 SQL 语句结尾之后找到字符。"));
            break;
        }
        if (isWordChar(c)) {
            int j = i;
            while (j < n && isWordChar(jetSql[j]))
                ++j;
            const QString word = jetSql.mid(i, j - i);
            const QString upper = word.toUpper();
            const bool numberStart = c.isDigit();
            if (!numberStart && upper == QLatin1String("TOP") &&
                (prevWord == QLatin1String("SELECT") || prevWord == QLatin1String("DISTINCT"))) {
                int k = j;
                while (k < n && jetSql[k].isSpace())
                    ++k;
                int e = k;
                while (e < n && jetSql[e].isDigit())
                    ++e;
                if (e == k || (e < n && isWordChar(jetSql[e])))
                    return fail(QStringLiteral("TOP 子句的语法错误。"));
                // The limit goes at the end of the statement: it can serve one select only.
                if (!limit.isEmpty())
                    return fail(QStringLiteral("一个语句中只能有一个 TOP 子句。"));
                limit = jetSql.mid(k, e - k);
                int p = e;
                while (p < n && jetSql[p].isSpace())
                    ++p;
                int q = p;
                while (q < n && isWordChar(jetSql[q]))
                    ++q;
                if (jetSql.mid(p, q - p).compare(QLatin1String("percent"), Qt::CaseInsensitive) == 0)
                    return fail(QStringLiteral("不支持 TOP n PERCENT。"));
                prevWord = upper;
                i = e;
                continue;
            }
            if (!numberStart && upper == QLatin1String("TRUE"))
                out += QStringLiteral("-1");
            else if (!numberStart && upper == QLatin1String("FALSE"))
                out += QStringLiteral("0");
            else if (!numberStart && upper == QLatin1String("MID")) {
                int k = j;
                while (k < n && jetSql[k].isSpace())
                    ++k;
                out += (k < n && jetSql[k] == QLatin1Char('(')) ? QStringLiteral("substr") : word;
            } else
                out += word;
            if (!numberStart)
                prevWord = upper;
            i = j;
            continue;
        }
        out += c;
        ++i;
    }
    if (out.trimmed().isEmpty())
        return fail(QStringLiteral("无效的 SQL 语句。"));
    if (!limit.isEmpty())
        out += QStringLiteral(" LIMIT ") + limit;
    t.sql = out;
    return t;
}

// ---------------------------------------------------------------------------
// Connection

// Folds the write-ahead log back into the database file on a thread and a
// connection of its own once the log has grown, so that no commit of the
// program waits for the flushes of that (the log's and the file's). Readers and
// writers go on meanwhile; the commit that starts the log over after a
// completed fold flushes the log's header too, two flushes in all.
struct Connection::Checkpointer {
    static constexpr int kPages = 1000;  // SQLite's own point for it

    sqlite3* db = nullptr;
    std::thread thread;
    std::mutex mutex;
    std::condition_variable wake;
    bool wanted = false;
    bool stop = false;

    ~Checkpointer()
    {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            stop = true;
        }
        wake.notify_one();
        if (thread.joinable())
            thread.join();
        sqlite3_close_v2(db);
    }
    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return wanted || stop; });
            if (stop)
                return;
            wanted = false;
            lock.unlock();
            sqlite3_wal_checkpoint_v2(db, "main", SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
            lock.lock();
        }
    }
    // Called after every commit of the program's connection, on its thread.
    static int committed(void* self, sqlite3*, const char*, int pages)
    {
        if (pages >= kPages) {
            auto* c = static_cast<Checkpointer*>(self);
            {
                const std::lock_guard<std::mutex> lock(c->mutex);
                c->wanted = true;
            }
            c->wake.notify_one();
        }
        return SQLITE_OK;
    }
};

Connection::Connection() = default;
Connection::~Connection() { close(); }

QString Connection::dataSourceOf(const QString& connectionText)
{
    const QStringList parts = connectionText.split(QLatin1Char(';'));
    for (const QString& part : parts) {
        const int eq = int(part.indexOf(QLatin1Char('=')));
        if (eq > 0 && part.left(eq).trimmed().compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1).trimmed();
    }
    return {};
}

namespace {

// The first column of every row of a statement, as text; the engine's result code.
int readColumn(sqlite3* db, const char* sql, QStringList* values)
{
    values->clear();
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        *values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

QString columnText(sqlite3_stmt* st, int col)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, col)));
}

// The columns of a table as the engine has them declared, in order; the
// engine's result code.
int readColumns(sqlite3* db, const QString& table, QVector<Column>* columns)
{
    columns->clear();
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db, "SELECT name, type, pk FROM pragma_table_info(?1)", -1, &st, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(st, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        columns->append({columnText(st, 0), columnText(st, 1), sqlite3_column_int(st, 2) != 0});
    sqlite3_finalize(st);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

// What is wrong with the columns found for a table, naming the table and the
// first column out of place; empty when they are the ones it must have.
QString columnFault(const Table& table, const QVector<Column>& found)
{
    auto has = [](const QVector<Column>& columns, const QString& name) {
        for (const Column& c : columns)
            if (c.name.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    const QString in = QStringLiteral("数据表 ") + table.name + QStringLiteral(" 中");
    for (const Column& c : table.columns)
        if (!has(found, c.name))
            return in + QStringLiteral("缺少字段：") + c.name;
    for (const Column& c : found)
        if (!has(table.columns, c.name))
            return in + QStringLiteral("多出字段：") + c.name;
    // The same names, each once (the engine allows no column twice).
    for (qsizetype i = 0; i < table.columns.size(); ++i) {
        const Column& want = table.columns[i];
        if (found[i].name.compare(want.name, Qt::CaseInsensitive) != 0)
            return in + QStringLiteral("字段顺序不符：") + want.name;
        if (found[i].type.compare(want.type, Qt::CaseInsensitive) != 0 || found[i].key != want.key)
            return in + QStringLiteral("字段类型不符：") + want.name;
    }
    return {};
}

}  // namespace

QString Connection::failure(const QString& path) const
{
    switch (sqlite3_errcode(db_)) {
    case SQLITE_NOTADB:
        return QStringLiteral("不是本系统的数据库：") + path;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("数据库正被其他程序使用：") + path;
    default:
        return QString::fromUtf8(sqlite3_errmsg(db_));
    }
}

bool Connection::open(const QString& connectionText, int applicationId, QString* error, const QList<Table>& tables)
{
    close();
    const QString path = dataSourceOf(connectionText);
    auto failWith = [&](const QString& why) {
        if (error)
            *error = why;
        close();
        return false;
    };
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return failWith(QStringLiteral("找不到文件：") + path);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   // one thread uses the connection: no lock around every call
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    db_ = db;
    if (rc != SQLITE_OK)
        return failWith(db ? failure(path) : QStringLiteral("cannot open"));
    if (sqlite3_db_readonly(db_, "main") == 1)
        return failWith(QStringLiteral("数据库为只读：") + path);
    sqlite3_busy_timeout(db_, 1000);
    // Only reads until the file is known to be this system's whole database.
    QStringList found;
    if (readColumn(db_, "PRAGMA application_id", &found) != SQLITE_OK)
        return failWith(failure(path));
    if (found.value(0).toInt() != applicationId)
        return failWith(QStringLiteral("不是本系统的数据库：") + path);
    if (readColumn(db_, "SELECT name FROM sqlite_master WHERE type='table'", &found) != SQLITE_OK)
        return failWith(failure(path));
    QStringList missing;
    for (const Table& table : tables)
        if (!found.contains(table.name, Qt::CaseInsensitive))
            missing << table.name;
    if (!missing.isEmpty())
        return failWith(QStringLiteral("数据库中缺少数据表：") + missing.join(QStringLiteral("、")));
    for (const Table& table : tables) {
        QVector<Column> columns;
        if (readColumns(db_, table.name, &columns) != SQLITE_OK)
            return failWith(failure(path));
        const QString fault = columnFault(table, columns);
        if (!fault.isEmpty())
            return failWith(fault);
    }
    // Locked by another program: fail now rather than on the first sale.
    const char* const setUp[] = {
        "BEGIN IMMEDIATE",
        "ROLLBACK",
        // Commits go to a write-ahead log beside the file, each flushed to the
        // disk once: a till must not lose its last sale on a power cut, and a
        // sale should not wait for four flushes. The log is folded back into
        // the file now and then and when the last connection closes.
        "PRAGMA journal_mode=WAL",
        "PRAGMA synchronous=FULL",
        // Long sorted lists (a season's sales by goods number) sort on helper threads.
        "PRAGMA threads=4",
    };
    for (const char* sql : setUp)
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            return failWith(failure(path));
    // The command time-out.
    sqlite3_busy_timeout(db_, 15000);
    // The log is folded back on a thread of its own; without one, SQLite does
    // it itself at the end of a commit.
    auto checkpointer = std::make_unique<Checkpointer>();
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &checkpointer->db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) == SQLITE_OK &&
        sqlite3_busy_timeout(checkpointer->db, 1000) == SQLITE_OK &&
        // A first read opens the log for it.
        sqlite3_exec(checkpointer->db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) ==
            SQLITE_OK) {
        checkpointer->thread = std::thread(&Checkpointer::run, checkpointer.get());
        sqlite3_wal_hook(db_, &Checkpointer::committed, checkpointer.get());
        checkpointer_ = std::move(checkpointer);
    }
    return true;
}

void Connection::close()
{
    // The fold's connection goes first: the program's, closing last, folds
    // the whole log back into the file and removes it.
    if (db_)
        sqlite3_wal_hook(db_, nullptr, nullptr);
    checkpointer_.reset();
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

void Connection::run(const char* sql)
{
    char* msg = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &msg) != SQLITE_OK) {
        const QString text = QString::fromUtf8(msg ? msg : sqlite3_errmsg(db_));
        sqlite3_free(msg);
        throw Error(text);
    }
}

void Connection::beginTrans()
{
    if (!db_)
        throw Error(QStringLiteral("连接已关闭。"));
    run("BEGIN IMMEDIATE");
}

void Connection::commitTrans()
{
    if (!db_)
        throw Error(QStringLiteral("连接已关闭。"));
    run("COMMIT");
}

void Connection::rollbackTrans()
{
    if (!db_)
        throw Error(QStringLiteral("连接已关闭。"));
    run("ROLLBACK");
}

bool Connection::inTransaction() const { return db_ && sqlite3_get_autocommit(db_) == 0; }

RecordSet Connection::execute(const QString& jetSql, QString* error, int* recordsAffected)
{
    auto failWith = [&](const QString& why) {
        if (error)
            *error = why;
        return RecordSet();
    };
    if (error)
        error->clear();
    if (recordsAffected)
        *recordsAffected = 0;
    if (!db_)
        return failWith(QStringLiteral("连接已关闭。"));
    const Translation t = translate(jetSql);
    if (!t.ok())
        return failWith(t.error);

    const QByteArray utf8 = t.sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &st, &tail) != SQLITE_OK)
        return failWith(QString::fromUtf8(sqlite3_errmsg(db_)));
    if (!st)
        return failWith(QStringLiteral("无效的 SQL 语句。"));
    for (const char* p = tail; p && *p; ++p)
        if (!std::strchr(" \t\r\n", *p)) {
            sqlite3_finalize(st);
            return failWith(QStringLiteral("在 SQL 语句结尾之后找到字符。"));
        }

    const int cols = sqlite3_column_count(st);
    auto data = std::make_shared<RecordSet::Data>();
    data->cols = qMax(cols, 0);
    if (cols > 0) {
        data->names.reserve(cols);
        data->kinds.reserve(cols);
        for (int c = 0; c < cols; ++c) {
            data->names << QString::fromUtf8(sqlite3_column_name(st, c));
            data->kinds << kindOfDeclaredType(sqlite3_column_decltype(st, c));
        }
    }
    // Lists repeat their texts from row to row (kind, brand, colour, the shop):
    // such a text points at the bytes of the row above instead of copying them.
    std::vector<quint64> above(size_t(data->cols), 0);
    std::vector<bool> aboveIsText(size_t(data->cols), false);
    std::vector<quint8> rowTypes(size_t(data->cols));
    std::vector<quint64> rowValues(size_t(data->cols));
    int rc;
    bool full = false;
    while (!full && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        for (int c = 0; c < cols; ++c) {
            quint64 v = 0;
            ValueType t = Null;
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_INTEGER:
                t = Whole;
                v = quint64(sqlite3_column_int64(st, c));
                break;
            case SQLITE_FLOAT:
                t = Real;
                v = std::bit_cast<quint64>(sqlite3_column_double(st, c));
                break;
            case SQLITE_TEXT: {
                const char* s = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                const size_t n = size_t(sqlite3_column_bytes(st, c));
                t = Text;
                if (aboveIsText[size_t(c)]) {
                    const QByteArrayView b = data->bytesOf(above[size_t(c)]);
                    if (size_t(b.size()) == n && (n == 0 || std::memcmp(b.data(), s, n) == 0)) {
                        v = above[size_t(c)];
                        break;
                    }
                }
                if (!data->store(s, n, &v)) {
                    full = true;
                    break;
                }
                above[size_t(c)] = v;
                aboveIsText[size_t(c)] = true;
                break;
            }
            case SQLITE_BLOB: {
                const char* b = static_cast<const char*>(sqlite3_column_blob(st, c));
                t = Blob;
                if (!data->store(b, size_t(sqlite3_column_bytes(st, c)), &v))
                    full = true;
                break;
            }
            default:
                break;
            }
            rowTypes[size_t(c)] = t;
            rowValues[size_t(c)] = v;
        }
        data->appendRow(rowTypes.data(), rowValues.data(), size_t(cols));
        ++data->rows;
    }
    if (full) {
        sqlite3_finalize(st);
        return failWith(QStringLiteral("查询结果太大。"));
    }
    if (rc != SQLITE_DONE) {
        const QString why = QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_finalize(st);
        return failWith(why);
    }
    sqlite3_finalize(st);
    if (recordsAffected)
        *recordsAffected = sqlite3_changes(db_);
    RecordSet rs;
    if (cols > 0)
        rs.d_ = std::move(data);
    return rs;
}

// ---------------------------------------------------------------------------
// Backup

bool backupDatabase(const QString& source, const QString& target, QString* error)
{
    const QFileInfo to(target);
    if (to.exists() && to.canonicalFilePath() == QFileInfo(source).canonicalFilePath())
        return true;
    auto failed = [error](const QString& what, const QString& path, const QString& reason) {
        if (error)
            *error = what + path + (reason.isEmpty() ? QString() : QStringLiteral("（") + reason + QStringLiteral("）"));
        return false;
    };
    const QString cannotRead = QStringLiteral("无法读取数据库文件：");
    const QString cannotWrite = QStringLiteral("无法写入备份文件：");
    if (!QFileInfo(source).isFile())
        return failed(cannotRead, source, QStringLiteral("找不到文件"));
    const QString folder = to.absolutePath();
    if (!QDir().mkpath(folder))
        return failed(QStringLiteral("无法创建备份文件夹："), folder, QString());

    struct Handle {
        sqlite3* db = nullptr;
        ~Handle() { sqlite3_close_v2(db); }
        QString why() const { return QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory"); }
    };
    Handle from;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(QFile::encodeName(source).constData(), &from.db, flags, nullptr) != SQLITE_OK)
        return failed(cannotRead, source, from.why());
    sqlite3_busy_timeout(from.db, 15000);

    // The copy is made beside the target under a name of its own, which a
    // copy cut off in the middle (the program killed, the power gone) leaves
    // behind: each backup clears away first what an earlier one left, and
    // nothing else. The lock keeps two programs leaving at once from clearing
    // each other's copy; one left by a program that is gone is taken over.
    QLockFile lock(to.absoluteFilePath() + QStringLiteral(".lock"));
    if (!lock.tryLock(15000))
        return failed(cannotWrite, to.absoluteFilePath(), QStringLiteral("另一个程序正在备份"));
    struct Part {
        QString path;
        void clear() const { QFile::remove(path); }
        ~Part() { clear(); }  // after a failure; nothing is left once renamed
    };
    const Part part{to.absoluteFilePath() + QStringLiteral(".part")};
    part.clear();
    {
        // With the permissions of the copy it replaces; a first one for the
        // owner alone.
        QFile created(part.path);
        if (!created.open(QIODevice::WriteOnly, QFile::ReadOwner | QFile::WriteOwner))
            return failed(cannotWrite, part.path, created.errorString());
        if (to.exists())
            created.setPermissions(to.permissions());
    }
    Handle into;  // closed before an unfinished copy is removed
    if (sqlite3_open_v2(QFile::encodeName(part.path).constData(), &into.db, flags, nullptr) != SQLITE_OK)
        return failed(cannotWrite, part.path, into.why());
    // No rollback journal: until the rename the copy is nobody's, and a failed
    // one is removed whole.
    if (sqlite3_exec(into.db, "PRAGMA journal_mode=OFF", nullptr, nullptr, nullptr) != SQLITE_OK)
        return failed(cannotWrite, part.path, into.why());
    // All pages in one step: one read of the source, one snapshot.
    sqlite3_backup* backup = sqlite3_backup_init(into.db, "main", from.db, "main");
    if (!backup)
        return failed(cannotWrite, part.path, into.why());
    const int rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        return failed(QStringLiteral("无法复制数据库文件："), source, QString::fromUtf8(sqlite3_errstr(rc)));
    if (sqlite3_close(into.db) != SQLITE_OK)
        return failed(cannotWrite, part.path, into.why());
    into.db = nullptr;
    std::error_code renamed;
    std::filesystem::rename(QFile::encodeName(part.path).constData(),
                            QFile::encodeName(to.absoluteFilePath()).constData(), renamed);
    if (renamed)
        return failed(cannotWrite, to.absoluteFilePath(), QString::fromStdString(renamed.message()));
    return true;
}

}  // namespace platform::jet
