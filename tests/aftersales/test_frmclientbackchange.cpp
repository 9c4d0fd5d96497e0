// The customer exchange: the search, a line the exchange rules refuse, the marks of the pending pairs and their removal, the commit of every pending
// pair as one transaction, and one exchange driven through both windows as the
// clerk does it.
#include "exchangelines.h"

#include <QApplication>
#include <QDateEdit>
#include <QMenu>

namespace {

class CustomerExchange : public ExchangeLines {
protected:
    // Every column of the Sell row, in order.
    QStringList sellRow(const QString& key)
    {
        const jet::RecordSet rs = sql("select * from Sell Where GUID='" + key + "'");
        QStringList values;
        for (int c = 0; c < rs.fieldCount() && rs.recordCount() == 1; ++c)
            values << rs.text(0, c);
        return values;
    }
};

}  // namespace

TEST_F(CustomerExchange, OpensWithEmptyListsAndAmounts)
{
    frmClientBackChange w;
    EXPECT_EQ(w.windowTitle(), "客户调换");
    EXPECT_EQ(w.DT->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.comResion->count(), 4);
    EXPECT_EQ(w.comResion->currentText(), "尺码不合适");
    EXPECT_EQ(labels(w), QStringList({"", "", ""}));
    EXPECT_TRUE(w.lbTitle->text().startsWith("  使用帮助：查询销售记录同退货一样"));
    const FlexGrid& g = *w.VSFlexGrid;
    ASSERT_EQ(g.cols(), 22);
    EXPECT_EQ(g.rows(), 1);
    for (int c = 1; c < g.cols(); ++c)
        EXPECT_EQ(g.colHidden(c), c <= 7) << c;
    EXPECT_EQ(g.textMatrix(0, 19), "应收金额");
    EXPECT_EQ(g.colWidth(9), 860);
    const FlexGrid& v = *w.VSChange;
    ASSERT_EQ(v.cols(), 16);
    EXPECT_EQ(v.rows(), 1);
    QStringList captions;
    for (int c = 1; c < v.cols(); ++c) {
        captions << v.textMatrix(0, c);
        EXPECT_EQ(v.colKey(c), v.textMatrix(0, c));
        EXPECT_EQ(v.colHidden(c), c == 1 || c == 14 || c == 15) << c;
    }
    EXPECT_EQ(captions, QStringList({"StoreGUID", "货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地",
                                     "零售价", "数量", "折扣", "应收金额", "SellGUID", "SellNo"}));
    EXPECT_EQ(v.colWidth(2), 1000);
}

