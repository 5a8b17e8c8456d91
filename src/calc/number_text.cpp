// Number texts: reading, fixed-decimal formatting and plain text. Built on
// std::from_chars / std::to_chars, which never consult the locale.
#include "calc/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace ctallix {

double ParseNumberText(std::string_view text) {
    std::string number; // the digits and the one point that were read
    bool seenPoint = false;
    bool seenDigit = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n')
            continue;
        if (c >= '0' && c <= '9') {
            number += c;
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            number += c;
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    if (number.front() == '.')
        number.insert(number.begin(), '0');
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           std::chars_format::fixed);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Beyond the range of a double: only absurdly long texts get here,
        // the frame itself never gives more than ten digits. A number whose
        // whole part is zero lies below the smallest double, any other one
        // above the largest.
        const std::string whole = number.substr(0, number.find('.'));
        return whole.find_first_not_of('0') == std::string::npos ? 0.0 : HUGE_VAL;
    }
    return value;
}

namespace {

// The shortest fixed-notation text of a finite non-negative x that reads
// back as x. The largest double has 309 whole digits and the smallest
// subnormal needs 327 characters after "0.", so 400 characters suffice.
std::string ShortestFixed(double x) {
    std::array<char, 400> buffer{};
    const auto [end, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, std::chars_format::fixed);
    if (ec != std::errc())
        return "0";
    return std::string(buffer.data(), end);
}

bool NonFinite(double x, std::string &text) {
    if (std::isnan(x)) {
        text = "nan";
        return true;
    }
    if (std::isinf(x)) {
        text = x < 0 ? "-inf" : "inf";
        return true;
    }
    return false;
}

} // namespace

std::string FormatFixed(double x, int places) {
    std::string special;
    if (NonFinite(x, special))
        return special;
    if (places < 0)
        places = 0;
    const bool negative = std::signbit(x);
    const std::string shortest = ShortestFixed(std::fabs(x));
    const std::size_t point = shortest.find('.');
    std::string whole = shortest.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : shortest.substr(point + 1);
    const std::size_t wanted = static_cast<std::size_t>(places);

    if (fraction.size() > wanted) {
        // Half away from zero: the magnitude goes up when the first digit
        // dropped is 5 or more.
        const bool roundUp = fraction[wanted] >= '5';
        fraction.resize(wanted);
        if (roundUp) {
            std::string digits = whole + fraction;
            std::size_t i = digits.size();
            while (i > 0) {
                --i;
                if (digits[i] == '9') {
                    digits[i] = '0';
                } else {
                    ++digits[i];
                    break;
                }
                if (i == 0)
                    digits.insert(digits.begin(), '1');
            }
            whole = digits.substr(0, digits.size() - wanted);
            fraction = digits.substr(digits.size() - wanted);
        }
    } else {
        fraction.append(wanted - fraction.size(), '0');
    }

    std::string text;
    // A value that rounds to zero is written without a sign.
    const bool zero = whole.find_first_not_of('0') == std::string::npos &&
                      fraction.find_first_not_of('0') == std::string::npos;
    if (negative && !zero)
        text += '-';
    text += whole;
    if (wanted > 0) {
        text += '.';
        text += fraction;
    }
    return text;
}

double SnapToShortDecimal(double x) {
    if (!std::isfinite(x) || x == 0)
        return x;
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                         std::chars_format::scientific, 14);
    if (ec != std::errc())
        return x;
    double decimal = x;
    if (std::from_chars(buffer.data(), end, decimal, std::chars_format::scientific).ec !=
        std::errc())
        return x;
    const double magnitude = std::fabs(x);
    const double ulp =
        std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
    return std::fabs(decimal - x) <= 4 * ulp ? decimal : x;
}

std::string PlainText(double x) {
    std::string special;
    if (NonFinite(x, special))
        return special;
    if (x == 0)
        return "0"; // also for -0
    std::string text = ShortestFixed(std::fabs(x));
    if (x < 0)
        text.insert(text.begin(), '-');
    return text;
}

} // namespace ctallix
