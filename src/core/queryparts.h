#pragma once
// Pieces the windows share: the grid bound to a select, the date picker and the
// span of days the clerk picks.

#include <QList>
#include <QString>

class FlexGrid;
class QDateEdit;
class QHBoxLayout;
class QWidget;

namespace core {

// Binds the grid to the statement's result. A failed statement has shown the
// engine's words; the grid then keeps the list it had and false comes back.
bool BindQuery(FlexGrid& grid, const QString& sql);

// The date picker of every window: a day as the shop writes it, with its
// calendar; Tab and Shift+Tab leave it as they leave any other box.
QDateEdit* DatePicker(QWidget* parent);

// Adds "开始日期" and "结束日期" with their pickers to the line.
void AddDateRange(QHBoxLayout* line, QWidget* parent, QDateEdit* begin, QDateEdit* end);

// The date range, then the window's buttons, on one line from the left.
QHBoxLayout* DateRangeLine(QWidget* parent, QDateEdit* begin, QDateEdit* end, const QList<QWidget*>& buttons);

}  // namespace core
