// What a piece is charged: full price, a discount, a special price.
#include "sales/rules/pricing.h"

#include <gtest/gtest.h>

using namespace pricing;

TEST(Pricing, DiscountsAndSpecialPrices)
{
    const struct {
        const char* retail;
        const char* abate;
        AbateCheck check;
        std::optional<qint32> amount;
    } discounts[] = {
        {"99.5", "全", AbateCheck::Ok, 100},    // halves to even
        {"85", "8.5", AbateCheck::Ok, 72},      // 72.25
        {"85", "08.5", AbateCheck::Ok, 72},
        {"85", "5", AbateCheck::Ok, 42},        // 42.5
        {"87", "5", AbateCheck::Ok, 44},        // 43.5
        {"85", "0", AbateCheck::Ok, 0},
        {"100", "9.9", AbateCheck::Ok, 99},
        {"100", "9.90000000000000001", AbateCheck::OutOfRange, {}},  // a trifle above 9.9
        {"100", "-0", AbateCheck::Ok, 0},
        {"100", "9.95", AbateCheck::OutOfRange, {}},
        {"100", "12", AbateCheck::OutOfRange, {}},
        {"100", "-1", AbateCheck::OutOfRange, {}},
        {"100", "abc", AbateCheck::NotANumber, {}},
        {"100", "", AbateCheck::NotANumber, {}},
        {"3000000000", "全", AbateCheck::Ok, std::nullopt},  // beyond 32 bits
    };
    for (const auto& c : discounts) {
        SCOPED_TRACE(std::string(c.retail) + " at " + c.abate);
        EXPECT_EQ(CheckAbate(c.abate), c.check);
        if (c.check == AbateCheck::Ok) {
            EXPECT_EQ(DiscountAmount(c.retail, c.abate), c.amount);
        }
    }
    EXPECT_EQ(AbateRefusal(AbateCheck::OutOfRange), "请输入0.1-10的数字或小数！");
    EXPECT_EQ(AbateRefusal(AbateCheck::NotANumber), "数量的数据类型不正确！");

    EXPECT_EQ(AbateAsShown("10"), "全");
    for (const char* stays : {"1", "100", "08.5", "10.0", "全"})
        EXPECT_EQ(AbateAsShown(stays), stays);

    const struct {
        const char* price;
        const char* retail;
        SpecialCheck check;
    } specials[] = {
        {"85", "85", SpecialCheck::Ok},  // as dear as retail
        {"0", "85", SpecialCheck::Ok},
        {"85.5", "85", SpecialCheck::AboveRetail},
        {"85.00000000000000001", "85", SpecialCheck::AboveRetail},  // a trifle dearer
        {"-0.00000000000000000001", "85", SpecialCheck::BelowZero},
        {"-1", "85", SpecialCheck::BelowZero},
        {"abc", "85", SpecialCheck::NotANumber},
        {"", "85", SpecialCheck::NotANumber},
        {"4e9", "5e9", SpecialCheck::NotANumber},  // beyond 32 bits
        {"-4e9", "85", SpecialCheck::NotANumber},  // that before below 0
    };
    for (const auto& c : specials)
        EXPECT_EQ(CheckSpecial(c.price, c.retail), c.check) << c.price << " against " << c.retail;

    EXPECT_EQ(SpecialAmount("99.5"), 100);
    EXPECT_EQ(SpecialAmount("98.5"), 98);
    EXPECT_EQ(SpecialAmount("98.50000000000000001"), 99);  // past the half
    EXPECT_EQ(SpecialAmount("99.49999999999999999"), 99);  // short of it
    EXPECT_EQ(SpecialAmount("1e400"), std::nullopt);
    EXPECT_EQ(SpecialAmount("40000"), 40000);
    EXPECT_EQ(SpecialAmount("1e12"), std::nullopt);

    EXPECT_EQ(Pieces("1.5"), 2);
    EXPECT_EQ(Pieces("2.5"), 2);
    EXPECT_EQ(Pieces("0.4"), 0);
    EXPECT_EQ(Pieces("x"), std::nullopt);
    EXPECT_EQ(Pieces("5e9"), std::nullopt);
}

