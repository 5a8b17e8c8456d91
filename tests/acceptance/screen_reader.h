// Reads the calculator's state off a picture of its client area, the way a
// user reads it: the digit every column shows, the selected decimal marker,
// which hint labels show a character, and the text of the display line.
#pragma once

#include "x_session.h"

#include <string>
#include <utility>
#include <vector>

namespace acceptance {

// Where the controls are, in client-area pixels.
namespace layout {
inline int columnX(int k) {
    return 11 + 40 * (9 - k);
}
inline int lowerY(int item) {
    return 100 + 23 * item;
}
inline int upper5Y(int k) {
    return k <= 4 ? 43 : 42;
}
inline constexpr int kUpper0Y = 65;
inline constexpr int kSlotW = 40, kSlotH = 23;
inline int optionX(int k) {
    return 23 + 40 * (9 - k);
}
inline constexpr int kOptionY = 88, kOptionW = 13, kOptionH = 12;
inline constexpr int kLab1X[10] = {371, 332, 293, 254, 215, 175, 133, 93, 53, 14};
inline int lab1Y(int k) {
    return k == 0 ? 230 : 231;
}
inline constexpr int kLab1Size = 22;
inline constexpr int kLabel2X = 16, kLabel2Y = 256, kLabel2W = 321, kLabel2H = 25;
inline constexpr int kCommandX[5] = {0, 259, 298, 336, 375}; // Command1..Command4
inline constexpr int kCommandY = 7, kCommandW = 29, kCommandH = 17;
inline constexpr int kClientW = 463, kClientH = 282;
} // namespace layout

// What a picture of the window says.
struct ScreenState {
    std::string frame;  // ten characters, column 9 first: the digit, or '?'
    int option = -1;    // the one selected marker, or -1
    std::string hints;  // ten characters, column 9 first: 'T' text, '.' nothing, '?' other
    std::string label2; // the display text; '?' for a glyph not learnt
    std::string describe() const;
};

class ScreenReader {
public:
    // Takes the looks of a selected and an unselected option marker from a
    // window in its cleared state (Option1(0) selected). Returns a problem,
    // or an empty string.
    std::string learnMarkers(const Shot &shot);

    // Learns the glyphs of the display line, which shows `text` in `shot`.
    // A character learnt before must look the same again. Returns a
    // problem, or an empty string.
    std::string learnLabel2(const Shot &shot, const std::string &text);

    ScreenState read(const Shot &shot) const;

    // The digit column k shows, or -1 when its seven slots show none.
    static int columnDigit(const Shot &shot, int k);
    // 'T' when the rectangle holds orange text, '.' when it is plain white,
    // '?' otherwise.
    static char textLook(const Shot &shot, int x, int y, int w, int h);

private:
    struct Glyph {
        int width = 0;
        std::vector<double> rows; // ink per row, in pixels
    };
    // Columns [begin, end) hold ink; pixels [from, to) belong to the run.
    struct Run {
        int begin, end, from, to;
    };
    static std::vector<Run> label2Runs(const Shot &shot);
    static Glyph glyphOf(const Shot &shot, const Run &run);
    static double distance(const Glyph &a, const Glyph &b);
    char nearest(const Glyph &glyph, double limit, double &d) const;
    char recognise(const Glyph &glyph) const;
    std::string readRun(const Shot &shot, const Run &run) const;
    int selectedOption(const Shot &shot) const;

    std::vector<std::pair<char, Glyph>> glyphs_;
    std::vector<Rgb> markerOn_, markerOff_;
};

} // namespace acceptance
