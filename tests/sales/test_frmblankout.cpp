// The void of a sale line, driven as the clerk does: the sale number typed, the
// line chosen, the question answered; and what one void writes, or leaves alone.
#include "platform/flexgrid.h"
#include "sales/frmblankout.h"
#include "support/soldlines.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class Void : public SoldLines {
protected:
    void SetUp() override
    {
        SoldLines::SetUp();
        // One sale of three pieces that still count (one of them exchanged since),
        // one returned and one voided; the same number in another shop; another sale.
        l1 = sold({});
        l2 = sold({.State = 1, .Abate = "8.5", .Amount = "72"});
        l3 = sold({.Store = K2, .TypeNo = "K'200", .Abate = "特价", .Amount = "60", .Cost = "55"});
        sold({.State = 2});
        sold({.State = 3});
        sold({.Shop = "{ANOTHER-SHOP}"});
        sold({.SellNo = "202403010002"});
    }

    std::unique_ptr<frmBlankout> open()
    {
        auto w = std::make_unique<frmBlankout>();
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }
    static void search(frmBlankout& w, const QString& sellNo)
    {
        w.txtSellNo->setFocus();
        w.txtSellNo->clear();
        QTest::keyClicks(w.txtSellNo, sellNo);
        QTest::keyClick(w.txtSellNo, Qt::Key_Return);
    }
    static QStringList listed(const frmBlankout& w)
    {
        QStringList keys;
        for (int r = 1; r < w.VSFlexGrid->rows(); ++r)
            keys << w.VSFlexGrid->text(r, "GUID");
        return keys;
    }

    QString l1, l2, l3;
};

}  // namespace

TEST_F(Void, ListsTheSalesLinesThatStillCount)
{
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "销售作废");
    EXPECT_EQ(w->cmdOk->text(), "确 定(&O)");
    EXPECT_EQ(w->comResion->currentText(), "录入错误");
    EXPECT_EQ(w->comResion->count(), 2);
    EXPECT_TRUE(w->lbTitle->text().startsWith(" 使用帮助：销售作废是指商品销售错了"));

    const FlexGrid& g = *w->VSFlexGrid;
    const QStringList captions = {"GUID", "StoreGUID", "ShopNo", "BuyPrice", "BuyPriceId", "SellNo", "State",
                                  "货号", "种类",      "品牌",   "尺码",     "颜色",       "面料",   "等级",
                                  "产地", "数量",      "零售价", "折扣",     "金额",       "销售员", "销售日期"};
    ASSERT_EQ(g.cols(), 22) << "the captions show before any search";
    EXPECT_EQ(g.rows(), 1);
    for (int c = 1; c < g.cols(); ++c) {
        EXPECT_EQ(g.textMatrix(0, c).toLower(), captions[c - 1].toLower());
        EXPECT_EQ(g.colHidden(c), c <= 7) << c;
    }
    EXPECT_EQ(g.colWidth(0), 200);
    EXPECT_EQ(g.colWidth(8), 860);

    search(*w, "202403010001");
    EXPECT_EQ(listed(*w), QStringList({l1, l2, l3}));
    EXPECT_TRUE(w->lbTip->text().isEmpty());
    EXPECT_TRUE(g.hasFocus());
    EXPECT_EQ(g.row(), 1);
    for (int c = 1; c < g.cols(); ++c)
        EXPECT_EQ(g.colHidden(c), c <= 7) << c;
    EXPECT_EQ(g.text(3, "货号"), "K'200");
    EXPECT_EQ(g.text(3, "金额"), "60");
    EXPECT_EQ(g.text(3, "销售日期"), "2024-03-01");

    // Enter in the list moves on to the reason.
    QTest::keyClick(w->VSFlexGrid, Qt::Key_Return);
    EXPECT_TRUE(w->comResion->hasFocus());
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Void, AnUnknownNumberKeepsTheListAndSaysSo)
{
    auto w = open();
    search(*w, "202403010001");
    const QStringList before = listed(*w);
    // The last one would list every returned and voided line if it reached the
    // statement unquoted.
    for (const QString typed : {"202403019999", "", "202403020001", "x' or State>=2 or ''='"}) {
        SCOPED_TRACE(typed.toStdString());
        search(*w, typed);
        EXPECT_EQ(w->lbTip->text(), "该销售编号不存在！");
        EXPECT_EQ(listed(*w), before);
        EXPECT_TRUE(messages().shown().isEmpty());
    }
    // A sale whose lines were all returned or voided is not found either.
    sql("Update Sell Set State=3 Where SellNo='202403010002'");
    search(*w, "202403010002");
    EXPECT_EQ(w->lbTip->text(), "该销售编号不存在！");
    search(*w, "202403010001");
    EXPECT_TRUE(w->lbTip->text().isEmpty());
}

