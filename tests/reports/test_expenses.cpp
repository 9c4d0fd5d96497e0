// The expenses outside the trade: recorded one at a time, listed for a span of
// days with their total, deleted one at a time.
#include "core/frmdatadictionary.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "reports/frmotherout.h"
#include "reports/frmotheroutquery.h"
#include "support/purchases.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

class ExpenseEntry : public ShopFixture {
protected:
    // Every expense stored, as "item|amount|day|memo|recorder".
    QStringList stored()
    {
        QStringList out;
        const jet::RecordSet rs = sql("select Item,Amount,DateTime,Memo,OptName from OtherOut order by rowid");
        for (int r = 0; r < rs.recordCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < rs.fieldCount(); ++c)
                cells << rs.text(r, c);
            out << cells.join('|');
        }
        return out;
    }
};

}  // namespace

TEST_F(ExpenseEntry, OpensWithTheItemsAndToday)
{
    frmOtherOut w;
    EXPECT_EQ(w.windowTitle(), "其他支出");
    EXPECT_EQ(w.cmdQuery->text(), "确 定(&O)");
    EXPECT_EQ(w.cmdColour->text(), "…");
    EXPECT_EQ(w.comItem->count(), 5);
    EXPECT_EQ(w.comItem->currentText(), "房租");
    EXPECT_EQ(w.DT->date(), QDate(2024, 3, 5));
    EXPECT_TRUE(w.txtAmount->text().isEmpty());
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(ExpenseEntry, AmountsAreCheckedThenSavedAsTheNumbersTheyRead)
{
    frmOtherOut w;
    w.DT->setDate(QDate(2024, 3, 2));
    const struct {
        const char* typed;
        const char* message;
        const char* stored;  // the amount stored, nullptr when refused
    } cases[] = {
        {"0", "保存成功！", "0"},
        {"-1", "不能作弊", nullptr},
        {"abc", "请按规矩办事！", nullptr},
        {"", "请按规矩办事！", nullptr},
        {"1e39", "请按规矩办事！", nullptr},  // beyond single precision
        {"-0", "保存成功！", "0"},
        {" 1280.5 ", "保存成功！", "1280.5"},
        {"0.1", "保存成功！", "0.1"},
    };
    int saved = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        messages().clear();
        w.txtAmount->setText(c.typed);
        w.txtMemo->setText("note");
        w.cmdQuery->click();
        ASSERT_EQ(messages().texts(), QStringList({c.message}));
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(messages().last().title, ui::appTitle());
        if (c.stored) {
            ++saved;
            EXPECT_EQ(stored().value(saved - 1), QString("房租|%1|2024-03-02|note|管理员").arg(c.stored));
            EXPECT_TRUE(w.txtAmount->text().isEmpty());
            EXPECT_TRUE(w.txtMemo->text().isEmpty());
        } else {
            EXPECT_EQ(w.txtAmount->text(), c.typed);
            EXPECT_EQ(w.txtMemo->text(), "note");
        }
        EXPECT_EQ(stored().size(), saved);
        // The item and the day stay for the next entry.
        EXPECT_EQ(w.comItem->currentText(), "房租");
        EXPECT_EQ(w.DT->date(), QDate(2024, 3, 2));
    }
}

TEST_F(ExpenseEntry, QuotesInEveryTextAreKept)
{
    gShopName = "Ann's 鞋店";
    gUser.Name = "O'Neil";
    frmOtherOut w;
    w.comItem->setEditText("Bob's 运费");
    w.txtAmount->setText("35");
    w.txtMemo->setText("'quoted' memo");
    w.cmdQuery->click();
    EXPECT_EQ(messages().texts(), QStringList({"保存成功！"}));
    const jet::RecordSet rs = sql("select * from OtherOut");
    ASSERT_EQ(rs.recordCount(), 1);
    QStringList row;
    for (int c = 1; c < rs.fieldCount(); ++c)
        row << rs.text(0, c);
    EXPECT_EQ(row, QStringList({gShopNo, "Ann's 鞋店", "Bob's 运费", "35", "2024-03-05", "'quoted' memo", "O'Neil"}));
    EXPECT_EQ(rs.text(0, 0).size(), 38);
    EXPECT_TRUE(rs.text(0, 0).startsWith('{'));
}

TEST_F(ExpenseEntry, AFailedSaveSaysNothingMoreAndKeepsTheEntry)
{
    failWrites("OtherOut", "INSERT");
    frmOtherOut w;
    w.txtAmount->setText("200");
    w.txtMemo->setText("水费");
    w.cmdQuery->click();
    EXPECT_EQ(messages().texts(), QStringList({"OtherOut cannot be written"}));
    EXPECT_EQ(w.txtAmount->text(), "200");
    EXPECT_EQ(w.txtMemo->text(), "水费");
    EXPECT_EQ(scalar("select count(*) from OtherOut"), "0");
}

TEST_F(ExpenseEntry, EnterMovesOnAndTheListButtonRefillsTheItems)
{
    frmOtherOut w;
    staff::showActive(&w);
    w.comItem->setFocus();
    for (QWidget* next : QList<QWidget*>{w.txtAmount, w.DT, w.txtMemo, w.cmdQuery}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }

    QString caption;
    fakes->modal.on<frmDataDictionary>([&](frmDataDictionary* d) {
        caption = d->windowTitle();
        d->txtItem->setText("保洁费");
        d->cmdAdd->click();
        return int(QDialog::Accepted);
    });
    w.cmdColour->click();
    EXPECT_EQ(caption, "数据字典--其他支出项目");
    EXPECT_EQ(w.comItem->count(), 6);
    EXPECT_EQ(w.comItem->itemText(5), "保洁费");
}

