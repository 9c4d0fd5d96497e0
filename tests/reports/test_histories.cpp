// The histories of exchanges and returns, of factory returns and of voids, over
// rows written as the counter and the after-sales windows write them.
#include "afterrows.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "reports/frmbackchangequery.h"
#include "reports/frmbackfactoryquery.h"
#include "reports/frmblankoutquery.h"
#include "support/shopfixture.h"

#include <QDateEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>

using afterrows::Goods;

namespace {

QStringList captions(const FlexGrid& g)
{
    QStringList out;
    for (int c = 1; c < g.cols(); ++c)
        out << g.textMatrix(0, c);
    return out;
}

QStringList historyCaptions(const char* date, const char* reason)
{
    return {"货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "数量", "零售价", "折扣",
            "应收金额", "销售员", "销售日期", date, reason};
}

// Each row as "货号|应收金额|销售日期|<day>|<reason>", sorted: the lists come
// in no order of their own.
QStringList lines(const FlexGrid& g, const char* day, const char* reason)
{
    QStringList out;
    for (int r = 1; r < g.rows(); ++r)
        out << QStringList({g.text(r, "货号"), g.text(r, "应收金额"), g.text(r, "销售日期"), g.text(r, day),
                            g.text(r, reason)})
                   .join('|');
    out.sort();
    return out;
}

void checkLayout(const FlexGrid& g, int width)
{
    EXPECT_EQ(g.colWidth(0), 200);
    for (int c = 1; c < g.cols(); ++c) {
        EXPECT_EQ(g.colWidth(c), width) << c;
        EXPECT_EQ(g.colAlignment(c), Qt::AlignCenter) << c;
    }
}

Goods goods(const char* typeNo)
{
    Goods g;
    g.TypeNo = QString::fromUtf8(typeNo);
    return g;
}

class Histories : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        // The operator who records the changes is not the seller of the sales.
        gUser.No = "c02";
        gUser.Name = "李店长";
    }
    static QString sold(const char* typeNo, const char* day, float amount, const QString& shop = QString())
    {
        afterrows::Sale s;
        s.goods = goods(typeNo);
        s.Day = QString::fromLatin1(day);
        s.Amount = amount;
        s.Shop = shop;
        return afterrows::sell(s);
    }
};

}  // namespace