TEST_F(Void, VoidingALinePutsThePieceBackAndRecordsIt)
{
    auto w = open();
    search(*w, "202403010001");
    w->VSFlexGrid->setRow(2);  // the exchanged line
    w->comResion->setCurrentIndex(1);

    // No changes nothing.
    const QStringList untouched = everything();
    messages().answerNo();
    w->cmdOk->click();
    EXPECT_EQ(everything(), untouched);
    EXPECT_EQ(listed(*w), QStringList({l1, l2, l3}));

    messages().answerYes();
    w->cmdOk->click();
    ASSERT_EQ(messages().shown().size(), 2);
    for (const ui::Message& m : messages().shown()) {
        EXPECT_EQ(m.text, "确认要作废该次售货吗？");
        EXPECT_EQ(m.title, "提示");
        EXPECT_EQ(m.icon, ui::Icon::Question);
        EXPECT_EQ(m.buttons, ui::Buttons::YesNo);
    }
    EXPECT_EQ(listed(*w), QStringList({l1, l3}));
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "8");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", batch1), "4");
    EXPECT_EQ(quantityOf("Store", "GUID", K2), "2");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", batch2), "1");
    EXPECT_EQ(stateOf(l2), "3");
    EXPECT_EQ(stateOf(l1), "0");

    // The operator, not the seller; the sale day and today; the amount twice.
    QStringList history = historyOf(l2);
    ASSERT_EQ(history.size(), 26);
    EXPECT_EQ(history.takeFirst().size(), 38);
    EXPECT_EQ(history, QStringList({"", gShopNo, "K-100", "夹克", "Br'and", "XL", "黑", "棉", "一等", "广州", "1",
                                    "85", "8.5", "72", "40", "admin", "2024-03-01", batch1, "管理员", "72", l2,
                                    "202403010001", "2024-03-05", "3", "顾客取消购买"}));

    // Searching again no longer lists it.
    search(*w, "202403010001");
    EXPECT_EQ(listed(*w), QStringList({l1, l3}));

    // With no line left nothing is asked.
    w->VSFlexGrid->clearDataRows();
    w->cmdOk->click();
    EXPECT_EQ(messages().shown().size(), 2);
}

TEST_F(Void, QuotesAndLinesWithoutBatch)
{
    // Sold when no batch had stock (key 0), or with no key at all: the void gives
    // no unit to any batch.
    const QString zero = sold({.SellNo = "202403010003", .Batch = "0", .Cost = "0"});
    const QString none = sold({.SellNo = "202403010003", .Batch = "0", .Cost = "0"});
    sql("Update Sell Set BuyPriceID=Null Where GUID='" + none + "'");
    gUser.No = "o'1";
    gUser.Name = "O'Neil";
    auto w = open();
    search(*w, "202403010003");
    ASSERT_EQ(listed(*w), QStringList({zero, none}));
    w->comResion->setEditText("顾客说'不要'");
    for (const QString& line : {zero, none}) {
        SCOPED_TRACE(line == zero ? "key 0" : "no key");
        messages().clear();
        messages().answerYes();
        w->cmdOk->click();
        EXPECT_EQ(messages().shown().size(), 1) << messages().texts().join(" / ").toStdString();
        EXPECT_EQ(stateOf(line), "3");
        const QStringList history = historyOf(line);
        ASSERT_EQ(history.size(), 26);
        EXPECT_EQ(history[16], "o'1");
        EXPECT_EQ(history[18], "0");
        EXPECT_EQ(history[19], "O'Neil");
        EXPECT_EQ(history[25], "顾客说'不要'");
    }
    EXPECT_TRUE(listed(*w).isEmpty());
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "9");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", batch1), "3");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", batch2), "1");
}

TEST_F(Void, AFailureHalfWayWritesNothingAndKeepsTheLine)
{
    auto w = open();
    search(*w, "202403010001");
    w->VSFlexGrid->setRow(3);
    w->comResion->setEditText("录入错误");
    // The history row, the last statement, cannot be written.
    sql("drop table SellChange");
    const QStringList untouched = everything(false);
    messages().answerYes();
    w->cmdOk->click();
    ASSERT_EQ(messages().shown().size(), 2) << "the question, then the engine's words";
    EXPECT_TRUE(messages().last().text.contains("SellChange")) << messages().last().text.toStdString();
    EXPECT_EQ(everything(false), untouched);
    EXPECT_EQ(listed(*w), QStringList({l1, l2, l3}));
    EXPECT_EQ(w->VSFlexGrid->row(), 3);
    EXPECT_EQ(w->comResion->currentText(), "录入错误");
}

TEST_F(Void, ALineTakenBackMeanwhileByAnotherProgramIsNotVoided)
{
    const struct {
        const char* what;
        QString line;
        QString change;  // made elsewhere after the line was listed
        bool stays;      // still a valid line, listed as it now is
    } cases[] = {
        {"voided", l1, "Update Sell Set State=3 Where GUID='" + l1 + "'", false},
        {"exchanged again", l2,
         "Update Sell Set StoreGUID='" + K2 + "', BuyPriceID=" + batch2 + " Where GUID='" + l2 + "'", true},
        {"returned", l3, "Update Sell Set State=2 Where GUID='" + l3 + "'", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages().clear();
        auto w = open();
        search(*w, "202403010001");
        const QStringList lines = listed(*w);
        const int row = int(lines.indexOf(c.line)) + 1;
        w->VSFlexGrid->setRow(row);
        w->comResion->setCurrentIndex(1);
        elsewhere(c.change);
        const QStringList untouched = everything();
        messages().answerYes();
        w->cmdOk->click();
        EXPECT_EQ(messages().texts(),
                  QStringList({"确认要作废该次售货吗？", "对不起！该商品已经被作废、退货或调换，请重新查询！"}));
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(everything(), untouched);
        QStringList now = lines;
        if (c.stays)
            EXPECT_EQ(w->VSFlexGrid->text(row, "StoreGUID"), K2);
        else
            now.removeOne(c.line);
        EXPECT_EQ(listed(*w), now);
        EXPECT_EQ(w->comResion->currentText(), "顾客取消购买");
    }
}
