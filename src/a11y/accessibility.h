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

namespace ctallix {

class Form1;
struct FormChange;

// Makes Qt build the window's accessible objects from this file. Once, after
// the QApplication and before the window.
void installAccessibility();

// After the window handled an event (Form1::changed): tells a listening
// screen reader what it changed. First a result laid on the frame, which is
// announced: a screen reader drops announcements that come behind many
// other changes. Then the bead slots whose pictures changed, the markers'
// and the beam's names and the display line's text. Costs nothing while
// none listens.
void frameChanged(Form1 &form, const FormChange &change);

} // namespace ctallix
