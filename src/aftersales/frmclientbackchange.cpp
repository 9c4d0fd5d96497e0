#include "aftersales/frmclientbackchange.h"

#include "aftersales/rules/clientexchange.h"
#include "aftersales/frmchange.h"
#include "core/goodsfields.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kAmount = QStringLiteral("应收金额");
const QString kReasonColumn = QStringLiteral("调换原因");
const QString kSellGUID = QStringLiteral("SellGUID");
constexpr int kReasonCol = 22;

QLabel* figure(QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setMinimumWidth(100);
    l->setFrameShape(QFrame::StyledPanel);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

}  // namespace

frmClientBackChange::frmClientBackChange(QWidget* parent)
    : FormBase(parent),
      boxes_(this),
      frame_(this, QStringLiteral("调换原因"), kAmount),
      chkDate(boxes_.chkDate),
      DT(boxes_.DT),
      chkNo(boxes_.chkNo),
      txtSellNo(boxes_.txtSellNo),
      chkType(boxes_.chkType),
      txtType(boxes_.txtType),
      cmdQuery(boxes_.cmdQuery),
      VSFlexGrid(frame_.VSFlexGrid),
      comResion(frame_.reason.comResion),
      cmdLeather(frame_.reason.cmdLeather),
      cmdChange(new QPushButton(QStringLiteral("调 换(&C)"), this)),
      VSChange(new FlexGrid(this)),
      Main(new QMenu(this)),
      Del(Main->addAction(QStringLiteral("删除"))),
      lbHave(figure(this)),
      lbAmount(figure(this)),
      lbBackAdd(figure(this)),
      lbTip(frame_.MakeTip()),
      cmdOk(frame_.MakeOk()),
      lbTitle(new QLabel(
          QStringLiteral("  使用帮助：查询销售记录同退货一样，查询出后选择调换原因，单击调换，在新弹出的窗口中选择要调换成"
                         "哪件服装，选择后点确定，要调换的服装就添加到本窗口下面的表格里，系统会自动计算退补金额。点击确定"
                         "即可完成一次调换。调换后系统自动更新库存信息。"),
          this))
{
    setWindowTitle(QStringLiteral("客户调换"));
    cmdChange->setObjectName(QStringLiteral("cmdChange"));
    VSChange->setObjectName(QStringLiteral("VSChange"));
    Main->setObjectName(QStringLiteral("Main"));
    Del->setObjectName(QStringLiteral("Del"));
    lbHave->setObjectName(QStringLiteral("lbHave"));
    lbAmount->setObjectName(QStringLiteral("lbAmount"));
    lbBackAdd->setObjectName(QStringLiteral("lbBackAdd"));
    lbTitle->setObjectName(QStringLiteral("lbTitle"));

    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);

    auto* search = new QHBoxLayout;
    boxes_.AddTo(search);
    frame_.AddTip(search);

    auto* pairing = new QHBoxLayout;
    frame_.reason.AddTo(pairing, QStringLiteral("调换原因："));
    pairing->addSpacing(24);
    pairing->addWidget(cmdChange);
    pairing->addStretch(1);

    auto* amounts = new QHBoxLayout;
    amounts->addWidget(new QLabel(QStringLiteral("已收金额"), this));
    amounts->addWidget(lbHave);
    amounts->addSpacing(24);
    amounts->addWidget(new QLabel(QStringLiteral("应收金额"), this));
    amounts->addWidget(lbAmount);
    amounts->addSpacing(24);
    amounts->addWidget(new QLabel(QStringLiteral("退补金额"), this));
    amounts->addWidget(lbBackAdd);
    amounts->addStretch(1);
    amounts->addWidget(cmdOk);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(search);
    layout->addWidget(VSFlexGrid, 3);
    layout->addLayout(pairing);
    layout->addWidget(VSChange, 2);
    layout->addLayout(amounts);
    layout->addWidget(lbTitle);
    resize(1100, 680);

    boxes_.TabOrder(VSFlexGrid);
    setTabOrder(VSFlexGrid, comResion);
    setTabOrder(comResion, cmdChange);
    setTabOrder(cmdChange, VSChange);
    setTabOrder(VSChange, cmdOk);

    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });
    connect(VSFlexGrid, &FlexGrid::enterPressed, this, [this] {
        int k = 13;
        VSFlexGrid_KeyPress(k);
    });
    connect(cmdChange, &QPushButton::clicked, this, [this] { cmdChange_Click(); });
    connect(VSChange, &FlexGrid::rightButtonDown, this, [this](const QPoint& at) { VSChange_MouseDown(2, at); });
    connect(Del, &QAction::triggered, this, [this] { Del_Click(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });

    Form_Load();
}

