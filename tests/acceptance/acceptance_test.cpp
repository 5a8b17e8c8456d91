// Acceptance tests of the real program on a real X server.
//
// The test starts an Xvfb of its own, runs ctallix on it and works the
// window as a user does: real pointer motion and button events (XTest) at
// the controls' places in the client area. After every step it reads the
// window's pixels back and waits, up to a bound, until they show the
// expected state: the digit of every column (from the bead and gap pictures
// of its seven slots), the selected decimal marker, which hint labels show a
// character, and the text of the display line (read glyph by glyph, the
// glyphs learnt from the window itself). Bells are counted as the server
// reports them (XKB BellNotify).
//
// Usage: ctallix_acceptance_test PATH/TO/ctallix
#include "screen_reader.h"
#include "x_session.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

using acceptance::Clock;
using acceptance::ScreenReader;
using acceptance::ScreenState;
using acceptance::SessionError;
using acceptance::Shot;
using acceptance::XSession;
using namespace acceptance::layout;

// How long a step may take to show its result: a bound for a slow
// machine; a step ends as soon as its result shows.
constexpr auto kStepDeadline = std::chrono::seconds(5);
constexpr int kPollMs = 10;

// The state a step must leave on the screen.
struct Expect {
    std::string frame = "0";  // the frame's digits, right-aligned; 0 to the left
    std::string label2 = "0"; // the display line
    int option = 0;           // the selected decimal marker
    int hints = 0;            // hint labels hints-1..0 show a character, the rest nothing
    int beeps = 0;            // bells rung by the step
};

struct Step {
    // Space-separated actions:
    //   L<k>.<i>, R<k>.<i>, M<k>.<i>  left/right/middle press on lower slot i of column k
    //   U<k>.<i>                      click on upper slot i (0 or 5) of column k
    //   n<digits>                     enter a number, its last digit in column 0
    //   O<k>                          click on the decimal marker of column k
    //   x / = C                       Command1 (multiply) .. Command4 (clear)
    //   B  T  b  H<k>                 the beam, the top rail, the bottom rail, Lab1(k)
    std::string actions;
    Expect expect;
    // Not empty: the display line shows this text, and its glyphs are
    // learnt here rather than checked.
    std::string learn = {};
};

struct Scenario {
    std::string name;
    std::vector<Step> steps;
};

