#include "goods/frmgoodsproperty.h"

#include "core/frmdatadictionary.h"
#include "core/modmain.h"
#include "core/picklistwidgets.h"
#include "goods/receipttriple.h"
#include "platform/flexgrid.h"
#include "platform/services.h"
#include "platform/vbkeys.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmGoodsProperty::frmGoodsProperty(FlexGrid* buyInList, QWidget* parent)
    : FormBase(parent),
      tabGoods(new QTabWidget(this)),
      txtNo(new QLineEdit(this)),
      comName(PickListCombo(this)),
      comBrand(PickListCombo(this)),
      comSize(PickListCombo(this)),
      comColour(PickListCombo(this)),
      comLeather(PickListCombo(this)),
      comGrade(PickListCombo(this)),
      comProductPlace(PickListCombo(this)),
      txtPrice(new QLineEdit(this)),
      txtSellPrice(new QLineEdit(this)),
      txtQuantity(new QLineEdit(this)),
      txtBlock(new QLineEdit(this)),
      txtFloor(new QLineEdit(this)),
      txtMemo(new QLineEdit(this)),
      DT(new QDateEdit(this)),
      cmdPutIn(new QPushButton(QStringLiteral("入 库(&I)"), this)),
      cmdClear(new QPushButton(QStringLiteral("清 空(&C)"), this)),
      cmdName(PickListButton(this)),
      cmdBrand(PickListButton(this)),
      cmdSize(PickListButton(this)),
      cmdColour(PickListButton(this)),
      cmdLeather(PickListButton(this)),
      cmdGrade(PickListButton(this)),
      cmdProductPlace(PickListButton(this)),
      buyInList_(buyInList)
{
    setWindowTitle(QStringLiteral("新货"));
    const QList<QPair<QWidget*, const char*>> names = {
        {tabGoods, "tabGoods"},
        {txtNo, "txtNo"},
        {comName, "comName"},
        {comBrand, "comBrand"},
        {comSize, "comSize"},
        {comColour, "comColour"},
        {comLeather, "comLeather"},
        {comGrade, "comGrade"},
        {comProductPlace, "comProductPlace"},
        {txtPrice, "txtPrice"},
        {txtSellPrice, "txtSellPrice"},
        {txtQuantity, "txtQuantity"},
        {txtBlock, "txtBlock"},
        {txtFloor, "txtFloor"},
        {txtMemo, "txtMemo"},
        {DT, "DT"},
        {cmdPutIn, "cmdPutIn"},
        {cmdClear, "cmdClear"},
        {cmdName, "cmdName"},
        {cmdBrand, "cmdBrand"},
        {cmdSize, "cmdSize"},
        {cmdColour, "cmdColour"},
        {cmdLeather, "cmdLeather"},
        {cmdGrade, "cmdGrade"},
        {cmdProductPlace, "cmdProductPlace"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));

    DT->setCalendarPopup(true);
    DT->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));

    // The tab: two columns of fields, each pick list with its "…" button.
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->setContentsMargins(16, 16, 16, 16);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(10);
    // Columns: label, input, "…" | label, input, "…"; an input without a button
    // takes the button's column too, the memo the whole row.
    auto field = [&](int row, int col, const QString& label, QWidget* input, QPushButton* button = nullptr) {
        g->addWidget(new QLabel(label, page), row, col * 3);
        g->addWidget(input, row, col * 3 + 1, 1, button ? 1 : 2);
        if (button)
            g->addWidget(button, row, col * 3 + 2);
    };
    field(0, 0, QStringLiteral("货  号"), txtNo);
    field(0, 1, QStringLiteral("进货日期"), DT);
    field(1, 0, QStringLiteral("种  类"), comName, cmdName);
    field(1, 1, QStringLiteral("品  牌"), comBrand, cmdBrand);
    field(2, 0, QStringLiteral("尺  码"), comSize, cmdSize);
    field(2, 1, QStringLiteral("颜  色"), comColour, cmdColour);
    field(3, 0, QStringLiteral("面  料 "), comLeather, cmdLeather);
    field(3, 1, QStringLiteral("等  级"), comGrade, cmdGrade);
    field(4, 0, QStringLiteral("产  地"), comProductPlace, cmdProductPlace);
    field(4, 1, QStringLiteral("货 柜 层"), txtFloor);
    field(5, 0, QStringLiteral("进 价"), txtPrice);
    field(5, 1, QStringLiteral("零售价"), txtSellPrice);
    field(6, 0, QStringLiteral("数  量"), txtQuantity);
    field(6, 1, QStringLiteral("条  码"), txtBlock);
    g->addWidget(new QLabel(QStringLiteral("备  注"), page), 7, 0);
    g->addWidget(txtMemo, 7, 1, 1, 5);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(4, 1);
    g->setColumnMinimumWidth(3, 70);
    g->setRowStretch(8, 1);
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
    const QList<QWidget*> inputs = {
        txtNo,    comName,      comBrand,    comSize,  comColour, comLeather, comGrade, comProductPlace,
        txtPrice, txtSellPrice, txtQuantity, txtBlock, txtFloor,  txtMemo,    DT,
    };
    for (int i = 0; i + 1 < inputs.size(); ++i)
        setTabOrder(inputs[i], inputs[i + 1]);
    setTabOrder(DT, cmdPutIn);
    setTabOrder(cmdPutIn, cmdClear);
    for (QWidget* w : inputs)
        vbkeys::onKeyPress(w, [](int& k) { EnterToTab(k); });

    connect(cmdPutIn, &QPushButton::clicked, this, [this] { cmdPutIn_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdName, &QPushButton::clicked, this, [this] { cmdName_Click(); });
    connect(cmdBrand, &QPushButton::clicked, this, [this] { cmdBrand_Click(); });
    connect(cmdSize, &QPushButton::clicked, this, [this] { cmdSize_Click(); });
    connect(cmdColour, &QPushButton::clicked, this, [this] { cmdColour_Click(); });
    connect(cmdLeather, &QPushButton::clicked, this, [this] { cmdLeather_Click(); });
    connect(cmdGrade, &QPushButton::clicked, this, [this] { cmdGrade_Click(); });
    connect(cmdProductPlace, &QPushButton::clicked, this, [this] { cmdProductPlace_Click(); });

    Form_Load();
    txtNo->setFocus();
}

