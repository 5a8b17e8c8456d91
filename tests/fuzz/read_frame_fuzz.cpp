// ReadFrame over arbitrary column texts (digits, the fill character, stray
// points, anything): the joined text, the point appended to column dot, and
// the value of the text up to the first character that cannot continue the
// number, computed here with the C library's strtod.
#include "byte_reader.h"
#include "calc/number_text.h"
#include "checking_view.h"
#include "frame/form1_core.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

using ctallix::fuzz::ByteReader;
using ctallix::fuzz::Fail;

// The number part of a text: blanks, tabs and line feeds skipped, digits and
// the first point kept, up to the first other character. Empty when it holds
// no digit.
std::string NumberPart(const std::string &text) {
    std::string out;
    bool point = false;
    bool digit = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n')
            continue;
        if (c >= '0' && c <= '9') {
            out += c;
            digit = true;
        } else if (c == '.' && !point) {
            out += c;
            point = true;
        } else {
            break;
        }
    }
    return digit ? out : std::string();
}

// The double nearest to the text's number (infinity past the largest).
double ValueOf(const std::string &text) {
    const std::string number = NumberPart(text);
    return number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
}

// Column texts are mostly made of the characters a frame can hold, so that
// long runs of digits, points and fill characters are common.
std::string ColumnText(ByteReader &in, bool raw) {
    static constexpr char kAlphabet[] = {'0',  '1',  '2',  '5', '9', '.', '\0', ' ',
                                         '\t', '\n', '\r', '-', '+', 'e', '7',  '0'};
    std::string text = in.text(64);
    if (!raw)
        ctallix::fuzz::Remap(text, kAlphabet);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    ByteReader in(data, size);
    const int dot = in.range(0, 9);
    const int n = in.range(1, 2);
    const bool raw = (in.byte() & 1) != 0;
    std::array<std::string, 10> texts;
    for (auto &t : texts)
        t = ColumnText(in, raw);

    ctallix::test::CheckingView view;
    ctallix::Form1Core core(view);
    core.dot = static_cast<std::int16_t>(dot);
    core.coltext = texts;
    core.numtext.fill("untouched");
    const double value = core.ReadFrame(n);

    std::string joined;
    for (int k = 9; k >= 0; --k)
        joined += texts[k] + (k == dot ? "." : "");
    if (core.numtext[n] != joined)
        Fail("numtext(" + std::to_string(n) + ") is not the joined column texts");
    for (int i = 0; i <= 10; ++i)
        if (i != n && core.numtext[i] != "untouched")
            Fail("ReadFrame wrote numtext(" + std::to_string(i) + ")");
    for (int k = 0; k <= 9; ++k)
        if (core.coltext[k] != (k == dot ? texts[k] + "." : texts[k]))
            Fail("coltext(" + std::to_string(k) + ") changed wrongly");
    if (view.slotSettings != 0 || view.captionWrites != 0 || view.beeps != 0)
        Fail("ReadFrame touched the window");

    const double expected = ValueOf(joined);
    if (!(value == expected) || std::signbit(value))
        Fail("value of \"" + NumberPart(joined) + "\" read as " + std::to_string(value) +
             ", expected " + std::to_string(expected));

    // The parser on a buffer of exactly the text's size: a read past its end
    // is caught by AddressSanitizer.
    const std::unique_ptr<char[]> exact(new char[joined.size()]);
    std::copy(joined.begin(), joined.end(), exact.get());
    if (ctallix::ParseNumberText(std::string_view(exact.get(), joined.size())) != value)
        Fail("ParseNumberText disagrees with ReadFrame");
    return 0;
}
