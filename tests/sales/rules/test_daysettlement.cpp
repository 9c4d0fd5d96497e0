// The sums of a seller's day and the settlements of a span on a real database:
// each reads its days through an index, never the shop's years.
#include "sales/rules/daysettlement.h"
#include "support/rulesfixture.h"

namespace {

class DaySums : public RulesFixture {};

}  // namespace

TEST_F(DaySums, EverySumReadsTheDayThroughAnIndex)
{
    const struct {
        const char* what;
        QString sql;
        const char* index;
    } cases[] = {
        {"sales", sales::SellTotalSql(QDate(2024, 3, 5), "s01"), "ixSellDate"},
        {"returns", sales::BackTotalSql(QDate(2024, 3, 5), "s01"), "ixSellChangeDate"},
        {"exchanges", sales::ChangeTotalSql(QDate(2024, 3, 5), "s01"), "ixSellChangeDate"},
        {"the day's row", sales::DayAmountRowSql(QDate(2024, 3, 5), "张售货"), "ixDayAmountDate"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const jet::RecordSet rs = sql("EXPLAIN QUERY PLAN " + c.sql);
        QString plan;
        for (int r = 0; r < rs.recordCount(); ++r)
            plan += rs.text(r, rs.fieldIndex("detail")) + "\n";
        EXPECT_TRUE(plan.contains(QStringLiteral("USING INDEX ") + c.index)) << plan.toStdString();
        EXPECT_FALSE(plan.contains("(ShopNo=?)")) << "the shop alone is every row: " << plan.toStdString();
    }
}

TEST_F(DaySums, TheSettlementsOfASpanAreReadThroughAnIndex)
{
    const jet::RecordSet rs =
        sql("EXPLAIN QUERY PLAN " + sales::AmountTotalSql(QDate(2024, 1, 1), QDate(2024, 12, 31)));
    QString plan;
    for (int r = 0; r < rs.recordCount(); ++r)
        plan += rs.text(r, rs.fieldIndex("detail")) + "\n";
    EXPECT_TRUE(plan.contains("USING INDEX ixDayAmountDate")) << plan.toStdString();
}
