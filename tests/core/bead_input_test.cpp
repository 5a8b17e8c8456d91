// Bead input: lower presses with each mouse button, upper clicks, the
// option buttons, and that every change stays inside its own column.
#include "rig.h"

#include <gtest/gtest.h>

#include <vector>

namespace ctallix::test {
namespace {

struct Event {
    enum Kind { Lower, Upper } kind;
    int item;
    std::int16_t button = kLeftButton;
};

struct BeadCase {
    const char *name;
    std::vector<Event> events; // all on column 3
    int digit;
};

void PrintTo(const BeadCase &c, std::ostream *os) {
    *os << c.name;
}

class BeadSequence : public testing::TestWithParam<BeadCase> {};

TEST_P(BeadSequence, ColumnShowsAndHoldsTheDigit) {
    Rig rig;
    for (const Event &e : GetParam().events) {
        if (e.kind == Event::Lower)
            rig.core.PicK_MouseDown(3, static_cast<std::int16_t>(e.item), e.button, 0, 1, 1);
        else
            rig.core.PicK5_Click(3, static_cast<std::int16_t>(e.item));
    }
    const int d = GetParam().digit;
    EXPECT_EQ(rig.view.shownDigit(3), d);
    EXPECT_EQ(rig.core.coltext[3], std::string(1, static_cast<char>('0' + d)));
    EXPECT_EQ(rig.core.upper[3] + rig.core.lower[3], d);
    EXPECT_EQ(rig.view.shownDigits(), std::string("000000") + static_cast<char>('0' + d) + "000");
}

INSTANTIATE_TEST_SUITE_P(
    Presses, BeadSequence,
    testing::Values(
        BeadCase{"LeftOnItem0KeepsZero", {{Event::Lower, 0}}, 0},
        BeadCase{"LeftOnItem3", {{Event::Lower, 3}}, 3},
        BeadCase{"RightOnItem0EntersFive", {{Event::Lower, 0, kRightButton}}, 5},
        BeadCase{"RightOnItem4EntersNine", {{Event::Lower, 4, kRightButton}}, 9},
        BeadCase{"LeftKeepsUpperBead", {{Event::Lower, 4, kRightButton}, {Event::Lower, 2}}, 7},
        BeadCase{"MiddleActsLikeLeft",
                 {{Event::Lower, 4, kRightButton}, {Event::Lower, 1, kMiddleButton}},
                 6},
        BeadCase{"MiddleAloneNeverLiftsUpper", {{Event::Lower, 2, kMiddleButton}}, 2},
        BeadCase{"SameItemTwice", {{Event::Lower, 2}, {Event::Lower, 2}}, 2},
        BeadCase{"UpperFiveOnThree", {{Event::Lower, 3}, {Event::Upper, 5}}, 8},
        BeadCase{
            "UpperZeroTakesItBack", {{Event::Lower, 3}, {Event::Upper, 5}, {Event::Upper, 0}}, 3},
        BeadCase{"UpperZeroOnZero", {{Event::Upper, 0}}, 0},
        BeadCase{"UpperFiveTwice", {{Event::Upper, 5}, {Event::Upper, 5}}, 5},
        BeadCase{"RightThenUpperZero", {{Event::Lower, 2, kRightButton}, {Event::Upper, 0}}, 2}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BeadInput, EveryColumnAndItemWorksAndTouchesNoOtherColumn) {
    for (int k = 0; k <= 9; ++k) {
        for (int item = 0; item <= 4; ++item) {
            for (std::int16_t button : {kLeftButton, kRightButton}) {
                Rig rig;
                rig.enterDigits("9876543210");
                const auto before = rig.view.shownDigits();
                const auto texts = rig.core.coltext;
                rig.core.PicK5_Click(k, 0);
                rig.core.PicK_MouseDown(k, item, button, 0, 0, 0);
                const int d = item + (button == kRightButton ? 5 : 0);
                std::string expected = before;
                expected[9 - k] = static_cast<char>('0' + d);
                EXPECT_EQ(rig.view.shownDigits(), expected) << "column " << k;
                for (int j = 0; j <= 9; ++j) {
                    if (j != k) {
                        EXPECT_EQ(rig.core.coltext[j], texts[j]);
                    }
                }
            }
        }
    }
}

TEST(BeadInput, OutOfRangeArgumentsAreIgnored) {
    Rig rig;
    rig.enterDigits("123");
    const auto before = rig.view.shownDigits();
    rig.core.PicK_MouseDown(10, 0, kLeftButton, 0, 0, 0);
    rig.core.PicK_MouseDown(-1, 0, kLeftButton, 0, 0, 0);
    rig.core.PicK_MouseDown(0, 5, kLeftButton, 0, 0, 0);
    rig.core.PicK5_Click(0, 3);
    rig.core.PicK5_Click(12, 5);
    rig.core.Option1_Click(10);
    rig.core.Option1_Click(-1);
    EXPECT_EQ(rig.view.shownDigits(), before);
    EXPECT_EQ(rig.core.dot, 0);
}

TEST(Option1, ChoosesDotAndChangesNothingElse) {
    Rig rig;
    rig.enterDigits("4321");
    const auto shown = rig.view.shownDigits();
    rig.chooseDot(3);
    EXPECT_EQ(rig.core.dot, 3);
    rig.chooseDot(0);
    EXPECT_EQ(rig.core.dot, 0);
    EXPECT_EQ(rig.view.shownDigits(), shown);
    EXPECT_EQ(rig.core.coltext[0], "1");
    EXPECT_EQ(rig.view.label2, "0");
}

} // namespace
} // namespace ctallix::test
