// The window at work: the real controls, found by name, are pressed and
// clicked with the mouse, and the beads, labels and option markers are read
// back from what the window shows.
#include "form_controls.h"
#include "ui/form1.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

using ctallix::Form1;
using ctallix::PictureBox;
using ctallix::test::UpperArray;

namespace {

// The window with its beep counted instead of sounded and the arguments of
// the last lower-slot press recorded on their way to the core.
class WatchedForm : public Form1 {
public:
    struct Press {
        int K = -1;
        int Index = -1;
        int Button = -1;
        int Shift = -1;
        float X = -1;
        float Y = -1;
    };

    void beep() override { ++beeps; }
    void PicK_MouseDown(int K, std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X,
                        float Y) override {
        lastPress = {K, Index, Button, Shift, X, Y};
        Form1::PicK_MouseDown(K, Index, Button, Shift, X, Y);
    }

    int beeps = 0;
    Press lastPress;
};

} // namespace

class BehaviourTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void roadOfTwelveTimesThree();
    void divideByZeroAtEquals();
    void resetAfterResult();
    void optionClicksChooseDecimalColumn();
    void selectOptionFromCode();
    void rightPressEntersFiveToNine();
    void upperClickSetsUpperBead();
    void beamClearsFrame();
    void pressArguments_data();
    void pressArguments();
    void passiveControlsIgnoreClicks();
    void commandShowsBeadShapeWhileHeld();
    void slotRepaintsOnlyOnChange();

private:
    QWidget *control(const QString &name) const { return ctallix::test::Control(*form_, name); }
    QString caption(const QString &name) const {
        return qobject_cast<QLabel *>(control(name))->text();
    }
    void pressLower(int k, int item, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(control(QString("Pic%1(%2)").arg(k).arg(item)), button);
    }
    void click(const QString &name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    bool hintsVisible(bool visible) const;
    QString frameDigits() const { return ctallix::test::FrameDigits(*form_); }

    std::unique_ptr<WatchedForm> form_;
};

