#include "screen_reader.h"

#include <algorithm>
#include <cstdlib>

namespace acceptance {

namespace {

using namespace layout;

const Rgb kGround{147, 190, 232};
const Rgb kRodLeft{140, 103, 58};
const Rgb kRodRight{179, 143, 99};
const Rgb kWhite{255, 255, 255};

enum class Look { Bead, Gap, Other };

bool brown(Rgb p) {
    return p.r > p.g && p.g > p.b && p.r - p.b > 40;
}

// A slot shows the gap when the bare rod runs down its middle on the light
// blue ground, and the bead when the bead fills its middle rows from edge to
// edge with the ground in its corners. Rows 3..19 lie clear of the rails and
// of the neighbouring slots, which may cover a slot's outer rows.
Look slotLook(const Shot &shot, int x, int y) {
    bool gap = shot.at(x + 5, y + 11) == kGround && shot.at(x + 34, y + 11) == kGround;
    for (int row = 3; gap && row <= 19; ++row)
        gap = shot.at(x + 17, y + row) == kGround && shot.at(x + 18, y + row) == kRodLeft &&
              shot.at(x + 19, y + row) == kRodRight && shot.at(x + 20, y + row) == kGround;
    if (gap)
        return Look::Gap;
    const bool bead = shot.at(x + 1, y + 3) == kGround && shot.at(x + 38, y + 3) == kGround &&
                      brown(shot.at(x + 1, y + 11)) && brown(shot.at(x + 38, y + 11)) &&
                      brown(shot.at(x + 18, y + 11)) && shot.at(x + 18, y + 11) != kRodLeft;
    return bead ? Look::Bead : Look::Other;
}

// Solid text colour, RGB(255,128,0), with a little room for the font
// rasteriser.
bool orange(Rgb p) {
    return p.r >= 235 && std::abs(p.g - 128) <= 30 && p.b <= 50;
}

std::vector<Rgb> area(const Shot &shot, int x, int y, int w, int h) {
    std::vector<Rgb> pixels;
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx)
            pixels.push_back(shot.at(x + dx, y + dy));
    return pixels;
}

} // namespace

std::string ScreenState::describe() const {
    return "frame " + frame + ", option " + std::to_string(option) + ", hints " + hints +
           ", Label2 \"" + label2 + "\"";
}

int ScreenReader::columnDigit(const Shot &shot, int k) {
    const int x = columnX(k);
    int lower = -1;
    for (int item = 0; item < 5; ++item) {
        const Look look = slotLook(shot, x, lowerY(item));
        if (look == Look::Other || (look == Look::Gap && lower >= 0))
            return -1;
        if (look == Look::Gap)
            lower = item;
    }
    const Look item0 = slotLook(shot, x, kUpper0Y);
    const Look item5 = slotLook(shot, x, upper5Y(k));
    if (lower < 0 || item0 == Look::Other || item5 == Look::Other || item0 == item5)
        return -1;
    return (item0 == Look::Bead ? 5 : 0) + lower;
}

char ScreenReader::textLook(const Shot &shot, int x, int y, int w, int h) {
    bool white = true;
    for (int dy = 0; dy < h; ++dy) {
        for (int dx = 0; dx < w; ++dx) {
            const Rgb p = shot.at(x + dx, y + dy);
            if (orange(p))
                return 'T';
            white = white && p == kWhite;
        }
    }
    return white ? '.' : '?';
}

std::string ScreenReader::learnMarkers(const Shot &shot) {
    markerOn_ = area(shot, optionX(0), kOptionY, kOptionW, kOptionH);
    markerOff_ = area(shot, optionX(1), kOptionY, kOptionW, kOptionH);
    if (markerOn_ == markerOff_)
        return "the selected option marker looks like an unselected one";
    for (int k = 2; k < 10; ++k)
        if (area(shot, optionX(k), kOptionY, kOptionW, kOptionH) != markerOff_)
            return "option marker " + std::to_string(k) + " differs from marker 1";
    return "";
}

int ScreenReader::selectedOption(const Shot &shot) const {
    int selected = -1;
    for (int k = 0; k < 10; ++k) {
        const std::vector<Rgb> look = area(shot, optionX(k), kOptionY, kOptionW, kOptionH);
        if (look == markerOn_) {
            if (selected >= 0)
                return -1;
            selected = k;
        } else if (look != markerOff_) {
            return -1;
        }
    }
    return selected;
}

// The display line is orange on white, so the blue channel tells how much
// text covers a pixel. It is cut into runs of columns that some pixel covers
// by half or more; each run takes the pixels up to halfway to its
// neighbours, whose faint edge pixels may touch it.
std::vector<ScreenReader::Run> ScreenReader::label2Runs(const Shot &shot) {
    auto columnInked = [&](int x) {
        for (int y = 0; y < kLabel2H; ++y)
            if (shot.at(kLabel2X + x, kLabel2Y + y).b < 128)
                return true;
        return false;
    };
    std::vector<Run> runs;
    for (int x = 0; x < kLabel2W;) {
        if (!columnInked(x)) {
            ++x;
            continue;
        }
        int end = x + 1;
        while (end < kLabel2W && columnInked(end))
            ++end;
        runs.push_back({x, end, 0, 0});
        x = end;
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        runs[i].from =
            i > 0 ? (runs[i - 1].end + runs[i].begin) / 2 : std::max(0, runs[i].begin - 3);
        runs[i].to = i + 1 < runs.size() ? (runs[i].end + runs[i + 1].begin + 1) / 2
                                         : std::min(kLabel2W, runs[i].end + 3);
    }
    return runs;
}

