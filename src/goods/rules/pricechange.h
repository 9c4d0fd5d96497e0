#pragma once
// The change of the retail price of the shop's stock.

#include "core/rules/checkedwrite.h"

#include <QString>

namespace goods {
// Which stock rows of the shop in gShopNo a new retail price is for.
enum class PriceScope {
    StockRow,  // the stock row of the key
    TypeNo,    // every stock row of the goods number (letter case aside)
};

// The statement that gives the rows the price, as the price text of the stored row.
QString RetailPriceSql(PriceScope scope, const QString& key, const QString& priceText);
// Gives the rows the new retail price.
core::Outcome ChangeRetailPrice(PriceScope scope, const QString& key, const QString& priceText);
}  // namespace goods
