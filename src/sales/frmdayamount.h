#pragma once
// "日结算": the logged-in seller closes a day. For the date chosen the window
// shows the sums of what this user sold, took back as returns and settled as
// exchanges in the current shop and what is due to the till, and stores the
// figures as the day's settlement row of this seller.

#include "platform/formbase.h"
#include "sales/rules/daysettlement.h"

#include <QDate>
#include <QString>

class QDateEdit;
class QLabel;
class QPushButton;

class frmDayAmount : public FormBase {
    Q_OBJECT
public:
    explicit frmDayAmount(QWidget* parent = nullptr);

    QDateEdit* DTDate;
    QLabel* lbDate;          // "结算日期："
    QLabel* LbSeller;        // "销售员："
    QLabel* lbSellCount;     // "当日售货："
    QLabel* lbSellMny;       // "售货金额："
    QLabel* lbBackCount;     // "当日退货："
    QLabel* lbBackAmount;    // "退货金额："
    QLabel* lbChangeCount;   // "当日调换："
    QLabel* lbChangeAmount;  // "调换金额："
    QLabel* lbRecive;        // "应交金额："
    QPushButton* cmdCheckOut;
    QLabel* lbTitle;
    QLabel* lbExplain;  // what the sign of the exchange amount means

    void cmdCheckOut_Click();

private:
    void Form_Load();
    // Computes the figures and shows them; false (the figures and labels as
    // they were) when a sum could not be read.
    bool ShowDayTotals();
    // Writes the figures into the day's row, or a new row when there is none.
    bool StoreDayTotals();

    // The figures between the computation and the write.
    sales::DayTotals totals_;
};
