#pragma once
// "客户调换": a customer brings sold pieces back and takes other goods for them.
// The clerk finds the shop's sale lines as for a return, pairs one line at a
// time with its replacement in the picker (the shop's exchange rules decide
// what may be exchanged), and commits every pending pair at once: each old
// piece back into stock and its batch, each new piece out of stock and costed
// against a batch, the sale line rewritten to the new goods and a history row
// per pair.

#include "platform/formbase.h"
#include "sales/salelineframe.h"

class FlexGrid;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
namespace aftersales {
struct Exchange;
}  // namespace aftersales

class frmClientBackChange : public FormBase {
    Q_OBJECT
public:
    explicit frmClientBackChange(QWidget* parent = nullptr);

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
    FlexGrid* VSFlexGrid;  // the sale lines found
    QComboBox* comResion;
    QPushButton* cmdLeather;  // "…": the pick list of exchange reasons
    QPushButton* cmdChange;
    FlexGrid* VSChange;  // the pending pairs: the replacement goods
    QMenu* Main;
    QAction* Del;  // "删除"
    QLabel* lbHave;     // 已收金额: paid for the lines taken back
    QLabel* lbAmount;   // 应收金额: charged for their replacements
    QLabel* lbBackAdd;  // 退补金额: lbAmount less lbHave
    QLabel* lbTip;
    QPushButton* cmdOk;
    QLabel* lbTitle;

    void cmdQuery_Click();
    void VSFlexGrid_KeyPress(int& KeyAscii);
    void cmdChange_Click();
    void VSChange_MouseDown(int Button, const QPoint& globalPos);
    void Del_Click();
    void cmdOk_Click();
    // Removes every data row of the grid, from the last up, keeping the captions.
    void RemoveVsRowsAll(FlexGrid* Vs);

    // Whether the sale line of that row is paired: its fixed cell is painted red.
    bool IsMarked(int row) const;
    void SetMarked(int row, bool marked);
    // Pending pairs whose replacement leaves that stock row.
    qint32 CountPendingPairs(const QString& StoreGUID) const;

private:
    void Form_Load();
    void InitChangeGrid();
    void RemoveChangeRow(int pair);
    // Reads the marked lines another program changed meanwhile again, their
    // pairs removed with what they added to the amounts.
    void RereadChangedLines();
    // The marked lines with their reasons and every pending replacement.
    aftersales::Exchange PendingExchange() const;
    void RemoveExchangedRows();
};
