// The core's tests, every event through the checker (checker.h):
//   core_checker SCENARIOS.TXT  the scenario table, under a German locale
//     (decimal comma);
//   core_checker --seed N --events M  random events: numbers around the
//     decimal column, frequent operations, now and then a whole number at
//     the frame's edges. A failure prints the last events and a replay line.
#include "checker.h"

#include <clocale>
#include <cstdio>
#include <random>

using namespace ctallix;
using namespace ctallix::test;

namespace {

int failures = 0;

void Check(bool ok, const std::string &where, const std::string &what) {
    if (!ok)
        std::printf("FAIL %s: %s\n", where.c_str(), what.c_str());
    failures += !ok;
}

int Scenarios(const char *path) {
    const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr &&
                       std::string(std::localeconv()->decimal_point) == ",";
    Check(comma, "locale", "de_DE.UTF-8 with its decimal comma is not available");
    const auto scenarios = ReadScenarios(path);
    for (const Scenario &s : scenarios) {
        Checker checker;
        for (std::size_t i = 0; i < s.events.size(); ++i) {
            const std::string problem = checker.Apply(s.events[i]);
            Check(problem.empty(), s.name, "after event " + std::to_string(i + 1) + ": " + problem);
            if (!problem.empty())
                break; // the model is off from here on
        }
        const RecordingView &view = checker.view();
        Check(view.shown() == Expected(s), s.name,
              "shows " + view.shown() + "\n  expected " + Expected(s));
        Check(view.beeps == s.beeps, s.name, std::to_string(view.beeps) + " beeps");
    }
    std::printf("%zu scenarios, %d failures\n", scenarios.size(), failures);
    return failures != 0;
}

int Random(const char *self, unsigned long seed, long events) {
    std::mt19937_64 rng(seed);
    auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const char *const edges[] = {"9999999999", "1", "5", "25", "125", "1000000000", "100000", "3"};
    Checker checker;
    std::string last;
    long i = 0;
    while (i < events) {
        const int r = below(40);
        const char kind = r < 3    ? 'n'
                          : r < 4  ? 'O'
                          : r < 21 ? "CBTbHUUUx/=x/=x/="[r - 4]
                                   : "LRM"[below(3)];
        const int column =
            kind == 'O' && below(3) == 0 ? below(10) : std::min(9, below(checker.dot() + 4));
        const auto step =
            kind == 'n' ? ParseEvents(std::string("B n") + edges[below(8)])
                        : std::vector<Event>{{kind, column, kind == 'U' ? below(2) * 5 : below(5)}};
        for (const Event &e : step) {
            last += " " + std::string(1, e.kind) + std::to_string(e.column) + "." +
                    std::to_string(e.item);
            last.erase(0, last.size() > 120 ? last.find(' ', last.size() - 120) : 0);
            if (const std::string problem = checker.Apply(e); !problem.empty()) {
                std::printf("FAIL seed %lu, event %ld: %s\n  last events:%s\n  replay: %s --seed "
                            "%lu --events %ld\n",
                            seed, i + 1, problem.c_str(), last.c_str(), self, seed, i + 1);
                return 1;
            }
            ++i;
        }
    }
    std::printf("checker seed %lu: %ld events, %ld presses judged by the model, %ld followed\n",
                seed, i, checker.judged, checker.followed);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    return argc == 2 ? Scenarios(argv[1])
                     : Random(argv[0], argc > 2 ? std::stoul(argv[2]) : 1,
                              argc > 4 ? std::stol(argv[4]) : 100000);
}
