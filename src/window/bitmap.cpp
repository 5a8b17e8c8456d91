#include "window/bitmap.h"

#include <QByteArrayView>

#include <cstdint>

namespace ctallix {

namespace {

std::uint32_t little(QByteArrayView data, qsizetype at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(data[at + i]);
    return value;
}

} // namespace

QImage readBitmap(QByteArrayView data) {
    // The file header (14 bytes), then the info header (40 bytes or more).
    constexpr qsizetype kFileHeader = 14, kInfoHeader = 40;
    if (data.size() < kFileHeader + kInfoHeader || data[0] != 'B' || data[1] != 'M')
        return {};
    const std::uint32_t pixels = little(data, 10, 4), infoSize = little(data, 14, 4);
    const auto width = static_cast<std::int32_t>(little(data, 18, 4));
    const auto height = static_cast<std::int32_t>(little(data, 22, 4));
    const std::uint32_t depth = little(data, 28, 2), compression = little(data, 30, 4);
    std::uint32_t colours = little(data, 46, 4);
    if (infoSize < kInfoHeader || width <= 0 || width > 4096 || height == 0 || height > 4096 ||
        height < -4096 || compression != 0 || (depth != 24 && depth != 8))
        return {};
    if (depth == 8 && colours == 0)
        colours = 256;
    const qsizetype palette = kFileHeader + infoSize;
    const qsizetype rows = height < 0 ? -height : height;
    const qsizetype stride = (width * static_cast<qsizetype>(depth) / 8 + 3) / 4 * 4;
    if (colours > 256 || palette + 4 * qsizetype(colours) > qsizetype(pixels) ||
        qsizetype(pixels) + stride * rows > data.size())
        return {};

    QImage image(width, static_cast<int>(rows), QImage::Format_RGB32);
    for (qsizetype row = 0; row < rows; ++row) {
        // Rows are stored bottom up unless the height is negative.
        const qsizetype from = pixels + stride * (height < 0 ? row : rows - 1 - row);
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(static_cast<int>(row)));
        for (qsizetype x = 0; x < width; ++x) {
            qsizetype bgr = from + 3 * x;
            if (depth == 8) {
                const std::uint32_t index = static_cast<std::uint8_t>(data[from + x]);
                if (index >= colours)
                    return {};
                bgr = palette + 4 * qsizetype(index);
            }
            line[x] = qRgb(static_cast<std::uint8_t>(data[bgr + 2]),
                           static_cast<std::uint8_t>(data[bgr + 1]),
                           static_cast<std::uint8_t>(data[bgr]));
        }
    }
    return image;
}

} // namespace ctallix
