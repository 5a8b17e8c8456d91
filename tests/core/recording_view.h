// A FormView that records what the window would show, the delivery of a
// user's event to the core as the window delivers it, and what must hold
// after every event, for the checker.
#pragma once

#include "frame/form1_core.h"
#include "scenario.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <utility>

namespace ctallix::test {

struct RecordingView : FormView {
    // pictures[column][item]: items 0..4 lower, 5 upper item 0, 6 upper item 5.
    std::array<std::array<Picture, 7>, 10> pictures{};
    std::string label2;
    std::array<std::string, 10> lab1;
    std::array<bool, 10> hintShown{};
    int option = 0, beeps = 0;

    void setSlot(int column, Half half, int item, Picture picture) override {
        pictures.at(column).at(half == Half::Lower ? item : item == 0 ? 5 : 6) = picture;
    }
    void setCaption(Caption label, int index, const std::string &text) override {
        (label == Caption::Label2 ? label2 : lab1.at(index)) = text;
    }
    void setHintVisible(int index, bool visible) override { hintShown.at(index) = visible; }
    bool selectOption(int index) override { return std::exchange(option, index) != index; }
    void beep() override { ++beeps; }

    // The digit column k shows, or -1 when its slots show none.
    int drawn(int k) const {
        const auto &p = pictures[k];
        const auto gaps = std::count(p.begin(), p.begin() + 5, Picture::Gap);
        if (gaps != 1 || p[5] == p[6])
            return -1;
        return static_cast<int>(std::find(p.begin(), p.end(), Picture::Gap) - p.begin()) +
               (p[5] == Picture::Bead ? 5 : 0);
    }

    // What the window shows, in the scenario table's terms.
    std::string shown() const {
        std::string frame, captions, hints;
        for (int k = 9; k >= 0; --k) {
            frame += drawn(k) < 0 ? '?' : static_cast<char>('0' + drawn(k));
            const std::string &c = lab1[k];
            captions += c.empty() ? '.' : c.size() > 1 ? '?' : c[0] == '\0' ? '_' : c[0];
            hints += hintShown[k] ? '1' : '0';
        }
        return "frame=" + frame + " label2=" + label2 + " lab1=" + captions + " hints=" + hints +
               " dot=" + std::to_string(option);
    }
};

inline std::string Expected(const Scenario &s) {
    return "frame=" + s.frame + " label2=" + s.label2 + " lab1=" + s.lab1 +
           " hints=" + std::string(10, s.hints ? '1' : '0') + " dot=" + std::to_string(s.dot);
}

// Each column drawn as upper + lower with its text the single digit of that
// sum, no "." left in any column text, and dot the selected option. Empty
// when all holds.
inline std::string Invariants(const Form1Core &core, const RecordingView &view) {
    for (int k = 0; k < 10; ++k) {
        const int sum = core.upper[k] + core.lower[k];
        if (core.upper[k] % 5 != 0 || core.upper[k] > 5 || core.lower[k] < 0 || core.lower[k] > 4 ||
            view.drawn(k) != sum || core.coltext[k] != std::to_string(sum))
            return "column " + std::to_string(k) + " draws " + std::to_string(view.drawn(k)) +
                   " but holds " + std::to_string(core.upper[k]) + "+" +
                   std::to_string(core.lower[k]) + " \"" + core.coltext[k] + "\"";
    }
    return core.dot == view.option ? "" : "dot " + std::to_string(core.dot);
}

inline void Deliver(Form1Core &core, RecordingView &view, const Event &e) {
    using Handler = std::function<void(Form1Core &, std::int16_t, std::int16_t)>;
    static const std::map<char, Handler> handlers = {
        {'L', [](auto &c, auto k, auto i) { c.PicK_MouseDown(k, i, kLeftButton, 0, 20, 11); }},
        {'R', [](auto &c, auto k, auto i) { c.PicK_MouseDown(k, i, kRightButton, 0, 20, 11); }},
        {'M', [](auto &c, auto k, auto i) { c.PicK_MouseDown(k, i, kMiddleButton, 0, 20, 11); }},
        {'U', [](auto &c, auto k, auto i) { c.PicK5_Click(k, i); }},
        {'O', [](auto &c, auto k, auto) { c.Option1_Click(k); }},
        {'x', [](auto &c, auto, auto) { c.Command1_Click(); }},
        {'/', [](auto &c, auto, auto) { c.Command2_Click(); }},
        {'=', [](auto &c, auto, auto) { c.Command3_Click(); }},
        {'C', [](auto &c, auto, auto) { c.Command4_Click(); }},
        {'B', [](auto &c, auto, auto) { c.Frame1_Click(); }},
        {'T', [](auto &c, auto, auto) { c.Picture22_Click(1); }},
        {'b', [](auto &c, auto, auto) { c.Picture22_Click(0); }},
        {'H', [](auto &c, auto k, auto) { c.Lab1_Click(k); }},
    };
    // The window clicks an option button only when it changes the selection,
    // and a hidden hint label takes no click.
    if (!Acts(e) || (e.kind == 'O' && !view.selectOption(e.column)) ||
        (e.kind == 'H' && !view.hintShown[e.column]))
        return;
    handlers.at(e.kind)(core, static_cast<std::int16_t>(e.column),
                        static_cast<std::int16_t>(e.item));
}

} // namespace ctallix::test
