#pragma once
// The one connection to the shop database. Statements go to it as SQL text:
// through Send, which hands a failure back with the engine's own words, or
// through Excute, which shows those words. The rules use Send and show nothing;
// Excute belongs to the windows and is defined with them.

#include "platform/base/jetdb.h"

#include <QString>

namespace core {
// What a window shows when a statement it cannot go on without has failed
// (after the engine's own words).
inline const QString kReadFailed = QStringLiteral("读取数据库出现异常！请检查网络，重新启动程序");

// An ADO-style command: a statement text run on the shared connection.
struct Command {
    QString CommandText;
};

// What the engine answered to one statement.
struct Sent {
    jet::RecordSet Rows;      // unopened after a failure
    QString Error;            // the engine's words after a failure, else empty
    int RecordsAffected = 0;  // the rows the statement changed (0 after a failure)
    bool failed() const { return !Error.isEmpty(); }
};

// What reading the one row of a record came to: whether the row is there, and
// the engine's words when the read failed.
struct Loaded {
    bool Found = false;
    QString Error;  // the engine's words after a failure, else empty
    bool failed() const { return !Error.isEmpty(); }
    explicit operator bool() const { return Found; }
};
}  // namespace core

class clsDbopt {
public:
    // Opens the program folder's database; False on any failure, without a
    // message, and with the reason in why when it is given. A file that lacks
    // one of the shop's tables, or whose table has a column missing, added,
    // moved or of another type, is refused, and a refused file is left untouched.
    bool ConnectionToDB(QString* why = nullptr);
    // Runs one statement and shows nothing.
    core::Sent Send(const QString& SQL);
    // Runs one statement through Send. IsErr is False after success; after a failure it is True,
    // the engine's description has been shown, and the result is unopened.
    // RecordsAffected, when given, receives the number of rows the statement
    // changed (0 after a failure). Defined with the windows (core/excute.cpp).
    jet::RecordSet Excute(const QString& SQL, bool& IsErr, int* RecordsAffected = nullptr);
    jet::RecordSet Excute(const QString& SQL);
    void ExcuteProc(core::Command& Cmd);
    // Transactions; a failure is raised as jet::Error. Writers use
    // core::Transaction below rather than these.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const { return conn_.inTransaction(); }

    // Releases the connection (before the database file is copied on exit).
    void Release();
    bool IsConnected() const { return conn_.isOpen(); }

    // The connection text the program opens, for the database in the program folder.
    static QString ConnectionString();
    static QString DatabasePath();

private:
    jet::Connection conn_;
};

namespace core {
// One write as a whole, for the life of the object. It begins at construction
// (false when that failed), is made permanent by commit(), and is rolled back
// when the object goes without a commit: after a failed statement, an early
// return or an exception. A failure to begin or commit puts the engine's words
// into error and shows nothing.
class Transaction {
public:
    Transaction(clsDbopt& db, QString& error);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    explicit operator bool() const { return begun_; }
    // False when the commit failed; the write is then rolled back.
    bool commit();

private:
    void rollBack();
    void fail(const jet::Error& e);
    clsDbopt& db_;
    QString& error_;
    bool begun_ = false;
    bool done_ = false;
};
}  // namespace core
