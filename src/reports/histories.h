#pragma once
// The change history as the history windows list it: the exchanges, returns or
// voids of the shop recorded within a span of days.

#include <QDate>
#include <QString>

namespace reports {
enum class ChangeKind { Exchange = 1, Return = 2, Void = 3 };

// Each row's goods, quantity, retail price, discount, amount charged, the
// operator who recorded the change ("销售员"), the sale day, the day of the
// change and its reason, captioned for the kind; both days included.
QString ChangeHistorySql(ChangeKind kind, const QDate& from, const QDate& to);
}  // namespace reports
