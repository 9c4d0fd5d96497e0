// The purchase details query driven as the owner does: the list and its
// filters, the deletion of a receipt, and the correction opened from it.
#include "core/modmain.h"
#include "goods/frmedit.h"
#include "goods/receiptremoval.h"
#include "platform/flexgrid.h"
#include "reports/frmbuyindetail.h"
#include "support/purchases.h"
#include "support/shopfixture.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

using purchases::Receipt;

class BuyInDetail : public ShopFixture {
protected:
    static QStringList goodsNumbers(const FlexGrid& g)
    {
        QStringList list;
        for (int r = 1; r < g.rows(); ++r)
            if (!g.isSubtotal(r))
                list << g.text(r, "货号");
        list.sort();
        return list;
    }
    // The captions of the total rows with their sums, in list order.
    static QStringList totals(const FlexGrid& g)
    {
        QStringList list;
        for (int r = 1; r < g.rows(); ++r)
            if (g.isSubtotal(r))
                list << QString::number(r) + ':' + g.textMatrix(r, 0) + ':' + g.text(r, "数量");
        return list;
    }
    static int rowOf(const FlexGrid& g, const Receipt& r) { return g.findRow(r.line, 1, g.colIndex("GUID")); }
    static void choose(FlexGrid& g, const Receipt& r)
    {
        ASSERT_GT(rowOf(g, r), 0);
        ASSERT_TRUE(g.setRow(rowOf(g, r)));
    }
    int count(const QString& table) { return scalar("select count(*) from " + table).toInt(); }
    QString state()
    {
        QStringList all;
        for (const char* t : {"Store", "StoreDetail", "BuyPrice", "Sell"}) {
            const jet::RecordSet rs = sql(QString("select * from ") + t + " order by rowid");
            for (int r = 0; r < rs.recordCount(); ++r)
                for (int c = 0; c < rs.fieldCount(); ++c)
                    all << rs.text(r, c);
        }
        return all.join('|');
    }
};

