// The window decodes its BMP files itself at start-up. Its reader must give
// exactly the pixels Qt's own BMP reader gives, for the window's files and
// for the other layouts the format allows (top-down rows, row padding,
// palettes of 1, 4 and 8 bits), and refuse what it does not read, in which
// case loadBitmap falls back to Qt's readers.
#include "ui/bitmap.h"

#include <QBuffer>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <vector>

using ctallix::decodeBmp;
using ctallix::loadBitmap;

namespace {

void put16(QByteArray &data, int at, quint16 v) {
    qToLittleEndian(v, data.data() + at);
}
void put32(QByteArray &data, int at, quint32 v) {
    qToLittleEndian(v, data.data() + at);
}

// A BMP with a 40-byte info header. `pixel(x, y)` gives a palette index or
// an RGB value; rows are stored bottom-up unless `topDown`.
QByteArray makeBmp(int width, int height, int bits, bool topDown, const std::vector<QRgb> &palette,
                   const std::function<quint32(int, int)> &pixel, quint32 usedColours = 0) {
    const int stride = ((width * bits + 31) / 32) * 4;
    const int paletteBytes = static_cast<int>(palette.size()) * 4;
    const int offset = 14 + 40 + paletteBytes;
    QByteArray data(offset + stride * height, '\0');
    data[0] = 'B';
    data[1] = 'M';
    put32(data, 2, data.size());
    put32(data, 10, offset);
    put32(data, 14, 40);
    put32(data, 18, width);
    put32(data, 22, topDown ? -height : height);
    put16(data, 26, 1);
    put16(data, 28, bits);
    put32(data, 46, usedColours);
    for (size_t i = 0; i < palette.size(); ++i) {
        const int at = 54 + static_cast<int>(i) * 4;
        data[at] = char(qBlue(palette[i]));
        data[at + 1] = char(qGreen(palette[i]));
        data[at + 2] = char(qRed(palette[i]));
    }
    for (int y = 0; y < height; ++y) {
        char *row = data.data() + offset + stride * (topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const quint32 v = pixel(x, y);
            if (bits == 24) {
                row[3 * x] = char(qBlue(v));
                row[3 * x + 1] = char(qGreen(v));
                row[3 * x + 2] = char(qRed(v));
            } else {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                row[x / perByte] = char(row[x / perByte] | (v << shift));
            }
        }
    }
    return data;
}

QImage qtDecode(const QByteArray &data) {
    return QImage::fromData(data, "BMP").convertToFormat(QImage::Format_RGB32);
}

std::vector<QRgb> greys(int n) {
    std::vector<QRgb> palette;
    for (int i = 0; i < n; ++i)
        palette.push_back(qRgb(i * 255 / (n - 1), (i * 37) % 256, 255 - i * 255 / (n - 1)));
    return palette;
}

} // namespace

class BitmapTest : public QObject {
    Q_OBJECT

private slots:
    void windowFilesMatchQt();
    void layoutsMatchQt_data();
    void layoutsMatchQt();
    void refusesWhatItDoesNotRead_data();
    void refusesWhatItDoesNotRead();
    void loadBitmapFallsBackToQt();
};

void BitmapTest::windowFilesMatchQt() {
    int files = 0;
    for (QDirIterator it(":/images", {"*.bmp"}); it.hasNext(); ++files) {
        const QString path = it.next();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        const QImage mine = decodeBmp(data);
        QVERIFY2(!mine.isNull(), qPrintable(path));
        QCOMPARE(mine.format(), QImage::Format_RGB32);
        QCOMPARE(mine, qtDecode(data));
        // loadBitmap gives the same pixels as a pixmap.
        QCOMPARE(loadBitmap(path).toImage().convertToFormat(QImage::Format_RGB32), mine);
    }
    QCOMPARE(files, 14);
}

void BitmapTest::layoutsMatchQt_data() {
    QTest::addColumn<QByteArray>("data");
    const auto rgb = [](int x, int y) { return quint32(qRgb(x * 40, y * 50, (x * y * 7) % 256)); };
    QTest::newRow("24 bit, bottom-up, padded rows") << makeBmp(5, 3, 24, false, {}, rgb);
    QTest::newRow("24 bit, top-down") << makeBmp(3, 4, 24, true, {}, rgb);
    QTest::newRow("8 bit, full palette")
        << makeBmp(7, 3, 8, false, greys(256), [](int x, int y) { return quint32(x * 30 + y); });
    QTest::newRow("8 bit, nine colours used") << makeBmp(
        6, 15, 8, false, greys(9), [](int x, int y) { return quint32((x + y) % 9); }, 9);
    QTest::newRow("4 bit, odd width") << makeBmp(
        5, 2, 4, false, greys(16), [](int x, int y) { return quint32((x * 3 + y) % 16); });
    QTest::newRow("1 bit, top-down")
        << makeBmp(11, 3, 1, true, greys(2), [](int x, int y) { return quint32((x + y) % 2); });
}

void BitmapTest::layoutsMatchQt() {
    QFETCH(QByteArray, data);
    const QImage expected = qtDecode(data);
    QVERIFY(!expected.isNull());
    QCOMPARE(decodeBmp(data), expected);
}

void BitmapTest::refusesWhatItDoesNotRead_data() {
    QTest::addColumn<QByteArray>("data");
    const auto rgb = [](int x, int y) { return quint32(qRgb(x, y, 0)); };
    const QByteArray good = makeBmp(4, 4, 24, false, {}, rgb);

    QByteArray rle = makeBmp(4, 4, 8, false, greys(4), [](int, int) { return 1u; });
    put32(rle, 30, 1); // BI_RLE8
    QByteArray sixteen = good;
    put16(sixteen, 28, 16);
    QByteArray wrongMagic = good;
    wrongMagic[0] = 'X';
    QByteArray pastTheEnd = good;
    put32(pastTheEnd, 10, good.size());
    QByteArray hugePalette = makeBmp(2, 2, 8, false, greys(4), [](int, int) { return 0u; });
    put32(hugePalette, 46, 255); // more palette entries than the file holds

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated pixels") << good.left(good.size() - 1);
    QTest::newRow("truncated header") << good.left(30);
    QTest::newRow("run-length encoded") << rle;
    QTest::newRow("16 bits per pixel") << sixteen;
    QTest::newRow("not a BMP") << wrongMagic;
    QTest::newRow("pixels past the end") << pastTheEnd;
    QTest::newRow("palette past the end") << hugePalette;
}

void BitmapTest::refusesWhatItDoesNotRead() {
    QFETCH(QByteArray, data);
    QVERIFY(decodeBmp(data).isNull());
}

void BitmapTest::loadBitmapFallsBackToQt() {
    // A PNG is not the reader's: loadBitmap hands it to Qt.
    QTemporaryDir dir;
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(2, 1, qRgb(200, 100, 50));
    const QString png = dir.filePath("picture.png");
    QVERIFY(image.save(png));
    QCOMPARE(loadBitmap(png).toImage().convertToFormat(QImage::Format_RGB32), image);
    // A missing file gives a null pixmap, as QPixmap does.
    QVERIFY(loadBitmap(dir.filePath("missing.bmp")).isNull());
}

QTEST_MAIN(BitmapTest)
#include "bitmap_test.moc"