TEST_F(Histories, ExchangesAndReturnsEachOnTheirTabWithTheirOwnDays)
{
    using namespace afterrows;
    exchange(sold("A-1", "2024-03-01", 100), goods("A-2"), 120, 70, "2024-03-05");
    exchange(sold("B'1", "2024-03-02", 80), goods("B-2"), 60, 30, "2024-03-04", "颜色不合适");
    giveBack(sold("C-1", "2024-03-03", 90), "2024-03-05");
    giveBack(sold("D-1", "2024-03-01", 50), "2024-03-02", "尺码不合适");
    voidLine(sold("E-1", "2024-03-05", 40), "2024-03-05");
    {
        const QString shop = gShopNo;
        gShopNo = "{OTHER-SHOP}";
        exchange(sold("X-1", "2024-03-05", 10, "{OTHER-SHOP}"), goods("X-2"), 10, 5, "2024-03-05");
        giveBack(sold("X-3", "2024-03-05", 10, "{OTHER-SHOP}"), "2024-03-05");
        gShopNo = shop;
    }

    frmBackChangeQuery w;
    EXPECT_EQ(w.windowTitle(), "客户退换查询");
    ASSERT_EQ(w.TabStrip->count(), 2);
    EXPECT_EQ(w.TabStrip->tabText(0), "调换记录");
    EXPECT_EQ(w.TabStrip->tabText(1), "退货记录");
    EXPECT_EQ(w.TabStrip->currentIndex(), 0);
    for (QPushButton* b : w.cmdQuery)
        EXPECT_EQ(b->text(), "查 询(&Q)");
    for (QDateEdit* d : {w.DTBeginTime, w.DTEndTime, w.DTB, w.DTE})
        EXPECT_EQ(d->date(), QDate(2024, 3, 5));

    // Today's exchanges at once, the old goods with what was paid for them.
    const FlexGrid& change = *w.VSChange;
    EXPECT_EQ(captions(change), historyCaptions("调换日期", "调换原因"));
    checkLayout(change, 850);
    EXPECT_EQ(lines(change, "调换日期", "调换原因"), QStringList({"A-1|100|2024-03-01|2024-03-05|尺码不合适"}));
    EXPECT_EQ(change.text(1, "销售员"), "李店长") << "the operator, not the seller";
    EXPECT_EQ(change.text(1, "数量"), "1");
    EXPECT_EQ(change.text(1, "折扣"), "全");

    // The returns tab lists today's returns with its own days.
    w.DTBeginTime->setDate(QDate(2024, 3, 1));
    w.TabStrip->setCurrentIndex(1);
    EXPECT_EQ(w.pages->currentIndex(), 1);
    const FlexGrid& back = *w.VSBack;
    EXPECT_EQ(captions(back), historyCaptions("退货日期", "退货原因"));
    checkLayout(back, 850);
    EXPECT_EQ(lines(back, "退货日期", "退货原因"), QStringList({"C-1|90|2024-03-03|2024-03-05|质量问题"}));

    w.DTB->setDate(QDate(2024, 3, 2));
    w.cmdQuery[1]->click();
    EXPECT_EQ(lines(back, "退货日期", "退货原因"),
              QStringList({"C-1|90|2024-03-03|2024-03-05|质量问题", "D-1|50|2024-03-01|2024-03-02|尺码不合适"}))
        << "both end days in";
    EXPECT_EQ(lines(change, "调换日期", "调换原因").size(), 1) << "the other tab's list waits for its own query";

    // Back on the first tab: its list again, with its own (now wider) days.
    w.TabStrip->setCurrentIndex(0);
    EXPECT_EQ(w.pages->currentIndex(), 0);
    EXPECT_EQ(lines(change, "调换日期", "调换原因"),
              QStringList({"A-1|100|2024-03-01|2024-03-05|尺码不合适", "B'1|80|2024-03-02|2024-03-04|颜色不合适"}));
    w.DTEndTime->setDate(QDate(2024, 3, 4));
    w.cmdQuery[0]->click();
    EXPECT_EQ(lines(change, "调换日期", "调换原因"), QStringList({"B'1|80|2024-03-02|2024-03-04|颜色不合适"}));

    // A span with nothing, or backwards: the captions only.
    for (const auto& [from, to] : {std::pair{QDate(2024, 2, 1), QDate(2024, 2, 29)},
                                   std::pair{QDate(2024, 3, 5), QDate(2024, 3, 1)}}) {
        w.DTBeginTime->setDate(from);
        w.DTEndTime->setDate(to);
        w.cmdQuery[0]->click();
        EXPECT_EQ(change.rows(), 1);
        EXPECT_EQ(captions(change), historyCaptions("调换日期", "调换原因"));
    }
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Histories, APieceExchangedAndThenReturnedIsInBothLists)
{
    using namespace afterrows;
    const QString line = sold("A-1", "2024-03-01", 100);
    exchange(line, goods("A-2"), 120, 70, "2024-03-03");
    giveBack(line, "2024-03-05");

    frmBackChangeQuery w;
    for (QDateEdit* d : {w.DTBeginTime, w.DTB})
        d->setDate(QDate(2024, 3, 1));
    w.cmdQuery[0]->click();
    w.cmdQuery[1]->click();
    EXPECT_EQ(lines(*w.VSChange, "调换日期", "调换原因"), QStringList({"A-1|100|2024-03-01|2024-03-03|尺码不合适"}));
    EXPECT_EQ(lines(*w.VSBack, "退货日期", "退货原因"), QStringList({"A-2|120|2024-03-01|2024-03-05|质量问题"}))
        << "the return is of the replacement";
}

