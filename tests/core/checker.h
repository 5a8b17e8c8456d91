// The randomized checker: events go to the calculator core, and after every
// event the checker compares everything the window would show, and the
// invariants of the column state, with a model of its own. The model
// computes with exact fractions of 128-bit integers, so at every operation
// press it decides accept or refuse, the beeps, the text shown and the
// digits laid, independently of the core's floating point. Only where a
// result lies too close to a rounding tie or to the frame's largest value
// for floating point to decide does it follow the core (and says so).
#pragma once

#include "recording_view.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace ctallix::test {

using u128 = unsigned __int128;

struct Fraction {
    u128 n = 0, d = 1;
};

inline std::optional<u128> Mul(u128 a, u128 b) {
    u128 r;
    if (__builtin_mul_overflow(a, b, &r))
        return std::nullopt;
    return r;
}

inline u128 Gcd(u128 a, u128 b) {
    while (b != 0)
        a = std::exchange(b, a % b);
    return a;
}

inline std::optional<Fraction> Reduced(std::optional<u128> n, std::optional<u128> d) {
    if (!n || !d)
        return std::nullopt;
    const u128 g = *n == 0 ? *d : Gcd(*n, *d);
    return Fraction{*n / g, *d / g};
}

inline u128 Pow10(int e) {
    u128 p = 1;
    while (e-- > 0)
        p *= 10;
    return p;
}

inline std::string Digits(u128 v, std::size_t atLeast = 1) {
    std::string s;
    for (; v != 0 || s.size() < atLeast; v /= 10)
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
    return s;
}

class Checker {
public:
    Checker() { core_.Form_Load(); }

    // Delivers one event and checks; empty when all holds, else the problem.
    std::string Apply(const Event &e) {
        const int beepsBefore = view_.beeps;
        Deliver(core_, view_, e);
        const int beeps = view_.beeps - beepsBefore;
        std::string problem = Model(e, beeps);
        if (problem.empty())
            problem = Invariants(core_, view_);
        if (problem.empty())
            problem = Compare();
        return problem;
    }

    int dot() const { return dot_; }
    bool hints() const { return hints_; }
    long judged = 0, followed = 0;

private:
    std::string Model(const Event &e, int beeps) {
        switch (e.kind) {
        case 'L':
        case 'M':
            digits_[e.column] = digits_[e.column] / 5 * 5 + e.item;
            break;
        case 'R':
            digits_[e.column] = 5 + e.item;
            break;
        case 'U':
            digits_[e.column] = e.item + digits_[e.column] % 5;
            break;
        case 'O':
            dot_ = e.column;
            break;
        case 'B':
            digits_.fill(0);
            break;
        case 'C':
            Reset();
            break;
        case 'T':
        case 'b':
            hints_ = true;
            break;
        case 'H':
            hints_ = false;
            break;
        case 'x':
        case '/':
            divide_ = e.kind == '/';
            return Operation(divide_, beeps);
        case '=':
            return Equals(beeps);
        }
        return beeps == 0 ? "" : "a beep";
    }

    void Reset() {
        digits_.fill(0);
        dot_ = 0;
        firstnum_ = false;
        running_ = Fraction{};
        exact_ = true;
        label2_ = "0";
        lab1_.fill("");
    }

    std::string Refuse(int beeps, int expected) {
        Reset();
        return beeps == expected
                   ? ""
                   : std::to_string(beeps) + " beeps for a refusal of " + std::to_string(expected);
    }

    Fraction Operand() const {
        u128 n = 0;
        for (int k = 9; k >= 0; --k)
            n = n * 10 + static_cast<u128>(digits_[k]);
        return *Reduced(n, Pow10(dot_));
    }

    // The result's text with dot decimals, rounded half away from zero, or
    // nothing when floating point may round it either way.
    std::optional<std::string> Text(const std::optional<Fraction> &r) const {
        if (!r)
            return std::nullopt;
        const auto twice = Mul(r->n, 2 * Pow10(dot_));
        if (!twice || *twice > ~u128{0} - r->d)
            return std::nullopt;
        const u128 rounded = (*twice + r->d) / (2 * r->d);
        // Distance from the nearest tie, in units of the value's own size.
        const u128 rest = (*twice + r->d) % (2 * r->d);
        const long double near = static_cast<long double>(rest < r->d ? rest : 2 * r->d - rest) /
                                 static_cast<long double>(*twice + 1);
        if (!ShortDecimal(*r) && near < 1e-12L)
            return std::nullopt;
        std::string text = Digits(rounded, static_cast<std::size_t>(dot_) + 1);
        if (dot_ > 0)
            text.insert(text.size() - static_cast<std::size_t>(dot_), ".");
        return text;
    }

    // Whether the core holds r without error: a decimal of at most 15
    // significant digits reached by a chain of such decimals.
    bool ShortDecimal(const Fraction &r) const {
        u128 d = r.d;
        int twos = 0, fives = 0;
        for (; d % 2 == 0; d /= 2)
            ++twos;
        for (; d % 5 == 0; d /= 5)
            ++fives;
        if (!exact_ || d != 1)
            return false;
        const auto scaled = Mul(r.n, Pow10(std::max(twos, fives)) / r.d);
        return scaled && Digits(*scaled).size() <= 15;
    }

