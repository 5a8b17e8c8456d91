// The window's bitmaps, by file name. The generator writes these files, the
// build compiles them into the resource ":/images", and the tests check them.
#pragma once

#include <array>

namespace ctallix {

inline constexpr std::array kImageFiles = {
    "bead.bmp",
    "gap.bmp",
    "bead_design.bmp",
    "gap_design.bmp",
    "rail_top.bmp",
    "rail_bottom.bmp",
    "command1_beads.bmp",
    "command2_beads.bmp",
    "command3_beads.bmp",
    "command4_beads.bmp",
    "command1_symbol.bmp",
    "command2_symbol.bmp",
    "command3_symbol.bmp",
    "command4_symbol.bmp",
};

} // namespace ctallix
