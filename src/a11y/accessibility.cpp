#include "a11y/accessibility.h"

#include "window/control_name.h"
#include "window/controls.h"
#include "window/form1.h"
#include "window/layout.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QHash>
#include <QLabel>

#include <array>
#include <string_view>

namespace ctallix {

namespace {

// The words a screen reader says.
struct Speech {
    Q_DECLARE_TR_FUNCTIONS(ctallix::Speech)
};

// The layout row of a window control; nullptr for anything else.
const Control *controlOf(const QObject *object) {
    static const QHash<QString, const Control *> rows = [] {
        QHash<QString, const Control *> byName;
        for (const Control &c : kLayout)
            byName.insert(controlName(QLatin1String(c.name), c.index), &c);
        return byName;
    }();
    return rows.value(object->objectName());
}

Form1 *formOf(const QObject *object) {
    return qobject_cast<Form1 *>(object->parent());
}

// The digit column k shows: the lower gap's item, and 5 when the upper gap is
// the slot away from the beam.
int shownDigit(const Form1 &form, int k) {
    int digit = form.showsGap(form.slot(k, Half::Upper, kUpperAway)) ? 5 : 0;
    for (int item = 0; item < kLowerItems; ++item)
        if (form.showsGap(form.slot(k, Half::Lower, item)))
            digit += item;
    return digit;
}

// The frame's number as it reads: the whole digits without leading zeros, a
// point after the selected column and its decimal digits ("1.50", "36").
QString shownNumber(const Form1 &form) {
    const int dot = form.decimalColumn();
    QString number;
    for (int k = kColumns - 1; k >= 0; --k) {
        if (!number.isEmpty() || shownDigit(form, k) != 0 || k <= dot)
            number += QChar(u'0' + shownDigit(form, k));
        if (k == dot && dot > 0)
            number += u'.';
    }
    return number;
}

QString slotName(const Form1 &form, const Control &c, const PictureBox *slot) {
    const bool gap = form.showsGap(slot);
    if (c.kind == Kind::Lower)
        return (gap ? Speech::tr("Column %1, lower slot %2: gap")
                    : Speech::tr("Column %1, lower slot %2: bead"))
            .arg(c.column)
            .arg(c.index);
    if (c.index == kUpperAway)
        return (gap ? Speech::tr("Column %1, upper slot away from the beam: gap")
                    : Speech::tr("Column %1, upper slot away from the beam: bead"))
            .arg(c.column);
    return (gap ? Speech::tr("Column %1, upper slot next to the beam: gap")
                : Speech::tr("Column %1, upper slot next to the beam: bead"))
        .arg(c.column);
}

QString nameOf(const QAbstractButton *button, const Control &c) {
    const Form1 &form = *formOf(button);
    switch (c.kind) {
    case Kind::Lower:
    case Kind::Upper:
        return slotName(form, c, static_cast<const PictureBox *>(button));
    case Kind::Rail:
        return c.index == kTopRail ? Speech::tr("Top rail: show the digit hints")
                                   : Speech::tr("Bottom rail: show the digit hints");
    case Kind::Beam:
        return Speech::tr("Beam: the frame reads %1").arg(shownNumber(form));
    case Kind::Option:
        return Speech::tr("Column %1: %2").arg(c.column).arg(shownDigit(form, c.column));
    case Kind::Hint:
        return button->text().isEmpty()
                   ? Speech::tr("Hint under column %1: blank").arg(c.column)
                   : Speech::tr("Hint under column %1: %2").arg(c.column).arg(button->text());
    default:
        return button->accessibleName();
    }
}

QString descriptionOf(const QAbstractButton *button, const Control &c) {
    switch (c.kind) {
    case Kind::Lower:
        return Speech::tr("Press: the column's lower beads count %1. Press with the right "
                          "button: the upper bead adds 5 as well.")
            .arg(c.index);
    case Kind::Upper:
        return c.index == kUpperAway
                   ? Speech::tr("Click: the upper bead moves against the beam and adds "
                                "5 to the column.")
                   : Speech::tr("Click: the upper bead moves away from the beam and "
                                "takes 5 from the column.");
    case Kind::Rail:
        return Speech::tr("Click: the digits of the last result show under the columns.");
    case Kind::Beam:
        return Speech::tr("Click: every column goes back to zero.");
    case Kind::Option:
        return c.column == 0 ? Speech::tr("Click: the decimal point goes after column 0, with "
                                          "no decimal places.")
                             : Speech::tr("Click: the decimal point goes after column %1; the "
                                          "%1 columns to its right hold decimal places.")
                                   .arg(c.column);
    case Kind::Hint:
        return Speech::tr("The result's digit in column %1. Click: the hints hide.").arg(c.column);
    default:
        return button->accessibleDescription();
    }
}

// The window's clickable controls. Slots and markers are radio buttons,
// checked where they hold the gap or the decimal point; an action clicks at
// once (Qt's own button action clicks 100 ms later, so that quick actions
// would overtake each other).
class ControlInterface : public QAccessibleWidget {
public:
    explicit ControlInterface(QAbstractButton *button) : QAccessibleWidget(button) {}

