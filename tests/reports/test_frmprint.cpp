// The print service driven as the user does: choosing columns and options,
// previewing, printing from the viewer and exporting to a workbook.
#include "platform/flexgrid.h"
#include "reportgrids.h"
#include "reports/frmprint.h"
#include "reports/reportviewer.h"
#include "support/fakes.h"
#include "support/xlsxreader.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

using reportgrids::texts;

class PrintService : public ::testing::Test {
protected:
    void SetUp() override { reportgrids::stockList(caller); }
    void TearDown() override
    {
        for (const QString& book : fakes.reports.workbooks)
            QDir(QFileInfo(book).absolutePath()).removeRecursively();
    }

    std::unique_ptr<frmPrint> open(bool isTotal = true)
    {
        auto w = std::make_unique<frmPrint>();
        w->LoadIt(caller, isTotal);
        return w;
    }
    static QStringList fixedColumn(const frmPrint& w)
    {
        QStringList out;
        for (int r = 0; r < w.VSFlexGrid->rows(); ++r)
            out << w.VSFlexGrid->textMatrix(r, 0);
        return out;
    }
    static QList<int> printedColumns(const frmPrint& w)
    {
        QList<int> out;
        for (const reports::ReportField& f : w.report()->fields())
            out << f.column;
        return out;
    }
    static void untick(frmPrint& w, const QString& caption)
    {
        const QList<QListWidgetItem*> found = w.listField->findItems(caption, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        found[0]->setCheckState(Qt::Unchecked);
    }

    FakePlatform fakes;
    FlexGrid caller;
};

}  // namespace

TEST_F(PrintService, OpensWithTheDesignedOptionsOnACopyOfTheGrid)
{
    const QStringList before = texts(caller);
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "打印");
    EXPECT_TRUE(w->chkIsTableHead->isChecked());
    EXPECT_EQ(w->txtTable->text(), "服装店数据报表");
    EXPECT_TRUE(w->txtTable->isEnabled());
    EXPECT_FALSE(w->chkRecordIndex->isChecked());
    EXPECT_TRUE(w->chkisTotal->isChecked());
    EXPECT_TRUE(w->chkisTotal->isEnabled());
    EXPECT_TRUE(w->chkIsSwag->isChecked());
    EXPECT_FALSE(w->Opt[0]->isChecked());
    EXPECT_TRUE(w->Opt[1]->isChecked());
    EXPECT_EQ(w->Opt[0]->text(), "横向");
    EXPECT_EQ(w->Opt[1]->text(), "纵向");
    EXPECT_EQ(w->fraOrientation->title(), "打印方向");
    EXPECT_EQ(w->lbFields->text(), "————可打印字段————");
    for (const auto& [button, caption] : {std::pair{w->comAutoSize, "自动尺寸"}, std::pair{w->cmdPreview, "打印预览"},
                                          std::pair{w->cmdExcel, "导出Excel"}})
        EXPECT_EQ(button->text(), caption);
    EXPECT_EQ(w->firstDataRow(), 2);
    EXPECT_EQ(w->report(), nullptr);

    const FlexGrid& copy = *w->VSFlexGrid;
    EXPECT_EQ(texts(copy), before);
    EXPECT_TRUE(copy.colHidden(1));
    EXPECT_EQ(copy.colWidth(0), 420);
    EXPECT_EQ(copy.colWidth(3), 1160);
    for (int c = 0; c < copy.cols(); ++c)
        EXPECT_EQ(copy.colAlignment(c), Qt::AlignCenter) << c;
    EXPECT_EQ(texts(caller), before);
    EXPECT_EQ(caller.colWidth(0), 200);

    // The hidden key column is not offered.
    ASSERT_EQ(w->listField->count(), 5);
    const QStringList offered = {"货号", "种类", "数量", "零售价", "条码"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(w->listField->item(i)->text(), offered[i]);
        EXPECT_EQ(w->listField->item(i)->data(Qt::UserRole).toInt(), i + 2);
        EXPECT_EQ(w->listField->item(i)->checkState(), Qt::Checked);
    }
}

