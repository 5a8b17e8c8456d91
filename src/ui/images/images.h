// The window's bitmaps, compiled in as Qt resources under :/images/
// (bead.bmp, gap.bmp, bead_design.bmp, gap_design.bmp, rail_top.bmp,
// rail_bottom.bmp, command1_beads.bmp .. command4_beads.bmp and
// command1_symbol.bmp .. command4_symbol.bmp).
#pragma once

namespace ctallix {

// Registers the bitmaps with Qt's resource system. Linking ctallix_images
// already registers them before main() runs; calling this as well is
// harmless, so code that wants to be explicit about it may.
void initImages();

} // namespace ctallix
