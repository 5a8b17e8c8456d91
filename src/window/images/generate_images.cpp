// ctallix_imagegen: draws every bitmap of the cTallix window and writes them
// as Windows BMP files into the directory given on the command line.
//
//   ctallix_imagegen <output-directory>
//
// The generated files are committed next to this source and compiled into the
// program as Qt resources; a test checks that the committed files are exactly
// what this program writes. The program therefore must stay deterministic:
// no random numbers, no clock, only arithmetic on the pixel coordinates.
//
// Written without Qt so that it runs before (and independently of) the UI.

#include "image_list.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb &) const = default;
};

struct Colour {
    double r, g, b;
};

// A 24-bit image, row 0 at the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Image(int w, int h, Rgb fill) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    Rgb &at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
    const Rgb &at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// An 8-bit palette image, row 0 at the top.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;
};

// BMP writing: BITMAPFILEHEADER + BITMAPINFOHEADER, uncompressed, bottom-up
// rows, each row padded to a multiple of 4 bytes.

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 3780; // 96 dots per inch

void put16(std::vector<std::uint8_t> &out, std::uint16_t v) {
    out.push_back(std::uint8_t(v & 0xff));
    out.push_back(std::uint8_t(v >> 8));
}

void put32(std::vector<std::uint8_t> &out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(std::uint8_t((v >> shift) & 0xff));
}

std::uint32_t rowStride(int width, int bitsPerPixel) {
    return ((std::uint32_t(width) * bitsPerPixel + 31) / 32) * 4;
}

std::vector<std::uint8_t> bmpHeaders(int width, int height, int bitsPerPixel,
                                     std::uint32_t paletteEntries) {
    const std::uint32_t imageSize = rowStride(width, bitsPerPixel) * std::uint32_t(height);
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * paletteEntries;
    std::vector<std::uint8_t> out;
    out.reserve(offset + imageSize);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, offset);
    // BITMAPINFOHEADER; a positive height means the rows are stored bottom-up.
    put32(out, kInfoHeaderSize);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height));
    put16(out, 1); // planes
    put16(out, std::uint16_t(bitsPerPixel));
    put32(out, 0); // BI_RGB, no compression
    put32(out, imageSize);
    put32(out, std::uint32_t(kPixelsPerMetre));
    put32(out, std::uint32_t(kPixelsPerMetre));
    put32(out, paletteEntries); // colours used (0 = none / all)
    put32(out, 0);              // all colours important
    return out;
}

