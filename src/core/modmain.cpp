#include "core/modmain.h"

#include "core/frmlogin.h"
#include "platform/base/services.h"
#include "platform/vbkeys.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

bool core::Main()
{
    // The session objects, in this order; a new run starts them afresh.
    gDbopt.Release();
    gNewGUID = clsNewGUID();
    gUser = clsUser();
    gSellRole = clsSellRole();
    QString why;
    if (!gDbopt.ConnectionToDB(&why)) {
        ui::msg().info(QStringLiteral("连接数据库失败！\n") + why, ui::kTitleTip);
        return false;
    }
    // The login opens the main window on success; closed, it leaves no window.
    frmLogin login;
    login.showModal();
    return true;
}

bool core::Written(const Outcome& outcome)
{
    if (!outcome.Error.isEmpty())
        ui::msg().plain(outcome.Error);
    return outcome.written();
}

bool core::Readable(const Loaded& loaded)
{
    if (!loaded.failed())
        return true;
    ui::msg().plain(loaded.Error);
    ui::msg().exclaim(kReadFailed, ui::kTitleTip);
    return false;
}

namespace {
void addDictionaryEntries(const QString& item, QComboBox* combo)
{
    // The list names are the program's own texts.
    jet::RecordSet rs = gDbopt.Excute(QStringLiteral("select Content from Datadictionary Where item='") + item +
                                      QStringLiteral("'"));
    for (; !rs.eof(); rs.moveNext())
        combo->addItem(rs.fieldText(QStringLiteral("Content")));
}
}  // namespace

void core::FillDictionaryCombo(const QString& item, QComboBox* combo)
{
    combo->clear();
    addDictionaryEntries(item, combo);
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

void core::FillDictionaryComboWithAll(const QString& item, QComboBox* combo)
{
    combo->clear();
    combo->addItem(QStringLiteral("全部"));
    addDictionaryEntries(item, combo);
    combo->setCurrentIndex(0);
}

void core::EnterToTab(int& KeyAscii) { vbkeys::enterToTab(KeyAscii); }

void core::SetNumberOnly(QLineEdit* box, bool on)
{
    if (on) {
        static const QRegularExpression digits(QStringLiteral("\\d*"));
        box->setValidator(new QRegularExpressionValidator(digits, box));
    } else {
        box->setValidator(nullptr);
    }
}

// -- grid helpers -------------------------------------------------------------

#include "platform/flexgrid.h"
#include "platform/base/vb.h"

void core::SetGridColumns(FlexGrid& grid, double width)
{
    const int twips = int(vb::roundHalfEven(width));
    for (int c = 0; c < grid.cols(); ++c) {
        if (!grid.colHidden(c))
            grid.setColAlignment(c, Qt::AlignCenter);
        grid.setColWidth(c, c == 0 ? 200 : twips);
    }
}

void core::ClearGridRows(FlexGrid& grid) { grid.clearDataRows(); }
