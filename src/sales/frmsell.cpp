#include "sales/frmsell.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "platform/vbkeys.h"
#include "sales/rules/pricing.h"
#include "sales/receiptprinting.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <functional>
#include <optional>

namespace {

const QString kKeyGUID = QStringLiteral("GUID");
const QString kKeyQuantity = QStringLiteral("数量");
const QString kKeyPrice = QStringLiteral("零售价");
const QString kKeyAbate = QStringLiteral("折扣");
const QString kKeyAmount = QStringLiteral("应收金额");

// When the list asks for more pieces than a stock row has.
const QString kOutOfStock = QStringLiteral("库存不足不能结帐，请通知管理员！");

QLabel* figure(QWidget* parent)
{
    auto* l = new QLabel(parent);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 1.8);
    f.setBold(true);
    l->setFont(f);
    l->setMinimumWidth(150);
    l->setFrameShape(QFrame::StyledPanel);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setContentsMargins(8, 2, 8, 2);
    return l;
}

}  // namespace

QString sales::GetNextSellNo(SellNoStatus* status)
{
    QString error;
    const QString next = NextSellNo(status, &error);
    if (!error.isEmpty()) {
        ui::msg().plain(error);
        ui::msg().exclaim(core::kReadFailed, ui::kTitleTip);
    }
    return next;
}

