#pragma once
// "日结算": the logged-in seller closes a day. For the date chosen the window
// sums what this user sold, took back as returns and settled as exchanges in
// the current shop, shows what is due to the till, and stores the figures as
// the day's settlement row of this seller (written once, brought up to date by
// every later settlement of the same day).
//
// The sums count every sale line of the seller and day, whatever became of it
// since: returns and exchanges are accounted through the change history of the
// day they were recorded, by whoever recorded them; voids not at all.

#include "platform/formbase.h"

#include <QDate>
#include <QString>

class QDateEdit;
class QLabel;
class QPushButton;

namespace sales {
// The three sums of a seller's day in the current shop, by user number; each
// gives one row with the pieces as "数量" and the amount as "金额".
QString SellTotalSql(const QDate& day, const QString& sellerNo);
QString BackTotalSql(const QDate& day, const QString& sellerNo);
QString ChangeTotalSql(const QDate& day, const QString& sellerNo);
// The stored settlement of the day in the current shop, by the seller's name.
QString DayAmountRowSql(const QDate& day, const QString& sellerName);
}  // namespace sales

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
    // Each sum into its pieces and amount; a sum over no rows is 0. False when
    // the statement failed (the engine's message has been shown).
    bool GetSellTotal(qint32& Quantity, float& Amount);
    bool GetBackTotal(qint32& Quantity, float& Amount);
    bool GetChangeTotal(qint32& Quantity, float& Amount);
    // Writes the figures into the day's row, or a new row when there is none.
    bool StoreDayTotals();

    // The figures between the computation and the write, named after the
    // columns they fill.
    qint32 SellQuantity = 0;
    float SellAmount = 0;
    qint32 BackQuantity = 0;
    float BackAmount = 0;
    qint32 ChangeQuantity = 0;
    float ChangeAmount = 0;
    float ReciveAmount = 0;
};