// Every scenario starts from the reset with the hint labels hidden.
const std::vector<Scenario> &scenarios() {
    static const std::vector<Scenario> table = {
        {"the display line learns its glyphs from first operands",
         {
             {"n1234567890", {.frame = "1234567890"}},
             {"x", {}, "1234567890"},
             {"C", {}},
             {"O1", {.option = 1}},
             {"n5", {.frame = "5", .option = 1}},
             {"/", {.option = 1}, "0.5"},
         }},
        {"bead input with each button, the upper slots and the beam",
         {
             {"L3.3", {.frame = "3000"}},
             {"U3.5", {.frame = "8000"}},
             {"R9.4", {.frame = "9000008000"}},
             {"M5.2", {.frame = "9000208000"}},
             {"U3.0", {.frame = "9000203000"}},
             {"U3.0", {.frame = "9000203000"}},
             {"L9.0", {.frame = "5000203000"}},
             {"R0.0", {.frame = "5000203005"}},
             {"L0.4", {.frame = "5000203009"}},
             {"B", {}},
         }},
        {"12 x 3 = 36, the hint labels, and the result as the next operand",
         {
             {"n12", {.frame = "12"}},
             {"x", {.label2 = "12"}},
             {"n3", {.frame = "3", .label2 = "12"}},
             {"=", {.frame = "36", .label2 = ""}},
             {"T", {.frame = "36", .label2 = "", .hints = 2}},
             {"H0", {.frame = "36", .label2 = ""}},
             {"b", {.frame = "36", .label2 = "", .hints = 2}},
             {"H7", {.frame = "36", .label2 = ""}},
             // The frame reads what it shows: 36 x 36.
             {"x", {.label2 = "1296"}},
             {"n1", {.frame = "1", .label2 = "1296"}},
             {"=", {.frame = "1296", .label2 = ""}},
             {"T", {.frame = "1296", .label2 = "", .hints = 4}},
             // The reset empties the shown labels.
             {"C", {}},
         }},
        {"8 / 2 x 3 = 48: a chained press applies its own operation",
         {
             {"n8", {.frame = "8"}},
             {"/", {.label2 = "8"}},
             {"n2", {.frame = "2", .label2 = "8"}},
             {"x", {.label2 = "16"}},
             {"n3", {.frame = "3", .label2 = "16"}},
             {"=", {.frame = "48", .label2 = ""}},
             {"T", {.frame = "48", .label2 = "", .hints = 2}},
         }},
        {"beads pressed on a laid result work from the digits it shows",
         {
             {"n4 x n2", {.frame = "2", .label2 = "4"}},
             {"=", {.frame = "8", .label2 = ""}},
             // Column 0 shows 8: a left press keeps its upper bead.
             {"L0.1", {.frame = "6", .label2 = ""}},
             // Column 2 was left of the result: it counts from 0.
             {"L2.1", {.frame = "106", .label2 = ""}},
             {"x", {.label2 = "848"}},
             {"n1 =", {.frame = "848", .label2 = ""}},
         }},
        {"a double click on equals is two presses",
         {
             {"n2 x n3", {.frame = "3", .label2 = "2"}},
             // 3 x 2 = 6, then the 6 on the frame times 6.
             {"= =", {.frame = "36", .label2 = ""}},
         }},
        {"1 / 8.00 = 0.13 with two decimal places",
         {
             {"n1", {.frame = "1"}},
             {"/", {.label2 = "1"}},
             {"O2", {.label2 = "1", .option = 2}},
             {"n800", {.frame = "800", .label2 = "1", .option = 2}},
             {"=", {.frame = "013", .label2 = "", .option = 2}},
             {"b", {.frame = "013", .label2 = "", .option = 2, .hints = 3}},
             {"C", {}},
         }},
        {"equals before any operation multiplies by 0 and lays 0.00",
         {
             {"O2", {.option = 2}},
             {"n5", {.frame = "5", .option = 2}},
             {"=", {.frame = "0", .label2 = "", .option = 2}},
             {"T", {.frame = "0", .label2 = "", .option = 2, .hints = 3}},
         }},
        {"divide by zero at equals beeps twice and resets",
         {
             {"O3", {.option = 3}},
             {"n5", {.frame = "5", .option = 3}},
             {"/", {.label2 = "0.005", .option = 3}},
             {"=", {.beeps = 2}},
         }},
        {"chained divide by zero beeps once and resets",
         {
             {"n5", {.frame = "5"}},
             {"/", {.label2 = "5"}},
             {"/", {.beeps = 1}},
         }},
        {"a product too large at equals beeps once and resets",
         {
             {"n100000", {.frame = "100000"}},
             {"x", {.label2 = "100000"}},
             {"n100000", {.frame = "100000", .label2 = "100000"}},
             {"=", {.beeps = 1}},
         }},
        {"99999 x 100001 = 9999999999 fills every column and hint label",
         {
             {"n99999", {.frame = "99999"}},
             {"x", {.label2 = "99999"}},
             {"n100001", {.frame = "100001", .label2 = "99999"}},
             {"=", {.frame = "9999999999", .label2 = ""}},
             {"b", {.frame = "9999999999", .label2 = "", .hints = 10}},
             {"H4", {.frame = "9999999999", .label2 = ""}},
         }},
        {"a chained product of exactly 9999999999 fits",
         {
             {"n99999 x n100001", {.frame = "100001", .label2 = "99999"}},
             {"x", {.label2 = "9999999999"}},
             {"n1", {.frame = "1", .label2 = "9999999999"}},
             {"=", {.frame = "9999999999", .label2 = ""}},
         }},
    };
    return table;
}

// Where the pointer rests between actions: plain window background, away
// from every control, so that no control shows a hover look.
constexpr int kParkX = 440, kParkY = 270;

class Harness {
public:
    explicit Harness(XSession &session) : session_(session) {}

