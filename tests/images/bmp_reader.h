// Reads a BMP file byte by byte, without Qt, so that the tests see exactly
// what is on disk: the header fields as written, the palette and the pixels.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb &) const = default;
};

struct Bmp {
    std::vector<std::uint8_t> bytes;
    std::uint32_t fileSize = 0, dataOffset = 0, infoSize = 0, compression = 0, imageSize = 0;
    std::int32_t width = 0, height = 0;
    int planes = 0, bits = 0;
    std::uint32_t stride = 0; // bytes per row, padded to 4
    std::vector<Rgb> palette;
    std::vector<Rgb> pixels; // row 0 at the top

    std::uint32_t field(std::size_t at, int size) const {
        std::uint32_t v = 0;
        for (int i = size - 1; i >= 0; --i)
            v = (v << 8) | bytes.at(at + std::size_t(i));
        return v;
    }
    Rgb at(int x, int y) const { return pixels.at(std::size_t(y * width + x)); }
};

// Pixels are decoded for uncompressed, bottom-up 8- and 24-bit files only.
inline Bmp readBmp(const std::string &path) {
    Bmp bmp;
    std::ifstream in(path, std::ios::binary);
    bmp.bytes.assign(std::istreambuf_iterator<char>(in), {});
    if (bmp.bytes.size() < 54 || bmp.bytes[0] != 'B' || bmp.bytes[1] != 'M')
        return bmp;
    bmp.fileSize = bmp.field(2, 4);
    bmp.dataOffset = bmp.field(10, 4);
    bmp.infoSize = bmp.field(14, 4);
    bmp.width = std::int32_t(bmp.field(18, 4));
    bmp.height = std::int32_t(bmp.field(22, 4));
    bmp.planes = int(bmp.field(26, 2));
    bmp.bits = int(bmp.field(28, 2));
    bmp.compression = bmp.field(30, 4);
    bmp.imageSize = bmp.field(34, 4);
    bmp.stride = (std::uint32_t(bmp.width) * std::uint32_t(bmp.bits) + 31) / 32 * 4;
    const std::uint32_t colours = bmp.bits > 8 ? 0 : bmp.field(46, 4) ? bmp.field(46, 4) : 256;
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::size_t e = 14 + bmp.infoSize + 4 * i;
        bmp.palette.push_back({bmp.bytes.at(e + 2), bmp.bytes.at(e + 1), bmp.bytes.at(e)});
    }
    if (bmp.compression != 0 || (bmp.bits != 8 && bmp.bits != 24))
        return bmp;
    for (int y = 0; y < bmp.height; ++y) {
        const std::size_t row = bmp.dataOffset + std::size_t(bmp.height - 1 - y) * bmp.stride;
        for (int x = 0; x < bmp.width; ++x) {
            const std::size_t p = row + std::size_t(x * bmp.bits / 8);
            bmp.pixels.push_back(
                bmp.bits == 8 ? bmp.palette.at(bmp.bytes.at(p))
                              : Rgb{bmp.bytes.at(p + 2), bmp.bytes.at(p + 1), bmp.bytes.at(p)});
        }
    }
    return bmp;
}
