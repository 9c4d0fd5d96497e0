// The colour-by-size receipt: the matrix following the ticked colours and
// sizes, the cells and their totals, the checks, the receipt of the whole
// matrix in one go and the new colours and sizes added on the spot.
#include "core/modmain.h"
#include "goods/frmbatchbuyin.h"
#include "goods/frmbuyin.h"
#include "platform/flexgrid.h"
#include "support/shopfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <tuple>

class BatchBuyIn : public ShopFixture {
protected:
    static void showActive(QWidget& w)
    {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    // Ticks or unticks the entry of exactly that text.
    static void tick(QListWidget* list, const QString& text, bool ticked = true)
    {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() == text) {
                list->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
                return;
            }
        ADD_FAILURE() << "no entry " << text.toStdString();
    }
    static QStringList ticked(const QListWidget* list)
    {
        QStringList t;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == Qt::Checked)
                t << list->item(i)->text();
        return t;
    }
    static QStringList entries(const QListWidget* list)
    {
        QStringList t;
        for (int i = 0; i < list->count(); ++i)
            t << list->item(i)->text();
        return t;
    }

    // The matrix as the clerk reads it: the colours down column 0, the size
    // captions and keys across row 0, one row's cells right of the colour.
    static QStringList colours(const FlexGrid& g)
    {
        QStringList t;
        for (int r = 1; r < g.rows(); ++r)
            t << g.textMatrix(r, 0);
        return t;
    }
    static QStringList sizes(const FlexGrid& g)
    {
        QStringList t;
        for (int c = 1; c < g.cols(); ++c)
            t << g.textMatrix(0, c);
        return t;
    }
    static QStringList keys(const FlexGrid& g)
    {
        QStringList t;
        for (int c = 1; c < g.cols(); ++c)
            t << g.colKey(c);
        return t;
    }
    static QStringList cells(const FlexGrid& g, int r)
    {
        QStringList t;
        for (int c = 1; c < g.cols(); ++c)
            t << g.textMatrix(r, c);
        return t;
    }

    // Types into a cell as the clerk does (F2, the text, Enter); false when the
    // cell opened no editor. The window must be shown.
    static bool type(FlexGrid& g, int r, int c, const QString& text)
    {
        g.setFocus();
        if (!g.setRow(r) || !g.setCol(c))
            return false;
        QTest::keyClick(&g, Qt::Key_F2);
        QWidget* editor = g.indexWidget(g.currentIndex());
        if (!editor)
            return false;
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        return true;
    }

    // The common properties of a receipt that passes every check.
    static void fill(frmbatchbuyIn& w)
    {
        w.txtNo->setText("K-100");
        w.comBrand->setEditText("O'Neal");
        w.txtPrice->setText("72.25");
        w.txtSellPrice->setText("129.9");
        w.txtBlock->setText("6901234");
        w.txtFloor->setText("A-3");
        w.txtMemo->setText("it's new");
        w.DT->setDate(QDate(2024, 2, 29));
    }

    void enterIn(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    int count(const QString& table) { return scalar("select count(*) from " + table).toInt(); }
    int written() { return count("Store") + count("StoreDetail") + count("BuyPrice"); }
};

TEST_F(BatchBuyIn, OpensWithTheListsUntickedAndAnEmptyMatrix)
{
    frmbatchbuyIn w(nullptr);
    EXPECT_EQ(w.windowTitle(), "批量进货");
    const QList<std::tuple<QListWidget*, QComboBox*, QString>> lists = {{w.listCoulor, w.comColour, "颜色"},
                                                                        {w.listSize, w.comSize, "尺码"}};
    for (const auto& [list, hidden, name] : lists) {
        QComboBox expected;
        core::FillDictionaryCombo(name, &expected);
        QStringList want;
        for (int i = 0; i < expected.count(); ++i)
            want << expected.itemText(i);
        ASSERT_FALSE(want.isEmpty());
        EXPECT_EQ(entries(list), want) << name.toStdString();
        EXPECT_TRUE(ticked(list).isEmpty());
        EXPECT_TRUE(hidden->isHidden());
        EXPECT_EQ(hidden->count(), want.size());
    }
    EXPECT_GT(w.comBrand->count(), 0);
    EXPECT_EQ(w.DT->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.VSFlexGrid->rows(), 1);
    EXPECT_EQ(w.VSFlexGrid->cols(), 1);
}

