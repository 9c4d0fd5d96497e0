// The shop rules dialog: what it shows, what it stores and what it holds.
#include "core/frmsellrole.h"
#include "core/modmain.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <functional>

namespace {

using Rules = QMap<QString, QString>;

// The rules as column name -> value text, from the three places they live.
Rules held(const clsSellRole& r)
{
    auto b = [](bool v) { return QString(v ? "1" : "0"); };
    auto n = [](int v) { return QString::number(v); };
    return {{"SellOrder", n(r.SellOrder)},
            {"BackDays", n(r.BackDays)},
            {"AbateCannotBack", b(r.AbateCanNotBack)},
            {"SpecialCannotBack", b(r.SpecialCanNotBack)},
            {"ChangeDays", n(r.ChangeDays)},
            {"AbateCannotChange", b(r.AbateCanNotChange)},
            {"SpecialCannotChange", b(r.SpecialCanNotChange)},
            {"SameTypeChange", b(r.SameTypeChange)},
            {"DearGoodsChange", b(r.DearGoodsChange)},
            {"ChangeOneTime", b(r.ChangeOneTime)},
            {"ChangNotToBack", b(r.ChangNotToBack)},
            {"IsPrint", b(r.IsPrint)},
            {"PrinterType", n(r.PrinterType)}};
}

Rules shown(const frmSellRole& w)
{
    auto b = [](const QCheckBox* c) { return QString(c->isChecked() ? "1" : "0"); };
    EXPECT_NE(w.OptA->isChecked(), w.OptB->isChecked());
    EXPECT_NE(w.optBig->isChecked(), w.optSmall->isChecked());
    return {{"SellOrder", w.OptB->isChecked() ? "1" : "0"},
            {"BackDays", w.txtBackdays->text()},
            {"AbateCannotBack", b(w.chkBackAbate)},
            {"SpecialCannotBack", b(w.chkBackSpecial)},
            {"ChangeDays", w.txtChangeDays->text()},
            {"AbateCannotChange", b(w.chkChangeAbate)},
            {"SpecialCannotChange", b(w.chkChangeSpecial)},
            {"SameTypeChange", b(w.chkSameType)},
            {"DearGoodsChange", b(w.chkHightPrice)},
            {"ChangeOneTime", b(w.chkIsMany)},
            {"ChangNotToBack", b(w.chkChangeNotToBack)},
            {"IsPrint", b(w.chkIsPrint)},
            {"PrinterType", w.optSmall->isChecked() ? "1" : "0"}};
}

class SellRoleDialog : public ShopFixture {
protected:
    // The shop's row as stored, Yes/No read back as 1/0.
    Rules stored()
    {
        jet::RecordSet rs = sql("select * from SellRole Where ShopNo='" + schema::kShopKey + "'");
        Rules r;
        EXPECT_FALSE(rs.eof());
        for (int c = 0; !rs.eof() && c < rs.fieldCount(); ++c)
            if (rs.fieldName(c) != "ShopNo")
                r[rs.fieldName(c)] = rs.text(0, c) == "-1" ? "1" : rs.text(0, c);
        return r;
    }
    // What a fresh login would load.
    Rules reloaded()
    {
        clsSellRole fresh;
        fresh.Initial(schema::kShopKey);
        return held(fresh);
    }
};

}  // namespace

TEST_F(SellRoleDialog, TabsCaptionsAndWhereEachRuleSits)
{
    frmSellRole w;
    EXPECT_EQ(w.windowTitle(), "系统设置");
    QStringList tabs;
    for (int i = 0; i < w.SSTab->count(); ++i)
        tabs << w.SSTab->tabText(i);
    EXPECT_EQ(tabs, QStringList({"出货规则", "退货规则", "调换规则", "打印设置"}));
    EXPECT_EQ(w.cmdSetting->text(), "确 定(&O)");
    const struct {
        QWidget* control;
        int tab;
        const char* caption;
    } controls[] = {
        {w.OptA, 0, "先进先出"},
        {w.OptB, 0, "后进先出"},
        {w.txtBackdays, 1, ""},
        {w.chkBackAbate, 1, "  折扣商品不可以退货"},
        {w.chkBackSpecial, 1, "  特价商品不可以退货"},
        {w.chkChangeNotToBack, 1, "  调换过的商品不可以退货"},  // a return rule, on the return tab
        {w.txtChangeDays, 2, ""},
        {w.chkChangeAbate, 2, "  折扣商品不可以调换"},
        {w.chkChangeSpecial, 2, "  特价商品不可以调换"},
        {w.chkSameType, 2, "  仅可以调换同类型商品"},
        {w.chkHightPrice, 2, "  仅可以调换等价格商品或者价格高的商品"},
        {w.chkIsMany, 2, "  不可以调换多次"},
        {w.chkIsPrint, 3, "是否对结算单据进行打印"},
        {w.optBig, 3, "针式打印机"},
        {w.optSmall, 3, "Pos小票打印机"},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.control->objectName().toStdString());
        EXPECT_TRUE(w.SSTab->widget(c.tab)->isAncestorOf(c.control));
        if (auto* b = qobject_cast<QAbstractButton*>(c.control)) {
            EXPECT_EQ(b->text(), c.caption);
        }
    }
}

