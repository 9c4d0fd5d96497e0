#include "sales/rules/salechanges.h"

#include "core/rules/session.h"
#include "core/rules/sqltext.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"

namespace sales {

namespace {

// Number cells go into the statements as the numbers they read as.
QString wholeText(const QString& cell) { return vb::numberText(vb::roundHalfEven(vb::val(cell))); }
QString moneyText(const QString& cell) { return vb::singleText(vb::toSingle(vb::val(cell))); }

}  // namespace

// -- the list of sale lines ---------------------------------------------------------

QString SaleLineSelect(const QString& amountCaption)
{
    return QStringLiteral("Select GUID,StoreGUID,ShopNo,BuyPrice,BuyPriceId,SellNo,State,") + core::GoodsColumns() +
           QStringLiteral(",Quantity as 数量,Price as 零售价,Abate as 折扣,Amount as ") + amountCaption +
           QStringLiteral(",SellerName as 销售员, DateTime as 销售日期  from Sell Where ");
}

QString SaleLinesSql(const QString& condition, const QString& amountCaption)
{
    return SaleLineSelect(amountCaption) + condition + QStringLiteral(" And ShopNo=") + core::SqlQuote(gShopNo) +
           QStringLiteral(" And State<2");
}

QString NoSaleLinesSql(const QString& amountCaption)
{
    return SaleLineSelect(amountCaption) + QStringLiteral("GUID=''");
}

QString SaleLineCondition(const SaleLineSearch& search)
{
    QStringList parts;
    if (search.Day)
        parts << QStringLiteral(" DateTime=#") + ui::dayText(*search.Day) + QLatin1Char('#');
    if (search.SellNo)
        parts << QStringLiteral(" SellNo=") + core::SqlQuote(*search.SellNo);
    if (search.TypeNo)
        parts << QStringLiteral(" TypeNo=") + core::SqlQuote(*search.TypeNo);
    return parts.join(QStringLiteral(" And"));
}

qint32 BatchOf(const SoldLine& line) { return vb::toLong(vb::val(line.BuyPriceID)).value_or(0); }

// -- the statements -------------------------------------------------------------------

QString SellChangeInsertSql(const QString& GUID, const QString& StoreGUID, const SoldLine& line, float AddAmount,
                            int State, const QString& Resion)
{
    const QString comma = QStringLiteral(",");
    // A line without a sale day keeps none in its history.
    const QString saleDay = line.DateTime.isEmpty() ? QStringLiteral("Null") : core::SqlQuote(line.DateTime);
    return QStringLiteral("Insert Into SellChange Values(") + core::SqlQuote(GUID) + comma +
           core::SqlQuote(StoreGUID) + comma + core::SqlQuote(gShopNo) + comma + core::GoodsValuesSql(line) + comma +
           wholeText(line.Quantity) + comma + moneyText(line.Price) + comma + core::SqlQuote(line.Abate) + comma +
           moneyText(line.Amount) + comma + moneyText(line.BuyPrice) + comma + core::SqlQuote(gUser.No) + comma +
           saleDay + comma + vb::numberText(BatchOf(line)) + comma + core::SqlQuote(gUser.Name) + comma +
           vb::singleText(AddAmount) + comma + core::SqlQuote(line.GUID) + comma + core::SqlQuote(line.SellNo) +
           comma + core::SqlQuote(ui::dayText(ui::today())) + comma + vb::numberText(State) + comma +
           core::SqlQuote(Resion) + QStringLiteral(")");
}

QString RestoreStoreQuantitySql(const QString& StoreGUID)
{
    return QStringLiteral("Update Store Set Quantity=Quantity+1") + QStringLiteral(" Where GUID=") +
           core::SqlQuote(StoreGUID);
}

QString RestoreBatchQuantitySql(qint32 BuyPriceID)
{
    return QStringLiteral("Update BuyPrice Set Quantity=Quantity+1") + QStringLiteral(" Where ID=") +
           vb::numberText(BuyPriceID);
}

QStringList RestoreQuantitiesSql(const SoldLine& line)
{
    QStringList statements = {RestoreStoreQuantitySql(line.StoreGUID)};
    // A piece sold when no batch had stock took no unit from any batch.
    if (const qint32 batch = BatchOf(line))
        statements << RestoreBatchQuantitySql(batch);
    return statements;
}

QString BackStoreInsertSql(const QString& StoreGUID, const core::GoodsFields& goods, qint32 Quantity, float BuyPrice,
                           const QString& BackResion)
{
    const QString comma = QStringLiteral(",");
    return QStringLiteral(
               "Insert Into BackStore ([GUID],ShopNo,TypeNo,Name,Brand,[Size],Colour,Leather,Grade,"
               "ProductPlace,Quantity,BuyPrice,BackResion,Seller,SellName,IsBackFactory,BackFactoryDate) "
               "Values(") +
           core::SqlQuote(StoreGUID) + comma + core::SqlQuote(gShopNo) + comma + core::GoodsValuesSql(goods) + comma +
           vb::numberText(Quantity) + comma + vb::singleText(BuyPrice) + comma + core::SqlQuote(BackResion) + comma +
           core::SqlQuote(gUser.No) + comma + core::SqlQuote(gUser.Name) + QStringLiteral(",0,Null)");
}

QString SellStateSql(const SoldLine& line, int State)
{
    return QStringLiteral("Update Sell Set State=") + vb::numberText(State) + QStringLiteral(" Where GUID=") +
           core::SqlQuote(line.GUID) + QStringLiteral(" And State=") + wholeText(line.State) +
           QStringLiteral(" And StoreGUID=") + core::SqlQuote(line.StoreGUID);
}

core::Outcome WriteLineChange(const QStringList& statements)
{
    return core::Transacted([&statements]() -> core::Outcome {
        if (const core::Outcome changed = core::SendOne(statements.value(0), core::WriteResult::LineChanged);
            !changed.written())
            return changed;
        for (const QString& statement : statements.mid(1))
            if (const core::Sent sent = gDbopt.Send(statement); sent.failed())
                return {core::WriteResult::Failed, sent.Error};
        return {};
    });
}

// -- the void -----------------------------------------------------------------------

QStringList VoidStatements(const SoldLine& line, const QString& Resion)
{
    QStringList statements = {SellStateSql(line, 3)};
    statements << RestoreQuantitiesSql(line);
    statements << SellChangeInsertSql(gNewGUID.GUID(false), QString(), line, vb::toSingle(vb::val(line.Amount)), 3,
                                      Resion);
    return statements;
}

core::Outcome WriteVoid(const SoldLine& line, const QString& Resion)
{
    return WriteLineChange(VoidStatements(line, Resion));
}

}  // namespace sales
