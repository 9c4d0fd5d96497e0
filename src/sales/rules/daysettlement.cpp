#include "sales/rules/daysettlement.h"

#include "core/rules/session.h"
#include "core/rules/sqltext.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"

#include <tuple>

namespace sales {

namespace {

QString countText(qint32 n) { return vb::numberText(n); }

// The pieces and the amount of one sum.
core::Outcome readTotal(const QString& sql, qint32& Quantity, float& Amount)
{
    const core::Sent sent = gDbopt.Send(sql);
    if (sent.failed())
        return {core::WriteResult::Failed, sent.Error};
    Quantity = 0;
    Amount = 0;
    // A sum over no rows is Null, and counts as 0.
    if (!sent.Rows.eof()) {
        Quantity = static_cast<qint32>(sent.Rows.field(QStringLiteral("数量")).toLongLong());
        Amount = vb::toSingle(sent.Rows.field(QStringLiteral("金额")).toDouble());
    }
    return {};
}

// The settlement rows under their captions, up to and including "Where ".
const QString kColumns = QStringLiteral(
    "Select ShopName as 店面,Seller as 销售员,DateTime as 日期,SellQuantity as 售货数量, SellAmount as 售货金额 ,"
    "BackQuantity as 退货数量,BackAmount as 退货金额,ChangeQuantity as 调换数量,ChangeAmount as 调换金额,"
    "ReciveAmount as 结算金额 from DayAmount Where ");

}  // namespace

QString SellTotalSql(const QDate& day, const QString& sellerNo)
{
    return QStringLiteral("Select Sum(Quantity) as 数量,sum(Amount) as 金额 from Sell Where ShopNo=") +
           core::SqlQuote(gShopNo) + QStringLiteral(" And   DateTime=#") + ui::dayText(day) +
           QStringLiteral("# And Seller=") + core::SqlQuote(sellerNo);
}

QString BackTotalSql(const QDate& day, const QString& sellerNo)
{
    return QStringLiteral("Select Sum(Quantity) as 数量,sum(Amount) as 金额 from SellChange Where ShopNo=") +
           core::SqlQuote(gShopNo) + QStringLiteral(" And State=2  ") + QStringLiteral(" And ChangeDate=#") +
           ui::dayText(day) + QStringLiteral("# And Seller=") + core::SqlQuote(sellerNo);
}

QString ChangeTotalSql(const QDate& day, const QString& sellerNo)
{
    return QStringLiteral("Select Sum(Quantity) as 数量,sum(AddAmount) as 金额 from SellChange Where ShopNo=") +
           core::SqlQuote(gShopNo) + QStringLiteral(" And State=1  ") + QStringLiteral(" And ChangeDate=#") +
           ui::dayText(day) + QStringLiteral("# And Seller=") + core::SqlQuote(sellerNo);
}

QString DayAmountRowSql(const QDate& day, const QString& sellerName)
{
    return QStringLiteral("Select  * from  DayAmount Where DateTime=#") + ui::dayText(day) +
           QStringLiteral("# And ShopNo=") + core::SqlQuote(gShopNo) + QStringLiteral("  And Seller=") +
           core::SqlQuote(sellerName);
}

QString AmountTotalSql(const QDate& from, const QDate& to)
{
    return kColumns + QStringLiteral("DateTime>=#") + ui::dayText(from) + QStringLiteral("# And DateTime<=#") +
           ui::dayText(to) + QStringLiteral("# And ShopNo=") + core::SqlQuote(gShopNo);
}

QString NoAmountTotalSql() { return kColumns + QStringLiteral("GUID=''"); }

core::Outcome ReadDayTotals(const QDate& day, const QString& sellerNo, DayTotals& totals)
{
    // All three sums are read before any is given: a sum that cannot be read
    // leaves no figure half computed.
    DayTotals t;
    for (const auto& [sql, quantity, amount] :
         {std::tuple{SellTotalSql(day, sellerNo), &t.SellQuantity, &t.SellAmount},
          std::tuple{BackTotalSql(day, sellerNo), &t.BackQuantity, &t.BackAmount},
          std::tuple{ChangeTotalSql(day, sellerNo), &t.ChangeQuantity, &t.ChangeAmount}})
        if (const core::Outcome read = readTotal(sql, *quantity, *amount); !read.written())
            return read;
    // Worked out in double, then taken through a single's text, which leaves
    // the subtraction's rounding noise behind.
    const double due = double(t.SellAmount) - double(t.BackAmount) + double(t.ChangeAmount);
    t.ReciveAmount = vb::toSingle(vb::val(vb::singleText(vb::toSingle(due))));
    totals = t;
    return {};
}

core::Outcome WriteDayAmount(const QDate& day, const QString& sellerName, const DayTotals& t)
{
    const QString comma = QStringLiteral(",");
    // The look-up and the write as one, so that two counters settling the same
    // seller's day at once still leave one row.
    return core::Transacted([&]() -> core::Outcome {
        const core::Sent row = gDbopt.Send(DayAmountRowSql(day, sellerName));
        if (row.failed())
            return {core::WriteResult::Failed, row.Error};
        QString sql;
        if (row.Rows.eof()) {
            sql = QStringLiteral("Insert Into DayAmount Values(") + core::SqlQuote(gNewGUID.GUID(false)) + comma +
                  countText(t.SellQuantity) + comma + vb::singleText(t.SellAmount) + comma +
                  countText(t.BackQuantity) + comma + vb::singleText(t.BackAmount) + comma +
                  countText(t.ChangeQuantity) + comma + vb::singleText(t.ChangeAmount) + comma +
                  vb::singleText(t.ReciveAmount) + comma + core::SqlQuote(sellerName) + comma +
                  core::SqlQuote(ui::dayText(day)) + comma + core::SqlQuote(gShopNo) + comma +
                  core::SqlQuote(gShopName) + QStringLiteral(")");
        } else {
            // Only the figures change: seller, day and shop stay as first written.
            sql = QStringLiteral("Update DayAmount Set SellQuantity=") + countText(t.SellQuantity) +
                  QStringLiteral(", SellAmount=") + vb::singleText(t.SellAmount) + QStringLiteral(", BackQuantity=") +
                  countText(t.BackQuantity) + QStringLiteral(", BackAmount=") + vb::singleText(t.BackAmount) +
                  QStringLiteral(", ChangeQuantity=") + countText(t.ChangeQuantity) +
                  QStringLiteral(", ChangeAmount=") + vb::singleText(t.ChangeAmount) +
                  QStringLiteral(", ReciveAmount=") + vb::singleText(t.ReciveAmount) + QStringLiteral(" Where GUID=") +
                  core::SqlQuote(row.Rows.fieldText(QStringLiteral("GUID")));
        }
        if (const core::Sent written = gDbopt.Send(sql); written.failed())
            return {core::WriteResult::Failed, written.Error};
        return {};
    });
}

}  // namespace sales
