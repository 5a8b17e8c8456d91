// The window's bitmaps: file name, size and bits per pixel.
#pragma once

struct ImageFile {
    const char *name;
    int width, height, bits;
};

inline constexpr ImageFile kImageFiles[] = {
    {"bead.bmp", 40, 23, 24},
    {"gap.bmp", 40, 23, 24},
    {"bead_design.bmp", 40, 23, 24},
    {"gap_design.bmp", 40, 23, 24},
    {"rail_top.bmp", 420, 15, 8},
    {"rail_bottom.bmp", 440, 15, 8},
    {"command1_beads.bmp", 27, 12, 24},
    {"command2_beads.bmp", 20, 12, 24},
    {"command3_beads.bmp", 20, 12, 24},
    {"command4_beads.bmp", 19, 12, 24},
    {"command1_symbol.bmp", 20, 15, 24},
    {"command2_symbol.bmp", 20, 15, 24},
    {"command3_symbol.bmp", 20, 15, 24},
    {"command4_symbol.bmp", 20, 15, 24},
};
