#include "aftersales/rules/clientexchange.h"

#include "core/rules/clssellrole.h"
#include "core/rules/session.h"
#include "core/rules/sqltext.h"
#include "platform/base/vb.h"
#include "sales/rules/checkout.h"
#include "sales/rules/pricing.h"

namespace aftersales {

QString ExchangeRefusal(const sales::SoldLine& line, const clsSellRole& rules, const QDate& today)
{
    if (rules.ChangeOneTime && vb::val(line.State) == 1)
        return QStringLiteral("对不起，该商品已经调换过一次了，不能进行二次调换了！");
    if (line.Abate != pricing::kFull) {
        if (line.Abate == pricing::kSpecial) {
            if (rules.SpecialCanNotChange)
                return QStringLiteral("对不起！该商品是特价商品，您无法调换！");
        } else if (rules.AbateCanNotChange) {
            return QStringLiteral("对不起！该商品是折扣商品，您无法调换！");
        }
    }
    if (!core::WithinDayLimit(QDate::fromString(line.DateTime, Qt::ISODate), today, rules.ChangeDays))
        return QStringLiteral("很遗憾！该商品已经超过了规定的调货时间，您无法调换！");
    return QString();
}

QString ReplacementRefusal(const QString& saleTypeNo, const QString& salePrice, const QString& typeNo,
                           const QString& price, const clsSellRole& rules)
{
    if (rules.SameTypeChange && typeNo != saleTypeNo)
        return QStringLiteral("对不起只有同类型的商品才可以调换！请你再选择其他的商品");
    if (rules.DearGoodsChange && pricing::Decimal::Of(price) < pricing::Decimal::Of(salePrice))
        return QStringLiteral("对不起只能调换比此商品价格高的商品！");
    return QString();
}

float GetAddAmount(const Exchange& exchange, const QString& SellGUID)
{
    double added = 0;
    for (const Replacement& r : exchange.Replacements)
        if (r.SellGUID == SellGUID) {
            added = vb::val(r.Amount);
            break;
        }
    for (const sales::SoldLine& line : exchange.Lines)
        if (line.GUID == SellGUID)
            return vb::toSingle(added - vb::val(line.Amount));
    return vb::toSingle(added);
}

QStringList ExchangeStatements(const Exchange& exchange)
{
    QStringList statements;
    for (qsizetype i = 0; i < exchange.Lines.size(); ++i) {
        const sales::SoldLine& line = exchange.Lines[i];
        statements << sales::SellChangeInsertSql(gNewGUID.GUID(false), line.StoreGUID, line,
                                                 GetAddAmount(exchange, line.GUID), 1, exchange.Resions.value(i));
    }
    for (const sales::SoldLine& line : exchange.Lines)
        statements << sales::RestoreStoreQuantitySql(line.StoreGUID);
    // A piece sold when no batch had stock took no unit from any batch.
    for (const sales::SoldLine& line : exchange.Lines)
        if (const qint32 batch = sales::BatchOf(line))
            statements << sales::RestoreBatchQuantitySql(batch);
    return statements;
}

QString SellRewriteSql(const Replacement& r, qint32 BuyPriceID, float BuyPrice)
{
    return QStringLiteral("Update Sell Set StoreGUID=") + core::SqlQuote(r.StoreGUID) + QStringLiteral(", ShopNo=") +
           core::SqlQuote(gShopNo) + QStringLiteral(",") + QStringLiteral(" TypeNo=") + core::SqlQuote(r.TypeNo) +
           QStringLiteral(",") + QStringLiteral(" Name=") + core::SqlQuote(r.Name) + QStringLiteral(",") +
           QStringLiteral(" Brand=") + core::SqlQuote(r.Brand) + QStringLiteral(",") + QStringLiteral(" [Size]=") +
           core::SqlQuote(r.Size) + QStringLiteral(",") + QStringLiteral(" Colour=") + core::SqlQuote(r.Colour) +
           QStringLiteral(",") + QStringLiteral(" Leather=") + core::SqlQuote(r.Leather) + QStringLiteral(",") +
           QStringLiteral(" Grade=") + core::SqlQuote(r.Grade) + QStringLiteral(",") +
           QStringLiteral(" ProductPlace=") + core::SqlQuote(r.ProductPlace) + QStringLiteral(",") +
           QStringLiteral(" Price=") + vb::singleText(vb::toSingle(vb::val(r.Price))) + QStringLiteral(", Abate=") +
           core::SqlQuote(r.Abate) + QStringLiteral(",") + QStringLiteral(" Amount=") +
           vb::numberText(vb::roundHalfEven(vb::val(r.Amount))) + QStringLiteral(", BuyPrice=") +
           vb::singleText(BuyPrice) + QStringLiteral(", BuyPriceID=") + vb::numberText(BuyPriceID) +
           QStringLiteral(", State=1 Where GUID=") + core::SqlQuote(r.SellGUID);
}

core::Outcome WriteExchange(const Exchange& exchange)
{
    const QStringList statements = ExchangeStatements(exchange);
    return core::Transacted([&]() -> core::Outcome {
        for (const sales::SoldLine& line : exchange.Lines)
            if (const core::Outcome changed = core::SendOne(sales::SellStateSql(line, 1), core::WriteResult::LineChanged);
                !changed.written())
                return changed;
        for (const QString& statement : statements)
            if (const core::Sent sent = gDbopt.Send(statement); sent.failed())
                return {core::WriteResult::Failed, sent.Error};
        for (const Replacement& r : exchange.Replacements) {
            if (const core::Outcome taken = core::SendOne(sales::TakePiecesSql(r.StoreGUID, 1), core::WriteResult::OutOfStock);
                !taken.written())
                return taken;
            qint32 batch = 0;
            float cost = 0;
            if (const core::Outcome costed = sales::TakeCostFromBatch(r.StoreGUID, batch, cost); !costed.written())
                return costed;
            if (const core::Sent sent = gDbopt.Send(SellRewriteSql(r, batch, cost)); sent.failed())
                return {core::WriteResult::Failed, sent.Error};
        }
        return {};
    });
}

}  // namespace aftersales
