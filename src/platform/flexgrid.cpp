#include "platform/flexgrid.h"

#include "platform/base/jetdb.h"
#include "platform/base/largememory.h"
#include "platform/base/vb.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

QColor platform::vbColor(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kNoGroup = -2;                // not a subtotal row
constexpr int kDefaultFixedWidthPx = 16;    // column 0 until a width is set
const QString kTicked = QStringLiteral("-1");
const QString kUnticked = QStringLiteral("0");

int pixels(int twips) { return qMax(0, qRound(double(twips) / kTwipsPerPixel)); }

bool isTicked(const QString& t) { return t == kTicked || (!t.isEmpty() && t != kUnticked && vb::val(t) != 0); }

struct CellStyle {
    QColor back;
    Qt::Alignment align;
};

// What a row holds of its own: its texts, unless it shows those of the bound
// record set, and what a few rows carry besides (subtotal mark, look of cells).
struct RowData {
    QVector<QString> cells;  // may be shorter than the column count: the rest is empty
    int group = kNoGroup;    // grouping of a subtotal row
    bool bold = false;
    QColor fore;
    QHash<int, CellStyle> styles;
};

// One line of the grid. The rows a bind brings read their texts from the record
// set in place; a row written to, added or made by a subtotal holds its own.
struct Row {
    int src = -1;  // the record-set row whose texts it shows; -1: its own texts
    std::unique_ptr<RowData> d;

    int group() const { return d ? d->group : kNoGroup; }
    bool subtotal() const { return group() != kNoGroup; }
    RowData& data()
    {
        if (!d)
            d = std::make_unique<RowData>();
        return *d;
    }
    const CellStyle* style(int c) const
    {
        if (!d)
            return nullptr;
        auto it = d->styles.constFind(c);
        return it == d->styles.constEnd() ? nullptr : &it.value();
    }
};

// The rows of a list of 100,000 lines take a couple of megabytes: large memory.
using Rows = std::vector<Row, platform::LargeAllocator<Row>>;

struct Column {
    QString key;
    int twips = -1;  // -1: the default width
    bool hidden = false;
    Qt::Alignment align;
    FlexGrid::ColType type = FlexGrid::ColType::Text;
};

// The columns summed into the rows of one subtotal grouping, and the state of
// the list they were laid out for.
struct Grouping {
    QList<int> sums;
    quint64 laidAt = 0;  // the list's version when its rows were laid out
    int count = 0;       // its rows in the list
};

}  // namespace

// The store behind the view: every text of the grid, row 0 and column 0
// included. View row i is store row i + 1, view column j store column j + 1.
class FlexGridModel : public QAbstractTableModel {
public:
    explicit FlexGridModel(FlexGrid* grid) : QAbstractTableModel(grid), grid_(grid)
    {
        rows_.resize(1);
        cols_.resize(1);
    }

