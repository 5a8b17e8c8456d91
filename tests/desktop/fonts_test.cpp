// The labels' fonts come from fontconfig. With the stand-in faces installed
// the labels use them; with `--only-dejavu` the test first writes a font
// configuration that knows one directory holding nothing but DejaVu Sans and
// points FONTCONFIG_FILE at it, so neither stand-in exists, and the labels
// must still get a real face that draws their text.
#include "form_controls.h"
#include "ui/fonts.h"
#include "ui/form1.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

using ctallix::Form1;

namespace {

bool onlyDejaVu = false;
const char *const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Counts pixels of the labels' orange in `widget`.
int orangePixels(QWidget *widget) {
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == qRgb(255, 128, 0);
    return count;
}

} // namespace

class FontsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void labelsGetInstalledFaces_data();
    void labelsGetInstalledFaces();
    void labelsDrawText();

private:
    QLabel *label(const QString &name) const {
        return ctallix::test::Control<QLabel>(*form_, name);
    }
    std::unique_ptr<Form1> form_;
};

void FontsTest::initTestCase() {
    if (onlyDejaVu) {
        // The configuration took effect: DejaVu Sans is the one face (Qt
        // adds the generic names Sans Serif, Serif and Monospace to it).
        const QStringList families = QFontDatabase::families();
        QVERIFY2(families.contains("DejaVu Sans"), qPrintable(families.join(", ")));
        QVERIFY(!families.contains(ctallix::kGothicStandIn));
        QVERIFY(!families.contains(ctallix::kKaiStandIn));
    }
    form_ = std::make_unique<Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    // Show the hint labels with a digit each, so they draw text too.
    form_->core().Picture22_Click(1);
    for (int k = 0; k < 10; ++k)
        form_->setCaption(ctallix::Caption::Lab1, k, std::to_string(k));
}

void FontsTest::labelsGetInstalledFaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("standIn");
    QTest::newRow("Label1") << "Label1" << ctallix::kKaiStandIn;
    QTest::newRow("Label2") << "Label2" << ctallix::kGothicStandIn;
    QTest::newRow("Lab1(1)") << "Lab1(1)" << ctallix::kGothicStandIn;
    QTest::newRow("Lab1(3), vertical variant") << "Lab1(3)" << ctallix::kGothicStandIn;
}

void FontsTest::labelsGetInstalledFaces() {
    QFETCH(QString, name);
    QFETCH(QString, standIn);
    const QString family = QFontInfo(label(name)->font()).family();
    QVERIFY2(!family.isEmpty(), qPrintable(name + " resolves to no face"));
    QVERIFY2(
        QFontDatabase::families().contains(family),
        qPrintable(
            QStringLiteral("%1 resolves to \"%2\", which is not installed").arg(name, family)));
    if (onlyDejaVu)
        QCOMPARE(family, QString("DejaVu Sans"));
    else if (QFontDatabase::families().contains(standIn))
        QCOMPARE(family, standIn);
    else
        QSKIP("the stand-in face is not installed here");
}

void FontsTest::labelsDrawText() {
    for (const QString name : {"Label1", "Label2", "Lab1(0)", "Lab1(3)", "Lab1(8)"}) {
        QVERIFY2(label(name)->isVisible(), qPrintable(name));
        QVERIFY2(orangePixels(label(name)) > 5, qPrintable(name + " draws no text"));
    }
    // The same caption in a stand-in face and in the vertical variant's
    // stand-in looks the same.
    form_->setCaption(ctallix::Caption::Lab1, 3, "7");
    form_->setCaption(ctallix::Caption::Lab1, 4, "7");
    QCOMPARE(label("Lab1(3)")->grab().toImage(), label("Lab1(4)")->grab().toImage());
}

int main(int argc, char *argv[]) {
    std::vector<char *> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--only-dejavu") == 0)
            onlyDejaVu = true;
        else
            args.push_back(argv[i]);
    }

    QTemporaryDir fonts; // outlives the application and fontconfig's use of it
    if (onlyDejaVu) {
        if (!QFile::exists(kDejaVuSans)) {
            std::printf("skipped: %s is missing (package fonts-dejavu-core)\n", kDejaVuSans);
            return 77; // reported by CTest as skipped
        }
        if (!fonts.isValid() || !QFile::link(kDejaVuSans, fonts.filePath("DejaVuSans.ttf")))
            qFatal("cannot prepare the font directory");
        QFile config(fonts.filePath("fonts.conf"));
        if (!config.open(QIODevice::WriteOnly))
            qFatal("cannot write the font configuration");
        config.write(QStringLiteral("<?xml version=\"1.0\"?>\n"
                                    "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                                    "<fontconfig>\n"
                                    "  <dir>%1</dir>\n"
                                    "  <cachedir>%2</cachedir>\n"
                                    "</fontconfig>\n")
                         .arg(fonts.path(), fonts.filePath("cache"))
                         .toUtf8());
        config.close();
        qputenv("FONTCONFIG_FILE", config.fileName().toLocal8Bit());
    }

    QApplication app(argc, argv);
    FontsTest test;
    int count = static_cast<int>(args.size());
    return QTest::qExec(&test, count, args.data());
}

#include "fonts_test.moc"