// Each rule changed on its own lands in its own column and field, and nowhere
// else; reopened, the dialog shows what is held.
TEST_F(SellRoleDialog, EachRuleRoundTripsOnItsOwn)
{
    const Rules delivered = stored();
    ASSERT_EQ(held(gSellRole), delivered);
    const struct {
        const char* column;
        const char* value;
        std::function<void(frmSellRole&)> change;
    } cases[] = {
        {"SellOrder", "1", [](frmSellRole& w) { w.OptB->setChecked(true); }},
        {"BackDays", "7", [](frmSellRole& w) { w.txtBackdays->setText("007"); }},
        {"AbateCannotBack", "1", [](frmSellRole& w) { w.chkBackAbate->setChecked(true); }},
        {"SpecialCannotBack", "1", [](frmSellRole& w) { w.chkBackSpecial->setChecked(true); }},
        {"ChangeDays", "30", [](frmSellRole& w) { w.txtChangeDays->setText("30"); }},
        {"AbateCannotChange", "1", [](frmSellRole& w) { w.chkChangeAbate->setChecked(true); }},
        {"SpecialCannotChange", "1", [](frmSellRole& w) { w.chkChangeSpecial->setChecked(true); }},
        {"SameTypeChange", "1", [](frmSellRole& w) { w.chkSameType->setChecked(true); }},
        {"DearGoodsChange", "1", [](frmSellRole& w) { w.chkHightPrice->setChecked(true); }},
        {"ChangeOneTime", "1", [](frmSellRole& w) { w.chkIsMany->setChecked(true); }},
        {"ChangNotToBack", "1", [](frmSellRole& w) { w.chkChangeNotToBack->setChecked(true); }},
        {"IsPrint", "1", [](frmSellRole& w) { w.chkIsPrint->setChecked(true); }},
        {"PrinterType", "1", [](frmSellRole& w) { w.optSmall->setChecked(true); }},
        // and back again
        {"SellOrder", "0", [](frmSellRole& w) { w.OptA->setChecked(true); }},
        {"BackDays", "0", [](frmSellRole& w) { w.txtBackdays->clear(); }},  // empty: no limit
        {"ChangNotToBack", "0", [](frmSellRole& w) { w.chkChangeNotToBack->setChecked(false); }},
        {"PrinterType", "0", [](frmSellRole& w) { w.optBig->setChecked(true); }},
    };
    Rules expected = delivered;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.column) + "=" + c.value);
        frmSellRole w;
        EXPECT_EQ(shown(w), expected) << "reopened, the dialog shows the rules held";
        c.change(w);
        messages().clear();
        w.cmdSetting->click();
        ASSERT_EQ(messages().shown().size(), 1);
        EXPECT_EQ(messages().last().text, "设置成功！");
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(messages().last().title, ui::appTitle());
        expected[c.column] = c.value;
        EXPECT_EQ(stored(), expected);
        EXPECT_EQ(held(gSellRole), expected);
        EXPECT_EQ(reloaded(), expected);
        EXPECT_EQ(gSellRole.ShopNo, schema::kShopKey);
    }
}

TEST_F(SellRoleDialog, DayBoxesTakeDigitsOnlyAndKeepTheWholeNumber)
{
    const struct {
        const char* typed;
        const char* box;
        const char* number;
    } cases[] = {
        {"", "", "0"},
        {"007", "007", "7"},
        {"0", "0", "0"},
        {"9999", "9999", "9999"},
        {"123456", "123456", "123456"},
        {"2147483647", "2147483647", "2147483647"},  // the most the rules hold
        {"1a-2 3", "123", "123"},
    };
    frmSellRole w;
    staff::showActive(&w);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        for (QLineEdit* box : {w.txtBackdays, w.txtChangeDays}) {
            box->clear();
            box->setFocus();
            QTest::keyClicks(box, c.typed);
            EXPECT_EQ(box->text(), c.box);
        }
        w.cmdSetting->click();
        EXPECT_EQ(stored()["BackDays"], c.number);
        EXPECT_EQ(stored()["ChangeDays"], c.number);
        EXPECT_EQ(QString::number(gSellRole.BackDays), c.number);
        EXPECT_EQ(QString::number(gSellRole.ChangeDays), c.number);
    }
}

