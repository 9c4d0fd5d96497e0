#include "platform/reportoutput.h"

#include <QDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>

namespace platform::ui {

const QString QtReportOutput::kWorkbookType =
    QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");

namespace {

QString askXdgMime(const QString& mimeType)
{
    QProcess p;
    p.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

}  // namespace

QtReportOutput::QtReportOutput() : defaultHandler(askXdgMime) {}

PrintOutcome QtReportOutput::print(std::shared_ptr<const PagedDocument> document, QWidget* parent)
{
    if (!document)
        return PrintOutcome::Failed;
    QPrinter printer(QPrinter::HighResolution);
    document->setUpPage(printer);
    QPrintDialog dialog(&printer, parent);
    if (platform().modal->exec(&dialog) != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    return document->print(printer) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

const QList<QtReportOutput::Program>& QtReportOutput::spreadsheetPrograms()
{
    static const QList<Program> programs{
        {QStringLiteral("libreoffice"), {QStringLiteral("--calc")}},
        {QStringLiteral("soffice"), {QStringLiteral("--calc")}},
        {QStringLiteral("localc"), {}},
        {QStringLiteral("gnumeric"), {}},
        {QStringLiteral("onlyoffice-desktopeditors"), {}},
        {QStringLiteral("et"), {}},
    };
    return programs;
}

bool QtReportOutput::openWorkbook(const QString& path)
{
    ProcessLauncher& proc = *platform().proc;
    for (const Program& p : spreadsheetPrograms()) {
        const QString found = proc.findExecutable({p.name});
        if (!found.isEmpty() && proc.startDetached(found, p.args + QStringList{path}))
            return true;
    }
    if (!defaultHandler || defaultHandler(kWorkbookType).isEmpty())
        return false;
    return proc.openDocument(path);
}

}  // namespace platform::ui
