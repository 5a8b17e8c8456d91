#include "window/keyboard_focus.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <iterator>

namespace ctallix {

// The ring round the focused control, just outside it: two black pixels with
// a white one outside them, so it stands out on the white window, the grey
// beam and the beads alike. It covers only the ring (the control itself shows
// unchanged) and lets the mouse through.
class FocusOutline : public QWidget {
public:
    static constexpr int kBlack = 2;
    static constexpr int kWhite = 1;

    explicit FocusOutline(QWidget *window) : QWidget(window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

    void follow(const QWidget *control) {
        constexpr int ring = kBlack + kWhite;
        const QRect around = control->geometry().adjusted(-ring, -ring, ring, ring);
        setGeometry(around);
        setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(ring, ring, -ring, -ring))));
        raise();
        show();
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.fillRect(rect().adjusted(kWhite, kWhite, -kWhite, -kWhite), Qt::black);
    }
};

namespace {

// The parts in Tab order; the picture holders and the two labels take none.
constexpr Kind kParts[][2] = {
    {Kind::Lower, Kind::Upper},     {Kind::Option, Kind::Option}, {Kind::Beam, Kind::Beam},
    {Kind::Command, Kind::Command}, {Kind::Rail, Kind::Rail},     {Kind::Hint, Kind::Hint},
};

int partOfKind(Kind kind) {
    for (int part = 0; part < static_cast<int>(std::size(kParts)); ++part)
        if (kParts[part][0] == kind || kParts[part][1] == kind)
            return part;
    return -1;
}

} // namespace

KeyboardFocus::KeyboardFocus(QWidget *window,
                             const std::vector<std::pair<QWidget *, Kind>> &controls)
    : QObject(window), window_(window) {
    for (const auto &[widget, kind] : controls)
        if (const int part = partOfKind(kind); part >= 0)
            targets_.push_back({widget, part});
    lastFocused_.assign(std::size(kParts), nullptr);
    // Until a key or a click focuses a control, the window itself has the
    // focus (Qt gives it when the window is activated): a screen reader then
    // has a focus to follow, where Orca would otherwise search the window
    // for one at every key.
    window->setFocusPolicy(Qt::ClickFocus);
    for (const Target &target : targets_) {
        // A click gives the focus (a screen reader then reads the clicked
        // control afresh), Tab does not: Qt's own focus chain would focus
        // the first control when the window is activated, and take Tab.
        target.widget->setFocusPolicy(Qt::ClickFocus);
        target.widget->installEventFilter(this);
    }
}

bool KeyboardFocus::moveToPart(bool next) {
    const QWidget *focused = window_->focusWidget();
    const int parts = static_cast<int>(lastFocused_.size());
    int part = focused != nullptr ? partOf(focused) : -1;
    if (part < 0)
        part = next ? parts - 1 : 0; // from nowhere: the first part, or the last
    for (int step = 1; step <= parts; ++step) {
        const int to = ((part + (next ? step : -step)) % parts + parts) % parts;
        if (QWidget *entry = entryOf(to)) {
            focus(entry);
            return true;
        }
    }
    return false;
}

bool KeyboardFocus::eventFilter(QObject *watched, QEvent *event) {
    auto *control = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPress(control, static_cast<const QKeyEvent &>(*event));
    case QEvent::KeyRelease:
        return true; // the buttons' own keys (Space clicks on release) stay out
    case QEvent::FocusIn:
        if (const int part = partOf(control); part >= 0)
            lastFocused_.at(static_cast<std::size_t>(part)) = control;
        // The outline shows for keys only: a click puts it out of view
        // until the next key.
        if (outline_ != nullptr &&
            static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
            outline_->hide();
        else if (outline_ != nullptr && outline_->isVisible())
            outline_->follow(control);
        return false;
    default:
        return false;
    }
}

bool KeyboardFocus::keyPress(QWidget *control, const QKeyEvent &key) {
    const Qt::KeyboardModifiers modifiers =
        key.modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Left to the window, which asks moveToPart.
        return false;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (modifiers == Qt::NoModifier) {
            const int dx = key.key() == Qt::Key_Left ? -1 : key.key() == Qt::Key_Right ? 1 : 0;
            const int dy = key.key() == Qt::Key_Up ? -1 : key.key() == Qt::Key_Down ? 1 : 0;
            focus(neighbour(control, dx, dy));
        }
        return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A held key presses once.
        if (!key.isAutoRepeat() &&
            (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
            focus(control);
            emit press(control, modifiers == Qt::ShiftModifier);
        }
        return true;
    default:
        return true;
    }
}

QWidget *KeyboardFocus::neighbour(const QWidget *control, int dx, int dy) const {
    const int part = partOf(control);
    const QRect from = control->geometry();
    QWidget *nearest = nullptr;
    int nearestDistance = INT_MAX;
    for (const Target &target : targets_) {
        if (target.part != part || target.widget == control || !target.widget->isVisible())
            continue;
        const QRect to = target.widget->geometry();
        // Ahead in the direction, by its centre, and level with the control
        // across it (the same row for Left/Right, the same column for Up/Down).
        const QPoint ahead = to.center() - from.center();
        const int along = ahead.x() * dx + ahead.y() * dy;
        const bool level = dx != 0 ? to.top() <= from.bottom() && from.top() <= to.bottom()
                                   : to.left() <= from.right() && from.left() <= to.right();
        if (along > 0 && level && along < nearestDistance) {
            nearest = target.widget;
            nearestDistance = along;
        }
    }
    return nearest;
}

QWidget *KeyboardFocus::entryOf(int part) const {
    QWidget *last = lastFocused_.at(static_cast<std::size_t>(part));
    if (last != nullptr && last->isVisible())
        return last;
    // The part's top left control: the leftmost of those on its top row.
    QWidget *entry = nullptr;
    for (const Target &target : targets_) {
        if (target.part != part || !target.widget->isVisible())
            continue;
        const QRect at = target.widget->geometry();
        if (entry == nullptr)
            entry = target.widget;
        else if (const QRect best = entry->geometry();
                 at.bottom() < best.top() || (at.top() <= best.bottom() && at.left() < best.left()))
            entry = target.widget;
    }
    return entry;
}

int KeyboardFocus::partOf(const QWidget *control) const {
    for (const Target &target : targets_)
        if (target.widget == control)
            return target.part;
    return -1;
}

void KeyboardFocus::focus(QWidget *control) {
    if (control == nullptr)
        return;
    if (outline_ == nullptr)
        outline_ = new FocusOutline(window_);
    control->setFocus(Qt::OtherFocusReason);
    outline_->follow(control);
}

} // namespace ctallix
