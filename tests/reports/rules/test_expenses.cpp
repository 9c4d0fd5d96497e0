// The expenses outside the trade without a window: the typed amount, and what
// the writes store or hand back.
#include "core/rules/session.h"
#include "reports/rules/expenses.h"
#include "support/rulesfixture.h"

#include <cmath>

namespace {

class ExpenseWrites : public RulesFixture {};

reports::Expense expense(const QString& guid, float amount)
{
    return {guid, gShopNo, QStringLiteral("Ann's 鞋店"), QStringLiteral("Bob's 运费"), amount, QDate(2024, 3, 2),
            QStringLiteral("'quoted' memo"), QStringLiteral("O'Neil")};
}

}  // namespace

TEST(ExpenseAmount, TypedTextsComeToAnAmountOrAVerdict)
{
    using reports::AmountVerdict;
    const struct {
        const char* typed;
        AmountVerdict verdict;
        float amount;
    } cases[] = {
        {"0", AmountVerdict::Taken, 0},
        {"-0", AmountVerdict::Taken, 0},
        {" 1280.5 ", AmountVerdict::Taken, 1280.5f},
        {"0.1", AmountVerdict::Taken, 0.1f},
        {"-1", AmountVerdict::Negative, 0},
        {"-1e39", AmountVerdict::Negative, 0},
        {"abc", AmountVerdict::NotANumber, 0},
        {"", AmountVerdict::NotANumber, 0},
        {"1e39", AmountVerdict::NotANumber, 0},  // beyond single precision
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const reports::ExpenseAmount read = reports::ReadExpenseAmount(QString::fromUtf8(c.typed));
        EXPECT_EQ(read.Verdict, c.verdict);
        EXPECT_EQ(read.Amount, c.amount);
        EXPECT_FALSE(std::signbit(read.Amount));
    }
}

TEST_F(ExpenseWrites, StoreTheRowWithItsQuotesAndDeleteOnlyThatOne)
{
    ASSERT_TRUE(reports::WriteExpense(expense("{E1}", 35.5f)).written());
    ASSERT_TRUE(reports::WriteExpense(expense("{E2}", 0.1f)).written());
    EXPECT_EQ(rows("select * from OtherOut order by rowid"),
              "{E1}," + gShopNo + ",Ann's 鞋店,Bob's 运费,35.5,2024-03-02,'quoted' memo,O'Neil|{E2}," + gShopNo +
                  ",Ann's 鞋店,Bob's 运费,0.1,2024-03-02,'quoted' memo,O'Neil");

    ASSERT_TRUE(reports::DeleteExpense("{E1}").written());
    EXPECT_EQ(rows("select GUID from OtherOut"), "{E2}");
}

TEST_F(ExpenseWrites, AFailureIsHandedBackWithTheEnginesWordsAndNothingChanges)
{
    ASSERT_TRUE(reports::WriteExpense(expense("{E1}", 10)).written());
    rulestest::FailWrites("OtherOut", "INSERT");
    rulestest::FailWrites("OtherOut", "DELETE");
    const core::Outcome outcomes[] = {reports::WriteExpense(expense("{E2}", 20)), reports::DeleteExpense("{E1}")};
    for (const core::Outcome& o : outcomes) {
        EXPECT_EQ(o.Result, core::WriteResult::Failed);
        EXPECT_EQ(o.Error, "OtherOut cannot be written");
    }
    EXPECT_EQ(rows("select GUID from OtherOut"), "{E1}");
}