std::vector<std::uint8_t> encodeBmp(const Image &img) {
    std::vector<std::uint8_t> out = bmpHeaders(img.width, img.height, 24, 0);
    const std::uint32_t stride = rowStride(img.width, 24);
    for (int y = img.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < img.width; ++x) {
            const Rgb p = img.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

std::vector<std::uint8_t> encodeBmp(const IndexedImage &img) {
    std::vector<std::uint8_t> out =
        bmpHeaders(img.width, img.height, 8, std::uint32_t(img.palette.size()));
    for (const Rgb &c : img.palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    const std::uint32_t stride = rowStride(img.width, 8);
    for (int y = img.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        const auto row = img.indices.begin() + std::ptrdiff_t(y) * img.width;
        out.insert(out.end(), row, row + img.width);
        out.resize(rowStart + stride, 0);
    }
    return out;
}

// Colours and grounds

constexpr Rgb kGround{147, 190, 232};       // behind the beads at run time
constexpr Rgb kDesignGround{131, 171, 218}; // the slightly darker design-time ground
constexpr Rgb kButtonGround{192, 192, 192}; // behind the button beads
constexpr Rgb kRodLeft{140, 103, 58};
constexpr Rgb kRodRight{179, 143, 99};
constexpr int kRodX = 18; // the rod covers columns 18 and 19
constexpr Rgb kBlack{0, 0, 0};

// Mean colour of the light upper part and the brown lower part of a bead.
struct BeadColours {
    Colour upper;
    Colour lower;
};
constexpr BeadColours kBeadColours{{212, 164, 121}, {178, 121, 94}};
// The design-time bead is the same bead about a tenth darker.
constexpr BeadColours kDesignBeadColours{{196, 147, 109}, {159, 108, 86}};

std::uint8_t toByte(double v) {
    return std::uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

// Beads
//
// A bead is a double cone with flat ends, seen from the side with the rod
// vertical. Its outline is a list of horizontal spans, one per row. The upper
// cone widens from the top row to the first full-width row; the lower cone
// narrows from the last full-width row to the bottom row. Rows
// [0, splitRow) are the upper (light) part, the rest the lower (brown) part.

struct Span {
    int left = 0, right = -1; // inclusive; empty when right < left
};

struct BeadShape {
    std::vector<Span> rows;
    int splitRow = 0;
};

int lerpRound(int a, int b, int step, int steps) {
    // Rounds half away from a, so that the result is symmetric for the
    // left and right edges.
    const int num = (b - a) * step;
    const int q = (2 * std::abs(num) + steps) / (2 * steps);
    return a + (num < 0 ? -q : q);
}

// Builds a double-cone outline: `top` on row 0 widening linearly to the full
// width [0, width-1] on rows fullFrom..fullTo, then narrowing to `bottom` on
// the last row.
BeadShape doubleCone(int width, int height, Span top, int fullFrom, int fullTo, Span bottom,
                     int splitRow, int leftMargin) {
    BeadShape shape;
    shape.splitRow = splitRow;
    const int fullLeft = leftMargin;
    const int fullRight = leftMargin + width - 1;
    for (int y = 0; y < height; ++y) {
        Span s;
        if (y < fullFrom) {
            s.left = lerpRound(top.left, fullLeft, y, fullFrom);
            s.right = lerpRound(top.right, fullRight, y, fullFrom);
        } else if (y <= fullTo) {
            s = {fullLeft, fullRight};
        } else {
            const int steps = height - 1 - fullTo;
            s.left = lerpRound(fullLeft, bottom.left, y - fullTo, steps);
            s.right = lerpRound(fullRight, bottom.right, y - fullTo, steps);
        }
        shape.rows.push_back(s);
    }
    return shape;
}

// The 40 x 23 bead: 16 px wide at the top (x = 11..26), full width x = 1..38
// on rows 10..12, 15 px wide at the bottom (x = 12..26). The upper part ends
// with row 10, the base of the upper cone; the equator row 11 and below are
// the lower part.
BeadShape largeBead() {
    return doubleCone(38, 23, {11, 26}, 10, 12, {12, 26}, 11, 1);
}

// The small bead on the command buttons, 12 rows high and `width` wide, its
// widest rows 5..6 in the middle.
BeadShape smallBead(int width) {
    const int last = width - 1;
    return doubleCone(width, 12, {5, last - 6}, 5, 6, {6, last - 6}, 6, 0);
}

// A cheap deterministic hash for the wood grain, the same on every platform.
double hashNoise(int a, int b) {
    std::uint32_t h = std::uint32_t(a) * 374761393u + std::uint32_t(b) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return double(h & 0xffff) / 65535.0 * 2.0 - 1.0;
}

// Light from the upper right and a little from the front, as on the window's
// rails: the upper cone is lit, the lower one in shade, and the right-hand
// side of each cone is lighter than the left.
struct Vec3 {
    double x, y, z;
};

Vec3 normalised(Vec3 v) {
    const double len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / len, v.y / len, v.z / len};
}

double dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

const Vec3 kLight = normalised({0.75, 0.55, 0.5});
const Vec3 kHalfway = normalised({kLight.x, kLight.y, kLight.z + 1.0});

// Per-pixel light terms of a bead: how strongly the surface faces the light,
// the glossy highlight, and the wood grain.
struct Shade {
    double diffuse = 0, highlight = 0, grain = 0, rim = 0;
};

Shade shadeAt(const BeadShape &shape, int x, int y) {
    const Span s = shape.rows[std::size_t(y)];
    const double centre = (s.left + s.right + 1) / 2.0;
    const double halfWidth = (s.right - s.left + 1) / 2.0;
    // u runs from -1 at the left silhouette to +1 at the right one: the
    // horizontal part of the surface normal of a body turned on the rod.
    const double u = std::clamp((x + 0.5 - centre) / halfWidth, -0.96, 0.96);

    // The upper cone faces upwards, the lower one downwards, the equator
    // sideways; a steep but smooth change across the middle rows gives the
    // rim its rounded look.
    const double t = (y + 0.5) / double(shape.rows.size()) * 2.0 - 1.0; // -1 top, +1 bottom
    const double tilt = -0.8 * std::clamp(t * 2.2, -1.0, 1.0);
    const Vec3 normal{u * std::cos(tilt), std::sin(tilt), std::sqrt(1.0 - u * u) * std::cos(tilt)};

    Shade shade;
    shade.diffuse = std::max(0.0, dot(normal, kLight));
    shade.highlight = std::pow(std::max(0.0, dot(normal, kHalfway)), 18.0);
    // Long grain running along the rod, bending with the bead's curve, plus
    // a little fibre noise.
    const double bend = 2.5 * u * u * (t < 0 ? -1.0 : 1.0);
    shade.grain = 0.6 * std::sin(1.9 * (x + bend) + 0.8 * std::sin(0.5 * y)) +
                  0.4 * hashNoise(x + int(std::lround(bend)), y / 3);
    // The outermost pixel of each row turns away from the viewer; darkening
    // it a little sets the bead off from its ground and from a bead behind.
    shade.rim = x == s.left ? 1.0 : x == s.right ? 0.5 : 0.0;
    return shade;
}

// Paints a bead whose outline is `shape`, its columns shifted by `dx`, so that
// the mean colour of its upper and lower parts is `colours` (before clipping
// to the image). With `mirrored` the light comes from the left instead.
void paintBead(Image &img, const BeadShape &shape, const BeadColours &colours, int dx = 0,
               bool mirrored = false) {
    struct Pixel {
        int x, y;
        Shade shade;
    };
    for (int part = 0; part < 2; ++part) {
        const Colour mean = part == 0 ? colours.upper : colours.lower;
        const int firstRow = part == 0 ? 0 : shape.splitRow;
        const int endRow = part == 0 ? shape.splitRow : int(shape.rows.size());
        std::vector<Pixel> pixels;
        for (int y = firstRow; y < endRow; ++y) {
            const Span s = shape.rows[std::size_t(y)];
            for (int x = s.left; x <= s.right; ++x) {
                const int shadeX = mirrored ? s.left + s.right - x : x;
                pixels.push_back({x, y, shadeAt(shape, shadeX, y)});
            }
        }
        if (pixels.empty())
            continue;

        // Shaded colour around the mean, before the final shift.
        auto shaded = [&](const Shade &sh, double channelMean) {
            const double light = 0.62 + 0.55 * sh.diffuse + 0.05 * sh.grain - 0.12 * sh.rim;
            return channelMean * light + sh.highlight * (255.0 - channelMean) * 0.75;
        };
        const std::array<double, 3> target{mean.r, mean.g, mean.b};
        // Shift each channel until the mean of the final bytes is on the
        // target; rounding and clipping at 0 and 255 take a few rounds.
        std::array<double, 3> shift{0, 0, 0};
        for (int round = 0; round < 5; ++round) {
            for (int c = 0; c < 3; ++c) {
                double sum = 0;
                for (const Pixel &p : pixels)
                    sum += toByte(shaded(p.shade, target[std::size_t(c)]) + shift[std::size_t(c)]);
                shift[std::size_t(c)] += target[std::size_t(c)] - sum / double(pixels.size());
            }
        }
        for (const Pixel &p : pixels) {
            const auto channel = [&](int c) {
                return toByte(shaded(p.shade, target[std::size_t(c)]) + shift[std::size_t(c)]);
            };
            const int x = p.x + dx;
            if (x >= 0 && x < img.width)
                img.at(x, p.y) = {channel(0), channel(1), channel(2)};
        }
    }
}

// The images

Image beadImage(Rgb ground, const BeadColours &colours) {
    Image img(40, 23, ground);
    paintBead(img, largeBead(), colours);
    return img;
}

Image gapImage(Rgb ground) {
    Image img(40, 23, ground);
    for (int y = 0; y < img.height; ++y) {
        img.at(kRodX, y) = kRodLeft;
        img.at(kRodX + 1, y) = kRodRight;
    }
    return img;
}

// The bands of the rails, one grey per row from the top of the top rail: a
// bar lit from above. One band is slightly green, as the rail always was.
constexpr std::array<Rgb, 15> kTopRailRows{{{123, 123, 123},
                                            {112, 112, 112},
                                            {101, 101, 101},
                                            {91, 91, 91},
                                            {83, 90, 84},
                                            {70, 70, 70},
                                            {55, 55, 55},
                                            {55, 55, 55},
                                            {33, 33, 33},
                                            {33, 33, 33},
                                            {33, 33, 33},
                                            {9, 9, 9},
                                            {9, 9, 9},
                                            {9, 9, 9},
                                            {9, 9, 9}}};

// A rail of `width` pixels; `flipped` gives the bottom rail, darkest on top.
// The palette holds the distinct band colours, lightest first.
IndexedImage railImage(int width, bool flipped) {
    IndexedImage img;
    img.width = width;
    img.height = int(kTopRailRows.size());
    for (const Rgb &c : kTopRailRows)
        if (std::find(img.palette.begin(), img.palette.end(), c) == img.palette.end())
            img.palette.push_back(c);
    for (int y = 0; y < img.height; ++y) {
        const Rgb c = kTopRailRows[std::size_t(flipped ? img.height - 1 - y : y)];
        const auto index = std::find(img.palette.begin(), img.palette.end(), c);
        img.indices.insert(img.indices.end(), std::size_t(width),
                           std::uint8_t(index - img.palette.begin()));
    }
    return img;
}

// Multiply: two beads side by side, the right one 7 px further right and
// drawn over the left one.
Image command1Beads() {
    Image img(27, 12, kButtonGround);
    const BeadShape bead = smallBead(20);
    paintBead(img, bead, kBeadColours, 0);
    paintBead(img, bead, kBeadColours, 7);
    return img;
}

// Divide: one bead, mirrored, cut into an upper half (rows 0..4) and a lower
// half (rows 7..11).
Image command2Beads() {
    Image img(20, 12, kButtonGround);
    BeadShape bead = smallBead(20);
    for (Span &s : bead.rows) // mirror the outline; the light follows
        s = {19 - s.right, 19 - s.left};
    paintBead(img, bead, kBeadColours, 0, true);
    for (int y = 5; y <= 6; ++y)
        for (int x = 0; x < img.width; ++x)
            img.at(x, y) = kButtonGround;
    return img;
}

// Equals: one bead with two 1-px slits cut in from its right edge to its
// middle (x = 9), at rows 3 and 8.
Image command3Beads() {
    Image img(20, 12, kButtonGround);
    paintBead(img, smallBead(20), kBeadColours);
    for (int y : {3, 8})
        for (int x = 9; x < img.width; ++x)
            img.at(x, y) = kButtonGround;
    return img;
}

// Clear: one bead with a V-shaped wedge cut out of its right side, deepest
// at rows 5..6, where the cut reaches in to x = 9, so that the outline reads as a C.
Image command4Beads() {
    Image img(19, 12, kButtonGround);
    paintBead(img, smallBead(19), kBeadColours);
    for (int y = 0; y < img.height; ++y) {
        const int fromCentre = y < 6 ? 5 - y : y - 6; // 0 on rows 5 and 6
        for (int x = 9 + 2 * fromCentre; x < img.width; ++x)
            img.at(x, y) = kButtonGround;
    }
    return img;
}

// The symbol images: a soft diagonal gradient from the top left to the
// bottom right, with the operation's sign drawn in 1-px black lines.
constexpr Colour kSymbolTopLeft{228, 226, 230};
constexpr Colour kSymbolBottomRight{136, 124, 144};

struct Point {
    int x, y;
};

Image symbolImage(const std::vector<Point> &sign) {
    Image img(20, 15, {});
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const double t = (double(x) / (img.width - 1) + double(y) / (img.height - 1)) / 2.0;
            const double s = t * t * (3.0 - 2.0 * t); // ease in and out: a soft blend
            const auto mix = [s](double a, double b) { return toByte(a + (b - a) * s); };
            img.at(x, y) = {mix(kSymbolTopLeft.r, kSymbolBottomRight.r),
                            mix(kSymbolTopLeft.g, kSymbolBottomRight.g),
                            mix(kSymbolTopLeft.b, kSymbolBottomRight.b)};
        }
    for (const Point p : sign)
        img.at(p.x, p.y) = kBlack;
    return img;
}

void addBar(std::vector<Point> &pts, int y, int fromX, int toX) {
    for (int x = fromX; x <= toX; ++x)
        pts.push_back({x, y});
}

// Multiply: a 6-px bar crossed by a small X, rows 5..9, centred on the
// image's middle (x = 9.5, y = 7).
std::vector<Point> multiplySign() {
    std::vector<Point> pts;
    addBar(pts, 7, 7, 12);
    for (Point p : {Point{8, 5}, {11, 5}, {9, 6}, {10, 6}, {9, 8}, {10, 8}, {8, 9}, {11, 9}})
        pts.push_back(p);
    return pts;
}

// Divide: a 2-px dot, a 10-px bar, a 2-px dot.
std::vector<Point> divideSign() {
    std::vector<Point> pts;
    addBar(pts, 4, 9, 10);
    addBar(pts, 7, 5, 14);
    addBar(pts, 10, 9, 10);
    return pts;
}

// Equals: two 7-px bars.
std::vector<Point> equalsSign() {
    std::vector<Point> pts;
    addBar(pts, 5, 6, 12);
    addBar(pts, 9, 6, 12);
    return pts;
}

// Clear: the letter C, 6 px wide and 9 px high.
std::vector<Point> clearSign() {
    std::vector<Point> pts;
    addBar(pts, 3, 9, 12);
    addBar(pts, 11, 9, 12);
    for (Point p : {Point{8, 4}, {8, 10}, {12, 4}, {12, 10}})
        pts.push_back(p);
    for (int y = 5; y <= 9; ++y)
        pts.push_back({7, y});
    return pts;
}

// The file `name` of kImageFiles, encoded; empty for a name it does not know.
std::vector<std::uint8_t> encodedImage(std::string_view name) {
    if (name == "bead.bmp")
        return encodeBmp(beadImage(kGround, kBeadColours));
    if (name == "gap.bmp")
        return encodeBmp(gapImage(kGround));
    if (name == "bead_design.bmp")
        return encodeBmp(beadImage(kDesignGround, kDesignBeadColours));
    if (name == "gap_design.bmp")
        return encodeBmp(gapImage(kDesignGround));
    if (name == "rail_top.bmp")
        return encodeBmp(railImage(420, false));
    if (name == "rail_bottom.bmp")
        return encodeBmp(railImage(440, true));
    if (name == "command1_beads.bmp")
        return encodeBmp(command1Beads());
    if (name == "command2_beads.bmp")
        return encodeBmp(command2Beads());
    if (name == "command3_beads.bmp")
        return encodeBmp(command3Beads());
    if (name == "command4_beads.bmp")
        return encodeBmp(command4Beads());
    if (name == "command1_symbol.bmp")
        return encodeBmp(symbolImage(multiplySign()));
    if (name == "command2_symbol.bmp")
        return encodeBmp(symbolImage(divideSign()));
    if (name == "command3_symbol.bmp")
        return encodeBmp(symbolImage(equalsSign()));
    if (name == "command4_symbol.bmp")
        return encodeBmp(symbolImage(clearSign()));
    return {};
}

bool writeFile(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "ctallix_imagegen: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ctallix_imagegen <output-directory>\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "ctallix_imagegen: cannot create %s: %s\n", dir.string().c_str(),
                     error.message().c_str());
        return 1;
    }

    bool ok = true;
    for (const char *name : ctallix::kImageFiles) {
        const std::vector<std::uint8_t> bytes = encodedImage(name);
        if (bytes.empty()) {
            std::fprintf(stderr, "ctallix_imagegen: no drawing for %s\n", name);
            ok = false;
            continue;
        }
        ok = writeFile(dir / name, bytes) && ok;
    }
    return ok ? 0 : 1;
}
