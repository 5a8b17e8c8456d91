// Reading number texts, FormatResult's rounding and the plain text, and
// ReadFrame over the column texts.
#include "calc/number_text.h"
#include "rig.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace ctallix::test {
namespace {

using namespace std::string_literals;

struct ParseCase {
    std::string text;
    double value;
};

void PrintTo(const ParseCase &c, std::ostream *os) {
    *os << testing::PrintToString(c.text);
}

class Parse : public testing::TestWithParam<ParseCase> {};

TEST_P(Parse, ReadsTheLeadingNumber) {
    EXPECT_EQ(ParseNumberText(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Parse,
    testing::Values(ParseCase{"0000000000.", 0}, ParseCase{"9999999999.", 9999999999.0},
                    ParseCase{"0.000000001", 0.000000001}, ParseCase{"00000123.45", 123.45},
                    ParseCase{"0000000001.", 1},
                    // reading stops at a second point or any non-digit
                    ParseCase{"12.3.4", 12.3}, ParseCase{"12..5", 12},
                    ParseCase{"\0\0\0\0\0\0\0\0367."s, 0}, ParseCase{"4\0\0\0\0\0\0\0036."s, 4},
                    ParseCase{"-5", 0}, ParseCase{"1e5", 1}, ParseCase{"", 0}, ParseCase{".", 0},
                    ParseCase{".5", 0.5},
                    // blanks, tabs and line feeds are skipped wherever they stand
                    ParseCase{" 1\t2\n3", 123}, ParseCase{"1,5", 1}));

struct FormatCase {
    double value;
    int places;
    const char *text;
};

void PrintTo(const FormatCase &c, std::ostream *os) {
    *os << c.value << " with " << c.places;
}

class Format : public testing::TestWithParam<FormatCase> {};

TEST_P(Format, RoundsHalfAwayFromZeroOnTheDecimalValue) {
    EXPECT_EQ(FormatFixed(GetParam().value, GetParam().places), GetParam().text)
        << GetParam().value << " with " << GetParam().places;
}

INSTANTIATE_TEST_SUITE_P(
    Values, Format,
    testing::Values(
        FormatCase{12.5, 3, "12.500"}, FormatCase{7.6, 0, "8"}, FormatCase{0.125, 1, "0.1"},
        FormatCase{0.125, 2, "0.13"}, FormatCase{1.005, 2, "1.01"}, FormatCase{2.675, 2, "2.68"},
        FormatCase{0.5, 0, "1"}, FormatCase{1.5, 0, "2"}, FormatCase{2.5, 0, "3"},
        FormatCase{0.45, 1, "0.5"}, FormatCase{0.4499999, 1, "0.4"}, FormatCase{0, 3, "0.000"},
        FormatCase{0, 0, "0"}, FormatCase{-0.0, 2, "0.00"}, FormatCase{0.5, 2, "0.50"},
        FormatCase{9.995, 2, "10.00"}, FormatCase{99999.99999, 4, "100000.0000"},
        FormatCase{9999999999, 0, "9999999999"}, FormatCase{9999999999.5, 0, "10000000000"},
        FormatCase{1e21, 0, "1000000000000000000000"}, FormatCase{0.000000001, 9, "0.000000001"},
        FormatCase{0.0000000005, 9, "0.000000001"}, FormatCase{0.00000000049, 9, "0.000000000"},
        FormatCase{1.0 / 3.0, 9, "0.333333333"}, FormatCase{2.0 / 3.0, 0, "1"},
        FormatCase{-12.5, 1, "-12.5"}, FormatCase{-0.004, 2, "0.00"},
        FormatCase{std::numeric_limits<double>::infinity(), 2, "inf"},
        FormatCase{std::nan(""), 0, "nan"}));

TEST(Format, HugeAndTinyValuesDoNotOverflowTheBuffer) {
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::max(), 9).size(), 309u + 10u);
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::denorm_min(), 9), "0.000000000");
}

struct PlainCase {
    double value;
    const char *text;
};

void PrintTo(const PlainCase &c, std::ostream *os) {
    *os << c.value;
}

class Plain : public testing::TestWithParam<PlainCase> {};

