// The counter driven as the clerk does: finding goods, adding pieces at a
// discount or a special price, removing them, taking the payment and checking out.
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/qtservices.h"
#include "sales/frmsell.h"
#include "support/shopfixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QString K1 = QStringLiteral("{00000000-0000-0000-0000-0000000000C1}");
const QString K2 = QStringLiteral("{00000000-0000-0000-0000-0000000000C2}");
const QString K3 = QStringLiteral("{00000000-0000-0000-0000-0000000000C3}");

class Counter : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        stock(K1, "K-100", 50, "85", "690001");
        stock(K2, "K-200", 50, "99.5", "69'02");
        stock(K3, "A-300", 4, "120", "690003");
        stock("{00000000-0000-0000-0000-0000000000C4}", "K-400", 0, "60", "690004");  // sold out
        stock("{00000000-0000-0000-0000-0000000000C5}", "K-100", 5, "85", "690001", "{ANOTHER-SHOP}");
    }

    void stock(const QString& key, const QString& typeNo, int quantity, const QString& price, const QString& idCode,
               const QString& shop = QString())
    {
        sql("Insert Into Store Values('" + key + "','" + (shop.isEmpty() ? gShopNo : shop) + "','" + typeNo +
            "','夹克','青禾','XL','黑','棉','一等','广州'," + QString::number(quantity) + "," + price + "," +
            core::SqlQuote(idCode) + ",'A-1')");
    }

    // The counter, shown and active, as the clerk finds it.
    std::unique_ptr<frmSell> open()
    {
        auto w = std::make_unique<frmSell>();
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    static void enter(QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }

    // Chooses the goods by number and adds the quantity at a discount.
    static void addAtDiscount(frmSell& w, const QString& typeNo, const QString& quantity, const QString& abate)
    {
        w.txtNo->setText(typeNo);
        w.txtQuatity->setText(quantity);
        w.txtAbate->setFocus();
        w.txtAbate->setText(abate);
        enter(w.txtAbate);
    }
    static void addAtSpecialPrice(frmSell& w, const QString& typeNo, const QString& quantity, const QString& price)
    {
        w.txtNo->setText(typeNo);
        w.txtQuatity->setText(quantity);
        w.txtChangePrice->setFocus();
        w.txtChangePrice->setText(price);
        enter(w.txtChangePrice);
    }

    static QStringList saleColumn(const frmSell& w, const QString& key)
    {
        QStringList cells;
        for (int r = 1; r < w.VSSell->rows(); ++r)
            cells << w.VSSell->text(r, key);
        return cells;
    }
    static QStringList stockColumn(const frmSell& w, const QString& key)
    {
        QStringList cells;
        for (int r = 1; r < w.VSFlexGrid->rows(); ++r)
            cells << w.VSFlexGrid->text(r, key);
        cells.sort();
        return cells;
    }
    int sellRows() { return scalar("select count(*) from Sell").toInt(); }
    QString storeQuantity(const QString& key) { return scalar("select Quantity from Store Where GUID='" + key + "'"); }
};

}  // namespace

