#include "core/frmrole.h"

#include "core/modmain.h"
#include "core/rules/roles.h"
#include "core/rules/schema.h"
#include "platform/flexgrid.h"
#include "platform/base/services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

const QString kRootKey = QStringLiteral("AllList");

// The permission tree: the root, then one node per guarded function.
const std::pair<const char*, const char*> kNodes[] = {
    {"AllList", "全部权限"},
    {"Data", "数据维护"},
    {"ReStart", "重新开始"},
    {"UserManage", "角色管理"},
    {"SellRole", "系统参数规则"},
    {"ChangeShop", "店面管理"},
    {"BuyIn", "进货"},
    {"Sell", "售货"},
    {"ClientChange", "客户调换"},
    {"ClientBack", "客户退货"},
    {"Question", "问题鞋"},
    {"FactoryBack", "厂家退货"},
    {"SellBlankOut", "销售作废"},
    {"ChangePrice", "价格变动"},
    {"OtherOut", "营业外支出"},
    {"StoreQuery", "库存查询"},
    {"SellQuery", "销售查询"},
    {"SellGroup", "销售排行"},
    {"BuyDetail", "进货明细"},
    {"ClientChangeQuery", "客户退换查询"},
    {"FactoryBackQuery", "厂家退货查询"},
    {"BlankOutQuery", "销售作废查询"},
    {"OtherOurQuery", "营业外支出查询"},
    {"DayAmount", "日结算"},
    {"TotalAmount", "结算汇总"},
    {"Profit", "利润分析"},
};

QString keyOf(const QTreeWidgetItem* node) { return node->data(0, Qt::UserRole).toString(); }
bool ticked(const QTreeWidgetItem* node) { return node->checkState(0) == Qt::Checked; }

}  // namespace

frmRole::frmRole(QWidget* parent)
    : RecordWindow(parent),
      txtRole(new QLineEdit(this)),
      TreeView(new QTreeWidget(this))
{
    setWindowTitle(QStringLiteral("角色"));
    txtRole->setObjectName(QStringLiteral("txtRole"));
    TreeView->setObjectName(QStringLiteral("TreeView"));
    TreeView->setHeaderHidden(true);

    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel(QStringLiteral("角色名称："), this));
    name->addWidget(txtRole, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(VSFlexGrid, 1);
    left->addLayout(name);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 6, 12, 12);
    body->setSpacing(12);
    body->addLayout(left, 3);
    body->addWidget(TreeView, 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Toolbar);
    layout->addLayout(body, 1);
    resize(760, 560);

    // Qt reports every change of a node, the program's own included; only the
    // clerk's ticks count as a node check.
    connect(TreeView, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* node, int) {
        if (!settingTicks_)
            TreeView_NodeCheck(node);
    });

    Form_Load();
}

void frmRole::Form_Load()
{
    BuildPermissionTree();
    LoadRoleGrid();
    Toolbar->setState(core::RecordToolbar::Browsing);
    txtRole->setReadOnly(true);
    SyncRoleRow(true);
    ShowRoleName();
}

void frmRole::BuildPermissionTree()
{
    const QScopedValueRollback<bool> quiet(settingTicks_, true);
    TreeView->clear();
    QTreeWidgetItem* root = nullptr;
    for (const auto& [key, caption] : kNodes) {
        auto* node = root ? new QTreeWidgetItem(root) : new QTreeWidgetItem(TreeView);
        node->setText(0, QString::fromUtf8(caption));
        node->setData(0, Qt::UserRole, QLatin1String(key));
        // Plain ticks: the root keeps its own tick whatever its children hold.
        node->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        node->setCheckState(0, Qt::Unchecked);
        if (!root)
            root = node;
    }
    root->setExpanded(true);
}

QTreeWidgetItem* frmRole::Node(const QString& key) const
{
    for (QTreeWidgetItemIterator it(TreeView); *it; ++it)
        if (keyOf(*it) == key)
            return *it;
    return nullptr;
}