TEST_F(PrintService, TheTotalsRowGoesOutAndComesBackWithTheSameTexts)
{
    auto w = open();
    const QStringList all = texts(*w->VSFlexGrid);
    w->chkisTotal->click();
    EXPECT_FALSE(w->totalsPresent());
    EXPECT_EQ(w->firstDataRow(), 1);
    EXPECT_EQ(texts(*w->VSFlexGrid), QStringList(all.mid(0, 1) + all.mid(2)));
    w->chkisTotal->click();
    EXPECT_TRUE(w->totalsPresent());
    EXPECT_EQ(w->firstDataRow(), 2);
    EXPECT_EQ(texts(*w->VSFlexGrid), all);
}

TEST_F(PrintService, TheTotalsBoxChangesNothingWithoutATotalsRow)
{
    auto plain = open(false);
    EXPECT_FALSE(plain->chkisTotal->isEnabled());
    EXPECT_EQ(plain->firstDataRow(), 1);
    const QStringList all = texts(*plain->VSFlexGrid);
    plain->chkisTotal->setChecked(false);
    EXPECT_EQ(texts(*plain->VSFlexGrid), all);
    EXPECT_EQ(plain->firstDataRow(), 1);

    caller.clearDataRows();  // an empty result, handed over as always with True
    auto empty = open(true);
    empty->chkisTotal->click();
    empty->chkisTotal->click();
    EXPECT_EQ(empty->VSFlexGrid->rows(), 1);
    empty->chkRecordIndex->setChecked(true);
    empty->cmdPreview->click();
    EXPECT_EQ(fixedColumn(*empty), QStringList{""});
    EXPECT_EQ(empty->report()->lineCount(), 1);
}

TEST_F(PrintService, ATotalsRowStandingAloneComesBackToo)
{
    caller.setRows(2);  // the captions and the totals row
    auto w = open();
    const QStringList all = texts(*w->VSFlexGrid);
    w->chkisTotal->click();
    EXPECT_EQ(w->VSFlexGrid->rows(), 1);
    w->chkisTotal->click();
    EXPECT_EQ(texts(*w->VSFlexGrid), all);
}

