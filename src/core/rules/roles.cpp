#include "core/rules/roles.h"

#include "core/rules/sqltext.h"

#include <QStringList>

namespace core {

Outcome WriteRole(const RoleRow& row, RowKind kind)
{
    auto bit = [](const RoleFlag& f) { return f.Granted ? QStringLiteral("1") : QStringLiteral("0"); };
    QStringList parts;
    QString sql;
    if (kind == RowKind::New) {
        for (const RoleFlag& f : row.Flags)
            parts << bit(f);
        sql = QStringLiteral("Insert Into Role Values (") + SqlQuote(row.GUID) + QLatin1Char(',') + SqlQuote(row.Name) +
              QLatin1Char(',') + parts.join(QLatin1Char(',')) + QLatin1Char(')');
    } else {
        for (const RoleFlag& f : row.Flags)
            parts << f.Column + QLatin1Char('=') + bit(f);
        sql = QStringLiteral("Update Role Set Name=") + SqlQuote(row.Name) + QLatin1Char(',') +
              parts.join(QLatin1Char(',')) + QStringLiteral(" Where GUID=") + SqlQuote(row.GUID);
    }
    return WriteAll({sql});
}

Outcome DeleteRole(const QString& guid)
{
    const QString key = SqlQuote(guid);
    return WriteAll({QStringLiteral("Delete  from Role Where GUID=") + key,
                     QStringLiteral("Delete  from [User] Where RoleGUID=") + key});
}

}  // namespace core
