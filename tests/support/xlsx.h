#pragma once
// Workbooks for the tests, written with libxlsxwriter as a spreadsheet program
// would save them.

#include <QList>
#include <QString>
#include <QVariant>

struct XlsxCell {
    int row;  // from 1, as in the spreadsheet
    int col;
    QVariant value;  // a number (int or double) is written as a number, anything else as text
};

// Writes an .xlsx whose first sheet holds the cells (a second sheet stays empty).
// Texts go into the shared string table, or, with inlineTexts, into the cells
// themselves (libxlsxwriter's constant-memory mode, as large exports are written).
bool WriteXlsx(const QString& path, QList<XlsxCell> cells, bool inlineTexts = false);
