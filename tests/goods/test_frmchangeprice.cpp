// The retail price change: the shop's stock list, the look-up by goods number,
// and a new price for one row or for every row of a goods number.
#include "core/modmain.h"
#include "goods/frmchangeprice.h"
#include "platform/flexgrid.h"
#include "support/shopfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class ChangePrice : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        stock(key(1), "A-1", "99");
        stock(key(2), "A-1", "99");
        stock(key(3), "a-1", "99");  // the same goods number in other letter case
        stock(key(4), "B-2", "50");
        stock(key(5), "A-1", "99", "{OTHER-SHOP}");
        stock(key(6), "X'9", "30");
    }

    static QString key(int n) { return QStringLiteral("{00000000-0000-0000-0000-00000000000%1}").arg(n); }

    void stock(const QString& guid, const QString& typeNo, const QString& price, const QString& shop = QString())
    {
        sql("Insert Into Store Values('" + guid + "','" + (shop.isEmpty() ? gShopNo : shop) + "'," +
            core::SqlQuote(typeNo) + ",'夹克','Brand','XL','黑','棉','一等','广州',3," + price + ",'690','A-1')");
    }

    QString stored(int n) { return scalar("select Price from Store Where GUID='" + key(n) + "'"); }
    QStringList storedPrices()
    {
        QStringList p;
        for (int n = 1; n <= 6; ++n)
            p << stored(n);
        return p;
    }

    static int rowOf(const FlexGrid& g, int n) { return g.findRow(key(n), 1, 1); }
    static QString shown(const FlexGrid& g, int n) { return g.text(rowOf(g, n), "零售价"); }
};

