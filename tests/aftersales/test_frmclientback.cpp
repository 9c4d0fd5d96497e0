// The customer return: the search, a line the shop's return rules refuse, the
// rows a return writes into problem stock or back into normal stock, and one
// return driven through the window as the clerk does it.
#include "aftersales/frmclientback.h"
#include "platform/flexgrid.h"
#include "support/soldlines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class Return : public SoldLines {
protected:
    void SetUp() override
    {
        SoldLines::SetUp();
        const TwoSales t = twoSales();
        a1 = t.a1;
        a2 = t.a2;
        a3 = t.a3;
        b1 = t.b1;
    }

    std::unique_ptr<frmClientBack> open()
    {
        auto w = std::make_unique<frmClientBack>();
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }
    struct Search {
        std::optional<QDate> day{};
        std::optional<QString> sellNo{};
        std::optional<QString> typeNo{};
    };
    static void search(frmClientBack& w, const Search& s)
    {
        w.chkDate->setChecked(bool(s.day));
        w.chkNo->setChecked(bool(s.sellNo));
        w.chkType->setChecked(bool(s.typeNo));
        if (s.day)
            w.DT->setDate(*s.day);
        w.txtSellNo->setText(s.sellNo.value_or(QString()));
        w.txtType->setText(s.typeNo.value_or(QString()));
        w.cmdQuery->click();
    }
    static QStringList listed(const frmClientBack& w)
    {
        QStringList keys;
        for (int r = 1; r < w.VSFlexGrid->rows(); ++r)
            keys << w.VSFlexGrid->text(r, "GUID");
        return keys;
    }

    QString a1, a2, a3, b1;
};

}  // namespace

TEST_F(Return, OpensWithTheProblemStockChosen)
{
    frmClientBack w;
    EXPECT_EQ(w.windowTitle(), "客户退货");
    EXPECT_EQ(w.Frame1->title(), "退入");
    EXPECT_EQ(w.Opt->text(), "问题库存");
    EXPECT_EQ(w.OptQuestion->text(), "正常库存");
    EXPECT_TRUE(w.Opt->isChecked());
    EXPECT_FALSE(w.OptQuestion->isChecked());
    EXPECT_EQ(w.DT->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.comResion->currentText(), "质量问题");
    EXPECT_EQ(w.comResion->count(), 5);
    EXPECT_TRUE(w.lb->text().isEmpty());
    const FlexGrid& g = *w.VSFlexGrid;
    ASSERT_EQ(g.cols(), 22);
    for (int c = 1; c < g.cols(); ++c)
        EXPECT_EQ(g.colHidden(c), c <= 7 || g.textMatrix(0, c) == "等级") << c;
    EXPECT_EQ(g.textMatrix(0, 19), "金额");
    EXPECT_EQ(g.colWidth(9), 860);
}

