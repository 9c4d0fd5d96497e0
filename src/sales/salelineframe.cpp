#include "sales/salelineframe.h"

#include "core/frmdatadictionary.h"
#include "core/goodsfields.h"
#include "core/modmain.h"
#include "core/picklistwidgets.h"
#include "core/queryparts.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sales {

SoldLine SoldLineOfGridRow(const FlexGrid& grid, int row, const QString& amountCaption)
{
    SoldLine l;
    static_cast<core::GoodsFields&>(l) = core::GoodsOfGridRow(grid, row);
    l.GUID = grid.text(row, QStringLiteral("GUID"));
    l.StoreGUID = grid.text(row, QStringLiteral("StoreGUID"));
    l.ShopNo = grid.text(row, QStringLiteral("ShopNo"));
    l.BuyPrice = grid.text(row, QStringLiteral("BuyPrice"));
    l.BuyPriceID = grid.text(row, QStringLiteral("BuyPriceID"));
    l.SellNo = grid.text(row, QStringLiteral("SellNo"));
    l.State = grid.text(row, QStringLiteral("State"));
    l.Quantity = grid.text(row, QStringLiteral("数量"));
    l.Price = grid.text(row, QStringLiteral("零售价"));
    l.Abate = grid.text(row, QStringLiteral("折扣"));
    l.Amount = grid.text(row, amountCaption);
    l.SellerName = grid.text(row, QStringLiteral("销售员"));
    l.DateTime = grid.text(row, QStringLiteral("销售日期"));
    return l;
}

// -- the reason -------------------------------------------------------------------------

ReasonBox::ReasonBox(QWidget* window, const QString& list)
    : comResion(new QComboBox(window)),
      cmdLeather(core::PickListButton(window)),
      window_(window),
      list_(list)
{
    comResion->setObjectName(QStringLiteral("comResion"));
    cmdLeather->setObjectName(QStringLiteral("cmdLeather"));
    connect(cmdLeather, &QPushButton::clicked, this, [this] { cmdLeather_Click(); });
}

void ReasonBox::AddTo(QBoxLayout* row, const QString& caption) const
{
    // Made editable here, once the window's other controls are there: the text
    // box of the reason then comes last in the window's focus chain, so that a
    // back tab from the window's first control lands on the reason.
    comResion->setEditable(true);
    comResion->setInsertPolicy(QComboBox::NoInsert);
    comResion->setMinimumWidth(200);
    row->addWidget(new QLabel(caption, window_));
    row->addWidget(comResion);
    row->addWidget(cmdLeather);
}

void ReasonBox::Fill() const { core::FillDictionaryCombo(list_, comResion); }

void ReasonBox::cmdLeather_Click() const { frmDataDictionary::EditList(list_, comResion); }

// -- the search ---------------------------------------------------------------------------

SaleLineBoxes::SaleLineBoxes(QWidget* window)
    : chkDate(new QCheckBox(QStringLiteral("销售日期"), window)),
      DT(core::DatePicker(window)),
      chkNo(new QCheckBox(QStringLiteral("销售编号"), window)),
      txtSellNo(new QLineEdit(window)),
      chkType(new QCheckBox(QStringLiteral("货 号"), window)),
      txtType(new QLineEdit(window)),
      cmdQuery(new QPushButton(QStringLiteral("查 询(&Q)"), window)),
      window_(window)
{
    chkDate->setObjectName(QStringLiteral("chkDate"));
    DT->setObjectName(QStringLiteral("DT"));
    chkNo->setObjectName(QStringLiteral("chkNo"));
    txtSellNo->setObjectName(QStringLiteral("txtSellNo"));
    chkType->setObjectName(QStringLiteral("chkType"));
    txtType->setObjectName(QStringLiteral("txtType"));
    cmdQuery->setObjectName(QStringLiteral("cmdQuery"));

    DT->setDate(ui::today());
    txtSellNo->setMinimumWidth(160);
    txtType->setMinimumWidth(140);
}

void SaleLineBoxes::AddTo(QBoxLayout* row) const
{
    row->addWidget(chkDate);
    row->addWidget(DT);
    row->addSpacing(16);
    row->addWidget(chkNo);
    row->addWidget(txtSellNo);
    row->addSpacing(16);
    row->addWidget(chkType);
    row->addWidget(txtType);
    row->addSpacing(16);
    row->addWidget(cmdQuery);
}

void SaleLineBoxes::TabOrder(QWidget* next) const
{
    QWidget::setTabOrder(chkDate, DT);
    QWidget::setTabOrder(DT, chkNo);
    QWidget::setTabOrder(chkNo, txtSellNo);
    QWidget::setTabOrder(txtSellNo, chkType);
    QWidget::setTabOrder(chkType, txtType);
    QWidget::setTabOrder(txtType, cmdQuery);
    QWidget::setTabOrder(cmdQuery, next);
}

