#include "window/form1.h"

#include "window/bitmap.h"
#include "window/control_name.h"
#include "window/controls.h"
#include "window/fonts.h"
#include "window/keyboard_focus.h"
#include "window/screen_scale.h"

#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QPainter>
#include <QResource>
#include <QScreen>
#include <QSignalBlocker>

#include <cstdint>
#include <string_view>

namespace ctallix {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kOrange(255, 128, 0);
const QColor kGrey(128, 128, 128);

// The press handler's mouse-button code; 0 for a button it does not take.
std::int16_t buttonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return kLeftButton;
    case Qt::RightButton:
        return kRightButton;
    case Qt::MiddleButton:
        return kMiddleButton;
    default:
        return 0;
    }
}

// The press handler's shift-state mask.
std::int16_t shiftMask(Qt::KeyboardModifiers modifiers) {
    std::int16_t mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= kShiftMask;
    if (modifiers & Qt::ControlModifier)
        mask |= kCtrlMask;
    if (modifiers & Qt::AltModifier)
        mask |= kAltMask;
    return mask;
}

QFont labelFont(const Font &font) {
    QFont qfont;
    // The installed stand-in first: asked for the design's face, which is
    // not installed, Qt would sort every installed font for fallbacks before
    // it tried the substitute. The design's face stays named after it.
    qfont.setFamilies({QFont::substitute(*font.family), *font.family});
    qfont.setPixelSize(font.pixelSize);
    qfont.setBold(font.bold);
    // The labels show digits, "." and "Orvane", which every stand-in face
    // has: no fallback faces are needed, and looking them up costs the
    // first paint a fontconfig sort of every installed font.
    qfont.setStyleStrategy(QFont::NoFontMerging);
    return qfont;
}

void orangeOnWhite(QWidget *label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kWhite);
    palette.setColor(QPalette::WindowText, kOrange);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

// What each image button does, and says (its accessible name and tooltip).
struct Command {
    std::string_view name;
    void (Form1Core::*handler)();
    const char *says;
    const char *description;
};
constexpr Command kCommands[] = {
    {"Command1", &Form1Core::Command1_Click, QT_TRANSLATE_NOOP("ctallix::Command", "Multiply"),
     QT_TRANSLATE_NOOP(
         "ctallix::Command",
         "Takes the frame's number as the first factor, or multiplies the running result by it, "
         "and clears the frame.")},
    {"Command2", &Form1Core::Command2_Click, QT_TRANSLATE_NOOP("ctallix::Command", "Divide"),
     QT_TRANSLATE_NOOP(
         "ctallix::Command",
         "Takes the frame's number as the dividend, or divides the running result by it, and "
         "clears the frame.")},
    {"Command3", &Form1Core::Command3_Click, QT_TRANSLATE_NOOP("ctallix::Command", "Equals"),
     QT_TRANSLATE_NOOP(
         "ctallix::Command",
         "Applies the last multiply or divide to the frame's number and lays the result on the "
         "beads.")},
    {"Command4", &Form1Core::Command4_Click, QT_TRANSLATE_NOOP("ctallix::Command", "Clear"),
     QT_TRANSLATE_NOOP("ctallix::Command",
                       "Clears the frame, the running result and the display.")},
};

const Command &command(std::string_view name) {
    for (const Command &command : kCommands) {
        if (command.name == name)
            return command;
    }
    qFatal("no command %s", name.data());
}

} // namespace

template <class Handler> void Form1::handle(const Control &pressed, Handler handler) {
    change_.beadSlots.clear();
    change_.resultLaid = change_.refused = false;
    change_.pressed = &pressed;
    emit pressing(pressed);
    handler();
    emit changed(change_);
}

