#pragma once
// Roles and users made up for the login and main window tests, the way a
// window is brought up headless with the focus in it, and a login typed in.

#include "core/modmain.h"
#include "core/rules/schema.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace staff {

inline void run(const QString& statement)
{
    bool isErr = false;
    gDbopt.Excute(statement, isErr);
    ASSERT_FALSE(isErr) << statement.toStdString();
}

// A role with exactly the given permission flags set.
inline void addRole(const QString& key, const QString& name, const QStringList& granted)
{
    QStringList columns = {QStringLiteral("GUID"), QStringLiteral("Name")};
    QStringList values = {"'" + key + "'", "'" + name + "'"};
    for (const QString& f : schema::roleFlags()) {
        columns << f;
        values << (granted.contains(f) ? QStringLiteral("1") : QStringLiteral("0"));
    }
    run("Insert Into Role (" + columns.join(',') + ") Values (" + values.join(',') + ")");
}

inline void addUser(const QString& no, const QString& name, const QString& pwd, const QString& roleKey)
{
    run("Insert Into [User] Values ('" + gNewGUID.GUID(false) + "'," + core::SqlQuote(no) + ",'" + name + "'," +
        core::SqlQuote(pwd) + ",'" + roleKey + "','')");
}

inline const QString kCashierRole = QStringLiteral("{A1D0C5E1-0000-4000-8000-000000000001}");
inline const QString kGuestRole = QStringLiteral("{A1D0C5E1-0000-4000-8000-000000000002}");

// A cashier "c01" (password "Sale'1") who may sell and look at the stock, and a
// guest "g01" (password "g01") whose role has every flag clear.
inline void addCashierAndGuest()
{
    addRole(kCashierRole, QStringLiteral("收银员"), {QStringLiteral("Sell"), QStringLiteral("StoreQuery")});
    addUser(QStringLiteral("c01"), QStringLiteral("李收银"), QStringLiteral("Sale'1"), kCashierRole);
    addRole(kGuestRole, QStringLiteral("访客"), {});
    addUser(QStringLiteral("g01"), QStringLiteral("王访客"), QStringLiteral("g01"), kGuestRole);
}

inline void showActive(QWidget* w)
{
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

// Types into a login window's boxes and presses Enter in the password box.
template <typename Window>
void typeAndEnter(Window* w, const QString& no, const QString& pwd)
{
    w->txtUserNo->clear();
    w->txtUserNo->setFocus();
    QTest::keyClicks(w->txtUserNo, no);
    QTest::keyClick(w->txtUserNo, Qt::Key_Return);
    EXPECT_TRUE(w->txtUserPassWord->hasFocus()) << "Enter in the number box moves on";
    QTest::keyClicks(w->txtUserPassWord, pwd);
    QTest::keyClick(w->txtUserPassWord, Qt::Key_Return);
}

// Logins and switches that must be refused, with the message and the box that
// takes the focus.
struct Refusal {
    const char* no;
    const char* pwd;
    const char* message;
    bool focusOnNumber;  // otherwise on the password box
};
inline const Refusal kRefusals[] = {
    {"c01", "wrong", "密码错误！", false},
    {"c01", "sale'1", "密码错误！", false},  // letter case counts
    {"C01", "SALE'1", "密码错误！", false},  // the number is found in any case, the password is not
    {"c01", "", "密码错误！", false},
    {"nobody", "Sale'1", "该用户不存在！", true},
    {"c01' or '1'='1", "x", "该用户不存在！", true},
    {"", "", "该用户不存在！", true},
};

}  // namespace staff