void frmClientBackChange::Form_Load()
{
    frame_.Load();
    InitChangeGrid();
}

void frmClientBackChange::InitChangeGrid()
{
    static const QStringList keys =
        QStringList{QStringLiteral("StoreGUID")} + core::GoodsCaptions() +
        QStringList{QStringLiteral("零售价"), QStringLiteral("数量"), QStringLiteral("折扣"), kAmount, kSellGUID,
                    QStringLiteral("SellNo")};
    VSChange->setRows(1);
    VSChange->setCols(16);
    VSChange->setTextMatrix(0, 0, QString());
    for (int c = 1; c < 16; ++c) {
        VSChange->setTextMatrix(0, c, keys[c - 1]);
        VSChange->setColKey(c, keys[c - 1]);
    }
    for (int c : {1, 14, 15})
        VSChange->setColHidden(c, true);
    core::SetGridColumns(*VSChange, 1000);
}

// -- the sale lines -------------------------------------------------------------------

void frmClientBackChange::cmdQuery_Click()
{
    const std::optional<jet::RecordSet> rs = boxes_.Find(kAmount, lbTip);
    if (!rs)
        return;
    // The new list replaces the lines of the pending pairs: the pairs go with them.
    RemoveVsRowsAll(VSChange);
    lbHave->clear();
    lbAmount->clear();
    lbBackAdd->clear();

    frame_.BindLines(*rs);
    VSFlexGrid->setCols(kReasonCol + 1);
    VSFlexGrid->setTextMatrix(0, kReasonCol, kReasonColumn);
    VSFlexGrid->setColKey(kReasonCol, kReasonColumn);
    VSFlexGrid->setColHidden(kReasonCol, true);
    core::SetGridColumns(*VSFlexGrid, 860);
    VSFlexGrid->setRow(1);
    lbTip->clear();
}

void frmClientBackChange::VSFlexGrid_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13 && VSFlexGrid->rows() > 1)
        cmdChange_Click();
}

bool frmClientBackChange::IsMarked(int row) const
{
    return VSFlexGrid->cellBackColor(row, 0) == platform::vbColor(255);
}

void frmClientBackChange::SetMarked(int row, bool marked)
{
    // Unmarked, the fixed cell shows the button face it has by default.
    VSFlexGrid->setCellBackColor(row, 0, marked ? platform::vbColor(255) : QColor());
}

qint32 frmClientBackChange::CountPendingPairs(const QString& StoreGUID) const
{
    qint32 count = 0;
    for (int r = 1; r < VSChange->rows(); ++r)
        if (VSChange->textMatrix(r, 1) == StoreGUID)
            ++count;
    return count;
}

void frmClientBackChange::cmdChange_Click()
{
    if (VSFlexGrid->rows() <= 1) {
        ui::msg().info(QStringLiteral("请选择被调换的商品"));
        txtSellNo->setFocus();
        return;
    }
    const int r = VSFlexGrid->row();
    const sales::SoldLine line = frame_.Line(r);
    if (IsMarked(r)) {
        ui::msg().info(QStringLiteral("该商品已经被调换到下面的列表！"));
        txtSellNo->setFocus();
        return;
    }
    const QString refusal = aftersales::ExchangeRefusal(line, gSellRole, ui::today());
    if (!refusal.isEmpty()) {
        ui::msg().info(refusal);
        return;
    }
    frmChange picker(*this);
    picker.LoadIt(line.GUID, line.SellNo, line.TypeNo, vb::toSingle(vb::val(line.Price)));
    picker.showModal();
}

