// The receipt line correction, driven on a purchase details list as the owner
// does: the window filled from the chosen row, the correction written as a new
// receipt, and what it refuses.
#include "core/modmain.h"
#include "goods/frmedit.h"
#include "goods/receiptremoval.h"
#include "platform/flexgrid.h"
#include "support/purchases.h"
#include "support/shopfixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using purchases::Receipt;

class Edit : public ShopFixture {
protected:
    const QDate day{2024, 3, 1};

    // The purchase details list of the shop, as the query shows it.
    void showDetails(FlexGrid& g)
    {
        g.bind(sql("Select TypeNo as 货号,Name as 种类, Brand as 品牌,[Size] as 尺码,Colour as 颜色,Leather as 面料,"
                   "Grade as 等级,ProductPlace as 产地,Quantity as 数量,Price as 进价 ,Memo as 备注,"
                   "DateTime as 进货日期 ,ParentGUID,GUID from StoreDetail Where ShopNo='" +
                   gShopNo + "'"));
        goods::SumReceiptQuantity(g);
    }
    // Shows the list with the line of the receipt as its current row.
    static void choose(FlexGrid& g, const Receipt& r)
    {
        const int row = g.findRow(r.line, 1, g.colIndex("GUID"));
        ASSERT_GT(row, 0);
        ASSERT_TRUE(g.setRow(row));
    }
    static QStringList rowTexts(const FlexGrid& g, int r)
    {
        QStringList t;
        for (int c = 1; c < g.cols(); ++c)
            t << g.textMatrix(r, c);
        return t;
    }
    // The rows of the list, keys included, and its total rows.
    static QStringList listed(const FlexGrid& g)
    {
        QStringList rows;
        for (int r = 1; r < g.rows(); ++r)
            rows << (g.isSubtotal(r) ? g.textMatrix(r, 0) + ":" + g.text(r, "数量") : rowTexts(g, r).join('|'));
        return rows;
    }
    QString firstRow(const QString& query)
    {
        const jet::RecordSet rs = sql(query);
        QStringList fields;
        for (int c = 0; rs.recordCount() > 0 && c < rs.fieldCount(); ++c)
            fields << rs.text(0, c);
        return fields.join('|');
    }
    int count(const QString& table) { return scalar("select count(*) from " + table).toInt(); }
    // Everything a correction could change, to compare before and after.
    QString state()
    {
        QStringList all;
        for (const char* t : {"Store", "StoreDetail", "BuyPrice", "Sell"}) {
            const jet::RecordSet rs = sql(QString("select * from ") + t + " order by rowid");
            for (int r = 0; r < rs.recordCount(); ++r)
                for (int c = 0; c < rs.fieldCount(); ++c)
                    all << rs.text(r, c);
        }
        return all.join('|');
    }
};

