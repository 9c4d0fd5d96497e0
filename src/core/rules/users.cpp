#include "core/rules/users.h"

#include "core/rules/sqltext.h"

namespace core {

Outcome WriteUser(const UserRow& row, RowKind kind)
{
    QString sql;
    if (kind == RowKind::New)
        sql = QStringLiteral("Insert Into [User] Values (") + SqlQuote(row.GUID) + QLatin1Char(',') +
              SqlQuote(row.No) + QLatin1Char(',') + SqlQuote(row.Name) + QLatin1Char(',') + SqlQuote(row.Password) +
              QLatin1Char(',') + SqlQuote(row.RoleGUID) + QLatin1Char(',') + SqlQuote(row.RoleName) +
              QLatin1Char(')');
    else
        sql = QStringLiteral("Update [User] Set [No]=") + SqlQuote(row.No) + QStringLiteral(", Name=") +
              SqlQuote(row.Name) + QStringLiteral(", pwd=") + SqlQuote(row.Password) +
              QStringLiteral(", RoleGUID=") + SqlQuote(row.RoleGUID) + QStringLiteral(",RoleName=") +
              SqlQuote(row.RoleName) + QStringLiteral(" Where GUID=") + SqlQuote(row.GUID);
    return WriteAll({sql});
}

Outcome DeleteUser(const QString& guid)
{
    return WriteAll({QStringLiteral("Delete  from [User] Where GUID=") + SqlQuote(guid)});
}

Outcome ChangePassword(const QString& userNo, const QString& newPassword)
{
    return WriteAll({QStringLiteral("Update [User] Set pwd=") + SqlQuote(newPassword) + QStringLiteral(" Where [No]=") +
                     SqlQuote(userNo)});
}

}  // namespace core
