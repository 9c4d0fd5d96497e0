// The real receipt printer, aimed at a PDF file and read back with pdftotext.

#include "platform/receiptprinter.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The words of a PDF file, pages separated by form feeds.
QString pdfText(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed: " << p.errorString().toStdString()
                      << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(ReceiptPrinter, PrintsTheBlocksIntoOneDocument)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("receipt.pdf"));
    ui::QtReceiptPrinter printer(file);
    const QList<ui::PrintBlock> receipt{
        {QStringLiteral("    东门店结帐单       "), 10, true},
        {QStringLiteral("\r\n   销售编号：202403050001\r\n货号   品牌 数量 零售价 折扣 实收 \r\n\r\n"
                        "AB1234567890青禾 1 99.5  全  100  \r\n    谢谢惠顾，欢迎下次光临！\r\n   "),
         8, false}};
    ASSERT_TRUE(printer.print(receipt));

    // pdftotext reads a few characters back as the radical that shares their
    // glyph (门 as ⻔, 青 as ⻘), so the words looked for have none of them.
    const QString text = pdfText(file);
    for (const char* word : {"店结帐单", "销售编号：202403050001", "零售价", "AB1234567890", "99.5", "全 100",
                             "谢谢惠顾，欢迎下次光临！"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word << " not in:\n" << text.toStdString();
    EXPECT_EQ(text.count(QLatin1Char('\f')), 1) << "one page";
}

TEST(ReceiptPrinter, ALongDocumentGoesOnToTheNextPage)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("long.pdf"));
    QStringList lines;
    for (int i = 1; i <= 200; ++i)
        lines << QStringLiteral("line %1").arg(i);
    ASSERT_TRUE(ui::QtReceiptPrinter(file).print({{lines.join(QStringLiteral("\r\n")), 10, false}}));

    const QString text = pdfText(file);
    EXPECT_TRUE(text.contains(QStringLiteral("line 1\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("line 200")));
    EXPECT_GT(text.count(QLatin1Char('\f')), 1);
}

TEST(ReceiptPrinter, FailuresAreReported)
{
    QTemporaryDir dir;
    const QList<ui::PrintBlock> doc{{QStringLiteral("x"), 10, false}};
    EXPECT_FALSE(ui::QtReceiptPrinter(dir.filePath(QStringLiteral("no-such-folder/r.pdf"))).print(doc));
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    EXPECT_FALSE(ui::QtReceiptPrinter().print(doc));
}

TEST(ReceiptPrinter, ChineseCharactersTakeTwoCells)
{
    for (bool bold : {false, true}) {
        const QFont font = ui::QtReceiptPrinter::fontOf({QString(), 8, bold});
        EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Noto Sans Mono CJK SC"));
        EXPECT_EQ(QFontInfo(font).bold(), bold);
        // A line of 40 cells in Chinese and in other characters; screen metrics
        // round each advance a little, so the widths agree within a tenth of a cell.
        const QFontMetricsF m(font);
        const qreal cell = m.horizontalAdvance(QLatin1Char(' '));
        const qreal wide = m.horizontalAdvance(QStringLiteral("货号品牌种类尺码数：").repeated(2));
        EXPECT_NEAR(wide, 40 * cell, 0.1 * cell);
        EXPECT_NEAR(m.horizontalAdvance(QStringLiteral("il1 WM.8/").repeated(4) + "iiii"), 40 * cell, 0.1 * cell);
    }
}

}  // namespace
