#pragma once
// "角色": the roles and their permission flags. A list of role names on the
// left, a tree of ticks on the right, one tick per guarded function of the main
// window. The administrator's role can be neither edited nor deleted; deleting
// another role deletes its users with it.

#include "core/recordwindow.h"

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

class frmRole : public core::RecordWindow {
    Q_OBJECT
public:
    explicit frmRole(QWidget* parent = nullptr);

    QLineEdit* txtRole;
    QTreeWidget* TreeView;  // each node's key (a Role column) in Qt::UserRole

    // The node with the given key; nullptr when none.
    QTreeWidgetItem* Node(const QString& key) const;

    void TreeView_NodeCheck(QTreeWidgetItem* node);

private:
    void Form_Load();
    void BuildPermissionTree();
    void LoadRoleGrid();
    bool RoleNameExists(const QString& name, bool isAdd);
    void SyncRoleRow(bool flag);
    void ClearPermissionTree();
    void VSFlexGrid_RowColChange() override;
    void ShowRoleName();
    // Ticks or unticks a node from code, which is no click of the clerk.
    void SetTick(QTreeWidgetItem* node, bool ticked);

    void Add() override;
    void Edit() override;
    void Del() override;
    void Cancel() override;
    void Save() override;

    bool settingTicks_ = false;
};