frmSell::frmSell(QWidget* parent)
    : FormBase(parent),
      stock_(this, QStringLiteral(",IDCode as 条码"), 1148),
      VSFlexGrid(stock_.VSFlexGrid),
      VSSell(new FlexGrid(this)),
      txtNo(stock_.txtNo),
      txtIDCode(new QLineEdit(this)),
      txtQuatity(new QLineEdit(QStringLiteral("1"), this)),
      txtPrice(new QLineEdit(this)),
      OptAbate(stock_.OptAbate),
      txtAbate(stock_.txtAbate),
      OptChangePrice(stock_.OptChangePrice),
      txtChangePrice(stock_.txtChangePrice),
      cmdAdd(new QPushButton(QStringLiteral("加 单(&A)"), this)),
      lbAmount(figure(this)),
      lbOpt(new QLabel(this)),
      lbNo(new QLabel(this)),
      txtReciveAmout(new QLineEdit(this)),
      lb(figure(this)),
      cmdCheckOut(new QPushButton(QStringLiteral("结 帐(&C)"), this)),
      Main(new QMenu(QStringLiteral("主菜单"), this)),
      Cancel(Main->addAction(QStringLiteral("取消"))),
      LbInfo(new QLabel(QStringLiteral("F1:数量 F2:折扣 F3:特价 F4:客人付款 F5:货号 F6:商品列表 F7:预售列表 "
                                       "Del:取消当前商品 F8:重新打印"),
                        this)),
      lbTitle(new QLabel(
          QStringLiteral("  使用帮助：按F5在货号栏输入货号查找商品（或在条码栏扫描条码后回车），按下箭头进入商品列表，"
                         "选中商品后回车；输入数量后回车，再输入折扣（输入10即为全价）回车加单，或按下箭头输入特价后"
                         "回车加单。每件商品占预售列表的一行，按Del可取消当前商品。商品加完后按F4输入客人付款金额，"
                         "回车结帐；付款栏里按“+”可以继续加下一个商品。结帐后打印结帐单，需要先在系统参数设置中"
                         "打开打印功能；按F8重新打印上一次的结帐单。"),
          this))
{
    setWindowTitle(QStringLiteral("售货"));
    VSSell->setObjectName(QStringLiteral("VSSell"));
    txtIDCode->setObjectName(QStringLiteral("txtIDCode"));
    txtQuatity->setObjectName(QStringLiteral("txtQuatity"));
    txtPrice->setObjectName(QStringLiteral("txtPrice"));
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    lbAmount->setObjectName(QStringLiteral("lbAmount"));
    lbOpt->setObjectName(QStringLiteral("lbOpt"));
    lbNo->setObjectName(QStringLiteral("lbNo"));
    txtReciveAmout->setObjectName(QStringLiteral("txtReciveAmout"));
    lb->setObjectName(QStringLiteral("lb"));
    cmdCheckOut->setObjectName(QStringLiteral("cmdCheckOut"));
    Main->setObjectName(QStringLiteral("Main"));
    Cancel->setObjectName(QStringLiteral("Cancel"));
    LbInfo->setObjectName(QStringLiteral("LbInfo"));
    lbTitle->setObjectName(QStringLiteral("lbTitle"));

    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);
    LbInfo->setForegroundRole(QPalette::PlaceholderText);

    // Goods number and bar code on the left, the seller and the sale number on the right.
    auto* top = new QHBoxLayout;
    stock_.AddGoodsNumber(top);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("条  码"), this));
    top->addWidget(txtIDCode);
    top->addStretch(1);
    top->addWidget(new QLabel(QStringLiteral("销售员："), this));
    top->addWidget(lbOpt);
    top->addSpacing(24);
    top->addWidget(new QLabel(QStringLiteral("销售编号："), this));
    top->addWidget(lbNo);
    txtIDCode->setMinimumWidth(200);
    lbNo->setMinimumWidth(110);

    // What is added: quantity, retail price, discount or special price.
    auto* entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("数  量"), this));
    entry->addWidget(txtQuatity);
    entry->addSpacing(16);
    entry->addWidget(new QLabel(QStringLiteral("零售价"), this));
    entry->addWidget(txtPrice);
    entry->addSpacing(16);
    stock_.AddPriceBoxes(entry);
    entry->addSpacing(16);
    entry->addWidget(cmdAdd);
    entry->addStretch(1);
    for (QLineEdit* box : {txtQuatity, txtPrice})
        box->setFixedWidth(96);

    // The total due, the customer's payment and the change.
    auto* pay = new QHBoxLayout;
    pay->addWidget(new QLabel(QStringLiteral("应收金额"), this));
    pay->addWidget(lbAmount);
    pay->addSpacing(24);
    pay->addWidget(new QLabel(QStringLiteral("客人付款"), this));
    pay->addWidget(txtReciveAmout);
    pay->addSpacing(24);
    pay->addWidget(new QLabel(QStringLiteral("找回金额"), this));
    pay->addWidget(lb);
    pay->addSpacing(24);
    pay->addWidget(cmdCheckOut);
    pay->addStretch(1);
    txtReciveAmout->setFixedWidth(140);
    txtReciveAmout->setFont(lbAmount->font());
    cmdCheckOut->setMinimumHeight(txtReciveAmout->sizeHint().height());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addWidget(VSFlexGrid, 3);
    layout->addLayout(entry);
    layout->addSpacing(4);
    layout->addWidget(new QLabel(QStringLiteral("预售列表："), this));
    layout->addWidget(VSSell, 2);
    layout->addLayout(pay);
    layout->addSpacing(4);
    layout->addWidget(LbInfo);
    layout->addWidget(lbTitle);
    resize(1240, 700);

    setTabOrder(txtNo, txtIDCode);
    setTabOrder(txtIDCode, VSFlexGrid);
    setTabOrder(VSFlexGrid, txtQuatity);
    setTabOrder(txtQuatity, txtPrice);
    setTabOrder(txtPrice, OptAbate);
    setTabOrder(OptAbate, txtAbate);
    setTabOrder(txtAbate, OptChangePrice);
    setTabOrder(OptChangePrice, txtChangePrice);
    setTabOrder(txtChangePrice, cmdAdd);
    setTabOrder(cmdAdd, VSSell);
    setTabOrder(VSSell, txtReciveAmout);
    setTabOrder(txtReciveAmout, cmdCheckOut);

    // The filter's first row gives the price, as every current row does.
    connect(&stock_, &sales::StockPicker::filtered, this, [this] {
        if (stock_.hasStockRow())
            txtPrice->setText(VSFlexGrid->text(1, kKeyPrice));
    });
    vbkeys::onKeyDown(txtNo, [this](int key, Qt::KeyboardModifiers) { return txtNo_KeyDown(key); });
    vbkeys::onKeyPress(txtIDCode, [this](int& k) { txtIDCode_KeyPress(k); });
    connect(VSFlexGrid, &FlexGrid::enterPressed, this, [this] {
        int k = 13;
        VSFlexGrid_KeyPress(k);
    });
    connect(VSFlexGrid, &FlexGrid::rowColChanged, this, [this] { VSFlexGrid_RowColChange(); });
    vbkeys::onGotFocus(txtQuatity, [this] { txtQuatity_GotFocus(); });
    vbkeys::onKeyPress(txtQuatity, [this](int& k) { txtQuatity_KeyPress(k); });
    vbkeys::onKeyPress(txtAbate, [this](int& k) { txtAbate_KeyPress(k); });
    vbkeys::onKeyPress(txtChangePrice, [this](int& k) { txtChangePrice_KeyPress(k); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(VSSell, &FlexGrid::enterPressed, this, [this] {
        int k = 13;
        VSSell_KeyPress(k);
    });
    connect(VSSell, &FlexGrid::rightButtonDown, this, [this](const QPoint& at) { VSSell_MouseDown(2, at); });
    connect(Cancel, &QAction::triggered, this, [this] { Cancel_Click(); });
    connect(txtReciveAmout, &QLineEdit::textChanged, this, [this] { txtReciveAmout_Change(); });
    vbkeys::onKeyPress(txtReciveAmout, [this](int& k) { txtReciveAmout_KeyPress(k); });
    vbkeys::onKeyDown(txtReciveAmout,
                      [this](int key, Qt::KeyboardModifiers) { return txtReciveAmout_KeyDown(key); });
    connect(cmdCheckOut, &QPushButton::clicked, this, [this] { cmdCheckOut_Click(); });

    setKeyPreview(true);
    Form_Load();
    txtNo->setFocus();
}

// -- loading --------------------------------------------------------------------

void frmSell::Form_Load()
{
    stock_.LoadStockList();
    InitSaleGrid();
    lbOpt->setText(gUser.Name);
    lbNo->setText(sales::GetNextSellNo(&sellNoStatus_));
    if (stock_.hasStockRow())
        txtPrice->setText(VSFlexGrid->text(VSFlexGrid->row(), kKeyPrice));
}

void frmSell::InitSaleGrid()
{
    static const QStringList keys =
        QStringList{kKeyGUID} + core::GoodsCaptions() + QStringList{kKeyPrice, kKeyQuantity, kKeyAbate, kKeyAmount};
    VSSell->setRows(1);
    VSSell->setCols(14);
    VSSell->setTextMatrix(0, 0, QString());
    for (int c = 1; c < 14; ++c) {
        VSSell->setTextMatrix(0, c, keys[c - 1]);
        VSSell->setColKey(c, keys[c - 1]);
    }
    VSSell->setColHidden(1, true);
    core::SetGridColumns(*VSSell, 960);
}

// -- finding goods --------------------------------------------------------------

bool frmSell::txtNo_KeyDown(int KeyCode)
{
    if (KeyCode != Qt::Key_Down || !stock_.hasStockRow())
        return false;
    VSFlexGrid->setFocus();
    if (VSFlexGrid->rows() > 2 && VSFlexGrid->row() < VSFlexGrid->rows() - 1)
        VSFlexGrid->setRow(VSFlexGrid->row() + 1);
    return true;
}

void frmSell::txtIDCode_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    stock_.BindStock(sales::StockPicker::InStock() + QStringLiteral(" And IDCode=") +
                     core::SqlQuote(txtIDCode->text()));
    if (!stock_.hasStockRow())
        return;
    VSFlexGrid->setRow(1);
    txtPrice->setText(VSFlexGrid->text(1, kKeyPrice));
    VSFlexGrid->setFocus();
}

