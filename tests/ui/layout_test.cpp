// The window as the user first sees it: every control's name, kind, place,
// visibility, caption, font and colours, checked against a table written
// out here from the layout (not taken from the window's code), and what the
// window actually paints there.
#include "form_controls.h"
#include "ui/form1.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>
#include <vector>

using ctallix::Form1;
using ctallix::PictureBox;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kOrange(255, 128, 0);
const QColor kGrey(128, 128, 128);
const QColor kGround(147, 190, 232); // ground of the run-time bead and gap

struct Control {
    QString name;
    QString kind; // window, picture, label, option, command, frame
    QRect rect;   // in the window's client area
    bool visible;
    QString caption; // null: the control has no caption
    QString family;  // empty: no font of its own
    int pixelSize = 0;
    bool bold = false;
    QColor background; // invalid: not checked
    QColor text;       // invalid: not checked
    QString image;     // the resource a picture control shows
};

Control picture(const QString &name, QRect rect, bool visible, const QString &image) {
    return {name, "picture", rect,     visible,  QString(), QString(),
            0,    false,     QColor(), QColor(), image};
}

Control label(const QString &name, QRect rect, bool visible, const QString &caption,
              const QString &family, int pixelSize, bool bold) {
    return {name, "label", rect, visible, caption, family, pixelSize, bold, kWhite, kOrange, {}};
}

// The layout's control tables, as the design gives them.
std::vector<Control> designedControls() {
    std::vector<Control> all;
    all.push_back({"Form1",
                   "window",
                   QRect(0, 0, 463, 282),
                   true,
                   "cTallix",
                   {},
                   0,
                   false,
                   kWhite,
                   QColor(),
                   {}});

    struct Column {
        int k;
        const char *upperArray;
        int x;
        int upper5Y;
        QPoint option;
        QPoint lab1;
    };
    const Column columns[] = {
        {9, "pic95", 11, 42, {23, 88}, {14, 231}},    {8, "Pic85", 51, 42, {63, 88}, {53, 231}},
        {7, "Pic75", 91, 42, {103, 88}, {93, 231}},   {6, "Pic65", 131, 42, {143, 88}, {133, 231}},
        {5, "Pic55", 171, 42, {183, 88}, {175, 231}}, {4, "Pic45", 211, 43, {223, 88}, {215, 231}},
        {3, "Pic35", 251, 43, {263, 88}, {254, 231}}, {2, "Pic25", 291, 43, {303, 88}, {293, 231}},
        {1, "Pic15", 331, 43, {343, 88}, {332, 231}}, {0, "Pic05", 371, 43, {383, 88}, {371, 230}},
    };
    const QColor systemText = QApplication::palette().color(QPalette::WindowText);
    for (const Column &c : columns) {
        // A cleared frame: the slots next to the beam are gaps.
        for (int i = 0; i < 5; ++i)
            all.push_back(picture(QString("Pic%1(%2)").arg(c.k).arg(i),
                                  QRect(c.x, 100 + 23 * i, 40, 23), true,
                                  i == 0 ? "gap.bmp" : "bead.bmp"));
        all.push_back(
            picture(QString("%1(0)").arg(c.upperArray), QRect(c.x, 65, 40, 23), true, "gap.bmp"));
        all.push_back(picture(QString("%1(5)").arg(c.upperArray), QRect(c.x, c.upper5Y, 40, 23),
                              true, "bead.bmp"));
        all.push_back({QString("Option1(%1)").arg(c.k),
                       "option",
                       QRect(c.option, QSize(13, 12)),
                       true,
                       "Option1",
                       {},
                       0,
                       false,
                       kGrey,
                       systemText,
                       {}});
        all.push_back(label(QString("Lab1(%1)").arg(c.k), QRect(c.lab1, QSize(22, 22)), false, "",
                            c.k == 0 || c.k == 3 ? "@MS PGothic" : "MS PGothic", 21, true));
    }

    all.push_back(picture("Pic80", QRect(217, 2, 40, 23), false, "gap.bmp"));
    all.push_back(picture("Pic81", QRect(176, 2, 40, 23), false, "bead.bmp"));
    all.push_back(picture("Picture22(1)", QRect(11, 28, 400, 15), true, "rail_top.bmp"));
    all.push_back(picture("Picture22(0)", QRect(11, 215, 400, 15), true, "rail_bottom.bmp"));
    all.push_back({"Frame1",
                   "frame",
                   QRect(11, 88, 400, 12),
                   true,
                   QString(),
                   {},
                   0,
                   false,
                   kGrey,
                   QColor(),
                   {}});
    all.push_back(label("Label1", QRect(64, 5, 80, 19), true, "Orvane", "楷体_GB2312", 19, false));
    all.push_back(label("Label2", QRect(16, 256, 321, 25), true, "0", "MS PGothic", 16, true));
    const int commandX[] = {259, 298, 336, 375};
    for (int n = 1; n <= 4; ++n)
        all.push_back({QString("Command%1").arg(n),
                       "command",
                       QRect(commandX[n - 1], 7, 29, 17),
                       true,
                       "",
                       {},
                       0,
                       false,
                       kWhite,
                       QColor(),
                       {}});
    return all;
}

