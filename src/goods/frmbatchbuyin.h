#pragma once
// "批量进货": receives one goods number in many colours and sizes at once. The
// clerk fills the common properties, ticks the colours and the sizes received
// and types a quantity into each cell of the colour-by-size matrix; every filled
// cell becomes a stock row of its own, with its receipt line and its purchase
// batch, appended to the list of the intake desk the window was opened from.
//
// The matrix: row 0 holds the size captions, column 0 the colour names; one
// row per ticked colour and one column per ticked size, in ticking order, each
// size column keyed by its size; the last row and the last column are the
// totals ("合计"). With no colour ticked it has only row 0, with no size only
// column 0.

#include "goods/propertyfields.h"
#include "platform/formbase.h"

class FlexGrid;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmbatchbuyIn : public FormBase {
    Q_OBJECT
public:
    // buyInList: the intake desk's stock list that the received rows are
    // appended to (none: nothing is appended).
    explicit frmbatchbuyIn(FlexGrid* buyInList, QWidget* parent = nullptr);

private:
    // The goods number and the pick lists, the sizes and colours hidden, first:
    // the controls below are its.
    goods::PropertyFields goods_;

public:
    QLineEdit* txtNo;
    QComboBox* comName;
    QComboBox* comBrand;
    QComboBox* comLeather;
    QComboBox* comGrade;
    QComboBox* comProductPlace;
    QLineEdit* txtPrice;
    QLineEdit* txtSellPrice;
    QLineEdit* txtBlock;
    QLineEdit* txtFloor;
    QLineEdit* txtMemo;
    QDateEdit* DT;
    QPushButton* cmdName;
    QPushButton* cmdBrand;
    QPushButton* cmdLeather;
    QPushButton* cmdGrade;
    QPushButton* cmdProductPlace;
    QListWidget* listCoulor;  // the colours, ticked one by one
    QListWidget* listSize;    // the sizes
    QComboBox* comColour;     // hidden: the pick lists the two check lists are filled from
    QComboBox* comSize;
    QLineEdit* txtColour;  // a new colour, added on Enter
    QLineEdit* txtSize;    // a new size, added on Enter
    FlexGrid* VSFlexGrid;  // the matrix
    QPushButton* cmdInStore;
    QPushButton* cmdClear;
    QLabel* lbTitle;

    void listCoulor_ItemCheck(int Item);
    void listSize_ItemCheck(int Item);
    void txtColour_KeyPress(int& KeyAscii);
    void txtSize_KeyPress(int& KeyAscii);
    bool VSFlexGrid_BeforeEdit(int Row, int Col);  // true cancels
    void VSFlexGrid_AfterEdit(int Row, int Col);
    void cmdInStore_Click();
    void cmdClear_Click();

private:
    void Form_Load();
    void ToggleColourRow(const QString& colour, bool ticked);
    void ToggleSizeColumn(const QString& size, bool ticked);
    void MoveTotalColumn();
    void ShiftColumnsLeft(int c);
    void RecalcTotals();
    void CentreCells();
    void AddDictionaryEntry(const QString& item, QLineEdit* box, QListWidget* list);
    void SaveBatchReceipt();
    // Shows the message, puts the focus on the field; the receipt stops.
    void Refuse(const QString& text, QWidget* field);

    FlexGrid* buyInList_;
};
