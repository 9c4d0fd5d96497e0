// Taking a receipt back: which batch is the line's own, and what becomes of its
// stock row.
#include "core/modmain.h"
#include "goods/receiptremoval.h"
#include "platform/services.h"
#include "support/purchases.h"
#include "support/shopfixture.h"

#include <functional>

using purchases::Receipt;

namespace {

const QDate kDay(2024, 3, 1);

goods::ReceiptLine lineOf(const Receipt& r, qint32 quantity, float price, const QDate& day = kDay)
{
    return {r.line, r.store, price, quantity, ui::dayText(day)};
}

}  // namespace

class ReceiptRemoval : public ShopFixture {};

TEST_F(ReceiptRemoval, TheLinesOwnBatchIsAWholeOneOfItsDayAndPriceThatNoSaleLineNames)
{
    struct Expect {
        goods::ReceiptLine line;
        qint64 lot;
        bool sold;
    };
    const struct {
        const char* name;
        std::function<Expect()> setup;
    } cases[] = {
        {"a receipt untouched",
         [] {
             const Receipt r = purchases::receive("A-1", 5, 70, kDay);
             return Expect{lineOf(r, 5, 70), r.batch, false};
         }},
        {"one piece sold",
         [] {
             const Receipt r = purchases::receive("A-2", 5, 70, kDay);
             purchases::sell(r);
             return Expect{lineOf(r, 5, 70), 0, true};
         }},
        {"same-day restock, the other batch partly sold",
         [] {
             const Receipt first = purchases::receive("A-3", 5, 70, kDay);
             const Receipt second = purchases::restock(first, 3, 70, kDay);
             purchases::sell(second);
             return Expect{lineOf(first, 5, 70), first.batch, false};
         }},
        {"same-day restock, its own batch partly sold",
         [] {
             const Receipt first = purchases::receive("A-4", 5, 70, kDay);
             const Receipt second = purchases::restock(first, 3, 70, kDay);
             purchases::sell(second);
             // The first batch of the day still holds more than this line had.
             return Expect{lineOf(second, 3, 70), 0, true};
         }},
        {"same-day restock of as many pieces at another price",
         [] {
             const Receipt first = purchases::receive("A-5", 5, 70, kDay);
             const Receipt second = purchases::restock(first, 5, 80.1f, kDay);
             purchases::sell(first);
             return Expect{lineOf(second, 5, 80.1f), second.batch, false};
         }},
        {"no batch of the line's price that day",
         [] {
             const Receipt r = purchases::receive("A-6", 5, 70, kDay);
             purchases::restock(r, 5, 70, kDay.addDays(1));
             return Expect{lineOf(r, 5, 72), 0, false};
         }},
        {"a negative receipt",
         [] {
             const Receipt r = purchases::receive("A-7", 5, 70, kDay.addDays(-1));
             const Receipt back = purchases::restock(r, -2, 70, kDay);
             return Expect{lineOf(back, -2, 70), back.batch, false};
         }},
        {"same-day restock after the first batch sold down to as many pieces",
         [] {
             const Receipt first = purchases::receive("A-8", 5, 70, kDay);
             const Receipt second = purchases::restock(first, 3, 70, kDay);
             purchases::sell(first);
             purchases::sell(first);
             // Both batches hold 3; the sale lines name the first.
             return Expect{lineOf(second, 3, 70), second.batch, false};
         }},
        {"a sold piece given back: whole, but a sale line names it",
         [] {
             const Receipt r = purchases::receive("A-9", 5, 70, kDay);
             purchases::giveBack(r, purchases::sell(r));
             return Expect{lineOf(r, 5, 70), 0, true};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Expect e = c.setup();
        qint64 lot = -1;
        bool sold = !e.sold;
        ASSERT_TRUE(goods::GetLotInfo(e.line, lot, sold));
        EXPECT_EQ(lot, e.lot);
        EXPECT_EQ(sold, e.sold);
    }
    EXPECT_TRUE(messages().shown().isEmpty());

    // A receipt day that cannot be read is a failed look-up, not a day without batches.
    qint64 lot = -1;
    bool sold = true;
    const Receipt undated = purchases::receive("A-10", 5, 70, kDay);
    EXPECT_FALSE(goods::GetLotInfo({undated.line, undated.store, 70, 5, "2024-02-30"}, lot, sold));
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(messages().last().text, "查询表达式中日期的语法错误：#2024-02-30#");
    messages().clear();

    sql("drop table BuyPrice");
    EXPECT_FALSE(goods::GetLotInfo(lineOf(Receipt{"{S}", "{L}"}, 5, 70), lot, sold));
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_TRUE(messages().last().text.contains("BuyPrice", Qt::CaseInsensitive));
}

TEST_F(ReceiptRemoval, TheStockRowGoesOnlyWhenNothingElseNamesIt)
{
    const Receipt sole = purchases::receive("B-1", 5, 70, kDay);
    const Receipt restocked = purchases::receive("B-2", 5, 70, kDay);
    purchases::restock(restocked, 3, 70, kDay.addDays(1));
    const Receipt earlier = purchases::receive("B-3", 2, 70, kDay.addDays(-7));
    purchases::sell(earlier);
    purchases::sell(earlier);
    const Receipt later = purchases::restock(earlier, 5, 70, kDay);
    const Receipt givenBack = purchases::receive("B-4", 5, 70, kDay);
    purchases::giveBack(givenBack, purchases::sell(givenBack));
    const Receipt negative = purchases::restock(sole, -2, 70, kDay.addDays(2));

    const auto removal = [](const Receipt& r, qint32 quantity, qint32 storeQuantity) {
        return goods::ReceiptRemovalSql(lineOf(r, quantity, 70), r.batch, storeQuantity)
            .value_or(QStringList{"failed"});
    };
    const auto expected = [](const Receipt& r, const QString& last) {
        return QStringList{"Delete from StoreDetail Where GUID='" + r.line + "'",
                           "Delete from Buyprice where Id=" + QString::number(r.batch), last};
    };
    const auto deleted = [](const Receipt& r) { return "delete from store where GUID='" + r.store + "'"; };
    const auto lowered = [](const Receipt& r, const QString& by) {
        return "Update Store Set Quantity=Quantity-" + by + " Where GUID='" + r.store + "'";
    };
    // A row holding other pieces than the line's keeps them.
    EXPECT_EQ(removal(givenBack, 5, 4), expected(givenBack, lowered(givenBack, "5")));
    EXPECT_EQ(removal(restocked, 5, 8), expected(restocked, lowered(restocked, "5")));
    EXPECT_EQ(removal(negative, -2, 3), expected(negative, lowered(negative, "-2")));
    // As many pieces as the line, but another receipt, its batch or a sale
    // line (of an earlier receipt, or one given back) still names the row.
    EXPECT_EQ(removal(sole, 5, 5), expected(sole, lowered(sole, "5")));
    EXPECT_EQ(removal(later, 5, 5), expected(later, lowered(later, "5")));
    EXPECT_EQ(removal(givenBack, 5, 5), expected(givenBack, lowered(givenBack, "5")));
    sql("Delete from StoreDetail Where GUID='" + negative.line + "'");
    EXPECT_EQ(removal(sole, 5, 5), expected(sole, lowered(sole, "5"))) << "the other batch";
    sql("Delete from BuyPrice Where ID=" + QString::number(negative.batch));
    EXPECT_EQ(removal(sole, 5, 5), expected(sole, deleted(sole)));
    const Receipt unknown{"{S}", "{L}", 0};
    EXPECT_EQ(removal(unknown, 5, 5), expected(unknown, "delete from store where GUID='{S}'"));

    // Keys go in with their quotes doubled.
    EXPECT_EQ(removal(Receipt{"{S'}", "{L'}", 7}, 1, 2).first(), "Delete from StoreDetail Where GUID='{L''}'");
    EXPECT_TRUE(messages().shown().isEmpty());

    // A failed look-up gives no statements at all.
    sql("drop table Sell");
    EXPECT_FALSE(goods::ReceiptRemovalSql(lineOf(sole, 5, 70), sole.batch, 5).has_value());
    EXPECT_EQ(messages().shown().size(), 1);
}