    // Waits for the first cleared picture and learns from it what only the
    // window can show: the two looks of a decimal marker and the "0" of the
    // display line.
    bool learnClearedWindow(std::string &problem) {
        session_.moveTo(kParkX, kParkY);
        Shot shot;
        const bool shown = waitFor(shot, [&](const Shot &s) {
            ScreenState state = reader_.read(s);
            return state.frame == "0000000000" && state.hints == ".........." &&
                   ScreenReader::textLook(s, kLabel2X, kLabel2Y, kLabel2W, kLabel2H) == 'T';
        });
        if (!shown) {
            problem = "the window never showed its cleared state: " + reader_.read(shot).describe();
            save(shot, "start");
            return false;
        }
        problem = reader_.learnMarkers(shot);
        if (problem.empty())
            problem = reader_.learnLabel2(shot, "0");
        if (problem.empty() && reader_.read(shot).option != 0)
            problem = "Option1(0) is not the selected marker at start";
        return problem.empty();
    }

    bool run(const Scenario &scenario, std::string &problem) {
        const Step start{"C H9", {}};
        if (!runStep(start, problem)) {
            problem = "the reset before the scenario: " + problem;
            return false;
        }
        for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
            if (!runStep(scenario.steps[i], problem)) {
                problem = "step " + std::to_string(i + 1) + " \"" + scenario.steps[i].actions +
                          "\": " + problem;
                return false;
            }
        }
        return true;
    }

