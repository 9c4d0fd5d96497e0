#include "core/rules/sqltext.h"

#include <gtest/gtest.h>

TEST(SqlQuote, GivesTheLiteralWithItsQuotesDoubled)
{
    const struct {
        const char* text;
        const char* quoted;
    } cases[] = {{"O'1", "'O''1'"},   {"a''b", "'a''''b'"}, {"abc", "'abc'"},
                 {"", "''"},          {"''", "''''''"},     {"%_\"\\", "'%_\"\\'"}};
    for (const auto& c : cases)
        EXPECT_EQ(core::SqlQuote(QString::fromUtf8(c.text)), QString::fromUtf8(c.quoted)) << c.text;
}
