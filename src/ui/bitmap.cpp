#include "ui/bitmap.h"

#include <QFile>
#include <QResource>

#include <cstdint>

namespace ctallix {

namespace {

std::uint32_t u32(const QByteArray &data, qsizetype at) {
    const auto *p = reinterpret_cast<const unsigned char *>(data.constData() + at);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

std::uint16_t u16(const QByteArray &data, qsizetype at) {
    const auto *p = reinterpret_cast<const unsigned char *>(data.constData() + at);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

QByteArray readAll(const QString &path) {
    if (path.startsWith(u':')) {
        const QResource resource(path);
        if (resource.isValid())
            return resource.uncompressedData();
        return {};
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QImage decodeBmp(const QByteArray &file) {
    constexpr qsizetype kFileHeader = 14;
    if (file.size() < kFileHeader + 40 || file[0] != 'B' || file[1] != 'M')
        return {};
    const std::uint32_t pixelOffset = u32(file, 10);
    const std::uint32_t infoSize = u32(file, 14);
    const std::int32_t width = static_cast<std::int32_t>(u32(file, 18));
    const std::int32_t signedHeight = static_cast<std::int32_t>(u32(file, 22));
    const int bits = u16(file, 28);
    const std::uint32_t compression = u32(file, 30);
    std::uint32_t colours = u32(file, 46);
    if (infoSize < 40 || u16(file, 26) != 1 || compression != 0 || width <= 0 || width > 32768 ||
        signedHeight == 0 || signedHeight < -32768 || signedHeight > 32768)
        return {};
    if (bits != 24 && bits != 8 && bits != 4 && bits != 1)
        return {};
    const bool bottomUp = signedHeight > 0;
    const int height = bottomUp ? signedHeight : -signedHeight;

    // The palette follows the info header: blue, green, red, unused.
    QRgb palette[256] = {};
    if (bits <= 8) {
        const std::uint32_t most = 1u << bits;
        if (colours == 0 || colours > most)
            colours = most;
        const qsizetype paletteAt = kFileHeader + infoSize;
        if (paletteAt + qsizetype(colours) * 4 > file.size())
            return {};
        for (std::uint32_t i = 0; i < colours; ++i) {
            const auto *c =
                reinterpret_cast<const unsigned char *>(file.constData() + paletteAt) + i * 4;
            palette[i] = qRgb(c[2], c[1], c[0]);
        }
    }

    const qsizetype stride = ((qsizetype(width) * bits + 31) / 32) * 4;
    if (pixelOffset > std::uint32_t(file.size()) ||
        qsizetype(pixelOffset) + stride * height > file.size())
        return {};

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const auto *pixels = reinterpret_cast<const unsigned char *>(file.constData() + pixelOffset);
    for (int y = 0; y < height; ++y) {
        const unsigned char *row = pixels + stride * (bottomUp ? height - 1 - y : y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        if (bits == 24) {
            for (int x = 0; x < width; ++x)
                out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        } else {
            const int perByte = 8 / bits;
            const int mask = (1 << bits) - 1;
            for (int x = 0; x < width; ++x) {
                const int shift = 8 - bits * (x % perByte + 1);
                out[x] = palette[(row[x / perByte] >> shift) & mask];
            }
        }
    }
    return image;
}

QPixmap loadBitmap(const QString &path) {
    const QImage image = decodeBmp(readAll(path));
    if (!image.isNull())
        return QPixmap::fromImage(image);
    return QPixmap(path);
}

} // namespace ctallix
