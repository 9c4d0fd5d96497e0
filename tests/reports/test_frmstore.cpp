// The stock query as the owner uses it: the saleable and the problem stock, the
// filters, the totals and merged cells, and the print button.
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "reportgrids.h"
#include "reports/frmprint.h"
#include "reports/frmstore.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>

namespace {

class StockQuery : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        // In the order written, which is the order a list without "Order By" comes in.
        stock("A1-01", "男鞋", "青禾", "40", 5);
        stock("A1-01", "男鞋", "青禾", "41", 0);  // sold out
        stock("B-02", "女鞋", "远帆", "37", 3);
        stock("XA1-9", "童鞋", "青禾", "30", 2);
        stock("A1-01", "男鞋", "青禾", "42", 1);  // a later receipt, not next to the first two
        stock("C'3", "裤子", "Levi's", "M", 4);
        stock("A1-01", "男鞋", "青禾", "40", 9, "{OTHER-SHOP}");
        sql("Insert Into DataDictionary (Item,Content) Values('品牌','Levi''s')");
    }

    void stock(const QString& typeNo, const QString& name, const QString& brand, const QString& size, int quantity,
               const QString& shop = QString())
    {
        sql("Insert Into Store Values('" + gNewGUID.GUID(false) + "','" + (shop.isEmpty() ? gShopNo : shop) + "'," +
            core::SqlQuote(typeNo) + ",'" + name + "'," + core::SqlQuote(brand) + ",'" + size +
            "','黑色','真皮','一等品','广州'," + QString::number(quantity) + ",199,'690','A1')");
    }

    // Each row as "fixed column|货号|数量".
    static QStringList lines(const FlexGrid& g, const QString& amount = "数量")
    {
        QStringList out;
        for (int r = 0; r < g.rows(); ++r)
            out << g.textMatrix(r, 0) + '|' + g.text(r, "货号") + '|' + g.text(r, amount);
        return out;
    }
    static void choose(QComboBox* combo, const QString& entry)
    {
        const int i = combo->findText(entry);
        ASSERT_GE(i, 0) << entry.toStdString();
        combo->setCurrentIndex(i);
    }

    const QString head = "|货号|数量";
    // The whole saleable stock with its totals.
    const QStringList wholeStock = {head,     "总合计||15", "|A1-01|5", "|A1-01|0", "|合计|5", "|B-02|3", "|合计|3",
                                    "|XA1-9|2", "|合计|2",    "|A1-01|1", "|合计|1",  "|C'3|4",  "|合计|4"};
};

}  // namespace

