#include "reports/frmsellgroup.h"

#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/services.h"
#include "reports/querywindow.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kColumnWidth = 1400;

}  // namespace

frmSellGroup::frmSellGroup(QWidget* parent)
    : FormBase(parent),
      DTBeginTime(QueryDatePicker(this)),
      DTEndTime(QueryDatePicker(this)),
      cmdQuery(new QPushButton(QStringLiteral("排 行(&P)"), this)),
      VSSell(new FlexGrid(this))
{
    setWindowTitle(QStringLiteral("销售排行"));
    DTBeginTime->setObjectName(QStringLiteral("DTBeginTime"));
    DTEndTime->setObjectName(QStringLiteral("DTEndTime"));
    cmdQuery->setObjectName(QStringLiteral("cmdQuery"));
    VSSell->setObjectName(QStringLiteral("VSSell"));

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("开始日期"), this));
    top->addWidget(DTBeginTime);
    top->addSpacing(8);
    top->addWidget(new QLabel(QStringLiteral("结束日期"), this));
    top->addWidget(DTEndTime);
    top->addSpacing(16);
    top->addWidget(cmdQuery);
    top->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(VSSell, 1);
    resize(1000, 600);

    setTabOrder(DTBeginTime, DTEndTime);
    setTabOrder(DTEndTime, cmdQuery);
    setTabOrder(cmdQuery, VSSell);

    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });

    Form_Load();
}

void frmSellGroup::Form_Load()
{
    DTBeginTime->setDate(ui::today());
    DTEndTime->setDate(ui::today());
    InitGrid();
}

void frmSellGroup::InitGrid()
{
    if (!BindQuery(*VSSell, QStringLiteral("Select TypeNo as 货号, Name as 种类 ,Brand as 品牌,[Size] as 尺码,"
                                           "Colour as 颜色,Leather as 面料,Grade as 等级,ProductPlace as 产地,"
                                           "Quantity as 数量 from Sell Where GUID=''")))
        return;
    SetGridColumns(*VSSell, kColumnWidth);
}

void frmSellGroup::cmdQuery_Click()
{
    // Text groups without regard to letter case, as the goods columns compare.
    const QString sql =
        QStringLiteral("Select TypeNo as 货号,Name as 种类 ,Brand as 品牌,[Size] as 尺码,Colour as 颜色,"
                       "Leather as 面料,Grade as 等级,ProductPlace as 产地,sum(Quantity) as 数量 "
                       "from Sell Where ShopNo='") +
        SqlQuote(gShopNo) + QStringLiteral("' And DateTime>=#") + ui::dayText(DTBeginTime->date()) +
        QStringLiteral("# And DateTime <=#") + ui::dayText(DTEndTime->date()) +
        QStringLiteral("# And State<2  Group By TypeNo,Name,Brand,[Size],Colour,Leather,Grade,ProductPlace "
                       "Order by sum(Quantity) DESC");
    if (!BindQuery(*VSSell, sql))
        return;
    SetGridColumns(*VSSell, kColumnWidth);
}