    // -- QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(rows_.size()) - 1;
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(cols_.size()) - 1;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        return cellData(index.row() + 1, index.column() + 1, role);
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal) {
            if (role == Qt::DisplayRole)
                return text(0, section + 1);
            if (role == Qt::ToolTipRole)
                return toolTip(0, section + 1);
            return {};
        }
        const int r = section + 1;
        if (r < 1 || r >= rows())
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return text(r, 0);
        case Qt::SizeHintRole:
            // The fixed column has the width it is given and every row one
            // height: no header measures the texts of its rows.
            return QSize(grid_->verticalHeader()->maximumWidth(), grid_->rowHeight());
        case Qt::BackgroundRole:
        case Qt::ForegroundRole:
        case Qt::FontRole:
        case Qt::TextAlignmentRole:
        case Qt::ToolTipRole:
            return cellData(r, 0, role);
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (grid_->editable_)
            f |= cols_[index.column() + 1].type == FlexGrid::ColType::Boolean ? Qt::ItemIsUserCheckable
                                                                               : Qt::ItemIsEditable;
        return f;
    }

    // Only the view's editors and check boxes come this way; code writes texts
    // with setText.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid())
            return false;
        const int r = index.row() + 1, c = index.column() + 1;
        if (role == Qt::CheckStateRole && cols_[c].type == FlexGrid::ColType::Boolean) {
            if (grid_->beforeEdit && grid_->beforeEdit(r, c))
                return false;
            setText(r, c, value.toInt() == Qt::Checked ? kTicked : kUnticked);
        } else if (role == Qt::EditRole) {
            setText(r, c, value.toString());
        } else {
            return false;
        }
        emit grid_->afterEdit(r, c);
        return true;
    }

    // -- the store
    int rows() const { return int(rows_.size()); }
    int cols() const { return int(cols_.size()); }
    bool valid(int r, int c) const { return r >= 0 && r < rows() && c >= 0 && c < cols(); }
    QString text(int r, int c) const { return textOf(rows_[r], c); }
    const Row& rowAt(int r) const { return rows_[r]; }
    Row& rowAt(int r) { return rows_[r]; }
    Column& column(int c) { return cols_[c]; }
    const Column& column(int c) const { return cols_[c]; }

    QString textOf(const Row& row, int c) const
    {
        if (row.src >= 0)
            return c >= 1 && c <= boundCols_ ? rs_.text(row.src, c - 1) : QString();
        if (row.d && c < row.d->cells.size())
            return row.d->cells[c];
        return {};
    }

    // Whether two rows show the same text in column c; rows of the record set
    // compare their bytes.
    bool sameText(const Row& a, const Row& b, int c) const
    {
        if (a.src >= 0 && b.src >= 0 && c >= 1 && c <= boundCols_) {
            if (a.src == b.src)
                return true;
            QByteArrayView x, y;
            if (rs_.textBytes(a.src, c - 1, &x) && rs_.textBytes(b.src, c - 1, &y))
                return x == y;
        }
        return textOf(a, c) == textOf(b, c);
    }

    bool isEmptyText(const Row& row, int c) const
    {
        if (row.src >= 0) {
            QByteArrayView b;
            if (c >= 1 && c <= boundCols_ && rs_.textBytes(row.src, c - 1, &b))
                return b.isEmpty();
        }
        return textOf(row, c).isEmpty();
    }

    // The numeric value of a cell text: its leading number, 0 when it has none.
    // A record set's cell is read once, however many totals take it.
    double numberOf(const Row& row, int c)
    {
        if (row.src >= 0) {
            if (c < 1 || c > boundCols_)
                return 0;
            std::vector<double>& known = numbers_[size_t(c)];
            if (known.empty())
                known.assign(size_t(rs_.recordCount()), std::numeric_limits<double>::quiet_NaN());
            double& n = known[size_t(row.src)];
            if (std::isnan(n))
                n = rs_.textNumber(row.src, c - 1);
            return n;
        }
        const QString t = textOf(row, c);
        return t.isEmpty() ? 0.0 : vb::val(t);
    }

    int findRow(const QString& text, int startRow, int c) const
    {
        const QByteArray utf8 = text.toUtf8();
        for (int r = qMax(startRow, 1); r < rows(); ++r) {
            const Row& row = rows_[r];
            QByteArrayView b;
            if (row.src >= 0 && c >= 1 && c <= boundCols_ && rs_.textBytes(row.src, c - 1, &b)) {
                if (b == utf8)
                    return r;
            } else if (textOf(row, c) == text) {
                return r;
            }
        }
        return -1;
    }

    void setText(int r, int c, const QString& t)
    {
        Row& row = rows_[r];
        if (row.src >= 0) {
            if (textOf(row, c) == t)
                return;
            takeTexts(row);
        }
        RowData& d = row.data();
        if (c >= d.cells.size()) {
            if (t.isEmpty())
                return;
            d.cells.resize(cols());
        }
        d.cells[c] = t;
        ++version_;
        changed(r, c, r, c);
    }

    // Tells the view that cells changed (headers included).
    void changed(int r1, int c1, int r2, int c2)
    {
        if (r1 == 0)
            emit headerDataChanged(Qt::Horizontal, qMax(c1, 1) - 1, qMax(c2, 1) - 1);
        if (c1 == 0 && r2 >= 1) {
            // The header would visit every row of a range; its sizes do not
            // depend on the texts, so a repaint is all it needs.
            if (qMax(r1, 1) == r2)
                emit headerDataChanged(Qt::Vertical, r2 - 1, r2 - 1);
            else
                grid_->verticalHeader()->viewport()->update();
        }
        if (r2 >= 1 && c2 >= 1)
            emit dataChanged(index(qMax(r1, 1) - 1, qMax(c1, 1) - 1), index(r2 - 1, c2 - 1));
    }

    void bind(const jet::RecordSet& rs)
    {
        beginResetModel();
        const int fields = rs.isOpen() ? rs.fieldCount() : 0;
        const int records = rs.isOpen() ? rs.recordCount() : 0;
        Rows fresh(size_t(records) + 1);
        for (int r = 0; r < records; ++r)
            fresh[size_t(r) + 1].src = r;
        cols_ = QVector<Column>(fields + 1);
        QVector<QString> captions(fields + 1);
        for (int f = 0; f < fields; ++f) {
            captions[f + 1] = rs.fieldName(f);
            cols_[f + 1].key = captions[f + 1];
        }
        fresh[0].data().cells = captions;
        rows_.swap(fresh);
        rs_ = rs.isOpen() ? rs : jet::RecordSet();
        boundCols_ = fields;
        numbers_.assign(size_t(fields) + 1, {});
        groupings_.clear();
        ++version_;
        endResetModel();
    }

    void copyFrom(const FlexGridModel& other)
    {
        beginResetModel();
        rs_ = other.rs_;
        boundCols_ = other.boundCols_;
        numbers_.assign(size_t(boundCols_) + 1, {});
        rows_.clear();
        rows_.resize(other.rows_.size());
        for (size_t r = 0; r < rows_.size(); ++r) {
            const Row& from = other.rows_[r];
            rows_[r].src = from.src;
            if (from.d && !from.d->cells.isEmpty())
                rows_[r].data().cells = from.d->cells;  // shared until written
        }
        cols_ = QVector<Column>(other.cols());
        for (int c = 0; c < cols(); ++c) {
            cols_[c].hidden = other.cols_[c].hidden;
            cols_[c].twips = other.cols_[c].twips;
        }
        groupings_.clear();
        ++version_;
        endResetModel();
    }

    void setRows(int n)
    {
        const int now = rows();
        if (n > now) {
            beginInsertRows({}, now - 1, n - 2);
            rows_.resize(size_t(n));
            ++version_;
            endInsertRows();
        } else if (n < now) {
            beginRemoveRows({}, n - 1, now - 2);
            rows_.resize(size_t(n));
            ++version_;
            endRemoveRows();
        }
    }

    void setCols(int n)
    {
        const int now = cols();
        if (n > now) {
            beginInsertColumns({}, now - 1, n - 2);
            cols_.resize(n);
            ++version_;
            endInsertColumns();
        } else if (n < now) {
            beginRemoveColumns({}, n - 1, now - 2);
            cols_.resize(n);
            boundCols_ = qMin(boundCols_, n - 1);
            for (Row& row : rows_) {
                if (!row.d)
                    continue;
                if (row.d->cells.size() > n)
                    row.d->cells.resize(n);
                row.d->styles.removeIf([n](const auto& it) { return it.key() >= n; });
            }
            ++version_;
            endRemoveColumns();
        }
    }

    void insertRow(int at, QVector<QString> cells)
    {
        beginInsertRows({}, at - 1, at - 1);
        Row row;
        row.data().cells = std::move(cells);
        rows_.insert(rows_.begin() + at, std::move(row));
        ++version_;
        endInsertRows();
    }

    void removeRow(int r)
    {
        beginRemoveRows({}, r - 1, r - 1);
        rows_.erase(rows_.begin() + r);
        ++version_;
        endRemoveRows();
    }

    // Lays out the rows of one grouping afresh (see FlexGrid::subtotalSum); when
    // nothing changed since they were laid out, the new column is only summed
    // into them. keep is a row whose new number is returned.
    int subtotal(int groupOn, int totalOn, const QString& caption, const QColor& fore, bool bold, int keep)
    {
        Grouping& g = groupings_[groupOn];
        if (g.laidAt == version_) {
            if (g.count == 0)
                g.sums = {totalOn};
            else
                addSum(groupOn, totalOn, caption, fore, bold);
            return keep;
        }
        if (groupOn <= 0)
            return wholeListTotal(groupOn, totalOn, caption, fore, bold, keep);

        // Its rows are laid out afresh in one pass over the list: its old rows
        // stay behind, a new one follows each run.
        bool shared = false;
        for (size_t i = 1; i < rows_.size() && !shared; ++i)
            shared = rows_[i].group() == groupOn;
        QList<int>& sums = g.sums;
        if (!shared)
            sums.clear();
        sums.removeIf([this](int c) { return c >= cols(); });  // columns dropped since
        if (!sums.contains(totalOn))
            sums.append(totalOn);

        int made = 0;
        auto totalRow = [&](const std::vector<double>& values) {
            Row row;
            RowData& x = row.data();
            x.cells.resize(cols());
            x.cells[groupOn] = caption;
            for (int i = 0; i < sums.size(); ++i)
                x.cells[sums[i]] = vb::numberText(values[size_t(i)]);
            x.group = groupOn;
            x.bold = bold;
            x.fore = fore;
            ++made;
            return row;
        };

        Rows out;
        out.reserve(rows_.size() + 1);
        int keepOut = -1;
        bool keepNext = false;  // the current row, or the first one kept after it, comes next
        // Runs of adjacent data rows with equal text; any other subtotal row ends a run.
        std::vector<double> values(size_t(sums.size()));
        bool open = false;
        size_t first = 0;  // in out: the first row of the open run
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (int(i) == keep)
                keepNext = true;
            Row& row = rows_[i];
            if (i > 0) {
                if (row.group() == groupOn)
                    continue;
                if (row.subtotal() || !open || !sameText(row, out[first], groupOn)) {
                    if (open)
                        out.push_back(totalRow(values));
                    open = !row.subtotal();
                    if (open) {
                        first = out.size();
                        std::fill(values.begin(), values.end(), 0.0);
                    }
                }
                if (open)
                    for (int k = 0; k < sums.size(); ++k)
                        values[size_t(k)] += numberOf(row, sums[k]);
            }
            if (keepNext) {
                keepOut = int(out.size());
                keepNext = false;
            }
            out.push_back(std::move(row));
        }
        if (open)
            out.push_back(totalRow(values));

        beginResetModel();
        rows_.swap(out);
        // Rows inside the list end the runs of other groupings (a whole-list
        // total, standing above or below all data, ends none).
        ++version_;
        g.laidAt = version_;
        g.count = made;
        endResetModel();
        return keepOut >= 0 ? keepOut : int(rows_.size()) - 1;
    }

    int clearSubtotals(int keep)
    {
        Rows out;
        out.reserve(rows_.size());
        int keepAt = -1;
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (int(i) == keep)
                keepAt = int(out.size());
            if (i > 0 && rows_[i].subtotal())
                continue;
            out.push_back(std::move(rows_[i]));
        }
        beginResetModel();
        rows_.swap(out);
        groupings_.clear();
        ++version_;
        endResetModel();
        return keepAt >= 0 ? keepAt : int(rows_.size()) - 1;
    }

