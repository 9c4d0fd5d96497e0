#include "sales/stockpicker.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/vbkeys.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace sales {

StockPicker::StockPicker(QWidget* window, const QString& moreColumns, double width)
    : VSFlexGrid(new FlexGrid(window)),
      txtNo(new QLineEdit(window)),
      OptAbate(new QRadioButton(QStringLiteral("折 扣"), window)),
      txtAbate(new QLineEdit(pricing::kFull, window)),
      OptChangePrice(new QRadioButton(QStringLiteral("特 价"), window)),
      txtChangePrice(new QLineEdit(window)),
      window_(window),
      select_(core::StockColumns() + QStringLiteral(",Quantity as 数量 ,Price as 零售价") + moreColumns +
              QStringLiteral(" from Store Where ")),
      width_(width)
{
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
    txtNo->setObjectName(QStringLiteral("txtNo"));
    OptAbate->setObjectName(QStringLiteral("OptAbate"));
    txtAbate->setObjectName(QStringLiteral("txtAbate"));
    OptChangePrice->setObjectName(QStringLiteral("OptChangePrice"));
    txtChangePrice->setObjectName(QStringLiteral("txtChangePrice"));

    auto* modes = new QButtonGroup(window);
    modes->addButton(OptAbate);
    modes->addButton(OptChangePrice);
    OptAbate->setChecked(true);
    txtNo->setMinimumWidth(200);
    txtAbate->setFixedWidth(96);
    txtChangePrice->setFixedWidth(96);

    connect(txtNo, &QLineEdit::textChanged, this, [this] { txtNo_Change(); });
    vbkeys::onGotFocus(txtAbate, [this] { txtAbate_GotFocus(); });
    vbkeys::onGotFocus(txtChangePrice, [this] { txtChangePrice_GotFocus(); });
    connect(txtAbate, &QLineEdit::textChanged, this, [this] { txtAbate_Change(); });
    vbkeys::onKeyDown(txtAbate, [this](int key, Qt::KeyboardModifiers) { return txtAbate_KeyDown(key); });
    vbkeys::onKeyDown(txtChangePrice,
                      [this](int key, Qt::KeyboardModifiers) { return txtChangePrice_KeyDown(key); });
    connect(OptAbate, &QRadioButton::clicked, this, [this] { OptAbate_Click(); });
    connect(OptChangePrice, &QRadioButton::clicked, this, [this] { OptChangePrice_Click(); });
}

void StockPicker::AddGoodsNumber(QBoxLayout* row) const
{
    row->addWidget(new QLabel(QStringLiteral("货  号"), window_));
    row->addWidget(txtNo);
}

void StockPicker::AddPriceBoxes(QBoxLayout* row) const
{
    row->addWidget(OptAbate);
    row->addWidget(txtAbate);
    row->addSpacing(16);
    row->addWidget(OptChangePrice);
    row->addWidget(txtChangePrice);
}

// -- the stock list -------------------------------------------------------------------

void RebindKeepingRow(FlexGrid& list, const std::function<void()>& bind)
{
    const QString key = list.row() >= 1 ? list.textMatrix(list.row(), 1) : QString();
    bind();
    const int r = key.isEmpty() ? -1 : list.findRow(key, 1, 1);
    if (r >= 1)
        list.setRow(r);
}

QString StockPicker::InStock()
{
    return QStringLiteral("ShopNo=") + core::SqlQuote(gShopNo) + QStringLiteral(" And Quantity>0");
}

void StockPicker::BindStock(const QString& where)
{
    where_ = where;
    VSFlexGrid->bind(gDbopt.Excute(select_ + where));
    VSFlexGrid->setColHidden(1, true);
    core::SetGridColumns(*VSFlexGrid, width_);
}

void StockPicker::LoadStockList() { BindStock(InStock()); }

void StockPicker::Reread()
{
    const QString where = where_;
    RebindKeepingRow(*VSFlexGrid, [&] { BindStock(where); });
}

bool StockPicker::hasStockRow() const { return VSFlexGrid->rows() > 1; }

QString StockPicker::Current(const QString& caption) const { return VSFlexGrid->text(VSFlexGrid->row(), caption); }

void StockPicker::txtNo_Change()
{
    const QString typed = txtNo->text();
    if (typed.isEmpty())
        BindStock(InStock());
    else
        BindStock(QStringLiteral("Typeno Like ") + core::SqlQuote(QLatin1Char('%') + typed + QLatin1Char('%')) +
                  QStringLiteral(" And ") + InStock());
    if (hasStockRow())
        VSFlexGrid->setRow(1);
    emit filtered();
}

// -- the discount and the special price ---------------------------------------------------

void StockPicker::txtAbate_GotFocus()
{
    txtAbate->selectAll();
    OptAbate->setChecked(true);
}

void StockPicker::txtChangePrice_GotFocus()
{
    txtChangePrice->selectAll();
    OptChangePrice->setChecked(true);
}

void StockPicker::txtAbate_Change()
{
    const QString shown = pricing::AbateAsShown(txtAbate->text());
    if (shown != txtAbate->text())
        txtAbate->setText(shown);
}

bool StockPicker::txtAbate_KeyDown(int KeyCode)
{
    if (KeyCode != Qt::Key_Down)
        return false;
    OptChangePrice->setChecked(true);
    txtChangePrice->setFocus();
    return true;
}

bool StockPicker::txtChangePrice_KeyDown(int KeyCode)
{
    if (KeyCode != Qt::Key_Up)
        return false;
    OptAbate->setChecked(true);
    txtAbate->setFocus();
    return true;
}

void StockPicker::OptAbate_Click() { txtAbate->setFocus(); }
void StockPicker::OptChangePrice_Click() { txtChangePrice->setFocus(); }

pricing::AbateCheck StockPicker::CheckDiscount(const QString& retail) const
{
    const QString abate = txtAbate->text();
    const pricing::AbateCheck check = pricing::CheckAbate(abate);
    if (check == pricing::AbateCheck::Ok && !pricing::DiscountAmount(retail, abate))
        return pricing::AbateCheck::OutOfRange;
    return check;
}

pricing::SpecialCheck StockPicker::CheckSpecialPrice(const QString& retail) const
{
    return pricing::CheckSpecial(txtChangePrice->text(), retail);
}

StockPicker::Charge StockPicker::PieceCharge(const QString& retail) const
{
    if (OptAbate->isChecked())
        return {txtAbate->text(), pricing::DiscountAmount(retail, txtAbate->text())};
    return {pricing::kSpecial, pricing::SpecialAmount(txtChangePrice->text())};
}

}  // namespace sales