void BehaviourTest::init() {
    form_ = std::make_unique<WatchedForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void BehaviourTest::cleanup() {
    form_.reset();
}

// All ten hint labels are shown (or all hidden).
bool BehaviourTest::hintsVisible(bool visible) const {
    for (int k = 0; k < 10; ++k)
        if (control(QString("Lab1(%1)").arg(k))->isVisible() != visible)
            return false;
    return true;
}

void BehaviourTest::roadOfTwelveTimesThree() {
    pressLower(0, 2);
    pressLower(1, 1);
    QCOMPARE(frameDigits(), QString("0000000012"));

    click("Command1");
    QCOMPARE(caption("Label2"), QString("12"));
    QCOMPARE(frameDigits(), QString("0000000000"));

    pressLower(0, 3);
    QCOMPARE(frameDigits(), QString("0000000003"));
    click("Command3");
    QCOMPARE(frameDigits(), QString("0000000036"));
    QCOMPARE(caption("Label2"), QString());
    QVERIFY(hintsVisible(false));

    click("Picture22(1)");
    QVERIFY(hintsVisible(true));
    QCOMPARE(caption("Lab1(0)"), QString("6"));
    QCOMPARE(caption("Lab1(1)"), QString("3"));
    for (int k = 2; k < 10; ++k)
        QCOMPARE(caption(QString("Lab1(%1)").arg(k)), QString());

    click("Lab1(4)");
    QVERIFY(hintsVisible(false));
    click("Picture22(0)"); // the bottom rail shows them as well
    QVERIFY(hintsVisible(true));
    QCOMPARE(form_->beeps, 0);
}

void BehaviourTest::divideByZeroAtEquals() {
    pressLower(0, 3, Qt::RightButton);
    QCOMPARE(frameDigits(), QString("0000000008"));
    click("Command2");
    QCOMPARE(caption("Label2"), QString("8"));

    click("Frame1");
    click("Command3");
    QCOMPARE(form_->beeps, 2);
    QCOMPARE(frameDigits(), QString("0000000000"));
    QCOMPARE(caption("Label2"), QString("0"));
    // The next operation button press starts a new calculation.
    pressLower(0, 1);
    click("Command1");
    QCOMPARE(caption("Label2"), QString("1"));
}

void BehaviourTest::resetAfterResult() {
    pressLower(0, 2);
    click("Command1");
    pressLower(0, 4, Qt::RightButton);
    click("Option1(1)");
    click("Command3"); // the 9 now reads as 0.9: 2 x 0.9 = 1.8
    QCOMPARE(frameDigits(), QString("0000000018"));
    click("Picture22(1)");
    QCOMPARE(caption("Lab1(1)"), QString("1"));
    QCOMPARE(caption("Lab1(0)"), QString("8"));

    click("Command4");
    QCOMPARE(frameDigits(), QString("0000000000"));
    QCOMPARE(caption("Label2"), QString("0"));
    for (int k = 0; k < 10; ++k)
        QCOMPARE(caption(QString("Lab1(%1)").arg(k)), QString());
    QVERIFY(hintsVisible(true)); // a shown row stays shown, empty
    QVERIFY(qobject_cast<QRadioButton *>(control("Option1(0)"))->isChecked());
    QCOMPARE(form_->core().dot, 0);
    QCOMPARE(form_->beeps, 0);
}

void BehaviourTest::optionClicksChooseDecimalColumn() {
    click("Option1(3)");
    QCOMPARE(form_->core().dot, 3);
    for (int k = 0; k < 10; ++k)
        QCOMPARE(qobject_cast<QRadioButton *>(control(QString("Option1(%1)").arg(k)))->isChecked(),
                 k == 3);
    QCOMPARE(frameDigits(), QString("0000000000"));

    // With the point after column 3's digit, 1 in column 3 and 5 in
    // column 2 read as 1.5.
    pressLower(3, 1);
    pressLower(2, 0, Qt::RightButton);
    click("Command1");
    QCOMPARE(caption("Label2"), QString("1.5"));

    click("Option1(0)");
    QCOMPARE(form_->core().dot, 0);
}

void BehaviourTest::selectOptionFromCode() {
    QVERIFY(form_->selectOption(4));
    QVERIFY(qobject_cast<QRadioButton *>(control("Option1(4)"))->isChecked());
    QVERIFY(!qobject_cast<QRadioButton *>(control("Option1(0)"))->isChecked());
    // Selecting from code does not run the click handler by itself.
    QCOMPARE(form_->core().dot, 0);
    QVERIFY(!form_->selectOption(4));
}

void BehaviourTest::rightPressEntersFiveToNine() {
    pressLower(4, 0, Qt::RightButton);
    QCOMPARE(frameDigits(), QString("0000050000"));
    pressLower(4, 4, Qt::RightButton);
    QCOMPARE(frameDigits(), QString("0000090000"));
    pressLower(4, 2); // the upper bead stays against the beam
    QCOMPARE(frameDigits(), QString("0000070000"));
    pressLower(9, 3, Qt::MiddleButton); // acts like the left button
    QCOMPARE(frameDigits(), QString("3000070000"));
    QCOMPARE(form_->core().coltext[4], std::string("7"));
}

void BehaviourTest::upperClickSetsUpperBead() {
    pressLower(2, 3);
    click(UpperArray(2) + "(5)");
    QCOMPARE(frameDigits(), QString("0000000800"));
    click(UpperArray(2) + "(5)");
    QCOMPARE(frameDigits(), QString("0000000800"));
    click(UpperArray(2) + "(0)");
    QCOMPARE(frameDigits(), QString("0000000300"));
    click(UpperArray(9) + "(5)");
    QCOMPARE(frameDigits(), QString("5000000300"));
    // A right click is not a click.
    QTest::mouseClick(control(UpperArray(0) + "(5)"), Qt::RightButton);
    QCOMPARE(frameDigits(), QString("5000000300"));
}

void BehaviourTest::beamClearsFrame() {
    pressLower(2, 2, Qt::RightButton);
    pressLower(0, 3);
    QCOMPARE(frameDigits(), QString("0000000703"));
    click("Frame1");
    QCOMPARE(frameDigits(), QString("0000000000"));
    // The markers on the beam are not the beam.
    pressLower(0, 3);
    click("Option1(5)");
    QCOMPARE(frameDigits(), QString("0000000003"));
}

void BehaviourTest::pressArguments_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("shift");
    QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << 1 << 0;
    QTest::newRow("right+shift") << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << 2
                                 << 1;
    QTest::newRow("middle+ctrl") << Qt::MiddleButton << Qt::KeyboardModifiers(Qt::ControlModifier)
                                 << 4 << 2;
    QTest::newRow("left+alt") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::AltModifier) << 1 << 4;
    QTest::newRow("right+all") << Qt::RightButton
                               << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier) << 2
                               << 7;
}

