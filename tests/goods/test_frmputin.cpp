// The workbook import: one receipt per cell of the size block with pieces in
// it, all of a workbook in one transaction, or nothing.
#include "core/modmain.h"
#include "goods/frmputin.h"
#include "support/shopfixture.h"
#include "support/xlsx.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>

namespace {

class PutIn : public ShopFixture {
protected:
    // Chooses the workbook through the window's file dialog.
    void choose(frmPutIn& w, const QString& path)
    {
        fakes->files.nextPath = path;
        w.cmdSelect->click();
    }
    int count(const QString& table) { return scalar("select count(*) from " + table).toInt(); }
    // Goods number, size, colour, brand, quantity, price, retail of each stock row
    // with its line and batch, in receiving order.
    QStringList received()
    {
        QStringList rows;
        jet::RecordSet rs =
            sql("select s.TypeNo, s.[Size], s.Colour, s.Brand, s.Name, s.Leather, s.Grade, s.ProductPlace, "
                "s.Quantity, d.Quantity, b.Quantity, d.Price, b.Price, s.Price, d.DateTime, b.sDate, s.IDCode "
                "from Store s, StoreDetail d, BuyPrice b where d.ParentGUID=s.GUID and b.StoreGUID=s.GUID "
                "order by b.ID");
        for (; !rs.eof(); rs.moveNext()) {
            QStringList cells;
            for (int c = 0; c < rs.fieldCount(); ++c)
                cells << rs.text(rs.position(), c);
            rows << cells.join('|');
        }
        return rows;
    }
    QTemporaryDir dir;
};

// A sheet of rows x sizes in the default layout, every cell one piece.
QList<XlsxCell> grid(int rows, int sizes)
{
    QList<XlsxCell> cells;
    for (int s = 0; s < sizes; ++s)
        cells << XlsxCell{3, 6 + s, 35 + s};
    for (int r = 0; r < rows; ++r) {
        cells << XlsxCell{4 + r, 1, "青禾"} << XlsxCell{4 + r, 2, QString("ZM%1").arg(r)} << XlsxCell{4 + r, 3, "男鞋"}
              << XlsxCell{4 + r, 5, "黑色"} << XlsxCell{4 + r, 17, 80} << XlsxCell{4 + r, 18, 199};
        for (int s = 0; s < sizes; ++s)
            cells << XlsxCell{4 + r, 6 + s, 1};
    }
    return cells;
}

}  // namespace

TEST_F(PutIn, OpensWithTheDefaultLayout)
{
    frmPutIn w;
    EXPECT_EQ(w.windowTitle(), "数据导入");
    const QList<QPair<QLineEdit*, QString>> defaults = {
        {w.txtBeginRow, "4"},   {w.txtEndrow, ""},     {w.txtColourRow, "3"},  {w.txtSizeBCol, "6"},
        {w.txtSizeECol, "15"},  {w.txtTypeNoCol, "2"}, {w.txtBrandCol, "1"},   {w.txtNameCol, "3"},
        {w.txtColourCol, "5"},  {w.txtLeatherCol, ""}, {w.txtLevelCol, ""},    {w.txtProductCol, ""},
        {w.txtPriceCol, "17"},  {w.txtSellPriceCol, "18"}};
    for (const auto& [box, text] : defaults)
        EXPECT_EQ(box->text(), text) << box->objectName().toStdString();
    EXPECT_EQ(w.DT->date(), QDate(2024, 3, 5));
    EXPECT_FALSE(w.cmdPutIn->isEnabled());
    EXPECT_TRUE(w.ProgressBar->isHidden());

    // Cancelling the file dialog with no workbook chosen before changes nothing.
    choose(w, "");
    EXPECT_FALSE(w.cmdPutIn->isEnabled());
    EXPECT_EQ(fakes->files.filters, QStringList({"(*.xls *.xlsx)"}));
}

