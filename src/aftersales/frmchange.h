#pragma once
// "调换": the choice of the goods that replace one sale line in an exchange. Lists
// the shop's goods in stock, filters them by goods number, takes a discount or a
// special price as the counter does, checks the shop's rules on what may replace
// what, and on confirmation adds the pending pair to the exchange window: the
// line marked, the replacement listed, the amounts and the reason. It writes
// nothing to the database; the exchange window's commit does.

#include "platform/formbase.h"
#include "sales/stockpicker.h"

class FlexGrid;
class frmClientBackChange;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmChange : public FormBase {
    Q_OBJECT
public:
    // The picker of the exchange window it adds its pairs to.
    explicit frmChange(frmClientBackChange& exchange);

private:
    sales::StockPicker stock_;  // the stock list and the price boxes, first: the controls below are its

public:
    QLineEdit* txtNo;
    FlexGrid* VSFlexGrid;  // the goods in stock
    QRadioButton* OptAbate;
    QLineEdit* txtAbate;
    QRadioButton* OptChangePrice;
    QLineEdit* txtChangePrice;
    QPushButton* cmdOk;
    QComboBox* comAbate;
    QLineEdit* txtQuatity;

    // The sale line to replace.
    void LoadIt(const QString& GUID, const QString& SellNo, const QString& TypeNo, float Price);

    void VSFlexGrid_KeyPress(int& KeyAscii);
    bool OptAbate_KeyDown(int KeyCode);
    void txtAbate_KeyPress(int& KeyAscii);
    void txtChangePrice_KeyPress(int& KeyAscii);
    void cmdOk_Click();

private:
    void Form_Load();
    // The checks of the discount box and of the special-price box, each with the
    // focus where its refusal sends it; false after the refusal.
    bool CheckAbateBox();
    bool CheckSpecialPriceBox();
    // The current stock row still has a piece beyond those already paired.
    bool CheckStock();
    void AddChangeRow(const QString& StoreGUID);

    frmClientBackChange& exchange_;
    QString GUID_;
    QString SellNo_;
    QString TypeNo_;
    QString Price_;
};
