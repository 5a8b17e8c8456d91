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

class QAbstractButton;

namespace ctallix {

class Form1;

// Makes Qt build the window's accessible objects from this file. Once, after
// the QApplication and before the window.
void installAccessibility();

// After the window handled an event: tells a listening screen reader which
// names the event changed. Costs nothing while none listens.
void frameChanged(Form1 &form);

// After equals laid a result on the frame: announces it.
void announceResult(Form1 &form);

// A bead slot's picture changed: its name and checked state follow.
void slotChanged(QAbstractButton *slot);

} // namespace ctallix
