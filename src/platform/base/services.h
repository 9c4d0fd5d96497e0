#pragma once
// The window services every form goes through for anything that would block or
// reach outside the program: message boxes, modal windows, file dialogs, started
// programs, printing and the clock. Only their interfaces live here, free of
// widgets: main() installs the real ones (platform/qtservices.h); tests install
// fakes that record and answer without blocking.

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QDialog;
class QPrinter;
class QWidget;

namespace platform::ui {

inline const QString kTitleTip = QStringLiteral("提示");
inline const QString kTitleAsk = QStringLiteral("询问");

// The application's title: the program's name (QCoreApplication::applicationName,
// set by main()), shown in the main window's caption, the about box and every
// message box without a title of its own.
QString appTitle();

enum class Icon { None, Information, Exclamation, Question };
enum class Buttons { Ok, YesNo };
// The button of a question that Enter presses.
enum class Answer { Yes, No };

struct Message {
    QString text;
    QString title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Answer defaultAnswer = Answer::Yes;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the box; true means Yes (or OK).
    virtual bool show(const Message& m) = 0;

    void info(const QString& text, const QString& title = appTitle());
    void exclaim(const QString& text, const QString& title = appTitle());
    void plain(const QString& text, const QString& title = appTitle());
    bool ask(const QString& text, const QString& title = kTitleTip, Icon icon = Icon::Question);
    // A question whose yes destroys data: No is the default, so that an Enter
    // meant for something else keeps the data.
    bool askBeforeLoss(const QString& text, const QString& title = kTitleTip, Icon icon = Icon::Question);
};

// Stands in for showing a window modally.
class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    virtual int exec(QDialog* dlg) = 0;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // "" when cancelled.
    virtual QString openFile(QWidget* parent, const QString& filter) = 0;
};

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    virtual bool startDetached(const QString& program, const QStringList& args = {}) = 0;
    // The first candidate found on the PATH (or as an absolute path); "" when none.
    virtual QString findExecutable(const QStringList& candidates) = 0;
    virtual bool openDocument(const QString& path) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;
};

// One block of a printed text: its lines (joined by CR LF) in one font.
struct PrintBlock {
    QString text;
    int pointSize = 10;
    bool bold = false;
};

// Prints plain-text documents on the default printer, one job per document.
class ReceiptPrinter {
public:
    virtual ~ReceiptPrinter() = default;
    // False when there is no printer or printing failed.
    virtual bool print(const QList<PrintBlock>& document) = 0;
};

// A document the program lays out itself and paints page by page, on the
// preview and on paper alike.
class PagedDocument {
public:
    virtual ~PagedDocument() = default;
    // Sets the printer's page up for the document (orientation, margins); the
    // user may still change it in the print dialog.
    virtual void setUpPage(QPrinter& printer) const = 0;
    // Lays the pages out on the printer's page and paints those of its print
    // range. False when the printer failed.
    virtual bool print(QPrinter& printer) const = 0;
};

enum class PrintOutcome { Printed, Cancelled, Failed };

// Where finished reports go: the printer and the desktop's spreadsheet program.
class ReportOutput {
public:
    virtual ~ReportOutput() = default;
    // Asks for the printer in the print dialog (a modal window) and prints the
    // document on the one chosen.
    virtual PrintOutcome print(std::shared_ptr<const PagedDocument> document, QWidget* parent) = 0;
    // Opens a written workbook in a spreadsheet program; false when none took it.
    virtual bool openWorkbook(const QString& path) = 0;
};

struct Platform {
    MessageService* msg = nullptr;
    ModalRunner* modal = nullptr;
    FileDialogs* files = nullptr;
    ProcessLauncher* proc = nullptr;
    ReceiptPrinter* receipts = nullptr;
    ReportOutput* reports = nullptr;
    Clock* clock = nullptr;
};

// The services in force. Before anything is installed there is only the system
// clock: a program installs the rest before it shows or asks anything.
Platform& platform();
void setPlatform(const Platform& p);
// The machine's own clock.
Clock& systemClock();

// Short cuts used all over the forms.
inline MessageService& msg() { return *platform().msg; }
QDate today();
QDateTime now();

// The program's own folder (where its database lives); tests point it elsewhere.
QString programFolder();
void setProgramFolder(const QString& folder);

// A day as the program writes it everywhere: zero-padded ISO "yyyy-MM-dd".
QString dayText(const QDate& d);
// The current date and time as text: "yyyy-MM-dd HH:mm:ss".
QString dateTimeText(const QDateTime& t);

}  // namespace platform::ui
namespace ui = platform::ui;
