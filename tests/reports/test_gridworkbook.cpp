// A result grid written by libxlsxwriter and read back from the file.
#include "reports/gridworkbook.h"
#include "reportgrids.h"
#include "support/xlsxreader.h"

#include <QTemporaryDir>

TEST(GridWorkbook, NumbersOnlyWhereTheSpreadsheetShowsTheTextAgain)
{
    const struct {
        const char* text;
        bool number;
        double value;
    } cases[] = {
        {"12", true, 12},       {"99.5", true, 99.5},       {"-3", true, -3},           {"0", true, 0},
        {"12345678901", true, 12345678901.0},                {"0.25", true, 0.25},
        {"0012", false, 0},     {"1.50", false, 0},         {"1e5", false, 0},          {" 7", false, 0},
        {"7 ", false, 0},       {"+5", false, 0},           {".5", false, 0},           {"-0", false, 0},
        {"1,000", false, 0},    {"inf", false, 0},          {"nan", false, 0},          {"", false, 0},
        {"A-1", false, 0},      {"123456789012", false, 0}, {"6901234567890", false, 0}, {"合计", false, 0},
    };
    for (const auto& c : cases) {
        double v = -1;
        EXPECT_EQ(reports::WorkbookNumber(QString::fromUtf8(c.text), &v), c.number) << c.text;
        if (c.number) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(GridWorkbook, ShownColumnsSideBySideFromColumnAWithEveryCellBoxed)
{
    FlexGrid g;
    reportgrids::stockList(g);
    g.setTextMatrix(1, 0, "合计");
    g.setTextMatrix(2, 0, "1");
    g.setColHidden(4, true);  // 数量
    QTemporaryDir dir;
    const QString file = dir.filePath("QueryData.xlsx");
    QString error;
    ASSERT_TRUE(reports::WriteGridWorkbook(g, file, &error)) << error.toStdString();

    const XlsxSheet s = ReadXlsx(file);
    ASSERT_TRUE(s.error.isEmpty()) << s.error.toStdString();
    EXPECT_EQ(s.rows, g.rows());
    EXPECT_EQ(s.cols, 5);
    EXPECT_EQ(s.row(0), QStringList({"", "货号", "种类", "零售价", "条码"}));
    EXPECT_EQ(s.row(1), QStringList({"合计", "", "", "", ""}));
    EXPECT_EQ(s.row(2), QStringList({"1", "A-1", "夹克", "99.5", "0012"}));
    EXPECT_EQ(s.row(3), QStringList({"", "A-1", "夹克", "99.5", "6901234567890"}));
    EXPECT_EQ(s.row(4), QStringList({"", "合计", "", "", ""}));
    EXPECT_TRUE(s.isNumber(2, 0));
    EXPECT_TRUE(s.isNumber(2, 3));
    EXPECT_FALSE(s.isNumber(2, 4)) << "0012 stays text";
    EXPECT_FALSE(s.isNumber(3, 4)) << "a bar code stays text";
    EXPECT_FALSE(s.isNumber(2, 1));

    for (int r = 0; r < s.rows; ++r)
        for (int c = 0; c < s.cols; ++c)
            EXPECT_TRUE(s.boxed(r, c)) << r << "," << c;
    // The rest of the sheet through its columns' format.
    ASSERT_EQ(s.columns.size(), 1);
    EXPECT_EQ(s.columns[0].first, 0);
    EXPECT_EQ(s.columns[0].last, 16383);
    EXPECT_TRUE(s.boxed(500, 16000));
}

TEST(GridWorkbook, AFileThatCannotBeWrittenIsReported)
{
    FlexGrid g;
    reportgrids::stockList(g);
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(reports::WriteGridWorkbook(g, dir.filePath("no-such-folder/QueryData.xlsx"), &error));
    EXPECT_FALSE(error.isEmpty());
}