TEST_F(Counter, OpensWithTheShopsSaleableStockAndAnEmptySale)
{
    frmSell w;
    EXPECT_EQ(w.windowTitle(), "售货");
    const FlexGrid& g = *w.VSFlexGrid;
    QStringList captions;
    for (int c = 1; c < g.cols(); ++c)
        captions << g.textMatrix(0, c);
    EXPECT_EQ(captions, QStringList({"GUID", "货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "数量",
                                     "零售价", "条码"}));
    EXPECT_TRUE(g.colHidden(1));
    EXPECT_EQ(g.colWidth(0), 200);
    EXPECT_EQ(g.colWidth(2), 1148);
    EXPECT_EQ(stockColumn(w, "货号"), QStringList({"A-300", "K-100", "K-200"})) << "in stock, in this shop";

    const FlexGrid& s = *w.VSSell;
    ASSERT_EQ(s.cols(), 14);
    EXPECT_EQ(s.rows(), 1);
    const QStringList keys = {"GUID", "货号", "种类", "品牌", "尺码", "颜色", "面料",
                              "等级", "产地", "零售价", "数量", "折扣", "应收金额"};
    for (int c = 1; c < 14; ++c) {
        EXPECT_EQ(s.textMatrix(0, c), keys[c - 1]);
        EXPECT_EQ(s.colKey(c), keys[c - 1]);
    }
    EXPECT_TRUE(s.colHidden(1));
    EXPECT_EQ(s.colWidth(3), 960);

    EXPECT_EQ(w.lbOpt->text(), gUser.Name);
    EXPECT_EQ(w.lbNo->text(), "202403050001");
    EXPECT_EQ(w.txtPrice->text(), g.text(g.row(), "零售价"));
    EXPECT_EQ(w.txtQuatity->text(), "1");
    EXPECT_TRUE(w.lbAmount->text().isEmpty());
    EXPECT_EQ(w.LbInfo->text(), "F1:数量 F2:折扣 F3:特价 F4:客人付款 F5:货号 F6:商品列表 F7:预售列表 "
                                "Del:取消当前商品 F8:重新打印");
    EXPECT_EQ(w.Cancel->text(), "取消");
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Counter, FindsGoodsByNumberWhileTypingAndByBarCode)
{
    auto w = open();
    const struct {
        QString typed;
        QStringList shown;
    } cases[] = {{"K-", {"K-100", "K-200"}}, {"200", {"K-200"}}, {"k-4", {}}, {"", {"A-300", "K-100", "K-200"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        w->txtNo->setText(c.typed);
        EXPECT_EQ(stockColumn(*w, "货号"), c.shown);
        EXPECT_TRUE(w->VSFlexGrid->colHidden(1));
        if (!c.shown.isEmpty()) {
            EXPECT_EQ(w->VSFlexGrid->row(), 1);
            EXPECT_EQ(w->txtPrice->text(), w->VSFlexGrid->text(1, "零售价"));
        }
    }
    w->txtNo->setText("K-200");
    EXPECT_EQ(w->txtPrice->text(), "99.5");
    w->txtNo->setText("nothing");
    EXPECT_EQ(w->txtPrice->text(), "99.5") << "an empty list leaves the price alone";

    // A scanned code is matched exactly, quote and all; no match leaves the focus.
    w->txtIDCode->setFocus();
    QTest::keyClicks(w->txtIDCode, "69'0");
    enter(w->txtIDCode);
    EXPECT_EQ(w->VSFlexGrid->rows(), 1);
    EXPECT_TRUE(w->txtIDCode->hasFocus());
    QTest::keyClicks(w->txtIDCode, "2");
    enter(w->txtIDCode);
    EXPECT_EQ(stockColumn(*w, "货号"), QStringList({"K-200"}));
    EXPECT_EQ(w->txtPrice->text(), "99.5");
    EXPECT_TRUE(w->VSFlexGrid->hasFocus());
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Counter, ArrowAndEnterKeysWalkThroughTheBoxes)
{
    auto w = open();
    w->txtNo->setFocus();
    QTest::keyClicks(w->txtNo, "K-");
    QTest::keyClick(w->txtNo, Qt::Key_Down);
    EXPECT_TRUE(w->VSFlexGrid->hasFocus());
    EXPECT_EQ(w->VSFlexGrid->row(), 2) << "down from the goods number moves one row on";
    EXPECT_EQ(w->txtPrice->text(), w->VSFlexGrid->text(2, "零售价"));
    w->txtNo->setText("K-100");
    w->txtNo->setFocus();
    QTest::keyClick(w->txtNo, Qt::Key_Down);
    EXPECT_EQ(w->VSFlexGrid->row(), 1) << "one row: nowhere to move";
    enter(w->VSFlexGrid);
    ASSERT_TRUE(w->txtQuatity->hasFocus());
    EXPECT_EQ(w->txtQuatity->selectedText(), "1") << "the box is ready to be typed over";
    enter(w->txtQuatity);
    ASSERT_TRUE(w->txtAbate->hasFocus());
    EXPECT_EQ(w->txtAbate->selectedText(), "全");
    QTest::keyClick(w->txtAbate, Qt::Key_Down);
    EXPECT_TRUE(w->txtChangePrice->hasFocus());
    EXPECT_TRUE(w->OptChangePrice->isChecked());
    QTest::keyClick(w->txtChangePrice, Qt::Key_Up);
    EXPECT_TRUE(w->txtAbate->hasFocus());
    EXPECT_TRUE(w->OptAbate->isChecked());
    w->OptChangePrice->click();
    EXPECT_TRUE(w->txtChangePrice->hasFocus());
    w->OptAbate->click();
    EXPECT_TRUE(w->txtAbate->hasFocus());
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Counter, FunctionKeysWorkFromAnyBox)
{
    auto w = open();
    const struct {
        Qt::Key key;
        QWidget* from;
        QWidget* to;
    } cases[] = {
        {Qt::Key_F1, w->txtNo, w->txtQuatity},          {Qt::Key_F2, w->txtQuatity, w->txtAbate},
        {Qt::Key_F3, w->VSFlexGrid, w->txtChangePrice}, {Qt::Key_F4, w->txtChangePrice, w->txtReciveAmout},
        {Qt::Key_F5, w->txtReciveAmout, w->txtNo},      {Qt::Key_F6, w->txtIDCode, w->VSFlexGrid},
        {Qt::Key_F7, w->txtAbate, w->VSSell},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to->objectName().toStdString());
        c.from->setFocus();
        QTest::keyClick(c.from, c.key);
        EXPECT_TRUE(c.to->hasFocus());
    }

    // F8 reprints the previous sale, after asking.
    messages().answerNo();
    QTest::keyClick(w->txtNo, Qt::Key_F8);
    EXPECT_EQ(messages().texts(), QStringList({"确定要进行重复打印吗？"}));
}

// A key opens a real message box, whose key release it takes; the box is closed
// with the mouse. The window's function keys then still reach it at once, in
// every window that looks at the keys before its controls do.
TEST_F(Counter, FunctionKeysWorkAfterAMessageBoxClosedWithTheMouse)
{
    struct Case {
        const char* name;
        std::function<std::unique_ptr<FormBase>()> open;
        // Gives the focus to a box whose Enter shows a message box.
        std::function<QWidget*(FormBase&)> toRefusal;
        // Where F4 and F5 take the focus.
        std::function<QWidget*(FormBase&)> f4, f5;
    };
    const auto sell = [](FormBase& w) -> frmSell& { return static_cast<frmSell&>(w); };
    const Case cases[] = {
        {"frmSell", [this] { return std::unique_ptr<FormBase>(open()); },
         [sell](FormBase& w) {
             sell(w).txtQuatity->setText("abc");
             return sell(w).txtQuatity;
         },
         [sell](FormBase& w) { return sell(w).txtReciveAmout; }, [sell](FormBase& w) { return sell(w).txtNo; }},
    };
    const ui::Platform faked = ui::platform();
    ui::Platform real = faked;
    real.msg = ui::realPlatform().msg;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<FormBase> w = c.open();
        ASSERT_TRUE(w->keyPreview());
        QWidget* box = c.toRefusal(*w);
        box->setFocus();
        ui::setPlatform(real);
        bool shown = false;
        QTimer::singleShot(0, [&shown] {
            auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(m, nullptr);
            shown = true;
            QTest::keyRelease(m, Qt::Key_Return);
            QTest::mouseClick(m->buttons().first(), Qt::LeftButton);
        });
        QTest::keyPress(box, Qt::Key_Return);
        ui::setPlatform(faked);
        ASSERT_TRUE(shown);
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&w] { return QApplication::activeWindow() == w.get(); }));

        // Pressed as the Enter was, so that each key press is made where the
        // one before was made.
        for (const auto& [key, to] : {std::pair{Qt::Key_F4, c.f4}, std::pair{Qt::Key_F5, c.f5}}) {
            QWidget* const focus = QApplication::focusWidget();
            QTest::keyPress(focus, key);
            QTest::keyRelease(focus, key);
            EXPECT_TRUE(to(*w)->hasFocus()) << QTest::toString(key);
        }
    }
}

