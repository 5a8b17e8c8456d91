#include "storm.h"

#include <cmath>
#include <cstdio>
#include <iterator>

namespace ctallix::storm {

namespace {

constexpr u128 kFrameMaxWhole = 9999999999ULL;
constexpr long double kFrameMaxLd = 9999999999.0L;

// The relative error one multiplication or division adds to the core's
// running value: the operand and the value each carry half a unit in the
// last place (ulp), the operation rounds once more, and snapping to a short
// decimal moves the value by at most 4 ulp. Taken with a margin of two.
constexpr long double kStepError = 3e-15L;
// Results closer than this (relative, plus four times the error bound) to a
// rounding tie or to the frame's largest value are not judged.
constexpr long double kMargin = 1e-14L;
// Below this a value may sink into the subnormal doubles, where the core's
// relative error has no bound; such a value is only followed structurally.
constexpr long double kTiny = 1e-280L;
// An approximation whose error bound grew past this is given up.
constexpr long double kLostError = 1e-6L;

std::string DigitText(int d) {
    return std::string(1, static_cast<char>('0' + d));
}

// A text with its control characters shown, for failure messages.
std::string Quote(const std::string &s) {
    std::string out = "\"";
    for (const char c : s) {
        if (c == '\0')
            out += "\\0";
        else if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
            out += "\\x" + std::to_string(static_cast<unsigned char>(c));
        else
            out += c;
    }
    return out + "\"";
}

std::string LongDouble(long double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.21Lg", v);
    return buffer;
}

std::string Double(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

// The frame's ten digits read as a whole number (column 9 first).
u128 FrameWhole(const Model &m) {
    u128 v = 0;
    for (int k = 9; k >= 0; --k)
        v = v * 10 + static_cast<unsigned>(m.digitOf(k));
    return v;
}

// The number text ReadFrame joins: the ten digits with "." after column dot.
std::string FrameText(const Model &m) {
    std::string s;
    for (int k = 9; k >= 0; --k) {
        s += DigitText(m.digitOf(k));
        if (k == m.dot)
            s += '.';
    }
    return s;
}

// The plain text of whole / 10^places: no trailing zeros, no point for a
// whole value, "0" before a fraction below 1.
std::string PlainOf(u128 whole, int places) {
    std::string digits = ToString(whole);
    if (digits.size() <= static_cast<std::size_t>(places))
        digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
    std::string intPart = digits.substr(0, digits.size() - places);
    std::string fraction = digits.substr(digits.size() - places);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return fraction.empty() ? intPart : intPart + "." + fraction;
}

// r / 10^places written with exactly `places` decimals.
std::string FixedText(u128 r, int places) {
    std::string digits = ToString(r);
    if (digits.size() <= static_cast<std::size_t>(places))
        digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
    if (places == 0)
        return digits;
    return digits.substr(0, digits.size() - places) + "." + digits.substr(digits.size() - places);
}

std::size_t TextLength(u128 r, int places) {
    const int whole = DigitCount(r / Pow10(places));
    return static_cast<std::size_t>(whole + (places > 0 ? 1 + places : 0));
}

// Whether text is a fixed-notation number with exactly `places` decimals:
// one whole digit or a whole part without leading zero, then "." and the
// decimals when places > 0.
bool FixedShape(const std::string &text, int places) {
    const std::size_t point = text.find('.');
    const std::size_t wholeEnd = places > 0 ? point : text.size();
    if (places > 0 &&
        (point == std::string::npos || text.size() - point - 1 != static_cast<std::size_t>(places)))
        return false;
    if (wholeEnd == 0 || (wholeEnd > 1 && text[0] == '0'))
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == wholeEnd)
            continue;
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

// The digits of a fixed text without its point, as a number (at most 38).
u128 ScaledOf(const std::string &text) {
    u128 v = 0;
    for (const char c : text)
        if (c >= '0' && c <= '9')
            v = v * 10 + static_cast<unsigned>(c - '0');
    return v;
}

Judgement JudgeExact(const Decimal &e, int places, bool valueTest) {
    Judgement j;
    j.decided = true;
    j.fromExact = true;
    const auto r = RoundScaled(e, places);
    if (r) {
        j.haveR = true;
        j.r = *r;
    }
    j.fits = r && TextLength(*r, places) <= 11 && (!valueTest || Compare(e, kFrameMaxWhole) <= 0);
    j.result.how = Knowledge::Exact;
    j.result.exact = e;
    j.result.nearest = e.nearestDouble();
    j.result.approx = e.approx();
    if (!e.zero() && j.result.approx < kTiny)
        j.result.how = Knowledge::Unknown;
    return j;
}

Judgement JudgeApprox(long double a, long double error, int places, bool valueTest) {
    Judgement j;
    j.result.how =
        error > kLostError || (a != 0 && a < kTiny) ? Knowledge::Unknown : Knowledge::Approx;
    j.result.approx = a;
    j.result.error = error;
    const long double tolerance = kMargin + 4 * error;
    const long double scaled = a * std::pow(10.0L, places);
    if (scaled >= 1e12L) {
        j.decided = true; // twelve or more digits never fit
        return j;
    }
    const long double q = std::floor(scaled);
    const long double fraction = scaled - q;
    const bool nearTie = std::fabs(fraction - 0.5L) <= tolerance * scaled;
    j.haveR = true;
    j.r = static_cast<u128>(q) + (fraction >= 0.5L ? 1 : 0);
    const bool nearBound = valueTest && std::fabs(a - kFrameMaxLd) <= tolerance * kFrameMaxLd;
    j.fits = TextLength(j.r, places) <= 11 && (!valueTest || a <= kFrameMaxLd);
    j.decided = !nearTie && !nearBound;
    return j;
}

// The running value v combined with the frame's number f.
Judgement Judge(const Running &v, const Decimal &f, bool divide, int places, bool valueTest) {
    if (!divide && f.zero())
        return JudgeExact(Decimal{}, places, valueTest);
    switch (v.how) {
    case Knowledge::Exact:
        if (divide) {
            const auto q = Quotient(v.exact, f);
            if (q && q->digits() <= 15)
                return JudgeExact(*q, places, valueTest);
            return JudgeApprox(v.exact.approx() / f.approx(), kStepError, places, valueTest);
        } else {
            const Decimal p = Product(v.exact, f);
            if (p.digits() <= 15)
                return JudgeExact(p, places, valueTest);
            return JudgeApprox(p.approx(), kStepError, places, valueTest);
        }
    case Knowledge::Approx:
        return JudgeApprox(divide ? v.approx / f.approx() : v.approx * f.approx(),
                           v.error + kStepError, places, valueTest);
    case Knowledge::Unknown:
        break;
    }
    Judgement j;
    j.result.how = Knowledge::Unknown;
    return j;
}

const char *KnowledgeName(Knowledge k) {
    switch (k) {
    case Knowledge::Exact:
        return "exact";
    case Knowledge::Approx:
        return "approximate";
    case Knowledge::Unknown:
        break;
    }
    return "unknown";
}

} // namespace

std::string Describe(const Event &e) {
    const std::string column = " column " + std::to_string(e.column);
    const std::string index = std::to_string(e.index);
    switch (e.kind) {
    case Kind::LowerPress: {
        const char *button = e.button == kRightButton  ? "right"
                             : e.button == kLeftButton ? "left"
                                                       : "middle";
        char where[64];
        std::snprintf(where, sizeof where, " at (%.1f, %.1f)", static_cast<double>(e.x),
                      static_cast<double>(e.y));
        return "lower press" + column + " item " + index + ", " + button + " button, shift " +
               std::to_string(e.shift) + where;
    }
    case Kind::UpperClick:
        return "upper click" + column + " item " + index;
    case Kind::Beam:
        return "beam click (Frame1)";
    case Kind::Option:
        return "option button " + index;
    case Kind::Multiply:
        return "multiply (Command1)";
    case Kind::Divide:
        return "divide (Command2)";
    case Kind::Equals:
        return "equals (Command3)";
    case Kind::Clear:
        return "clear (Command4)";
    case Kind::Rail:
        return std::string(e.index == 0 ? "bottom" : "top") + " rail click (Picture22 " + index +
               ")";
    case Kind::HintLabel:
        return "hint label click (Lab1 " + index + ")";
    }
    return "?";
}

void Model::reset() {
    upper.fill(0);
    lower.fill(0);
    dot = 0;
    firstnum = false;
    value = Running{};
    digit1 = 0;
    label2 = "0";
    lab1.fill("");
    splitdigit.fill("0");
    numtext.fill("0");
    // num2 keeps the last operation, and the hint labels their visibility.
}

Storm::Storm() {
    core_.Form_Load();
    model_.reset();
    check();
}

#define STORM_CHECK(condition, what)                                                               \
    do {                                                                                           \
        ++figures_.checks;                                                                         \
        if (!(condition))                                                                          \
            return fail(what);                                                                     \
    } while (0)

bool Storm::fail(const std::string &what) {
    if (!failure_.empty())
        return false;
    std::string state = "model: dot " + std::to_string(model_.dot) + ", firstnum " +
                        (model_.firstnum ? "true" : "false") + ", num2 " +
                        std::to_string(model_.num2) + ", frame " + FrameText(model_) +
                        ", running value " + KnowledgeName(model_.value.how);
    if (model_.value.how == Knowledge::Exact)
        state += " " + model_.value.exact.text();
    else if (model_.value.how == Knowledge::Approx)
        state += " " + LongDouble(model_.value.approx) + " (relative error " +
                 LongDouble(model_.value.error) + ")";
    state += "; core digit " + Double(core_.digit) + ", digit1 " + Double(core_.digit1);

    failure_ = "event " + std::to_string(figures_.events) + ": " + what + "\n" + state +
               "\nlast events:\n";
    const long first = figures_.events > kHistory ? figures_.events - kHistory : 0;
    for (long i = first; i < figures_.events; ++i)
        failure_ += "  #" + std::to_string(i + 1) + " " + Describe(history_[i % kHistory]) + "\n";
    return false;
}

bool Storm::apply(const Event &e) {
    history_[figures_.events % kHistory] = e;
    ++figures_.events;
    view_.beeps = 0;
    view_.slotSettings = 0;
    view_.captionWrites = 0;
    expectedBeeps_ = 0;
    refused_ = false;
    bool command = false;

    switch (e.kind) {
    case Kind::LowerPress:
        core_.PicK_MouseDown(e.column, e.index, e.button, e.shift, e.x, e.y);
        model_.lower[e.column] = e.index;
        if (e.button == kRightButton)
            model_.upper[e.column] = 5;
        break;
    case Kind::UpperClick:
        core_.PicK5_Click(e.column, e.index);
        model_.upper[e.column] = e.index;
        break;
    case Kind::Beam:
        core_.Frame1_Click();
        model_.upper.fill(0);
        model_.lower.fill(0);
        break;
    case Kind::Option:
        view_.selected = e.index;
        core_.Option1_Click(e.index);
        model_.dot = e.index;
        break;
    case Kind::Multiply:
    case Kind::Divide:
        command = true;
        operationPress(e.kind == Kind::Divide);
        break;
    case Kind::Equals:
        command = true;
        equalsPress();
        break;
    case Kind::Clear:
        command = true;
        core_.Command4_Click();
        model_.reset();
        ++figures_.clears;
        break;
    case Kind::Rail:
        core_.Picture22_Click(e.index);
        model_.hintsShown = true;
        break;
    case Kind::HintLabel:
        core_.Lab1_Click(e.index);
        model_.hintsShown = false;
        break;
    }
    figures_.beeps += view_.beeps;
    if (!failure_.empty())
        return false;
    if (!command)
        STORM_CHECK(view_.captionWrites == 0,
                    "a bead, beam, option, rail or label event wrote a caption");
    return check();
}

// What the core did with an operation press it could complete (the zero
// divisor aside), held against the model's judgement: `accepted` is whether
// it kept a result, `shown` the text it formatted. Gives the result text the
// model takes on; nothing after a refusal (the model is reset) or a failure.
std::optional<std::string> Storm::settle(const std::string &what, const Judgement &j, bool accepted,
                                         const std::string &shown) {
    if (j.decided) {
        ++(j.fromExact ? figures_.predictedExact : figures_.predictedApprox);
        if (accepted != j.fits) {
            fail(what + " was " + (accepted ? "accepted" : "refused") + " but the model " +
                 (j.fits ? "accepts " : "refuses ") +
                 (j.haveR ? FixedText(j.r, model_.dot) : std::string("a huge result")));
            return std::nullopt;
        }
    } else {
        ++figures_.notPredicted;
    }
    if (!accepted) {
        expectedBeeps_ = 1;
        refused_ = true;
        model_.reset();
        return std::nullopt;
    }
    if (j.decided)
        return FixedText(j.r, model_.dot);
    // Too close to a tie to predict the last digit: the text must still be
    // well formed and within one unit of the model's result.
    if (!FixedShape(shown, model_.dot) || shown.size() > 11) {
        fail(what + " gave " + Quote(shown) + ", no fixed text with " + std::to_string(model_.dot) +
             " decimals of at most 11 characters");
        return std::nullopt;
    }
    const u128 r = ScaledOf(shown);
    if (j.haveR && (r + 1 < j.r || r > j.r + 1)) {
        fail(what + " gave " + Quote(shown) + ", far from the model's " +
             FixedText(j.r, model_.dot));
        return std::nullopt;
    }
    return shown;
}

// A zero divisor: refused before any division, with `beeps` beeps.
void Storm::refuseZeroDivisor(int beeps) {
    ++figures_.predictedExact;
    expectedBeeps_ = beeps;
    refused_ = true;
    model_.reset();
}

void Storm::operationPress(bool divide) {
    model_.num2 = divide ? 1 : 0;
    const u128 whole = FrameWhole(model_);
    const Decimal frame = Decimal::Of(whole, -model_.dot);
    const std::string text = FrameText(model_);

    if (!model_.firstnum) {
        divide ? core_.Command2_Click() : core_.Command1_Click();
        ++figures_.firstPresses;
        model_.value = Running{Knowledge::Exact, frame, frame.nearestDouble(), frame.approx(), 0};
        model_.label2 = PlainOf(whole, model_.dot);
        model_.numtext[1] = text;
        model_.upper.fill(0);
        model_.lower.fill(0);
        model_.firstnum = true;
        return;
    }

    model_.digit1 = frame.nearestDouble();
    if (divide && frame.zero()) {
        core_.Command2_Click();
        ++figures_.chainedRefused;
        refuseZeroDivisor(1);
        return;
    }

    const Judgement j = Judge(model_.value, frame, divide, model_.dot, true);
    divide ? core_.Command2_Click() : core_.Command1_Click();
    const auto result = settle(std::string("chained ") + (divide ? "divide" : "multiply"), j,
                               core_.firstnum == kTrue, view_.label2);
    if (!result) {
        if (refused_)
            ++figures_.chainedRefused;
        return;
    }

    ++figures_.chainedAccepted;
    model_.label2 = *result;
    model_.numtext[2] = text;
    model_.numtext[3] = *result;
    model_.value = j.result;
    model_.upper.fill(0);
    model_.lower.fill(0);
}

void Storm::equalsPress() {
    const bool divide = model_.num2 == 1;
    const u128 whole = FrameWhole(model_);
    const Decimal frame = Decimal::Of(whole, -model_.dot);
    const std::string text = FrameText(model_);
    model_.digit1 = frame.nearestDouble();

    if (divide && frame.zero()) {
        core_.Command3_Click();
        ++figures_.equalsRefused;
        refuseZeroDivisor(2); // refused, and refused again
        return;
    }

    const Judgement j = Judge(model_.value, frame, divide, model_.dot, !divide);
    core_.Command3_Click();
    const auto laid = settle(std::string("equals (") + (divide ? "divide" : "multiply") + ")", j,
                             view_.label2.empty(), core_.numtext[3]);
    if (!laid) {
        if (refused_)
            ++figures_.equalsRefused;
        return;
    }

    ++figures_.equalsLaid;
    const std::string &result = *laid;
    // The result's characters without the point, right-aligned in ten
    // columns; the columns left of them get the fill character and show 0.
    std::string digits;
    for (const char c : result)
        if (c != '.')
            digits += c;
    if (digits.size() > 10) {
        fail("a result of " + std::to_string(digits.size()) + " digits was laid: " + result);
        return;
    }
    for (int k = 0; k <= 9; ++k) {
        const std::size_t from_right = static_cast<std::size_t>(k);
        const bool filled = from_right >= digits.size();
        const char c = filled ? kFillChar : digits[digits.size() - 1 - from_right];
        model_.splitdigit[k] = std::string(1, c);
        model_.lab1[k] = model_.splitdigit[k];
        const int d = filled ? 0 : c - '0';
        model_.upper[k] = d >= 5 ? 5 : 0;
        model_.lower[k] = d % 5;
    }
    model_.label2 = "";
    model_.numtext[2] = text;
    model_.numtext[3] = result;
    model_.value = j.result;
}

bool Storm::check() {
    STORM_CHECK(view_.misuse.empty(), "the core asked the window for " + view_.misuse);
    if (!checkColumns() || !checkCalculation())
        return false;
    STORM_CHECK(view_.beeps == expectedBeeps_,
                std::to_string(view_.beeps) + " beeps, expected " + std::to_string(expectedBeeps_));
    if (refused_) {
        // The cleared state, spelled out (the model holds the same).
        for (int k = 0; k <= 9; ++k)
            STORM_CHECK(view_.shownDigit(k) == 0 && core_.coltext[k] == "0",
                        "column " + std::to_string(k) + " not cleared by the refusal");
        STORM_CHECK(core_.firstnum == kFalse, "firstnum still true after a refusal");
        STORM_CHECK(core_.dot == 0 && view_.selected == 0, "dot not 0 after a refusal");
        STORM_CHECK(view_.label2 == "0", "Label2 " + Quote(view_.label2) + " after a refusal");
        STORM_CHECK(core_.digit == 0 && core_.digit1 == 0, "digit or digit1 not 0 after a refusal");
    }
    return true;
}

bool Storm::checkColumns() {
    for (int k = 0; k <= 9; ++k) {
        const std::string column = "column " + std::to_string(k);
        const int shown = view_.shownDigit(k);
        STORM_CHECK(shown >= 0, column + " shows no valid digit picture");
        STORM_CHECK(shown == model_.digitOf(k), column + " shows " + std::to_string(shown) +
                                                    ", expected " +
                                                    std::to_string(model_.digitOf(k)));
        const int up = core_.upper[k];
        const int low = core_.lower[k];
        STORM_CHECK(up == 0 || up == 5, column + ": upper is " + std::to_string(up));
        STORM_CHECK(low >= 0 && low <= 4, column + ": lower is " + std::to_string(low));
        STORM_CHECK(up + low == shown, column + ": upper + lower is " + std::to_string(up + low) +
                                           " but the beads show " + std::to_string(shown));
        STORM_CHECK(core_.coltext[k] == DigitText(shown),
                    column + ": coltext is " + Quote(core_.coltext[k]) + " but the beads show " +
                        std::to_string(shown));
    }
    return true;
}

bool Storm::checkCalculation() {
    STORM_CHECK(core_.dot >= 0 && core_.dot <= 9, "dot is " + std::to_string(core_.dot));
    STORM_CHECK(core_.dot == view_.selected, "dot " + std::to_string(core_.dot) + " but Option1(" +
                                                 std::to_string(view_.selected) + ") is selected");
    STORM_CHECK(core_.dot == model_.dot,
                "dot " + std::to_string(core_.dot) + ", expected " + std::to_string(model_.dot));
    STORM_CHECK(core_.firstnum == (model_.firstnum ? kTrue : kFalse),
                "firstnum is " + std::to_string(core_.firstnum));
    STORM_CHECK(core_.num2 == model_.num2, "num2 is " + std::to_string(core_.num2));
    STORM_CHECK(view_.label2 == model_.label2,
                "Label2 is " + Quote(view_.label2) + ", expected " + Quote(model_.label2));
    for (int k = 0; k <= 9; ++k) {
        const std::string index = "(" + std::to_string(k) + ")";
        STORM_CHECK(view_.lab1Visible[k] == model_.hintsShown,
                    "Lab1" + index + (model_.hintsShown ? " hidden" : " shown"));
        STORM_CHECK(view_.lab1[k] == model_.lab1[k], "Lab1" + index + " caption is " +
                                                         Quote(view_.lab1[k]) + ", expected " +
                                                         Quote(model_.lab1[k]));
        STORM_CHECK(core_.splitdigit[k] == model_.splitdigit[k],
                    "splitdigit" + index + " is " + Quote(core_.splitdigit[k]) + ", expected " +
                        Quote(model_.splitdigit[k]));
    }
    for (int n = 0; n <= 3; ++n)
        STORM_CHECK(core_.numtext[n] == model_.numtext[n],
                    "numtext(" + std::to_string(n) + ") is " + Quote(core_.numtext[n]) +
                        ", expected " + Quote(model_.numtext[n]));
    STORM_CHECK(core_.digit1 == model_.digit1,
                "digit1 is " + Double(core_.digit1) + ", expected " + Double(model_.digit1));

    const double digit = core_.digit;
    STORM_CHECK(std::isfinite(digit) && digit >= 0, "digit is " + Double(digit));
    switch (model_.value.how) {
    case Knowledge::Exact:
        STORM_CHECK(digit == model_.value.nearest, "digit is " + Double(digit) +
                                                       ", expected the nearest double to " +
                                                       model_.value.exact.text());
        break;
    case Knowledge::Approx: {
        const long double a = model_.value.approx;
        STORM_CHECK(std::fabs(digit - a) <= (model_.value.error + 1e-15L) * a,
                    "digit is " + Double(digit) + ", expected about " + LongDouble(a));
        break;
    }
    case Knowledge::Unknown:
        break;
    }
    return true;
}

#undef STORM_CHECK

Event RandomEvents::next(const Storm &storm) {
    if (pending_.empty()) {
        const int r = below(1000);
        if (r < 7)
            queueCalculation();
        else if (r < 20)
            queueNumber(edgeNumber());
    }
    if (!pending_.empty()) {
        const Event e = pending_.front();
        pending_.pop_front();
        return e;
    }
    return randomEvent(storm);
}

std::string RandomEvents::edgeNumber() {
    static const char *const kEdges[] = {
        "0000000002", "0000000003", "0000000005", "0000000007", "0000000008", "0000000009",
        "0000000025", "0000000125", "0000000625", "0000003125", "0000000016", "0000000064",
        "0000001024", "8589934592", "1220703125", "1000000000", "5000000000", "0000099999",
        "0000100001", "3333333333", "0000000015", "0000000000",
    };
    const int r = below(100);
    if (r < 15)
        return "9999999999";
    if (r < 30)
        return "0000000001";
    if (r < 75)
        return kEdges[below(static_cast<int>(std::size(kEdges)))];
    // Random digits of a random length, ending in 5 or all nines.
    const int length = between(1, 10);
    std::string digits(10, '0');
    const bool nines = below(4) == 0;
    for (int i = 10 - length; i < 10; ++i)
        digits[i] = nines ? '9' : static_cast<char>('0' + below(10));
    if (!nines)
        digits[9] = '5';
    return digits;
}

void RandomEvents::queue(Kind kind) {
    Event e;
    e.kind = kind;
    pending_.push_back(e);
}

void RandomEvents::queueOption(int index) {
    Event e;
    e.kind = Kind::Option;
    e.index = static_cast<std::int16_t>(index);
    pending_.push_back(e);
}

// Clears the frame and enters ten digits (column 9 first) the way a person
// does: a right press for 5..9, a left press for 1..4.
void RandomEvents::queueNumber(const std::string &digits) {
    queue(Kind::Beam);
    for (int k = 0; k <= 9; ++k) {
        const int d = digits[9 - k] - '0';
        if (d == 0)
            continue;
        Event e;
        e.kind = Kind::LowerPress;
        e.column = k;
        e.index = static_cast<std::int16_t>(d % 5);
        e.button = d >= 5 ? kRightButton : kLeftButton;
        pending_.push_back(e);
    }
}

// A whole calculation with edge numbers: clear, first operand, an
// operation, a second operand, then a chained operation or equals,
// sometimes a third operand and equals.
void RandomEvents::queueCalculation() {
    auto someDot = [&] { return below(2) == 0 ? 0 : between(0, 9); };
    auto operation = [&] { return below(2) == 0 ? Kind::Multiply : Kind::Divide; };
    queue(Kind::Clear);
    if (below(2) == 0)
        queueOption(someDot());
    queueNumber(edgeNumber());
    queue(operation());
    if (below(2) == 0)
        queueOption(someDot());
    queueNumber(edgeNumber());
    const int r = below(3);
    queue(r == 0 ? Kind::Equals : operation());
    if (r != 0 || below(2) == 0) {
        if (below(3) == 0)
            queueOption(someDot());
        queueNumber(edgeNumber());
        queue(Kind::Equals);
    }
}

Event RandomEvents::randomEvent(const Storm &storm) {
    // The mixes: small numbers near the point; numbers anywhere on the frame;
    // frequent changes of the decimal column; long chains of operations.
    static constexpr int kWeights[4][10] = {
        // lower upper beam option  mul  div  eq clear rail label
        {50, 10, 2, 4, 9, 9, 10, 2, 2, 2},
        {55, 12, 3, 4, 7, 7, 8, 2, 1, 1},
        {45, 10, 2, 12, 9, 9, 9, 2, 1, 1},
        {35, 8, 1, 4, 16, 16, 14, 1, 2, 3},
    };
    if (left_ == 0) {
        profile_ = below(4);
        left_ = between(50, 400);
    }
    --left_;

    const int *weights = kWeights[profile_];
    int total = 0;
    for (int i = 0; i < 10; ++i)
        total += weights[i];
    int pick = below(total);
    int kind = 0;
    while (pick >= weights[kind])
        pick -= weights[kind++];

    const int dot = storm.dot();
    auto column = [&] {
        switch (profile_) {
        case 0:
            return below(10) < 7 ? between(dot > 3 ? dot - 3 : 0, dot < 8 ? dot + 1 : 9)
                                 : below(10);
        case 2:
            return between(0, dot < 7 ? dot + 2 : 9);
        case 3:
            return below(10) < 8 ? between(dot > 2 ? dot - 2 : 0, dot < 8 ? dot + 1 : 9)
                                 : below(10);
        default:
            return below(10);
        }
    };

    Event e;
    e.kind = static_cast<Kind>(kind);
    switch (e.kind) {
    case Kind::LowerPress: {
        e.column = column();
        e.index = static_cast<std::int16_t>(below(5));
        const int b = below(100);
        e.button = b < 45 ? kLeftButton : b < 85 ? kRightButton : kMiddleButton;
        e.shift = static_cast<std::int16_t>(below(8));
        e.x = static_cast<float>(below(400)) / 10;
        e.y = static_cast<float>(below(230)) / 10;
        break;
    }
    case Kind::UpperClick:
        e.column = column();
        e.index = static_cast<std::int16_t>(below(2) == 0 ? 0 : 5);
        break;
    case Kind::Option: {
        const int r = below(100);
        e.index = static_cast<std::int16_t>(r < 25 ? 0 : r < 70 ? between(1, 3) : between(4, 9));
        break;
    }
    case Kind::HintLabel:
        if (!storm.hintsShown()) {
            e.kind = Kind::Rail; // a hidden label cannot be clicked
            e.index = static_cast<std::int16_t>(below(2));
        } else {
            e.index = static_cast<std::int16_t>(below(10));
        }
        break;
    case Kind::Rail:
        e.index = static_cast<std::int16_t>(below(2));
        break;
    default:
        break;
    }
    return e;
}

} // namespace ctallix::storm
