#include "sales/checkout.h"

#include "core/modmain.h"
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

QString GetNextSellNo(SellNoStatus* status)
{
    SellNoStatus ignored;
    SellNoStatus& st = status ? *status : ignored;
    const QString key = GetTodayKey();
    bool isErr = false;
    // The index on (ShopNo, mid(SellNo,1,8), SellNo) answers this without reading the other days.
    const jet::RecordSet rs = gDbopt.Excute(QStringLiteral("select SellNo from Sell where mid(SellNo,1,8)='") + key +
                                                QStringLiteral("' And ShopNo=") + core::SqlQuote(gShopNo) +
                                                QStringLiteral(" Order By SellNo Desc"),
                                            isErr);
    if (isErr) {
        ui::msg().exclaim(core::kReadFailed, ui::kTitleTip);
        st = SellNoStatus::Unreadable;
        return QString();
    }
    st = SellNoStatus::Ok;
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

bool TakeCostFromBatch(const QString& StoreGUID, qint32& BuyPriceID, float& BuyPrice)
{
    BuyPriceID = 0;
    BuyPrice = 0;
    const QString order = gSellRole.SellOrder == 0 ? QStringLiteral(" Order by sDate ASC, ID ASC")
                                                   : QStringLiteral(" Order by sDate DESC, ID DESC");
    bool isErr = false;
    const jet::RecordSet rs =
        gDbopt.Excute(QStringLiteral("Select top 1 ID,Price,Quantity from BuyPrice Where StoreGUID=") +
                          core::SqlQuote(StoreGUID) + QStringLiteral(" And Quantity>0") + order,
                      isErr);
    if (isErr)
        return false;
    if (rs.eof())
        return true;
    const qint32 id = vb::toLong(vb::val(rs.fieldText(QStringLiteral("ID")))).value_or(0);
    gDbopt.Excute(QStringLiteral("Update BuyPrice set Quantity=Quantity-1 Where ID=") + vb::numberText(id), isErr);
    if (isErr)
        return false;
    BuyPriceID = id;
    BuyPrice = vb::toSingle(vb::val(rs.fieldText(QStringLiteral("Price"))));
    return true;
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

core::WriteResult WriteSale(const QList<SaleLine>& lines, float received, float change, QString* SellNo)
{
    QString number;
    const core::WriteResult result = core::TransactChecked([&] {
        SellNoStatus status = SellNoStatus::Ok;
        number = GetNextSellNo(&status);
        if (status == SellNoStatus::UsedUp)
            ui::msg().exclaim(QStringLiteral("今天的销售编号已经用到9999，不能再结帐！"));
        if (number.isEmpty())
            return core::WriteResult::Failed;
        for (const SaleLine& line : lines) {
            if (const core::WriteResult taken = core::SendChecked(TakePiecesSql(line.StoreGUID, 1), core::WriteResult::OutOfStock);
                taken != core::WriteResult::Written)
                return taken;
            const QString key = gNewGUID.GUID(false);
            qint32 batch = 0;
            float cost = 0;
            if (!TakeCostFromBatch(line.StoreGUID, batch, cost))
                return core::WriteResult::Failed;
            bool isErr = false;
            gDbopt.Excute(SellInsertSql(key, line, cost, batch, number, received, change), isErr);
            if (isErr)
                return core::WriteResult::Failed;
        }
        return core::WriteResult::Written;
    });
    if (result == core::WriteResult::Written && SellNo)
        *SellNo = number;
    return result;
}

}  // namespace sales
