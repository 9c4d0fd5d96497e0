// The sales query and the sales ranking on sale lines of every state, over
// spans of days, with the kind and brand filters, the totals and the figures.
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "reportgrids.h"
#include "reports/frmprint.h"
#include "reports/frmsellgroup.h"
#include "reports/frmsellquery.h"
#include "support/shopfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

namespace {

struct Line {
    const char* typeNo;
    const char* size;
    const char* name;
    const char* brand;
    double amount;
    const char* day;
    int state;
};

class SalesFixture : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        sql("Insert Into DataDictionary (Item,Content) Values('品牌','Levi''s')");
    }

    void sell(const Line& l, const QString& shop = QString())
    {
        static int n = 0;
        const QString day = QString::fromLatin1(l.day);
        sql("Insert Into Sell Values('" + gNewGUID.GUID(false) + "','{S}','" + (shop.isEmpty() ? gShopNo : shop) +
            "'," + core::SqlQuote(QString::fromUtf8(l.typeNo)) + ",'" + QString::fromUtf8(l.name) + "'," +
            core::SqlQuote(QString::fromUtf8(l.brand)) + ",'" + l.size +
            "','黑色','真皮','一等品','广州',1,100,'8.5'," + QString::number(l.amount) + ",60,'admin','" + day + "','" +
            QString(day).remove('-') + QString::number(++n).rightJustified(4, '0') + "',1,'管理员'," +
            QString::number(l.state) + ",0,0)");
    }

    static void choose(QComboBox* combo, const QString& entry)
    {
        const int i = combo->findText(entry);
        ASSERT_GE(i, 0) << entry.toStdString();
        combo->setCurrentIndex(i);
    }
    static QStringList captions(const FlexGrid& g)
    {
        QStringList out;
        for (int c = 1; c < g.cols(); ++c)
            out << g.textMatrix(0, c);
        return out;
    }
    // Each row as "fixed column|货号|数量|实收金额".
    static QStringList lines(const FlexGrid& g)
    {
        QStringList out;
        for (int r = 1; r < g.rows(); ++r)
            out << g.textMatrix(r, 0) + '|' + g.text(r, "货号") + '|' + g.text(r, "数量") + '|' +
                       g.text(r, "实收金额");
        return out;
    }
};

class SalesQuery : public SalesFixture {
protected:
    void SetUp() override
    {
        SalesFixture::SetUp();
        for (const Line& l : std::initializer_list<Line>{
                 {"A1-01", "41", "男鞋", "青禾", 100, "2024-03-05", 0},  // on the end day
                 {"A1-01", "40", "男鞋", "青禾", 85, "2024-03-01", 0},   // on the first day
                 {"A1-01", "41", "男鞋", "青禾", 100, "2024-03-04", 2},  // returned
                 {"A1-01", "40", "男鞋", "青禾", 85, "2024-03-03", 1},   // exchanged: still counts
                 {"A1-01", "40", "男鞋", "青禾", 85, "2024-03-02", 3},   // voided
                 {"B-02", "37", "女鞋", "远帆", 120, "2024-03-02", 0},
                 {"C'3", "M", "裤子", "Levi's", 150, "2024-03-04", 0},
                 {"A1-01", "40", "男鞋", "青禾", 85, "2024-02-29", 0},  // the day before
                 {"A1-01", "40", "男鞋", "青禾", 85, "2024-03-06", 0},  // the day after
             })
            sell(l);
        sell({"A1-01", "40", "男鞋", "青禾", 85, "2024-03-03", 0}, "{OTHER-SHOP}");
    }

    static void span(frmSellQuery& w, QDate from, QDate to)
    {
        w.DTBeginTime->setDate(from);
        w.DTEndTime->setDate(to);
    }
};

}  // namespace

