// Two copies of the program on one database file, taking the same last pieces,
// the same sale line or the same problem stock at the same moment: one of them
// gets it, the other is refused and writes nothing.
#include "aftersales/rules/clientexchange.h"
#include "aftersales/rules/clientreturn.h"
#include "aftersales/rules/problemstock.h"
#include "platform/flexgrid.h"
#include "sales/rules/checkout.h"
#include "sales/salelineframe.h"
#include "support/childprocess.h"
#include "support/soldlines.h"

namespace {

const QString K3 = QStringLiteral("{00000000-0000-0000-0000-0000000000D3}");  // its last piece
const QString K4 = QStringLiteral("{00000000-0000-0000-0000-0000000000D4}");  // its last piece, with no batch
const QString K5 = QStringLiteral("{00000000-0000-0000-0000-0000000000D5}");  // three pieces, two in a batch

// A piece at full price, as the sale list or the pending pairs hold it.
template <typename Piece>
Piece atFullPrice(const QString& StoreGUID)
{
    Piece piece;
    piece.StoreGUID = StoreGUID;
    piece.Price = piece.Amount = QStringLiteral("85");
    piece.Quantity = QStringLiteral("1");
    piece.Abate = QStringLiteral("全");
    return piece;
}

// A copy of the program taking pieces, a sale line or problem stock: it reads a
// sale line as its window lists it, waits for the other copy and writes.
// Arguments after the start's: the database folder, what it does, the key of the
// sale line (of the stock row for a sale and for problem goods, the problem-stock
// rows' IDs joined by commas for a factory return) and, for an exchange, the
// stock row of the replacement.
// Exits with the WriteResult, or with 10 or more when it could not write.
int TakingProgram(const QStringList& args)
{
    FakePlatform fakes;
    if (!OpenShopSession(args.value(2)))
        return 10;
    const QString what = args.value(3), key = args.value(4), goods = args.value(5);
    const bool ofASaleLine = !QStringList{"sell", "problem goods", "factory return"}.contains(what);
    sales::SoldLine line;
    if (ofASaleLine) {
        FlexGrid list;
        list.bind(gDbopt.Excute(
            sales::SaleLinesSql(QStringLiteral(" GUID='") + key + QLatin1Char('\''), sales::kAmountCaption)));
        if (list.rows() != 2)
            return 11;
        line = sales::SoldLineOfGridRow(list, 1, sales::kAmountCaption);
    }
    if (!readyThenAwaitStart(args))
        return 12;
    core::WriteResult result = core::WriteResult::Failed;
    if (what == QStringLiteral("sell")) {
        result = sales::WriteSale({atFullPrice<sales::SaleLine>(key)}, 100, 15).Write.Result;
    } else if (what == QStringLiteral("void")) {
        result = sales::WriteVoid(line, QStringLiteral("录入错误")).Result;
    } else if (what.startsWith(QStringLiteral("return"))) {
        const bool problem = what.endsWith(QStringLiteral("problem stock"));
        result =
            aftersales::WriteReturn(line, QStringLiteral("开胶"),
                                    problem ? aftersales::ReturnTo::ProblemStock : aftersales::ReturnTo::NormalStock)
                .Result;
    } else if (what == QStringLiteral("exchange")) {
        aftersales::Replacement r = atFullPrice<aftersales::Replacement>(goods);
        r.SellGUID = line.GUID;
        r.SellNo = line.SellNo;
        result = aftersales::WriteExchange({{line}, {QStringLiteral("尺码不合适")}, {r}}).Result;
    } else if (what == QStringLiteral("problem goods")) {
        aftersales::ProblemLine faulty;
        faulty.StoreGUID = key;
        faulty.Quantity = 2;
        faulty.BackResion = QStringLiteral("开胶");
        result = aftersales::WriteProblemGoods({faulty}).Result;
    } else if (what == QStringLiteral("factory return")) {
        aftersales::FactoryReturn back{QDate(2024, 3, 5), 5, 100, {}};
        for (const QString& id : key.split(QLatin1Char(',')))
            back.BackStoreIDs << id.toInt();
        result = aftersales::WriteFactoryReturn(back).Result;
    } else {
        return 13;
    }
    return fakes.messages.shown().isEmpty() ? int(result) : 14;
}
const ChildRegistration kTaking("taking", TakingProgram);

class TwoPrograms : public SoldLines {
protected:
    void SetUp() override
    {
        SoldLines::SetUp();
        stock(K3, "K-300", 1);
        batch(K3, 50, 1, "2024-02-01");
        stock(K4, "K-400", 1);
        stock(K5, "K-500", 3);
        batch5 = batch(K5, 30, 2, "2024-02-01");
    }
    QString storeOf(const QString& key) { return "select Quantity from Store Where GUID='" + key + "'"; }
    QString batchOf(const QString& id) { return "select Quantity from BuyPrice Where ID=" + id; }
    QString historiesOf(const QString& sellGUIDs)
    {
        return "select count(*) from SellChange Where SellGUID in (" + sellGUIDs + ")";
    }
    QString inState(const QString& sellGUID, int state)
    {
        return "select count(*) from Sell Where GUID='" + sellGUID + "' And State=" + QString::number(state);
    }
    // A problem-stock row of the pieces, not yet back at the factory; its ID.
    QString problem(int quantity)
    {
        sql("Insert Into BackStore ([GUID],ShopNo,TypeNo,Name,Brand,[Size],Colour,Leather,Grade,ProductPlace,"
            "Quantity,BuyPrice,BackResion,Seller,SellName,IsBackFactory,BackFactoryDate) Values('" + K1 + "','" +
            gShopNo + "','K-100','夹克','B','XL','黑','棉','一等','广州'," + QString::number(quantity) +
            ",80,'开胶','s01','张',0,Null)");
        return scalar("select max(ID) from BackStore");
    }