// A glyph is known by its width and by how much ink each of its rows holds:
// the same character is drawn a fraction of a pixel further left or right
// depending on where it stands in the text, which shifts ink between
// columns but keeps every row's total.
ScreenReader::Glyph ScreenReader::glyphOf(const Shot &shot, const Run &run) {
    Glyph glyph;
    glyph.width = run.end - run.begin;
    for (int y = 0; y < kLabel2H; ++y) {
        double ink = 0;
        for (int x = run.from; x < run.to; ++x)
            ink += (255 - shot.at(kLabel2X + x, kLabel2Y + y).b) / 255.0;
        glyph.rows.push_back(ink);
    }
    return glyph;
}

// How far apart two glyphs are: the ink that their rows hold differently,
// or "far" when their widths differ by more than a pixel.
double ScreenReader::distance(const Glyph &a, const Glyph &b) {
    if (std::abs(a.width - b.width) > 1)
        return 1e9;
    double d = 0;
    for (std::size_t y = 0; y < a.rows.size(); ++y)
        d += std::abs(a.rows[y] - b.rows[y]);
    return d;
}

// The character of the nearest learnt glyph within `limit`, or '?'.
char ScreenReader::nearest(const Glyph &glyph, double limit, double &d) const {
    char found = '?';
    d = limit;
    for (const auto &[c, g] : glyphs_) {
        const double here = distance(glyph, g);
        if (here <= d) {
            d = here;
            found = c;
        }
    }
    return found;
}

// The same character in other places of the line differs by well under a
// pixel of ink, two digits by several.
char ScreenReader::recognise(const Glyph &glyph) const {
    double d = 0;
    return nearest(glyph, 1.6, d);
}

// A run is one glyph, or two whose pixels overlap (the bar of a 4 reaches
// under the digit before it): then it is cut where both halves come
// nearest to learnt glyphs. Each half has lost or gained the overlapping
// pixels, so the halves are allowed more ink difference.
std::string ScreenReader::readRun(const Shot &shot, const Run &run) const {
    const char single = recognise(glyphOf(shot, run));
    if (single != '?')
        return std::string(1, single);
    constexpr double kHalfLimit = 4.0;
    std::string best = "?";
    double bestDistance = 2 * kHalfLimit;
    for (int cut = run.begin + 2; cut <= run.end - 2; ++cut) {
        double dl = 0, dr = 0;
        const char left = nearest(glyphOf(shot, {run.begin, cut, run.from, cut}), kHalfLimit, dl);
        const char right = nearest(glyphOf(shot, {cut, run.end, cut, run.to}), kHalfLimit, dr);
        if (left != '?' && right != '?' && dl + dr < bestDistance) {
            bestDistance = dl + dr;
            best = std::string{left, right};
        }
    }
    return best;
}

std::string ScreenReader::learnLabel2(const Shot &shot, const std::string &text) {
    // Learning needs one glyph per run: a text whose glyphs stand apart.
    std::vector<Glyph> glyphs;
    for (const Run &run : label2Runs(shot))
        glyphs.push_back(glyphOf(shot, run));
    if (glyphs.size() != text.size())
        return "Label2 shows " + std::to_string(glyphs.size()) + " glyphs, not the " +
               std::to_string(text.size()) + " of \"" + text + "\"";
    // A character seen before must be recognised as itself; a new one must
    // not pass for a known one. Every glyph is kept as one more sample.
    std::vector<std::pair<char, Glyph>> samples;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool known = false;
        for (const auto &sample : glyphs_)
            known = known || sample.first == text[i];
        const char seen = recognise(glyphs[i]);
        if (known && seen != text[i])
            return std::string("Label2's '") + text[i] + "' reads as '" + seen + "'";
        if (!known && seen != '?')
            return std::string("Label2's '") + text[i] + "' looks like its '" + seen + "'";
        samples.emplace_back(text[i], glyphs[i]);
    }
    glyphs_.insert(glyphs_.end(), samples.begin(), samples.end());
    return "";
}

ScreenState ScreenReader::read(const Shot &shot) const {
    ScreenState state;
    for (int k = 9; k >= 0; --k) {
        const int d = columnDigit(shot, k);
        state.frame += d < 0 ? '?' : static_cast<char>('0' + d);
        state.hints += textLook(shot, kLab1X[k], lab1Y(k), kLab1Size, kLab1Size);
    }
    state.option = selectedOption(shot);
    for (const Run &run : label2Runs(shot)) {
        state.label2 += readRun(shot, run);
    }
    return state;
}

} // namespace acceptance
