#pragma once
// The inputs of the goods windows that offer a pick list: an editable combo box
// that adds nothing typed to its list, and the small "…" button beside it that
// opens the list's editor.

#include <QComboBox>
#include <QPushButton>

inline QComboBox* pickList(QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumWidth(150);
    return c;
}

// Reached with the mouse, so that Enter moving on through the fields never lands on it.
inline QPushButton* listButton(QWidget* parent)
{
    auto* b = new QPushButton(QStringLiteral("…"), parent);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedWidth(28);
    return b;
}
