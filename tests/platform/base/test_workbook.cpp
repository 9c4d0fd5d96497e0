// Reading the first worksheet of .xls and .xlsx workbooks.
#include "platform/base/workbook.h"
#include "support/basefakes.h"
#include "support/xlsx.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Workbook, XlsxCellsAsTheirTexts)
{
    QTemporaryDir dir;
    for (bool inlineTexts : {false, true}) {
        SCOPED_TRACE(inlineTexts ? "texts in the cells" : "shared texts");
        // Named .xls: the format is found from the content.
        const QString path = dir.filePath(inlineTexts ? "inline.xls" : "shared.xlsx");
        ASSERT_TRUE(WriteXlsx(path, {{1, 1, "进货单"},
                                     {3, 6, 38},
                                     {3, 7, 38.5},
                                     {4, 1, "Levi's"},
                                     {4, 2, "0012"},
                                     {4, 6, 2},
                                     {4, 7, 3.7},
                                     {4, 17, 80.5},
                                     {27, 28, "AB27"},
                                     {5, 2, "进货单"}},
                              inlineTexts));
        workbook::Sheet sheet;
        QString error;
        ASSERT_TRUE(workbook::ReadFirstSheet(path, &sheet, &error)) << error.toStdString();
        EXPECT_EQ(sheet.cell(1, 1), "进货单");
        EXPECT_EQ(sheet.cell(5, 2), "进货单");
        EXPECT_EQ(sheet.cell(3, 6), "38");
        EXPECT_EQ(sheet.cell(3, 7), "38.5");
        EXPECT_EQ(sheet.cell(4, 1), "Levi's");
        EXPECT_EQ(sheet.cell(4, 2), "0012") << "a text stays a text";
        EXPECT_EQ(sheet.cell(4, 6), "2");
        EXPECT_EQ(sheet.cell(4, 7), "3.7");
        EXPECT_EQ(sheet.cell(4, 17), "80.5");
        EXPECT_EQ(sheet.cell(27, 28), "AB27");
        EXPECT_EQ(sheet.cell(4, 3), "");
        EXPECT_EQ(sheet.cell(0, 0), "");
    }
}

TEST(Workbook, XlsCellsAsTheirTexts)
{
    // Written by tests/data/make_purchase_xls.py.
    workbook::Sheet sheet;
    QString error;
    ASSERT_TRUE(workbook::ReadFirstSheet(TEST_DATA_DIR "/purchase.xls", &sheet, &error)) << error.toStdString();
    EXPECT_EQ(sheet.cell(1, 1), "步行街店进货单");
    EXPECT_EQ(sheet.cell(3, 6), "35");
    EXPECT_EQ(sheet.cell(3, 15), "44");
    EXPECT_EQ(sheet.cell(4, 1), "青禾");
    EXPECT_EQ(sheet.cell(4, 2), "ZM001");
    EXPECT_EQ(sheet.cell(4, 10), "2.5");
    EXPECT_EQ(sheet.cell(4, 9), "abc");
    EXPECT_EQ(sheet.cell(4, 17), "80.5");
    EXPECT_EQ(sheet.cell(6, 1), "Levi's");
    EXPECT_EQ(sheet.cell(6, 2), "K'7");
    EXPECT_EQ(sheet.cell(7, 6), "") << "formulas are not computed";
}

TEST(Workbook, OtherFilesAreRefused)
{
    QTemporaryDir dir;
    const QString text = dir.filePath("list.xls");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("货号,尺码\nZM001,38\n");
    f.close();
    const QString zip = dir.filePath("broken.xlsx");
    QFile z(zip);
    ASSERT_TRUE(z.open(QIODevice::WriteOnly));
    z.write("PK\x03\x04 not really a zip");
    z.close();
    for (const QString& path : {text, zip, dir.filePath("missing.xlsx")}) {
        workbook::Sheet sheet;
        QString error;
        EXPECT_FALSE(workbook::ReadFirstSheet(path, &sheet, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(sheet.isEmpty());
    }
}
