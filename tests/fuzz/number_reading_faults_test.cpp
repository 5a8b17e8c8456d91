// Faults of the number reader found by fuzzing ReadFrame, kept as tests.
// Neither can be reached from the window, whose column texts hold only a
// digit, the fill character or a digit and the point; both break the
// reader's own rule: blanks, tabs and line feeds are skipped, reading stops
// at any other character that cannot continue the number, and the value is
// the double nearest to the decimal number read.
#include "calc/number_text.h"
#include "checking_view.h"
#include "frame/form1_core.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace ctallix {
namespace {

// Column texts as the fuzzer gave them (column 9 first), read with dot 0.
double Read(const std::array<std::string, 10> &columns) {
    test::CheckingView view;
    Form1Core core(view);
    for (int k = 0; k <= 9; ++k)
        core.coltext[k] = columns[9 - k];
    return core.ReadFrame(1);
}

// Input fuzz/corpus/read_frame/fault-carriage-return.
TEST(NumberReadingFaults, CarriageReturnEndsTheNumber) {
    EXPECT_EQ(ParseNumberText("1\r2"), 1.0);
    EXPECT_EQ(ParseNumberText("\r5"), 0.0);
    EXPECT_EQ(Read({"", "", "", "", "", "", "", "", "", "1\r2"}), 1.0);
    // The three characters that are skipped.
    EXPECT_EQ(ParseNumberText(" 1\t2\n3"), 123.0);
}

// Input fuzz/corpus/read_frame/fault-below-smallest-double: 1e-383 is read
// as infinity instead of 0.
TEST(NumberReadingFaults, NumberBelowTheSmallestDoubleReadsAsZero) {
    const std::string zeros(382, '0');
    EXPECT_EQ(ParseNumberText("0." + zeros + "1"), 0.0);
    EXPECT_EQ(ParseNumberText("0." + std::string(330, '0') + "1"), 0.0);
    EXPECT_EQ(Read({"0." + zeros + "1", "", "", "", "", "", "", "", "", ""}), 0.0);
    // A subnormal value is still read as its nearest double, and a number
    // past the largest double as infinity.
    EXPECT_EQ(ParseNumberText("0." + std::string(320, '0') + "1"), 1e-321);
    EXPECT_EQ(ParseNumberText("1" + std::string(400, '0')), HUGE_VAL);
}

} // namespace
} // namespace ctallix
