#pragma once
// "系统设置": the shop's sales, return, exchange and receipt rules, shown from the
// rules held in memory (gSellRole) and saved to its SellRole row and to memory
// together, so the counter, the returns and the exchanges follow them at once.

#include "platform/formbase.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

class frmSellRole : public FormBase {
    Q_OBJECT
public:
    explicit frmSellRole(QWidget* parent = nullptr);

    QTabWidget* SSTab;
    // "出货规则"
    QRadioButton* OptA;
    QRadioButton* OptB;
    // "退货规则"
    QLineEdit* txtBackdays;
    QCheckBox* chkBackAbate;
    QCheckBox* chkBackSpecial;
    QCheckBox* chkChangeNotToBack;
    // "调换规则"
    QLineEdit* txtChangeDays;
    QCheckBox* chkChangeAbate;
    QCheckBox* chkChangeSpecial;
    QCheckBox* chkSameType;
    QCheckBox* chkHightPrice;
    QCheckBox* chkIsMany;
    // "打印设置"
    QCheckBox* chkIsPrint;
    QRadioButton* optBig;
    QRadioButton* optSmall;

    QPushButton* cmdSetting;

    void Form_Load();
    void SSTab_Click();
    void cmdSetting_Click();
    // Writes the rules shown to the shop's row and, once that has succeeded, to
    // gSellRole. False after a failed statement (whose message has been shown):
    // the rules in memory then stay as they were, like the row. A day number
    // the rules cannot hold is refused first, with nothing written.
    bool SaveRules();
};
