// The control kinds of the window. The clickable ones are QAbstractButtons,
// so a click (left press and release inside), the screen reader's press
// action and the button role come from Qt; each kind adds only its painting
// and, for the bead slots, the press with any mouse button.
#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

namespace ctallix {

// A picture control: shows one bitmap unscaled at its top-left corner,
// clipped to its own size, with no border. The bitmap is not owned: bead
// slots point at the two pictures shared by the whole window, so setting a
// slot copies a pointer and never the pixels.
class PictureBox : public QAbstractButton {
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Schedules no repaint, and returns false, when the control already
    // shows `pixmap`.
    bool setPicture(const QPixmap *pixmap);
    const QPixmap *picture() const { return pixmap_; }
    // Makes a press, with any mouse button, all the control answers (a lower
    // bead slot): it emits mouseDown instead of taking part in clicks.
    void actOnPress();
    bool actsOnPress() const { return actsOnPress_; }
    // A press of `button` in the middle of the control, as the keyboard and
    // the screen reader's action give it.
    void pressWith(Qt::MouseButton button);

signals:
    // A mouse button went down on a control that acts on the press, `pos`
    // within it. The screen reader's press action arrives as a left press in
    // the middle.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    const QPixmap *pixmap_ = nullptr;
    bool actsOnPress_ = false;
};

// A label that reports clicks: its background colour and its caption,
// centred, drawn as QLabel draws plain text. Without a caption it is a plain
// bar (the beam).
class ClickLabel : public QAbstractButton {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// An option button that is only as wide as its round marker: it paints the
// marker at its left edge on its background colour and never its caption,
// and the whole control answers to the mouse.
class OptionMarker : public QRadioButton {
    Q_OBJECT

public:
    OptionMarker(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

// A graphical push button without caption carrying two bitmaps: `rest` is
// shown while the button is up, `down` while it is held down, each centred
// on the button's background colour.
class ImageButton : public QPushButton {
    Q_OBJECT

public:
    ImageButton(const QPixmap &rest, const QPixmap &down, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap rest_;
    QPixmap down_;
};

} // namespace ctallix
