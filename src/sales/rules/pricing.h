#pragma once
// What a piece is charged at the counter, and by the same rules for the piece
// that replaces another in an exchange: full price, a discount in tenths of the
// retail price, or a special price; amounts are whole money units, halves to even.

#include <QString>

#include <compare>
#include <optional>
#include <string>

namespace pricing {

// A number held exactly as the decimal digits of its text, never as a binary
// fraction: 43.5 is a half and 9.9 is nine and nine tenths, so that a rounding
// or a comparison of money decides as the figures on the screen do.
class Decimal {
public:
    Decimal() = default;  // 0
    // The number the text starts with, read as vb::val reads it (leading blanks,
    // a sign, digits with one point, an exponent) but with all of its digits;
    // 0 when it starts with none.
    static Decimal Of(const QString& text);

    Decimal operator*(const Decimal& other) const;
    // This number times 10 to the power given (-1 divides by 10).
    Decimal Shifted(int powerOfTen) const;
    // To the nearest whole number, halves to the even neighbour; nullopt beyond 32 bits.
    std::optional<qint32> Rounded() const;

    friend bool operator==(const Decimal&, const Decimal&) = default;
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

private:
    void Normalise();

    bool negative_ = false;
    std::string digits_;  // no leading or trailing zeros; empty for 0
    int exponent_ = 0;    // the value is digits_ times 10 to this power
};

inline const QString kFull = QStringLiteral("全");
inline const QString kSpecial = QStringLiteral("特价");

// The discount box's text after a change: exactly "10" reads as full price.
QString AbateAsShown(const QString& typed);

enum class AbateCheck {
    Ok,          // a number from 0 to 9.9, or "全"
    OutOfRange,  // a number outside 0 to 9.9
    NotANumber,  // neither a number nor "全"
};
AbateCheck CheckAbate(const QString& abate);
// The refusal of a discount text that is not Ok.
QString AbateRefusal(AbateCheck check);

enum class SpecialCheck {
    Ok,           // a number from 0 up to the retail price
    NotANumber,   // no number, or none the program can hold
    BelowZero,    // a price that would pay the customer for the goods
    AboveRetail,  // dearer than the retail price
};
// The special price typed, in this order of its checks, against the retail price.
SpecialCheck CheckSpecial(const QString& price, const QString& retail);

// The amount for one piece at a discount: retail × factor ÷ 10 to the nearest
// whole number, worked out exactly from the two texts, factor 10 for "全";
// nullopt when it does not fit 32 bits.
std::optional<qint32> DiscountAmount(const QString& retail, const QString& abate);
// The amount for one piece at a special price; nullopt when it does not fit.
std::optional<qint32> SpecialAmount(const QString& price);

// The number of pieces a typed quantity makes: its value to the nearest whole
// number; nullopt when it is no number or does not fit 32 bits.
std::optional<qint32> Pieces(const QString& quantity);

}  // namespace pricing
