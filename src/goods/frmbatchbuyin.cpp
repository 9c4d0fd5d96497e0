#include "goods/frmbatchbuyin.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "core/queryparts.h"
#include "core/rules/shopsetup.h"
#include "goods/rules/receipttriple.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "platform/vbkeys.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

const QString kTotal = QStringLiteral("合计");

// The tick an entry had when its list last told us, so that only a real change
// of tick is passed on (the list also reports changes of text and selection).
constexpr int kTickedRole = Qt::UserRole;

bool isTicked(const QListWidgetItem* item) { return item->checkState() == Qt::Checked; }

void addUnticked(QListWidget* list, const QString& text)
{
    auto* item = new QListWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    item->setData(kTickedRole, false);
    list->addItem(item);
}

bool listHolds(const QListWidget* list, const QString& text)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == text)
            return true;
    return false;
}

// Calls onTick with the entry's index whenever an entry is ticked or unticked,
// by the clerk or by code.
template <typename OnTick>
void watchTicks(QListWidget* list, QObject* context, OnTick onTick)
{
    QObject::connect(list, &QListWidget::itemChanged, context, [list, onTick](QListWidgetItem* item) {
        if (item->data(kTickedRole).toBool() == isTicked(item))
            return;
        item->setData(kTickedRole, isTicked(item));
        onTick(list->row(item));
    });
}

// The matrix's cells take digits only, as they are typed, like the other
// quantity boxes: a cell is a whole number of pieces, so what the totals count
// is what is received.
class QuantityCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* box = qobject_cast<QLineEdit*>(editor))
            core::SetNumberOnly(box, true);
        return editor;
    }
};

// A matrix cell as a number: empty and other texts count as 0.
double cellValue(const QString& text) { return vb::isNumeric(text) ? vb::val(text) : 0; }

// A total as the matrix shows it: nothing for 0.
QString totalText(double sum) { return sum == 0 ? QString() : vb::numberText(sum); }

}  // namespace

