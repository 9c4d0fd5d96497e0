#include "reports/frmstore.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "core/queryparts.h"
#include "platform/flexgrid.h"
#include "reports/frmprint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

const QString kColumns =
    QStringLiteral("Select ") + core::GoodsColumns() +
    QStringLiteral(",Quantity as 数量,Price as 零售价,IDCode as 条码,GoodsFloor as 柜层 from Store");
// The saleable list of the shop, up to the shop's number.
const QString kStockHead = kColumns + QStringLiteral(" Where ShopNo=");

const QString kQuantity = QStringLiteral("数量");
const QString kTotal = QStringLiteral("合计");
const QString kGrandTotal = QStringLiteral("总合计");
constexpr int kStockWidth = 1160;
constexpr int kProblemWidth = 1280;

}  // namespace

frmStore::frmStore(QWidget* parent)
    : FormBase(parent),
      TabStrip(new QTabBar(this)),
      pages(new QStackedWidget(this)),
      VSFlexGrid(new FlexGrid(this)),
      VSQuestion(new FlexGrid(this)),
      comName(new QComboBox(this)),
      comBrand(new QComboBox(this)),
      txtNo(new QLineEdit(this)),
      chkZero(new QCheckBox(QStringLiteral("不显示零库存商品"), this)),
      cmdQuery(new QPushButton(QStringLiteral("查 询(&Q)"), this)),
      cmdPrint(new QPushButton(QStringLiteral("打印(&P)"), this)),
      lbTitle(new QLabel(QStringLiteral(
                             "  使用帮助：可输入货号直接查询某个货号的库存情况，也可选择品牌和种类点查询查询某个品牌和种类的服装。"
                             "窗口下面的【不显示零库存】如果勾选后已经出售完的服装就不再显示，如果不勾选则显示零库存的服装。"
                             "点击打印可打印库存或者导出到Excel中。"),
                         this))
{
    setWindowTitle(QStringLiteral("库存查询"));
    const QList<QPair<QWidget*, const char*>> names = {
        {TabStrip, "TabStrip"}, {pages, "pages"},       {VSFlexGrid, "VSFlexGrid"}, {VSQuestion, "VSQuestion"},
        {comName, "comName"},   {comBrand, "comBrand"}, {txtNo, "txtNo"},           {chkZero, "chkZero"},
        {cmdQuery, "cmdQuery"}, {cmdPrint, "cmdPrint"}, {lbTitle, "lbTitle"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));

    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);
    comName->setMinimumWidth(130);
    comBrand->setMinimumWidth(130);
    txtNo->setMinimumWidth(180);

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("种 类："), this));
    filters->addWidget(comName);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(QStringLiteral("品 牌："), this));
    filters->addWidget(comBrand);
    filters->addSpacing(12);
    filters->addWidget(cmdQuery);
    filters->addSpacing(24);
    filters->addWidget(new QLabel(QStringLiteral("货  号"), this));
    filters->addWidget(txtNo);
    filters->addStretch(1);

    TabStrip->addTab(QStringLiteral("可售库存"));
    TabStrip->addTab(QStringLiteral("问题库存"));
    TabStrip->setDrawBase(false);
    pages->addWidget(VSFlexGrid);
    pages->addWidget(VSQuestion);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chkZero);
    bottom->addStretch(1);
    bottom->addWidget(cmdPrint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addLayout(filters);
    layout->addSpacing(4);
    layout->addWidget(TabStrip);
    layout->addWidget(pages, 1);
    layout->addLayout(bottom);
    layout->addWidget(lbTitle);
    resize(1100, 660);

    setTabOrder(comName, comBrand);
    setTabOrder(comBrand, cmdQuery);
    setTabOrder(cmdQuery, txtNo);
    setTabOrder(txtNo, VSFlexGrid);
    setTabOrder(VSFlexGrid, chkZero);
    setTabOrder(chkZero, cmdPrint);

    Form_Load();

    connect(TabStrip, &QTabBar::currentChanged, this, [this] { TabStrip_Click(); });
    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });
    connect(txtNo, &QLineEdit::textChanged, this, [this] { txtNo_Change(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    txtNo->setFocus();
}

void frmStore::Form_Load()
{
    LoadAllStock();
    core::FillDictionaryComboWithAll(QStringLiteral("种类"), comName);
    core::FillDictionaryComboWithAll(QStringLiteral("品牌"), comBrand);
}

QString frmStore::StockTail() const
{
    return chkZero->isChecked() ? QStringLiteral(" And Quantity>0") : QString();
}

bool frmStore::BindStock(const QString& sql)
{
    if (!core::BindQuery(*VSFlexGrid, sql))
        return false;
    core::SetGridColumns(*VSFlexGrid, kStockWidth);
    return true;
}

void frmStore::AddStockTotals()
{
    FlexGrid& g = *VSFlexGrid;
    const int quantity = g.colIndex(kQuantity);
    g.subtotalSum(1, quantity, kTotal);
    g.subtotalSum(FlexGrid::WholeListAbove, quantity, kGrandTotal);
}

void frmStore::LoadAllStock()
{
    if (!BindStock(kStockHead + core::SqlQuote(gShopNo) + StockTail()))
        return;
    AddStockTotals();
    // Equal goods numbers, kinds and brands show as one cell. The grid keeps this
    // across later lists, the live filter's included.
    VSFlexGrid->setMergeCols({1, 2, 3});
}

void frmStore::cmdQuery_Click()
{
    const bool anyKind = comName->currentIndex() <= 0;
    const bool anyBrand = comBrand->currentIndex() <= 0;
    if (anyKind && anyBrand) {
        LoadAllStock();
        return;
    }
    const QString kind = core::SqlQuote(comName->currentText());
    const QString brand = core::SqlQuote(comBrand->currentText());
    QString sql = kStockHead + core::SqlQuote(gShopNo);
    if (anyBrand)
        sql += QStringLiteral(" And Name=") + kind;
    else if (anyKind)
        sql += QStringLiteral(" And Brand=") + brand;
    else
        sql += QStringLiteral(" And Brand=") + brand + QStringLiteral(" And Name =") + kind;
    if (!BindStock(sql + StockTail()))
        return;
    AddStockTotals();
    VSFlexGrid->setMergeCols({1, 2, 3});
}

void frmStore::txtNo_Change()
{
    const QString t = txtNo->text();
    const QString shop = core::SqlQuote(gShopNo);
    QString sql;
    if (t.isEmpty())
        sql = chkZero->isChecked() ? kStockHead + shop + QStringLiteral(" And Quantity>0")
                                   : kColumns + QStringLiteral("  Where ShopNo=") + shop;
    else
        sql = kColumns + QStringLiteral("  Where Typeno Like ") +
              core::SqlQuote(QLatin1Char('%') + t + QLatin1Char('%')) + QStringLiteral(" And ShopNo=") + shop +
              StockTail();
    if (!BindStock(sql))
        return;
    // The merging set with the whole list stays on.
    if (VSFlexGrid->rows() >= 2) {
        VSFlexGrid->setRow(1);
        AddStockTotals();
    }
}

void frmStore::LoadProblemStock()
{
    FlexGrid& g = *VSQuestion;
    if (!core::BindQuery(g, QStringLiteral("Select ") + core::GoodsColumns() +
                                QStringLiteral(",BuyPrice as 进价,Quantity as 数量,BackResion as 问题 "
                                               "from BackStore Where ShopNo=") +
                                core::SqlQuote(gShopNo) + QStringLiteral(" And IsBackFactory=0 Order By TypeNo")))
        return;
    core::SetGridColumns(g, kProblemWidth);
    g.subtotalSum(1, g.colIndex(kQuantity), kTotal);
    g.subtotalSum(1, g.colIndex(QStringLiteral("进价")), kTotal);
}

void frmStore::TabStrip_Click()
{
    pages->setCurrentIndex(TabStrip->currentIndex());
    if (TabStrip->currentIndex() == 1) {
        LoadProblemStock();
    } else {
        LoadAllStock();
        txtNo->setFocus();
    }
}

void frmStore::cmdPrint_Click()
{
    // Whichever tab is shown, the saleable list is printed.
    frmPrint print(this);
    print.LoadIt(*VSFlexGrid, true);
    print.showModal();
}
