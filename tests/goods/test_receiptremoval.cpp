// Taking a receipt back: which batch is the line's own, and what becomes of its
// stock row.
#include "core/modmain.h"
#include "goods/receiptremoval.h"
#include "platform/base/services.h"
#include "platform/flexgrid.h"
#include "support/childprocess.h"
#include "support/purchases.h"
#include "support/shopfixture.h"

#include <algorithm>
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
        const goods::ReceiptRemoval sent =
            goods::ReceiptRemovalSql(lineOf(r, quantity, 70), r.batch, storeQuantity).value_or(goods::ReceiptRemoval{});
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
    EXPECT_TRUE(messages().shown().isEmpty());

    // A failed look-up gives no statements at all.
    sql("drop table Sell");
    EXPECT_FALSE(goods::ReceiptRemovalSql(lineOf(sole, 5, 70), sole.batch, 5).has_value());
    EXPECT_EQ(messages().shown().size(), 1);
}

namespace {

// A piece sold as the counter sells it: the stock row gives it up while it has
// it, the oldest batch with stock left is charged and a sale line names both.
core::WriteResult SellOnePiece(const QString& store)
{
    return core::TransactChecked([&store] {
        const core::WriteResult taken =
            core::SendChecked("Update Store Set Quantity=Quantity-1 Where GUID='" + store + "' And Quantity>=1",
                              core::WriteResult::OutOfStock);
        if (taken != core::WriteResult::Written)
            return taken;
        bool isErr = false;
        const jet::RecordSet rs = gDbopt.Excute(
            "Select top 1 ID from BuyPrice Where StoreGUID='" + store + "' And Quantity>0 Order by sDate ASC, ID ASC",
            isErr);
        const QString batch = rs.eof() ? QStringLiteral("0") : rs.fieldText("ID");
        const QStringList sale = {
            "Update BuyPrice set Quantity=Quantity-1 Where ID=" + batch,
            "Insert Into Sell (GUID,StoreGUID,ShopNo,TypeNo,Quantity,Price,BuyPriceID,DateTime,State) Values('" +
                gNewGUID.GUID(false) + "','" + store + "','" + gShopNo + "','R',1,199," + batch + ",'2024-03-05',0)"};
        return !isErr && gDbopt.ExcuteAll(sale) ? core::WriteResult::Written : core::WriteResult::Failed;
    });
}

// A copy of the program working on a receipt: it reads what its window would
// (the line as the purchase details list shows it, its stock row and its batch),
// waits for the other copy and writes. Arguments after the start's: the database
// folder, what it does ("remove", "correct", "sell" or "restock"), the stock row
// and the receipt line. Exits with the WriteResult, or with 10 or more when it
// could not write.
int ReceiptProgram(const QStringList& args)
{
    FakePlatform fakes;
    if (!OpenShopSession(args.value(2)))
        return 10;
    const QString what = args.value(3), store = args.value(4), lineKey = args.value(5);
    std::function<core::WriteResult()> write;
    if (what == "remove" || what == "correct") {
        FlexGrid list;
        list.bind(gDbopt.Excute("Select Quantity as 数量,Price as 进价,DateTime as 进货日期,ParentGUID,GUID from "
                                "StoreDetail Where GUID='" + lineKey + "'"));
        if (list.rows() != 2)
            return 11;
        const goods::ReceiptLine line = goods::ReceiptLineOfGridRow(list, 1);
        const std::optional<qint32> held = goods::StockQuantity(line.ParentGUID);
        qint64 lot = 0;
        bool sold = true;
        if (!held || !goods::GetLotInfo(line, lot, sold) || sold)
            return 12;
        const std::optional<goods::ReceiptRemoval> removal = goods::ReceiptRemovalSql(line, lot, *held);
        if (!removal)
            return 12;
        const goods::ReceiptTriple corrected =
            goods::NewStockReceipt(purchases::values("R-2", 4, 75, QDate(2024, 3, 1)));
        write = [removal, corrected, what] {
            return (what == "remove" ? goods::WriteReceiptRemoval(*removal)
                                     : goods::WriteReceiptCorrection(*removal, corrected))
                .Result;
        };
    } else if (what == "sell") {
        write = [store] { return SellOnePiece(store); };
    } else if (what == "restock") {
        const goods::ReceiptTriple restock =
            goods::RestockReceipt(store, purchases::values("R-1", 3, 70, QDate(2024, 3, 5)));
        write = [restock] { return goods::WriteRestock(restock).Result; };
    } else {
        return 13;
    }
    if (!readyThenAwaitStart(args))
        return 14;
    const core::WriteResult result = write();
    return fakes.messages.shown().isEmpty() ? int(result) : 15;
}
const ChildRegistration kReceiptProgram("receipt", ReceiptProgram);

}  // namespace

// Two copies of the program on one file: one takes a receipt back out (or
// corrects it) while the other sells a piece of it or restocks its stock row.
// Whichever comes first is written; the other is refused and writes nothing, so
// that no sale line, receipt line or batch is left naming what is gone and the
// stock row holds what its batches hold.
TEST_F(ReceiptRemoval, TwoProgramsOnTheReceiptLeaveTheStockWhole)
{
    using R = core::WriteResult;
    const struct {
        const char* what;
        QString first, second;
        R firstRefused, secondRefused;
    } cases[] = {
        {"a removal and a sale", "remove", "sell", R::BatchSold, R::OutOfStock},
        {"a correction and a sale", "correct", "sell", R::BatchSold, R::OutOfStock},
        {"a removal and a restock", "remove", "restock", R::ReceiptChanged, R::StockRowGone},
    };
    const QString broken[] = {
        "select count(*) from Sell Where StoreGUID Not In (select GUID from Store)",
        "select count(*) from Sell Where BuyPriceID Not In (select ID from BuyPrice)",
        "select count(*) from StoreDetail Where ParentGUID Not In (select GUID from Store)",
        "select count(*) from BuyPrice Where StoreGUID Not In (select GUID from Store)",
        "select count(*) from Store Where Quantity<>(select sum(Quantity) from BuyPrice Where StoreGUID=Store.GUID)",
    };
    // Which of them comes first is up to the engine: each pair meets a few times.
    for (int round = 0; round < 3; ++round) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + ", round " + std::to_string(round));
            const Receipt r = purchases::receive("R-" + QString::number(round), 2, 70, kDay);
            const auto programs = startTogether(
                "receipt", {{folder(), c.first, r.store, r.line}, {folder(), c.second, r.store, r.line}});
            ASSERT_EQ(programs.size(), 2u);
            const QList<int> codes = exitCodes(programs);
            const bool firstWrote = codes.value(0) == int(R::Written);
            EXPECT_EQ(codes, firstWrote ? QList<int>({int(R::Written), int(c.secondRefused)})
                                        : QList<int>({int(c.firstRefused), int(R::Written)}));
            EXPECT_EQ(scalar("select count(*) from StoreDetail Where GUID='" + r.line + "'"), firstWrote ? "0" : "1");
            for (const QString& query : broken)
                EXPECT_EQ(scalar(query), "0") << query.toStdString();
        }
    }
}
