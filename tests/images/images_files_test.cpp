// Checks the committed BMP files of the window, read byte by byte: their
// headers, the pixel facts of each image, and that they are exactly what
// ctallix_imagegen draws today.

#include "bmp_reader.h"
#include "image_list.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <tuple>

namespace {

const Rgb kGround{147, 190, 232}, kDesignGround{131, 171, 218}, kButtonGround{192, 192, 192};
const Rgb kRodLeft{140, 103, 58}, kRodRight{179, 143, 99}, kBlack{0, 0, 0};

Bmp load(const QString &name) {
    return readBmp(QStringLiteral(CTALLIX_IMAGES_DIR "/%1").arg(name).toStdString());
}

// The first and last column of row y that differ from the ground; (-1, -1)
// for a row of ground only, (-2, -2) when those columns are not contiguous.
std::pair<int, int> span(const Bmp &bmp, int y, Rgb ground) {
    int first = -1, last = -1;
    for (int x = 0; x < bmp.width; ++x)
        if (bmp.at(x, y) != ground) {
            if (first >= 0 && last != x - 1)
                return {-2, -2};
            first = first < 0 ? x : first;
            last = x;
        }
    return {first, last};
}

} // namespace

class ImagesFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir generated;

    void eachFile() {
        QTest::addColumn<ImageFile>("file");
        for (const ImageFile &f : kImageFiles)
            QTest::newRow(f.name) << f;
    }