    QAbstractButton *button() const { return static_cast<QAbstractButton *>(widget()); }
    const Control *control() const {
        if (control_ == nullptr)
            control_ = controlOf(widget());
        return control_;
    }
    bool radio() const {
        const Kind kind = control() != nullptr ? control()->kind : Kind::Command;
        return kind == Kind::Lower || kind == Kind::Upper || kind == Kind::Option;
    }

    QAccessible::Role role() const override {
        return radio() ? QAccessible::RadioButton : QAccessible::Button;
    }
    QString text(QAccessible::Text t) const override {
        if (control() == nullptr || (t != QAccessible::Name && t != QAccessible::Description))
            return QAccessibleWidget::text(t);
        return t == QAccessible::Name ? nameOf(button(), *control())
                                      : descriptionOf(button(), *control());
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (radio()) {
            state.checkable = true;
            state.checked = control()->kind == Kind::Option
                                ? button()->isChecked()
                                : formOf(widget())->showsGap(static_cast<PictureBox *>(button()));
        }
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface *>(this)
                   : QAccessibleWidget::interface_cast(type);
    }

    QStringList actionNames() const override {
        return {control() != nullptr && control()->kind == Kind::Option ? toggleAction()
                                                                        : pressAction()};
    }
    void doAction(const QString &action) override {
        if (actionNames().contains(action))
            button()->click();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    mutable const Control *control_ = nullptr;
};

// Announces results: an object with the notification role, shown each time
// it has something to say. Orca speaks a notification that appears, wherever
// the user is; AT-SPI sees "object:state-changed:showing".
class Announcer : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    QString text;
    bool shown = false;
    // What the markers, the beam and the display said last.
    std::array<QString, kColumns> markers;
    QString beam, display;
    int dot = 0; // the checked marker's column
};

class AnnouncerInterface : public QAccessibleObject {
public:
    explicit AnnouncerInterface(Announcer *announcer) : QAccessibleObject(announcer) {}
    Announcer *announcer() const { return static_cast<Announcer *>(object()); }

    QAccessibleInterface *parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? announcer()->text : QString();
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !announcer()->shown;
        return state;
    }
    // Where the display line is, under the frame.
    QRect rect() const override {
        const QWidget *display = static_cast<Form1 *>(object()->parent())->control(Kind::Display);
        return {display->mapToGlobal(QPoint(0, 0)), display->size()};
    }
};

Announcer &announcerOf(Form1 &form) {
    if (auto *announcer = form.findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly))
        return *announcer;
    return *new Announcer(&form);
}

// The window: a frame, whose children are its controls but the two hidden
// picture holders, then the announcer, then the hint labels while they show
// (a client that read one hidden would keep it invisible once shown: Qt tells
// it only that the label is showing, never that it is visible); a point finds the control the mouse
// would reach there (Qt's own takes the first control whose rectangle holds
// the point, the beam under the markers).
class WindowInterface : public QAccessibleWidget {
public:
    explicit WindowInterface(QWidget *form) : QAccessibleWidget(form, QAccessible::Window) {}