// Every discount from 0 to 9.9 and full price, on retail prices with and without
// cents, against the amount worked out in whole hundredths and tenths here:
// retail h/100 at t/10 is h*t/10000, to the nearest whole, halves to even.
TEST(Pricing, ADiscountIsExactFromTheTextsAndAHalfGoesToEven)
{
    const qint64 hundredths[] = {1,    5,    50,   99,    100,   250,   500,   1235,   1250,     1999,
                                 2450, 3330, 4550, 5000,  8500,  8700,  9950,  9990,   12345,    19900,
                                 1005, 4990, 7350, 10505, 25050, 99999, 123456, 4000000, 99999999};
    const auto text = [](qint64 n, int decimals) {
        const qint64 unit = decimals == 2 ? 100 : 10;
        QString t = QString::number(n / unit);
        if (n % unit != 0) {
            QString fraction = QString::number(n % unit).rightJustified(decimals, '0');
            while (fraction.endsWith('0'))
                fraction.chop(1);
            t += "." + fraction;
        }
        return t;
    };
    const auto halfEven = [](qint64 numerator, qint64 denominator) {
        const qint64 q = numerator / denominator, r = numerator % denominator;
        return 2 * r > denominator || (2 * r == denominator && q % 2 != 0) ? q + 1 : q;
    };
    int halves = 0;
    for (const qint64 h : hundredths) {
        const QString retail = text(h, 2);
        for (int t = 0; t <= 100; ++t) {
            const QString abate = t == 100 ? kFull : text(t, 1);
            const qint64 n = h * t;
            halves += n % 10000 == 5000;
            ASSERT_EQ(DiscountAmount(retail, abate), halfEven(n, 10000)) << retail.toStdString() << " at "
                                                                          << abate.toStdString();
        }
    }
    EXPECT_GT(halves, 50) << "the table holds many exact halves";

    // The figures a clerk met: a half at a discount with tenths.
    EXPECT_EQ(DiscountAmount("50", "8.7"), 44);    // 43.5
    EXPECT_EQ(DiscountAmount("50", "4.9"), 24);    // 24.5
    EXPECT_EQ(DiscountAmount("12.5", "9.2"), 12);  // 11.5
}

// Decimal texts read the way the windows read numbers, held exactly.
TEST(Pricing, DecimalsReadTheLeadingNumberExactly)
{
    const struct {
        const char* text;
        std::optional<qint32> rounded;
    } cases[] = {
        {"43.5", 44},          {" -  42.5kg", -42},    {"4.35e1", 44},   {"435E-1", 44},     {".5", 0},
        {"1.5", 2},            {"0.0000000001", 0},    {"2.5e", 2},      {"abc", 0},         {"", 0},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"2147483647.5", std::nullopt},
        {"3e9", std::nullopt}, {"1e999999", std::nullopt}, {"1e-999999", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decimal::Of(c.text).Rounded(), c.rounded) << c.text;

    EXPECT_EQ(Decimal::Of("8.50"), Decimal::Of("08.5"));
    EXPECT_EQ(Decimal::Of("-0"), Decimal());
    EXPECT_LT(Decimal::Of("9.9"), Decimal::Of("9.90000000000000001"));
    EXPECT_LT(Decimal::Of("-100"), Decimal::Of("-99.9"));
    EXPECT_LT(Decimal::Of("99.9"), Decimal::Of("100"));
    EXPECT_GT(Decimal::Of("1e3"), Decimal::Of("999.999"));
    EXPECT_EQ(Decimal::Of("1.2") * Decimal::Of("-0.25"), Decimal::Of("-0.3"));
}
