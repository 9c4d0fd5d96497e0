#pragma once
// The figures of the profit analysis for a shop and a span of days: what was
// bought in, sold and earned, what went back to the factory and what was spent
// outside the trade, and the stock that remains now at cost. Reads only.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace reports {
// Pieces and money of one sum; 0 where the database has nothing.
struct ProfitSum {
    qint64 Quantity = 0;
    float Amount = 0;
    float Profit = 0;  // of the sales only: amount charged less batch cost
};

struct ProfitFigures {
    ProfitSum BoughtIn;       // receipt lines of the span
    ProfitSum Sold;           // sale lines of the span, less the returned and voided
    ProfitSum BackToFactory;  // factory returns of the span
    ProfitSum Stock;          // the purchase batches now, whatever the span
    ProfitSum ProblemStock;   // the problem stock not gone back, now
    float Expenses = 0;       // expenses outside the trade of the span
    // The engine's words of each sum that failed, in the order above; such a sum
    // counts as 0.
    QStringList Errors;

    float StockCost() const { return Stock.Amount + ProblemStock.Amount; }
    // Purchases and factory returns do not enter the net profit.
    float NetProfit() const { return Sold.Profit - Expenses; }
};

// Both end days included.
ProfitFigures ComputeProfit(const QString& shopNo, const QDate& from, const QDate& to);
}  // namespace reports