    QList<QObject *> children() const {
        QList<QObject *> shown, hints;
        for (QObject *child : widget()->children()) {
            const Control *c = controlOf(child);
            if (c == nullptr || c->kind == Kind::Holder)
                continue;
            if (c->kind != Kind::Hint)
                shown << child;
            else if (static_cast<QWidget *>(child)->isVisible())
                hints << child;
        }
        shown << &announcerOf(*static_cast<Form1 *>(widget()));
        return shown + hints;
    }
    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface *child(int index) const override {
        const QList<QObject *> list = children();
        return index >= 0 && index < list.size()
                   ? QAccessible::queryAccessibleInterface(list[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        return child != nullptr ? static_cast<int>(children().indexOf(child->object())) : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override {
        QWidget *hit = widget()->childAt(widget()->mapFromGlobal(QPoint(x, y)));
        while (hit != nullptr && hit->parentWidget() != widget())
            hit = hit->parentWidget();
        return hit != nullptr ? QAccessible::queryAccessibleInterface(hit) : nullptr;
    }
};

// The heading and the display line: a heading, and a text the screen reader
// can read by character, word or line.
class LabelInterface : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LabelInterface(QLabel *label) : QAccessibleWidget(label) {}
    QString all() const { return static_cast<QLabel *>(widget())->text(); }

    QAccessible::Role role() const override {
        const Control *c = controlOf(widget());
        return c != nullptr && c->kind == Kind::Heading ? QAccessible::Heading
                                                        : QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? all() : QAccessibleWidget::text(t);
    }
    void *interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return all().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(all().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
};

QAccessibleInterface *build(const QString &className, QObject *object) {
    if (className == QLatin1String("ctallix::Form1"))
        return new WindowInterface(static_cast<QWidget *>(object));
    if (className == QLatin1String("ctallix::PictureBox") ||
        className == QLatin1String("ctallix::ClickLabel") ||
        className == QLatin1String("ctallix::OptionMarker") ||
        className == QLatin1String("ctallix::ImageButton"))
        return new ControlInterface(static_cast<QAbstractButton *>(object));
    if (className == QLatin1String("QLabel") && formOf(object) != nullptr)
        return new LabelInterface(static_cast<QLabel *>(object));
    if (className == QLatin1String("ctallix::Announcer"))
        return new AnnouncerInterface(static_cast<Announcer *>(object));
    return nullptr;
}

void nameChanged(QObject *object) {
    QAccessibleEvent event(object, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

// Tells a screen reader what a control is now: its name and, for a slot or a
// marker, whether it is checked. A client such as libatspi keeps what it read
// of an object until an event says it changed; a control renewed or left
// untold by a press is brought up to date this way as the focus reaches it.
void refresh(QWidget *control) {
    nameChanged(control);
    if (const Control *c = controlOf(control);
        c != nullptr &&
        (c->kind == Kind::Lower || c->kind == Kind::Upper || c->kind == Kind::Option)) {
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent state(control, checked);
        QAccessible::updateAccessibility(&state);
    }
}

// Gives `object` a new accessible object, so that a client's record of the old
// one (its name and states, as read before) is no longer found: a screen
// reader reads the new one afresh. It costs no event, where telling every
// changed object's name and state would flood the screen reader (Orca drops
// events beyond 50 waiting; a result laid on all ten columns changes up to 40
// slots).
void renew(QWidget *object) {
    if (object->hasFocus()) // the screen reader holds on to the focused one
        return refresh(object);
    QAccessible::deleteAccessibleInterface(
        QAccessible::uniqueId(QAccessible::queryAccessibleInterface(object)));
}

// Says `text` to the user wherever the focus is. Qt 6.8 has an event for it;
// before, a notification that appears is what Orca speaks.
void announce(Form1 &form, const QString &text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(&form, text);
    QAccessible::updateAccessibility(&event);
#else
    Announcer &said = announcerOf(form);
    said.text = text;
    // Hidden first, so that the same words said twice are shown twice.
    for (const QAccessible::Event type : {QAccessible::ObjectHide, QAccessible::ObjectShow}) {
        said.shown = type == QAccessible::ObjectShow;
        QAccessibleEvent event(&said, type);
        QAccessible::updateAccessibility(&event);
    }
#endif
}

// What a press changed, in words: the pressed slot and its column's digit,
// where the decimal point went, the display line, the laid result, the hints.
QString pressSaid(const Form1 &form, const FormChange &change) {
    const QString number = shownNumber(form);
    if (change.refused)
        return Speech::tr("Refused. Everything is cleared.");
    if (change.resultLaid)
        return Speech::tr("Result: %1").arg(number);
    const Control &c = *change.pressed;
    const auto *display = static_cast<const QLabel *>(form.control(Kind::Display));
    switch (c.kind) {
    case Kind::Lower:
    case Kind::Upper:
        return Speech::tr("%1; the column reads %2")
            .arg(slotName(form, c, static_cast<const PictureBox *>(form.control(c))))
            .arg(shownDigit(form, c.column));
    case Kind::Option:
        return Speech::tr("Decimal point after column %1; the frame reads %2")
            .arg(c.column)
            .arg(number);
    case Kind::Beam:
        return Speech::tr("The frame reads %1").arg(number);
    case Kind::Rail:
    case Kind::Hint:
        return form.control(Kind::Hint, 0)->isVisible() ? Speech::tr("Hints shown")
                                                        : Speech::tr("Hints hidden");
    default: // a button: what the display line shows now
        return display->text().isEmpty() || c.name == std::string_view("Command4")
                   ? Speech::tr("Everything is cleared.")
                   : Speech::tr("Running result: %1").arg(display->text());
    }
}

} // namespace

void installAccessibility() {
    QAccessible::installFactory(build);
}

void followFocus(Form1 &form) {
    QObject::connect(qApp, &QApplication::focusChanged, &form, [&form](QWidget *, QWidget *now) {
        if (QAccessible::isActive() && now != nullptr && now->parentWidget() == &form)
            refresh(now);
    });
}

void framePressing(Form1 &form, const Control &pressed) {
    // Hint labels about to show are renewed first, so that a client reads
    // them afresh, showing and visible, when Qt says they show.
    if (!QAccessible::isActive() || pressed.kind != Kind::Rail ||
        form.control(Kind::Hint, 0)->isVisible())
        return;
    for (int k = 0; k < kColumns; ++k)
        renew(form.control(Kind::Hint, k));
}

void frameChanged(Form1 &form, const FormChange &change) {
    if (!QAccessible::isActive() || change.pressed == nullptr)
        return;
    Announcer &said = announcerOf(form);
    // The pressed column's slots and marker say their change; every other
    // changed slot and marker is renewed, unless Qt has just told of it.
    const int column = change.pressed->column;
    QAccessible::State checked;
    checked.checked = true;
    for (PictureBox *slot : change.beadSlots) {
        if (controlOf(slot)->column != column) {
            renew(slot);
            continue;
        }
        QAccessibleStateChangeEvent state(slot, checked);
        QAccessible::updateAccessibility(&state);
        nameChanged(slot);
    }
    // A marker that Qt told was checked or unchecked keeps its object.
    const int dot = form.decimalColumn();
    const int undotted = std::exchange(said.dot, dot);
    for (int k = 0; k < kColumns; ++k) {
        QWidget *marker = form.control(Kind::Option, k);
        const QString name = QAccessible::queryAccessibleInterface(marker)->text(QAccessible::Name);
        if (std::exchange(said.markers.at(k), name) != name)
            k == column || (dot != undotted && (k == dot || k == undotted)) ? nameChanged(marker)
                                                                            : renew(marker);
    }
    const QString number = shownNumber(form);
    if (std::exchange(said.beam, number) != number)
        nameChanged(form.control(Kind::Beam));
    auto *label2 = static_cast<QLabel *>(form.control(Kind::Display));
    if (said.display != label2->text()) {
        QAccessibleTextUpdateEvent update(label2, 0, said.display, label2->text());
        QAccessible::updateAccessibility(&update);
        said.display = label2->text();
    }
    // Last the words for the press: Orca drops a notification that comes
    // before many other events.
    announce(form, pressSaid(form, change));
}

} // namespace ctallix

#include "accessibility.moc"
