// The return to the factory: the list of problem stock not yet returned, the
// tick column and the cost it proposes, the refusals, and one return driven
// through the window, written as one transaction.
#include "aftersales/frmfactoryback.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "support/shopfixture.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class FactoryBack : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        a = back("K-200", 110, 2, "开线");
        b = back("K'100", 55, 40000, "掉'色");
        c = back("K-300", 0, 0, "质量问题");
        back("K-050", 30, 1, "断底", "-1");
        back("K-010", 30, 1, "断底", "0", "{ANOTHER-SHOP}");
    }

    // A problem-stock row; its ID.
    QString back(const QString& typeNo, double cost, int quantity, const QString& problem,
                 const QString& returned = "0", const QString& shop = QString())
    {
        sql("Insert Into BackStore ([GUID],ShopNo,TypeNo,Name,Brand,[Size],Colour,Leather,Grade,ProductPlace,"
            "Quantity,BuyPrice,BackResion,Seller,SellName,IsBackFactory,BackFactoryDate) Values('{S}','" +
            (shop.isEmpty() ? gShopNo : shop) + "'," + core::SqlQuote(typeNo) +
            ",'夹克','B','XL','黑','棉','一等','广州'," + QString::number(quantity) + "," + QString::number(cost) +
            "," + core::SqlQuote(problem) + ",'s01','张'," + returned + "," +
            (returned == "0" ? QString("Null") : QString("'2024-01-10'")) + ")");
        return scalar("select max(ID) from BackStore");
    }

    std::unique_ptr<frmFactoryBack> open()
    {
        auto w = std::make_unique<frmFactoryBack>();
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }
    static QStringList listed(const frmFactoryBack& w)
    {
        QStringList rows;
        for (int r = 1; r < w.VSFlexGrid->rows(); ++r)
            rows << w.VSFlexGrid->textMatrix(r, 1) + " " + w.VSFlexGrid->text(r, "选中");
        return rows;
    }
    static QRect cell(const frmFactoryBack& w, int r, const QString& key)
    {
        const FlexGrid& g = *w.VSFlexGrid;
        return g.visualRect(g.model()->index(r - 1, g.colIndex(key) - 1));
    }
    static void clickTick(frmFactoryBack& w, int r)
    {
        QTest::mouseClick(w.VSFlexGrid->viewport(), Qt::LeftButton, {}, cell(w, r, "选中").center());
    }
    // The problem stock and the factory returns, whole.
    QStringList everything()
    {
        QStringList values;
        for (const QString query : {"select * from BackStore order by ID", "select * from FactoryBackTotal"}) {
            const jet::RecordSet rs = sql(query);
            values << query;
            for (int r = 0; r < rs.recordCount(); ++r)
                for (int col = 0; col < rs.fieldCount(); ++col)
                    values << rs.text(r, col);
        }
        return values;
    }

    QString a, b, c;
};

}  // namespace

TEST_F(FactoryBack, ListsTheShopsProblemStockNotYetReturned)
{
    frmFactoryBack w;
    EXPECT_EQ(w.windowTitle(), "厂家退货");
    EXPECT_EQ(w.cmdAll->text(), "全 选(&A)");
    EXPECT_EQ(w.cmdRegist->text(), "确 定(&O)");
    EXPECT_TRUE(w.lbTitle->text().startsWith("  使用帮助：厂家退货我们这里设计的是只能从问题库存中退货"));
    EXPECT_TRUE(w.lbTitle->text().endsWith("最后点击确定完成一次厂家退货，系统自动更新库存。"));
    EXPECT_EQ(w.DT->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.txtAmount->text(), "0");

    const FlexGrid& g = *w.VSFlexGrid;
    EXPECT_EQ(listed(w), QStringList({b + " 0", a + " 0", c + " 0"})) << "by goods number";
    QStringList captions;
    for (int col = 1; col < g.cols(); ++col)
        captions << g.textMatrix(0, col);
    EXPECT_EQ(captions, QStringList({"ID", "货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "进价", "数量",
                                     "问题", "选中"}));
    EXPECT_TRUE(g.colHidden(1));
    EXPECT_EQ(g.colDataType(13), FlexGrid::ColType::Boolean);
    EXPECT_EQ(g.colWidth(13), 1000);
    EXPECT_EQ(g.colWidth(1), 1000);
}

