#pragma once
// The grid control of the shop's windows: a table of texts with one caption row
// and one fixed column, bound to record sets or filled in code.
//
// Numbering is the grid's own throughout the interface: row 0 is the caption
// row, column 0 the fixed column, data rows are 1 to rows() - 1, and "no data
// row" is rows() <= 1. On screen the caption row is the horizontal header and the
// fixed column the vertical header; the data rows and columns are the table.
//
// Widths are in twips (15 twips a pixel). Colours given as Windows colour values
// (0x00BBGGRR) go through vbColor(). Sum subtotals insert rows of their own,
// flagged so that later sums skip them (isSubtotal).

#include <QColor>
#include <QList>
#include <QPoint>
#include <QString>
#include <QTableView>

#include <functional>

namespace platform::jet {
class RecordSet;
}
namespace jet = platform::jet;
class FlexGridModel;

namespace platform {
// A Windows colour value 0x00BBGGRR as a colour; 255 is pure red.
QColor vbColor(quint32 bgr);
}  // namespace platform

class FlexGrid : public QTableView {
    Q_OBJECT
public:
    enum class ColType { Text, Boolean };  // Boolean: a check box, text "-1" ticked, "0" not

    // Subtotal groupings; a column number >= 1 gives one total per run of
    // adjacent rows with equal text in that column, placed below the run.
    static constexpr int WholeListAbove = 0;   // one total for the list, standing as row 1
    static constexpr int WholeListBelow = -1;  // one total for the list, the grid's last row

    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    // Shape. Both count the caption row / fixed column; n >= 1. Truncating drops
    // rows or columns, growing adds empty ones (new columns have key "").
    int rows() const;
    void setRows(int n);
    int cols() const;
    void setCols(int n);

    // A snapshot of the record set: cols = fields + 1, rows = records + 1, caption
    // and key of each column = the field name (or alias), column 0 empty. Drops
    // the subtotals, colours and column layout (keys, hidden, widths, alignment,
    // types) of the previous contents; the merged columns stay. The grid keeps
    // the record set and reads its rows in place, making a cell's text when it
    // is shown or read; a row written to keeps texts of its own from then on.
    void bind(const jet::RecordSet& rs);

    // Current cell. row() is 1 or more while a data row exists, else 0; col() is 1
    // or more while a data column exists. setRow/setCol ask beforeRowColChange
    // first (a true answer cancels and they return false), then emit
    // rowColChanged. Changes of shape keep the current row on its line where it
    // survives, clamp it otherwise, and emit rowColChanged without asking.
    int row() const { return row_; }
    bool setRow(int r);
    int col() const { return col_; }
    bool setCol(int c);
    void showCell(int r, int c);  // scrolls the cell into view

    // Cells; out of range reads give "" and writes do nothing.
    QString textMatrix(int r, int c) const;
    void setTextMatrix(int r, int c, const QString& text);
    QString text(int r, const QString& key) const;  // by colIndex(key)
    void setText(int r, const QString& key, const QString& text);

    // Columns.
    QString colKey(int c) const;
    void setColKey(int c, const QString& key);
    int colIndex(const QString& key) const;  // key, else caption, without regard to case; -1 when none
    bool colHidden(int c) const;
    void setColHidden(int c, bool hidden);
    int colWidth(int c) const;  // twips
    void setColWidth(int c, int twips);
    Qt::Alignment colAlignment(int c) const;  // 0 = the default (left)
    void setColAlignment(int c, Qt::Alignment a);
    ColType colDataType(int c) const;
    void setColDataType(int c, ColType type);

    // Rows. addItem takes Tab-separated cells starting with column 0 and appends
    // them, or inserts them as row `at` (1 to rows()). removeItem() removes the
    // current row. Neither recomputes subtotals.
    void addItem(const QString& tabSeparated, int at = -1);
    void removeItem(int r);
    void removeItem();
    int findRow(const QString& text, int startRow, int c) const;  // exact; -1 when none
    void clearDataRows();                                          // keeps the caption row

    // Selection: the range moves the current cell to (r1, c1) as setRow does, and
    // clip() gives its texts, "\t" between cells and "\r" between rows.
    void select(int r1, int c1, int r2, int c2);
    QString clip() const;
    void autoSize(int c1, int c2);  // fits the columns to their texts

    // Formatting. An invalid colour is the default look.
    QColor cellBackColor(int r, int c) const;
    void setCellBackColor(int r, int c, const QColor& colour);
    Qt::Alignment cellAlignment(int r, int c) const;  // as shown: the cell's, else the column's
    void setCellAlignment(int r1, int c1, int r2, int c2, Qt::Alignment a);
    // Cells of equal text in these columns that touch vertically are shown as one
    // (display only; subtotal rows never merge). Empty list: no merging.
    void setMergeCols(const QList<int>& cols);

    // Sums the numeric value of column totalOn's texts over the data rows of each
    // group (subtotal rows never count) into a subtotal row captioned `caption`
    // in the group column (column 0 for the whole-list groupings), drawn bold in
    // `fore`. Calls with the same groupOn share their rows: each call lays the
    // grouping's rows out afresh and recomputes every column summed into them.
    // A list without data rows gets no subtotal row.
    void subtotalSum(int groupOn, int totalOn, const QString& caption, const QColor& fore = platform::vbColor(255),
                     bool bold = true);
    void clearSubtotals();
    bool isSubtotal(int r) const;

    // Editing by keyboard and double click (and ticking Boolean cells).
    void setEditable(bool on);
    bool editable() const { return editable_; }

    // Takes over the other grid's shape, hidden columns, widths and every text.
    void copyFrom(const FlexGrid& other);

    // Hooks with a Cancel answer: return true to cancel.
    std::function<bool(int newRow, int newCol)> beforeRowColChange;
    std::function<bool(int r, int c)> beforeEdit;  // also before a check box is ticked

    void keyboardSearch(const QString&) override {}

signals:
    void rowColChanged();
    void afterEdit(int r, int c);  // also after a check box was ticked
    void enterPressed();           // Return or Enter while no cell is being edited
    void rightButtonDown(const QPoint& globalPos);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    friend class FlexGridModel;
    bool refused(int r, int c) const;  // asks beforeRowColChange about a move to (r, c)
    bool moveTo(int r, int c);         // asks, moves, signals
    void settleCurrent(int r, int c, bool signal);
    void syncView();
    void applyLayout();
    void applyColumn(int c);
    void scheduleMerge();
    void applyMerge();
    int rowHeight() const;

    FlexGridModel* model_;
    int row_ = 0;
    int col_ = 0;
    int selRow1_ = 0, selCol1_ = 0, selRow2_ = 0, selCol2_ = 0;
    bool editable_ = false;
    bool syncing_ = false;
    bool pressRefused_ = false;
    bool mergePending_ = false;
    QList<int> mergeCols_;
};