frmbatchbuyIn::frmbatchbuyIn(FlexGrid* buyInList, QWidget* parent)
    : FormBase(parent),
      goods_(this, goods::PropertyFields::SizeAndColour::Hidden),
      txtNo(goods_.txtNo),
      comName(goods_.comName),
      comBrand(goods_.comBrand),
      comLeather(goods_.comLeather),
      comGrade(goods_.comGrade),
      comProductPlace(goods_.comProductPlace),
      txtPrice(new QLineEdit(this)),
      txtSellPrice(new QLineEdit(this)),
      txtBlock(new QLineEdit(this)),
      txtFloor(new QLineEdit(this)),
      txtMemo(new QLineEdit(this)),
      DT(core::DatePicker(this)),
      cmdName(goods_.cmdName),
      cmdBrand(goods_.cmdBrand),
      cmdLeather(goods_.cmdLeather),
      cmdGrade(goods_.cmdGrade),
      cmdProductPlace(goods_.cmdProductPlace),
      listCoulor(new QListWidget(this)),
      listSize(new QListWidget(this)),
      comColour(goods_.comColour),
      comSize(goods_.comSize),
      txtColour(new QLineEdit(this)),
      txtSize(new QLineEdit(this)),
      VSFlexGrid(new FlexGrid(this)),
      cmdInStore(new QPushButton(QStringLiteral("入 库(&I)"), this)),
      cmdClear(new QPushButton(QStringLiteral("清 空(&C)"), this)),
      lbTitle(new QLabel(QStringLiteral(
                             "  使用帮助：货号，种类，品牌，进价，零售价 是必须输入的，输入完成以上信息，"
                             "在右边勾选需要入库的颜色，同样勾选需要入库的尺码，在下面表格的对应位置输入数量即可，"
                             "点入库即可完成入库。如果需要增加当前尺码和颜色，直接在增加尺码栏输入需要增加的尺码后按回车，"
                             "尺码就自动添加到上面的列表里。特别提示如果进货输入错了，"
                             "可以打开【查询】菜单下面的【进货明细查询】窗体进行修改。"),
                         this)),
      buyInList_(buyInList)
{
    setWindowTitle(QStringLiteral("批量进货"));
    const QList<QPair<QWidget*, const char*>> names = {
        {txtPrice, "txtPrice"},
        {txtSellPrice, "txtSellPrice"},
        {txtBlock, "txtBlock"},
        {txtFloor, "txtFloor"},
        {txtMemo, "txtMemo"},
        {DT, "DT"},
        {listCoulor, "listCoulor"},
        {listSize, "listSize"},
        {txtColour, "txtColour"},
        {txtSize, "txtSize"},
        {VSFlexGrid, "VSFlexGrid"},
        {cmdInStore, "cmdInStore"},
        {cmdClear, "cmdClear"},
        {lbTitle, "lbTitle"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));

    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);

    // The matrix: cells edited in place, one at a time.
    VSFlexGrid->setEditable(true);
    VSFlexGrid->setItemDelegate(new QuantityCells(VSFlexGrid));
    VSFlexGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    VSFlexGrid->setColWidth(0, 1200);
    VSFlexGrid->setMinimumHeight(180);

    // The common properties, two columns of fields, each pick list with its
    // "…" button.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(8);
    goods_.addField(fields, 0, 0, QStringLiteral("货  号"), txtNo);
    goods_.addField(fields, 0, 1, QStringLiteral("进货日期"), DT);
    goods_.addField(fields, 1, 0, QStringLiteral("种  类"), comName);
    goods_.addField(fields, 1, 1, QStringLiteral("品  牌"), comBrand);
    goods_.addField(fields, 2, 0, QStringLiteral("面  料 "), comLeather);
    goods_.addField(fields, 2, 1, QStringLiteral("等  级"), comGrade);
    goods_.addField(fields, 3, 0, QStringLiteral("产  地"), comProductPlace);
    goods_.addField(fields, 3, 1, QStringLiteral("货 柜 层"), txtFloor);
    goods_.addField(fields, 4, 0, QStringLiteral("进  价"), txtPrice);
    goods_.addField(fields, 4, 1, QStringLiteral("零售价"), txtSellPrice);
    goods_.addField(fields, 5, 0, QStringLiteral("条  码"), txtBlock);
    goods_.addWideField(fields, 6, QStringLiteral("备  注"), txtMemo);
    goods::PropertyFields::finishGrid(fields, 60, 7);

    // The two check lists, each with its box for a new entry.
    auto checkList = [&](const QString& label, QListWidget* list, const QString& addLabel, QLineEdit* box) {
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(label, this));
        column->addWidget(list, 1);
        auto* add = new QHBoxLayout;
        add->addWidget(new QLabel(addLabel, this));
        add->addWidget(box, 1);
        column->addLayout(add);
        list->setMinimumWidth(140);
        return column;
    };

    auto* top = new QHBoxLayout;
    top->addLayout(fields, 3);
    top->addSpacing(12);
    top->addLayout(checkList(QStringLiteral("颜 色"), listCoulor, QStringLiteral("增加颜色："), txtColour), 1);
    top->addLayout(checkList(QStringLiteral("尺 码"), listSize, QStringLiteral("增加尺码："), txtSize), 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lbTitle, 1);
    bottom->addSpacing(12);
    bottom->addWidget(cmdInStore, 0, Qt::AlignBottom);
    bottom->addWidget(cmdClear, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(VSFlexGrid, 1);
    layout->addLayout(bottom);
    resize(1000, 680);

    // Enter moves on through the common properties in this order, then into
    // the colours.
    const QList<QWidget*> inputs =
        goods_.inputs() + QList<QWidget*>{txtPrice, txtSellPrice, txtBlock, txtFloor, txtMemo, DT};
    const QList<QWidget*> order = inputs + QList<QWidget*>{listCoulor, txtColour, listSize, txtSize,
                                                           VSFlexGrid, cmdInStore, cmdClear};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    for (QWidget* w : inputs)
        vbkeys::onKeyPress(w, [](int& k) { core::EnterToTab(k); });
    vbkeys::onKeyPress(txtColour, [this](int& k) { txtColour_KeyPress(k); });
    vbkeys::onKeyPress(txtSize, [this](int& k) { txtSize_KeyPress(k); });

    watchTicks(listCoulor, this, [this](int item) { listCoulor_ItemCheck(item); });
    watchTicks(listSize, this, [this](int item) { listSize_ItemCheck(item); });
    VSFlexGrid->beforeEdit = [this](int r, int c) { return VSFlexGrid_BeforeEdit(r, c); };
    connect(VSFlexGrid, &FlexGrid::afterEdit, this, [this](int r, int c) { VSFlexGrid_AfterEdit(r, c); });

    connect(cmdInStore, &QPushButton::clicked, this, [this] { cmdInStore_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });

    Form_Load();
    txtNo->setFocus();
}

void frmbatchbuyIn::Form_Load()
{
    goods_.fillLists();
    DT->setDate(ui::today());
    for (int i = 0; i < comColour->count(); ++i)
        addUnticked(listCoulor, comColour->itemText(i));
    for (int i = 0; i < comSize->count(); ++i)
        addUnticked(listSize, comSize->itemText(i));
    // The brands are many: their list drops down about 500 pixels.
    comBrand->setMaxVisibleItems(qMax(1, 500 / (comBrand->fontMetrics().height() + 4)));
}

// -- the matrix -----------------------------------------------------------------