TEST_F(BatchBuyIn, ColoursMakeRowsInTickingOrder)
{
    frmbatchbuyIn w(nullptr);
    const FlexGrid& g = *w.VSFlexGrid;
    tick(w.listCoulor, "红色");
    EXPECT_EQ(colours(g), QStringList({"红色", "合计"}));
    tick(w.listCoulor, "白色", false);  // already unticked: no change at all
    EXPECT_EQ(colours(g), QStringList({"红色", "合计"}));
    tick(w.listCoulor, "黑色");
    EXPECT_EQ(colours(g), QStringList({"红色", "黑色", "合计"}));
    tick(w.listCoulor, "红色", false);
    EXPECT_EQ(colours(g), QStringList({"黑色", "合计"}));
    tick(w.listCoulor, "黑色", false);
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.cols(), 1);
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(BatchBuyIn, SizesMakeColumnsAndTheTotalsMoveWithThem)
{
    frmbatchbuyIn w(nullptr);
    showActive(w);
    FlexGrid& g = *w.VSFlexGrid;
    tick(w.listCoulor, "黑色");
    tick(w.listCoulor, "白色");
    for (const char* size : {"S", "M", "L"})
        tick(w.listSize, size);
    EXPECT_EQ(sizes(g), QStringList({"S", "M", "L", "合计"}));
    EXPECT_EQ(keys(g), QStringList({"S", "M", "L", ""}));
    ASSERT_TRUE(type(g, 1, 1, "5"));
    ASSERT_TRUE(type(g, 1, 3, "3"));
    ASSERT_TRUE(type(g, 2, 2, "2"));
    EXPECT_EQ(cells(g, 1), QStringList({"5", "", "3", "8"}));
    EXPECT_EQ(cells(g, 2), QStringList({"", "2", "", "2"}));
    EXPECT_EQ(cells(g, 3), QStringList({"5", "2", "3", "10"}));

    // The middle size goes: the third size and the totals move left with their values.
    tick(w.listSize, "M", false);
    EXPECT_EQ(sizes(g), QStringList({"S", "L", "合计"}));
    EXPECT_EQ(keys(g), QStringList({"S", "L", ""}));
    EXPECT_EQ(cells(g, 1), QStringList({"5", "3", "8"}));
    EXPECT_EQ(cells(g, 2), QStringList({"", "", ""})) << "a total of 0 shows as nothing";
    EXPECT_EQ(cells(g, 3), QStringList({"5", "3", "8"}));

    // A new size starts empty before the totals, which move right.
    tick(w.listSize, "XL");
    EXPECT_EQ(sizes(g), QStringList({"S", "L", "XL", "合计"}));
    EXPECT_EQ(cells(g, 1), QStringList({"5", "3", "", "8"}));
    EXPECT_EQ(cells(g, 3), QStringList({"5", "3", "", "8"}));

    // The same word in other letter case is a size of its own: unticking it
    // leaves the other's column.
    enterIn(w.txtSize, "l");
    EXPECT_EQ(entries(w.listSize).last(), "l");
    tick(w.listSize, "l");
    EXPECT_EQ(sizes(g), QStringList({"S", "L", "XL", "l", "合计"}));
    tick(w.listSize, "l", false);
    EXPECT_EQ(sizes(g), QStringList({"S", "L", "XL", "合计"}));
    EXPECT_EQ(cells(g, 1), QStringList({"5", "3", "", "8"}));

    for (const char* size : {"S", "L"})
        tick(w.listSize, size, false);
    EXPECT_EQ(sizes(g), QStringList({"XL", "合计"}));
    EXPECT_EQ(cells(g, 3), QStringList({"", ""}));
    tick(w.listSize, "XL", false);
    EXPECT_EQ(g.cols(), 1);
    EXPECT_EQ(colours(g), QStringList({"黑色", "白色", "合计"}));
}

