// The grid control: binding to real record sets, the grid's own numbering, the
// current-row freeze, subtotals, marks, editing, check boxes, Clip and copies.
#include "platform/base/jetdb.h"
#include "platform/flexgrid.h"

#include <QFile>
#include <QFont>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

const QString kStockList = QStringLiteral(
    "Select GUID,TypeNo as 货号,Name as 种类,Quantity as 数量,Price as 零售价 from Store Where ShopNo='%1'");

const QString kShop = QStringLiteral("{S1}");

// A stock table of our own on a scratch database, with the declared types the
// shop's schema uses for quantities and money.
class GridBinding : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        const QByteArray path = QFile::encodeName(dir_.filePath(QStringLiteral("grid.db")));
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.constData(), &db), SQLITE_OK);
        const int rc = sqlite3_exec(db,
                                    "PRAGMA application_id=7;"
                                    "CREATE TABLE Store(GUID TEXT, ShopNo TEXT, TypeNo TEXT COLLATE NOCASE,"
                                    " Name TEXT, Brand TEXT, Size TEXT, Colour TEXT, Leather TEXT, Grade TEXT,"
                                    " ProductPlace TEXT, Quantity INTEGER, Price SINGLE, IDCode TEXT,"
                                    " GoodsFloor TEXT)",
                                    nullptr, nullptr, nullptr);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK);
        QString error;
        ASSERT_TRUE(conn_.open("Data Source=" + QString::fromUtf8(path), 7, &error)) << error.toStdString();
    }
    jet::RecordSet sql(const QString& statement)
    {
        QString error;
        jet::RecordSet rs = conn_.execute(statement, &error);
        EXPECT_TRUE(error.isEmpty()) << statement.toStdString() << ": " << error.toStdString();
        return rs;
    }
    void addStore(const QString& key, const QString& typeNo, int qty, const QString& price)
    {
        sql("Insert Into Store Values('" + key + "','" + kShop + "','" + typeNo +
            "','男鞋','青禾','40','黑色','真皮','合格品','温州'," + QString::number(qty) + "," + price + ",'','')");
    }

private:
    QTemporaryDir dir_;
    jet::Connection conn_;
};

// A grid built in code: captions and keys from the first list, one row per further list.
void fill(FlexGrid& g, const QStringList& captions, const QList<QStringList>& rows)
{
    g.setCols(int(captions.size()));
    for (int c = 0; c < captions.size(); ++c) {
        g.setTextMatrix(0, c, captions[c]);
        g.setColKey(c, captions[c]);
    }
    for (const QStringList& r : rows)
        g.addItem(r.join('\t'));
}

// Column c of every row, rows joined by "|".
QString column(const FlexGrid& g, int c)
{
    QStringList out;
    for (int r = 0; r < g.rows(); ++r)
        out << g.textMatrix(r, c);
    return out.join('|');
}

QString subtotalRows(const FlexGrid& g)
{
    QString out;
    for (int r = 0; r < g.rows(); ++r)
        out += g.isSubtotal(r) ? 'S' : '.';
    return out;
}

}  // namespace

TEST_F(GridBinding, CaptionsKeysAndTextsComeFromTheRecordSet)
{
    addStore("{K1}", "A01", 3, "72.25");
    addStore("{K2}", "B02", 1, "85");
    FlexGrid g;
    QSignalSpy moved(&g, &FlexGrid::rowColChanged);
    g.bind(sql(kStockList.arg(kShop) + " Order By TypeNo"));

    EXPECT_EQ(g.cols(), 6);
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(column(g, 0), "||");
    EXPECT_EQ(g.textMatrix(0, 2), "货号");
    EXPECT_EQ(g.colKey(2), "货号");
    EXPECT_EQ(g.colKey(1), "GUID");
    EXPECT_EQ(g.model()->headerData(1, Qt::Horizontal).toString(), "货号");
    EXPECT_EQ(g.colIndex("guid"), 1);
    EXPECT_EQ(g.colIndex("零售价"), 5);
    EXPECT_EQ(g.colIndex("Price"), -1);
    g.setColKey(4, "Qty");
    EXPECT_EQ(g.colIndex("QTY"), 4);  // by key
    EXPECT_EQ(g.colIndex("数量"), 4);  // or by caption
    EXPECT_EQ(g.textMatrix(1, 5), "72.25");
    EXPECT_EQ(g.textMatrix(2, 5), "85");
    EXPECT_EQ(g.text(2, "数量"), "1");
    EXPECT_EQ(g.model()->data(g.model()->index(0, 1)).toString(), "A01");  // view row 0 = data row 1
    EXPECT_EQ(g.row(), 1);
    EXPECT_EQ(moved.count(), 1);
}

