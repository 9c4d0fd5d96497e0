#include "aftersales/rules/problemstock.h"

#include "core/rules/session.h"
#include "core/rules/sqltext.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"
#include "sales/rules/checkout.h"
#include "sales/rules/salechanges.h"

namespace aftersales {

namespace {

// The problem-stock row marked as back at the factory on the day, while it is
// not yet (to be sent with SendOne).
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

core::Outcome WriteProblemGoods(const QList<ProblemLine>& lines)
{
    return core::Transacted([&lines]() -> core::Outcome {
        for (const ProblemLine& line : lines) {
            // The stock row gives up the pieces first: a piece it no longer has
            // is never costed.
            if (const core::Outcome taken = core::SendOne(sales::TakePiecesSql(line.StoreGUID, line.Quantity),
                                                          core::WriteResult::OutOfStock);
                !taken.written())
                return taken;
            // The line's cost is what its pieces cost one by one.
            float cost = 0;
            for (qint32 i = 0; i < line.Quantity; ++i) {
                qint32 batch = 0;
                float price = 0;
                if (const core::Outcome costed = sales::TakeCostFromBatch(line.StoreGUID, batch, price);
                    !costed.written())
                    return costed;
                cost += price;
            }
            if (const core::Sent sent =
                    gDbopt.Send(sales::BackStoreInsertSql(line.StoreGUID, line, line.Quantity, cost, line.BackResion));
                sent.failed())
                return {core::WriteResult::Failed, sent.Error};
        }
        return {};
    });
}

core::Outcome WriteFactoryReturn(const FactoryReturn& r)
{
    const QString day = ui::dayText(r.Day);
    return core::Transacted([&]() -> core::Outcome {
        for (const qint32 id : r.BackStoreIDs)
            if (const core::Outcome marked = core::SendOne(MarkBackAtFactorySql(id, day), core::WriteResult::BackAtFactory);
                !marked.written())
                return marked;
        if (const core::Sent sent = gDbopt.Send(FactoryBackTotalInsertSql(r, day)); sent.failed())
            return {core::WriteResult::Failed, sent.Error};
        return {};
    });
}

}  // namespace aftersales
