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

using purchases::kDay;
using purchases::lineOf;
using purchases::Receipt;

class ReceiptRemoval : public ShopFixture {};

// The purchase details and the correction show a failed look-up's words once.
TEST_F(ReceiptRemoval, AFailedLookUpShowsTheEnginesWordsOnce)
{
    const Receipt r = purchases::receive("A-10", 5, 70, kDay);
    qint64 lot = -1;
    bool sold = true;
    EXPECT_FALSE(goods::GetLotInfo({r.line, r.store, 70, 5, "2024-02-30"}, lot, sold));
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(messages().last().text, "查询表达式中日期的语法错误：#2024-02-30#");
    messages().clear();

    sql("drop table Sell");
    EXPECT_FALSE(goods::ReceiptRemovalSql(lineOf(r, 5, 70), r.batch, 5).has_value());
    EXPECT_EQ(messages().shown().size(), 1);
}


namespace {

// A piece sold as the counter sells it: the stock row gives it up while it has
// it, the oldest batch with stock left is charged and a sale line names both.
core::WriteResult SellOnePiece(const QString& store)
{
    return core::Transacted([&store]() -> core::Outcome {
        if (const core::Outcome taken =
                core::SendOne("Update Store Set Quantity=Quantity-1 Where GUID='" + store + "' And Quantity>=1",
                              core::WriteResult::OutOfStock);
            !taken.written())
            return taken;
        const core::Sent found = gDbopt.Send("Select top 1 ID from BuyPrice Where StoreGUID='" + store +
                                             "' And Quantity>0 Order by sDate ASC, ID ASC");
        if (found.failed())
            return {core::WriteResult::Failed, found.Error};
        const QString batch = found.Rows.eof() ? QStringLiteral("0") : found.Rows.fieldText("ID");
        const QStringList sale = {
            "Update BuyPrice set Quantity=Quantity-1 Where ID=" + batch,
            "Insert Into Sell (GUID,StoreGUID,ShopNo,TypeNo,Quantity,Price,BuyPriceID,DateTime,State) Values('" +
                gNewGUID.GUID(false) + "','" + store + "','" + gShopNo + "','R',1,199," + batch + ",'2024-03-05',0)"};
        for (const QString& statement : sale)
            if (const core::Sent sent = gDbopt.Send(statement); sent.failed())
                return {core::WriteResult::Failed, sent.Error};
        return {};
    })
        .Result;
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
