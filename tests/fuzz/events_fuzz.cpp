// The whole core under arbitrary event sequences: every input byte string is
// a sequence of window events, delivered through the storm, which checks the
// core against its model after each one.
#include "byte_reader.h"
#include "storm.h"

namespace {

using ctallix::fuzz::ByteReader;
using ctallix::fuzz::Fail;
using namespace ctallix::storm;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    ByteReader in(data, size);
    Storm storm;
    if (!storm.failure().empty())
        Fail(storm.failure());
    for (int count = 0; !in.empty() && count < 5000; ++count) {
        Event e;
        e.kind = static_cast<Kind>(in.range(0, 9));
        switch (e.kind) {
        case Kind::LowerPress: {
            e.column = in.range(0, 9);
            e.index = static_cast<std::int16_t>(in.range(0, 4));
            const int b = in.range(0, 2);
            e.button = b == 0   ? ctallix::kLeftButton
                       : b == 1 ? ctallix::kRightButton
                                : ctallix::kMiddleButton;
            e.shift = static_cast<std::int16_t>(in.range(0, 7));
            e.x = static_cast<float>(in.byte()) / 6;
            e.y = static_cast<float>(in.byte()) / 11;
            break;
        }
        case Kind::UpperClick:
            e.column = in.range(0, 9);
            e.index = static_cast<std::int16_t>(in.byte() & 1 ? 5 : 0);
            break;
        case Kind::Option:
            e.index = static_cast<std::int16_t>(in.range(0, 9));
            break;
        case Kind::Rail:
            e.index = static_cast<std::int16_t>(in.range(0, 1));
            break;
        case Kind::HintLabel:
            e.index = static_cast<std::int16_t>(in.range(0, 9));
            if (!storm.hintsShown())
                continue; // a hidden label cannot be clicked
            break;
        default:
            break;
        }
        if (!storm.apply(e))
            Fail(storm.failure());
    }
    return 0;
}