TEST_F(BuyInDetail, OpensWithEveryLineOfTheShopAndItsTotal)
{
    purchases::receive("K-1", 5, 70, QDate(2023, 1, 15));
    purchases::receive("K-2", 3, 80.5f, QDate(2024, 3, 5));
    purchases::receive("K-3", -2, 60, QDate(2024, 2, 1));
    sql("Insert Into StoreDetail Values('{X}','{Y}','{OTHER-SHOP}','K-9','','','','','','',1,9,'','','2024-03-01')");

    frmbuyInDetail w;
    EXPECT_EQ(w.windowTitle(), "进货明细查询");
    EXPECT_EQ(w.DTBeginTime->date(), QDate(2024, 2, 5));
    EXPECT_EQ(w.DTEndTime->date(), QDate(2024, 3, 5));
    EXPECT_FALSE(w.chkDate->isChecked());
    EXPECT_FALSE(w.chkTypeNo->isChecked());

    const FlexGrid& g = *w.VSFlexGrid;
    QStringList captions;
    for (int c = 1; c < g.cols(); ++c)
        captions << g.textMatrix(0, c);
    EXPECT_EQ(captions, QStringList({"货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "数量", "进价",
                                     "备注", "进货日期", "ParentGUID", "GUID"}));
    for (int c = 0; c < g.cols(); ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(g.colHidden(c), c >= 13);
        EXPECT_EQ(g.colWidth(c), c == 0 ? 200 : 1040);
    }
    EXPECT_EQ(g.colAlignment(1), Qt::AlignCenter);
    // Every line of the shop, also those older than the month the pickers show.
    EXPECT_EQ(goodsNumbers(g), QStringList({"K-1", "K-2", "K-3"}));
    EXPECT_EQ(totals(g), QStringList({"4:合计:6"}));
    EXPECT_EQ(g.rows(), 5) << "the total is the last row";
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(BuyInDetail, FiltersByReceiptDaysAndGoodsNumber)
{
    purchases::receive("K-1", 1, 70, QDate(2024, 2, 4));
    purchases::receive("K-1", 2, 70, QDate(2024, 2, 5));
    purchases::receive("A'1", 4, 70, QDate(2024, 2, 20));
    purchases::receive("a'1", 8, 70, QDate(2024, 3, 5));
    purchases::receive("K-1", 16, 70, QDate(2024, 3, 6));

    frmbuyInDetail w;
    const struct {
        bool byDate, byNumber;
        QString typeNo;
        QStringList shown;
        QString total;
    } cases[] = {
        {true, false, "", {"A'1", "K-1", "a'1"}, "14"},  // both ends of the range included
        {false, true, "A'1", {"A'1", "a'1"}, "12"},      // the quote doubled; letter case does not matter
        {true, true, "K-1", {"K-1"}, "2"},
        {false, true, "K-", {}, ""},                     // the whole goods number only
        {false, false, "A'1", {"A'1", "K-1", "K-1", "K-1", "a'1"}, "31"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.total.toStdString());
        w.chkDate->setChecked(c.byDate);
        w.chkTypeNo->setChecked(c.byNumber);
        w.txtNo->setText(c.typeNo);
        w.cmdQuery->click();
        EXPECT_EQ(goodsNumbers(*w.VSFlexGrid), c.shown);
        EXPECT_EQ(totals(*w.VSFlexGrid),
                  c.total.isEmpty() ? QStringList() : QStringList({QString::number(c.shown.size() + 1) + ":合计:" + c.total}));
        EXPECT_TRUE(w.VSFlexGrid->colHidden(w.VSFlexGrid->colIndex("GUID")));
    }
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(w.BuildFilter(), "");
    w.chkDate->setChecked(true);
    w.chkTypeNo->setChecked(true);
    EXPECT_EQ(w.BuildFilter(), " DateTime Between #2024-02-05# And #2024-03-05# And TypeNo='A''1'");
}

TEST_F(BuyInDetail, DeletesAReceiptWhileItsBatchIsWhole)
{
    const QDate day(2024, 3, 1);
    const QString asked = "确定要删除这次进货吗？", refused = "对不起，这批货已经出售不能再删除！";
    struct Setup {
        Receipt target;
        int batchesLeft;  // batches of the target's stock row left after a deletion
    };
    const struct {
        const char* name;
        std::function<Setup()> setup;
        bool deleted;      // the line and its batch
        QString rowAfter;  // the stock row's quantity; "" when the row is gone
    } cases[] = {
        {"the only receipt of the row", [&] { return Setup{purchases::receive("A", 5, 70, day), 0}; }, true, ""},
        {"another receipt in the row",
         [&] {
             const Receipt r = purchases::receive("B", 5, 70, day);
             purchases::restock(r, 3, 70, day.addDays(1));
             return Setup{r, 1};
         },
         true, "3"},
        {"a piece sold",
         [&] {
             const Receipt r = purchases::receive("C", 5, 70, day);
             purchases::sell(r);
             return Setup{r, 1};
         },
         false, "4"},
        {"same-day restock whose batch is partly sold",
         [&] {
             const Receipt r = purchases::receive("D", 5, 70, day);
             purchases::sell(purchases::restock(r, 3, 70, day));
             return Setup{r, 1};
         },
         true, "2"},
        {"same-day restock, the partly sold one",
         [&] {
             const Receipt r = purchases::receive("E", 5, 70, day);
             const Receipt again = purchases::restock(r, 3, 70, day);
             purchases::sell(again);
             return Setup{again, 2};
         },
         false, "7"},
        {"the row also holds sold pieces of an earlier receipt",
         [&] {
             const Receipt earlier = purchases::receive("F", 2, 70, day.addDays(-9));
             purchases::sell(earlier);
             purchases::sell(earlier);
             return Setup{purchases::restock(earlier, 5, 70, day), 1};
         },
         true, "0"},
        {"a sold piece given back: the sale line still names the batch",
         [&] {
             const Receipt r = purchases::receive("G", 5, 70, day);
             purchases::giveBack(r, purchases::sell(r));
             return Setup{r, 1};
         },
         false, "5"},
        {"a negative receipt",
         [&] {
             const Receipt r = purchases::receive("H", 5, 70, day.addDays(-1));
             return Setup{purchases::restock(r, -2, 70, day), 1};
         },
         true, "5"},
        {"a receipt whose batch is not found",
         [&] {
             const Receipt r = purchases::receive("I", 5, 70, day);
             sql("Delete from BuyPrice Where ID=" + QString::number(r.batch));
             return Setup{r, 0};
         },
         true, ""},
    };
    purchases::receive("Z", 1, 70, day);  // the list never runs empty
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Setup s = c.setup();
        const int lines = count("StoreDetail"), sales = count("Sell");
        const QString before = state();
        frmbuyInDetail w;
        FlexGrid& g = *w.VSFlexGrid;
        choose(g, s.target);
        const int listed = g.rows();

        messages().answerYes();
        w.cmdDel->click();
        EXPECT_EQ(messages().texts(), c.deleted ? QStringList({asked}) : QStringList({asked, refused}));
        EXPECT_EQ(messages().shown().first().title, "提示");
        EXPECT_EQ(messages().shown().first().defaultAnswer, ui::Answer::No);
        EXPECT_EQ(messages().last().title, c.deleted ? "提示" : ui::appTitle());
        messages().clear();

        EXPECT_EQ(scalar("select Quantity from Store Where GUID='" + s.target.store + "'"), c.rowAfter);
        EXPECT_EQ(count("Store Where GUID='" + s.target.store + "'"), c.rowAfter.isEmpty() ? 0 : 1);
        EXPECT_EQ(count("StoreDetail"), lines - (c.deleted ? 1 : 0));
        EXPECT_EQ(count("StoreDetail Where GUID='" + s.target.line + "'"), c.deleted ? 0 : 1);
        EXPECT_EQ(count("BuyPrice Where StoreGUID='" + s.target.store + "'"), s.batchesLeft);
        EXPECT_EQ(count("Sell"), sales) << "sale lines stay, with their batches";
        EXPECT_EQ(count("Sell Where BuyPriceID Not In (select ID from BuyPrice)"), 0)
            << "a batch that a sale line names stays";
        if (!c.deleted) {
            EXPECT_EQ(state(), before);
        }

        // The list loses the line and keeps one total, last, of what it shows.
        EXPECT_EQ(g.rows(), listed - (c.deleted ? 1 : 0));
        EXPECT_EQ(rowOf(g, s.target) > 0, !c.deleted);
        EXPECT_EQ(totals(g), QStringList({QString::number(g.rows() - 1) + ":合计:" +
                                          scalar("select sum(Quantity) from StoreDetail")}));
    }
}

