#include "ui/controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace ctallix {

namespace {

// A Clickable control seen as a button (or a radio button): its name and
// description are the widget's accessible ones, its value is what it shows,
// and its press action (and a radio button's toggle action) clicks it.
class ClickableAccessible : public QAccessibleWidget {
public:
    ClickableAccessible(QWidget *widget, Clickable *control)
        : QAccessibleWidget(widget, qobject_cast<QRadioButton *>(widget) != nullptr
                                        ? QAccessible::RadioButton
                                        : QAccessible::Button),
          control_(control) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (const auto *radio = qobject_cast<const QRadioButton *>(widget())) {
            state.checkable = true;
            state.checked = radio->isChecked();
        }
        return state;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return control_->shownText();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        QStringList names{pressAction()};
        if (role() == QAccessible::RadioButton)
            names << toggleAction();
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override {
        if (action == pressAction() || action == toggleAction())
            control_->activate();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    Clickable *control_;
};

QAccessibleInterface *clickableFactory(const QString &, QObject *object) {
    auto *widget = qobject_cast<QWidget *>(object);
    auto *control = dynamic_cast<Clickable *>(object);
    if (widget == nullptr || control == nullptr)
        return nullptr;
    return new ClickableAccessible(widget, control);
}

} // namespace

void installAccessibility() {
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(clickableFactory);
        installed = true;
    }
}

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
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, shownText());
        QAccessible::updateAccessibility(&event);
    }
}

void PictureBox::activate() {
    emit pressed(Qt::LeftButton, Qt::NoModifier, QPointF(width() / 2.0, height() / 2.0));
    emit clicked();
}

QString PictureBox::shownText() const {
    if (name_.endsWith(QLatin1String("bead")))
        return QStringLiteral("bead");
    if (name_.endsWith(QLatin1String("gap")))
        return QStringLiteral("empty rod");
    return {};
}

void PictureBox::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    // On a screen with more device pixels to the pixel, each bitmap pixel
    // becomes a block of one colour: a smoothed bead would look blurred.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The control is opaque: where no picture covers it, the window's
    // background shows (every picture of this window covers its control).
    const QSize picture = pixmap_ != nullptr ? pixmap_->deviceIndependentSize().toSize() : QSize();
    if (picture.width() < width() || picture.height() < height())
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
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false); // crisp when scaled
    painter.fillRect(rect(), palette().button());
    const QPixmap &face = isDown() ? down_ : rest_;
    const QSize size = face.deviceIndependentSize().toSize();
    painter.drawPixmap((width() - size.width()) / 2, (height() - size.height()) / 2, face);
}

} // namespace ctallix
