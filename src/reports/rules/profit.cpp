#include "reports/rules/profit.h"

#include "core/rules/session.h"
#include "core/rules/sqltext.h"
#include "platform/base/services.h"
#include "platform/base/vb.h"

namespace reports {
namespace {

// A sum of the row by its alias; Null (nothing summed) is 0.
qint64 WholeOf(const jet::RecordSet& rs, const QString& alias)
{
    return qint64(vb::roundHalfEven(rs.field(alias).toDouble()));
}
float MoneyOf(const jet::RecordSet& rs, const QString& alias) { return vb::toSingle(rs.field(alias).toDouble()); }

// Runs one sum's statement and reads its first row into a ProfitSum by the
// aliases given (an empty alias is not read); a failure adds the engine's words
// to errors and leaves the sum 0.
ProfitSum SumOf(const QString& sql, const QString& quantity, const QString& amount, const QString& profit,
                QStringList& errors)
{
    ProfitSum s;
    const core::Sent sent = gDbopt.Send(sql);
    if (sent.failed()) {
        errors << sent.Error;
        return s;
    }
    const jet::RecordSet& rs = sent.Rows;
    if (rs.eof())
        return s;
    if (!quantity.isEmpty())
        s.Quantity = WholeOf(rs, quantity);
    s.Amount = MoneyOf(rs, amount);
    if (!profit.isEmpty())
        s.Profit = MoneyOf(rs, profit);
    return s;
}

}  // namespace

ProfitFigures ComputeProfit(const QString& shopNo, const QDate& from, const QDate& to)
{
    const QString shop = core::SqlQuote(shopNo);
    const QString periodOfShop = QStringLiteral("DateTime>=#") + ui::dayText(from) +
                                 QStringLiteral("# And DateTime<=#") + ui::dayText(to) +
                                 QStringLiteral("# And ShopNo=") + shop;
    const QString pieces = QStringLiteral("数量");
    const QString money = QStringLiteral("金额");
    ProfitFigures f;
    f.BoughtIn = SumOf(
        QStringLiteral("Select Sum(Quantity) as 数量,Sum(Price*Quantity) as 价格 From StoreDetail Where ") +
            periodOfShop,
        pieces, QStringLiteral("价格"), {}, f.Errors);
    f.Sold = SumOf(QStringLiteral("Select Sum(Quantity) as 数量,Sum(Amount) as 金额,Sum(Amount-BuyPrice) as 利润 "
                                  "From Sell Where ") +
                       periodOfShop + QStringLiteral(" And State<2"),
                   pieces, money, QStringLiteral("利润"), f.Errors);
    f.BackToFactory = SumOf(
        QStringLiteral("Select Sum(Quantity) as 数量,Sum(Amount) as 金额 From FactoryBackTotal Where ") + periodOfShop,
        pieces, money, {}, f.Errors);
    f.Stock = SumOf(
        QStringLiteral("Select Sum(Quantity) as 数量,Sum(Price*Quantity) as 金额 From BuyPrice Where ShopNo=") + shop,
        pieces, money, {}, f.Errors);
    f.ProblemStock =
        SumOf(QStringLiteral("Select Sum(Quantity) as 数量,Sum(BuyPrice) as 金额 From BackStore Where ShopNo=") + shop +
                  QStringLiteral(" And IsBackFactory=0"),
              pieces, money, {}, f.Errors);
    f.Expenses =
        SumOf(QStringLiteral("Select Sum(Amount) as 金额 From OtherOut Where ") + periodOfShop, {}, money, {}, f.Errors)
            .Amount;
    return f;
}

}  // namespace reports