void frmSell::VSFlexGrid_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13 && stock_.hasStockRow())
        txtQuatity->setFocus();
}

void frmSell::VSFlexGrid_RowColChange()
{
    // An empty list has no row to take a price from.
    if (VSFlexGrid->row() >= 1)
        txtPrice->setText(VSFlexGrid->text(VSFlexGrid->row(), kKeyPrice));
}

// -- the entry boxes --------------------------------------------------------------

void frmSell::txtQuatity_GotFocus() { txtQuatity->selectAll(); }

bool frmSell::CheckQuantity(bool informationIcon)
{
    const auto refuse = [informationIcon](const QString& text) {
        if (informationIcon)
            ui::msg().info(text);
        else
            ui::msg().exclaim(text);
    };
    const QString typed = txtQuatity->text();
    // A quantity must come to a whole number of pieces that the program can count.
    if (!pricing::Pieces(typed)) {
        refuse(QStringLiteral("数量的数据类型不正确！"));
        txtQuatity->setFocus();
        return false;
    }
    const double quantity = vb::val(typed);
    if (!(quantity > 0)) {
        refuse(QStringLiteral("数量的不能小于0！"));
        txtQuatity->setFocus();
        return false;
    }
    const int r = VSFlexGrid->row();
    const double onHand = vb::val(VSFlexGrid->text(r, kKeyQuantity));
    if (onHand - CountPiecesInSaleList(VSFlexGrid->text(r, kKeyGUID)) < quantity) {
        refuse(kOutOfStock);
        return false;
    }
    return true;
}

