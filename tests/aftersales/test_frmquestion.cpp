// The problem goods: the stock list and its search, the checks before a pending
// line, several pending lines of one stock row, the confirmation costing every
// piece against the batches as one transaction, and one line driven through the
// window as the clerk does it.
#include "aftersales/frmquestion.h"
#include "platform/flexgrid.h"
#include "support/soldlines.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class Problem : public SoldLines {
protected:
    static inline const QString K3 = QStringLiteral("{00000000-0000-0000-0000-0000000000D3}");
    static inline const QString K4 = QStringLiteral("{00000000-0000-0000-0000-0000000000D4}");

    void SetUp() override
    {
        SoldLines::SetUp();
        // K-100 has a second, later batch; a second K-100 row has nothing left; a
        // K-300 was received without a batch; another shop has a K-100 too.
        batch1b = batch(K1, 50, 5, "2024-03-01");
        stock(K3, "K-100", 0);
        stock(K4, "K-300", 3);
        sql("Insert Into Store Values('{00000000-0000-0000-0000-0000000000E1}','{ANOTHER-SHOP}','K-100','夹克',"
            "'B','XL','黑','棉','一等','广州',5,85,'','')");
    }

    std::unique_ptr<frmQuestion> open()
    {
        auto w = std::make_unique<frmQuestion>();
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }
    static QStringList stockList(const frmQuestion& w)
    {
        QStringList rows;
        for (int r = 1; r < w.VSFlexGrid->rows(); ++r)
            rows << w.VSFlexGrid->text(r, "GUID") + " " + w.VSFlexGrid->text(r, "数量");
        return rows;
    }
    static QStringList pending(const frmQuestion& w)
    {
        QStringList rows;
        for (int r = 1; r < w.VSQuestion->rows(); ++r) {
            QStringList cells;
            for (int c = 1; c < w.VSQuestion->cols(); ++c)
                cells << w.VSQuestion->textMatrix(r, c);
            rows << cells.join('|');
        }
        return rows;
    }
    // Picks the stock row and adds a pending line of it with the button.
    static void add(frmQuestion& w, int row, const QString& quantity, const QString& problem)
    {
        w.VSFlexGrid->setRow(row);
        w.txtQuatity->setText(quantity);
        w.comResion->setEditText(problem);
        w.cmdAddQuestion->click();
    }
    static void search(frmQuestion& w, const QString& typeNo)
    {
        w.txtNo->setText(typeNo);
        w.txtNo->setFocus();
        QTest::keyClick(w.txtNo, Qt::Key_Return);
    }
    // Every problem-stock row but its key, in the order written.
    QStringList problemStock()
    {
        const jet::RecordSet rs = sql("select * from BackStore order by ID");
        QStringList rows;
        for (int r = 0; r < rs.recordCount(); ++r) {
            QStringList values;
            for (int c = 1; c < rs.fieldCount(); ++c)
                values << rs.text(r, c);
            rows << values.join('|');
        }
        return rows;
    }

    QString batch1b;
};

const QString kGoods1 = "K-100|夹克|Br'and|XL|黑|棉|一等|广州";
const QString kShort = "库存不足不能转化成问题歇，请通知管理员！";

}  // namespace

TEST_F(Problem, OpensWithTheShopsStockAndNoPendingLine)
{
    frmQuestion w;
    EXPECT_EQ(w.windowTitle(), "问题服装处理");
    EXPECT_EQ(w.cmdAddQuestion->text(), "转成问题服装(&C)");
    EXPECT_EQ(w.cmdOk->text(), "确定(&O)");
    EXPECT_TRUE(w.lbTitle->text().startsWith("  使用帮助：问题服装处理是把有质量问题的服装放到问题库存中"));
    EXPECT_TRUE(w.lbTitle->text().endsWith("点击确定即可完成。系统自动更新库存。"));
    EXPECT_EQ(w.comResion->currentText(), "质量问题");
    EXPECT_EQ(w.comResion->count(), 5);

    const FlexGrid& g = *w.VSFlexGrid;
    EXPECT_EQ(stockList(w), QStringList({K1 + " 7", K2 + " 2", K4 + " 3"})) << "stock of this shop left";
    ASSERT_EQ(g.cols(), 12);
    EXPECT_EQ(g.textMatrix(0, 2), "货号");
    EXPECT_EQ(g.textMatrix(0, 11), "零售价");
    EXPECT_TRUE(g.colHidden(1));
    EXPECT_EQ(g.colWidth(5), 1140);

    const FlexGrid& p = *w.VSQuestion;
    EXPECT_EQ(p.rows(), 1);
    ASSERT_EQ(p.cols(), 12);
    QStringList captions;
    for (int c = 1; c < p.cols(); ++c)
        captions << p.textMatrix(0, c);
    EXPECT_EQ(captions, QStringList({"GUID", "货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "数量",
                                     "质量问题"}));
    EXPECT_TRUE(p.colHidden(1));
    EXPECT_EQ(p.colWidth(10), 960);
    EXPECT_EQ(p.colWidth(11), 2000);
}

