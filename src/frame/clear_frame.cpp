// Clearing the frame: a click on the beam sets every column to 0.
#include "frame/form1_core.h"

namespace ctallix {

void Form1Core::Frame1_Click() {
    for (slot = 1; slot <= 4; ++slot) {
        for (int k = 0; k <= 9; ++k)
            view_.setSlot(k, Half::Lower, slot, Picture::Bead);
        for (int k = 0; k <= 9; ++k)
            view_.setSlot(k, Half::Upper, 5, Picture::Bead);
    }
    for (int k = 0; k <= 9; ++k) {
        view_.setSlot(k, Half::Lower, 0, Picture::Gap);
        view_.setSlot(k, Half::Upper, 0, Picture::Gap);
    }
    for (col = 0; col <= 9; ++col) {
        coltext[col].assign(1, '0');
        lower[col] = 0;
        upper[col] = 0;
    }
}

} // namespace ctallix
