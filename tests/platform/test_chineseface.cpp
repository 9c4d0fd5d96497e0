// The program's texts are Chinese whatever the locale: windows and receipts take
// their Han characters from the Simplified Chinese faces, where fontconfig's own
// fallback outside a Chinese locale gives the Japanese forms of some of them.
#include "platform/receiptprinter.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QLabel>
#include <QRawFont>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

// The faces the glyphs of `text` are drawn from in `font`, in order.
QStringList facesDrawing(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList faces;
    for (const QGlyphRun& run : layout.glyphRuns())
        faces << run.rawFont().familyName();
    return faces;
}

const QString kHan = QStringLiteral("售货查询 骨 直 总合计");

}  // namespace

// The test programs set the face as the program does where it starts.
TEST(ChineseFace, WindowsAndReceiptsDrawHanInTheSimplifiedChineseFaces)
{
    QLabel window(kHan);
    EXPECT_EQ(QFontInfo(window.font()).family(), QStringLiteral("Noto Sans CJK SC"));
    EXPECT_EQ(facesDrawing(kHan, window.font()), QStringList{QStringLiteral("Noto Sans CJK SC")});

    QFont bold = window.font();
    bold.setBold(true);
    EXPECT_EQ(facesDrawing(kHan, bold), QStringList{QStringLiteral("Noto Sans CJK SC")});

    const QFont receipt = ui::QtReceiptPrinter::fontOf({kHan, 10, false});
    EXPECT_EQ(facesDrawing(kHan, receipt), QStringList{QStringLiteral("Noto Sans Mono CJK SC")});
}