TEST_F(BuyInDetail, WhatCannotBeDeleted)
{
    frmbuyInDetail empty;
    empty.cmdDel->click();  // an empty list
    EXPECT_TRUE(messages().shown().isEmpty());

    const Receipt r = purchases::receive("K-1", 5, 70, QDate(2024, 3, 1));
    const Receipt gone = purchases::receive("K-2", 5, 70, QDate(2024, 3, 1));
    frmbuyInDetail w;
    FlexGrid& g = *w.VSFlexGrid;

    ASSERT_TRUE(g.setRow(g.rows() - 1));  // the total row
    w.cmdDel->click();
    sql("delete from Store Where GUID='" + gone.store + "'");
    choose(g, gone);  // a line whose stock row is no more
    w.cmdDel->click();
    EXPECT_TRUE(messages().shown().isEmpty());

    choose(g, r);
    messages().answerNo();
    w.cmdDel->click();
    EXPECT_EQ(messages().texts(), QStringList({"确定要删除这次进货吗？"}));
    EXPECT_EQ(count("StoreDetail"), 2);
    EXPECT_EQ(count("BuyPrice"), 2);
    EXPECT_EQ(scalar("select Quantity from Store"), "5");
    EXPECT_EQ(g.rows(), 4);
}

TEST_F(BuyInDetail, AFailureHalfWayDeletesNothing)
{
    const Receipt r = purchases::receive("K-1", 5, 70, QDate(2024, 3, 1));
    purchases::restock(r, 3, 70, QDate(2024, 3, 2));
    const Receipt sole = purchases::receive("K-2", 5, 70, QDate(2024, 3, 1));
    frmbuyInDetail w;
    FlexGrid& g = *w.VSFlexGrid;
    const QString before = state();

    // The line and the batch are deleted, then lowering the stock row fails.
    failWrites("Store", "UPDATE");
    choose(g, r);
    messages().answerYes();
    w.cmdDel->click();
    EXPECT_EQ(messages().texts(), QStringList({"确定要删除这次进货吗？", "Store cannot be written"}));
    EXPECT_EQ(state(), before);
    EXPECT_GT(rowOf(g, r), 0);
    EXPECT_EQ(totals(g), QStringList({"4:合计:13"}));
    messages().clear();

    // A look-up that fails leads to no delete.
    sql("drop table Sell");
    choose(g, sole);
    messages().answerYes();
    w.cmdDel->click();
    ASSERT_EQ(messages().shown().size(), 2);
    EXPECT_TRUE(messages().last().text.contains("Sell", Qt::CaseInsensitive));
    EXPECT_EQ(count("StoreDetail"), 3);
    EXPECT_EQ(count("BuyPrice"), 3);
    EXPECT_EQ(count("Store"), 2);
    EXPECT_GT(rowOf(g, sole), 0);
}

