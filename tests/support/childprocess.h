#pragma once
// Some behaviours show only with two programs on one database file. A test runs
// the other program as a child: this test program started again with
// "--child=<name>", which runs the named function instead of the tests.

#include <QProcess>
#include <QStringList>

#include <memory>

using ChildMain = int (*)(const QStringList& args);

// Registers a child function at start-up: static ChildRegistration r("name", fn);
struct ChildRegistration {
    ChildRegistration(const char* name, ChildMain main);
};

// Starts this test program as the named child with the given arguments.
std::unique_ptr<QProcess> startChild(const QString& name, const QStringList& args);

// For main(): when the command line names a child, runs it and sets *exitCode.
bool runChildIfAsked(const QStringList& arguments, int* exitCode);