TEST_F(CustomerExchange, ASearchListsTheLinesAndANewListDropsThePendingPairs)
{
    sold({.SellNo = "202403040001", .Day = "2024-03-04", .State = 2});
    const QString once = sold({.SellNo = "202403040002", .Day = "2024-03-04", .State = 1});
    const QString today = sold({.SellNo = "202403050001", .Day = "2024-03-05"});
    auto w = open();
    searchSale(*w, "202403040001");
    ASSERT_EQ(listed(*w), QStringList({l1, l2, l3})) << "a returned line is not offered";
    const FlexGrid& g = *w->VSFlexGrid;
    ASSERT_EQ(g.cols(), 23);
    EXPECT_EQ(g.textMatrix(0, 22), "调换原因");
    EXPECT_EQ(g.colKey(22), "调换原因");
    EXPECT_TRUE(g.colHidden(22));
    EXPECT_FALSE(g.colHidden(g.colIndex("等级")));
    EXPECT_EQ(g.row(), 1);
    EXPECT_TRUE(w->lbTip->text().isEmpty());

    // The day and the goods number together; an exchanged line is offered again.
    w->chkNo->setChecked(false);
    w->chkDate->setChecked(true);
    w->DT->setDate(QDate(2024, 3, 4));
    w->chkType->setChecked(true);
    w->txtType->setText("K-100");
    w->cmdQuery->click();
    EXPECT_EQ(listed(*w), QStringList({l1, l2, once}));
    w->DT->setDate(QDate(2024, 3, 5));
    w->cmdQuery->click();
    EXPECT_EQ(listed(*w), QStringList({today}));

    // A search that finds nothing leaves the list, and with it the pending pair.
    searchSale(*w, "202403040001");
    pair(*w, 1, {.store = K3});
    ASSERT_EQ(pending(*w), QStringList({K3 + " for " + l1}));
    searchSale(*w, "202403049999");
    EXPECT_EQ(w->lbTip->text(), "无记录！");
    EXPECT_EQ(listed(*w), QStringList({l1, l2, l3}));
    EXPECT_EQ(marked(*w), QStringList({l1}));
    EXPECT_EQ(labels(*w), QStringList({"100", "120", "20"}));
    w->chkNo->setChecked(false);
    w->cmdQuery->click();
    EXPECT_EQ(messages().texts().last(), "请选择条件！");
    EXPECT_EQ(pending(*w).size(), 1);

    // A new list of lines drops the pairs of the old one.
    searchSale(*w, "202403040001");
    EXPECT_EQ(listed(*w), QStringList({l1, l2, l3}));
    EXPECT_TRUE(marked(*w).isEmpty());
    EXPECT_TRUE(pending(*w).isEmpty());
    EXPECT_EQ(labels(*w), QStringList({"", "", ""}));
    messages().clear();
    w->cmdOk->click();
    EXPECT_TRUE(messages().shown().isEmpty()) << "nothing pending, nothing done";
    EXPECT_EQ(stateOf(l1), "0");
}

TEST_F(CustomerExchange, ARefusedLineOpensNoPicker)
{
    auto w = open();
    w->cmdChange->click();
    EXPECT_EQ(messages().texts(), QStringList({"请选择被调换的商品"}));
    EXPECT_TRUE(w->txtSellNo->hasFocus());

    gSellRole.ChangeDays = 1;  // sold yesterday
    gSellRole.SpecialCanNotChange = true;
    searchSale(*w, "202403040001");
    for (int row : {1, 3}) {
        messages().clear();
        w->VSFlexGrid->setRow(row);
        w->cmdChange->click();
        ASSERT_EQ(messages().shown().size(), 1);
        EXPECT_EQ(messages().last().text, row == 1 ? "很遗憾！该商品已经超过了规定的调货时间，您无法调换！"
                                                   : "对不起！该商品是特价商品，您无法调换！");
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(messages().last().title, "VeloraTessaro");
    }
    EXPECT_TRUE(fakes->modal.opened().isEmpty());
}

