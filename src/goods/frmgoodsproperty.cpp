#include "goods/frmgoodsproperty.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "core/queryparts.h"
#include "goods/rules/receipttriple.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "platform/vbkeys.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmGoodsProperty::frmGoodsProperty(FlexGrid* buyInList, QWidget* parent)
    : FormBase(parent),
      goods_(this),
      tabGoods(new QTabWidget(this)),
      txtNo(goods_.txtNo),
      comName(goods_.comName),
      comBrand(goods_.comBrand),
      comSize(goods_.comSize),
      comColour(goods_.comColour),
      comLeather(goods_.comLeather),
      comGrade(goods_.comGrade),
      comProductPlace(goods_.comProductPlace),
      txtPrice(new QLineEdit(this)),
      txtSellPrice(new QLineEdit(this)),
      txtQuantity(new QLineEdit(this)),
      txtBlock(new QLineEdit(this)),
      txtFloor(new QLineEdit(this)),
      txtMemo(new QLineEdit(this)),
      DT(core::DatePicker(this)),
      cmdPutIn(new QPushButton(QStringLiteral("入 库(&I)"), this)),
      cmdClear(new QPushButton(QStringLiteral("清 空(&C)"), this)),
      cmdName(goods_.cmdName),
      cmdBrand(goods_.cmdBrand),
      cmdSize(goods_.cmdSize),
      cmdColour(goods_.cmdColour),
      cmdLeather(goods_.cmdLeather),
      cmdGrade(goods_.cmdGrade),
      cmdProductPlace(goods_.cmdProductPlace),
      buyInList_(buyInList)
{
    setWindowTitle(QStringLiteral("新货"));
    const QList<QPair<QWidget*, const char*>> names = {
        {tabGoods, "tabGoods"},       {txtPrice, "txtPrice"}, {txtSellPrice, "txtSellPrice"},
        {txtQuantity, "txtQuantity"}, {txtBlock, "txtBlock"}, {txtFloor, "txtFloor"},
        {txtMemo, "txtMemo"},         {DT, "DT"},             {cmdPutIn, "cmdPutIn"},
        {cmdClear, "cmdClear"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));


    // The tab: two columns of fields, each pick list with its "…" button.
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->setContentsMargins(16, 16, 16, 16);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(10);
    goods_.addGoodsRows(g, QStringLiteral("种  类"), DT);
    goods_.addField(g, 4, 1, QStringLiteral("货 柜 层"), txtFloor);
    goods_.addField(g, 5, 0, QStringLiteral("进 价"), txtPrice);
    goods_.addField(g, 5, 1, QStringLiteral("零售价"), txtSellPrice);
    goods_.addField(g, 6, 0, QStringLiteral("数  量"), txtQuantity);
    goods_.addField(g, 6, 1, QStringLiteral("条  码"), txtBlock);
    goods_.addWideField(g, 7, QStringLiteral("备  注"), txtMemo);
    goods::PropertyFields::finishGrid(g, 70, 8);
    tabGoods->addTab(page, QStringLiteral("新货信息"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdPutIn);
    buttons->addWidget(cmdClear);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(tabGoods, 1);
    layout->addLayout(buttons);
    resize(600, 420);

    // Enter moves on through the fields in this order.
    const QList<QWidget*> inputs =
        goods_.inputs() + QList<QWidget*>{txtPrice, txtSellPrice, txtQuantity, txtBlock, txtFloor, txtMemo, DT};
    for (int i = 0; i + 1 < inputs.size(); ++i)
        setTabOrder(inputs[i], inputs[i + 1]);
    setTabOrder(DT, cmdPutIn);
    setTabOrder(cmdPutIn, cmdClear);
    for (QWidget* w : inputs)
        vbkeys::onKeyPress(w, [](int& k) { core::EnterToTab(k); });

    connect(cmdPutIn, &QPushButton::clicked, this, [this] { cmdPutIn_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });

    Form_Load();
    txtNo->setFocus();
}

void frmGoodsProperty::Form_Load()
{
    goods_.fillLists();
    DT->setDate(ui::today());
}

void frmGoodsProperty::cmdClear_Click()
{
    // The text boxes only: the pick lists and the date keep their values.
    for (QLineEdit* box : {txtNo, txtPrice, txtSellPrice, txtQuantity, txtBlock, txtFloor, txtMemo})
        box->clear();
    txtNo->setFocus();
}

void frmGoodsProperty::Refuse(const QString& text, QWidget* field)
{
    ui::msg().info(text);
    field->setFocus();
}

void frmGoodsProperty::cmdPutIn_Click()
{
    const QString wrongType = QStringLiteral("数据类型不正确！");
    if (txtNo->text().isEmpty())
        return Refuse(QStringLiteral("货号不能为空！"), txtNo);
    if (comBrand->currentText().isEmpty())
        return Refuse(QStringLiteral("品牌不能为空！"), comBrand);
    const std::optional<float> price = goods::ReadPrice(txtPrice->text());
    if (!price)
        return Refuse(wrongType, txtPrice);
    const std::optional<qint32> quantity = goods::ReadQuantity(txtQuantity->text());
    if (!quantity)
        return Refuse(wrongType, txtQuantity);
    const std::optional<float> sellPrice = goods::ReadPrice(txtSellPrice->text());
    if (!sellPrice)
        return Refuse(wrongType, txtSellPrice);

    goods::ReceiptValues v;
    static_cast<core::GoodsFields&>(v) = goods_.fields();
    v.Price = *price;
    v.Quantity = *quantity;
    v.SellPrice = *sellPrice;
    v.IDCode = txtBlock->text();
    v.GoodsFloor = txtFloor->text();
    v.Memo = txtMemo->text();
    v.Date = DT->date();
    const goods::ReceiptTriple receipt = goods::NewStockReceipt(v);

    if (!ui::msg().ask(QStringLiteral("确认要入库么？")))
        return;
    if (!core::Written(goods::WriteReceipt(receipt)))
        return;  // nothing written; the values stay for another try
    if (buyInList_)
        buyInList_->addItem(goods::StockRowText(receipt.StoreGUID, v));
    // The window stays open with its values for the next item.
}
