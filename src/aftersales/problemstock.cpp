#include "aftersales/problemstock.h"

#include "core/modmain.h"
#include "platform/services.h"
#include "platform/vb.h"
#include "sales/checkout.h"
#include "sales/salechanges.h"

WriteResult WriteProblemGoods(const QList<ProblemLine>& lines)
{
    const bool written = gDbopt.Transact([&lines] {
        for (const ProblemLine& line : lines) {
            // The line's cost is what its pieces cost one by one.
            float cost = 0;
            for (qint32 i = 0; i < line.Quantity; ++i) {
                qint32 batch = 0;
                float price = 0;
                if (!TakeCostFromBatch(line.StoreGUID, batch, price))
                    return false;
                cost += price;
            }
            bool isErr = false;
            gDbopt.Excute(QStringLiteral("Update Store Set Quantity=Quantity-") + vb::numberText(line.Quantity) +
                              QStringLiteral(" Where GUID='") + SqlQuote(line.StoreGUID) + QStringLiteral("'"),
                          isErr);
            if (isErr)
                return false;
            gDbopt.Excute(BackStoreInsertSql(line.StoreGUID, line, line.Quantity, cost, line.BackResion), isErr);
            if (isErr)
                return false;
        }
        return true;
    });
    return written ? WriteResult::Written : WriteResult::Failed;
}

QStringList FactoryReturnStatements(const FactoryReturn& r)
{
    const QString day = ui::dayText(r.Day);
    QStringList statements = {
        QStringLiteral("Insert Into FactoryBackTotal ([DateTime],Seller,SellerNo,Quantity,Amount,ShopNo) values('") +
        day + QStringLiteral("','") + SqlQuote(gUser.No) + QStringLiteral("','") + SqlQuote(gUser.Name) +
        QStringLiteral("',") + vb::numberText(double(r.Quantity)) + QStringLiteral(",") + vb::singleText(r.Amount) +
        QStringLiteral(",'") + SqlQuote(gShopNo) + QStringLiteral("')")};
    for (const qint32 id : r.BackStoreIDs)
        statements << QStringLiteral("Update BackStore Set IsBackFactory=1,BackFactoryDate='") + day +
                          QStringLiteral("'") + QStringLiteral(" Where ID=") + vb::numberText(id);
    return statements;
}

WriteResult WriteFactoryReturn(const FactoryReturn& r)
{
    return WriteChanges(FactoryReturnStatements(r)) ? WriteResult::Written : WriteResult::Failed;
}
