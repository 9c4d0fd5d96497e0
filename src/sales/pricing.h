#pragma once
// What a piece is charged at the counter, and by the same rules for the piece
// that replaces another in an exchange: full price, a discount in tenths of the
// retail price, or a special price; amounts are whole money units, halves to even.

#include <QString>

#include <optional>

namespace pricing {

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
// whole number, factor 10 for "全"; nullopt when it does not fit 32 bits.
std::optional<qint32> DiscountAmount(const QString& retail, const QString& abate);
// The amount for one piece at a special price; nullopt when it does not fit.
std::optional<qint32> SpecialAmount(const QString& price);

// The number of pieces a typed quantity makes: its value to the nearest whole
// number; nullopt when it is no number or does not fit 32 bits.
std::optional<qint32> Pieces(const QString& quantity);

}  // namespace pricing
