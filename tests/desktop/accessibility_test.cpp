// What a screen reader finds in the window: every control the user can work
// is reachable through Qt's accessibility interfaces with a name that says
// which control it is and a description that says what it does, the names
// are all different, the four buttons say the same in their tooltips, and
// the press action of each control does what a click does.
#include "form_controls.h"
#include "ui/form1.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

#include <map>
#include <memory>

using ctallix::Form1;
using ctallix::PictureBox;
using ctallix::test::UpperArray;

namespace {

// Every control the user works with the mouse, by object name.
QStringList interactiveControls() {
    QStringList names;
    for (int k = 0; k < 10; ++k) {
        for (int i = 0; i < 5; ++i)
            names << QStringLiteral("Pic%1(%2)").arg(k).arg(i);
        names << UpperArray(k) + "(0)" << UpperArray(k) + "(5)";
        names << QStringLiteral("Option1(%1)").arg(k) << QStringLiteral("Lab1(%1)").arg(k);
    }
    names << "Frame1"
          << "Picture22(0)"
          << "Picture22(1)"
          << "Command1"
          << "Command2"
          << "Command3"
          << "Command4";
    return names;
}

// Works the control the way a screen reader does, by its press action (or
// `action`), and waits until a push button, which Qt presses visibly for a
// moment, has come up again with its click.
void press(QAccessibleInterface *iface,
           const QString &action = QAccessibleActionInterface::pressAction()) {
    QAccessibleActionInterface *actions = iface->actionInterface();
    QVERIFY2(actions != nullptr, qPrintable(iface->text(QAccessible::Name)));
    const QStringList names = actions->actionNames();
    QVERIFY2(names.contains(action), qPrintable(names.join(", ")));
    actions->doAction(action);
    if (auto *button = qobject_cast<QAbstractButton *>(iface->object()))
        QTRY_VERIFY(!button->isDown());
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyControlHasNameAndDescription();
    void namesSayWhichControl_data();
    void namesSayWhichControl();
    void buttonsHaveTooltips();
    void rolesAndSlotValues();
    void pressActionsWorkTheWindow();

private:
    QWidget *control(const QString &name) const { return ctallix::test::Control(*form_, name); }
    QAccessibleInterface *accessible(const QString &name) const {
        return QAccessible::queryAccessibleInterface(control(name));
    }
    QString picture(const QString &name) const {
        return qobject_cast<PictureBox *>(control(name))->picture();
    }

    std::unique_ptr<Form1> form_;
};

void AccessibilityTest::init() {
    form_ = std::make_unique<Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void AccessibilityTest::cleanup() {
    form_.reset();
}

void AccessibilityTest::everyControlHasNameAndDescription() {
    const QStringList names = interactiveControls();
    QCOMPARE(names.size(), 97);
    std::map<QString, QString> owner; // accessible name -> object name
    for (const QString &name : names) {
        QAccessibleInterface *iface = accessible(name);
        QVERIFY2(iface != nullptr && iface->isValid(), qPrintable(name));
        const QString spoken = iface->text(QAccessible::Name).trimmed();
        const QString description = iface->text(QAccessible::Description).trimmed();
        QVERIFY2(!spoken.isEmpty(), qPrintable(name + " has no accessible name"));
        QVERIFY2(!description.isEmpty(), qPrintable(name + " has no accessible description"));
        QVERIFY2(description != spoken, qPrintable(name + ": the description repeats the name"));
        const auto [it, fresh] = owner.emplace(spoken, name);
        QVERIFY2(
            fresh,
            qPrintable(
                QStringLiteral("%1 and %2 are both called \"%3\"").arg(it->second, name, spoken)));
        // The window is their parent in the accessible tree.
        QCOMPARE(iface->parent()->object(), form_.get());
    }
}

void AccessibilityTest::namesSayWhichControl_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("lower") << "Pic3(2)"
                           << "Column 3, lower bead 2";
    QTest::newRow("lower, next to the beam") << "Pic9(0)"
                                             << "Column 9, lower bead 0";
    QTest::newRow("upper away") << "Pic35(5)"
                                << "Column 3, upper bead away from the beam";
    QTest::newRow("upper next") << "Pic35(0)"
                                << "Column 3, upper bead next to the beam";
    QTest::newRow("upper of column 9") << "pic95(5)"
                                       << "Column 9, upper bead away from the beam";
    QTest::newRow("option") << "Option1(4)"
                            << "Decimal point after column 4";
    QTest::newRow("beam") << "Frame1"
                          << "Beam: clear the frame";
    QTest::newRow("top rail") << "Picture22(1)"
                              << "Top rail: show the digit hints";
    QTest::newRow("bottom rail") << "Picture22(0)"
                                 << "Bottom rail: show the digit hints";
    QTest::newRow("hint") << "Lab1(2)"
                          << "Hint under column 2";
    QTest::newRow("multiply") << "Command1"
                              << "Multiply";
    QTest::newRow("divide") << "Command2"
                            << "Divide";
    QTest::newRow("equals") << "Command3"
                            << "Equals";
    QTest::newRow("clear") << "Command4"
                           << "Clear";
}

void AccessibilityTest::namesSayWhichControl() {
    QFETCH(QString, control);
    QFETCH(QString, spoken);
    QCOMPARE(accessible(control)->text(QAccessible::Name), spoken);
}

void AccessibilityTest::buttonsHaveTooltips() {
    const char *says[] = {"Multiply", "Divide", "Equals", "Clear"};
    for (int n = 1; n <= 4; ++n) {
        QWidget *button = control(QStringLiteral("Command%1").arg(n));
        QCOMPARE(button->toolTip(), QString::fromLatin1(says[n - 1]));
        QCOMPARE(QAccessible::queryAccessibleInterface(button)->role(), QAccessible::Button);
    }
}

void AccessibilityTest::rolesAndSlotValues() {
    // The clickable pictures, the beam and the hints are buttons; the
    // decimal markers are radio buttons that tell which one is chosen.
    for (const QString name : {"Pic0(1)", "Pic05(5)", "Frame1", "Picture22(1)", "Lab1(7)"})
        QCOMPARE(accessible(name)->role(), QAccessible::Button);
    QCOMPARE(accessible("Option1(0)")->role(), QAccessible::RadioButton);
    QVERIFY(accessible("Option1(0)")->state().checked);
    QVERIFY(!accessible("Option1(1)")->state().checked);

    // A bead slot's value is what it shows, and follows it.
    QCOMPARE(accessible("Pic0(0)")->text(QAccessible::Value), QString("empty rod"));
    QCOMPARE(accessible("Pic0(3)")->text(QAccessible::Value), QString("bead"));
    QTest::mousePress(control("Pic0(3)"), Qt::LeftButton);
    QCOMPARE(accessible("Pic0(3)")->text(QAccessible::Value), QString("empty rod"));
    QCOMPARE(accessible("Pic0(0)")->text(QAccessible::Value), QString("bead"));
}

void AccessibilityTest::pressActionsWorkTheWindow() {
    // A lower bead: the column shows 2.
    press(accessible("Pic0(2)"));
    QCOMPARE(form_->core().lower[0], 2);
    QCOMPARE(picture("Pic0(2)"), QString("gap"));
    // The upper bead away from the beam: adds 5.
    press(accessible("Pic05(5)"));
    QCOMPARE(form_->core().upper[0], 5);
    QCOMPARE(picture("Pic05(0)"), QString("bead"));
    // A decimal marker chooses its column, pressed or toggled.
    press(accessible("Option1(3)"));
    QCOMPARE(form_->core().dot, 3);
    QVERIFY(accessible("Option1(3)")->state().checked);
    QVERIFY(!accessible("Option1(0)")->state().checked);
    press(accessible("Option1(5)"), QAccessibleActionInterface::toggleAction());
    QCOMPARE(form_->core().dot, 5);
    QVERIFY(accessible("Option1(5)")->state().checked);
    QVERIFY(!accessible("Option1(3)")->state().checked);
    // The beam clears the frame.
    press(accessible("Frame1"));
    QCOMPARE(form_->core().lower[0], 0);
    QCOMPARE(form_->core().upper[0], 0);
    // A rail shows the hints, a hint hides them.
    press(accessible("Picture22(1)"));
    QVERIFY(control("Lab1(0)")->isVisible());
    press(accessible("Lab1(0)"));
    QVERIFY(!control("Lab1(0)")->isVisible());
    // The buttons: 7 x 6 = 42 without decimal places, then clear.
    press(accessible("Option1(0)"));
    press(accessible("Pic0(2)"));
    press(accessible("Pic05(5)"));
    press(accessible("Command1"));
    press(accessible("Pic0(1)"));
    press(accessible("Pic05(5)"));
    press(accessible("Command3"));
    QCOMPARE(form_->core().digit, 42.0);
    press(accessible("Command4"));
    QCOMPARE(form_->core().digit, 0.0);
    QCOMPARE(qobject_cast<QLabel *>(control("Label2"))->text(), QString("0"));
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
