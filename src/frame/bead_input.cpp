// Bead input: presses on the lower slots, clicks on the upper slots, and the
// option buttons that choose the decimal column.
#include "frame/form1_core.h"

namespace ctallix {

namespace {

// The decimal text of a column's digit: one character "0" to "9".
std::string DigitText(int d) {
    return std::string(1, static_cast<char>('0' + d));
}

} // namespace

void Form1Core::PicK_MouseDown(int K, std::int16_t Index, std::int16_t Button,
                               std::int16_t /*Shift*/, float /*X*/, float /*Y*/) {
    if (K < 0 || K > 9 || Index < 0 || Index > 4)
        return; // the window only delivers presses on its own slots
    col = static_cast<std::int16_t>(K);
    for (slot = 0; slot <= 4; ++slot)
        view_.setSlot(K, Half::Lower, slot, Picture::Bead);
    view_.setSlot(K, Half::Lower, Index, Picture::Gap);
    lower[K] = Index;
    coltext[K] = DigitText(upper[K] + lower[K]);
    // The right button also puts the upper bead against the beam, so one
    // press enters any digit from 5 to 9. Left and middle leave it alone.
    if (Button == kRightButton) {
        view_.setSlot(K, Half::Upper, 0, Picture::Bead);
        view_.setSlot(K, Half::Upper, 5, Picture::Gap);
        upper[K] = 5;
        coltext[K] = DigitText(upper[K] + lower[K]);
    }
}

void Form1Core::PicK5_Click(int K, std::int16_t Index) {
    if (K < 0 || K > 9 || (Index != 0 && Index != 5))
        return;
    // The clicked item's index is the value it sets: the bead moves next to
    // the beam for 5 and away from it for 0.
    const bool against = Index == 5;
    view_.setSlot(K, Half::Upper, 0, against ? Picture::Bead : Picture::Gap);
    view_.setSlot(K, Half::Upper, 5, against ? Picture::Gap : Picture::Bead);
    upper[K] = Index;
    coltext[K] = DigitText(lower[K] + upper[K]);
}

void Form1Core::Option1_Click(std::int16_t Index) {
    if (Index < 0 || Index > 9)
        return;
    dot = Index;
}

void Form1Core::DrawDigit(int k, int d) {
    for (int item = 0; item <= 4; ++item)
        view_.setSlot(k, Half::Lower, item, Picture::Bead);
    if (d < 5) {
        view_.setSlot(k, Half::Upper, 0, Picture::Gap);
        view_.setSlot(k, Half::Upper, 5, Picture::Bead);
        view_.setSlot(k, Half::Lower, d, Picture::Gap);
    } else {
        view_.setSlot(k, Half::Upper, 0, Picture::Bead);
        view_.setSlot(k, Half::Upper, 5, Picture::Gap);
        view_.setSlot(k, Half::Lower, d - 5, Picture::Gap);
    }
}

void Form1Core::SetColumnState(int k, int d) {
    upper[k] = static_cast<std::int16_t>(d >= 5 ? 5 : 0);
    lower[k] = static_cast<std::int16_t>(d % 5);
    coltext[k] = DigitText(d);
}

} // namespace ctallix
