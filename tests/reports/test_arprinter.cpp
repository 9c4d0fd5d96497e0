// The report of a result grid: its fields, its detail lines, its pages and what
// each page shows, and the real printing path into a PDF file.
#include "reports/arprinter.h"
#include "reportgrids.h"

#include <QFontInfo>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

using reportgrids::fill;

// Three shown columns of 1,000, 1,500 and 2,000 twips beside a hidden one, and
// column 0 at 420.
void threeColumns(FlexGrid& g, int dataRows = 2)
{
    QList<QStringList> rows;
    for (int r = 1; r <= dataRows; ++r)
        rows << QStringList{"", QString("a%1").arg(r), "hidden", QString("b%1").arg(r), QString("c%1").arg(r)};
    fill(g, {"", "货号", "键", "种类", "数量"}, rows);
    g.setColHidden(2, true);
    g.setColWidth(0, 420);
    g.setColWidth(1, 1000);
    g.setColWidth(2, 700);
    g.setColWidth(3, 1500);
    g.setColWidth(4, 2000);
}

QString fieldsOf(const reports::ARPrinter& r)
{
    QStringList out;
    for (const reports::ReportField& f : r.fields())
        out << QString("%1@%2+%3%4%5%6%7")
                   .arg(f.column)
                   .arg(f.left)
                   .arg(f.width)
                   .arg(f.leftBorder ? "L" : "")
                   .arg(f.rightBorder ? "R" : "")
                   .arg(f.topBorder ? "T" : "")
                   .arg(f.bottomBorder ? "B" : "");
    return out.join(' ');
}

QStringList textsOf(const reports::ReportPage& p, reports::ReportPage::Kind kind)
{
    QStringList out;
    for (const reports::ReportPage::Text& t : p.texts)
        if (t.kind == kind)
            out << t.text;
    return out;
}

// Page height (twips) giving exactly `lines` detail lines.
double heightFor(int lines)
{
    return reports::ARPrinter::kHeaderHeight + reports::ARPrinter::kFooterHeight +
           lines * reports::ARPrinter::kRowHeight + 10;
}

}  // namespace

TEST(ReportFields, ShownColumnsSideBySideAtTheirWidths)
{
    FlexGrid g;
    threeColumns(g);
    const struct {
        bool recordIndex, swag;
        const char* fields;
        int printWidth;
    } cases[] = {
        {false, false, "1@0+1000 3@1000+1500 4@2500+2000", 4500},
        {true, false, "0@0+420 1@420+1000 3@1420+1500 4@2920+2000", 4920},
        {false, true, "1@0+1000LRTB 3@1000+1500RTB 4@2500+2000RTB", 4500},
        {true, true, "0@0+420LRTB 1@420+1000RTB 3@1420+1500RTB 4@2920+2000RTB", 4920},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields);
        reports::ARPrinter r;
        r.IsRecordIndex = c.recordIndex;
        r.IsSwag = c.swag;
        r.setGrid(g);
        EXPECT_EQ(fieldsOf(r), c.fields);
        EXPECT_EQ(r.PrintWidth(), c.printWidth);
    }
    g.setColHidden(0, true);
    reports::ARPrinter hiddenFixed;
    hiddenFixed.IsRecordIndex = true;
    hiddenFixed.setGrid(g);
    EXPECT_EQ(fieldsOf(hiddenFixed), "1@0+1000 3@1000+1500 4@2500+2000");
}

TEST(ReportLines, EveryGridRowCaptionsFirstAndTheReportKeepsItsOwnTexts)
{
    FlexGrid g;
    threeColumns(g);
    g.addItem("合计\t9\t\t8\t7", 1);
    reports::ARPrinter r;
    r.setGrid(g);
    ASSERT_EQ(r.lineCount(), 4);
    const QStringList expected[] = {{"货号", "种类", "数量"}, {"9", "8", "7"}, {"a1", "b1", "c1"}, {"a2", "b2", "c2"}};
    for (int line = 0; line < 4; ++line)
        for (int f = 0; f < 3; ++f)
            EXPECT_EQ(r.value(line, f), expected[line][f]) << line << "," << f;
    g.setTextMatrix(2, 1, "changed");
    g.setRows(1);
    EXPECT_EQ(r.value(2, 0), "a1") << "a copy, not a view of the grid";
    EXPECT_EQ(r.value(4, 0), "");
}

