// The operation buttons: multiply (Command1), divide (Command2) and equals
// (Command3).
#include "calc/number_text.h"
#include "frame/form1_core.h"

namespace ctallix {

namespace {

constexpr std::int16_t kMultiply = 0;
constexpr std::int16_t kDivide = 1;

// The frame holds a result whose text has at most ten digits and the point,
// and whose value does not exceed ten columns of 9. NaN fails the test.
bool Fits(const std::string &text, double value) {
    return text.size() <= 11 && value <= kFrameMax;
}

} // namespace

void Form1Core::Command1_Click() {
    OperationPress(kMultiply);
}

void Form1Core::Command2_Click() {
    OperationPress(kDivide);
}

void Form1Core::OperationPress(std::int16_t operation) {
    // The pressed operation is recorded first and survives a refusal.
    num2 = operation;

    if (firstnum == kFalse) {
        // First press: the frame's number becomes the first operand.
        digit = ReadFrame(1);
        Frame1_Click();
        view_.setCaption(Caption::Label2, 0, PlainText(digit));
        firstnum = kTrue;
        return;
    }

    // Chained press: the pressed button's own operation combines the
    // running result with the frame's number.
    digit1 = ReadFrame(2);
    if (operation == kMultiply) {
        digit = SnapToShortDecimal(digit1 * digit);
    } else {
        if (digit1 == 0) {
            Refuse();
            return;
        }
        digit = SnapToShortDecimal(digit / digit1);
    }
    numtext[3] = FormatResult(digit);
    if (!Fits(numtext[3], digit)) {
        Refuse();
        return;
    }
    Frame1_Click();
    view_.setCaption(Caption::Label2, 0, numtext[3]);
}

void Form1Core::Command3_Click() {
    if (num2 == kMultiply) {
        digit1 = ReadFrame(2);
        digit = SnapToShortDecimal(digit1 * digit);
        numtext[3] = FormatResult(digit);
        if (Fits(numtext[3], digit))
            LayResult();
        else
            Refuse(); // a refused product beeps like every other refusal
        return;
    }

    digit1 = ReadFrame(2);
    if (digit1 == 0) {
        Refuse();
    } else {
        digit = SnapToShortDecimal(digit / digit1);
        numtext[3] = FormatResult(digit);
    }
    // After a zero operand the reset left digit1 at 0, so this refuses (and
    // beeps) a second time.
    if (digit1 != 0 && numtext[3].size() <= 11)
        LayResult();
    else
        Refuse();
}

void Form1Core::LayResult() {
    LayNumber();
    for (slot = 0; slot <= 9; ++slot) {
        view_.setCaption(Caption::Lab1, slot, splitdigit[slot]);
        // The column state follows the beads: a column drawn as 0 because it
        // holds the fill character (or a sign) reads as 0, so the frame reads
        // back as the result and a bead click works from the drawn digit.
        SetColumnState(slot, DrawnDigit(splitdigit[slot]));
    }
    view_.setCaption(Caption::Label2, 0, "");
}

void Form1Core::Refuse() {
    view_.beep();
    Command4_Click();
}

} // namespace ctallix
