#include "platform/vb.h"

#include <gtest/gtest.h>
#include <clocale>

TEST(Vb, IsNumeric)
{
    const struct {
        const char* text;
        bool numeric;
    } cases[] = {
        {"12", true},   {" 5", true},    {"-3.5", true}, {"+.5", true}, {"1e3", true},  {"2.", true},
        {"5 ", true},   {"", false},     {" ", false},   {".", false},  {"1.2.3", false}, {"1,000", false},
        {"abc", false}, {"12a", false},  {"e3", false},  {"--1", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vb::isNumeric(QString::fromUtf8(c.text)), c.numeric) << c.text;
}

TEST(Vb, ValTakesTheLeadingNumber)
{
    EXPECT_EQ(vb::val("12abc"), 12);
    EXPECT_EQ(vb::val("  -3.5kg"), -3.5);
    EXPECT_EQ(vb::val("abc"), 0);
    EXPECT_EQ(vb::val(""), 0);
    EXPECT_EQ(vb::val("08.5"), 8.5);
    EXPECT_EQ(vb::val("1e2x"), 100);
    EXPECT_EQ(vb::val("-.5"), -0.5);
    EXPECT_EQ(vb::val("+3"), 3);
    EXPECT_EQ(vb::val("- 2"), -2);
    EXPECT_EQ(vb::val("1.5e"), 1.5);
    EXPECT_EQ(vb::val("."), 0);
    EXPECT_EQ(vb::val("-"), 0);
}

TEST(Vb, RoundsHalvesToEven)
{
    const struct {
        double in, out;
    } cases[] = {{42.5, 42}, {43.5, 44}, {99.5, 100}, {72.25, 72}, {0.5, 0}, {1.5, 2}, {-2.5, -2}, {72.75, 73}};
    for (const auto& c : cases)
        EXPECT_EQ(vb::roundHalfEven(c.in), c.out) << c.in;
    EXPECT_EQ(vb::toLong(2147483647.0), 2147483647);
    EXPECT_FALSE(vb::toLong(2147483648.0).has_value());
    EXPECT_FALSE(vb::toLong(-3e12).has_value());
}

TEST(Vb, NumberTextIsShortestAndLocaleFree)
{
    // A decimal comma in the C locale must not leak into SQL or receipts.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "the locale de_DE.UTF-8 is not installed (scripts/setup makes it)";
    EXPECT_EQ(vb::singleText(72.25f), "72.25");
    EXPECT_EQ(vb::singleText(85.0f), "85");
    EXPECT_EQ(vb::singleText(0.1f), "0.1");
    EXPECT_EQ(vb::singleText(99.7f), "99.7");
    EXPECT_EQ(vb::numberText(200.0), "200");
    EXPECT_EQ(vb::numberText(299.7), "299.7");
    EXPECT_EQ(vb::numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(vb::numberText(-20), "-20");
    EXPECT_EQ(vb::numberText(1234567.5), "1234567.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}
