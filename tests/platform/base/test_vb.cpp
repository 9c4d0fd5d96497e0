#include "platform/base/vb.h"

#include <gtest/gtest.h>
#include <clocale>
#include <limits>

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

TEST(Vb, SingleTextHasSevenSignificantDigits)
{
    // Sums worked out in single precision, as the windows hold money: the noise
    // past the seventh digit is no part of the text.
    const auto added = [](float price, int times) {
        float sum = 0;
        for (int i = 0; i < times; ++i)
            sum += price;
        return sum;
    };
    volatile float price = 99.9f;  // worked out at run time, in single precision
    const struct {
        float v;
        const char* text;
    } cases[] = {
        {price * 3 - price, "199.8"},
        {price - price * 3, "-199.8"},
        {added(0.1f, 10), "1"},
        {added(0.1f, 7), "0.7"},
        {added(19.99f, 6), "119.94"},
        {added(39.9f, 3), "119.7"},
        {added(29.9f, 10), "299"},
        {100.0f - price, "0.09999847"},
        {0.1f, "0.1"},
        {72.25f, "72.25"},
        {123456.78f, "123456.8"},
        {1234567.5f, "1234568"},
        {1e-10f, "0.0000000001"},
        {-1.234567e-7f, "-0.0000001234567"},
        // Whole numbers stay exact, also past seven digits.
        {0.0f, "0"},
        {-0.0f, "0"},
        {85.0f, "85"},
        {-20.0f, "-20"},
        {12345678.0f, "12345678"},
        {16777216.0f, "16777216"},
        {16777218.0f, "16777218"},
        {3e9f, "3000000000"},
        {std::numeric_limits<float>::infinity(), "0"},
        {std::numeric_limits<float>::quiet_NaN(), "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vb::singleText(c.v).toStdString(), c.text);
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
    EXPECT_EQ(vb::singleText(299.7f - 99.9f), "199.8");
    EXPECT_EQ(vb::numberText(200.0), "200");
    EXPECT_EQ(vb::numberText(299.7), "299.7");
    EXPECT_EQ(vb::numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(vb::numberText(-20), "-20");
    EXPECT_EQ(vb::numberText(1234567.5), "1234567.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}
