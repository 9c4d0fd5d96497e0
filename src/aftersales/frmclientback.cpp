#include "aftersales/frmclientback.h"

#include "aftersales/clientreturn.h"
#include "aftersales/salelinesearch.h"
#include "core/frmdatadictionary.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/services.h"
#include "sales/salechanges.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kReasons = QStringLiteral("退货原因");

}  // namespace

frmClientBack::frmClientBack(QWidget* parent)
    : FormBase(parent),
      chkDate(new QCheckBox(QStringLiteral("销售日期"), this)),
      DT(new QDateEdit(this)),
      chkNo(new QCheckBox(QStringLiteral("销售编号"), this)),
      txtSellNo(new QLineEdit(this)),
      chkType(new QCheckBox(QStringLiteral("货 号"), this)),
      txtType(new QLineEdit(this)),
      cmdQuery(new QPushButton(QStringLiteral("查 询(&Q)"), this)),
      VSFlexGrid(new FlexGrid(this)),
      comResion(new QComboBox(this)),
      cmdLeather(new QPushButton(QStringLiteral("…"), this)),
      Frame1(new QGroupBox(QStringLiteral("退入"), this)),
      Opt(new QRadioButton(QStringLiteral("问题库存"), Frame1)),
      OptQuestion(new QRadioButton(QStringLiteral("正常库存"), Frame1)),
      lb(new QLabel(this)),
      lbTip(new QLabel(this)),
      cmdOk(new QPushButton(QStringLiteral("确 定(&O)"), this)),
      lbTitle(new QLabel(
          QStringLiteral("  使用帮助：可根据销售编号，货号或销售日期，查询出要退货的销售记录，选择退货原因，默认是退入到"
                         "问题库存的，主要考虑是退货的服装都可能有质量问题，如果是可以销售的服装可选择退入到正常库存。"
                         "点击确定即可完成一次退货。退货后系统自动更新库存信息。"),
          this))
{
    setWindowTitle(QStringLiteral("客户退货"));
    chkDate->setObjectName(QStringLiteral("chkDate"));
    DT->setObjectName(QStringLiteral("DT"));
    chkNo->setObjectName(QStringLiteral("chkNo"));
    txtSellNo->setObjectName(QStringLiteral("txtSellNo"));
    chkType->setObjectName(QStringLiteral("chkType"));
    txtType->setObjectName(QStringLiteral("txtType"));
    cmdQuery->setObjectName(QStringLiteral("cmdQuery"));
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
    comResion->setObjectName(QStringLiteral("comResion"));
    cmdLeather->setObjectName(QStringLiteral("cmdLeather"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Opt->setObjectName(QStringLiteral("Opt"));
    OptQuestion->setObjectName(QStringLiteral("OptQuestion"));
    lb->setObjectName(QStringLiteral("lb"));
    lbTip->setObjectName(QStringLiteral("lbTip"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    lbTitle->setObjectName(QStringLiteral("lbTitle"));

    DT->setCalendarPopup(true);
    DT->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    comResion->setEditable(true);
    comResion->setInsertPolicy(QComboBox::NoInsert);
    comResion->setMinimumWidth(200);
    // Reached with the mouse, so that Enter moving on never lands on it.
    cmdLeather->setFocusPolicy(Qt::NoFocus);
    cmdLeather->setFixedWidth(28);
    Opt->setChecked(true);
    lb->setMinimumWidth(100);
    lb->setFrameShape(QFrame::StyledPanel);
    lb->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);

    auto* search = new QHBoxLayout;
    search->addWidget(chkDate);
    search->addWidget(DT);
    search->addSpacing(16);
    search->addWidget(chkNo);
    search->addWidget(txtSellNo);
    search->addSpacing(16);
    search->addWidget(chkType);
    search->addWidget(txtType);
    search->addSpacing(16);
    search->addWidget(cmdQuery);
    search->addSpacing(16);
    search->addWidget(lbTip);
    search->addStretch(1);
    txtSellNo->setMinimumWidth(160);
    txtType->setMinimumWidth(140);

    auto* into = new QHBoxLayout(Frame1);
    into->addWidget(Opt);
    into->addWidget(OptQuestion);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("退货原因："), this));
    bottom->addWidget(comResion);
    bottom->addWidget(cmdLeather);
    bottom->addSpacing(24);
    bottom->addWidget(Frame1);
    bottom->addSpacing(24);
    bottom->addWidget(new QLabel(QStringLiteral("找回金额"), this));
    bottom->addWidget(lb);
    bottom->addStretch(1);
    bottom->addWidget(cmdOk);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(search);
    layout->addWidget(VSFlexGrid, 1);
    layout->addLayout(bottom);
    layout->addWidget(lbTitle);
    resize(1100, 580);

    setTabOrder(chkDate, DT);
    setTabOrder(DT, chkNo);
    setTabOrder(chkNo, txtSellNo);
    setTabOrder(txtSellNo, chkType);
    setTabOrder(chkType, txtType);
    setTabOrder(txtType, cmdQuery);
    setTabOrder(cmdQuery, VSFlexGrid);
    setTabOrder(VSFlexGrid, comResion);
    setTabOrder(comResion, Opt);
    setTabOrder(Opt, OptQuestion);
    setTabOrder(OptQuestion, cmdOk);

    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });
    connect(VSFlexGrid, &FlexGrid::rowColChanged, this, [this] { VSFlexGrid_RowColChange(); });
    connect(VSFlexGrid, &FlexGrid::enterPressed, this, [this] {
        int k = 13;
        VSFlexGrid_KeyPress(k);
    });
    connect(cmdLeather, &QPushButton::clicked, this, [this] { cmdLeather_Click(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });

    Form_Load();
}

