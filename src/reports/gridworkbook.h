#pragma once
// A result grid written into a spreadsheet workbook (.xlsx): every row, the
// caption row first, and every shown column, column 0 included, side by side
// from column A, each cell with a thin border, as are all the other cells of the
// sheet.

#include <QString>

class FlexGrid;

namespace reports {
// False, with the reason in *error, when the workbook could not be written.
bool WriteGridWorkbook(const FlexGrid& grid, const QString& path, QString* error = nullptr);

// Whether a cell text goes into the workbook as a number, and which: only a text
// the spreadsheet shows again as it stands ("12", "99.5", "-3"), not "0012",
// "1.50", "1e5", " 7" or a number it would show in exponent form (twelve or more
// characters, as bar codes have).
bool WorkbookNumber(const QString& text, double* value);
}  // namespace reports