private:
    template <typename Done> bool waitFor(Shot &shot, Done done) {
        const auto deadline = Clock::now() + kStepDeadline;
        for (;;) {
            shot = session_.capture();
            if (!shot.empty() && done(shot))
                return true;
            if (Clock::now() >= deadline || !session_.programRunning())
                return false;
            session_.waitForEvents(kPollMs);
        }
    }

    static std::string frameOf(const std::string &digits) {
        return std::string(10 - digits.size(), '0') + digits;
    }
    static std::string hintsOf(int n) {
        return std::string(static_cast<std::size_t>(10 - n), '.') +
               std::string(static_cast<std::size_t>(n), 'T');
    }

    bool runStep(const Step &step, std::string &problem) {
        std::istringstream actions(step.actions);
        for (std::string action; actions >> action;) {
            if (!perform(action)) {
                problem = "unknown action " + action;
                return false;
            }
        }
        const Expect &e = step.expect;
        int bells = 0;
        bool learnt = false;
        std::string learnProblem;
        Shot shot;
        const bool done = waitFor(shot, [&](const Shot &s) {
            bells += session_.takeBells();
            const ScreenState state = reader_.read(s);
            if (state.frame != frameOf(e.frame) || state.option != e.option ||
                state.hints != hintsOf(e.hints) || bells < e.beeps)
                return false;
            if (step.learn.empty())
                return state.label2 == e.label2;
            learnProblem = reader_.learnLabel2(s, step.learn);
            learnt = learnProblem.empty();
            return learnt;
        });
        bells += session_.takeBells();
        if (!session_.programRunning()) {
            problem = "ctallix ended";
            return false;
        }
        if (!done) {
            std::ostringstream out;
            out << "expected frame " << frameOf(e.frame) << ", option " << e.option << ", hints "
                << hintsOf(e.hints) << ", Label2 \"" << (step.learn.empty() ? e.label2 : step.learn)
                << "\", " << e.beeps << " bell(s); saw " << reader_.read(shot).describe() << ", "
                << bells << " bell(s)";
            if (!learnProblem.empty())
                out << "; " << learnProblem;
            out << " (picture: " << save(shot, "failure") << ")";
            problem = out.str();
            return false;
        }
        if (bells != e.beeps) {
            problem = std::to_string(bells) + " bell(s), expected " + std::to_string(e.beeps);
            return false;
        }
        return true;
    }

    static bool parseSlot(const std::string &a, int &k, int &item) {
        return std::sscanf(a.c_str() + 1, "%d.%d", &k, &item) == 2 && k >= 0 && k <= 9;
    }

    bool perform(const std::string &a) {
        int k = 0, item = 0;
        const char kind = a.empty() ? ' ' : a[0];
        if ((kind == 'L' || kind == 'R' || kind == 'M') && parseSlot(a, k, item) && item <= 4) {
            const int button = kind == 'L' ? 1 : kind == 'M' ? 2 : 3;
            clickAt(columnX(k) + kSlotW / 2, lowerY(item) + kSlotH / 2, button);
        } else if (kind == 'U' && parseSlot(a, k, item) && (item == 0 || item == 5)) {
            clickAt(columnX(k) + kSlotW / 2, (item == 0 ? kUpper0Y : upper5Y(k)) + kSlotH / 2, 1);
        } else if (kind == 'n' && a.size() > 1 && a.size() <= 11) {
            const int n = static_cast<int>(a.size()) - 1;
            for (int i = 0; i < n; ++i) {
                const int column = n - 1 - i;
                const int d = a[static_cast<std::size_t>(i) + 1] - '0';
                if (d < 0 || d > 9)
                    return false;
                const int slot = d >= 5 ? d - 5 : d;
                clickAt(columnX(column) + kSlotW / 2, lowerY(slot) + kSlotH / 2, d >= 5 ? 3 : 1);
            }
        } else if (kind == 'O' && a.size() == 2 && a[1] >= '0' && a[1] <= '9') {
            clickAt(optionX(a[1] - '0') + kOptionW / 2, kOptionY + kOptionH / 2, 1);
        } else if (a == "x" || a == "/" || a == "=" || a == "C") {
            const int command = a == "x" ? 1 : a == "/" ? 2 : a == "=" ? 3 : 4;
            clickAt(kCommandX[command] + kCommandW / 2, kCommandY + kCommandH / 2, 1);
        } else if (a == "B") {
            // Beside the marker of column 9, on the bare beam.
            clickAt(columnX(9) + 32, kOptionY + kOptionH / 2, 1);
        } else if (a == "T" || a == "b") {
            clickAt(11 + 200, (a == "T" ? 28 : 215) + 7, 1);
        } else if (kind == 'H' && a.size() == 2 && a[1] >= '0' && a[1] <= '9') {
            const int column = a[1] - '0';
            clickAt(kLab1X[column] + kLab1Size / 2, lab1Y(column) + kLab1Size / 2, 1);
        } else {
            return false;
        }
        session_.moveTo(kParkX, kParkY);
        return true;
    }

    void clickAt(int x, int y, int button) { session_.click(x, y, button); }

    std::string save(const Shot &shot, const std::string &what) {
        const std::string path = "acceptance_" + what + "_" + std::to_string(++saved_) + ".ppm";
        return shot.savePpm(path) ? path : "not saved";
    }

    XSession &session_;
    ScreenReader reader_;
    int saved_ = 0;
};

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ctallix_acceptance_test PATH/TO/ctallix\n");
        return 2;
    }
    const auto started = Clock::now();
    XSession session(argv[1]);
    try {
        session.start("cTallix");
    } catch (const SessionError &e) {
        std::fprintf(stderr, "FAIL: %s\n", e.what());
        return 1;
    }
    if (session.clientWidth() != kClientW || session.clientHeight() != kClientH) {
        std::fprintf(stderr, "FAIL: the client area is %dx%d, not %dx%d\n", session.clientWidth(),
                     session.clientHeight(), kClientW, kClientH);
        return 1;
    }

    Harness harness(session);
    std::string problem;
    if (!harness.learnClearedWindow(problem)) {
        std::fprintf(stderr, "FAIL: %s\n", problem.c_str());
        return 1;
    }
    // The start-up rang no bell.
    if (const int bells = session.takeBells(); bells != 0) {
        std::fprintf(stderr, "FAIL: %d bell(s) at start-up\n", bells);
        return 1;
    }

    int passed = 0, failed = 0;
    for (const Scenario &scenario : scenarios()) {
        const auto t0 = Clock::now();
        const bool ok = harness.run(scenario, problem);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count();
        if (ok) {
            ++passed;
            std::printf("PASS %s (%lld ms)\n", scenario.name.c_str(), static_cast<long long>(ms));
        } else {
            ++failed;
            std::printf("FAIL %s: %s\n", scenario.name.c_str(), problem.c_str());
        }
        std::fflush(stdout);
        if (!session.programRunning())
            break;
    }
    const auto total =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
    std::printf("acceptance: %d passed, %d failed, %zu scenarios in %lld ms on display %s\n",
                passed, failed, scenarios().size(), static_cast<long long>(total),
                session.displayName().c_str());
    return failed == 0 && passed == static_cast<int>(scenarios().size()) ? 0 : 1;
}
