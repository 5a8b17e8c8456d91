// Tests of the storm itself: its model must agree with hand-worked
// calculations, its checker must notice a corrupted core or window, and a
// seed must replay the same events.
#include "storm.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace ctallix::storm {
namespace {

Event Press(int column, int item, std::int16_t button) {
    Event e;
    e.kind = Kind::LowerPress;
    e.column = column;
    e.index = static_cast<std::int16_t>(item);
    e.button = button;
    return e;
}

Event Of(Kind kind, int index = 0) {
    Event e;
    e.kind = kind;
    e.index = static_cast<std::int16_t>(index);
    return e;
}

// Events that clear the frame and enter `digits` right-aligned.
std::vector<Event> Number(const std::string &digits) {
    std::vector<Event> events{Of(Kind::Beam)};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const int k = static_cast<int>(digits.size() - 1 - i);
        const int d = digits[i] - '0';
        if (d >= 5)
            events.push_back(Press(k, d - 5, kRightButton));
        else if (d > 0)
            events.push_back(Press(k, d, kLeftButton));
    }
    return events;
}

struct Step {
    std::vector<Event> events;
    Step(const char *digits) : events(Number(digits)) {}
    Step(Kind kind, int index = 0) : events{Of(kind, index)} {}
};

// Runs the steps through a storm; every event must pass its checks.
void Deliver(Storm &storm, const std::vector<Step> &steps) {
    for (const Step &step : steps)
        for (const Event &e : step.events)
            ASSERT_TRUE(storm.apply(e)) << storm.failure();
}

std::string ModelDigits(const Storm &storm) {
    std::string s;
    for (int k = 9; k >= 0; --k)
        s += static_cast<char>('0' + storm.model().digitOf(k));
    return s;
}