// -- the pending pairs ------------------------------------------------------------------

void frmClientBackChange::VSChange_MouseDown(int Button, const QPoint& globalPos)
{
    if (Button == 2)
        Main->popup(globalPos);
}

void frmClientBackChange::Del_Click()
{
    if (VSChange->rows() > 1)
        RemoveChangeRow(VSChange->row());
}

void frmClientBackChange::RemoveChangeRow(int pair)
{
    const int line =
        VSFlexGrid->findRow(VSChange->text(pair, kSellGUID), 1, VSFlexGrid->colIndex(QStringLiteral("GUID")));
    if (line > 0)
        lbHave->setText(vb::numberText(vb::val(lbHave->text()) - vb::val(VSFlexGrid->text(line, kAmount))));
    lbAmount->setText(vb::numberText(vb::val(lbAmount->text()) - vb::val(VSChange->text(pair, kAmount))));
    lbBackAdd->setText(vb::numberText(vb::val(lbAmount->text()) - vb::val(lbHave->text())));
    if (line > 0)
        SetMarked(line, false);
    VSChange->removeItem(pair);
}

void frmClientBackChange::RemoveVsRowsAll(FlexGrid* Vs)
{
    for (int r = Vs->rows() - 1; r >= 1; --r)
        Vs->removeItem(r);
}

aftersales::Exchange frmClientBackChange::PendingExchange() const
{
    aftersales::Exchange ex;
    for (int r = 1; r < VSFlexGrid->rows(); ++r) {
        if (!IsMarked(r))
            continue;
        ex.Lines << frame_.Line(r);
        ex.Resions << VSFlexGrid->text(r, kReasonColumn);
    }
    for (int r = 1; r < VSChange->rows(); ++r) {
        aftersales::Replacement p;
        static_cast<core::GoodsFields&>(p) = core::GoodsOfGridRow(*VSChange, r);
        p.StoreGUID = VSChange->textMatrix(r, 1);
        p.Price = VSChange->text(r, QStringLiteral("零售价"));
        p.Quantity = VSChange->text(r, QStringLiteral("数量"));
        p.Abate = VSChange->text(r, QStringLiteral("折扣"));
        p.Amount = VSChange->text(r, kAmount);
        p.SellGUID = VSChange->text(r, kSellGUID);
        p.SellNo = VSChange->text(r, QStringLiteral("SellNo"));
        ex.Replacements << p;
    }
    return ex;
}

void frmClientBackChange::RemoveExchangedRows()
{
    for (int r = VSFlexGrid->rows() - 1; r >= 1; --r)
        if (IsMarked(r))
            VSFlexGrid->removeItem(r);
}

void frmClientBackChange::RereadChangedLines()
{
    for (int r = VSFlexGrid->rows() - 1; r >= 1; --r) {
        if (!IsMarked(r) || frame_.LineAsListed(r))
            continue;
        const QString line = VSFlexGrid->text(r, QStringLiteral("GUID"));
        for (int p = VSChange->rows() - 1; p >= 1; --p)
            if (VSChange->text(p, kSellGUID) == line)
                RemoveChangeRow(p);
        frame_.RereadLine(r);
    }
}

void frmClientBackChange::cmdOk_Click()
{
    if (VSChange->rows() <= 1)
        return;
    // A failure shows the engine's words and writes nothing, and a line or a
    // replacement taken meanwhile by another program is refused: the pairs, their
    // marks and the amounts stay for another try, but for the pairs of a line
    // that changed, which is shown as it now is.
    const core::Outcome outcome = aftersales::WriteExchange(PendingExchange());
    if (outcome.Result == core::WriteResult::LineChanged) {
        RereadChangedLines();
        ui::msg().info(sales::kLineChangedRefusal);
    } else if (outcome.Result == core::WriteResult::OutOfStock)
        ui::msg().info(aftersales::kOutOfStockToExchange);
    if (!core::Written(outcome))
        return;
    RemoveVsRowsAll(VSChange);
    RemoveExchangedRows();
    ui::msg().info(QStringLiteral("调换成功！"));
}