TEST_F(BatchBuyIn, CellsHoldPositiveQuantitiesAndTotalsAreNotTyped)
{
    frmbatchbuyIn w(nullptr);
    showActive(w);
    FlexGrid& g = *w.VSFlexGrid;
    tick(w.listCoulor, "红色");
    tick(w.listSize, "38");
    tick(w.listSize, "39");
    ASSERT_TRUE(type(g, 1, 1, "5"));
    ASSERT_TRUE(type(g, 1, 2, "3"));
    EXPECT_EQ(cells(g, 1), QStringList({"5", "3", "8"}));
    // Only digits are taken as they are typed; what they make must be a
    // quantity above 0 that a stock row can hold.
    const struct {
        QString typed, kept;
    } cases[] = {
        {"0", ""}, {"-3", "3"}, {"abc", ""}, {"3000000000", ""}, {"4", "4"}, {"", ""}, {"2.5", "25"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        ASSERT_TRUE(type(g, 1, 2, c.typed));
        const double total = 5 + c.kept.toDouble();
        EXPECT_EQ(cells(g, 1), QStringList({"5", c.kept, QString::number(total)}));
        EXPECT_EQ(cells(g, 2), cells(g, 1));
    }
    // The totals row, the totals column and the grand total take no typing.
    for (const auto& [r, c] : {std::pair{2, 1}, std::pair{1, 3}, std::pair{2, 3}})
        EXPECT_FALSE(type(g, r, c, "9")) << r << "," << c;
    EXPECT_EQ(cells(g, 2), QStringList({"5", "25", "30"}));
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(BatchBuyIn, ChecksComeInOrderAndAHalfMatrixIsRefusedWithoutAQuestion)
{
    frmbatchbuyIn w(nullptr);
    showActive(w);
    using Break = std::function<void(frmbatchbuyIn&)>;
    const struct {
        Break breakIt;
        QString message, focus;
    } cases[] = {
        {[](frmbatchbuyIn& w) { w.txtNo->clear(); w.comBrand->setEditText(""); }, "产品货号不能为空！", "txtNo"},
        {[](frmbatchbuyIn& w) { w.comBrand->setEditText(""); w.txtPrice->setText("x"); }, "品牌不能为空！",
         "comBrand"},
        {[](frmbatchbuyIn& w) { w.txtPrice->setText("7元"); w.txtSellPrice->clear(); },
         "请正确填写进价,要确认是数字！", "txtPrice"},
        {[](frmbatchbuyIn& w) { w.txtSellPrice->setText("abc"); }, "请正确填写零售价,要确认是数字！",
         "txtSellPrice"},
        {[](frmbatchbuyIn& w) { w.txtSellPrice->setText("1e39"); }, "请正确填写零售价,要确认是数字！",
         "txtSellPrice"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.focus.toStdString());
        fill(w);
        c.breakIt(w);
        w.cmdInStore->setFocus();
        w.cmdInStore->click();
        EXPECT_EQ(messages().texts(), QStringList({c.message}));
        EXPECT_EQ(messages().last().title, ui::appTitle());
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        ASSERT_TRUE(QApplication::focusWidget());
        EXPECT_EQ(QApplication::focusWidget()->objectName(), c.focus);
        messages().clear();
    }

    // Colours without sizes, then sizes without colours: refused, nothing asked.
    fill(w);
    tick(w.listCoulor, "红色");
    w.cmdInStore->click();
    tick(w.listCoulor, "红色", false);
    tick(w.listSize, "M");
    w.cmdInStore->click();
    EXPECT_EQ(messages().texts(), QStringList(2, "尺码和颜色至少各选择一种，输入数量！"));
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_EQ(written(), 0);
}

TEST_F(BatchBuyIn, AFourByFiveMatrixBecomesTwentyStockRowsOnTheDesk)
{
    frmBuyIn desk;
    const QStringList colourList = {"黑色", "白色", "红色", "蓝色"};
    const QStringList sizeList = {"38", "39", "40", "41", "42"};
    int opened = 0;
    fakes->modal.on<frmbatchbuyIn>([&](frmbatchbuyIn* w) {
        if (++opened == 2) {  // every click a fresh window
            EXPECT_EQ(w->VSFlexGrid->cols(), 1);
            EXPECT_TRUE(ticked(w->listSize).isEmpty());
            return int(QDialog::Rejected);
        }
        showActive(*w);
        fill(*w);
        for (const QString& c : colourList)
            tick(w->listCoulor, c);
        for (const QString& s : sizeList)
            tick(w->listSize, s);
        FlexGrid& g = *w->VSFlexGrid;
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 5; ++c)
                EXPECT_TRUE(type(g, r, c, QString::number(r * 10 + c)));
        EXPECT_EQ(g.textMatrix(5, 6), "560");
        messages().answerYes();
        w->cmdInStore->click();
        EXPECT_EQ(messages().texts(), QStringList({"确认要入库么？"}));
        EXPECT_EQ(messages().last().title, "提示");
        // Cleared: no goods number, no colour, the sizes still there; the
        // other properties kept.
        EXPECT_TRUE(w->txtNo->text().isEmpty());
        EXPECT_TRUE(w->txtNo->hasFocus());
        EXPECT_TRUE(ticked(w->listCoulor).isEmpty());
        EXPECT_EQ(ticked(w->listSize), sizeList);
        EXPECT_EQ(g.rows(), 1);
        EXPECT_EQ(sizes(g), sizeList + QStringList{"合计"});
        EXPECT_EQ(w->comBrand->currentText(), "O'Neal");
        EXPECT_EQ(w->txtPrice->text(), "72.25");
        return int(QDialog::Rejected);
    });
    desk.Command1->click();
    desk.Command1->click();
    ASSERT_EQ(opened, 2);

    EXPECT_EQ(count("Store"), 20);
    EXPECT_EQ(count("StoreDetail"), 20);
    EXPECT_EQ(count("BuyPrice"), 20);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 5; ++c) {
            // The cell's stock row, with its line and its batch of the same quantity.
            const QString cell = "s.Colour='" + colourList[r - 1] + "' And s.[Size]='" + sizeList[c - 1] +
                                 "' And s.Quantity=" + QString::number(r * 10 + c);
            EXPECT_EQ(scalar("select count(*) from Store s Where s.TypeNo='K-100' And s.Brand='O''Neal' And "
                             "s.Price=129.9 And s.IDCode='6901234' And s.GoodsFloor='A-3' And " + cell),
                      "1")
                << cell.toStdString();
            EXPECT_EQ(scalar("select count(*) from StoreDetail d, BuyPrice b, Store s Where d.ParentGUID=s.GUID "
                             "And b.StoreGUID=s.GUID And d.Price=72.25 And b.Price=72.25 And d.Memo='it''s new' "
                             "And d.DateTime=#2024-02-29# And b.sDate=#2024-02-29# And d.Quantity=s.Quantity And "
                             "b.Quantity=s.Quantity And d.Colour=s.Colour And d.[Size]=s.[Size] And " + cell),
                      "1")
                << cell.toStdString();
        }

    // The desk lists the twenty rows as it lists them itself.
    ASSERT_EQ(desk.VSFlexGrid->rows(), 21);
    frmBuyIn reloaded;
    const FlexGrid& list = *desk.VSFlexGrid;
    for (int r = 1; r < list.rows(); ++r) {
        const int same = reloaded.VSFlexGrid->findRow(list.text(r, "GUID"), 1, 1);
        ASSERT_GE(same, 1);
        for (int c = 0; c < list.cols(); ++c)
            EXPECT_EQ(list.textMatrix(r, c), reloaded.VSFlexGrid->textMatrix(same, c));
    }
    EXPECT_EQ(fakes->modal.opened(), QStringList(2, "frmbatchbuyIn"));
}

