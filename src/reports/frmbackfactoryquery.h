#pragma once
// "厂家退货查询": the problem stock of the shop sent back to the factory within a
// span of days, in goods-number order, with a "合计" row per goods number.

#include "platform/formbase.h"

class FlexGrid;
class QDateEdit;
class QPushButton;
class QTabWidget;

class frmBackFactoryQuery : public FormBase {
    Q_OBJECT
public:
    explicit frmBackFactoryQuery(QWidget* parent = nullptr);

    QTabWidget* TabStrip;  // the one tab "厂家退货明细查询"
    QDateEdit* DTBeginTime;
    QDateEdit* DTEndTime;
    QPushButton* cmdQuery;
    FlexGrid* VSFlexGrid;

    void QueryFactoryReturns();
    void cmdQuery_Click();

private:
    void Form_Load();
};
