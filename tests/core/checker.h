// The checker of the scenario table and of random events: events go to the
// calculator core, and after every event everything the window would show,
// and the column state's invariants, are compared with a model of the
// checker's own. The model computes with exact fractions of 128-bit
// integers, so at every operation press it decides accept or refuse, the
// beeps, the text shown and the digits laid. Only where a result that
// floating point cannot hold exactly lies too close to a rounding tie or to
// the frame's largest value does it follow the core's outcome, and counts
// that.
#pragma once

#include "recording_view.h"

#include <optional>

namespace ctallix::test {

using u128 = unsigned __int128;
using Maybe = std::optional<u128>;

inline Maybe Mul(Maybe a, Maybe b) {
    u128 r;
    if (!a || !b || __builtin_mul_overflow(*a, *b, &r))
        return std::nullopt;
    return r;
}

inline u128 Pow10(int e) {
    return e == 0 ? 1 : 10 * Pow10(e - 1);
}

// scaled / 10^places in decimal: at least one whole digit, `places` decimals;
// `plain` drops trailing zeros and a point left alone.
inline std::string Decimal(u128 scaled, int places, bool plain = false) {
    std::string s;
    for (; scaled != 0 || static_cast<int>(s.size()) <= places; scaled /= 10)
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(scaled % 10)));
    if (places > 0)
        s.insert(s.size() - static_cast<std::size_t>(places), ".");
    if (plain && places > 0) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
    }
    return s;
}

struct Fraction {
    u128 n = 0, d = 1; // reduced
};

inline std::optional<Fraction> Ratio(Maybe n, Maybe d) {
    if (!n || !d)
        return std::nullopt;
    u128 g = *n, b = *d;
    while (b != 0)
        g = std::exchange(b, g % b);
    return Fraction{*n / g, *d / g};
}

class Checker {
public:
    Checker() { core_.Form_Load(); }

    // Delivers one event and checks; empty when all holds, else the problem.
    std::string Apply(const Event &e) {
        const int before = view_.beeps;
        Deliver(core_, view_, e);
        const int beeps = view_.beeps - before, expected = Model(e, beeps);
        std::string problem = Invariants(core_, view_);
        if (beeps != expected)
            problem = std::to_string(beeps) + " beeps, not " + std::to_string(expected);
        else if (problem.empty() && view_.shown() != Shown())
            problem = "the window shows " + view_.shown() + "\n  the model shows  " + Shown();
        return problem;
    }

    int dot() const { return dot_; }
    long judged = 0, followed = 0;

private:
    // The beeps the event should give (`beeps`: those it gave, which only
    // a press the model cannot judge takes in).
    int Model(const Event &e, int beeps) {
        int &digit = digits_[e.column];
        if (!Acts(e))
            return 0;
        if (std::string("LMRU").find(e.kind) != std::string::npos)
            digit =
                e.kind == 'U' ? e.item + digit % 5 : (e.kind == 'R' ? 5 : digit / 5 * 5) + e.item;
        else if (e.kind == 'O')
            dot_ = e.column;
        else if (e.kind == 'B')
            digits_.fill(0);
        else if (e.kind == 'C')
            Reset();
        else if (e.kind == 'T' || e.kind == 'b' || e.kind == 'H')
            hints_ = e.kind != 'H';
        else
            return Press(e.kind, beeps);
        return 0;
    }

    std::string Shown() const {
        Scenario s;
        s.label2 = label2_, s.lab1 = lab1_, s.hints = hints_, s.dot = dot_;
        for (int k = 0; k < 10; ++k)
            s.frame[9 - k] = static_cast<char>('0' + digits_[k]);
        return Expected(s);
    }

    void Reset() {
        digits_.fill(0);
        dot_ = 0;
        firstnum_ = false;
        running_ = {};
        known_ = exact_ = true;
        label2_ = "0";
        lab1_ = "..........";
    }

    int Refuse(int expected) { // the beeps of the refusal
        Reset();
        return expected;
    }

    Fraction Operand() const {
        u128 n = 0;
        for (int k = 9; k >= 0; --k)
            n = n * 10 + static_cast<u128>(digits_[k]);
        return *Ratio(n, Pow10(dot_));
    }

