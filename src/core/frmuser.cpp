#include "core/frmuser.h"

#include "core/frmlogin.h"
#include "core/frmrole.h"
#include "core/modmain.h"
#include "core/rules/users.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmUser::frmUser(QWidget* parent)
    : RecordWindow(parent),
      txtNo(new QLineEdit(this)),
      txtName(new QLineEdit(this)),
      txtPwd(new QLineEdit(this)),
      comRole(new core::DropDownComboBox(this)),
      cmdRole(new QPushButton(QStringLiteral("…"), this))
{
    setWindowTitle(QStringLiteral("用户管理"));
    txtNo->setObjectName(QStringLiteral("txtNo"));
    txtName->setObjectName(QStringLiteral("txtName"));
    txtPwd->setObjectName(QStringLiteral("txtPwd"));
    comRole->setObjectName(QStringLiteral("comRole"));
    cmdRole->setObjectName(QStringLiteral("cmdRole"));
    core::SetPasswordBox(txtPwd);
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
    Toolbar->setState(core::RecordToolbar::Browsing);
}

void frmUser::LoadUserGrid()
{
    const std::optional<jet::RecordSet> rs =
        Run(QStringLiteral("Select GUID,[No] as 工号,Name as 姓名,pwd as 密码,RoleGUID,RoleName as 角色 from [User]"));
    if (!rs)
        return;
    VSFlexGrid->bind(*rs);
    for (int c : {1, 4, 5})
        VSFlexGrid->setColHidden(c, true);
    core::SetGridColumns(*VSFlexGrid, 2800);
}

void frmUser::LoadRoleCombo()
{
    std::optional<jet::RecordSet> rs = Run(QStringLiteral("Select * from Role"));
    if (!rs)
        return;
    // One entry at a time: a role name may hold the comma that would split a
    // joined list of names.
    roleCombo_.Initial(comRole, QString(), QString(), QString());
    for (; !rs->eof(); rs->moveNext())
        roleCombo_.AddItem(rs->fieldText(QStringLiteral("GUID")), rs->fieldText(QStringLiteral("Name")));
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
    return ValueTaken(QStringLiteral("[User]"), QStringLiteral("[No]"), No, isAdd);
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

void frmUser::VSFlexGrid_RowColChange() { SyncUserRow(true); }

void frmUser::Add()
{
    AddRow();
    ClearUserInputs();
    EnableUserInputs(true);
}

void frmUser::Edit()
{
    Toolbar->setState(core::RecordToolbar::Editing);
    EnableUserInputs(true);
}

void frmUser::Del()
{
    FlexGrid& g = *VSFlexGrid;
    if (g.textMatrix(g.row(), 2) == gUser.No) {
        ui::msg().info(QStringLiteral("对不起不能删除该用户！"), ui::kTitleTip);
        return;
    }
    if (!ui::msg().askBeforeLoss(QStringLiteral("是否要删除该记录！"), ui::kTitleTip, ui::Icon::Question))
        return;
    const QString key = RemoveRow();
    if (g.rows() <= 1)
        ClearUserInputs();
    Stored(core::DeleteUser(key));
}

void frmUser::Cancel()
{
    CancelRow();
    EnableUserInputs(false);
}

void frmUser::Save()
{
    const QString number = txtNo->text();
    const QString name = txtName->text();
    const QString password = txtPwd->text();
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
    const bool isNew = IsAdd();
    const QString key = isNew ? gNewGUID.GUID(false) : QString();
    const core::UserRow row{isNew ? key : g.text(g.row(), QStringLiteral("GUID")),
                            number,
                            name,
                            password,
                            roleCombo_.No(),
                            roleCombo_.Caption()};
    if (StoreRow(core::WriteUser(row, isNew ? core::RowKind::New : core::RowKind::Existing), key))
        EnableUserInputs(false);
}
