// Reading the window's bitmaps without Qt's image plugins.
//
// The bitmaps are uncompressed Windows BMP files with 24 bits per pixel or
// 8 bits per pixel with a palette. Decoding them here is a few loops, where
// going through QImageReader first scans and loads the metadata of every
// image-format plugin installed, which costs the window about a millisecond
// of its start.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace ctallix {

// Decodes an uncompressed BMP (BITMAPINFOHEADER or later, 24 bits per pixel,
// or 1, 4 or 8 bits per pixel with a palette, bottom-up or top-down) into a
// Format_RGB32 image. Returns a null image for anything else.
QImage decodeBmp(const QByteArray &file);

// The bitmap at `path` (a file or a ":/..." resource) as a pixmap: decoded
// by decodeBmp when it can, else by Qt's own image readers.
QPixmap loadBitmap(const QString &path);

} // namespace ctallix
