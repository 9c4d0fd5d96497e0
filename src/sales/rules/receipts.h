#pragma once
// The receipt "结帐单" of a sale, in the wide layout (dot-matrix printer) and the
// narrow one (receipt printer), and of its reprint.

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
}  // namespace sales