TEST_F(PutIn, OneReceiptPerCellWithPiecesFromXlsAndXlsx)
{
    // The same list in both formats: see tests/data/make_purchase_xls.py.
    const QString xlsx = dir.filePath("purchase.xlsx");
    QList<XlsxCell> cells = {{1, 1, "步行街店进货单"}};
    for (int i = 0; i < 10; ++i)
        cells << XlsxCell{3, 6 + i, 35 + i};
    cells << XlsxCell{4, 1, "青禾"} << XlsxCell{4, 2, "ZM001"} << XlsxCell{4, 3, "男鞋"} << XlsxCell{4, 5, "黑色"}
          << XlsxCell{4, 6, 2} << XlsxCell{4, 7, 0} << XlsxCell{4, 8, -1} << XlsxCell{4, 9, "abc"}
          << XlsxCell{4, 10, 2.5} << XlsxCell{4, 17, 80.5} << XlsxCell{4, 18, 199} << XlsxCell{4, 19, "真皮"}
          << XlsxCell{4, 20, "合格品"} << XlsxCell{4, 21, "温州"};
    cells << XlsxCell{5, 1, "远帆"} << XlsxCell{5, 2, "ZM001"} << XlsxCell{5, 3, "男鞋"} << XlsxCell{5, 5, "黑色"}
          << XlsxCell{5, 6, 1} << XlsxCell{5, 17, 80} << XlsxCell{5, 18, 199};
    cells << XlsxCell{6, 1, "Levi's"} << XlsxCell{6, 2, "K'7"} << XlsxCell{6, 3, "女鞋"} << XlsxCell{6, 5, "白色"}
          << XlsxCell{6, 15, 3} << XlsxCell{6, 17, 60} << XlsxCell{6, 18, 120} << XlsxCell{6, 19, "帆布"}
          << XlsxCell{6, 20, "一等"} << XlsxCell{6, 21, "广州"};
    ASSERT_TRUE(WriteXlsx(xlsx, cells));

    for (const QString& path : {QString(TEST_DATA_DIR "/purchase.xls"), xlsx}) {
        for (bool withProperties : {false, true}) {
            SCOPED_TRACE(path.toStdString() + (withProperties ? " with fabric, grade and place" : ""));
            for (const char* table : {"Store", "StoreDetail", "BuyPrice"})
                sql(QString("delete from ") + table);
            messages().clear();
            frmPutIn w;
            choose(w, path);
            ASSERT_TRUE(w.cmdPutIn->isEnabled());
            w.txtEndrow->setText("6");
            if (withProperties) {
                w.txtLeatherCol->setText("19");
                w.txtLevelCol->setText("20");
                w.txtProductCol->setText("21");
            }
            w.DT->setDate(QDate(2024, 2, 29));
            w.cmdPutIn->click();
            EXPECT_EQ(messages().texts(), QStringList({"导入成功!"}));
            EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
            EXPECT_EQ(messages().last().title, ui::appTitle());
            const QString f = withProperties ? "真皮|合格品|温州" : "||";
            const QString f3 = withProperties ? "帆布|一等|广州" : "||";
            // 0, -1, "abc" and empty cells write nothing; 2.5 pieces are 2 (halves to even);
            // the same goods number twice makes two stock rows of the same size.
            EXPECT_EQ(received(),
                      QStringList({"ZM001|35|黑色|青禾|男鞋|" + f + "|2|2|2|80.5|80.5|199|2024-02-29|2024-02-29|",
                                   "ZM001|39|黑色|青禾|男鞋|" + f + "|2|2|2|80.5|80.5|199|2024-02-29|2024-02-29|",
                                   "ZM001|35|黑色|远帆|男鞋||||1|1|1|80|80|199|2024-02-29|2024-02-29|",
                                   "K'7|44|白色|Levi's|女鞋|" + f3 + "|3|3|3|60|60|120|2024-02-29|2024-02-29|"}));
            EXPECT_EQ(count("Store"), 4);
            EXPECT_EQ(count("StoreDetail"), 4);
            EXPECT_TRUE(w.ProgressBar->isHidden());
            // Received: the same list cannot be received twice by a second click.
            EXPECT_FALSE(w.cmdPutIn->isEnabled());
            w.cmdPutIn->click();
            EXPECT_EQ(count("Store"), 4);
        }
    }
}

