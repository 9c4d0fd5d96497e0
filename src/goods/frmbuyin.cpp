#include "goods/frmbuyin.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "core/queryparts.h"
#include "goods/frmbatchbuyin.h"
#include "goods/frmgoodsproperty.h"
#include "goods/rules/receipttriple.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "platform/vbkeys.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmBuyIn::frmBuyIn(QWidget* parent)
    : FormBase(parent),
      txtNo(new QLineEdit(this)),
      VSFlexGrid(new FlexGrid(this)),
      fraRestock(new QGroupBox(QStringLiteral("补货"), this)),
      txtPrice(new QLineEdit(this)),
      txtQuantity(new QLineEdit(this)),
      DT(core::DatePicker(this)),
      cmdPutIn(new QPushButton(QStringLiteral("入 库(&I)"), this)),
      cmdNewGoods(new QPushButton(QStringLiteral("单品进货(&N)"), this)),
      Command1(new QPushButton(QStringLiteral("批量进货(&B)"), this)),
      lbTitle(new QLabel(QStringLiteral(
                             "  使用帮助：单品进货针对某个货号同颜色同的服装，逐个入库。批量进货是针对同一货号的服装，"
                             "不同颜色不同号的批量入库。（建议批量进货速度比较快） "
                             "如果某个货号的服装在库存中已存在，可以在上面的货号栏直接输入货号查找出对应的服装，"
                             "在下面补货输入价格和数量，直接点本页面的入库，库存直接就增加了。"),
                         this))
{
    setWindowTitle(QStringLiteral("进货"));
    txtNo->setObjectName(QStringLiteral("txtNo"));
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
    fraRestock->setObjectName(QStringLiteral("fraRestock"));
    txtPrice->setObjectName(QStringLiteral("txtPrice"));
    txtQuantity->setObjectName(QStringLiteral("txtQuantity"));
    DT->setObjectName(QStringLiteral("DT"));
    cmdPutIn->setObjectName(QStringLiteral("cmdPutIn"));
    cmdNewGoods->setObjectName(QStringLiteral("cmdNewGoods"));
    Command1->setObjectName(QStringLiteral("Command1"));
    lbTitle->setObjectName(QStringLiteral("lbTitle"));

    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("货  号"), this));
    search->addWidget(txtNo);
    search->addStretch(1);
    txtNo->setMinimumWidth(220);

    auto* restock = new QGridLayout(fraRestock);
    restock->addWidget(new QLabel(QStringLiteral("进 价"), fraRestock), 0, 0);
    restock->addWidget(txtPrice, 0, 1);
    restock->addWidget(new QLabel(QStringLiteral("数 量"), fraRestock), 0, 2);
    restock->addWidget(txtQuantity, 0, 3);
    restock->addWidget(new QLabel(QStringLiteral("进货日期"), fraRestock), 0, 4);
    restock->addWidget(DT, 0, 5);
    restock->addWidget(cmdPutIn, 0, 6);
    restock->setColumnStretch(1, 1);
    restock->setColumnStretch(3, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(fraRestock, 1);
    bottom->addSpacing(12);
    bottom->addWidget(cmdNewGoods, 0, Qt::AlignBottom);
    bottom->addWidget(Command1, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(search);
    layout->addWidget(VSFlexGrid, 1);
    layout->addLayout(bottom);
    layout->addWidget(lbTitle);
    resize(1040, 620);

    setTabOrder(txtNo, VSFlexGrid);
    setTabOrder(VSFlexGrid, txtPrice);
    setTabOrder(txtPrice, txtQuantity);
    setTabOrder(txtQuantity, DT);
    setTabOrder(DT, cmdPutIn);
    setTabOrder(cmdPutIn, cmdNewGoods);
    setTabOrder(cmdNewGoods, Command1);

    connect(txtNo, &QLineEdit::textChanged, this, [this] { txtNo_Change(); });
    vbkeys::onKeyDown(txtNo, [this](int key, Qt::KeyboardModifiers) { return txtNo_KeyDown(key); });
    connect(VSFlexGrid, &FlexGrid::enterPressed, this, [this] {
        int k = 13;
        VSFlexGrid_KeyPress(k);
    });
    vbkeys::onKeyPress(txtPrice, [this](int& k) { txtPrice_KeyPress(k); });
    vbkeys::onKeyPress(txtQuantity, [this](int& k) { txtQuantity_KeyPress(k); });
    connect(cmdPutIn, &QPushButton::clicked, this, [this] { cmdPutIn_Click(); });
    connect(cmdNewGoods, &QPushButton::clicked, this, [this] { cmdNewGoods_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Form_Load();
    txtNo->setFocus();
}

void frmBuyIn::Form_Load()
{
    LoadGoods();
    DT->setDate(ui::today());
}

void frmBuyIn::BindStock(const QString& sql)
{
    VSFlexGrid->bind(gDbopt.Excute(sql));
    VSFlexGrid->setColHidden(1, true);
    core::SetGridColumns(*VSFlexGrid, 1160);
    // The current cell goes to the first shown column, so that the arrow keys
    // move from row to row at once.
    if (VSFlexGrid->cols() > 2)
        VSFlexGrid->setCol(2);
}

void frmBuyIn::LoadGoods()
{
    BindStock(core::StockColumns() +
              QStringLiteral(" ,Quantity as 数量,IDCode as 条码,GoodsFloor as 柜层 from Store Where ShopNo=") +
              core::SqlQuote(gShopNo));
}

void frmBuyIn::txtNo_Change()
{
    const QString t = txtNo->text();
    const QString columns =
        core::StockColumns() + QStringLiteral(",Quantity as 数量,IDCode as 条码,GoodsFloor as 柜层 from Store Where ");
    if (t.isEmpty())
        BindStock(columns + QStringLiteral("ShopNo=") + core::SqlQuote(gShopNo));
    else
        BindStock(columns + QStringLiteral("Typeno like ") + core::SqlQuote(QLatin1Char('%') + t + QLatin1Char('%')) +
                  QStringLiteral(" And ShopNo=") + core::SqlQuote(gShopNo));
    if (VSFlexGrid->rows() > 1)
        VSFlexGrid->setRow(1);
}

bool frmBuyIn::txtNo_KeyDown(int KeyCode)
{
    if (KeyCode != Qt::Key_Down || VSFlexGrid->rows() <= 1)
        return false;
    VSFlexGrid->setFocus();
    return true;
}

void frmBuyIn::VSFlexGrid_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13 && VSFlexGrid->rows() > 1)
        txtQuantity->setFocus();
}

void frmBuyIn::txtPrice_KeyPress(int& KeyAscii) { core::EnterToTab(KeyAscii); }
void frmBuyIn::txtQuantity_KeyPress(int& KeyAscii) { core::EnterToTab(KeyAscii); }

void frmBuyIn::cmdPutIn_Click()
{
    FlexGrid& grid = *VSFlexGrid;
    if (grid.rows() <= 1)
        return;
    const QString wrongType = QStringLiteral("数据类型不正确！");
    const std::optional<float> price = goods::ReadPrice(txtPrice->text());
    if (!price) {
        ui::msg().info(wrongType);
        txtPrice->setFocus();
        return;
    }
    const std::optional<qint32> quantity = goods::ReadQuantity(txtQuantity->text());
    if (!quantity) {
        ui::msg().info(wrongType);
        txtQuantity->setFocus();
        return;
    }

    const int row = grid.row();
    goods::ReceiptValues v;
    static_cast<core::GoodsFields&>(v) = core::GoodsOfGridRow(grid, row);
    v.Price = *price;
    v.Quantity = *quantity;
    v.Date = DT->date();
    const goods::ReceiptTriple receipt = goods::RestockReceipt(grid.text(row, QStringLiteral("GUID")), v);

    if (!ui::msg().ask(QStringLiteral("确认要入库吗？")))
        return;
    // Nothing is written unless all of it is: the list and the boxes stay for
    // another try. Another program may have deleted the stock row meanwhile.
    const core::Outcome result = goods::WriteRestock(receipt);
    if (!core::Written(result)) {
        if (result.Result == core::WriteResult::StockRowGone)
            ui::msg().info(QStringLiteral("对不起！该商品已经不在库存中，请重新查询！"));
        return;
    }

    const QString quantityKey = QStringLiteral("数量");
    grid.setText(row, quantityKey, vb::numberText(vb::val(grid.text(row, quantityKey)) + v.Quantity));
    txtPrice->clear();
    txtQuantity->clear();
    txtNo->setFocus();
}

void frmBuyIn::cmdNewGoods_Click()
{
    frmGoodsProperty w(VSFlexGrid, this);
    w.showModal();
}

void frmBuyIn::Command1_Click()
{
    // A fresh matrix at every click.
    frmbatchbuyIn w(VSFlexGrid, this);
    w.showModal();
}
