// The operation buttons: first and chained presses of multiply and divide,
// equals in both modes, every refusal with its beeps, and the column state
// after a laid result.
#include "rig.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace ctallix::test {
namespace {

using namespace std::string_literals;

const std::string kFill(1, kFillChar);

void ExpectCleared(const Rig &rig) {
    EXPECT_EQ(rig.view.shownDigits(), "0000000000");
    EXPECT_EQ(rig.view.label2, "0");
    EXPECT_EQ(rig.core.firstnum, kFalse);
    EXPECT_EQ(rig.core.digit, 0);
    EXPECT_EQ(rig.core.dot, 0);
    EXPECT_EQ(rig.view.selected, 0);
    for (const auto &t : rig.core.coltext)
        EXPECT_EQ(t, "0");
}

TEST(WorkedRoad, TwelveTimesThree) {
    Rig rig;
    rig.core.PicK_MouseDown(0, 2, kLeftButton, 0, 0, 0);
    rig.core.PicK_MouseDown(1, 1, kLeftButton, 0, 0, 0);
    EXPECT_EQ(rig.core.coltext[1], "1");
    EXPECT_EQ(rig.core.coltext[0], "2");

    rig.core.Command1_Click();
    EXPECT_EQ(rig.core.digit, 12);
    EXPECT_EQ(rig.core.numtext[1], "0000000012.");
    EXPECT_EQ(rig.view.label2, "12");
    EXPECT_EQ(rig.view.shownDigits(), "0000000000");
    EXPECT_EQ(rig.core.firstnum, kTrue);
    EXPECT_EQ(rig.core.num2, 0);

    rig.core.PicK_MouseDown(0, 3, kLeftButton, 0, 0, 0);
    rig.core.Command3_Click();
    EXPECT_EQ(rig.core.digit1, 3);
    EXPECT_EQ(rig.core.digit, 36);
    EXPECT_EQ(rig.core.numtext[3], "36");
    EXPECT_EQ(rig.view.shownDigits(), "0000000036");
    EXPECT_EQ(rig.view.label2, "");
    EXPECT_EQ(rig.view.lab1[0], "6");
    EXPECT_EQ(rig.view.lab1[1], "3");
    for (int k = 2; k <= 9; ++k) {
        EXPECT_EQ(rig.view.lab1[k], kFill);
        EXPECT_EQ(rig.core.splitdigit[k], kFill);
    }
    EXPECT_EQ(rig.core.firstnum, kTrue);
    EXPECT_EQ(rig.view.beeps, 0);
}

// After a laid result the frame reads what it shows, and bead clicks work
// from the drawn digits.
TEST(LaidResult, ColumnStateFollowsTheBeads) {
    Rig rig;
    rig.calculate("12", &Form1Core::Command1_Click, "3");
    for (int k = 0; k <= 9; ++k) {
        const int d = rig.view.shownDigit(k);
        EXPECT_EQ(rig.core.coltext[k], std::string(1, static_cast<char>('0' + d)));
        EXPECT_EQ(rig.core.upper[k] + rig.core.lower[k], d);
    }
    EXPECT_EQ(rig.core.ReadFrame(2), 36);
}

TEST(LaidResult, ChainedMultiplyAndDivideUseTheShownResult) {
    Rig times;
    times.calculate("12", &Form1Core::Command1_Click, "3");
    times.core.Command1_Click(); // 36 x 36
    EXPECT_EQ(times.view.label2, "1296");
    EXPECT_EQ(times.view.beeps, 0);

    Rig by;
    by.calculate("12", &Form1Core::Command1_Click, "3");
    by.core.Command2_Click(); // 36 / 36
    EXPECT_EQ(by.view.label2, "1");
    EXPECT_EQ(by.view.beeps, 0);
}

TEST(LaidResult, LowerPressOnAnEightGivesSix) {
    Rig rig;
    rig.calculate("4", &Form1Core::Command1_Click, "2"); // lays 8
    ASSERT_EQ(rig.view.shownDigit(0), 8);
    rig.core.PicK_MouseDown(0, 1, kLeftButton, 0, 0, 0);
    EXPECT_EQ(rig.view.shownDigit(0), 6);
    EXPECT_EQ(rig.core.coltext[0], "6");
}

TEST(LaidResult, TenDigitResultFillsEveryLabelAndReadsBack) {
    Rig rig;
    rig.calculate("99999", &Form1Core::Command1_Click, "100001"); // 9999999999
    EXPECT_EQ(rig.view.shownDigits(), "9999999999");
    for (int k = 0; k <= 9; ++k)
        EXPECT_EQ(rig.view.lab1[k], "9");
    EXPECT_EQ(rig.core.ReadFrame(2), 9999999999.0);
}

TEST(FirstPress, TakesTheFrameAndShowsItsPlainText) {
    Rig rig;
    rig.enterDigits("1250");
    rig.chooseDot(2);
    rig.core.Command2_Click();
    EXPECT_EQ(rig.core.digit, 12.5);
    EXPECT_EQ(rig.view.label2, "12.5");
    EXPECT_EQ(rig.core.num2, 1);
    EXPECT_EQ(rig.view.shownDigits(), "0000000000");
    for (const auto &t : rig.core.coltext)
        EXPECT_EQ(t, "0");

    Rig zero;
    zero.core.Command1_Click();
    EXPECT_EQ(zero.view.label2, "0");
    EXPECT_EQ(zero.core.firstnum, kTrue);

    Rig tiny;
    tiny.enterDigit(0, 1);
    tiny.chooseDot(9);
    tiny.core.Command1_Click();
    EXPECT_EQ(tiny.view.label2, "0.000000001");
}

TEST(ChainedPress, UsesThePressedButtonsOwnOperation) {
    // 8 / 2 x 3 = : the multiply press makes 16, equals multiplies by 3.
    Rig rig;
    rig.enterDigits("8");
    rig.core.Command2_Click();
    rig.enterDigits("2");
    rig.core.Command1_Click();
    EXPECT_EQ(rig.view.label2, "16");
    EXPECT_EQ(rig.core.digit, 16);
    rig.enterDigits("3");
    rig.core.Command3_Click();
    EXPECT_EQ(rig.view.shownDigits(), "0000000048");

    // 8 x 2 / 3 = : the divide press makes 4, equals divides by 3.
    Rig div;
    div.enterDigits("8");
    div.core.Command1_Click();
    div.enterDigits("2");
    div.core.Command2_Click();
    EXPECT_EQ(div.view.label2, "4");
    div.chooseDot(2);
    div.enterDigits("300");
    div.core.Command3_Click();
    EXPECT_EQ(div.view.shownDigits(), "0000000133"); // 1.33
    EXPECT_EQ(div.view.beeps, 0);
}

TEST(ChainedPress, FormatsWithTheDotInForce) {
    Rig rig;
    rig.enterDigits("2");
    rig.core.Command1_Click();
    rig.chooseDot(2);
    rig.enterDigits("300");
    rig.core.Command1_Click();
    EXPECT_EQ(rig.view.label2, "6.00");
    EXPECT_EQ(rig.core.numtext[3], "6.00");
    rig.core.Command1_Click(); // frame at 0: the running result becomes 0
    EXPECT_EQ(rig.view.label2, "0.00");
    EXPECT_EQ(rig.view.beeps, 0);
}

TEST(ChainedPress, AcceptsExactlyTheLargestFrameValue) {
    Rig rig;
    rig.enterDigits("9999999999");
    rig.core.Command1_Click();
    rig.enterDigits("1");
    rig.core.Command1_Click();
    EXPECT_EQ(rig.view.beeps, 0);
    EXPECT_EQ(rig.view.label2, "9999999999");
    rig.enterDigits("1");
    rig.core.Command3_Click();
    EXPECT_EQ(rig.view.shownDigits(), "9999999999");
}

// Every refusal sounds its beeps and leaves the cleared state; num2 keeps
// the last pressed operation.
struct RefusalCase {
    const char *name;
    std::function<void(Rig &)> steps;
    int beeps;
    int num2;
};

void PrintTo(const RefusalCase &c, std::ostream *os) {
    *os << c.name;
}

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, BeepsAndResets) {
    Rig rig;
    rig.core.Picture22_Click(1);
    GetParam().steps(rig);
    EXPECT_EQ(rig.view.beeps, GetParam().beeps);
    EXPECT_EQ(rig.core.num2, GetParam().num2);
    ExpectCleared(rig);
    EXPECT_TRUE(rig.view.lab1Visible[0]); // the reset leaves the row shown
    // The next press is a first press again.
    rig.enterDigits("7");
    rig.core.Command1_Click();
    EXPECT_EQ(rig.view.label2, "7");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Refusal,
    testing::Values(
        RefusalCase{"ChainedDivideByZero",
                    [](Rig &r) {
                        r.enterDigits("8");
                        r.core.Command1_Click();
                        r.core.Command2_Click();
                    },
                    1, 1},
        RefusalCase{"ChainedProductTooLarge",
                    [](Rig &r) {
                        r.enterDigits("100000");
                        r.core.Command1_Click();
                        r.enterDigits("100000");
                        r.core.Command1_Click();
                    },
                    1, 0},
        RefusalCase{"ChainedProductTooManyCharacters",
                    [](Rig &r) {
                        r.enterDigits("100000");
                        r.core.Command1_Click();
                        r.chooseDot(2);
                        r.enterDigits("100000000"); // 1000000.00
                        r.core.Command1_Click();    // 100000000000.00
                    },
                    1, 0},
        RefusalCase{"ChainedDotRaisedTooLong",
                    [](Rig &r) {
                        r.enterDigits("123456789");
                        r.core.Command1_Click();
                        r.chooseDot(3);
                        r.enterDigits("1000"); // 1.000 -> 123456789.000
                        r.core.Command2_Click();
                    },
                    1, 1},
        RefusalCase{"EqualsDivideByZeroBeepsTwice",
                    [](Rig &r) {
                        r.enterDigits("8");
                        r.core.Command2_Click();
                        r.core.Command3_Click();
                    },
                    2, 1},
        RefusalCase{"EqualsProductTooLargeBeepsOnce",
                    [](Rig &r) { r.calculate("100000", &Form1Core::Command1_Click, "100000"); }, 1,
                    0},
        RefusalCase{"EqualsProductAboveFrameMax",
                    [](Rig &r) { r.calculate("5000000000", &Form1Core::Command1_Click, "2"); }, 1,
                    0},
        RefusalCase{"EqualsQuotientTooLong",
                    [](Rig &r) {
                        r.enterDigits("9999999");
                        r.core.Command2_Click();
                        r.chooseDot(4);
                        r.enterDigits("1"); // 0.0001 -> 99999990000.0000
                        r.core.Command3_Click();
                    },
                    1, 1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Equals, WithoutOperationMultipliesByTheRunningZero) {
    Rig rig;
    rig.chooseDot(2);
    rig.enterDigits("12345");
    rig.core.Command3_Click();
    EXPECT_EQ(rig.view.shownDigits(), "0000000000");
    EXPECT_EQ(rig.view.lab1[0], "0");
    EXPECT_EQ(rig.view.lab1[2], "0");
    EXPECT_EQ(rig.view.lab1[3], kFill);
    EXPECT_EQ(rig.core.splitdigit[9], kFill);
    EXPECT_EQ(rig.core.coltext[9], "0"); // drawn as 0, so it reads as 0
    EXPECT_EQ(rig.view.label2, "");
    EXPECT_EQ(rig.view.beeps, 0);
}

TEST(Equals, OneEighthWithTwoDecimals) {
    Rig rig;
    rig.enterDigits("1");
    rig.core.Command2_Click();
    rig.chooseDot(2);
    rig.enterDigits("800");
    rig.core.Command3_Click();
    EXPECT_EQ(rig.core.numtext[3], "0.13");
    EXPECT_EQ(rig.view.shownDigits(), "0000000013");
    EXPECT_EQ(rig.view.lab1[2], "0");
    EXPECT_EQ(rig.view.lab1[1], "1");
    EXPECT_EQ(rig.view.lab1[0], "3");
}

TEST(Equals, SecondEqualsRepeatsTheOperationOnTheShownResult) {
    Rig rig;
    rig.calculate("2", &Form1Core::Command1_Click, "3"); // 6, frame shows 6
    rig.core.Command3_Click();                           // 6 x 6
    EXPECT_EQ(rig.view.shownDigits(), "0000000036");

    Rig div;
    div.calculate("8", &Form1Core::Command2_Click, "2"); // 4, frame shows 4
    div.core.Command3_Click();                           // 4 / 4
    EXPECT_EQ(div.view.shownDigits(), "0000000001");
    EXPECT_EQ(div.view.beeps, 0);
}

TEST(Equals, NoPointIsLeftInTheColumnTexts) {
    for (int dot = 0; dot <= 9; ++dot) {
        for (auto press :
             {&Form1Core::Command1_Click, &Form1Core::Command2_Click, &Form1Core::Command3_Click}) {
            Rig rig;
            rig.enterDigits("5");
            rig.core.Command1_Click();
            rig.chooseDot(dot);
            rig.enterDigits("37");
            (rig.core.*press)();
            for (const auto &t : rig.core.coltext) {
                ASSERT_EQ(t.size(), 1u);
                EXPECT_NE(t, ".");
            }
        }
    }
}

} // namespace
} // namespace ctallix::test
