// The shop's rules on a sold line the customer brings back, in the order they
// are checked: for a return and for an exchange, each with its own rules and
// its own words.
#include "aftersales/rules/clientexchange.h"
#include "aftersales/rules/clientreturn.h"
#include "core/rules/clssellrole.h"

#include <gtest/gtest.h>

TEST(TakeBackRules, InTheirOrder)
{
    const QString exchanged = "对不起该商品已经调换过不能再退货！";
    const QString special = "对不起！该商品是特价商品，您无法退货！";
    const QString discount = "对不起！该商品是折扣商品，您无法退货！";
    const QString late = "很遗憾！该商品已经超过了规定的退货时间，您无法退货！";
    const QString once = "对不起，该商品已经调换过一次了，不能进行二次调换了！";
    const QString specialX = "对不起！该商品是特价商品，您无法调换！";
    const QString discountX = "对不起！该商品是折扣商品，您无法调换！";
    const QString lateX = "很遗憾！该商品已经超过了规定的调货时间，您无法调换！";
    enum Step { Return, Exchange };
    const struct {
        const char* what;
        Step step;
        QString state, abate, day;
        // ChangNotToBack or ChangeOneTime, then the special-price and the
        // discount rule of the step, and its day limit.
        bool exchangedBefore, special, discount;
        int days;
        QString refusal;
    } cases[] = {
        {"no rule", Return, "0", "8.5", "2020-01-01", false, false, false, 0, ""},
        {"exchanged, refused", Return, "1", "全", "2024-03-05", true, false, false, 0, exchanged},
        {"exchanged, allowed", Return, "1", "全", "2024-03-05", false, true, true, 0, ""},
        {"not exchanged", Return, "0", "全", "2024-03-05", true, false, false, 0, ""},
        {"the exchange before the price", Return, "1", "特价", "2020-01-01", true, true, true, 1, exchanged},
        {"special price", Return, "0", "特价", "2024-03-05", false, true, false, 0, special},
        {"special price, only the discount rule", Return, "0", "特价", "2024-03-05", false, false, true, 0, ""},
        {"discount", Return, "0", "8.5", "2024-03-05", false, false, true, 0, discount},
        {"discount, only the special rule", Return, "0", "9", "2024-03-05", false, true, false, 0, ""},
        {"full price under both", Return, "0", "全", "2024-03-05", false, true, true, 0, ""},
        {"the price before the period", Return, "0", "8.5", "2020-01-01", false, false, true, 1, discount},
        {"one day: the sale day", Return, "0", "全", "2024-03-05", false, false, false, 1, ""},
        {"one day: the day after", Return, "0", "全", "2024-03-04", false, false, false, 1, late},
        {"seven days: the seventh", Return, "0", "全", "2024-02-28", false, false, false, 7, ""},
        {"seven days: the eighth", Return, "0", "全", "2024-02-27", false, false, false, 7, late},
        {"no limit", Return, "0", "全", "2019-03-05", false, false, false, 0, ""},

        {"no rule", Exchange, "1", "8.5", "2020-01-01", false, false, false, 0, ""},
        {"exchanged once, refused", Exchange, "1", "全", "2024-03-05", true, false, false, 0, once},
        {"never exchanged", Exchange, "0", "全", "2024-03-05", true, false, false, 0, ""},
        {"the second exchange before the price", Exchange, "1", "特价", "2020-01-01", true, true, true, 1, once},
        {"special price", Exchange, "0", "特价", "2024-03-05", false, true, false, 0, specialX},
        {"special price, only the discount rule", Exchange, "0", "特价", "2024-03-05", false, false, true, 0, ""},
        {"discount", Exchange, "0", "8.5", "2024-03-05", false, false, true, 0, discountX},
        {"discount 0", Exchange, "0", "0", "2024-03-05", false, false, true, 0, discountX},
        {"discount, only the special rule", Exchange, "0", "9", "2024-03-05", false, true, false, 0, ""},
        {"full price under both", Exchange, "0", "全", "2024-03-05", false, true, true, 0, ""},
        {"the price before the period", Exchange, "0", "8.5", "2020-01-01", false, false, true, 1, discountX},
        {"one day: the sale day", Exchange, "0", "全", "2024-03-05", false, false, false, 1, ""},
        {"one day: the day after", Exchange, "0", "全", "2024-03-04", false, false, false, 1, lateX},
        {"seven days: the seventh", Exchange, "0", "全", "2024-02-28", false, false, false, 7, ""},
        {"seven days: the eighth", Exchange, "0", "全", "2024-02-27", false, false, false, 7, lateX},
        {"no limit", Exchange, "0", "全", "2019-03-05", false, false, false, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.step == Return ? "return: " : "exchange: ") + c.what);
        sales::SoldLine line;
        line.State = c.state;
        line.Abate = c.abate;
        line.DateTime = c.day;
        clsSellRole rules;
        if (c.step == Return) {
            rules.ChangNotToBack = c.exchangedBefore;
            rules.SpecialCanNotBack = c.special;
            rules.AbateCanNotBack = c.discount;
            rules.BackDays = c.days;
            EXPECT_EQ(aftersales::ReturnRefusal(line, rules, QDate(2024, 3, 5)), c.refusal);
        } else {
            rules.ChangeOneTime = c.exchangedBefore;
            rules.SpecialCanNotChange = c.special;
            rules.AbateCanNotChange = c.discount;
            rules.ChangeDays = c.days;
            EXPECT_EQ(aftersales::ExchangeRefusal(line, rules, QDate(2024, 3, 5)), c.refusal);
        }
    }
}

TEST(TakeBackRules, WhatMayReplaceWhat)
{
    const QString sameType = "对不起只有同类型的商品才可以调换！请你再选择其他的商品";
    const QString dearer = "对不起只能调换比此商品价格高的商品！";
    const struct {
        const char* what;
        QString saleTypeNo, salePrice, typeNo, price;
        bool sameTypeChange, dearGoodsChange;
        QString refusal;
    } cases[] = {
        {"no rule", "K-100", "85", "A-1", "1", false, false, ""},
        {"the same goods number", "K-100", "85", "K-100", "85", true, false, ""},
        {"another letter case", "K-100", "85", "k-100", "85", true, false, sameType},
        {"another goods number", "K-100", "85", "K-300", "120", true, false, sameType},
        {"dearer", "K-100", "99.5", "K-300", "100", false, true, ""},
        {"as dear", "K-100", "99.5", "K-300", "99.5", false, true, ""},
        {"cheaper", "K-100", "99.5", "K-300", "80", false, true, dearer},
        {"a trifle cheaper", "K-100", "99.5", "K-300", "99.49999999", false, true, dearer},
        {"cheaper, no rule on it", "K-100", "99.5", "K-100", "80", true, false, ""},
        {"the goods number first", "K-100", "99.5", "K-300", "80", true, true, sameType},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clsSellRole rules;
        rules.SameTypeChange = c.sameTypeChange;
        rules.DearGoodsChange = c.dearGoodsChange;
        EXPECT_EQ(aftersales::ReplacementRefusal(c.saleTypeNo, c.salePrice, c.typeNo, c.price, rules), c.refusal);
    }
}