TEST_F(FactoryBack, OnlyTheTicksCanBeChangedAndTheyProposeTheirCost)
{
    auto w = open();
    FlexGrid& g = *w->VSFlexGrid;
    g.setFocus();
    clickTick(*w, 2);
    EXPECT_EQ(listed(*w), QStringList({b + " 0", a + " -1", c + " 0"}));
    EXPECT_EQ(w->txtAmount->text(), "110");
    clickTick(*w, 1);
    EXPECT_EQ(w->txtAmount->text(), "165");
    ASSERT_TRUE(g.setRow(2));
    ASSERT_TRUE(g.setCol(13));
    QTest::keyClick(&g, Qt::Key_Space);
    EXPECT_EQ(listed(*w), QStringList({b + " -1", a + " 0", c + " 0"}));
    EXPECT_EQ(w->txtAmount->text(), "55");

    // Typing into or double-clicking any other cell edits nothing.
    for (const QString key : {"货号", "进价", "数量", "问题"}) {
        SCOPED_TRACE(key.toStdString());
        ASSERT_TRUE(g.setCol(g.colIndex(key)));
        const QString before = g.text(2, key);
        QTest::keyClicks(&g, "9");
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, cell(*w, 2, key).center());
        EXPECT_EQ(QApplication::focusWidget(), &g) << "no editor opened";
        EXPECT_EQ(g.text(2, key), before);
    }

    w->cmdAll->click();
    EXPECT_EQ(listed(*w), QStringList({b + " -1", a + " -1", c + " -1"}));
    EXPECT_EQ(w->txtAmount->text(), "165");
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(FactoryBack, AllOnAnEmptyListChangesNothing)
{
    sql("delete from BackStore");
    auto w = open();
    w->cmdAll->click();
    EXPECT_EQ(w->txtAmount->text(), "0");
    w->txtAmount->setText("10");
    w->cmdRegist->click();
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(scalar("select count(*) from FactoryBackTotal"), "0");
}

TEST_F(FactoryBack, RefusalsWriteNothing)
{
    const QString choose = "请选择要退的商品！";
    const QString wrong = "请输入正确的退货金额！";
    const QString above0 = "请输入大于0的数字！";
    const struct {
        const char* what;
        QList<int> ticks;  // list rows
        const char* amount;
        QString message;
        bool backToAmount;
    } cases[] = {
        {"nothing ticked", {}, "10", choose, false},
        {"only a row of no pieces", {3}, "10", choose, false},
        {"no amount", {2}, "", wrong, true},
        {"not a number", {2}, "abc", wrong, true},
        {"more than money holds", {2}, "1e39", wrong, true},
        {"nothing refunded", {2}, "0", above0, false},
        {"less than nothing", {2}, "-5", above0, false},
        {"the cost proposed for rows costing nothing", {3}, nullptr, above0, false},
    };
    const QStringList untouched = everything();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages().clear();
        auto w = open();
        for (int r : c.ticks)
            clickTick(*w, r);
        if (c.amount)
            w->txtAmount->setText(c.amount);
        w->VSFlexGrid->setFocus();
        w->cmdRegist->click();
        EXPECT_EQ(messages().texts(), QStringList({c.message}));
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(messages().last().title, "VeloraTessaro");
        EXPECT_EQ(w->txtAmount->hasFocus(), c.backToAmount);
        EXPECT_EQ(w->VSFlexGrid->rows(), 4);
        EXPECT_EQ(everything(), untouched);
    }
}

