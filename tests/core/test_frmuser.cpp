// The user window driven as the administrator does, and what [User] holds after.
#include "core/frmlogin.h"
#include "core/frmrole.h"
#include "core/frmuser.h"
#include "platform/flexgrid.h"
#include "support/shopfixture.h"
#include "support/staff.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace {

using staff::kCashierRole;
using staff::kGuestRole;

class Users : public ShopFixture {
protected:
    void SetUp() override
    {
        ShopFixture::SetUp();
        staff::addCashierAndGuest();  // c01 (收银员) and g01 (访客) after admin
    }

    static void press(frmUser& w, const char* key) { w.Toolbar->Buttons(key)->trigger(); }
    static void type(frmUser& w, const QString& no, const QString& name, const QString& pwd, const QString& role)
    {
        w.txtNo->setText(no);
        w.txtName->setText(name);
        w.txtPwd->setText(pwd);
        w.RoleCombo().setNo(role);
    }
    static QStringList roles(frmUser& w)
    {
        QStringList l;
        for (int i = 0; i < w.comRole->count(); ++i)
            l << w.comRole->itemText(i);
        return l;
    }
    static int rowOf(const frmUser& w, const QString& no) { return w.VSFlexGrid->findRow(no, 1, 2); }
    static void show(frmUser& w, const QString& no) { ASSERT_TRUE(w.VSFlexGrid->setRow(rowOf(w, no))); }
    static QString shownRow(const frmUser& w)
    {
        return QStringList({w.txtNo->text(), w.txtName->text(), w.txtPwd->text(), w.comRole->currentText()})
            .join('|');
    }
    static void expectBrowsing(const frmUser& w, bool browsing)
    {
        EXPECT_EQ(w.Toolbar->Buttons("Add")->isEnabled(), browsing);
        EXPECT_EQ(w.Toolbar->Buttons("Edit")->isEnabled(), browsing);
        EXPECT_EQ(w.Toolbar->Buttons("Del")->isEnabled(), browsing);
        EXPECT_EQ(w.Toolbar->Buttons("Cancel")->isEnabled(), !browsing);
        EXPECT_EQ(w.Toolbar->Buttons("Save")->isEnabled(), !browsing);
        for (const QWidget* input : {static_cast<const QWidget*>(w.txtNo), static_cast<const QWidget*>(w.txtName),
                                     static_cast<const QWidget*>(w.txtPwd), static_cast<const QWidget*>(w.comRole)})
            EXPECT_EQ(input->isEnabled(), !browsing) << input->objectName().toStdString();
    }
    // The stored user with that number, "|" between its fields after the key.
    QString stored(const QString& no)
    {
        const jet::RecordSet rs =
            sql("select [No],Name,pwd,RoleGUID,RoleName from [User] Where [No]=" + core::SqlQuote(no));
        if (rs.eof())
            return {};
        QStringList f;
        for (int c = 0; c < rs.fieldCount(); ++c)
            f << rs.text(0, c);
        return f.join('|');
    }
    int users() { return scalar("select count(*) from [User]").toInt(); }
};

}  // namespace

TEST_F(Users, ListsTheUsersAndTheirRoles)
{
    frmUser w;
    EXPECT_EQ(w.windowTitle(), "用户管理");
    EXPECT_EQ(w.cmdRole->text(), "…");
    const FlexGrid& g = *w.VSFlexGrid;
    ASSERT_EQ(g.cols(), 7);
    QStringList captions;
    for (int c = 1; c < g.cols(); ++c)
        captions << g.textMatrix(0, c);
    EXPECT_EQ(captions, QStringList({"GUID", "工号", "姓名", "密码", "RoleGUID", "角色"}));
    for (int c = 1; c < g.cols(); ++c) {
        EXPECT_EQ(g.colHidden(c), c == 1 || c == 4 || c == 5) << c;
        EXPECT_EQ(g.colWidth(c), 2800) << c;
    }
    EXPECT_EQ(g.rows(), 4);
    EXPECT_EQ(roles(w), QStringList({"系统管理员", "收银员", "访客"}));

    expectBrowsing(w, true);
    EXPECT_EQ(g.row(), 1);
    EXPECT_EQ(shownRow(w), "admin|管理员|admin|系统管理员");
    show(w, "c01");
    EXPECT_EQ(shownRow(w), "c01|李收银|Sale'1|收银员");
    EXPECT_EQ(w.RoleCombo().No(), kCashierRole);
    EXPECT_TRUE(messages().shown().isEmpty());
}

