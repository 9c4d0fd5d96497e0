#include "sales/rules/checkout.h"

#include "core/rules/session.h"
#include "core/rules/sqltext.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"

namespace sales {

namespace {

// Number cells of the sale list go into the statement as the numbers they read as.
QString wholeText(const QString& cell) { return vb::numberText(vb::roundHalfEven(vb::val(cell))); }
QString moneyText(const QString& cell) { return vb::singleText(vb::toSingle(vb::val(cell))); }

}  // namespace

QString TakePiecesSql(const QString& StoreGUID, qint32 pieces)
{
    const QString n = vb::numberText(pieces);
    return QStringLiteral("Update Store Set Quantity=Quantity-") + n + QStringLiteral(" Where GUID=") +
           core::SqlQuote(StoreGUID) + QStringLiteral(" And Quantity>=") + n;
}

QString GetTodayKey() { return ui::today().toString(QStringLiteral("yyyyMMdd")); }

QString GetFirstSellNoOfDay() { return GetTodayKey() + QStringLiteral("0001"); }

QString NextSellNo(SellNoStatus* status, QString* error)
{
    SellNoStatus ignored;
    SellNoStatus& st = status ? *status : ignored;
    const QString key = GetTodayKey();
    // The index on (ShopNo, mid(SellNo,1,8), SellNo) answers this without reading the other days.
    const core::Sent sent = gDbopt.Send(QStringLiteral("select SellNo from Sell where mid(SellNo,1,8)='") + key +
                                        QStringLiteral("' And ShopNo=") + core::SqlQuote(gShopNo) +
                                        QStringLiteral(" Order By SellNo Desc"));
    if (sent.failed()) {
        if (error)
            *error = sent.Error;
        st = SellNoStatus::Unreadable;
        return QString();
    }
    st = SellNoStatus::Ok;
    const jet::RecordSet& rs = sent.Rows;
    if (rs.eof())
        return GetFirstSellNoOfDay();
    const QString last = rs.fieldText(QStringLiteral("SellNo"));
    const QString next = vb::numberText(vb::val(last.isEmpty() ? QStringLiteral("0") : last) + 1);
    // Past 9999 the number would carry the next day's date.
    if (next.size() != 12 || !next.startsWith(key)) {
        st = SellNoStatus::UsedUp;
        return QString();
    }
    return next;
}

core::Outcome TakeCostFromBatch(const QString& StoreGUID, qint32& BuyPriceID, float& BuyPrice)
{
    BuyPriceID = 0;
    BuyPrice = 0;
    const QString order = gSellRole.SellOrder == 0 ? QStringLiteral(" Order by sDate ASC, ID ASC")
                                                   : QStringLiteral(" Order by sDate DESC, ID DESC");
    const core::Sent batch =
        gDbopt.Send(QStringLiteral("Select top 1 ID,Price,Quantity from BuyPrice Where StoreGUID=") +
                    core::SqlQuote(StoreGUID) + QStringLiteral(" And Quantity>0") + order);
    if (batch.failed())
        return {core::WriteResult::Failed, batch.Error};
    if (batch.Rows.eof())
        return {};
    const qint32 id = vb::toLong(vb::val(batch.Rows.fieldText(QStringLiteral("ID")))).value_or(0);
    const core::Sent taken =
        gDbopt.Send(QStringLiteral("Update BuyPrice set Quantity=Quantity-1 Where ID=") + vb::numberText(id));
    if (taken.failed())
        return {core::WriteResult::Failed, taken.Error};
    BuyPriceID = id;
    BuyPrice = vb::toSingle(vb::val(batch.Rows.fieldText(QStringLiteral("Price"))));
    return {};
}

QString SellInsertSql(const QString& GUID, const SaleLine& line, float BuyPrice, qint32 BuyPriceID,
                      const QString& SellNo, float received, float change)
{
    const QString comma = QStringLiteral(",");
    return QStringLiteral("Insert Into Sell Values(") + core::SqlQuote(GUID) + comma + core::SqlQuote(line.StoreGUID) +
           comma + core::SqlQuote(gShopNo) + comma + core::GoodsValuesSql(line) + comma + wholeText(line.Quantity) +
           comma + moneyText(line.Price) + comma + core::SqlQuote(line.Abate) + comma + moneyText(line.Amount) + comma +
           vb::singleText(BuyPrice) + comma + core::SqlQuote(gUser.No) + comma +
           core::SqlQuote(ui::dayText(ui::today())) + comma + core::SqlQuote(SellNo) + comma +
           core::SqlQuote(vb::numberText(BuyPriceID)) + comma +
           core::SqlQuote(gUser.Name) + QStringLiteral(",0,") + vb::singleText(received) + comma +
           vb::singleText(change) + QStringLiteral(")");
}

SaleOutcome WriteSale(const QList<SaleLine>& lines, float received, float change)
{
    SaleOutcome sale;
    QString number;
    sale.Write = core::Transacted([&]() -> core::Outcome {
        QString error;
        number = NextSellNo(&sale.Number, &error);
        if (number.isEmpty())
            return {core::WriteResult::Failed, error};
        for (const SaleLine& line : lines) {
            if (const core::Outcome taken =
                    core::SendOne(TakePiecesSql(line.StoreGUID, 1), core::WriteResult::OutOfStock);
                !taken.written())
                return taken;
            const QString key = gNewGUID.GUID(false);
            qint32 batch = 0;
            float cost = 0;
            if (const core::Outcome costed = TakeCostFromBatch(line.StoreGUID, batch, cost); !costed.written())
                return costed;
            const core::Sent sold = gDbopt.Send(SellInsertSql(key, line, cost, batch, number, received, change));
            if (sold.failed())
                return {core::WriteResult::Failed, sold.Error};
        }
        return {};
    });
    if (sale.Write.written())
        sale.SellNo = number;
    return sale;
}

}  // namespace sales
