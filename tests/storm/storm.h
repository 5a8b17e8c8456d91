// A randomized event storm on the calculator core.
//
// Storm delivers the events the window delivers (bead presses and clicks,
// the beam, the option buttons, the four command buttons, the rails and the
// hint labels) to a Form1Core on a CheckingView, and after every event checks
// the whole visible and internal state against a model of its own. The model
// computes with exact decimals (see exact_decimal.h) while the running value is a
// short decimal, and with an error-bounded approximation after that; it
// predicts every refusal, every beep and every laid digit except where the
// result lies too close to a rounding tie or to the frame's largest value
// for floating point to decide.
#pragma once

#include "checking_view.h"
#include "exact_decimal.h"
#include "frame/form1_core.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <string>

namespace ctallix::storm {

using namespace ctallix::test; // CheckingView and the exact decimals

enum class Kind : std::uint8_t {
    LowerPress, // PicK_MouseDown(column, index, button, shift, x, y)
    UpperClick, // PicK5_Click(column, index)
    Beam,       // Frame1_Click
    Option,     // the window selects Option1(index), then Option1_Click(index)
    Multiply,   // Command1_Click
    Divide,     // Command2_Click
    Equals,     // Command3_Click
    Clear,      // Command4_Click
    Rail,       // Picture22_Click(index)
    HintLabel,  // Lab1_Click(index), only while the labels are shown
};

struct Event {
    Kind kind = Kind::Beam;
    int column = 0;
    std::int16_t index = 0;
    std::int16_t button = kLeftButton;
    std::int16_t shift = 0;
    float x = 0;
    float y = 0;
};

// One line a person can read, e.g. "lower press column 3 item 2, right button".
std::string Describe(const Event &event);

// What a run did, for the final report.
struct Figures {
    long events = 0;
    long checks = 0;
    long beeps = 0;
    long firstPresses = 0;
    long chainedAccepted = 0;
    long chainedRefused = 0;
    long equalsLaid = 0;
    long equalsRefused = 0;
    long clears = 0;
    long predictedExact = 0;  // operation presses judged from the exact value
    long predictedApprox = 0; // judged from the error-bounded approximation
    long notPredicted = 0;    // too close to a tie or a bound, or value unknown
};

// How much the model knows of the core's running value `digit`.
enum class Knowledge : std::uint8_t {
    Exact,   // a decimal of at most 15 significant digits: digit is its nearest double
    Approx,  // digit lies within a known relative error of `approx`
    Unknown, // lost (a value in the subnormal range of doubles)
};

struct Running {
    Knowledge how = Knowledge::Exact;
    Decimal exact;          // when Exact
    double nearest = 0;     // when Exact: the nearest double to exact
    long double approx = 0; // when Exact or Approx
    long double error = 0;  // relative error bound of digit against approx
};

// The model's view of everything the checker compares.
struct Model {
    std::array<int, 10> upper{}; // 0 or 5, the upper value drawn in column k
    std::array<int, 10> lower{}; // 0..4
    int dot = 0;
    bool firstnum = false;
    int num2 = 0;
    Running value;
    double digit1 = 0;
    std::string label2 = "0";
    std::array<std::string, 10> lab1;
    std::array<std::string, 10> splitdigit;
    std::array<std::string, 4> numtext; // items 0..3 of the core's numtext
    bool hintsShown = false;

    int digitOf(int k) const { return upper[k] + lower[k]; }
    void reset();
};

// The model's verdict on one operation press.
struct Judgement {
    bool decided = false; // the outcome and the text are predicted
    bool fits = false;
    bool haveR = false; // r is the rounded result, or one off when near a tie
    u128 r = 0;         // the result x 10^places, rounded half away from zero
    bool fromExact = false;
    Running result; // the running value after an accepted press
};

class Storm {
public:
    // Creates the core and runs its load handler, then checks the start.
    Storm();
    Storm(const Storm &) = delete;
    Storm &operator=(const Storm &) = delete;

    // Delivers one event and checks. False on the first failed check; the
    // message, with the last events, is then in failure().
    bool apply(const Event &event);

    // Checks the present state against the model (no event).
    bool check();

    const std::string &failure() const { return failure_; }
    const Figures &figures() const { return figures_; }
    bool hintsShown() const { return view_.lab1Visible[0]; }
    int dot() const { return core_.dot; }

    // For tests of the checker itself.
    CheckingView &view() { return view_; }
    Form1Core &core() { return core_; }
    const Model &model() const { return model_; }

private:
    bool checkColumns();
    bool checkCalculation();
    bool fail(const std::string &what);
    std::optional<std::string> settle(const std::string &what, const Judgement &j, bool accepted,
                                      const std::string &shown);
    void refuseZeroDivisor(int beeps);
    void operationPress(bool divide);
    void equalsPress();

    CheckingView view_;
    Form1Core core_{view_};
    Model model_;
    Figures figures_;
    std::string failure_;
    int expectedBeeps_ = 0;
    bool refused_ = false; // the last event ended in a refusal

    static constexpr int kHistory = 20;
    std::array<Event, kHistory> history_{};
};

// Seeded random events, weighted so that calculations happen: numbers are
// entered around the decimal column, operations are pressed often, equals
// lays results, and the mix changes every few hundred events. Now and then
// a burst of ordinary events enters a chosen number (the largest frame
// value, 1, powers of 2 and 5, numbers ending in 5) or runs a whole
// calculation with such numbers, so that the edges are met often.
class RandomEvents {
public:
    explicit RandomEvents(std::uint64_t seed) : rng_(seed) {}
    Event next(const Storm &storm);

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    Event randomEvent(const Storm &storm);
    std::string edgeNumber();
    void queueNumber(const std::string &digits);
    void queueOption(int index);
    void queue(Kind kind);
    void queueCalculation();

    std::mt19937_64 rng_;
    int profile_ = 0;
    long left_ = 0;
    std::deque<Event> pending_;
};

} // namespace ctallix::storm