TEST_F(Users, AddSaveThenEditAndDeleteTheSameRow)
{
    frmUser w;
    press(w, "Add");
    expectBrowsing(w, false);
    EXPECT_EQ(w.VSFlexGrid->rows(), 5);
    EXPECT_EQ(w.VSFlexGrid->row(), 4);
    EXPECT_EQ(shownRow(w), "|||");
    EXPECT_FALSE(w.VSFlexGrid->setRow(1)) << "the row stays while adding";

    type(w, "s01", "张店员", "pw", kGuestRole);
    press(w, "Save");
    EXPECT_TRUE(messages().shown().isEmpty());
    expectBrowsing(w, true);
    EXPECT_EQ(stored("s01"), "s01|张店员|pw|" + kGuestRole + "|访客");
    const QString key = w.VSFlexGrid->textMatrix(4, 1);
    EXPECT_EQ(key, scalar("select GUID from [User] Where [No]='s01'"));
    EXPECT_EQ(w.VSFlexGrid->textMatrix(4, 6), "访客");

    // Edited at once: the key in the row finds the stored one.
    press(w, "Edit");
    type(w, "s02", "张店长", "new", kCashierRole);
    press(w, "Save");
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(stored("s01"), "");
    EXPECT_EQ(stored("s02"), "s02|张店长|new|" + kCashierRole + "|收银员");
    EXPECT_EQ(users(), 4);

    // And deleted at once; the new last row is shown.
    messages().answerYes();
    press(w, "Del");
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(messages().last().text, "是否要删除该记录！");
    EXPECT_EQ(messages().last().title, "提示");
    EXPECT_EQ(messages().last().icon, ui::Icon::Question);
    EXPECT_EQ(messages().last().buttons, ui::Buttons::YesNo);
    EXPECT_EQ(messages().last().defaultAnswer, ui::Answer::No);
    EXPECT_EQ(users(), 3);
    EXPECT_EQ(w.VSFlexGrid->rows(), 4);
    EXPECT_EQ(shownRow(w), "g01|王访客|g01|访客");
}

TEST_F(Users, DeleteKeepsTheLoggedInUserAndMovesToTheNextRow)
{
    frmUser w;
    press(w, "Del");  // admin, the session user
    ASSERT_EQ(messages().shown().size(), 1) << "refused without a question";
    EXPECT_EQ(messages().last().text, "对不起不能删除该用户！");
    EXPECT_EQ(messages().last().icon, ui::Icon::Information);
    EXPECT_EQ(users(), 3);

    messages().clear();
    show(w, "c01");
    messages().answerNo();
    press(w, "Del");
    EXPECT_EQ(users(), 3);
    EXPECT_EQ(w.VSFlexGrid->rows(), 4);

    messages().answerYes();
    press(w, "Del");
    EXPECT_EQ(stored("c01"), "");
    EXPECT_EQ(w.VSFlexGrid->row(), 2) << "the following row moved up";
    EXPECT_EQ(shownRow(w), "g01|王访客|g01|访客");

    // Another session user: the check follows the number logged in.
    ASSERT_TRUE(gUser.Initial("g01"));
    messages().clear();
    press(w, "Del");
    EXPECT_EQ(messages().last().text, "对不起不能删除该用户！");
    show(w, "admin");
    messages().answerYes();
    press(w, "Del");
    EXPECT_EQ(stored("admin"), "");
    EXPECT_EQ(shownRow(w), "g01|王访客|g01|访客");
}

TEST_F(Users, SaveChecksInOrder)
{
    frmUser w;
    staff::showActive(&w);
    const struct {
        const char* no;
        const char* name;
        bool role;
        const char* message;
        const char* focus;
    } cases[] = {
        {"", "", false, "编号不能为空！", "txtNo"},
        {"c01", "", false, "编号已经存在！", "txtNo"},
        {"C01", "某人", true, "编号已经存在！", "txtNo"},  // numbers compare without regard to case
        {"x01", "", false, "请选择一个角色！", "comRole"},
        {"x01", "", true, "姓名不能为空！", "txtName"},
    };
    press(w, "Add");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.no) + "/" + c.name);
        messages().clear();
        type(w, c.no, QString::fromUtf8(c.name), "pw", c.role ? kGuestRole : QString());
        press(w, "Save");
        ASSERT_EQ(messages().shown().size(), 1);
        EXPECT_EQ(messages().last().text, QString::fromUtf8(c.message));
        EXPECT_EQ(messages().last().title, "提示");
        EXPECT_EQ(messages().last().icon, ui::Icon::Information);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), c.focus);
        EXPECT_TRUE(w.IsAdd());
        EXPECT_EQ(w.txtNo->text(), c.no) << "the input stays for another try";
    }
    EXPECT_EQ(users(), 3);

    // Editing: the row's own number passes, another row's does not.
    press(w, "Cancel");
    show(w, "c01");
    press(w, "Edit");
    messages().clear();
    w.txtNo->setText("G01");
    press(w, "Save");
    EXPECT_EQ(messages().last().text, "编号已经存在！");
    w.txtNo->setText("C01");
    press(w, "Save");
    EXPECT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(stored("c01"), "C01|李收银|Sale'1|" + kCashierRole + "|收银员");
}

