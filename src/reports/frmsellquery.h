#pragma once
// "售货查询": the shop's sale lines of a span of days, of one kind and/or one
// brand if chosen, returned and voided lines left out, with a "合计" row per
// goods number, a "总合计" row above the list, the pieces sold and the amount
// taken; printed through the print service.

#include "platform/formbase.h"

class FlexGrid;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;

class frmSellQuery : public FormBase {
    Q_OBJECT
public:
    explicit frmSellQuery(QWidget* parent = nullptr);

    QDateEdit* DTBeginTime;
    QDateEdit* DTEndTime;
    QComboBox* comName;
    QComboBox* comBrand;
    QPushButton* cmdQuery;
    QPushButton* cmdPrint;
    FlexGrid* VSSell;
    QLabel* lbCount;   // beside "共销售数量"
    QLabel* lbAmount;  // beside "金额累计"

    void InitGrid();
    void cmdQuery_Click();
    void cmdPrint_Click();

private:
    void Form_Load();
};
