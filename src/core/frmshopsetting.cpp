#include "core/frmshopsetting.h"

#include "core/frmchangeshop.h"
#include "core/modmain.h"
#include "core/rules/shopsetup.h"
#include "core/rules/schema.h"
#include "core/shell.h"
#include "platform/base/services.h"
#include "platform/vbkeys.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmShopSetting::frmShopSetting(frmChangeShop* shopList)
    : FormBase(shopList),
      txtNo(new QLineEdit(this)),
      lbHint(new QLabel(QStringLiteral("填写店面的名称，该名称不能为空！"), this)),
      cmdNewGoods(new QPushButton(QStringLiteral("确 定(&O)"), this)),
      shopList_(shopList)
{
    setWindowTitle(QStringLiteral("店面"));
    txtNo->setObjectName(QStringLiteral("txtNo"));
    lbHint->setObjectName(QStringLiteral("lbHint"));
    cmdNewGoods->setObjectName(QStringLiteral("cmdNewGoods"));
    lbHint->setForegroundRole(QPalette::PlaceholderText);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("名 称"), this), 0, 0);
    grid->addWidget(txtNo, 0, 1);
    grid->addWidget(lbHint, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdNewGoods);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    connect(cmdNewGoods, &QPushButton::clicked, this, [this] { cmdNewGoods_Click(); });
    vbkeys::onKeyPress(txtNo, [this](int& k) { txtNo_KeyPress(k); });
    txtNo->setFocus();
}

void frmShopSetting::LoadIt(int opt, const QString& name)
{
    Opt = opt;
    txtNo->setText(name);
    txtNo->selectAll();
}

void frmShopSetting::cmdNewGoods_Click()
{
    const QString name = txtNo->text();
    if (name.isEmpty()) {
        ui::msg().info(QStringLiteral("名称不能为空！"));
        txtNo->setFocus();
        return;
    }
    // The name is stored as typed, a quote included.
    const QString key = Opt != 1 ? schema::kShopKey : gNewGUID.GUID(false);
    if (!core::Written(Opt != 1 ? core::RenameShop(key, name) : core::AddShop(key, name))) {
        // Nothing was stored: the list, the session and the box keep what they
        // had, for another try.
        txtNo->setFocus();
        return;
    }

    if (Opt != 1) {
        // Whichever shop was chosen, the one shop of the program is the one renamed.
        QListWidget* list = shopList_->ListView;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->data(Qt::UserRole).toString() == key)
                list->item(i)->setText(name);
        gShopName = name;
        shell::shopRenamed();
    } else {
        auto* item = new QListWidgetItem(shopList_->ImageList.value(0), name, shopList_->ListView);
        item->setData(Qt::UserRole, key);
    }
    accept();
}

void frmShopSetting::txtNo_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdNewGoods_Click();
    }
}
