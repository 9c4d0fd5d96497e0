#include "core/frmuser.h"

#include "core/frmlogin.h"
#include "core/frmrole.h"
#include "core/modmain.h"
#include "platform/flexgrid.h"
#include "platform/services.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kReadFailed = QStringLiteral("读取数据库出现异常！请检查网络，重新启动程序");
}  // namespace

frmUser::frmUser(QWidget* parent)
    : FormBase(parent),
      Toolbar(new RecordToolbar(this)),
      VSFlexGrid(new FlexGrid(this)),
      txtNo(new QLineEdit(this)),
      txtName(new QLineEdit(this)),
      txtPwd(new QLineEdit(this)),
      comRole(new DropDownComboBox(this)),
      cmdRole(new QPushButton(QStringLiteral("…"), this))
{
    setWindowTitle(QStringLiteral("用户管理"));
    VSFlexGrid->setObjectName(QStringLiteral("VSFlexGrid"));
    txtNo->setObjectName(QStringLiteral("txtNo"));
    txtName->setObjectName(QStringLiteral("txtName"));
    txtPwd->setObjectName(QStringLiteral("txtPwd"));
    comRole->setObjectName(QStringLiteral("comRole"));
    cmdRole->setObjectName(QStringLiteral("cmdRole"));
    SetPasswordBox(txtPwd);
    cmdRole->setFixedWidth(cmdRole->sizeHint().height() + 8);

    auto* inputs = new QGridLayout;
    inputs->setHorizontalSpacing(8);
    inputs->addWidget(new QLabel(QStringLiteral("工 号"), this), 0, 0);
    inputs->addWidget(txtNo, 0, 1);
    inputs->addWidget(new QLabel(QStringLiteral("姓 名"), this), 0, 3);
    inputs->addWidget(txtName, 0, 4, 1, 2);
    inputs->addWidget(new QLabel(QStringLiteral("密 码"), this), 1, 0);
    inputs->addWidget(txtPwd, 1, 1);
    inputs->addWidget(new QLabel(QStringLiteral("角 色"), this), 1, 3);
    inputs->addWidget(comRole, 1, 4);
    inputs->addWidget(cmdRole, 1, 5);
    inputs->setColumnStretch(1, 1);
    inputs->setColumnMinimumWidth(2, 16);
    inputs->setColumnStretch(4, 1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 6, 12, 12);
    body->setSpacing(10);
    body->addWidget(VSFlexGrid, 1);
    body->addLayout(inputs);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Toolbar);
    layout->addLayout(body, 1);
    resize(760, 520);

    setTabOrder(txtNo, txtName);
    setTabOrder(txtName, txtPwd);
    setTabOrder(txtPwd, comRole);
    setTabOrder(comRole, cmdRole);

    VSFlexGrid->beforeRowColChange = [this](int, int) { return VSFlexGrid_BeforeRowColChange(); };
    connect(VSFlexGrid, &FlexGrid::rowColChanged, this, [this] { VSFlexGrid_RowColChange(); });
    connect(Toolbar, &RecordToolbar::ButtonClick, this, &frmUser::Toolbar_ButtonClick);
    comRole->DropDown = [this] { comRole_DropDown(); };
    connect(cmdRole, &QPushButton::clicked, this, [this] { cmdRole_Click(); });

    Form_Load();
}

void frmUser::Form_Load()
{
    LoadUserGrid();
    LoadRoleCombo();
    EnableUserInputs(false);
    if (roleCombo_.ListCount() > 1)
        roleCombo_.setListIndex(0);
    if (VSFlexGrid->rows() > 1)
        SyncUserRow(true);
    Toolbar->setState(RecordToolbar::Browsing);
}

void frmUser::LoadUserGrid()
{
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(
        QStringLiteral("Select GUID,[No] as 工号,Name as 姓名,pwd as 密码,RoleGUID,RoleName as 角色 from [User]"),
        isErr);
    if (isErr) {
        ui::msg().exclaim(kReadFailed, ui::kTitleTip);
        return;
    }
    VSFlexGrid->bind(rs);
    for (int c : {1, 4, 5})
        VSFlexGrid->setColHidden(c, true);
    SetGridColumns(*VSFlexGrid, 2800);
}

