#include "ui/controls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace ctallix {

void ClickTracker::press(const QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        armed_ = true;
}

bool ClickTracker::release(const QMouseEvent *event, const QRect &area) {
    if (event->button() != Qt::LeftButton)
        return false;
    const bool click = armed_ && area.contains(event->position().toPoint());
    armed_ = false;
    return click;
}

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {
    // The picture covers the control; nothing underneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QPixmap *pixmap, const QString &name) {
    if (pixmap == pixmap_ && name == name_)
        return;
    pixmap_ = pixmap;
    name_ = name;
    update();
}

void PictureBox::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    // A picture smaller than the control leaves the window's background.
    painter.fillRect(rect(), palette().window());
    if (pixmap_ != nullptr)
        painter.drawPixmap(0, 0, *pixmap_);
}

void PictureBox::mousePressEvent(QMouseEvent *event) {
    click_.press(event);
    emit pressed(event->button(), event->modifiers(), event->position());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event) {
    if (click_.release(event, rect()))
        emit clicked();
}

void ClickLabel::mousePressEvent(QMouseEvent *event) {
    click_.press(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event) {
    if (click_.release(event, rect()))
        emit clicked();
}

Beam::Beam(QWidget *parent) : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
}

void Beam::mousePressEvent(QMouseEvent *event) {
    click_.press(event);
}

void Beam::mouseReleaseEvent(QMouseEvent *event) {
    if (click_.release(event, rect()))
        emit clicked();
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
    painter.drawPixmap((width() - size.width()) / 2, (height() - size.height()) / 2, face);
}

} // namespace ctallix
