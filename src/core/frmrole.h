#pragma once
// "角色": the roles and their permission flags. A list of role names on the
// left, a tree of ticks on the right, one tick per guarded function of the main
// window. The administrator's role can be neither edited nor deleted; deleting
// another role deletes its users with it.

#include "core/recordtoolbar.h"
#include "platform/formbase.h"

class FlexGrid;
class QAction;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

class frmRole : public FormBase {
    Q_OBJECT
public:
    explicit frmRole(QWidget* parent = nullptr);

    RecordToolbar* Toolbar;
    FlexGrid* VSFlexGrid;
    QLineEdit* txtRole;
    QTreeWidget* TreeView;  // each node's key (a Role column) in Qt::UserRole

    bool IsAdd() const { return Toolbar->state() == RecordToolbar::Adding; }
    bool IsEdit() const { return Toolbar->state() == RecordToolbar::Editing; }

    // The node with the given key; nullptr when none.
    QTreeWidgetItem* Node(const QString& key) const;

    void Toolbar_ButtonClick(QAction* Button);
    void TreeView_NodeCheck(QTreeWidgetItem* node);

private:
    void Form_Load();
    void BuildPermissionTree();
    void LoadRoleGrid();
    bool RoleNameExists(const QString& name, bool isAdd);
    void SyncRoleRow(bool flag);
    void ClearPermissionTree();
    bool VSFlexGrid_BeforeRowColChange();
    void VSFlexGrid_RowColChange();
    void ShowRoleName();
    // Ticks or unticks a node from code, which is no click of the clerk.
    void SetTick(QTreeWidgetItem* node, bool ticked);

    void Add();
    void Edit();
    void Del();
    void Cancel();
    void Save();

    bool settingTicks_ = false;
};
