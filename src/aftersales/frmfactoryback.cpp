#include "aftersales/frmfactoryback.h"

#include "aftersales/rules/problemstock.h"
#include "core/goodsfields.h"
#include "core/modmain.h"
#include "core/queryparts.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "sales/stockpicker.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString kKeyTick = QStringLiteral("选中");
const QString kTicked = QStringLiteral("-1");
const QString kUnticked = QStringLiteral("0");
// Another program sent some of the ticked rows back since the list was read.
const QString kBackAtFactory = QStringLiteral("对不起！选中的商品中有已经退回厂家的，请重新打开厂家退货！");

}  // namespace

frmFactoryBack::frmFactoryBack(QWidget* parent)
    : FormBase(parent),
      VSFlexGrid(new FlexGrid(this)),
      cmdAll(new QPushButton(QStringLiteral("全 选(&A)"), this)),
      txtAmount(new QLineEdit(this)),
      DT(core::DatePicker(this)),
      cmdRegist(new QPushButton(QStringLiteral("确 定(&O)"), this)),
      lbTitle(new QLabel(
          QStringLiteral("  使用帮助：厂家退货我们这里设计的是只能从问题库存中退货，有质量问题的服装可以事先放置到问题库存中。"
                         "在此选中要退货的服装，自动根据进价计算金额，如果把问题库存中全部退货，点全选就可以了。"
                         "最后点击确定完成一次厂家退货，系统自动更新库存。"),
          this))
{
    setWindowTitle(QStringLiteral("厂家退货"));
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
    cmdAll->setObjectName(QStringLiteral("cmdAll"));
    txtAmount->setObjectName(QStringLiteral("txtAmount"));
    DT->setObjectName(QStringLiteral("DT"));
    cmdRegist->setObjectName(QStringLiteral("cmdRegist"));
    lbTitle->setObjectName(QStringLiteral("lbTitle"));

    VSFlexGrid->setEditable(true);
    txtAmount->setMaximumWidth(140);
    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cmdAll);
    bottom->addSpacing(24);
    bottom->addWidget(new QLabel(QStringLiteral("退货金额"), this));
    bottom->addWidget(txtAmount);
    bottom->addSpacing(24);
    bottom->addWidget(new QLabel(QStringLiteral("退货日期"), this));
    bottom->addWidget(DT);
    bottom->addStretch(1);
    bottom->addWidget(cmdRegist);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(VSFlexGrid, 1);
    layout->addLayout(bottom);
    layout->addWidget(lbTitle);
    resize(1100, 560);

    setTabOrder(VSFlexGrid, cmdAll);
    setTabOrder(cmdAll, txtAmount);
    setTabOrder(txtAmount, DT);
    setTabOrder(DT, cmdRegist);

    VSFlexGrid->beforeEdit = [this](int r, int c) { return VSFlexGrid_BeforeEdit(r, c); };
    connect(VSFlexGrid, &FlexGrid::afterEdit, this, [this](int r, int c) { VSFlexGrid_AfterEdit(r, c); });
    connect(cmdAll, &QPushButton::clicked, this, [this] { cmdAll_Click(); });
    connect(cmdRegist, &QPushButton::clicked, this, [this] { cmdRegist_Click(); });

    Form_Load();
}

void frmFactoryBack::Form_Load()
{
    LoadProblemStock();
    DT->setDate(ui::today());
    // Nothing is ticked yet.
    txtAmount->setText(QStringLiteral("0"));
}

void frmFactoryBack::LoadProblemStock()
{
    FlexGrid& g = *VSFlexGrid;
    g.bind(gDbopt.Excute(
        QStringLiteral("Select ID,") + core::GoodsColumns() +
        QStringLiteral(",BuyPrice as 进价,Quantity as 数量,BackResion as 问题 from BackStore Where ShopNo=") +
        core::SqlQuote(gShopNo) + QStringLiteral(" And IsBackFactory=0 Order by TypeNo")));
    g.setColHidden(1, true);
    const int c = g.cols();
    g.setCols(c + 1);
    g.setTextMatrix(0, c, kKeyTick);
    g.setColKey(c, kKeyTick);
    g.setColDataType(c, FlexGrid::ColType::Boolean);
    for (int r = 1; r < g.rows(); ++r)
        g.setTextMatrix(r, c, kUnticked);
    core::SetGridColumns(g, 1000);
}

int frmFactoryBack::tickCol() const { return VSFlexGrid->colIndex(kKeyTick); }

bool frmFactoryBack::ticked(int row) const { return VSFlexGrid->textMatrix(row, tickCol()) == kTicked; }

bool frmFactoryBack::VSFlexGrid_BeforeEdit(int, int Col) { return Col != tickCol(); }

void frmFactoryBack::VSFlexGrid_AfterEdit(int, int) { SumTickedCost(); }

void frmFactoryBack::cmdAll_Click()
{
    for (int r = 1; r < VSFlexGrid->rows(); ++r)
        VSFlexGrid->setTextMatrix(r, tickCol(), kTicked);
    SumTickedCost();
}

void frmFactoryBack::SumTickedCost()
{
    float total = 0;
    for (int r = 1; r < VSFlexGrid->rows(); ++r)
        if (ticked(r))
            total += vb::toSingle(vb::val(VSFlexGrid->text(r, QStringLiteral("进价"))));
    txtAmount->setText(vb::singleText(total));
}

void frmFactoryBack::cmdRegist_Click()
{
    FlexGrid& g = *VSFlexGrid;
    if (g.rows() <= 1)
        return;
    const QString typed = txtAmount->text();
    const float amount = vb::toSingle(vb::val(typed));
    // An amount too large for the money column is no amount either.
    if (!vb::isNumeric(typed) || !std::isfinite(amount)) {
        ui::msg().info(QStringLiteral("请输入正确的退货金额！"));
        txtAmount->setFocus();
        return;
    }
    if (!(amount > 0)) {
        ui::msg().info(QStringLiteral("请输入大于0的数字！"));
        return;
    }
    aftersales::FactoryReturn back;
    back.Day = DT->date();
    back.Amount = amount;
    for (int r = 1; r < g.rows(); ++r) {
        if (!ticked(r))
            continue;
        back.Quantity += vb::toLong(vb::val(g.text(r, QStringLiteral("数量")))).value_or(0);
        back.BackStoreIDs << vb::toLong(vb::val(g.textMatrix(r, 1))).value_or(0);
    }
    if (back.Quantity < 1) {
        ui::msg().info(QStringLiteral("请选择要退的商品！"));
        return;
    }
    // Nothing is written unless all of it is: after a failure the rows stay
    // listed and ticked, with the amount, for another try.
    const core::Outcome outcome = aftersales::WriteFactoryReturn(back);
    if (outcome.Result == core::WriteResult::BackAtFactory) {
        // The list shows what is still pending now; the rows still there keep
        // their ticks, and the amount stays as the clerk left it.
        QStringList tickedIDs;
        for (int r = 1; r < g.rows(); ++r)
            if (ticked(r))
                tickedIDs << g.textMatrix(r, 1);
        sales::RebindKeepingRow(g, [this] { LoadProblemStock(); });
        for (int r = 1; r < g.rows(); ++r)
            if (tickedIDs.contains(g.textMatrix(r, 1)))
                g.setTextMatrix(r, tickCol(), kTicked);
        ui::msg().info(kBackAtFactory);
    }
    if (!core::Written(outcome))
        return;
    for (int r = g.rows() - 1; r >= 1; --r)
        if (ticked(r))
            g.removeItem(r);
    ui::msg().info(QStringLiteral("退货成功！"));
}
