// How the window's bitmaps meet the screen's scale. At a whole factor (100 %,
// 200 %) every bitmap pixel becomes a block of device pixels, exactly. At a
// fractional one (125 %, 150 %, 175 %) blocks of one or two device pixels
// would give the beads ragged, uneven edges; there each bitmap is enlarged
// pixel for pixel to the next whole factor and then reduced smoothly to the
// screen's, so every bead keeps its shape with softened edges.
#pragma once

#include <QPixmap>
#include <QPoint>

class QPainter;

namespace ctallix {

// Draws `picture` at its own size in pixels, its top-left corner at `at`.
void drawPicture(QPainter &painter, QPoint at, const QPixmap &picture);

} // namespace ctallix
