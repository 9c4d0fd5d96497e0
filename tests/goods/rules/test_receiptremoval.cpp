// Taking a receipt back: which batch is the line's own, and what becomes of its
// stock row.
#include "goods/rules/receiptremoval.h"
#include "platform/base/services.h"
#include "support/purchases.h"
#include "support/rulesfixture.h"

#include <functional>

using purchases::kDay;
using purchases::lineOf;
using purchases::Receipt;

class ReceiptRemoval : public RulesFixture {};

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
        QString error;
        ASSERT_TRUE(goods::ReadLotInfo(e.line, lot, sold, error));
        EXPECT_EQ(lot, e.lot);
        EXPECT_EQ(sold, e.sold);
        EXPECT_EQ(error, "");
    }

    // A receipt day that cannot be read is a failed look-up, not a day without batches.
    qint64 lot = -1;
    bool sold = true;
    const Receipt undated = purchases::receive("A-10", 5, 70, kDay);
    QString error;
    EXPECT_FALSE(goods::ReadLotInfo({undated.line, undated.store, 70, 5, "2024-02-30"}, lot, sold, error));
    EXPECT_EQ(error, "查询表达式中日期的语法错误：#2024-02-30#");

    sql("drop table BuyPrice");
    error.clear();
    EXPECT_FALSE(goods::ReadLotInfo(lineOf(Receipt{"{S}", "{L}"}, 5, 70), lot, sold, error));
    EXPECT_TRUE(error.contains("BuyPrice", Qt::CaseInsensitive)) << error.toStdString();
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
        QString error;
        const goods::ReceiptRemoval sent = goods::ReadReceiptRemoval(lineOf(r, quantity, 70), r.batch, storeQuantity, error)
                                               .value_or(goods::ReceiptRemoval{});
        EXPECT_EQ(error, "");
        return QStringList{sent.Line, sent.Batch, sent.Stock};
    };
    // The batch goes only while whole and named by no sale line, the stock row
    // only while it holds what it held when the removal was decided on.
    const auto expected = [](const Receipt& r, qint32 quantity, const QString& last) {
        const QString id = QString::number(r.batch);
        return QStringList{"Delete from StoreDetail Where GUID='" + r.line + "'",
                           "Delete from Buyprice where Id=" + id + " And Quantity=" + QString::number(quantity) +
                               " And Not Exists (select * from Sell Where StoreGUID='" + r.store +
                               "' And BuyPriceID=" + id + ")",
                           last};
    };
    const auto deleted = [](const Receipt& r, const QString& held) {
        return "delete from store where GUID='" + r.store + "' And Quantity=" + held;
    };
    const auto lowered = [](const Receipt& r, const QString& by, const QString& held) {
        return "Update Store Set Quantity=Quantity-" + by + " Where GUID='" + r.store + "' And Quantity=" + held;
    };
    // A row holding other pieces than the line's keeps them.
    EXPECT_EQ(removal(givenBack, 5, 4), expected(givenBack, 5, lowered(givenBack, "5", "4")));
    EXPECT_EQ(removal(restocked, 5, 8), expected(restocked, 5, lowered(restocked, "5", "8")));
    EXPECT_EQ(removal(negative, -2, 3), expected(negative, -2, lowered(negative, "-2", "3")));
    // As many pieces as the line, but another receipt, its batch or a sale
    // line (of an earlier receipt, or one given back) still names the row.
    EXPECT_EQ(removal(sole, 5, 5), expected(sole, 5, lowered(sole, "5", "5")));
    EXPECT_EQ(removal(later, 5, 5), expected(later, 5, lowered(later, "5", "5")));
    EXPECT_EQ(removal(givenBack, 5, 5), expected(givenBack, 5, lowered(givenBack, "5", "5")));
    sql("Delete from StoreDetail Where GUID='" + negative.line + "'");
    EXPECT_EQ(removal(sole, 5, 5), expected(sole, 5, lowered(sole, "5", "5"))) << "the other batch";
    sql("Delete from BuyPrice Where ID=" + QString::number(negative.batch));
    EXPECT_EQ(removal(sole, 5, 5), expected(sole, 5, deleted(sole, "5")));
    // A line without a batch sends no batch delete.
    const Receipt unknown{"{S}", "{L}", 0};
    EXPECT_EQ(removal(unknown, 5, 5),
              QStringList({"Delete from StoreDetail Where GUID='{L}'", "", "delete from store where GUID='{S}' And Quantity=5"}));

    // Keys go in with their quotes doubled.
    EXPECT_EQ(removal(Receipt{"{S'}", "{L'}", 7}, 1, 2).first(), "Delete from StoreDetail Where GUID='{L''}'");

    // A failed look-up gives no statements at all.
    sql("drop table Sell");
    QString error;
    EXPECT_FALSE(goods::ReadReceiptRemoval(lineOf(sole, 5, 70), sole.batch, 5, error).has_value());
    EXPECT_TRUE(error.contains("Sell", Qt::CaseInsensitive)) << error.toStdString();
}
