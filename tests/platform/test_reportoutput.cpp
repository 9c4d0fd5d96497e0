// The real report output: the print dialog through the modal runner onto the
// printer chosen in it, and the search for a spreadsheet program.
#include "platform/reportoutput.h"
#include "support/fakes.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// One page with one word, in landscape.
class OnePage : public ui::PagedDocument {
public:
    void setUpPage(QPrinter& printer) const override { printer.setPageOrientation(QPageLayout::Landscape); }
    bool print(QPrinter& printer) const override
    {
        QPainter p;
        if (!p.begin(&printer))
            return false;
        p.drawText(100, 100, QStringLiteral("word"));
        return p.end();
    }
};

}  // namespace

TEST(ReportOutput, PrintsOnThePrinterChosenInTheDialog)
{
    FakePlatform fakes;
    QTemporaryDir dir;
    const QString file = dir.filePath("out.pdf");
    bool landscapeOffered = false;
    fakes.modal.on<QPrintDialog>([&](QPrintDialog* d) {
        landscapeOffered = d->printer()->pageLayout().orientation() == QPageLayout::Landscape;
        d->printer()->setOutputFormat(QPrinter::PdfFormat);
        d->printer()->setOutputFileName(file);
        return int(QDialog::Accepted);
    });
    ui::QtReportOutput out;
    EXPECT_EQ(out.print(std::make_shared<OnePage>(), nullptr), ui::PrintOutcome::Printed);
    EXPECT_EQ(fakes.modal.opened(), QStringList{"QPrintDialog"});
    EXPECT_TRUE(landscapeOffered) << "the document sets the page up before the dialog";
    EXPECT_GT(QFileInfo(file).size(), 0);
}

TEST(ReportOutput, ACancelledDialogPrintsNothingAndAFailedPrinterSaysSo)
{
    FakePlatform fakes;
    QTemporaryDir dir;
    const QString file = dir.filePath("out.pdf");
    int answer = QDialog::Rejected;
    QString target = file;
    fakes.modal.on<QPrintDialog>([&](QPrintDialog* d) {
        d->printer()->setOutputFormat(QPrinter::PdfFormat);
        d->printer()->setOutputFileName(target);
        return answer;
    });
    ui::QtReportOutput out;
    EXPECT_EQ(out.print(std::make_shared<OnePage>(), nullptr), ui::PrintOutcome::Cancelled);
    EXPECT_FALSE(QFileInfo::exists(file));

    answer = QDialog::Accepted;
    target = dir.filePath("no-such-folder/out.pdf");
    EXPECT_EQ(out.print(std::make_shared<OnePage>(), nullptr), ui::PrintOutcome::Failed);
}

TEST(ReportOutput, WorkbooksGoToTheFirstSpreadsheetProgramFound)
{
    FakePlatform fakes;
    ui::QtReportOutput out;
    QStringList asked;
    out.defaultHandler = [&](const QString& type) {
        asked << type;
        return QString();
    };
    const QString book = "/tmp/x/QueryData.xlsx";

    fakes.proc.available = {"gnumeric", "soffice", "et"};
    EXPECT_TRUE(out.openWorkbook(book));
    EXPECT_EQ(fakes.proc.started, QStringList{"soffice --calc " + book});

    fakes.proc.started.clear();
    fakes.proc.available = {"localc"};
    EXPECT_TRUE(out.openWorkbook(book));
    EXPECT_EQ(fakes.proc.started, QStringList{"localc " + book});
    EXPECT_TRUE(asked.isEmpty()) << "the desktop is asked only when no program is found";
    EXPECT_TRUE(fakes.proc.documents.isEmpty());
}

TEST(ReportOutput, TheDesktopOpensAWorkbookOnlyWhenItNamesAProgramForIt)
{
    FakePlatform fakes;
    ui::QtReportOutput out;
    QString handler;
    QStringList asked;
    out.defaultHandler = [&](const QString& type) {
        asked << type;
        return handler;
    };
    const QString book = "/tmp/x/QueryData.xlsx";

    EXPECT_FALSE(out.openWorkbook(book));
    EXPECT_TRUE(fakes.proc.documents.isEmpty());
    EXPECT_EQ(asked, QStringList{"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"});

    handler = "libreoffice-calc.desktop";
    EXPECT_TRUE(out.openWorkbook(book));
    EXPECT_EQ(fakes.proc.documents, QStringList{book});

    // A program that is there but does not start counts as none.
    fakes.proc.documents.clear();
    fakes.proc.available = {"libreoffice"};
    fakes.proc.startSucceeds = false;
    EXPECT_TRUE(out.openWorkbook(book));
    EXPECT_EQ(fakes.proc.documents, QStringList{book});
}
