#pragma once
// The writes of the roles.

#include "core/rules/checkedwrite.h"

#include <QList>
#include <QString>

namespace core {
// One permission of a role: the Role table's column and whether it is granted.
struct RoleFlag {
    QString Column;
    bool Granted = false;
};

// One row of the roles' table, its permissions in the table's column order.
struct RoleRow {
    QString GUID;
    QString Name;
    QList<RoleFlag> Flags;
};

// Stores the row: a new role under its key, or the role of that key changed.
Outcome WriteRole(const RoleRow& row, RowKind kind);
// Deletes the role together with its users, or nothing of either.
Outcome DeleteRole(const QString& guid);
}  // namespace core
