#pragma once
// A small reader of .xlsx workbooks for the tests: the cells of the first sheet
// with their kinds, and which cells and columns carry a thin border all round.

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

struct XlsxReadCell {
    QString text;
    bool number = false;
    int style = 0;
};

struct XlsxSheet {
    QString error;  // "" when the workbook was read
    QHash<QPair<int, int>, XlsxReadCell> cells;  // by (row, column), from 0
    int rows = 0;                            // one past the last row holding a cell
    int cols = 0;
    // For each cell format, whether it draws a thin line on all four sides.
    QList<bool> thinBox;
    struct Columns {
        int first, last;  // from 0
        int style;
    };
    QList<Columns> columns;

    QString text(int r, int c) const { return cells.value({r, c}).text; }
    bool isNumber(int r, int c) const { return cells.value({r, c}).number; }
    bool has(int r, int c) const { return cells.contains({r, c}); }
    bool boxed(int r, int c) const;  // the cell's own format, else its column's
    // A row's texts from column 0 to the last holding a cell in any row.
    QStringList row(int r) const;
};

XlsxSheet ReadXlsx(const QString& path);
