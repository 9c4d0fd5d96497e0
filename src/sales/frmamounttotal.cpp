#include "sales/frmamounttotal.h"

#include "core/modmain.h"
#include "core/queryparts.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kColumnWidth = 1200;

}  // namespace

frmAmountTotal::frmAmountTotal(QWidget* parent)
    : FormBase(parent),
      DTBeginTime(core::DatePicker(this)),
      DTEndTime(core::DatePicker(this)),
      cmdQuery(new QPushButton(QStringLiteral("汇总(&H)"), this)),
      VSAmountTotal(new FlexGrid(this)),
      lbTitle(new QLabel(
          QStringLiteral("  使用帮助：结算汇总是指对没个售货员，每天的销售情况做总的汇总。可以根据此处汇总情况给员工提成。"
                         "选择开始日期结束日期点汇总就可生成数据。特别提醒：此处的数据是每天员工下班前点日结算，"
                         "如果不点日结算此处没有数据。"),
          this))
{
    setWindowTitle(QStringLiteral("结算汇总"));
    DTBeginTime->setObjectName(QStringLiteral("DTBeginTime"));
    DTEndTime->setObjectName(QStringLiteral("DTEndTime"));
    cmdQuery->setObjectName(QStringLiteral("cmdQuery"));
    VSAmountTotal->setObjectName(QStringLiteral("VSAmountTotal"));
    lbTitle->setObjectName(QStringLiteral("lbTitle"));
    lbTitle->setWordWrap(true);
    lbTitle->setForegroundRole(QPalette::PlaceholderText);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(core::DateRangeLine(this, DTBeginTime, DTEndTime, {cmdQuery}));
    layout->addWidget(VSAmountTotal, 1);
    layout->addWidget(lbTitle);
    resize(1000, 560);

    setTabOrder(DTBeginTime, DTEndTime);
    setTabOrder(DTEndTime, cmdQuery);
    setTabOrder(cmdQuery, VSAmountTotal);
    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });

    Form_Load();
}

void frmAmountTotal::Form_Load()
{
    DTBeginTime->setDate(ui::today());
    DTEndTime->setDate(ui::today());
    InitGrid();
}

bool frmAmountTotal::BindGrid(const QString& sql)
{
    if (!core::BindQuery(*VSAmountTotal, sql))
        return false;
    core::SetGridColumns(*VSAmountTotal, kColumnWidth);
    return true;
}

void frmAmountTotal::InitGrid() { BindGrid(sales::NoAmountTotalSql()); }

void frmAmountTotal::cmdQuery_Click()
{
    if (!BindGrid(sales::AmountTotalSql(DTBeginTime->date(), DTEndTime->date())))
        return;
    // One total of the whole list, standing above it; shop, seller and day get
    // none.
    FlexGrid& g = *VSAmountTotal;
    for (const char* caption : {"结算金额", "售货数量", "退货数量", "调换数量", "售货金额", "退货金额", "调换金额"})
        g.subtotalSum(FlexGrid::WholeListAbove, g.colIndex(QString::fromUtf8(caption)), QStringLiteral("总计"));
}
