#include "sales/frmblankout.h"

#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "platform/vbkeys.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmBlankout::frmBlankout(QWidget* parent)
    : FormBase(parent),
      txtSellNo(new QLineEdit(this)),
      frame_(this, QStringLiteral("作废原因"), sales::kAmountCaption),
      VSFlexGrid(frame_.VSFlexGrid),
      comResion(frame_.reason.comResion),
      cmdLeather(frame_.reason.cmdLeather),
      cmdOk(frame_.MakeOk()),
      lbTip(frame_.MakeTip()),
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
    lbTitle->setObjectName(QStringLiteral("lbTitle"));

    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("销售编号："), this));
    search->addWidget(txtSellNo);
    frame_.AddTip(search);
    txtSellNo->setMinimumWidth(200);

    auto* bottom = new QHBoxLayout;
    frame_.reason.AddTo(bottom, QStringLiteral("作废原因："));
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
    frame_.ReasonOnEnter();
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });

    frame_.Load();
    txtSellNo->setFocus();
}

void frmBlankout::Search()
{
    bool isErr = false;
    const jet::RecordSet rs = gDbopt.Excute(
        sales::SaleLinesSql(sales::SaleLineCondition({.SellNo = txtSellNo->text()}), sales::kAmountCaption), isErr);
    // A failed search has shown the engine's words; the list stays as it was.
    if (isErr)
        return;
    if (rs.eof()) {
        lbTip->setText(QStringLiteral("该销售编号不存在！"));
        return;
    }
    frame_.ShowFound(rs);
}

void frmBlankout::txtSellNo_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        Search();
}

void frmBlankout::cmdOk_Click()
{
    if (VSFlexGrid->rows() <= 1)
        return;
    if (!ui::msg().ask(QStringLiteral("确认要作废该次售货吗？")))
        return;
    const int r = VSFlexGrid->row();
    frame_.Settle(sales::WriteVoid(frame_.Line(r), comResion->currentText()), r);
}
