#include "platform/services.h"

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

namespace ui {

QString appTitle() { return QCoreApplication::applicationName(); }

void MessageService::info(const QString& text, const QString& title)
{
    show({text, title, Icon::Information, Buttons::Ok});
}

void MessageService::exclaim(const QString& text, const QString& title)
{
    show({text, title, Icon::Exclamation, Buttons::Ok});
}

void MessageService::plain(const QString& text, const QString& title)
{
    show({text, title, Icon::None, Buttons::Ok});
}

bool MessageService::ask(const QString& text, const QString& title, Icon icon)
{
    return show({text, title, icon, Buttons::YesNo});
}

bool MessageService::askBeforeLoss(const QString& text, const QString& title, Icon icon)
{
    return show({text, title, icon, Buttons::YesNo, Answer::No});
}

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

class SystemClock : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
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
    static SystemClock clock;
    Platform p;
    p.msg = &messages;
    p.modal = &modal;
    p.files = &files;
    p.proc = &proc;
    p.receipts = &receipts;
    p.reports = &reports;
    p.clock = &clock;
    return p;
}

Platform& platform()
{
    static Platform current = realPlatform();
    return current;
}

void setPlatform(const Platform& p) { platform() = p; }

QDate today() { return platform().clock->today(); }
QDateTime now() { return platform().clock->now(); }

namespace {
QString& folderOverride()
{
    static QString folder;
    return folder;
}
}  // namespace

QString programFolder()
{
    return folderOverride().isEmpty() ? QCoreApplication::applicationDirPath() : folderOverride();
}

void setProgramFolder(const QString& folder) { folderOverride() = folder; }

QString dayText(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

QString dateTimeText(const QDateTime& t) { return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

}  // namespace ui
