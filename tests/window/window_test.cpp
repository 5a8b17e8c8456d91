// The window Form1 on the offscreen platform: every control where the layout
// puts it, the bitmaps as a person would check them, the window's pixels at
// start, what a screen reader sees and can press, and the fonts. Run as it
// is, with QT_SCALE_FACTOR=2 (bitmaps enlarged pixel for pixel) and with a
// font configuration that knows only DejaVu Sans (the labels still draw).
#include "ui/form1.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

using ctallix::Form1;

namespace {

struct Control {
    QString name;
    QRect geometry;
    bool visible;
};

// The layout's control tables, written out here on their own.
QList<Control> Layout() {
    struct Column {
        int slotX, upper5Y, optionX, lab1X, lab1Y;
    };
    const Column columns[10] = {{371, 43, 383, 371, 230}, {331, 43, 343, 332, 231},
                                {291, 43, 303, 293, 231}, {251, 43, 263, 254, 231},
                                {211, 43, 223, 215, 231}, {171, 42, 183, 175, 231},
                                {131, 42, 143, 133, 231}, {91, 42, 103, 93, 231},
                                {51, 42, 63, 53, 231},    {11, 42, 23, 14, 231}};
    QList<Control> all = {
        {"Pic80", {217, 2, 40, 23}, false},        {"Pic81", {176, 2, 40, 23}, false},
        {"Picture22(1)", {11, 28, 400, 15}, true}, {"Picture22(0)", {11, 215, 400, 15}, true},
        {"Frame1", {11, 88, 400, 12}, true},       {"Label1", {64, 5, 80, 19}, true},
        {"Label2", {16, 256, 321, 25}, true},      {"Command1", {259, 7, 29, 17}, true},
        {"Command2", {298, 7, 29, 17}, true},      {"Command3", {336, 7, 29, 17}, true},
        {"Command4", {375, 7, 29, 17}, true}};
    for (int k = 0; k < 10; ++k) {
        const Column &c = columns[k];
        for (int i = 0; i < 5; ++i)
            all.append({QString("Pic%1(%2)").arg(k).arg(i), {c.slotX, 100 + 23 * i, 40, 23}, true});
        const QString upper = k == 9 ? "pic95" : QString("Pic%1").arg(k) + "5";
        all.append({upper + "(5)", {c.slotX, c.upper5Y, 40, 23}, true});
        all.append({upper + "(0)", {c.slotX, 65, 40, 23}, true});
        all.append({QString("Option1(%1)").arg(k), {c.optionX, 88, 13, 12}, true});
        all.append({QString("Lab1(%1)").arg(k), {c.lab1X, c.lab1Y, 22, 22}, false});
    }
    return all;
}

// A picture of the window in device pixels, read at layout coordinates.
struct Picture {
    explicit Picture(QWidget &w) : image(w.grab().toImage()), scale(image.devicePixelRatio()) {}
    QColor at(int x, int y) const { return image.pixelColor(int(x * scale), int(y * scale)); }
    bool gap(int x, int y) const { return at(x + 30, y + 11).blue() > at(x + 30, y + 11).red(); }
    int digit(int k) const {
        const int x = 11 + 40 * (9 - k);
        int lower = -1;
        for (int i = 4; i >= 0; --i)
            lower = gap(x, 100 + 23 * i) ? i : lower;
        return gap(x, k <= 4 ? 43 : 42) ? lower + 5 : lower;
    }
    int ink(const QRect &r) const {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += at(x, y).red() > 200 && at(x, y).blue() < 200;
        return n;
    }
    QImage image;
    double scale;
};

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void layout() {
        Form1 form;
        form.show();
        QCOMPARE(form.objectName(), QString("Form1"));
        QCOMPARE(form.windowTitle(), QString("cTallix"));
        QCOMPARE(form.minimumSize(), QSize(463, 282));
        QCOMPARE(form.maximumSize(), QSize(463, 282));
        QStringList named;
        for (QWidget *w : form.findChildren<QWidget *>())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
                named << w->objectName();
        QCOMPARE(named.size(), 101);
        for (const Control &c : Layout()) {
            auto *w = form.findChild<QWidget *>(c.name);
            QVERIFY2(w != nullptr && named.count(c.name) == 1, qPrintable(c.name));
            QVERIFY2(w->geometry() == c.geometry && w->isVisibleTo(&form) == c.visible,
                     qPrintable(c.name));
        }
        QCOMPARE(form.findChild<QLabel *>("Label1")->text(), QString("Orvane"));
        QCOMPARE(form.findChild<QLabel *>("Label2")->text(), QString("0"));
        QCOMPARE(form.findChild<QRadioButton *>("Option1(4)")->text(), QString("Option1"));
        QVERIFY(form.findChild<QRadioButton *>("Option1(0)")->isChecked());
    }