TEST_F(StockQuery, OpensOnTheSaleableStockWithItsTotals)
{
    frmStore w;
    EXPECT_EQ(w.windowTitle(), "库存查询");
    ASSERT_EQ(w.TabStrip->count(), 2);
    EXPECT_EQ(w.TabStrip->tabText(0), "可售库存");
    EXPECT_EQ(w.TabStrip->tabText(1), "问题库存");
    EXPECT_EQ(w.TabStrip->currentIndex(), 0);
    EXPECT_EQ(w.pages->currentWidget(), w.VSFlexGrid);
    EXPECT_EQ(w.chkZero->text(), "不显示零库存商品");
    EXPECT_FALSE(w.chkZero->isChecked());
    EXPECT_EQ(w.cmdQuery->text(), "查 询(&Q)");
    EXPECT_EQ(w.cmdPrint->text(), "打印(&P)");
    EXPECT_TRUE(w.lbTitle->text().startsWith("  使用帮助：可输入货号直接查询某个货号的库存情况"));
    for (QComboBox* combo : {w.comName, w.comBrand}) {
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_EQ(combo->currentText(), "全部");
    }
    EXPECT_EQ(w.comName->count(), 9);
    EXPECT_EQ(w.comBrand->itemText(4), "Levi's");

    const FlexGrid& g = *w.VSFlexGrid;
    QStringList captions;
    for (int c = 0; c < g.cols(); ++c)
        captions << g.textMatrix(0, c);
    EXPECT_EQ(captions, QStringList({"", "货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "数量",
                                     "零售价", "条码", "柜层"}));
    EXPECT_EQ(g.colWidth(0), 200);
    for (int c = 1; c < g.cols(); ++c) {
        EXPECT_EQ(g.colWidth(c), 1160) << c;
        EXPECT_EQ(g.colAlignment(c), Qt::AlignCenter) << c;
    }
    EXPECT_EQ(lines(g), wholeStock) << "only this shop, sold-out rows counted as 0, 合计 per run of a goods number";
    for (int r : {1, 4, 12}) {
        EXPECT_TRUE(g.isSubtotal(r)) << r;
        const QModelIndex cell = g.model()->index(r - 1, g.colIndex("数量"));
        EXPECT_EQ(cell.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0)) << r;
        EXPECT_TRUE(cell.data(Qt::FontRole).value<QFont>().bold()) << r;
    }
    EXPECT_FALSE(g.isSubtotal(2));
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(StockQuery, KindAndBrandChooseTheRowsAndQuotesAreDoubled)
{
    frmStore w;
    const struct {
        const char* kind;
        const char* brand;
        bool noZero;
        QStringList shown;
    } cases[] = {
        // Without the child's shoes between them, the two receipts of A1-01 meet.
        {"男鞋", "全部", false, {"总合计||6", "|A1-01|5", "|A1-01|0", "|A1-01|1", "|合计|6"}},
        {"全部", "青禾", true,
         {"总合计||8", "|A1-01|5", "|合计|5", "|XA1-9|2", "|合计|2", "|A1-01|1", "|合计|1"}},
        {"全部", "Levi's", false, {"总合计||4", "|C'3|4", "|合计|4"}},
        {"裤子", "Levi's", false, {"总合计||4", "|C'3|4", "|合计|4"}},
        {"男鞋", "青禾", true, {"总合计||6", "|A1-01|5", "|A1-01|1", "|合计|6"}},
        {"女鞋", "青禾", false, {}},
        {"全部", "全部", false, wholeStock.mid(1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.brand);
        choose(w.comName, c.kind);
        choose(w.comBrand, c.brand);
        w.chkZero->setChecked(c.noZero);
        w.cmdQuery->click();
        EXPECT_EQ(lines(*w.VSFlexGrid), QStringList(head) + c.shown);
    }
    w.chkZero->setChecked(true);
    w.cmdQuery->click();  // both "全部" with sold-out rows left out
    EXPECT_EQ(lines(*w.VSFlexGrid).mid(1, 4), QStringList({"总合计||15", "|A1-01|5", "|合计|5", "|B-02|3"}));
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(StockQuery, GoodsNumberFiltersWhileTypingWithoutTheCombos)
{
    frmStore w;
    choose(w.comName, "女鞋");  // not applied by the live filter
    const struct {
        const char* typed;
        bool noZero;
        QStringList shown;
    } cases[] = {
        {"A1", false,
         {"总合计||8", "|A1-01|5", "|A1-01|0", "|合计|5", "|XA1-9|2", "|合计|2", "|A1-01|1", "|合计|1"}},
        {"a1-0", true, {"总合计||6", "|A1-01|5", "|A1-01|1", "|合计|6"}},
        {"C'", false, {"总合计||4", "|C'3|4", "|合计|4"}},
        {"zzz", false, {}},  // nothing found: no total rows either
        {"", false, wholeStock.mid(1)},
        {"", true, {"总合计||15", "|A1-01|5", "|合计|5", "|B-02|3", "|合计|3", "|XA1-9|2", "|合计|2", "|A1-01|1",
                    "|合计|1", "|C'3|4", "|合计|4"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        w.chkZero->setChecked(c.noZero);
        w.txtNo->setText("x");
        w.txtNo->setText(c.typed);
        EXPECT_EQ(lines(*w.VSFlexGrid), QStringList(head) + c.shown);
        if (!c.shown.isEmpty()) {
            EXPECT_EQ(w.VSFlexGrid->row(), 2) << "the first data row stays current below the 总合计 row";
        }
        EXPECT_EQ(w.VSFlexGrid->colWidth(1), 1160);
    }
    EXPECT_TRUE(messages().shown().isEmpty());

    // Every key filters.
    w.txtNo->clear();
    QTest::keyClicks(w.txtNo, "XA");
    EXPECT_EQ(lines(*w.VSFlexGrid), QStringList({head, "总合计||2", "|XA1-9|2", "|合计|2"}));
}

// The grid keeps its merged columns when it is bound again, so the lists of the
// live filter merge as the whole list does: one look for every list of the tab.
TEST_F(StockQuery, EqualGoodsNumbersKindsAndBrandsMergeInEveryList)
{
    sql("Update Store Set Brand='远帆' Where [Size]='41'");
    frmStore w;
    auto spans = [&](int gridRow) {
        QCoreApplication::processEvents();
        QList<int> out;
        for (int c = 1; c <= 4; ++c)
            out << w.VSFlexGrid->rowSpan(gridRow - 1, c - 1);
        return out;
    };
    // Rows 2 and 3: A1-01 男鞋 in both, brands 青禾 and 远帆, sizes 40 and 41.
    EXPECT_EQ(spans(2), QList<int>({2, 2, 1, 1}));
    EXPECT_EQ(spans(1), QList<int>({1, 1, 1, 1})) << "the 总合计 row stands alone";
    EXPECT_EQ(spans(4), QList<int>({1, 1, 1, 1})) << "a 合计 row stands alone";
    w.txtNo->setText("A1-");
    ASSERT_EQ(w.VSFlexGrid->text(2, "货号"), "A1-01");
    EXPECT_EQ(spans(2), QList<int>({2, 2, 1, 1}));
    choose(w.comBrand, "青禾");
    w.cmdQuery->click();
    EXPECT_EQ(spans(2), QList<int>({1, 1, 1, 1})) << "A1-01 stands alone before its 合计 row";
}

TEST_F(StockQuery, ProblemStockTabAndBack)
{
    auto problem = [&](const QString& typeNo, const QString& cost, int quantity, int sentBack,
                       const QString& shop = QString()) {
        sql("Insert Into BackStore (GUID,ShopNo,TypeNo,Name,Brand,[Size],Colour,Leather,Grade,ProductPlace,Quantity,"
            "BuyPrice,BackResion,Seller,SellName,IsBackFactory) Values('" +
            gNewGUID.GUID(false) + "','" + (shop.isEmpty() ? gShopNo : shop) + "','" + typeNo +
            "','男鞋','青禾','40','黑色','真皮','一等品','广州'," + QString::number(quantity) + "," + cost +
            ",'开胶','admin','管理员'," + QString::number(sentBack) + ")");
    };
    problem("B-02", "60", 1, 0);
    problem("A1-01", "80", 1, 0);
    problem("A1-01", "80.5", 2, 0);
    problem("A1-01", "80", 1, -1);  // gone back to the factory
    problem("A1-01", "80", 1, 0, "{OTHER-SHOP}");

    frmStore w;
    staff::showActive(&w);
    w.txtNo->setText("B-");
    w.TabStrip->setCurrentIndex(1);
    EXPECT_EQ(w.pages->currentWidget(), w.VSQuestion);
    const FlexGrid& q = *w.VSQuestion;
    QStringList captions;
    for (int c = 1; c < q.cols(); ++c)
        captions << q.textMatrix(0, c);
    EXPECT_EQ(captions,
              QStringList({"货号", "种类", "品牌", "尺码", "颜色", "面料", "等级", "产地", "进价", "数量", "问题"}));
    EXPECT_EQ(q.colWidth(0), 200);
    EXPECT_EQ(q.colWidth(5), 1280);
    EXPECT_EQ(lines(q), QStringList({head, "|A1-01|1", "|A1-01|2", "|合计|3", "|B-02|1", "|合计|1"}))
        << "in goods-number order, no grand total";
    EXPECT_EQ(q.text(3, "进价"), "160.5");
    EXPECT_EQ(q.text(5, "进价"), "60");
    EXPECT_EQ(q.text(1, "问题"), "开胶");

    // Back on the first tab: the whole stock again, the focus in the goods number.
    w.TabStrip->setCurrentIndex(0);
    EXPECT_EQ(w.pages->currentWidget(), w.VSFlexGrid);
    EXPECT_EQ(lines(*w.VSFlexGrid), wholeStock);
    EXPECT_TRUE(w.txtNo->hasFocus());

    // A statement that fails has said so once and leaves the list as it was.
    sql("Drop Table BackStore");
    w.TabStrip->setCurrentIndex(1);
    EXPECT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(q.rows(), 6);
}

TEST_F(StockQuery, PrintHandsTheSaleableListOverFromEitherTab)
{
    frmStore w;
    w.txtNo->setText("A1");
    const QStringList shown = reportgrids::texts(*w.VSFlexGrid);
    QStringList printed;
    bool totals = false;
    fakes->modal.on<frmPrint>([&](frmPrint* p) {
        printed = reportgrids::texts(*p->VSFlexGrid);
        totals = p->totalsPresent() && p->chkisTotal->isEnabled();
        return int(QDialog::Rejected);
    });
    for (int tab : {0, 1}) {
        SCOPED_TRACE(tab);
        w.TabStrip->setCurrentIndex(tab);
        printed.clear();
        w.cmdPrint->click();
        EXPECT_EQ(printed, shown);
        EXPECT_TRUE(totals);
    }
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmPrint", "frmPrint"}));
}