namespace {

class ExpenseQuery : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        expense("{E1}", "房租", "3000", "2024-03-01");
        expense("{E2}", "水电费", "120.5", "2024-03-05");
        expense("{E3}", "工资", "2000", "2024-03-03");
        expense("{E4}", "运费", "15", "2024-02-29");  // before the span
        expense("{E5}", "杂费", "9", "2024-03-06");   // after it
        expense("{E6}", "房租", "5000", "2024-03-03", "{OTHER-SHOP}");
    }
    void expense(const QString& key, const QString& item, const QString& amount, const QString& day,
                 const QString& shop = QString())
    {
        sql("Insert Into OtherOut values('" + key + "','" + (shop.isEmpty() ? gShopNo : shop) + "','我的店铺','" +
            item + "'," + amount + ",'" + day + "','memo " + key + "','管理员')");
    }
    // Each row as "fixed column|GUID|项目|金额|日期".
    static QStringList lines(const FlexGrid& g)
    {
        QStringList out;
        for (int r = 1; r < g.rows(); ++r)
            out << g.textMatrix(r, 0) + '|' + g.text(r, "GUID") + '|' + g.text(r, "支出项目") + '|' +
                       g.text(r, "金额") + '|' + g.text(r, "日期");
        return out;
    }
    static void span(frmOtherOutQuery& w, QDate from, QDate to)
    {
        w.DTBeginTime->setDate(from);
        w.DTEndTime->setDate(to);
        w.cmdQuery->click();
    }
};

}  // namespace

TEST_F(ExpenseQuery, ListsTheSpanWithItsTotalAbove)
{
    frmOtherOutQuery w;
    EXPECT_EQ(w.windowTitle(), "其他指出查询");
    EXPECT_EQ(w.cmdQuery->text(), "查 询(&Q)");
    EXPECT_EQ(w.cmdDel->text(), "删 除(&D)");
    EXPECT_EQ(w.DTBeginTime->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.DTEndTime->date(), QDate(2024, 3, 5));
    const FlexGrid& g = *w.VSSell;
    auto captionsOnly = [&] {
        EXPECT_EQ(g.rows(), 1);
        QStringList captions;
        for (int c = 1; c < g.cols(); ++c)
            captions << g.textMatrix(0, c);
        EXPECT_EQ(captions, QStringList({"GUID", "支出项目", "金额", "日期", "记录员", "备注"}));
        EXPECT_TRUE(g.colHidden(1));
        EXPECT_EQ(g.colWidth(0), 200);
        for (int c = 1; c < g.cols(); ++c)
            EXPECT_EQ(g.colWidth(c), 2020) << c;
    };
    captionsOnly();

    span(w, QDate(2024, 3, 1), QDate(2024, 3, 5));
    EXPECT_EQ(lines(g), QStringList({"总合计|||5120.5|", "|{E1}|房租|3000|2024-03-01", "|{E3}|工资|2000|2024-03-03",
                                     "|{E2}|水电费|120.5|2024-03-05"}))
        << "both end days in, this shop only, by day";
    EXPECT_TRUE(g.isSubtotal(1));
    EXPECT_TRUE(g.colHidden(1));
    EXPECT_EQ(g.text(2, "记录员"), "管理员");
    EXPECT_EQ(g.text(2, "备注"), "memo {E1}");

    span(w, QDate(2024, 3, 6), QDate(2024, 3, 6));
    EXPECT_EQ(lines(g), QStringList({"总合计|||9|", "|{E5}|杂费|9|2024-03-06"}));

    // Nothing in the span, or the span backwards: the captions only, no total.
    span(w, QDate(2024, 1, 1), QDate(2024, 1, 31));
    captionsOnly();
    span(w, QDate(2024, 3, 5), QDate(2024, 3, 1));
    captionsOnly();
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(ExpenseQuery, DeleteTakesTheCurrentEntryButNeverTheTotal)
{
    frmOtherOutQuery w;
    FlexGrid& g = *w.VSSell;
    w.cmdDel->click();  // nothing listed
    EXPECT_EQ(scalar("select count(*) from OtherOut"), "6");

    span(w, QDate(2024, 3, 1), QDate(2024, 3, 5));
    ASSERT_TRUE(g.setRow(1));
    w.cmdDel->click();
    EXPECT_EQ(g.rows(), 5) << "the 总合计 row stays";
    EXPECT_EQ(scalar("select count(*) from OtherOut"), "6");

    ASSERT_TRUE(g.setRow(3));
    w.cmdDel->click();
    EXPECT_EQ(lines(g), QStringList({"总合计|||5120.5|", "|{E1}|房租|3000|2024-03-01", "|{E2}|水电费|120.5|2024-03-05"}))
        << "the total keeps the old sum until the next query";
    EXPECT_EQ(scalar("select count(*) from OtherOut Where GUID='{E3}'"), "0");
    EXPECT_EQ(scalar("select count(*) from OtherOut"), "5");
    w.cmdQuery->click();
    EXPECT_EQ(lines(g).value(0), "总合计|||3120.5|");
    EXPECT_TRUE(messages().shown().isEmpty());

    // A delete the engine refuses keeps the row.
    failWrites("OtherOut", "DELETE");
    ASSERT_TRUE(g.setRow(2));
    w.cmdDel->click();
    EXPECT_EQ(messages().texts(), QStringList({"OtherOut cannot be written"}));
    EXPECT_EQ(g.rows(), 4);
    EXPECT_EQ(scalar("select count(*) from OtherOut"), "5");
}