TEST_F(CustomerExchange, AMarkedLineIsPairedOnceUntilItsPairIsDeleted)
{
    auto w = open();
    searchSale(*w, "202403040001");
    w->comResion->setCurrentIndex(1);
    pair(*w, 1, {.store = K3});
    w->comResion->setCurrentIndex(2);
    pair(*w, 2, {.store = K4});
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmChange", "frmChange"}));
    EXPECT_EQ(marked(*w), QStringList({l1, l2}));
    EXPECT_EQ(pending(*w), QStringList({K3 + " for " + l1, K4 + " for " + l2}));
    EXPECT_EQ(labels(*w), QStringList({"172", "200", "28"}));
    EXPECT_EQ(w->VSFlexGrid->text(1, "调换原因"), "颜色不合适");
    EXPECT_EQ(w->VSFlexGrid->text(2, "调换原因"), "款式不喜欢");

    // The marked line again: refused before the rules and the picker.
    gSellRole.ChangeDays = 1;
    messages().clear();
    w->VSFlexGrid->setRow(1);
    w->txtType->setFocus();
    w->cmdChange->click();
    EXPECT_EQ(messages().texts(), QStringList({"该商品已经被调换到下面的列表！"}));
    EXPECT_TRUE(w->txtSellNo->hasFocus());
    EXPECT_EQ(fakes->modal.opened().size(), 2);
    gSellRole.ChangeDays = 0;

    // "删除" from the popup menu of the pairs takes the first pair away.
    w->VSChange->setRow(1);
    const QRect cell = w->VSChange->visualRect(w->VSChange->model()->index(0, 2));
    QTest::mouseClick(w->VSChange->viewport(), Qt::RightButton, {}, cell.center());
    EXPECT_TRUE(w->Main->isVisible());
    EXPECT_EQ(w->Del->text(), "删除");
    w->Main->close();
    w->Del->trigger();
    EXPECT_EQ(marked(*w), QStringList({l2}));
    EXPECT_FALSE(w->VSFlexGrid->cellBackColor(1, 0).isValid()) << "back to the fixed column's own face";
    EXPECT_EQ(pending(*w), QStringList({K4 + " for " + l2}));
    EXPECT_EQ(labels(*w), QStringList({"72", "80", "8"}));

    // Unmarked, the line can be paired again.
    pair(*w, 1, {.store = K1, .abate = "9"});
    EXPECT_EQ(marked(*w), QStringList({l1, l2}));
    EXPECT_EQ(pending(*w), QStringList({K4 + " for " + l2, K1 + " for " + l1}));
    EXPECT_EQ(labels(*w), QStringList({"172", "156", "-16"}));

    w->Del_Click();
    w->Del_Click();
    EXPECT_TRUE(marked(*w).isEmpty());
    EXPECT_EQ(labels(*w), QStringList({"0", "0", "0"}));
    w->Del_Click();  // nothing left to remove
    EXPECT_EQ(labels(*w), QStringList({"0", "0", "0"}));
}

TEST_F(CustomerExchange, PendingPairsAreCommittedTogether)
{
    gUser.No = "o'1";
    gUser.Name = "O'Neil";
    const QString l4 = sold({.SellNo = "202403040001", .Day = "2024-03-04", .Amount = "100"});
    auto w = open();
    searchSale(*w, "202403040001");
    ASSERT_EQ(listed(*w), QStringList({l1, l2, l3, l4}));
    w->comResion->setEditText("开胶'了");
    pair(*w, 1, {.store = K3});  // paid 100, charged 120
    w->comResion->setCurrentIndex(0);
    pair(*w, 4, {.store = K4});  // paid 100, charged 80
    messages().clear();
    w->cmdOk->click();

    EXPECT_EQ(messages().texts(), QStringList({"调换成功！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_EQ(listed(*w), QStringList({l2, l3}));
    EXPECT_TRUE(pending(*w).isEmpty());
    EXPECT_EQ(labels(*w), QStringList({"200", "200", "0"})) << "the totals of the pairs just written";

    // One history row per pair: the old goods, the stock row they went back to,
    // the operator, the difference paid.
    QStringList history = historyOf(l1);
    ASSERT_EQ(history.size(), 26);
    EXPECT_EQ(history.takeFirst().size(), 38);
    EXPECT_EQ(history, QStringList({K1, gShopNo, "K-100", "夹克", "Br'and", "XL", "黑", "棉", "一等", "广州", "1",
                                    "85", "全", "100", "40", "o'1", "2024-03-04", batch1, "O'Neil", "20", l1,
                                    "202403040001", "2024-03-05", "1", "开胶'了"}));
    history = historyOf(l4);
    EXPECT_EQ(history.value(20), "-20");
    EXPECT_EQ(history.value(25), "尺码不合适");

    // Old pieces back into stock and batch, new ones out; the replacement costed
    // against its oldest batch, or at 0 without one.
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "9");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", batch1), "5");
    EXPECT_EQ(quantityOf("Store", "GUID", K3), "4");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", older3), "1");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", newer3), "4");
    EXPECT_EQ(quantityOf("Store", "GUID", K4), "0");

    // The lines rewritten in place: key, sale number, day, seller and payment kept.
    EXPECT_EQ(sellRow(l1), QStringList({l1, K3, gShopNo, "K-300", "夹克", "Br'and", "XL", "黑", "棉", "一等", "广州",
                                        "1", "120", "全", "120", "70", "s01", "2024-03-04", "202403040001", older3,
                                        "张售货", "1", "100", "15"}));
    EXPECT_EQ(sellRow(l4), QStringList({l4, K4, gShopNo, "K-400", "夹克", "Br'and", "XL", "黑", "棉", "一等", "广州",
                                        "1", "80", "全", "80", "0", "s01", "2024-03-04", "202403040001", "0",
                                        "张售货", "1", "100", "15"}));
    EXPECT_EQ(stateOf(l2), "0");

    // An exchanged line is offered again, and exchanged again.
    searchSale(*w, "202403040001");
    ASSERT_EQ(listed(*w), QStringList({l1, l2, l3, l4}));
    pair(*w, 1, {.store = K1, .abate = "8"});
    EXPECT_EQ(labels(*w), QStringList({"120", "68", "-52"}));
    w->cmdOk->click();
    EXPECT_EQ(scalar("select count(*) from SellChange Where SellGUID='" + l1 + "'"), "2");
    EXPECT_EQ(scalar("select AddAmount from SellChange Where SellGUID='" + l1 + "' And StoreGUID='" + K3 + "'"),
              "-52");
    EXPECT_EQ(quantityOf("Store", "GUID", K3), "5");
    EXPECT_EQ(quantityOf("BuyPrice", "ID", older3), "2");
    EXPECT_EQ(sellRow(l1).mid(1, 4), QStringList({K1, gShopNo, "K-100", "夹克"}));
}

