#pragma once
// "修改": corrects one receipt line of the purchase details list. While none of
// the line's pieces has left its batch, the line, its batch and its pieces in
// stock are taken back and the corrected receipt is written into a new stock
// row, which keeps the old row's retail price; the list then shows the corrected
// line in place of the old one.

#include "goods/propertyfields.h"
#include "platform/formbase.h"

#include <QString>

class FlexGrid;
namespace goods {
struct ReceiptLine;
}  // namespace goods
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTabWidget;

class frmedit : public FormBase {
    Q_OBJECT
public:
    explicit frmedit(QWidget* parent = nullptr);

private:
    goods::PropertyFields goods_;  // the goods number and the pick lists, first: the controls below are its

public:
    // Fills the window from the list's current row; the correction works on that
    // row of that list.
    void LoadIt(FlexGrid* grid);

    QTabWidget* tabEdit;  // the one tab "修改信息"
    QLineEdit* txtNo;
    QComboBox* comName;
    QComboBox* comBrand;
    QComboBox* comSize;
    QComboBox* comColour;
    QComboBox* comLeather;
    QComboBox* comGrade;
    QComboBox* comProductPlace;
    QLineEdit* txtPrice;
    QLineEdit* txtQuantity;
    QLineEdit* txtMemo;
    QDateEdit* DT;
    QPushButton* cmdOk;
    QPushButton* cmdName;
    QPushButton* cmdBrand;
    QPushButton* cmdSize;
    QPushButton* cmdColour;
    QPushButton* cmdLeather;
    QPushButton* cmdGrade;
    QPushButton* cmdProductPlace;

    void cmdOk_Click();
    // Whether a correction was refused because another program had changed the
    // line or its stock row since the list was read: the list is then outdated.
    bool ListOutdated() const { return listOutdated_; }

private:
    void Form_Load();
    // Checks the input and writes the correction: the old receipt taken back and
    // the corrected one written, in one transaction; then the list shows the
    // corrected line and the window closes.
    void SaveGoods(const goods::ReceiptLine& line, qint64 LotID, qint32 storeQuantity);
    // Shows the message, puts the focus on the field; the correction stops.
    void Refuse(const QString& text, QWidget* field);

    FlexGrid* grid_ = nullptr;
    QString ParentGUID;
    QString GUID;
    float SellPrice = 0;  // the retail price of the line's stock row
    bool listOutdated_ = false;
};
