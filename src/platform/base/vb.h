#pragma once
// The numeric conversions the forms rely on, with the meaning the shop's windows
// give them: what counts as a number in a text box, the leading number of a
// text, rounding halves to the even neighbour, single precision, and number text
// that is always written with "." and no grouping.

#include <QString>
#include <optional>

namespace platform::vb {

// Optional blanks and sign, digits with at most one decimal point (at least one
// digit in all), an optional exponent, optional trailing blanks.
bool isNumeric(const QString& text);

// The number the text starts with (after leading blanks); 0 when it starts with none.
double val(const QString& text);

// Rounds to a whole number, halves to the even neighbour (42.5 -> 42, 43.5 -> 44).
double roundHalfEven(double v);

// roundHalfEven into a 32-bit whole number; nullopt when out of range.
std::optional<qint32> toLong(double v);

// Single-precision conversion.
inline float toSingle(double v) { return static_cast<float>(v); }

// A single's text: seven significant digits without trailing zeros (72.25, 0.1,
// 199.8 for 99.9 * 3 - 99.9); whole numbers exactly (85, 16777218). Always with
// "." and never in exponent form.
QString singleText(float v);

// Whole values without ".0", otherwise the shortest text up to 15 significant digits.
QString numberText(double v);

}  // namespace platform::vb
namespace vb = platform::vb;
