// The window on a screen with two device pixels to the pixel (run with
// QT_SCALE_FACTOR=2): the layout keeps its logical size and places, every
// bitmap pixel becomes a crisp 2 x 2 block of the same colour (no smoothing
// blends neighbouring colours), and text is drawn at the device resolution
// rather than drawn small and blown up.
#include "ui/controls.h"
#include "ui/form1.h"

#include <QLabel>
#include <QtTest>

#include <memory>
#include <set>

using ctallix::Form1;
using ctallix::PictureBox;

namespace {

constexpr int kScale = 2;

QImage resource(const QString &name) {
    return QImage(":/images/" + name).convertToFormat(QImage::Format_RGB32);
}

int columnX(int k) {
    return 11 + 40 * (9 - k);
}

// Where `image` (rows `firstRow`..`lastRow`, all columns up to `width`) is
// not shown as 2 x 2 blocks at logical `at` in the device-pixel `shot`.
QString blockMismatch(const QImage &shot, QPoint at, const QImage &image, int firstRow, int lastRow,
                      int width) {
    for (int y = firstRow; y <= lastRow; ++y)
        for (int x = 0; x < width; ++x)
            for (int dy = 0; dy < kScale; ++dy)
                for (int dx = 0; dx < kScale; ++dx) {
                    const QPoint device((at.x() + x) * kScale + dx, (at.y() + y) * kScale + dy);
                    if (shot.pixel(device) != image.pixel(x, y))
                        return QStringLiteral("source (%1,%2) at device (%3,%4): %5 not %6")
                            .arg(x)
                            .arg(y)
                            .arg(device.x())
                            .arg(device.y())
                            .arg(shot.pixel(device), 0, 16)
                            .arg(image.pixel(x, y), 0, 16);
                }
    return {};
}

// Whether some 2 x 2 device block inside `logical` holds more than one
// colour: the area was drawn at device resolution, not scaled up.
bool hasFinerDetail(const QImage &shot, const QRect &logical) {
    for (int y = logical.top(); y <= logical.bottom(); ++y)
        for (int x = logical.left(); x <= logical.right(); ++x) {
            const QRgb first = shot.pixel(x * kScale, y * kScale);
            for (int d = 1; d < kScale * kScale; ++d)
                if (shot.pixel(x * kScale + d % kScale, y * kScale + d / kScale) != first)
                    return true;
        }
    return false;
}

int countOrange(const QImage &shot, const QRect &logical) {
    int count = 0;
    const QRect device(logical.topLeft() * kScale, logical.size() * kScale);
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            count += shot.pixel(x, y) == qRgb(255, 128, 0);
    return count;
}

} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void layoutKeepsLogicalSize();
    void gapRodIsTwoCrispColours();
    void beadSlotsAreBlocks();
    void railsAndEmblemAreBlocks();
    void textDrawnAtDeviceResolution();

private:
    std::unique_ptr<Form1> form_;
    QImage shot_;
};

void HiDpiTest::initTestCase() {
    form_ = std::make_unique<Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QCOMPARE(form_->devicePixelRatio(), qreal(kScale));
    const QPixmap grab = form_->grab();
    QCOMPARE(grab.devicePixelRatio(), qreal(kScale));
    shot_ = grab.toImage().convertToFormat(QImage::Format_RGB32);
}

void HiDpiTest::layoutKeepsLogicalSize() {
    QCOMPARE(form_->size(), QSize(463, 282));
    QCOMPARE(shot_.size(), QSize(463 * kScale, 282 * kScale));
    QCOMPARE(form_->findChild<QWidget *>("Pic3(2)")->geometry(), QRect(251, 146, 40, 23));
    QCOMPARE(form_->findChild<QWidget *>("Command4")->geometry(), QRect(375, 7, 29, 17));
    QCOMPARE(form_->findChild<QWidget *>("Label2")->geometry(), QRect(16, 256, 321, 25));
}

