#pragma once
// "新货": receives one new goods item (one goods number in one size and one
// colour) into a stock row of its own, and appends that row to the list of the
// intake desk it was opened from. The window stays open with its values for the
// next item of the same goods number.

#include "goods/propertyfields.h"
#include "platform/formbase.h"

class FlexGrid;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTabWidget;

class frmGoodsProperty : public FormBase {
    Q_OBJECT
public:
    // buyInList: the intake desk's stock list that each received item is
    // appended to (none: nothing is appended).
    explicit frmGoodsProperty(FlexGrid* buyInList, QWidget* parent = nullptr);

private:
    goods::PropertyFields goods_;  // the goods number and the pick lists, first: the controls below are its

public:
    QTabWidget* tabGoods;  // the one tab "新货信息"
    QLineEdit* txtNo;
    QComboBox* comName;
    QComboBox* comBrand;
    QComboBox* comSize;
    QComboBox* comColour;
    QComboBox* comLeather;
    QComboBox* comGrade;
    QComboBox* comProductPlace;
    QLineEdit* txtPrice;
    QLineEdit* txtSellPrice;
    QLineEdit* txtQuantity;
    QLineEdit* txtBlock;
    QLineEdit* txtFloor;
    QLineEdit* txtMemo;
    QDateEdit* DT;
    QPushButton* cmdPutIn;
    QPushButton* cmdClear;
    QPushButton* cmdName;
    QPushButton* cmdBrand;
    QPushButton* cmdSize;
    QPushButton* cmdColour;
    QPushButton* cmdLeather;
    QPushButton* cmdGrade;
    QPushButton* cmdProductPlace;

    void cmdPutIn_Click();
    void cmdClear_Click();

private:
    void Form_Load();
    // Shows the message, puts the focus on the field; the receipt stops.
    void Refuse(const QString& text, QWidget* field);

    FlexGrid* buyInList_;
};
