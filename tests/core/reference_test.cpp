// Randomized comparison against exact decimal arithmetic. Operands are
// scaled integers (A / 10^d1, B / 10^d2) entered through the bead events;
// the expected result is computed with 128-bit integers and rounded half
// away from zero, independently of the calculator's floating point.
#include "calc/number_text.h"
#include "exact_decimal.h"
#include "rig.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace ctallix::test {
namespace {

std::string Digits10(u128 v) {
    std::string s(10, '0');
    for (int i = 9; i >= 0 && v > 0; --i, v /= 10)
        s[i] = static_cast<char>('0' + static_cast<int>(v % 10));
    return s;
}

struct Expected {
    bool decidable = true; // false: too close to a tie or a bound to judge
    bool accepted = false;
    int beeps = 0;
    std::string shown; // digits of the laid result, column 9 first
};

// Whether num/den is a decimal of at most 15 significant digits.
bool IsShortDecimal(u128 num, u128 den) {
    const auto q = Quotient(Decimal::Of(num, 0), Decimal::Of(den, 0));
    return q && q->digits() <= 15;
}

// num/den is the exact result in units of 10^-places; it is shown rounded
// half away from zero. Results that are short decimals are always judged.
// Others are judged unless they lie within a relative 1e-14 of a rounding
// tie or of the largest frame value, where the last binary digits decide
// (a double result carries a relative error of about 1e-15).
Expected Judge(u128 num, u128 den, int places, bool valueTest) {
    Expected e;
    const u128 q = num / den;
    const u128 rem = num % den;
    const u128 twice = 2 * rem;
    const u128 r = q + (twice >= den ? 1 : 0);
    const u128 bound = static_cast<u128>(9999999999ULL) * Pow10(places) * den;

    // Results of 1e11 units or more never fit, however they round.
    const u128 tieDistance = twice > den ? twice - den : den - twice; // in 1/(2 den)
    const bool nearTie = q < Pow10(11) && tieDistance < 2 * num / Pow10(14);
    const u128 boundDistance = num > bound ? num - bound : bound - num; // in 1/den
    const bool nearBound = valueTest && boundDistance < bound / Pow10(14);
    e.decidable = IsShortDecimal(num, den) || (!nearTie && !nearBound);

    const u128 whole = r / Pow10(places);
    const std::size_t length = DigitCount(whole) + (places > 0 ? 1 + places : 0);
    const bool fits = length <= 11 && (!valueTest || num <= bound);
    e.accepted = fits;
    e.beeps = fits ? 0 : 1;
    if (fits)
        e.shown = Digits10(r);
    return e;
}

// The value of ten shown digits with the point after column dot.
double ValueOf(const std::string &digits, int dot) {
    return ParseNumberText(digits.substr(0, 10 - dot) + "." + digits.substr(10 - dot));
}

u128 RandomOperand(std::mt19937_64 &rng) {
    // Every length from 0 to 10 digits; one in four ends in 5 so that
    // products and quotients often land exactly on a rounding tie.
    const int length = std::uniform_int_distribution<int>(0, 10)(rng);
    u128 v = 0;
    for (int i = 0; i < length; ++i)
        v = v * 10 + std::uniform_int_distribution<int>(0, 9)(rng);
    if (length > 0 && std::uniform_int_distribution<int>(0, 3)(rng) == 0)
        v = v - v % 10 + 5;
    return v;
}

TEST(Reference, RandomOperandsAgreeWithExactArithmetic) {
    std::mt19937_64 rng(20261206);
    int compared = 0, undecided = 0, refused = 0;
    for (int i = 0; i < 6000; ++i) {
        const u128 a = RandomOperand(rng);
        const u128 b = RandomOperand(rng);
        const int d1 = std::uniform_int_distribution<int>(0, 9)(rng);
        const int d2 = std::uniform_int_distribution<int>(0, 9)(rng);
        const bool divide = (i & 1) != 0;

        Rig rig;
        rig.chooseDot(d1);
        rig.enterDigits(Digits10(a));
        divide ? rig.core.Command2_Click() : rig.core.Command1_Click();
        rig.chooseDot(d2);
        rig.enterDigits(Digits10(b));
        rig.core.Command3_Click();

        const std::string what = (divide ? "divide " : "multiply ") + Digits10(a) + "/10^" +
                                 std::to_string(d1) + " by " + Digits10(b) + "/10^" +
                                 std::to_string(d2);
        Expected e;
        if (divide) {
            if (b == 0) {
                e.beeps = 2; // refused, and refused again
            } else {
                // (a/10^d1) / (b/10^d2) in units of 10^-d2
                e = Judge(a * Pow10(2 * d2), b * Pow10(d1), d2, false);
            }
        } else {
            // (a/10^d1) * (b/10^d2) in units of 10^-d2
            e = Judge(a * b, Pow10(d1), d2, true);
        }
        if (!e.decidable) {
            ++undecided;
            continue;
        }
        ++compared;
        ASSERT_EQ(rig.view.beeps, e.beeps) << what;
        if (e.accepted) {
            ASSERT_EQ(rig.view.shownDigits(), e.shown) << what;
            ASSERT_EQ(rig.view.label2, "") << what;
            // The frame reads back as what it shows.
            ASSERT_EQ(rig.core.ReadFrame(2), ValueOf(e.shown, d2)) << what;
        } else {
            ++refused;
            ASSERT_EQ(rig.view.shownDigits(), "0000000000") << what;
            ASSERT_EQ(rig.view.label2, "0") << what;
            ASSERT_EQ(rig.core.firstnum, kFalse) << what;
        }
    }
    EXPECT_GT(compared, 5900);
    EXPECT_GT(refused, 100);
    std::printf("compared %d, refused %d, not judged (near a tie) %d\n", compared, refused,
                undecided);
}

} // namespace
} // namespace ctallix::test
