// FormatResult / FormatFixed over any double and dot 0..9: the text's shape,
// its rounding (the shortest decimal of the double, found here with printf,
// rounded half away from zero; and, where the last place is coarser than
// the double's resolution, the exact binary value), and reading it back. PlainText and
// SnapToShortDecimal are checked on the same values.
#include "byte_reader.h"
#include "calc/number_text.h"
#include "checking_view.h"
#include "exact_decimal.h"
#include "frame/form1_core.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

using ctallix::fuzz::ByteReader;
using ctallix::fuzz::Fail;
using ctallix::test::Pow10;
using ctallix::test::u128;

std::string Show(double x) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", x);
    return buffer;
}

bool AllDigits(const std::string &s) {
    for (const char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Shape: an optional "-", a whole part without leading zero (or "0"), and
// "." with exactly `places` digits when places > 0.
void CheckShape(const std::string &text, int places, double x) {
    const std::string what =
        "FormatFixed(" + Show(x) + ", " + std::to_string(places) + ") = \"" + text + "\": ";
    const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t point = text.find('.');
    const std::size_t wholeEnd = places > 0 ? point : text.size();
    if (places > 0 && point == std::string::npos)
        Fail(what + "no point");
    if (places == 0 && point != std::string::npos)
        Fail(what + "a point with no decimals");
    const std::string whole = text.substr(start, wholeEnd - start);
    if (whole.empty() || !AllDigits(whole) || (whole.size() > 1 && whole[0] == '0'))
        Fail(what + "bad whole part");
    if (places > 0) {
        const std::string fraction = text.substr(point + 1);
        if (fraction.size() != static_cast<std::size_t>(places) || !AllDigits(fraction))
            Fail(what + "not exactly " + std::to_string(places) + " decimals");
    }
}

// The shortest fixed-notation decimal that reads back as x, found with
// printf and strtod: its significant digits and the power of ten of the last
// one. From 2^53 on every double is a whole number and all its fixed texts
// have the same length, so the shortest is the exact one.
void Shortest(double magnitude, std::string &digits, int &exponent) {
    if (magnitude >= 9007199254740992.0) {
        std::vector<char> whole(400);
        std::snprintf(whole.data(), whole.size(), "%.0f", magnitude);
        digits = whole.data();
        exponent = 0;
        return;
    }
    char buffer[64];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, magnitude);
        if (std::strtod(buffer, nullptr) == magnitude)
            break;
    }
    const std::string text = buffer; // d.ddde+XX
    const std::size_t e = text.find('e');
    digits.clear();
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            digits += text[i];
    exponent = std::atoi(text.c_str() + e + 1) - static_cast<int>(digits.size() - 1);
}

// x written with `places` decimals as the calculator means it: the shortest
// decimal of x, rounded half away from zero.
std::string ExpectedFixed(double x, int places) {
    std::string digits;
    int exponent = 0;
    Shortest(std::fabs(x), digits, exponent);
    // digits x 10^(exponent + places), rounded to a whole number.
    const int shift = exponent + places;
    std::string whole;
    if (shift >= 0) {
        whole = digits + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        const int keep = static_cast<int>(digits.size()) + shift;
        const bool up = keep >= 0 && digits[static_cast<std::size_t>(keep)] >= '5';
        whole = keep > 0 ? digits.substr(0, static_cast<std::size_t>(keep)) : "0";
        if (up) {
            int i = static_cast<int>(whole.size()) - 1;
            while (i >= 0 && whole[static_cast<std::size_t>(i)] == '9')
                whole[static_cast<std::size_t>(i--)] = '0';
            if (i < 0)
                whole.insert(0, "1");
            else
                ++whole[static_cast<std::size_t>(i)];
        }
    }
    const std::size_t start = whole.find_first_not_of('0');
    whole = start == std::string::npos ? "0" : whole.substr(start);
    const bool zero = whole == "0";
    if (whole.size() <= static_cast<std::size_t>(places))
        whole.insert(0, static_cast<std::size_t>(places) + 1 - whole.size(), '0');
    std::string text = std::signbit(x) && !zero ? "-" : "";
    text += whole.substr(0, whole.size() - static_cast<std::size_t>(places));
    if (places > 0)
        text += "." + whole.substr(whole.size() - static_cast<std::size_t>(places));
    return text;
}

// A second look from the exact binary value of x, where a unit of the last
// place is larger than the binary resolution of x: the text holds
// x x 10^places rounded half away from zero, except within a binary ulp of
// a tie, where the shortest decimal may lie on the other side.
void CheckBinaryRounding(const std::string &text, int places, double x) {
    if (x == 0)
        return;
    int e2 = 0;
    const double fraction = std::frexp(std::fabs(x), &e2);
    const u128 m = static_cast<u128>(static_cast<std::uint64_t>(std::ldexp(fraction, 53)));
    const int shift = 53 - e2; // |x| = m / 2^shift
    if (shift <= 0 || shift >= 127 || (static_cast<u128>(1) << shift) <= Pow10(places))
        return;
    const u128 n = m * Pow10(places);
    const u128 den = static_cast<u128>(1) << shift;
    const u128 q = n >> shift;
    const u128 twice = 2 * (n & (den - 1));
    const u128 distance = twice > den ? twice - den : den - twice;
    u128 low = twice > den ? q + 1 : q, high = low;
    if (twice == den)
        low = high = q + 1; // an exact tie goes away from zero
    else if (distance <= 2 * Pow10(places))
        low = q, high = q + 1;
    u128 shown = 0;
    for (const char c : text)
        if (c >= '0' && c <= '9')
            shown = shown * 10 + static_cast<unsigned>(c - '0');
    if (shown < low || shown > high)
        Fail("FormatFixed(" + Show(x) + ", " + std::to_string(places) + ") = \"" + text +
             "\": wrongly rounded from the binary value");
}

