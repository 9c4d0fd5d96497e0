// The customer return: the search, the shop's return rules in their order, the
// rows a return writes into problem stock or back into normal stock, and one
// return driven through the window as the clerk does it.
#include "aftersales/clientreturn.h"
#include "aftersales/frmclientback.h"
#include "core/frmdatadictionary.h"
#include "platform/flexgrid.h"
#include "support/soldlines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class Return : public SoldLines {
protected:
    void SetUp() override
    {
        SoldLines::SetUp();
        // Sale 0001 of the 1st: two K-100 and a K'200 still sold, a K-100 returned.
        a1 = sold({});
        a2 = sold({.State = 1, .Abate = "8.5", .Amount = "72"});
        a3 = sold({.Store = K2, .TypeNo = "K'200", .Abate = "特价", .Amount = "60", .Cost = "55"});
        sold({.State = 2});
        // Sale 0001 of the 4th: one K-100; and one in another shop.
        b1 = sold({.SellNo = "202403040001", .Day = "2024-03-04"});
        sold({.SellNo = "202403040002", .Day = "2024-03-04", .Shop = "{ANOTHER-SHOP}"});
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

TEST_F(Return, FindsLinesByDayNumberAndGoodsNumberTogether)
{
    auto w = open();
    const struct {
        const char* what;
        Search s;
        QStringList found;  // empty: "无记录！" and the list as it was
    } cases[] = {
        {"a sale", {.sellNo = "202403010001"}, {a1, a2, a3}},
        {"a sale and a goods number", {.sellNo = "202403010001", .typeNo = "K-100"}, {a1, a2}},
        {"a day", {.day = QDate(2024, 3, 4)}, {b1}},
        {"a goods number with a quote on a day", {.day = QDate(2024, 3, 1), .typeNo = "K'200"}, {a3}},
        {"a goods number", {.typeNo = "k-100"}, {a1, a2, b1}},
        {"every piece of the day, number and goods", {.day = QDate(2024, 3, 4), .sellNo = "202403040001",
                                                      .typeNo = "K-100"}, {b1}},
        {"another shop's sale", {.sellNo = "202403040002"}, {}},
        {"a day without sales", {.day = QDate(2024, 3, 2)}, {}},
        {"a number that would widen the search", {.sellNo = "x' or State>=2 or ''='"}, {}},
        {"a goods number that would too", {.typeNo = "x' or ''='"}, {}},
    };
    QStringList shown;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        search(*w, c.s);
        EXPECT_TRUE(messages().shown().isEmpty()) << messages().texts().join(" / ").toStdString();
        if (c.found.isEmpty()) {
            EXPECT_EQ(w->lbTip->text(), "无记录！");
            EXPECT_EQ(listed(*w), shown);
            continue;
        }
        shown = c.found;
        EXPECT_EQ(listed(*w), c.found);
        EXPECT_TRUE(w->lbTip->text().isEmpty());
        EXPECT_EQ(w->VSFlexGrid->row(), 1);
        EXPECT_TRUE(w->VSFlexGrid->colHidden(w->VSFlexGrid->colIndex("等级")));
        EXPECT_EQ(w->lb->text(), w->VSFlexGrid->text(1, "金额"));
    }
    // lb follows the current line.
    search(*w, {.sellNo = "202403010001"});
    w->VSFlexGrid->setRow(3);
    EXPECT_EQ(w->lb->text(), "60");

    // Nothing ticked: nothing searched.
    search(*w, {});
    EXPECT_EQ(messages().texts(), QStringList({"请选择条件！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_EQ(messages().last().title, "VeloraTessaro");
    EXPECT_EQ(listed(*w), QStringList({a1, a2, a3}));
}

TEST_F(Return, TheRulesInTheirOrder)
{
    const QString exchanged = "对不起该商品已经调换过不能再退货！";
    const QString special = "对不起！该商品是特价商品，您无法退货！";
    const QString discount = "对不起！该商品是折扣商品，您无法退货！";
    const QString late = "很遗憾！该商品已经超过了规定的退货时间，您无法退货！";
    const struct {
        const char* what;
        QString state, abate, day;
        bool changNotToBack, specialCanNotBack, abateCanNotBack;
        int backDays;
        QString refusal;
    } cases[] = {
        {"no rule", "0", "8.5", "2020-01-01", false, false, false, 0, ""},
        {"exchanged, refused", "1", "全", "2024-03-05", true, false, false, 0, exchanged},
        {"exchanged, allowed", "1", "全", "2024-03-05", false, true, true, 0, ""},
        {"not exchanged", "0", "全", "2024-03-05", true, false, false, 0, ""},
        {"the exchange before the price", "1", "特价", "2020-01-01", true, true, true, 1, exchanged},
        {"special price", "0", "特价", "2024-03-05", false, true, false, 0, special},
        {"special price, only the discount rule", "0", "特价", "2024-03-05", false, false, true, 0, ""},
        {"discount", "0", "8.5", "2024-03-05", false, false, true, 0, discount},
        {"discount, only the special rule", "0", "9", "2024-03-05", false, true, false, 0, ""},
        {"full price under both", "0", "全", "2024-03-05", false, true, true, 0, ""},
        {"the price before the period", "0", "8.5", "2020-01-01", false, false, true, 1, discount},
        {"one day: the sale day", "0", "全", "2024-03-05", false, false, false, 1, ""},
        {"one day: the day after", "0", "全", "2024-03-04", false, false, false, 1, late},
        {"seven days: the seventh", "0", "全", "2024-02-28", false, false, false, 7, ""},
        {"seven days: the eighth", "0", "全", "2024-02-27", false, false, false, 7, late},
        {"no limit", "0", "全", "2019-03-05", false, false, false, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SoldLine line;
        line.State = c.state;
        line.Abate = c.abate;
        line.DateTime = c.day;
        clsSellRole rules;
        rules.ChangNotToBack = c.changNotToBack;
        rules.SpecialCanNotBack = c.specialCanNotBack;
        rules.AbateCanNotBack = c.abateCanNotBack;
        rules.BackDays = c.backDays;
        EXPECT_EQ(ReturnRefusal(line, rules, QDate(2024, 3, 5)), c.refusal);
    }
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
    } cases[] = {
        {"voided", a1, true, "Update Sell Set State=3 Where GUID='" + a1 + "'"},
        {"exchanged again", a2, false,
         "Update Sell Set StoreGUID='" + K2 + "', BuyPriceID=" + batch2 + " Where GUID='" + a2 + "'"},
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
        EXPECT_EQ(listed(*w), lines);
        EXPECT_EQ(w->VSFlexGrid->row(), row);
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

TEST_F(Return, TheReasonButtonEditsTheReasonsAndRefillsTheList)
{
    frmClientBack w;
    QString caption;
    fakes->modal.on<frmDataDictionary>([&](frmDataDictionary* d) {
        caption = d->windowTitle();
        d->txtItem->setText("掉色");
        d->cmdAdd_Click();
        return int(QDialog::Accepted);
    });
    w.cmdLeather->click();
    EXPECT_EQ(caption, "数据字典--退货原因");
    EXPECT_EQ(w.comResion->count(), 6);
    EXPECT_EQ(w.comResion->itemText(5), "掉色");
}
