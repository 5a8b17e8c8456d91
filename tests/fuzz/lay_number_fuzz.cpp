// LayNumber over arbitrary texts in numtext(3) and any dot: every column
// ends with a valid digit picture drawn from its character, splitdigit holds
// ten one-character entries, and nothing else changes. For texts written as
// FormatResult writes them the split itself is checked.
#include "byte_reader.h"
#include "checking_view.h"
#include "frame/form1_core.h"

#include <array>
#include <cstdint>

namespace {

using ctallix::fuzz::ByteReader;
using ctallix::fuzz::Fail;

std::string Quote(const std::string &s) {
    std::string out;
    for (const char c : s)
        out += c >= 32 && c < 127 ? std::string(1, c) : "\\" + std::to_string(c & 0xff);
    return "\"" + out + "\"";
}

// A text as FormatResult writes it: r / 10^places with exactly `places`
// decimals, at most ten digits, sometimes with a "-".
std::string ResultText(ByteReader &in, int places) {
    const int digits = in.range(1, 10);
    std::uint64_t limit = 1;
    for (int i = 0; i < digits; ++i)
        limit *= 10;
    std::string s = std::to_string(in.u64() % limit);
    if (s.size() <= static_cast<std::size_t>(places))
        s.insert(0, static_cast<std::size_t>(places) + 1 - s.size(), '0');
    if (places > 0)
        s.insert(s.size() - static_cast<std::size_t>(places), ".");
    if (in.range(0, 7) == 0 && s.size() - (places > 0 ? 1 : 0) < 10)
        s.insert(0, "-");
    return s;
}

std::string AnyText(ByteReader &in) {
    static constexpr char kAlphabet[] = {'0', '1', '4', '5', '9', '.', '.', '-', '\0', ' ', 'x'};
    std::string text = in.text(40);
    if (in.byte() & 1)
        ctallix::fuzz::Remap(text, kAlphabet);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    ByteReader in(data, size);
    const int dot = in.range(0, 9);
    const bool wellFormed = (in.byte() & 1) != 0;

    ctallix::test::CheckingView view;
    ctallix::Form1Core core(view);
    core.Form_Load();
    // Some digits on the frame before, so that a column's old look and state
    // are there to be (wrongly) kept.
    for (int i = in.range(0, 6); i > 0; --i)
        core.PicK_MouseDown(in.range(0, 9), static_cast<std::int16_t>(in.range(0, 4)),
                            in.byte() & 1 ? ctallix::kRightButton : ctallix::kLeftButton, 0, 0, 0);
    core.dot = static_cast<std::int16_t>(dot);
    const std::string text = wellFormed ? ResultText(in, dot) : AnyText(in);
    core.numtext[3] = text;

    const auto upper = core.upper;
    const auto lower = core.lower;
    const auto coltext = core.coltext;
    const auto lab1 = view.lab1;
    const std::string label2 = view.label2;
    view.slotSettings = view.captionWrites = view.beeps = 0;

    core.LayNumber();

    const std::string what = "LayNumber(" + Quote(text) + ", dot " + std::to_string(dot) + "): ";
    if (!view.misuse.empty())
        Fail(what + "asked the window for " + view.misuse);
    if (view.slotSettings != 80)
        Fail(what + std::to_string(view.slotSettings) + " slot settings, not 80");
    if (view.captionWrites != 0 || view.beeps != 0 || view.lab1 != lab1 || view.label2 != label2)
        Fail(what + "touched a label or beeped");
    if (core.upper != upper || core.lower != lower || core.coltext != coltext)
        Fail(what + "changed upper, lower or coltext");
    if (core.numtext[3] != text || core.numtext[7].size() != 10)
        Fail(what + "numtext(7) is not ten characters");
    for (int k = 0; k <= 9; ++k) {
        const std::string &c = core.splitdigit[k];
        if (c.size() != 1)
            Fail(what + "splitdigit(" + std::to_string(k) + ") is " + Quote(c));
        if (c[0] != core.numtext[7][9 - k])
            Fail(what + "splitdigit(" + std::to_string(k) + ") is not from numtext(7)");
        const int shown = view.shownDigit(k);
        const int expected = c[0] >= '0' && c[0] <= '9' ? c[0] - '0' : 0;
        if (shown != expected)
            Fail(what + "column " + std::to_string(k) + " shows " + std::to_string(shown) +
                 " for " + Quote(c));
    }

    if (wellFormed) {
        // The characters without the point, right-aligned, fill characters
        // in front.
        std::string chars;
        for (const char c : text)
            if (c != '.')
                chars += c;
        const std::string expected = std::string(10 - chars.size(), ctallix::kFillChar) + chars;
        if (core.numtext[7] != expected)
            Fail(what + "split as " + Quote(core.numtext[7]) + ", expected " + Quote(expected));
    } else if (dot == 0 && text.size() <= 10) {
        // With no decimals the text is split as it stands.
        if (core.numtext[7] != std::string(10 - text.size(), ctallix::kFillChar) + text)
            Fail(what + "split as " + Quote(core.numtext[7]));
    }
    return 0;
}