void frmSell::txtQuatity_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    if (!stock_.hasStockRow()) {
        ui::msg().info(QStringLiteral("请选择一个商品！"));
        return;
    }
    if (!CheckQuantity(true))
        return;
    txtAbate->setFocus();
}

void frmSell::txtAbate_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    const pricing::AbateCheck check = stock_.CheckDiscount(txtPrice->text());
    if (check != pricing::AbateCheck::Ok) {
        ui::msg().exclaim(pricing::AbateRefusal(check));
        txtAbate->setFocus();
        return;
    }
    if (!stock_.hasStockRow())
        return;
    if (!CheckQuantity(false))
        return;
    AddPiecesToSaleList(VSFlexGrid->text(VSFlexGrid->row(), kKeyGUID));
    txtReciveAmout->setFocus();
}

void frmSell::txtChangePrice_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 13)
        return;
    if (!stock_.hasStockRow()) {
        ui::msg().exclaim(QStringLiteral("请选择一个商品！"));
        txtChangePrice->setFocus();
        return;
    }
    const pricing::SpecialCheck check = stock_.CheckSpecialPrice(txtPrice->text());
    // A price below 0 would pay the customer for the goods: no number either.
    if (check != pricing::SpecialCheck::Ok) {
        ui::msg().exclaim(check == pricing::SpecialCheck::AboveRetail ? QStringLiteral("特价比零售价还要贵么？")
                                                                      : QStringLiteral("请输入有效数字！"));
        txtChangePrice->setFocus();
        return;
    }
    if (!CheckQuantity(false))
        return;
    AddPiecesToSaleList(VSFlexGrid->text(VSFlexGrid->row(), kKeyGUID));
    txtReciveAmout->setFocus();
}

void frmSell::cmdAdd_Click()
{
    int k = 13;
    if (OptAbate->isChecked())
        txtAbate_KeyPress(k);
    else
        txtChangePrice_KeyPress(k);
}

// -- the sale list ----------------------------------------------------------------

qint32 frmSell::CountPiecesInSaleList(const QString& StoreGUID) const
{
    qint32 count = 0;
    for (int r = 1; r < VSSell->rows(); ++r)
        if (VSSell->textMatrix(r, 1) == StoreGUID)
            count += vb::toLong(vb::val(VSSell->text(r, kKeyQuantity))).value_or(0);
    return count;
}

