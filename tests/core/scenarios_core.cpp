// The scenario table run on the calculator core through a recording
// FormView, every invariant checked after every event; and the number texts
// that no event reaches in every form (the locale, texts the frame never
// holds) in a table of their own.
//
// Usage: scenarios_core SCENARIOS.TXT
#include "calc/number_text.h"
#include "recording_view.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

using namespace ctallix;
using namespace ctallix::test;

namespace {

int failures = 0;

void Check(bool ok, const std::string &where, const std::string &what) {
    if (!ok) {
        std::printf("FAIL %s: %s\n", where.c_str(), what.c_str());
        ++failures;
    }
}

std::string Captions(const RecordingView &view) {
    std::string s;
    for (int k = 9; k >= 0; --k)
        s += view.lab1[k].empty()                        ? '.'
             : view.lab1[k] == std::string(1, kFillChar) ? '_'
             : view.lab1[k].size() == 1                  ? view.lab1[k][0]
                                                         : '?';
    return s;
}

void Run(const Scenario &s) {
    RecordingView view;
    Form1Core core(view);
    core.Form_Load();
    for (std::size_t i = 0; i < s.events.size(); ++i) {
        Deliver(core, view, s.events[i]);
        const std::string broken = Invariants(core, view);
        Check(broken.empty(), s.name, "after event " + std::to_string(i + 1) + ": " + broken);
    }
    Check(view.frame() == s.frame, s.name, "frame " + view.frame() + ", expected " + s.frame);
    Check(view.label2 == s.label2, s.name, "Label2 \"" + view.label2 + "\", expected " + s.label2);
    Check(Captions(view) == s.lab1, s.name, "Lab1 " + Captions(view) + ", expected " + s.lab1);
    for (bool shown : view.hintShown)
        Check(shown == s.hints, s.name,
              "hint labels not all " + std::string(s.hints ? "shown" : "hidden"));
    Check(view.option == s.dot && core.dot == s.dot, s.name,
          "Option1(" + std::to_string(view.option) + "), dot " + std::to_string(core.dot));
    Check(view.beeps == s.beeps, s.name, std::to_string(view.beeps) + " beeps");
}

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

struct Read {
    std::string text;
    double value;
};
const Read kReads[] = {
    {"0000000000.", 0},
    {"0000012.345", 12.345},
    {"99999.99999", 99999.99999},
    {std::string("\0", 1) + "36.", 0},
    {"4" + std::string(9, '\0') + ".", 4},
    {"12.3.4", 12.3},
    {" 1\t2\n.5", 12.5},
    {"1\r2", 1},
    {"", 0},
    {"0." + std::string(400, '0') + "1", 0},
};

struct Format {
    double x;
    int places;
    std::string text;
};
const Format kFormats[] = {
    {12.5, 3, "12.500"},
    {7.6, 0, "8"},
    {0.125, 1, "0.1"},
    {0, 3, "0.000"},
    {1.005, 2, "1.01"},
    {0.125, 2, "0.13"},
    {9.995, 2, "10.00"},
    {-0.004, 2, "0.00"},
    {-12.5, 0, "-13"},
    {1e20, 0, "100000000000000000000"},
    {kNan, 2, "nan"},
    {kInf, 0, "inf"},
    {9999999999.5, 0, "10000000000"},
    {1e-9, 9, "0.000000001"},
};

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SCENARIOS.TXT\n", argv[0]);
        return 2;
    }
    // "." stays the decimal point under a locale whose point is a comma.
    const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr &&
                       std::string(std::localeconv()->decimal_point) == ",";
    Check(comma, "locale", "de_DE.UTF-8 with its decimal comma is not available");
    const auto scenarios = ReadScenarios(argv[1]);
    for (const auto &s : scenarios)
        Run(s);
    for (const auto &r : kReads)
        Check(ParseNumberText(r.text) == r.value, "reading", r.text);
    for (const auto &f : kFormats)
        Check(FormatFixed(f.x, f.places) == f.text, "formatting", f.text);
    Check(PlainText(0.000000001) == "0.000000001" && PlainText(12.5) == "12.5", "plain text", "");
    Check(SnapToShortDecimal(0.201 * 5) == 1.005, "snapping", "0.201 x 5");
    std::printf("%zu scenarios: %d failures\n", scenarios.size(), failures);
    return failures == 0 ? 0 : 1;
}