std::optional<jet::RecordSet> SaleLineBoxes::Find(const QString& amountCaption, QLabel* lbTip) const
{
    if (!chkDate->isChecked() && !chkNo->isChecked() && !chkType->isChecked()) {
        ui::msg().info(QStringLiteral("请选择条件！"));
        return std::nullopt;
    }
    SaleLineSearch search;
    if (chkDate->isChecked())
        search.Day = DT->date();
    if (chkNo->isChecked())
        search.SellNo = txtSellNo->text();
    if (chkType->isChecked())
        search.TypeNo = txtType->text();
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(SaleLinesSql(SaleLineCondition(search), amountCaption), isErr);
    if (isErr)
        return std::nullopt;
    if (rs.eof()) {
        lbTip->setText(QStringLiteral("无记录！"));
        return std::nullopt;
    }
    return rs;
}

// -- the lines found ----------------------------------------------------------------------

SaleLineFrame::SaleLineFrame(QWidget* window, const QString& reasons, const QString& amountCaption,
                             const QStringList& alsoHidden)
    : VSFlexGrid(new FlexGrid(window)),
      reason(window, reasons),
      window_(window),
      amountCaption_(amountCaption),
      alsoHidden_(alsoHidden)
{
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
}

QLabel* SaleLineFrame::MakeTip()
{
    Q_ASSERT(!lbTip_);
    lbTip_ = new QLabel(window_);
    lbTip_->setObjectName(QStringLiteral("lbTip"));
    return lbTip_;
}

QPushButton* SaleLineFrame::MakeOk()
{
    auto* cmdOk = new QPushButton(QStringLiteral("确 定(&O)"), window_);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    return cmdOk;
}

void SaleLineFrame::AddTip(QBoxLayout* row) const
{
    row->addSpacing(16);
    row->addWidget(lbTip_);
    row->addStretch(1);
}

void SaleLineFrame::ReasonOnEnter()
{
    connect(VSFlexGrid, &FlexGrid::enterPressed, this, [this] {
        if (VSFlexGrid->row() >= 1)
            reason.comResion->setFocus();
    });
}

void SaleLineFrame::Load()
{
    BindLines(gDbopt.Excute(NoSaleLinesSql(amountCaption_)));
    reason.Fill();
}

void SaleLineFrame::BindLines(const jet::RecordSet& rs)
{
    VSFlexGrid->bind(rs);
    for (int c = 1; c <= 7; ++c)
        VSFlexGrid->setColHidden(c, true);
    for (const QString& caption : alsoHidden_)
        VSFlexGrid->setColHidden(VSFlexGrid->colIndex(caption), true);
    core::SetGridColumns(*VSFlexGrid, 860);
}

void SaleLineFrame::ShowFound(const jet::RecordSet& rs)
{
    BindLines(rs);
    lbTip_->clear();
    VSFlexGrid->setFocus();
    VSFlexGrid->setRow(1);
}

SoldLine SaleLineFrame::Line(int row) const { return SoldLineOfGridRow(*VSFlexGrid, row, amountCaption_); }

std::optional<jet::RecordSet> SaleLineFrame::LineNow(int row) const
{
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(
        SaleLinesSql(QStringLiteral(" GUID=") + core::SqlQuote(VSFlexGrid->text(row, QStringLiteral("GUID"))),
                     amountCaption_),
        isErr);
    if (isErr)
        return std::nullopt;
    return rs;
}

bool SaleLineFrame::LineAsListed(int row) const
{
    const std::optional<jet::RecordSet> rs = LineNow(row);
    if (!rs)
        return true;  // unknown: the engine's words have been shown
    if (rs->eof())
        return false;
    for (int c = 0; c < rs->fieldCount(); ++c)
        if (rs->text(0, c) != VSFlexGrid->textMatrix(row, c + 1))
            return false;
    return true;
}

void SaleLineFrame::RereadLine(int row)
{
    const std::optional<jet::RecordSet> rs = LineNow(row);
    if (!rs)
        return;
    if (rs->eof()) {
        VSFlexGrid->removeItem(row);
        return;
    }
    for (int c = 0; c < rs->fieldCount(); ++c)
        VSFlexGrid->setTextMatrix(row, c + 1, rs->text(0, c));
}

void SaleLineFrame::Settle(const core::Outcome& outcome, int row)
{
    if (outcome.Result == core::WriteResult::Failed)
        ui::msg().plain(outcome.Error);
    if (outcome.Result == core::WriteResult::LineChanged) {
        RereadLine(row);
        ui::msg().info(kLineChangedRefusal);
    }
    if (outcome.written())
        VSFlexGrid->removeItem(row);
}

}  // namespace sales