private:
    // The row of a whole-list grouping, laid out afresh: its old row leaves the
    // list and the new one joins it at the top or the bottom; no other row moves.
    int wholeListTotal(int groupOn, int totalOn, const QString& caption, const QColor& fore, bool bold, int keep)
    {
        Grouping& g = groupings_[groupOn];
        const bool keepValid = keep >= 0 && keep < rows();
        int keepAt = keep;
        bool shared = false;
        for (int i = rows() - 1; i >= 1; --i) {
            if (rows_[size_t(i)].group() != groupOn)
                continue;
            shared = true;
            beginRemoveRows({}, i - 1, i - 1);
            rows_.erase(rows_.begin() + i);
            endRemoveRows();
            if (keepAt > i)
                --keepAt;  // a removed current row gives its place to the next one
        }
        if (!shared)
            g.sums.clear();
        g.sums.removeIf([this](int c) { return c >= cols(); });
        if (!g.sums.contains(totalOn))
            g.sums.append(totalOn);

        std::vector<double> values(size_t(g.sums.size()));
        bool any = false;
        for (size_t i = 1; i < rows_.size(); ++i) {
            const Row& row = rows_[i];
            if (row.subtotal())
                continue;
            any = true;
            for (int k = 0; k < g.sums.size(); ++k)
                values[size_t(k)] += numberOf(row, g.sums[k]);
        }
        if (any) {
            Row total;
            RowData& x = total.data();
            x.cells.resize(cols());
            x.cells[groupOn > 0 ? groupOn : 0] = caption;
            for (int k = 0; k < g.sums.size(); ++k)
                x.cells[g.sums[k]] = vb::numberText(values[size_t(k)]);
            x.group = groupOn;
            x.bold = bold;
            x.fore = fore;
            const int at = groupOn == FlexGrid::WholeListAbove ? 1 : rows();
            beginInsertRows({}, at - 1, at - 1);
            rows_.insert(rows_.begin() + at, std::move(total));
            endInsertRows();
            if (at == 1 && keepAt >= 1)
                ++keepAt;
        }
        g.laidAt = version_;
        g.count = any ? 1 : 0;
        return keepValid ? qMin(keepAt, rows() - 1) : rows() - 1;
    }

    // Sums one more column into the rows of a grouping laid out on the list as
    // it still is, and gives them the caption and look of this call.
    void addSum(int groupOn, int totalOn, const QString& caption, const QColor& fore, bool bold)
    {
        Grouping& g = groupings_[groupOn];
        if (!g.sums.contains(totalOn))
            g.sums.append(totalOn);
        const int captionCol = groupOn > 0 ? groupOn : 0;
        auto write = [&](Row& row, double sum) {
            RowData& x = row.data();
            x.cells[captionCol] = caption;
            x.cells[totalOn] = vb::numberText(sum);
            x.bold = bold;
            x.fore = fore;
        };
        double sum = 0;
        if (groupOn > 0) {
            // Each of its rows stands just below the run it totals.
            for (size_t i = 1; i < rows_.size(); ++i) {
                Row& row = rows_[i];
                if (row.group() == groupOn)
                    write(row, sum);
                if (row.subtotal())
                    sum = 0;
                else
                    sum += numberOf(row, totalOn);
            }
        } else {
            for (size_t i = 1; i < rows_.size(); ++i)
                if (!rows_[i].subtotal())
                    sum += numberOf(rows_[i], totalOn);
            for (size_t i = 1; i < rows_.size(); ++i)
                if (rows_[i].group() == groupOn)
                    write(rows_[i], sum);
        }
        if (rows() > 1)
            changed(1, 0, rows() - 1, cols() - 1);
    }

    // Gives a row of the record set texts of its own, before one is written.
    void takeTexts(Row& row)
    {
        RowData& d = row.data();
        d.cells.resize(cols());
        for (int c = 0; c < cols(); ++c)
            d.cells[c] = c >= 1 && c <= boundCols_ ? rs_.text(row.src, c - 1) : QString();
        row.src = -1;
    }

    QVariant cellData(int r, int c, int role) const
    {
        const Row& row = rows_[r];
        switch (role) {
        case Qt::DisplayRole:
            if (cols_[c].type == FlexGrid::ColType::Boolean && c > 0)
                return {};
            return textOf(row, c);
        case Qt::EditRole:
            return textOf(row, c);
        case Qt::CheckStateRole:
            if (cols_[c].type != FlexGrid::ColType::Boolean || c == 0 || row.subtotal())
                return {};
            return isTicked(textOf(row, c)) ? Qt::Checked : Qt::Unchecked;
        case Qt::TextAlignmentRole: {
            const CellStyle* s = row.style(c);
            const Qt::Alignment a = s && s->align ? s->align : cols_[c].align;
            return a ? QVariant(int(a)) : QVariant();
        }
        case Qt::BackgroundRole: {
            const CellStyle* s = row.style(c);
            return s && s->back.isValid() ? QVariant(QBrush(s->back)) : QVariant();
        }
        case Qt::ForegroundRole:
            return row.d && row.d->fore.isValid() ? QVariant(QBrush(row.d->fore)) : QVariant();
        case Qt::FontRole: {
            if (!row.d || !row.d->bold)
                return {};
            QFont f = c == 0 ? grid_->verticalHeader()->font() : grid_->font();
            f.setBold(true);
            return f;
        }
        case Qt::ToolTipRole:
            return toolTip(r, c);
        default:
            return {};
        }
    }

    // The whole text of a cell too narrow to show it (captions and the fixed
    // column included); nothing for a cell that shows all of its text.
    QVariant toolTip(int r, int c) const
    {
        if ((r == 0 && c == 0) || (r > 0 && c > 0 && cols_[c].type == FlexGrid::ColType::Boolean))
            return {};
        const QString t = text(r, c);
        if (t.isEmpty())
            return {};
        const QWidget* shownIn = grid_;
        int room = 0;
        if (r == 0 || c == 0) {
            // A header section draws its label inside the header's margins.
            const QHeaderView* h = r == 0 ? grid_->horizontalHeader() : grid_->verticalHeader();
            const int width = r == 0 ? h->sectionSize(c - 1) : h->maximumWidth();
            room = width - 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
            shownIn = h;
        } else {
            // A cell draws its text inside the grid line and the item's text margins.
            const int textMargin = grid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid_) + 1;
            room = grid_->columnWidth(c - 1) - (grid_->showGrid() ? 1 : 0) - 2 * textMargin;
        }
        const QVariant own = r > 0 ? cellData(r, c, Qt::FontRole) : QVariant();
        const QFontMetrics metrics(own.isValid() ? own.value<QFont>() : shownIn->font());
        return metrics.horizontalAdvance(t) > room ? QVariant(t) : QVariant();
    }

    FlexGrid* grid_;
    Rows rows_;
    QVector<Column> cols_;
    jet::RecordSet rs_;     // the bound record set, read in place
    int boundCols_ = 0;     // its fields shown, as columns 1 to boundCols_
    std::vector<std::vector<double>> numbers_;  // per column: its cells' numbers, NaN until read
    QHash<int, Grouping> groupings_;            // by group column
    quint64 version_ = 1;  // changes with every text and every row added or removed
};