TEST_F(GridBinding, EmptySelectShowsCaptionsOnly)
{
    FlexGrid g;
    g.bind(sql(kStockList.arg(kShop) + " And GUID=''"));
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.cols(), 6);
    EXPECT_EQ(g.model()->rowCount(), 0);
    EXPECT_EQ(g.textMatrix(0, 4), "数量");
    EXPECT_EQ(g.row(), 0);
    g.removeItem();  // no current row: the captions stay
    EXPECT_EQ(g.rows(), 1);
}

TEST_F(GridBinding, RebindingStartsAfresh)
{
    addStore("{K1}", "A01", 3, "10");
    addStore("{K2}", "A01", 2, "10");
    FlexGrid g;
    g.bind(sql(kStockList.arg(kShop)));
    g.setColHidden(1, true);
    g.setCellBackColor(1, 0, platform::vbColor(255));
    g.subtotalSum(FlexGrid::WholeListAbove, 4, "总合计");
    ASSERT_EQ(g.rows(), 4);
    g.bind(sql(kStockList.arg(kShop)));
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(subtotalRows(g), "...");
    EXPECT_FALSE(g.cellBackColor(1, 0).isValid());
    EXPECT_FALSE(g.colHidden(1));
}

TEST(FlexGrid, HiddenColumnsAndWidthsInTwips)
{
    FlexGrid g;
    fill(g, {"", "GUID", "货号", "数量"}, {{"", "k1", "A01", "3"}});
    g.setColHidden(1, true);
    g.setColWidth(1, 1160);
    g.setColWidth(2, 1160);
    g.setColWidth(0, 200);
    EXPECT_TRUE(g.colHidden(1));
    EXPECT_TRUE(g.isColumnHidden(0));
    EXPECT_FALSE(g.isColumnHidden(1));
    EXPECT_EQ(g.colWidth(1), 1160);  // kept while hidden
    EXPECT_EQ(g.colWidth(2), 1160);
    EXPECT_EQ(g.columnWidth(1), 77);  // 1160 / 15
    EXPECT_EQ(g.verticalHeader()->width(), 13);
    g.setColHidden(1, false);
    EXPECT_EQ(g.columnWidth(0), 77);
    g.setColHidden(0, true);
    EXPECT_TRUE(g.verticalHeader()->isHidden());
}

TEST(FlexGrid, AddFindAndRemove)
{
    FlexGrid g;
    fill(g, {"", "货号", "数量"}, {{"", "A01", "1"}, {"", "B02", "2"}});
    g.addItem("\tC03\t3\textra");  // fields beyond the last column are dropped
    g.addItem("合计\t\t6", 2);      // inserted as row 2
    EXPECT_EQ(column(g, 1), "货号|A01||B02|C03");
    EXPECT_EQ(g.textMatrix(2, 0), "合计");
    EXPECT_EQ(g.cols(), 3);

    EXPECT_EQ(g.findRow("B02", 1, 1), 3);
    EXPECT_EQ(g.findRow("B02", 4, 1), -1);
    EXPECT_EQ(g.findRow("b02", 1, 1), -1);  // exact
    EXPECT_EQ(g.findRow("B0", 1, 1), -1);
    EXPECT_EQ(g.findRow("货号", 0, 1), -1);  // captions are not data

    ASSERT_TRUE(g.setRow(3));
    g.removeItem();  // the current row
    EXPECT_EQ(column(g, 1), "货号|A01||C03");
    EXPECT_EQ(g.row(), 3);  // the next line moved up into its place
    g.removeItem(1);
    EXPECT_EQ(g.row(), 2);  // the current line follows its content
    EXPECT_EQ(g.textMatrix(g.row(), 1), "C03");
    g.clearDataRows();
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.textMatrix(0, 1), "货号");
    EXPECT_EQ(g.row(), 0);
    g.addItem("\tD04\t1");
    EXPECT_EQ(g.row(), 1);  // a first data row becomes current
}

