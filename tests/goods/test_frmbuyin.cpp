// The intake desk driven as the clerk does: the stock list, the live filter by
// goods number, and the restock of a chosen row.
#include "core/modmain.h"
#include "goods/frmbuyin.h"
#include "platform/flexgrid.h"
#include "support/shopfixture.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class BuyIn : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        stock("{00000000-0000-0000-0000-000000000001}", "K-100", 5);
        stock("{00000000-0000-0000-0000-000000000002}", "A'1", 2);
        stock("{00000000-0000-0000-0000-000000000003}", "XA'19", 7);
        stock("{00000000-0000-0000-0000-000000000004}", "k-200", 1);
        stock("{00000000-0000-0000-0000-000000000005}", "K-100", 4, "{OTHER-SHOP}");
    }

    void stock(const QString& key, const QString& typeNo, int quantity, const QString& shop = QString())
    {
        sql("Insert Into Store Values('" + key + "','" + (shop.isEmpty() ? gShopNo : shop) + "'," +
            core::SqlQuote(typeNo) + ",'夹克','Brand','XL','黑','棉','一等','广州'," + QString::number(quantity) +
            ",99,'690','A-1')");
    }

    static QStringList goodsNumbers(const FlexGrid& g)
    {
        QStringList list;
        for (int r = 1; r < g.rows(); ++r)
            list << g.text(r, "货号");
        list.sort();
        return list;
    }

    // Filters the list down to one goods number and fills the restock boxes.
    static void choose(frmBuyIn& w, const QString& typeNo, const QString& price, const QString& quantity)
    {
        w.txtNo->setText(typeNo);
        w.txtPrice->setText(price);
        w.txtQuantity->setText(quantity);
    }

    QString storeQuantity(const QString& key) { return scalar("select Quantity from Store Where GUID='" + key + "'"); }
    // The first row of a query, "|" between its fields.
    QString firstRow(const QString& query)
    {
        const jet::RecordSet rs = sql(query);
        QStringList fields;
        for (int c = 0; rs.recordCount() > 0 && c < rs.fieldCount(); ++c)
            fields << rs.text(0, c);
        return fields.join('|');
    }
    int count(const QString& table) { return scalar("select count(*) from " + table).toInt(); }

    const QString k100 = "{00000000-0000-0000-0000-000000000001}";
};

TEST_F(BuyIn, ListsTheShopsStock)
{
    frmBuyIn w;
    EXPECT_EQ(w.windowTitle(), "进货");
    const FlexGrid& g = *w.VSFlexGrid;
    ASSERT_EQ(g.cols(), 13);
    QStringList captions;
    for (int c = 1; c < g.cols(); ++c)
        captions << g.textMatrix(0, c);
    EXPECT_EQ(captions, QStringList({"GUID", "货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "数量",
                                     "条码", "柜层"}));
    EXPECT_TRUE(g.colHidden(1));
    EXPECT_EQ(g.colWidth(0), 200);
    EXPECT_EQ(g.colWidth(2), 1160);
    EXPECT_EQ(goodsNumbers(g), QStringList({"A'1", "K-100", "XA'19", "k-200"})) << "only this shop's stock";
    EXPECT_EQ(w.DT->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.DT->displayFormat(), "yyyy-MM-dd");
}

