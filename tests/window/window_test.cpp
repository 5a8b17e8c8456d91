// Form1 on the offscreen platform: every control where the layout puts it,
// the bitmaps as a person would check them, and the fonts. Run as it is, with QT_SCALE_FACTOR=2
// (bitmaps enlarged pixel for pixel) and with a font configuration that knows only DejaVu Sans (the
// labels still draw).
#include "ui/form1.h"

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

    // The layout's control tables, written out here on their own.
    void layout() {
        struct Column {
            int slotX, upper5Y, optionX, lab1X, lab1Y;
        };
        const Column columns[10] = {{371, 43, 383, 371, 230}, {331, 43, 343, 332, 231},
                                    {291, 43, 303, 293, 231}, {251, 43, 263, 254, 231},
                                    {211, 43, 223, 215, 231}, {171, 42, 183, 175, 231},
                                    {131, 42, 143, 133, 231}, {91, 42, 103, 93, 231},
                                    {51, 42, 63, 53, 231},    {11, 42, 23, 14, 231}};
        QList<std::tuple<QString, QRect, bool>> layout = {
            {"Pic80", {217, 2, 40, 23}, false},        {"Pic81", {176, 2, 40, 23}, false},
            {"Picture22(1)", {11, 28, 400, 15}, true}, {"Picture22(0)", {11, 215, 400, 15}, true},
            {"Frame1", {11, 88, 400, 12}, true},       {"Label1", {64, 5, 80, 19}, true},
            {"Label2", {16, 256, 321, 25}, true},      {"Command1", {259, 7, 29, 17}, true},
            {"Command2", {298, 7, 29, 17}, true},      {"Command3", {336, 7, 29, 17}, true},
            {"Command4", {375, 7, 29, 17}, true}};
        for (int k = 0; k < 10; ++k) {
            const Column &c = columns[k];
            const QString upper = k == 9 ? "pic95" : QString("Pic%1").arg(k) + "5";
            for (int i = 0; i < 5; ++i)
                layout.append(
                    {QString("Pic%1(%2)").arg(k).arg(i), {c.slotX, 100 + 23 * i, 40, 23}, true});
            layout.append({upper + "(5)", {c.slotX, c.upper5Y, 40, 23}, true});
            layout.append({upper + "(0)", {c.slotX, 65, 40, 23}, true});
            layout.append({QString("Option1(%1)").arg(k), {c.optionX, 88, 13, 12}, true});
            layout.append({QString("Lab1(%1)").arg(k), {c.lab1X, c.lab1Y, 22, 22}, false});
        }
        QStringList named;
        for (QWidget *w : form.findChildren<QWidget *>())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
                named << w->objectName();
        QCOMPARE(named.size(), 101);
        for (const auto &[name, geometry, visible] : layout) {
            QVERIFY2(named.count(name) == 1, qPrintable(name));
            QVERIFY2(control(name)->geometry() == geometry &&
                         control(name)->isVisibleTo(&form) == visible,
                     qPrintable(name));
        }
        QCOMPARE(form.objectName() + form.windowTitle(), QString("Form1cTallix"));
        QVERIFY(form.minimumSize() == QSize(463, 282) && form.maximumSize() == QSize(463, 282));
        QCOMPARE(control<QLabel>("Label1")->text() + control<QLabel>("Label2")->text() +
                     control<QRadioButton>("Option1(4)")->text(),
                 QString("Orvane0Option1"));
        QVERIFY(control<QRadioButton>("Option1(0)")->isChecked());
    }

    // What a person would check of the bitmaps; the generator's output is
    // compared byte for byte elsewhere.
    void images() {
        const struct {
            const char *image;
            int x, y;
            QRgb rgb;
        } facts[] = {
            {"bead", 10, 0, 0x93bee8},          {"bead", 0, 11, 0x93bee8},       // ground beside
            {"gap", 17, 5, 0x93bee8},           {"gap", 18, 22, 0x8c673a},       // the rod
            {"gap", 19, 0, 0xb38f63},           {"gap_design", 19, 9, 0xb38f63}, // on darker ground
            {"gap_design", 0, 0, 0x83abda},     {"bead_design", 0, 0, 0x83abda},
            {"rail_top", 399, 0, 0x7b7b7b},     {"rail_top", 0, 14, 0x090909},   // lit from above
            {"rail_bottom", 439, 14, 0x7b7b7b}, {"rail_bottom", 0, 0, 0x090909}, // reversed
            {"command1_beads", 0, 0, 0xc0c0c0}, {"command4_beads", 18, 11, 0xc0c0c0},
            {"command1_symbol", 9, 6, 0},       {"command2_symbol", 9, 7, 0}, // black signs:
            {"command3_symbol", 6, 5, 0},       {"command4_symbol", 7, 6, 0}, // x / = C
        };
        for (const auto &f : facts)
            QVERIFY2(QImage(QString(":/images/%1.bmp").arg(f.image)).pixel(f.x, f.y) ==
                         (f.rgb | 0xff000000u),
                     f.image);
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

    void fonts() {
        auto family = [&](const char *name) { return QFontInfo(control(name)->font()).family(); };
        if (QFontDatabase::hasFamily("IPAPGothic")) {
            QCOMPARE(family("Label1"), QString("AR PL UKai CN"));
            QCOMPARE(family("Label2") + family("Lab1(0)") + family("Lab1(5)"),
                     QString("IPAPGothic").repeated(3));
        }
        for (int k = 0; k < 10; ++k) // columns 0 and 3 in the vertical-writing face
            QVERIFY(control(QString("Lab1(%1)").arg(k))->font().family().startsWith('@') ==
                    (k == 0 || k == 3));
        const QFont lab1 = control("Lab1(6)")->font(), label2 = control("Label2")->font();
        QVERIFY(lab1.bold() && lab1.pixelSize() == 21 && label2.bold() && label2.pixelSize() == 16);
        QVERIFY(!control("Label1")->font().bold() && control("Label1")->font().pixelSize() == 19);
        QVERIFY(inked("Label1") && inked("Label2")); // "Orvane" and "0" draw in any face
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
