// The calculator behind the window Form1, free of any toolkit.
//
// Form1Core owns every variable of the window under the window's own names
// and implements every event handler. It changes what the user sees only
// through the FormView it is given. One object serves all ten columns: the
// handlers that the window has once per column take the column as argument.
#pragma once

#include "frame/form_view.h"

#include <array>
#include <cstdint>
#include <string>

namespace ctallix {

// Mouse buttons as the press handlers receive them.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;

// The shift state the press handlers receive: a mask of these keys.
inline constexpr std::int16_t kShiftMask = 1;
inline constexpr std::int16_t kCtrlMask = 2;
inline constexpr std::int16_t kAltMask = 4;

// The rails, items of Picture22.
inline constexpr std::int16_t kBottomRail = 0;
inline constexpr std::int16_t kTopRail = 1;

// 16-bit boolean of the window: true is -1.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

// The character LayNumber puts into the columns left of a laid result.
inline constexpr char kFillChar = '\0';

// The largest value the frame can hold (ten columns of 9).
inline constexpr double kFrameMax = 9999999999.0;

class Form1Core {
public:
    explicit Form1Core(FormView &view) : view_(view) {}
    Form1Core(const Form1Core &) = delete;
    Form1Core &operator=(const Form1Core &) = delete;

    // Window load: runs the reset before the window is first shown.
    void Form_Load();

    // Mouse-button press on lower item Index (0..4) of column K (Pic0..Pic9).
    // Button is kLeftButton, kRightButton or kMiddleButton; Shift, X and Y are
    // delivered by the window but not used.
    void PicK_MouseDown(int K, std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X,
                        float Y);

    // Click on upper item Index (0 or 5) of column K (Pic05..Pic85, pic95).
    void PicK5_Click(int K, std::int16_t Index);

    // Click on the beam: clears the frame.
    void Frame1_Click();

    // Click on Option1(Index): the decimal point follows column Index.
    void Option1_Click(std::int16_t Index);

    // Multiply, divide, equals and clear (the reset).
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    // Click on a rail shows the hint labels; click on a hint label hides them.
    void Picture22_Click(std::int16_t Index);
    void Lab1_Click(std::int16_t Index);

    // Joins the column texts into numtext(n) (n = 1 or 2) with "." after
    // column dot, and returns the number that text reads as.
    double ReadFrame(int n);

    // x written with exactly dot decimal places.
    std::string FormatResult(double x) const;

    // Splits numtext(3) into splitdigit(0..9) and draws every column.
    void LayNumber();

    double digit1 = 0;              // operand last read by a chained press or equals
    double digit = 0;               // first operand, then the running result
    std::int16_t num = 0;           // digit of the column being laid
    std::int16_t num1 = 0;          // that digit minus 5, for digits of 5 or more
    std::int16_t num2 = 0;          // pending operation: 0 multiply, 1 divide
    std::int16_t dot = 0;           // decimal places, 0..9: index of the selected Option1
    std::int16_t firstnum = kFalse; // true once a first operand was taken

    // Scratch loop indices; every procedure sets them before reading them.
    std::int16_t slot = 0;
    std::int16_t col = 0;
    std::int16_t pos = 0;

    std::array<std::int16_t, 10> upper{}; // 0 or 5
    std::array<std::int16_t, 10> lower{}; // 0..4
    std::array<std::string, 10> coltext;
    std::array<std::string, 10> splitdigit;
    std::array<std::string, 11> numtext;

private:
    // Draws every column showing 0, as clearing and the reset do.
    void DrawZeroFrame();
    // Draws column k showing digit d (0..9), eight slot settings.
    void DrawDigit(int k, int d);
    // Makes upper(k), lower(k) and coltext(k) describe digit d.
    void SetColumnState(int k, int d);
    // The digit a column is drawn with for a laid character: a digit gives
    // its value, anything else (the fill character, a sign) 0.
    static int DrawnDigit(const std::string &c) {
        return !c.empty() && c[0] >= '0' && c[0] <= '9' ? c[0] - '0' : 0;
    }
    // A press of multiply or divide (operation 0 or 1).
    void OperationPress(std::int16_t operation);
    // Lays numtext(3) onto the frame, into the hint labels and the column state.
    void LayResult();
    // Beeps and resets: how every refused press ends.
    void Refuse();

    FormView &view_;
};

} // namespace ctallix
