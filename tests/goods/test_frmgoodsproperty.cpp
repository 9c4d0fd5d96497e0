// The new goods item window: its checks, its receipt into a stock row of its
// own and the row appended to the intake desk's list (its pick-list buttons are
// tested with the goods properties).
#include "core/modmain.h"
#include "goods/frmbuyin.h"
#include "goods/frmgoodsproperty.h"
#include "platform/flexgrid.h"
#include "support/shopfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <functional>

class GoodsProperty : public ShopFixture {
protected:
    // A window filled for a receipt that passes every check.
    static void fill(frmGoodsProperty& w)
    {
        w.txtNo->setText("K-100");
        w.comBrand->setEditText("O'Neal");
        w.comSize->setCurrentText("XL");
        w.comColour->setCurrentText("黑色");
        w.txtPrice->setText("72.25");
        w.txtSellPrice->setText("129.9");
        w.txtQuantity->setText("5");
        w.txtBlock->setText("6901234");
        w.txtFloor->setText("A-3");
        w.txtMemo->setText("it's new");
        w.DT->setDate(QDate(2024, 2, 29));
    }

    static QStringList rowCells(const FlexGrid& g, int r)
    {
        QStringList cells;
        for (int c = 0; c < g.cols(); ++c)
            cells << g.textMatrix(r, c);
        return cells;
    }

    // The list's row of one stock key (-1 when none).
    static int rowOf(const FlexGrid& g, const QString& key) { return g.findRow(key, 1, g.colIndex("GUID")); }

    int count(const QString& table) { return scalar("select count(*) from " + table).toInt(); }
};

TEST_F(GoodsProperty, OpensWithThePickListsAndToday)
{
    frmGoodsProperty w(nullptr);
    EXPECT_EQ(w.windowTitle(), "新货");
    ASSERT_EQ(w.tabGoods->count(), 1);
    EXPECT_EQ(w.tabGoods->tabText(0), "新货信息");
    const QList<QPair<QComboBox*, QString>> lists = {
        {w.comName, "种类"},    {w.comBrand, "品牌"}, {w.comSize, "尺码"},         {w.comColour, "颜色"},
        {w.comLeather, "面料"}, {w.comGrade, "等级"}, {w.comProductPlace, "产地"},
    };
    for (const auto& [combo, list] : lists) {
        QComboBox expected;
        core::FillDictionaryCombo(list, &expected);
        ASSERT_GT(expected.count(), 0);
        QStringList got, want;
        for (int i = 0; i < combo->count(); ++i)
            got << combo->itemText(i);
        for (int i = 0; i < expected.count(); ++i)
            want << expected.itemText(i);
        EXPECT_EQ(got, want) << list.toStdString();
        EXPECT_EQ(combo->currentIndex(), 0);
    }
    EXPECT_EQ(w.DT->date(), QDate(2024, 3, 5));
}

TEST_F(GoodsProperty, ChecksComeInOrder)
{
    frmGoodsProperty w(nullptr);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // Each case breaks the fields named; the first broken one in the order of
    // the checks is reported and gets the focus.
    using Break = std::function<void(frmGoodsProperty&)>;
    const struct {
        Break breakIt;
        QString message, focus;
    } cases[] = {
        {[](frmGoodsProperty& w) { w.txtNo->clear(); w.comBrand->setEditText(""); w.txtPrice->setText("x"); },
         "货号不能为空！", "txtNo"},
        {[](frmGoodsProperty& w) { w.comBrand->setEditText(""); w.txtPrice->setText("x"); }, "品牌不能为空！",
         "comBrand"},
        {[](frmGoodsProperty& w) { w.txtPrice->setText("7元"); w.txtQuantity->setText("x"); }, "数据类型不正确！",
         "txtPrice"},
        {[](frmGoodsProperty& w) { w.txtQuantity->setText(""); w.txtSellPrice->setText("x"); }, "数据类型不正确！",
         "txtQuantity"},
        {[](frmGoodsProperty& w) { w.txtQuantity->setText("3000000000"); }, "数据类型不正确！", "txtQuantity"},
        {[](frmGoodsProperty& w) { w.txtSellPrice->setText("abc"); }, "数据类型不正确！", "txtSellPrice"},
        {[](frmGoodsProperty& w) { w.txtSellPrice->setText("1e39"); }, "数据类型不正确！", "txtSellPrice"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.focus.toStdString());
        fill(w);
        c.breakIt(w);
        w.cmdPutIn->setFocus();
        w.cmdPutIn->click();
        EXPECT_EQ(messages().texts(), QStringList({c.message}));
        EXPECT_EQ(messages().last().title, ui::appTitle());
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        ASSERT_TRUE(QApplication::focusWidget());
        EXPECT_EQ(QApplication::focusWidget()->objectName(), c.focus);
        messages().clear();
    }
    EXPECT_EQ(count("Store") + count("StoreDetail") + count("BuyPrice"), 0);
}

