#pragma once
// "店面": the name of a shop, renamed (or added) from the shop list.

#include "platform/formbase.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class frmChangeShop;

class frmShopSetting : public FormBase {
    Q_OBJECT
public:
    // Opened over the shop list, whose list follows a name that was stored.
    explicit frmShopSetting(frmChangeShop* shopList);

    // Opt: 1 adds a shop, any other value renames the shop. Name goes into the
    // box, all of it selected.
    void LoadIt(int Opt, const QString& Name);

    QLineEdit* txtNo;
    QLabel* lbHint;
    QPushButton* cmdNewGoods;

    void cmdNewGoods_Click();
    void txtNo_KeyPress(int& KeyAscii);

private:
    frmChangeShop* shopList_;
    int Opt = 2;
};
