#include "goods/frmchangeprice.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "goods/rules/pricechange.h"
#include "goods/rules/receipttriple.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "platform/vbkeys.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kPriceCaption = QStringLiteral("零售价");
const QString kTypeNoCaption = QStringLiteral("货号");
}  // namespace

frmChangePrice::frmChangePrice(QWidget* parent)
    : FormBase(parent),
      VSFlexGrid(new FlexGrid(this)),
      txtNo(new QLineEdit(this)),
      txtNewPrice(new QLineEdit(this)),
      cmdNewPrice(new QPushButton(QStringLiteral("调 价(&C)"), this)),
      cmdChangePriceBath(new QPushButton(QStringLiteral("同货号调价(&B)"), this)),
      Label1(new QLabel(QStringLiteral("调价是把你选中的那种类型的服装进行价格变动"), this)),
      Label2(new QLabel(QStringLiteral("同货号调价是指同一货号的服装价格 一起变动"), this))
{
    setWindowTitle(QStringLiteral("价格变动"));
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
    txtNo->setObjectName(QStringLiteral("txtNo"));
    txtNewPrice->setObjectName(QStringLiteral("txtNewPrice"));
    cmdNewPrice->setObjectName(QStringLiteral("cmdNewPrice"));
    cmdChangePriceBath->setObjectName(QStringLiteral("cmdChangePriceBath"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    for (QLabel* help : {Label1, Label2})
        help->setForegroundRole(QPalette::PlaceholderText);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("货  号"), this));
    search->addWidget(txtNo);
    search->addStretch(1);
    txtNo->setMinimumWidth(220);

    auto* change = new QGridLayout;
    change->addWidget(new QLabel(QStringLiteral("变价为："), this), 0, 0);
    change->addWidget(txtNewPrice, 0, 1);
    change->addWidget(cmdNewPrice, 0, 2);
    change->addWidget(cmdChangePriceBath, 0, 3);
    change->addWidget(Label1, 1, 0, 1, 4);
    change->addWidget(Label2, 2, 0, 1, 4);
    change->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(search);
    layout->addWidget(VSFlexGrid, 1);
    layout->addLayout(change);
    resize(1040, 600);

    setTabOrder(txtNo, VSFlexGrid);
    setTabOrder(VSFlexGrid, txtNewPrice);
    setTabOrder(txtNewPrice, cmdNewPrice);
    setTabOrder(cmdNewPrice, cmdChangePriceBath);

    vbkeys::onKeyPress(txtNo, [this](int& k) { txtNo_KeyPress(k); });
    connect(VSFlexGrid, &FlexGrid::enterPressed, this, [this] {
        int k = 13;
        VSFlexGrid_KeyPress(k);
    });
    connect(cmdNewPrice, &QPushButton::clicked, this, [this] { cmdNewPrice_Click(); });
    connect(cmdChangePriceBath, &QPushButton::clicked, this, [this] { cmdChangePriceBath_Click(); });

    Form_Load();
    txtNo->setFocus();
}

void frmChangePrice::Form_Load() { LoadGoods(); }

void frmChangePrice::BindGoods(const QString& where)
{
    VSFlexGrid->bind(gDbopt.Excute(core::StockColumns() + QStringLiteral(",Price as 零售价 from Store Where ") + where));
    VSFlexGrid->setColHidden(1, true);
    core::SetGridColumns(*VSFlexGrid, 1250);
    // The current cell goes to the first shown column, so that the arrow keys
    // move from row to row at once.
    if (VSFlexGrid->cols() > 2)
        VSFlexGrid->setCol(2);
}

void frmChangePrice::LoadGoods()
{
    BindGoods(QStringLiteral("ShopNo=") + core::SqlQuote(gShopNo));
}

void frmChangePrice::txtNo_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    BindGoods(QStringLiteral("Typeno=") + core::SqlQuote(txtNo->text()) + QStringLiteral(" And ShopNo=") +
              core::SqlQuote(gShopNo));
    if (VSFlexGrid->rows() > 1) {
        VSFlexGrid->setRow(1);
        VSFlexGrid->setFocus();
    }
}

void frmChangePrice::VSFlexGrid_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13 && VSFlexGrid->rows() > 1)
        txtNewPrice->setFocus();
}

void frmChangePrice::cmdNewPrice_Click()
{
    const int row = VSFlexGrid->row();
    if (row < 1)
        return;  // no stock row chosen
    ApplyNewPrice(txtNewPrice->text(), false, VSFlexGrid->text(row, QStringLiteral("GUID")));
}

void frmChangePrice::cmdChangePriceBath_Click()
{
    const int row = VSFlexGrid->row();
    if (row < 1)
        return;
    ApplyNewPrice(txtNewPrice->text(), true, VSFlexGrid->text(row, kTypeNoCaption));
}

void frmChangePrice::ApplyNewPrice(const QString& price, bool byTypeNo, const QString& key)
{
    const std::optional<float> newPrice = goods::ReadPrice(price);
    if (!newPrice) {
        ui::msg().info(QStringLiteral("请输入正确的数据类型"));
        txtNewPrice->setFocus();
        txtNewPrice->selectAll();
        return;
    }
    const QString priceText = vb::singleText(*newPrice);
    const goods::PriceScope scope = byTypeNo ? goods::PriceScope::TypeNo : goods::PriceScope::StockRow;
    if (!core::Written(goods::ChangeRetailPrice(scope, key, priceText)))
        return;  // the engine's words have been shown; the list stays as stored

    FlexGrid& g = *VSFlexGrid;
    if (byTypeNo) {
        // The database compares goods numbers without regard to letter case; the
        // list changes only the rows of exactly this goods number.
        for (int r = 1; r < g.rows(); ++r)
            if (g.text(r, kTypeNoCaption) == key)
                g.setText(r, kPriceCaption, priceText);
    } else {
        g.setText(g.row(), kPriceCaption, priceText);
    }
    ui::msg().info(QStringLiteral("变价成功"));
}
