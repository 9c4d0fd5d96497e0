#include "core/rules/clsdbopt.h"

#include "core/rules/schema.h"
#include "platform/base/services.h"

QString clsDbopt::DatabasePath() { return ui::programFolder() + QLatin1Char('/') + schema::kDatabaseFileName; }

QString clsDbopt::ConnectionString()
{
    // The database password belongs to the old engine's files; this one is not
    // encrypted, and the password is ignored.
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;") + QStringLiteral("Data Source=") +
           DatabasePath() + QStringLiteral(";") + QStringLiteral("Jet OLEDB:Database Password=pelunavorik739;");
}

bool clsDbopt::ConnectionToDB(QString* why)
{
    if (!conn_.open(ConnectionString(), schema::kApplicationId, why, schema::tableShapes()))
        return false;
    // Indexes added since the file was written are made once, at the first start
    // of a newer program; without them the program still works, only slower.
    QString ignored;
    for (const QString& statement : schema::missingIndexStatements())
        conn_.execute(statement, &ignored);
    return true;
}

core::Sent clsDbopt::Send(const QString& SQL)
{
    core::Sent sent;
    sent.Rows = conn_.execute(SQL, &sent.Error, &sent.RecordsAffected);
    if (sent.failed()) {
        sent.Rows = jet::RecordSet();
        sent.RecordsAffected = 0;
    }
    return sent;
}

void clsDbopt::BeginTrans() { conn_.beginTrans(); }
void clsDbopt::CommitTrans() { conn_.commitTrans(); }
void clsDbopt::RollbackTrans() { conn_.rollbackTrans(); }
void clsDbopt::Release() { conn_.close(); }

core::Transaction::Transaction(clsDbopt& db, QString& error)
    : db_(db), error_(error)
{
    try {
        db_.BeginTrans();
        begun_ = true;
    } catch (const jet::Error& e) {
        fail(e);
    }
}

void core::Transaction::fail(const jet::Error& e)
{
    error_ = e.text();
}

core::Transaction::~Transaction()
{
    if (begun_ && !done_)
        rollBack();
}

bool core::Transaction::commit()
{
    if (!begun_ || done_)
        return false;
    try {
        db_.CommitTrans();
        done_ = true;
        return true;
    } catch (const jet::Error& e) {
        fail(e);
        rollBack();
        return false;
    }
}

void core::Transaction::rollBack()
{
    done_ = true;
    // The engine may have ended the transaction itself on a fatal failure.
    if (!db_.InTransaction())
        return;
    try {
        db_.RollbackTrans();
    } catch (const jet::Error&) {
        // The file is unreachable: the open transaction ends with the connection.
    }
}
