// Clearing the frame: a click on the beam sets every column to 0.
#include "frame/form1_core.h"

namespace ctallix {

void Form1Core::Frame1_Click() {
    DrawZeroFrame();
    for (col = 0; col <= 9; ++col) {
        coltext[col].assign(1, '0');
        lower[col] = 0;
        upper[col] = 0;
    }
}

// Every column drawn at 0: beads on lower items 1..4 and upper item 5, gaps
// next to the beam. Leaves slot at 5.
void Form1Core::DrawZeroFrame() {
    for (slot = 1; slot <= 4; ++slot) {
        for (int k = 0; k <= 9; ++k)
            view_.setSlot(k, Half::Lower, slot, Picture::Bead);
        for (int k = 0; k <= 9; ++k)
            view_.setSlot(k, Half::Upper, 5, Picture::Bead);
    }
    for (int k = 0; k <= 9; ++k)
        view_.setSlot(k, Half::Lower, 0, Picture::Gap);
    for (int k = 0; k <= 9; ++k)
        view_.setSlot(k, Half::Upper, 0, Picture::Gap);
}

} // namespace ctallix
