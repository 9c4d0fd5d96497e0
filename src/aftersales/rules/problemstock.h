#pragma once
// Problem stock: faulty pieces taken out of saleable stock and set aside, and
// their return to the factory. Each is written as one transaction.

#include "core/rules/goodsfields.h"
#include "sales/rules/checkout.h"

#include <QDate>
#include <QList>
#include <QString>

// -- into problem stock -----------------------------------------------------------

namespace aftersales {
// One line of faulty pieces of a stock row, with its own problem.
struct ProblemLine : core::GoodsFields {
    QString StoreGUID;  // the stock row the pieces leave
    qint32 Quantity = 0;
    QString BackResion;  // 质量问题
};

// For every line in order: the stock row gives up the pieces, each of them is
// costed against a purchase batch by the shop's costing rule (a piece finding no
// batch with stock costs 0), and one problem-stock row records them with their
// total cost. All of it is written, or nothing: OutOfStock when a stock row has
// fewer pieces left than its lines take (another program took them since the
// list was read), Failed with the engine's words. Shows nothing.
core::Outcome WriteProblemGoods(const QList<ProblemLine>& lines);

// -- back to the factory ------------------------------------------------------------

struct FactoryReturn {
    QDate Day;                   // the return date
    qint64 Quantity = 0;         // pieces returned, the rows' quantities summed
    float Amount = 0;            // what the factory refunds
    QList<qint32> BackStoreIDs;  // the problem-stock rows going back
};

// Every problem-stock row marked as back at the factory on the return date, and
// the return's total row by gUser in gShopNo, as one transaction. Nothing is
// written unless it is Written: BackAtFactory when a row went back since it was
// listed (another program returned it), Failed with the engine's words. Shows
// nothing.
core::Outcome WriteFactoryReturn(const FactoryReturn& r);
}  // namespace aftersales
