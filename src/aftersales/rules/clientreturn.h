#pragma once
// A customer's return of one sold piece: the shop's return rules, and the rows a
// return writes, as one transaction.

#include "sales/rules/salechanges.h"

#include <QDate>
#include <QString>
#include <QStringList>

class clsSellRole;

namespace aftersales {
// Where a returned piece goes.
enum class ReturnTo {
    ProblemStock,  // set aside as problem stock (a BackStore row); stock and batch stay as they are
    NormalStock,   // back into its stock row and its batch
};

// Why the rules refuse the line's return, in the order they are checked: an
// exchanged line (ChangNotToBack), a special price or a discount (full price is
// never refused), the return period (BackDays, the sale day counting as day 1).
// "" when the line may be returned.
QString ReturnRefusal(const sales::SoldLine& line, const clsSellRole& rules, const QDate& today);

// The return of one sale line by gUser: the line returned (State 2), then into
// problem stock the problem-stock row, into normal stock the piece back into
// stock and batch, and the history row.
QStringList ReturnStatements(const sales::SoldLine& line, const QString& Resion, ReturnTo to);
// All of it as one transaction (WriteLineChange), showing nothing.
core::Outcome WriteReturn(const sales::SoldLine& line, const QString& Resion, ReturnTo to);
}  // namespace aftersales
