// core_storm: runs a seeded random event storm on the calculator core.
//
//   core_storm [--seed N] [--events M] [--trace]
//
// M defaults to $CTALLIX_STORM_EVENTS, else 100000. On a failure it prints
// the event, the last events before it and the command that replays the run
// up to that event, and exits 1.
#include "storm.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool ParseCount(const char *text, unsigned long long &out) {
    if (text == nullptr || *text == '\0' || *text == '-')
        return false;
    char *end = nullptr;
    errno = 0;
    out = std::strtoull(text, &end, 10);
    return errno == 0 && *end == '\0';
}

int Usage(const char *program) {
    std::fprintf(stderr, "usage: %s [--seed N] [--events M] [--trace]\n", program);
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    using namespace ctallix::storm;

    unsigned long long seed = 1;
    unsigned long long events = 100000;
    bool trace = false;
    if (const char *env = std::getenv("CTALLIX_STORM_EVENTS"); env != nullptr && *env != '\0') {
        if (!ParseCount(env, events)) {
            std::fprintf(stderr, "CTALLIX_STORM_EVENTS is not a count: %s\n", env);
            return 2;
        }
    }
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--trace") {
            trace = true;
        } else if (arg == "--seed" && i + 1 < argc) {
            if (!ParseCount(argv[++i], seed))
                return Usage(argv[0]);
        } else if (arg == "--events" && i + 1 < argc) {
            if (!ParseCount(argv[++i], events))
                return Usage(argv[0]);
        } else {
            return Usage(argv[0]);
        }
    }

    Storm storm;
    RandomEvents source(seed);
    long ran = 0;
    bool ok = storm.failure().empty();
    while (ok && static_cast<unsigned long long>(ran) < events) {
        const Event event = source.next(storm);
        if (trace)
            std::printf("#%ld %s\n", ran + 1, Describe(event).c_str());
        ok = storm.apply(event);
        ++ran;
    }

    const Figures &f = storm.figures();
    std::printf("storm seed %llu: %ld of %llu events, %ld invariant checks\n", seed, f.events,
                events, f.checks);
    std::printf("  first presses %ld, chained accepted %ld, refused %ld; equals laid %ld, "
                "refused %ld; clears %ld; beeps %ld\n",
                f.firstPresses, f.chainedAccepted, f.chainedRefused, f.equalsLaid, f.equalsRefused,
                f.clears, f.beeps);
    std::printf("  operation presses predicted: from the exact value %ld, from the "
                "approximation %ld, not predicted %ld\n",
                f.predictedExact, f.predictedApprox, f.notPredicted);

    if (!ok) {
        std::printf("FAILED (seed %llu) at %s", seed, storm.failure().c_str());
        std::printf("replay: %s --seed %llu --events %ld\n", argv[0], seed, f.events);
        return 1;
    }
    if (static_cast<unsigned long long>(f.events) != events) {
        std::printf("FAILED: ran %ld events, %llu were asked for\n", f.events, events);
        return 1;
    }
    return 0;
}
