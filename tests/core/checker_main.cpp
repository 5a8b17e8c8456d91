// The core's random test, every event through the checker (checker.h):
//   core_checker [--seed N] [--events M]  random events: numbers around the
//     decimal column, frequent operations, now and then a whole number at
//     the frame's edges. A failure prints the last events and a replay line.
#include "checker.h"

#include <cstdio>
#include <random>

using namespace ctallix;
using namespace ctallix::test;

namespace {

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
    return Random(argv[0], argc > 2 ? std::stoul(argv[2]) : 1,
                  argc > 4 ? std::stol(argv[4]) : 100000);
}
