// Reads the window's bitmaps, the uncompressed BMP files of the resource
// ":/images" (24 bits per pixel, or 8 with a palette), without Qt's image
// readers: from Qt 6.8 on, QImageReader looks through every image-format
// plugin's metadata before it takes even a named built-in format, which
// costs the first picture some milliseconds.
#pragma once

#include <QImage>

class QByteArrayView;

namespace ctallix {

// The picture of BMP file `data`; a null image for anything else (another
// bit depth, compression, a size the data does not hold).
QImage readBitmap(QByteArrayView data);

} // namespace ctallix
