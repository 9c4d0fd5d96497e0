#include "aftersales/frmquestion.h"

#include "aftersales/rules/problemstock.h"
#include "core/goodsfields.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "platform/vbkeys.h"
#include "sales/rules/pricing.h"
#include "sales/stockpicker.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString kKeyGUID = QStringLiteral("GUID");
const QString kKeyQuantity = QStringLiteral("数量");
const QString kKeyProblem = QStringLiteral("质量问题");
// Pending lines of a stock row take more pieces than it has.
const QString kOutOfStock = QStringLiteral("库存不足不能转化成问题歇，请通知管理员！");

// The stock columns after the goods texts, up to the table.
const QString kStockTail = QStringLiteral(",Quantity as 数量,Price as 零售价 from Store Where ");

}  // namespace

frmQuestion::frmQuestion(QWidget* parent)
    : FormBase(parent),
      txtNo(new QLineEdit(this)),
      VSFlexGrid(new FlexGrid(this)),
      txtQuatity(new QLineEdit(this)),
      reason_(this, QStringLiteral("退货原因")),
      comResion(reason_.comResion),
      cmdLeather(reason_.cmdLeather),
      cmdAddQuestion(new QPushButton(QStringLiteral("转成问题服装(&C)"), this)),
      VSQuestion(new FlexGrid(this)),
      cmdOk(new QPushButton(QStringLiteral("确定(&O)"), this)),
      lbTitle(new QLabel(
          QStringLiteral("  使用帮助：问题服装处理是把有质量问题的服装放到问题库存中，放在问题库存中的服装不能再销售。"
                         "根据货号查询到要放进问题库存的服装，输入数量，选择问题，点击转化成问题服装即添加到下面的列表中，"
                         "点击确定即可完成。系统自动更新库存。"),
          this))
{
    setWindowTitle(QStringLiteral("问题服装处理"));
    txtNo->setObjectName(QStringLiteral("txtNo"));
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
    txtQuatity->setObjectName(QStringLiteral("txtQuatity"));
    cmdAddQuestion->setObjectName(QStringLiteral("cmdAddQuestion"));
    VSQuestion->setObjectName(QStringLiteral("VSQuestion"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    lbTitle->setObjectName(QStringLiteral("lbTitle"));

    txtNo->setMinimumWidth(160);
    txtQuatity->setMaximumWidth(100);
    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("货  号"), this));
    search->addWidget(txtNo);
    search->addStretch(1);

    auto* entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("数  量"), this));
    entry->addWidget(txtQuatity);
    entry->addSpacing(24);
    reason_.AddTo(entry, QStringLiteral("问   题："));
    entry->addSpacing(24);
    entry->addWidget(cmdAddQuestion);
    entry->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdOk);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(search);
    layout->addWidget(VSFlexGrid, 3);
    layout->addLayout(entry);
    layout->addWidget(VSQuestion, 2);
    layout->addLayout(bottom);
    layout->addWidget(lbTitle);
    resize(1100, 640);

    setTabOrder(txtNo, VSFlexGrid);
    setTabOrder(VSFlexGrid, txtQuatity);
    setTabOrder(txtQuatity, comResion);
    setTabOrder(comResion, cmdAddQuestion);
    setTabOrder(cmdAddQuestion, VSQuestion);
    setTabOrder(VSQuestion, cmdOk);

    vbkeys::onKeyPress(txtNo, [this](int& k) { txtNo_KeyPress(k); });
    connect(VSFlexGrid, &FlexGrid::enterPressed, this, [this] {
        int k = 13;
        VSFlexGrid_KeyPress(k);
    });
    txtQuatity->installEventFilter(this);
    vbkeys::onKeyPress(txtQuatity, [this](int& k) { txtQuatity_KeyPress(k); });
    vbkeys::onKeyPress(comResion, [this](int& k) { comResion_KeyPress(k); });
    connect(cmdAddQuestion, &QPushButton::clicked, this, [this] { cmdAddQuestion_Click(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });

    Form_Load();
}

bool frmQuestion::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == txtQuatity && e->type() == QEvent::FocusIn)
        txtQuatity_GotFocus();
    return FormBase::eventFilter(watched, e);
}

// -- loading --------------------------------------------------------------------

void frmQuestion::Form_Load()
{
    LoadStockList();
    InitPendingGrid();
    reason_.Fill();
}

void frmQuestion::BindStock(const QString& sql)
{
    stockSql_ = sql;
    VSFlexGrid->bind(gDbopt.Excute(sql));
    VSFlexGrid->setColHidden(1, true);
    core::SetGridColumns(*VSFlexGrid, 1140);
    // The list shows what is left to set aside: pieces already pending count as gone.
    for (int p = 1; p < VSQuestion->rows(); ++p) {
        const int r = VSFlexGrid->findRow(VSQuestion->text(p, kKeyGUID), 1, 1);
        if (r >= 1)
            VSFlexGrid->setText(r, kKeyQuantity,
                                vb::numberText(vb::val(VSFlexGrid->text(r, kKeyQuantity)) -
                                               vb::val(VSQuestion->text(p, kKeyQuantity))));
    }
}

bool frmQuestion::hasStockRow() const { return VSFlexGrid->rows() > 1; }

void frmQuestion::LoadStockList()
{
    BindStock(core::StockColumns() + kStockTail + QStringLiteral("ShopNo=") + core::SqlQuote(gShopNo) +
              QStringLiteral(" And Quantity>0"));
}