TEST_F(FactoryBack, AReturnThroughTheWindowRecordsOneTotalAndMarksItsRows)
{
    gUser.No = "o'1";
    gUser.Name = "O'Neil";
    auto w = open();
    clickTick(*w, 1);
    clickTick(*w, 2);
    EXPECT_EQ(w->txtAmount->text(), "165");
    // The factory refunds less than the goods cost.
    w->txtAmount->setFocus();
    w->txtAmount->selectAll();
    QTest::keyClicks(w->txtAmount, "150.5");
    w->DT->setDate(QDate(2024, 3, 4));
    QTest::mouseClick(w->cmdRegist, Qt::LeftButton);

    EXPECT_EQ(messages().texts(), QStringList({"退货成功！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_EQ(listed(*w), QStringList({c + " 0"}));
    EXPECT_EQ(w->txtAmount->text(), "150.5");

    const jet::RecordSet total = sql("select [DateTime],Seller,SellerNo,Quantity,Amount,ShopNo from FactoryBackTotal");
    ASSERT_EQ(total.recordCount(), 1);
    QStringList values;
    for (int col = 0; col < total.fieldCount(); ++col)
        values << total.text(0, col);
    EXPECT_EQ(values, QStringList({"2024-03-04", "o'1", "O'Neil", "40002", "150.5", gShopNo}));
    EXPECT_EQ(sql("select ID from BackStore Where IsBackFactory=-1 And BackFactoryDate=#2024-03-04#").recordCount(), 2);
    for (const QString& id : {a, b})
        EXPECT_EQ(scalar("select BackFactoryDate from BackStore Where ID=" + id), "2024-03-04");
    EXPECT_EQ(scalar("select IsBackFactory from BackStore Where ID=" + c), "0");

    // The next opening lists only what is still pending.
    auto again = open();
    EXPECT_EQ(listed(*again), QStringList({c + " 0"}));
}

TEST_F(FactoryBack, RowsAnotherProgramReturnedMeanwhileAreNotReturnedAgain)
{
    const struct {
        const char* what;
        QList<int> ticks;   // list rows
        QString returned;   // by another program after the rows were ticked
        QStringList after;  // the list after the refusal
    } cases[] = {
        {"the only row ticked", {2}, a, {b + " 0", c + " 0"}},
        {"the last of the rows ticked", {1, 2}, a, {b + " -1", c + " 0"}},
        {"the first of the rows ticked", {1, 2}, b, {a + " -1", c + " 0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sql("Update BackStore Set IsBackFactory=0,BackFactoryDate=Null Where ID in (" + a + "," + b + ")");
        messages().clear();
        auto w = open();
        for (int r : c.ticks)
            clickTick(*w, r);
        w->txtAmount->setText("120");
        elsewhere("Update BackStore Set IsBackFactory=1,BackFactoryDate='2024-03-04' Where ID=" + c.returned);
        const QStringList untouched = everything();
        w->cmdRegist->click();
        EXPECT_EQ(messages().texts(), QStringList({"对不起！选中的商品中有已经退回厂家的，请重新打开厂家退货！"}));
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(everything(), untouched);
        EXPECT_EQ(listed(*w), c.after);
        EXPECT_EQ(w->txtAmount->text(), "120");
    }
}

TEST_F(FactoryBack, AFailureHalfWayWritesNothingAndKeepsTheTicks)
{
    auto w = open();
    w->cmdAll->click();
    w->txtAmount->setText("200");
    // The first row's mark goes through; the second row's does not.
    failWrites("BackStore", "UPDATE", "OLD.ID=" + a);
    const QStringList untouched = everything();
    w->cmdRegist->click();
    ASSERT_EQ(messages().shown().size(), 1) << messages().texts().join(" / ").toStdString();
    EXPECT_TRUE(messages().last().text.contains("BackStore cannot be written")) << messages().last().text.toStdString();
    EXPECT_EQ(everything(), untouched);
    EXPECT_EQ(listed(*w), QStringList({b + " -1", a + " -1", c + " -1"}));
    EXPECT_EQ(w->txtAmount->text(), "200");
}
