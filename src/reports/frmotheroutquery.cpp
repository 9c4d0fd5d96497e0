#include "reports/frmotheroutquery.h"

#include "core/modmain.h"
#include "core/queryparts.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"
#include "reports/rules/expenses.h"

#include <QDateEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kColumns = QStringLiteral(
    "Select GUID,Item as 支出项目, Amount as 金额 ,DateTime as 日期,OptName as 记录员 ,Memo as 备注 from OtherOut ");
constexpr int kColumnWidth = 2020;

}  // namespace

frmOtherOutQuery::frmOtherOutQuery(QWidget* parent)
    : FormBase(parent),
      DTBeginTime(core::DatePicker(this)),
      DTEndTime(core::DatePicker(this)),
      cmdQuery(new QPushButton(QStringLiteral("查 询(&Q)"), this)),
      cmdDel(new QPushButton(QStringLiteral("删 除(&D)"), this)),
      VSSell(new FlexGrid(this))
{
    setWindowTitle(QStringLiteral("其他指出查询"));
    const QList<QPair<QWidget*, const char*>> names = {
        {DTBeginTime, "DTBeginTime"}, {DTEndTime, "DTEndTime"}, {cmdQuery, "cmdQuery"},
        {cmdDel, "cmdDel"},           {VSSell, "VSSell"},
    };
    for (const auto& [w, name] : names)
        w->setObjectName(QString::fromLatin1(name));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(core::DateRangeLine(this, DTBeginTime, DTEndTime, {cmdQuery, cmdDel}));
    layout->addWidget(VSSell, 1);
    resize(900, 560);

    setTabOrder(DTBeginTime, DTEndTime);
    setTabOrder(DTEndTime, cmdQuery);
    setTabOrder(cmdQuery, cmdDel);
    setTabOrder(cmdDel, VSSell);

    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });
    connect(cmdDel, &QPushButton::clicked, this, [this] { cmdDel_Click(); });

    Form_Load();
}

void frmOtherOutQuery::Form_Load()
{
    DTBeginTime->setDate(ui::today());
    DTEndTime->setDate(ui::today());
    InitGrid();
}

bool frmOtherOutQuery::BindExpenses(const QString& sql)
{
    if (!core::BindQuery(*VSSell, sql))
        return false;
    core::SetGridColumns(*VSSell, kColumnWidth);
    VSSell->setColHidden(1, true);
    return true;
}

void frmOtherOutQuery::InitGrid() { BindExpenses(kColumns + QStringLiteral("Where GUID=''")); }

void frmOtherOutQuery::cmdQuery_Click()
{
    const QString sql = kColumns + QStringLiteral("Where ShopNo=") + core::SqlQuote(gShopNo) +
                        QStringLiteral(" And DateTime>=#") + ui::dayText(DTBeginTime->date()) +
                        QStringLiteral("# And DateTime <=#") + ui::dayText(DTEndTime->date()) +
                        QStringLiteral("# Order By DateTime");
    if (!BindExpenses(sql))
        return;
    // The whole list is one group: its total stands above it as row 1.
    VSSell->subtotalSum(FlexGrid::WholeListAbove, VSSell->colIndex(QStringLiteral("金额")),
                        QStringLiteral("总合计"));
}

void frmOtherOutQuery::cmdDel_Click()
{
    FlexGrid& g = *VSSell;
    const int r = g.row();
    if (r < 1 || g.isSubtotal(r))
        return;
    // The total keeps the sum it had until the next query.
    if (core::Written(reports::DeleteExpense(g.text(r, QStringLiteral("GUID")))))
        g.removeItem(r);
}
