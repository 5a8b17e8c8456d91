// What a screen reader (Orca, through AT-SPI) gets of the window.
//
// Every bead slot says whether it holds a bead or the gap, and the slot with
// the gap is the checked one of its half of the column (the gap's item is
// the value that half holds). The decimal markers on the beam read the
// columns' digits, one marker a column, and the beam reads the frame's
// number with its decimal point. A laid result is announced wherever the
// user is. Actions act at once, in order, as the mouse does; hit-testing
// finds the control a click would reach; the hidden picture holders are
// left out; the heading is a heading and the display line has text.
#pragma once

#include <vector>

namespace ctallix {

class Form1;
class PictureBox;

// Makes Qt build the window's accessible objects from this file. Once, after
// the QApplication and before the window.
void installAccessibility();

// After the window handled an event: tells a listening screen reader what
// it changed. First the result it laid on the frame (`laidResult`), which is
// announced: a screen reader drops announcements that come behind many
// other changes. Then the bead slots whose pictures changed, the markers'
// and the beam's names and the display line's text. Costs nothing while
// none listens.
void frameChanged(Form1 &form, const std::vector<PictureBox *> &changedSlots, bool laidResult);

} // namespace ctallix