void frmUser::LoadRoleCombo()
{
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(QStringLiteral("Select * from Role"), isErr);
    if (isErr) {
        ui::msg().exclaim(kReadFailed, ui::kTitleTip);
        return;
    }
    // One entry at a time: a role name may hold the comma that would split a
    // joined list of names.
    roleCombo_.Initial(comRole, QString(), QString(), QString());
    for (; !rs.eof(); rs.moveNext())
        roleCombo_.AddItem(rs.fieldText(QStringLiteral("GUID")), rs.fieldText(QStringLiteral("Name")));
}

void frmUser::comRole_DropDown() { LoadRoleCombo(); }

void frmUser::cmdRole_Click()
{
    // The role list here reloads the next time it is opened.
    frmRole roles(this);
    roles.showModal();
}

bool frmUser::UserNoExists(const QString& No, bool isAdd)
{
    QString sql = QStringLiteral("Select * from [User] Where [No]='") + No + QStringLiteral("'");
    if (!isAdd)
        sql += QStringLiteral(" And GUID<>'") + SqlQuote(VSFlexGrid->text(VSFlexGrid->row(), QStringLiteral("GUID"))) +
               QStringLiteral("'");
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(sql, isErr);
    if (isErr) {
        ui::msg().exclaim(kReadFailed, ui::kTitleTip);
        return false;
    }
    return !rs.eof();
}

void frmUser::SyncUserRow(bool flag)
{
    FlexGrid& g = *VSFlexGrid;
    const int r = g.row();
    if (flag) {
        txtNo->setText(g.textMatrix(r, 2));
        txtName->setText(g.textMatrix(r, 3));
        txtPwd->setText(g.textMatrix(r, 4));
        roleCombo_.setNo(g.textMatrix(r, 5));
    } else {
        g.setTextMatrix(r, 2, txtNo->text());
        g.setTextMatrix(r, 3, txtName->text());
        g.setTextMatrix(r, 4, txtPwd->text());
        g.setTextMatrix(r, 5, roleCombo_.No());
        g.setTextMatrix(r, 6, roleCombo_.Caption());
    }
}

void frmUser::EnableUserInputs(bool flag)
{
    for (QWidget* w : {static_cast<QWidget*>(txtName), static_cast<QWidget*>(txtNo),
                       static_cast<QWidget*>(txtPwd), static_cast<QWidget*>(comRole)})
        w->setEnabled(flag);
}

void frmUser::ClearUserInputs()
{
    txtNo->clear();
    txtName->clear();
    txtPwd->clear();
    roleCombo_.setListIndex(-1);
}

bool frmUser::VSFlexGrid_BeforeRowColChange() { return IsAdd() || IsEdit(); }

void frmUser::VSFlexGrid_RowColChange() { SyncUserRow(true); }

void frmUser::Toolbar_ButtonClick(QAction* Button)
{
    if (!Button || !Button->isEnabled())
        return;
    const QString key = Button->data().toString();
    if (key == QLatin1String("Add"))
        Add();
    else if (key == QLatin1String("Edit"))
        Edit();
    else if (key == QLatin1String("Del"))
        Del();
    else if (key == QLatin1String("Cancel"))
        Cancel();
    else if (key == QLatin1String("Save"))
        Save();
}

void frmUser::Add()
{
    FlexGrid& g = *VSFlexGrid;
    g.addItem(QString());
    ClearUserInputs();
    g.setRow(g.rows() - 1);  // shows the empty row in the inputs
    g.showCell(g.rows() - 1, 1);
    Toolbar->setState(RecordToolbar::Adding);
    EnableUserInputs(true);
}

void frmUser::Edit()
{
    Toolbar->setState(RecordToolbar::Editing);
    EnableUserInputs(true);
}

