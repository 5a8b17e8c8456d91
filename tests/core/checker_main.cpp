// Seeded random events into the checker: core_checker --seed N --events M.
// Numbers are entered around the decimal column, operations and equals come
// often, and now and then a number at the frame's edges (all nines, 1, powers
// of ten, halves) is entered whole, so that refusals, ties and the largest
// value are met. A failure prints the event, the ones before it and the
// command that replays the run.
#include "checker.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <random>

using namespace ctallix::test;

namespace {

struct Source {
    explicit Source(unsigned long seed) : rng(seed) {}
    int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

    Event next(const Checker &c) {
        if (!queued.empty()) {
            const Event e = queued.front();
            queued.pop_front();
            return e;
        }
        const int column = std::min(9, below(c.dot() + 4));
        const int r = below(40);
        if (r < 8) {
            static const char *const edges[] = {"9999999999", "1",      "5",     "25", "125",
                                                "1000000000", "100000", "99999", "3",  "2"};
            switch (r) {
            case 0:
                return {'O', below(4) == 0 ? below(10) : below(4)};
            case 1:
                return {'C'};
            case 2:
                return {'B'};
            case 3:
                return {below(2) ? 'T' : 'b'};
            case 4:
                return {'H', below(10)};
            case 5:
                return {'U', column, below(2) * 5};
            }
            for (const Event &e : ParseEvents(std::string("B n") + edges[below(10)]))
                queued.push_back(e);
            return next(c);
        }
        if (r < 13)
            return {'x'};
        if (r < 17)
            return {'/'};
        if (r < 22)
            return {'='};
        return {"LRM"[below(3)], column, below(5)};
    }

    std::mt19937_64 rng;
    std::deque<Event> queued;
};

std::string Describe(const Event &e) {
    std::string s(1, e.kind);
    if (std::strchr("LRMUOH", e.kind))
        s += std::to_string(e.column);
    if (std::strchr("LRMU", e.kind))
        s += "." + std::to_string(e.item);
    return s;
}

} // namespace

int main(int argc, char **argv) {
    unsigned long seed = 1;
    long events = 100000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--seed"))
            seed = std::strtoul(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--events"))
            events = std::strtol(argv[i + 1], nullptr, 10);
    }
    Checker checker;
    Source source(seed);
    std::deque<std::string> last;
    for (long i = 1; i <= events; ++i) {
        const Event e = source.next(checker);
        last.push_back(Describe(e));
        if (last.size() > 20)
            last.pop_front();
        const std::string problem = checker.Apply(e);
        if (!problem.empty()) {
            std::string history;
            for (const auto &d : last)
                history += d + " ";
            std::printf("FAIL seed %lu, event %ld: %s\n  last events: %s\n  replay: %s --seed %lu "
                        "--events %ld\n",
                        seed, i, problem.c_str(), history.c_str(), argv[0], seed, i);
            return 1;
        }
    }
    std::printf("checker seed %lu: %ld events, %ld presses judged by the model, %ld followed\n",
                seed, events, checker.judged, checker.followed);
    return 0;
}
