#pragma once
// Stock rows and purchase batches written straight into the session's shop, for
// fixtures that need goods to sell or take back: a jacket of the goods number
// with its eight texts fixed, and one batch of a stock row.

#include "core/rules/session.h"
#include "core/rules/sqltext.h"

#include <QString>

namespace stockrows {

inline QString StockRowSql(const QString& key, const QString& typeNo, int quantity)
{
    return "Insert Into Store Values('" + key + "','" + gShopNo + "'," + core::SqlQuote(typeNo) +
           ",'夹克','Br''and','XL','黑','棉','一等','广州'," + QString::number(quantity) + ",85,'690','A-1')";
}

inline QString BatchSql(const QString& store, double price, int quantity, const QString& day)
{
    return "Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('" + store + "'," +
           QString::number(price) + "," + QString::number(quantity) + ",'" + day + "','" + gShopNo + "')";
}

}  // namespace stockrows