TEST_F(BatchBuyIn, AFailingCellWritesNothingAndKeepsTheMatrix)
{
    frmBuyIn desk;
    frmbatchbuyIn w(desk.VSFlexGrid);
    showActive(w);
    fill(w);
    tick(w.listCoulor, "黑色");
    tick(w.listCoulor, "白色");
    tick(w.listSize, "S");
    tick(w.listSize, "M");
    FlexGrid& g = *w.VSFlexGrid;
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 2; ++c)
            ASSERT_TRUE(type(g, r, c, QString::number(r * 2 + c - 2)));
    // The last cell's batch is refused, after three cells went in: a batch of
    // that quantity is there already, and the quantities have to differ.
    sql("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('{GONE}',1,4,'2024-01-02','{GONE}')");
    sql("create unique index refuse on BuyPrice (Quantity)");
    messages().answerYes();
    w.cmdInStore->click();
    ASSERT_EQ(messages().shown().size(), 2);
    EXPECT_TRUE(messages().last().text.contains("BuyPrice.Quantity"));
    EXPECT_EQ(count("Store") + count("StoreDetail"), 0);
    EXPECT_EQ(count("BuyPrice"), 1);
    EXPECT_EQ(desk.VSFlexGrid->rows(), 1);
    EXPECT_EQ(w.txtNo->text(), "K-100");
    EXPECT_EQ(cells(g, 1), QStringList({"1", "2", "3"}));
    EXPECT_EQ(cells(g, 2), QStringList({"3", "4", "7"}));

    // Another try once the fault is gone writes it all.
    sql("drop index refuse");
    messages().clear();
    messages().answerYes();
    w.cmdInStore->click();
    EXPECT_EQ(messages().texts(), QStringList({"确认要入库么？"}));
    EXPECT_EQ(count("Store"), 4);
    EXPECT_EQ(desk.VSFlexGrid->rows(), 5);
    EXPECT_EQ(g.rows(), 1);
}