TEST(FlexGrid, CurrentRowFreeze)
{
    FlexGrid g;
    fill(g, {"", "货号", "数量"}, {{"", "A01", "1"}, {"", "B02", "2"}, {"", "C03", "3"}});
    g.resize(400, 300);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.setFocus();
    bool frozen = true;
    QList<int> asked;
    g.beforeRowColChange = [&](int r, int) {
        asked << r;
        return frozen;
    };
    QSignalSpy moved(&g, &FlexGrid::rowColChanged);

    EXPECT_FALSE(g.setRow(2));
    QTest::keyClick(&g, Qt::Key_Down);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(g.model()->index(2, 1)).center());
    EXPECT_EQ(g.row(), 1);
    EXPECT_EQ(g.currentIndex().row(), 0);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(asked, QList<int>({2, 2, 3}));

    frozen = false;
    QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(g.row(), 2);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(g.model()->index(2, 1)).center());
    EXPECT_EQ(g.row(), 3);
    EXPECT_EQ(moved.count(), 2);
    EXPECT_FALSE(g.setRow(0));
    EXPECT_FALSE(g.setRow(4));

    // Removal moves the cursor without asking.
    frozen = true;
    g.removeItem(3);
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(moved.count(), 3);
    EXPECT_EQ(asked.size(), 5);
}

TEST(FlexGrid, ArrowKeysMoveFromAHiddenKeyColumn)
{
    FlexGrid g;
    fill(g, {"", "GUID", "货号"}, {{"", "{1}", "A01"}, {"", "{2}", "B02"}});
    g.setColHidden(1, true);
    g.resize(400, 300);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.setFocus();
    g.setRow(1);
    g.setCol(1);
    QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(g.textMatrix(g.row(), 2), "B02");
}