void frmSell::AddPiecesToSaleList(const QString& StoreGUID)
{
    const qint32 pieces = pricing::Pieces(txtQuatity->text()).value_or(0);
    const int from = VSFlexGrid->row();
    for (qint32 i = 0; i < pieces; ++i) {
        const sales::StockPicker::Charge charge = stock_.PieceCharge(txtPrice->text());
        if (!charge.Amount)
            return;  // the checks before adding refuse such amounts
        VSSell->addItem(QString());
        const int r = VSSell->rows() - 1;
        VSSell->setTextMatrix(r, 1, StoreGUID);
        core::SetGoodsOfGridRow(*VSSell, r, core::GoodsOfGridRow(*VSFlexGrid, from));
        VSSell->setText(r, kKeyPrice, txtPrice->text());
        VSSell->setText(r, kKeyQuantity, QStringLiteral("1"));
        VSSell->setText(r, kKeyAbate, charge.Abate);
        VSSell->setText(r, kKeyAmount, vb::numberText(*charge.Amount));
        VSSell->setRow(r);
        lbAmount->setText(vb::numberText(vb::val(lbAmount->text()) + *charge.Amount));
    }
    if (VSSell->rows() > 1)
        VSSell->showCell(VSSell->row(), 2);
}

void frmSell::VSSell_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        txtReciveAmout->setFocus();
}

void frmSell::VSSell_MouseDown(int Button, const QPoint& globalPos)
{
    if (Button == 2)
        Main->popup(globalPos);
}

void frmSell::Cancel_Click()
{
    if (VSSell->rows() <= 1)
        return;
    const double amount = vb::val(VSSell->text(VSSell->row(), kKeyAmount));
    VSSell->removeItem();
    lbAmount->setText(vb::numberText(vb::val(lbAmount->text()) - amount));
    if (lbAmount->text() == QLatin1String("0")) {
        lbAmount->clear();
        VSFlexGrid->setFocus();
    }
}

// -- keys of the whole window -------------------------------------------------------

bool frmSell::previewKeyDown(QKeyEvent* e) { return Form_KeyDown(e->key()); }

bool frmSell::Form_KeyDown(int KeyCode)
{
    switch (KeyCode) {
    case Qt::Key_F1:
        txtQuatity->setFocus();
        return true;
    case Qt::Key_F2:
        txtAbate->setFocus();
        return true;
    case Qt::Key_F3:
        txtChangePrice->setFocus();
        return true;
    case Qt::Key_F4:
        txtReciveAmout->setFocus();
        return true;
    case Qt::Key_F5:
        txtNo->setFocus();
        return true;
    case Qt::Key_F6:
        VSFlexGrid->setFocus();
        return true;
    case Qt::Key_F7:
        VSSell->setFocus();
        return true;
    case Qt::Key_Delete:
        // Removes the current sale line whatever has the focus; the focused box
        // still gets the key (forward delete keeps working while typing).
        Cancel_Click();
        return false;
    case Qt::Key_F8:
        sales::ReprintLastReceipt(lbNo->text());
        return true;
    default:
        return false;
    }
}

// -- payment and checkout --------------------------------------------------------------

void frmSell::txtReciveAmout_Change()
{
    const QString received = txtReciveAmout->text();
    const QString due = lbAmount->text();
    if (vb::isNumeric(received) && pricing::Decimal::Of(due) <= pricing::Decimal::Of(received))
        lb->setText(vb::numberText(vb::val(received) - vb::val(due)));
    else
        lb->clear();
}

void frmSell::txtReciveAmout_KeyPress(int& KeyAscii)
{
    // Nothing can be typed before something is due.
    if (lbAmount->text().isEmpty())
        KeyAscii = 0;
    if (KeyAscii == '+') {
        KeyAscii = 0;
        txtNo->setFocus();
    }
    if (KeyAscii == 13 && !lbAmount->text().isEmpty() && !txtReciveAmout->text().isEmpty())
        cmdCheckOut_Click();
}

bool frmSell::txtReciveAmout_KeyDown(int KeyCode)
{
    if (KeyCode != Qt::Key_Up)
        return false;
    VSSell->setFocus();
    return true;
}

QList<sales::SaleLine> frmSell::SaleLines() const
{
    QList<sales::SaleLine> lines;
    lines.reserve(VSSell->rows() - 1);
    for (int r = 1; r < VSSell->rows(); ++r) {
        sales::SaleLine l;
        static_cast<core::GoodsFields&>(l) = core::GoodsOfGridRow(*VSSell, r);
        l.StoreGUID = VSSell->textMatrix(r, 1);
        l.Price = VSSell->text(r, kKeyPrice);
        l.Quantity = VSSell->text(r, kKeyQuantity);
        l.Abate = VSSell->text(r, kKeyAbate);
        l.Amount = VSSell->text(r, kKeyAmount);
        lines << l;
    }
    return lines;
}