Form1::Form1(QWidget *parent) : QWidget(parent), core_(*this) {
    installFontSubstitutes();

    setObjectName(controlName(QStringLiteral("Form1")));
    setWindowTitle(QStringLiteral("cTallix"));
    setFixedSize(kFormGeometry.size());
    // The buttons' tooltips show while another window has the focus too.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    if (const QScreen *screen = QGuiApplication::primaryScreen();
        screen != nullptr && screen->availableGeometry().contains(kFormGeometry))
        setGeometry(kFormGeometry);
    orangeOnWhite(this);
    options_ = new QButtonGroup(this);
    change_.beadSlots.reserve(4 * kColumns * (kLowerItems + 2));

    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        const Control &c = kLayout[row];
        QWidget *widget = nullptr;
        switch (c.kind) {
        case Kind::Holder:
        case Kind::Lower:
        case Kind::Upper:
        case Kind::Rail:
            widget = addPicture(c);
            break;
        case Kind::Beam:
            widget = addBeam(c);
            break;
        case Kind::Option:
            widget = addOption(c);
            break;
        case Kind::Heading:
        case Kind::Display:
            widget = addLabel(c);
            break;
        case Kind::Hint:
            widget = addHint(c);
            break;
        case Kind::Command:
            widget = addCommand(c);
            break;
        }
        widget->setObjectName(controlName(QLatin1String(c.name), c.index));
        widget->setGeometry(c.x, c.y, c.width, c.height);
        if (!c.visible)
            widget->hide();
        controls_.at(row) = widget;
    }
    addKeyboard();
    core_.Form_Load();
}

// A bead slot, a rail or a hidden picture holder.
QWidget *Form1::addPicture(const Control &c) {
    const int k = c.column;
    const auto index = static_cast<std::int16_t>(c.index);
    auto *box = new PictureBox(this);
    box->setPicture(&picture(c.face));
    switch (c.kind) {
    case Kind::Holder:
        (std::string_view(c.name) == "Pic81" ? pic81_ : pic80_) = box;
        break;
    case Kind::Lower:
        lower_.at(k).at(c.index) = box;
        box->actOnPress();
        connect(box, &PictureBox::mouseDown, this,
                [this, &c, k, index](Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                     QPointF pos) {
                    if (const std::int16_t code = buttonCode(button); code != 0)
                        handle(c, [&] {
                            core_.PicK_MouseDown(k, index, code, shiftMask(modifiers),
                                                 static_cast<float>(pos.x()),
                                                 static_cast<float>(pos.y()));
                        });
                });
        break;
    case Kind::Upper:
        upper_.at(k).at(c.index == kUpperNear ? 0 : 1) = box;
        connect(box, &QAbstractButton::clicked, this,
                [this, &c, k, index] { handle(c, [&] { core_.PicK5_Click(k, index); }); });
        break;
    default: // a rail
        connect(box, &QAbstractButton::clicked, this,
                [this, &c, index] { handle(c, [&] { core_.Picture22_Click(index); }); });
    }
    return box;
}

QWidget *Form1::addBeam(const Control &c) {
    auto *beam = new ClickLabel(this);
    QPalette palette = beam->palette();
    palette.setColor(QPalette::Window, kGrey);
    beam->setPalette(palette);
    connect(beam, &QAbstractButton::clicked, this,
            [this, &c] { handle(c, [&] { core_.Frame1_Click(); }); });
    return beam;
}

QWidget *Form1::addOption(const Control &c) {
    const int k = c.column;
    const auto index = static_cast<std::int16_t>(c.index);
    auto *option = new OptionMarker(QLatin1String(c.face), this);
    // Grey like the beam; the (unseen) caption in the system's text colour,
    // not the window's orange.
    QPalette palette;
    const QColor systemText = QApplication::palette().color(QPalette::WindowText);
    palette.setColor(QPalette::Window, kGrey);
    palette.setColor(QPalette::WindowText, systemText);
    palette.setColor(QPalette::ButtonText, systemText);
    option->setPalette(palette);
    option->setChecked(k == 0);
    options_->addButton(option, k);
    // On toggled, not clicked: the screen reader's toggle action selects
    // without a click.
    connect(option, &QAbstractButton::toggled, this, [this, &c, index](bool checked) {
        if (checked)
            handle(c, [&] { core_.Option1_Click(index); });
    });
    option1_.at(k) = option;
    return option;
}

// The heading or the display line.
QWidget *Form1::addLabel(const Control &c) {
    auto *label = new QLabel(QLatin1String(c.face), this);
    label->setFont(labelFont(c.font));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(false);
    label->setTextFormat(Qt::PlainText);
    orangeOnWhite(label);
    if (c.kind == Kind::Display)
        label2_ = label;
    return label;
}

QWidget *Form1::addHint(const Control &c) {
    const auto index = static_cast<std::int16_t>(c.index);
    auto *hint = new ClickLabel(this);
    hint->setFont(labelFont(c.font));
    orangeOnWhite(hint);
    connect(hint, &QAbstractButton::clicked, this,
            [this, &c, index] { handle(c, [&] { core_.Lab1_Click(index); }); });
    lab1_.at(c.column) = hint;
    return hint;
}

