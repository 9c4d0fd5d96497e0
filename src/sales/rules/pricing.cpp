#include "sales/rules/pricing.h"

#include "platform/base/vb.h"

#include <limits>
#include <vector>

namespace pricing {

// -- exact decimal numbers ---------------------------------------------------------------

Decimal Decimal::Of(const QString& text)
{
    const QChar* p = text.constData();
    const QChar* const e = p + text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    while (p < e && blank(*p))
        ++p;
    Decimal d;
    if (p < e && (*p == QLatin1Char('+') || *p == QLatin1Char('-'))) {
        d.negative_ = *p == QLatin1Char('-');
        ++p;
        while (p < e && blank(*p))
            ++p;
    }
    bool point = false;
    bool anyDigit = false;
    for (; p < e; ++p) {
        if (digit(*p)) {
            d.digits_ += char(p->unicode());
            anyDigit = true;
            if (point)
                --d.exponent_;
        } else if (*p == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return Decimal();
    // An exponent counts only with digits, of which val reads six characters with the sign.
    if (p + 1 < e && (*p == QLatin1Char('e') || *p == QLatin1Char('E'))) {
        const QChar* q = p + 1;
        bool minus = false;
        int read = 0;
        if (*q == QLatin1Char('+') || *q == QLatin1Char('-')) {
            minus = *q == QLatin1Char('-');
            ++q;
            ++read;
        }
        int power = 0;
        bool any = false;
        for (; q < e && digit(*q) && read < 6; ++q, ++read) {
            power = power * 10 + (q->unicode() - '0');
            any = true;
        }
        if (any)
            d.exponent_ += minus ? -power : power;
    }
    d.Normalise();
    return d;
}

void Decimal::Normalise()
{
    const auto first = digits_.find_first_not_of('0');
    if (first == std::string::npos) {
        *this = Decimal();
        return;
    }
    const auto last = digits_.find_last_not_of('0');
    exponent_ += int(digits_.size() - 1 - last);
    digits_ = digits_.substr(first, last - first + 1);
}

Decimal Decimal::operator*(const Decimal& other) const
{
    if (digits_.empty() || other.digits_.empty())
        return Decimal();
    std::vector<int> sum(digits_.size() + other.digits_.size(), 0);
    for (size_t i = digits_.size(); i-- > 0;)
        for (size_t j = other.digits_.size(); j-- > 0;)
            sum[i + j + 1] += (digits_[i] - '0') * (other.digits_[j] - '0');
    for (size_t k = sum.size(); k-- > 1;) {
        sum[k - 1] += sum[k] / 10;
        sum[k] %= 10;
    }
    Decimal product;
    product.negative_ = negative_ != other.negative_;
    product.exponent_ = exponent_ + other.exponent_;
    for (const int d : sum)
        product.digits_ += char('0' + d);
    product.Normalise();
    return product;
}

Decimal Decimal::Shifted(int powerOfTen) const
{
    Decimal d = *this;
    if (!d.digits_.empty())
        d.exponent_ += powerOfTen;
    return d;
}

std::optional<qint32> Decimal::Rounded() const
{
    // Digits before the point; more than ten cannot fit 32 bits.
    const long long wholeDigits = (long long)digits_.size() + exponent_;
    if (wholeDigits > 10)
        return std::nullopt;
    qint64 whole = 0;
    for (long long i = 0; i < wholeDigits; ++i)
        whole = whole * 10 + (i < (long long)digits_.size() ? digits_[size_t(i)] - '0' : 0);
    // What lies behind the point against a half: its first digit, and whether any follow.
    if (wholeDigits >= 0 && wholeDigits < (long long)digits_.size()) {
        const char first = digits_[size_t(wholeDigits)];
        const bool more = size_t(wholeDigits) + 1 < digits_.size();
        if (first > '5' || (first == '5' && (more || whole % 2 != 0)))
            ++whole;
    }
    if (negative_)
        whole = -whole;
    if (whole < std::numeric_limits<qint32>::min() || whole > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(whole);
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b)
{
    const auto sign = [](const Decimal& d) { return d.digits_.empty() ? 0 : d.negative_ ? -1 : 1; };
    if (sign(a) != sign(b) || sign(a) == 0)
        return sign(a) <=> sign(b);
    // Of two numbers of one sign, the one whose first digit stands higher is
    // further from 0; at the same height the digits decide.
    const long long heightA = (long long)a.digits_.size() + a.exponent_;
    const long long heightB = (long long)b.digits_.size() + b.exponent_;
    std::strong_ordering magnitude = heightA <=> heightB;
    if (magnitude == 0)
        magnitude = a.digits_.compare(b.digits_) <=> 0;
    return sign(a) > 0 ? magnitude : 0 <=> magnitude;
}

// -- the rules -------------------------------------------------------------------------

QString AbateAsShown(const QString& typed) { return typed == QLatin1String("10") ? kFull : typed; }

AbateCheck CheckAbate(const QString& abate)
{
    if (vb::isNumeric(abate)) {
        const Decimal factor = Decimal::Of(abate);
        return factor < Decimal() || factor > Decimal::Of(QStringLiteral("9.9")) ? AbateCheck::OutOfRange
                                                                                 : AbateCheck::Ok;
    }
    return abate == kFull ? AbateCheck::Ok : AbateCheck::NotANumber;
}

QString AbateRefusal(AbateCheck check)
{
    return check == AbateCheck::NotANumber ? QStringLiteral("数量的数据类型不正确！")
                                           : QStringLiteral("请输入0.1-10的数字或小数！");
}

SpecialCheck CheckSpecial(const QString& price, const QString& retail)
{
    if (!vb::isNumeric(price) || !SpecialAmount(price))
        return SpecialCheck::NotANumber;
    const Decimal special = Decimal::Of(price);
    if (special < Decimal())
        return SpecialCheck::BelowZero;
    return special > Decimal::Of(retail) ? SpecialCheck::AboveRetail : SpecialCheck::Ok;
}

std::optional<qint32> DiscountAmount(const QString& retail, const QString& abate)
{
    // Full price is the retail price itself: a factor of 10 tenths.
    if (abate == kFull)
        return Decimal::Of(retail).Rounded();
    return (Decimal::Of(retail) * Decimal::Of(abate)).Shifted(-1).Rounded();
}

std::optional<qint32> SpecialAmount(const QString& price) { return Decimal::Of(price).Rounded(); }

std::optional<qint32> Pieces(const QString& quantity)
{
    if (!vb::isNumeric(quantity))
        return std::nullopt;
    return vb::toLong(vb::val(quantity));
}

}  // namespace pricing