TEST_F(BatchBuyIn, QuantitiesAreWholeNumbersAndNothingTypedWritesNothing)
{
    frmbatchbuyIn w(nullptr);
    showActive(w);
    fill(w);
    tick(w.listCoulor, "黑色");
    tick(w.listSize, "S");
    tick(w.listSize, "M");
    tick(w.listSize, "L");
    messages().answerYes();
    w.cmdInStore->click();  // nothing typed: asked, nothing written, cleared
    EXPECT_EQ(messages().texts(), QStringList({"确认要入库么？"}));
    EXPECT_EQ(written(), 0);
    EXPECT_EQ(w.VSFlexGrid->rows(), 1);
    EXPECT_TRUE(w.txtNo->text().isEmpty());

    // A fraction cannot be typed: what the totals count is what is received.
    w.txtNo->setText("K-100");
    tick(w.listCoulor, "黑色");
    FlexGrid& g = *w.VSFlexGrid;
    ASSERT_TRUE(type(g, 1, 1, "2.5"));
    ASSERT_TRUE(type(g, 1, 2, "3.5"));
    ASSERT_TRUE(type(g, 1, 3, "0.4"));
    EXPECT_EQ(cells(g, 1), QStringList({"25", "35", "04", "64"}));
    EXPECT_EQ(cells(g, 2), QStringList({"25", "35", "4", "64"}));
    messages().answerYes();
    w.cmdInStore->click();
    EXPECT_EQ(sql("select [Size], Quantity from Store order by [Size] desc").recordCount(), 3);
    EXPECT_EQ(scalar("select Quantity from Store Where [Size]='S'"), "25");
    EXPECT_EQ(scalar("select Quantity from Store Where [Size]='M'"), "35");
    EXPECT_EQ(scalar("select Quantity from Store Where [Size]='L'"), "4");
    EXPECT_EQ(scalar("select sum(Quantity) from BuyPrice"), "64");
}

TEST_F(BatchBuyIn, NewColoursAndSizesJoinTheCheckLists)
{
    frmbatchbuyIn w(nullptr);
    showActive(w);
    const struct {
        QString typed, message;
    } refused[] = {{"", "内容不能为空！"}, {"红色", "该内容已经存在！"}};
    for (const auto& c : refused) {
        enterIn(w.txtColour, c.typed);
        EXPECT_EQ(messages().texts(), QStringList({c.message}));
        EXPECT_EQ(messages().last().title, ui::appTitle());
        EXPECT_TRUE(w.txtColour->hasFocus());
        messages().clear();
    }
    const int before = w.listCoulor->count();
    for (const char* colour : {"Red", "red", "米'白"}) {
        enterIn(w.txtColour, colour);
        EXPECT_EQ(w.listCoulor->currentItem()->text(), colour);
        EXPECT_EQ(w.listCoulor->currentItem()->checkState(), Qt::Unchecked);
        EXPECT_TRUE(w.txtColour->text().isEmpty());
    }
    EXPECT_EQ(entries(w.listCoulor).mid(before), QStringList({"Red", "red", "米'白"}));
    const jet::RecordSet stored = sql("select Content from DataDictionary Where Item='颜色'");
    QStringList contents;
    for (int r = 0; r < stored.recordCount(); ++r)
        contents << stored.text(r, 0);
    EXPECT_EQ(contents.mid(contents.size() - 3), QStringList({"Red", "red", "米'白"}));
    EXPECT_EQ(w.VSFlexGrid->rows(), 1) << "a new entry gives no row until ticked";
    tick(w.listCoulor, "red");
    EXPECT_EQ(colours(*w.VSFlexGrid), QStringList({"red", "合计"}));

    enterIn(w.txtSize, "XXXL");
    EXPECT_EQ(entries(w.listSize).last(), "XXXL");
    EXPECT_EQ(scalar("select count(*) from DataDictionary Where Item='尺码' And Content='XXXL'"), "1");

    // An insert that fails still gives the entry for this window.
    sql("drop table DataDictionary");
    enterIn(w.txtSize, "4XL");
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(entries(w.listSize).last(), "4XL");
}

TEST_F(BatchBuyIn, EnterMovesThroughTheProperties)
{
    frmbatchbuyIn w(nullptr);
    showActive(w);
    const QList<QWidget*> order = {w.txtNo,    w.comName,      w.comBrand, w.comLeather, w.comGrade,
                                   w.comProductPlace, w.txtPrice, w.txtSellPrice, w.txtBlock, w.txtFloor,
                                   w.txtMemo,  w.DT,           w.listCoulor};
    order.first()->setFocus();
    for (int i = 0; i + 1 < order.size(); ++i) {
        ASSERT_TRUE(order[i]->hasFocus()) << order[i]->objectName().toStdString();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_TRUE(w.listCoulor->hasFocus());
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(fakes->modal.opened(), QStringList());
}