QImage resource(const QString &name) {
    return QImage(":/images/" + name).convertToFormat(QImage::Format_RGB32);
}

// The part of `shot` at `at` equals `image`'s top-left `size`, ignoring the
// outermost rows, where neighbouring controls may overlap.
bool showsImage(const QImage &shot, QPoint at, const QImage &image, QSize size) {
    for (int y = 1; y < size.height() - 1; ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (shot.pixel(at.x() + x, at.y() + y) != image.pixel(x, y))
                return false;
        }
    }
    return true;
}

bool isKind(QWidget *w, const QString &kind) {
    if (kind == "window")
        return w->isWindow();
    if (kind == "picture")
        return qobject_cast<PictureBox *>(w) != nullptr;
    if (kind == "label")
        return qobject_cast<QLabel *>(w) != nullptr;
    if (kind == "option")
        return qobject_cast<QRadioButton *>(w) != nullptr;
    if (kind == "command")
        return qobject_cast<QPushButton *>(w) != nullptr;
    if (kind == "frame")
        return qobject_cast<QFrame *>(w) != nullptr && qobject_cast<QLabel *>(w) == nullptr;
    return false;
}

QString captionOf(QWidget *w) {
    if (w->isWindow())
        return w->windowTitle();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    return QString();
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void controls_data();
    void controls();
    void namedControlsAreExactlyTheDesignedOnes();
    void windowIsFixedWithPlainIcon();
    void backgroundPictureAtCorner();
    void onlyFirstOptionSelected();
    void designPicturesUntilLoad();
    void fontsResolveToStandIns_data();
    void fontsResolveToStandIns();

private:
    std::unique_ptr<Form1> form_;
    QImage shot_;
};

void LayoutTest::initTestCase() {
    form_ = std::make_unique<Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    shot_ = form_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot_.size(), QSize(463, 282));
}

void LayoutTest::controls_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QString>("image");
    for (const Control &c : designedControls())
        QTest::newRow(c.name.toUtf8())
            << c.kind << c.rect << c.visible << c.caption << c.family << c.pixelSize << c.bold
            << c.background << c.text << c.image;
}

void LayoutTest::controls() {
    QFETCH(QString, kind);
    QFETCH(QRect, rect);
    QFETCH(bool, visible);
    QFETCH(QString, caption);
    QFETCH(QString, family);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    QFETCH(QString, image);
    const QString name = QString::fromUtf8(QTest::currentDataTag());

    QWidget *w = name == "Form1" ? form_.get() : form_->findChild<QWidget *>(name);
    QVERIFY2(w != nullptr, qPrintable(name));
    QVERIFY2(isKind(w, kind), w->metaObject()->className());

    const QPoint at = w->isWindow() ? QPoint(0, 0) : w->mapTo(form_.get(), QPoint(0, 0));
    QCOMPARE(QRect(at, w->size()), rect);
    QCOMPARE(w->isVisibleTo(form_.get()) || (w->isWindow() && w->isVisible()), visible);

    if (!caption.isNull())
        QCOMPARE(captionOf(w), caption);
    if (!family.isEmpty()) {
        QCOMPARE(w->font().family(), family);
        QCOMPARE(w->font().pixelSize(), pixelSize);
        QCOMPARE(w->font().bold(), bold);
    }
    if (background.isValid()) {
        QCOMPARE(w->palette().color(w->backgroundRole()), background);
        QVERIFY(w->autoFillBackground());
    }
    if (text.isValid())
        QCOMPARE(w->palette().color(QPalette::WindowText), text);
    if (auto *l = qobject_cast<QLabel *>(w)) {
        QVERIFY(!l->wordWrap());
        QCOMPARE(l->frameShape(), QFrame::NoFrame);
    }

    if (!visible)
        return;
    if (!image.isEmpty()) {
        // A picture control shows its image unscaled from its top-left
        // corner, clipped to its own size.
        const QImage expected = resource(image);
        QVERIFY2(!expected.isNull(), qPrintable(image));
        QVERIFY(showsImage(shot_, rect.topLeft(), expected, rect.size()));
    } else if (background.isValid()) {
        // The bottom-right corner is plain background on every other kind:
        // for an option marker that shows it does not draw its caption.
        QCOMPARE(QColor(shot_.pixel(rect.bottomRight())), background);
    }
}

