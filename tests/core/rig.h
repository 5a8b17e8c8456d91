// A core on a checking view, started as the window starts it, with the user's
// ways of entering digits. Every call the core makes on the view must name a
// control the window has.
#pragma once

#include "checking_view.h"
#include "frame/form1_core.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace ctallix::test {

struct Rig {
    CheckingView view;
    Form1Core core{view};
    Rig() { core.Form_Load(); }
    ~Rig() { EXPECT_EQ(view.misuse, "") << "the core asked for a control the window lacks"; }
    Rig(const Rig &) = delete;
    Rig &operator=(const Rig &) = delete;

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
