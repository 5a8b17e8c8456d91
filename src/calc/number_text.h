// Number texts of the calculator: reading a joined column text as a value,
// writing a result with a fixed number of decimals, and the plain text of a
// first operand. "." is always the decimal point, whatever the locale says.
#pragma once

#include <string>
#include <string_view>

namespace ctallix {

// The value a number text reads as: digits, at most one ".", more digits;
// reading stops at the end or at the first character that cannot continue
// the number (a second ".", the fill character, anything not a digit).
// Blanks, tabs and line feeds are skipped. No digit read gives 0.
double ParseNumberText(std::string_view text);

// x rounded half away from zero to exactly `places` decimals (0..9), written
// in fixed notation: at least one whole digit, "." and `places` digits when
// places > 0, no grouping, "-" in front of a negative value. The rounding is
// done on the shortest decimal text that reads back as x, so 1.005 with two
// places gives 1.01 although its binary value lies just below.
// Infinities and NaN give "inf", "-inf" and "nan".
std::string FormatFixed(double x, int places);

// The shortest fixed-notation text that reads back as x: no trailing zeros,
// no point for a whole value, "0." before a fraction below 1, never an
// exponent (0.000000001, 12.5, 7, 9999999999).
std::string PlainText(double x);

// The result of one multiplication or division, snapped to a short decimal.
// Operands are decimals of at most ten digits held as the nearest doubles,
// so their binary product or quotient lies within two units in the last
// place (ulp) of the true result and can miss a decimal tie: 0.201 x 5 may
// come out as 1.0049999999999999 and round to 1.00. When x rounded to 15
// significant digits lies within 4 ulp of x, that decimal is returned;
// otherwise (the true result is not a short decimal) x is returned as it is.
// Non-finite values and 0 are returned unchanged.
double SnapToShortDecimal(double x);

} // namespace ctallix
