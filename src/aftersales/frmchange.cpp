#include "aftersales/frmchange.h"

#include "aftersales/clientexchange.h"
#include "aftersales/frmclientbackchange.h"
#include "core/goodsfields.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/services.h"
#include "platform/vb.h"
#include "platform/vbkeys.h"
#include "sales/pricing.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <optional>

namespace {

const QString kKeyGUID = QStringLiteral("GUID");
const QString kKeyQuantity = QStringLiteral("数量");
const QString kKeyPrice = QStringLiteral("零售价");
const QString kKeyAmount = QStringLiteral("应收金额");

}  // namespace

frmChange::frmChange(frmClientBackChange& exchange)
    : FormBase(&exchange),
      txtNo(new QLineEdit(this)),
      VSFlexGrid(new FlexGrid(this)),
      OptAbate(new QRadioButton(QStringLiteral("折 扣"), this)),
      txtAbate(new QLineEdit(pricing::kFull, this)),
      OptChangePrice(new QRadioButton(QStringLiteral("特 价"), this)),
      txtChangePrice(new QLineEdit(this)),
      cmdOk(new QPushButton(QStringLiteral("确 定(&O)"), this)),
      comAbate(new QComboBox(this)),
      txtQuatity(new QLineEdit(QStringLiteral("1"), this)),
      exchange_(exchange)
{
    setWindowTitle(QStringLiteral("调换"));
    txtNo->setObjectName(QStringLiteral("txtNo"));
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
    OptAbate->setObjectName(QStringLiteral("OptAbate"));
    txtAbate->setObjectName(QStringLiteral("txtAbate"));
    OptChangePrice->setObjectName(QStringLiteral("OptChangePrice"));
    txtChangePrice->setObjectName(QStringLiteral("txtChangePrice"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    comAbate->setObjectName(QStringLiteral("comAbate"));
    txtQuatity->setObjectName(QStringLiteral("txtQuatity"));

    auto* modes = new QButtonGroup(this);
    modes->addButton(OptAbate);
    modes->addButton(OptChangePrice);
    OptAbate->setChecked(true);
    // One piece replaces one piece: the quantity is shown, never read.
    txtQuatity->setReadOnly(true);
    txtQuatity->setFocusPolicy(Qt::NoFocus);
    comAbate->setFocusPolicy(Qt::NoFocus);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("货  号"), this));
    top->addWidget(txtNo);
    top->addStretch(1);
    txtNo->setMinimumWidth(200);

    auto* entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("数  量"), this));
    entry->addWidget(txtQuatity);
    entry->addSpacing(16);
    entry->addWidget(new QLabel(QStringLiteral("折 扣"), this));
    entry->addWidget(comAbate);
    entry->addSpacing(16);
    entry->addWidget(OptAbate);
    entry->addWidget(txtAbate);
    entry->addSpacing(16);
    entry->addWidget(OptChangePrice);
    entry->addWidget(txtChangePrice);
    entry->addStretch(1);
    entry->addWidget(cmdOk);
    for (QLineEdit* box : {txtQuatity, txtAbate, txtChangePrice})
        box->setFixedWidth(96);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addWidget(VSFlexGrid, 1);
    layout->addLayout(entry);
    resize(1000, 520);

    setTabOrder(txtNo, VSFlexGrid);
    setTabOrder(VSFlexGrid, OptAbate);
    setTabOrder(OptAbate, txtAbate);
    setTabOrder(txtAbate, OptChangePrice);
    setTabOrder(OptChangePrice, txtChangePrice);
    setTabOrder(txtChangePrice, cmdOk);

    connect(txtNo, &QLineEdit::textChanged, this, [this] { txtNo_Change(); });
    connect(VSFlexGrid, &FlexGrid::enterPressed, this, [this] {
        int k = 13;
        VSFlexGrid_KeyPress(k);
    });
    vbkeys::onKeyDown(OptAbate, [this](int key, Qt::KeyboardModifiers) { return OptAbate_KeyDown(key); });
    connect(OptAbate, &QRadioButton::clicked, this, [this] { OptAbate_Click(); });
    connect(OptChangePrice, &QRadioButton::clicked, this, [this] { OptChangePrice_Click(); });
    vbkeys::onGotFocus(txtAbate, [this] { txtAbate_GotFocus(); });
    vbkeys::onGotFocus(txtChangePrice, [this] { txtChangePrice_GotFocus(); });
    vbkeys::onKeyDown(txtAbate, [this](int key, Qt::KeyboardModifiers) { return txtAbate_KeyDown(key); });
    vbkeys::onKeyDown(txtChangePrice,
                      [this](int key, Qt::KeyboardModifiers) { return txtChangePrice_KeyDown(key); });
    connect(txtAbate, &QLineEdit::textChanged, this, [this] { txtAbate_Change(); });
    vbkeys::onKeyPress(txtAbate, [this](int& k) { txtAbate_KeyPress(k); });
    vbkeys::onKeyPress(txtChangePrice, [this](int& k) { txtChangePrice_KeyPress(k); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });

    Form_Load();
    txtNo->setFocus();
}

