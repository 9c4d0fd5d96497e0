// What a piece is charged: full price, a discount, a special price.
#include "sales/pricing.h"
#include "support/fakes.h"

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
    EXPECT_EQ(SpecialAmount("40000"), 40000);
    EXPECT_EQ(SpecialAmount("1e12"), std::nullopt);

    EXPECT_EQ(Pieces("1.5"), 2);
    EXPECT_EQ(Pieces("2.5"), 2);
    EXPECT_EQ(Pieces("0.4"), 0);
    EXPECT_EQ(Pieces("x"), std::nullopt);
    EXPECT_EQ(Pieces("5e9"), std::nullopt);
}
