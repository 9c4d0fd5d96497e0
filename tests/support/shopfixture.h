#pragma once
// A fresh delivered shop database in a temporary folder, connected through
// gDbopt, with the administrator logged in, the shop's rules loaded and
// "today" fixed at 2024-03-05 10:30.

#include "platform/base/jetdb.h"
#include "support/fakes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

// For a copy of the program run as a child (support/childprocess.h): connects to
// the shop database in the folder with the administrator logged in and the
// shop's rules loaded, as the fixture does. False when it cannot.
bool OpenShopSession(const QString& folder);

class ShopFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs a statement that must succeed.
    jet::RecordSet sql(const QString& statement);
    // The text of the first field of the first row of a query ("" when none).
    QString scalar(const QString& query);
    // Runs a statement that must succeed on a connection of its own, as another
    // copy of the program on the same file would.
    void elsewhere(const QString& statement);
    // From now on every statement of that kind ("INSERT", "UPDATE", "DELETE") on
    // the table fails with the engine's message "<table> cannot be written", as
    // on a damaged file; given a condition (on NEW or OLD), only those whose row
    // meets it. Set from a connection of its own, as no window would.
    void failWrites(const QString& table, const QString& kind, const QString& condition = {});
    // Lets those statements through again.
    void allowWritesAgain(const QString& table, const QString& kind);
    // Runs a statement of the engine's own language (a trigger, say) on a
    // connection of its own, as no window would.
    static void onItsOwnConnection(const QString& statement);

    QString folder() const { return dir_->path(); }

    std::unique_ptr<FakePlatform> fakes;
    FakeMessages& messages() { return fakes->messages; }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};
