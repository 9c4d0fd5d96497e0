#include "reports/frmsellgroup.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "core/queryparts.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"

#include <QDateEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kColumnWidth = 1400;

}  // namespace

frmSellGroup::frmSellGroup(QWidget* parent)
    : FormBase(parent),
      DTBeginTime(core::DatePicker(this)),
      DTEndTime(core::DatePicker(this)),
      cmdQuery(new QPushButton(QStringLiteral("排 行(&P)"), this)),
      VSSell(new FlexGrid(this))
{
    setWindowTitle(QStringLiteral("销售排行"));
    DTBeginTime->setObjectName(QStringLiteral("DTBeginTime"));
    DTEndTime->setObjectName(QStringLiteral("DTEndTime"));
    cmdQuery->setObjectName(QStringLiteral("cmdQuery"));
    VSSell->setObjectName(QStringLiteral("VSSell"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(core::DateRangeLine(this, DTBeginTime, DTEndTime, {cmdQuery}));
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
    if (!core::BindQuery(*VSSell, QStringLiteral("Select ") + core::GoodsColumns() +
                                      QStringLiteral(",Quantity as 数量 from Sell Where GUID=''")))
        return;
    core::SetGridColumns(*VSSell, kColumnWidth);
}

void frmSellGroup::cmdQuery_Click()
{
    // Text groups without regard to letter case, as the goods columns compare.
    const QString sql = QStringLiteral("Select ") + core::GoodsColumns() +
                        QStringLiteral(",sum(Quantity) as 数量 from Sell Where ShopNo=") + core::SqlQuote(gShopNo) +
                        QStringLiteral(" And DateTime>=#") + ui::dayText(DTBeginTime->date()) +
                        QStringLiteral("# And DateTime <=#") + ui::dayText(DTEndTime->date()) +
                        QStringLiteral(
                            "# And State<2  Group By TypeNo,Name,Brand,[Size],Colour,Leather,Grade,ProductPlace "
                            "Order by sum(Quantity) DESC");
    if (!core::BindQuery(*VSSell, sql))
        return;
    core::SetGridColumns(*VSSell, kColumnWidth);
}
