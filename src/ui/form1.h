// Form1, the calculator's one window: the ten-column bead frame, its rails
// and beam, the option markers, the hint labels, the display line and the
// four image buttons, laid out at fixed pixel positions.
//
// The window holds no calculator state. It owns a Form1Core, forwards every
// event to the handler of the same name, and shows what the core asks for
// through the FormView interface.
#pragma once

#include "frame/form1_core.h"
#include "frame/form_view.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

class QButtonGroup;
class QLabel;

namespace ctallix {

class ClickLabel;
class OptionMarker;
class PictureBox;

class Form1 : public QWidget, public FormView {
    Q_OBJECT

public:
    // Whether the constructor runs the load handler (the reset). `Later`
    // leaves the window as designed, with the design-time bead pictures,
    // until Form_Load() is called.
    enum class Load { Now, Later };

    explicit Form1(Load load = Load::Now, QWidget *parent = nullptr);
    ~Form1() override;

    // --- FormView: what the core changes on the window -------------------
    void setSlot(int column, Half half, int item, Picture picture) override;
    void setCaption(Caption label, int index, const std::string &text) override;
    void setHintVisible(int index, bool visible) override;
    bool selectOption(int index) override;
    void beep() override;

    // --- Event handlers ---------------------------------------------------
    // Each control's event arrives here under the handler's name and goes on
    // to the core. They are virtual so that a test can watch what arrives.

    // Window load; runs the reset.
    virtual void Form_Load();
    // Mouse-button press on lower slot Index (0..4) of column K. Button is 1
    // left, 2 right, 4 middle; Shift is 1 Shift | 2 Ctrl | 4 Alt; X and Y are
    // the pointer position in pixels within the slot.
    virtual void PicK_MouseDown(int K, std::int16_t Index, std::int16_t Button, std::int16_t Shift,
                                float X, float Y);
    // Click on upper slot Index (0 or 5) of column K.
    virtual void PicK5_Click(int K, std::int16_t Index);
    virtual void Frame1_Click();
    virtual void Option1_Click(std::int16_t Index);
    virtual void Command1_Click();
    virtual void Command2_Click();
    virtual void Command3_Click();
    virtual void Command4_Click();
    virtual void Picture22_Click(std::int16_t Index);
    virtual void Lab1_Click(std::int16_t Index);

    Form1Core &core() { return core_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void createFrame();
    void createLabels();
    void createButtons();

    // Decoded once; every bead slot shows one of these four.
    QPixmap bead_;
    QPixmap gap_;
    QPixmap designBead_;
    QPixmap designGap_;
    QPixmap railTop_;
    QPixmap railBottom_;

    PictureBox *pic80_ = nullptr;                         // hidden holder of the gap picture
    PictureBox *pic81_ = nullptr;                         // hidden holder of the bead picture
    std::array<std::array<PictureBox *, 5>, 10> lower_{}; // [column][item]
    std::array<std::array<PictureBox *, 2>, 10> upper_{}; // [column][item 0, item 5]
    std::array<OptionMarker *, 10> option1_{};
    QButtonGroup *optionGroup_ = nullptr;
    std::array<ClickLabel *, 10> lab1_{};
    QLabel *label1_ = nullptr;
    QLabel *label2_ = nullptr;

    Form1Core core_;
};

} // namespace ctallix
