#pragma once
// "价格变动": sets a new retail price on one stock row of the shop, or on every
// stock row of the shop with the same goods number. No history of prices is
// kept; sales already made keep the prices they were sold at.

#include "platform/formbase.h"

class FlexGrid;
class QLabel;
class QLineEdit;
class QPushButton;

class frmChangePrice : public FormBase {
    Q_OBJECT
public:
    explicit frmChangePrice(QWidget* parent = nullptr);

    FlexGrid* VSFlexGrid;  // the shop's stock rows
    QLineEdit* txtNo;      // a goods number to look up on Enter
    QLineEdit* txtNewPrice;
    QPushButton* cmdNewPrice;         // the current row only
    QPushButton* cmdChangePriceBath;  // every row of the current row's goods number
    QLabel* Label1;
    QLabel* Label2;

    void LoadGoods();
    void txtNo_KeyPress(int& KeyAscii);
    void VSFlexGrid_KeyPress(int& KeyAscii);
    void cmdNewPrice_Click();
    void cmdChangePriceBath_Click();

private:
    void Form_Load();
    // Binds the list to a query of the shop's stock and lays it out.
    void BindGoods(const QString& where);
    void ApplyNewPrice(const QString& price, bool byTypeNo, const QString& key);
};
