// Form1, the calculator's one window: the ten-column bead frame, its rails
// and beam, the option markers, the hint labels, the display line and the
// four image buttons, laid out as layout.h lists them.
//
// The window holds no calculator state. Its controls' events go straight to
// the handlers of a Form1Core, which changes the window through FormView.
// After each event the window says what it changed (changed) and asks for
// the beep (bell); what hears it, a screen reader or the desktop's bell, is
// connected from outside.
#pragma once

#include "frame/form1_core.h"
#include "frame/form_view.h"
#include "window/layout.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <map>
#include <string>
#include <vector>

class QButtonGroup;
class QLabel;

namespace ctallix {

class ClickLabel;
class KeyboardFocus;
class OptionMarker;
class PictureBox;

// What one user event changed in the window.
struct FormChange {
    const Control *pressed = nullptr;    // layout row of the control the user worked
    std::vector<PictureBox *> beadSlots; // bead slots whose picture changed, in order
    bool resultLaid = false;             // the hint labels received a laid result
    bool refused = false;                // the calculator refused the press (and beeped)
};

class Form1 : public QWidget, public FormView {
    Q_OBJECT

public:
    // Builds the window and runs the load handler (the reset), so the first
    // show already has the frame at zero.
    explicit Form1(QWidget *parent = nullptr);

    // What the frame shows, read off its slots: the slot of a column's half
    // (lower items 0..4, upper items 0 and 5), whether a slot shows the gap,
    // and the column the decimal point follows.
    PictureBox *slot(int column, Half half, int item) const;
    bool showsGap(const PictureBox *slot) const;
    int decimalColumn() const;

    // The control of layout row `row`, and of the row of `kind` (and item
    // `index` of an array); nullptr where the layout has none.
    QWidget *control(const Control &row) const;
    QWidget *control(Kind kind, int index = -1) const;

    // Draws the labels' texts once off screen, so that their faces are
    // loaded and their glyphs rendered: called right after show(), it does
    // that work while the display server maps the window, not in the first
    // paint.
    void drawTextAhead() const;

    void setSlot(int column, Half half, int item, Picture picture) override;
    void setCaption(Caption label, int index, const std::string &text) override;
    void setHintVisible(int index, bool visible) override;
    bool selectOption(int index) override;
    void beep() override;

signals:
    // Before a press on the control of layout row `pressed` is handled.
    void pressing(const ctallix::Control &pressed);
    // After every user event the window handled, with what it changed.
    void changed(const ctallix::FormChange &change);
    // The core asks for the default system beep.
    void bell();

protected:
    void paintEvent(QPaintEvent *event) override;
    // Tab and Shift+Tab, from the window or any control: to the next or the
    // previous part of the window (keyboard_focus.h).
    bool focusNextPrevChild(bool next) override;

private:
    // Runs a handler of the core for a press on the control of layout row
    // `pressed`, then says what it changed.
    template <class Handler> void handle(const Control &pressed, Handler handler);
    // One control of each kind, as its layout row describes it.
    QWidget *addPicture(const Control &c);
    QWidget *addBeam(const Control &c);
    QWidget *addOption(const Control &c);
    QWidget *addLabel(const Control &c);
    QWidget *addHint(const Control &c);
    QWidget *addCommand(const Control &c);
    // Makes the clickable controls reachable from the keyboard.
    void addKeyboard();
    // The bitmap `file` of the resource, decoded once for every control that
    // shows it.
    const QPixmap &picture(const char *file);

    std::map<std::string, QPixmap> pictures_;
    std::array<QWidget *, kLayout.size()> controls_{}; // by layout row
    PictureBox *pic80_ = nullptr;                      // hidden holder of the gap picture
    PictureBox *pic81_ = nullptr;                      // hidden holder of the bead picture
    std::array<std::array<PictureBox *, kLowerItems>, kColumns> lower_{}; // [column][item]
    std::array<std::array<PictureBox *, 2>, kColumns> upper_{};           // [column][near, away]
    std::array<OptionMarker *, kColumns> option1_{};
    QButtonGroup *options_ = nullptr;
    std::array<ClickLabel *, kColumns> lab1_{};
    QLabel *label2_ = nullptr;
    KeyboardFocus *keyboard_ = nullptr;
    FormChange change_; // of the event being handled

    Form1Core core_;
};

} // namespace ctallix