TEST_F(CustomerExchange, TheUnitGivenBackIsThereForTheReplacementsCost)
{
    // The line took the last unit of its only batch; its replacement comes from
    // the same stock row.
    sql("Update BuyPrice Set Quantity=0 Where ID=" + batch1);
    auto w = open();
    searchSale(*w, "202403040001");
    pair(*w, 2, {.store = K1, .abate = "8.5"});
    w->cmdOk->click();
    EXPECT_EQ(quantityOf("BuyPrice", "ID", batch1), "0");
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "7");
    const QStringList row = sellRow(l2);
    EXPECT_EQ(row.value(15), "40");
    EXPECT_EQ(row.value(19), batch1);
    EXPECT_EQ(historyOf(l2).value(20), "0");
}

TEST_F(CustomerExchange, AFailedCommitWritesNothingAndKeepsThePairs)
{
    // The second line's rewrite is refused, after everything else of both pairs.
    sql("create unique index ixOneOnK3 on Sell(StoreGUID) Where StoreGUID='" + K3 + "'");
    auto w = open();
    searchSale(*w, "202403040001");
    pair(*w, 1, {.store = K3});
    pair(*w, 2, {.store = K3, .abate = "5"});
    const QStringList before = {pending(*w).join(","), marked(*w).join(","), labels(*w).join(",")};
    const QStringList untouched = everything();
    const QStringList sales = {sellRow(l1).join(","), sellRow(l2).join(",")};
    messages().clear();
    w->cmdOk->click();
    ASSERT_EQ(messages().shown().size(), 1) << "the engine's words only";
    EXPECT_TRUE(messages().last().text.contains("UNIQUE", Qt::CaseInsensitive)) << messages().last().text.toStdString();
    EXPECT_EQ(everything(), untouched);
    EXPECT_EQ(QStringList({sellRow(l1).join(","), sellRow(l2).join(",")}), sales);
    EXPECT_EQ(QStringList({pending(*w).join(","), marked(*w).join(","), labels(*w).join(",")}), before);
    EXPECT_EQ(listed(*w), QStringList({l1, l2, l3}));

    // Another try once the fault is gone.
    sql("drop index ixOneOnK3");
    messages().clear();
    w->cmdOk->click();
    EXPECT_EQ(messages().texts(), QStringList({"调换成功！"}));
    EXPECT_EQ(quantityOf("Store", "GUID", K3), "3");
    EXPECT_EQ(scalar("select count(*) from SellChange"), "2");
}

