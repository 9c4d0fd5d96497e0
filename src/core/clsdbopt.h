#pragma once
// The one connection to the shop database. Every window sends its statements
// through Excute as SQL text; a failed statement shows the engine's own words.

#include "platform/jetdb.h"

#include <QString>

// An ADO-style command: a statement text run on the shared connection.
struct Command {
    QString CommandText;
};

class clsDbopt {
public:
    // Opens the program folder's database; False on any failure, without a message.
    bool ConnectionToDB();
    // Runs one statement. IsErr is False after success; after a failure it is True,
    // the engine's description has been shown, and the result is unopened.
    jet::RecordSet Excute(const QString& SQL, bool& IsErr);
    jet::RecordSet Excute(const QString& SQL);
    void ExcuteProc(Command& Cmd);
    // Transactions; a failure is raised as jet::Error.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    // Releases the connection (before the database file is copied on exit).
    void Release();
    bool IsConnected() const { return conn_.isOpen(); }

    // The connection text the program opens, for the database in the program folder.
    static QString ConnectionString();
    static QString DatabasePath();

private:
    jet::Connection conn_;
};
