// Exact decimal arithmetic on scaled 128-bit integers, for checking the
// calculator's floating point: a value is mant x 10^exp.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace ctallix::test {

using u128 = unsigned __int128;

inline constexpr u128 kU128Max = ~static_cast<u128>(0);

// 10^n for n = 0..38.
inline u128 Pow10(int n) {
    u128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

inline int DigitCount(u128 v) {
    int n = 1;
    while (v >= 10) {
        v /= 10;
        ++n;
    }
    return n;
}

inline std::string ToString(u128 v) {
    std::string s;
    do {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    } while (v != 0);
    return s;
}

// a * b, or nothing when it does not fit in 128 bits.
inline std::optional<u128> Times(u128 a, u128 b) {
    if (a != 0 && b > kU128Max / a)
        return std::nullopt;
    return a * b;
}

struct Decimal {
    u128 mant = 0; // no trailing zero digit unless the value is 0
    int exp = 0;

    bool zero() const { return mant == 0; }
    int digits() const { return DigitCount(mant); }

    static Decimal Of(u128 mant, int exp) {
        if (mant == 0)
            return {};
        while (mant % 10 == 0) {
            mant /= 10;
            ++exp;
        }
        return {mant, exp};
    }

    // "mantEexp", the form strtod reads.
    std::string text() const { return ToString(mant) + "e" + std::to_string(exp); }

    // The nearest double, as the C library reads it.
    double nearestDouble() const { return zero() ? 0.0 : std::strtod(text().c_str(), nullptr); }

    long double approx() const {
        if (zero())
            return 0.0L;
        return std::strtold(text().c_str(), nullptr);
    }
};

inline Decimal Product(const Decimal &a, const Decimal &b) {
    // Callers keep mant below 10^15 and 10^10, so the product fits.
    return Decimal::Of(a.mant * b.mant, a.exp + b.exp);
}

inline u128 Gcd(u128 a, u128 b) {
    while (b != 0) {
        const u128 t = a % b;
        a = b;
        b = t;
    }
    return a;
}

// a / b (b not 0) when it is a terminating decimal whose digits fit in 128
// bits; nothing for a repeating decimal (1/3) or a too long one.
inline std::optional<Decimal> Quotient(const Decimal &a, const Decimal &b) {
    if (a.zero())
        return Decimal{};
    const u128 g = Gcd(a.mant, b.mant);
    const u128 n = a.mant / g;
    u128 d = b.mant / g;
    int twos = 0, fives = 0;
    while (d % 2 == 0) {
        d /= 2;
        ++twos;
    }
    while (d % 5 == 0) {
        d /= 5;
        ++fives;
    }
    if (d != 1)
        return std::nullopt;
    const int k = twos > fives ? twos : fives;
    if (k > 38)
        return std::nullopt;
    const u128 scale = Pow10(k) / (b.mant / g); // 2^(k-twos) * 5^(k-fives)
    const auto mant = Times(n, scale);
    if (!mant)
        return std::nullopt;
    return Decimal::Of(*mant, a.exp - b.exp - k);
}

// Three-way comparison of a decimal with a whole number.
inline int Compare(const Decimal &a, u128 whole) {
    if (a.zero())
        return whole == 0 ? 0 : -1;
    if (a.exp >= 0) {
        if (a.exp > 38)
            return 1;
        const auto v = Times(a.mant, Pow10(a.exp));
        if (!v)
            return 1;
        return *v < whole ? -1 : (*v > whole ? 1 : 0);
    }
    // a.mant / 10^-exp against whole: compare a.mant with whole * 10^-exp.
    if (-a.exp > 38)
        return whole == 0 ? 1 : -1; // a.mant < 10^38 is far below any whole >= 1
    const auto w = Times(whole, Pow10(-a.exp));
    if (!w)
        return -1;
    return a.mant < *w ? -1 : (a.mant > *w ? 1 : 0);
}

// a x 10^places rounded half away from zero. Nothing when it is 10^30 or
// more (no such result fits on the frame).
inline std::optional<u128> RoundScaled(const Decimal &a, int places) {
    if (a.zero())
        return u128{0};
    const int shift = a.exp + places;
    if (shift >= 0) {
        if (shift > 38)
            return std::nullopt;
        const auto v = Times(a.mant, Pow10(shift));
        if (!v || *v >= Pow10(30))
            return std::nullopt;
        return *v;
    }
    if (-shift > 38)
        return u128{0}; // a.mant < 10^38: the value is below 1/2
    const u128 den = Pow10(-shift);
    const u128 q = a.mant / den;
    const u128 rem = a.mant % den;
    const u128 r = q + (rem >= den - rem ? 1 : 0);
    if (r >= Pow10(30))
        return std::nullopt;
    return r;
}

} // namespace ctallix::test
