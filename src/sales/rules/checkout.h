#pragma once
// The checkout of a sale: the day's sale number, and for every piece sold its
// way out of stock, its purchase batch and its Sell row, all written as one
// transaction. The counter window, the tests and the benchmarks run this code.

#include "core/rules/checkedwrite.h"
#include "core/rules/goodsfields.h"

#include <QList>
#include <QString>

namespace sales {
// One piece of a sale as the counter's sale list holds it (cell texts).
struct SaleLine : core::GoodsFields {
    QString StoreGUID;     // the stock row the piece leaves
    QString Price;         // 零售价
    QString Quantity;      // 数量, always "1"
    QString Abate;         // 折扣: "全", "特价" or the discount as typed
    QString Amount;        // 应收金额, a whole number
};

// The pieces out of the stock row, while it has them all (to be sent with SendOne).
QString TakePiecesSql(const QString& StoreGUID, qint32 pieces);

// -- sale numbers ---------------------------------------------------------------
// A sale number is the day as YYYYMMDD followed by a four-digit counter per day
// and shop, starting at 0001. Every Sell row of the day counts, whatever its State.

// Today as YYYYMMDD.
QString GetTodayKey();
// Today's key followed by "0001".
QString GetFirstSellNoOfDay();

enum class SellNoStatus {
    Ok,
    Unreadable,  // the database could not be read
    UsedUp,      // the day's counter has reached 9999
};

// What the counter says when today's sale numbers are used up.
inline const QString kSellNoUsedUp = QStringLiteral("今天的销售编号已经用到9999，不能再结帐！");

// The next sale number of the current shop for today, showing nothing. Empty
// when the database cannot be read (`status` Unreadable, the engine's words in
// `error`) and when the day's counter is used up (UsedUp).
QString NextSellNo(SellNoStatus* status = nullptr, QString* error = nullptr);

// -- batch costing ----------------------------------------------------------------

// Charges one piece of the stock row to a purchase batch: the first batch with
// stock left, oldest first when gSellRole.SellOrder is 0 and newest first
// otherwise (batches of one day in the order they were received), and takes one
// unit from it. BuyPriceID and BuyPrice are 0 when no batch has stock left.
// Failed with the engine's words when a statement failed.
core::Outcome TakeCostFromBatch(const QString& StoreGUID, qint32& BuyPriceID, float& BuyPrice);

// -- the sale -----------------------------------------------------------------------

// The Sell row of one piece, sold now by gUser in gShopNo.
QString SellInsertSql(const QString& GUID, const SaleLine& line, float BuyPrice, qint32 BuyPriceID,
                      const QString& SellNo, float received, float change);

// What became of a sale: the write's outcome, and what the reading of its sale
// number came to.
struct SaleOutcome {
    core::Outcome Write;
    SellNoStatus Number = SellNoStatus::Ok;
    QString SellNo;  // the number the sale went under, once it is Written
};

// Writes the sale as one transaction under the day's next sale number, read once
// the transaction holds the write lock, so that two counters on one database
// file never share a number. For every line in order the stock row gives up one
// piece, the piece is costed against a batch and its Sell row is inserted with
// the received amount and the change. Written when all of it is stored;
// OutOfStock when a stock row has fewer pieces left than the sale takes (another
// counter sold them since the list was read); Failed with the engine's words, or
// with Number saying that no sale number could be had. Nothing of a sale that is
// not Written is stored. Shows nothing.
SaleOutcome WriteSale(const QList<SaleLine>& lines, float received, float change);
}  // namespace sales
