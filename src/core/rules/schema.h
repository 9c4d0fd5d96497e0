#pragma once
// The shop database: its fifteen tables, their indexes, and what a delivered
// database holds before first use.

#include "platform/base/jetdb.h"

#include <QString>
#include <QStringList>

namespace schema {

// Marks a file as this system's database; the connection refuses any other.
inline constexpr int kApplicationId = 0x4B535456;

inline const QString kShopKey = QStringLiteral("{308D7A28-0405-4A3F-AE2C-0A52E6B7901B}");
inline const QString kAdminRoleKey = QStringLiteral("{26EF1CD6-0B28-43D9-8D85-77067AA9AC75}");
inline const QString kDatabaseFileName = QStringLiteral("Kostrelvani.mdb");

// The backup setting a delivered database holds (the copy on exit is off), and
// what the backup window shows for a column that is Null.
inline const QString kBackupDrive = QStringLiteral("/");
inline const QString kBackupFileName = QStringLiteral("数据备份");
// The backup folder: "数据备份" in the user's home folder.
QString defaultBackupFolder();

// The 26 permission flags of Role, in the table's column order.
const QStringList& roleFlags();

// The fifteen tables as a database of the shop must hold them, named as the
// engine knows them ("User" without brackets), with their columns in order.
QList<jet::Table> tableShapes();

// CREATE statements of every table, index and trigger.
QStringList createStatements();

// The index statements in a form that makes only the indexes a database lacks:
// a database written by an earlier version of the program gets the indexes the
// windows of this one rely on.
QStringList missingIndexStatements();

// Writes a new delivered database at path (which must not exist yet): all tables
// and indexes, the application id, the shop and its rules, the backup setting,
// the administrator role and user, and the pick lists' first entries.
bool createDeliveredDatabase(const QString& path, QString* error);

}  // namespace schema
