#include "byte_reader.h"

#include <cstdio>
#include <cstdlib>

namespace ctallix::fuzz {

void Fail(const std::string &what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

} // namespace ctallix::fuzz