TEST_F(GoodsProperty, ReceivesIntoNewStockRowsAndAppendsThemToTheDesk)
{
    frmBuyIn desk;
    const int before = desk.VSFlexGrid->rows();
    int opened = 0;
    fakes->modal.on<frmGoodsProperty>([&](frmGoodsProperty* w) {
        ++opened;
        fill(*w);
        w->txtNo->setText("  ");  // blanks pass the goods-number check
        w->txtQuantity->setText("2.5");
        messages().answerYes();
        w->cmdPutIn->click();
        EXPECT_EQ(messages().texts(), QStringList({"确认要入库么？"}));
        EXPECT_EQ(messages().last().title, "提示");
        messages().clear();
        // The window keeps its values for the next item: the same again.
        EXPECT_EQ(w->comBrand->currentText(), "O'Neal");
        EXPECT_EQ(w->txtQuantity->text(), "2.5");
        messages().answerYes();
        w->cmdPutIn->click();
        return int(QDialog::Rejected);
    });
    desk.cmdNewGoods->click();
    ASSERT_EQ(opened, 1);
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmGoodsProperty"}));

    // Two stock rows of the same goods, each with its line and its batch.
    const jet::RecordSet store = sql("select GUID from Store");
    ASSERT_EQ(store.recordCount(), 2);
    EXPECT_EQ(count("StoreDetail"), 2);
    EXPECT_EQ(count("BuyPrice"), 2);
    EXPECT_EQ(scalar("select count(*) from Store Where TypeNo='  ' And Brand='O''Neal' And Quantity=2 And "
                     "Price=129.9 And IDCode='6901234' And GoodsFloor='A-3' And [Size]='XL' And Colour='黑色'"),
              "2");
    EXPECT_EQ(scalar("select count(*) from StoreDetail Where Memo='it''s new' And Quantity=2 And Price=72.25 And "
                     "DateTime=#2024-02-29#"),
              "2");
    EXPECT_EQ(scalar("select count(*) from BuyPrice Where Quantity=2 And Price=72.25 And sDate=#2024-02-29#"), "2");

    // Appended to the desk's list as the desk itself shows those rows.
    ASSERT_EQ(desk.VSFlexGrid->rows(), before + 2);
    frmBuyIn reloaded;
    for (int k = 0; k < 2; ++k) {
        const QString key = store.text(k, 0);
        const int appended = rowOf(*desk.VSFlexGrid, key);
        ASSERT_GE(appended, before) << "a new row at the end of the list";
        const QStringList cells = rowCells(*desk.VSFlexGrid, appended);
        EXPECT_EQ(cells.size(), 13);
        EXPECT_EQ(cells, rowCells(*reloaded.VSFlexGrid, rowOf(*reloaded.VSFlexGrid, key)));
        EXPECT_EQ(cells.mid(1, 6), QStringList({key, "  ", "男鞋", "O'Neal", "XL", "黑色"}));
    }
}

TEST_F(GoodsProperty, NoAnswerOrAFailedStatementWritesNothing)
{
    frmBuyIn desk;
    frmGoodsProperty w(desk.VSFlexGrid);
    fill(w);
    messages().answerNo();
    w.cmdPutIn->click();

    sql("drop table BuyPrice");  // the last of the three statements fails
    messages().answerYes();
    w.cmdPutIn->click();
    ASSERT_EQ(messages().shown().size(), 3);
    EXPECT_TRUE(messages().last().text.contains("BuyPrice", Qt::CaseInsensitive));

    EXPECT_EQ(count("Store") + count("StoreDetail"), 0);
    EXPECT_EQ(desk.VSFlexGrid->rows(), 1);
    EXPECT_EQ(w.txtNo->text(), "K-100");
    EXPECT_EQ(w.txtQuantity->text(), "5");
}

TEST_F(GoodsProperty, ClearEmptiesTheTextBoxesOnly)
{
    frmGoodsProperty w(nullptr);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    fill(w);
    w.comGrade->setCurrentIndex(2);
    w.cmdClear->setFocus();
    w.cmdClear->click();
    for (QLineEdit* box : {w.txtNo, w.txtPrice, w.txtSellPrice, w.txtQuantity, w.txtBlock, w.txtFloor, w.txtMemo})
        EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
    EXPECT_EQ(w.comBrand->currentText(), "O'Neal");
    EXPECT_EQ(w.comSize->currentText(), "XL");
    EXPECT_EQ(w.comColour->currentText(), "黑色");
    EXPECT_EQ(w.comGrade->currentIndex(), 2);
    EXPECT_EQ(w.DT->date(), QDate(2024, 2, 29));
    EXPECT_TRUE(w.txtNo->hasFocus());
}

TEST_F(GoodsProperty, EnterMovesThroughTheFields)
{
    frmGoodsProperty w(nullptr);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const QList<QWidget*> order = {w.txtNo,       w.comName,      w.comBrand,   w.comSize,
                                   w.comColour,   w.comLeather,   w.comGrade,   w.comProductPlace,
                                   w.txtPrice,    w.txtSellPrice, w.txtQuantity, w.txtBlock,
                                   w.txtFloor,    w.txtMemo,      w.DT};
    order.first()->setFocus();
    for (int i = 0; i + 1 < order.size(); ++i) {
        ASSERT_TRUE(order[i]->hasFocus()) << order[i]->objectName().toStdString();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    ASSERT_TRUE(w.DT->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(w.cmdPutIn->hasFocus()) << "the date field is left whole, not section by section";
    EXPECT_EQ(w.DT->date(), QDate(2024, 3, 5));
    EXPECT_TRUE(messages().shown().isEmpty()) << "Enter pressed no button";
    EXPECT_EQ(fakes->modal.opened(), QStringList()) << "Enter opened no pick-list editor";
}
