// Form1 on the offscreen platform and on X (under Xvfb): every control where
// the layout puts it, the bitmaps as a person would check them, the fonts,
// the start picture the X server shows, and the scenario table worked from
// the keyboard and, on X, with the mouse. Run as it is, with QT_SCALE_FACTOR=2
// (bitmaps enlarged pixel for pixel), with a font configuration that knows
// only DejaVu Sans (the labels still draw), and on X at 100 % and 150 %.
#include "scenario.h"
#include "window/bitmap.h"
#include "window/form1.h"
#include "window/images/image_list.h"
#include "x_server.h"

#include "desktop/bell.h"
#include "desktop/start_picture.h"

#include <QAbstractNativeEventFilter>
#include <QColorSpace>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <xcb/xcb.h>

#include <clocale>
#include <functional>

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

    // Counts the markers (x_server.h) that reached the program.
    struct Marks : QAbstractNativeEventFilter {
        long sent = 0, seen = 0;
        bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override {
            const auto *e = static_cast<xcb_client_message_event_t *>(message);
            if (type != "xcb_generic_event_t" || (e->response_type & 0x7f) != XCB_CLIENT_MESSAGE ||
                e->type != ctallix::test::markerType())
                return false;
            seen = e->data.data32[0];
            return true;
        }
    };

    static QString nameOf(const ctallix::test::Event &e) {
        const QString k = QString::number(e.column), i = QString::number(e.item);
        if (const int command = QString("x/=C").indexOf(QChar(e.kind)); command >= 0)
            return QString("Command%1").arg(command + 1);
        if (e.kind == 'U')
            return (e.column == 9 ? "pic9" : "Pic" + k) + "5(" + i + ")";
        if (e.kind == 'O' || e.kind == 'H')
            return (e.kind == 'O' ? "Option1(" : "Lab1(") + k + ")";
        if (e.kind == 'T' || e.kind == 'b')
            return QString("Picture22(%1)").arg(e.kind == 'T');
        return e.kind == 'B' ? "Frame1" : "Pic" + k + "(" + i + ")";
    }

    // The part a control belongs to: the frame's slots, or its own kind.
    static QString partOf(const QWidget *w) {
        const QString name = w != nullptr ? w->objectName() : QString();
        return name.startsWith("Pic", Qt::CaseInsensitive) && !name.startsWith("Picture")
                   ? QString("frame")
                   : name.section('(', 0, 0).remove(QRegularExpression("[0-9]$"));
    }

    static void type(ctallix::Form1 &form, const ctallix::test::Event &e) {
        const bool right = e.kind == 'R' || e.button == 'R';
        if ((!Acts(e) && !right) || e.button == 'M')
            return; // released elsewhere, or a middle click: no key does that
        const QWidget *target = form.findChild<QWidget *>(nameOf(e));
        QWindow *window = form.windowHandle();
        for (const auto &[key, modifiers] : {std::pair{Qt::Key_5, Qt::NoModifier},
                                             {Qt::Key_Asterisk, Qt::NoModifier},
                                             {Qt::Key_Return, Qt::ControlModifier}})
            QTest::keyClick(window, key, modifiers);
        for (int step = 0; form.focusWidget() != target && step < 40; ++step) {
            const QWidget *at = form.focusWidget();
            const QPoint to =
                target->geometry().center() - (at != nullptr ? at->geometry().center() : QPoint());
            QTest::keyClick(window, partOf(at) != partOf(target) ? Qt::Key_Tab
                                    : qAbs(to.x()) > 20
                                        ? (to.x() < 0 ? Qt::Key_Left : Qt::Key_Right)
                                    : to.y() < 0 ? Qt::Key_Up
                                                 : Qt::Key_Down);
        }
        QTest::keyClick(window, Qt::Key_Space, right ? Qt::ShiftModifier : Qt::NoModifier);
    }

    // Presses the event's button on its control, after releasing the one
    // held; returns the button now held down, or 0.
    static unsigned click(ctallix::Form1 &form, const ctallix::test::Event &e, unsigned held) {
        using ctallix::test::movePointer;
        if (held != 0)
            ctallix::test::pressButton(held, false);
        const auto at = [&](const QWidget *w, QPoint p) {
            const QPoint device = w->mapToGlobal(p) * w->devicePixelRatioF();
            movePointer(device.x(), device.y());
        };
        const QWidget *target = form.findChild<QWidget *>(nameOf(e));
        QPoint middle = target->rect().center(); // the beam's is under a marker
        if (form.childAt(target->mapTo(&form, middle)) != target)
            middle.setX(5);
        const bool lower = QString("LRM").contains(QChar(e.kind));
        const char which = lower ? e.kind : e.button;
        const unsigned button = which == 'R' ? 3 : which == 'M' ? 2 : 1;
        at(target, middle);
        ctallix::test::pressButton(button, true);
        if (e.release == '+')
            return button;
        if (e.release == '~')
            at(&form, {form.width() + 30, 141});
        else if (e.release == '^')
            at(form.findChild<QWidget *>("Label2"), {84, 12});
        else if (lower) // a lower slot acts on the press: the release comes elsewhere
            at(&form, {450, 150});
        ctallix::test::pressButton(button, false);
        return 0;
    }

    // What the window shows, in the scenario table's terms.
    static QString shown(const ctallix::Form1 &form, int beeps) {
        QString frame, lab1;
        for (int k = 9; k >= 0; --k) {
            int digit = form.showsGap(form.slot(k, ctallix::Half::Upper, 5)) ? 5 : 0;
            for (int i = 0; i < 5; ++i)
                digit += form.showsGap(form.slot(k, ctallix::Half::Lower, i)) ? i : 0;
            frame += QChar('0' + digit);
            const QString hint =
                form.findChild<QAbstractButton *>(QString("Lab1(%1)").arg(k))->text();
            lab1 += hint.isEmpty() ? QChar('.') : hint[0];
        }
        return QString("%1 lab1=%2 label2=%3 hints=%4 dot=%5 beeps=%6")
            .arg(frame, lab1, form.findChild<QLabel *>("Label2")->text())
            .arg(form.findChild<QWidget *>("Lab1(0)")->isVisible())
            .arg(form.decimalColumn())
            .arg(beeps);
    }

    static QString wanted(const ctallix::test::Scenario &s) {
        return QString("%1 lab1=%2 label2=%3 hints=%4 dot=%5 beeps=%6")
            .arg(QString::fromStdString(s.frame), QString::fromStdString(s.lab1).replace('_', '.'),
                 QString::fromStdString(s.label2))
            .arg(s.hints)
            .arg(s.dot)
            .arg(s.beeps);
    }