TEST_F(Return, ASearchListsTheLinesWithTheAmountOfTheCurrentOne)
{
    auto w = open();
    // The day, the number and the goods number together; the search as such is
    // the frame's, tested with it.
    search(*w, {.day = QDate(2024, 3, 1), .sellNo = "202403010001", .typeNo = "K-100"});
    EXPECT_TRUE(messages().shown().isEmpty()) << messages().texts().join(" / ").toStdString();
    EXPECT_EQ(listed(*w), QStringList({a1, a2}));
    search(*w, {.sellNo = "202403010001"});
    EXPECT_EQ(listed(*w), QStringList({a1, a2, a3}));
    EXPECT_TRUE(w->lbTip->text().isEmpty());
    EXPECT_EQ(w->VSFlexGrid->row(), 1);
    EXPECT_TRUE(w->VSFlexGrid->hasFocus());
    EXPECT_TRUE(w->VSFlexGrid->colHidden(w->VSFlexGrid->colIndex("等级")));
    EXPECT_EQ(w->lb->text(), w->VSFlexGrid->text(1, "金额"));
    // lb follows the current line.
    w->VSFlexGrid->setRow(3);
    EXPECT_EQ(w->lb->text(), "60");

    // Nothing found: the tip says so and the list stays.
    search(*w, {.sellNo = "202403040002"});
    EXPECT_EQ(w->lbTip->text(), "无记录！");
    EXPECT_EQ(listed(*w), QStringList({a1, a2, a3}));

    // Nothing ticked: nothing searched.
    search(*w, {});
    EXPECT_EQ(messages().texts(), QStringList({"请选择条件！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_EQ(messages().last().title, "VeloraTessaro");
    EXPECT_EQ(listed(*w), QStringList({a1, a2, a3}));
}

TEST_F(Return, ARefusedLineIsLeftAlone)
{
    gSellRole.BackDays = 3;
    gSellRole.AbateCanNotBack = true;
    auto w = open();
    search(*w, {.sellNo = "202403010001"});
    const QStringList untouched = everything();
    for (int row : {1, 2}) {
        messages().clear();
        w->VSFlexGrid->setRow(row);
        w->cmdOk->click();
        ASSERT_EQ(messages().shown().size(), 1) << "no question";
        EXPECT_EQ(messages().last().text, row == 1 ? "很遗憾！该商品已经超过了规定的退货时间，您无法退货！"
                                                   : "对不起！该商品是折扣商品，您无法退货！");
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(messages().last().title, "VeloraTessaro");
    }
    EXPECT_EQ(everything(), untouched);
    EXPECT_EQ(listed(*w), QStringList({a1, a2, a3}));
}

TEST_F(Return, IntoProblemStockOrBackIntoNormalStock)
{
    gUser.No = "o'1";
    gUser.Name = "O'Neil";
    for (bool problem : {true, false}) {
        SCOPED_TRACE(problem ? "problem stock" : "normal stock");
        sql("delete from SellChange");
        sql("delete from BackStore");
        sql("Update Sell Set State=0 Where GUID='" + a3 + "'");
        sql("Update Store Set Quantity=2 Where GUID='" + K2 + "'");
        sql("Update BuyPrice Set Quantity=1 Where ID=" + batch2);
        auto w = open();
        search(*w, {.sellNo = "202403010001"});
        w->VSFlexGrid->setRow(3);
        (problem ? w->Opt : w->OptQuestion)->setChecked(true);
        w->comResion->setEditText("开胶'了");

        // No changes nothing.
        const QStringList untouched = everything();
        messages().answerNo();
        w->cmdOk->click();
        EXPECT_EQ(everything(), untouched);

        messages().clear();
        messages().answerYes();
        w->cmdOk->click();
        ASSERT_EQ(messages().shown().size(), 1) << messages().texts().join(" / ").toStdString();
        EXPECT_EQ(messages().last().text, "确认要退货吗？");
        EXPECT_EQ(messages().last().title, "提示");
        EXPECT_EQ(messages().last().icon, ui::Icon::Question);
        EXPECT_EQ(listed(*w), QStringList({a1, a2}));
        EXPECT_EQ(w->lb->text(), "72") << "the line now current";
        EXPECT_EQ(stateOf(a3), "2");
        EXPECT_EQ(quantityOf("Store", "GUID", K2), problem ? "2" : "3");
        EXPECT_EQ(quantityOf("BuyPrice", "ID", batch2), problem ? "1" : "2");
        EXPECT_EQ(quantityOf("Store", "GUID", K1), "7");
        EXPECT_EQ(quantityOf("BuyPrice", "ID", batch1), "3");

        QStringList history = historyOf(a3);
        ASSERT_EQ(history.size(), 26);
        EXPECT_EQ(history.takeFirst().size(), 38);
        EXPECT_EQ(history, QStringList({"", gShopNo, "K'200", "夹克", "Br'and", "XL", "黑", "棉", "一等", "广州", "1",
                                        "85", "特价", "60", "55", "o'1", "2024-03-01", batch2, "O'Neil", "60", a3,
                                        "202403010001", "2024-03-05", "2", "开胶'了"}));

        const jet::RecordSet back = sql("select * from BackStore");
        ASSERT_EQ(back.recordCount(), problem ? 1 : 0);
        if (problem) {
            QStringList values;
            for (int c = 1; c < back.fieldCount(); ++c)
                values << back.text(0, c);
            EXPECT_EQ(values, QStringList({K2, gShopNo, "K'200", "夹克", "Br'and", "XL", "黑", "棉", "一等", "广州",
                                           "1", "55", "开胶'了", "o'1", "O'Neil", "0", ""}));
        }

        // Searching again no longer lists it.
        search(*w, {.sellNo = "202403010001"});
        EXPECT_EQ(listed(*w), QStringList({a1, a2}));
    }
}

TEST_F(Return, LinesWithoutBatchGiveNoUnitToAnyBatch)
{
    // Sold when no batch had stock (key 0), or with no key at all.
    const QString zero = sold({.SellNo = "202403050001", .Day = "2024-03-05", .Batch = "0", .Cost = "0"});
    const QString none = sold({.SellNo = "202403050001", .Day = "2024-03-05", .Batch = "0", .Cost = "0"});
    sql("Update Sell Set BuyPriceID=Null Where GUID='" + none + "'");
    auto w = open();
    search(*w, {.sellNo = "202403050001"});
    ASSERT_EQ(listed(*w), QStringList({zero, none}));
    w->OptQuestion->setChecked(true);
    for (const QString& line : {zero, none}) {
        SCOPED_TRACE(line == zero ? "key 0" : "no key");
        messages().clear();
        messages().answerYes();
        w->cmdOk->click();
        EXPECT_EQ(messages().shown().size(), 1) << messages().texts().join(" / ").toStdString();
        EXPECT_EQ(stateOf(line), "2");
        EXPECT_EQ(historyOf(line).value(18), "0");
    }
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "9");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", batch1), "3");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", batch2), "1");
    EXPECT_TRUE(listed(*w).isEmpty());
    EXPECT_TRUE(w->lb->text().isEmpty());
}