void frmRole::SetTick(QTreeWidgetItem* node, bool on)
{
    const QScopedValueRollback<bool> quiet(settingTicks_, true);
    node->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

void frmRole::LoadRoleGrid()
{
    const std::optional<jet::RecordSet> rs = Run(QStringLiteral("Select * from Role "));
    if (!rs)
        return;
    VSFlexGrid->bind(*rs);
    core::SetGridColumns(*VSFlexGrid, 5095);
    VSFlexGrid->setTextMatrix(0, 2, QStringLiteral("角色名称"));
    VSFlexGrid->setColHidden(1, true);
    for (int c = 3; c < VSFlexGrid->cols(); ++c)
        VSFlexGrid->setColHidden(c, true);
    SyncRoleRow(true);
}

void frmRole::ShowRoleName() { txtRole->setText(VSFlexGrid->textMatrix(VSFlexGrid->row(), 2)); }

void frmRole::ClearPermissionTree()
{
    for (QTreeWidgetItemIterator it(TreeView); *it; ++it)
        SetTick(*it, false);
}

void frmRole::SyncRoleRow(bool flag)
{
    FlexGrid& g = *VSFlexGrid;
    if (g.rows() <= 1) {
        ClearPermissionTree();
        txtRole->clear();
        return;
    }
    const int r = g.row();
    for (QTreeWidgetItemIterator it(TreeView); *it; ++it) {
        const QString key = keyOf(*it);
        if (flag)
            SetTick(*it, g.text(r, key) == QLatin1String("-1"));
        else
            g.setText(r, key, ticked(*it) ? QStringLiteral("-1") : QStringLiteral("0"));
    }
}

void frmRole::VSFlexGrid_RowColChange()
{
    SyncRoleRow(true);
    ShowRoleName();
}

bool frmRole::RoleNameExists(const QString& name, bool isAdd)
{
    return ValueTaken(QStringLiteral("Role"), QStringLiteral("Name"), name, isAdd);
}

void frmRole::Add()
{
    AddRow();  // shows the empty row: no ticks, no name
    txtRole->setFocus();
    txtRole->setReadOnly(false);
}

void frmRole::Edit()
{
    if (VSFlexGrid->textMatrix(VSFlexGrid->row(), 1) == schema::kAdminRoleKey) {
        ui::msg().info(QStringLiteral("对不起不能编辑管理员角色！"), ui::kTitleTip);
        return;
    }
    Toolbar->setState(core::RecordToolbar::Editing);
    txtRole->setReadOnly(false);
}

void frmRole::Del()
{
    FlexGrid& g = *VSFlexGrid;
    if (g.textMatrix(g.row(), 1) == schema::kAdminRoleKey) {
        ui::msg().info(QStringLiteral("对不起不能删除管理员角色！"), ui::kTitleTip);
        return;
    }
    if (!ui::msg().askBeforeLoss(QStringLiteral("如果要删除该角色那么该角色下的用户也将一并删除？"), ui::kTitleTip,
                                ui::Icon::None))
        return;
    const QString key = RemoveRow();
    if (g.rows() <= 1) {
        txtRole->clear();
        ClearPermissionTree();
    }
    Stored(core::DeleteRole(key));
}

void frmRole::Cancel()
{
    CancelRow();
    txtRole->setReadOnly(true);
}

void frmRole::Save()
{
    FlexGrid& g = *VSFlexGrid;
    const QString name = txtRole->text();
    auto refuse = [this](const QString& message) {
        ui::msg().info(message, ui::kTitleTip);
        txtRole->setFocus();
    };
    if (name.isEmpty())
        return refuse(QStringLiteral("角色名称不能为空！"));
    if (RoleNameExists(name, IsAdd()))
        return refuse(QStringLiteral("该角色已经存在！"));

    SyncRoleRow(false);
    const int r = g.row();
    g.setTextMatrix(r, 2, txtRole->text());
    const bool isNew = IsAdd();
    const QString key = isNew ? gNewGUID.GUID(false) : QString();
    core::RoleRow row{isNew ? key : g.textMatrix(r, 1), name, {}};
    // The flags in the grid's column order, which is the table's.
    for (int c = 3; c < g.cols(); ++c)
        row.Flags.append({g.textMatrix(0, c), g.textMatrix(r, c) == QLatin1String("-1")});
    if (StoreRow(core::WriteRole(row, isNew ? core::RowKind::New : core::RowKind::Existing), key))
        txtRole->setReadOnly(true);
}

void frmRole::TreeView_NodeCheck(QTreeWidgetItem* node)
{
    if (!node)
        return;
    if (!IsAdd() && !IsEdit())
        Edit();  // with its refusal for the administrator's role
    const bool on = ticked(node);
    const QString key = keyOf(node);
    if (key == kRootKey) {
        for (QTreeWidgetItemIterator it(TreeView); *it; ++it)
            SetTick(*it, on);
        return;
    }
    for (QTreeWidgetItemIterator it(TreeView); *it; ++it) {
        QTreeWidgetItem* n = *it;
        if (on && (n == node->parent() || keyOf(n) == kRootKey))
            SetTick(n, true);
        if (n->parent() && keyOf(n->parent()) == key)
            SetTick(n, on);
    }
}