namespace {

// Draws Boolean cells as a centred check box and ticks it on a click anywhere
// in the cell or on Space.
class FlexGridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QVariant check = index.data(Qt::CheckStateRole);
        if (!check.isValid()) {
            QStyledItemDelegate::paint(p, option, index);
            return;
        }
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QWidget* w = option.widget;
        QStyle* style = w ? w->style() : QApplication::style();
        const QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, w);
        opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        opt.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, p, w);
        QStyleOptionViewItem tick(opt);
        tick.rect = QStyle::alignedRect(opt.direction, Qt::AlignCenter, box.size(), option.rect);
        tick.state &= ~(QStyle::State_HasFocus | QStyle::State_On | QStyle::State_Off);
        tick.state |= check.toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &tick, p, w);
    }

    bool editorEvent(QEvent* e, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override
    {
        const QVariant check = index.data(Qt::CheckStateRole);
        if (!check.isValid() || !(index.flags() & Qt::ItemIsUserCheckable))
            return QStyledItemDelegate::editorEvent(e, model, option, index);
        if (e->type() == QEvent::MouseButtonRelease) {
            auto* me = static_cast<QMouseEvent*>(e);
            if (me->button() != Qt::LeftButton || !option.rect.contains(me->position().toPoint()))
                return false;
        } else if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key != Qt::Key_Space && key != Qt::Key_Select)
                return false;
        } else {
            return false;  // presses move the current cell as anywhere else
        }
        const bool ticked = check.toInt() == Qt::Checked;
        return model->setData(index, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
};

}  // namespace