TEST_F(Counter, AddsOneLinePerPieceAtADiscountOrASpecialPrice)
{
    auto w = open();
    const struct {
        bool special;
        QString typeNo, typed, abate, amount;
    } cases[] = {
        {false, "K-100", "5", "5", "42"},        // 42.5: halves to even
        {false, "K-100", "8.5", "8.5", "72"},    // 72.25
        {false, "K-200", "全", "全", "100"},     // 99.5
        {false, "K-100", "0", "0", "0"},
        {false, "K-100", "9.9", "9.9", "84"},
        {false, "K-100", "08.5", "08.5", "72"},  // kept as typed
        {false, "K-100", "10", "全", "85"},
        {true, "K-200", "99.5", "特价", "100"},  // equal to the retail price
        {true, "K-200", "98.5", "特价", "98"},
    };
    double total = 0;
    int lines = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE((c.typeNo + " " + c.typed).toStdString());
        if (c.special)
            addAtSpecialPrice(*w, c.typeNo, "1", c.typed);
        else
            addAtDiscount(*w, c.typeNo, "1", c.typed);
        ASSERT_EQ(w->VSSell->rows(), ++lines + 1);
        const int r = w->VSSell->rows() - 1;
        EXPECT_EQ(w->VSSell->row(), r);
        EXPECT_EQ(w->VSSell->text(r, "折扣"), c.abate);
        EXPECT_EQ(w->VSSell->text(r, "应收金额"), c.amount);
        EXPECT_EQ(w->VSSell->text(r, "零售价"), c.typeNo == "K-100" ? "85" : "99.5");
        EXPECT_EQ(w->VSSell->text(r, "数量"), "1");
        EXPECT_EQ(w->VSSell->textMatrix(r, 1), c.typeNo == "K-100" ? K1 : K2);
        EXPECT_EQ(w->VSSell->text(r, "货号"), c.typeNo);
        EXPECT_EQ(w->VSSell->text(r, "产地"), "广州");
        total += c.amount.toDouble();
        EXPECT_EQ(w->lbAmount->text(), QString::number(total));
        EXPECT_TRUE(w->txtReciveAmout->hasFocus());
    }
    EXPECT_TRUE(messages().shown().isEmpty());

    // The button adds the way of the chosen option.
    w->OptAbate->setChecked(true);
    w->txtAbate->setText("5");
    w->cmdAdd->click();
    EXPECT_EQ(saleColumn(*w, "应收金额").last(), "50") << "5 on 99.5 is 49.75";
    w->OptChangePrice->setChecked(true);
    w->cmdAdd->click();
    EXPECT_EQ(saleColumn(*w, "折扣").last(), "特价");
}

