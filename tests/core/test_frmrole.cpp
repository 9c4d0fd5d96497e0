// The roles window driven as the administrator does: the list, the tree of
// ticks, and what the Role and [User] tables hold afterwards.
#include "core/frmrole.h"
#include "platform/flexgrid.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QAction>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

using staff::kCashierRole;
using staff::kGuestRole;

class Roles : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        staff::addCashierAndGuest();  // 收银员 (Sell, StoreQuery) with c01, 访客 (nothing) with g01
    }

    static void press(frmRole& w, const char* key) { w.Toolbar->Buttons(key)->trigger(); }
    // A tick or untick as the clerk's click makes it.
    static void tick(frmRole& w, const char* key, bool on)
    {
        w.Node(key)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
    static QStringList ticked(const frmRole& w)
    {
        QStringList keys;
        for (const QString& f : schema::roleFlags())
            if (w.Node(f)->checkState(0) == Qt::Checked)
                keys << f;
        return keys;
    }
    static int rowOf(const frmRole& w, const QString& key) { return w.VSFlexGrid->findRow(key, 1, 1); }
    static void show(frmRole& w, const QString& key) { ASSERT_TRUE(w.VSFlexGrid->setRow(rowOf(w, key))); }
    static void expectBrowsing(const frmRole& w, bool browsing)
    {
        EXPECT_EQ(w.Toolbar->Buttons("Add")->isEnabled(), browsing);
        EXPECT_EQ(w.Toolbar->Buttons("Edit")->isEnabled(), browsing);
        EXPECT_EQ(w.Toolbar->Buttons("Del")->isEnabled(), browsing);
        EXPECT_EQ(w.Toolbar->Buttons("Cancel")->isEnabled(), !browsing);
        EXPECT_EQ(w.Toolbar->Buttons("Save")->isEnabled(), !browsing);
        EXPECT_EQ(w.txtRole->isReadOnly(), browsing);
    }
    // The flags granted in the role's row, as the session reads them back.
    static QStringList granted(const QString& key)
    {
        clsRole r;
        r.Initial(key);
        QStringList keys;
        for (const QString& f : schema::roleFlags())
            if (*r.flag(f))
                keys << f;
        return keys;
    }
    int count(const QString& query) { return scalar(query).toInt(); }
    // Adds a role through the window with the given ticks.
    static void addRole(frmRole& w, const QString& name, const QStringList& ticks)
    {
        press(w, "Add");
        w.txtRole->setText(name);
        for (const QString& t : ticks)
            tick(w, t.toLatin1().constData(), true);
        press(w, "Save");
    }
};

}  // namespace

