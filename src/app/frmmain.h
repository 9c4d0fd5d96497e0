#pragma once
// The main window: open for the whole session after login. Its menus and
// toolbar open the work windows, as far as the session user's role allows.

#include "skin/cskinner.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The main window open now; nullptr before login and after it closed.
    static frmMain* current();

    // Applies the permissions of the session user's role to the menus and the
    // toolbar. Called when the window loads and after a user switch.
    void LoadPopdem();
    // The caption: the program's title, "-" and the shop's name (gShopName).
    // Set when the window loads and again after the shop was renamed.
    void ShowShopName();

    // "[系  统(&S)]"
    QMenu* System;
    QAction* UserManage;
    QAction* ChagePassWord;
    QAction* SellRole;
    QMenu* Data;  // the pick lists
    QAction* Colour;
    QAction* Size;
    QAction* Name;
    QAction* Brand;
    QAction* feather;
    QAction* Grade;
    QAction* Production;
    QAction* BackResion;
    QAction* ChangeResion;
    QAction* BlankOutResion;
    QAction* OtherItem;
    QAction* ChangeShop;
    QAction* putin;
    QAction* BackUpDate;
    QAction* ReStart;
    QAction* ReLogin;
    QAction* Exit;
    // "[功  能(&O)]"
    QMenu* Operator;
    QAction* BuyIn;
    QAction* SellOut;
    QAction* ClientBackChange;
    QAction* ClientBack;
    QAction* Question;
    QAction* CompanyBack;
    QAction* BlankOut;
    QAction* ChangePrice;
    QAction* OtherOut;
    // "[查  询(&Q)]"
    QMenu* Query;
    QAction* StoreQuery;
    QAction* SellQuery;
    QAction* SellGroup;
    QAction* BuyInDetail;
    QAction* ClientChangeQuery;
    QAction* Back;
    QAction* BlankOutQuery;
    QAction* OtherOutQuery;
    // "[结算统计(&A)]"
    QMenu* Amount;
    QAction* DayAmount;
    QAction* AmountTotal;
    QAction* Profit;
    // "[帮  助(&H)]"
    QMenu* Other;
    QAction* Calculate;
    QAction* Note;
    QAction* About;

    QToolBar* Toolbar;
    // The toolbar button with the given key ("BuyIn", ..., "Exit"); nullptr when none.
    QAction* Buttons(const QString& key) const;

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;

    void Toolbar_ButtonClick(QAction* Button);

    void mnuUserManage_Click();
    void mnuChagePassWord_Click();
    void mnuSellRole_Click();
    void mnuData_Click(QAction* item);
    void mnuChangeShop_Click();
    void mnuputin_Click();
    void mnuBackUpDate_Click();
    void mnuReStart_Click();
    void mnuReLogin_Click();
    void mnuExit_Click();
    void mnuBuyIn_Click();
    void mnuSellOut_Click();
    void mnuClientBackChange_Click();
    void mnuClientBack_Click();
    void mnuQuestion_Click();
    void mnuCompanyBack_Click();
    void mnuBlankOut_Click();
    void mnuChangePrice_Click();
    void mnuOtherOut_Click();
    void mnuStoreQuery_Click();
    void mnuSellQuery_Click();
    void mnuSellGroup_Click();
    void mnuBuyInDetail_Click();
    void mnuClientChangeQuery_Click();
    void mnuBack_Click();
    void mnuBlankOutQuery_Click();
    void mnuOtherOutQuery_Click();
    void mnuDayAmount_Click();
    void mnuAmountTotal_Click();
    void mnuProfit_Click();
    void mnuCalculate_Click();
    void mnuNote_Click();
    void mnuAbout_Click();

    // The backup path held in FileSave and whether the database is copied there
    // on exit; an empty path and no copy when the setting cannot be read.
    void ReadBackupSetting(QString& Path, bool& IsSave);

protected:
    // Asks before the window closes; on Yes makes the backup copy when it is set.
    void closeEvent(QCloseEvent* e) override;

private:
    cSkinner skin_;

    // Starts the first of the candidate programs found; tells the clerk when none starts.
    void StartTool(const QStringList& candidates);
};