TEST_F(Edit, FillsTheWindowFromTheChosenRow)
{
    goods::ReceiptValues v = purchases::values("K-7", 5, 72.25f, day);
    v.Leather = "pu革";      // the list holds "PU革"
    v.Colour = "藏青";       // not in the list
    v.Size = "xl";           // the list holds "XL"
    v.Memo = "it's";
    const Receipt r = purchases::written(goods::NewStockReceipt(v));
    purchases::receive("K-8", 1, 10, day);
    FlexGrid g;
    showDetails(g);
    choose(g, r);

    frmedit w;
    w.LoadIt(&g);
    EXPECT_EQ(w.windowTitle(), "修改");
    ASSERT_EQ(w.tabEdit->count(), 1);
    EXPECT_EQ(w.tabEdit->tabText(0), "修改信息");
    EXPECT_EQ(w.txtNo->text(), "K-7");
    EXPECT_EQ(w.txtPrice->text(), "72.25");
    EXPECT_EQ(w.txtQuantity->text(), "5");
    EXPECT_EQ(w.txtMemo->text(), "it's");
    EXPECT_EQ(w.DT->date(), day);
    const QList<QPair<QComboBox*, QString>> selected = {
        {w.comName, "男鞋"},  {w.comBrand, "青禾"},   {w.comSize, "XL"},        {w.comColour, ""},
        {w.comLeather, "PU革"}, {w.comGrade, "合格品"}, {w.comProductPlace, "温州"},
    };
    for (const auto& [combo, text] : selected) {
        SCOPED_TRACE(combo->objectName().toStdString());
        EXPECT_EQ(combo->currentText(), text);
        EXPECT_EQ(combo->currentIndex(), text.isEmpty() ? -1 : combo->findText(text));
    }
    EXPECT_GT(w.comColour->count(), 0) << "the list is there, with nothing selected";
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Edit, WritesTheCorrectionAsANewReceipt)
{
    const struct {
        const char* name;
        int restockDays;        // another receipt of 3 shares the stock row, so many days later; -1 none
        float restockPrice;
        int soldFirst;          // pieces of the first receipt sold
        bool restockCorrected;  // the restock's line is corrected, not the first's
        QString oldRow;         // the stock row's quantity afterwards; "" when it is gone
    } cases[] = {
        {"the line holds the whole stock row", -1, 0, 0, false, ""},
        {"another receipt in the stock row", 1, 60, 0, false, "3"},
        // Both batches of the day hold 3; the sale lines name the first one.
        {"a same-day restock, the first receipt sold down to as many pieces", 0, 70, 2, true, "3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sql("delete from Store");
        sql("delete from StoreDetail");
        sql("delete from BuyPrice");
        sql("delete from Sell");
        const Receipt first = purchases::receive("K-100", 5, 70, day);
        sql("Update Store Set Price=129.5 Where GUID='" + first.store + "'");
        const bool shared = c.restockDays >= 0;
        const Receipt restock = shared ? purchases::restock(first, 3, c.restockPrice, day.addDays(c.restockDays))
                                       : Receipt{};
        for (int i = 0; i < c.soldFirst; ++i)
            purchases::sell(first);
        const Receipt& r = c.restockCorrected ? restock : first;
        FlexGrid g;
        showDetails(g);
        choose(g, r);

        frmedit w;
        w.LoadIt(&g);
        w.comBrand->setCurrentText("远帆");
        w.txtPrice->setText("80.5");
        w.txtQuantity->setText("4");
        w.txtMemo->setText("O'Neal");
        w.DT->setDate(QDate(2024, 2, 28));
        w.cmdOk->click();
        EXPECT_TRUE(messages().shown().isEmpty());
        EXPECT_EQ(w.result(), QDialog::Accepted);

        EXPECT_EQ(count("StoreDetail Where GUID='" + r.line + "'"), 0);
        EXPECT_EQ(count("BuyPrice Where ID=" + QString::number(r.batch)), 0);
        EXPECT_EQ(scalar("select Quantity from Store Where GUID='" + first.store + "'"), c.oldRow);
        EXPECT_EQ(count("StoreDetail"), shared ? 2 : 1);
        EXPECT_EQ(count("BuyPrice"), shared ? 2 : 1);
        EXPECT_EQ(count("Sell Where BuyPriceID Not In (select ID from BuyPrice)"), 0) << "a sold batch stays";

        // The new receipt: a stock row of its own at the old retail price,
        // without bar code or shelf.
        const QString line = firstRow("select GUID,ParentGUID from StoreDetail Where Memo='O''Neal'");
        const QString newLine = line.section('|', 0, 0), newStore = line.section('|', 1, 1);
        ASSERT_EQ(newStore.size(), 38);
        EXPECT_NE(newStore, first.store);
        EXPECT_EQ(firstRow("select * from Store Where GUID='" + newStore + "'"),
                  newStore + '|' + gShopNo + "|K-100|男鞋|远帆|40|黑色|真皮|合格品|温州|4|129.5||");
        EXPECT_EQ(firstRow("select Price,Quantity,DateTime,Brand from StoreDetail Where GUID='" + newLine + "'"),
                  "80.5|4|2024-02-28|远帆");
        EXPECT_EQ(firstRow("select Price,Quantity,sDate from BuyPrice Where StoreGUID='" + newStore + "'"),
                  "80.5|4|2024-02-28");

        // The list shows the corrected line in place of the old one, and one total.
        QStringList expected;
        int total = 4;
        if (shared) {
            const Receipt& other = c.restockCorrected ? first : restock;
            const QString quantity = c.restockCorrected ? "5" : "3";
            const QString price = c.restockCorrected ? "70" : QString::number(c.restockPrice);
            const QDate received = c.restockCorrected ? day : day.addDays(c.restockDays);
            expected << "K-100|男鞋|青禾|40|黑色|真皮|合格品|温州|" + quantity + '|' + price + "||" +
                            ui::dayText(received) + '|' + first.store + '|' + other.line;
            total += quantity.toInt();
        }
        expected << "K-100|男鞋|远帆|40|黑色|真皮|合格品|温州|4|80.5|O'Neal|2024-02-28|" + newStore + '|' + newLine
                 << "合计:" + QString::number(total);
        EXPECT_EQ(listed(g), expected);
    }
}

TEST_F(Edit, RefusesASoldBatchAndWrongInput)
{
    const Receipt sold = purchases::receive("K-1", 5, 70, day);
    purchases::sell(sold);
    const Receipt r = purchases::receive("K-2", 5, 70, day);
    FlexGrid g;
    showDetails(g);
    const QString before = state();
    const QStringList shown = listed(g);

    {
        // The sale is looked at first: a wrong input is not even checked.
        choose(g, sold);
        frmedit w;
        w.LoadIt(&g);
        w.comBrand->setCurrentText("");
        w.cmdOk->click();
        EXPECT_EQ(messages().texts(), QStringList({"对不起，这批货已经出售不能再修改！"}));
        EXPECT_EQ(messages().last().title, ui::appTitle());
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_NE(w.result(), QDialog::Accepted);
        messages().clear();
    }

    choose(g, r);
    frmedit w;
    w.LoadIt(&g);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const struct {
        QLineEdit* frmedit::*box;
        QString brand, text, message;
        QWidget* focus;
    } cases[] = {
        {&frmedit::txtNo, "青禾", "", "货号不能为空！", w.txtNo},
        {&frmedit::txtNo, "", "K-2", "品牌不能为空！", w.comBrand},
        {&frmedit::txtPrice, "青禾", "七十", "数据类型不正确！", w.txtPrice},
        {&frmedit::txtQuantity, "青禾", "", "数据类型不正确！", w.txtQuantity},
        {&frmedit::txtQuantity, "青禾", "1e10", "数据类型不正确！", w.txtQuantity},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        w.LoadIt(&g);
        w.comBrand->setCurrentText(c.brand);
        (w.*c.box)->setText(c.text);
        w.cmdOk->setFocus();
        w.cmdOk->click();
        EXPECT_EQ(messages().texts(), QStringList({c.message}));
        EXPECT_EQ(messages().last().title, ui::appTitle());
        EXPECT_TRUE(c.focus->hasFocus());
        EXPECT_EQ((w.*c.box)->text(), c.text);
        EXPECT_TRUE(w.isVisible());
        messages().clear();
    }
    EXPECT_EQ(state(), before);
    EXPECT_EQ(listed(g), shown);
}

TEST_F(Edit, AFailedWriteOrAMissingRowChangesNothing)
{
    const Receipt r = purchases::receive("K-1", 5, 70, day);
    const Receipt gone = purchases::receive("K-2", 2, 70, day);
    FlexGrid g;
    showDetails(g);
    const QString before = state();
    const QStringList shown = listed(g);

    // The batch of the new receipt, the last statement, cannot be written.
    failWrites("BuyPrice", "INSERT");
    choose(g, r);
    frmedit w;
    w.LoadIt(&g);
    w.txtQuantity->setText("4");
    w.cmdOk->click();
    EXPECT_EQ(messages().texts(), QStringList({"BuyPrice cannot be written"}));
    EXPECT_EQ(state(), before);
    EXPECT_EQ(listed(g), shown);
    EXPECT_EQ(w.txtQuantity->text(), "4");
    EXPECT_NE(w.result(), QDialog::Accepted);
    messages().clear();

    // The total row, and a line whose stock row is no more: nothing happens.
    ASSERT_TRUE(g.setRow(g.rows() - 1));
    w.cmdOk->click();
    sql("delete from Store Where GUID='" + gone.store + "'");
    choose(g, gone);
    frmedit other;
    other.LoadIt(&g);
    other.cmdOk->click();
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(listed(g), shown);
    EXPECT_EQ(count("StoreDetail"), 2);
}
