#pragma once
// The expenses outside the trade (rent, wages and the like): the amount a clerk
// typed, and the writes of one expense.

#include "core/rules/checkedwrite.h"

#include <QDate>
#include <QString>

namespace reports {
// What a typed amount comes to.
enum class AmountVerdict {
    Taken,
    NotANumber,  // no number, or one beyond single precision
    Negative,
};
struct ExpenseAmount {
    AmountVerdict Verdict = AmountVerdict::NotANumber;
    float Amount = 0;  // when Taken: the amount at single precision, never "-0"
};
ExpenseAmount ReadExpenseAmount(const QString& typed);

// One row of the expenses' table.
struct Expense {
    QString GUID;
    QString ShopNo;
    QString ShopName;
    QString Item;
    float Amount = 0;
    QDate Day;
    QString Memo;
    QString OptName;  // who recorded it
};

core::Outcome WriteExpense(const Expense& expense);
core::Outcome DeleteExpense(const QString& guid);
}  // namespace reports