// A stored limit shows whole, and a save without a change writes it back as it
// was, however many digits it has.
TEST_F(SellRoleDialog, AStoredDayLimitShowsWholeAndAPlainSaveKeepsIt)
{
    sql("Update SellRole Set BackDays=30000,ChangeDays=1234567 Where ShopNo='" + schema::kShopKey + "'");
    gSellRole.Initial(schema::kShopKey);
    frmSellRole w;
    EXPECT_EQ(w.txtBackdays->text(), "30000");
    EXPECT_EQ(w.txtChangeDays->text(), "1234567");
    for (const QLineEdit* box : {w.txtBackdays, w.txtChangeDays})
        EXPECT_GT(box->width(), box->fontMetrics().horizontalAdvance("2147483647")) << "wide enough for any limit";
    w.cmdSetting->click();
    EXPECT_EQ(messages().texts(), QStringList({"设置成功！"}));
    EXPECT_EQ(stored()["BackDays"], "30000");
    EXPECT_EQ(stored()["ChangeDays"], "1234567");
    EXPECT_EQ(reloaded(), stored());
}

// A number beyond what the rules hold is refused before anything is written;
// the clerk is taken to the box, with what was typed, to mend it.
TEST_F(SellRoleDialog, ADayNumberTheRulesCannotHoldIsRefused)
{
    const struct {
        QLineEdit* frmSellRole::*box;
        int tab;
        const char* message;
    } cases[] = {
        {&frmSellRole::txtBackdays, 1, "退货天数最多为2147483647天，请重新输入！"},
        {&frmSellRole::txtChangeDays, 2, "调换天数最多为2147483647天，请重新输入！"},
    };
    const Rules before = stored();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        messages().clear();
        frmSellRole w;
        staff::showActive(&w);
        w.chkIsPrint->setChecked(true);
        QLineEdit* box = w.*c.box;
        box->setText("2147483648");
        w.cmdSetting->click();
        ASSERT_EQ(messages().shown().size(), 1);
        EXPECT_EQ(messages().last().text, c.message);
        EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
        EXPECT_EQ(messages().last().title, "提示");
        EXPECT_EQ(stored(), before);
        EXPECT_EQ(held(gSellRole), before);
        EXPECT_EQ(w.SSTab->currentIndex(), c.tab);
        EXPECT_TRUE(box->hasFocus());
        EXPECT_EQ(box->text(), "2147483648");
    }
}

TEST_F(SellRoleDialog, ADayTabPutsTheFocusInItsBoxAllSelected)
{
    gSellRole.BackDays = 15;
    gSellRole.ChangeDays = 3;
    frmSellRole w;
    staff::showActive(&w);
    const struct {
        int tab;
        QLineEdit* box;  // nullptr: the focus stays where it was
    } cases[] = {{1, w.txtBackdays}, {0, nullptr}, {2, w.txtChangeDays}, {3, nullptr}, {1, w.txtBackdays}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab);
        w.cmdSetting->setFocus();
        w.SSTab->setCurrentIndex(c.tab);
        if (c.box) {
            EXPECT_TRUE(c.box->hasFocus());
            EXPECT_EQ(c.box->selectedText(), c.box->text());
        } else {
            EXPECT_FALSE(w.txtBackdays->hasFocus());
            EXPECT_FALSE(w.txtChangeDays->hasFocus());
        }
    }
}

// A failed update leaves the rules in memory as in the table and says no success;
// the dialog keeps what was set for another try.
TEST_F(SellRoleDialog, AFailedSaveChangesNothing)
{
    const Rules before = held(gSellRole);
    frmSellRole w;
    w.OptB->setChecked(true);
    w.txtBackdays->setText("5");
    w.chkIsPrint->setChecked(true);
    const Rules typed = shown(w);
    sql("Alter Table SellRole Rename To SellRoleAway");
    w.cmdSetting->click();
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_NE(messages().last().text, "设置成功！");  // the engine's words
    EXPECT_EQ(held(gSellRole), before);
    EXPECT_EQ(shown(w), typed);

    sql("Alter Table SellRoleAway Rename To SellRole");
    messages().clear();
    w.cmdSetting->click();
    EXPECT_EQ(messages().texts(), QStringList({"设置成功！"}));
    EXPECT_EQ(held(gSellRole), typed);
    EXPECT_EQ(stored(), typed);
}