TEST(ReportPages, CountTitleFooterAndCaptionsOnThePageTheyFallOn)
{
    FlexGrid g;
    threeColumns(g, 9);  // 10 lines with the captions
    reports::ARPrinter r;
    r.lbInfo = "服装店数据报表";
    r.setGrid(g);
    const struct {
        int linesPerPage, pages;
    } cases[] = {{4, 3}, {5, 2}, {10, 1}, {11, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.linesPerPage);
        const reports::ReportLayout pages = r.layout(QSizeF(9000, heightFor(c.linesPerPage)));
        EXPECT_EQ(pages.linesPerPage(), c.linesPerPage);
        ASSERT_EQ(pages.pageCount(), c.pages);
        int lines = 0;
        for (int n = 1; n <= c.pages; ++n) {
            const reports::ReportPage p = pages.page(n);
            EXPECT_EQ(textsOf(p, reports::ReportPage::Kind::Title), QStringList{"服装店数据报表"});
            EXPECT_EQ(textsOf(p, reports::ReportPage::Kind::Footer),
                      QStringList{QString("%1 of %2").arg(n).arg(c.pages)});
            EXPECT_EQ(p.firstLine, lines);
            lines += p.lineCount;
        }
        EXPECT_EQ(lines, 10);
    }

    const reports::ReportLayout two = r.layout(QSizeF(9000, heightFor(5)));
    const QStringList first = textsOf(two.page(1), reports::ReportPage::Kind::Cell);
    const QStringList second = textsOf(two.page(2), reports::ReportPage::Kind::Cell);
    EXPECT_EQ(first.mid(0, 3), QStringList({"货号", "种类", "数量"}));
    EXPECT_FALSE(second.contains("货号")) << "no heading band: captions head page 1 only";
    EXPECT_EQ(second.mid(0, 3), QStringList({"a5", "b5", "c5"}));
    EXPECT_TRUE(two.page(3).texts.isEmpty());

    // Cells stand in their fields' boxes, one row height under another.
    const reports::ReportPage::Text b5 = two.page(2).texts[2];  // a copy: the page is a temporary
    ASSERT_EQ(b5.text, "b5");
    EXPECT_EQ(b5.box, QRectF(1000, reports::ARPrinter::kHeaderHeight, 1500, reports::ARPrinter::kRowHeight));

    r.lbInfo.clear();
    EXPECT_TRUE(textsOf(r.layout(QSizeF(9000, heightFor(5))).page(2), reports::ReportPage::Kind::Title).isEmpty());
}

TEST(ReportPages, BordersGiveOneMoreVerticalLineThanCellsInEveryLine)
{
    FlexGrid g;
    threeColumns(g);
    for (bool recordIndex : {false, true}) {
        reports::ARPrinter r;
        r.IsSwag = true;
        r.IsRecordIndex = recordIndex;
        r.setGrid(g);
        const int n = int(r.fields().size());
        const reports::ReportPage p = r.layout(QSizeF(9000, heightFor(10))).page(1);
        ASSERT_EQ(p.lineCount, 3);
        const double top = reports::ARPrinter::kHeaderHeight + reports::ARPrinter::kRowHeight;  // the second line
        QList<double> verticals;
        int horizontals = 0;
        for (const QLineF& l : p.borders) {
            if (l.x1() == l.x2() && l.y1() == top)
                verticals << l.x1();
            if (l.y1() == l.y2() && (l.y1() == top || l.y1() == top + reports::ARPrinter::kRowHeight))
                ++horizontals;
        }
        std::sort(verticals.begin(), verticals.end());
        EXPECT_EQ(verticals.size(), n + 1);
        EXPECT_EQ(verticals.first(), 0);
        EXPECT_EQ(verticals.last(), r.PrintWidth());
        EXPECT_EQ(std::unique(verticals.begin(), verticals.end()), verticals.end());
        // Its own top and bottom, and the line above's bottom and the line below's top.
        EXPECT_EQ(horizontals, 4 * n);
    }
    reports::ARPrinter plain;
    plain.setGrid(g);
    EXPECT_TRUE(plain.layout(QSizeF(9000, heightFor(10))).page(1).borders.isEmpty());
}