TEST_F(Roles, ShowsTheRolesAndTheTreeOfPermissions)
{
    frmRole w;
    EXPECT_EQ(w.windowTitle(), "角色");
    QStringList buttons;
    for (QAction* a : w.Toolbar->actions())
        if (!a->isSeparator())
            buttons << a->text();
    EXPECT_EQ(buttons, QStringList({"新 增", "编 辑", "删 除", "取 消", "保 存"}));

    const FlexGrid& g = *w.VSFlexGrid;
    ASSERT_EQ(g.cols(), 3 + schema::roleFlags().size());
    EXPECT_EQ(g.textMatrix(0, 2), "角色名称");
    EXPECT_EQ(g.rows(), 4);
    for (int c = 1; c < g.cols(); ++c) {
        EXPECT_EQ(g.colHidden(c), c != 2) << c;
        EXPECT_EQ(g.colWidth(c), 5095) << c;
    }
    EXPECT_EQ(g.colWidth(0), 200);
    for (int c = 3; c < g.cols(); ++c)
        EXPECT_EQ(g.textMatrix(0, c), g.colKey(c));

    // One root, shown open, and 25 permissions under it.
    ASSERT_EQ(w.TreeView->topLevelItemCount(), 1);
    const QTreeWidgetItem* root = w.TreeView->topLevelItem(0);
    EXPECT_EQ(root->text(0), "全部权限");
    EXPECT_EQ(root->data(0, Qt::UserRole).toString(), "AllList");
    EXPECT_TRUE(root->isExpanded());
    ASSERT_EQ(root->childCount(), 25);
    EXPECT_EQ(root->child(0)->text(0), "数据维护");
    EXPECT_EQ(root->child(2)->text(0), "角色管理");
    EXPECT_EQ(root->child(2)->data(0, Qt::UserRole).toString(), "UserManage");
    EXPECT_EQ(root->child(24)->text(0), "利润分析");
    for (const QString& f : schema::roleFlags())
        EXPECT_NE(w.Node(f), nullptr) << f.toStdString();

    // The first row is shown; every row shows its own ticks and name.
    expectBrowsing(w, true);
    EXPECT_EQ(w.txtRole->text(), "系统管理员");
    EXPECT_EQ(ticked(w), schema::roleFlags());
    show(w, kCashierRole);
    EXPECT_EQ(w.txtRole->text(), "收银员");
    EXPECT_EQ(ticked(w), QStringList({"Sell", "StoreQuery"}));
    show(w, kGuestRole);
    EXPECT_EQ(w.txtRole->text(), "访客");
    EXPECT_TRUE(ticked(w).isEmpty());
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Roles, TheAdministratorsRoleStaysAsItIs)
{
    frmRole w;
    ASSERT_EQ(w.VSFlexGrid->textMatrix(w.VSFlexGrid->row(), 1), schema::kAdminRoleKey);
    press(w, "Edit");
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(messages().last().text, "对不起不能编辑管理员角色！");
    EXPECT_EQ(messages().last().title, "提示");
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    expectBrowsing(w, true);

    // A tick while browsing asks for Edit, which is refused; the tick shows
    // until another row is, and nothing is written.
    messages().clear();
    tick(w, "Profit", false);
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(messages().last().text, "对不起不能编辑管理员角色！");
    expectBrowsing(w, true);
    EXPECT_FALSE(ticked(w).contains("Profit"));
    EXPECT_EQ(granted(schema::kAdminRoleKey), schema::roleFlags());
    show(w, kGuestRole);
    show(w, schema::kAdminRoleKey);
    EXPECT_EQ(ticked(w), schema::roleFlags());

    messages().clear();
    press(w, "Del");
    ASSERT_EQ(messages().shown().size(), 1) << "refused before any question";
    EXPECT_EQ(messages().last().text, "对不起不能删除管理员角色！");
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_EQ(w.VSFlexGrid->rows(), 4);
    EXPECT_EQ(count("select count(*) from Role Where GUID='" + schema::kAdminRoleKey + "'"), 1);
}

TEST_F(Roles, TicksFollowTheRootAndTheRootFollowsATick)
{
    frmRole w;
    show(w, kCashierRole);
    // A tick while browsing starts editing this role.
    tick(w, "BuyIn", true);
    EXPECT_TRUE(w.IsEdit());
    expectBrowsing(w, false);
    EXPECT_EQ(ticked(w), QStringList({"AllList", "BuyIn", "Sell", "StoreQuery"})) << "the root comes on";

    // Unticking every permission leaves the root ticked.
    for (const char* f : {"BuyIn", "Sell", "StoreQuery"})
        tick(w, f, false);
    EXPECT_EQ(ticked(w), QStringList({"AllList"}));
    // The root unticks and ticks everything.
    tick(w, "AllList", false);
    EXPECT_TRUE(ticked(w).isEmpty());
    tick(w, "AllList", true);
    EXPECT_EQ(ticked(w), schema::roleFlags());
    EXPECT_TRUE(messages().shown().isEmpty());

    // Cancel brings the stored ticks back; nothing was written.
    press(w, "Cancel");
    expectBrowsing(w, true);
    EXPECT_EQ(ticked(w), QStringList({"Sell", "StoreQuery"}));
    EXPECT_EQ(granted(kCashierRole), QStringList({"Sell", "StoreQuery"}));
}

