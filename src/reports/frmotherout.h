#pragma once
// "其他支出": records one expense outside the trade (rent, wages and the like)
// per save: its item from the pick list "其他支出项目" or typed, the amount, the
// day and a memo.

#include "platform/formbase.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

class frmOtherOut : public FormBase {
    Q_OBJECT
public:
    explicit frmOtherOut(QWidget* parent = nullptr);

    QComboBox* comItem;
    QPushButton* cmdColour;  // "…": the pick list of expense items
    QLineEdit* txtAmount;
    QDateEdit* DT;
    QLineEdit* txtMemo;
    QPushButton* cmdQuery;  // "确 定(&O)": saves

    void cmdColour_Click();
    void cmdQuery_Click();

private:
    void Form_Load();
};