TEST_F(BuyIn, FiltersByGoodsNumberWhileTyping)
{
    frmBuyIn w;
    const struct {
        QString typed;
        QStringList shown;
    } cases[] = {
        {"A'", {"A'1", "XA'19"}},  // the quote is doubled, not a broken statement
        {"A'1", {"A'1", "XA'19"}},
        {"'19", {"XA'19"}},
        {"k-", {"K-100", "k-200"}},
        {"100", {"K-100"}},
        {"nothing", {}},
        {"", {"A'1", "K-100", "XA'19", "k-200"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        w.txtNo->setText(c.typed);
        EXPECT_EQ(goodsNumbers(*w.VSFlexGrid), c.shown);
        EXPECT_TRUE(w.VSFlexGrid->colHidden(1));
        EXPECT_EQ(w.VSFlexGrid->row(), c.shown.isEmpty() ? 0 : 1);
    }
    EXPECT_TRUE(messages().shown().isEmpty());

    // Every keystroke filters; clearing the box shows the whole stock again.
    w.txtNo->clear();
    QTest::keyClicks(w.txtNo, "XA");
    EXPECT_EQ(goodsNumbers(*w.VSFlexGrid), QStringList({"XA'19"}));
    QTest::keyClick(w.txtNo, Qt::Key_Backspace);
    EXPECT_EQ(goodsNumbers(*w.VSFlexGrid), QStringList({"XA'19"}));
    QTest::keyClick(w.txtNo, Qt::Key_Backspace);
    EXPECT_EQ(w.VSFlexGrid->rows(), 5);
}

TEST_F(BuyIn, RestockRaisesTheRowAndWritesLineAndBatch)
{
    frmBuyIn w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.DT->setDate(QDate(2024, 3, 1));

    // One row, restocked again and again: the row, the line and the batch always
    // carry the same whole number.
    const struct {
        QString typed;
        int written;
        QString shown;
    } cases[] = {
        {"3", 3, "8"},
        {"-2", -2, "6"},   // a negative restock lowers the row
        {"2.5", 2, "8"},   // halves to even
        {" 4", 4, "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        choose(w, "K-100", "70.5", c.typed);
        w.cmdPutIn->setFocus();
        messages().answerYes();
        w.cmdPutIn->click();
        EXPECT_EQ(messages().texts(), QStringList({"确认要入库吗？"}));
        EXPECT_EQ(messages().last().title, "提示");
        messages().clear();

        EXPECT_EQ(w.VSFlexGrid->text(1, "数量"), c.shown);
        EXPECT_EQ(storeQuantity(k100), c.shown);
        EXPECT_TRUE(w.txtPrice->text().isEmpty());
        EXPECT_TRUE(w.txtQuantity->text().isEmpty());
        EXPECT_TRUE(w.txtNo->hasFocus());
        const QString n = QString::number(c.written);
        EXPECT_EQ(firstRow("select Price,Quantity,DateTime from StoreDetail Where ParentGUID='" + k100 +
                           "' order by rowid desc"),
                  "70.5|" + n + "|2024-03-01");
        EXPECT_EQ(firstRow("select Price,Quantity,sDate from BuyPrice Where StoreGUID='" + k100 +
                           "' order by ID desc"),
                  "70.5|" + n + "|2024-03-01");
    }
    EXPECT_EQ(count("Store"), 5) << "a restock makes no stock row";
    EXPECT_EQ(count("StoreDetail"), 4);
    EXPECT_EQ(scalar("select ShopNo from StoreDetail"), gShopNo);
    EXPECT_EQ(firstRow("select TypeNo,Name,Brand,[Size],Colour,Leather,Grade,ProductPlace,Memo from StoreDetail"),
              "K-100|夹克|Brand|XL|黑|棉|一等|广州|");
}

TEST_F(BuyIn, RestockChecksStopBeforeTheQuestion)
{
    frmBuyIn w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const struct {
        QString price, quantity;
        QLineEdit* frmBuyIn::*focus;
    } cases[] = {
        {"", "3", &frmBuyIn::txtPrice},
        {"abc", "x", &frmBuyIn::txtPrice},
        {"1e39", "3", &frmBuyIn::txtPrice},
        {"10", "", &frmBuyIn::txtQuantity},
        {"10", "3块", &frmBuyIn::txtQuantity},
        {"10", "1e10", &frmBuyIn::txtQuantity},  // no whole number of the database
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.price + " / " + c.quantity).toStdString());
        choose(w, "K-100", c.price, c.quantity);
        w.cmdPutIn->setFocus();
        w.cmdPutIn->click();
        EXPECT_EQ(messages().texts(), QStringList({"数据类型不正确！"}));
        EXPECT_EQ(messages().last().title, ui::appTitle());
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_TRUE((w.*c.focus)->hasFocus());
        EXPECT_EQ(w.txtQuantity->text(), c.quantity);
        messages().clear();
    }
    EXPECT_EQ(count("StoreDetail"), 0);
    EXPECT_EQ(storeQuantity(k100), "5");

    // No: nothing written, nothing cleared.
    choose(w, "K-100", "10", "3");
    messages().answerNo();
    w.cmdPutIn->click();
    EXPECT_EQ(count("StoreDetail") + count("BuyPrice"), 0);
    EXPECT_EQ(w.VSFlexGrid->text(1, "数量"), "5");
    EXPECT_EQ(w.txtQuantity->text(), "3");

    // An empty list: nothing happens and nothing is shown.
    messages().clear();
    choose(w, "no such goods", "abc", "abc");
    w.cmdPutIn->click();
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(BuyIn, AFailedRestockLeavesEverythingAsItWas)
{
    frmBuyIn w;
    choose(w, "K-100", "10", "3");
    sql("drop table BuyPrice");  // the last of the three statements fails
    messages().answerYes();
    w.cmdPutIn->click();
    ASSERT_EQ(messages().shown().size(), 2);
    EXPECT_TRUE(messages().last().text.contains("BuyPrice", Qt::CaseInsensitive));
    EXPECT_EQ(storeQuantity(k100), "5");
    EXPECT_EQ(count("StoreDetail"), 0);
    EXPECT_EQ(w.VSFlexGrid->text(1, "数量"), "5");
    EXPECT_EQ(w.txtPrice->text(), "10");
    EXPECT_EQ(w.txtQuantity->text(), "3");
}

TEST_F(BuyIn, ARestockOfAStockRowDeletedMeanwhileIsRefused)
{
    frmBuyIn w;
    choose(w, "K-100", "10", "3");
    elsewhere("delete from Store Where GUID='" + k100 + "'");  // after the list was read
    messages().answerYes();
    w.cmdPutIn->click();
    EXPECT_EQ(messages().texts(), QStringList({"确认要入库吗？", "对不起！该商品已经不在库存中，请重新查询！"}));
    EXPECT_EQ(count("StoreDetail"), 0);
    EXPECT_EQ(count("BuyPrice"), 0);
    EXPECT_EQ(w.txtQuantity->text(), "3");
}

TEST_F(BuyIn, ArrowDownAndEnterLeadToTheQuantity)
{
    frmBuyIn w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.txtNo->setFocus();
    QTest::keyClicks(w.txtNo, "nothing");
    QTest::keyClick(w.txtNo, Qt::Key_Down);
    EXPECT_TRUE(w.txtNo->hasFocus()) << "an empty list takes no focus";

    w.txtNo->setText("K-");
    QTest::keyClick(w.txtNo, Qt::Key_Down);
    ASSERT_TRUE(w.VSFlexGrid->hasFocus());
    QTest::keyClick(w.VSFlexGrid, Qt::Key_Down);
    EXPECT_EQ(w.VSFlexGrid->row(), 2);
    QTest::keyClick(w.VSFlexGrid, Qt::Key_Return);
    EXPECT_TRUE(w.txtQuantity->hasFocus());
    QTest::keyClick(w.txtQuantity, Qt::Key_Return);
    EXPECT_TRUE(w.DT->hasFocus());
    EXPECT_TRUE(messages().shown().isEmpty());
}
