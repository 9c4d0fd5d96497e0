// The settlement summary over stored settlements of several sellers and days,
// with its "总计" row, and a settlement redone through the daily settlement.
#include "platform/flexgrid.h"
#include "sales/frmamounttotal.h"
#include "sales/frmdayamount.h"
#include "support/soldlines.h"

#include <QAbstractItemModel>
#include <QBrush>
#include <QDateEdit>
#include <QFont>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

class Summary : public SoldLines {
protected:
    // A stored settlement: pieces and amounts sold, returned, exchanged.
    void settled(const QString& seller, const QString& day, const QString& figures, const QString& shop = {})
    {
        const QStringList f = figures.split(',');
        const double due = f[1].toDouble() - f[3].toDouble() + f[5].toDouble();
        sql("Insert Into DayAmount Values('" + gNewGUID.GUID(false) + "'," + figures + "," + QString::number(due) +
            ",'" + seller + "','" + day + "','" + (shop.isEmpty() ? gShopNo : shop) + "','我的店铺')");
    }
    void SetUp() override
    {
        SoldLines::SetUp();
        settled("张售货", "2024-03-01", "10,850,1,85,1,-20");
        settled("李收银", "2024-03-01", "4,300.5,0,0,0,0");
        settled("张售货", "2024-03-02", "6,510,2,170,1,15");
        settled("李收银", "2024-03-02", "1,85,0,0,2,-10");
        // Outside the span or the shop.
        settled("张售货", "2024-02-29", "3,255,0,0,0,0");
        settled("张售货", "2024-03-03", "2,170,0,0,0,0");
        settled("张售货", "2024-03-01", "9,900,0,0,0,0", "{ANOTHER-SHOP}");
    }

    static void query(frmAmountTotal& w, const QDate& from, const QDate& to)
    {
        w.DTBeginTime->setDate(from);
        w.DTEndTime->setDate(to);
        w.cmdQuery->click();
    }
    // The data rows as "销售员|日期|结算金额", sorted: the list comes in no
    // order.
    static QStringList listed(const FlexGrid& g)
    {
        QStringList rows;
        for (int r = 1; r < g.rows(); ++r)
            if (!g.isSubtotal(r))
                rows << g.text(r, "销售员") + '|' + g.text(r, "日期") + '|' + g.text(r, "结算金额");
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    static QStringList rowTexts(const FlexGrid& g, int r)
    {
        QStringList cells;
        for (int c = 0; c < g.cols(); ++c)
            cells << g.textMatrix(r, c);
        return cells;
    }
};

}  // namespace

TEST_F(Summary, OpensOnTodayWithTheCaptionsOfAnEmptyList)
{
    frmAmountTotal w;
    EXPECT_EQ(w.windowTitle(), "结算汇总");
    EXPECT_EQ(w.cmdQuery->text(), "汇总(&H)");
    EXPECT_TRUE(w.lbTitle->text().startsWith("  使用帮助：结算汇总是指对没个售货员"));
    EXPECT_EQ(w.DTBeginTime->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.DTEndTime->date(), QDate(2024, 3, 5));
    const FlexGrid& g = *w.VSAmountTotal;
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(rowTexts(g, 0), QStringList({"", "店面", "销售员", "日期", "售货数量", "售货金额", "退货数量", "退货金额",
                                           "调换数量", "调换金额", "结算金额"}));
    EXPECT_EQ(g.colWidth(0), 200);
    for (int c = 1; c < g.cols(); ++c) {
        EXPECT_EQ(g.colWidth(c), 1200) << c;
        EXPECT_EQ(g.colAlignment(c), Qt::AlignCenter) << c;
    }
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Summary, FourSettlementsAndTheirTotal)
{
    frmAmountTotal w;
    query(w, QDate(2024, 3, 1), QDate(2024, 3, 2));
    const FlexGrid& g = *w.VSAmountTotal;
    ASSERT_EQ(g.rows(), 6);
    EXPECT_EQ(listed(g), QStringList({"张售货|2024-03-01|745", "张售货|2024-03-02|355", "李收银|2024-03-01|300.5",
                                      "李收银|2024-03-02|75"}));
    EXPECT_EQ(g.text(2, "店面"), "我的店铺");

    // One total above the list, over every figure but the shop, seller and day.
    ASSERT_TRUE(g.isSubtotal(1));
    EXPECT_EQ(rowTexts(g, 1), QStringList({"总计", "", "", "", "21", "1745.5", "3", "255", "4", "-15", "1475.5"}));
    const QAbstractItemModel* m = g.model();
    for (const QModelIndex& cell : {m->index(0, g.colIndex("结算金额") - 1), m->index(0, g.colIndex("售货数量") - 1)}) {
        EXPECT_EQ(cell.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        EXPECT_TRUE(cell.data(Qt::FontRole).value<QFont>().bold());
        EXPECT_FALSE(cell.data(Qt::BackgroundRole).isValid());
    }
    EXPECT_EQ(m->headerData(0, Qt::Vertical).toString(), "总计");
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Summary, OneDayOrNone)
{
    frmAmountTotal w;
    query(w, QDate(2024, 3, 2), QDate(2024, 3, 2));
    EXPECT_EQ(listed(*w.VSAmountTotal), QStringList({"张售货|2024-03-02|355", "李收银|2024-03-02|75"}));
    EXPECT_EQ(w.VSAmountTotal->text(1, "结算金额"), "430");

    // A span nobody settled, and one that ends before it begins: no rows and no
    // total.
    for (const auto& [from, to] :
         {std::pair(QDate(2024, 3, 4), QDate(2024, 3, 5)), std::pair(QDate(2024, 3, 2), QDate(2024, 3, 1))}) {
        query(w, from, to);
        EXPECT_EQ(w.VSAmountTotal->rows(), 1);
    }
    EXPECT_EQ(w.VSAmountTotal->cols(), 11);
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Summary, ASettlementRedoneIsListedOnceWithItsLatestFigures)
{
    sold({.SellNo = "202403050001", .Day = "2024-03-05", .Amount = "100"});
    ASSERT_TRUE(gUser.Initial("admin"));
    sql("Update Sell Set Seller='" + gUser.No + "'");
    frmDayAmount day;
    day.cmdCheckOut->click();
    sold({.SellNo = "202403050002", .Day = "2024-03-05", .Amount = "60"});
    sql("Update Sell Set Seller='" + gUser.No + "'");
    day.cmdCheckOut->click();

    frmAmountTotal w;
    w.cmdQuery->click();
    EXPECT_EQ(listed(*w.VSAmountTotal), QStringList({gUser.Name + "|2024-03-05|160"}));
    EXPECT_EQ(w.VSAmountTotal->text(2, "售货数量"), "2");
}

TEST_F(Summary, AFailedQueryKeepsTheList)
{
    frmAmountTotal w;
    query(w, QDate(2024, 3, 1), QDate(2024, 3, 2));
    sql("Alter Table DayAmount Rename To Gone");
    query(w, QDate(2024, 2, 1), QDate(2024, 3, 31));
    EXPECT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(w.VSAmountTotal->rows(), 6);
    EXPECT_EQ(w.VSAmountTotal->text(1, "结算金额"), "1475.5");
}
