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
struct Control;
struct FormChange;

// Makes Qt build the window's accessible objects from this file. Once, after
// the QApplication and before the window.
void installAccessibility();

// Keeps what a screen reader knows of the focused control up to date as the
// focus moves from control to control. Once, for the window.
void followFocus(Form1 &form);

// Before the window handles a press (Form1::pressing): hint labels about to
// show get new accessible objects, which a client reads as visible.
void framePressing(Form1 &form, const Control &pressed);

// After the window handled a press (Form1::changed): tells a listening screen
// reader what it changed, with few events however much changed (at most 25
// a press; Orca drops events beyond 50 waiting): the pressed column's slots
// and marker, the beam and the display line say their change, the other
// slots and markers that changed are renewed, and last the press is put in
// words and announced. Costs nothing while none listens.
void frameChanged(Form1 &form, const FormChange &change);

} // namespace ctallix
