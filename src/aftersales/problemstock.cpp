#include "aftersales/problemstock.h"

#include "core/modmain.h"
#include "platform/services.h"
#include "platform/vb.h"
#include "sales/checkout.h"
#include "sales/salechanges.h"

namespace aftersales {

namespace {

// The problem-stock row marked as back at the factory on the day, while it is
// not yet (to be sent with SendChecked).
QString MarkBackAtFactorySql(qint32 BackStoreID, const QString& day)
{
    return QStringLiteral("Update BackStore Set IsBackFactory=1,BackFactoryDate='") + day + QStringLiteral("'") +
           QStringLiteral(" Where ID=") + vb::numberText(BackStoreID) + QStringLiteral(" And IsBackFactory=0");
}

// The return's total row by gUser in gShopNo.
QString FactoryBackTotalInsertSql(const FactoryReturn& r, const QString& day)
{
    return QStringLiteral("Insert Into FactoryBackTotal ([DateTime],Seller,SellerNo,Quantity,Amount,ShopNo) values('") +
           day + QStringLiteral("','") + core::SqlQuote(gUser.No) + QStringLiteral("','") + core::SqlQuote(gUser.Name) +
           QStringLiteral("',") + vb::numberText(double(r.Quantity)) + QStringLiteral(",") + vb::singleText(r.Amount) +
           QStringLiteral(",'") + core::SqlQuote(gShopNo) + QStringLiteral("')");
}

}  // namespace

sales::WriteResult WriteProblemGoods(const QList<ProblemLine>& lines)
{
    return sales::TransactChecked([&lines] {
        for (const ProblemLine& line : lines) {
            // The stock row gives up the pieces first: a piece it no longer has
            // is never costed.
            if (const sales::WriteResult taken = sales::SendChecked(sales::TakePiecesSql(line.StoreGUID, line.Quantity),
                                                                    sales::WriteResult::OutOfStock);
                taken != sales::WriteResult::Written)
                return taken;
            // The line's cost is what its pieces cost one by one.
            float cost = 0;
            for (qint32 i = 0; i < line.Quantity; ++i) {
                qint32 batch = 0;
                float price = 0;
                if (!sales::TakeCostFromBatch(line.StoreGUID, batch, price))
                    return sales::WriteResult::Failed;
                cost += price;
            }
            bool isErr = false;
            gDbopt.Excute(sales::BackStoreInsertSql(line.StoreGUID, line, line.Quantity, cost, line.BackResion), isErr);
            if (isErr)
                return sales::WriteResult::Failed;
        }
        return sales::WriteResult::Written;
    });
}

sales::WriteResult WriteFactoryReturn(const FactoryReturn& r)
{
    const QString day = ui::dayText(r.Day);
    return sales::TransactChecked([&] {
        for (const qint32 id : r.BackStoreIDs)
            if (const sales::WriteResult marked =
                    sales::SendChecked(MarkBackAtFactorySql(id, day), sales::WriteResult::BackAtFactory);
                marked != sales::WriteResult::Written)
                return marked;
        return gDbopt.ExcuteAll({FactoryBackTotalInsertSql(r, day)}) ? sales::WriteResult::Written
                                                                     : sales::WriteResult::Failed;
    });
}

}  // namespace aftersales