// ---------------------------------------------------------------------------

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), model_(new FlexGridModel(this))
{
    setModel(model_);
    setItemDelegate(new FlexGridDelegate(this));
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);  // Tab moves on to the next control
    // Fixed sizes: no header ever measures its sections' contents.
    QHeaderView* v = verticalHeader();
    v->setSectionResizeMode(QHeaderView::Fixed);
    v->setMinimumSectionSize(rowHeight());
    v->setDefaultSectionSize(rowHeight());
    v->setFixedWidth(kDefaultFixedWidthPx);
    QHeaderView* h = horizontalHeader();
    h->setSectionResizeMode(QHeaderView::Interactive);
    h->setStretchLastSection(false);
    // Header clicks would move the current cell past beforeRowColChange.
    h->setSectionsClickable(false);
    v->setSectionsClickable(false);
    // A double click on a column's edge fits it to the texts of every row, where
    // the view would measure only some of a long list.
    disconnect(h, &QHeaderView::sectionHandleDoubleClicked, this, nullptr);
    connect(h, &QHeaderView::sectionHandleDoubleClicked, this, [this](int section) {
        autoSize(section + 1, section + 1);
    });
    connect(h, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        // The user dragging a column edge; our own layout writes twips first.
        const int c = section + 1;
        if (!syncing_ && c < cols() && !model_->column(c).hidden && size > 0 &&
            pixels(model_->column(c).twips) != size)
            model_->column(c).twips = size * kTwipsPerPixel;
    });
}

FlexGrid::~FlexGrid() = default;

int FlexGrid::rowHeight() const { return fontMetrics().height() + 6; }

// -- shape ------------------------------------------------------------------

int FlexGrid::rows() const { return model_->rows(); }
int FlexGrid::cols() const { return model_->cols(); }

void FlexGrid::setRows(int n)
{
    if (n < 1 || n == rows())
        return;
    {
        const QScopedValueRollback<bool> quiet(syncing_, true);
        model_->setRows(n);
    }
    settleCurrent(row_, col_, false);
    scheduleMerge();
}

void FlexGrid::setCols(int n)
{
    if (n < 1 || n == cols())
        return;
    const int before = cols();
    {
        const QScopedValueRollback<bool> quiet(syncing_, true);
        model_->setCols(n);
    }
    for (int c = before; c < n; ++c)
        applyColumn(c);
    if (n < before)
        mergeCols_.removeIf([n](int c) { return c >= n; });
    settleCurrent(row_, col_, false);
    scheduleMerge();
}

void FlexGrid::bind(const jet::RecordSet& rs)
{
    {
        const QScopedValueRollback<bool> quiet(syncing_, true);
        clearSpans();
        model_->bind(rs);
    }
    mergeCols_.removeIf([this](int c) { return c >= cols(); });
    applyLayout();
    row_ = col_ = 0;
    settleCurrent(1, 1, true);
    scheduleMerge();
}

void FlexGrid::copyFrom(const FlexGrid& other)
{
    if (&other == this)
        return;
    {
        const QScopedValueRollback<bool> quiet(syncing_, true);
        clearSpans();
        model_->copyFrom(*other.model_);
    }
    mergeCols_.clear();
    applyLayout();
    row_ = col_ = 0;
    settleCurrent(1, 1, true);
}

// -- current cell -----------------------------------------------------------

bool FlexGrid::refused(int r, int c) const
{
    return (r != row_ || c != col_) && beforeRowColChange && beforeRowColChange(r, c);
}