TEST_F(PrintService, RecordNumbersFromTheFirstDataRowAndTotalsInRowOne)
{
    const struct {
        bool numbers, totals;
        QStringList column;
    } cases[] = {
        {true, true, {"", "合计", "1", "2", "3", "4", "5"}},
        {false, true, {"", "合计", "", "", "", "", ""}},
        {true, false, {"", "1", "2", "3", "4", "5"}},
        {false, false, {"", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column.join(',').toStdString());
        auto w = open();
        // Numbers left by an earlier preview go at the next.
        w->chkRecordIndex->setChecked(true);
        w->cmdPreview->click();
        w->chkRecordIndex->setChecked(c.numbers);
        if (!c.totals)
            w->chkisTotal->click();
        w->cmdPreview->click();
        EXPECT_EQ(fixedColumn(*w), c.column);
        EXPECT_EQ(w->report()->IsRecordIndex, c.numbers);
        EXPECT_EQ(printedColumns(*w).value(0), c.numbers ? 0 : 2) << "column 0 printed only with numbers";
        if (c.numbers) {
            EXPECT_EQ(w->report()->value(1, 0), c.column[1]);
        }
    }
}

TEST_F(PrintService, AnEmptyTitleIsRefusedAndNoTitleGivesAnEmptyHeader)
{
    auto w = open();
    w->txtTable->clear();
    w->cmdPreview->click();
    ASSERT_EQ(fakes.messages.shown().size(), 1);
    EXPECT_EQ(fakes.messages.last().text, "请输入表头！");
    EXPECT_EQ(fakes.messages.last().icon, ui::Icon::Exclamation);
    EXPECT_EQ(fakes.messages.last().title, ui::appTitle());
    EXPECT_EQ(w->report(), nullptr);
    EXPECT_EQ(w->arv->pageCount(), 0);

    w->txtTable->setText("春季库存");
    w->chkIsTableHead->click();
    EXPECT_FALSE(w->txtTable->isEnabled());
    EXPECT_TRUE(w->txtTable->text().isEmpty());
    w->cmdPreview->click();
    ASSERT_NE(w->report(), nullptr);
    EXPECT_EQ(w->report()->lbInfo, "");
    EXPECT_EQ(fakes.messages.shown().size(), 1);

    w->chkIsTableHead->click();
    EXPECT_TRUE(w->txtTable->isEnabled());
    w->cmdPreview->click();
    EXPECT_EQ(fakes.messages.shown().size(), 2);
    w->txtTable->setText("春季库存");
    w->cmdPreview->click();
    EXPECT_EQ(w->report()->lbInfo, "春季库存");
}

TEST_F(PrintService, ThePreviewShowsTheReportOfTheChosenColumnsAndOptions)
{
    auto w = open();
    untick(*w, "种类");
    EXPECT_TRUE(w->VSFlexGrid->colHidden(3));
    EXPECT_FALSE(caller.colHidden(3));
    w->chkIsSwag->click();
    w->cmdPreview->click();
    std::shared_ptr<const reports::ARPrinter> first = w->report();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(printedColumns(*w), QList<int>({2, 4, 5, 6}));
    EXPECT_FALSE(first->IsSwag);
    EXPECT_EQ(first->Orientation, reports::ARPrinter::kPortrait);
    EXPECT_EQ(first->value(0, 0), "货号");
    EXPECT_EQ(first->value(1, 1), "12") << "the totals row is the second line";
    EXPECT_EQ(w->arv->report(), first);
    EXPECT_EQ(w->arv->pageCount(), 1);
    EXPECT_EQ(w->arv->currentPage(), 1);
    EXPECT_FALSE(w->arv->paper().pageLayout().orientation() == QPageLayout::Landscape);

    w->Opt[0]->click();
    w->chkIsSwag->click();
    w->listField->item(1)->setCheckState(Qt::Checked);
    w->cmdPreview->click();
    EXPECT_NE(w->report(), first) << "each preview makes a new report";
    EXPECT_EQ(w->report()->Orientation, reports::ARPrinter::kLandscape);
    EXPECT_TRUE(w->report()->IsSwag);
    EXPECT_EQ(printedColumns(*w), QList<int>({2, 3, 4, 5, 6}));
    EXPECT_EQ(w->arv->paper().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(w->arv->report(), w->report());
}

TEST_F(PrintService, AutoSizeFitsTheCopysColumnsToTheirTexts)
{
    auto w = open();
    w->comAutoSize->click();
    const int narrow = w->VSFlexGrid->colWidth(3);  // 种类: two characters at most
    const int wide = w->VSFlexGrid->colWidth(6);    // 条码: thirteen digits
    EXPECT_LT(narrow, wide);
    EXPECT_NE(narrow, 1160);
    EXPECT_EQ(w->VSFlexGrid->colWidth(0), 420);
    EXPECT_EQ(caller.colWidth(3), 1160);
    w->cmdPreview->click();
    const QList<reports::ReportField>& f = w->report()->fields();
    EXPECT_EQ(f[1].width, narrow);
    EXPECT_EQ(f[1].left, f[0].width);
}

TEST_F(PrintService, TheViewerPrintsTheReportOnThePrinterChosen)
{
    auto w = open();
    EXPECT_FALSE(w->arv->cmdPrint->isEnabled());
    w->cmdPreview->click();
    ASSERT_TRUE(w->arv->cmdPrint->isEnabled());
    w->arv->cmdPrint->click();
    EXPECT_EQ(fakes.reports.prints, 1);
    EXPECT_EQ(fakes.reports.lastReport, w->report());
    EXPECT_TRUE(fakes.messages.shown().isEmpty());

    fakes.reports.printOutcome = ui::PrintOutcome::Cancelled;
    w->arv->cmdPrint->click();
    EXPECT_TRUE(fakes.messages.shown().isEmpty());

    fakes.reports.printOutcome = ui::PrintOutcome::Failed;
    w->arv->cmdPrint->click();
    EXPECT_EQ(fakes.messages.texts(), QStringList{"打印失败！"});
    EXPECT_EQ(fakes.reports.prints, 3);
}

TEST_F(PrintService, TheViewerTurnsThePagesOfALongReport)
{
    for (int i = 0; i < 120; ++i)
        caller.addItem(QString("\t{X}\tC-%1\t衬衫\t1\t60\t").arg(i));
    auto w = open();
    w->resize(1200, 800);
    w->cmdPreview->click();
    reports::ReportViewer& v = *w->arv;
    const int pages = v.pageCount();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(v.lbPage->text(), QString("1 / %1").arg(pages));
    EXPECT_FALSE(v.cmdPrevious->isEnabled());
    v.cmdNext->click();
    EXPECT_EQ(v.currentPage(), 2);
    v.cmdLast->click();
    EXPECT_EQ(v.currentPage(), pages);
    EXPECT_FALSE(v.cmdNext->isEnabled());
    v.cmdFirst->click();
    EXPECT_EQ(v.currentPage(), 1);
    const double zoom = v.zoom();
    v.cmdZoomIn->click();
    EXPECT_GT(v.zoom(), zoom);
    v.cmdZoomOut->click();
    EXPECT_DOUBLE_EQ(v.zoom(), zoom);
    // The page shown paints without trouble.
    v.cmdNext->click();
    EXPECT_FALSE(w->grab().isNull());
    w->cmdPreview->click();
    EXPECT_EQ(v.currentPage(), 1) << "a new preview starts on its first page";
}

TEST_F(PrintService, TheExportWritesTheCopyAsItStandsIntoAFreshWorkbook)
{
    auto w = open();
    w->chkRecordIndex->setChecked(true);
    w->cmdPreview->click();
    untick(*w, "数量");
    w->chkIsTableHead->click();  // title, borders and orientation play no part
    w->Opt[0]->click();
    w->cmdExcel->click();

    ASSERT_EQ(fakes.reports.workbooks.size(), 1);
    const QString book = fakes.reports.lastWorkbook();
    EXPECT_EQ(book, w->exportedWorkbook());
    EXPECT_EQ(QFileInfo(book).fileName(), "QueryData.xlsx");
    EXPECT_TRUE(fakes.messages.shown().isEmpty());
    const XlsxSheet s = ReadXlsx(book);
    ASSERT_TRUE(s.error.isEmpty()) << s.error.toStdString();
    EXPECT_EQ(s.rows, 7);
    EXPECT_EQ(s.row(0), QStringList({"", "货号", "种类", "零售价", "条码"}));
    EXPECT_EQ(s.row(1), QStringList({"合计", "", "", "", ""}));
    EXPECT_EQ(s.row(2), QStringList({"1", "A-1", "夹克", "99.5", "0012"}));
    EXPECT_EQ(s.row(6), QStringList({"5", "合计", "", "", ""}));
    EXPECT_FALSE(s.isNumber(2, 4));
    EXPECT_TRUE(s.boxed(0, 0));

    // A second export never writes over the first, which may still be open.
    w->chkisTotal->click();
    w->cmdExcel->click();
    ASSERT_EQ(fakes.reports.workbooks.size(), 2);
    EXPECT_NE(QFileInfo(fakes.reports.workbooks[1]).absolutePath(), QFileInfo(book).absolutePath());
    EXPECT_TRUE(QFileInfo::exists(book));
    EXPECT_EQ(ReadXlsx(fakes.reports.workbooks[1]).row(1), QStringList({"1", "A-1", "夹克", "99.5", "0012"}));
}

TEST_F(PrintService, WithoutASpreadsheetProgramTheUserLearnsWhereTheWorkbookIs)
{
    fakes.reports.opensWorkbooks = false;
    auto w = open();
    w->cmdExcel->click();
    ASSERT_EQ(fakes.messages.shown().size(), 1);
    const ui::Message m = fakes.messages.last();
    EXPECT_EQ(m.text, "没有找到电子表格程序，数据已导出到：" + QDir::toNativeSeparators(w->exportedWorkbook()));
    EXPECT_EQ(m.icon, ui::Icon::Information);
    EXPECT_EQ(m.title, ui::appTitle());
    EXPECT_TRUE(QFileInfo::exists(w->exportedWorkbook()));
}
