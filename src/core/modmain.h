#pragma once
// The session shared by every window, and the helpers every window uses.

#include "core/rules/checkedwrite.h"
#include "core/rules/session.h"
#include "core/rules/sqltext.h"

#include <QString>

namespace core {
// Start-up: creates the session, opens the database and shows the login window.
// False when the program should end at once.
bool Main();
}  // namespace core

class QComboBox;
class QLineEdit;

namespace core {
// Whether the write was stored; after a failure the engine's words have been
// shown.
bool Written(const Outcome& outcome);
// Whether the record could be read; after a failed read the engine's words
// have been shown, and then kReadFailed.
bool Readable(const Loaded& loaded);

// Fills the combo box with the entries of one pick list, in the order they were
// written, and selects the first.
void FillDictionaryCombo(const QString& item, QComboBox* combo);
// The same after a leading "全部", which stays selected.
void FillDictionaryComboWithAll(const QString& item, QComboBox* combo);
// Enter (13) moves the focus on to the next control.
void EnterToTab(int& KeyAscii);
// A text box that takes digits only (or any text again).
void SetNumberOnly(QLineEdit* box, bool on);
}  // namespace core

// -- grid helpers -------------------------------------------------------------

class FlexGrid;

namespace core {
// The standard layout of a result grid: every column not hidden centred; width
// 200 twips for the fixed column and `width` (rounded) for every other column,
// hidden ones included.
void SetGridColumns(FlexGrid& grid, double width);
// Removes every data row, keeping the caption row.
void ClearGridRows(FlexGrid& grid);
}  // namespace core