TEST_F(Roles, ARoleSavedWithOneTickGrantsExactlyThatFlag)
{
    frmRole w;
    for (const QString& f : schema::roleFlags()) {
        if (f == "AllList")
            continue;
        SCOPED_TRACE(f.toStdString());
        addRole(w, "role " + f, {f});
        expectBrowsing(w, true);
        const QString key = w.VSFlexGrid->textMatrix(w.VSFlexGrid->row(), 1);
        ASSERT_EQ(key.size(), 38);
        QStringList expected;
        for (const QString& g : schema::roleFlags())
            if (g == "AllList" || g == f)
                expected << g;
        EXPECT_EQ(granted(key), expected);
        EXPECT_EQ(scalar("select Name from Role Where GUID='" + key + "'"), "role " + f);
    }
    // No tick at all: every flag 0, the root's included.
    addRole(w, "nothing", {});
    const QString key = w.VSFlexGrid->textMatrix(w.VSFlexGrid->row(), 1);
    EXPECT_TRUE(granted(key).isEmpty());
    EXPECT_EQ(count("select count(*) from Role Where GUID='" + key + "' And (AllList<>0 Or Profit<>0 Or Sell<>0)"), 0);
    EXPECT_EQ(w.VSFlexGrid->rows(), 4 + 26);
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Roles, AddingFreezesTheRowAndCancelTakesTheRowAway)
{
    frmRole w;
    press(w, "Add");
    EXPECT_TRUE(w.IsAdd());
    expectBrowsing(w, false);
    EXPECT_EQ(w.VSFlexGrid->rows(), 5);
    EXPECT_EQ(w.VSFlexGrid->row(), 4);
    EXPECT_TRUE(w.txtRole->text().isEmpty());
    EXPECT_TRUE(ticked(w).isEmpty());
    EXPECT_FALSE(w.VSFlexGrid->setRow(1)) << "the row stays while adding";
    w.txtRole->setText("店长");
    tick(w, "Sell", true);
    press(w, "Cancel");
    expectBrowsing(w, true);
    EXPECT_EQ(w.VSFlexGrid->rows(), 4);
    EXPECT_EQ(w.VSFlexGrid->row(), 3);
    EXPECT_EQ(w.txtRole->text(), w.VSFlexGrid->textMatrix(3, 2));
    EXPECT_EQ(count("select count(*) from Role"), 3);

    // Editing freezes the row as well, and Cancel shows the stored name again.
    show(w, kCashierRole);
    press(w, "Edit");
    w.txtRole->setText("另一个名字");
    EXPECT_FALSE(w.VSFlexGrid->setRow(1));
    press(w, "Cancel");
    EXPECT_EQ(w.txtRole->text(), "收银员");
    EXPECT_TRUE(w.VSFlexGrid->setRow(1));
}

