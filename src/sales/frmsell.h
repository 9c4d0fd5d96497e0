#pragma once
// "售货": the sales counter. Lists the shop's saleable stock, finds goods by goods
// number while the clerk types or by a scanned bar code, turns a quantity of the
// chosen stock row into sale lines (one per piece) at full price, a discount or a
// special price, keeps the total due, takes the customer's payment and checks the
// sale out under the day's next sale number.

#include "platform/formbase.h"
#include "sales/rules/checkout.h"
#include "sales/stockpicker.h"

class FlexGrid;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace sales {
// The next sale number of the current shop for today, as the counter shows it:
// empty when the database cannot be read (after the engine's words and the
// counter's own) and when the day's counter is used up (no message: the checkout
// refuses). `status`, when given, says which.
QString GetNextSellNo(SellNoStatus* status = nullptr);
}  // namespace sales

class frmSell : public FormBase {
    Q_OBJECT
public:
    explicit frmSell(QWidget* parent = nullptr);

private:
    sales::StockPicker stock_;  // the stock list and the price boxes, first: the controls below are its

public:
    FlexGrid* VSFlexGrid;  // the stock list
    FlexGrid* VSSell;      // the sale list, one line per piece
    QLineEdit* txtNo;
    QLineEdit* txtIDCode;
    QLineEdit* txtQuatity;
    QLineEdit* txtPrice;
    QRadioButton* OptAbate;
    QLineEdit* txtAbate;
    QRadioButton* OptChangePrice;
    QLineEdit* txtChangePrice;
    QPushButton* cmdAdd;
    QLabel* lbAmount;
    QLabel* lbOpt;
    QLabel* lbNo;
    QLineEdit* txtReciveAmout;
    QLabel* lb;
    QPushButton* cmdCheckOut;
    QMenu* Main;  // "主菜单"
    QAction* Cancel;
    QLabel* LbInfo;
    QLabel* lbTitle;

    void InitSaleGrid();
    void AddPiecesToSaleList(const QString& StoreGUID);
    qint32 CountPiecesInSaleList(const QString& StoreGUID) const;

    bool txtNo_KeyDown(int KeyCode);
    void txtIDCode_KeyPress(int& KeyAscii);
    void VSFlexGrid_KeyPress(int& KeyAscii);
    void VSFlexGrid_RowColChange();
    void txtQuatity_GotFocus();
    void txtQuatity_KeyPress(int& KeyAscii);
    void txtAbate_KeyPress(int& KeyAscii);
    void txtChangePrice_KeyPress(int& KeyAscii);
    void cmdAdd_Click();
    void VSSell_KeyPress(int& KeyAscii);
    void VSSell_MouseDown(int Button, const QPoint& globalPos);
    void Cancel_Click();
    bool Form_KeyDown(int KeyCode);

    void txtReciveAmout_Change();
    void txtReciveAmout_KeyPress(int& KeyAscii);
    bool txtReciveAmout_KeyDown(int KeyCode);
    void cmdCheckOut_Click();

protected:
    bool previewKeyDown(QKeyEvent* e) override;

private:
    void Form_Load();
    // The quantity checks shared by every way of adding; false after the step's message.
    bool CheckQuantity(bool informationIcon);
    QList<sales::SaleLine> SaleLines() const;

    sales::SellNoStatus sellNoStatus_ = sales::SellNoStatus::Ok;
};
