// The replacement picker: the goods it offers, the exchange rules on what may
// replace what, the amount at a discount or a special price, the checks of its
// Enter keys and of its confirmation, and the pending pair it adds.
#include "exchangelines.h"

#include <QApplication>

namespace {

class Picker : public ExchangeLines {
protected:
    // The exchange window with the sale of the 4th listed and that line current.
    std::unique_ptr<frmClientBackChange> exchangeOn(int row)
    {
        auto w = open();
        searchSale(*w, "202403040001");
        w->VSFlexGrid->setRow(row);
        return w;
    }
    // The picker for the current line of the exchange window, shown and active.
    static std::unique_ptr<frmChange> pickerFor(frmClientBackChange& w, float price = 85)
    {
        const FlexGrid& g = *w.VSFlexGrid;
        auto p = std::make_unique<frmChange>(w);
        p->LoadIt(g.text(g.row(), "GUID"), g.text(g.row(), "SellNo"), g.text(g.row(), "货号"), price);
        EXPECT_TRUE(showPicker(p.get()));
        return p;
    }
    static void choose(frmChange& p, const QString& store)
    {
        const int r = p.VSFlexGrid->findRow(store, 1, 1);
        ASSERT_GE(r, 1);
        p.VSFlexGrid->setRow(r);
    }
    static QStringList offered(const frmChange& p)
    {
        QStringList keys;
        for (int r = 1; r < p.VSFlexGrid->rows(); ++r)
            keys << p.VSFlexGrid->text(r, "GUID");
        keys.sort();
        return keys;
    }
    static QString focused() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""; }
};

}  // namespace