TEST_F(Problem, TheGoodsNumberSearchIsExactAndShowsLinesWithoutStock)
{
    auto w = open();
    const struct {
        const char* typed;
        QStringList found;
    } cases[] = {
        {"K-100", {K1 + " 7", K3 + " 0"}},
        {"K-10", {}},
        {"K'200", {K2 + " 2"}},
        {"x' or ''='", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        search(*w, c.typed);
        EXPECT_EQ(stockList(*w), c.found);
        EXPECT_EQ(w->VSFlexGrid->hasFocus(), !c.found.isEmpty());
        if (!c.found.isEmpty()) {
            EXPECT_EQ(w->VSFlexGrid->row(), 1);
        }
    }
    EXPECT_TRUE(messages().shown().isEmpty());
    // An empty box only moves on to the list.
    search(*w, "K-100");
    search(*w, "");
    EXPECT_TRUE(w->VSFlexGrid->hasFocus());
    EXPECT_EQ(stockList(*w), QStringList({K1 + " 7", K3 + " 0"}));

    // The line without stock takes no piece.
    add(*w, 2, "1", "质量问题");
    EXPECT_EQ(messages().texts(), QStringList({kShort}));
    EXPECT_TRUE(pending(*w).isEmpty());
}

TEST_F(Problem, TheChecksBeforeAPendingLine)
{
    auto w = open();
    const QString type = "数量的数据类型不正确！";
    const QString notAbove0 = "数量的不能小于0！";
    const struct {
        const char* typed;
        QString message;  // empty: accepted
        bool backToQuantity;
    } cases[] = {
        {"", type, true},
        {"abc", type, true},
        {"1.5", type, true},     // no half pieces
        {"1e12", type, true},    // more pieces than can be counted
        {"0", notAbove0, true},
        {"-3", notAbove0, true},
        {"8", kShort, false},
        {"7", "", false},        // all the row has
        {"2.0", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        messages().clear();
        w->VSFlexGrid->setRow(1);
        w->txtQuatity->setText(c.typed);
        w->txtQuatity->setFocus();
        // Enter runs the checks and moves on, adding nothing.
        QTest::keyClick(w->txtQuatity, Qt::Key_Return);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages().shown().isEmpty());
            EXPECT_TRUE(w->comResion->hasFocus());
        } else {
            ASSERT_EQ(messages().shown().size(), 1);
            EXPECT_EQ(messages().last().text, c.message);
            EXPECT_EQ(messages().last().icon, ui::Icon::Information);
            EXPECT_EQ(messages().last().title, "VeloraTessaro");
        }
        // The button runs the same checks.
        messages().clear();
        w->VSFlexGrid->setFocus();
        w->cmdAddQuestion->click();
        EXPECT_EQ(messages().texts(), c.message.isEmpty() ? QStringList() : QStringList({c.message}));
        EXPECT_EQ(w->txtQuatity->hasFocus(), c.backToQuantity);
        EXPECT_EQ(w->VSQuestion->rows(), c.message.isEmpty() ? 2 : 1);
        core::ClearGridRows(*w->VSQuestion);
        w->VSFlexGrid->setText(1, "数量", "7");
    }

    // With nothing listed there is nothing to choose.
    search(*w, "nothing");
    messages().clear();
    w->txtQuatity->setText("1");
    w->cmdAddQuestion->click();
    EXPECT_EQ(messages().texts(), QStringList({"请选择一个商品！"}));
}