    void pixelsAtStart() {
        Form1 form;
        form.show();
        const Picture p(form);
        for (int k = 0; k < 10; ++k)
            QCOMPARE(p.digit(k), 0);
        QCOMPARE(p.at(16, 94), QColor(128, 128, 128));   // the beam
        QCOMPARE(p.at(200, 28), QColor(123, 123, 123));  // top rail, lit from above
        QCOMPARE(p.at(200, 229), QColor(123, 123, 123)); // bottom rail, reversed
        QCOMPARE(p.at(200, 215), QColor(9, 9, 9));
        QCOMPARE(p.at(0, 0), QColor(131, 171, 218)); // the design-time bead emblem
        QCOMPARE(p.at(450, 275), QColor(255, 255, 255));
        QVERIFY(p.ink({16, 256, 321, 25}) > 3); // "0" in orange
        QVERIFY(p.ink({64, 5, 80, 19}) > 3);    // "Orvane"
        // Every bitmap pixel is a block of scale x scale device pixels: the
        // rod of a gap slot is exactly its two colours, each 1 px wide.
        const int s = int(p.scale), x = 371 + 18, y = 100;
        for (int dx = 0; dx < 2 * s; ++dx)
            for (int dy = 0; dy < 23 * s; ++dy)
                QCOMPARE(p.image.pixelColor(x * s + dx, y * s + dy),
                         dx < s ? QColor(140, 103, 58) : QColor(179, 143, 99));
    }

    void images() {
        auto image = [](const char *name) { return QImage(QString(":/images/") + name); };
        const QImage bead = image("bead.bmp"), gap = image("gap.bmp");
        QCOMPARE(bead.size(), QSize(40, 23));
        QCOMPARE(bead.pixelColor(0, 0), QColor(147, 190, 232));
        QCOMPARE(bead.pixelColor(10, 0), QColor(147, 190, 232));
        QVERIFY(bead.pixelColor(11, 0) != QColor(147, 190, 232));
        for (int x = 1; x <= 38; ++x) // full width at the middle rows, covering the rod
            QVERIFY(bead.pixelColor(x, 11).red() > bead.pixelColor(x, 11).blue());
        QCOMPARE(gap.pixelColor(17, 5), QColor(147, 190, 232));
        QCOMPARE(gap.pixelColor(18, 22), QColor(140, 103, 58));
        QCOMPARE(image("gap_design.bmp").pixelColor(19, 0), QColor(179, 143, 99));
        QCOMPARE(image("bead_design.bmp").pixelColor(0, 0), QColor(131, 171, 218));
        const int bands[15] = {123, 112, 101, 91, -1, 70, 55, 55, 33, 33, 33, 9, 9, 9, 9};
        const QImage top = image("rail_top.bmp"), bottom = image("rail_bottom.bmp");
        QCOMPARE(top.size(), QSize(420, 15));
        QCOMPARE(bottom.size(), QSize(440, 15));
        QVERIFY(top.format() == QImage::Format_Indexed8 && top.allGray() == false);
        for (int y = 0; y < 15; ++y)
            if (bands[y] >= 0)
                QVERIFY(top.pixelColor(300, y) == QColor(bands[y], bands[y], bands[y]) &&
                        bottom.pixelColor(430, 14 - y) == top.pixelColor(300, y));
        QCOMPARE(top.pixelColor(0, 4), QColor(83, 90, 84));
        const QSize beadShapes[4] = {{27, 12}, {20, 12}, {20, 12}, {19, 12}};
        for (int n = 1; n <= 4; ++n) {
            const QImage shape = image(qPrintable(QString("command%1_beads.bmp").arg(n)));
            const QImage symbol = image(qPrintable(QString("command%1_symbol.bmp").arg(n)));
            QCOMPARE(shape.size(), beadShapes[n - 1]);
            QCOMPARE(shape.pixelColor(0, 0), QColor(192, 192, 192));
            QCOMPARE(symbol.size(), QSize(20, 15));
            int black = 0;
            for (int y = 0; y < 15; ++y)
                for (int x = 0; x < 20; ++x)
                    black += symbol.pixelColor(x, y) == Qt::black;
            QVERIFY(black >= 6 && symbol.pixelColor(0, 0).lightness() >
                                      symbol.pixelColor(19, 14).lightness() + 60);
        }
    }