void CheckFixed(double x, int places) {
    const std::string text = ctallix::FormatFixed(x, places);
    if (std::isnan(x)) {
        if (text != "nan")
            Fail("FormatFixed(nan) = " + text);
        return;
    }
    if (std::isinf(x)) {
        if (text != (x < 0 ? "-inf" : "inf"))
            Fail("FormatFixed(inf) = " + text);
        return;
    }
    CheckShape(text, places, x);
    const std::string expected = ExpectedFixed(x, places);
    if (text != expected)
        Fail("FormatFixed(" + Show(x) + ", " + std::to_string(places) + ") = \"" + text +
             "\", expected \"" + expected + "\"");
    CheckBinaryRounding(text, places, x);
    const double back = std::strtod(text.c_str(), nullptr);
    const double magnitude = std::fabs(x);
    if (magnitude < 9223372036854775808.0) {
        if (magnitude < 1e15) {
            // Read back, it lies within half a unit of the last place (plus
            // the binary rounding of x and of the read-back value).
            const long double ulps = 2.0L * (std::nextafter(magnitude, INFINITY) - magnitude) +
                                     std::fabs(std::nextafter(back, INFINITY) - back);
            const long double half = 0.5L / std::pow(10.0L, places);
            if (std::fabs(static_cast<long double>(back) - x) > half + ulps)
                Fail("FormatFixed(" + Show(x) + ", " + std::to_string(places) + ") = " + text +
                     " reads back too far from it");
        }
    } else if (back != x) {
        // A whole number this large is written exactly as its shortest text.
        Fail("FormatFixed(" + Show(x) + ", " + std::to_string(places) + ") = " + text +
             " does not read back");
    }
}

void CheckPlain(double x) {
    const std::string text = ctallix::PlainText(x);
    if (std::isnan(x) || std::isinf(x)) {
        if (text != (std::isnan(x) ? "nan" : x < 0 ? "-inf" : "inf"))
            Fail("PlainText of a non-finite value: " + text);
        return;
    }
    const std::string what = "PlainText(" + Show(x) + ") = \"" + text + "\": ";
    if (x == 0) {
        if (text != "0")
            Fail(what + "expected 0");
        return;
    }
    const std::size_t start = text[0] == '-' ? 1 : 0;
    if ((start == 1) != (x < 0))
        Fail(what + "wrong sign");
    const std::size_t point = text.find('.');
    const std::string whole =
        text.substr(start, point == std::string::npos ? point : point - start);
    if (whole.empty() || !AllDigits(whole) || (whole.size() > 1 && whole[0] == '0'))
        Fail(what + "bad whole part");
    if (point != std::string::npos) {
        const std::string fraction = text.substr(point + 1);
        if (fraction.empty() || !AllDigits(fraction) || fraction.back() == '0')
            Fail(what + "bad fraction");
    }
    if (std::strtod(text.c_str(), nullptr) != x)
        Fail(what + "does not read back");
}

void CheckSnap(double x) {
    const double s = ctallix::SnapToShortDecimal(x);
    if (std::isnan(x)) {
        if (!std::isnan(s))
            Fail("SnapToShortDecimal(nan) is a number");
        return;
    }
    if (std::isinf(x) || x == 0) {
        if (s != x)
            Fail("SnapToShortDecimal changed " + Show(x));
        return;
    }
    // The unit in the last place above |x| (at a power of two the one
    // below is half as large).
    const double magnitude = std::fabs(x);
    const double ulp = std::nextafter(magnitude, INFINITY) - magnitude;
    if (std::fabs(s - x) > 4 * ulp)
        Fail("SnapToShortDecimal(" + Show(x) + ") = " + Show(s) + " moved more than 4 ulp");
    if (ctallix::SnapToShortDecimal(s) != s)
        Fail("SnapToShortDecimal is not stable at " + Show(s));
}

double Value(ByteReader &in) {
    switch (in.range(0, 3)) {
    case 0:
        return in.bits();
    case 1: { // a decimal of up to 15 digits, as a calculation gives them
        const double v = static_cast<double>(in.u64() % 1000000000000000ULL);
        return v / std::pow(10.0, in.range(0, 20)) * (in.byte() & 1 ? -1 : 1);
    }
    case 2: { // a binary fraction: exact ties at every dot
        const double v = static_cast<double>(in.u64() % (1ULL << 53));
        return std::ldexp(v, -in.range(0, 70)) * (in.byte() & 1 ? -1 : 1);
    }
    default: // near the frame's bounds
        return 9999999999.0 * std::ldexp(1.0, in.range(-40, 1)) + in.range(-128, 127) / 64.0;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    ByteReader in(data, size);
    const int places = in.range(0, 9);
    const double x = Value(in);

    CheckFixed(x, places);
    // FormatResult is FormatFixed with the window's dot.
    ctallix::test::CheckingView view;
    ctallix::Form1Core core(view);
    core.dot = static_cast<std::int16_t>(places);
    if (core.FormatResult(x) != ctallix::FormatFixed(x, places))
        Fail("FormatResult differs from FormatFixed at " + Show(x));
    CheckPlain(x);
    CheckSnap(x);
    return 0;
}