TEST(FlexGrid, SubtotalGroupings)
{
    const QList<QStringList> data = {
        {"", "A01", "1", "85"}, {"", "A01", "2", "x"}, {"", "B02", "3", "10.5"}, {"", "A01", "4", "1"}};
    const QStringList captions = {"", "货号", "数量", "金额"};
    const struct {
        int groupOn;
        const char* caption;
        const char* marks;     // S = subtotal row
        const char* col0;      // fixed column, rows joined by |
        const char* col1;
        const char* quantity;
    } cases[] = {
        {FlexGrid::WholeListAbove, "总合计", ".S....", "|总合计||||", "货号||A01|A01|B02|A01", "数量|10|1|2|3|4"},
        {1, "合计", "...S.S.S", "|||||||", "货号|A01|A01|合计|B02|合计|A01|合计", "数量|1|2|3|3|3|4|4"},
        {FlexGrid::WholeListBelow, "合计", ".....S", "|||||合计", "货号|A01|A01|B02|A01|", "数量|1|2|3|4|10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        FlexGrid g;
        fill(g, captions, data);
        g.subtotalSum(c.groupOn, 2, c.caption);
        EXPECT_EQ(subtotalRows(g), c.marks);
        EXPECT_EQ(column(g, 0), c.col0);
        EXPECT_EQ(column(g, 1), c.col1);
        EXPECT_EQ(column(g, 2), c.quantity);
        // Bold in colour 255, background unchanged; the data rows keep the plain look.
        const int total = g.findRow(c.caption, 1, c.groupOn > 0 ? c.groupOn : 0);
        ASSERT_GT(total, 0);
        const QModelIndex cell = g.model()->index(total - 1, 1);
        EXPECT_EQ(cell.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        EXPECT_TRUE(cell.data(Qt::FontRole).value<QFont>().bold());
        EXPECT_FALSE(cell.data(Qt::BackgroundRole).isValid());
        EXPECT_FALSE(g.model()->index(g.findRow("B02", 1, 1) - 1, 1).data(Qt::FontRole).isValid());
    }
}

TEST(FlexGrid, SubtotalsShareRowsAndSkipTotals)
{
    FlexGrid g;
    fill(g, {"", "货号", "数量", "金额"}, {{"", "A01", "1", "85"}, {"", "A01", "2", "x"}, {"", "B02", "3", "10.5"}});
    g.subtotalSum(1, 2, "合计");
    g.subtotalSum(1, 3, "合计");  // same grouping: same rows, both sums
    g.subtotalSum(FlexGrid::WholeListAbove, 3, "总合计");
    g.subtotalSum(FlexGrid::WholeListAbove, 2, "总合计");
    EXPECT_EQ(subtotalRows(g), ".S..S.S");
    EXPECT_EQ(column(g, 2), "数量|6|1|2|3|3|3");  // the grand total counts no 合计 row
    EXPECT_EQ(column(g, 3), "金额|95.5|85|x|85|10.5|10.5");

    g.clearSubtotals();
    EXPECT_EQ(subtotalRows(g), "....");
    EXPECT_EQ(column(g, 2), "数量|1|2|3");

    FlexGrid empty;
    fill(empty, {"", "货号", "数量"}, {});
    empty.subtotalSum(FlexGrid::WholeListAbove, 2, "总合计");
    EXPECT_EQ(empty.rows(), 1);  // no data, no total
}

TEST(FlexGrid, LastRowTotalIsComputedAgain)
{
    // Delete a line, append its corrected version below the old total, sum again.
    FlexGrid g;
    fill(g, {"", "货号", "数量"}, {{"", "A01", "5"}, {"", "B02", "2"}});
    g.subtotalSum(FlexGrid::WholeListBelow, 2, "合计");
    g.removeItem(1);
    g.addItem("\tA01\t4");
    EXPECT_EQ(column(g, 2), "数量|2|7|4");  // AddItem and RemoveItem do not recompute
    g.subtotalSum(FlexGrid::WholeListBelow, 2, "合计");
    EXPECT_EQ(column(g, 2), "数量|2|4|6");
    EXPECT_EQ(subtotalRows(g), "...S");
    EXPECT_EQ(g.textMatrix(g.rows() - 1, 0), "合计");
}

TEST(FlexGrid, FixedCellMarkReadsBack)
{
    EXPECT_EQ(platform::vbColor(255), QColor(255, 0, 0));
    EXPECT_EQ(platform::vbColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(platform::vbColor(0x00C0FF), QColor(255, 192, 0));

    FlexGrid g;
    fill(g, {"", "货号"}, {{"", "A01"}, {"", "B02"}, {"", "C03"}});
    g.setCellBackColor(3, 0, platform::vbColor(255));
    EXPECT_EQ(g.cellBackColor(3, 0), platform::vbColor(255));
    EXPECT_EQ(g.model()->headerData(2, Qt::Vertical, Qt::BackgroundRole).value<QBrush>().color(),
              platform::vbColor(255));
    EXPECT_FALSE(g.cellBackColor(2, 0).isValid());
    g.removeItem(1);  // the mark stays with its line
    EXPECT_EQ(g.cellBackColor(2, 0), platform::vbColor(255));
    EXPECT_FALSE(g.cellBackColor(1, 0).isValid());
    const QColor face = g.palette().button().color();
    g.setCellBackColor(2, 0, face);
    EXPECT_NE(g.cellBackColor(2, 0), platform::vbColor(255));
}

TEST(FlexGrid, EditingHooks)
{
    FlexGrid g;
    fill(g, {"", "货号", "数量"}, {{"", "A01", "1"}, {"", "B02", "2"}});
    g.setEditable(true);
    g.resize(400, 300);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.setFocus();
    QList<QPair<int, int>> asked;
    g.beforeEdit = [&](int r, int c) {
        asked << qMakePair(r, c);
        return c != 2;  // only 数量 may be edited
    };
    QSignalSpy edited(&g, &FlexGrid::afterEdit);
    QSignalSpy enter(&g, &FlexGrid::enterPressed);

    ASSERT_TRUE(g.setCol(1));
    QTest::keyClick(&g, Qt::Key_7);
    EXPECT_EQ(g.indexWidget(g.currentIndex()), nullptr);  // no editor
    EXPECT_EQ(g.textMatrix(1, 1), "A01");

    ASSERT_TRUE(g.setCol(2));
    QTest::keyClick(&g, Qt::Key_F2);
    QWidget* editor = g.indexWidget(g.currentIndex());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "9");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor commits after its own handling
    EXPECT_EQ(g.textMatrix(1, 2), "9");
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited[0], QVariantList({1, 2}));
    EXPECT_EQ(enter.count(), 0);  // the editor had that Enter
    EXPECT_EQ(asked, (QList<QPair<int, int>>{{1, 1}, {1, 2}}));

    QTest::keyClick(&g, Qt::Key_Enter);
    EXPECT_EQ(enter.count(), 1);
}

TEST(FlexGrid, CheckBoxColumn)
{
    FlexGrid g;
    fill(g, {"", "问题", "选中"}, {{"", "开线", "0"}, {"", "掉色", "-1"}});
    g.setColDataType(2, FlexGrid::ColType::Boolean);
    g.setEditable(true);
    g.resize(400, 300);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.setFocus();
    bool refuse = false;
    g.beforeEdit = [&](int, int c) { return refuse || c != 2; };
    QSignalSpy edited(&g, &FlexGrid::afterEdit);

    const QModelIndex first = g.model()->index(0, 1), second = g.model()->index(1, 1);
    EXPECT_EQ(first.data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(second.data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(second.data(Qt::DisplayRole).isValid());  // the box, not "-1"
    EXPECT_FALSE(g.model()->index(0, 0).data(Qt::CheckStateRole).isValid());

    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(first).center());
    EXPECT_EQ(g.textMatrix(1, 2), "-1");
    EXPECT_EQ(g.row(), 1);
    ASSERT_TRUE(g.setRow(2));
    ASSERT_TRUE(g.setCol(2));
    QTest::keyClick(&g, Qt::Key_Space);
    EXPECT_EQ(g.textMatrix(2, 2), "0");
    ASSERT_EQ(edited.count(), 2);
    EXPECT_EQ(edited[1], QVariantList({2, 2}));

    refuse = true;
    QTest::keyClick(&g, Qt::Key_Space);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(second).center());
    EXPECT_EQ(g.textMatrix(2, 2), "0");
    EXPECT_EQ(edited.count(), 2);
}

TEST(FlexGrid, SelectAndClip)
{
    FlexGrid g;
    fill(g, {"", "货号", "数量"}, {{"合计", "", "6"}, {"", "A01", "1"}});
    g.select(1, 0, 1, g.cols() - 1);
    EXPECT_EQ(g.clip(), "合计\t\t6");
    EXPECT_EQ(g.row(), 1);
    g.select(2, 2, 1, 1);
    EXPECT_EQ(g.clip(), "\t6\rA01\t1");
    // Re-inserting the saved text restores the row.
    g.select(1, 0, 1, 2);
    const QString saved = g.clip();
    g.removeItem(1);
    g.addItem(saved, 1);
    EXPECT_EQ(column(g, 2), "数量|6|1");
    EXPECT_EQ(g.textMatrix(1, 0), "合计");
}

TEST(FlexGrid, CopyTakesShapeHiddenWidthsAndTexts)
{
    FlexGrid from;
    fill(from, {"", "GUID", "货号", "数量"}, {{"", "k1", "A01", "1"}, {"", "k2", "A01", "2"}});
    from.setColHidden(1, true);
    from.setColWidth(2, 1160);
    from.setColWidth(0, 200);
    from.subtotalSum(FlexGrid::WholeListAbove, 3, "总合计");

    FlexGrid copy;
    fill(copy, {"", "x"}, {{"", "old"}});
    copy.copyFrom(from);
    EXPECT_EQ(copy.rows(), 4);
    EXPECT_EQ(copy.cols(), 4);
    for (int c = 0; c < from.cols(); ++c) {
        EXPECT_EQ(column(copy, c), column(from, c));
        EXPECT_EQ(copy.colHidden(c), from.colHidden(c));
        EXPECT_EQ(copy.colWidth(c), from.colWidth(c));
    }
    EXPECT_TRUE(copy.isColumnHidden(0));
    copy.setTextMatrix(1, 0, "合计");  // the copy is its own
    EXPECT_EQ(from.textMatrix(1, 0), "总合计");
}

TEST(FlexGrid, MergesEqualCellsInChosenColumns)
{
    FlexGrid g;
    fill(g, {"", "货号", "种类"}, {{"", "A01", "男鞋"}, {"", "A01", "男鞋"}, {"", "A01", "女鞋"}, {"", "B02", "女鞋"}});
    g.setMergeCols({1});
    QCoreApplication::processEvents();
    EXPECT_EQ(g.rowSpan(0, 0), 3);
    EXPECT_EQ(g.rowSpan(3, 0), 1);
    EXPECT_EQ(g.rowSpan(2, 1), 1);  // column 2 is not merged
    g.subtotalSum(1, 2, "合计");
    QCoreApplication::processEvents();
    EXPECT_EQ(g.rowSpan(0, 0), 3);
    EXPECT_EQ(g.rowSpan(3, 0), 1);  // the 合计 row stands alone
    EXPECT_EQ(g.textMatrix(2, 1), "A01");  // display only
}

TEST(FlexGrid, RightButtonAndAutoSize)
{
    FlexGrid g;
    fill(g, {"", "货号"}, {{"", "A01"}, {"", "一个很长很长的货号名称"}});
    g.resize(400, 300);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    QSignalSpy right(&g, &FlexGrid::rightButtonDown);
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, g.visualRect(g.model()->index(1, 0)).center());
    ASSERT_EQ(right.count(), 1);
    EXPECT_EQ(g.row(), 2);

    g.setColWidth(1, 150);
    g.autoSize(1, 1);
    EXPECT_GE(g.colWidth(1), g.fontMetrics().horizontalAdvance("一个很长很长的货号名称") * 15);
    EXPECT_EQ(g.columnWidth(0), g.colWidth(1) / 15);
}