    QString batch5;
};

}  // namespace

TEST_F(TwoPrograms, OnlyOneOfThemGetsTheLastPieceOrTheLine)
{
    const QString v = sold({}), n = sold({}), p = sold({}), x = sold({}), e1 = sold({}), e2 = sold({});
    const QString ticked = problem(2) + "," + problem(3);
    const auto q = [](const QString& key) { return "'" + key + "'"; };
    // What each copy does: what, the key, the replacement's stock row.
    const struct {
        const char* what;
        QStringList first, second;
        core::WriteResult refused;           // why the other one is refused
        QList<QPair<QString, int>> changes;  // a count and how much it changes by
    } cases[] = {
        {"two sales of the last piece",
         {"sell", K3},
         {"sell", K3},
         core::WriteResult::OutOfStock,
         {{storeOf(K3), -1}, {"select count(*) from Sell Where StoreGUID=" + q(K3), 1}}},
        {"two voids of one line",
         {"void", v},
         {"void", v},
         core::WriteResult::LineChanged,
         {{storeOf(K1), 1}, {batchOf(batch1), 1}, {historiesOf(q(v)), 1}, {inState(v, 3), 1}}},
        {"two returns of one line into normal stock",
         {"return to normal stock", n},
         {"return to normal stock", n},
         core::WriteResult::LineChanged,
         {{storeOf(K1), 1}, {batchOf(batch1), 1}, {historiesOf(q(n)), 1}, {inState(n, 2), 1}}},
        {"two returns of one line into problem stock",
         {"return to problem stock", p},
         {"return to problem stock", p},
         core::WriteResult::LineChanged,
         {{"select count(*) from BackStore", 1}, {storeOf(K1), 0}, {historiesOf(q(p)), 1}, {inState(p, 2), 1}}},
        {"two exchanges of one line",
         {"exchange", x, K2},
         {"exchange", x, K2},
         core::WriteResult::LineChanged,
         {{storeOf(K1), 1}, {batchOf(batch1), 1}, {storeOf(K2), -1}, {batchOf(batch2), -1}, {historiesOf(q(x)), 1}}},
        {"two exchanges of two lines for the last piece",
         {"exchange", e1, K4},
         {"exchange", e2, K4},
         core::WriteResult::OutOfStock,
         {{storeOf(K4), -1},
          {storeOf(K1), 1},
          {batchOf(batch1), 1},
          {historiesOf(q(e1) + "," + q(e2)), 1},
          {"select count(*) from Sell Where StoreGUID=" + q(K4), 1}}},
        {"two programs setting two of the three pieces aside",
         {"problem goods", K5},
         {"problem goods", K5},
         core::WriteResult::OutOfStock,
         {{storeOf(K5), -2},
          {batchOf(batch5), -2},
          {"select count(*) from BackStore Where [GUID]=" + q(K5), 1},
          {"select sum(BuyPrice) from BackStore Where [GUID]=" + q(K5), 60}}},
        {"two returns of the same problem stock to the factory",
         {"factory return", ticked},
         {"factory return", ticked},
         core::WriteResult::BackAtFactory,
         {{"select count(*) from FactoryBackTotal", 1},
          {"select sum(Quantity) from FactoryBackTotal", 5},
          {"select count(*) from BackStore Where IsBackFactory<>0 And ID in (" + ticked + ")", 2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QList<int> before;
        for (const auto& change : c.changes)
            before << scalar(change.first).toInt();
        const auto programs =
            startTogether("taking", {QStringList{folder()} + c.first, QStringList{folder()} + c.second});
        ASSERT_EQ(programs.size(), 2u);
        QList<int> codes = exitCodes(programs);
        std::sort(codes.begin(), codes.end());
        EXPECT_EQ(codes, QList<int>({int(core::WriteResult::Written), int(c.refused)}));
        for (qsizetype i = 0; i < c.changes.size(); ++i)
            EXPECT_EQ(scalar(c.changes[i].first).toInt() - before[i], c.changes[i].second)
                << c.changes[i].first.toStdString();
    }
}
