#pragma once
// A seller's day in the current shop: what was sold, taken back as returns and
// settled as exchanges, what is due to the till, and the day's settlement row
// of that seller (written once, brought up to date by every later settlement of
// the same day).
//
// The sums count every sale line of the seller and day, whatever became of it
// since: returns and exchanges are accounted through the change history of the
// day they were recorded, by whoever recorded them; voids not at all.

#include "core/rules/checkedwrite.h"

#include <QDate>
#include <QString>

namespace sales {
// The three sums of a seller's day in the current shop, by user number; each
// gives one row with the pieces as "数量" and the amount as "金额".
QString SellTotalSql(const QDate& day, const QString& sellerNo);
QString BackTotalSql(const QDate& day, const QString& sellerNo);
QString ChangeTotalSql(const QDate& day, const QString& sellerNo);
// The stored settlement of the day in the current shop, by the seller's name.
QString DayAmountRowSql(const QDate& day, const QString& sellerName);

// The settlements of the current shop from one day to another, both included:
// one row per seller and day, the shop, seller and day and the figures under
// their captions.
QString AmountTotalSql(const QDate& from, const QDate& to);
// No settlement at all: binds a list's captions before its first search.
QString NoAmountTotalSql();

// The figures of a day's settlement, named after the columns they fill.
struct DayTotals {
    qint32 SellQuantity = 0;
    float SellAmount = 0;
    qint32 BackQuantity = 0;
    float BackAmount = 0;
    qint32 ChangeQuantity = 0;
    float ChangeAmount = 0;
    float ReciveAmount = 0;  // sold less returned plus exchanged
};

// Reads the three sums of the seller's day (a sum over no rows is 0) and works
// out what is due. Failed with the engine's words, and totals as they were,
// when a sum could not be read. Shows nothing.
core::Outcome ReadDayTotals(const QDate& day, const QString& sellerNo, DayTotals& totals);

// Stores the figures as the day's settlement row of the seller in the current
// shop: into the row there is, or a new one. The look-up and the write are one
// transaction. Shows nothing.
core::Outcome WriteDayAmount(const QDate& day, const QString& sellerName, const DayTotals& totals);
}  // namespace sales
