// Form1 on the offscreen platform: every control where the layout puts it,
// the bitmaps as a person would check them, the fonts, and the scenario table
// worked from the keyboard alone. Run as it is, with QT_SCALE_FACTOR=2
// (bitmaps enlarged pixel for pixel) and with a font configuration that knows only DejaVu Sans (the
// labels still draw).
#include "scenario.h"
#include "window/bitmap.h"
#include "window/form1.h"
#include "window/images/image_list.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

class WindowTest : public QObject {
    Q_OBJECT

    ctallix::Form1 form;
    template <class T = QWidget> T *control(const QString &name) {
        return form.findChild<T *>(name);
    }
    bool inked(const QString &name) { // not one plain background
        QImage shot = control(name)->grab().toImage(), blank = shot;
        blank.fill(shot.pixel(0, 0));
        return shot != blank;
    }

private slots:
    void initTestCase() { form.show(); }

    // 101 uniquely named controls, the window's size, title and texts, and
    // what lies over what where controls overlap: the marker over the beam,
    // the slot next to the beam over the one away from it, the top rail over
    // the slots' edge. Where each control lies the start pictures show.
    void layout() {
        QSet<QString> named;
        for (QWidget *w : form.findChildren<QWidget *>())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
                named << w->objectName();
        QCOMPARE(named.size(), 101);
        const QRect top = control("Picture22(1)")->geometry();
        for (int k = 0; k < 10; ++k) {
            const QString upper = k == 9 ? "pic95" : QString("Pic%1").arg(k) + "5",
                          marker = QString("Option1(%1)").arg(k);
            const QRect near = control(upper + "(0)")->geometry(),
                        away = control(upper + "(5)")->geometry();
            QCOMPARE(form.childAt(control(marker)->geometry().center())->objectName(), marker);
            QCOMPARE(form.childAt(near.center().x(), near.top())->objectName(), upper + "(0)");
            QCOMPARE(form.childAt(away.center().x(), top.bottom())->objectName(),
                     QString("Picture22(1)"));
            QVERIFY(!control(QString("Lab1(%1)").arg(k))->isVisibleTo(&form));
        }
        QVERIFY(!control("Pic80")->isVisibleTo(&form) && !control("Pic81")->isVisibleTo(&form) &&
                form.objectName() + form.windowTitle() == "Form1cTallix");
        QVERIFY(form.minimumSize() == QSize(463, 282) && form.maximumSize() == QSize(463, 282));
        QCOMPARE(control<QLabel>("Label1")->text() + control<QLabel>("Label2")->text() +
                     control<QRadioButton>("Option1(4)")->text(),
                 QString("Orvane0Option1"));
        QVERIFY(control<QRadioButton>("Option1(0)")->isChecked());
    }

    // What a person would check of the bitmaps; the generator's output is
    // compared byte for byte elsewhere.
    void images() {
        for (const char *file : ctallix::kImageFiles) { // the window's reader reads as Qt's does
            QFile bmp(QString(":/images/") + file);
            QVERIFY2(bmp.open(QIODevice::ReadOnly) &&
                         ctallix::readBitmap(bmp.readAll()) ==
                             QImage(bmp.fileName()).convertToFormat(QImage::Format_RGB32),
                     file);
        }
        const QImage bead(":/images/bead.bmp");
        for (int x = 1; x <= 38; ++x) // full width at the middle row, covering the rod
            QVERIFY(qRed(bead.pixel(x, 11)) > qBlue(bead.pixel(x, 11)) &&
                    bead.pixel(x, 11) != bead.pixel(1, 0));
        for (int n = 1; n <= 4; ++n) { // each sign on a light to dark gradient
            const QImage symbol(QString(":/images/command%1_symbol.bmp").arg(n));
            QVERIFY(qGray(symbol.pixel(0, 0)) > qGray(symbol.pixel(19, 14)) + 60);
        }
    }