TEST_F(GridBinding, BoundRowsEditAddRemoveAndReadBack)
{
    addStore("{K1}", "A01", 3, "72.25");
    addStore("{K2}", "B''02", 1, "85");
    addStore("{K3}", "C03", 12, "0.1");
    addStore("{K4}", "C03", 0, "199.5");
    FlexGrid g;
    const jet::RecordSet rs = sql(kStockList.arg(kShop) + " Order By GUID");
    g.bind(rs);
    // What the grid must show: the record set's texts, then every change below.
    QList<QStringList> want = {{"", "GUID", "货号", "种类", "数量", "零售价"}};
    for (int r = 0; r < rs.recordCount(); ++r) {
        QStringList row = {""};
        for (int f = 0; f < rs.fieldCount(); ++f)
            row << rs.text(r, f);
        want << row;
    }
    ASSERT_EQ(want[1][5], "72.25");
    ASSERT_EQ(want[3][5], "0.1");
    auto readBack = [&] {
        ASSERT_EQ(g.rows(), want.size());
        for (int r = 0; r < g.rows(); ++r)
            for (int c = 0; c < g.cols(); ++c)
                ASSERT_EQ(g.textMatrix(r, c), c < want[r].size() ? want[r][c] : QString()) << r << "," << c;
    };
    readBack();

    g.setTextMatrix(2, 3, "女鞋");
    want[2][3] = "女鞋";
    g.setTextMatrix(3, 0, "*");  // the fixed column of a bound row
    want[3][0] = "*";
    g.setCellBackColor(4, 2, platform::vbColor(255));  // a look only: the row keeps reading the record set
    g.addItem("\tK9\tD04\t童鞋\t2\t10", 2);
    want.insert(2, {"", "K9", "D04", "童鞋", "2", "10"});
    g.removeItem(1);
    want.removeAt(1);
    g.addItem("\tK8\tE05");
    want << QStringList{"", "K8", "E05"};
    readBack();
    EXPECT_EQ(g.cellBackColor(4, 2), platform::vbColor(255));
    EXPECT_EQ(g.model()->data(g.model()->index(1, 1)).toString(), "B'02");
    EXPECT_EQ(g.findRow("C03", 1, 2), 3);
    EXPECT_EQ(g.findRow("C03", 4, 2), 4);
    EXPECT_EQ(g.findRow("0.1", 1, 5), 3);
    EXPECT_EQ(g.findRow("", 1, 0), 1);  // bound rows have an empty fixed column
    EXPECT_EQ(g.findRow("c03", 1, 2), -1);

    // Columns dropped and added again come back empty.
    g.setCols(5);
    g.setCols(6);
    for (QStringList& row : want)
        if (row.size() > 5)
            row[5].clear();
    want[0][5].clear();
    readBack();

    g.select(1, 1, 2, 4);
    EXPECT_EQ(g.clip(), want[1].mid(1, 4).join('\t') + '\r' + want[2].mid(1, 4).join('\t'));
    g.subtotalSum(FlexGrid::WholeListAbove, 4, "总合计");
    EXPECT_EQ(g.textMatrix(1, 4), "15");  // 1 + 2 + 12 + 0 and the added rows
    EXPECT_EQ(g.textMatrix(1, 0), "总合计");

    // A copy keeps its texts when the original is bound anew.
    FlexGrid copy;
    copy.copyFrom(g);
    g.bind(sql(kStockList.arg(kShop) + " And GUID=''"));
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(copy.rows(), want.size() + 1);
    EXPECT_EQ(copy.textMatrix(2, 2), "D04");  // below the copied total
    EXPECT_EQ(copy.textMatrix(4, 2), "C03");
    copy.setTextMatrix(4, 2, "C3");
    EXPECT_EQ(copy.textMatrix(4, 2), "C3");
    EXPECT_EQ(copy.textMatrix(5, 2), "C03");
}