void frmbatchbuyIn::listCoulor_ItemCheck(int Item)
{
    const QListWidgetItem* item = listCoulor->item(Item);
    ToggleColourRow(item->text(), isTicked(item));
}

void frmbatchbuyIn::listSize_ItemCheck(int Item)
{
    const QListWidgetItem* item = listSize->item(Item);
    ToggleSizeColumn(item->text(), isTicked(item));
}

void frmbatchbuyIn::ToggleColourRow(const QString& colour, bool ticked)
{
    FlexGrid& g = *VSFlexGrid;
    if (ticked) {
        if (g.rows() == 1) {
            g.setRows(3);
            g.setTextMatrix(1, 0, colour);
            g.setTextMatrix(2, 0, kTotal);
        } else {
            const int at = g.rows() - 1;  // just above the totals
            g.addItem(QString(), at);
            g.setTextMatrix(at, 0, colour);
        }
    } else if (g.rows() > 3) {
        // The colour's own row; the totals row is never one.
        int found = -1;
        for (int r = 1; r < g.rows() - 1 && found < 0; ++r)
            if (g.textMatrix(r, 0) == colour)
                found = r;
        if (found < 0)
            return;
        g.removeItem(found);
    } else if (g.rows() == 3) {
        g.setRows(1);
    }
    CentreCells();
    RecalcTotals();
}

void frmbatchbuyIn::ToggleSizeColumn(const QString& size, bool ticked)
{
    FlexGrid& g = *VSFlexGrid;
    if (!ticked) {
        if (g.cols() > 3) {
            // By its exact key: the same size in other letter case is a column of
            // its own, and the totals column is never one.
            int found = -1;
            for (int c = 1; c < g.cols() - 1 && found < 0; ++c)
                if (g.colKey(c) == size)
                    found = c;
            if (found < 0)
                return;
            ShiftColumnsLeft(found);
            g.setCols(g.cols() - 1);
        } else if (g.cols() == 3) {
            g.setCols(1);
        }
    } else if (g.cols() == 1) {
        g.setCols(3);
        g.setTextMatrix(0, 1, size);
        g.setColKey(1, size);
        g.setTextMatrix(0, 2, kTotal);
    } else {
        g.setCols(g.cols() + 1);
        const int last = g.cols() - 1;
        g.setTextMatrix(0, last - 1, size);
        g.setColKey(last - 1, size);
        g.setTextMatrix(0, last, kTotal);
        MoveTotalColumn();
    }
    CentreCells();
    RecalcTotals();
}

void frmbatchbuyIn::MoveTotalColumn()
{
    FlexGrid& g = *VSFlexGrid;
    const int last = g.cols() - 1;
    for (int r = 1; r < g.rows(); ++r) {
        g.setTextMatrix(r, last, g.textMatrix(r, last - 1));
        g.setTextMatrix(r, last - 1, QString());
    }
}

void frmbatchbuyIn::ShiftColumnsLeft(int c)
{
    FlexGrid& g = *VSFlexGrid;
    for (int r = 0; r < g.rows(); ++r)
        for (int k = c; k < g.cols() - 1; ++k)
            g.setTextMatrix(r, k, g.textMatrix(r, k + 1));
    for (int k = c; k < g.cols() - 1; ++k)
        g.setColKey(k, g.colKey(k + 1));
}

void frmbatchbuyIn::RecalcTotals()
{
    FlexGrid& g = *VSFlexGrid;
    if (g.rows() < 3 || g.cols() < 3)
        return;
    const int lastRow = g.rows() - 1, lastCol = g.cols() - 1;
    for (int r = 1; r <= lastRow; ++r) {
        double sum = 0;
        for (int c = 1; c < lastCol; ++c)
            sum += cellValue(g.textMatrix(r, c));
        g.setTextMatrix(r, lastCol, totalText(sum));
    }
    for (int c = 1; c <= lastCol; ++c) {
        double sum = 0;
        for (int r = 1; r < lastRow; ++r)
            sum += cellValue(g.textMatrix(r, c));
        g.setTextMatrix(lastRow, c, totalText(sum));
    }
}

void frmbatchbuyIn::CentreCells()
{
    FlexGrid& g = *VSFlexGrid;
    g.setCellAlignment(0, 0, g.rows() - 1, g.cols() - 1, Qt::AlignCenter);
}

bool frmbatchbuyIn::VSFlexGrid_BeforeEdit(int Row, int Col)
{
    return Row == VSFlexGrid->rows() - 1 || Col == VSFlexGrid->cols() - 1;
}

void frmbatchbuyIn::VSFlexGrid_AfterEdit(int Row, int Col)
{
    // A cell holds a positive quantity or nothing; a quantity beyond what a
    // stock row can hold goes as well.
    FlexGrid& g = *VSFlexGrid;
    const QString typed = g.textMatrix(Row, Col);
    if (!vb::isNumeric(typed) || vb::val(typed) <= 0 || !goods::ReadQuantity(typed))
        g.setTextMatrix(Row, Col, QString());
    RecalcTotals();
}