    // At scale 2 every bitmap pixel is a 2 x 2 block: the rod of a gap
    // slot is exactly its two colours, each 2 px wide.
    void scale() {
        const QImage shot = form.grab().toImage();
        const int s = int(shot.devicePixelRatio());
        for (int dx = 0; dx < 2 * s; ++dx)
            for (int dy = 0; dy < 23 * s; ++dy)
                QCOMPARE(shot.pixelColor((371 + 18) * s + dx, 100 * s + dy),
                         dx < s ? QColor(140, 103, 58) : QColor(179, 143, 99));
    }

    // Every scenario typed instead of clicked, the way a keyboard user goes:
    // Tab to the control's part, arrows towards it, Space (Shift+Space for
    // the right button); digits, operators and Ctrl+Enter typed on the way
    // change nothing. The scenario ends as it does with the mouse.
    void keyboard() {
        const auto nameOf = [](const ctallix::test::Event &e) -> QString {
            const QString k = QString::number(e.column), i = QString::number(e.item);
            switch (e.kind) {
            case 'U':
                return (e.column == 9 ? "pic9" : "Pic" + k) + "5(" + i + ")";
            case 'O':
            case 'H':
                return (e.kind == 'O' ? "Option1(" : "Lab1(") + k + ")";
            case 'B':
            case 'T':
            case 'b':
                return e.kind == 'B' ? "Frame1" : e.kind == 'T' ? "Picture22(1)" : "Picture22(0)";
            case 'x':
            case '/':
            case '=':
            case 'C':
                return QString("Command%1").arg(QString("x/=C").indexOf(QChar(e.kind)) + 1);
            default:
                return "Pic" + k + "(" + i + ")";
            }
        };
        // The part a control belongs to: the frame's slots, or its own kind.
        const auto partOf = [](const QWidget *w) {
            const QString name = w != nullptr ? w->objectName() : QString();
            return name.startsWith("Pic", Qt::CaseInsensitive) && !name.startsWith("Picture")
                       ? QString("frame")
                       : name.section('(', 0, 0).remove(QRegularExpression("[0-9]$"));
        };
        for (const ctallix::test::Scenario &s : ctallix::test::ReadScenarios(CTALLIX_SCENARIOS)) {
            ctallix::Form1 typed;
            int beeps = 0;
            connect(&typed, &ctallix::Form1::bell, [&] { ++beeps; });
            typed.show();
            QWindow *window = typed.windowHandle();
            for (const ctallix::test::Event &e : s.events) {
                const bool right = e.kind == 'R' || e.button == 'R';
                if ((!Acts(e) && !right) || e.button == 'M')
                    continue; // released elsewhere, or a middle click: no key does that
                const QWidget *target = typed.findChild<QWidget *>(nameOf(e));
                QVERIFY(target != nullptr);
                for (const auto &[key, modifiers] : {std::pair{Qt::Key_5, Qt::NoModifier},
                                                     {Qt::Key_Asterisk, Qt::NoModifier},
                                                     {Qt::Key_Return, Qt::ControlModifier}})
                    QTest::keyClick(window, key, modifiers);
                for (int step = 0; typed.focusWidget() != target; ++step) {
                    QVERIFY2(step < 40, qPrintable(QString::fromStdString(s.name)));
                    const QWidget *at = typed.focusWidget();
                    const QPoint to = target->geometry().center() -
                                      (at != nullptr ? at->geometry().center() : QPoint());
                    QTest::keyClick(window, partOf(at) != partOf(target) ? Qt::Key_Tab
                                            : qAbs(to.x()) > 20
                                                ? (to.x() < 0 ? Qt::Key_Left : Qt::Key_Right)
                                            : to.y() < 0 ? Qt::Key_Up
                                                         : Qt::Key_Down);
                }
                QTest::keyClick(window, Qt::Key_Space, right ? Qt::ShiftModifier : Qt::NoModifier);
            }
            QString frame, lab1;
            for (int k = 9; k >= 0; --k) {
                int digit = typed.showsGap(typed.slot(k, ctallix::Half::Upper, 5)) ? 5 : 0;
                for (int i = 0; i < 5; ++i)
                    digit += typed.showsGap(typed.slot(k, ctallix::Half::Lower, i)) ? i : 0;
                frame += QChar('0' + digit);
                const QString hint =
                    typed.findChild<QAbstractButton *>(QString("Lab1(%1)").arg(k))->text();
                lab1 += hint.isEmpty() ? QChar('.') : hint[0];
            }
            const QString got = QString("%1 lab1=%2 label2=%3 hints=%4 dot=%5 beeps=%6")
                                    .arg(frame, lab1, typed.findChild<QLabel *>("Label2")->text())
                                    .arg(typed.findChild<QWidget *>("Lab1(0)")->isVisible())
                                    .arg(typed.decimalColumn())
                                    .arg(beeps);
            const QString want = QString("%1 lab1=%2 label2=%3 hints=%4 dot=%5 beeps=%6")
                                     .arg(QString::fromStdString(s.frame),
                                          QString::fromStdString(s.lab1).replace('_', '.'),
                                          QString::fromStdString(s.label2))
                                     .arg(s.hints)
                                     .arg(s.dot)
                                     .arg(s.beeps);
            QCOMPARE(got + " in " + QString::fromStdString(s.name),
                     want + " in " + QString::fromStdString(s.name));
        }
    }

