// A FormView that records what the core shows, for tests without a window.
#pragma once

#include "frame/form1_core.h"

#include <array>
#include <string>

namespace ctallix::test {

class RecordingView : public FormView {
public:
    // slots[column][half][item]; items 1..4 of the upper half are unused.
    std::array<std::array<std::array<Picture, 6>, 2>, 10> slots{};
    std::array<std::string, 10> lab1;
    std::array<bool, 10> lab1Visible{};
    std::string label2;
    int selected = 0;
    int beeps = 0;
    long slotSettings = 0;

    void setSlot(int column, Half half, int item, Picture picture) override {
        slots.at(column).at(half == Half::Upper ? 1 : 0).at(item) = picture;
        ++slotSettings;
    }
    void setCaption(Caption label, int index, const std::string &text) override {
        if (label == Caption::Label2)
            label2 = text;
        else
            lab1.at(index) = text;
    }
    void setHintVisible(int index, bool visible) override { lab1Visible.at(index) = visible; }
    bool selectOption(int index) override {
        const bool changed = selected != index;
        selected = index;
        return changed;
    }
    void beep() override { ++beeps; }

    // The digit column k shows, or -1 when its slots show no valid digit.
    int shownDigit(int k) const {
        const auto &low = slots.at(k)[0];
        const auto &up = slots.at(k)[1];
        int gap = -1;
        for (int i = 0; i <= 4; ++i) {
            if (low[i] == Picture::Gap) {
                if (gap != -1)
                    return -1;
                gap = i;
            }
        }
        if (gap == -1 || up[0] == up[5])
            return -1;
        return gap + (up[0] == Picture::Bead ? 5 : 0);
    }

    // The ten shown digits, column 9 first; "?" for a column without one.
    std::string shownDigits() const {
        std::string s;
        for (int k = 9; k >= 0; --k) {
            const int d = shownDigit(k);
            s += d < 0 ? '?' : static_cast<char>('0' + d);
        }
        return s;
    }
};

// A core on a recording view, started as the window starts it.
struct Rig {
    RecordingView view;
    Form1Core core{view};
    Rig() { core.Form_Load(); }

    // Clicks Option1(k) as a user does: the window selects it, then the
    // click handler runs.
    void chooseDot(int k) {
        view.selected = k;
        core.Option1_Click(static_cast<std::int16_t>(k));
    }

    // Enters digit d in column k as a user would: a right press for 5..9,
    // else an upper click away from the beam and a left press.
    void enterDigit(int k, int d) {
        if (d >= 5) {
            core.PicK_MouseDown(k, static_cast<std::int16_t>(d - 5), kRightButton, 0, 3, 4);
        } else {
            core.PicK5_Click(k, 0);
            core.PicK_MouseDown(k, static_cast<std::int16_t>(d), kLeftButton, 0, 3, 4);
        }
    }

    // Enters a, presses the operation button, enters b and presses equals.
    void calculate(const std::string &a, void (Form1Core::*operation)(), const std::string &b) {
        enterDigits(a);
        (core.*operation)();
        enterDigits(b);
        core.Command3_Click();
    }

    // Sets all ten columns from a text of up to ten digits, right-aligned.
    void enterDigits(const std::string &digits) {
        const std::string padded = std::string(10 - digits.size(), '0') + digits;
        for (int k = 0; k <= 9; ++k)
            enterDigit(k, padded[9 - k] - '0');
    }
};

} // namespace ctallix::test