private slots:
    void initTestCase() {
        QVERIFY(generated.isValid());
        QProcess gen;
        gen.start(QStringLiteral(CTALLIX_IMAGEGEN), {generated.path()});
        QVERIFY(gen.waitForFinished(-1));
        QCOMPARE(gen.exitStatus(), QProcess::NormalExit);
        QCOMPARE(gen.exitCode(), 0);
    }

    void header_data() { eachFile(); }
    void header() {
        QFETCH(ImageFile, file);
        const Bmp bmp = load(file.name);
        QCOMPARE(bmp.width, file.width);
        QCOMPARE(bmp.height, file.height); // positive: rows stored bottom-up
        QCOMPARE(bmp.bits, file.bits);
        QCOMPARE(bmp.infoSize, 40u); // BITMAPINFOHEADER
        QCOMPARE(bmp.planes, 1);
        QCOMPARE(bmp.compression, 0u);
        QCOMPARE(bmp.imageSize, bmp.stride * std::uint32_t(file.height));
        QCOMPARE(bmp.dataOffset, 54u + 4u * std::uint32_t(bmp.palette.size()));
        QCOMPARE(bmp.fileSize, std::uint32_t(bmp.bytes.size()));
        QCOMPARE(bmp.fileSize, bmp.dataOffset + bmp.imageSize);
    }

    // The committed files are what the generator writes now, and it writes
    // nothing else.
    void matchesGenerator_data() { eachFile(); }
    void matchesGenerator() {
        QFETCH(ImageFile, file);
        QVERIFY(load(file.name).bytes ==
                readBmp(QDir(generated.path()).filePath(file.name).toStdString()).bytes);
        QCOMPARE(QDir(generated.path()).count(), uint(std::size(kImageFiles)) + 2); // . and ..
    }

    void rails_data() {
        QTest::addColumn<bool>("reversed");
        QTest::newRow("rail_top.bmp") << false;
        QTest::newRow("rail_bottom.bmp") << true;
    }
    void rails() {
        QFETCH(bool, reversed);
        const Rgb bands[15] = {{123, 123, 123}, {112, 112, 112}, {101, 101, 101}, {91, 91, 91},
                               {83, 90, 84},    {70, 70, 70},    {55, 55, 55},    {55, 55, 55},
                               {33, 33, 33},    {33, 33, 33},    {33, 33, 33},    {9, 9, 9},
                               {9, 9, 9},       {9, 9, 9},       {9, 9, 9}};
        const Bmp bmp = load(QTest::currentDataTag());
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < bmp.width; ++x)
                QCOMPARE(bmp.at(x, y), bands[reversed ? 14 - y : y]);
        // A palette of greys, plus the one slightly green band colour.
        for (const Rgb &c : bmp.palette)
            QVERIFY((c == Rgb{83, 90, 84}) || (c.r == c.g && c.g == c.b));
    }

    void beads_data() {
        QTest::addColumn<Rgb>("ground");
        QTest::addColumn<Rgb>("upper");
        QTest::addColumn<Rgb>("lower");
        QTest::newRow("bead.bmp") << kGround << Rgb{212, 164, 121} << Rgb{178, 121, 94};
        QTest::newRow("bead_design.bmp")
            << kDesignGround << Rgb{196, 147, 109} << Rgb{159, 108, 86};
    }
    void beads() {
        QFETCH(Rgb, ground);
        QFETCH(Rgb, upper);
        QFETCH(Rgb, lower);
        const Bmp bmp = load(QTest::currentDataTag());
        std::pair<int, int> spans[23];
        for (int y = 0; y < 23; ++y)
            spans[y] = span(bmp, y, ground);
        // A double cone with flat ends over the full height, widest at 10..12.
        QCOMPARE(spans[0], std::make_pair(11, 26));
        for (int y : {10, 11, 12})
            QCOMPARE(spans[y], std::make_pair(1, 38));
        QCOMPARE(spans[22], std::make_pair(12, 26));
        for (int y = 1; y <= 10; ++y) {
            QVERIFY(spans[y].first <= spans[y - 1].first && spans[y].second >= spans[y - 1].second);
            QVERIFY(spans[22 - y].first <= spans[23 - y].first &&
                    spans[22 - y].second >= spans[23 - y].second);
        }
        // Mean colour of the upper part (rows 0..10) and of the lower part
        // (11..22), each lighter on the right of the rod than on the left.
        using Part = std::tuple<int, int, Rgb>;
        for (const auto &[first, last, mean] : {Part{0, 10, upper}, Part{11, 22, lower}}) {
            double r = 0, g = 0, b = 0, side[2] = {}, n = 0, nSide[2] = {};
            for (int y = first; y <= last; ++y)
                for (int x = spans[y].first; x <= spans[y].second; ++x) {
                    const Rgb p = bmp.at(x, y);
                    r += p.r, g += p.g, b += p.b, ++n;
                    side[x > 19] += p.r + p.g + p.b, ++nSide[x > 19];
                }
            QVERIFY2(std::max({std::abs(r / n - mean.r), std::abs(g / n - mean.g),
                               std::abs(b / n - mean.b)}) <= 3,
                     qPrintable(QString("mean %1 %2 %3").arg(r / n).arg(g / n).arg(b / n)));
            QVERIFY(side[1] / nSide[1] > side[0] / nSide[0] + 10);
        }
    }

    void gaps() {
        const Bmp gap = load("gap.bmp"), design = load("gap_design.bmp");
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 40; ++x) {
                const Rgb expected = x == 18 ? kRodLeft : x == 19 ? kRodRight : kGround;
                QCOMPARE(gap.at(x, y), expected);
                QCOMPARE(design.at(x, y), expected == kGround ? kDesignGround : expected);
            }
    }

    void buttonBeads() {
        const Bmp c1 = load("command1_beads.bmp"), c2 = load("command2_beads.bmp");
        const Bmp c3 = load("command3_beads.bmp"), c4 = load("command4_beads.bmp");
        // Multiply: two overlapping beads, together 27 px at their widest.
        QCOMPARE(span(c1, 5, kButtonGround), std::make_pair(0, 26));
        // Divide: rows 5..6 empty between the two halves.
        for (int y = 0; y < 12; ++y)
            QCOMPARE(span(c2, y, kButtonGround).first < 0, y == 5 || y == 6);
        // Equals: slits at rows 3 and 8 from the middle to the right edge.
        QCOMPARE(span(c3, 3, kButtonGround).second, 8);
        QCOMPARE(span(c3, 8, kButtonGround).second, 8);
        // Clear: a V-shaped wedge from the right, deepest at rows 5..6.
        const auto right = [&](int y) { return span(c4, y, kButtonGround).second; };
        QCOMPARE(right(5), right(6));
        for (int y = 3; y <= 5; ++y)
            QVERIFY(right(y - 1) > right(y) && right(12 - y) > right(11 - y));
    }

    // The sign as the lengths of the black runs of each row that has any,
    // top to bottom.
    void symbols_data() {
        QTest::addColumn<QString>("runs");
        QTest::newRow("command1_symbol.bmp") << "1 1|2|6|2|1 1";
        QTest::newRow("command2_symbol.bmp") << "2|10|2";
        QTest::newRow("command3_symbol.bmp") << "7|7";
        QTest::newRow("command4_symbol.bmp") << "4|1 1|1|1|1|1|1|1 1|4";
    }
    void symbols() {
        QFETCH(QString, runs);
        const Bmp bmp = load(QTest::currentDataTag());
        QStringList rows;
        int left = 20, right = -1, top = 15, bottom = -1;
        for (int y = 0; y < 15; ++y) {
            QString row;
            for (int x = 0; x < 20; ++x) {
                const Rgb p = bmp.at(x, y);
                row += p == kBlack ? '#' : ' ';
                QVERIFY(p == kBlack || std::min({p.r, p.g, p.b}) >= 100); // no grey edges
                if (p == kBlack)
                    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                    bottom = std::max(bottom, y);
            }
            QStringList lengths;
            for (const QString &run : row.split(' ', Qt::SkipEmptyParts))
                lengths << QString::number(run.size());
            if (!lengths.isEmpty())
                rows << lengths.join(' ');
        }
        QCOMPARE(rows.join('|'), runs);
        QVERIFY(std::abs(left + right - 19) <= 1); // centred on x = 9.5
        QVERIFY(std::abs(top + bottom - 14) <= 1); // and on y = 7
        // The ground: light at the top left, dark at the bottom right.
        QVERIFY(std::abs(bmp.at(0, 0).r - 228) + std::abs(bmp.at(0, 0).b - 230) <= 6);
        QVERIFY(std::abs(bmp.at(19, 14).r - 136) + std::abs(bmp.at(19, 14).b - 144) <= 6);
    }
};

QTEST_GUILESS_MAIN(ImagesFilesTest)
#include "images_files_test.moc"