    // A click shows no outline; a key outlines the focused control, just
    // outside it, in black edged with white, at any scale, until a click.
    void outline() {
        ctallix::Form1 clicked;
        clicked.show();
        const QImage start = clicked.grab().toImage();
        QTest::mouseClick(clicked.findChild<QWidget *>("Frame1"), Qt::LeftButton);
        QTest::mousePress(clicked.findChild<QWidget *>("Pic3(2)"), Qt::RightButton);
        QTest::mouseRelease(clicked.findChild<QWidget *>("Pic3(2)"), Qt::RightButton);
        QTest::mouseClick(clicked.findChild<QWidget *>("Command4"), Qt::LeftButton);
        QVERIFY(clicked.grab().toImage() == start);
        QTest::keyClick(clicked.windowHandle(), Qt::Key_Tab); // from the buttons to the rails
        const QImage shot = clicked.grab().toImage();
        const int s = int(shot.devicePixelRatio());
        const QRect slot = clicked.findChild<QWidget *>("Picture22(1)")->geometry();
        const QPoint middle = slot.center() * s;
        QVERIFY(clicked.focusWidget()->geometry() == slot);
        QCOMPARE(shot.pixelColor(middle), start.pixelColor(middle));
        for (const auto &[dx, colour] : {std::pair{1, Qt::black}, {2, Qt::black}, {3, Qt::white}})
            QVERIFY(shot.pixelColor((slot.left() - dx) * s, middle.y()) == colour &&
                    shot.pixelColor(middle.x(), (slot.bottom() + dx) * s + s - 1) == colour);
        QTest::mouseClick(clicked.findChild<QWidget *>("Frame1"), Qt::LeftButton);
        QVERIFY(clicked.grab().toImage() == start &&
                clicked.focusWidget()->objectName() == "Frame1");
    }

    void fonts() {
        auto family = [&](const char *name) { return QFontInfo(control(name)->font()).family(); };
        if (QFontDatabase::hasFamily("IPAPGothic")) {
            QCOMPARE(family("Label1"), QString("AR PL UKai CN"));
            QCOMPARE(family("Label2") + family("Lab1(0)") + family("Lab1(5)"),
                     QString("IPAPGothic").repeated(3));
        }
        for (int k = 0; k < 10; ++k) // columns 0 and 3 in the vertical-writing face
            QVERIFY(control(QString("Lab1(%1)").arg(k))->font().families().last().startsWith('@') ==
                    (k == 0 || k == 3));
        for (const auto &[name, points, bold] : // the design's sizes, in pixels at 96 dpi
             {std::tuple{"Label1", 14.25, false}, {"Label2", 12.0, true}, {"Lab1(6)", 15.75, true}})
            QVERIFY(control(name)->font().pixelSize() == qRound(points * 4 / 3) &&
                    control(name)->font().bold() == bold);
        QVERIFY(inked("Label1") && inked("Label2")); // "Orvane" and "0" draw in any face
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