void BehaviourTest::pressArguments() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, code);
    QFETCH(int, shift);
    // A press alone, without its release, reaches the handler.
    QTest::mousePress(control("Pic6(3)"), button, modifiers, QPoint(5, 17));
    const WatchedForm::Press &p = form_->lastPress;
    QCOMPARE(p.K, 6);
    QCOMPARE(p.Index, 3);
    QCOMPARE(p.Button, code);
    QCOMPARE(p.Shift, shift);
    QCOMPARE(p.X, 5.0f);
    QCOMPARE(p.Y, 17.0f);
    QTest::mouseRelease(control("Pic6(3)"), button, modifiers, QPoint(5, 17));
}

void BehaviourTest::passiveControlsIgnoreClicks() {
    pressLower(1, 2);
    const QString before = frameDigits();
    for (const char *name : {"Label1", "Label2", "Pic80", "Pic81"})
        click(name);
    QCOMPARE(frameDigits(), before);
    QCOMPARE(caption("Label2"), QString("0"));
    QCOMPARE(caption("Label1"), QString("Orvane"));
    QVERIFY(hintsVisible(false));
    QCOMPARE(form_->beeps, 0);
    QVERIFY(!control("Pic80")->isVisible());
    QVERIFY(!control("Pic81")->isVisible());
}

void BehaviourTest::commandShowsBeadShapeWhileHeld() {
    for (int n = 1; n <= 4; ++n) {
        auto *button = qobject_cast<QPushButton *>(control(QString("Command%1").arg(n)));
        QVERIFY(button != nullptr);
        const QImage symbol(QString(":/images/command%1_symbol.bmp").arg(n));
        const QImage beads(QString(":/images/command%1_beads.bmp").arg(n));
        QVERIFY(!symbol.isNull() && !beads.isNull());
        auto centred = [button](const QImage &image) {
            const QImage shot = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QPoint at((29 - image.width()) / 2, (17 - image.height()) / 2);
            return shot.copy(QRect(at, image.size())) ==
                   image.convertToFormat(QImage::Format_RGB32);
        };
        QVERIFY2(centred(symbol), "symbol at rest");
        QTest::mousePress(button, Qt::LeftButton);
        QVERIFY2(centred(beads), "bead shape while held down");
        // Dragged off before release: no click, the reset button shows that
        // the frame keeps its beads.
        pressLower(0, 1);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-5, -5));
        QVERIFY2(centred(symbol), "symbol again after release");
        QCOMPARE(frameDigits(), QString("0000000001"));
    }
}

void BehaviourTest::slotRepaintsOnlyOnChange() {
    auto *slot = qobject_cast<PictureBox *>(control("Pic7(2)"));
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override {
            if (event->type() == QEvent::Paint)
                ++paints;
            return false;
        }
    } counter;
    QCoreApplication::processEvents();
    slot->installEventFilter(&counter);

    using ctallix::Half;
    using ctallix::Picture;
    form_->setSlot(7, Half::Lower, 2, Picture::Bead); // already a bead
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 0);

    form_->setSlot(7, Half::Lower, 2, Picture::Gap);
    QCoreApplication::processEvents();
    QVERIFY(counter.paints > 0);
    QCOMPARE(slot->picture(), QString("gap"));
    // Every slot shows the holder's own decoded picture, not a copy.
    QCOMPARE(slot->pixmap(), qobject_cast<PictureBox *>(control("Pic80"))->pixmap());
    slot->removeEventFilter(&counter);
}

QTEST_MAIN(BehaviourTest)
#include "behaviour_test.moc"