// The model's predictions on calculations worked by hand. Each run also
// checks the core against the model after every event.
TEST(StormModel, AgreesWithWorkedCalculations) {
    struct Case {
        const char *name;
        std::vector<Step> steps;
        std::string frame; // the digits shown afterwards, column 9 first
        std::string label2;
        long beeps;
    };
    const std::vector<Case> cases = {
        {"12 x 3", {"12", Kind::Multiply, "3", Kind::Equals}, "0000000036", "", 0},
        {"8 / 2 / 3 with two decimals",
         {"8", Kind::Multiply, "2", Kind::Divide, {Kind::Option, 2}, "300", Kind::Equals},
         "0000000133",
         "",
         0},
        {"8 / 2 x 3",
         {"8", Kind::Divide, "2", Kind::Multiply, "3", Kind::Equals},
         "0000000048",
         "",
         0},
        {"0.201 x 5 rounds the tie up",
         {{Kind::Option, 3}, "201", Kind::Multiply, {Kind::Option, 2}, "500", Kind::Equals},
         "0000000101",
         "",
         0},
        {"largest value accepted by a chained multiply",
         {"9999999999", Kind::Multiply, "1", Kind::Multiply},
         "0000000000",
         "9999999999",
         0},
        {"product above the largest value refused by equals",
         {"5000000000", Kind::Multiply, "2", Kind::Equals},
         "0000000000",
         "0",
         1},
        {"divide by zero at equals beeps twice",
         {"8", Kind::Divide, Kind::Equals},
         "0000000000",
         "0",
         2},
        {"chained divide by zero beeps once",
         {"8", Kind::Multiply, Kind::Divide},
         "0000000000",
         "0",
         1},
        {"equals without operation multiplies by 0",
         {{Kind::Option, 2}, "12345", Kind::Equals},
         "0000000000",
         "",
         0},
        {"first operand in plain text",
         {"1250", {Kind::Option, 2}, Kind::Divide},
         "0000000000",
         "12.5",
         0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Storm storm;
        Deliver(storm, c.steps);
        EXPECT_EQ(ModelDigits(storm), c.frame);
        EXPECT_EQ(storm.model().label2, c.label2);
        EXPECT_EQ(storm.figures().beeps, c.beeps);
    }
}

TEST(StormModel, FollowsARepeatingQuotientApproximatelyUntilMultipliedByZero) {
    Storm storm;
    Deliver(storm, {"1", Kind::Multiply, "3", Kind::Divide});
    EXPECT_EQ(storm.model().value.how, Knowledge::Approx);
    EXPECT_EQ(storm.model().label2, "0");
    // 1/3 x 3 = 1 is still predicted from the approximation.
    Deliver(storm, {{Kind::Option, 2}, "300", Kind::Multiply});
    EXPECT_EQ(storm.model().label2, "1.00");
    EXPECT_EQ(storm.figures().predictedApprox, 2); // 1 / 3 and then x 3
    Deliver(storm, {Kind::Multiply});
    EXPECT_EQ(storm.model().value.how, Knowledge::Exact);
    EXPECT_EQ(storm.model().label2, "0.00");
}

// A storm in some state with a result laid and the hint labels shown.
void Prepare(Storm &storm) {
    Deliver(storm, {{Kind::Rail, 1}, "125", Kind::Multiply, {Kind::Option, 1}, "30", Kind::Equals});
    ASSERT_EQ(ModelDigits(storm), "0000003750"); // 125 x 3.0 = 375.0
    ASSERT_TRUE(storm.check()) << storm.failure();
}

TEST(StormChecker, NoticesACorruptedCoreOrWindow) {
    using Corruption = std::function<void(Storm &)>;
    const std::vector<std::pair<const char *, Corruption>> cases = {
        {"coltext", [](Storm &s) { s.core().coltext[2] = "4"; }},
        {"coltext", [](Storm &s) { s.core().coltext[0] += '.'; }},
        {"upper + lower", [](Storm &s) { s.core().lower[1] = 2; }},
        {"upper is", [](Storm &s) { s.core().upper[9] = 1; }},
        {"shows no valid digit", [](Storm &s) { s.view().lower[4][3] = CheckingView::Shown::Gap; }},
        {"shows no valid digit", [](Storm &s) { s.view().upper[6][5] = CheckingView::Shown::Gap; }},
        {"column 1 shows", [](Storm &s) { s.core().PicK5_Click(1, 0); }},
        {"but Option1", [](Storm &s) { s.core().dot = 3; }},
        {"Label2", [](Storm &s) { s.view().label2 = "375.0"; }},
        {"Lab1(3) caption", [](Storm &s) { s.view().lab1[3] = "0"; }},
        {"Lab1(7) hidden", [](Storm &s) { s.view().lab1Visible[7] = false; }},
        {"splitdigit(2)", [](Storm &s) { s.core().splitdigit[2] = "4"; }},
        {"numtext(3)", [](Storm &s) { s.core().numtext[3] = "375"; }},
        {"digit is", [](Storm &s) { s.core().digit = 375.00000000000006; }},
        {"digit1", [](Storm &s) { s.core().digit1 = 3.0000000000000004; }},
        {"firstnum", [](Storm &s) { s.core().firstnum = kFalse; }},
        {"num2", [](Storm &s) { s.core().num2 = 1; }},
        {"beeps", [](Storm &s) { s.view().beep(); }},
        {"asked the window for", [](Storm &s) { s.view().setSlot(10, Half::Lower, 0, {}); }},
        {"asked the window for", [](Storm &s) { s.view().setSlot(0, Half::Upper, 3, {}); }},
    };
    for (const auto &[what, corrupt] : cases) {
        SCOPED_TRACE(what);
        Storm storm;
        Prepare(storm);
        corrupt(storm);
        EXPECT_FALSE(storm.check());
        EXPECT_NE(storm.failure().find(what), std::string::npos) << storm.failure();
        // The report names the events that led there.
        EXPECT_NE(storm.failure().find("equals (Command3)"), std::string::npos);
    }
}

TEST(StormChecker, NoticesAWrongOutcomeOfAnOperation) {
    // A running value changed behind the model's back makes the core's
    // result differ from the prediction.
    Storm storm;
    Deliver(storm, {"6", Kind::Multiply, "7"});
    storm.core().digit = 5; // behind the model's back: 5 x 7 instead of 6 x 7
    EXPECT_FALSE(storm.apply(Of(Kind::Equals)));
    EXPECT_NE(storm.failure().find("column 0 shows 5, expected 2"), std::string::npos)
        << storm.failure();
}

TEST(StormEvents, ASeedReplaysTheSameEvents) {
    auto run = [](std::uint64_t seed) {
        Storm storm;
        RandomEvents source(seed);
        std::string log;
        for (int i = 0; i < 5000; ++i) {
            const Event e = source.next(storm);
            log += Describe(e) + "\n";
            EXPECT_TRUE(storm.apply(e)) << storm.failure();
        }
        return log;
    };
    const std::string first = run(77);
    EXPECT_EQ(first, run(77));
    EXPECT_NE(first, run(78));
}

TEST(StormEvents, EveryKindOfEventIsDelivered) {
    Storm storm;
    RandomEvents source(5);
    std::vector<long> seen(10);
    std::vector<long> buttons(5);
    bool labelWhileHidden = false;
    for (int i = 0; i < 20000; ++i) {
        const Event e = source.next(storm);
        ++seen[static_cast<int>(e.kind)];
        if (e.kind == Kind::LowerPress)
            ++buttons[e.button];
        if (e.kind == Kind::HintLabel && !storm.hintsShown())
            labelWhileHidden = true;
        ASSERT_TRUE(storm.apply(e)) << storm.failure();
    }
    for (int kind = 0; kind < 10; ++kind)
        EXPECT_GT(seen[kind], 100) << "kind " << kind;
    EXPECT_GT(buttons[kLeftButton], 1000);
    EXPECT_GT(buttons[kRightButton], 1000);
    EXPECT_GT(buttons[kMiddleButton], 100);
    EXPECT_FALSE(labelWhileHidden);
    const Figures &f = storm.figures();
    EXPECT_GT(f.equalsLaid, 500);
    EXPECT_GT(f.chainedAccepted, 500);
    EXPECT_GT(f.chainedRefused + f.equalsRefused, 200);
}

} // namespace
} // namespace ctallix::storm
