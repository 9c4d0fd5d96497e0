#pragma once
// The real report output: documents go through Qt's print dialog onto the chosen
// printer, workbooks into the first spreadsheet program found on the machine.

#include "platform/base/services.h"

#include <functional>

namespace platform::ui {

class QtReportOutput : public ReportOutput {
public:
    QtReportOutput();

    // The print dialog is shown through the modal runner of the services in force.
    PrintOutcome print(std::shared_ptr<const PagedDocument> document, QWidget* parent) override;

    // Starts the first spreadsheet program of spreadsheetPrograms() found, through
    // the process launcher; failing that, hands the file to the desktop, but only
    // when the desktop names a program of its own for workbooks (a desktop without
    // one may open it in a web browser, or in nothing at all, and still report
    // success).
    bool openWorkbook(const QString& path) override;

    struct Program {
        QString name;
        QStringList args;  // the workbook's path follows them
    };
    static const QList<Program>& spreadsheetPrograms();

    // The desktop's program for a MIME type ("" when none): asks xdg-mime.
    std::function<QString(const QString& mimeType)> defaultHandler;

    static const QString kWorkbookType;  // the MIME type of .xlsx files
};

}  // namespace platform::ui
namespace ui = platform::ui;