// -- new colours and sizes --------------------------------------------------------

void frmbatchbuyIn::txtColour_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    AddDictionaryEntry(QStringLiteral("颜色"), txtColour, listCoulor);
}

void frmbatchbuyIn::txtSize_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    AddDictionaryEntry(QStringLiteral("尺码"), txtSize, listSize);
}

void frmbatchbuyIn::AddDictionaryEntry(const QString& item, QLineEdit* box, QListWidget* list)
{
    const QString text = box->text();
    if (text.isEmpty())
        return Refuse(QStringLiteral("内容不能为空！"), box);
    if (listHolds(list, text))  // exact: other letter case is a new entry
        return Refuse(QStringLiteral("该内容已经存在！"), box);
    core::Written(core::AddPickListEntry(item, text));
    // A failed insert has shown the engine's words; the entry can be ticked in
    // this window all the same.
    addUnticked(list, text);
    list->setCurrentRow(list->count() - 1);
    box->clear();
}

// -- the receipt ----------------------------------------------------------------

void frmbatchbuyIn::Refuse(const QString& text, QWidget* field)
{
    ui::msg().info(text);
    field->setFocus();
}

void frmbatchbuyIn::cmdInStore_Click() { SaveBatchReceipt(); }

void frmbatchbuyIn::SaveBatchReceipt()
{
    if (txtNo->text().isEmpty())
        return Refuse(QStringLiteral("产品货号不能为空！"), txtNo);
    if (comBrand->currentText().isEmpty())
        return Refuse(QStringLiteral("品牌不能为空！"), comBrand);
    const std::optional<float> price = goods::ReadPrice(txtPrice->text());
    if (!price)
        return Refuse(QStringLiteral("请正确填写进价,要确认是数字！"), txtPrice);
    const std::optional<float> sellPrice = goods::ReadPrice(txtSellPrice->text());
    if (!sellPrice)
        return Refuse(QStringLiteral("请正确填写零售价,要确认是数字！"), txtSellPrice);
    const FlexGrid& g = *VSFlexGrid;
    if (g.rows() < 3 || g.cols() < 3) {
        ui::msg().info(QStringLiteral("尺码和颜色至少各选择一种，输入数量！"));
        return;
    }
    if (!ui::msg().ask(QStringLiteral("确认要入库么？")))
        return;

    // The size and the colour are each cell's.
    goods::ReceiptValues common;
    static_cast<core::GoodsFields&>(common) = goods_.fields();
    common.Price = *price;
    common.SellPrice = *sellPrice;
    common.IDCode = txtBlock->text();
    common.GoodsFloor = txtFloor->text();
    common.Memo = txtMemo->text();
    common.Date = DT->date();

    // One receipt per filled cell, colour by colour, size by size.
    struct CellReceipt {
        goods::ReceiptValues values;
        goods::ReceiptTriple triple;
    };
    QList<CellReceipt> receipts;
    for (int r = 1; r < g.rows() - 1; ++r) {
        for (int c = 1; c < g.cols() - 1; ++c) {
            const QString cell = g.textMatrix(r, c);
            if (cell.isEmpty())
                continue;
            const std::optional<qint32> quantity = goods::ReadQuantity(cell);
            if (!quantity || *quantity <= 0)
                continue;
            goods::ReceiptValues v = common;
            v.Quantity = *quantity;
            v.Size = g.textMatrix(0, c);
            v.Colour = g.textMatrix(r, 0);
            receipts.append({v, goods::NewStockReceipt(v)});
        }
    }

    // The whole matrix or nothing of it: on a failure the matrix stays for
    // another try and the desk's list is left as it was.
    QList<goods::ReceiptTriple> triples;
    for (const CellReceipt& cell : receipts)
        triples << cell.triple;
    if (!triples.isEmpty() && !core::Written(goods::WriteReceipts(triples)))
        return;
    if (buyInList_)
        for (const CellReceipt& cell : receipts)
            buyInList_->addItem(goods::StockRowText(cell.triple.StoreGUID, cell.values));
    cmdClear_Click();
}

void frmbatchbuyIn::cmdClear_Click()
{
    txtNo->clear();
    txtNo->setFocus();
    FlexGrid& g = *VSFlexGrid;
    for (int r = 1; r < g.rows(); ++r)
        for (int c = 1; c < g.cols(); ++c)
            g.setTextMatrix(r, c, QString());
    // Each untick takes its colour's row away; the sizes stay ticked.
    for (int i = 0; i < listCoulor->count(); ++i)
        if (isTicked(listCoulor->item(i)))
            listCoulor->item(i)->setCheckState(Qt::Unchecked);
}
