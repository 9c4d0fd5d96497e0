#pragma once
// Plain-text documents on paper: each document is one job on the system's default
// printer, drawn line by line in a fixed-pitch font whose Chinese characters take
// exactly two cells, so columns made of runs of spaces line up.

#include "platform/base/services.h"

#include <QFont>
#include <QString>

namespace platform::ui {

class QtReceiptPrinter : public ReceiptPrinter {
public:
    QtReceiptPrinter() = default;
    // Writes every document into this PDF file instead ("" prints on the default printer).
    explicit QtReceiptPrinter(const QString& pdfFile) : pdfFile_(pdfFile) {}
    void setOutputFile(const QString& pdfFile) { pdfFile_ = pdfFile; }

    // False when there is no default printer or the job could not be completed.
    bool print(const QList<PrintBlock>& document) override;

    // The font a block is printed in.
    static QFont fontOf(const PrintBlock& block);

private:
    QString pdfFile_;
};

}  // namespace platform::ui
namespace ui = platform::ui;
