#include "goods/receipttriple.h"

#include "core/modmain.h"
#include "platform/services.h"
#include "platform/vb.h"

#include <cmath>

namespace {

// A value between single quotes.
QString q(const QString& text) { return SqlQuote(text); }

QString quantityText(qint32 quantity) { return vb::numberText(quantity); }

}  // namespace

ReceiptTriple NewStockReceipt(const ReceiptValues& v)
{
    ReceiptTriple t;
    t.StoreGUID = gNewGUID.GUID(false);
    t.LineGUID = gNewGUID.GUID(false);
    t.Statements = {StoreInsertSql(t.StoreGUID, v), StoreDetailInsertSql(t.LineGUID, t.StoreGUID, v),
                    BuyPriceInsertSql(t.StoreGUID, v)};
    return t;
}

ReceiptTriple RestockReceipt(const QString& storeGUID, const ReceiptValues& v)
{
    ReceiptTriple t;
    t.StoreGUID = storeGUID;
    t.LineGUID = gNewGUID.GUID(false);
    t.Statements = {StoreRestockSql(storeGUID, v.Quantity), StoreDetailInsertSql(t.LineGUID, storeGUID, v),
                    BuyPriceInsertSql(storeGUID, v)};
    return t;
}

QString StoreInsertSql(const QString& storeGUID, const ReceiptValues& v)
{
    return QStringLiteral("Insert Into Store Values('") + q(storeGUID) + QStringLiteral("','") + q(gShopNo) +
           QStringLiteral("',") + GoodsValuesSql(v) + QStringLiteral(",") + quantityText(v.Quantity) +
           QStringLiteral(",") + vb::singleText(v.SellPrice) + QStringLiteral(",'") + q(v.IDCode) +
           QStringLiteral("','") + q(v.GoodsFloor) + QStringLiteral("')");
}

QString StoreRestockSql(const QString& storeGUID, qint32 quantity)
{
    return QStringLiteral("Update Store Set Quantity=Quantity+ ") + quantityText(quantity) +
           QStringLiteral(" Where GUID='") + q(storeGUID) + QStringLiteral("'");
}

QString StoreDetailInsertSql(const QString& lineGUID, const QString& storeGUID, const ReceiptValues& v)
{
    return QStringLiteral("Insert Into StoreDetail Values('") + q(lineGUID) + QStringLiteral("','") +
           q(storeGUID) + QStringLiteral("','") + q(gShopNo) + QStringLiteral("','") + q(v.TypeNo) +
           QStringLiteral("','") + q(v.Name) + QStringLiteral("','") + q(v.Brand) + QStringLiteral("','") +
           q(v.Size) + QStringLiteral("','") + q(v.Colour) + QStringLiteral("','") + q(v.Leather) +
           QStringLiteral("','") + q(v.Grade) + QStringLiteral("',") + vb::singleText(v.Price) +
           QStringLiteral(",") + quantityText(v.Quantity) + QStringLiteral(",'") + q(v.ProductPlace) +
           QStringLiteral("','") + q(v.Memo) + QStringLiteral("','") + ui::dayText(v.Date) + QStringLiteral("')");
}

QString BuyPriceInsertSql(const QString& storeGUID, const ReceiptValues& v)
{
    return QStringLiteral("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('") + q(storeGUID) +
           QStringLiteral("',") + vb::singleText(v.Price) + QStringLiteral(",") + quantityText(v.Quantity) +
           QStringLiteral(",'") + ui::dayText(v.Date) + QStringLiteral("','") + q(gShopNo) + QStringLiteral("')");
}

bool SendStatements(const QStringList& statements)
{
    for (const QString& statement : statements) {
        bool isErr = false;
        gDbopt.Excute(statement, isErr);
        if (isErr)
            return false;
    }
    return true;
}

bool SendReceipt(const ReceiptTriple& t) { return SendStatements(t.Statements); }

bool WriteReceipt(const ReceiptTriple& t)
{
    return gDbopt.Transact([&t] { return SendReceipt(t); });
}

QString StockRowText(const QString& storeGUID, const ReceiptValues& v)
{
    const QStringList fields = {QString(), storeGUID, v.TypeNo, v.Name, v.Brand, v.Size, v.Colour,
                                v.Leather, v.Grade, v.ProductPlace, quantityText(v.Quantity), v.IDCode,
                                v.GoodsFloor};
    return fields.join(QLatin1Char('\t'));
}

std::optional<float> ReadPrice(const QString& text)
{
    if (!vb::isNumeric(text))
        return std::nullopt;
    const float price = vb::toSingle(vb::val(text));
    if (!std::isfinite(price))
        return std::nullopt;
    return price;
}

std::optional<qint32> ReadQuantity(const QString& text)
{
    if (!vb::isNumeric(text))
        return std::nullopt;
    return vb::toLong(vb::val(text));
}
