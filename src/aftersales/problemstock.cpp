#include "aftersales/problemstock.h"

#include "core/modmain.h"
#include "platform/services.h"
#include "platform/vb.h"
#include "sales/checkout.h"
#include "sales/salechanges.h"

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
           day + QStringLiteral("','") + SqlQuote(gUser.No) + QStringLiteral("','") + SqlQuote(gUser.Name) +
           QStringLiteral("',") + vb::numberText(double(r.Quantity)) + QStringLiteral(",") + vb::singleText(r.Amount) +
           QStringLiteral(",'") + SqlQuote(gShopNo) + QStringLiteral("')");
}

}  // namespace

WriteResult WriteProblemGoods(const QList<ProblemLine>& lines)
{
    return TransactChecked([&lines] {
        for (const ProblemLine& line : lines) {
            // The stock row gives up the pieces first: a piece it no longer has
            // is never costed.
            if (const WriteResult taken =
                    SendChecked(sales::TakePiecesSql(line.StoreGUID, line.Quantity), WriteResult::OutOfStock);
                taken != WriteResult::Written)
                return taken;
            // The line's cost is what its pieces cost one by one.
            float cost = 0;
            for (qint32 i = 0; i < line.Quantity; ++i) {
                qint32 batch = 0;
                float price = 0;
                if (!TakeCostFromBatch(line.StoreGUID, batch, price))
                    return WriteResult::Failed;
                cost += price;
            }
            bool isErr = false;
            gDbopt.Excute(BackStoreInsertSql(line.StoreGUID, line, line.Quantity, cost, line.BackResion), isErr);
            if (isErr)
                return WriteResult::Failed;
        }
        return WriteResult::Written;
    });
}

WriteResult WriteFactoryReturn(const FactoryReturn& r)
{
    const QString day = ui::dayText(r.Day);
    return TransactChecked([&] {
        for (const qint32 id : r.BackStoreIDs)
            if (const WriteResult marked = SendChecked(MarkBackAtFactorySql(id, day), WriteResult::BackAtFactory);
                marked != WriteResult::Written)
                return marked;
        return gDbopt.ExcuteAll({FactoryBackTotalInsertSql(r, day)}) ? WriteResult::Written : WriteResult::Failed;
    });
}