TEST_F(Roles, SaveRefusesAnEmptyOrTakenName)
{
    sql("Insert Into [User] Values ('{U-1}','s01','店员','x','" + kCashierRole + "','收银员')");
    frmRole w;
    const struct {
        const char* name;
        bool adding;
        const char* message;  // "" when saved
    } cases[] = {
        {"", true, "角色名称不能为空！"},
        {"收银员", true, "该角色已经存在！"},
        {"系统管理员", false, "该角色已经存在！"},  // editing 收银员 into another role's name
        {"收银员", false, ""},                    // its own unchanged name
        {"Boss", true, ""},
        {"boss", true, "该角色已经存在！"},  // names compare without regard to case
        {"O'Brien's, 店长", true, ""},
        {"O'Brien's, 店长", true, "该角色已经存在！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.adding ? " adding" : " editing"));
        messages().clear();
        if (c.adding) {
            press(w, "Add");
        } else {
            show(w, kCashierRole);
            press(w, "Edit");
        }
        w.txtRole->setText(QString::fromUtf8(c.name));
        press(w, "Save");
        if (*c.message) {
            ASSERT_EQ(messages().shown().size(), 1);
            EXPECT_EQ(messages().last().text, QString::fromUtf8(c.message));
            EXPECT_EQ(messages().last().title, "提示");
            EXPECT_EQ(messages().last().icon, ui::Icon::Information);
            EXPECT_FALSE(w.Toolbar->Buttons("Add")->isEnabled()) << "still open for another try";
            EXPECT_EQ(w.txtRole->text(), QString::fromUtf8(c.name));
            press(w, "Cancel");
        } else {
            EXPECT_TRUE(messages().shown().isEmpty());
            expectBrowsing(w, true);
            EXPECT_EQ(count("select count(*) from Role Where Name=" + core::SqlQuote(QString::fromUtf8(c.name))),
                      1);
        }
    }
    EXPECT_EQ(count("select count(*) from Role"), 5);
    // Renaming keeps the copies of the name its users hold.
    show(w, kCashierRole);
    press(w, "Edit");
    w.txtRole->setText("收款员");
    tick(w, "DayAmount", true);
    press(w, "Save");
    EXPECT_EQ(scalar("select Name from Role Where GUID='" + kCashierRole + "'"), "收款员");
    EXPECT_EQ(granted(kCashierRole), QStringList({"AllList", "Sell", "StoreQuery", "DayAmount"}));
    EXPECT_EQ(scalar("select RoleName from [User] Where [No]='s01'"), "收银员");
    EXPECT_EQ(w.VSFlexGrid->textMatrix(w.VSFlexGrid->row(), 2), "收款员");
}

TEST_F(Roles, DeletingARoleDeletesItsUsersWithIt)
{
    frmRole w;
    show(w, kCashierRole);  // row 2 of 3
    messages().answerNo();
    press(w, "Del");
    ASSERT_EQ(messages().shown().size(), 1) << "asked, answered No";
    messages().clear();
    EXPECT_EQ(w.VSFlexGrid->rows(), 4);

    messages().answerYes();
    press(w, "Del");
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(messages().last().text, "如果要删除该角色那么该角色下的用户也将一并删除？");
    EXPECT_EQ(messages().last().title, "提示");
    EXPECT_EQ(messages().last().icon, ui::Icon::None);
    EXPECT_EQ(messages().last().buttons, ui::Buttons::YesNo);
    EXPECT_EQ(messages().last().defaultAnswer, ui::Answer::No);
    EXPECT_EQ(w.VSFlexGrid->rows(), 3);
    EXPECT_EQ(rowOf(w, kCashierRole), -1);
    EXPECT_EQ(w.VSFlexGrid->row(), 2) << "the row that moved up";
    EXPECT_EQ(w.txtRole->text(), "访客");
    EXPECT_TRUE(ticked(w).isEmpty());
    EXPECT_EQ(count("select count(*) from Role Where GUID='" + kCashierRole + "'"), 0);
    EXPECT_EQ(count("select count(*) from [User] Where [No]='c01'"), 0);
    EXPECT_EQ(count("select count(*) from [User]"), 2);

    // The last row: the new last row is shown.
    messages().clear();
    messages().answerYes();
    press(w, "Del");
    EXPECT_EQ(w.VSFlexGrid->rows(), 2);
    EXPECT_EQ(w.VSFlexGrid->row(), 1);
    EXPECT_EQ(w.txtRole->text(), "系统管理员");
    EXPECT_EQ(ticked(w), schema::roleFlags());
    EXPECT_EQ(count("select count(*) from [User]"), 1);
}

TEST_F(Roles, AFailedDeleteKeepsTheRoleAndItsUsers)
{
    failWrites("User", "DELETE");
    frmRole w;
    show(w, kCashierRole);
    messages().answerYes();
    press(w, "Del");
    const QStringList shown = messages().texts();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown[1].contains("User cannot be written")) << shown[1].toStdString();
    EXPECT_EQ(shown[2], "读取数据库出现异常！请检查网络，重新启动程序");
    EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
    EXPECT_EQ(count("select count(*) from Role Where GUID='" + kCashierRole + "'"), 1) << "rolled back";
    EXPECT_EQ(count("select count(*) from [User] Where [No]='c01'"), 1);
    EXPECT_FALSE(gDbopt.InTransaction());
    // The list row is gone until the window is opened again.
    EXPECT_EQ(rowOf(w, kCashierRole), -1);
    frmRole again;
    EXPECT_NE(rowOf(again, kCashierRole), -1);
}