TEST_F(Counter, TheDiscountBoxTakesZeroToNinePointNineOrFull)
{
    auto w = open();
    const struct {
        QString typed, shown;
    } texts[] = {{"10", "全"}, {"1", "1"}, {"100", "100"}, {"08.5", "08.5"}};
    for (const auto& t : texts) {
        w->txtAbate->setText(t.typed);
        EXPECT_EQ(w->txtAbate->text(), t.shown) << t.typed.toStdString();
    }
    w->txtAbate->clear();
    QTest::keyClicks(w->txtAbate, "10");
    EXPECT_EQ(w->txtAbate->text(), "全");

    const struct {
        QString typed, message;
    } refused[] = {
        {"9.95", "请输入0.1-10的数字或小数！"}, {"12", "请输入0.1-10的数字或小数！"},
        {"-1", "请输入0.1-10的数字或小数！"},   {"八折", "数量的数据类型不正确！"},
        {"", "数量的数据类型不正确！"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.typed.toStdString());
        addAtDiscount(*w, "K-100", "1", c.typed);
        EXPECT_EQ(messages().texts(), QStringList({c.message}));
        EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
        EXPECT_EQ(messages().last().title, ui::appTitle());
        EXPECT_TRUE(w->txtAbate->hasFocus());
        messages().clear();
    }
    EXPECT_EQ(w->VSSell->rows(), 1);

    // Amounts are whole numbers of 32 bits: a dear piece is charged, an impossible one refused.
    w->txtNo->setText("K-100");
    w->txtPrice->setText("40000");
    w->txtAbate->setText("8.5");
    enter(w->txtAbate);
    EXPECT_EQ(saleColumn(*w, "应收金额"), QStringList({"34000"}));
    w->txtPrice->setText("3e9");
    w->txtAbate->setFocus();
    w->txtAbate->setText("全");
    enter(w->txtAbate);
    EXPECT_EQ(messages().texts(), QStringList({"请输入0.1-10的数字或小数！"}));
    EXPECT_EQ(w->VSSell->rows(), 2);
    EXPECT_EQ(w->lbAmount->text(), "34000");
}

TEST_F(Counter, ASpecialPriceIsANumberUpToTheRetailPrice)
{
    auto w = open();
    const struct {
        QString typeNo, typed, message;
    } refused[] = {
        {"K-100", "abc", "请输入有效数字！"},
        {"K-100", "-5", "请输入有效数字！"},  // no price pays the customer
        {"K-100", "3e9", "请输入有效数字！"},  // beyond the amounts the program holds
        {"K-100", "85.5", "特价比零售价还要贵么？"},
        {"nothing", "50", "请选择一个商品！"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.typed.toStdString());
        addAtSpecialPrice(*w, c.typeNo, "1", c.typed);
        EXPECT_EQ(messages().texts(), QStringList({c.message}));
        EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
        EXPECT_TRUE(w->txtChangePrice->hasFocus());
        messages().clear();
    }
    EXPECT_EQ(w->VSSell->rows(), 1);
}

TEST_F(Counter, TheQuantityGivesWholePiecesWithinTheStock)
{
    auto w = open();
    const struct {
        QString typed;
        int pieces;       // added by this entry
        QString message;  // or the refusal
    } cases[] = {
        {"1.5", 2, ""},  // halves to even
        {"2.5", 2, ""},
        {"0.4", 0, ""},  // passes, adds nothing
        {"0", 0, "数量的不能小于0！"},
        {"-1", 0, "数量的不能小于0！"},
        {"两件", 0, "数量的数据类型不正确！"},
        {"1e10", 0, "数量的数据类型不正确！"},  // no whole number the program can count
        {"47", 0, "库存不足不能结帐，请通知管理员！"},  // 50 on hand, 4 listed
    };
    int listed = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        addAtDiscount(*w, "K-100", c.typed, "全");
        listed += c.pieces;
        EXPECT_EQ(w->VSSell->rows(), listed + 1);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages().shown().isEmpty());
            EXPECT_TRUE(w->txtReciveAmout->hasFocus());
        } else {
            EXPECT_EQ(messages().texts(), QStringList({c.message}));
            EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
            EXPECT_EQ(w->txtQuatity->hasFocus(), !c.message.startsWith("库存"));
        }
        messages().clear();
    }
    EXPECT_EQ(w->lbAmount->text(), "340");
}

