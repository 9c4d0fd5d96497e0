#pragma once
// Receipts written by the real receipt triple, and pieces sold from their
// batches, for the tests of the purchase details and the receipt correction.
// Only for test programs that link the goods rules.

#include "core/rules/session.h"
#include "goods/rules/receiptremoval.h"
#include "goods/rules/receipttriple.h"
#include "platform/base/services.h"

#include <QDate>
#include <gtest/gtest.h>

namespace purchases {

struct Receipt {
    QString store;  // the stock row
    QString line;   // the receipt line
    qint64 batch = 0;
};

// The day the tests receive on unless they say otherwise.
inline const QDate kDay(2024, 3, 1);

// The receipt's line as the purchase details list it.
inline goods::ReceiptLine lineOf(const Receipt& r, qint32 quantity, float price, const QDate& day = kDay)
{
    return {r.line, r.store, price, quantity, ui::dayText(day)};
}

inline void run(const QString& statement)
{
    const core::Sent sent = gDbopt.Send(statement);
    EXPECT_FALSE(sent.failed()) << statement.toStdString() << ": " << sent.Error.toStdString();
}

inline goods::ReceiptValues values(const QString& typeNo, qint32 quantity, float price, const QDate& day)
{
    goods::ReceiptValues v;
    v.TypeNo = typeNo;
    v.Name = QStringLiteral("男鞋");
    v.Brand = QStringLiteral("青禾");
    v.Size = QStringLiteral("40");
    v.Colour = QStringLiteral("黑色");
    v.Leather = QStringLiteral("真皮");
    v.Grade = QStringLiteral("合格品");
    v.ProductPlace = QStringLiteral("温州");
    v.Price = price;
    v.Quantity = quantity;
    v.SellPrice = 199;
    v.IDCode = QStringLiteral("6900001");
    v.GoodsFloor = QStringLiteral("A-1");
    v.Date = day;
    return v;
}

inline Receipt written(const goods::ReceiptTriple& t)
{
    EXPECT_TRUE(goods::WriteReceipt(t).written());
    const jet::RecordSet rs = gDbopt.Send(QStringLiteral("select max(ID) from BuyPrice")).Rows;
    return {t.StoreGUID, t.LineGUID, rs.eof() ? 0 : rs.value(0, 0).toLongLong()};
}

// A receipt into a stock row of its own.
inline Receipt receive(const QString& typeNo, qint32 quantity, float price, const QDate& day)
{
    return written(goods::NewStockReceipt(values(typeNo, quantity, price, day)));
}

// A restock of an existing stock row.
inline Receipt restock(const Receipt& into, qint32 quantity, float price, const QDate& day)
{
    return written(goods::RestockReceipt(into.store, values(QStringLiteral("K-100"), quantity, price, day)));
}

// One piece of the receipt's batch sold at the counter: the stock row and the
// batch give up one unit and a sale line names both. Returns the sale line.
inline QString sell(const Receipt& r)
{
    const QString key = gNewGUID.GUID(false);
    run(QStringLiteral("Update Store Set Quantity=Quantity-1 Where GUID='") + r.store + QStringLiteral("'"));
    run(QStringLiteral("Update BuyPrice Set Quantity=Quantity-1 Where ID=") + QString::number(r.batch));
    run(QStringLiteral("Insert Into Sell (GUID,StoreGUID,ShopNo,TypeNo,Quantity,Price,BuyPriceID,DateTime,State) "
                       "Values('") +
        key + QStringLiteral("','") + r.store + QStringLiteral("','") + gShopNo + QStringLiteral("','K-100',1,199,") +
        QString::number(r.batch) + QStringLiteral(",'2024-03-01',0)"));
    return key;
}

// The sale line taken back: its piece returns to the stock row and the batch.
inline void giveBack(const Receipt& r, const QString& sale)
{
    run(QStringLiteral("Update Sell Set State=2 Where GUID='") + sale + QStringLiteral("'"));
    run(QStringLiteral("Update Store Set Quantity=Quantity+1 Where GUID='") + r.store + QStringLiteral("'"));
    run(QStringLiteral("Update BuyPrice Set Quantity=Quantity+1 Where ID=") + QString::number(r.batch));
}

}  // namespace purchases
