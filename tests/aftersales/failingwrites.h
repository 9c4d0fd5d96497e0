#pragma once
// A statement made to fail half-way through a write, as on a damaged file.

#include "core/clsdbopt.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>
#include <sqlite3.h>

// From now on every statement of that kind ("INSERT", "UPDATE") on the table
// whose row meets the condition (on NEW or OLD) fails with the engine's message
// "<table> cannot be written". Set from a connection of its own, as no window would.
inline void failWritesWhere(const QString& table, const QString& kind, const QString& condition)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(clsDbopt::DatabasePath()).constData(), &db), SQLITE_OK);
    const QString sql = QStringLiteral("CREATE TRIGGER Failing%1%2 BEFORE %2 ON [%1] WHEN %3 BEGIN "
                                       "SELECT RAISE(ABORT, '%1 cannot be written'); END")
                            .arg(table, kind, condition);
    char* msg = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &msg), SQLITE_OK) << (msg ? msg : "");
    sqlite3_free(msg);
    sqlite3_close(db);
}

// Lets those statements through again.
inline void allowWritesAgain(const QString& table, const QString& kind)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(clsDbopt::DatabasePath()).constData(), &db), SQLITE_OK);
    const QString sql = QStringLiteral("DROP TRIGGER Failing%1%2").arg(table, kind);
    EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}