TEST_F(GridBinding, TotalsOfLaterCallsMatchTotalsLaidOutAfresh)
{
    // Subtotal calls on a list that did not change in between only sum the new
    // column into the rows there are. The same calls on a grid filled in code,
    // with a change before each call (so that each lays its rows out afresh),
    // must come to the same list, look included.
    const QStringList values[] = {{"A01", "黑色", "3", "72.25"}, {"A01", "黑色", "1", "85"},
                                  {"A01", "白色", "12", "0.1"},  {"B02", "白色", "2", "199.5"},
                                  {"B02", "白色", "1", "x"},     {"A01", "黑色", "5", "10"}};
    int i = 0;
    for (const QStringList& v : values) {
        sql("Insert Into Store Values('{K" + QString::number(++i) + "}','" + kShop + "','" + v[0] +
            "','男鞋','青禾','40','" + v[1] + "','真皮','合格品','温州'," + v[2] + ",0,'" + v[3] + "','')");
    }
    FlexGrid bound;
    bound.bind(sql("Select GUID,TypeNo as 货号,Colour as 颜色,Quantity as 数量,IDCode as 金额 from Store Order By GUID"));
    FlexGrid afresh;
    QList<QStringList> rows;
    for (int r = 1; r < bound.rows(); ++r) {
        QStringList row;
        for (int c = 0; c < bound.cols(); ++c)
            row << bound.textMatrix(r, c);
        rows << row;
    }
    fill(afresh, {"", "GUID", "货号", "颜色", "数量", "金额"}, rows);

    const QColor blue = platform::vbColor(0xFF0000);
    const struct {
        int groupOn, totalOn;
        const char* caption;
        QColor fore;
        bool bold;
    } calls[] = {
        {2, 4, "合计", platform::vbColor(255), true},
        {2, 5, "小计", blue, false},  // the same rows, a second sum, a new caption and look
        {FlexGrid::WholeListAbove, 5, "总合计", platform::vbColor(255), true},
        {FlexGrid::WholeListAbove, 4, "总合计", platform::vbColor(255), true},
        {3, 4, "合计", platform::vbColor(255), true},  // rows inside the list: the first grouping's runs end at them
        {2, 4, "合计", platform::vbColor(255), true},
        {FlexGrid::WholeListBelow, 5, "合计", blue, true},
        {FlexGrid::WholeListAbove, 5, "总合计", platform::vbColor(255), true},
    };
    for (const auto& call : calls) {
        SCOPED_TRACE(testing::Message() << call.groupOn << "/" << call.totalOn);
        bound.subtotalSum(call.groupOn, call.totalOn, call.caption, call.fore, call.bold);
        afresh.setTextMatrix(0, 1, afresh.textMatrix(0, 1));
        afresh.subtotalSum(call.groupOn, call.totalOn, call.caption, call.fore, call.bold);
        ASSERT_EQ(subtotalRows(bound), subtotalRows(afresh));
        for (int c = 0; c < afresh.cols(); ++c)
            ASSERT_EQ(column(bound, c), column(afresh, c)) << c;
        for (int r = 1; r < afresh.rows(); ++r)
            for (int role : {Qt::ForegroundRole, Qt::FontRole}) {
                const QVariant a = bound.model()->index(r - 1, 1).data(role);
                const QVariant b = afresh.model()->index(r - 1, 1).data(role);
                ASSERT_EQ(a.isValid(), b.isValid()) << r;
                if (role == Qt::FontRole && a.isValid()) {
                    ASSERT_EQ(a.value<QFont>().bold(), b.value<QFont>().bold()) << r;
                }
                if (role == Qt::ForegroundRole && a.isValid()) {
                    ASSERT_EQ(a.value<QBrush>().color(), b.value<QBrush>().color()) << r;
                }
            }
    }
    EXPECT_EQ(bound.textMatrix(1, 0), "总合计");
    EXPECT_EQ(bound.textMatrix(1, 4), "24");
    EXPECT_EQ(bound.textMatrix(1, 5), "366.85");
}

