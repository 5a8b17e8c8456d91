// The window worked from the keyboard, the way a grid of toggle buttons is.
//
// The window's clickable controls fall into parts, in this order: the
// frame's bead slots, the decimal markers, the beam, the four buttons, the
// rails and, while shown, the hint labels. Tab and Shift+Tab move the focus
// from part to part, to the control last focused in it (at first its top
// left one); the arrow keys move it within a part the way they point on the
// screen. Space or Enter presses the focused control as the left mouse
// button does, Shift+Space or Shift+Enter as the right one. Every other key
// changes nothing.
//
// No control has the focus at start; a click gives it to the clicked
// control. The focused control is outlined once a key has moved the focus or
// pressed it, and no longer after a click, so a window worked with the mouse
// alone looks as it always did.
#pragma once

#include "window/layout.h"

#include <QObject>

#include <utility>
#include <vector>

class QKeyEvent;
class QWidget;

namespace ctallix {

class FocusOutline;

class KeyboardFocus : public QObject {
    Q_OBJECT

public:
    // `controls`: the window's controls with their kinds, of which it takes
    // those the keyboard reaches; `window` holds them all and the outline.
    KeyboardFocus(QWidget *window, const std::vector<std::pair<QWidget *, Kind>> &controls);

    // Tab (next) or Shift+Tab: the focus to the next or the previous part
    // that has a control shown. False when no control is shown at all.
    bool moveToPart(bool next);

signals:
    // Space or Enter on `control`: pressed with the left or the right button.
    void press(QWidget *control, bool right);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Target {
        QWidget *widget;
        int part; // place in the Tab order
    };

    bool keyPress(QWidget *control, const QKeyEvent &key);
    // The shown control of `control`'s part nearest to it in the direction
    // (dx, dy), lying level with it across that direction; nullptr if none.
    QWidget *neighbour(const QWidget *control, int dx, int dy) const;
    QWidget *entryOf(int part) const;
    int partOf(const QWidget *control) const;
    void focus(QWidget *control);

    QWidget *window_;
    std::vector<Target> targets_;
    std::vector<QWidget *> lastFocused_; // by part
    FocusOutline *outline_ = nullptr;    // made at the first key
};

} // namespace ctallix
