#include "reports/histories.h"

#include "core/goodsfields.h"
#include "core/modmain.h"
#include "platform/base/services.h"

namespace reports {

QString ChangeHistorySql(ChangeKind kind, const QDate& from, const QDate& to)
{
    QString tail;
    switch (kind) {
    case ChangeKind::Exchange:
        tail = QStringLiteral(",Datetime as 销售日期,ChangeDate as 调换日期,Resion as 调换原因  from SellChange ");
        break;
    case ChangeKind::Return:
        tail = QStringLiteral(",Datetime as 销售日期,ChangeDate as 退货日期,Resion as 退货原因  from SellChange ");
        break;
    case ChangeKind::Void:
        tail = QStringLiteral(",Datetime as 销售日期,ChangeDate as 作废日期,Resion as 作废原因  from SellChange ");
        break;
    }
    return QStringLiteral("Select ") + core::GoodsColumns() +
           QStringLiteral(",Quantity as 数量,Price as 零售价,Abate as 折扣,Amount as 应收金额,SellerName as 销售员") +
           tail + QStringLiteral("Where ShopNo=") + core::SqlQuote(gShopNo) + QStringLiteral(" And State=") +
           QString::number(int(kind)) + QStringLiteral(" And ChangeDate Between #") + ui::dayText(from) +
           QStringLiteral("# And #") + ui::dayText(to) + QStringLiteral("#");
}

}  // namespace reports