// A cell too narrow for its text shows the whole text as its tool tip; one that
// fits shows none. The captions and the fixed column do the same.
TEST(FlexGrid, CutCellsShowTheirWholeTextAsToolTip)
{
    FlexGrid g;
    fill(g, {"", "销售编号与销售日期", "数量"}, {{"", "202610180001", "1"}, {"", "20261", "2"}});
    g.setColWidth(0, 195);  // 13 pixels
    g.setColWidth(1, 820);
    g.setColWidth(2, 820);
    g.subtotalSum(FlexGrid::WholeListAbove, 2, QStringLiteral("总合计"));
    ASSERT_EQ(g.textMatrix(1, 0), QStringLiteral("总合计"));
    const QAbstractItemModel* m = g.model();
    const auto tip = [&](int r, int c) {
        if (r == 0)
            return m->headerData(c - 1, Qt::Horizontal, Qt::ToolTipRole).toString();
        return c == 0 ? m->headerData(r - 1, Qt::Vertical, Qt::ToolTipRole).toString()
                      : m->index(r - 1, c - 1).data(Qt::ToolTipRole).toString();
    };
    const struct {
        int r, c;
        QString tip;
    } cases[] = {
        {2, 1, QStringLiteral("202610180001")},  // cut
        {3, 1, QString()},                       // fits
        {1, 2, QString()},                       // a short sum
        {1, 1, QString()},                       // empty
        {1, 0, QStringLiteral("总合计")},        // the fixed column's caption, cut
        {2, 0, QString()},
        {0, 1, QStringLiteral("销售编号与销售日期")},  // a caption, cut
        {0, 2, QString()},
    };
    for (const auto& k : cases)
        EXPECT_EQ(tip(k.r, k.c), k.tip) << k.r << "," << k.c;

    g.setColWidth(1, 4000);
    EXPECT_EQ(tip(2, 1), QString()) << "widened, the cell shows its whole text";
}

// A double click on a column's right edge in the caption row fits the column to
// the widest text of the whole list, however long, and keeps that width.
TEST(FlexGrid, DoubleClickOnAColumnEdgeFitsItToItsContents)
{
    FlexGrid g;
    QList<QStringList> rows;
    for (int i = 0; i < 1500; ++i)
        rows.append({"", "A01", "1"});
    rows.append({"", "一个很长很长的货号名称", "1"});  // far below the rows in sight
    fill(g, {"", "货号", "数量"}, rows);
    g.setColWidth(1, 820);
    g.setColWidth(2, 820);
    g.resize(400, 200);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    QHeaderView* h = g.horizontalHeader();
    const QPoint edge(h->sectionViewportPosition(0) + h->sectionSize(0) - 1, h->height() / 2);
    QTest::mouseDClick(h->viewport(), Qt::LeftButton, {}, edge);
    const int wanted = g.fontMetrics().horizontalAdvance(QStringLiteral("一个很长很长的货号名称"));
    EXPECT_GE(g.columnWidth(0), wanted);
    EXPECT_EQ(g.colWidth(1), g.columnWidth(0) * 15);
    EXPECT_EQ(g.colWidth(2), 820) << "the next column keeps its width";
}
