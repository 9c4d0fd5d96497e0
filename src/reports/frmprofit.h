#pragma once
// "利润分析": for the shop and a span of days, what was bought in, what was sold
// and what it earned, what went back to the factory and what was spent outside
// the trade; and the stock that remains now (saleable and problem stock) at
// cost. It only reads.

#include "platform/formbase.h"

class QDateEdit;
class QLabel;
class QPushButton;

class frmProfit : public FormBase {
    Q_OBJECT
public:
    explicit frmProfit(QWidget* parent = nullptr);

    QDateEdit* DTBeginTime;
    QDateEdit* DTEndTime;
    QPushButton* cmdQuery;
    QLabel* lbInQuantity;
    QLabel* lbInAmount;
    QLabel* lbSellQuantity;
    QLabel* lbSellAmount;
    QLabel* lbBackQuantity;
    QLabel* lbBackAmount;
    QLabel* lbStoreQuantity;
    QLabel* lbQuestionQuantity;
    QLabel* lbStorePrice;
    QLabel* lbProfit;
    QLabel* lbOtherAmount;
    QLabel* lbProfitEx;

    void cmdQuery_Click();

private:
    void Form_Load();
};
