// The window's layout: every control of Form1, one row each, in creation
// order, which is also stacking order (the rails lie over the slots' edge
// rows, the option markers over the beam, upper item 0 over item 5).
//
// Positions and sizes are client pixels. Column k of the bead frame is 40 px
// wide at x = 11 + 40 * (9 - k): column 9 is leftmost. A picture is a file of
// the resource ":/images"; what a slot shows at start is the design-time
// picture, until the reset draws the frame.
#pragma once

#include "frame/form_view.h"
#include "window/fonts.h"

#include <QRect>

#include <array>

namespace ctallix {

enum class Kind {
    Holder,  // hidden picture that the bead slots copy (Pic80 gap, Pic81 bead)
    Lower,   // lower bead slot: reacts on the press of any mouse button
    Upper,   // upper bead slot: reacts on a click
    Rail,    // a click shows the hint labels
    Beam,    // a click clears the frame
    Option,  // option marker on the beam: where the decimal point goes
    Heading, // the heading label at the top
    Display, // the display line: the first operand, the running result
    Hint,    // hint label under a column: a click hides the hints
    Command, // image button: picture at rest, pressed picture while held down
};

// A label font, with its size in pixels (the window looks the same at every
// screen resolution).
struct Font {
    const QString *family = nullptr;
    int pixelSize = 0;
    bool bold = false;
};

inline constexpr Font kNoFont{};
inline constexpr Font kKai19{&kKaiFamily, 19, false};
inline constexpr Font kGothic16Bold{&kGothicFamily, 16, true};
inline constexpr Font kGothic21Bold{&kGothicFamily, 21, true};
// Columns 0 and 3's hints ask for the vertical-writing variant of the face;
// its stand-in is the ordinary face, so all ten look alike.
inline constexpr Font kVertical21Bold{&kGothicVerticalFamily, 21, true};

struct Control {
    const char *name;
    int index; // item index in the control array; -1 for a single control
    Kind kind;
    int column; // bead column of a slot, option or hint; -1 for the others
    int x, y, width, height;
    const char *face; // picture file, or caption (nullptr: none)
    Font font;
    bool visible;
    const char *pressedPicture = nullptr; // a command's picture while held down
};

// Form1's client area on the screen; a screen without room for it there
// leaves the place to the window manager.
inline constexpr QRect kFormGeometry{204, 152, 463, 282};

using K = Kind;

// clang-format off
inline constexpr std::array<Control, 101> kLayout{{
    // name    index kind      column   x    y    w   h  picture or caption     font              visible
    {"Pic80",     -1, K::Holder,  -1, 217,   2,  40, 23, "gap.bmp",             kNoFont,          false},
    {"Pic81",     -1, K::Holder,  -1, 176,   2,  40, 23, "bead.bmp",            kNoFont,          false},
    {"Pic0",       0, K::Lower,    0, 371, 100,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic0",       1, K::Lower,    0, 371, 123,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic0",       2, K::Lower,    0, 371, 146,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic0",       3, K::Lower,    0, 371, 169,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic0",       4, K::Lower,    0, 371, 192,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic1",       0, K::Lower,    1, 331, 100,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic1",       1, K::Lower,    1, 331, 123,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic1",       2, K::Lower,    1, 331, 146,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic1",       3, K::Lower,    1, 331, 169,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic1",       4, K::Lower,    1, 331, 192,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic2",       0, K::Lower,    2, 291, 100,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic2",       1, K::Lower,    2, 291, 123,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic2",       2, K::Lower,    2, 291, 146,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic2",       3, K::Lower,    2, 291, 169,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic2",       4, K::Lower,    2, 291, 192,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic3",       0, K::Lower,    3, 251, 100,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic3",       1, K::Lower,    3, 251, 123,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic3",       2, K::Lower,    3, 251, 146,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic3",       3, K::Lower,    3, 251, 169,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic3",       4, K::Lower,    3, 251, 192,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic4",       0, K::Lower,    4, 211, 100,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic4",       1, K::Lower,    4, 211, 123,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic4",       2, K::Lower,    4, 211, 146,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic4",       3, K::Lower,    4, 211, 169,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic4",       4, K::Lower,    4, 211, 192,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic5",       0, K::Lower,    5, 171, 100,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic5",       1, K::Lower,    5, 171, 123,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic5",       2, K::Lower,    5, 171, 146,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic5",       3, K::Lower,    5, 171, 169,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic5",       4, K::Lower,    5, 171, 192,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic6",       0, K::Lower,    6, 131, 100,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic6",       1, K::Lower,    6, 131, 123,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic6",       2, K::Lower,    6, 131, 146,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic6",       3, K::Lower,    6, 131, 169,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic6",       4, K::Lower,    6, 131, 192,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic7",       0, K::Lower,    7,  91, 100,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic7",       1, K::Lower,    7,  91, 123,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic7",       2, K::Lower,    7,  91, 146,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic7",       3, K::Lower,    7,  91, 169,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic7",       4, K::Lower,    7,  91, 192,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic8",       0, K::Lower,    8,  51, 100,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic8",       1, K::Lower,    8,  51, 123,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic8",       2, K::Lower,    8,  51, 146,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic8",       3, K::Lower,    8,  51, 169,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic8",       4, K::Lower,    8,  51, 192,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic9",       0, K::Lower,    9,  11, 100,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic9",       1, K::Lower,    9,  11, 123,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic9",       2, K::Lower,    9,  11, 146,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic9",       3, K::Lower,    9,  11, 169,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic9",       4, K::Lower,    9,  11, 192,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic05",      5, K::Upper,    0, 371,  43,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic15",      5, K::Upper,    1, 331,  43,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic25",      5, K::Upper,    2, 291,  43,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic35",      5, K::Upper,    3, 251,  43,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic45",      5, K::Upper,    4, 211,  43,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic55",      5, K::Upper,    5, 171,  42,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic65",      5, K::Upper,    6, 131,  42,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic75",      5, K::Upper,    7,  91,  42,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic85",      5, K::Upper,    8,  51,  42,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"pic95",      5, K::Upper,    9,  11,  42,  40, 23, "bead_design.bmp",     kNoFont,          true},
    {"Pic05",      0, K::Upper,    0, 371,  65,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic15",      0, K::Upper,    1, 331,  65,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic25",      0, K::Upper,    2, 291,  65,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic35",      0, K::Upper,    3, 251,  65,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic45",      0, K::Upper,    4, 211,  65,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic55",      0, K::Upper,    5, 171,  65,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic65",      0, K::Upper,    6, 131,  65,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic75",      0, K::Upper,    7,  91,  65,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Pic85",      0, K::Upper,    8,  51,  65,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"pic95",      0, K::Upper,    9,  11,  65,  40, 23, "gap_design.bmp",      kNoFont,          true},
    {"Picture22",  1, K::Rail,    -1,  11,  28, 400, 15, "rail_top.bmp",        kNoFont,          true},
    {"Picture22",  0, K::Rail,    -1,  11, 215, 400, 15, "rail_bottom.bmp",     kNoFont,          true},
    {"Frame1",    -1, K::Beam,    -1,  11,  88, 400, 12, nullptr,               kNoFont,          true},
    {"Option1",    0, K::Option,   0, 383,  88,  13, 12, "Option1",             kNoFont,          true},
    {"Option1",    1, K::Option,   1, 343,  88,  13, 12, "Option1",             kNoFont,          true},
    {"Option1",    2, K::Option,   2, 303,  88,  13, 12, "Option1",             kNoFont,          true},
    {"Option1",    3, K::Option,   3, 263,  88,  13, 12, "Option1",             kNoFont,          true},
    {"Option1",    4, K::Option,   4, 223,  88,  13, 12, "Option1",             kNoFont,          true},
    {"Option1",    5, K::Option,   5, 183,  88,  13, 12, "Option1",             kNoFont,          true},
    {"Option1",    6, K::Option,   6, 143,  88,  13, 12, "Option1",             kNoFont,          true},
    {"Option1",    7, K::Option,   7, 103,  88,  13, 12, "Option1",             kNoFont,          true},
    {"Option1",    8, K::Option,   8,  63,  88,  13, 12, "Option1",             kNoFont,          true},
    {"Option1",    9, K::Option,   9,  23,  88,  13, 12, "Option1",             kNoFont,          true},
    {"Label1",    -1, K::Heading, -1,  64,   5,  80, 19, "Orvane",              kKai19,           true},
    {"Label2",    -1, K::Display, -1,  16, 256, 321, 25, nullptr,               kGothic16Bold,    true},
    {"Lab1",       0, K::Hint,     0, 371, 230,  22, 22, nullptr,               kVertical21Bold,  false},
    {"Lab1",       1, K::Hint,     1, 332, 231,  22, 22, nullptr,               kGothic21Bold,    false},
    {"Lab1",       2, K::Hint,     2, 293, 231,  22, 22, nullptr,               kGothic21Bold,    false},
    {"Lab1",       3, K::Hint,     3, 254, 231,  22, 22, nullptr,               kVertical21Bold,  false},
    {"Lab1",       4, K::Hint,     4, 215, 231,  22, 22, nullptr,               kGothic21Bold,    false},
    {"Lab1",       5, K::Hint,     5, 175, 231,  22, 22, nullptr,               kGothic21Bold,    false},
    {"Lab1",       6, K::Hint,     6, 133, 231,  22, 22, nullptr,               kGothic21Bold,    false},
    {"Lab1",       7, K::Hint,     7,  93, 231,  22, 22, nullptr,               kGothic21Bold,    false},
    {"Lab1",       8, K::Hint,     8,  53, 231,  22, 22, nullptr,               kGothic21Bold,    false},
    {"Lab1",       9, K::Hint,     9,  14, 231,  22, 22, nullptr,               kGothic21Bold,    false},
    {"Command1",  -1, K::Command, -1, 259,   7,  29, 17, "command1_symbol.bmp", kNoFont,          true, "command1_beads.bmp"},
    {"Command2",  -1, K::Command, -1, 298,   7,  29, 17, "command2_symbol.bmp", kNoFont,          true, "command2_beads.bmp"},
    {"Command3",  -1, K::Command, -1, 336,   7,  29, 17, "command3_symbol.bmp", kNoFont,          true, "command3_beads.bmp"},
    {"Command4",  -1, K::Command, -1, 375,   7,  29, 17, "command4_symbol.bmp", kNoFont,          true, "command4_beads.bmp"},
}};
// clang-format on

// The row of `kind`, item `index` of an array (-1 for a single control);
// nullptr where the layout has none.
constexpr const Control *layoutRow(Kind kind, int index = -1) {
    for (const Control &c : kLayout)
        if (c.kind == kind && c.index == index)
            return &c;
    return nullptr;
}

} // namespace ctallix
