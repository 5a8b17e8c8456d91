#include "ui/form1.h"

#include "ui/controls.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QPainter>

namespace ctallix {

namespace {

// Window client area.
constexpr int kClientWidth = 463;
constexpr int kClientHeight = 282;

// Bead frame: ten 40 px columns, column 9 leftmost.
constexpr int kFrameLeft = 11;
constexpr int kColumnWidth = 40;
constexpr int kSlotHeight = 23;
constexpr int kUpperItem0Y = 65;
constexpr int kLowerTopY = 100;

int columnX(int column) {
    return kFrameLeft + kColumnWidth * (9 - column);
}
// Upper item 5 sits one pixel higher in the five left columns.
int upperItem5Y(int column) {
    return column <= 4 ? 43 : 42;
}

// Hint labels: hand-placed under each column, not on a regular grid.
constexpr std::array<QPoint, 10> kLab1At = {
    QPoint(371, 230), QPoint(332, 231), QPoint(293, 231), QPoint(254, 231), QPoint(215, 231),
    QPoint(175, 231), QPoint(133, 231), QPoint(93, 231),  QPoint(53, 231),  QPoint(14, 231)};

// Names of the upper slot arrays; column 9's is spelled with a lower-case p.
QString upperArrayName(int column) {
    return column == 9 ? QStringLiteral("pic95") : QStringLiteral("Pic%1").arg(column) + u'5';
}

QString itemName(const QString &array, int index) {
    return QStringLiteral("%1(%2)").arg(array).arg(index);
}

const QColor kWhite(255, 255, 255);
const QColor kOrange(255, 128, 0);
const QColor kGrey(128, 128, 128);

QPixmap image(const char *name) {
    return QPixmap(QStringLiteral(":/images/") + QLatin1String(name));
}

// The press handlers' mouse-button code.
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

// The press handlers' shift-state mask: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t shiftMask(Qt::KeyboardModifiers modifiers) {
    std::int16_t mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= 1;
    if (modifiers & Qt::ControlModifier)
        mask |= 2;
    if (modifiers & Qt::AltModifier)
        mask |= 4;
    return mask;
}

// A label font given in points at 96 dpi, as a pixel size so the window
// looks the same on every screen.
QFont labelFont(const QString &family, int pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // The labels show digits, "." and "Orvane", which every stand-in face
    // has: no fallback faces are needed, and looking them up costs the
    // first paint a fontconfig sort of every installed font.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

// What a screen reader says for a control: its name, then what it does.
void describe(QWidget *control, const QString &name, const QString &description) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

void paintLabel(QLabel *label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, kWhite);
    palette.setColor(QPalette::WindowText, kOrange);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

} // namespace

Form1::Form1(Load load, QWidget *parent)
    : QWidget(parent), bead_(image("bead.bmp")), gap_(image("gap.bmp")),
      designBead_(image("bead_design.bmp")), designGap_(image("gap_design.bmp")),
      railTop_(image("rail_top.bmp")), railBottom_(image("rail_bottom.bmp")), core_(*this) {
    installFontSubstitutes();
    installAccessibility();

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("cTallix"));
    setFixedSize(kClientWidth, kClientHeight);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kWhite);
    palette.setColor(QPalette::WindowText, kOrange);
    setPalette(palette);
    setAutoFillBackground(true);

    // Creation order is stacking order: the rails lie over the slots' edge
    // rows, and the option markers over the beam.
    createFrame();
    createLabels();
    createButtons();

    if (load == Load::Now)
        Form_Load();
}

Form1::~Form1() = default;

