#include "platform/base/vb.h"

#include <QRegularExpression>
#include <cmath>
#include <charconv>
#include <string>
#include <limits>

namespace platform::vb {

bool isNumeric(const QString& text)
{
    static const QRegularExpression whole(
        QStringLiteral(R"(^\s*[+-]?\s*(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    return whole.match(text).hasMatch();
}

double val(const QString& text)
{
    // Hand-scanned: grids total many thousands of cells at a time.
    const QChar* p = text.constData();
    const QChar* const e = p + text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (p < e && blank(*p))
        ++p;
    char buf[64];
    int n = 0;
    if (p < e && (*p == QLatin1Char('+') || *p == QLatin1Char('-'))) {
        buf[n++] = char(p->unicode());
        ++p;
        while (p < e && blank(*p))
            ++p;
    }
    int digits = 0;
    bool point = false;
    for (; p < e && n < 40; ++p) {
        const ushort c = p->unicode();
        if (c >= '0' && c <= '9') {
            buf[n++] = char(c);
            ++digits;
        } else if (c == '.' && !point) {
            buf[n++] = '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return 0;
    if (p + 1 < e && (*p == QLatin1Char('e') || *p == QLatin1Char('E'))) {
        const QChar* q = p + 1;
        char exp[8];
        int m = 0;
        if (*q == QLatin1Char('+') || *q == QLatin1Char('-'))
            exp[m++] = char((q++)->unicode());
        const int before = m;
        while (q < e && q->unicode() >= '0' && q->unicode() <= '9' && m < 6)
            exp[m++] = char((q++)->unicode());
        if (m > before) {
            buf[n++] = 'e';
            for (int i = 0; i < m; ++i)
                buf[n++] = exp[i];
        }
    }
    double v = 0;
    const char* begin = buf[0] == '+' ? buf + 1 : buf;
    const auto r = std::from_chars(begin, buf + n, v);
    return r.ec == std::errc() && std::isfinite(v) ? v : 0;
}

double roundHalfEven(double v)
{
    return std::nearbyint(v);  // the default rounding mode rounds halves to even
}

std::optional<qint32> toLong(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = roundHalfEven(v);
    if (r < std::numeric_limits<qint32>::min() || r > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(r);
}

namespace {

// The significant digits of a plain number text ("-0.0250" has three).
int significantDigits(const char* begin, const char* end)
{
    const char* p = begin;
    while (p < end && (*p < '1' || *p > '9'))
        ++p;
    int n = 0;
    for (; p < end; ++p)
        n += *p != '.';
    return n;
}

}  // namespace

QString singleText(float v)
{
    if (v == 0 || !std::isfinite(v))
        return QStringLiteral("0");
    if (v == std::trunc(v) && std::fabs(v) < 16777216.0f)
        return QString::number(qint64(v));
    // The shortest plain text that reads back as the same float; whole numbers
    // past 2^24 stay exact in it.
    char buf[128];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (v != std::trunc(v) && significantDigits(buf, r.ptr) > 7) {
        // Noise past the seven significant digits a single holds for sure:
        // rounded to seven, 99.9 * 3 - 99.9 is "199.8", not "199.80002".
        r = std::to_chars(buf, buf + sizeof buf, double(v), std::chars_format::scientific, 6);
        double rounded = 0;
        std::from_chars(buf, r.ptr, rounded);
        r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed);
    }
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

QString numberText(double v)
{
    if (v == 0 || !std::isfinite(v))
        return QStringLiteral("0");
    if (v == std::trunc(v) && std::fabs(v) < 1e15)
        return QString::number(static_cast<qint64>(v));
    // At most 15 significant digits, then the shortest plain text of that value.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    double rounded = 0;
    std::from_chars(buf, r.ptr, rounded);
    r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

}  // namespace platform::vb