TEST_F(BuyInDetail, TheCorrectionReplacesTheLineInTheList)
{
    const Receipt r = purchases::receive("K-1", 5, 70, QDate(2024, 3, 1));
    purchases::receive("K-2", 3, 70, QDate(2024, 3, 2));
    frmbuyInDetail w;
    FlexGrid& g = *w.VSFlexGrid;
    choose(g, r);

    fakes->modal.on<frmedit>([](frmedit* e) {
        EXPECT_EQ(e->txtNo->text(), "K-1");
        e->txtNo->setText("K-1A");
        e->txtQuantity->setText("6");
        e->cmdOk->click();
        return int(e->result());
    });
    w.cmdedit->click();
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmedit"}));
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(goodsNumbers(g), QStringList({"K-1A", "K-2"}));
    EXPECT_EQ(totals(g), QStringList({"3:合计:9"}));
    EXPECT_EQ(g.text(2, "货号"), "K-1A");
    EXPECT_EQ(count("StoreDetail Where TypeNo='K-1A' And Quantity=6"), 1);

    // An empty list opens no editor.
    w.chkTypeNo->setChecked(true);
    w.txtNo->setText("nothing");
    w.cmdQuery->click();
    ASSERT_EQ(g.rows(), 1);
    w.cmdedit->click();
    EXPECT_EQ(fakes->modal.opened().size(), 1);
}

// Another program writes between the window's reading of the line and its own
// write: a trigger lands that write at the first change the window sends. The
// deletion and the correction are refused, nothing is stored, and the list is
// read again (it then shows a receipt made after it was opened).
TEST_F(BuyInDetail, AWriteByAnotherProgramMeanwhileRefusesTheDeletionAndTheCorrection)
{
    const struct {
        const char* name;
        QString meanwhile;  // what lands as the line is deleted
        QString deleteRefused, editRefused;
    } cases[] = {
        {"a piece of its batch sold",
         "UPDATE BuyPrice SET Quantity=Quantity-1 WHERE StoreGUID=OLD.ParentGUID; "
         "UPDATE Store SET Quantity=Quantity-1 WHERE GUID=OLD.ParentGUID;",
         "对不起，这批货已经出售不能再删除！", "对不起，这批货已经出售不能再修改！"},
        {"its stock row restocked", "UPDATE Store SET Quantity=Quantity+3 WHERE GUID=OLD.ParentGUID;",
         goods::kReceiptChangedRefusal, goods::kReceiptChangedRefusal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Receipt r = purchases::receive(QString("K-") + c.name[0], 2, 70, QDate(2024, 3, 1));
        frmbuyInDetail w;
        FlexGrid& g = *w.VSFlexGrid;
        onItsOwnConnection("CREATE TRIGGER Meanwhile BEFORE DELETE ON StoreDetail BEGIN " + c.meanwhile + " END");
        const QString before = state();

        const Receipt later = purchases::receive("LATER-1", 1, 70, QDate(2024, 3, 5));
        choose(g, r);
        messages().answerYes();
        w.cmdDel->click();
        EXPECT_EQ(messages().texts(), QStringList({"确定要删除这次进货吗？", c.deleteRefused}));
        messages().clear();
        EXPECT_EQ(count("StoreDetail Where GUID='" + r.line + "'"), 1);
        EXPECT_GT(rowOf(g, later), 0) << "the list read again";

        const Receipt latest = purchases::receive("LATER-2", 1, 70, QDate(2024, 3, 5));
        choose(g, r);
        fakes->modal.on<frmedit>([&](frmedit* e) {
            e->txtQuantity->setText("3");
            e->cmdOk->click();
            EXPECT_EQ(messages().texts(), QStringList({c.editRefused}));
            EXPECT_TRUE(e->ListOutdated());
            EXPECT_NE(e->result(), int(QDialog::Accepted)) << "the editor stays open with the input";
            return int(QDialog::Rejected);
        });
        w.cmdedit->click();
        EXPECT_GT(rowOf(g, latest), 0) << "the list read again";
        EXPECT_EQ(totals(g), QStringList({QString::number(g.rows() - 1) + ":合计:" +
                                          scalar("select sum(Quantity) from StoreDetail")}));

        sql("Delete from StoreDetail Where GUID In ('" + later.line + "','" + latest.line + "')");
        sql("Delete from BuyPrice Where ID In (" + QString::number(later.batch) + "," +
            QString::number(latest.batch) + ")");
        sql("Delete from Store Where GUID In ('" + later.store + "','" + latest.store + "')");
        EXPECT_EQ(state(), before) << "nothing stored";
        onItsOwnConnection("DROP TRIGGER Meanwhile");
        messages().clear();
    }
}