    void screenReader() {
        Form1 form;
        form.show();
        QSet<QString> names;
        int controls = 0;
        for (QWidget *w : form.findChildren<QWidget *>()) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            const QString name = w->objectName();
            if (name.isEmpty() || name.startsWith("qt_") || name.startsWith("Label") ||
                name == "Pic80" || name == "Pic81")
                continue;
            ++controls;
            QVERIFY2(a && !a->text(QAccessible::Name).isEmpty() &&
                         !a->text(QAccessible::Description).isEmpty(),
                     qPrintable(name));
            names.insert(a->text(QAccessible::Name));
            QVERIFY2(a->actionInterface() && a->actionInterface()->actionNames().contains(
                                                 QAccessibleActionInterface::pressAction()),
                     qPrintable(name));
        }
        QCOMPARE(controls, 97);
        QCOMPARE(names.size(), 97);
        auto press = [&](const char *name) {
            QAccessible::queryAccessibleInterface(form.findChild<QWidget *>(name))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
        };
        press("Pic0(3)");
        press("pic95(5)");
        press("Option1(2)");
        press("Picture22(0)");
        QTRY_COMPARE(Picture(form).digit(0), 3);
        QTRY_COMPARE(Picture(form).digit(9), 5);
        QTRY_VERIFY(form.findChild<QRadioButton *>("Option1(2)")->isChecked());
        QTRY_VERIFY(form.findChild<QWidget *>("Lab1(7)")->isVisible());
        press("Command4");
        QTRY_VERIFY(form.findChild<QRadioButton *>("Option1(0)")->isChecked());
        QTRY_COMPARE(Picture(form).digit(9), 0);
    }

    void fonts() {
        Form1 form;
        const bool standIns = QFontDatabase::hasFamily("IPAPGothic");
        auto family = [&](const char *name) {
            return QFontInfo(form.findChild<QWidget *>(name)->font()).family();
        };
        if (standIns) {
            QCOMPARE(family("Label1"), QString("AR PL UKai CN"));
            QCOMPARE(family("Label2"), QString("IPAPGothic"));
            QCOMPARE(family("Lab1(0)"), QString("IPAPGothic"));
            QCOMPARE(family("Lab1(5)"), QString("IPAPGothic"));
        }
        QVERIFY(form.findChild<QWidget *>("Lab1(3)")->font().family().startsWith('@'));
        QVERIFY(!form.findChild<QWidget *>("Lab1(4)")->font().family().startsWith('@'));
        const QFont lab1 = form.findChild<QWidget *>("Lab1(6)")->font();
        QVERIFY(lab1.bold() && lab1.pixelSize() == 21);
        const QFont label2 = form.findChild<QWidget *>("Label2")->font();
        QVERIFY(label2.bold() && label2.pixelSize() == 16);
        const QFont label1 = form.findChild<QWidget *>("Label1")->font();
        QVERIFY(!label1.bold() && label1.pixelSize() == 19);
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
