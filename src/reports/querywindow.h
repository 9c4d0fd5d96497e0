#pragma once
// Pieces the query windows share.

#include "core/modmain.h"
#include "platform/flexgrid.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QString>

// Binds the grid to the statement's result. A failed statement has shown the
// engine's words; the grid then keeps the list it had and false comes back.
inline bool BindQuery(FlexGrid& grid, const QString& sql)
{
    bool isErr = false;
    const jet::RecordSet rs = gDbopt.Excute(sql, isErr);
    if (isErr)
        return false;
    grid.bind(rs);
    return true;
}

// A date picker with its calendar, showing the day as the shop writes it.
inline QDateEdit* QueryDatePicker(QWidget* parent)
{
    auto* d = new QDateEdit(parent);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return d;
}

// "开始日期" and "结束日期" with their pickers, then the window's buttons, on one
// line from the left.
inline QHBoxLayout* DateRangeLine(QWidget* parent, QDateEdit* begin, QDateEdit* end,
                                  const QList<QWidget*>& buttons)
{
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(QStringLiteral("开始日期"), parent));
    line->addWidget(begin);
    line->addSpacing(8);
    line->addWidget(new QLabel(QStringLiteral("结束日期"), parent));
    line->addWidget(end);
    line->addSpacing(16);
    for (QWidget* b : buttons)
        line->addWidget(b);
    line->addStretch(1);
    return line;
}
