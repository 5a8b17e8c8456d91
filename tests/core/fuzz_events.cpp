// libFuzzer target: the input's bytes, two to an event, become window events
// for the checker; any difference from the model aborts.
#include "checker.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, unsigned long size) {
    ctallix::test::Checker checker;
    for (unsigned long i = 0; i + 1 < size; i += 2) {
        const char kind = "LRMUOxxx//===CBTH"[data[i] % 17];
        const int column = data[i + 1] % 10, item = data[i + 1] / 10 % 5;
        const std::string problem =
            checker.Apply({kind, column, kind == 'U' ? item % 2 * 5 : item});
        if (!problem.empty()) {
            std::fprintf(stderr, "event %lu: %s\n", i / 2 + 1, problem.c_str());
            std::abort();
        }
    }
    return 0;
}
