// Reading the frame as a number and formatting results with dot decimals.
#include "calc/number_text.h"
#include "frame/form1_core.h"

namespace ctallix {

double Form1Core::ReadFrame(int n) {
    // The point goes right after the digit of column dot; it stays in that
    // column text until the caller overwrites all ten texts.
    coltext[dot] += '.';
    std::string text;
    for (int k = 9; k >= 0; --k)
        text += coltext[k];
    numtext[n] = text;
    return ParseNumberText(text);
}

std::string Form1Core::FormatResult(double x) const {
    return FormatFixed(x, dot);
}

} // namespace ctallix
