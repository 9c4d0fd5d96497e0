#pragma once
// A customer's exchange of sold pieces for other goods: the shop's exchange
// rules, and the rows the pending pairs write, all of them as one transaction.

#include "sales/rules/salechanges.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class clsSellRole;

namespace aftersales {
// Why the rules refuse to take the line back in an exchange, in the order they
// are checked: a line exchanged once already (ChangeOneTime), a special price or
// a discount (full price is never refused), the exchange period (ChangeDays, the
// sale day counting as day 1). "" when the line may be exchanged.
QString ExchangeRefusal(const sales::SoldLine& line, const clsSellRole& rules, const QDate& today);

// Why the rules refuse goods of this goods number and retail price as the
// replacement of a line sold under saleTypeNo at salePrice: another goods number
// (SameTypeChange, letter case counting), a lower price (DearGoodsChange, an
// equal one passing). "" when the goods may replace it.
QString ReplacementRefusal(const QString& saleTypeNo, const QString& salePrice, const QString& typeNo,
                           const QString& price, const clsSellRole& rules);

// The goods that replace a sale line, as the list of pending pairs holds them
// (cell texts).
struct Replacement : core::GoodsFields {
    QString StoreGUID;  // the stock row the new piece leaves
    QString Price;      // 零售价
    QString Quantity;   // 数量, always "1"
    QString Abate;      // 折扣: "全", "特价" or the discount as typed
    QString Amount;     // 应收金额, a whole number
    QString SellGUID;   // the sale line it replaces
    QString SellNo;
};

// The pending pairs: the lines taken back, in the order they are listed, each
// with its reason; the replacements in the order they were chosen, each naming
// its line by SellGUID.
struct Exchange {
    QList<sales::SoldLine> Lines;
    QStringList Resions;
    QList<Replacement> Replacements;
};

// What the customer pays on top for the line: the amount of its replacement less
// the amount paid for the line.
float GetAddAmount(const Exchange& exchange, const QString& SellGUID);

// What the exchange window says when a replacement's last piece went since it
// was chosen (WriteResult::OutOfStock), as the picker does.
inline const QString kOutOfStockToExchange = QStringLiteral("库存不足不能调换，请通知管理员！");

// The statements between the lines' change of state (SellStateSql, State 1) and
// the replacements taken out of stock, in this order: a history row per line,
// every old piece back into its stock row, every old piece's unit back into its
// batch.
QStringList ExchangeStatements(const Exchange& exchange);
// The sale line rewritten to its replacement, costed against the batch, State 1;
// the line keeps its key, sale number, sale day, seller and payment.
QString SellRewriteSql(const Replacement& replacement, qint32 BuyPriceID, float BuyPrice);

// The whole exchange as one transaction: every line's change of state, checked,
// the statements above, then for each replacement in order its piece out of
// stock, checked, its costing against a batch and the rewrite of its sale line
// (so that pieces and units given back are there to be taken). Nothing is
// stored unless it is Written: LineChanged when a line was taken back since it
// was listed, OutOfStock when a replacement has no piece left, Failed with the
// engine's words. Shows nothing.
core::Outcome WriteExchange(const Exchange& exchange);
}  // namespace aftersales
