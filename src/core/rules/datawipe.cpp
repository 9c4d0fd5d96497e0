#include "core/rules/datawipe.h"

namespace core {

const QStringList& BusinessTableDeletes()
{
    // Named one by one: a table added later is not emptied unless it is added here.
    static const QStringList deletes = {
        QStringLiteral("Delete From Sell"),       QStringLiteral("Delete from Store"),
        QStringLiteral("delete from StoreDetail"), QStringLiteral("delete from BuyPrice"),
        QStringLiteral("delete from BackStore"),  QStringLiteral("delete from SellChange"),
        QStringLiteral("delete from DayAmount"),  QStringLiteral("delete from OtherOut"),
        QStringLiteral("delete from FactoryBackTotal"),
    };
    return deletes;
}

Outcome DeleteBusinessData() { return WriteAll(BusinessTableDeletes()); }

}  // namespace core
