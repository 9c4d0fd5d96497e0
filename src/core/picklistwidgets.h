#pragma once
// The pieces of every window with a pick list: a pick-list combo box and the small
// "…" button beside it that opens the pick-list editor.

class QComboBox;
class QPushButton;
class QWidget;

namespace core {
// An editable combo box whose typed text never joins its list.
QComboBox* PickListCombo(QWidget* parent);
// The small "…" button beside a pick list; reached with the mouse, so that
// Enter moving on through the fields never lands on it.
QPushButton* PickListButton(QWidget* parent);
}  // namespace core
