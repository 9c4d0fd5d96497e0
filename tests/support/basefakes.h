#pragma once
// Test doubles of the services that need no widgets: they record what the
// program shows and answer its questions from a queue, and never block.

#include "platform/base/services.h"

#include <QList>
#include <QQueue>
#include <QStringList>

#include <ostream>

// Texts in test failures, readable.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < l.size(); ++i) {
        *os << (i ? ", " : "");
        PrintTo(l[i], os);
    }
    *os << '}';
}

class FakeMessages : public ui::MessageService {
public:
    bool show(const ui::Message& m) override;

    // Answers for the next questions, in order. A question with no answer queued
    // fails the test and is answered No.
    void answerYes() { answers_.enqueue(true); }
    void answerNo() { answers_.enqueue(false); }
    int pendingAnswers() const { return int(answers_.size()); }

    const QList<ui::Message>& shown() const { return shown_; }
    QStringList texts() const;
    ui::Message last() const { return shown_.isEmpty() ? ui::Message{} : shown_.last(); }
    void clear() { shown_.clear(); }

private:
    QList<ui::Message> shown_;
    QQueue<bool> answers_;
};

// Modal windows are handed to the script registered for their type and never
// shown. A window with no script fails the test (as an unexpected question does)
// and is rejected untouched.
class FakeFiles : public ui::FileDialogs {
public:
    QString openFile(QWidget*, const QString& filter) override
    {
        filters << filter;
        return nextPath;
    }
    QString nextPath;
    QStringList filters;
};

class FakeProcess : public ui::ProcessLauncher {
public:
    bool startDetached(const QString& program, const QStringList& args) override
    {
        started << (args.isEmpty() ? program : program + QLatin1Char(' ') + args.join(QLatin1Char(' ')));
        return startSucceeds;
    }
    QString findExecutable(const QStringList& candidates) override
    {
        for (const QString& c : candidates)
            if (available.contains(c))
                return c;
        return {};
    }
    bool openDocument(const QString& path) override
    {
        documents << path;
        return true;
    }
    QStringList available;  // programs that "exist"
    bool startSucceeds = true;
    QStringList started;
    QStringList documents;
};

// Keeps every document it prints; when `fails` is set it prints nothing and
// reports the failure, as a missing or broken printer does.
class FakeReceiptPrinter : public ui::ReceiptPrinter {
public:
    bool print(const QList<ui::PrintBlock>& document) override
    {
        if (fails)
            return false;
        printed << document;
        return true;
    }
    bool fails = false;
    QList<QList<ui::PrintBlock>> printed;
};

// Keeps the last report it was asked to print and every workbook it was asked
// to open; `printOutcome` and `opensWorkbooks` say how that went.
class FakeReportOutput : public ui::ReportOutput {
public:
    ui::PrintOutcome print(std::shared_ptr<const ui::PagedDocument> document, QWidget*) override
    {
        lastReport = std::move(document);
        ++prints;
        return printOutcome;
    }
    bool openWorkbook(const QString& path) override
    {
        workbooks << path;
        return opensWorkbooks;
    }
    QString lastWorkbook() const { return workbooks.isEmpty() ? QString() : workbooks.last(); }

    ui::PrintOutcome printOutcome = ui::PrintOutcome::Printed;
    bool opensWorkbooks = true;
    std::shared_ptr<const ui::PagedDocument> lastReport;
    int prints = 0;
    QStringList workbooks;
};

class FixedClock : public ui::Clock {
public:
    QDate today() const override { return when.date(); }
    QDateTime now() const override { return when; }
    QDateTime when{QDate(2024, 3, 5), QTime(10, 30, 0)};
};

// All of these fakes together, installed for the life of the object.
struct FakeServices {
    FakeServices();
    ~FakeServices();
    FakeMessages messages;
    FakeFiles files;
    FakeProcess proc;
    FakeReceiptPrinter receipts;
    FakeReportOutput reports;
    FixedClock clock;
    ui::Platform previous;
};