bool FlexGrid::moveTo(int r, int c)
{
    if (r == row_ && c == col_)
        return true;
    if (refused(r, c))
        return false;
    row_ = r;
    col_ = c;
    selRow1_ = selRow2_ = r;
    selCol1_ = selCol2_ = c;
    syncView();
    emit rowColChanged();
    return true;
}

// Puts the current cell at (r, c), clamped into the data cells, without asking.
void FlexGrid::settleCurrent(int r, int c, bool signal)
{
    const int nr = rows() > 1 ? std::clamp(r, 1, rows() - 1) : 0;
    const int nc = cols() > 1 ? std::clamp(c, 1, cols() - 1) : 0;
    if (nr != row_ || nc != col_) {
        row_ = nr;
        col_ = nc;
        signal = true;
    }
    selRow1_ = selRow2_ = row_;
    selCol1_ = selCol2_ = col_;
    // The view lays the new rows out now rather than on a timer of its own,
    // which would repaint the list once more after its first paint.
    executeDelayedItemsLayout();
    syncView();
    if (signal)
        emit rowColChanged();
}

void FlexGrid::syncView()
{
    const QScopedValueRollback<bool> quiet(syncing_, true);
    QItemSelectionModel* sm = selectionModel();
    if (row_ >= 1 && col_ >= 1) {
        QItemSelectionModel::SelectionFlags how = QItemSelectionModel::ClearAndSelect;
        if (selectionBehavior() == SelectRows)
            how |= QItemSelectionModel::Rows;
        sm->setCurrentIndex(model_->index(row_ - 1, col_ - 1), how);
    } else {
        sm->clear();
    }
}

bool FlexGrid::setRow(int r)
{
    if (r < 1 || r >= rows())
        return false;
    return moveTo(r, cols() > 1 ? qMax(col_, 1) : 0);
}

bool FlexGrid::setCol(int c)
{
    if (c < 1 || c >= cols())
        return false;
    return moveTo(row_, c);
}

void FlexGrid::showCell(int r, int c)
{
    if (r >= 1 && r < rows() && cols() > 1)
        scrollTo(model_->index(r - 1, std::clamp(c, 1, cols() - 1) - 1));
}

void FlexGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (syncing_ || !current.isValid())
        return;
    const int r = current.row() + 1, c = current.column() + 1;
    if (r == row_ && c == col_)
        return;
    row_ = r;
    col_ = c;
    selRow1_ = selRow2_ = r;
    selCol1_ = selCol2_ = c;
    emit rowColChanged();
}

QModelIndex FlexGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // The current cell often sits in a hidden key column after a bind; the keys
    // move from the first column shown instead, or they would not move at all.
    const QModelIndex cur = currentIndex();
    if (cur.isValid() && isColumnHidden(cur.column())) {
        for (int c = 0; c < model_->columnCount(); ++c)
            if (!isColumnHidden(c)) {
                const QScopedValueRollback<bool> quiet(syncing_, true);
                selectionModel()->setCurrentIndex(model_->index(cur.row(), c), QItemSelectionModel::NoUpdate);
                break;
            }
    }
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (next.isValid() && next != currentIndex() && refused(next.row() + 1, next.column() + 1))
        return currentIndex();
    return next;
}

void FlexGrid::mousePressEvent(QMouseEvent* e)
{
    const QModelIndex at = indexAt(e->position().toPoint());
    pressRefused_ = at.isValid() && refused(at.row() + 1, at.column() + 1);
    if (pressRefused_) {
        setFocus(Qt::MouseFocusReason);
        e->accept();
    } else {
        QTableView::mousePressEvent(e);
    }
    if (e->button() == Qt::RightButton)
        emit rightButtonDown(e->globalPosition().toPoint());
}

void FlexGrid::mouseMoveEvent(QMouseEvent* e)
{
    if (pressRefused_)
        return;
    const QModelIndex at = indexAt(e->position().toPoint());
    if ((e->buttons() & Qt::LeftButton) && at.isValid() && at != currentIndex() &&
        refused(at.row() + 1, at.column() + 1))
        return;
    QTableView::mouseMoveEvent(e);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* e)
{
    if (pressRefused_) {
        e->accept();
        return;
    }
    QTableView::mouseReleaseEvent(e);
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (pressRefused_) {
        e->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(e);
}

void FlexGrid::keyPressEvent(QKeyEvent* e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && state() != EditingState) {
        e->accept();
        emit enterPressed();
        return;
    }
    QTableView::keyPressEvent(e);
}

// -- editing ----------------------------------------------------------------

void FlexGrid::setEditable(bool on)
{
    editable_ = on;
    setEditTriggers(on ? (DoubleClicked | EditKeyPressed | AnyKeyPressed) : NoEditTriggers);
}

bool FlexGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Asked only when an editor is about to open; check boxes ask in setData.
    if (index.isValid() && editable_ && state() != EditingState &&
        model_->column(index.column() + 1).type != ColType::Boolean &&
        (trigger == AllEditTriggers || (editTriggers() & trigger)) && beforeEdit &&
        beforeEdit(index.row() + 1, index.column() + 1))
        return false;
    return QTableView::edit(index, trigger, event);
}

// -- cells ------------------------------------------------------------------

QString FlexGrid::textMatrix(int r, int c) const { return model_->valid(r, c) ? model_->text(r, c) : QString(); }

void FlexGrid::setTextMatrix(int r, int c, const QString& text)
{
    if (!model_->valid(r, c))
        return;
    model_->setText(r, c, text);
    if (mergeCols_.contains(c))
        scheduleMerge();
}

