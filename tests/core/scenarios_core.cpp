// The scenario table on the calculator core through a recording FormView,
// every invariant checked after every event, under a German locale whose
// decimal point is a comma; and the number texts that no event reaches in
// every form (texts the frame never holds, values no operation gives).
//
// Usage: scenarios_core SCENARIOS.TXT
#include "calc/number_text.h"
#include "recording_view.h"

#include <clocale>
#include <cstdio>
#include <limits>

using namespace ctallix;
using namespace ctallix::test;

namespace {

int failures = 0;

void Check(bool ok, const std::string &where, const std::string &what) {
    if (!ok)
        std::printf("FAIL %s: %s\n", where.c_str(), what.c_str());
    failures += !ok;
}

const std::string kFill(1, '\0');
const struct {
    std::string text;
    double value;
} kReads[] = {
    {"0000000000.", 0},
    {"0000012.345", 12.345},
    {kFill + "36.", 0},
    {"4" + kFill + ".", 4},
    {"12.3.4", 12.3},
    {" 1\t2\n.5", 12.5},
    {"1\r2", 1},
    {"", 0},
    {"99999.99999", 99999.99999},
    {"0." + std::string(400, '0') + "1", 0},
};
const struct {
    double x;
    int places;
    std::string text;
} kFormats[] = {
    {12.5, 3, "12.500"},
    {7.6, 0, "8"},
    {0.125, 1, "0.1"},
    {0, 3, "0.000"},
    {1.005, 2, "1.01"},
    {9.995, 2, "10.00"},
    {-0.004, 2, "0.00"},
    {-12.5, 0, "-13"},
    {1e20, 0, "100000000000000000000"},
    {9999999999.5, 0, "10000000000"},
    {1e-9, 9, "0.000000001"},
    {std::numeric_limits<double>::quiet_NaN(), 2, "nan"},
    {std::numeric_limits<double>::infinity(), 0, "inf"},
};

} // namespace

int main(int, char **argv) {
    const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr &&
                       std::string(std::localeconv()->decimal_point) == ",";
    Check(comma, "locale", "de_DE.UTF-8 with its decimal comma is not available");
    const auto scenarios = ReadScenarios(argv[1]);
    for (const Scenario &s : scenarios) {
        RecordingView view;
        Form1Core core(view);
        core.Form_Load();
        for (std::size_t i = 0; i < s.events.size(); ++i) {
            Deliver(core, view, s.events[i]);
            const std::string broken = Invariants(core, view);
            Check(broken.empty(), s.name, "after event " + std::to_string(i + 1) + ": " + broken);
        }
        Check(view.shown() == Expected(s), s.name,
              "shows " + view.shown() + "\n  expected " + Expected(s));
        Check(view.beeps == s.beeps, s.name, std::to_string(view.beeps) + " beeps");
    }
    for (const auto &r : kReads)
        Check(ParseNumberText(r.text) == r.value, "reading", r.text);
    for (const auto &f : kFormats)
        Check(FormatFixed(f.x, f.places) == f.text, "formatting", f.text);
    Check(PlainText(0.000000001) == "0.000000001" && PlainText(12.5) == "12.5", "plain text", "");
    Check(SnapToShortDecimal(0.201 * 5) == 1.005, "snapping", "0.201 x 5");
    std::printf("%zu scenarios, %d failures\n", scenarios.size(), failures);
    return failures != 0;
}
