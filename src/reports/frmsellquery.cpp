#include "reports/frmsellquery.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "core/queryparts.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "reports/frmprint.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kColumnWidth = 820;
constexpr int kGoodsNumberWidth = 1600;

}  // namespace

frmSellQuery::frmSellQuery(QWidget* parent)
    : FormBase(parent),
      DTBeginTime(core::DatePicker(this)),
      DTEndTime(core::DatePicker(this)),
      comName(new QComboBox(this)),
      comBrand(new QComboBox(this)),
      cmdQuery(new QPushButton(QStringLiteral("查 询(&Q)"), this)),
      cmdPrint(new QPushButton(QStringLiteral("打印(&P)"), this)),
      VSSell(new FlexGrid(this)),
      lbCount(new QLabel(this)),
      lbAmount(new QLabel(this))
{
    setWindowTitle(QStringLiteral("售货查询"));
    const QList<QPair<QWidget*, const char*>> names = {
        {DTBeginTime, "DTBeginTime"}, {DTEndTime, "DTEndTime"}, {comName, "comName"}, {comBrand, "comBrand"},
        {cmdQuery, "cmdQuery"},       {cmdPrint, "cmdPrint"},   {VSSell, "VSSell"},   {lbCount, "lbCount"},
        {lbAmount, "lbAmount"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));
    comName->setMinimumWidth(120);
    comBrand->setMinimumWidth(120);
    lbCount->setMinimumWidth(90);
    lbAmount->setMinimumWidth(120);

    auto* top = new QHBoxLayout;
    core::AddDateRange(top, this, DTBeginTime, DTEndTime);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("种 类："), this));
    top->addWidget(comName);
    top->addSpacing(8);
    top->addWidget(new QLabel(QStringLiteral("品 牌："), this));
    top->addWidget(comBrand);
    top->addSpacing(16);
    top->addWidget(cmdQuery);
    top->addWidget(cmdPrint);
    top->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("共销售数量"), this));
    bottom->addWidget(lbCount);
    bottom->addSpacing(24);
    bottom->addWidget(new QLabel(QStringLiteral("金额累计"), this));
    bottom->addWidget(lbAmount);
    bottom->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(VSSell, 1);
    layout->addLayout(bottom);
    resize(1180, 660);

    setTabOrder(DTBeginTime, DTEndTime);
    setTabOrder(DTEndTime, comName);
    setTabOrder(comName, comBrand);
    setTabOrder(comBrand, cmdQuery);
    setTabOrder(cmdQuery, cmdPrint);
    setTabOrder(cmdPrint, VSSell);

    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });

    Form_Load();
}

void frmSellQuery::Form_Load()
{
    DTBeginTime->setDate(ui::today());
    DTEndTime->setDate(ui::today());
    core::FillDictionaryComboWithAll(QStringLiteral("种类"), comName);
    core::FillDictionaryComboWithAll(QStringLiteral("品牌"), comBrand);
    InitGrid();
}

void frmSellQuery::InitGrid()
{
    if (!core::BindQuery(*VSSell, QStringLiteral("Select SellNo as 销售编号,") + core::GoodsColumns() +
                                      QStringLiteral(",Quantity as 数量,Price as 零售价,Abate as 折扣,"
                                                     "Amount as 实收金额,SellerName as 销售员,DateTime as 销售日期  "
                                                     "from Sell Where GUID=''")))
        return;
    core::SetGridColumns(*VSSell, kColumnWidth);
}

void frmSellQuery::cmdQuery_Click()
{
    const bool anyKind = comName->currentIndex() <= 0;
    const bool anyBrand = comBrand->currentIndex() <= 0;
    const QString kind = core::SqlQuote(comName->currentText());
    const QString brand = core::SqlQuote(comBrand->currentText());
    const QString order = QStringLiteral(" Order By TypeNo,[Size],Colour");
    QString tail;
    if (anyKind && anyBrand)
        tail = QStringLiteral("# And State<2  Order By TypeNo,[Size],Colour");
    else if (anyBrand)
        tail = QStringLiteral("# And State<2 And Name=") + kind + order;
    else if (anyKind)
        tail = QStringLiteral("# And State<2 And Brand=") + brand + order;
    else
        tail = QStringLiteral("# And State<2 And Brand=") + brand + QStringLiteral(" And Name=") + kind + order;
    const QString sql = QStringLiteral("Select ") + core::GoodsColumns() +
                        QStringLiteral(
                            ",Quantity as 数量,Price as 零售价,Abate as 折扣,Amount as 实收金额,SellerName as 销售员,"
                            "SellNo as 销售编号,DateTime as 销售日期 from Sell Where ShopNo=") +
                        core::SqlQuote(gShopNo) + QStringLiteral(" And DateTime>=#") +
                        ui::dayText(DTBeginTime->date()) + QStringLiteral("# And DateTime <=#") +
                        ui::dayText(DTEndTime->date()) + tail;

    FlexGrid& g = *VSSell;
    if (!core::BindQuery(g, sql))
        return;
    core::SetGridColumns(g, kColumnWidth);
    g.setColWidth(1, kGoodsNumberWidth);
    if (g.rows() < 2)
        return;  // nothing sold: the figures of the last list stay

    // Every sale line is one piece. Both figures are taken before the totals.
    const QString quantity = QStringLiteral("数量");
    const QString amount = QStringLiteral("实收金额");
    const int amountCol = g.colIndex(amount);
    double taken = 0;
    for (int r = 1; r < g.rows(); ++r)
        taken += vb::val(g.textMatrix(r, amountCol));
    lbCount->setText(QString::number(g.rows() - 1));
    lbAmount->setText(QStringLiteral("￥") + vb::numberText(taken));

    const int quantityCol = g.colIndex(quantity);
    const QString total = QStringLiteral("合计");
    const QString grandTotal = QStringLiteral("总合计");
    g.subtotalSum(1, quantityCol, total);
    g.subtotalSum(1, amountCol, total);
    g.subtotalSum(FlexGrid::WholeListAbove, amountCol, grandTotal);
    g.subtotalSum(FlexGrid::WholeListAbove, quantityCol, grandTotal);
}

void frmSellQuery::cmdPrint_Click()
{
    frmPrint print(this);
    print.LoadIt(*VSSell, true);
    print.showModal();
}
