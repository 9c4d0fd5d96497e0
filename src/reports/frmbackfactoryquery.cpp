#include "reports/frmbackfactoryquery.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "core/queryparts.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"

#include <QDateEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kColumnWidth = 1100;

}  // namespace

frmBackFactoryQuery::frmBackFactoryQuery(QWidget* parent)
    : FormBase(parent),
      TabStrip(new QTabWidget(this)),
      DTBeginTime(core::DatePicker(this)),
      DTEndTime(core::DatePicker(this)),
      cmdQuery(new QPushButton(QStringLiteral("查 询(&Q)"), this)),
      VSFlexGrid(new FlexGrid(this))
{
    setWindowTitle(QStringLiteral("厂家退货查询"));
    const QList<QPair<QWidget*, const char*>> names = {
        {TabStrip, "TabStrip"}, {DTBeginTime, "DTBeginTime"}, {DTEndTime, "DTEndTime"},
        {cmdQuery, "cmdQuery"}, {VSFlexGrid, "VSFlexGrid"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));

    auto* page = new QWidget(TabStrip);
    auto* inner = new QVBoxLayout(page);
    inner->setSpacing(10);
    inner->addLayout(core::DateRangeLine(page, DTBeginTime, DTEndTime, {cmdQuery}));
    inner->addWidget(VSFlexGrid, 1);
    TabStrip->addTab(page, QStringLiteral("厂家退货明细查询"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(TabStrip);
    resize(1240, 600);

    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });

    Form_Load();
}

void frmBackFactoryQuery::Form_Load()
{
    DTBeginTime->setDate(ui::today());
    DTEndTime->setDate(ui::today());
    QueryFactoryReturns();
}

void frmBackFactoryQuery::cmdQuery_Click() { QueryFactoryReturns(); }

void frmBackFactoryQuery::QueryFactoryReturns()
{
    FlexGrid& g = *VSFlexGrid;
    const QString sql = QStringLiteral("Select ") + core::GoodsColumns() +
                        QStringLiteral(
                            ",Quantity as 数量,BuyPrice as 退货金额,BackFactoryDate as 退货日期 "
                            "from BackStore Where ShopNo=") +
                        core::SqlQuote(gShopNo) + QStringLiteral(" And IsBackFactory=true And BackFactoryDate>=#") +
                        ui::dayText(DTBeginTime->date()) + QStringLiteral("# And BackFactoryDate<=#") +
                        ui::dayText(DTEndTime->date()) + QStringLiteral("# Order By TypeNo");
    if (!core::BindQuery(g, sql))
        return;
    core::SetGridColumns(g, kColumnWidth);
    // "退货金额" is the cost of the pieces as set aside, not the amount typed when
    // they went back.
    const QString total = QStringLiteral("合计");
    g.subtotalSum(1, g.colIndex(QStringLiteral("数量")), total);
    g.subtotalSum(1, g.colIndex(QStringLiteral("退货金额")), total);
}
