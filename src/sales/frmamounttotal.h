#pragma once
// "结算汇总": the daily settlements the sellers stored, of the current shop
// over a span of days, one row per seller and day, with a "总计" row above the
// list. A day nobody settled has no row.

#include "platform/formbase.h"
#include "sales/rules/daysettlement.h"

#include <QDate>
#include <QString>

class FlexGrid;
class QDateEdit;
class QLabel;
class QPushButton;

class frmAmountTotal : public FormBase {
    Q_OBJECT
public:
    explicit frmAmountTotal(QWidget* parent = nullptr);

    QDateEdit* DTBeginTime;
    QDateEdit* DTEndTime;
    QPushButton* cmdQuery;
    FlexGrid* VSAmountTotal;
    QLabel* lbTitle;

    void cmdQuery_Click();

private:
    void Form_Load();
    void InitGrid();
    // Binds the grid to the statement's result and lays it out; false (the grid
    // as it was) when the statement failed.
    bool BindGrid(const QString& sql);
};
