#pragma once
// "客户退货": takes back one sold piece at a time. The clerk finds the shop's sale
// lines by sale day, sale number or goods number, picks a line, a reason and
// where the piece goes (problem stock by default, or normal stock), and
// confirms; the shop's return rules decide whether the line may be returned.

#include "platform/formbase.h"
#include "sales/salelineframe.h"

class FlexGrid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmClientBack : public FormBase {
    Q_OBJECT
public:
    explicit frmClientBack(QWidget* parent = nullptr);

private:
    // The search, the lines, the reason and the OK button, first: the controls
    // below are theirs.
    sales::SaleLineBoxes boxes_;
    sales::SaleLineFrame frame_;

public:
    QCheckBox* chkDate;
    QDateEdit* DT;
    QCheckBox* chkNo;
    QLineEdit* txtSellNo;
    QCheckBox* chkType;
    QLineEdit* txtType;
    QPushButton* cmdQuery;
    FlexGrid* VSFlexGrid;
    QComboBox* comResion;
    QPushButton* cmdLeather;  // "…": the pick list of return reasons
    QGroupBox* Frame1;        // "退入"
    QRadioButton* Opt;          // "问题库存", chosen when the window opens
    QRadioButton* OptQuestion;  // "正常库存"
    QLabel* lb;                 // the amount of the current line
    QLabel* lbTip;
    QPushButton* cmdOk;
    QLabel* lbTitle;

    void cmdQuery_Click();
    void VSFlexGrid_RowColChange();
    void cmdOk_Click();
};
