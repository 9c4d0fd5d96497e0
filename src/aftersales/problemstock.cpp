#include "aftersales/problemstock.h"

#include "core/modmain.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "sales/rules/checkout.h"
#include "sales/rules/salechanges.h"

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
           day + QStringLiteral("',") + core::SqlQuote(gUser.No) + QStringLiteral(",") + core::SqlQuote(gUser.Name) +
           QStringLiteral(",") + vb::numberText(double(r.Quantity)) + QStringLiteral(",") + vb::singleText(r.Amount) +
           QStringLiteral(",") + core::SqlQuote(gShopNo) + QStringLiteral(")");
}

}  // namespace

core::WriteResult WriteProblemGoods(const QList<ProblemLine>& lines)
{
    return core::TransactChecked([&lines] {
        for (const ProblemLine& line : lines) {
            // The stock row gives up the pieces first: a piece it no longer has
            // is never costed.
            if (const core::WriteResult taken = core::SendChecked(sales::TakePiecesSql(line.StoreGUID, line.Quantity),
                                                                    core::WriteResult::OutOfStock);
                taken != core::WriteResult::Written)
                return taken;
            // The line's cost is what its pieces cost one by one.
            float cost = 0;
            for (qint32 i = 0; i < line.Quantity; ++i) {
                qint32 batch = 0;
                float price = 0;
                if (const core::Outcome costed = sales::TakeCostFromBatch(line.StoreGUID, batch, price);
                    !costed.written()) {
                    ui::msg().plain(costed.Error);
                    return core::WriteResult::Failed;
                }
                cost += price;
            }
            bool isErr = false;
            gDbopt.Excute(sales::BackStoreInsertSql(line.StoreGUID, line, line.Quantity, cost, line.BackResion), isErr);
            if (isErr)
                return core::WriteResult::Failed;
        }
        return core::WriteResult::Written;
    });
}

core::WriteResult WriteFactoryReturn(const FactoryReturn& r)
{
    const QString day = ui::dayText(r.Day);
    return core::TransactChecked([&] {
        for (const qint32 id : r.BackStoreIDs)
            if (const core::WriteResult marked =
                    core::SendChecked(MarkBackAtFactorySql(id, day), core::WriteResult::BackAtFactory);
                marked != core::WriteResult::Written)
                return marked;
        return gDbopt.ExcuteAll({FactoryBackTotalInsertSql(r, day)}) ? core::WriteResult::Written
                                                                     : core::WriteResult::Failed;
    });
}

}  // namespace aftersales