QWidget *Form1::addCommand(const Control &c) {
    const Command &does = command(c.name);
    auto *button = new ImageButton(picture(c.face), picture(c.pressedPicture), this);
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Button, kWhite);
    palette.setColor(QPalette::Window, kWhite);
    button->setPalette(palette);
    const QString says = QCoreApplication::translate("ctallix::Command", does.says);
    button->setToolTip(says);
    button->setAccessibleName(says);
    button->setAccessibleDescription(
        QCoreApplication::translate("ctallix::Command", does.description));
    connect(button, &QAbstractButton::clicked, this,
            [this, &c, handler = does.handler] { handle(c, [&] { (core_.*handler)(); }); });
    return button;
}

void Form1::addKeyboard() {
    std::vector<std::pair<QWidget *, Kind>> controls;
    for (const Control &c : kLayout)
        controls.emplace_back(control(c), c.kind);
    keyboard_ = new KeyboardFocus(this, controls);
    connect(keyboard_, &KeyboardFocus::press, this, [](QWidget *control, bool right) {
        // A lower slot answers either button on the press; the other
        // controls answer a left click and nothing else, as with the mouse.
        if (auto *slot = qobject_cast<PictureBox *>(control);
            slot != nullptr && slot->actsOnPress())
            slot->pressWith(right ? Qt::RightButton : Qt::LeftButton);
        else if (!right)
            static_cast<QAbstractButton *>(control)->click();
    });
}

bool Form1::focusNextPrevChild(bool next) {
    return keyboard_->moveToPart(next);
}

const QPixmap &Form1::picture(const char *file) {
    auto [it, added] = pictures_.try_emplace(file);
    if (added) {
        const QResource bitmap(QStringLiteral(":/images/") + QLatin1String(file));
        it->second = QPixmap::fromImage(readBitmap(bitmap.uncompressedData()));
    }
    return it->second;
}

void Form1::paintEvent(QPaintEvent *) {
    // The background picture: the design-time bead, unscaled, at the corner.
    QPainter painter(this);
    drawPicture(painter, {0, 0}, picture("bead_design.bmp"));
}

PictureBox *Form1::slot(int column, Half half, int item) const {
    return half == Half::Lower ? lower_.at(column).at(item)
                               : upper_.at(column).at(item == kUpperNear ? 0 : 1);
}

bool Form1::showsGap(const PictureBox *slot) const {
    return slot->picture() == pic80_->picture();
}

int Form1::decimalColumn() const {
    return options_->checkedId();
}

void Form1::drawTextAhead() const {
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    for (const Kind kind : {Kind::Heading, Kind::Display}) {
        const auto *label = static_cast<const QLabel *>(control(kind));
        painter.setFont(label->font());
        painter.drawText(0, 0, label->text());
    }
}

QWidget *Form1::control(const Control &row) const {
    const auto index = static_cast<std::size_t>(&row - kLayout.data());
    return index < kLayout.size() ? controls_.at(index) : nullptr;
}

QWidget *Form1::control(Kind kind, int index) const {
    const Control *row = layoutRow(kind, index);
    return row != nullptr ? control(*row) : nullptr;
}

void Form1::setSlot(int column, Half half, int item, Picture picture) {
    PictureBox *box = slot(column, half, item);
    if (box->setPicture((picture == Picture::Bead ? pic81_ : pic80_)->picture()))
        change_.beadSlots.push_back(box);
}

void Form1::setCaption(Caption label, int index, const std::string &text) {
    // The fill character (code 0) shows as nothing.
    QString caption = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    caption.remove(QChar(u'\0'));
    if (label == Caption::Label2) {
        label2_->setText(caption);
        return;
    }
    // Only a laid result writes digits into the hint labels; the reset
    // empties them.
    change_.resultLaid |= !caption.isEmpty();
    lab1_.at(index)->setText(caption);
}

void Form1::setHintVisible(int index, bool visible) {
    lab1_.at(index)->setVisible(visible);
}

bool Form1::selectOption(int index) {
    OptionMarker *option = option1_.at(index);
    if (option->isChecked())
        return false;
    // The core runs the click handler itself after a selection it asks for.
    const QSignalBlocker quiet(option);
    option->setChecked(true);
    return true;
}

void Form1::beep() {
    change_.refused = true;
    emit bell();
}

} // namespace ctallix