QString FlexGrid::text(int r, const QString& key) const { return textMatrix(r, colIndex(key)); }

void FlexGrid::setText(int r, const QString& key, const QString& text) { setTextMatrix(r, colIndex(key), text); }

// -- columns ----------------------------------------------------------------

QString FlexGrid::colKey(int c) const { return c >= 0 && c < cols() ? model_->column(c).key : QString(); }

void FlexGrid::setColKey(int c, const QString& key)
{
    if (c >= 0 && c < cols())
        model_->column(c).key = key;
}

int FlexGrid::colIndex(const QString& key) const
{
    for (int c = 0; c < cols(); ++c)
        if (model_->column(c).key.compare(key, Qt::CaseInsensitive) == 0)
            return c;
    for (int c = 0; c < cols(); ++c)
        if (model_->text(0, c).compare(key, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

bool FlexGrid::colHidden(int c) const { return c >= 0 && c < cols() && model_->column(c).hidden; }

void FlexGrid::setColHidden(int c, bool hidden)
{
    if (c < 0 || c >= cols())
        return;
    model_->column(c).hidden = hidden;
    applyColumn(c);
}

int FlexGrid::colWidth(int c) const
{
    if (c < 0 || c >= cols())
        return 0;
    const int twips = model_->column(c).twips;
    if (twips >= 0)
        return twips;
    return (c == 0 ? kDefaultFixedWidthPx : horizontalHeader()->defaultSectionSize()) * kTwipsPerPixel;
}

void FlexGrid::setColWidth(int c, int twips)
{
    if (c < 0 || c >= cols())
        return;
    model_->column(c).twips = qMax(0, twips);
    applyColumn(c);
}

Qt::Alignment FlexGrid::colAlignment(int c) const
{
    return c >= 0 && c < cols() ? model_->column(c).align : Qt::Alignment();
}

void FlexGrid::setColAlignment(int c, Qt::Alignment a)
{
    if (c < 0 || c >= cols())
        return;
    model_->column(c).align = a;
    if (rows() > 1)
        model_->changed(1, c, rows() - 1, c);
}

FlexGrid::ColType FlexGrid::colDataType(int c) const
{
    return c >= 0 && c < cols() ? model_->column(c).type : ColType::Text;
}

void FlexGrid::setColDataType(int c, ColType type)
{
    if (c < 1 || c >= cols())
        return;
    model_->column(c).type = type;
    if (rows() > 1)
        model_->changed(1, c, rows() - 1, c);
}

void FlexGrid::applyColumn(int c)
{
    const Column& col = model_->column(c);
    const QScopedValueRollback<bool> quiet(syncing_, true);
    if (c == 0) {
        verticalHeader()->setVisible(!col.hidden);
        verticalHeader()->setFixedWidth(col.twips >= 0 ? pixels(col.twips) : kDefaultFixedWidthPx);
    } else {
        QHeaderView* h = horizontalHeader();
        const int px = col.twips >= 0 ? pixels(col.twips) : h->defaultSectionSize();
        if (h->isSectionHidden(c - 1) == col.hidden && (col.hidden || h->sectionSize(c - 1) == px))
            return;
        {
            // Told by the header, the view would repaint the whole list once more
            // on a timer of its own, after the repaint it has already asked for.
            const QSignalBlocker still(h);
            h->setSectionHidden(c - 1, col.hidden);
            if (!col.hidden)
                h->resizeSection(c - 1, px);
        }
        updateGeometries();
        viewport()->update();
    }
}

void FlexGrid::applyLayout()
{
    for (int c = 0; c < cols(); ++c)
        applyColumn(c);
}

// -- rows -------------------------------------------------------------------

void FlexGrid::addItem(const QString& tabSeparated, int at)
{
    if (at < 0 || at > rows())
        at = rows();
    at = qMax(at, 1);
    QVector<QString> cells;
    const QStringList fields = tabSeparated.split(QLatin1Char('\t'));
    cells.reserve(cols());
    for (int c = 0; c < cols() && c < fields.size(); ++c)
        cells.append(fields[c]);
    {
        const QScopedValueRollback<bool> quiet(syncing_, true);
        model_->insertRow(at, std::move(cells));
    }
    settleCurrent(row_ >= at ? row_ + 1 : row_, col_, false);
    scheduleMerge();
}

void FlexGrid::removeItem(int r)
{
    if (r < 1 || r >= rows())
        return;
    const bool current = r == row_;
    {
        const QScopedValueRollback<bool> quiet(syncing_, true);
        model_->removeRow(r);
    }
    settleCurrent(r < row_ ? row_ - 1 : row_, col_, current);
    scheduleMerge();
}

void FlexGrid::removeItem() { removeItem(row_); }

int FlexGrid::findRow(const QString& text, int startRow, int c) const
{
    if (c < 0 || c >= cols())
        return -1;
    return model_->findRow(text, startRow, c);
}

void FlexGrid::clearDataRows() { setRows(1); }

// -- selection --------------------------------------------------------------

void FlexGrid::select(int r1, int c1, int r2, int c2)
{
    if (!model_->valid(r1, c1) || !model_->valid(r2, c2))
        return;
    if (rows() > 1 && cols() > 1 && !moveTo(qMax(r1, 1), qMax(c1, 1)))
        return;
    selRow1_ = r1;
    selCol1_ = c1;
    selRow2_ = r2;
    selCol2_ = c2;
    const int top = qMax(qMin(r1, r2), 1), bottom = qMax(r1, r2);
    const int left = qMax(qMin(c1, c2), 1), right = qMax(c1, c2);
    if (rows() > 1 && cols() > 1) {
        const QScopedValueRollback<bool> quiet(syncing_, true);
        const QItemSelection range(model_->index(top - 1, left - 1), model_->index(bottom - 1, right - 1));
        selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
    }
}

QString FlexGrid::clip() const
{
    if (!model_->valid(selRow1_, selCol1_) || !model_->valid(selRow2_, selCol2_))
        return {};
    const int top = qMin(selRow1_, selRow2_), bottom = qMax(selRow1_, selRow2_);
    const int left = qMin(selCol1_, selCol2_), right = qMax(selCol1_, selCol2_);
    QString out;
    for (int r = top; r <= bottom; ++r) {
        if (r > top)
            out += QLatin1Char('\r');
        for (int c = left; c <= right; ++c) {
            if (c > left)
                out += QLatin1Char('\t');
            out += model_->text(r, c);
        }
    }
    return out;
}

void FlexGrid::autoSize(int c1, int c2)
{
    QFont boldFont = font();
    boldFont.setBold(true);
    const QFontMetrics cells(font()), bold(boldFont);
    const QFontMetrics caption(horizontalHeader()->font());
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    for (int c = qMax(qMin(c1, c2), 0); c <= qMax(c1, c2) && c < cols(); ++c) {
        int widest = c > 0 ? caption.horizontalAdvance(model_->text(0, c)) : 0;
        for (int r = 1; r < rows(); ++r) {
            const QString t = model_->text(r, c);
            if (!t.isEmpty())
                widest = qMax(widest, (model_->rowAt(r).subtotal() ? bold : cells).horizontalAdvance(t));
        }
        setColWidth(c, (widest + padding) * kTwipsPerPixel);
    }
}

// -- formatting -------------------------------------------------------------

QColor FlexGrid::cellBackColor(int r, int c) const
{
    if (!model_->valid(r, c))
        return {};
    const CellStyle* s = model_->rowAt(r).style(c);
    return s ? s->back : QColor();
}

void FlexGrid::setCellBackColor(int r, int c, const QColor& colour)
{
    if (!model_->valid(r, c))
        return;
    Row& row = model_->rowAt(r);
    if (colour.isValid()) {
        row.data().styles[c].back = colour;
    } else if (row.d) {
        auto it = row.d->styles.find(c);
        if (it != row.d->styles.end()) {
            it->back = QColor();
            if (!it->align)
                row.d->styles.erase(it);
        }
    }
    model_->changed(r, c, r, c);
}

Qt::Alignment FlexGrid::cellAlignment(int r, int c) const
{
    if (!model_->valid(r, c))
        return {};
    const CellStyle* s = model_->rowAt(r).style(c);
    return s && s->align ? s->align : model_->column(c).align;
}

void FlexGrid::setCellAlignment(int r1, int c1, int r2, int c2, Qt::Alignment a)
{
    if (!model_->valid(r1, c1) || !model_->valid(r2, c2))
        return;
    const int top = qMin(r1, r2), bottom = qMax(r1, r2), left = qMin(c1, c2), right = qMax(c1, c2);
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c)
            model_->rowAt(r).data().styles[c].align = a;
    model_->changed(top, left, bottom, right);
}

void FlexGrid::setMergeCols(const QList<int>& cols)
{
    mergeCols_.clear();
    for (int c : cols)
        if (c >= 1 && c < this->cols() && !mergeCols_.contains(c))
            mergeCols_.append(c);
    clearSpans();
    scheduleMerge();
}

void FlexGrid::scheduleMerge()
{
    if (mergeCols_.isEmpty() || mergePending_)
        return;
    mergePending_ = true;
    QTimer::singleShot(0, this, &FlexGrid::applyMerge);
}

void FlexGrid::applyMerge()
{
    mergePending_ = false;
    clearSpans();
    for (int c : std::as_const(mergeCols_)) {
        if (c >= cols())
            continue;
        int start = 1;
        for (int r = 1; r <= rows(); ++r) {
            const bool ends = r == rows() || model_->rowAt(r).subtotal() || model_->rowAt(start).subtotal() ||
                              !model_->sameText(model_->rowAt(r), model_->rowAt(start), c);
            if (!ends)
                continue;
            const Row& first = model_->rowAt(start);
            if (r - start > 1 && !first.subtotal() && !model_->isEmptyText(first, c))
                setSpan(start - 1, c - 1, r - start, 1);
            start = r;
        }
    }
}

// -- totals -----------------------------------------------------------------

void FlexGrid::subtotalSum(int groupOn, int totalOn, const QString& caption, const QColor& fore, bool bold)
{
    if (groupOn < WholeListBelow || groupOn >= cols() || totalOn < 1 || totalOn >= cols())
        return;
    int keep = 0;
    {
        const QScopedValueRollback<bool> quiet(syncing_, true);
        clearSpans();
        keep = model_->subtotal(groupOn, totalOn, caption, fore, bold, row_);
    }
    applyLayout();
    const int before = row_;
    row_ = keep;  // the current line keeps its place; a change of number still signals
    settleCurrent(keep, col_, keep != before);
    scheduleMerge();
}

void FlexGrid::clearSubtotals()
{
    int keep = 0;
    {
        const QScopedValueRollback<bool> quiet(syncing_, true);
        clearSpans();
        keep = model_->clearSubtotals(row_);
    }
    applyLayout();
    const int before = row_;
    row_ = keep;
    settleCurrent(keep, col_, keep != before);
    scheduleMerge();
}

bool FlexGrid::isSubtotal(int r) const { return r >= 1 && r < rows() && model_->rowAt(r).subtotal(); }
