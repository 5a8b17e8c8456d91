// The control kinds of the window: picture controls, clickable labels, the
// beam, the option markers on it and the graphical command buttons.
//
// Each control paints itself exactly as the layout asks and reports only the
// events the window handles; the window wires those to its handlers.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QWidget>

namespace ctallix {

// A control that the user works by clicking, as accessibility tools see it:
// a button that a screen reader can press, with a value it can read.
class Clickable {
public:
    virtual ~Clickable() = default;
    // Does what a left click on the middle of the control does.
    virtual void activate() = 0;
    // What the control shows, in words; empty when it has nothing to say.
    virtual QString shownText() const { return {}; }
};

// Registers the accessibility interface of the Clickable controls (a button,
// or a radio button for the option markers, whose press action clicks them
// and whose value is their shown text), once per process.
void installAccessibility();

// Turns a press and a release of the left button inside the same control
// into one click, the way a push button does.
class ClickTracker {
public:
    void press(const QMouseEvent *event);
    // True when this release completes a click inside `area`.
    bool release(const QMouseEvent *event, const QRect &area);

private:
    bool armed_ = false;
};

// A picture control: shows one bitmap unscaled at its top-left corner,
// clipped to its own size, with no border. The bitmap is not owned: bead
// slots point at the two pictures shared by the whole window, so setting a
// slot copies a pointer and never the pixels.
class PictureBox : public QWidget, public Clickable {
    Q_OBJECT
    // Which picture is shown, by name ("bead", "gap", "design-bead", ...).
    Q_PROPERTY(QString picture READ picture)

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Shows `pixmap` under the name `name`. Does nothing, and schedules no
    // repaint, when the control already shows that picture.
    void setPicture(const QPixmap *pixmap, const QString &name);
    // Shows the picture another control shows (how a bead slot takes a copy
    // of the picture of a hidden holder).
    void showPictureOf(const PictureBox &holder) { setPicture(holder.pixmap_, holder.name_); }

    QString picture() const { return name_; }
    const QPixmap *pixmap() const { return pixmap_; }

    void activate() override;
    // "bead" or "empty rod" for a bead slot, else nothing.
    QString shownText() const override;

signals:
    // Any mouse button went down on the control; `pos` is within it.
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF pos);
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const QPixmap *pixmap_ = nullptr;
    QString name_;
    ClickTracker click_;
};

// A label that reports clicks.
class ClickLabel : public QLabel, public Clickable {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr) : QLabel(parent) {}

    void activate() override { emit clicked(); }
    QString shownText() const override { return text(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ClickTracker click_;
};

// A frame drawn as a plain bar of its background colour that reports clicks.
class Beam : public QFrame, public Clickable {
    Q_OBJECT
public:
    explicit Beam(QWidget *parent = nullptr);

    void activate() override { emit clicked(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ClickTracker click_;
};

// An option button that is only as wide as its round marker: it paints the
// marker at its left edge on its background colour and never its caption,
// and the whole control answers to the mouse.
class OptionMarker : public QRadioButton, public Clickable {
    Q_OBJECT
public:
    OptionMarker(const QString &caption, QWidget *parent = nullptr);

    // A click, with its clicked() signal, at once (a screen reader's toggle
    // of a plain radio button would change the selection without one).
    void activate() override { click(); }

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