TEST_F(Histories, FactoryReturnsWithATotalPerGoodsNumber)
{
    using namespace afterrows;
    const qint64 b1 = setAside(goods("B-2"), 2, 80);
    const qint64 a1 = setAside(goods("A-1"), 1, 40.5f);
    const qint64 a2 = setAside(goods("A-1"), 3, 120);
    const qint64 c1 = setAside(goods("C-3"), 1, 55);
    const qint64 d1 = setAside(goods("D-4"), 1, 20);
    setAside(goods("A-1"), 5, 200);  // still in problem stock
    const qint64 x1 = setAside(goods("A-1"), 1, 40, "{OTHER-SHOP}");
    toFactory({a1, b1, a2}, 6, "300", "2024-03-05");  // amount typed, not the cost
    toFactory({c1}, 1, "50", "2024-03-01");
    toFactory({d1}, 1, "20", "2024-02-29");
    toFactory({x1}, 1, "40", "2024-03-05", "{OTHER-SHOP}");
    // A row still in problem stock, whatever day it carries, is not a return.
    const qint64 pending = setAside(goods("A-1"), 9, 360);
    sql("Update BackStore Set BackFactoryDate='2024-03-05' Where ID=" + QString::number(pending));

    frmBackFactoryQuery w;
    EXPECT_EQ(w.windowTitle(), "厂家退货查询");
    ASSERT_EQ(w.TabStrip->count(), 1);
    EXPECT_EQ(w.TabStrip->tabText(0), "厂家退货明细查询");
    EXPECT_EQ(w.cmdQuery->text(), "查 询(&Q)");
    EXPECT_EQ(w.DTBeginTime->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.DTEndTime->date(), QDate(2024, 3, 5));
    const FlexGrid& g = *w.VSFlexGrid;
    EXPECT_EQ(captions(g), QStringList({"货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "数量",
                                        "退货金额", "退货日期"}));
    checkLayout(g, 1100);
    auto rows = [&] {
        QStringList out;
        for (int r = 1; r < g.rows(); ++r)
            out << QStringList({g.text(r, "货号"), g.text(r, "数量"), g.text(r, "退货金额"), g.text(r, "退货日期")})
                       .join('|');
        return out;
    };
    // Today's, in goods-number order: both rows of A-1 under one 合计 of their
    // pieces and their cost.
    EXPECT_EQ(rows(), QStringList({"A-1|1|40.5|2024-03-05", "A-1|3|120|2024-03-05", "合计|4|160.5|",
                                   "B-2|2|80|2024-03-05", "合计|2|80|"}));
    for (int r : {3, 5})
        EXPECT_TRUE(g.isSubtotal(r)) << r;
    EXPECT_FALSE(g.isSubtotal(1));

    w.DTBeginTime->setDate(QDate(2024, 3, 1));
    w.DTEndTime->setDate(QDate(2024, 3, 4));
    w.cmdQuery->click();
    EXPECT_EQ(rows(), QStringList({"C-3|1|55|2024-03-01", "合计|1|55|"})) << "the first day in";

    w.DTEndTime->setDate(QDate(2024, 2, 28));
    w.cmdQuery->click();
    EXPECT_EQ(g.rows(), 1) << "nothing, no total";
    EXPECT_EQ(captions(g).size(), 11);
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Histories, VoidsOfTheSpan)
{
    using namespace afterrows;
    voidLine(sold("A-1", "2024-03-05", 85), "2024-03-05");
    voidLine(sold("B-1", "2024-03-01", 60), "2024-03-02", "顾客取消购买");
    giveBack(sold("C-1", "2024-03-05", 90), "2024-03-05");
    exchange(sold("D-1", "2024-03-05", 90), goods("D-2"), 90, 50, "2024-03-05");

    frmBlankOutQuery w;
    EXPECT_EQ(w.windowTitle(), "销售作废查询");
    ASSERT_EQ(w.TabStrip->count(), 1);
    EXPECT_EQ(w.TabStrip->tabText(0), "销售作废");
    EXPECT_EQ(w.DTBlankOutB->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.DTBlankOutE->date(), QDate(2024, 3, 5));
    const FlexGrid& g = *w.VSBlankOut;
    EXPECT_EQ(captions(g), historyCaptions("作废日期", "作废原因"));
    checkLayout(g, 850);
    EXPECT_EQ(lines(g, "作废日期", "作废原因"), QStringList({"A-1|85|2024-03-05|2024-03-05|录入错误"}));
    EXPECT_EQ(g.text(1, "销售员"), "李店长");

    w.DTBlankOutB->setDate(QDate(2024, 3, 2));
    w.cmdQuery->click();
    EXPECT_EQ(lines(g, "作废日期", "作废原因"),
              QStringList({"A-1|85|2024-03-05|2024-03-05|录入错误", "B-1|60|2024-03-01|2024-03-02|顾客取消购买"}));
    w.DTBlankOutB->setDate(QDate(2024, 3, 3));
    w.DTBlankOutE->setDate(QDate(2024, 3, 4));
    w.cmdQuery->click();
    EXPECT_EQ(g.rows(), 1);
    EXPECT_TRUE(messages().shown().isEmpty());
}