TEST(ReportPages, AWideListIsCutAtThePrintableWidth)
{
    FlexGrid g;
    threeColumns(g);
    reports::ARPrinter r;
    r.IsSwag = true;
    r.setGrid(g);
    const reports::ReportPage p = r.layout(QSizeF(2000, heightFor(10))).page(1);
    EXPECT_EQ(textsOf(p, reports::ReportPage::Kind::Cell).mid(0, 2), QStringList({"货号", "种类"}));
    EXPECT_FALSE(textsOf(p, reports::ReportPage::Kind::Cell).contains("数量"));
    for (const reports::ReportPage::Text& t : p.texts)
        EXPECT_LE(t.box.right(), 2000) << t.text.toStdString();
    for (const QLineF& l : p.borders)
        EXPECT_LE(std::max(l.x1(), l.x2()), 2000);
}

TEST(ReportPages, NoPrintedColumnGivesOneEmptyPage)
{
    FlexGrid g;
    threeColumns(g);
    for (int c = 0; c < g.cols(); ++c)
        g.setColHidden(c, true);
    reports::ARPrinter r;
    r.lbInfo = "标题";
    r.IsSwag = true;
    r.setGrid(g);
    EXPECT_EQ(r.lineCount(), 0);
    const reports::ReportLayout pages = r.layout(QSizeF(9000, heightFor(10)));
    ASSERT_EQ(pages.pageCount(), 1);
    const reports::ReportPage p = pages.page(1);
    EXPECT_TRUE(p.borders.isEmpty());
    EXPECT_EQ(textsOf(p, reports::ReportPage::Kind::Footer), QStringList{"1 of 1"});
    EXPECT_EQ(textsOf(p, reports::ReportPage::Kind::Title), QStringList{"标题"});
}

TEST(ReportFonts, SerifChineseFaceAtFixedSizes)
{
    const QString family = QFontInfo(reports::ARPrinter::fieldFont()).family();
    EXPECT_TRUE(family == "SimSun" || family == "宋体" || family == "Noto Serif CJK SC") << family.toStdString();
    EXPECT_EQ(reports::ARPrinter::fieldFont().pointSize(), 10);
    EXPECT_TRUE(reports::ARPrinter::titleFont().bold());
}

TEST(ReportPrinting, TwoPagesIntoAPdfWithTheTitleAndPageNumbersOnEach)
{
    FlexGrid g;
    threeColumns(g, 70);
    reports::ARPrinter r;
    r.lbInfo = "服装店数据报表";
    r.IsSwag = true;
    r.setGrid(g);

    for (int orientation : {reports::ARPrinter::kPortrait, reports::ARPrinter::kLandscape}) {
        SCOPED_TRACE(orientation);
        r.Orientation = orientation;
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("report.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        r.setUpPage(printer);
        const QSizeF area = reports::ARPrinter::printableArea(printer);
        EXPECT_EQ(area.width() > area.height(), orientation == reports::ARPrinter::kLandscape);
        const int pages = r.layout(area).pageCount();
        // 71 lines: two A4 pages upright, three across.
        ASSERT_EQ(pages, orientation == reports::ARPrinter::kPortrait ? 2 : 3);
        ASSERT_TRUE(r.print(printer));

        const QString text = reportgrids::pdfText(dir.filePath("report.pdf"));
        const QStringList sheets = text.split('\f', Qt::SkipEmptyParts);
        ASSERT_EQ(sheets.size(), pages) << text.toStdString();
        for (int n = 1; n <= pages; ++n) {
            const QString& sheet = sheets[n - 1];
            EXPECT_TRUE(sheet.contains("服装店数据报表")) << n;
            EXPECT_TRUE(sheet.contains(QString("%1 of %2").arg(n).arg(pages))) << sheet.toStdString();
        }
        EXPECT_TRUE(sheets[0].contains(QRegularExpression("货号\\s+种类\\s+数量")));
        EXPECT_TRUE(sheets[0].contains(QRegularExpression("a1\\s+b1\\s+c1")));
        EXPECT_FALSE(sheets[1].contains("货号"));
        EXPECT_TRUE(sheets[pages - 1].contains(QRegularExpression("a70\\s+b70\\s+c70")));
    }
}

TEST(ReportPrinting, APageRangePrintsThosePagesOnly)
{
    FlexGrid g;
    threeColumns(g, 60);
    reports::ARPrinter r;
    r.setGrid(g);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("range.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    r.setUpPage(printer);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 2);
    ASSERT_TRUE(r.print(printer));
    const QString text = reportgrids::pdfText(dir.filePath("range.pdf"));
    EXPECT_EQ(text.split('\f', Qt::SkipEmptyParts).size(), 1);
    EXPECT_TRUE(text.contains("2 of 2"));
    EXPECT_FALSE(text.contains("1 of 2"));
}
