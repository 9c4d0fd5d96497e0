#pragma once
// The receipt "结帐单" of a sale, in the wide layout (dot-matrix printer) and the
// narrow one (receipt printer), and the reprint of the day's previous sale.

#include "platform/base/services.h"

#include <QList>
#include <QString>

namespace sales {
// One sale line as the counter's list shows it (cell texts).
struct ReceiptLine {
    QString TypeNo;    // 货号
    QString Brand;     // 品牌
    QString Name;      // 种类
    QString Size;      // 尺码
    QString Quantity;  // 数量
    QString Price;     // 零售价
    QString Abate;     // 折扣
    QString Amount;    // 应收金额
};

// What a checkout receipt shows, taken from the counter before it is cleared.
struct ReceiptSale {
    QString shopName;
    QString time;      // the current date and time as text
    QString seller;    // the user's name
    QString sellNo;
    QString received;  // as typed
    QString change;    // as shown
    QList<ReceiptLine> lines;
};

// The printed document of each layout (pure: no printing, no database).
QList<ui::PrintBlock> PrintReceiptWide(const ReceiptSale& sale);
QList<ui::PrintBlock> PrintReceiptNarrow(const ReceiptSale& sale);
QList<ui::PrintBlock> ReprintReceiptWide(const ReceiptSale& sale);
QList<ui::PrintBlock> ReprintReceiptNarrow(const ReceiptSale& sale);

// Prints the checkout receipt in the layout of the shop's rule (gSellRole.PrinterType)
// through the receipt-printing service; "没有发现打印机！" when that fails.
void PrintCheckoutReceipt(const ReceiptSale& sale);

// F8 at the counter: asks, checks and reprints the sale before the one whose
// number the counter shows (lbNo).
void ReprintLastReceipt(const QString& lbNo);
}  // namespace sales
