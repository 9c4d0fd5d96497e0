#include "goods/rules/pricechange.h"

#include "core/rules/session.h"
#include "core/rules/sqltext.h"

namespace goods {

QString RetailPriceSql(PriceScope scope, const QString& key, const QString& priceText)
{
    return QStringLiteral("Update Store Set Price=") + priceText +
           (scope == PriceScope::TypeNo ? QStringLiteral(" Where TypeNo=") : QStringLiteral(" Where GUID=")) +
           core::SqlQuote(key) + QStringLiteral(" And ShopNo=") + core::SqlQuote(gShopNo);
}

core::Outcome ChangeRetailPrice(PriceScope scope, const QString& key, const QString& priceText)
{
    return core::WriteAll({RetailPriceSql(scope, key, priceText)});
}

}  // namespace goods