TEST_F(Users, QuotesAreStoredAsTypedAndLogIn)
{
    frmUser w;
    press(w, "Add");
    type(w, "o'1", "O'Neil", "it's", kCashierRole);
    press(w, "Save");
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(stored("o'1"), "o'1|O'Neil|it's|" + kCashierRole + "|收银员");
    clsUser found;
    EXPECT_EQ(core::CheckLogin("o'1", "it's", found), core::LoginCheck::Accepted);
    EXPECT_EQ(found.Name, "O'Neil");
    EXPECT_TRUE(found.Role->Sell);

    // Edited again with its quotes, it still finds itself.
    press(w, "Edit");
    w.txtPwd->setText("''");
    press(w, "Save");
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(core::CheckLogin("o'1", "''", found), core::LoginCheck::Accepted);
}

TEST_F(Users, ARoleNameWithACommaIsOneEntry)
{
    staff::addRole("{A1D0C5E1-0000-4000-8000-000000000003}", "店长,副店长", {"BuyIn"});
    frmUser w;
    EXPECT_EQ(roles(w), QStringList({"系统管理员", "收银员", "访客", "店长,副店长"}));
    press(w, "Add");
    type(w, "m01", "赵", "pw", "{A1D0C5E1-0000-4000-8000-000000000003}");
    EXPECT_EQ(w.comRole->currentText(), "店长,副店长");
    press(w, "Save");
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(stored("m01"), "m01|赵|pw|{A1D0C5E1-0000-4000-8000-000000000003}|店长,副店长");
}

TEST_F(Users, ARowWhoseRoleIsGoneShowsNoRole)
{
    sql("Delete from Role Where GUID='" + kGuestRole + "'");
    frmUser w;
    show(w, "g01");
    EXPECT_EQ(w.comRole->currentIndex(), -1);
    EXPECT_EQ(w.RoleCombo().No(), "");
    press(w, "Edit");
    press(w, "Save");
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_EQ(messages().last().text, "请选择一个角色！");
    EXPECT_TRUE(w.IsEdit());
    messages().clear();
    w.RoleCombo().setNo(kCashierRole);
    press(w, "Save");
    EXPECT_TRUE(messages().shown().isEmpty());
    EXPECT_EQ(stored("g01"), "g01|王访客|g01|" + kCashierRole + "|收银员");
}

TEST_F(Users, OpeningTheRoleListReloadsIt)
{
    frmUser w;
    show(w, "c01");
    press(w, "Edit");
    // A role added meanwhile (in the roles window) shows the next time the list opens.
    staff::addRole("{A1D0C5E1-0000-4000-8000-000000000004}", "库管", {});
    int opened = 0;
    fakes->modal.on<frmRole>([&](frmRole* r) {
        ++opened;
        EXPECT_EQ(r->windowTitle(), "角色");
        return int(QDialog::Accepted);
    });
    w.cmdRole->click();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(roles(w), QStringList({"系统管理员", "收银员", "访客"})) << "nothing reloaded after the roles window";
    EXPECT_EQ(w.comRole->currentText(), "收银员");
    w.comRole->showPopup();
    w.comRole->hidePopup();
    EXPECT_EQ(roles(w), QStringList({"系统管理员", "收银员", "访客", "库管"}));
    EXPECT_EQ(w.comRole->currentIndex(), -1) << "the selection is cleared";
    EXPECT_EQ(fakes->modal.opened(), QStringList({"frmRole"}));
}

TEST_F(Users, CancelPutsTheRowBack)
{
    frmUser w;
    show(w, "c01");
    press(w, "Edit");
    type(w, "zz", "改了", "x", kGuestRole);
    press(w, "Cancel");
    expectBrowsing(w, true);
    EXPECT_EQ(shownRow(w), "c01|李收银|Sale'1|收银员");

    press(w, "Add");
    type(w, "new", "新人", "x", kGuestRole);
    press(w, "Cancel");
    EXPECT_EQ(w.VSFlexGrid->rows(), 4);
    EXPECT_EQ(w.VSFlexGrid->row(), 3);
    EXPECT_EQ(shownRow(w), "g01|王访客|g01|访客");
    EXPECT_EQ(users(), 3);
}

TEST_F(Users, AFailedWriteKeepsTheWindowOpenWithTheInput)
{
    failWrites("User", "INSERT");
    frmUser w;
    press(w, "Add");
    type(w, "s01", "张", "pw", kGuestRole);
    press(w, "Save");
    const QStringList shown = messages().texts();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].contains("User cannot be written"));
    EXPECT_EQ(shown[1], "读取数据库出现异常！请检查网络，重新启动程序");
    EXPECT_EQ(messages().last().icon, ui::Icon::Exclamation);
    EXPECT_TRUE(w.IsAdd());
    EXPECT_EQ(shownRow(w), "s01|张|pw|访客");
    EXPECT_EQ(w.VSFlexGrid->textMatrix(4, 2), "s01");
    EXPECT_EQ(w.VSFlexGrid->textMatrix(4, 1), "") << "no key until the row is stored";
    EXPECT_EQ(users(), 3);
}
