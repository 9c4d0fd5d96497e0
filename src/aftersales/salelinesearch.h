#pragma once
// The search of the return and the exchange windows: the sale lines of a sale
// day, a sale number and a goods number, as their three ticked boxes ask.

#include "platform/jetdb.h"

#include <optional>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;

struct SaleLineBoxes {
    QCheckBox* chkDate;
    QDateEdit* DT;
    QCheckBox* chkNo;
    QLineEdit* txtSellNo;
    QCheckBox* chkType;
    QLineEdit* txtType;
    QLabel* lbTip;
};

// The lines found, their amount column captioned amountCaption. Nothing when no
// box is ticked ("请选择条件！"), when the search failed (the engine's message has
// been shown) or when it found nothing (the tip says "无记录！"): the window's
// list then stays as it was.
std::optional<jet::RecordSet> FindSaleLines(const SaleLineBoxes& boxes, const QString& amountCaption);
