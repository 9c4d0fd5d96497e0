#include "core/recordtoolbar.h"

#include <QAction>
#include <QStyle>

namespace core {

RecordToolbar::RecordToolbar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("Toolbar"));
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const struct {
        const char* key;
        QString caption;
        QStyle::StandardPixmap icon;
    } buttons[] = {
        {"Add", QStringLiteral("新 增"), QStyle::SP_FileIcon},
        {"Edit", QStringLiteral("编 辑"), QStyle::SP_FileDialogDetailedView},
        {"Del", QStringLiteral("删 除"), QStyle::SP_TrashIcon},
        {"Cancel", QStringLiteral("取 消"), QStyle::SP_DialogCancelButton},
        {"Save", QStringLiteral("保 存"), QStyle::SP_DialogSaveButton},
    };
    bool first = true;
    for (const auto& b : buttons) {
        if (!first)
            addSeparator();
        first = false;
        QAction* a = addAction(style()->standardIcon(b.icon), b.caption);
        a->setObjectName(QLatin1String(b.key));
        a->setData(QLatin1String(b.key));
    }
    connect(this, &QToolBar::actionTriggered, this, &RecordToolbar::ButtonClick);
    setState(Browsing);
}

QAction* RecordToolbar::Buttons(const QString& key) const
{
    for (QAction* a : actions())
        if (!a->isSeparator() && a->data().toString() == key)
            return a;
    return nullptr;
}

void RecordToolbar::setState(State s)
{
    state_ = s;
    const bool browsing = s == Browsing;
    for (const char* key : {"Add", "Edit", "Del"})
        Buttons(QLatin1String(key))->setEnabled(browsing);
    for (const char* key : {"Cancel", "Save"})
        Buttons(QLatin1String(key))->setEnabled(!browsing);
}

}  // namespace core
