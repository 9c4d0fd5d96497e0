#pragma once
// What the windows that take a sold piece back share: the list of a shop's sale
// lines and its search, the sale line as such a list holds it, the change
// history row, the piece's way back into its stock row and purchase batch, and
// the problem-stock row. The void, the return, the exchange and the problem
// goods build their statements from these; the void is written here as well.

#include "core/rules/goodsfields.h"
#include "sales/rules/checkout.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// -- the list of sale lines ---------------------------------------------------------

namespace sales {
// Caption of the line's amount: "金额" in the void and the return lists, "应收金额"
// in the exchange's.
inline const QString kAmountCaption = QStringLiteral("金额");

// The select of a sale-line list up to and including "Where ": the line's keys,
// its batch and cost, its sale number and state, the eight goods texts, quantity,
// retail price, discount, the amount under amountCaption, the seller's name and
// the sale day.
QString SaleLineSelect(const QString& amountCaption);
// The lines of the current shop that still count as sold (State below 2) and meet
// the condition (see SaleLineCondition; never empty).
QString SaleLinesSql(const QString& condition, const QString& amountCaption);
// No line at all: binds a list's captions before its first search.
QString NoSaleLinesSql(const QString& amountCaption);

// The search boxes of the after-sales windows; a criterion left empty is not
// searched on.
struct SaleLineSearch {
    std::optional<QDate> Day{};       // 销售日期
    std::optional<QString> SellNo{};  // 销售编号, as typed
    std::optional<QString> TypeNo{};  // 货号, as typed
};
// The condition of the ticked criteria joined by "And", texts between quotes with
// their quotes doubled; "" when none is given.
QString SaleLineCondition(const SaleLineSearch& search);

// One line of such a list, as its cells read.
struct SoldLine : core::GoodsFields {
    QString GUID;        // the Sell row
    QString StoreGUID;   // the stock row the piece came from
    QString ShopNo;
    QString BuyPrice;    // the piece's cost
    QString BuyPriceID;  // its purchase batch, 0 when no batch had stock
    QString SellNo;
    QString State;
    QString Quantity;    // 数量
    QString Price;       // 零售价
    QString Abate;       // 折扣
    QString Amount;      // the amount charged
    QString SellerName;  // 销售员
    QString DateTime;    // 销售日期, the sale day as stored
};

// The line's batch key; 0 when the line has none (no batch had stock when the
// piece was sold).
qint32 BatchOf(const SoldLine& line);

// -- the statements -------------------------------------------------------------------

// The history row of a change of the line, by gUser in gShopNo today: State 1
// exchange (StoreGUID the stock row the old piece goes back to, AddAmount the
// difference), 2 return and 3 void (StoreGUID empty, AddAmount the line's amount).
QString SellChangeInsertSql(const QString& GUID, const QString& StoreGUID, const SoldLine& line, float AddAmount,
                            int State, const QString& Resion);

// The piece goes back into its stock row, and its unit into the batch it was
// costed against.
QString RestoreStoreQuantitySql(const QString& StoreGUID);
QString RestoreBatchQuantitySql(qint32 BuyPriceID);
// Both for one piece of the line; without the batch's when the line has none.
QStringList RestoreQuantitiesSql(const SoldLine& line);

// A problem-stock row of the stock row's goods, by gUser in gShopNo: Quantity
// pieces costing BuyPrice in all, not yet back at the factory.
QString BackStoreInsertSql(const QString& StoreGUID, const core::GoodsFields& goods, qint32 Quantity, float BuyPrice,
                           const QString& BackResion);

// The line's new State, set only while the line is as it was listed: in the
// state and from the stock row it was read with (to be sent with SendOne).
QString SellStateSql(const SoldLine& line, int State);
// What the windows that take a line back say when it was voided, returned or
// exchanged since they listed it (WriteResult::LineChanged).
inline const QString kLineChangedRefusal = QStringLiteral("对不起！该商品已经被作废、退货或调换，请重新查询！");

// Sends a line's change as one transaction: the first statement, the change of
// its state (SellStateSql), checked, then the others. Nothing is stored unless
// it is Written; shows nothing.
core::Outcome WriteLineChange(const QStringList& statements);

// -- the void -----------------------------------------------------------------------

// The void of one sale line: the line voided (State 3), the piece back into
// stock and batch, the history row with the reason.
QStringList VoidStatements(const SoldLine& line, const QString& Resion);
core::Outcome WriteVoid(const SoldLine& line, const QString& Resion);
}  // namespace sales