void LayoutTest::namedControlsAreExactlyTheDesignedOnes() {
    QStringList designed;
    for (const Control &c : designedControls())
        if (c.name != "Form1")
            designed << c.name;
    QStringList present;
    for (QWidget *w : form_->findChildren<QWidget *>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
            present << w->objectName();
    designed.sort();
    present.sort();
    QCOMPARE(designed.size(), 101);
    QCOMPARE(present, designed);
}

void LayoutTest::windowIsFixedWithPlainIcon() {
    QCOMPARE(form_->minimumSize(), QSize(463, 282));
    QCOMPARE(form_->maximumSize(), QSize(463, 282));
    QCOMPARE(form_->objectName(), QString("Form1"));
    QVERIFY(form_->windowIcon().isNull());
    // Nothing but the background picture is painted on the window itself.
    QCOMPARE(QColor(shot_.pixel(450, 270)), kWhite);
}

void LayoutTest::backgroundPictureAtCorner() {
    const QImage emblem = resource("bead_design.bmp");
    QCOMPARE(emblem.size(), QSize(40, 23));
    QCOMPARE(shot_.copy(0, 0, 40, 23), emblem);
    QCOMPARE(QColor(shot_.pixel(40, 5)), kWhite);
    QCOMPARE(QColor(shot_.pixel(5, 23)), kWhite);
}

void LayoutTest::onlyFirstOptionSelected() {
    for (int k = 0; k < 10; ++k) {
        auto *option = form_->findChild<QRadioButton *>(QString("Option1(%1)").arg(k));
        QVERIFY(option != nullptr);
        QCOMPARE(option->isChecked(), k == 0);
    }
    // The selected marker looks different from the others.
    const QRect marker0(383, 88, 12, 12), marker1(343, 88, 12, 12);
    QVERIFY(shot_.copy(marker0) != shot_.copy(marker1));
}

void LayoutTest::designPicturesUntilLoad() {
    Form1 form(Form1::Load::Later);
    // Zero in every column, drawn with the given pictures: the slots next
    // to the beam show the gap.
    auto showsZero = [&form](const QString &gap, const QString &bead) {
        for (int k = 0; k < 10; ++k) {
            const QString upper = ctallix::test::UpperArray(k);
            QStringList names{upper + "(0)", upper + "(5)"};
            for (int i = 0; i < 5; ++i)
                names << QString("Pic%1(%2)").arg(k).arg(i);
            for (const QString &name : names) {
                const bool next = name.endsWith("(0)");
                if (form.findChild<PictureBox *>(name)->picture() != (next ? gap : bead))
                    return false;
            }
        }
        return true;
    };
    QVERIFY(showsZero("design-gap", "design-bead"));
    QCOMPARE(form.findChild<QLabel *>("Label2")->text(), QString());

    form.Form_Load();
    QVERIFY(showsZero("gap", "bead"));
    QCOMPARE(form.findChild<QLabel *>("Label2")->text(), QString("0"));
}

void LayoutTest::fontsResolveToStandIns_data() {
    QTest::addColumn<QString>("standIn");
    QTest::newRow("Label1") << "AR PL UKai CN";
    QTest::newRow("Label2") << "IPAPGothic";
    QTest::newRow("Lab1(0)") << "IPAPGothic"; // asks for "@MS PGothic"
    QTest::newRow("Lab1(3)") << "IPAPGothic"; // asks for "@MS PGothic"
    QTest::newRow("Lab1(7)") << "IPAPGothic";
}

void LayoutTest::fontsResolveToStandIns() {
    QFETCH(QString, standIn);
    auto *label = form_->findChild<QLabel *>(QTest::currentDataTag());
    QVERIFY(label != nullptr);
    const QFontInfo info(label->font());
    QCOMPARE(info.family(), standIn);
    QCOMPARE(info.pixelSize(), label->font().pixelSize());
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
