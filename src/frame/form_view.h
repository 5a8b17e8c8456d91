// The narrow interface between the calculator core and the window.
//
// The core never touches a widget: it asks the window to show a picture in a
// bead slot, to change a caption, to show or hide a hint label, to select an
// option button, or to sound the beep. The Qt window implements this
// interface; tests implement it with plain counters and arrays.
#pragma once

#include <string>

namespace ctallix {

// The frame: ten columns (0 the units column at the right, 9 the leftmost),
// each with five lower slots, items 0..4 counted from the beam, and two upper
// slots, item 0 next to the beam and item 5 away from it.
inline constexpr int kColumns = 10;
inline constexpr int kLowerItems = 5;
inline constexpr int kUpperNear = 0;
inline constexpr int kUpperAway = 5;

// The two pictures a bead slot can show: a copy of the hidden holder Pic80
// (an empty stretch of rod) or of Pic81 (a bead on its rod).
enum class Picture { Gap, Bead };

// Which half of a column a slot belongs to. Lower slots are items 0..4 of
// Pic0..Pic9; upper slots are items 0 and 5 of Pic05..Pic85 and pic95.
enum class Half { Lower, Upper };

// The labels whose caption the core writes.
enum class Caption { Label2, Lab1 };

class FormView {
public:
    virtual ~FormView() = default;

    // Shows `picture` in bead slot `item` of `half` of column `column`
    // (column 0..9; item 0..4 for the lower half, 0 or 5 for the upper half).
    virtual void setSlot(int column, Half half, int item, Picture picture) = 0;

    // Sets the caption of Label2 (index ignored) or of Lab1(index). The text
    // is a counted string: it may hold the fill character (code 0).
    virtual void setCaption(Caption label, int index, const std::string &text) = 0;

    // Shows or hides Lab1(index).
    virtual void setHintVisible(int index, bool visible) = 0;

    // Makes Option1(index) the selected option button. Returns true when this
    // changed the selection (the core then runs the Option1 click handler,
    // just as for a click by the user).
    virtual bool selectOption(int index) = 0;

    // Sounds the default system beep.
    virtual void beep() = 0;
};

} // namespace ctallix
