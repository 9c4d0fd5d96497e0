#pragma once
// Some behaviours show only with two programs on one database file. A test runs
// the other program as a child: this test program started again with
// "--child=<name>", which runs the named function instead of the tests.

#include <QProcess>
#include <QStringList>

#include <memory>
#include <vector>

using ChildMain = int (*)(const QStringList& args);

// Registers a child function at start-up: static ChildRegistration r("name", fn);
struct ChildRegistration {
    ChildRegistration(const char* name, ChildMain main);
};

// Starts this test program as the named child with the given arguments.
std::unique_ptr<QProcess> startChild(const QString& name, const QStringList& args);

// For main(): when the command line names a child, runs it and sets *exitCode.
bool runChildIfAsked(const QStringList& arguments, int* exitCode);

// Copies of the program released at once, so that their writes meet. The test
// starts them with startTogether, one per argument list; each child, once it has
// connected and read what its window would show, calls readyThenAwaitStart with
// the arguments it was given: two of the start's own, then the test's list.
std::vector<std::unique_ptr<QProcess>> startTogether(const QString& name, const QList<QStringList>& args);
bool readyThenAwaitStart(const QStringList& args);
// Waits for each child to end: its exit code, -1 when it crashed or did not end
// within two minutes.
QList<int> exitCodes(const std::vector<std::unique_ptr<QProcess>>& children);
