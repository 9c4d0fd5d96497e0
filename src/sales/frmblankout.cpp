#include "sales/frmblankout.h"

#include "core/frmdatadictionary.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/services.h"
#include "platform/vbkeys.h"
#include "sales/salechanges.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kReasons = QStringLiteral("作废原因");

}  // namespace

frmBlankout::frmBlankout(QWidget* parent)
    : FormBase(parent),
      txtSellNo(new QLineEdit(this)),
      VSFlexGrid(new FlexGrid(this)),
      comResion(new QComboBox(this)),
      cmdLeather(new QPushButton(QStringLiteral("…"), this)),
      cmdOk(new QPushButton(QStringLiteral("确 定(&O)"), this)),
      lbTip(new QLabel(this)),
      lbTitle(new QLabel(
          QStringLiteral(
              " 使用帮助：销售作废是指商品销售错了或已经销售了但客人不要该服装了，比如卖的3M号黑色的，系统销售的时候"
              "销售成6M号黑色的，此时可以使用该功能对刚才的一笔销售进行作废，此处要输入销售编号，查询刚销售的记录，"
              "如果没打印小票的话，您可以在销售窗口里查看当前的销售编号，当前销售编号直接减1就可以得到刚销售出错的"
              "服装的销售编号。查询到后，写上作废原因，点确定即可。系统自动更新库存。"),
          this))
{
    setWindowTitle(QStringLiteral("销售作废"));
    txtSellNo->setObjectName(QStringLiteral("txtSellNo"));
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
    comResion->setObjectName(QStringLiteral("comResion"));
    cmdLeather->setObjectName(QStringLiteral("cmdLeather"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    lbTip->setObjectName(QStringLiteral("lbTip"));
    lbTitle->setObjectName(QStringLiteral("lbTitle"));

    comResion->setEditable(true);
    comResion->setInsertPolicy(QComboBox::NoInsert);
    comResion->setMinimumWidth(200);
    // Reached with the mouse, so that Enter moving on never lands on it.
    cmdLeather->setFocusPolicy(Qt::NoFocus);
    cmdLeather->setFixedWidth(28);
    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("销售编号："), this));
    search->addWidget(txtSellNo);
    search->addSpacing(16);
    search->addWidget(lbTip);
    search->addStretch(1);
    txtSellNo->setMinimumWidth(200);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("作废原因："), this));
    bottom->addWidget(comResion);
    bottom->addWidget(cmdLeather);
    bottom->addStretch(1);
    bottom->addWidget(cmdOk);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(search);
    layout->addWidget(VSFlexGrid, 1);
    layout->addLayout(bottom);
    layout->addWidget(lbTitle);
    resize(1040, 560);

    setTabOrder(txtSellNo, VSFlexGrid);
    setTabOrder(VSFlexGrid, comResion);
    setTabOrder(comResion, cmdOk);

    vbkeys::onKeyPress(txtSellNo, [this](int& k) { txtSellNo_KeyPress(k); });
    connect(VSFlexGrid, &FlexGrid::enterPressed, this, [this] {
        int k = 13;
        VSFlexGrid_KeyPress(k);
    });
    connect(cmdLeather, &QPushButton::clicked, this, [this] { cmdLeather_Click(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });

    Form_Load();
    txtSellNo->setFocus();
}

void frmBlankout::Form_Load()
{
    InitSellGrid();
    FillDictionaryCombo(kReasons, comResion);
}

void frmBlankout::BindLines(const jet::RecordSet& rs)
{
    VSFlexGrid->bind(rs);
    for (int c = 1; c <= 7; ++c)
        VSFlexGrid->setColHidden(c, true);
    SetGridColumns(*VSFlexGrid, 860);
}

void frmBlankout::InitSellGrid() { BindLines(gDbopt.Excute(NoSaleLinesSql(kAmountCaption))); }

void frmBlankout::Search()
{
    bool isErr = false;
    const jet::RecordSet rs =
        gDbopt.Excute(SaleLinesSql(SaleLineCondition({.SellNo = txtSellNo->text()}), kAmountCaption), isErr);
    // A failed search has shown the engine's words; the list stays as it was.
    if (isErr)
        return;
    if (rs.eof()) {
        lbTip->setText(QStringLiteral("该销售编号不存在！"));
        return;
    }
    BindLines(rs);
    lbTip->clear();
    VSFlexGrid->setFocus();
    VSFlexGrid->setRow(1);
}

void frmBlankout::txtSellNo_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        Search();
}

void frmBlankout::VSFlexGrid_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13 && VSFlexGrid->row() >= 1)
        comResion->setFocus();
}

void frmBlankout::cmdLeather_Click() { frmDataDictionary::EditList(kReasons, comResion); }

void frmBlankout::cmdOk_Click()
{
    if (VSFlexGrid->rows() <= 1)
        return;
    if (!ui::msg().ask(QStringLiteral("确认要作废该次售货吗？")))
        return;
    const int r = VSFlexGrid->row();
    // A failure has shown the engine's words and written nothing, and a line taken
    // back meanwhile by another program is refused: the line stays listed, with
    // the reason, for another try.
    const WriteResult result = WriteVoid(SoldLineOfGridRow(*VSFlexGrid, r, kAmountCaption), comResion->currentText());
    if (result == WriteResult::LineChanged)
        ui::msg().info(kLineChangedRefusal);
    if (result != WriteResult::Written)
        return;
    VSFlexGrid->removeItem(r);
}
