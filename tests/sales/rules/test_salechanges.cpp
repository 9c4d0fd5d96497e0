// The sale-line searches of the after-sales windows on a real database: each
// way of searching reads its lines through an index, never the shop's years.
#include "sales/rules/salechanges.h"
#include "support/rulesfixture.h"

namespace {

class SaleLineSearches : public RulesFixture {};

}  // namespace

TEST_F(SaleLineSearches, EveryWayOfSearchingGoesThroughAnIndex)
{
    const struct {
        const char* what;
        sales::SaleLineSearch search;
        const char* index;
    } cases[] = {
        {"sale number", {.SellNo = "202403010001"}, "ixSellNo"},
        {"goods number", {.TypeNo = "K-100"}, "ixSellTypeNo"},
        {"sale day", {.Day = QDate(2024, 3, 1)}, "ixSellDate"},
        {"sale day and goods number", {.Day = QDate(2024, 3, 1), .TypeNo = "K-100"}, "ixSell"},
        {"sale number and goods number", {.SellNo = "202403010001", .TypeNo = "K-100"}, "ixSell"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const jet::RecordSet rs =
            sql("EXPLAIN QUERY PLAN " + sales::SaleLinesSql(sales::SaleLineCondition(c.search), sales::kAmountCaption));
        QString plan;
        for (int r = 0; r < rs.recordCount(); ++r)
            plan += rs.text(r, rs.fieldIndex("detail")) + "\n";
        EXPECT_TRUE(plan.contains(QStringLiteral("USING INDEX ") + c.index)) << plan.toStdString();
        EXPECT_FALSE(plan.contains("(ShopNo=?)")) << "the shop alone is every line: " << plan.toStdString();
    }
}
