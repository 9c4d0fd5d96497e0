#include "platform/vb.h"

#include <QRegularExpression>
#include <cmath>
#include <charconv>
#include <string>
#include <limits>

namespace vb {

namespace {
const QRegularExpression& numberPattern()
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*[+-]?\s*(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)"));
    return re;
}
// Shortest round-trip text of a float; std::to_chars ignores the C locale.
std::string shortest(float v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}
}  // namespace

bool isNumeric(const QString& text)
{
    static const QRegularExpression whole(
        QStringLiteral(R"(^\s*[+-]?\s*(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    return whole.match(text).hasMatch();
}

double val(const QString& text)
{
    const QRegularExpressionMatch m = numberPattern().match(text);
    if (!m.hasMatch())
        return 0;
    QString s = m.captured(0);
    s.remove(QLatin1Char(' '));
    s.remove(QLatin1Char('\t'));
    bool ok = false;
    const double v = s.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
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

QString singleText(float v)
{
    // Shortest text that reads back as the same float, then written plainly.
    const std::string s = shortest(v);
    double d = 0;
    std::from_chars(s.data(), s.data() + s.size(), d);
    return numberText(d);
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

}  // namespace vb
