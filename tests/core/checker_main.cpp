// Seeded random events into the checker: core_checker --seed N --events M.
// Numbers are entered around the decimal column, operations come often, and
// now and then a number at the frame's edges (all nines, 1, powers of ten,
// halves) is entered whole, so that refusals, ties and the largest value are
// met. A failure prints the last events and the command that replays it.
#include "checker.h"

#include <cstdio>
#include <deque>
#include <random>

using namespace ctallix::test;

int main(int argc, char **argv) {
    const unsigned long seed = argc > 2 ? std::stoul(argv[2]) : 1;
    const long events = argc > 4 ? std::stol(argv[4]) : 100000;
    std::mt19937_64 rng(seed);
    auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const char *const edges[] = {"9999999999", "1", "5", "25", "125", "1000000000", "100000", "3"};
    Checker checker;
    std::deque<Event> queued;
    std::string last;
    for (long i = 1; i <= events; ++i) {
        if (queued.empty()) {
            const int r = below(40);
            const char kind = r < 3    ? 'n'
                              : r < 4  ? 'O'
                              : r < 21 ? "CBTbHUUUx/=x/=x/="[r - 4]
                                       : "LRM"[below(3)];
            const int column =
                kind == 'O' && below(3) == 0 ? below(10) : std::min(9, below(checker.dot() + 4));
            if (kind == 'n')
                for (const Event &e : ParseEvents(std::string("B n") + edges[below(8)]))
                    queued.push_back(e);
            else
                queued.push_back({kind, column, kind == 'U' ? below(2) * 5 : below(5)});
        }
        const Event e = queued.front();
        queued.pop_front();
        last +=
            " " + std::string(1, e.kind) + std::to_string(e.column) + "." + std::to_string(e.item);
        last.erase(0, last.size() > 120 ? last.find(' ', last.size() - 120) : 0);
        const std::string problem = checker.Apply(e);
        if (!problem.empty()) {
            std::printf("FAIL seed %lu, event %ld: %s\n  last events:%s\n  replay: %s --seed %lu "
                        "--events %ld\n",
                        seed, i, problem.c_str(), last.c_str(), argv[0], seed, i);
            return 1;
        }
    }
    std::printf("checker seed %lu: %ld events, %ld presses judged by the model, %ld followed\n",
                seed, events, checker.judged, checker.followed);
}
