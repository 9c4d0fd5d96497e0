#include "platform/qtservices.h"

#include "platform/receiptprinter.h"
#include "platform/reportoutput.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace platform::ui {

namespace {

class QtMessageService : public MessageService {
public:
    bool show(const Message& m) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(m.title);
        box.setText(m.text);
        switch (m.icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        }
        // Button texts are our own, so nothing depends on installed translations.
        if (m.buttons == Buttons::Ok) {
            QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
            box.setDefaultButton(ok);
            box.setEscapeButton(ok);
            box.exec();
            return true;
        }
        QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(m.defaultAnswer == Answer::No ? no : yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }
};

class QtModalRunner : public ModalRunner {
public:
    int exec(QDialog* dlg) override { return dlg->exec(); }
};

class QtFileDialogs : public FileDialogs {
public:
    QString openFile(QWidget* parent, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    }
};

class QtProcessLauncher : public ProcessLauncher {
public:
    bool startDetached(const QString& program, const QStringList& args) override
    {
        return QProcess::startDetached(program, args);
    }
    QString findExecutable(const QStringList& candidates) override
    {
        for (const QString& c : candidates) {
            if (QFileInfo(c).isAbsolute()) {
                if (QFileInfo(c).isExecutable())
                    return c;
                continue;
            }
            const QString found = QStandardPaths::findExecutable(c);
            if (!found.isEmpty())
                return found;
        }
        return {};
    }
    bool openDocument(const QString& path) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

}  // namespace

Platform realPlatform()
{
    static QtMessageService messages;
    static QtModalRunner modal;
    static QtFileDialogs files;
    static QtProcessLauncher proc;
    static QtReceiptPrinter receipts;
    static QtReportOutput reports;
    Platform p;
    p.msg = &messages;
    p.modal = &modal;
    p.files = &files;
    p.proc = &proc;
    p.receipts = &receipts;
    p.reports = &reports;
    p.clock = &systemClock();
    return p;
}

}  // namespace platform::ui