    // Whether r is at most the frame's largest value; nothing when too near.
    std::optional<bool> AtMostFrameMax(const Fraction &r) const {
        const u128 max = 9999999999;
        const auto top = Mul(max, r.d);
        if (!top)
            return std::nullopt;
        const long double gap = static_cast<long double>(r.n > *top ? r.n - *top : *top - r.n) /
                                static_cast<long double>(*top);
        if (!ShortDecimal(r) && gap < 1e-12L)
            return std::nullopt;
        return r.n <= *top;
    }

    std::optional<Fraction> Times(const Fraction &b) const {
        return Reduced(Mul(running_.n, b.n), Mul(running_.d, b.d));
    }
    std::optional<Fraction> Over(const Fraction &b) const {
        return Reduced(Mul(running_.n, b.d), Mul(running_.d, b.n));
    }

    // Takes the core's outcome where the model cannot decide: a beep is a
    // refusal, anything else an accepted result whose value is then unknown.
    std::string Follow(int beeps, bool laid) {
        ++followed;
        if (beeps > 0)
            return Refuse(beeps, beeps);
        known_ = false;
        label2_ = view_.label2;
        if (laid)
            for (int k = 0; k < 10; ++k)
                digits_[k] = view_.drawn(k), lab1_[k] = view_.lab1[k];
        else
            digits_.fill(0);
        return {};
    }

    std::string Operation(bool divide, int beeps) {
        if (!firstnum_) {
            running_ = Operand();
            known_ = true;
            exact_ = true;
            std::string text =
                Digits(running_.n * (Pow10(dot_) / running_.d), static_cast<std::size_t>(dot_) + 1);
            if (dot_ > 0) {
                text.insert(text.size() - static_cast<std::size_t>(dot_), ".");
                text.erase(text.find_last_not_of('0') + 1);
                if (text.back() == '.')
                    text.pop_back();
            }
            label2_ = text;
            firstnum_ = true;
            digits_.fill(0);
            return beeps == 0 ? "" : "a first press beeped";
        }
        const Fraction b = Operand();
        if (divide && b.n == 0)
            return Refuse(beeps, 1);
        if (!known_)
            return Follow(beeps, false);
        const auto r = divide ? Over(b) : Times(b);
        const auto text = Text(r);
        const auto small = r ? AtMostFrameMax(*r) : std::nullopt;
        if (!text || !small)
            return Follow(beeps, false);
        ++judged;
        if (text->size() > 11 || !*small)
            return Refuse(beeps, 1);
        exact_ = ShortDecimal(*r);
        running_ = *r;
        label2_ = *text;
        digits_.fill(0);
        return beeps == 0 ? "" : "an accepted press beeped";
    }

    std::string Equals(int beeps) {
        const bool divide = divide_;
        const Fraction b = Operand();
        if (divide && b.n == 0)
            return Refuse(beeps, 2);
        if (!known_)
            return Follow(beeps, true);
        const auto r = divide ? Over(b) : Times(b);
        const auto text = Text(r);
        const auto small = r ? AtMostFrameMax(*r) : std::nullopt;
        if (!text || (!divide && !small))
            return Follow(beeps, true);
        ++judged;
        if (text->size() > 11 || (!divide && !*small))
            return Refuse(beeps, 1);
        exact_ = ShortDecimal(*r);
        running_ = *r;
        std::string laid = *text;
        laid.erase(std::remove(laid.begin(), laid.end(), '.'), laid.end());
        for (int k = 0; k < 10; ++k) {
            const bool inside = static_cast<std::size_t>(k) < laid.size();
            digits_[k] = inside ? laid[laid.size() - 1 - k] - '0' : 0;
            lab1_[k] =
                inside ? std::string(1, laid[laid.size() - 1 - k]) : std::string(1, kFillChar);
        }
        label2_.clear();
        return beeps == 0 ? "" : "a laid result beeped";
    }

    std::string Compare() const {
        for (int k = 0; k < 10; ++k) {
            if (view_.drawn(k) != digits_[k])
                return "column " + std::to_string(k) + " shows " + std::to_string(view_.drawn(k)) +
                       ", the model " + std::to_string(digits_[k]);
            if (view_.lab1[k] != lab1_[k])
                return "Lab1(" + std::to_string(k) + ") differs from the model";
            if (view_.hintShown[k] != hints_)
                return "Lab1(" + std::to_string(k) + ") visibility differs from the model";
        }
        if (view_.label2 != label2_)
            return "Label2 \"" + view_.label2 + "\", the model \"" + label2_ + "\"";
        if (view_.option != dot_ || core_.dot != dot_)
            return "Option1(" + std::to_string(view_.option) + "), the model's dot " +
                   std::to_string(dot_);
        if ((core_.firstnum != 0) != firstnum_)
            return "firstnum differs from the model";
        return {};
    }

    RecordingView view_;
    Form1Core core_{view_};
    std::array<int, 10> digits_{};
    std::array<std::string, 10> lab1_;
    std::string label2_ = "0";
    int dot_ = 0;
    bool hints_ = false, firstnum_ = false;
    bool divide_ = false; // the operation of the last press, kept by the reset
    bool known_ = true;   // running_ is the core's running value
    bool exact_ = true;   // and it came from short decimals only
    Fraction running_;
};

} // namespace ctallix::test
