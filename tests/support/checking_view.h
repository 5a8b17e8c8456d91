// A FormView that keeps what the window would show and notes every call the
// window could not carry out (a slot, label or option that does not exist).
#pragma once

#include "frame/form_view.h"

#include <array>
#include <cstdint>
#include <string>

namespace ctallix::test {

class CheckingView : public FormView {
public:
    // What a slot shows. A slot the core never drew is Unset: the window
    // would still show its design-time picture.
    enum class Shown : std::int8_t { Unset, Gap, Bead };

    // lower[k][0..4] and upper[k][0 or 5] (items 1..4 of upper are unused).
    std::array<std::array<Shown, 5>, 10> lower{};
    std::array<std::array<Shown, 6>, 10> upper{};
    std::array<std::string, 10> lab1;
    std::array<bool, 10> lab1Visible{};
    std::string label2;
    int selected = 0;

    // Counted per event; the checker sets them back to 0 before each event.
    int beeps = 0;
    int slotSettings = 0;
    int captionWrites = 0;

    // The first call with an argument the window has no control for.
    std::string misuse;

    void setSlot(int column, Half half, int item, Picture picture) override {
        ++slotSettings;
        const Shown shown = picture == Picture::Bead ? Shown::Bead : Shown::Gap;
        if (column < 0 || column > 9) {
            note("setSlot on column " + std::to_string(column));
        } else if (half == Half::Lower) {
            if (item < 0 || item > 4)
                note("setSlot on lower item " + std::to_string(item));
            else
                lower[column][item] = shown;
        } else {
            if (item != 0 && item != 5)
                note("setSlot on upper item " + std::to_string(item));
            else
                upper[column][item] = shown;
        }
    }

    void setCaption(Caption label, int index, const std::string &text) override {
        ++captionWrites;
        if (label == Caption::Label2) {
            label2 = text;
        } else if (index < 0 || index > 9) {
            note("setCaption on Lab1(" + std::to_string(index) + ")");
        } else {
            lab1[index] = text;
        }
    }

    void setHintVisible(int index, bool visible) override {
        if (index < 0 || index > 9)
            note("setHintVisible on Lab1(" + std::to_string(index) + ")");
        else
            lab1Visible[index] = visible;
    }

    bool selectOption(int index) override {
        if (index < 0 || index > 9) {
            note("selectOption(" + std::to_string(index) + ")");
            return false;
        }
        const bool changed = selected != index;
        selected = index;
        return changed;
    }

    void beep() override { ++beeps; }

    // The digit column k shows: exactly one lower gap and exactly one of the
    // two upper items a gap, the other a bead. -1 when the slots show no
    // valid digit.
    int shownDigit(int k) const {
        int gap = -1;
        for (int i = 0; i <= 4; ++i) {
            if (lower[k][i] == Shown::Unset)
                return -1;
            if (lower[k][i] == Shown::Gap) {
                if (gap != -1)
                    return -1;
                gap = i;
            }
        }
        const Shown next = upper[k][0];
        const Shown away = upper[k][5];
        if (gap == -1 || next == Shown::Unset || away == Shown::Unset || next == away)
            return -1;
        return gap + (next == Shown::Bead ? 5 : 0);
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

private:
    void note(const std::string &what) {
        if (misuse.empty())
            misuse = what;
    }
};

} // namespace ctallix::test
