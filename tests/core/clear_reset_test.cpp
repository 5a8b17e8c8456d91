// Clearing by the beam, the reset, and the hint labels.
#include "rig.h"

#include <gtest/gtest.h>

namespace ctallix::test {
namespace {

void ExpectClearedFrame(const Rig &rig) {
    EXPECT_EQ(rig.view.shownDigits(), "0000000000");
    for (int k = 0; k <= 9; ++k) {
        EXPECT_EQ(rig.core.coltext[k], "0");
        EXPECT_EQ(rig.core.upper[k], 0);
        EXPECT_EQ(rig.core.lower[k], 0);
    }
}

TEST(StartUp, LoadShowsTheClearedState) {
    Rig rig;
    ExpectClearedFrame(rig);
    for (int k = 0; k <= 9; ++k) {
        EXPECT_EQ(rig.core.splitdigit[k], "0");
        EXPECT_EQ(rig.core.numtext[k], "0");
        EXPECT_EQ(rig.view.lab1[k], "");
        EXPECT_FALSE(rig.view.lab1Visible[k]);
    }
    EXPECT_EQ(rig.core.numtext[10], "");
    EXPECT_EQ(rig.view.label2, "0");
    EXPECT_EQ(rig.view.selected, 0);
    EXPECT_EQ(rig.core.firstnum, kFalse);
    EXPECT_EQ(rig.core.num2, 0);
    EXPECT_EQ(rig.view.beeps, 0);
}

TEST(Frame1, ClearsBeadsAndTextsButKeepsTheCalculation) {
    Rig rig;
    rig.enterDigits("8");
    rig.core.Command2_Click(); // first operand 8, divide pending
    rig.chooseDot(2);
    rig.enterDigit(2, 7);
    rig.enterDigit(0, 3);
    rig.core.Frame1_Click();
    ExpectClearedFrame(rig);
    EXPECT_EQ(rig.core.firstnum, kTrue);
    EXPECT_EQ(rig.core.digit, 8);
    EXPECT_EQ(rig.core.num2, 1);
    EXPECT_EQ(rig.core.dot, 2);
    EXPECT_EQ(rig.view.label2, "8");
    EXPECT_EQ(rig.core.slot, 5);
    EXPECT_EQ(rig.core.col, 10);
}

TEST(Frame1, AfterALaidResultKeepsHintsAndSplitDigits) {
    Rig rig;
    rig.calculate("12", &Form1Core::Command1_Click, "3");
    rig.core.Frame1_Click();
    ExpectClearedFrame(rig);
    EXPECT_EQ(rig.view.lab1[0], "6");
    EXPECT_EQ(rig.core.splitdigit[1], "3");
}

TEST(Reset, AfterAResultClearsEverythingButNum2AndHintVisibility) {
    Rig rig;
    rig.enterDigits("8");
    rig.core.Command2_Click();
    rig.chooseDot(3);
    rig.enterDigits("2000");
    rig.core.Command3_Click(); // 8 / 2.000 = 4.000
    ASSERT_EQ(rig.view.shownDigits(), "0000004000");
    rig.core.Picture22_Click(0);
    rig.core.Command4_Click();
    ExpectClearedFrame(rig);
    EXPECT_EQ(rig.core.dot, 0);
    EXPECT_EQ(rig.view.selected, 0);
    EXPECT_EQ(rig.core.firstnum, kFalse);
    EXPECT_EQ(rig.core.digit, 0);
    EXPECT_EQ(rig.core.digit1, 0);
    EXPECT_EQ(rig.core.num2, 1);
    EXPECT_EQ(rig.view.label2, "0");
    for (int k = 0; k <= 9; ++k) {
        EXPECT_TRUE(rig.view.lab1Visible[k]);
        EXPECT_EQ(rig.view.lab1[k], "");
        EXPECT_EQ(rig.core.splitdigit[k], "0");
    }
    EXPECT_EQ(rig.view.beeps, 0);
}

TEST(Reset, DiscardsAFirstOperandAndIsIdempotent) {
    Rig rig;
    rig.enterDigits("5");
    rig.core.Command1_Click();
    rig.core.Command4_Click();
    const auto lower = rig.view.lower;
    const auto upper = rig.view.upper;
    rig.core.Command4_Click();
    EXPECT_EQ(rig.view.lower, lower);
    EXPECT_EQ(rig.view.upper, upper);
    rig.enterDigits("6");
    rig.core.Command1_Click(); // a first press again
    EXPECT_EQ(rig.view.label2, "6");
    EXPECT_EQ(rig.core.digit, 6);
}

TEST(HintLabels, EitherRailShowsAnyLabelHidesCaptionsUntouched) {
    for (std::int16_t rail : {0, 1}) {
        for (std::int16_t label = 0; label <= 9; ++label) {
            Rig rig;
            rig.calculate("7", &Form1Core::Command1_Click, "1"); // 7 x 1 = 7
            const auto captions = rig.view.lab1;
            rig.core.Picture22_Click(rail);
            for (int k = 0; k <= 9; ++k)
                EXPECT_TRUE(rig.view.lab1Visible[k]);
            rig.core.Picture22_Click(rail); // shown stays shown
            rig.core.Lab1_Click(label);
            for (int k = 0; k <= 9; ++k)
                EXPECT_FALSE(rig.view.lab1Visible[k]);
            EXPECT_EQ(rig.view.lab1, captions);
            EXPECT_EQ(rig.view.label2, "");
            EXPECT_EQ(rig.core.col, 10);
        }
    }
}

} // namespace
} // namespace ctallix::test
