#pragma once
// "用户管理": the staff who may log in, with number, name, password and role.
// Roles are chosen by name and stored by key; the "…" button opens the roles.

#include "core/clscombox.h"
#include "core/recordwindow.h"

class QLineEdit;
class QPushButton;

class frmUser : public core::RecordWindow {
    Q_OBJECT
public:
    explicit frmUser(QWidget* parent = nullptr);

    QLineEdit* txtNo;
    QLineEdit* txtName;
    QLineEdit* txtPwd;
    core::DropDownComboBox* comRole;
    QPushButton* cmdRole;

    // The role list: role keys as codes, role names as captions.
    clsCombox& RoleCombo() { return roleCombo_; }

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
    void VSFlexGrid_RowColChange() override;

    void Add() override;
    void Edit() override;
    void Del() override;
    void Cancel() override;
    void Save() override;

    clsCombox roleCombo_;
};
