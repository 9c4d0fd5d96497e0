#pragma once
// "销售作废": voids a sale line sold in error. The clerk types the sale number,
// the window lists the lines of that sale that still count as sold, and each
// confirmed line goes back into stock and into its purchase batch, is marked
// voided and gets a history row with the reason chosen.

#include "platform/formbase.h"

class FlexGrid;
namespace jet {
class RecordSet;
}
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmBlankout : public FormBase {
    Q_OBJECT
public:
    explicit frmBlankout(QWidget* parent = nullptr);

    QLineEdit* txtSellNo;
    FlexGrid* VSFlexGrid;
    QComboBox* comResion;
    QPushButton* cmdLeather;  // "…": the pick list of void reasons
    QPushButton* cmdOk;
    QLabel* lbTip;
    QLabel* lbTitle;

    void txtSellNo_KeyPress(int& KeyAscii);
    void VSFlexGrid_KeyPress(int& KeyAscii);
    void cmdLeather_Click();
    void cmdOk_Click();

private:
    void Form_Load();
    void InitSellGrid();
    // Binds the list to a query of sale lines and lays it out.
    void BindLines(const jet::RecordSet& rs);
    void Search();
};
