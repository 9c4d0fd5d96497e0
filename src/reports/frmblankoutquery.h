#pragma once
// "销售作废查询": the sale lines of the shop voided within a span of days.

#include "platform/formbase.h"

class FlexGrid;
class QDateEdit;
class QPushButton;
class QTabWidget;

class frmBlankOutQuery : public FormBase {
    Q_OBJECT
public:
    explicit frmBlankOutQuery(QWidget* parent = nullptr);

    QTabWidget* TabStrip;  // the one tab "销售作废"
    QDateEdit* DTBlankOutB;
    QDateEdit* DTBlankOutE;
    QPushButton* cmdQuery;
    FlexGrid* VSBlankOut;

    void QueryVoids();
    void cmdQuery_Click();

private:
    void Form_Load();
};