TEST_F(Counter, TheStockCheckCountsPiecesAlreadyListed)
{
    auto w = open();
    addAtDiscount(*w, "A-300", "3", "全");  // 4 on hand
    ASSERT_EQ(w->VSSell->rows(), 4);
    EXPECT_EQ(w->CountPiecesInSaleList(K3), 3);

    // The quantity box says so with the information icon before the discount is reached.
    w->txtQuatity->setText("2");
    w->txtQuatity->setFocus();
    enter(w->txtQuatity);
    EXPECT_EQ(messages().texts(), QStringList({"库存不足不能结帐，请通知管理员！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_TRUE(w->txtQuatity->hasFocus());
    messages().clear();
    addAtSpecialPrice(*w, "A-300", "2", "100");
    EXPECT_EQ(messages().texts(), QStringList({"库存不足不能结帐，请通知管理员！"}));
    EXPECT_EQ(w->VSSell->rows(), 4);
    messages().clear();

    addAtDiscount(*w, "A-300", "1", "全");
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(w->CountPiecesInSaleList(K3), 4);
    EXPECT_EQ(w->CountPiecesInSaleList(K1), 0);

    // With no goods listed the quantity box asks for some.
    w->txtNo->setText("nothing");
    w->txtQuatity->setFocus();
    enter(w->txtQuatity);
    EXPECT_EQ(messages().texts(), QStringList({"请选择一个商品！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
}

TEST_F(Counter, DeleteRemovesTheCurrentLineFromAnyBox)
{
    auto w = open();
    for (const QString abate : {"1", "2", "3", "4", "5", "6", "7", "8"})
        addAtDiscount(*w, "K-100", "1", abate);
    addAtDiscount(*w, "K-200", "1", "全");
    QStringList amounts = saleColumn(*w, "应收金额");
    ASSERT_EQ(amounts, QStringList({"8", "17", "26", "34", "42", "51", "60", "68", "100"}));
    w->txtNo->setText("K-1");
    w->txtIDCode->setText("690");
    w->txtNo->setCursorPosition(0);
    w->txtIDCode->setCursorPosition(0);

    QWidget* const boxes[] = {w->txtNo,        w->txtIDCode,     w->txtQuatity, w->txtAbate,
                              w->txtChangePrice, w->txtReciveAmout, w->VSFlexGrid, w->VSSell};
    for (QWidget* box : boxes) {
        SCOPED_TRACE(box->objectName().toStdString());
        box->setFocus();
        const int current = (w->VSSell->rows() + 1) / 2;
        w->VSSell->setRow(current);
        QTest::keyClick(box, Qt::Key_Delete);
        amounts.removeAt(current - 1);
        EXPECT_EQ(saleColumn(*w, "应收金额"), amounts);
    }
    ASSERT_EQ(amounts.size(), 1);
    EXPECT_EQ(w->lbAmount->text(), amounts.first());
    EXPECT_EQ(w->txtNo->text(), "-1") << "the focused box still deletes forward";
    EXPECT_EQ(w->txtIDCode->text(), "90");

    // The last line goes through the popup menu of the sale list.
    const QRect cell = w->VSSell->visualRect(w->VSSell->model()->index(0, 2));
    QTest::mouseClick(w->VSSell->viewport(), Qt::RightButton, {}, cell.center());
    EXPECT_TRUE(w->Main->isVisible());
    w->Main->close();
    w->Cancel->trigger();
    EXPECT_EQ(w->VSSell->rows(), 1);
    EXPECT_TRUE(w->lbAmount->text().isEmpty()) << "empty, not 0";
    EXPECT_TRUE(w->VSFlexGrid->hasFocus());

    // Nothing left: nothing happens.
    QTest::keyClick(w->txtNo, Qt::Key_Delete);
    EXPECT_TRUE(w->lbAmount->text().isEmpty());
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Counter, ATotalOfZeroAfterARemovalIsEmptied)
{
    auto w = open();
    addAtDiscount(*w, "K-100", "1", "0");
    addAtDiscount(*w, "K-100", "1", "全");
    QTest::keyClick(w->txtNo, Qt::Key_Delete);
    EXPECT_EQ(w->VSSell->rows(), 2) << "the line charging nothing stays listed";
    EXPECT_TRUE(w->lbAmount->text().isEmpty());
    EXPECT_TRUE(w->VSFlexGrid->hasFocus());
}

TEST_F(Counter, TheChangeFollowsTheReceivedAmount)
{
    auto w = open();
    addAtDiscount(*w, "K-100", "1", "全");
    addAtDiscount(*w, "K-100", "1", "8.5");
    ASSERT_EQ(w->lbAmount->text(), "157");
    const struct {
        QString received, change;
    } cases[] = {{"200", "43"}, {"157", "0"}, {"157.5", "0.5"}, {"100", ""}, {"二百", ""}, {"", ""}};
    for (const auto& c : cases) {
        w->txtReciveAmout->setText(c.received);
        EXPECT_EQ(w->lb->text(), c.change) << c.received.toStdString();
    }

    // Too little paid, or no answer yes: nothing is written and nothing cleared.
    w->txtReciveAmout->setText("156");
    w->cmdCheckOut->click();
    EXPECT_EQ(messages().texts(), QStringList({"对不起所付金额不足，不能结帐！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
    EXPECT_TRUE(w->txtReciveAmout->hasFocus());
    messages().clear();
    w->txtReciveAmout->setText("157");
    messages().answerNo();
    w->cmdCheckOut->click();
    EXPECT_EQ(messages().texts(), QStringList({"确认要结帐吗？"}));
    EXPECT_EQ(messages().last().title, "询问");
    EXPECT_EQ(messages().last().icon, ui::Icon::Question);
    EXPECT_EQ(sellRows(), 0);
    EXPECT_EQ(w->VSSell->rows(), 3);
    EXPECT_EQ(w->lb->text(), "0");
}

TEST_F(Counter, AHalfAtADiscountIsChargedByTheRuleThroughToTheStoredSale)
{
    const QString K6 = QStringLiteral("{00000000-0000-0000-0000-0000000000C6}");
    stock(K6, "K-600", 5, "50", "690006");
    auto w = open();
    addAtDiscount(*w, "K-600", "1", "8.7");  // 43.5
    EXPECT_EQ(saleColumn(*w, "应收金额"), QStringList({"44"}));
    EXPECT_EQ(w->lbAmount->text(), "44");
    w->txtReciveAmout->setText("50");
    EXPECT_EQ(w->lb->text(), "6");
    messages().answerYes();
    w->cmdCheckOut->click();
    EXPECT_EQ(scalar("select Amount||'/'||Money1||'/'||Money2 from Sell"), "44/50/6");
}

TEST_F(Counter, APaymentATrifleShortIsShort)
{
    auto w = open();
    addAtDiscount(*w, "K-100", "1", "全");
    ASSERT_EQ(w->lbAmount->text(), "85");
    w->txtReciveAmout->setText("84.99999999999999999");
    EXPECT_TRUE(w->lb->text().isEmpty()) << "no change to give";
    w->cmdCheckOut->click();
    EXPECT_EQ(messages().texts(), QStringList({"对不起所付金额不足，不能结帐！"}));
    EXPECT_EQ(sellRows(), 0);
}

TEST_F(Counter, EnterAndPlusInTheReceivedBox)
{
    auto w = open();
    // Nothing due: nothing can be typed, and neither key does anything.
    w->txtReciveAmout->setFocus();
    QTest::keyClicks(w->txtReciveAmout, "50+");
    enter(w->txtReciveAmout);
    EXPECT_TRUE(w->txtReciveAmout->text().isEmpty());
    EXPECT_TRUE(w->txtReciveAmout->hasFocus());

    addAtDiscount(*w, "K-100", "1", "全");
    ASSERT_TRUE(w->txtReciveAmout->hasFocus());
    enter(w->txtReciveAmout);  // an empty box checks nothing out (a question would fail the test)
    QTest::keyClicks(w->txtReciveAmout, "100+");
    EXPECT_EQ(w->txtReciveAmout->text(), "100");
    EXPECT_TRUE(w->txtNo->hasFocus()) << "plus goes on to the next goods";
    w->txtReciveAmout->setFocus();
    QTest::keyClick(w->txtReciveAmout, Qt::Key_Up);
    EXPECT_TRUE(w->VSSell->hasFocus());
    enter(w->VSSell);
    EXPECT_TRUE(w->txtReciveAmout->hasFocus());
    EXPECT_TRUE(messages().shown().isEmpty());

    messages().answerYes();
    enter(w->txtReciveAmout);
    EXPECT_EQ(messages().texts(), QStringList({"确认要结帐吗？"}));
    EXPECT_EQ(sellRows(), 1);
}

TEST_F(Counter, CheckoutStoresTheSaleLowersTheListAndClearsTheCounter)
{
    auto w = open();
    const struct {
        bool print;
        QString sellNo;
    } sales[] = {{true, "202403050001"}, {false, "202403050002"}};
    int written = 0;
    for (const auto& s : sales) {
        SCOPED_TRACE(s.sellNo.toStdString());
        gSellRole.IsPrint = s.print;
        fakes->receipts.printed.clear();
        addAtDiscount(*w, "K-100", "2", "8.5");
        addAtSpecialPrice(*w, "K-200", "1", "60");
        w->txtNo->setText("K-");  // both rows in view
        ASSERT_EQ(w->lbAmount->text(), "204");
        ASSERT_EQ(w->lbNo->text(), s.sellNo);
        w->txtReciveAmout->setText("210");
        messages().answerYes();
        w->cmdCheckOut->click();
        written += 3;

        ASSERT_EQ(sellRows(), written);
        EXPECT_EQ(scalar("select count(*) from Sell where SellNo='" + s.sellNo + "' and Money1=210 and Money2=6"),
                  "3");
        EXPECT_EQ(storeQuantity(K1), QString::number(50 - written / 3 * 2));
        EXPECT_EQ(storeQuantity(K2), QString::number(50 - written / 3));
        const int n = written / 3;
        QStringList shown = {QString::number(50 - 2 * n), QString::number(50 - n)};
        shown.sort();
        EXPECT_EQ(stockColumn(*w, "数量"), shown) << "lowered in place";

        ASSERT_EQ(fakes->receipts.printed.size(), s.print ? 1 : 0);
        if (s.print) {
            QString text;
            for (const ui::PrintBlock& b : fakes->receipts.printed.first())
                text += b.text;
            EXPECT_TRUE(text.contains("销售编号：" + s.sellNo));
            EXPECT_TRUE(text.contains("210")) << "the received amount as typed";
        }

        EXPECT_TRUE(w->txtReciveAmout->text().isEmpty());
        EXPECT_EQ(w->txtQuatity->text(), "1");
        EXPECT_TRUE(w->lbAmount->text().isEmpty());
        EXPECT_TRUE(w->lb->text().isEmpty());
        EXPECT_EQ(w->VSSell->rows(), 1);
        EXPECT_TRUE(w->txtNo->hasFocus());
        EXPECT_EQ(w->txtChangePrice->text(), "60") << "the entry boxes keep their texts";
        EXPECT_EQ(w->txtNo->text(), "K-");
    }
    EXPECT_EQ(w->lbNo->text(), "202403050003");
    EXPECT_EQ(messages().texts(), QStringList({"确认要结帐吗？", "确认要结帐吗？"}));
}

TEST_F(Counter, AFailedCheckoutKeepsTheSaleForAnotherTry)
{
    gSellRole.IsPrint = true;
    auto w = open();
    addAtDiscount(*w, "K-100", "2", "全");  // the second piece's row is refused
    sql("create unique index ixOnePerGoods on Sell(TypeNo)");
    w->txtReciveAmout->setText("200");
    messages().answerYes();
    w->cmdCheckOut->click();
    ASSERT_EQ(messages().shown().size(), 3);
    EXPECT_TRUE(messages().shown()[1].text.contains("UNIQUE", Qt::CaseInsensitive));
    EXPECT_EQ(messages().last().text, "结帐失败，本次销售没有保存！");
    EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
    EXPECT_EQ(sellRows(), 0);
    EXPECT_EQ(storeQuantity(K1), "50");
    EXPECT_EQ(w->VSFlexGrid->text(w->VSFlexGrid->findRow(K1, 1, 1), "数量"), "50");
    EXPECT_EQ(w->VSSell->rows(), 3);
    EXPECT_EQ(w->lbAmount->text(), "170");
    EXPECT_EQ(w->txtReciveAmout->text(), "200");
    EXPECT_EQ(w->lb->text(), "30");
    EXPECT_EQ(w->lbNo->text(), "202403050001");
    EXPECT_TRUE(fakes->receipts.printed.isEmpty());

    sql("drop index ixOnePerGoods");
    messages().clear();
    messages().answerYes();
    w->cmdCheckOut->click();
    EXPECT_EQ(sellRows(), 2);
    EXPECT_EQ(fakes->receipts.printed.size(), 1);
    EXPECT_EQ(w->lbNo->text(), "202403050002");
}

TEST_F(Counter, PiecesAnotherCounterSoldMeanwhileAreNotSoldAgain)
{
    gSellRole.IsPrint = true;
    auto w = open();
    addAtDiscount(*w, "K-100", "1", "全");
    addAtDiscount(*w, "A-300", "3", "全");
    w->txtReciveAmout->setText("500");
    // Since the list was read, another counter sold two of the four.
    elsewhere("Update Store Set Quantity=2 Where GUID='" + K3 + "'");
    messages().answerYes();
    w->cmdCheckOut->click();
    EXPECT_EQ(messages().texts(), QStringList({"确认要结帐吗？", "库存不足不能结帐，请通知管理员！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
    EXPECT_EQ(sellRows(), 0);
    EXPECT_EQ(storeQuantity(K3), "2");
    EXPECT_EQ(storeQuantity(K1), "50");
    EXPECT_TRUE(fakes->receipts.printed.isEmpty());
    EXPECT_EQ(saleColumn(*w, "货号"), QStringList({"K-100", "A-300", "A-300", "A-300"}));
    EXPECT_EQ(w->lbAmount->text(), "445");
    EXPECT_EQ(w->txtReciveAmout->text(), "500");
    EXPECT_EQ(w->lb->text(), "55");
    EXPECT_EQ(w->lbNo->text(), "202403050001");
    // The stock list is read again, on the same row.
    EXPECT_EQ(w->VSFlexGrid->text(w->VSFlexGrid->row(), "数量"), "2");
    EXPECT_EQ(w->txtNo->text(), "A-300");

    // Two of them are still there to sell.
    w->VSSell->setRow(2);
    w->Cancel_Click();
    messages().clear();
    messages().answerYes();
    w->cmdCheckOut->click();
    EXPECT_EQ(messages().texts(), QStringList({"确认要结帐吗？"}));
    EXPECT_EQ(sellRows(), 3);
    EXPECT_EQ(storeQuantity(K3), "0");
    EXPECT_EQ(storeQuantity(K1), "49");
}

TEST_F(Counter, NoCheckoutWithoutASaleNumber)
{
    const struct {
        const char* what;
        QString prepare;
        QString refusal;
    } cases[] = {
        {"the day's counter is used up",
         "Insert Into Sell (GUID,ShopNo,SellNo,State) Values('{X}','{308D7A28-0405-4A3F-AE2C-0A52E6B7901B}',"
         "'202403059999',0)",
         "今天的销售编号已经用到9999，不能再结帐！"},
        {"the number could not be read", "drop table Sell", "没有取得销售编号，不能结帐！请检查网络，重新启动程序"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sql(c.prepare);
        auto w = open();
        EXPECT_TRUE(w->lbNo->text().isEmpty());
        messages().clear();
        addAtDiscount(*w, "K-100", "1", "全");
        w->txtReciveAmout->setText("100");
        w->cmdCheckOut->click();  // refused before the question
        EXPECT_EQ(messages().texts(), QStringList({c.refusal}));
        EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
        EXPECT_EQ(storeQuantity(K1), "50");
        EXPECT_EQ(w->VSSell->rows(), 2);
        messages().clear();
    }
}

TEST_F(Counter, AWholeSaleByKeyboard)
{
    gSellRole.IsPrint = true;
    sql("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('" + K1 + "',40,5,'2024-03-01','" +
        gShopNo + "')");
    auto w = open();
    QWidget* const start = w->VSSell;
    start->setFocus();

    QTest::keyClick(start, Qt::Key_F5);
    QTest::keyClicks(w->txtNo, "K-1");
    QTest::keyClick(w->txtNo, Qt::Key_Down);
    enter(w->VSFlexGrid);
    QTest::keyClicks(w->txtQuatity, "2");
    enter(w->txtQuatity);
    QTest::keyClicks(w->txtAbate, "8.5");
    enter(w->txtAbate);
    EXPECT_EQ(w->lbAmount->text(), "144");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    QTest::keyClicks(w->txtReciveAmout, "150");
    EXPECT_EQ(w->lb->text(), "6");
    messages().answerYes();
    enter(w->txtReciveAmout);

    EXPECT_EQ(messages().texts(), QStringList({"确认要结帐吗？"}));
    const jet::RecordSet rs =
        sql("select TypeNo,Price,Abate,Amount,BuyPrice,Seller,DateTime,SellNo,SellerName,State,Money1,Money2 "
            "from Sell order by rowid");
    ASSERT_EQ(rs.recordCount(), 2);
    for (int r = 0; r < 2; ++r) {
        QStringList values;
        for (int c = 0; c < rs.fieldCount(); ++c)
            values << rs.text(r, c);
        EXPECT_EQ(values, QStringList({"K-100", "85", "8.5", "72", "40", gUser.No, "2024-03-05", "202403050001",
                                       gUser.Name, "0", "150", "6"}));
    }
    EXPECT_EQ(storeQuantity(K1), "48");
    EXPECT_EQ(scalar("select Quantity from BuyPrice"), "3");
    EXPECT_EQ(fakes->receipts.printed.size(), 1);
    EXPECT_EQ(w->lbNo->text(), "202403050002");
    EXPECT_TRUE(w->txtNo->hasFocus());
}

TEST_F(Counter, ANumberUsedUpWhileTheSaleWasTakenRefusesTheCheckout)
{
    auto w = open();
    ASSERT_FALSE(w->lbNo->text().isEmpty());
    sql("Insert Into Sell (GUID,ShopNo,SellNo,State) Values('{X}','" + gShopNo + "','202403059999',0)");
    addAtDiscount(*w, "K-100", "1", "全");
    w->txtReciveAmout->setText("100");
    messages().clear();
    messages().answerYes();
    w->cmdCheckOut->click();
    EXPECT_EQ(messages().texts(),
              QStringList({"确认要结帐吗？", "今天的销售编号已经用到9999，不能再结帐！", "结帐失败，本次销售没有保存！"}));
    EXPECT_EQ(storeQuantity(K1), "50");
    EXPECT_EQ(w->VSSell->rows(), 2);
}

TEST_F(Counter, AnUnreadableDatabaseGivesNoSaleNumber)
{
    sql("drop table Sell");
    sales::SellNoStatus status = sales::SellNoStatus::Ok;
    EXPECT_EQ(sales::GetNextSellNo(&status), "");
    EXPECT_EQ(status, sales::SellNoStatus::Unreadable);
    ASSERT_EQ(messages().shown().size(), 2) << "the engine's words, then the counter's";
    EXPECT_EQ(messages().last().text, "读取数据库出现异常！请检查网络，重新启动程序");
    EXPECT_EQ(messages().last().title, "提示");
    EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
}
