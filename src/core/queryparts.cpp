#include "core/queryparts.h"

#include "core/modmain.h"
#include "platform/flexgrid.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
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

namespace {

constexpr int kTextMargin = 6;

// Tab and Shift+Tab leave the picker in one press, as they leave any other box;
// the arrow keys and typing still move between the year, the month and the day.
class DateBox : public QDateEdit {
public:
    using QDateEdit::QDateEdit;

    // Room between the day's last figure and the drop button, which the
    // picker's own measure leaves next to none of.
    QSize sizeHint() const override { return QDateEdit::sizeHint() + QSize(kTextMargin, 0); }
    QSize minimumSizeHint() const override { return QDateEdit::minimumSizeHint() + QSize(kTextMargin, 0); }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(e);
            const bool tab = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
            if (tab && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                const bool next = k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier);
                // The window's tab order, not the picker's own walk over its parts.
                if (QWidget::focusNextPrevChild(next))
                    return true;
            }
        }
        return QDateEdit::event(e);
    }
};

}  // namespace

QDateEdit* DatePicker(QWidget* parent)
{
    auto* d = new DateBox(parent);
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
