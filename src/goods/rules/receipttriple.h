#pragma once
// The receipt triple: what every way of taking goods into stock writes. A
// receipt of goods makes a new stock row in Store (never merged with an existing
// one, even for a goods number already in stock), one receipt line in
// StoreDetail and one purchase batch in BuyPrice. A restock raises the quantity
// of a chosen stock row instead of making one, and writes the line and the batch
// the same way.

#include "core/rules/checkedwrite.h"
#include "core/rules/goodsfields.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace goods {
// The values of one receipt. Texts are as the clerk gave them (the statements
// quote them); prices are single precision, the quantity a whole number that goes
// into the stock row, the line and the batch alike.
struct ReceiptValues : core::GoodsFields {
    float Price = 0;       // purchase price (line and batch)
    qint32 Quantity = 0;
    float SellPrice = 0;   // retail price of a new stock row
    QString IDCode;        // bar code of a new stock row
    QString GoodsFloor;    // shelf of a new stock row
    QString Memo;
    QDate Date;            // receipt date
};

// One receipt ready to send: its keys and its statements in sending order (the
// stock row or the restock, the receipt line, the purchase batch).
struct ReceiptTriple {
    QString StoreGUID;  // the stock key
    QString LineGUID;   // the receipt line key
    QStringList Statements;
};

// A receipt into a new stock row; the stock key is made first, then the line key.
ReceiptTriple NewStockReceipt(const ReceiptValues& v);
// A restock of the existing stock row storeGUID; only the line key is new.
ReceiptTriple RestockReceipt(const QString& storeGUID, const ReceiptValues& v);

// The statement texts, for the shop in gShopNo.
QString StoreInsertSql(const QString& storeGUID, const ReceiptValues& v);
QString StoreRestockSql(const QString& storeGUID, qint32 quantity);
QString StoreDetailInsertSql(const QString& lineGUID, const QString& storeGUID, const ReceiptValues& v);
QString BuyPriceInsertSql(const QString& storeGUID, const ReceiptValues& v);

// Sends the receipt's statements within the caller's transaction, up to the
// first that fails: Failed then, with the engine's words.
core::Outcome SendReceipt(const ReceiptTriple& t);
// The receipt as one transaction of its own: all of it is written, or nothing.
core::Outcome WriteReceipt(const ReceiptTriple& t);
// The receipts in order as one transaction: all of them are written, or none.
// sent, when given, is told the place in the list of each receipt sent.
core::Outcome WriteReceipts(const QList<ReceiptTriple>& receipts,
                            const std::function<void(qsizetype)>& sent = {});
// A restock as one transaction of its own, written only while its stock row
// exists: StockRowGone when another program has deleted the row since it was
// listed, and then nothing is written.
core::Outcome WriteRestock(const ReceiptTriple& t);

// The new stock row as the intake desk's list takes it through addItem: thirteen
// Tab-separated fields, an empty one for the fixed column, the stock key, then
// goods number, kind, brand, size, colour, fabric, grade, place, quantity, bar
// code and shelf as stored.
QString StockRowText(const QString& storeGUID, const ReceiptValues& v);

// Typed prices and quantities: nullopt when the text is not numeric or its value
// does not fit (a price beyond single precision, a quantity beyond 32 bits). A
// quantity is rounded to a whole number, halves to even.
std::optional<float> ReadPrice(const QString& text);
std::optional<qint32> ReadQuantity(const QString& text);
}  // namespace goods
