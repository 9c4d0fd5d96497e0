#pragma once
// The printing of the receipt "结帐单" at the counter: after a checkout, and the
// reprint of the day's previous sale.

#include "sales/rules/receipts.h"

#include <QString>

namespace sales {
// Prints the checkout receipt in the layout of the shop's rule (gSellRole.PrinterType)
// through the receipt-printing service; "没有发现打印机！" when that fails.
void PrintCheckoutReceipt(const ReceiptSale& sale);

// F8 at the counter: asks, checks and reprints the sale before the one whose
// number the counter shows (lbNo).
void ReprintLastReceipt(const QString& lbNo);
}  // namespace sales