    // Whether the core holds r exactly: a decimal of at most 15 significant
    // digits reached from operands through such decimals only.
    bool Short(const Fraction &r) const {
        int places = 0;
        while (places < 38 && Pow10(places) % r.d != 0)
            ++places;
        const Maybe scaled = Mul(r.n, Pow10(places) / r.d);
        return exact_ && places < 38 && scaled && Decimal(*scaled, 0).size() <= 15;
    }

    // Whether the core may be off by `distance` from a bound of size `size`.
    bool Near(u128 distance, u128 size, const Fraction &r) const {
        return !Short(r) &&
               static_cast<long double>(distance) < 1e-12L * static_cast<long double>(size);
    }

    // r with dot decimals, rounded half away from zero; nothing when the
    // core's floating point may round it either way.
    std::optional<std::string> Rounded(const Fraction &r) const {
        const Maybe twice = Mul(r.n, 2 * Pow10(dot_));
        if (!twice || *twice > ~u128{0} - r.d)
            return std::nullopt;
        const u128 rest = (*twice + r.d) % (2 * r.d);
        if (Near(std::min(rest, 2 * r.d - rest), *twice, r))
            return std::nullopt;
        return Decimal((*twice + r.d) / (2 * r.d), dot_);
    }

    // Whether r is at most the frame's largest value; nothing when too near.
    std::optional<bool> AtMostFrameMax(const Fraction &r) const {
        const Maybe max = Mul(9999999999, r.d);
        if (!max)
            return std::nullopt;
        if (Near(r.n > *max ? r.n - *max : *max - r.n, *max, r))
            return std::nullopt;
        return r.n <= *max;
    }

    // Multiply, divide or equals.
    int Press(char kind, int beeps) {
        const bool equals = kind == '=';
        divide_ = equals ? divide_ : kind == '/'; // the reset keeps it
        const Fraction b = Operand();
        if (!equals && !firstnum_) {
            running_ = b;
            known_ = exact_ = firstnum_ = true;
            label2_ = Decimal(b.n * (Pow10(dot_) / b.d), dot_, true);
            digits_.fill(0);
            return 0;
        }
        if (divide_ && b.n == 0)
            return Refuse(equals ? 2 : 1);
        const auto r = !known_   ? std::nullopt
                       : divide_ ? Ratio(Mul(running_.n, b.d), Mul(running_.d, b.n))
                                 : Ratio(Mul(running_.n, b.n), Mul(running_.d, b.d));
        const auto text = r ? Rounded(*r) : std::nullopt;
        const auto small = r ? AtMostFrameMax(*r) : std::nullopt;
        const bool valueTest = !(equals && divide_);
        if (!text || (valueTest && !small))
            return Follow(beeps, equals);
        ++judged;
        if (text->size() > 11 || (valueTest && !*small))
            return Refuse(1);
        exact_ = Short(*r);
        running_ = *r;
        digits_.fill(0);
        label2_ = equals ? "" : *text;
        if (equals) {
            std::string laid = *text;
            std::erase(laid, '.');
            for (std::size_t k = 0; k < laid.size(); ++k)
                digits_[k] = laid[laid.size() - 1 - k] - '0';
            lab1_ = std::string(10 - laid.size(), '_') + laid;
        }
        return 0;
    }

    // Takes the core's outcome where the model cannot decide it.
    int Follow(int beeps, bool equals) {
        ++followed;
        if (beeps > 0)
            return Refuse(1);
        known_ = false;
        label2_ = view_.label2;
        const std::string shown = view_.shown();
        for (int k = 0; k < 10; ++k)
            digits_[k] = equals ? view_.drawn(k) : 0;
        if (equals)
            lab1_ = shown.substr(shown.find("lab1=") + 5, 10);
        return 0;
    }

    RecordingView view_;
    Form1Core core_{view_};
    std::array<int, 10> digits_{};
    std::string label2_ = "0", lab1_ = "..........";
    int dot_ = 0;
    bool hints_ = false, firstnum_ = false, divide_ = false;
    bool known_ = true; // running_ is the core's running value
    bool exact_ = true; // and it was reached through short decimals only
    Fraction running_;
};

} // namespace ctallix::test