void Form1::createFrame() {
    pic80_ = new PictureBox(this);
    pic80_->setObjectName(QStringLiteral("Pic80"));
    pic80_->setGeometry(217, 2, 40, kSlotHeight);
    pic80_->setPicture(&gap_, QStringLiteral("gap"));
    pic80_->hide();

    pic81_ = new PictureBox(this);
    pic81_->setObjectName(QStringLiteral("Pic81"));
    pic81_->setGeometry(176, 2, 40, kSlotHeight);
    pic81_->setPicture(&bead_, QStringLiteral("bead"));
    pic81_->hide();

    // Until the reset runs, the frame shows zero in the design-time pictures.
    const QString designBead = QStringLiteral("design-bead");
    const QString designGap = QStringLiteral("design-gap");

    for (int k = 0; k < 10; ++k) {
        for (int i = 0; i < 5; ++i) {
            auto *slot = new PictureBox(this);
            slot->setObjectName(itemName(QStringLiteral("Pic%1").arg(k), i));
            slot->setGeometry(columnX(k), kLowerTopY + kSlotHeight * i, kColumnWidth, kSlotHeight);
            if (i == 0)
                slot->setPicture(&designGap_, designGap);
            else
                slot->setPicture(&designBead_, designBead);
            describe(slot, QStringLiteral("Column %1, lower bead %2").arg(k).arg(i),
                     QStringLiteral("Press: the column's lower beads count %1. Press with the "
                                    "right button: the upper bead adds 5 as well.")
                         .arg(i));
            connect(
                slot, &PictureBox::pressed, this,
                [this, k, i](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF pos) {
                    const std::int16_t code = buttonCode(button);
                    if (code != 0)
                        PicK_MouseDown(k, static_cast<std::int16_t>(i), code, shiftMask(modifiers),
                                       static_cast<float>(pos.x()), static_cast<float>(pos.y()));
                });
            lower_[k][i] = slot;
        }
    }

    // Item 5 first, so that item 0 lies over the row they share.
    for (int item : {5, 0}) {
        for (int k = 0; k < 10; ++k) {
            auto *slot = new PictureBox(this);
            slot->setObjectName(itemName(upperArrayName(k), item));
            slot->setGeometry(columnX(k), item == 5 ? upperItem5Y(k) : kUpperItem0Y, kColumnWidth,
                              kSlotHeight);
            if (item == 0)
                slot->setPicture(&designGap_, designGap);
            else
                slot->setPicture(&designBead_, designBead);
            if (item == 5)
                describe(slot, QStringLiteral("Column %1, upper bead away from the beam").arg(k),
                         QStringLiteral("Click: the upper bead moves against the beam and "
                                        "adds 5 to the column."));
            else
                describe(slot, QStringLiteral("Column %1, upper bead next to the beam").arg(k),
                         QStringLiteral("Click: the upper bead moves away from the beam and "
                                        "takes 5 from the column."));
            connect(slot, &PictureBox::clicked, this,
                    [this, k, item] { PicK5_Click(k, static_cast<std::int16_t>(item)); });
            upper_[k][item == 0 ? 0 : 1] = slot;
        }
    }

    // Picture22(1) is the top rail, Picture22(0) the bottom one; both show
    // the left 400 px of their wider pictures.
    for (int index : {1, 0}) {
        auto *rail = new PictureBox(this);
        rail->setObjectName(itemName(QStringLiteral("Picture22"), index));
        rail->setGeometry(kFrameLeft, index == 1 ? 28 : 215, 400, 15);
        if (index == 1)
            rail->setPicture(&railTop_, QStringLiteral("rail-top"));
        else
            rail->setPicture(&railBottom_, QStringLiteral("rail-bottom"));
        describe(rail,
                 index == 1 ? QStringLiteral("Top rail: show the digit hints")
                            : QStringLiteral("Bottom rail: show the digit hints"),
                 QStringLiteral("Click: the digits of the last result show under the columns."));
        connect(rail, &PictureBox::clicked, this,
                [this, index] { Picture22_Click(static_cast<std::int16_t>(index)); });
    }

    auto *beam = new Beam(this);
    beam->setObjectName(QStringLiteral("Frame1"));
    beam->setGeometry(kFrameLeft, 88, 400, 12);
    QPalette beamPalette = beam->palette();
    beamPalette.setColor(QPalette::Window, kGrey);
    beam->setPalette(beamPalette);
    describe(beam, QStringLiteral("Beam: clear the frame"),
             QStringLiteral("Click: every column goes back to zero."));
    connect(beam, &Beam::clicked, this, [this] { Frame1_Click(); });

    optionGroup_ = new QButtonGroup(this);
    optionGroup_->setExclusive(true);
    // Grey like the beam; the (unseen) caption in the system's text colour,
    // not the window's orange.
    QPalette optionPalette;
    const QColor systemText = QApplication::palette().color(QPalette::WindowText);
    optionPalette.setColor(QPalette::Window, kGrey);
    optionPalette.setColor(QPalette::WindowText, systemText);
    optionPalette.setColor(QPalette::ButtonText, systemText);
    for (int k = 0; k < 10; ++k) {
        auto *option = new OptionMarker(QStringLiteral("Option1"), this);
        option->setObjectName(itemName(QStringLiteral("Option1"), k));
        option->setGeometry(columnX(k) + 12, 88, 13, 12);
        option->setPalette(optionPalette);
        option->setChecked(k == 0);
        describe(option, QStringLiteral("Decimal point after column %1").arg(k),
                 k == 0 ? QStringLiteral("Column 0 holds the units digit: no decimal places.")
                        : QStringLiteral("Column %1 holds the units digit; the %1 columns to "
                                         "its right hold decimal places.")
                              .arg(k));
        optionGroup_->addButton(option, k);
        connect(option, &QAbstractButton::clicked, this,
                [this, k] { Option1_Click(static_cast<std::int16_t>(k)); });
        option1_[k] = option;
    }
}

