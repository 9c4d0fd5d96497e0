#include "reports/frmbuyindetail.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "core/queryparts.h"
#include "goods/frmedit.h"
#include "goods/receiptremoval.h"
#include "goods/rules/receipttriple.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The receipt line columns every list of this window selects; the hidden keys
// follow them.
const QString kDetailColumns = QStringLiteral("Select ") + core::GoodsColumns() +
                               QStringLiteral(",Quantity as 数量,Price as 进价 ,Memo as 备注,DateTime as 进货日期");

const QString kSoldRefusal = QStringLiteral("对不起，这批货已经出售不能再删除！");

}  // namespace

frmbuyInDetail::frmbuyInDetail(QWidget* parent)
    : FormBase(parent),
      VSFlexGrid(new FlexGrid(this)),
      chkDate(new QCheckBox(QStringLiteral("进货日期"), this)),
      DTBeginTime(core::DatePicker(this)),
      DTEndTime(core::DatePicker(this)),
      chkTypeNo(new QCheckBox(QStringLiteral("货号"), this)),
      txtNo(new QLineEdit(this)),
      cmdQuery(new QPushButton(QStringLiteral("查 询(&Q)"), this)),
      cmdDel(new QPushButton(QStringLiteral("删 除(&D)"), this)),
      cmdedit(new QPushButton(QStringLiteral("修 改(&E)"), this))
{
    setWindowTitle(QStringLiteral("进货明细查询"));
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
    chkDate->setObjectName(QStringLiteral("chkDate"));
    DTBeginTime->setObjectName(QStringLiteral("DTBeginTime"));
    DTEndTime->setObjectName(QStringLiteral("DTEndTime"));
    chkTypeNo->setObjectName(QStringLiteral("chkTypeNo"));
    txtNo->setObjectName(QStringLiteral("txtNo"));
    cmdQuery->setObjectName(QStringLiteral("cmdQuery"));
    cmdDel->setObjectName(QStringLiteral("cmdDel"));
    cmdedit->setObjectName(QStringLiteral("cmdedit"));

    auto* filters = new QHBoxLayout;
    filters->addWidget(chkDate);
    filters->addWidget(DTBeginTime);
    filters->addWidget(DTEndTime);
    filters->addSpacing(16);
    filters->addWidget(chkTypeNo);
    filters->addWidget(txtNo);
    filters->addSpacing(16);
    filters->addWidget(cmdQuery);
    filters->addStretch(1);
    txtNo->setMinimumWidth(160);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdDel);
    buttons->addWidget(cmdedit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(filters);
    layout->addWidget(VSFlexGrid, 1);
    layout->addLayout(buttons);
    resize(1100, 620);

    setTabOrder(chkDate, DTBeginTime);
    setTabOrder(DTBeginTime, DTEndTime);
    setTabOrder(DTEndTime, chkTypeNo);
    setTabOrder(chkTypeNo, txtNo);
    setTabOrder(txtNo, cmdQuery);
    setTabOrder(cmdQuery, VSFlexGrid);
    setTabOrder(VSFlexGrid, cmdDel);
    setTabOrder(cmdDel, cmdedit);

    connect(cmdQuery, &QPushButton::clicked, this, [this] { cmdQuery_Click(); });
    connect(cmdDel, &QPushButton::clicked, this, [this] { cmdDel_Click(); });
    connect(cmdedit, &QPushButton::clicked, this, [this] { cmdedit_Click(); });

    Form_Load();
}

void frmbuyInDetail::Form_Load()
{
    LoadAllDetails();
    DTEndTime->setDate(ui::today());
    DTBeginTime->setDate(ui::today().addMonths(-1));
}

void frmbuyInDetail::ShowDetails(const QString& sql)
{
    FlexGrid& g = *VSFlexGrid;
    if (!core::BindQuery(g, sql))
        return;
    shownSql_ = sql;
    g.setColHidden(g.colIndex(QStringLiteral("ParentGUID")), true);
    g.setColHidden(g.colIndex(QStringLiteral("GUID")), true);
    core::SetGridColumns(g, 1040);
    goods::SumReceiptQuantity(g);
}

void frmbuyInDetail::LoadAllDetails()
{
    ShowDetails(kDetailColumns + QStringLiteral(" ,ParentGUID,GUID from StoreDetail Where ShopNo=") +
                core::SqlQuote(gShopNo));
}

QString frmbuyInDetail::BuildFilter() const
{
    QString filter;
    if (chkDate->isChecked())
        filter = QStringLiteral(" DateTime Between #") + ui::dayText(DTBeginTime->date()) +
                 QStringLiteral("# And #") + ui::dayText(DTEndTime->date()) + QStringLiteral("#");
    if (chkTypeNo->isChecked()) {
        const QString typeNo = QStringLiteral("TypeNo=") + core::SqlQuote(txtNo->text());
        filter = filter.isEmpty() ? typeNo : filter + QStringLiteral(" And ") + typeNo;
    }
    return filter;
}

void frmbuyInDetail::cmdQuery_Click()
{
    const QString filter = BuildFilter();
    const QString shop = core::SqlQuote(gShopNo);
    if (filter.isEmpty())
        ShowDetails(kDetailColumns + QStringLiteral(" ,ParentGUID,GUID  from StoreDetail Where ShopNo=") + shop);
    else
        ShowDetails(kDetailColumns + QStringLiteral(", ParentGUID ,GUID from StoreDetail Where ShopNo=") + shop +
                    QStringLiteral(" And ") + filter);
}

void frmbuyInDetail::cmdDel_Click()
{
    FlexGrid& g = *VSFlexGrid;
    const int r = g.row();
    if (r < 1 || g.isSubtotal(r))
        return;  // the caption row or the total row
    const goods::ReceiptLine line = goods::ReceiptLineOfGridRow(g, r);
    const std::optional<qint32> storeQuantity = goods::StockQuantity(line.ParentGUID);
    if (!storeQuantity)
        return;
    if (!ui::msg().askBeforeLoss(QStringLiteral("确定要删除这次进货吗？")))
        return;
    qint64 LotID = 0;
    bool IsSell = false;
    if (!goods::GetLotInfo(line, LotID, IsSell))
        return;
    if (IsSell) {
        ui::msg().info(kSoldRefusal);
        return;
    }
    const std::optional<goods::ReceiptRemoval> removal = goods::ReceiptRemovalSql(line, LotID, *storeQuantity);
    if (!removal)
        return;
    // Nothing is deleted unless all of it is. Another program may have sold from
    // the batch, or changed the stock row, since they were read: the list then
    // shows them as they now are.
    const core::Outcome outcome = goods::WriteReceiptRemoval(*removal);
    if (!core::Written(outcome)) {
        const core::WriteResult result = outcome.Result;
        if (result == core::WriteResult::BatchSold || result == core::WriteResult::ReceiptChanged) {
            ui::msg().info(result == core::WriteResult::BatchSold ? kSoldRefusal : goods::kReceiptChangedRefusal);
            ShowDetails(shownSql_);
        }
        return;
    }
    g.removeItem(r);
    goods::SumReceiptQuantity(g);
}

void frmbuyInDetail::cmdedit_Click()
{
    if (VSFlexGrid->rows() <= 1)
        return;
    frmedit w(this);
    w.LoadIt(VSFlexGrid);
    w.showModal();
    if (w.ListOutdated())
        ShowDetails(shownSql_);
}
