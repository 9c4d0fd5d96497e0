#include "reports/rules/expenses.h"

#include "core/rules/sqltext.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"

#include <cmath>

namespace reports {

ExpenseAmount ReadExpenseAmount(const QString& typed)
{
    if (!vb::isNumeric(typed))
        return {AmountVerdict::NotANumber, 0};
    const double value = vb::val(typed);
    if (value < 0)
        return {AmountVerdict::Negative, 0};
    // Money is kept at single precision: an amount beyond it is no amount.
    const float amount = vb::toSingle(value) + 0.0f;  // "-0" is 0
    if (!std::isfinite(amount))
        return {AmountVerdict::NotANumber, 0};
    return {AmountVerdict::Taken, amount};
}

core::Outcome WriteExpense(const Expense& expense)
{
    const QString comma = QStringLiteral(",");
    return core::WriteAll({QStringLiteral("Insert Into OtherOut values(") + core::SqlQuote(expense.GUID) + comma +
                           core::SqlQuote(expense.ShopNo) + comma + core::SqlQuote(expense.ShopName) + comma +
                           core::SqlQuote(expense.Item) + comma + vb::singleText(expense.Amount) + comma +
                           core::SqlQuote(ui::dayText(expense.Day)) + comma + core::SqlQuote(expense.Memo) + comma +
                           core::SqlQuote(expense.OptName) + QStringLiteral(")")});
}

core::Outcome DeleteExpense(const QString& guid)
{
    return core::WriteAll({QStringLiteral("Delete from OtherOut Where GUID=") + core::SqlQuote(guid)});
}

}  // namespace reports