TEST_F(Problem, PendingLinesOfOneStockRowNeverExceedItsStock)
{
    gUser.No = "o'1";
    gUser.Name = "O'Neil";
    for (const int order : {0, 1}) {
        SCOPED_TRACE(order == 0 ? "oldest batch first" : "newest batch first");
        gSellRole.SellOrder = order;
        sql("delete from BackStore");
        sql("Update Store Set Quantity=7 Where GUID='" + K1 + "'");
        sql("Update BuyPrice Set Quantity=3 Where ID=" + batch1);
        sql("Update BuyPrice Set Quantity=5 Where ID=" + batch1b);
        messages().clear();
        auto w = open();
        add(*w, 1, "4", "质量问题");
        add(*w, 1, "4", "开胶");
        EXPECT_EQ(messages().texts(), QStringList({kShort})) << "3 are left to set aside";
        add(*w, 1, "3", "开'胶");
        add(*w, 1, "1", "断底");
        EXPECT_EQ(messages().texts(), QStringList({kShort, kShort}));
        EXPECT_EQ(pending(*w), QStringList({K1 + "|" + kGoods1 + "|4|质量问题", K1 + "|" + kGoods1 + "|3|开'胶"}));
        EXPECT_EQ(w->VSQuestion->row(), 2);
        EXPECT_EQ(stockList(*w).first(), K1 + " 0");

        // Searching again still counts what is pending.
        search(*w, "K-100");
        EXPECT_EQ(stockList(*w), QStringList({K1 + " 0", K3 + " 0"}));
        add(*w, 1, "1", "断底");
        EXPECT_EQ(messages().texts().size(), 3);
        EXPECT_EQ(scalar("select count(*) from BackStore"), "0") << "nothing written before the confirmation";
        EXPECT_EQ(quantityOf("Store", "GUID", K1), "7");

        messages().clear();
        w->cmdOk->click();
        EXPECT_EQ(messages().texts(), QStringList({"处理成功！"}));
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_TRUE(pending(*w).isEmpty());
        EXPECT_EQ(stockList(*w), QStringList({K1 + " 0", K3 + " 0"})) << "the list is not read again";

        EXPECT_EQ(quantityOf("Store", "GUID", K1), "0");
        // 3 × 40 + 50 and 3 × 50 oldest first; 4 × 50 and 50 + 2 × 40 newest first.
        EXPECT_EQ(quantityOf("BuyPrice", "ID", batch1), order == 0 ? "0" : "1");
        EXPECT_EQ(quantityOf("BuyPrice", "ID", batch1b), order == 0 ? "1" : "0");
        const QString rest = "|o'1|O'Neil|0|";
        EXPECT_EQ(problemStock(),
                  QStringList({K1 + "|" + gShopNo + "|" + kGoods1 + "|4|" + (order == 0 ? "170" : "200") +
                                   "|质量问题" + rest,
                               K1 + "|" + gShopNo + "|" + kGoods1 + "|3|" + (order == 0 ? "150" : "130") +
                                   "|开'胶" + rest}));
    }
}

TEST_F(Problem, PiecesWithoutABatchCostNothing)
{
    auto w = open();
    // K'200 has one piece left in its batch; K-300 has no batch at all.
    add(*w, 2, "2.0", "质量问题");
    add(*w, 3, "3", "断底");
    w->cmdOk->click();
    EXPECT_EQ(messages().texts(), QStringList({"处理成功！"}));
    const jet::RecordSet rs = sql("select [GUID], Quantity, BuyPrice from BackStore order by ID");
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(QStringList({rs.text(0, 0), rs.text(0, 1), rs.text(0, 2)}), QStringList({K2, "2", "55"}));
    EXPECT_EQ(QStringList({rs.text(1, 0), rs.text(1, 1), rs.text(1, 2)}), QStringList({K4, "3", "0"}));
    EXPECT_EQ(quantityOf("Store", "GUID", K2), "0");
    EXPECT_EQ(quantityOf("Store", "GUID", K4), "0");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", batch2), "0");
}

