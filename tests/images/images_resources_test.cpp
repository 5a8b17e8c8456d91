// Checks that the bitmaps are compiled in and load through Qt, reached from
// a static library without any registration call, as the window reaches them.

#include "image_list.h"
#include "resource_image.h"

#include <QtTest>

class ImagesResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void loads() {
        for (const ImageFile &f : kImageFiles) {
            const QImage image = resourceImage(f.name);
            QVERIFY2(!image.isNull(), f.name);
            QCOMPARE(image.size(), QSize(f.width, f.height));
        }
        // Colours survive loading, the rails' one non-grey entry included.
        QCOMPARE(resourceImage("rail_top.bmp").pixelColor(419, 4), QColor(83, 90, 84));
        QCOMPARE(resourceImage("gap.bmp").pixelColor(18, 22), QColor(140, 103, 58));
    }
};

QTEST_GUILESS_MAIN(ImagesResourcesTest)
#include "images_resources_test.moc"