TEST_P(Plain, FixedNotationWithoutTrailingZeros) {
    EXPECT_EQ(PlainText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Plain,
    testing::Values(PlainCase{0.000000001, "0.000000001"}, PlainCase{12.5, "12.5"},
                    PlainCase{7, "7"}, PlainCase{9999999999.0, "9999999999"}, PlainCase{0, "0"},
                    PlainCase{-0.0, "0"}, PlainCase{0.1, "0.1"}, PlainCase{123.45, "123.45"},
                    PlainCase{0.0001234, "0.0001234"}, PlainCase{1234567.891, "1234567.891"}));

TEST(SnapToShortDecimal, RecoversShortDecimalsFromBinaryNoise) {
    EXPECT_EQ(SnapToShortDecimal(0.1 * 3), 0.3);
    EXPECT_EQ(SnapToShortDecimal(1.1 * 1.1), 1.21);
    EXPECT_EQ(SnapToShortDecimal(0.201 * 5), 1.005);
    EXPECT_EQ(SnapToShortDecimal(0.7 / 0.1), 7);
    EXPECT_EQ(SnapToShortDecimal(0), 0);
    EXPECT_TRUE(std::isinf(SnapToShortDecimal(HUGE_VAL)));
}

TEST(SnapToShortDecimal, LeavesResultsThatAreNoShortDecimalAlone) {
    for (double x : {1.0 / 3.0, 2.0 / 7.0, 9999999999.0 / 7.0, 1e-9 / 3.0}) {
        EXPECT_EQ(SnapToShortDecimal(x), x) << x;
    }
}

TEST(ReadFrame, JoinsColumnsWithThePointAfterColumnDot) {
    Rig rig;
    rig.enterDigits("12345");
    rig.chooseDot(2);
    EXPECT_EQ(rig.core.ReadFrame(1), 123.45);
    EXPECT_EQ(rig.core.numtext[1], "00000123.45");
    EXPECT_EQ(rig.core.coltext[2], "3.");
    EXPECT_EQ(rig.core.coltext[3], "2");
    EXPECT_EQ(rig.core.coltext[1], "4");
}

TEST(ReadFrame, Boundaries) {
    Rig rig;
    EXPECT_EQ(rig.core.ReadFrame(2), 0);
    EXPECT_EQ(rig.core.numtext[2], "0000000000.");

    Rig nines;
    nines.enterDigits("9999999999");
    EXPECT_EQ(nines.core.ReadFrame(1), 9999999999.0);

    Rig smallest;
    smallest.enterDigit(0, 1);
    smallest.chooseDot(9);
    EXPECT_EQ(smallest.core.ReadFrame(2), 0.000000001);
    EXPECT_EQ(smallest.core.numtext[2], "0.000000001");
}

TEST(ReadFrame, StopsAtAStrayPointOrFillCharacter) {
    Rig rig;
    rig.enterDigits("1234567890");
    rig.chooseDot(3);
    rig.core.coltext[5] = "5.";
    EXPECT_EQ(rig.core.ReadFrame(1), 12345.67); // the second point ends the read
    EXPECT_EQ(rig.core.numtext[1], "12345.67.890");
    rig.core.coltext[5] = "5";
    rig.core.coltext[0] = "0";
    rig.core.coltext[9] = std::string(1, kFillChar);
    EXPECT_EQ(rig.core.ReadFrame(1), 0);
}

TEST(ReadFrame, IgnoresTheLocale) {
    // A German locale writes and reads "1,25": built here with localedef
    // into a private folder, so the test needs no generated system locale.
    const std::string folder = testing::TempDir() + "ctallix-locale";
    const std::string build = "localedef -i de_DE -f UTF-8 " + folder + "/de_DE.UTF-8";
    ASSERT_EQ(std::system(("mkdir -p " + folder + " && " + build).c_str()), 0) << build;
    setenv("LOCPATH", folder.c_str(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    Rig rig;
    rig.enterDigits("125");
    rig.chooseDot(2);
    EXPECT_EQ(rig.core.ReadFrame(1), 1.25);
    EXPECT_EQ(rig.core.FormatResult(1.25), "1.25");
    EXPECT_EQ(PlainText(1.25), "1.25");
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
}

} // namespace
} // namespace ctallix::test
