#pragma once
// The writes of the users: a user's row, its deletion and a new password.

#include "core/rules/checkedwrite.h"

#include <QString>

namespace core {
// One row of the users' table.
struct UserRow {
    QString GUID;
    QString No;
    QString Name;
    QString Password;
    QString RoleGUID;
    QString RoleName;
};

// Stores the row: a new user under its key, or the user of that key changed.
Outcome WriteUser(const UserRow& row, RowKind kind);
Outcome DeleteUser(const QString& guid);
// Gives the user of the number a new password.
Outcome ChangePassword(const QString& userNo, const QString& newPassword);
}  // namespace core
