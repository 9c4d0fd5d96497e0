#pragma once
// The shop's database engine: SQL text in the Jet dialect, run on an SQLite file
// with Jet's meaning. Statements are translated token by token (dates between
// "#", "top n", true/false, mid(), "--" as two minus signs), exactly one
// statement per call, and results come back as fully fetched record sets whose
// fields are found by name without regard to letter case.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>
#include <stdexcept>

struct sqlite3;

namespace platform::jet {

// How a result column's values are written as text.
enum class FieldKind {
    Other,   // by the value's own type
    Text,
    Whole,   // whole numbers
    Single,  // money: single precision
    YesNo,   // -1 / 0
};

// Declared column types the schema uses, and what they mean here.
inline constexpr const char* kSingleType = "SINGLE";
inline constexpr const char* kYesNoType = "YESNO";

FieldKind kindOfDeclaredType(const char* declType);

class RecordSet {
public:
    RecordSet() = default;  // unopened

    bool isOpen() const { return d_ != nullptr; }
    int fieldCount() const;
    QString fieldName(int col) const;
    FieldKind fieldKind(int col) const;
    int fieldIndex(const QString& name) const;  // case-insensitive; -1 when absent
    int recordCount() const;

    QVariant value(int row, int col) const;
    // The text of a value, shared by every reader and by the grid: Null -> "",
    // whole numbers without ".0", money at single precision in the shortest text
    // that reads back the same, other reals shortest up to 15 significant
    // digits, Yes/No as "-1"/"0".
    QString text(int row, int col) const;
    // For readers of whole lists, without making the text where they can:
    // the UTF-8 bytes of a text value (false for any other value, whose text
    // is made by text()), and the number the value's text starts with
    // (vb::val of text(row, col), 0 for Null).
    bool textBytes(int row, int col, QByteArrayView* bytes) const;
    double textNumber(int row, int col) const;

    // Cursor over the rows, as the forms walk them.
    bool eof() const { return !isOpen() || pos_ >= recordCount(); }
    void moveFirst() { pos_ = 0; }
    void moveNext() { ++pos_; }
    int position() const { return pos_; }
    // Field of the current row by name; throws jet::Error when there is no
    // current row or no such field (reading a failed statement's result).
    QVariant field(const QString& name) const;
    QString fieldText(const QString& name) const;

private:
    friend class Connection;
    struct Data;
    struct Value;
    Value at(int row, int col) const;
    // The column of a field of the current row; throws when there is none.
    int currentColumn(const QString& name) const;
    std::shared_ptr<const Data> d_;
    int pos_ = 0;
};

class Error : public std::runtime_error {
public:
    explicit Error(const QString& what) : std::runtime_error(what.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// The Jet text turned into one SQLite statement, or an error saying why not.
struct Translation {
    QString sql;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
Translation translate(const QString& jetSql);

// A table as a database must hold it: its columns in order, each with the type
// it is declared with (as the engine reports it, without its constraints) and
// whether it is the table's key.
struct Column {
    QString name;
    QString type;
    bool key = false;
};
struct Table {
    QString name;
    QVector<Column> columns;
};

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing database file named by the "Data Source=" of an ADO-style
    // connection text. The file must carry the given application id and hold
    // every one of the tables given, each with just the columns given, in their
    // order, of their types (names compare without regard to letter case); a
    // missing, read-only, foreign, incomplete, locked or unreadable file fails
    // with a reason, which names the table and the column for a column out of
    // place. The file is only read until it has passed those checks: a refused
    // file is left as it was found.
    bool open(const QString& connectionText, int applicationId, QString* error, const QList<Table>& tables = {});
    void close();
    bool isOpen() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }

    // Runs one statement. On failure returns an unopened record set and sets *error.
    // A statement without result columns returns an unopened (closed) record set.
    RecordSet execute(const QString& jetSql, QString* error, int* recordsAffected = nullptr);

    // Transactions; failures throw jet::Error. A transaction takes the write lock
    // when it begins, so a second writer waits (up to the busy time-out) before its
    // first statement rather than failing in the middle.
    void beginTrans();
    void commitTrans();
    void rollbackTrans();
    // True while a transaction is open (the engine may end one itself on a fatal
    // failure).
    bool inTransaction() const;

    static QString dataSourceOf(const QString& connectionText);

private:
    struct Checkpointer;
    void run(const char* sql);
    // The engine's reason for the last failure, in the shop's words where it is
    // one the shop can act on.
    QString failure(const QString& path) const;
    sqlite3* db_ = nullptr;
    std::unique_ptr<Checkpointer> checkpointer_;
};

// Copies the database file at source to target, whole and consistent whatever
// else has the file open: the engine takes a snapshot of everything committed,
// written beside the target and renamed over it once complete, so a failed
// copy leaves an earlier one as it was and nothing beside it. What a copy cut
// off in the middle left beside the target is cleared away by the next one.
// Missing folders are made; a target that is the source itself is left alone.
// False with the reason when no copy was made.
bool backupDatabase(const QString& source, const QString& target, QString* error);

}  // namespace platform::jet
namespace jet = platform::jet;
