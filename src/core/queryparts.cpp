#include "core/queryparts.h"

#include "core/modmain.h"
#include "platform/flexgrid.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>

namespace core {

bool BindQuery(FlexGrid& grid, const QString& sql)
{
    bool isErr = false;
    const jet::RecordSet rs = gDbopt.Excute(sql, isErr);
    if (isErr)
        return false;
    grid.bind(rs);
    return true;
}

QDateEdit* QueryDatePicker(QWidget* parent)
{
    auto* d = new QDateEdit(parent);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return d;
}

void AddDateRange(QHBoxLayout* line, QWidget* parent, QDateEdit* begin, QDateEdit* end)
{
    line->addWidget(new QLabel(QStringLiteral("开始日期"), parent));
    line->addWidget(begin);
    line->addSpacing(8);
    line->addWidget(new QLabel(QStringLiteral("结束日期"), parent));
    line->addWidget(end);
}

QHBoxLayout* DateRangeLine(QWidget* parent, QDateEdit* begin, QDateEdit* end, const QList<QWidget*>& buttons)
{
    auto* line = new QHBoxLayout;
    AddDateRange(line, parent, begin, end);
    line->addSpacing(16);
    for (QWidget* b : buttons)
        line->addWidget(b);
    line->addStretch(1);
    return line;
}

}  // namespace core