TEST_F(Return, AFailureHalfWayWritesNothingAndKeepsTheLine)
{
    // The history row comes after the problem-stock row and after the stock and
    // batch, and cannot be written.
    sql("drop table SellChange");
    for (bool problem : {true, false}) {
        SCOPED_TRACE(problem ? "problem stock" : "normal stock");
        messages().clear();
        auto w = open();
        search(*w, {.sellNo = "202403010001"});
        w->VSFlexGrid->setRow(2);
        (problem ? w->Opt : w->OptQuestion)->setChecked(true);
        w->comResion->setCurrentIndex(3);
        const QStringList untouched = everything(false);
        messages().answerYes();
        w->cmdOk->click();
        ASSERT_EQ(messages().shown().size(), 2) << "the question, then the engine's words";
        EXPECT_TRUE(messages().last().text.contains("SellChange")) << messages().last().text.toStdString();
        EXPECT_EQ(everything(false), untouched);
        EXPECT_EQ(listed(*w), QStringList({a1, a2, a3}));
        EXPECT_EQ(w->VSFlexGrid->row(), 2);
        EXPECT_EQ(w->lb->text(), "72");
        EXPECT_EQ(w->comResion->currentText(), "开胶");
        EXPECT_EQ(w->Opt->isChecked(), problem);
    }
}

TEST_F(Return, ALineTakenBackMeanwhileByAnotherProgramIsNotReturned)
{
    const struct {
        const char* what;
        QString line;
        bool problem;
        QString change;  // made elsewhere after the line was listed
        bool stays;      // still a valid line, listed as it now is
    } cases[] = {
        {"voided", a1, true, "Update Sell Set State=3 Where GUID='" + a1 + "'", false},
        {"exchanged again", a2, false,
         "Update Sell Set StoreGUID='" + K2 + "', BuyPriceID=" + batch2 + " Where GUID='" + a2 + "'", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages().clear();
        auto w = open();
        search(*w, {.sellNo = "202403010001"});
        const QStringList lines = listed(*w);
        const int row = int(lines.indexOf(c.line)) + 1;
        w->VSFlexGrid->setRow(row);
        (c.problem ? w->Opt : w->OptQuestion)->setChecked(true);
        w->comResion->setCurrentIndex(3);
        elsewhere(c.change);
        const QStringList untouched = everything();
        messages().answerYes();
        w->cmdOk->click();
        EXPECT_EQ(messages().texts(),
                  QStringList({"确认要退货吗？", "对不起！该商品已经被作废、退货或调换，请重新查询！"}));
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(everything(), untouched);
        QStringList now = lines;
        if (c.stays)
            EXPECT_EQ(w->VSFlexGrid->text(row, "StoreGUID"), K2);
        else
            now.removeOne(c.line);
        EXPECT_EQ(listed(*w), now);
        EXPECT_EQ(w->comResion->currentText(), "开胶");
        EXPECT_EQ(w->Opt->isChecked(), c.problem);
    }
}

TEST_F(Return, AClerkReturnsAPieceThroughTheWindow)
{
    auto w = open();
    QTest::mouseClick(w->chkNo, Qt::LeftButton, {}, QPoint(4, w->chkNo->height() / 2));
    ASSERT_TRUE(w->chkNo->isChecked());
    w->txtSellNo->setFocus();
    QTest::keyClicks(w->txtSellNo, "202403010001");
    QTest::mouseClick(w->cmdQuery, Qt::LeftButton);
    ASSERT_EQ(listed(*w), QStringList({a1, a2, a3}));
    EXPECT_TRUE(w->VSFlexGrid->hasFocus());
    EXPECT_EQ(w->lb->text(), "85");

    // Down to the second line, Enter to the reason, the third reason, normal stock.
    QTest::keyClick(w->VSFlexGrid, Qt::Key_Down);
    EXPECT_EQ(w->lb->text(), "72");
    QTest::keyClick(w->VSFlexGrid, Qt::Key_Return);
    ASSERT_TRUE(w->comResion->hasFocus());
    QTest::keyClick(w->comResion, Qt::Key_Down);
    QTest::keyClick(w->comResion, Qt::Key_Down);
    EXPECT_EQ(w->comResion->currentText(), "颜色不合适");
    QTest::mouseClick(w->OptQuestion, Qt::LeftButton, {}, QPoint(4, w->OptQuestion->height() / 2));
    ASSERT_TRUE(w->OptQuestion->isChecked());
    messages().answerYes();
    QTest::mouseClick(w->cmdOk, Qt::LeftButton);

    EXPECT_EQ(messages().texts(), QStringList({"确认要退货吗？"}));
    EXPECT_EQ(listed(*w), QStringList({a1, a3}));
    EXPECT_EQ(stateOf(a2), "2");
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "8");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", batch1), "4");
    EXPECT_EQ(scalar("select count(*) from BackStore"), "0");
    EXPECT_EQ(historyOf(a2).value(25), "颜色不合适");
}
