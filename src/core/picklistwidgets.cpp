#include "core/picklistwidgets.h"

#include <QComboBox>
#include <QPushButton>

namespace core {

QComboBox* PickListCombo(QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumWidth(150);
    return c;
}

QPushButton* PickListButton(QWidget* parent)
{
    auto* b = new QPushButton(QStringLiteral("…"), parent);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedWidth(28);
    return b;
}

}  // namespace core