TEST_F(CustomerExchange, PairsChangedMeanwhileByAnotherProgramAreRefused)
{
    const struct {
        const char* what;
        QString change;  // made elsewhere after the pairs were made
        QString refusal;
        bool lineGone;  // the returned line leaves the list with its pair
    } cases[] = {
        {"a line returned", "Update Sell Set State=2 Where GUID='" + l2 + "'",
         "对不起！该商品已经被作废、退货或调换，请重新查询！", true},
        {"the last piece of a replacement sold", "Update Store Set Quantity=0 Where GUID='" + K4 + "'",
         "库存不足不能调换，请通知管理员！", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sql("Update Sell Set State=0 Where GUID='" + l2 + "'");
        sql("Update Store Set Quantity=1 Where GUID='" + K4 + "'");
        auto w = open();
        searchSale(*w, "202403040001");
        pair(*w, 1, {.store = K3});
        const QStringList firstPair = {pending(*w).join(","), marked(*w).join(","), labels(*w).join(",")};
        pair(*w, 2, {.store = K4});
        const QStringList before = {pending(*w).join(","), marked(*w).join(","), labels(*w).join(",")};
        elsewhere(c.change);
        const QStringList untouched = everything();
        messages().clear();
        w->cmdOk->click();
        EXPECT_EQ(messages().texts(), QStringList({c.refusal}));
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(everything(), untouched);
        if (c.lineGone) {
            EXPECT_EQ(QStringList({pending(*w).join(","), marked(*w).join(","), labels(*w).join(",")}), firstPair);
            EXPECT_EQ(listed(*w), QStringList({l1, l3}));
        } else {
            EXPECT_EQ(QStringList({pending(*w).join(","), marked(*w).join(","), labels(*w).join(",")}), before);
            EXPECT_EQ(listed(*w), QStringList({l1, l2, l3}));
        }
    }
}

TEST_F(CustomerExchange, AClerkExchangesTwoPiecesThroughBothWindows)
{
    auto w = open();
    QTest::mouseClick(w->chkNo, Qt::LeftButton, {}, QPoint(4, w->chkNo->height() / 2));
    ASSERT_TRUE(w->chkNo->isChecked());
    w->txtSellNo->setFocus();
    QTest::keyClicks(w->txtSellNo, "202403040001");
    QTest::mouseClick(w->cmdQuery, Qt::LeftButton);
    ASSERT_EQ(listed(*w), QStringList({l1, l2, l3}));

    // Into the list, down to the second line, over to the reason and back.
    QTest::keyClick(w->cmdQuery, Qt::Key_Tab);
    ASSERT_TRUE(w->VSFlexGrid->hasFocus());
    QTest::keyClick(w->VSFlexGrid, Qt::Key_Down);
    QTest::keyClick(w->VSFlexGrid, Qt::Key_Tab);
    ASSERT_TRUE(w->comResion->hasFocus());
    QTest::keyClick(w->comResion, Qt::Key_Down);
    EXPECT_EQ(w->comResion->currentText(), "颜色不合适");
    QTest::keyClick(w->comResion, Qt::Key_Backtab);
    ASSERT_TRUE(w->VSFlexGrid->hasFocus());
    ASSERT_EQ(w->VSFlexGrid->row(), 2);

    // Enter: the picker, where K-300 is found by number and taken at 8.5.
    int picked = 0;
    fakes->modal.on<frmChange>([&](frmChange* p) {
        ++picked;
        EXPECT_TRUE(showPicker(p));
        EXPECT_TRUE(p->txtNo->hasFocus());
        QTest::keyClicks(p->txtNo, "K-3");
        EXPECT_EQ(p->VSFlexGrid->rows(), 2);
        QTest::keyClick(p->txtNo, Qt::Key_Tab);
        EXPECT_TRUE(p->VSFlexGrid->hasFocus());
        QTest::keyClick(p->VSFlexGrid, Qt::Key_Return);
        EXPECT_TRUE(p->txtAbate->hasFocus());
        QTest::keyClicks(p->txtAbate, "8.5");
        QTest::keyClick(p->txtAbate, Qt::Key_Return);
        EXPECT_TRUE(p->cmdOk->hasFocus());
        messages().answerYes();
        QTest::keyClick(p->cmdOk, Qt::Key_Return);
        return p->result();
    });
    QTest::keyClick(w->VSFlexGrid, Qt::Key_Return);
    ASSERT_EQ(picked, 1);
    EXPECT_EQ(messages().texts(), QStringList({"确定要调换吗？"}));
    EXPECT_EQ(pending(*w), QStringList({K3 + " for " + l2}));
    EXPECT_EQ(labels(*w), QStringList({"72", "102", "30"}));

    // Another reason, up to the first line, Enter: K-400 at a special price of 75.
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w->VSFlexGrid, Qt::Key_Tab);
    QTest::keyClick(w->comResion, Qt::Key_Up);
    EXPECT_EQ(w->comResion->currentText(), "尺码不合适");
    QTest::keyClick(w->comResion, Qt::Key_Backtab);
    ASSERT_TRUE(w->VSFlexGrid->hasFocus());
    fakes->modal.on<frmChange>([&](frmChange* p) {
        ++picked;
        EXPECT_TRUE(showPicker(p));
        QTest::keyClicks(p->txtNo, "K-4");
        QTest::keyClick(p->txtNo, Qt::Key_Tab);
        QTest::keyClick(p->VSFlexGrid, Qt::Key_Return);
        QTest::keyClick(p->txtAbate, Qt::Key_Down);
        EXPECT_TRUE(p->txtChangePrice->hasFocus());
        EXPECT_TRUE(p->OptChangePrice->isChecked());
        QTest::keyClicks(p->txtChangePrice, "75");
        QTest::keyClick(p->txtChangePrice, Qt::Key_Return);
        EXPECT_TRUE(p->cmdOk->hasFocus());
        messages().answerYes();
        QTest::keyClick(p->cmdOk, Qt::Key_Space);
        return p->result();
    });
    QTest::keyClick(w->VSFlexGrid, Qt::Key_Up);
    QTest::keyClick(w->VSFlexGrid, Qt::Key_Return);
    ASSERT_EQ(picked, 2);
    EXPECT_EQ(marked(*w), QStringList({l1, l2}));
    EXPECT_EQ(labels(*w), QStringList({"172", "177", "5"}));

    messages().clear();
    QTest::mouseClick(w->cmdOk, Qt::LeftButton);
    EXPECT_EQ(messages().texts(), QStringList({"调换成功！"}));
    EXPECT_EQ(listed(*w), QStringList({l3}));
    EXPECT_EQ(sellRow(l2).mid(11, 4), QStringList({"1", "120", "8.5", "102"}));
    EXPECT_EQ(sellRow(l1).mid(11, 4), QStringList({"1", "80", "特价", "75"}));
    EXPECT_EQ(historyOf(l2).value(25), "颜色不合适");
    EXPECT_EQ(historyOf(l1).value(25), "尺码不合适");
    EXPECT_EQ(historyOf(l2).value(20), "30");
    EXPECT_EQ(historyOf(l1).value(20), "-25");
    EXPECT_EQ(quantityOf("Store", "GUID", K1), "9");
    EXPECT_EQ(quantityOf("Store", "GUID", K3), "4");
    EXPECT_EQ(quantityOf("Store", "GUID", K4), "0");
}
