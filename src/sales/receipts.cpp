#include "sales/receipts.h"

// Layouts and printing come with the receipts; until then nothing is printed.
QList<ui::PrintBlock> PrintReceiptWide(const ReceiptSale&) { return {}; }
QList<ui::PrintBlock> PrintReceiptNarrow(const ReceiptSale&) { return {}; }
QList<ui::PrintBlock> ReprintReceiptWide(const ReceiptSale&) { return {}; }
QList<ui::PrintBlock> ReprintReceiptNarrow(const ReceiptSale&) { return {}; }
void PrintCheckoutReceipt(const ReceiptSale&) {}
void ReprintLastReceipt(const QString&) {}