TEST_F(SalesQuery, OpensOnTodayWithTheCaptionsOfAnEmptyList)
{
    frmSellQuery w;
    EXPECT_EQ(w.windowTitle(), "售货查询");
    EXPECT_EQ(w.DTBeginTime->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.DTEndTime->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.cmdQuery->text(), "查 询(&Q)");
    EXPECT_EQ(w.cmdPrint->text(), "打印(&P)");
    for (QComboBox* combo : {w.comName, w.comBrand})
        EXPECT_EQ(combo->currentText(), "全部");
    EXPECT_EQ(w.comBrand->count(), 5);
    const FlexGrid& g = *w.VSSell;
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(captions(g), QStringList({"销售编号", "货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地",
                                        "数量", "零售价", "折扣", "实收金额", "销售员", "销售日期"}));
    EXPECT_EQ(g.colWidth(0), 200);
    for (int c = 1; c < g.cols(); ++c)
        EXPECT_EQ(g.colWidth(c), 820) << c;
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(SalesQuery, ListsTheSpanWithTotalsAndFigures)
{
    frmSellQuery w;
    span(w, QDate(2024, 3, 1), QDate(2024, 3, 5));
    w.cmdQuery->click();
    const FlexGrid& g = *w.VSSell;
    EXPECT_EQ(captions(g), QStringList({"货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "数量",
                                        "零售价", "折扣", "实收金额", "销售员", "销售编号", "销售日期"}));
    EXPECT_EQ(g.colWidth(0), 200);
    EXPECT_EQ(g.colWidth(1), 1600);
    for (int c = 2; c < g.cols(); ++c) {
        EXPECT_EQ(g.colWidth(c), 820) << c;
        EXPECT_EQ(g.colAlignment(c), Qt::AlignCenter) << c;
    }
    // Both end days in, returned and voided lines out, ordered by goods number
    // and size; one 合计 row per goods number whatever its sizes.
    EXPECT_EQ(lines(g), QStringList({"总合计||5|540", "|A1-01|1|85", "|A1-01|1|85", "|A1-01|1|100",
                                     "|合计|3|270", "|B-02|1|120", "|合计|1|120", "|C'3|1|150", "|合计|1|150"}));
    EXPECT_EQ(g.text(4, "尺码"), "41");
    EXPECT_EQ(g.text(4, "销售日期"), "2024-03-05");
    EXPECT_EQ(g.text(4, "销售员"), "管理员");
    // The sale number and the 总合计 caption are cut by their widths: their tool tips show them whole.
    const int sellNo = g.colIndex("销售编号");
    ASSERT_TRUE(g.textMatrix(4, sellNo).startsWith("20240305"));
    EXPECT_EQ(g.model()->index(3, sellNo - 1).data(Qt::ToolTipRole).toString(), g.textMatrix(4, sellNo));
    EXPECT_EQ(g.model()->headerData(0, Qt::Vertical, Qt::ToolTipRole).toString(), "总合计");
    EXPECT_EQ(w.lbCount->text(), "5");
    EXPECT_EQ(w.lbAmount->text(), "￥540");
    for (int r : {1, 5})
        EXPECT_TRUE(g.isSubtotal(r)) << r;

    // One day: the first and the last day of a span are whole days.
    span(w, QDate(2024, 3, 5), QDate(2024, 3, 5));
    w.cmdQuery->click();
    EXPECT_EQ(lines(g), QStringList({"总合计||1|100", "|A1-01|1|100", "|合计|1|100"}));
    EXPECT_EQ(w.lbCount->text(), "1");
    EXPECT_EQ(w.lbAmount->text(), "￥100");
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(SalesQuery, KindAndBrandFiltersWithQuotesDoubled)
{
    frmSellQuery w;
    span(w, QDate(2024, 3, 1), QDate(2024, 3, 5));
    const struct {
        const char* kind;
        const char* brand;
        QStringList shown;
        const char* count;
        const char* amount;
    } cases[] = {
        {"男鞋", "全部", {"总合计||3|270", "|A1-01|1|85", "|A1-01|1|85", "|A1-01|1|100", "|合计|3|270"}, "3", "￥270"},
        {"全部", "远帆", {"总合计||1|120", "|B-02|1|120", "|合计|1|120"}, "1", "￥120"},
        {"全部", "Levi's", {"总合计||1|150", "|C'3|1|150", "|合计|1|150"}, "1", "￥150"},
        {"裤子", "Levi's", {"总合计||1|150", "|C'3|1|150", "|合计|1|150"}, "1", "￥150"},
        // Nothing sold: an empty list, and the figures of the last list stay.
        {"女鞋", "青禾", {}, "1", "￥150"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.brand);
        choose(w.comName, c.kind);
        choose(w.comBrand, c.brand);
        w.cmdQuery->click();
        EXPECT_EQ(lines(*w.VSSell), c.shown);
        EXPECT_EQ(w.VSSell->colWidth(1), 1600);
        EXPECT_EQ(w.lbCount->text(), c.count);
        EXPECT_EQ(w.lbAmount->text(), c.amount);
    }
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(SalesQuery, PrintHandsTheListWithItsTotalsRowOver)
{
    frmSellQuery w;
    span(w, QDate(2024, 3, 1), QDate(2024, 3, 5));
    w.cmdQuery->click();
    QStringList printed;
    bool totals = false;
    fakes->modal.on<frmPrint>([&](frmPrint* p) {
        printed = reportgrids::texts(*p->VSFlexGrid);
        totals = p->totalsPresent() && p->chkisTotal->isChecked();
        return int(QDialog::Rejected);
    });
    w.cmdPrint->click();
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmPrint"}));
    EXPECT_EQ(printed, reportgrids::texts(*w.VSSell));
    EXPECT_EQ(printed.value(1).section('|', 0, 0), "总合计");
    EXPECT_TRUE(totals);
}

namespace {

class SalesRanking : public SalesFixture {};

}  // namespace

TEST_F(SalesRanking, RanksEachVariantByPiecesSold)
{
    for (const Line& l : std::initializer_list<Line>{
             {"A1-01", "41", "男鞋", "青禾", 100, "2024-03-01", 0},
             {"A1-01", "41", "男鞋", "青禾", 100, "2024-03-02", 2},  // returned
             {"A1-01", "41", "男鞋", "青禾", 100, "2024-03-02", 3},  // voided
             {"B-02", "37", "女鞋", "远帆", 120, "2024-03-01", 0},
             {"A1-01", "40", "男鞋", "青禾", 85, "2024-03-01", 0},
             {"B-02", "37", "女鞋", "远帆", 120, "2024-03-02", 0},
             {"A1-01", "40", "男鞋", "青禾", 85, "2024-03-03", 1},  // exchanged
             {"B-02", "37", "女鞋", "远帆", 120, "2024-03-05", 0},
             {"a1-01", "40", "男鞋", "青禾", 85, "2024-03-04", 0},  // letter case does not part goods
             {"B-02", "37", "女鞋", "远帆", 120, "2024-03-05", 0},
             {"B-02", "37", "女鞋", "远帆", 120, "2024-03-06", 0},  // after the span
             {"B-02", "37", "女鞋", "远帆", 120, "2024-02-29", 0},  // before it
         })
        sell(l);
    sell({"A1-01", "41", "男鞋", "青禾", 100, "2024-03-02", 0}, "{OTHER-SHOP}");
    sell({"A1-01", "41", "男鞋", "青禾", 100, "2024-03-02", 0}, "{OTHER-SHOP}");

    frmSellGroup w;
    EXPECT_EQ(w.windowTitle(), "销售排行");
    EXPECT_EQ(w.cmdQuery->text(), "排 行(&P)");
    EXPECT_EQ(w.DTBeginTime->date(), QDate(2024, 3, 5));
    EXPECT_EQ(w.DTEndTime->date(), QDate(2024, 3, 5));
    const QStringList columns = {"货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "数量"};
    EXPECT_EQ(captions(*w.VSSell), columns);
    EXPECT_EQ(w.VSSell->rows(), 1);
    EXPECT_EQ(w.VSSell->colWidth(1), 1400);

    w.DTBeginTime->setDate(QDate(2024, 3, 1));
    w.cmdQuery->click();
    const FlexGrid& g = *w.VSSell;
    EXPECT_EQ(captions(g), columns);
    QStringList ranked;
    for (int r = 1; r < g.rows(); ++r)
        ranked << g.text(r, "货号").toUpper() + ' ' + g.text(r, "尺码") + ' ' + g.text(r, "种类") + ' ' +
                      g.text(r, "数量");
    EXPECT_EQ(ranked, QStringList({"B-02 37 女鞋 4", "A1-01 40 男鞋 3", "A1-01 41 男鞋 1"}));
    for (int c = 1; c < g.cols(); ++c)
        EXPECT_EQ(g.colWidth(c), 1400) << c;
    for (int r = 1; r < g.rows(); ++r)
        EXPECT_FALSE(g.isSubtotal(r)) << "no totals";

    // The most pieces first, whenever they were sold.
    for (const char* day : {"2024-03-04", "2024-03-04", "2024-03-05", "2024-03-05"})
        sell({"A1-01", "41", "男鞋", "青禾", 100, day, 0});
    w.cmdQuery->click();
    ASSERT_EQ(g.rows(), 4);
    EXPECT_EQ(g.text(1, "货号") + ' ' + g.text(1, "尺码") + ' ' + g.text(1, "数量"), "A1-01 41 5");
    EXPECT_EQ(g.text(2, "货号") + ' ' + g.text(2, "数量"), "B-02 4");
    EXPECT_EQ(g.text(3, "尺码") + ' ' + g.text(3, "数量"), "40 3");
    EXPECT_TRUE(messages().shown().isEmpty());
}
