#pragma once
// "销售作废": voids a sale line sold in error. The clerk types the sale number,
// the window lists the lines of that sale that still count as sold, and each
// confirmed line goes back into stock and into its purchase batch, is marked
// voided and gets a history row with the reason chosen.

#include "platform/formbase.h"
#include "sales/salelineframe.h"

class FlexGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmBlankout : public FormBase {
    Q_OBJECT
public:
    explicit frmBlankout(QWidget* parent = nullptr);

    QLineEdit* txtSellNo;

private:
    // The lines, the reason and the OK button: made after the box above and
    // before the controls below, which are its, in the order of the window's
    // focus chain.
    sales::SaleLineFrame frame_;

public:
    FlexGrid* VSFlexGrid;
    QComboBox* comResion;
    QPushButton* cmdLeather;  // "…": the pick list of void reasons
    QPushButton* cmdOk;
    QLabel* lbTip;
    QLabel* lbTitle;

    void txtSellNo_KeyPress(int& KeyAscii);
    void cmdOk_Click();

private:
    void Search();
};
