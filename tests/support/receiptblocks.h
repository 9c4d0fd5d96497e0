#pragma once
// The blocks of a printed receipt as values a test compares and prints.

#include "platform/base/services.h"
#include "sales/rules/receipts.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace receipttest {

inline QString sp(int n) { return QString(n, QLatin1Char(' ')); }
inline const QString kWideRule = sp(4) + QString(40, QChar(0x2026));
inline const QString kNarrowRule = QString(20, QChar(0x2026));

// One block as comparable values: size, boldness and its lines (split at CR LF).
struct Block {
    int pointSize;
    bool bold;
    std::vector<std::string> lines;
    bool operator==(const Block&) const = default;
};

inline void PrintTo(const Block& b, std::ostream* os)
{
    *os << "size " << b.pointSize << (b.bold ? " bold" : "") << ":\n";
    for (const std::string& l : b.lines)
        *os << "  [" << l << "]\n";
}

inline Block block(int pointSize, bool bold, const QStringList& lines)
{
    Block b{pointSize, bold, {}};
    for (const QString& l : lines)
        b.lines.push_back(l.toStdString());
    return b;
}

inline std::vector<Block> blocksOf(const QList<ui::PrintBlock>& document)
{
    std::vector<Block> out;
    for (const ui::PrintBlock& p : document) {
        // Lines are joined, not ended, by CR LF; a bare LF would be a fault.
        EXPECT_FALSE(p.text.contains(QRegularExpression(QStringLiteral("\r(?!\n)|(?<!\r)\n"))));
        out.push_back(block(p.pointSize, p.bold, p.text.split(QStringLiteral("\r\n"))));
    }
    return out;
}

// 200 paid for 180 due; the first goods number has 12 characters.
inline sales::ReceiptSale sampleSale()
{
    sales::ReceiptSale s;
    s.shopName = QStringLiteral("东门店");
    s.time = QStringLiteral("2024-03-05 10:30:00");
    s.seller = QStringLiteral("管理员");
    s.sellNo = QStringLiteral("202403050003");
    s.received = QStringLiteral("200");
    s.change = QStringLiteral("20");
    s.lines << sales::ReceiptLine{"AB1234567890", "青禾", "男鞋", "40", "1", "100", "全", "100"};
    s.lines << sales::ReceiptLine{"K7", "远帆", "女鞋", "37", "1", "99.5", "8", "80"};
    return s;
}

}  // namespace receipttest
