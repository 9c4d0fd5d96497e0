#pragma once
// "销售排行": the goods sold in a span of days, one row per goods variant (all
// eight goods properties) with the pieces sold, the best-selling first; returned
// and voided lines do not count.

#include "platform/formbase.h"

class FlexGrid;
class QDateEdit;
class QPushButton;

class frmSellGroup : public FormBase {
    Q_OBJECT
public:
    explicit frmSellGroup(QWidget* parent = nullptr);

    QDateEdit* DTBeginTime;
    QDateEdit* DTEndTime;
    QPushButton* cmdQuery;
    FlexGrid* VSSell;

    void InitGrid();
    void cmdQuery_Click();

private:
    void Form_Load();
};
