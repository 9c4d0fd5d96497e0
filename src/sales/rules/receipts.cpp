#include "sales/rules/receipts.h"

#include "platform/base/vb.h"

#include <QStringList>

namespace sales {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTitle = QStringLiteral("结帐单");

QString spaces(int n) { return QString(n, QLatin1Char(' ')); }

// The value followed by spaces up to n characters; nothing added when it is that long already.
QString padded(const QString& value, int n) { return value + spaces(qMax(0, n - int(value.length()))); }

QString wideRule() { return spaces(4) + QString(40, QChar(0x2026)); }
QString narrowRule() { return QString(20, QChar(0x2026)); }

struct Totals {
    qint32 pieces = 0;
    float retail = 0;
    float saving = 0;
    float charged = 0;
};

// The sums are taken over the values as written on the lines and held at single
// precision only at the end: adding single-precision steps would print three
// pieces at 39.9 as 119.700005.
Totals totalsOf(const QList<ReceiptLine>& lines)
{
    double retail = 0;
    double saving = 0;
    Totals t;
    for (const ReceiptLine& l : lines) {
        t.pieces += vb::toLong(vb::val(l.Quantity)).value_or(0);
        retail += vb::val(l.Price);
        saving += vb::val(l.Price) - vb::val(l.Amount);
    }
    t.retail = vb::toSingle(retail);
    t.saving = vb::toSingle(saving);
    t.charged = vb::toSingle(retail - saving);
    return t;
}

// Every sale line puts one empty line in front of the block it belongs to.
QStringList leadingEmptyLines(const ReceiptSale& sale) { return QStringList(sale.lines.size(), QString()); }

QString wideTitle(const ReceiptSale& sale) { return spaces(23) + sale.shopName + kTitle + spaces(17); }

// Everything of the wide layout below the title line.
QStringList wideBody(const ReceiptSale& sale, int indent, const QString& columnHeader)
{
    const Totals t = totalsOf(sale.lines);
    QStringList out;
    out << spaces(indent) + QStringLiteral("销售时间：") + sale.time;
    out << spaces(indent) + QStringLiteral("销 售 员：") + spaces(4) + sale.seller;
    out << spaces(indent) + QStringLiteral("销售编号：") + sale.sellNo;
    out << QString();
    out << wideRule();
    out << columnHeader;
    for (const ReceiptLine& l : sale.lines) {
        out << QString();
        out << l.TypeNo + spaces(4) + l.Brand + spaces(4) + l.Name + spaces(5) + l.Size + spaces(8) + l.Quantity +
                   spaces(6) + l.Price + spaces(10) + l.Abate + spaces(10) + l.Amount;
    }
    out << QString();
    out << wideRule();
    out << QStringLiteral("    数    量：") + padded(QString::number(t.pieces), 10) + QStringLiteral("应收合计：") +
               padded(vb::singleText(t.retail), 10) + QStringLiteral("实收合计：") + vb::singleText(t.charged);
    out << QString();
    out << QStringLiteral("    优惠合计：") + padded(vb::singleText(t.saving), 10) + QStringLiteral("客人付款：") +
               padded(sale.received, 10) + QStringLiteral("找回金额：") + sale.change;
    out << wideRule();
    out << QStringLiteral("               欢迎再次光临  多谢惠顾");
    return out;
}

// The narrow layout: the title block and the body block.
QList<ui::PrintBlock> narrowReceipt(const ReceiptSale& sale)
{
    const Totals t = totalsOf(sale.lines);
    QStringList body = leadingEmptyLines(sale);
    body << QStringLiteral("   销售时间：") + sale.time;
    body << QStringLiteral("   销 售 员：") + spaces(4) + sale.seller;
    body << QStringLiteral("   销售编号：") + sale.sellNo;
    body << narrowRule();
    body << QStringLiteral("货号   品牌 数量 零售价 折扣 实收 ");
    for (const ReceiptLine& l : sale.lines) {
        body << QString();
        body << padded(l.TypeNo, 10) + l.Brand + spaces(1) + l.Quantity + spaces(1) + l.Price + spaces(2) +
                    padded(l.Abate, 3) + padded(l.Amount, 5);
    }
    body << narrowRule();
    body << QStringLiteral(" 数    量：") + padded(QString::number(t.pieces), 4) + QStringLiteral("  应收合计：") +
                vb::singleText(t.retail);
    body << QStringLiteral(" 实收合计：") + padded(vb::singleText(t.charged), 4) + QStringLiteral("优惠合计：") +
                vb::singleText(t.saving);
    body << QStringLiteral(" 客人付款：") + padded(sale.received, 4) + QStringLiteral("  找回金额：") + sale.change;
    body << narrowRule();
    body << QStringLiteral("凭本票按国家三包法规实行三包");
    body << narrowRule();
    body << QStringLiteral("    谢谢惠顾，欢迎下次光临！");
    body << spaces(3);

    const QString title = spaces(4) + sale.shopName + kTitle + spaces(7);
    return {ui::PrintBlock{title, 10, true}, ui::PrintBlock{body.join(kCrLf), 8, false}};
}

}  // namespace

QList<ui::PrintBlock> PrintReceiptWide(const ReceiptSale& sale)
{
    QStringList lines = leadingEmptyLines(sale);
    lines << wideTitle(sale);
    lines << wideBody(sale, 40,
                      QStringLiteral(" 货号    品牌      种类     尺码    数量    零售价    折扣/特价    实收金额"));
    return {ui::PrintBlock{lines.join(kCrLf), 10, false}};
}

QList<ui::PrintBlock> ReprintReceiptWide(const ReceiptSale& sale)
{
    QStringList body = leadingEmptyLines(sale);
    body << wideBody(
        sale, 53,
        QStringLiteral("    品牌      种类     尺码    数量    零售价    折扣/特价    实收金额    优惠金额"));
    return {ui::PrintBlock{wideTitle(sale), 10, false}, ui::PrintBlock{body.join(kCrLf), 8, false}};
}

QList<ui::PrintBlock> PrintReceiptNarrow(const ReceiptSale& sale) { return narrowReceipt(sale); }

QList<ui::PrintBlock> ReprintReceiptNarrow(const ReceiptSale& sale) { return narrowReceipt(sale); }

}  // namespace sales
