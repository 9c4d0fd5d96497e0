#include "aftersales/frmchange.h"

#include "aftersales/rules/clientexchange.h"
#include "aftersales/frmclientbackchange.h"
#include "core/goodsfields.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "platform/vbkeys.h"
#include "sales/rules/pricing.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kKeyGUID = QStringLiteral("GUID");
const QString kKeyQuantity = QStringLiteral("数量");
const QString kKeyPrice = QStringLiteral("零售价");
const QString kKeyAmount = QStringLiteral("应收金额");

}  // namespace

frmChange::frmChange(frmClientBackChange& exchange)
    : FormBase(&exchange),
      stock_(this, QString(), 1000),
      txtNo(stock_.txtNo),
      VSFlexGrid(stock_.VSFlexGrid),
      OptAbate(stock_.OptAbate),
      txtAbate(stock_.txtAbate),
      OptChangePrice(stock_.OptChangePrice),
      txtChangePrice(stock_.txtChangePrice),
      cmdOk(new QPushButton(QStringLiteral("确 定(&O)"), this)),
      comAbate(new QComboBox(this)),
      txtQuatity(new QLineEdit(QStringLiteral("1"), this)),
      exchange_(exchange)
{
    setWindowTitle(QStringLiteral("调换"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    comAbate->setObjectName(QStringLiteral("comAbate"));
    txtQuatity->setObjectName(QStringLiteral("txtQuatity"));

    // One piece replaces one piece: the quantity is shown, never read.
    txtQuatity->setReadOnly(true);
    txtQuatity->setFocusPolicy(Qt::NoFocus);
    comAbate->setFocusPolicy(Qt::NoFocus);

    auto* top = new QHBoxLayout;
    stock_.AddGoodsNumber(top);
    top->addStretch(1);

    auto* entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("数  量"), this));
    entry->addWidget(txtQuatity);
    entry->addSpacing(16);
    entry->addWidget(new QLabel(QStringLiteral("折 扣"), this));
    entry->addWidget(comAbate);
    entry->addSpacing(16);
    stock_.AddPriceBoxes(entry);
    entry->addStretch(1);
    entry->addWidget(cmdOk);
    txtQuatity->setFixedWidth(96);

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

    connect(VSFlexGrid, &FlexGrid::enterPressed, this, [this] {
        int k = 13;
        VSFlexGrid_KeyPress(k);
    });
    vbkeys::onKeyDown(OptAbate, [this](int key, Qt::KeyboardModifiers) { return OptAbate_KeyDown(key); });
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
    stock_.LoadStockList();
    core::FillDictionaryCombo(QStringLiteral("折扣"), comAbate);
}

void frmChange::VSFlexGrid_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13 && stock_.hasStockRow())
        txtAbate->setFocus();
}

// -- the discount and the special price ---------------------------------------------------

bool frmChange::OptAbate_KeyDown(int KeyCode)
{
    if (KeyCode != Qt::Key_Down || !stock_.hasStockRow())
        return false;
    VSFlexGrid->setFocus();
    return true;
}

bool frmChange::CheckAbateBox()
{
    const pricing::AbateCheck check = stock_.CheckDiscount(stock_.Current(kKeyPrice));
    if (check == pricing::AbateCheck::Ok)
        return true;
    ui::msg().info(pricing::AbateRefusal(check));
    txtAbate->setFocus();
    return false;
}

bool frmChange::CheckSpecialPriceBox()
{
    using pricing::SpecialCheck;
    const SpecialCheck check = stock_.CheckSpecialPrice(stock_.Current(kKeyPrice));
    if (check == SpecialCheck::Ok)
        return true;
    ui::msg().info(check == SpecialCheck::NotANumber  ? QStringLiteral("请输入有效的数据！")
                   : check == SpecialCheck::BelowZero ? QStringLiteral("特价也不可能小于0的！")
                                                      : QStringLiteral("特价比零售价还要贵么？"));
    (check == SpecialCheck::AboveRetail ? txtAbate : txtChangePrice)->setFocus();
    return false;
}

bool frmChange::CheckStock()
{
    const double onHand = vb::val(stock_.Current(kKeyQuantity));
    if (onHand - exchange_.CountPendingPairs(stock_.Current(kKeyGUID)) >= 1)
        return true;
    ui::msg().info(aftersales::kOutOfStockToExchange);
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
    if (!stock_.hasStockRow()) {
        ui::msg().info(QStringLiteral("没有可以调换的商品！"));
        return;
    }
    const int r = VSFlexGrid->row();
    const QString refusal = aftersales::ReplacementRefusal(TypeNo_, Price_, VSFlexGrid->text(r, QStringLiteral("货号")),
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
    const sales::StockPicker::Charge charge = stock_.PieceCharge(retail);
    if (!charge.Amount)
        return;  // the checks before adding refuse such amounts

    exchange_.SetMarked(exchange_.VSFlexGrid->row(), true);

    FlexGrid& pairs = *exchange_.VSChange;
    pairs.addItem(QString());
    const int p = pairs.rows() - 1;
    pairs.setTextMatrix(p, 1, StoreGUID);
    core::SetGoodsOfGridRow(pairs, p, core::GoodsOfGridRow(*VSFlexGrid, from));
    pairs.setText(p, kKeyPrice, retail);
    pairs.setText(p, kKeyQuantity, QStringLiteral("1"));
    pairs.setText(p, QStringLiteral("折扣"), charge.Abate);
    pairs.setText(p, kKeyAmount, vb::numberText(*charge.Amount));
    pairs.setText(p, QStringLiteral("SellGUID"), GUID_);
    pairs.setText(p, QStringLiteral("SellNo"), SellNo_);
    pairs.setRow(p);

    exchange_.lbAmount->setText(vb::numberText(vb::val(exchange_.lbAmount->text()) + *charge.Amount));
}
