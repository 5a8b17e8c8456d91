// Form1, the calculator's one window: the ten-column bead frame, its rails
// and beam, the option markers, the hint labels, the display line and the
// four image buttons, laid out as layout.h lists them.
//
// The window holds no calculator state. Its controls' events go straight to
// the handlers of a Form1Core, which changes the window through FormView.
#pragma once

#include "frame/form1_core.h"
#include "frame/form_view.h"

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
class OptionMarker;
class PictureBox;
struct Control;

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

    void setSlot(int column, Half half, int item, Picture picture) override;
    void setCaption(Caption label, int index, const std::string &text) override;
    void setHintVisible(int index, bool visible) override;
    bool selectOption(int index) override;
    void beep() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void add(const Control &control);
    // Runs a handler of the core, then tells a listening screen reader what
    // changed; `equals` for the equals button, which may lay a result.
    template <class Handler> void handle(Handler handler, bool equals = false);
    // The bitmap `file` of the resource, decoded once for every control that
    // shows it.
    const QPixmap &picture(const char *file);

    std::map<std::string, QPixmap> pictures_;
    PictureBox *pic80_ = nullptr;                         // hidden holder of the gap picture
    PictureBox *pic81_ = nullptr;                         // hidden holder of the bead picture
    std::array<std::array<PictureBox *, 5>, 10> lower_{}; // [column][item]
    std::array<std::array<PictureBox *, 2>, 10> upper_{}; // [column][item 0, item 5]
    std::array<OptionMarker *, 10> option1_{};
    QButtonGroup *options_ = nullptr;
    std::array<ClickLabel *, 10> lab1_{};
    QLabel *label2_ = nullptr;
    // The slots whose pictures the event being handled changed, while a
    // screen reader listens.
    std::vector<PictureBox *> changedSlots_;

    Form1Core core_;
};

} // namespace ctallix