void Form1::createLabels() {
    label1_ = new QLabel(QStringLiteral("Orvane"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(64, 5, 80, 19);
    label1_->setFont(labelFont(kKaiFamily, 19, false));
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    paintLabel(label1_);

    // The display line: one line, left-aligned, no border; the reset writes
    // its first text.
    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setGeometry(16, 256, 321, 25);
    label2_->setFont(labelFont(kGothicFamily, 16, true));
    label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label2_->setWordWrap(false);
    label2_->setTextFormat(Qt::PlainText);
    paintLabel(label2_);

    for (int k = 0; k < 10; ++k) {
        auto *hint = new ClickLabel(this);
        hint->setObjectName(itemName(QStringLiteral("Lab1"), k));
        hint->setGeometry(QRect(kLab1At[k], QSize(22, 22)));
        // Columns 0 and 3 ask for the vertical-writing variant of the face;
        // its stand-in is the ordinary face, so all ten look alike.
        hint->setFont(
            labelFont(k == 0 || k == 3 ? kGothicVerticalFamily : kGothicFamily, 21, true));
        hint->setAlignment(Qt::AlignCenter);
        hint->setTextFormat(Qt::PlainText);
        paintLabel(hint);
        hint->hide();
        describe(hint, QStringLiteral("Hint under column %1").arg(k),
                 QStringLiteral("The result's digit in column %1. Click: the hints hide.").arg(k));
        connect(hint, &ClickLabel::clicked, this,
                [this, k] { Lab1_Click(static_cast<std::int16_t>(k)); });
        lab1_[k] = hint;
    }
}

void Form1::createButtons() {
    struct Command {
        const char *name;
        int x;
        const char *beads;
        const char *symbol;
        void (Form1::*handler)();
        const char *says;        // accessible name and tooltip
        const char *description; // accessible description
    };
    const Command commands[] = {
        {"Command1", 259, "command1_beads.bmp", "command1_symbol.bmp", &Form1::Command1_Click,
         "Multiply",
         "Takes the frame's number as the first factor, or multiplies the running result by it, "
         "and clears the frame."},
        {"Command2", 298, "command2_beads.bmp", "command2_symbol.bmp", &Form1::Command2_Click,
         "Divide",
         "Takes the frame's number as the dividend, or divides the running result by it, and "
         "clears the frame."},
        {"Command3", 336, "command3_beads.bmp", "command3_symbol.bmp", &Form1::Command3_Click,
         "Equals",
         "Applies the last multiply or divide to the frame's number and lays the result on the "
         "beads."},
        {"Command4", 375, "command4_beads.bmp", "command4_symbol.bmp", &Form1::Command4_Click,
         "Clear", "Clears the frame, the running result and the display."},
    };
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Button, kWhite);
    palette.setColor(QPalette::Window, kWhite);
    for (const Command &command : commands) {
        // The symbol names the operation at rest; the bead shape shows while
        // the button is held down.
        auto *button = new ImageButton(image(command.symbol), image(command.beads), this);
        button->setObjectName(QLatin1String(command.name));
        button->setGeometry(command.x, 7, 29, 17);
        button->setPalette(palette);
        button->setToolTip(QLatin1String(command.says));
        describe(button, QLatin1String(command.says), QLatin1String(command.description));
        connect(button, &QPushButton::clicked, this,
                [this, handler = command.handler] { (this->*handler)(); });
    }
}

void Form1::paintEvent(QPaintEvent *) {
    // The background picture: the design-time bead, unscaled, at the corner.
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false); // crisp when scaled
    painter.drawPixmap(0, 0, designBead_);
}

// --- FormView -------------------------------------------------------------

void Form1::setSlot(int column, Half half, int item, Picture picture) {
    PictureBox *slot =
        half == Half::Lower ? lower_.at(column).at(item) : upper_.at(column).at(item == 0 ? 0 : 1);
    slot->showPictureOf(picture == Picture::Bead ? *pic81_ : *pic80_);
}

void Form1::setCaption(Caption label, int index, const std::string &text) {
    // The fill character (code 0) shows as nothing.
    QString caption = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    caption.remove(QChar(u'\0'));
    if (label == Caption::Label2)
        label2_->setText(caption);
    else
        lab1_.at(index)->setText(caption);
}

void Form1::setHintVisible(int index, bool visible) {
    lab1_.at(index)->setVisible(visible);
}

bool Form1::selectOption(int index) {
    OptionMarker *option = option1_.at(index);
    if (option->isChecked())
        return false;
    // setChecked does not emit clicked(), so the click handler is not
    // re-entered; the core runs it itself.
    option->setChecked(true);
    return true;
}

void Form1::beep() {
    QApplication::beep();
}

// --- Event handlers -------------------------------------------------------

void Form1::Form_Load() {
    core_.Form_Load();
}

void Form1::PicK_MouseDown(int K, std::int16_t Index, std::int16_t Button, std::int16_t Shift,
                           float X, float Y) {
    core_.PicK_MouseDown(K, Index, Button, Shift, X, Y);
}

void Form1::PicK5_Click(int K, std::int16_t Index) {
    core_.PicK5_Click(K, Index);
}
void Form1::Frame1_Click() {
    core_.Frame1_Click();
}
void Form1::Option1_Click(std::int16_t Index) {
    core_.Option1_Click(Index);
}
void Form1::Command1_Click() {
    core_.Command1_Click();
}
void Form1::Command2_Click() {
    core_.Command2_Click();
}
void Form1::Command3_Click() {
    core_.Command3_Click();
}
void Form1::Command4_Click() {
    core_.Command4_Click();
}
void Form1::Picture22_Click(std::int16_t Index) {
    core_.Picture22_Click(Index);
}
void Form1::Lab1_Click(std::int16_t Index) {
    core_.Lab1_Click(Index);
}

} // namespace ctallix
