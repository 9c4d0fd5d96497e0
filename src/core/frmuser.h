#pragma once
// "用户管理": the staff who may log in, with number, name, password and role.
// Roles are chosen by name and stored by key; the "…" button opens the roles.

#include "core/clscombox.h"
#include "core/recordtoolbar.h"
#include "platform/formbase.h"

class FlexGrid;
class QAction;
class QLineEdit;
class QPushButton;

class frmUser : public FormBase {
    Q_OBJECT
public:
    explicit frmUser(QWidget* parent = nullptr);

    RecordToolbar* Toolbar;
    FlexGrid* VSFlexGrid;
    QLineEdit* txtNo;
    QLineEdit* txtName;
    QLineEdit* txtPwd;
    DropDownComboBox* comRole;
    QPushButton* cmdRole;

    bool IsAdd() const { return Toolbar->state() == RecordToolbar::Adding; }
    bool IsEdit() const { return Toolbar->state() == RecordToolbar::Editing; }
    // The role list: role keys as codes, role names as captions.
    clsCombox& RoleCombo() { return roleCombo_; }

    void Toolbar_ButtonClick(QAction* Button);
    void comRole_DropDown();
    void cmdRole_Click();

private:
    void Form_Load();
    void LoadUserGrid();
    void LoadRoleCombo();
    bool UserNoExists(const QString& No, bool isAdd);
    void SyncUserRow(bool flag);
    void EnableUserInputs(bool flag);
    void ClearUserInputs();
    bool VSFlexGrid_BeforeRowColChange();
    void VSFlexGrid_RowColChange();

    void Add();
    void Edit();
    void Del();
    void Cancel();
    void Save();

    clsCombox roleCombo_;
};
