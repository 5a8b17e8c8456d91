#include "window/controls.h"
#include "window/screen_scale.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QStyleOptionButton>

namespace ctallix {

PictureBox::PictureBox(QWidget *parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    // The picture covers the control; nothing underneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::actOnPress() {
    actsOnPress_ = true;
    // The screen reader's press action arrives through pressed().
    connect(this, &QAbstractButton::pressed, this, [this] { pressWith(Qt::LeftButton); });
}

void PictureBox::pressWith(Qt::MouseButton button) {
    emit mouseDown(button, Qt::NoModifier, QPointF(width() / 2.0, height() / 2.0));
}

bool PictureBox::setPicture(const QPixmap *pixmap) {
    if (pixmap == pixmap_)
        return false;
    pixmap_ = pixmap;
    update();
    return true;
}

void PictureBox::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    // The control is opaque: where no picture covers it, the window's
    // background shows (every picture of this window covers its control).
    const QSize picture = pixmap_ != nullptr ? pixmap_->deviceIndependentSize().toSize() : QSize();
    if (picture.width() < width() || picture.height() < height())
        painter.fillRect(rect(), palette().window());
    if (pixmap_ != nullptr)
        drawPicture(painter, {0, 0}, *pixmap_);
}

void PictureBox::mousePressEvent(QMouseEvent *event) {
    // A slot that acts on the press takes every button at once, without
    // QAbstractButton's pressed look (a synchronous repaint it never shows).
    if (actsOnPress_) {
        emit mouseDown(event->button(), event->modifiers(), event->position());
        return;
    }
    QAbstractButton::mousePressEvent(event);
}

ClickLabel::ClickLabel(QWidget *parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    // Filled with its Window colour, as a label is (a button would use its
    // Button colour).
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
}

void ClickLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawItemText(&painter, rect(), Qt::AlignCenter | Qt::TextHideMnemonic, option.palette,
                          isEnabled(), text(), QPalette::WindowText);
}

OptionMarker::OptionMarker(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent) {
    // Filled with its Window colour (a button would use its Button colour).
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

void OptionMarker::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // A round marker as tall as the control, at its left edge; the caption
    // lies beyond the control's width and is not drawn.
    const int side = qMin(width(), height());
    option.rect = QRect(0, (height() - side) / 2, side, side);
    option.text.clear();
    option.state &= ~QStyle::State_HasFocus;
    style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, &painter, this);
}

bool OptionMarker::hitButton(const QPoint &pos) const {
    return rect().contains(pos);
}

ImageButton::ImageButton(const QPixmap &rest, const QPixmap &down, QWidget *parent)
    : QPushButton(parent), rest_(rest), down_(down) {
    setFlat(true);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

void ImageButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    const QPixmap &face = isDown() ? down_ : rest_;
    const QSize size = face.deviceIndependentSize().toSize();
    drawPicture(painter, {(width() - size.width()) / 2, (height() - size.height()) / 2}, face);
}

} // namespace ctallix