TEST_F(Picker, OffersTheShopsGoodsInStockFilteredByGoodsNumber)
{
    auto w = exchangeOn(1);
    auto p = pickerFor(*w);
    EXPECT_EQ(p->windowTitle(), "调换");
    EXPECT_EQ(offered(*p), QStringList({K1, K2, K3, K4, K5})) << "nothing sold out, nothing of another shop";
    const FlexGrid& g = *p->VSFlexGrid;
    QStringList captions;
    for (int c = 1; c < g.cols(); ++c)
        captions << g.textMatrix(0, c);
    EXPECT_EQ(captions, QStringList({"GUID", "货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "数量",
                                     "零售价"}));
    EXPECT_TRUE(g.colHidden(1));
    EXPECT_EQ(g.colWidth(2), 1000);
    EXPECT_TRUE(p->OptAbate->isChecked());
    EXPECT_EQ(p->txtAbate->text(), "全");
    EXPECT_EQ(p->txtQuatity->text(), "1");
    EXPECT_EQ(p->comAbate->count(), 7);
    EXPECT_EQ(p->comAbate->currentText(), "9.5");
    EXPECT_TRUE(p->txtNo->hasFocus());

    const struct {
        QString typed;
        QStringList offered;
    } cases[] = {
        {"k-1", {K1, K5}}, {"-3", {K3}}, {"K'2", {K2}}, {"x' or ''='", {}}, {"", {K1, K2, K3, K4, K5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        p->VSFlexGrid->setRow(p->VSFlexGrid->rows() - 1);
        p->txtNo->setText(c.typed);
        EXPECT_EQ(offered(*p), c.offered);
        EXPECT_EQ(p->VSFlexGrid->row(), c.offered.isEmpty() ? 0 : 1);
        EXPECT_TRUE(p->VSFlexGrid->colHidden(1));
    }
    EXPECT_TRUE(messages().shown().isEmpty());

    // Nothing to choose: nothing to confirm.
    p->txtNo->setText("K-9");
    p->cmdOk->click();
    EXPECT_EQ(messages().texts(), QStringList({"没有可以调换的商品！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_EQ(w->VSChange->rows(), 1);
}

TEST_F(Picker, RefusesWhatMayNotReplaceTheLine)
{
    const QString sameType = "对不起只有同类型的商品才可以调换！请你再选择其他的商品";
    const QString dearer = "对不起只能调换比此商品价格高的商品！";
    // In the picker, for a line sold at 99.5 under K-100.
    auto w = exchangeOn(1);
    auto p = pickerFor(*w, 99.5f);
    const struct {
        bool sameTypeChange, dearGoodsChange;
        QString store, refusal;  // no refusal: the question
    } picks[] = {
        {true, false, K5, sameType}, {true, false, K3, sameType}, {true, false, K1, ""},
        {false, true, K4, dearer},   {false, true, K1, dearer},   {false, true, K3, ""},
        {false, true, K5, ""},
    };
    for (const auto& c : picks) {
        SCOPED_TRACE(p->VSFlexGrid->text(p->VSFlexGrid->findRow(c.store, 1, 1), "货号").toStdString());
        gSellRole.SameTypeChange = c.sameTypeChange;
        gSellRole.DearGoodsChange = c.dearGoodsChange;
        messages().clear();
        choose(*p, c.store);
        if (c.refusal.isEmpty())
            messages().answerNo();
        p->cmdOk->click();
        EXPECT_EQ(messages().texts(), QStringList({c.refusal.isEmpty() ? "确定要调换吗？" : c.refusal}));
        if (!c.refusal.isEmpty()) {
            EXPECT_EQ(messages().last().icon, ui::Icon::Information);
            EXPECT_EQ(messages().last().title, "VeloraTessaro");
        }
    }
    EXPECT_EQ(messages().last().title, "提示");
    EXPECT_EQ(messages().last().icon, ui::Icon::Question);
    EXPECT_EQ(w->VSChange->rows(), 1) << "no answer, no pair";
    EXPECT_TRUE(p->isVisible());
    EXPECT_EQ(labels(*w), QStringList({"", "", ""}));
}

TEST_F(Picker, TheAmountAtADiscountOrASpecialPrice)
{
    const QString K8 = "{00000000-0000-0000-0000-0000000000D8}";
    const QString K9 = "{00000000-0000-0000-0000-0000000000D9}";
    const QString K10 = "{00000000-0000-0000-0000-0000000000DA}";
    goods(K8, "K-800", 2, "199");
    goods(K9, "K-900", 2, "40000");
    goods(K10, "K-990", 2, "5000000000");
    const QString K11 = "{00000000-0000-0000-0000-0000000000DB}";
    goods(K11, "K-500", 2, "50");
    const QString range = "请输入0.1-10的数字或小数！";
    const struct {
        const char* what;
        QString store;
        QString abate;                    // the discount box, in discount mode
        std::optional<QString> special{};  // the special price, in its mode
        QString discount, amount;          // the pair's; empty: refused
        QString refusal{};
        QString focus{};
    } cases[] = {
        {"full price", K8, "全", {}, "全", "199"},
        {"8.5 on 85", K1, "8.5", {}, "8.5", "72"},
        {"a half: 8.7 on 50", K11, "8.7", {}, "8.7", "44"},
        {"nothing charged", K1, "0", {}, "0", "0"},
        {"9.9", K1, "9.9", {}, "9.9", "84"},
        {"typed as typed", K1, "08.5", {}, "08.5", "72"},
        {"beyond 16 bits", K9, "全", {}, "全", "40000"},
        {"9.95", K1, "9.95", {}, "", "", range, "txtAbate"},
        {"not a discount", K1, "八折", {}, "", "", "数量的数据类型不正确！", "txtAbate"},
        {"beyond 32 bits", K10, "全", {}, "", "", range, "txtAbate"},
        {"special price, as dear as retail", K1, "全", "85", "特价", "85"},
        {"special price, halves to even", K5, "全", "98.5", "特价", "98"},
        {"special price above retail", K1, "全", "85.5", "", "", "特价比零售价还要贵么？", "txtAbate"},
        {"special price below 0", K1, "全", "-1", "", "", "特价也不可能小于0的！", "txtChangePrice"},
        {"no special price", K1, "全", "", "", "", "请输入有效的数据！", "txtChangePrice"},
        {"special price beyond 32 bits", K10, "全", "4000000000", "", "", "请输入有效的数据！", "txtChangePrice"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages().clear();
        auto w = exchangeOn(1);
        auto p = pickerFor(*w);
        choose(*p, c.store);
        p->txtAbate->setText(c.abate);
        if (c.special) {
            p->OptChangePrice->setChecked(true);
            p->txtChangePrice->setText(*c.special);
        }
        p->txtNo->setFocus();
        if (c.refusal.isEmpty())
            messages().answerYes();
        p->cmdOk->click();
        if (!c.refusal.isEmpty()) {
            EXPECT_EQ(messages().texts(), QStringList({c.refusal}));
            EXPECT_EQ(messages().last().icon, ui::Icon::Information);
            EXPECT_EQ(focused(), c.focus);
            EXPECT_EQ(w->VSChange->rows(), 1);
            EXPECT_EQ(p->result(), QDialog::Rejected);
            continue;
        }
        ASSERT_EQ(w->VSChange->rows(), 2);
        EXPECT_EQ(w->VSChange->text(1, "折扣"), c.discount);
        EXPECT_EQ(w->VSChange->text(1, "应收金额"), c.amount);
        EXPECT_EQ(w->lbAmount->text(), c.amount);
        EXPECT_EQ(p->result(), QDialog::Accepted);
    }
}

TEST_F(Picker, TheEnterKeysCheckAsTheyGo)
{
    auto w = exchangeOn(1);
    auto p = pickerFor(*w);
    choose(*p, K1);

    // The list hands over to the discount, whose box takes "10" as full price.
    p->VSFlexGrid->setFocus();
    QTest::keyClick(p->VSFlexGrid, Qt::Key_Return);
    ASSERT_TRUE(p->txtAbate->hasFocus());
    EXPECT_EQ(p->txtAbate->selectedText(), "全");
    QTest::keyClicks(p->txtAbate, "10");
    EXPECT_EQ(p->txtAbate->text(), "全");
    const struct {
        QString typed, refusal;
    } discounts[] = {{"12", "请输入0.1-10的数字或小数！"}, {"九", "数量的数据类型不正确！"}, {"8", ""}, {"全", ""}};
    for (const auto& c : discounts) {
        SCOPED_TRACE(c.typed.toStdString());
        messages().clear();
        p->txtAbate->setFocus();
        p->txtAbate->setText(c.typed);
        QTest::keyClick(p->txtAbate, Qt::Key_Return);
        EXPECT_EQ(messages().texts(), c.refusal.isEmpty() ? QStringList() : QStringList({c.refusal}));
        EXPECT_EQ(focused(), c.refusal.isEmpty() ? "cmdOk" : "txtAbate");
    }

    // Down to the special price and up again; each box switches the mode to itself.
    p->txtAbate->setFocus();
    QTest::keyClick(p->txtAbate, Qt::Key_Down);
    EXPECT_TRUE(p->txtChangePrice->hasFocus());
    EXPECT_TRUE(p->OptChangePrice->isChecked());
    QTest::keyClick(p->txtChangePrice, Qt::Key_Up);
    EXPECT_TRUE(p->txtAbate->hasFocus());
    EXPECT_TRUE(p->OptAbate->isChecked());
    QTest::mouseClick(p->OptChangePrice, Qt::LeftButton, {}, QPoint(4, p->OptChangePrice->height() / 2));
    EXPECT_TRUE(p->txtChangePrice->hasFocus());
    QTest::mouseClick(p->OptAbate, Qt::LeftButton, {}, QPoint(4, p->OptAbate->height() / 2));
    EXPECT_TRUE(p->txtAbate->hasFocus());
    p->OptAbate->setFocus();
    QTest::keyClick(p->OptAbate, Qt::Key_Down);
    EXPECT_TRUE(p->VSFlexGrid->hasFocus());

    // The special price, in the order of its checks; the stock counts the piece
    // already paired.
    pair(*w, 2, {.store = K4});
    w->VSFlexGrid->setRow(1);
    const struct {
        QString store, typed, refusal, focus;
    } prices[] = {
        {K1, "八十", "请输入有效的数据！", "txtChangePrice"},
        {K1, "-1", "特价也不可能小于0的！", "txtChangePrice"},
        {K1, "86", "特价比零售价还要贵么？", "txtAbate"},
        {K4, "70", "库存不足不能调换，请通知管理员！", "txtChangePrice"},
        {K1, "85", "", "cmdOk"},
    };
    for (const auto& c : prices) {
        SCOPED_TRACE(c.typed.toStdString());
        messages().clear();
        choose(*p, c.store);
        p->txtChangePrice->setFocus();
        p->txtChangePrice->setText(c.typed);
        QTest::keyClick(p->txtChangePrice, Qt::Key_Return);
        EXPECT_EQ(messages().texts(), c.refusal.isEmpty() ? QStringList() : QStringList({c.refusal}));
        EXPECT_EQ(focused(), c.focus);
    }
}

TEST_F(Picker, AConfirmedChoiceAddsThePendingPair)
{
    auto w = exchangeOn(1);
    w->comResion->setEditText("开胶'了");
    auto p = pickerFor(*w);
    choose(*p, K3);
    p->txtAbate->setText("8.5");
    messages().answerYes();
    p->cmdOk->click();
    EXPECT_EQ(messages().texts(), QStringList({"确定要调换吗？"}));
    EXPECT_EQ(p->result(), QDialog::Accepted);
    ASSERT_EQ(w->VSChange->rows(), 2);
    QStringList cells;
    for (int c = 0; c < w->VSChange->cols(); ++c)
        cells << w->VSChange->textMatrix(1, c);
    EXPECT_EQ(cells, QStringList({"", K3, "K-300", "夹克", "Br'and", "XL", "黑", "棉", "一等", "广州", "120", "1",
                                  "8.5", "102", l1, "202403040001"}));
    EXPECT_EQ(w->VSChange->row(), 1);
    EXPECT_EQ(marked(*w), QStringList({l1}));
    EXPECT_EQ(labels(*w), QStringList({"100", "102", "2"}));
    EXPECT_EQ(w->VSFlexGrid->text(1, "调换原因"), "开胶'了");
}

TEST_F(Picker, TwoPendingPairsCannotTakeTheLastPiece)
{
    auto w = exchangeOn(1);
    pair(*w, 1, {.store = K4});  // its only piece
    ASSERT_EQ(pending(*w).size(), 1);
    const QString refusal = "库存不足不能调换，请通知管理员！";
    for (bool special : {false, true}) {
        SCOPED_TRACE(special ? "special price" : "discount");
        messages().clear();
        pair(*w, 2, {.store = K4, .special = special ? std::optional<QString>("60") : std::nullopt,
                     .answer = std::nullopt});
        EXPECT_EQ(messages().texts(), QStringList({refusal}));
        EXPECT_EQ(pending(*w).size(), 1);
    }
    // Stock rows of more pieces take as many pairs.
    pair(*w, 2, {.store = K2});
    pair(*w, 3, {.store = K2});
    EXPECT_EQ(pending(*w).size(), 3);

    // Once the first pair is gone its piece can go with another line.
    w->VSChange->setRow(1);
    w->Del_Click();
    pair(*w, 1, {.store = K4});
    EXPECT_EQ(marked(*w), QStringList({l1, l2, l3}));
    EXPECT_EQ(pending(*w).last(), K4 + " for " + l1);
}