TEST_F(PutIn, ProgressRunsOverEveryCell)
{
    const QString path = dir.filePath("grid.xlsx");
    ASSERT_TRUE(WriteXlsx(path, grid(10, 10)));
    frmPutIn w;
    choose(w, path);
    w.txtEndrow->setText("13");
    QSignalSpy moved(w.ProgressBar, &QProgressBar::valueChanged);
    w.cmdPutIn->click();
    EXPECT_EQ(w.ProgressBar->minimum(), 1);
    EXPECT_EQ(w.ProgressBar->maximum(), 100);
    ASSERT_FALSE(moved.isEmpty());
    EXPECT_EQ(moved.first().first().toInt(), 1);
    EXPECT_EQ(moved.last().first().toInt(), 100);
    EXPECT_EQ(count("Store"), 100);
    EXPECT_EQ(messages().texts(), QStringList({"导入成功!"}));
}

TEST_F(PutIn, RangesAndRefusals)
{
    const QString path = dir.filePath("grid.xlsx");
    QList<XlsxCell> cells = grid(3, 2);
    cells << XlsxCell{5, 17, "八十"};  // the second row's purchase price
    ASSERT_TRUE(WriteXlsx(path, cells));
    frmPutIn w;
    choose(w, path);

    // No last row: asked for, nothing else.
    w.cmdPutIn->click();
    EXPECT_EQ(messages().texts(), QStringList({"请输入结束行！"}));
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_TRUE(w.ProgressBar->isHidden());

    // A price that is no number: the row and column are named, nothing is written.
    messages().clear();
    w.txtEndrow->setText("6");
    w.cmdPutIn->click();
    EXPECT_EQ(messages().texts(), QStringList({"第5行第17列的价格不正确，没有导入任何数据！"}));
    EXPECT_EQ(count("Store"), 0);
    EXPECT_TRUE(w.cmdPutIn->isEnabled());

    // The first row alone has good prices; a last row before the first imports nothing.
    for (const char* end : {"4", "3"}) {
        messages().clear();
        sql("delete from Store");
        w.txtEndrow->setText(end);
        w.cmdPutIn->click();
        EXPECT_EQ(messages().texts(), QStringList({"导入成功!"})) << end;
        EXPECT_EQ(count("Store"), QString(end) == "4" ? 2 : 0) << end;
        choose(w, path);
    }
}

TEST_F(PutIn, AFailedStatementLeavesTheDatabaseAsItWas)
{
    const QString path = dir.filePath("grid.xlsx");
    ASSERT_TRUE(WriteXlsx(path, grid(2, 2)));
    sql("Insert Into Store Values('{OLD}','" + gShopNo +
        "','OLD','男鞋','青禾','40','黑','','','',1,100,'','')");
    // The third receipt line is refused after two whole receipts were sent.
    sql("create unique index ixOneLinePerGoods on StoreDetail(TypeNo, [Size], Colour, Brand, Price)");
    sql("Insert Into StoreDetail Values('{L}','{OLD}','" + gShopNo +
        "','ZM1','男鞋','青禾','35','黑色','','',80,1,'','','2024-03-01')");
    frmPutIn w;
    choose(w, path);
    w.txtEndrow->setText("5");
    w.cmdPutIn->click();
    ASSERT_EQ(messages().shown().size(), 1) << "the engine's words, no success";
    EXPECT_TRUE(messages().last().text.contains("UNIQUE", Qt::CaseInsensitive));
    EXPECT_EQ(count("Store"), 1);
    EXPECT_EQ(count("StoreDetail"), 1);
    EXPECT_EQ(count("BuyPrice"), 0);

    // The workbook stays chosen: once the obstacle is gone the same import goes through.
    sql("drop index ixOneLinePerGoods");
    messages().clear();
    ASSERT_TRUE(w.cmdPutIn->isEnabled());
    w.cmdPutIn->click();
    EXPECT_EQ(messages().texts(), QStringList({"导入成功!"}));
    EXPECT_EQ(count("Store"), 5);
    EXPECT_EQ(count("BuyPrice"), 4);
}

TEST_F(PutIn, AFileThatIsNoWorkbookIsReported)
{
    const QString path = dir.filePath("list.xls");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("ZM001,38,2\n");
    f.close();
    frmPutIn w;
    choose(w, path);
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_TRUE(messages().last().text.startsWith("不能打开这个工作簿：" + path));
    EXPECT_FALSE(w.cmdPutIn->isEnabled());
}