void HiDpiTest::gapRodIsTwoCrispColours() {
    // The gap's rod, source columns 18..19, becomes device columns 36..39
    // of the slot: exactly the two rod colours, each two pixels wide, with
    // the ground on either side.
    const QRgb ground = qRgb(147, 190, 232);
    const QRgb rodLeft = qRgb(140, 103, 58);
    const QRgb rodRight = qRgb(179, 143, 99);
    for (int k = 0; k < 10; ++k) {
        const int left = columnX(k) * kScale;
        for (int y = 101 * kScale; y < 122 * kScale; ++y) { // lower slot 0, inner rows
            const QRgb expected[6] = {ground, rodLeft, rodLeft, rodRight, rodRight, ground};
            for (int i = 0; i < 6; ++i)
                QVERIFY2(shot_.pixel(left + 35 + i, y) == expected[i],
                         qPrintable(QStringLiteral("column %1, device x %2, y %3: %4")
                                        .arg(k)
                                        .arg(left + 35 + i)
                                        .arg(y)
                                        .arg(shot_.pixel(left + 35 + i, y), 0, 16)));
        }
    }
}

void HiDpiTest::beadSlotsAreBlocks() {
    // Every slot of the cleared frame shows its picture pixel for pixel as
    // 2 x 2 blocks, so no colour appears that the picture does not have.
    const QImage bead = resource("bead.bmp");
    const QImage gap = resource("gap.bmp");
    for (int k = 0; k < 10; ++k) {
        for (int i = 0; i < 5; ++i) {
            const QString mismatch =
                blockMismatch(shot_, {columnX(k), 100 + 23 * i}, i == 0 ? gap : bead, 0, 22, 40);
            QVERIFY2(mismatch.isEmpty(),
                     qPrintable(QStringLiteral("Pic%1(%2): ").arg(k).arg(i) + mismatch));
        }
        // Upper slots: rows 1..21, the outer rows lie under the neighbours.
        QString mismatch = blockMismatch(shot_, {columnX(k), 65}, gap, 1, 21, 40);
        QVERIFY2(mismatch.isEmpty(),
                 qPrintable(QStringLiteral("upper 0 of %1: ").arg(k) + mismatch));
        mismatch = blockMismatch(shot_, {columnX(k), k <= 4 ? 43 : 42}, bead, 1, 21, 40);
        QVERIFY2(mismatch.isEmpty(),
                 qPrintable(QStringLiteral("upper 5 of %1: ").arg(k) + mismatch));
    }
}

void HiDpiTest::railsAndEmblemAreBlocks() {
    QString mismatch = blockMismatch(shot_, {11, 28}, resource("rail_top.bmp"), 0, 14, 400);
    QVERIFY2(mismatch.isEmpty(), qPrintable("top rail: " + mismatch));
    mismatch = blockMismatch(shot_, {11, 215}, resource("rail_bottom.bmp"), 0, 14, 400);
    QVERIFY2(mismatch.isEmpty(), qPrintable("bottom rail: " + mismatch));
    mismatch = blockMismatch(shot_, {0, 0}, resource("bead_design.bmp"), 0, 22, 40);
    QVERIFY2(mismatch.isEmpty(), qPrintable("emblem: " + mismatch));
    // The rails end with the frame: right of it the window stays white.
    QCOMPARE(shot_.pixel(411 * kScale, 35 * kScale), qRgb(255, 255, 255));
}

void HiDpiTest::textDrawnAtDeviceResolution() {
    // Label2 shows "0" and Label1 "Orvane" in orange; drawn for the device,
    // their edges are finer than a logical pixel.
    const QRect label2(16, 256, 321, 25);
    const QRect label1(64, 5, 80, 19);
    QVERIFY(countOrange(shot_, label2) > 0);
    QVERIFY(countOrange(shot_, label1) > 0);
    QVERIFY2(hasFinerDetail(shot_, label2), "Label2's text is a scaled-up low-resolution drawing");
    QVERIFY2(hasFinerDetail(shot_, label1), "Label1's text is a scaled-up low-resolution drawing");

    // A hint label, shown with a digit, likewise.
    form_->core().Picture22_Click(1);
    form_->setCaption(ctallix::Caption::Lab1, 4, "8");
    const QImage shot = form_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect hint(215, 231, 22, 22);
    QVERIFY(countOrange(shot, hint) > 0);
    QVERIFY2(hasFinerDetail(shot, hint), "Lab1(4)'s text is a scaled-up low-resolution drawing");
}

QTEST_MAIN(HiDpiTest)
#include "hidpi_test.moc"