void frmChange::LoadIt(const QString& GUID, const QString& SellNo, const QString& TypeNo, float Price)
{
    GUID_ = GUID;
    SellNo_ = SellNo;
    TypeNo_ = TypeNo;
    Price_ = vb::singleText(Price);
}

// -- the stock list -------------------------------------------------------------------

void frmChange::Form_Load()
{
    LoadStockList();
    FillDictionaryCombo(QStringLiteral("折扣"), comAbate);
}

void frmChange::BindStock(const QString& sql)
{
    VSFlexGrid->bind(gDbopt.Excute(sql));
    VSFlexGrid->setColHidden(1, true);
    SetGridColumns(*VSFlexGrid, 1000);
}

bool frmChange::hasStockRow() const { return VSFlexGrid->rows() > 1; }

void frmChange::LoadStockList()
{
    BindStock(kStockColumns + QStringLiteral(",Quantity as 数量,Price as 零售价 from Store Where ShopNo='") +
              SqlQuote(gShopNo) + QStringLiteral("' And Quantity>0"));
}

void frmChange::txtNo_Change()
{
    const QString columns = kStockColumns + QStringLiteral(",Quantity as 数量 ,Price as 零售价 from Store Where ");
    const QString shop = QStringLiteral("ShopNo='") + SqlQuote(gShopNo) + QStringLiteral("' And Quantity>0");
    const QString typed = txtNo->text();
    if (typed.isEmpty())
        BindStock(columns + shop);
    else
        BindStock(columns + QStringLiteral("Typeno Like'%") + SqlQuote(typed) + QStringLiteral("%' And ") + shop);
    if (hasStockRow())
        VSFlexGrid->setRow(1);
}

void frmChange::VSFlexGrid_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13 && hasStockRow())
        txtAbate->setFocus();
}

// -- the discount and the special price ---------------------------------------------------

bool frmChange::OptAbate_KeyDown(int KeyCode)
{
    if (KeyCode != Qt::Key_Down || !hasStockRow())
        return false;
    VSFlexGrid->setFocus();
    return true;
}

void frmChange::OptAbate_Click() { txtAbate->setFocus(); }
void frmChange::OptChangePrice_Click() { txtChangePrice->setFocus(); }

void frmChange::txtAbate_GotFocus()
{
    txtAbate->selectAll();
    OptAbate->setChecked(true);
}

void frmChange::txtChangePrice_GotFocus()
{
    txtChangePrice->selectAll();
    OptChangePrice->setChecked(true);
}

bool frmChange::txtAbate_KeyDown(int KeyCode)
{
    if (KeyCode != Qt::Key_Down)
        return false;
    OptChangePrice->setChecked(true);
    txtChangePrice->setFocus();
    return true;
}

bool frmChange::txtChangePrice_KeyDown(int KeyCode)
{
    if (KeyCode != Qt::Key_Up)
        return false;
    OptAbate->setChecked(true);
    txtAbate->setFocus();
    return true;
}

void frmChange::txtAbate_Change()
{
    const QString shown = pricing::AbateAsShown(txtAbate->text());
    if (shown != txtAbate->text())
        txtAbate->setText(shown);
}

bool frmChange::CheckAbateBox()
{
    const QString abate = txtAbate->text();
    pricing::AbateCheck check = pricing::CheckAbate(abate);
    // An amount the program cannot hold is refused as a discount out of range.
    if (check == pricing::AbateCheck::Ok &&
        !pricing::DiscountAmount(VSFlexGrid->text(VSFlexGrid->row(), kKeyPrice), abate))
        check = pricing::AbateCheck::OutOfRange;
    if (check == pricing::AbateCheck::Ok)
        return true;
    ui::msg().info(pricing::AbateRefusal(check));
    txtAbate->setFocus();
    return false;
}

