#include "goods/rules/receipttriple.h"

#include "core/rules/session.h"
#include "core/rules/sqltext.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"

#include <cmath>

namespace goods {

namespace {

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
    return QStringLiteral("Insert Into Store Values(") + core::SqlQuote(storeGUID) + QStringLiteral(",") +
           core::SqlQuote(gShopNo) + QStringLiteral(",") + core::GoodsValuesSql(v) + QStringLiteral(",") +
           quantityText(v.Quantity) + QStringLiteral(",") + vb::singleText(v.SellPrice) + QStringLiteral(",") +
           core::SqlQuote(v.IDCode) + QStringLiteral(",") + core::SqlQuote(v.GoodsFloor) + QStringLiteral(")");
}

QString StoreRestockSql(const QString& storeGUID, qint32 quantity)
{
    return QStringLiteral("Update Store Set Quantity=Quantity+ ") + quantityText(quantity) +
           QStringLiteral(" Where GUID=") + core::SqlQuote(storeGUID);
}

QString StoreDetailInsertSql(const QString& lineGUID, const QString& storeGUID, const ReceiptValues& v)
{
    return QStringLiteral("Insert Into StoreDetail Values(") + core::SqlQuote(lineGUID) + QStringLiteral(",") +
           core::SqlQuote(storeGUID) + QStringLiteral(",") + core::SqlQuote(gShopNo) + QStringLiteral(",") +
           core::SqlQuote(v.TypeNo) + QStringLiteral(",") + core::SqlQuote(v.Name) + QStringLiteral(",") +
           core::SqlQuote(v.Brand) + QStringLiteral(",") + core::SqlQuote(v.Size) + QStringLiteral(",") +
           core::SqlQuote(v.Colour) + QStringLiteral(",") + core::SqlQuote(v.Leather) + QStringLiteral(",") +
           core::SqlQuote(v.Grade) + QStringLiteral(",") + vb::singleText(v.Price) + QStringLiteral(",") +
           quantityText(v.Quantity) + QStringLiteral(",") + core::SqlQuote(v.ProductPlace) + QStringLiteral(",") +
           core::SqlQuote(v.Memo) + QStringLiteral(",'") + ui::dayText(v.Date) + QStringLiteral("')");
}

QString BuyPriceInsertSql(const QString& storeGUID, const ReceiptValues& v)
{
    return QStringLiteral("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values(") +
           core::SqlQuote(storeGUID) + QStringLiteral(",") + vb::singleText(v.Price) + QStringLiteral(",") +
           quantityText(v.Quantity) + QStringLiteral(",'") + ui::dayText(v.Date) + QStringLiteral("',") +
           core::SqlQuote(gShopNo) + QStringLiteral(")");
}

core::Outcome SendReceipt(const ReceiptTriple& t)
{
    for (const QString& statement : t.Statements) {
        const core::Sent sent = gDbopt.Send(statement);
        if (sent.failed())
            return {core::WriteResult::Failed, sent.Error};
    }
    return {};
}

core::Outcome WriteReceipt(const ReceiptTriple& t) { return core::WriteAll(t.Statements); }

core::Outcome WriteReceipts(const QList<ReceiptTriple>& receipts, const std::function<void(qsizetype)>& sent)
{
    return core::Transacted([&]() -> core::Outcome {
        for (qsizetype i = 0; i < receipts.size(); ++i) {
            if (const core::Outcome done = SendReceipt(receipts[i]); !done.written())
                return done;
            if (sent)
                sent(i);
        }
        return {};
    });
}

core::Outcome WriteRestock(const ReceiptTriple& t)
{
    return core::Transacted([&t] {
        const core::Outcome raised = core::SendOne(t.Statements.value(0), core::WriteResult::StockRowGone);
        if (!raised.written())
            return raised;
        return SendReceipt({t.StoreGUID, t.LineGUID, t.Statements.mid(1)});
    });
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

}  // namespace goods