void frmUser::Del()
{
    FlexGrid& g = *VSFlexGrid;
    if (g.textMatrix(g.row(), 2) == gUser.No) {
        ui::msg().info(QStringLiteral("对不起不能删除该用户！"), ui::kTitleTip);
        return;
    }
    if (!ui::msg().ask(QStringLiteral("是否要删除该记录！"), ui::kTitleTip, ui::Icon::Question))
        return;
    const int r = g.row();
    const QString key = SqlQuote(g.textMatrix(r, 1));
    g.removeItem(r);
    if (g.rows() <= 1) {
        ClearUserInputs();
    } else {
        // The row that moved up into its place, or the new last row.
        g.setRow(qMin(r, g.rows() - 1));
        SyncUserRow(true);
    }
    bool isErr = false;
    gDbopt.Excute(QStringLiteral("Delete  from [User] Where GUID='") + key + QStringLiteral("'"), isErr);
    if (isErr)
        ui::msg().exclaim(kReadFailed, ui::kTitleTip);
}

void frmUser::Cancel()
{
    FlexGrid& g = *VSFlexGrid;
    if (IsAdd()) {
        Toolbar->setState(RecordToolbar::Browsing);
        g.removeItem();  // the added row, which the freeze kept current
        if (g.rows() > 1)
            g.setRow(g.rows() - 1);
    }
    if (IsEdit()) {
        Toolbar->setState(RecordToolbar::Browsing);
        SyncUserRow(true);  // the row's values come back into the inputs
    }
    Toolbar->setState(RecordToolbar::Browsing);
    EnableUserInputs(false);
}

void frmUser::Save()
{
    const QString number = SqlQuote(txtNo->text());
    const QString name = SqlQuote(txtName->text());
    const QString password = SqlQuote(txtPwd->text());
    auto refuse = [](const QString& message, QWidget* focus) {
        ui::msg().info(message, ui::kTitleTip);
        focus->setFocus();
    };
    if (number.isEmpty())
        return refuse(QStringLiteral("编号不能为空！"), txtNo);
    if (UserNoExists(number, IsAdd()))
        return refuse(QStringLiteral("编号已经存在！"), txtNo);
    if (roleCombo_.Caption().isEmpty())
        return refuse(QStringLiteral("请选择一个角色！"), comRole);
    if (name.isEmpty())
        return refuse(QStringLiteral("姓名不能为空！"), txtName);

    SyncUserRow(false);  // the grid row shows the new values before the write
    FlexGrid& g = *VSFlexGrid;
    const int r = g.row();
    const QString roleKey = SqlQuote(roleCombo_.No());
    const QString roleName = SqlQuote(roleCombo_.Caption());
    QString key;
    QString sql;
    if (IsAdd()) {
        key = gNewGUID.GUID(false);
        sql = QStringLiteral("Insert Into [User] Values ('") + key + QStringLiteral("','") + number +
              QStringLiteral("','") + name + QStringLiteral("','") + password + QStringLiteral("','") + roleKey +
              QStringLiteral("','") + roleName + QStringLiteral("')");
    } else {
        sql = QStringLiteral("Update [User] Set [No]='") + number + QStringLiteral("', Name='") + name +
              QStringLiteral("', pwd='") + password + QStringLiteral("', RoleGUID='") + roleKey +
              QStringLiteral("',RoleName='") + roleName + QStringLiteral("' Where GUID='") +
              SqlQuote(g.text(r, QStringLiteral("GUID"))) + QStringLiteral("'");
    }
    bool isErr = false;
    gDbopt.Excute(sql, isErr);
    if (isErr) {
        ui::msg().exclaim(kReadFailed, ui::kTitleTip);
        return;
    }
    if (!key.isEmpty())
        g.setTextMatrix(r, 1, key);  // the new row can be edited or deleted at once
    Toolbar->setState(RecordToolbar::Browsing);
    EnableUserInputs(false);
}
