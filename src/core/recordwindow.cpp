#include "core/recordwindow.h"

#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"

#include <QAction>

namespace core {

RecordWindow::RecordWindow(QWidget* parent)
    : FormBase(parent), Toolbar(new RecordToolbar(this)), VSFlexGrid(new FlexGrid(this))
{
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
    VSFlexGrid->beforeRowColChange = [this](int, int) { return VSFlexGrid_BeforeRowColChange(); };
    connect(VSFlexGrid, &FlexGrid::rowColChanged, this, [this] { VSFlexGrid_RowColChange(); });
    connect(Toolbar, &RecordToolbar::ButtonClick, this, &RecordWindow::Toolbar_ButtonClick);
}

void RecordWindow::Toolbar_ButtonClick(QAction* Button)
{
    if (!Button || !Button->isEnabled())
        return;
    const QString key = Button->data().toString();
    if (key == QLatin1String("Add"))
        Add();
    else if (key == QLatin1String("Edit"))
        Edit();
    else if (key == QLatin1String("Del"))
        Del();
    else if (key == QLatin1String("Cancel"))
        Cancel();
    else if (key == QLatin1String("Save"))
        Save();
}

std::optional<jet::RecordSet> RecordWindow::Run(const QString& sql)
{
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(sql, isErr);
    if (isErr) {
        TellReadFailed();
        return std::nullopt;
    }
    return rs;
}

void RecordWindow::TellReadFailed()
{
    ui::msg().exclaim(core::kReadFailed, ui::kTitleTip);
}

bool RecordWindow::ValueTaken(const QString& table, const QString& column, const QString& value, bool isAdd) const
{
    QString sql = QStringLiteral("Select * from ") + table + QStringLiteral(" Where ") + column + QStringLiteral("=") +
                  SqlQuote(value);
    if (!isAdd)
        sql += QStringLiteral(" And GUID<>") + SqlQuote(VSFlexGrid->textMatrix(VSFlexGrid->row(), 1));
    const std::optional<jet::RecordSet> rs = Run(sql);
    return rs && !rs->eof();
}

void RecordWindow::AddRow()
{
    FlexGrid& g = *VSFlexGrid;
    g.addItem(QString());
    g.setRow(g.rows() - 1);  // shows the empty row
    g.showCell(g.rows() - 1, 1);
    Toolbar->setState(RecordToolbar::Adding);
}

QString RecordWindow::RemoveRow()
{
    FlexGrid& g = *VSFlexGrid;
    const int r = g.row();
    const QString key = g.textMatrix(r, 1);
    g.removeItem(r);
    if (g.rows() > 1) {
        g.setRow(qMin(r, g.rows() - 1));
        VSFlexGrid_RowColChange();
    }
    return key;
}

void RecordWindow::CancelRow()
{
    FlexGrid& g = *VSFlexGrid;
    if (IsAdd()) {
        Toolbar->setState(RecordToolbar::Browsing);
        g.removeItem();  // the added row, which the freeze kept current
        if (g.rows() > 1)
            g.setRow(g.rows() - 1);
    }
    if (IsEdit())
        VSFlexGrid_RowColChange();
    Toolbar->setState(RecordToolbar::Browsing);
}

bool RecordWindow::Stored(const Outcome& written)
{
    if (Written(written))
        return true;
    TellReadFailed();
    return false;
}

bool RecordWindow::StoreRow(const Outcome& written, const QString& newKey)
{
    if (!Stored(written))
        return false;
    if (!newKey.isEmpty())
        VSFlexGrid->setTextMatrix(VSFlexGrid->row(), 1, newKey);
    Toolbar->setState(RecordToolbar::Browsing);
    return true;
}

}  // namespace core
