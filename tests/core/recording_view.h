// A FormView that records what the window would show, and the delivery of
// a user's event to the core as the window delivers it. Shared by the
// scenario table's core driver and the randomized checker.
#pragma once

#include "frame/form1_core.h"
#include "scenario.h"

#include <array>
#include <string>

namespace ctallix::test {

struct RecordingView : FormView {
    // pictures[column][item]: items 0..4 lower, 5 upper item 0, 6 upper item 5.
    std::array<std::array<Picture, 7>, 10> pictures{};
    std::string label2;
    std::array<std::string, 10> lab1;
    std::array<bool, 10> hintShown{};
    int option = 0;
    int beeps = 0;

    void setSlot(int column, Half half, int item, Picture picture) override {
        pictures.at(column).at(half == Half::Lower ? item : item == 0 ? 5 : 6) = picture;
    }
    void setCaption(Caption label, int index, const std::string &text) override {
        (label == Caption::Label2 ? label2 : lab1.at(index)) = text;
    }
    void setHintVisible(int index, bool visible) override { hintShown.at(index) = visible; }
    bool selectOption(int index) override {
        const bool changed = option != index;
        option = index;
        return changed;
    }
    void beep() override { ++beeps; }

    // The digit column k shows, or -1 when its slots show none.
    int drawn(int k) const {
        const auto &p = pictures[k];
        int gap = -1;
        for (int i = 0; i < 5; ++i)
            if (p[i] == Picture::Gap)
                gap = gap < 0 ? i : 9;
        if (gap > 4 || p[5] == p[6])
            return -1;
        return gap + (p[5] == Picture::Bead ? 5 : 0);
    }
    // The ten drawn digits, column 9 first ('?' for a column showing none).
    std::string frame() const {
        std::string s;
        for (int k = 9; k >= 0; --k)
            s += drawn(k) < 0 ? '?' : static_cast<char>('0' + drawn(k));
        return s;
    }
};

// What must hold after every event: each column drawn as upper + lower, its
// column text the single digit of that sum, and no "." left in any column
// text. Empty when all holds, else what does not.
inline std::string Invariants(const Form1Core &core, const RecordingView &view) {
    for (int k = 0; k < 10; ++k) {
        const int sum = core.upper[k] + core.lower[k];
        if ((core.upper[k] != 0 && core.upper[k] != 5) || core.lower[k] < 0 || core.lower[k] > 4 ||
            view.drawn(k) != sum || core.coltext[k] != std::string(1, static_cast<char>('0' + sum)))
            return "column " + std::to_string(k) + " draws " + std::to_string(view.drawn(k)) +
                   " with upper " + std::to_string(core.upper[k]) + ", lower " +
                   std::to_string(core.lower[k]) + ", text \"" + core.coltext[k] + "\"";
    }
    return {};
}

inline void Deliver(Form1Core &core, RecordingView &view, const Event &e) {
    const auto item = static_cast<std::int16_t>(e.item);
    const auto column = static_cast<std::int16_t>(e.column);
    switch (e.kind) {
    case 'L':
        return core.PicK_MouseDown(e.column, item, kLeftButton, 0, 20, 11);
    case 'R':
        return core.PicK_MouseDown(e.column, item, kRightButton, 0, 20, 11);
    case 'M':
        return core.PicK_MouseDown(e.column, item, kMiddleButton, 0, 20, 11);
    case 'U':
        return core.PicK5_Click(e.column, item);
    case 'O':
        if (view.selectOption(e.column))
            core.Option1_Click(column);
        return;
    case 'x':
        return core.Command1_Click();
    case '/':
        return core.Command2_Click();
    case '=':
        return core.Command3_Click();
    case 'C':
        return core.Command4_Click();
    case 'B':
        return core.Frame1_Click();
    case 'T':
        return core.Picture22_Click(1);
    case 'b':
        return core.Picture22_Click(0);
    case 'H':
        if (view.hintShown[e.column]) // a hidden label takes no click
            core.Lab1_Click(column);
        return;
    }
}

} // namespace ctallix::test