bool frmChange::CheckSpecialPriceBox()
{
    const QString price = txtChangePrice->text();
    if (!vb::isNumeric(price) || !pricing::SpecialAmount(price)) {
        ui::msg().info(QStringLiteral("请输入有效的数据！"));
        txtChangePrice->setFocus();
        return false;
    }
    if (vb::val(price) < 0) {
        ui::msg().info(QStringLiteral("特价也不可能小于0的！"));
        txtChangePrice->setFocus();
        return false;
    }
    if (vb::val(price) > vb::val(VSFlexGrid->text(VSFlexGrid->row(), kKeyPrice))) {
        ui::msg().info(QStringLiteral("特价比零售价还要贵么？"));
        txtAbate->setFocus();
        return false;
    }
    return true;
}

bool frmChange::CheckStock()
{
    const int r = VSFlexGrid->row();
    const double onHand = vb::val(VSFlexGrid->text(r, kKeyQuantity));
    if (onHand - exchange_.CountPendingPairs(VSFlexGrid->text(r, kKeyGUID)) >= 1)
        return true;
    ui::msg().info(kOutOfStockToExchange);
    return false;
}

void frmChange::txtAbate_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    if (CheckAbateBox())
        cmdOk->setFocus();
}

void frmChange::txtChangePrice_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    if (CheckSpecialPriceBox() && CheckStock())
        cmdOk->setFocus();
}

// -- the confirmation ---------------------------------------------------------------------

void frmChange::cmdOk_Click()
{
    if (!hasStockRow()) {
        ui::msg().info(QStringLiteral("没有可以调换的商品！"));
        return;
    }
    const int r = VSFlexGrid->row();
    const QString refusal = ReplacementRefusal(TypeNo_, Price_, VSFlexGrid->text(r, QStringLiteral("货号")),
                                               VSFlexGrid->text(r, kKeyPrice), gSellRole);
    if (!refusal.isEmpty()) {
        ui::msg().info(refusal);
        return;
    }
    // The checks of the Enter keys hold here as well, and the stock counts the
    // pieces already paired, so that no two pairs take the same last piece.
    if (!(OptAbate->isChecked() ? CheckAbateBox() : CheckSpecialPriceBox()) || !CheckStock())
        return;
    if (!ui::msg().ask(QStringLiteral("确定要调换吗？")))
        return;

    AddChangeRow(VSFlexGrid->text(r, kKeyGUID));
    FlexGrid& lines = *exchange_.VSFlexGrid;
    const int line = lines.row();
    exchange_.lbHave->setText(
        vb::numberText(vb::val(exchange_.lbHave->text()) + vb::val(lines.text(line, kKeyAmount))));
    exchange_.lbBackAdd->setText(
        vb::numberText(vb::val(exchange_.lbAmount->text()) - vb::val(exchange_.lbHave->text())));
    lines.setText(line, QStringLiteral("调换原因"), exchange_.comResion->currentText());
    accept();
}

void frmChange::AddChangeRow(const QString& StoreGUID)
{
    const int from = VSFlexGrid->row();
    const QString retail = VSFlexGrid->text(from, kKeyPrice);
    QString abate;
    std::optional<qint32> amount;
    if (OptAbate->isChecked()) {
        abate = txtAbate->text();
        amount = pricing::DiscountAmount(retail, abate);
    } else {
        abate = pricing::kSpecial;
        amount = pricing::SpecialAmount(txtChangePrice->text());
    }
    if (!amount)
        return;  // the checks before adding refuse such amounts

    exchange_.SetMarked(exchange_.VSFlexGrid->row(), true);

    FlexGrid& pairs = *exchange_.VSChange;
    pairs.addItem(QString());
    const int p = pairs.rows() - 1;
    pairs.setTextMatrix(p, 1, StoreGUID);
    SetGoodsOfGridRow(pairs, p, GoodsOfGridRow(*VSFlexGrid, from));
    pairs.setText(p, kKeyPrice, retail);
    pairs.setText(p, kKeyQuantity, QStringLiteral("1"));
    pairs.setText(p, QStringLiteral("折扣"), abate);
    pairs.setText(p, kKeyAmount, vb::numberText(*amount));
    pairs.setText(p, QStringLiteral("SellGUID"), GUID_);
    pairs.setText(p, QStringLiteral("SellNo"), SellNo_);
    pairs.setRow(p);

    exchange_.lbAmount->setText(vb::numberText(vb::val(exchange_.lbAmount->text()) + *amount));
}
