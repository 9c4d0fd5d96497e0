#include "platform/flexgrid.h"

#include "platform/jetdb.h"
#include "platform/vb.h"

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
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

QColor vbColor(quint32 bgr)
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

// What a few rows carry besides their texts.
struct RowExtra {
    int group = kNoGroup;  // grouping of a subtotal row
    bool bold = false;
    QColor fore;
    QHash<int, CellStyle> cells;
};

struct Row {
    QVector<QString> cells;  // may be shorter than the column count: the rest is empty
    std::unique_ptr<RowExtra> extra;

    const QString& at(int c) const
    {
        static const QString empty;
        return c < cells.size() ? cells[c] : empty;
    }
    int group() const { return extra ? extra->group : kNoGroup; }
    bool subtotal() const { return group() != kNoGroup; }
    RowExtra& ensureExtra()
    {
        if (!extra)
            extra = std::make_unique<RowExtra>();
        return *extra;
    }
    const CellStyle* style(int c) const
    {
        if (!extra)
            return nullptr;
        auto it = extra->cells.constFind(c);
        return it == extra->cells.constEnd() ? nullptr : &it.value();
    }
};

struct Column {
    QString key;
    int twips = -1;  // -1: the default width
    bool hidden = false;
    Qt::Alignment align;
    FlexGrid::ColType type = FlexGrid::ColType::Text;
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
            return {};
        }
        const int r = section + 1;
        if (r < 1 || r >= rows())
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return text(r, 0);
        case Qt::BackgroundRole:
        case Qt::ForegroundRole:
        case Qt::FontRole:
        case Qt::TextAlignmentRole:
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
    const QString& text(int r, int c) const { return rows_[r].at(c); }
    const Row& rowAt(int r) const { return rows_[r]; }
    Row& rowAt(int r) { return rows_[r]; }
    Column& column(int c) { return cols_[c]; }
    const Column& column(int c) const { return cols_[c]; }

    void setText(int r, int c, const QString& t)
    {
        Row& row = rows_[r];
        if (c >= row.cells.size()) {
            if (t.isEmpty())
                return;
            row.cells.resize(cols());
        }
        row.cells[c] = t;
        changed(r, c, r, c);
    }

    // Tells the view that cells changed (headers included).
    void changed(int r1, int c1, int r2, int c2)
    {
        if (r1 == 0)
            emit headerDataChanged(Qt::Horizontal, qMax(c1, 1) - 1, qMax(c2, 1) - 1);
        if (c1 == 0 && r2 >= 1)
            emit headerDataChanged(Qt::Vertical, qMax(r1, 1) - 1, r2 - 1);
        if (r2 >= 1 && c2 >= 1)
            emit dataChanged(index(qMax(r1, 1) - 1, qMax(c1, 1) - 1), index(r2 - 1, c2 - 1));
    }

    void bind(const jet::RecordSet& rs)
    {
        beginResetModel();
        const int fields = rs.isOpen() ? rs.fieldCount() : 0;
        const int records = rs.isOpen() ? rs.recordCount() : 0;
        releaseLater(std::move(rows_));
        rows_.resize(size_t(records) + 1);
        cols_ = QVector<Column>(fields + 1);
        QVector<QString> captions(fields + 1);
        for (int f = 0; f < fields; ++f) {
            captions[f + 1] = rs.fieldName(f);
            cols_[f + 1].key = captions[f + 1];
        }
        rows_[0].cells = captions;
        for (int r = 0; r < records; ++r) {
            QVector<QString> cells(fields + 1);
            QString* out = cells.data() + 1;
            for (int f = 0; f < fields; ++f)
                out[f] = rs.text(r, f);
            rows_[size_t(r) + 1].cells = std::move(cells);
        }
        groupings_.clear();
        endResetModel();
    }

    // A list of tens of thousands of rows takes a while to free: that happens once
    // the new one is on screen, not while the clerk waits for it.
    void releaseLater(std::vector<Row>&& old)
    {
        if (old.size() < 1000) {
            old.clear();
            return;
        }
        // A timer, not a posted call: the repaint, posted already, goes first.
        // (Not a worker thread: freeing beside the next bind slows both down.)
        auto garbage = std::make_shared<std::vector<Row>>(std::move(old));
        QTimer::singleShot(1, this, [garbage] { garbage->clear(); });
    }

    void copyFrom(const FlexGridModel& other)
    {
        beginResetModel();
        rows_.clear();
        rows_.resize(other.rows_.size());
        for (size_t r = 0; r < rows_.size(); ++r)
            rows_[r].cells = other.rows_[r].cells;  // shared until written
        cols_ = QVector<Column>(other.cols());
        for (int c = 0; c < cols(); ++c) {
            cols_[c].hidden = other.cols_[c].hidden;
            cols_[c].twips = other.cols_[c].twips;
        }
        groupings_.clear();
        endResetModel();
    }

    void setRows(int n)
    {
        const int now = rows();
        if (n > now) {
            beginInsertRows({}, now - 1, n - 2);
            rows_.resize(size_t(n));
            endInsertRows();
        } else if (n < now) {
            beginRemoveRows({}, n - 1, now - 2);
            rows_.resize(size_t(n));
            endRemoveRows();
        }
    }

    void setCols(int n)
    {
        const int now = cols();
        if (n > now) {
            beginInsertColumns({}, now - 1, n - 2);
            cols_.resize(n);
            endInsertColumns();
        } else if (n < now) {
            beginRemoveColumns({}, n - 1, now - 2);
            cols_.resize(n);
            for (Row& row : rows_) {
                if (row.cells.size() > n)
                    row.cells.resize(n);
                if (row.extra)
                    row.extra->cells.removeIf([n](const auto& it) { return it.key() >= n; });
            }
            endRemoveColumns();
        }
    }

    void insertRow(int at, QVector<QString> cells)
    {
        beginInsertRows({}, at - 1, at - 1);
        Row row;
        row.cells = std::move(cells);
        rows_.insert(rows_.begin() + at, std::move(row));
        endInsertRows();
    }

    void removeRow(int r)
    {
        beginRemoveRows({}, r - 1, r - 1);
        rows_.erase(rows_.begin() + r);
        endRemoveRows();
    }

    // Lays out the rows of one grouping afresh (see FlexGrid::subtotalSum).
    // keep is a row whose new number is returned.
    int subtotal(int groupOn, int totalOn, const QString& caption, const QColor& fore, bool bold, int keep)
    {
        std::vector<Row> kept;
        kept.reserve(rows_.size());
        int keepAt = -1;
        bool shared = false;
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (int(i) == keep)
                keepAt = int(kept.size());
            if (i > 0 && rows_[i].group() == groupOn) {
                shared = true;
                continue;
            }
            kept.push_back(std::move(rows_[i]));
        }
        QList<int>& sums = groupings_[groupOn];
        if (!shared)
            sums.clear();
        sums.removeIf([this](int c) { return c >= cols(); });  // columns dropped since
        if (!sums.contains(totalOn))
            sums.append(totalOn);

        const int captionCol = groupOn > 0 ? groupOn : 0;
        auto totalRow = [&](const std::vector<double>& values) {
            Row row;
            row.cells.resize(cols());
            row.cells[captionCol] = caption;
            for (int i = 0; i < sums.size(); ++i)
                row.cells[sums[i]] = vb::numberText(values[size_t(i)]);
            RowExtra& x = row.ensureExtra();
            x.group = groupOn;
            x.bold = bold;
            x.fore = fore;
            return row;
        };
        auto add = [&](std::vector<double>& values, const Row& row) {
            for (int i = 0; i < sums.size(); ++i)
                values[size_t(i)] += number(row.at(sums[i]));
        };

        std::vector<Row> out;
        out.reserve(kept.size() + 1);
        int keepOut = -1;
        auto push = [&](size_t from, Row&& row) {
            if (int(from) == keepAt)
                keepOut = int(out.size());
            out.push_back(std::move(row));
        };
        const size_t n = kept.size();
        if (groupOn <= 0) {
            std::vector<double> values(size_t(sums.size()));
            bool any = false;
            for (size_t i = 1; i < n; ++i)
                if (!kept[i].subtotal()) {
                    add(values, kept[i]);
                    any = true;
                }
            push(0, std::move(kept[0]));
            if (any && groupOn == FlexGrid::WholeListAbove)
                out.push_back(totalRow(values));
            for (size_t i = 1; i < n; ++i)
                push(i, std::move(kept[i]));
            if (any && groupOn == FlexGrid::WholeListBelow)
                out.push_back(totalRow(values));
        } else {
            // Runs of adjacent data rows with equal text; any other subtotal row ends a run.
            std::vector<double> values(size_t(sums.size()));
            bool open = false;
            QString value;
            push(0, std::move(kept[0]));
            for (size_t i = 1; i < n; ++i) {
                Row& row = kept[i];
                if (row.subtotal() || !open || row.at(groupOn) != value) {
                    if (open)
                        out.push_back(totalRow(values));
                    open = !row.subtotal();
                    if (open) {
                        value = row.at(groupOn);
                        std::fill(values.begin(), values.end(), 0.0);
                    }
                }
                if (open)
                    add(values, row);
                push(i, std::move(row));
            }
            if (open)
                out.push_back(totalRow(values));
        }

        beginResetModel();
        rows_.swap(out);
        endResetModel();
        return keepOut >= 0 ? keepOut : int(rows_.size()) - 1;
    }

    int clearSubtotals(int keep)
    {
        std::vector<Row> out;
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
        endResetModel();
        return keepAt >= 0 ? keepAt : int(rows_.size()) - 1;
    }

    // The numeric value of a cell text: its leading number, 0 when it has none.
    static double number(const QString& t) { return t.isEmpty() ? 0.0 : vb::val(t); }

