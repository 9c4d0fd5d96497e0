#pragma once
// "进货": the intake desk. Lists the shop's stock rows, filters them by goods
// number while the clerk types, restocks the chosen row with a price and a
// quantity, and opens the windows that receive new goods, which append their new
// stock rows to this list.

#include "platform/formbase.h"

class FlexGrid;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmBuyIn : public FormBase {
    Q_OBJECT
public:
    explicit frmBuyIn(QWidget* parent = nullptr);

    QLineEdit* txtNo;
    FlexGrid* VSFlexGrid;
    QGroupBox* fraRestock;  // "补货"
    QLineEdit* txtPrice;
    QLineEdit* txtQuantity;
    QDateEdit* DT;
    QPushButton* cmdPutIn;
    QPushButton* cmdNewGoods;
    QPushButton* Command1;
    QLabel* lbTitle;

    void LoadGoods();
    void txtNo_Change();
    bool txtNo_KeyDown(int KeyCode);
    void VSFlexGrid_KeyPress(int& KeyAscii);
    void txtPrice_KeyPress(int& KeyAscii);
    void txtQuantity_KeyPress(int& KeyAscii);
    void cmdPutIn_Click();
    void cmdNewGoods_Click();
    void Command1_Click();

private:
    void Form_Load();
    // Binds the list to a query of the shop's stock and lays it out.
    void BindStock(const QString& sql);
};
