// LayNumber: splitting a result text into the columns and drawing them.
#include "rig.h"

#include <gtest/gtest.h>

namespace ctallix::test {
namespace {

using namespace std::string_literals;

struct LayCase {
    const char *name;
    int dot;
    std::string text;
    std::string split; // splitdigit(9) .. splitdigit(0), '_' for the fill character
    std::string shown; // the digits the columns show, column 9 first
};

void PrintTo(const LayCase &c, std::ostream *os) {
    *os << c.name;
}

class Lay : public testing::TestWithParam<LayCase> {};

TEST_P(Lay, SplitsAndDraws) {
    const LayCase &c = GetParam();
    Rig rig;
    rig.enterDigits("8642");
    const auto coltext = rig.core.coltext;
    const auto upper = rig.core.upper;
    const auto lower = rig.core.lower;
    rig.chooseDot(c.dot);
    rig.core.numtext[3] = c.text;
    const int before = rig.view.slotSettings;
    rig.core.LayNumber();

    std::string split;
    for (int k = 9; k >= 0; --k) {
        ASSERT_EQ(rig.core.splitdigit[k].size(), 1u);
        const char ch = rig.core.splitdigit[k][0];
        split += ch == kFillChar ? '_' : ch;
    }
    EXPECT_EQ(split, c.split);
    EXPECT_EQ(rig.view.shownDigits(), c.shown);
    EXPECT_EQ(rig.core.numtext[7].size(), 10u);
    EXPECT_EQ(rig.view.slotSettings - before, 80); // eight settings per column
    // Laying only draws: the column state and the labels are the caller's.
    EXPECT_EQ(rig.core.coltext, coltext);
    EXPECT_EQ(rig.core.upper, upper);
    EXPECT_EQ(rig.core.lower, lower);
    EXPECT_EQ(rig.view.label2, "0");
    EXPECT_EQ(rig.core.slot, 10);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Lay,
    testing::Values(LayCase{"TwoDecimals", 2, "23.75", "______2375", "0000002375"},
                    LayCase{"SingleDigit", 0, "7", "_________7", "0000000007"},
                    LayCase{"TenDigits", 0, "1234567890", "1234567890", "1234567890"},
                    LayCase{"FractionBelowOne", 3, "0.125", "______0125", "0000000125"},
                    LayCase{"NineDecimals", 9, "0.123456789", "0123456789", "0123456789"},
                    LayCase{"Negative", 1, "-12.5", "______-125", "0000000125"},
                    LayCase{"FivesAndNines", 0, "5959", "______5959", "0000005959"},
                    // Never produced by the calculator, but must stay in bounds:
                    LayCase{"NoPointWithDecimals", 2, "7", "_______700", "0000000700"},
                    LayCase{"TooLongKeepsLastTen", 0, "123456789012", "3456789012", "3456789012"},
                    LayCase{"EmptyText", 0, "", "__________", "0000000000"},
                    LayCase{"FewerDecimalsThanDot", 3, "1.5", "______11.5", "0000001105"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Lay, WorkedCaseFillsItsScratchTexts) {
    Rig rig;
    rig.chooseDot(2);
    rig.core.numtext[3] = "23.75";
    rig.core.LayNumber();
    EXPECT_EQ(rig.core.col, 3);
    EXPECT_EQ(rig.core.numtext[5], "23");
    EXPECT_EQ(rig.core.numtext[6], "75");
    EXPECT_EQ(rig.core.numtext[7], std::string(6, kFillChar) + "2375");
    EXPECT_EQ(rig.core.pos, 6);
}

TEST(Lay, ALongTextCannotOverflowTheScratchIntegers) {
    Rig rig;
    rig.chooseDot(4);
    rig.core.numtext[3] = std::string(100000, '9') + "." + "1234";
    rig.core.LayNumber();
    EXPECT_EQ(rig.view.shownDigits(), "9999991234");
    EXPECT_EQ(rig.core.pos, 0);
    EXPECT_EQ(rig.core.col, 32767);
}

TEST(Lay, EarlierLookHasNoInfluence) {
    Rig a;
    Rig b;
    b.enterDigits("9999999999");
    for (Rig *rig : {&a, &b}) {
        rig->chooseDot(0);
        rig->core.numtext[3] = "305";
        rig->core.LayNumber();
    }
    EXPECT_EQ(a.view.lower, b.view.lower);
    EXPECT_EQ(a.view.upper, b.view.upper);
}

} // namespace
} // namespace ctallix::test
