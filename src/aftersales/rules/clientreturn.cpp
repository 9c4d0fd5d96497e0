#include "aftersales/rules/clientreturn.h"

#include "core/rules/clssellrole.h"
#include "core/rules/session.h"
#include "platform/base/vb.h"
#include "sales/rules/pricing.h"

namespace aftersales {

QString ReturnRefusal(const sales::SoldLine& line, const clsSellRole& rules, const QDate& today)
{
    if (rules.ChangNotToBack && vb::val(line.State) == 1)
        return QStringLiteral("对不起该商品已经调换过不能再退货！");
    if (line.Abate != pricing::kFull) {
        if (line.Abate == pricing::kSpecial) {
            if (rules.SpecialCanNotBack)
                return QStringLiteral("对不起！该商品是特价商品，您无法退货！");
        } else if (rules.AbateCanNotBack) {
            return QStringLiteral("对不起！该商品是折扣商品，您无法退货！");
        }
    }
    if (!core::WithinDayLimit(QDate::fromString(line.DateTime, Qt::ISODate), today, rules.BackDays))
        return QStringLiteral("很遗憾！该商品已经超过了规定的退货时间，您无法退货！");
    return QString();
}

QStringList ReturnStatements(const sales::SoldLine& line, const QString& Resion, ReturnTo to)
{
    QStringList statements = {sales::SellStateSql(line, 2)};
    if (to == ReturnTo::ProblemStock)
        statements << sales::BackStoreInsertSql(line.StoreGUID, line, 1, vb::toSingle(vb::val(line.BuyPrice)), Resion);
    else
        statements << sales::RestoreQuantitiesSql(line);
    statements << sales::SellChangeInsertSql(gNewGUID.GUID(false), QString(), line, vb::toSingle(vb::val(line.Amount)),
                                             2, Resion);
    return statements;
}

core::Outcome WriteReturn(const sales::SoldLine& line, const QString& Resion, ReturnTo to)
{
    return sales::WriteLineChange(ReturnStatements(line, Resion, to));
}

}  // namespace aftersales