private:
    QVariant cellData(int r, int c, int role) const
    {
        const Row& row = rows_[r];
        switch (role) {
        case Qt::DisplayRole:
            if (cols_[c].type == FlexGrid::ColType::Boolean && c > 0)
                return {};
            return row.at(c);
        case Qt::EditRole:
            return row.at(c);
        case Qt::CheckStateRole:
            if (cols_[c].type != FlexGrid::ColType::Boolean || c == 0 || row.subtotal())
                return {};
            return isTicked(row.at(c)) ? Qt::Checked : Qt::Unchecked;
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
            return row.extra && row.extra->fore.isValid() ? QVariant(QBrush(row.extra->fore)) : QVariant();
        case Qt::FontRole: {
            if (!row.extra || !row.extra->bold)
                return {};
            QFont f = c == 0 ? grid_->verticalHeader()->font() : grid_->font();
            f.setBold(true);
            return f;
        }
        default:
            return {};
        }
    }

    FlexGrid* grid_;
    std::vector<Row> rows_;
    QVector<Column> cols_;
    QHash<int, QList<int>> groupings_;  // group -> columns summed into its rows
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
        setColumnHidden(c - 1, col.hidden);
        setColumnWidth(c - 1, col.twips >= 0 ? pixels(col.twips) : horizontalHeader()->defaultSectionSize());
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
    for (int r = qMax(startRow, 1); r < rows(); ++r)
        if (model_->text(r, c) == text)
            return r;
    return -1;
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
            const QString& t = model_->text(r, c);
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
        row.ensureExtra().cells[c].back = colour;
    } else if (row.extra) {
        auto it = row.extra->cells.find(c);
        if (it != row.extra->cells.end()) {
            it->back = QColor();
            if (!it->align)
                row.extra->cells.erase(it);
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
            model_->rowAt(r).ensureExtra().cells[c].align = a;
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
                              model_->text(r, c) != model_->text(start, c);
            if (!ends)
                continue;
            if (r - start > 1 && !model_->text(start, c).isEmpty() && !model_->rowAt(start).subtotal())
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