private slots:
    void initTestCase() {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

    // On X the window starts as the committed picture of its scale shows it,
    // from the moment the server maps it: before the program has handled an
    // event, the server shows it as the window's background. A start after
    // the first shows the picture the one before left in the cache; one that
    // is not what the window starts with is shown once and then replaced, one
    // cut short is not shown, and each text keeps a picture of its own. Once
    // the program paints, an expose no longer brings the start picture back.
    void startPicture() {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("the picture is read from the X server");
        const QString picture = form.devicePixelRatioF() == 1 ? "screenshot" : "screenshot-150";
        QImage want(CTALLIX_DOCS "/" + picture + ".png");
        want.setColorSpace({}); // the file's sRGB tag; the shot has none
        want.convertTo(QImage::Format_RGB32);
        const auto shot = [&] {
            QImage image = form.screen()->grabWindow(form.winId()).toImage();
            image.setDevicePixelRatio(1);
            return image.convertToFormat(QImage::Format_RGB32);
        };
        QTRY_VERIFY2_WITH_TIMEOUT(shot() == want, qPrintable(picture), 5000);

        QVERIFY(ctallix::test::openXServer());
        QTemporaryDir cache;
        qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
        const auto files = [&] { return QDir(cache.path() + "/ctallix").entryList(QDir::Files); };
        const auto saved = [&] { return cache.path() + "/ctallix/" + files().value(0); };
        const auto spoil = [&](qint64 cut, char with) { // the last 4096 bytes overwritten
            QFile file(saved());
            return files().size() == 1 && file.open(QIODevice::ReadWrite) &&
                   file.resize(file.size() - cut) && file.seek(file.size() - 4096) &&
                   (with == 0 || file.write(QByteArray(4096, with)) == 4096);
        };
        using Given = ctallix::StartPicture;
        const struct {
            const char *start;
            std::function<bool()> before;
            Given given;
            bool shown; // the committed picture at the map
            const char *label1 = "Orvane";
        } starts[] = {
            {"first", [] { return true; }, Given::Rendered, true},
            {"second", [] { return true; }, Given::Remembered, true},
            {"changed", [&] { return spoil(0, 'x'); }, Given::Remembered, false},
            {"after the change", [] { return true; }, Given::Remembered, true},
            {"cut short", [&] { return spoil(1, 0); }, Given::Rendered, true},
            {"a pipe in its place",
             [&] {
                 const QString path = saved();
                 return QFile::remove(path) && mkfifo(QFile::encodeName(path), 0600) == 0;
             },
             Given::Rendered, true},
            {"another text", [] { return true; }, Given::Rendered, false, "Orvane?"},
            {"the first text again", [] { return true; }, Given::Remembered, true},
        };
        form.hide(); // the picture it shows would show through a window without one
        for (const auto &row : starts) {
            QVERIFY2(row.before(), row.start);
            ctallix::Form1 early;
            early.findChild<QLabel *>("Label1")->setText(row.label1);
            QCOMPARE(ctallix::giveStartPicture(early), row.given);
            early.show();
            xcb_flush(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection());
            QVERIFY2((ctallix::test::windowPicture(early.winId()) == want) == row.shown, row.start);
            QVERIFY(QTest::qWaitForWindowExposed(&early));
            if (&row != std::end(starts) - 1)
                continue;
            QTest::mouseClick(early.findChild<QWidget *>("Pic3(2)"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(ctallix::test::windowPicture(early.winId()) != want, 5000);
            const QImage changed = ctallix::test::windowPicture(early.winId());
            QVERIFY2(ctallix::test::windowPicture(early.winId(), true) == changed,
                     "after an expose");
        }
        QCOMPARE(files().size(), 2);
        qunsetenv("XDG_CACHE_HOME");
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

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

    // Every scenario worked as its users work the window: typed from the
    // keyboard alone and, on X, clicked through the X server (XTest), whose
    // bells are counted. Typed: Tab to the control's part, arrows towards
    // it, Space (Shift+Space for the right button); digits, operators and
    // Ctrl+Enter typed on the way change nothing. Clicked: pressed in the
    // control and released there, outside the window (~) or over the display
    // line (^), or held down (+) while the window is read.
    void scenarios() {
        using ctallix::test::Event;
        const bool x11 = QGuiApplication::platformName() == "xcb";
        QVERIFY(!x11 || ctallix::test::openXServer());
        if (qEnvironmentVariableIsSet("LC_ALL")) // the locale asked for (a decimal comma) holds
            QCOMPARE(QString(std::setlocale(LC_ALL, nullptr)), qEnvironmentVariable("LC_ALL"));
        Marks marks;
        qApp->installNativeEventFilter(&marks);
        for (const ctallix::test::Scenario &s : ctallix::test::ReadScenarios(CTALLIX_SCENARIOS))
            for (const bool clicked : {false, x11}) {
                ctallix::Form1 form;
                int beeps = 0;
                connect(&form, &ctallix::Form1::bell, [&] { ++beeps; });
                if (clicked)
                    connect(&form, &ctallix::Form1::bell, &ctallix::ringBell);
                form.show();
                QVERIFY(QTest::qWaitForWindowExposed(&form));
                int bells = clicked ? ctallix::test::bellsRung() : 0;
                unsigned held = 0;
                for (const Event &e : s.events)
                    clicked ? void(held = click(form, e, held)) : type(form, e);
                if (clicked) { // every event the server sent before the marker handled
                    ctallix::test::sendMarker(form.winId(), ++marks.sent);
                    QTRY_VERIFY_WITH_TIMEOUT(marks.seen == marks.sent, 5000);
                }
                const QString name =
                    " in " + QString::fromStdString(s.name) + (clicked ? " (clicked)" : " (typed)");
                bells = 0;
                QTRY_COMPARE_WITH_TIMEOUT(
                    shown(form, clicked ? bells += ctallix::test::bellsRung() : beeps) + name,
                    wanted(s) + name, 5000);
                if (held != 0)
                    ctallix::test::pressButton(held, false);
            }
        qApp->removeNativeEventFilter(&marks);
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