void frmSell::cmdCheckOut_Click()
{
    if (VSSell->rows() <= 1)
        return;
    if (lbNo->text().isEmpty()) {
        ui::msg().exclaim(sellNoStatus_ == sales::SellNoStatus::UsedUp
                              ? sales::kSellNoUsedUp
                              : QStringLiteral("没有取得销售编号，不能结帐！请检查网络，重新启动程序"));
        return;
    }
    const double due = vb::val(lbAmount->text());
    const double received = vb::val(txtReciveAmout->text());
    // Compared as the figures read: a payment a trifle short is short.
    if (pricing::Decimal::Of(lbAmount->text()) > pricing::Decimal::Of(txtReciveAmout->text())) {
        ui::msg().exclaim(QStringLiteral("对不起所付金额不足，不能结帐！"));
        txtReciveAmout->setFocus();
        return;
    }
    // Money is stored at single precision; an amount beyond it is no amount.
    if (!std::isfinite(vb::toSingle(received))) {
        ui::msg().exclaim(QStringLiteral("请输入有效数字！"));
        txtReciveAmout->setFocus();
        return;
    }
    if (!ui::msg().ask(QStringLiteral("确认要结帐吗？"), ui::kTitleAsk))
        return;

    const QList<sales::SaleLine> lines = SaleLines();
    const sales::SaleOutcome sale = sales::WriteSale(lines, vb::toSingle(received), vb::toSingle(received - due));
    const QString& sellNo = sale.SellNo;
    // Nothing of the sale is stored: the list and the amounts stay for another try.
    if (sale.Write.Result == core::WriteResult::OutOfStock) {
        // Another counter sold pieces of the list since it was read: the stock
        // list shows what is left now.
        stock_.Reread();
        ui::msg().exclaim(kOutOfStock);
        VSSell->setFocus();
        return;
    }
    if (!sale.Write.written()) {
        if (sale.Number == sales::SellNoStatus::UsedUp) {
            ui::msg().exclaim(sales::kSellNoUsedUp);
        } else {
            ui::msg().plain(sale.Write.Error);
            if (sale.Number == sales::SellNoStatus::Unreadable)
                ui::msg().exclaim(core::kReadFailed, ui::kTitleTip);
        }
        ui::msg().exclaim(QStringLiteral("结帐失败，本次销售没有保存！"));
        txtReciveAmout->setFocus();
        return;
    }

    // The stock list follows the stock rows in place; rows that reach 0 stay in view.
    for (const sales::SaleLine& l : lines) {
        const int r = VSFlexGrid->findRow(l.StoreGUID, 1, 1);
        if (r > 0)
            VSFlexGrid->setText(r, kKeyQuantity,
                                vb::numberText(vb::val(VSFlexGrid->text(r, kKeyQuantity)) - vb::val(l.Quantity)));
    }

    if (gSellRole.IsPrint) {
        sales::ReceiptSale receipt;
        receipt.shopName = gShopName;
        receipt.time = ui::dateTimeText(ui::now());
        receipt.seller = gUser.Name;
        receipt.sellNo = sellNo;
        receipt.received = txtReciveAmout->text();
        receipt.change = lb->text();
        for (const sales::SaleLine& l : lines)
            receipt.lines << sales::ReceiptLine{l.TypeNo, l.Brand, l.Name, l.Size, l.Quantity, l.Price, l.Abate, l.Amount};
        sales::PrintCheckoutReceipt(receipt);
    }

    txtReciveAmout->clear();
    txtQuatity->setText(QStringLiteral("1"));
    lbAmount->clear();
    core::ClearGridRows(*VSSell);
    txtNo->setFocus();
    lbNo->setText(sales::GetNextSellNo(&sellNoStatus_));
    lb->clear();
}
