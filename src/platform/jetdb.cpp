#include "platform/jetdb.h"

#include "platform/vb.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <cstring>
#include <string>
#include <vector>

namespace jet {

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

int RecordSet::fieldCount() const { return d_ ? int(d_->names.size()) : 0; }
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

const RecordSet::Cell& RecordSet::cell(int row, int col) const
{
    const size_t i = size_t(row) * size_t(d_->names.size()) + size_t(col);
    if (row < 0 || col < 0 || col >= d_->names.size() || i >= d_->count)
        throw Error(QStringLiteral("记录集中没有这个值。"));
    return d_->at(i);
}

QVariant RecordSet::value(int row, int col) const
{
    const Cell& c = cell(row, col);
    switch (c.type) {
    case Cell::Whole: return QVariant(qlonglong(c.whole));
    case Cell::Real: return QVariant(c.real);
    case Cell::Text: return QVariant(c.text);
    case Cell::Blob: return QVariant(c.text.toLatin1());
    case Cell::Null: break;
    }
    return QVariant();
}

QString RecordSet::text(int row, int col) const
{
    const Cell& c = cell(row, col);
    const FieldKind kind = d_->kinds[col];
    switch (c.type) {
    case Cell::Text:
    case Cell::Blob:
        return c.text;
    case Cell::Null:
        return {};
    case Cell::Whole:
        if (kind == FieldKind::YesNo)
            return c.whole != 0 ? QStringLiteral("-1") : QStringLiteral("0");
        if (kind == FieldKind::Single)
            return vb::singleText(vb::toSingle(double(c.whole)));
        return QString::number(c.whole);
    case Cell::Real:
        if (kind == FieldKind::YesNo)
            return c.real != 0 ? QStringLiteral("-1") : QStringLiteral("0");
        if (kind == FieldKind::Single)
            return vb::singleText(vb::toSingle(c.real));
        return vb::numberText(c.real);
    }
    return {};
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

bool Connection::open(const QString& connectionText, int applicationId, QString* error)
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
        return failWith(QString::fromUtf8(db ? sqlite3_errmsg(db) : "cannot open"));
    if (sqlite3_db_readonly(db_, "main") == 1)
        return failWith(QStringLiteral("数据库为只读：") + path);
    sqlite3_busy_timeout(db_, 1000);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, "PRAGMA application_id", -1, &st, nullptr) != SQLITE_OK)
        return failWith(QString::fromUtf8(sqlite3_errmsg(db_)));
    int id = 0;
    const int step = sqlite3_step(st);
    if (step == SQLITE_ROW)
        id = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    if (step != SQLITE_ROW)
        return failWith(QString::fromUtf8(sqlite3_errmsg(db_)));
    if (id != applicationId)
        return failWith(QStringLiteral("不是本系统的数据库：") + path);
    try {
        // The exit backup copies the file itself, so no journal may stay beside it;
        // and a till must not lose its last sale on a power cut.
        run("PRAGMA journal_mode=DELETE");
        run("PRAGMA synchronous=FULL");
        // Long sorted lists (a season's sales by goods number) sort on helper threads.
        run("PRAGMA threads=4");
        // Locked by another program: fail now rather than on the first sale.
        run("BEGIN IMMEDIATE");
        run("ROLLBACK");
    } catch (const Error& e) {
        return failWith(e.text());
    }
    // The command time-out.
    sqlite3_busy_timeout(db_, 15000);
    return true;
}

void Connection::close()
{
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
    if (cols > 0) {
        data->names.reserve(cols);
        data->kinds.reserve(cols);
        for (int c = 0; c < cols; ++c) {
            data->names << QString::fromUtf8(sqlite3_column_name(st, c));
            data->kinds << kindOfDeclaredType(sqlite3_column_decltype(st, c));
        }
    }
    // Lists repeat their texts from row to row (kind, brand, colour, the shop):
    // such a text is shared with the row above instead of made again.
    struct Previous {
        std::string bytes;  // keeps its capacity: no allocation per row
        QString text;
    };
    std::vector<Previous> previous(size_t(qMax(cols, 0)));
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        for (int c = 0; c < cols; ++c) {
            RecordSet::Cell& cell = data->append();
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_INTEGER:
                cell.type = RecordSet::Cell::Whole;
                cell.whole = sqlite3_column_int64(st, c);
                break;
            case SQLITE_FLOAT:
                cell.type = RecordSet::Cell::Real;
                cell.real = sqlite3_column_double(st, c);
                break;
            case SQLITE_TEXT: {
                const char* s = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                const int n = sqlite3_column_bytes(st, c);
                Previous& p = previous[size_t(c)];
                if (p.bytes.size() != size_t(n) || std::memcmp(p.bytes.data(), s, size_t(n)) != 0) {
                    p.bytes.assign(s, size_t(n));
                    p.text = QString::fromUtf8(s, n);
                }
                cell.type = RecordSet::Cell::Text;
                cell.text = p.text;
                break;
            }
            case SQLITE_BLOB: {
                const char* b = static_cast<const char*>(sqlite3_column_blob(st, c));
                cell.type = RecordSet::Cell::Blob;
                cell.text = QString::fromLatin1(b, sqlite3_column_bytes(st, c));
                break;
            }
            default:
                break;
            }
        }
        ++data->rows;
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

}  // namespace jet