void frmGoodsProperty::Form_Load()
{
    FillDictionaryCombo(QStringLiteral("颜色"), comColour);
    FillDictionaryCombo(QStringLiteral("尺码"), comSize);
    FillDictionaryCombo(QStringLiteral("等级"), comGrade);
    FillDictionaryCombo(QStringLiteral("面料"), comLeather);
    FillDictionaryCombo(QStringLiteral("种类"), comName);
    FillDictionaryCombo(QStringLiteral("产地"), comProductPlace);
    FillDictionaryCombo(QStringLiteral("品牌"), comBrand);
    DT->setDate(ui::today());
}

void frmGoodsProperty::cmdName_Click() { frmDataDictionary::EditList(QStringLiteral("种类"), comName); }
void frmGoodsProperty::cmdBrand_Click() { frmDataDictionary::EditList(QStringLiteral("品牌"), comBrand); }
void frmGoodsProperty::cmdSize_Click() { frmDataDictionary::EditList(QStringLiteral("尺码"), comSize); }
void frmGoodsProperty::cmdColour_Click() { frmDataDictionary::EditList(QStringLiteral("颜色"), comColour); }
void frmGoodsProperty::cmdLeather_Click() { frmDataDictionary::EditList(QStringLiteral("面料"), comLeather); }
void frmGoodsProperty::cmdGrade_Click() { frmDataDictionary::EditList(QStringLiteral("等级"), comGrade); }
void frmGoodsProperty::cmdProductPlace_Click()
{
    frmDataDictionary::EditList(QStringLiteral("产地"), comProductPlace);
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
    const std::optional<float> price = ReadPrice(txtPrice->text());
    if (!price)
        return Refuse(wrongType, txtPrice);
    const std::optional<qint32> quantity = ReadQuantity(txtQuantity->text());
    if (!quantity)
        return Refuse(wrongType, txtQuantity);
    const std::optional<float> sellPrice = ReadPrice(txtSellPrice->text());
    if (!sellPrice)
        return Refuse(wrongType, txtSellPrice);

    ReceiptValues v;
    v.TypeNo = txtNo->text();
    v.Name = comName->currentText();
    v.Brand = comBrand->currentText();
    v.Size = comSize->currentText();
    v.Colour = comColour->currentText();
    v.Leather = comLeather->currentText();
    v.Grade = comGrade->currentText();
    v.ProductPlace = comProductPlace->currentText();
    v.Price = *price;
    v.Quantity = *quantity;
    v.SellPrice = *sellPrice;
    v.IDCode = txtBlock->text();
    v.GoodsFloor = txtFloor->text();
    v.Memo = txtMemo->text();
    v.Date = DT->date();
    const ReceiptTriple receipt = NewStockReceipt(v);

    if (!ui::msg().ask(QStringLiteral("确认要入库么？")))
        return;
    if (!WriteReceipt(receipt))
        return;  // nothing written; the values stay for another try
    if (buyInList_)
        buyInList_->addItem(StockRowText(receipt.StoreGUID, v));
    // The window stays open with its values for the next item.
}
