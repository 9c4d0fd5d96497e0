#include "aftersales/frmclientback.h"

#include "aftersales/rules/clientreturn.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmClientBack::frmClientBack(QWidget* parent)
    : FormBase(parent),
      boxes_(this),
      frame_(this, QStringLiteral("退货原因"), sales::kAmountCaption, {QStringLiteral("等级")}),
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
      Frame1(new QGroupBox(QStringLiteral("退入"), this)),
      Opt(new QRadioButton(QStringLiteral("问题库存"), Frame1)),
      OptQuestion(new QRadioButton(QStringLiteral("正常库存"), Frame1)),
      lb(new QLabel(this)),
      lbTip(frame_.MakeTip()),
      cmdOk(frame_.MakeOk()),
      lbTitle(new QLabel(
          QStringLiteral(
              "  使用帮助：可根据销售编号，货号或销售日期，查询出要退货的销售记录，选择退货原因，默认是退入到"
              "问题库存的，主要考虑是退货的服装都可能有质量问题，如果是可以销售的服装可选择退入到正常库存。"
              "点击确定即可完成一次退货。退货后系统自动更新库存信息。"),
          this))
{
    setWindowTitle(QStringLiteral("客户退货"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Opt->setObjectName(QStringLiteral("Opt"));
    OptQuestion->setObjectName(QStringLiteral("OptQuestion"));
    lb->setObjectName(QStringLiteral("lb"));
    lbTitle->setObjectName(QStringLiteral("lbTitle"));

    Opt->setChecked(true);
    lb->setMinimumWidth(100);
    lb->setFrameShape(QFrame::StyledPanel);
    lb->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);

    auto* search = new QHBoxLayout;
    boxes_.AddTo(search);
    frame_.AddTip(search);

    auto* into = new QHBoxLayout(Frame1);
    into->addWidget(Opt);
    into->addWidget(OptQuestion);

    auto* bottom = new QHBoxLayout;
    frame_.reason.AddTo(bottom, QStringLiteral("退货原因："));
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

    boxes_.TabOrder(VSFlexGrid);
    setTabOrder(VSFlexGrid, comResion);
    setTabOrder(comResion, Opt);
    setTabOrder(Opt, OptQuestion);
    setTabOrder(OptQuestion, cmdOk);

    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });
    connect(VSFlexGrid, &FlexGrid::rowColChanged, this, [this] { VSFlexGrid_RowColChange(); });
    frame_.ReasonOnEnter();
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });

    frame_.Load();
}

void frmClientBack::cmdQuery_Click()
{
    const std::optional<jet::RecordSet> rs = boxes_.Find(sales::kAmountCaption, lbTip);
    if (!rs)
        return;
    frame_.ShowFound(*rs);
    VSFlexGrid_RowColChange();
}

void frmClientBack::VSFlexGrid_RowColChange()
{
    if (VSFlexGrid->rows() <= 1)
        lb->clear();
    else
        lb->setText(VSFlexGrid->text(VSFlexGrid->row(), sales::kAmountCaption));
}

void frmClientBack::cmdOk_Click()
{
    if (VSFlexGrid->rows() <= 1)
        return;
    const int r = VSFlexGrid->row();
    const sales::SoldLine line = frame_.Line(r);
    const QString refusal = aftersales::ReturnRefusal(line, gSellRole, ui::today());
    if (!refusal.isEmpty()) {
        ui::msg().info(refusal);
        return;
    }
    if (!ui::msg().ask(QStringLiteral("确认要退货吗？")))
        return;
    // A line kept for another try keeps the choice of stock as well.
    const aftersales::ReturnTo to =
        Opt->isChecked() ? aftersales::ReturnTo::ProblemStock : aftersales::ReturnTo::NormalStock;
    frame_.Settle(aftersales::WriteReturn(line, comResion->currentText(), to), r);
}
