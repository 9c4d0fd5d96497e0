#include "platform/receiptprinter.h"

#include "platform/chineseface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <memory>

namespace platform::ui {

QFont QtReceiptPrinter::fontOf(const PrintBlock& block)
{
    QFont font(kChineseMonoFace);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(block.pointSize > 0 ? block.pointSize : 10);
    font.setBold(block.bold);
    return font;
}

bool QtReceiptPrinter::print(const QList<PrintBlock>& document)
{
    std::unique_ptr<QPrinter> printer;
    if (pdfFile_.isEmpty()) {
        const QPrinterInfo target = QPrinterInfo::defaultPrinter();
        if (target.isNull())
            return false;
        printer = std::make_unique<QPrinter>(target, QPrinter::HighResolution);
    } else {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile_);
    }

    QPainter painter;
    if (!painter.begin(printer.get()))
        return false;
    const qreal pageHeight = printer->pageLayout().paintRectPixels(printer->resolution()).height();
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));

    qreal y = 0;
    for (const PrintBlock& block : document) {
        const QFont font = fontOf(block);
        painter.setFont(font);
        const QFontMetricsF metrics(painter.font(), printer.get());
        for (const QString& line : block.text.split(lineEnd)) {
            if (y > 0 && y + metrics.height() > pageHeight) {
                if (!printer->newPage()) {
                    printer->abort();
                    painter.end();
                    return false;
                }
                y = 0;
            }
            if (!line.isEmpty())
                painter.drawText(QPointF(0, y + metrics.ascent()), line);
            y += metrics.lineSpacing();
        }
    }
    return painter.end() && printer->printerState() != QPrinter::Error;
}

}  // namespace platform::ui
