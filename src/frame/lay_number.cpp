// Laying a number onto the frame: the result text in numtext(3) is split into
// one character per column and every column is drawn with its digit.
#include "frame/form1_core.h"

#include <cstddef>

namespace ctallix {

void Form1Core::LayNumber() {
    const std::string &text = numtext[3];

    // Step 1: the digit text, the result's characters without the point.
    if (dot == 0) {
        numtext[7] = text;
    } else {
        const std::size_t point = text.find('.');
        if (point == std::string::npos) {
            // A text without a point is a whole number: its digits are units
            // and the decimal columns get zeros.
            col = 0;
            numtext[5] = text;
            numtext[6] = std::string(static_cast<std::size_t>(dot), '0');
        } else {
            // col is a 16-bit scratch integer: a (never produced) huge text must not
            // overflow it.
            col = static_cast<std::int16_t>(point < 32766 ? point + 1 : 32767);
            numtext[5] = text.substr(0, point);
            // The decimals are the last dot characters of the text.
            const std::size_t places = static_cast<std::size_t>(dot);
            numtext[6] = text.size() > places ? text.substr(text.size() - places) : text;
        }
        numtext[7] = numtext[5] + numtext[6];
    }

    // Step 2: fill on the left to exactly ten characters. A longer text is
    // never laid (the equals button refuses it first); should one arrive,
    // its last ten characters are kept rather than reading out of bounds.
    const std::size_t length = numtext[7].size();
    if (length <= 10) {
        pos = static_cast<std::int16_t>(10 - length);
        numtext[7].insert(0, static_cast<std::size_t>(pos), kFillChar);
    } else {
        pos = 0;
        numtext[7].erase(0, length - 10);
    }

    // Step 3: one character per column, column 0 taking the last one.
    for (slot = 0; slot <= 9; ++slot)
        splitdigit[slot] = numtext[7].substr(static_cast<std::size_t>(9 - slot), 1);

    // Step 4: draw the columns, units first. A fill character or a "-" is
    // drawn as 0.
    for (int k = 0; k <= 9; ++k) {
        num = static_cast<std::int16_t>(DrawnDigit(splitdigit[k]));
        if (num >= 5)
            num1 = static_cast<std::int16_t>(num - 5);
        DrawDigit(k, num);
    }
}

} // namespace ctallix
