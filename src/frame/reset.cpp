// Start-up and the reset (the clear button, Command4).
#include "frame/form1_core.h"

namespace ctallix {

void Form1Core::Form_Load() {
    Command4_Click();
}

void Form1Core::Command4_Click() {
    DrawZeroFrame();

    // num, num1, num2 and numtext(10) are left alone: num2 keeps the last
    // chosen operation. The hint labels keep their visibility.
    for (col = 0; col <= 9; ++col) {
        coltext[col].assign(1, '0');
        numtext[col].assign(1, '0');
        splitdigit[col].assign(1, '0');
        lower[col] = 0;
        upper[col] = 0;
        digit = 0;
        digit1 = 0;
        dot = 0;
        firstnum = kFalse;
        if (view_.selectOption(0))
            Option1_Click(0);
        view_.setCaption(Caption::Lab1, col, "");
    }
    view_.setCaption(Caption::Label2, 0, "0");
}

} // namespace ctallix
