#pragma once
// "店面管理": the shop list, one icon per Shop row, from which the shop is renamed.

#include "platform/formbase.h"

#include <QIcon>
#include <QList>

class QListWidget;
class QPushButton;

class frmChangeShop : public FormBase {
    Q_OBJECT
public:
    explicit frmChangeShop(QWidget* parent = nullptr);

    // One item per shop: its name as the text, its key (GUID) as Qt::UserRole.
    QListWidget* ListView;
    QList<QIcon> ImageList;  // the items' icons; every shop has the first
    QPushButton* cmdEdit;

    void Form_Load();
    void LoadShops();
    void cmdEdit_Click();
};