TEST_F(ChangePrice, ListsTheShopsStockWithItsRetailPrices)
{
    frmChangePrice w;
    EXPECT_EQ(w.windowTitle(), "价格变动");
    const FlexGrid& g = *w.VSFlexGrid;
    QStringList captions;
    for (int c = 1; c < g.cols(); ++c)
        captions << g.textMatrix(0, c);
    EXPECT_EQ(captions,
              QStringList({"GUID", "货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "零售价"}));
    EXPECT_TRUE(g.colHidden(1));
    EXPECT_EQ(g.colWidth(2), 1250);
    EXPECT_EQ(g.rows(), 6) << "only this shop's rows";
    EXPECT_EQ(rowOf(g, 5), -1);
    EXPECT_EQ(shown(g, 4), "50");
}

TEST_F(ChangePrice, EnterLooksUpAGoodsNumberAndMovesOn)
{
    frmChangePrice w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const FlexGrid& g = *w.VSFlexGrid;
    w.txtNo->setFocus();
    QTest::keyClicks(w.txtNo, "X'9");
    QTest::keyClick(w.txtNo, Qt::Key_Return);
    ASSERT_EQ(g.rows(), 2);
    EXPECT_EQ(g.text(1, "货号"), "X'9");
    EXPECT_EQ(g.row(), 1);
    EXPECT_TRUE(g.colHidden(1));
    EXPECT_TRUE(w.VSFlexGrid->hasFocus());
    QTest::keyClick(w.VSFlexGrid, Qt::Key_Return);
    EXPECT_TRUE(w.txtNewPrice->hasFocus());

    // The database matches goods numbers without regard to case.
    w.txtNo->setText("A-1");
    w.txtNo->setFocus();
    QTest::keyClick(w.txtNo, Qt::Key_Return);
    EXPECT_EQ(g.rows(), 4);
    EXPECT_EQ(rowOf(g, 5), -1);

    w.txtNo->setText("none");
    w.txtNo->setFocus();
    QTest::keyClick(w.txtNo, Qt::Key_Return);
    EXPECT_EQ(g.rows(), 1);
    EXPECT_TRUE(w.txtNo->hasFocus());
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(ChangePrice, SameGoodsNumberChangesEveryRowOfItInTheShop)
{
    frmChangePrice w;
    FlexGrid& g = *w.VSFlexGrid;
    stock(key(7), "A-1", "99");  // received after the list was read: not shown
    ASSERT_EQ(rowOf(g, 7), -1);
    ASSERT_TRUE(g.setRow(rowOf(g, 2)));
    w.txtNewPrice->setText("12.5");
    w.cmdChangePriceBath->click();
    EXPECT_EQ(messages().texts(), QStringList({"变价成功"}));
    EXPECT_EQ(messages().last().title, ui::appTitle());
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);

    EXPECT_EQ(storedPrices(), QStringList({"12.5", "12.5", "12.5", "50", "99", "30"}))
        << "every row of A-1 in the shop, in any letter case; another shop's untouched";
    EXPECT_EQ(stored(7), "12.5");
    // The list changes the rows of exactly that goods number.
    EXPECT_EQ(shown(g, 1), "12.5");
    EXPECT_EQ(shown(g, 2), "12.5");
    EXPECT_EQ(shown(g, 3), "99");
    EXPECT_EQ(shown(g, 4), "50");

    // A goods number with a quote.
    ASSERT_TRUE(g.setRow(rowOf(g, 6)));
    w.txtNewPrice->setText("31");
    w.cmdChangePriceBath->click();
    EXPECT_EQ(stored(6), "31");
    EXPECT_EQ(shown(g, 6), "31");
}

TEST_F(ChangePrice, OneRowChangesOnlyThatRow)
{
    frmChangePrice w;
    FlexGrid& g = *w.VSFlexGrid;
    ASSERT_TRUE(g.setRow(rowOf(g, 2)));
    w.txtNewPrice->setText("88.8");
    w.cmdNewPrice->click();
    EXPECT_EQ(messages().texts(), QStringList({"变价成功"}));
    EXPECT_EQ(storedPrices(), QStringList({"99", "88.8", "99", "50", "99", "30"}));
    EXPECT_EQ(shown(g, 1), "99");
    EXPECT_EQ(shown(g, 2), "88.8");
}

TEST_F(ChangePrice, WhatIsNoPriceIsRefused)
{
    frmChangePrice w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(w.VSFlexGrid->setRow(1));
    for (const char* typed : {"abc", "", "12元", "1e39"}) {
        for (QPushButton* button : {w.cmdNewPrice, w.cmdChangePriceBath}) {
            SCOPED_TRACE(std::string(typed) + " " + button->objectName().toStdString());
            w.txtNewPrice->setText(typed);
            button->setFocus();
            button->click();
            EXPECT_EQ(messages().texts(), QStringList({"请输入正确的数据类型"}));
            EXPECT_EQ(messages().last().title, ui::appTitle());
            EXPECT_TRUE(w.txtNewPrice->hasFocus());
            EXPECT_EQ(w.txtNewPrice->selectedText(), w.txtNewPrice->text());
            messages().clear();
        }
    }
    EXPECT_EQ(storedPrices(), QStringList({"99", "99", "99", "50", "99", "30"}));
}

TEST_F(ChangePrice, NoRowOrAFailedUpdateChangesNothing)
{
    frmChangePrice w;
    FlexGrid& g = *w.VSFlexGrid;
    w.txtNewPrice->setText("10");

    // An empty list: neither button does anything.
    w.txtNo->setText("none");
    int enter = 13;
    w.txtNo_KeyPress(enter);
    ASSERT_EQ(g.rows(), 1);
    w.cmdNewPrice->click();
    w.cmdChangePriceBath->click();
    EXPECT_TRUE(messages().shown().isEmpty());

    // A refused update: the engine's message only, and the list as stored.
    w.LoadGoods();
    ASSERT_TRUE(g.setRow(rowOf(g, 4)));
    stock(key(8), "C-3", "10");
    sql("create unique index refuse on Store (Price) where Price=10");  // 10 is taken already
    w.cmdNewPrice->click();
    w.cmdChangePriceBath->click();
    ASSERT_EQ(messages().shown().size(), 2);
    EXPECT_FALSE(messages().texts().contains("变价成功"));
    EXPECT_EQ(stored(4), "50");
    EXPECT_EQ(shown(g, 4), "50");
}