TEST_F(Problem, AFailureHalfWayWritesNothingAndKeepsThePendingLines)
{
    auto w = open();
    add(*w, 1, "2", "质量问题");
    add(*w, 2, "1", "开胶");
    const QStringList lines = pending(*w);
    // The second line's problem-stock row, after the first line and the second's
    // stock and batch, cannot be written.
    failWrites("BackStore", "INSERT", "NEW.BackResion='开胶'");
    const QStringList untouched = everything();
    w->cmdOk->click();
    ASSERT_EQ(messages().shown().size(), 1) << messages().texts().join(" / ").toStdString();
    EXPECT_TRUE(messages().last().text.contains("BackStore cannot be written")) << messages().last().text.toStdString();
    EXPECT_EQ(everything(), untouched);
    EXPECT_EQ(pending(*w), lines);
    EXPECT_EQ(stockList(*w), QStringList({K1 + " 5", K2 + " 1", K4 + " 3"}));

    // Another try once the file takes it again.
    allowWritesAgain("BackStore", "INSERT");
    messages().clear();
    w->cmdOk->click();
    EXPECT_EQ(messages().texts(), QStringList({"处理成功！"}));
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "5");
    EXPECT_EQ(quantityOf("Store", "GUID", K2), "1");
    EXPECT_EQ(scalar("select count(*) from BackStore"), "2");
}

TEST_F(Problem, PiecesAnotherProgramTookMeanwhileAreNotSetAside)
{
    const struct {
        const char* what;
        QList<QPair<int, const char*>> lines;  // list row and pieces
        QString change;                        // made elsewhere after the lines were added
        QStringList after;                     // the stock list after the refusal, less what is pending
    } cases[] = {
        {"sold", {{1, "2"}}, "Update Store Set Quantity=1 Where GUID='" + K1 + "'", {K1 + " -1", K2 + " 2", K4 + " 3"}},
        {"the second line of the row",
         {{1, "4"}, {1, "3"}},
         "Update Store Set Quantity=6 Where GUID='" + K1 + "'",
         {K1 + " -1", K2 + " 2", K4 + " 3"}},
        {"the second row",
         {{1, "2"}, {2, "2"}},
         "Update Store Set Quantity=1 Where GUID='" + K2 + "'",
         {K1 + " 5", K2 + " -1", K4 + " 3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sql("Update Store Set Quantity=7 Where GUID='" + K1 + "'");
        messages().clear();
        auto w = open();
        for (const auto& [row, pieces] : c.lines)
            add(*w, row, pieces, "开胶");
        const QStringList lines = pending(*w);
        const int row = w->VSFlexGrid->row();
        elsewhere(c.change);
        const QStringList untouched = everything();
        w->cmdOk->click();
        EXPECT_EQ(messages().texts(), QStringList({kShort}));
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(everything(), untouched);
        EXPECT_EQ(pending(*w), lines);
        EXPECT_EQ(stockList(*w), c.after);
        EXPECT_EQ(w->VSFlexGrid->row(), row);
    }
}

TEST_F(Problem, AClerkSetsAPieceAsideThroughTheWindow)
{
    auto w = open();
    w->txtQuatity->setText("5");
    w->txtNo->setFocus();
    QTest::keyClicks(w->txtNo, "K'200");
    QTest::keyClick(w->txtNo, Qt::Key_Return);
    ASSERT_TRUE(w->VSFlexGrid->hasFocus());
    QTest::keyClick(w->VSFlexGrid, Qt::Key_Return);
    ASSERT_TRUE(w->txtQuatity->hasFocus());
    QTest::keyClicks(w->txtQuatity, "2");  // over the old text, which was selected
    EXPECT_EQ(w->txtQuatity->text(), "2");
    QTest::keyClick(w->txtQuatity, Qt::Key_Return);
    ASSERT_TRUE(w->comResion->hasFocus());
    QTest::keyClick(w->comResion, Qt::Key_Down);
    EXPECT_EQ(w->comResion->currentText(), "尺码不合适");
    QTest::keyClick(w->comResion, Qt::Key_Return);
    ASSERT_TRUE(w->cmdAddQuestion->hasFocus());
    QTest::keyClick(w->cmdAddQuestion, Qt::Key_Return);
    EXPECT_EQ(pending(*w), QStringList({K2 + "|K'200|夹克|Br'and|XL|黑|棉|一等|广州|2|尺码不合适"}));
    QTest::mouseClick(w->cmdOk, Qt::LeftButton);

    EXPECT_EQ(messages().texts(), QStringList({"处理成功！"}));
    EXPECT_EQ(quantityOf("Store", "GUID", K2), "0");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", batch2), "0");
    EXPECT_EQ(problemStock(), QStringList({K2 + "|" + gShopNo + "|K'200|夹克|Br'and|XL|黑|棉|一等|广州|2|55|尺码不合适|" +
                                           gUser.No + "|" + gUser.Name + "|0|"}));
}