void frmQuestion::InitPendingGrid()
{
    static const QStringList keys =
        QStringList{kKeyGUID} + core::GoodsCaptions() + QStringList{kKeyQuantity, kKeyProblem};
    VSQuestion->setRows(1);
    VSQuestion->setCols(12);
    VSQuestion->setTextMatrix(0, 0, QString());
    for (int c = 1; c < 12; ++c) {
        VSQuestion->setTextMatrix(0, c, keys[c - 1]);
        VSQuestion->setColKey(c, keys[c - 1]);
    }
    VSQuestion->setColHidden(1, true);
    core::SetGridColumns(*VSQuestion, 960);
    VSQuestion->setColWidth(11, 2000);
}

// -- finding goods --------------------------------------------------------------

void frmQuestion::txtNo_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    if (txtNo->text().isEmpty()) {
        VSFlexGrid->setFocus();
        return;
    }
    // The exact goods number, with the lines that have nothing left as well.
    BindStock(core::StockColumns() + kStockTail + QStringLiteral("Typeno=") + core::SqlQuote(txtNo->text()) +
              QStringLiteral(" And ShopNo=") + core::SqlQuote(gShopNo));
    if (!hasStockRow())
        return;
    VSFlexGrid->setRow(1);
    VSFlexGrid->setFocus();
}

void frmQuestion::VSFlexGrid_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13 && hasStockRow())
        txtQuatity->setFocus();
}

// -- the entry boxes --------------------------------------------------------------

void frmQuestion::txtQuatity_GotFocus() { txtQuatity->selectAll(); }

bool frmQuestion::CheckPendingLine()
{
    if (!hasStockRow()) {
        ui::msg().info(QStringLiteral("请选择一个商品！"));
        return false;
    }
    const QString typed = txtQuatity->text();
    // The stock row, its batches and the problem-stock row all take a whole
    // number of pieces that the program can count.
    const double quantity = vb::val(typed);
    if (!pricing::Pieces(typed) || quantity != std::floor(quantity)) {
        ui::msg().info(QStringLiteral("数量的数据类型不正确！"));
        txtQuatity->setFocus();
        return false;
    }
    if (!(quantity > 0)) {
        ui::msg().info(QStringLiteral("数量的不能小于0！"));
        txtQuatity->setFocus();
        return false;
    }
    if (vb::val(VSFlexGrid->text(VSFlexGrid->row(), kKeyQuantity)) < quantity) {
        ui::msg().info(kOutOfStock);
        return false;
    }
    return true;
}

void frmQuestion::txtQuatity_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    if (CheckPendingLine())
        comResion->setFocus();
}

void frmQuestion::comResion_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        cmdAddQuestion->setFocus();
}

// -- the pending lines ----------------------------------------------------------------

void frmQuestion::cmdAddQuestion_Click()
{
    if (!CheckPendingLine())
        return;
    const int r = VSFlexGrid->row();
    AddPendingLine(VSFlexGrid->text(r, kKeyGUID));
    // Later lines of the same stock row count what is already pending.
    VSFlexGrid->setText(r, kKeyQuantity,
                        vb::numberText(vb::val(VSFlexGrid->text(r, kKeyQuantity)) - vb::val(txtQuatity->text())));
}

void frmQuestion::AddPendingLine(const QString& GUID)
{
    // Cell by cell, so that no text of the goods can shift the cells after it.
    VSQuestion->addItem(QString());
    const int p = VSQuestion->rows() - 1;
    VSQuestion->setText(p, kKeyGUID, GUID);
    core::SetGoodsOfGridRow(*VSQuestion, p, core::GoodsOfGridRow(*VSFlexGrid, VSFlexGrid->row()));
    VSQuestion->setText(p, kKeyQuantity, txtQuatity->text());
    VSQuestion->setText(p, kKeyProblem, comResion->currentText());
    VSQuestion->setRow(p);
}

void frmQuestion::cmdOk_Click()
{
    if (VSQuestion->rows() <= 1)
        return;
    QList<aftersales::ProblemLine> lines;
    for (int r = 1; r < VSQuestion->rows(); ++r) {
        aftersales::ProblemLine line;
        static_cast<core::GoodsFields&>(line) = core::GoodsOfGridRow(*VSQuestion, r);
        line.StoreGUID = VSQuestion->text(r, kKeyGUID);
        line.Quantity = pricing::Pieces(VSQuestion->text(r, kKeyQuantity)).value_or(0);
        line.BackResion = VSQuestion->text(r, kKeyProblem);
        lines << line;
    }
    // Nothing is written unless all of it is: the pending lines stay for another
    // try. Another program may have taken pieces since the list was read.
    const core::Outcome outcome = aftersales::WriteProblemGoods(lines);
    if (outcome.Result == core::WriteResult::OutOfStock) {
        // The stock list shows what is left now, less what is pending.
        const QString sql = stockSql_;
        sales::RebindKeepingRow(*VSFlexGrid, [&] { BindStock(sql); });
        ui::msg().info(kOutOfStock);
    }
    if (!core::Written(outcome))
        return;
    ui::msg().info(QStringLiteral("处理成功！"));
    // The stock list already shows the stock as it now is.
    core::ClearGridRows(*VSQuestion);
}