void frmClientBack::Form_Load()
{
    DT->setDate(ui::today());
    InitSellGrid();
    FillDictionaryCombo(kReasons, comResion);
}

void frmClientBack::BindLines(const jet::RecordSet& rs)
{
    VSFlexGrid->bind(rs);
    for (int c = 1; c <= 7; ++c)
        VSFlexGrid->setColHidden(c, true);
    VSFlexGrid->setColHidden(VSFlexGrid->colIndex(QStringLiteral("等级")), true);
    SetGridColumns(*VSFlexGrid, 860);
}

void frmClientBack::InitSellGrid() { BindLines(gDbopt.Excute(NoSaleLinesSql(kAmountCaption))); }

void frmClientBack::cmdQuery_Click()
{
    const std::optional<jet::RecordSet> rs =
        FindSaleLines({chkDate, DT, chkNo, txtSellNo, chkType, txtType, lbTip}, kAmountCaption);
    if (!rs)
        return;
    BindLines(*rs);
    lbTip->clear();
    VSFlexGrid->setFocus();
    VSFlexGrid->setRow(1);
    VSFlexGrid_RowColChange();
}

void frmClientBack::VSFlexGrid_RowColChange()
{
    if (VSFlexGrid->rows() <= 1)
        lb->clear();
    else
        lb->setText(VSFlexGrid->text(VSFlexGrid->row(), kAmountCaption));
}

void frmClientBack::VSFlexGrid_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13 && VSFlexGrid->row() >= 1)
        comResion->setFocus();
}

void frmClientBack::cmdLeather_Click() { frmDataDictionary::EditList(kReasons, comResion); }

void frmClientBack::cmdOk_Click()
{
    if (VSFlexGrid->rows() <= 1)
        return;
    const int r = VSFlexGrid->row();
    const SoldLine line = SoldLineOfGridRow(*VSFlexGrid, r, kAmountCaption);
    const QString refusal = ReturnRefusal(line, gSellRole, ui::today());
    if (!refusal.isEmpty()) {
        ui::msg().info(refusal);
        return;
    }
    if (!ui::msg().ask(QStringLiteral("确认要退货吗？")))
        return;
    // A failure has shown the engine's words and written nothing, and a line taken
    // back meanwhile by another program is refused: the line stays listed, with
    // the reason and the choice of stock, for another try.
    const ReturnTo to = Opt->isChecked() ? ReturnTo::ProblemStock : ReturnTo::NormalStock;
    const WriteResult result = WriteReturn(line, comResion->currentText(), to);
    if (result == WriteResult::LineChanged)
        ui::msg().info(kLineChangedRefusal);
    if (result != WriteResult::Written)
        return;
    VSFlexGrid->removeItem(r);
}
