#pragma once
// A fresh delivered shop database on a real file in a temporary folder, with the
// session on it (the administrator logged in, the shop's rules loaded), and no
// window: what the rules need and no more.

#include "core/rules/schema.h"
#include "core/rules/session.h"
#include "platform/base/services.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <memory>

namespace rulestest {

// Connects to the shop database in the folder with the administrator logged in
// and the shop's rules loaded. False when it cannot.
inline bool OpenShopSession(const QString& folder)
{
    ui::setProgramFolder(folder);
    if (!gDbopt.ConnectionToDB())
        return false;
    gShopNo = schema::kShopKey;
    if (!gUser.Initial(QStringLiteral("admin")))
        return false;
    gSellRole.Initial(schema::kShopKey);
    return true;
}

// Runs a statement of the engine's own language (a trigger, say) on a
// connection of its own, as no program would.
inline void OnItsOwnConnection(const QString& statement)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(clsDbopt::DatabasePath()).constData(), &db), SQLITE_OK);
    char* msg = nullptr;
    EXPECT_EQ(sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, &msg), SQLITE_OK)
        << statement.toStdString() << ": " << (msg ? msg : "");
    sqlite3_free(msg);
    sqlite3_close(db);
}

// From now on every statement of that kind ("INSERT", "UPDATE", "DELETE") on the
// table fails with the engine's message "<table> cannot be written"; given a
// condition (on NEW or OLD), only those whose row meets it.
inline void FailWrites(const QString& table, const QString& kind, const QString& condition = {})
{
    const QString when = condition.isEmpty() ? QString() : QStringLiteral("WHEN ") + condition + QLatin1Char(' ');
    OnItsOwnConnection(QStringLiteral("CREATE TRIGGER Failing%1%2 BEFORE %2 ON [%1] %3BEGIN "
                                      "SELECT RAISE(ABORT, '%1 cannot be written'); END")
                           .arg(table, kind, when));
}

inline void AllowWritesAgain(const QString& table, const QString& kind)
{
    OnItsOwnConnection(QStringLiteral("DROP TRIGGER Failing%1%2").arg(table, kind));
}

}  // namespace rulestest

class RulesFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(dir_->isValid());
        QString error;
        ASSERT_TRUE(schema::createDeliveredDatabase(dir_->path() + QLatin1Char('/') + schema::kDatabaseFileName,
                                                    &error))
            << error.toStdString();
        gDbopt.Release();
        ASSERT_TRUE(rulestest::OpenShopSession(dir_->path()));
    }
    void TearDown() override
    {
        gDbopt.Release();
        ui::setProgramFolder(QString());
        dir_.reset();
    }

    // Runs a statement that must succeed.
    jet::RecordSet sql(const QString& statement)
    {
        core::Sent sent = gDbopt.Send(statement);
        EXPECT_FALSE(sent.failed()) << statement.toStdString() << ": " << sent.Error.toStdString();
        return sent.Rows;
    }
    // The rows of a query: each row's fields joined by ",", the rows by "|".
    QString rows(const QString& query)
    {
        QStringList texts;
        for (jet::RecordSet rs = sql(query); !rs.eof(); rs.moveNext()) {
            QStringList fields;
            for (int c = 0; c < rs.fieldCount(); ++c)
                fields << rs.text(rs.position(), c);
            texts << fields.join(QLatin1Char(','));
        }
        return texts.join(QLatin1Char('|'));
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};
