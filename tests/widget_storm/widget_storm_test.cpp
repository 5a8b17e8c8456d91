// A seeded random run of mouse events on the real widgets of Form1, found
// by their object names, under Qt's offscreen platform.
//
// Beside the window runs a second calculator core, the shadow, that gets the
// very handler call each event stands for and draws into a plain recording
// view. After every event the window must show what the shadow's view
// holds (every slot's picture, the captions with the fill character shown
// as nothing, the hint labels' visibility, the selected option marker, the
// beeps), the window's core must hold the shadow's state, and every column
// must read as the digit it shows: upper(k) + lower(k) = drawn digit =
// coltext(k). On a sample of events the slots' pixels are compared with the
// bead and gap bitmaps.
//
// CTALLIX_STORM_SEED=<n> and CTALLIX_STORM_EVENTS=<n> replay a run or
// change its length; a failure prints the seed and the last events.
#include "checking_view.h"
#include "form_controls.h"
#include "frame/form1_core.h"
#include "frame/form_view.h"
#include "ui/form1.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <random>
#include <string>

using ctallix::Form1;
using ctallix::Form1Core;
using ctallix::PictureBox;
using ctallix::test::UpperArray;
using Shown = ctallix::test::CheckingView::Shown;

namespace {

constexpr std::uint64_t kDefaultSeed = 20250611;
constexpr int kDefaultEvents = 20000; // shared by the rows of the data table
constexpr int kPixelCheckEvery = 10;  // events between two pixel comparisons
constexpr std::size_t kEventsShown = 30;

// The window with its beep counted instead of sounded.
class CountingForm : public Form1 {
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

// One user action on one control.
enum class Kind { LowerPress, UpperClick, Beam, Option, Command, Rail, Hint };

struct Event {
    Kind kind = Kind::Beam;
    int k = 0;    // column, option, command (1..4), rail or hint label index
    int item = 0; // slot item
    Qt::MouseButton button = Qt::LeftButton;
    Qt::KeyboardModifiers modifiers;

    std::string describe() const {
        auto buttonName = [this] {
            return button == Qt::LeftButton    ? "left"
                   : button == Qt::RightButton ? "right"
                                               : "middle";
        };
        switch (kind) {
        case Kind::LowerPress:
            return "press Pic" + std::to_string(k) + "(" + std::to_string(item) + ") " +
                   buttonName() + (modifiers != Qt::NoModifier ? " +mod" : "");
        case Kind::UpperClick:
            return "click " + std::string(k == 9 ? "pic95" : "Pic" + std::to_string(k) + "5") +
                   "(" + std::to_string(item) + ")";
        case Kind::Beam:
            return "click Frame1";
        case Kind::Option:
            return "click Option1(" + std::to_string(k) + ")";
        case Kind::Command:
            return "click Command" + std::to_string(k);
        case Kind::Rail:
            return "click Picture22(" + std::to_string(k) + ")";
        case Kind::Hint:
            return "click Lab1(" + std::to_string(k) + ")";
        }
        return "?";
    }
};

// How often each kind of action comes up.
struct Profile {
    const char *name;
    int lower, upper, beam, option, multiply, divide, equals, clear, rail, hint;
};

constexpr Profile kProfiles[] = {
    // Every control about as often as a user might reach it.
    {"every control", 40, 14, 4, 8, 5, 5, 5, 3, 4, 6},
    // Mostly digits and operations, the decimal column seldom moved: more
    // results get laid and chained.
    {"calculations", 52, 10, 2, 2, 7, 7, 9, 2, 4, 3},
};

std::uint64_t envNumber(const char *name, std::uint64_t fallback) {
    const QByteArray value = qgetenv(name);
    bool ok = false;
    const qulonglong n = value.toULongLong(&ok);
    return ok ? n : fallback;
}

QString visibleText(const std::string &text) {
    QString s = QString::fromStdString(text);
    s.remove(QChar(u'\0'));
    return s;
}

QString pictureName(Shown p) {
    return p == Shown::Bead  ? QStringLiteral("bead")
           : p == Shown::Gap ? QStringLiteral("gap")
                             : QStringLiteral("nothing");
}

} // namespace

class WidgetStormTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void storm_data();
    void storm();

private:
    template <typename T> T *control(const QString &name) const {
        return ctallix::test::Control<T>(*form_, name);
    }
    void findControls();
    Event randomEvent(const Profile &profile, std::mt19937_64 &random) const;
    void perform(const Event &event);
    QString mismatch() const;
    QString pixelMismatch() const;

    std::unique_ptr<CountingForm> form_;
    std::unique_ptr<ctallix::test::CheckingView> view_;
    std::unique_ptr<Form1Core> shadow_;

    std::array<std::array<PictureBox *, 5>, 10> lower_{};
    std::array<std::array<PictureBox *, 2>, 10> upper_{};
    std::array<QRadioButton *, 10> options_{};
    std::array<QLabel *, 10> hints_{};
    std::array<QWidget *, 5> commands_{}; // 1..4
    std::array<QWidget *, 2> rails_{};
    QWidget *beam_ = nullptr;
    QLabel *label2_ = nullptr;
    QImage bead_, gap_;
};

void WidgetStormTest::initTestCase() {
    bead_ = QImage(QStringLiteral(":/images/bead.bmp")).convertToFormat(QImage::Format_RGB32);
    gap_ = QImage(QStringLiteral(":/images/gap.bmp")).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!bead_.isNull() && !gap_.isNull());
}

void WidgetStormTest::findControls() {
    for (int k = 0; k < 10; ++k) {
        for (int i = 0; i < 5; ++i)
            lower_[k][i] = control<PictureBox>(QStringLiteral("Pic%1(%2)").arg(k).arg(i));
        upper_[k][0] = control<PictureBox>(UpperArray(k) + QStringLiteral("(0)"));
        upper_[k][1] = control<PictureBox>(UpperArray(k) + QStringLiteral("(5)"));
        options_[k] = control<QRadioButton>(QStringLiteral("Option1(%1)").arg(k));
        hints_[k] = control<QLabel>(QStringLiteral("Lab1(%1)").arg(k));
    }
    for (int c = 1; c <= 4; ++c)
        commands_[c] = control<QWidget>(QStringLiteral("Command%1").arg(c));
    for (int r = 0; r < 2; ++r)
        rails_[r] = control<QWidget>(QStringLiteral("Picture22(%1)").arg(r));
    beam_ = control<QWidget>(QStringLiteral("Frame1"));
    label2_ = control<QLabel>(QStringLiteral("Label2"));
}

void WidgetStormTest::storm_data() {
    QTest::addColumn<int>("profile");
    for (int p = 0; p < static_cast<int>(std::size(kProfiles)); ++p)
        QTest::newRow(kProfiles[p].name) << p;
}

Event WidgetStormTest::randomEvent(const Profile &p, std::mt19937_64 &random) const {
    // Hidden hint labels cannot be clicked: their share goes to the rails.
    const bool hintsShown = hints_[0]->isVisible();
    const int weights[] = {p.lower,
                           p.upper,
                           p.beam,
                           p.option,
                           p.multiply,
                           p.divide,
                           p.equals,
                           p.clear,
                           p.rail + (hintsShown ? 0 : p.hint),
                           hintsShown ? p.hint : 0};
    std::discrete_distribution<int> pick(std::begin(weights), std::end(weights));
    auto uniform = [&random](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(random);
    };

    Event e;
    const int choice = pick(random);
    switch (choice) {
    case 0: {
        e.kind = Kind::LowerPress;
        e.k = uniform(10);
        e.item = uniform(5);
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        e.button = buttons[uniform(3)];
        if (uniform(8) == 0)
            e.modifiers = uniform(2) == 0 ? Qt::ShiftModifier : Qt::ControlModifier;
        break;
    }
    case 1:
        e.kind = Kind::UpperClick;
        e.k = uniform(10);
        e.item = uniform(2) == 0 ? 0 : 5;
        break;
    case 2:
        e.kind = Kind::Beam;
        break;
    case 3:
        e.kind = Kind::Option;
        e.k = uniform(10);
        break;
    case 4: // multiply, divide, equals, clear
    case 5:
    case 6:
    case 7:
        e.kind = Kind::Command;
        e.k = choice - 3;
        break;
    case 8:
        e.kind = Kind::Rail;
        e.k = uniform(2);
        break;
    default:
        e.kind = Kind::Hint;
        e.k = uniform(10);
        break;
    }
    return e;
}

// Sends the event to the real widget and the handler call it stands for to
// the shadow core.
void WidgetStormTest::perform(const Event &e) {
    switch (e.kind) {
    case Kind::LowerPress: {
        PictureBox *slot = lower_[e.k][e.item];
        const QPoint at(3 + e.item * 7, 4 + e.k);
        QTest::mousePress(slot, e.button, e.modifiers, at);
        QTest::mouseRelease(slot, e.button, e.modifiers, at);
        const std::int16_t button = e.button == Qt::LeftButton    ? ctallix::kLeftButton
                                    : e.button == Qt::RightButton ? ctallix::kRightButton
                                                                  : ctallix::kMiddleButton;
        const std::int16_t shift = e.modifiers.testFlag(Qt::ShiftModifier)     ? 1
                                   : e.modifiers.testFlag(Qt::ControlModifier) ? 2
                                                                               : 0;
        shadow_->PicK_MouseDown(e.k, static_cast<std::int16_t>(e.item), button, shift,
                                static_cast<float>(at.x()), static_cast<float>(at.y()));
        break;
    }
    case Kind::UpperClick:
        QTest::mouseClick(upper_[e.k][e.item == 0 ? 0 : 1], Qt::LeftButton);
        shadow_->PicK5_Click(e.k, static_cast<std::int16_t>(e.item));
        break;
    case Kind::Beam:
        QTest::mouseClick(beam_, Qt::LeftButton, {}, QPoint(32, 6));
        shadow_->Frame1_Click();
        break;
    case Kind::Option:
        QTest::mouseClick(options_[e.k], Qt::LeftButton);
        // A click on a marker selects it and runs the click handler.
        view_->selected = e.k;
        shadow_->Option1_Click(static_cast<std::int16_t>(e.k));
        break;
    case Kind::Command:
        QTest::mouseClick(commands_[e.k], Qt::LeftButton);
        switch (e.k) {
        case 1:
            shadow_->Command1_Click();
            break;
        case 2:
            shadow_->Command2_Click();
            break;
        case 3:
            shadow_->Command3_Click();
            break;
        default:
            shadow_->Command4_Click();
            break;
        }
        break;
    case Kind::Rail:
        QTest::mouseClick(rails_[e.k], Qt::LeftButton);
        shadow_->Picture22_Click(static_cast<std::int16_t>(e.k));
        break;
    case Kind::Hint:
        QTest::mouseClick(hints_[e.k], Qt::LeftButton);
        shadow_->Lab1_Click(static_cast<std::int16_t>(e.k));
        break;
    }
}

// The first difference between the window and the shadow, or an empty
// string.
QString WidgetStormTest::mismatch() const {
    const Form1Core &core = form_->core();
    const Form1Core &shadow = *shadow_;
    if (!view_->misuse.empty())
        return QStringLiteral("the core called %1").arg(QString::fromStdString(view_->misuse));

    for (int k = 0; k < 10; ++k) {
        // The slots show what the core drew, and form a digit.
        int gapAt = -1, gaps = 0;
        for (int i = 0; i < 5; ++i) {
            const QString shown = lower_[k][i]->picture();
            if (shown != pictureName(view_->lower[k][i]))
                return QStringLiteral("Pic%1(%2) shows %3, the core drew %4")
                    .arg(k)
                    .arg(i)
                    .arg(shown, pictureName(view_->lower[k][i]));
            if (shown == QLatin1String("gap")) {
                gapAt = i;
                ++gaps;
            }
        }
        for (int j = 0; j < 2; ++j) {
            const QString shown = upper_[k][j]->picture();
            if (shown != pictureName(view_->upper[k][j * 5]))
                return QStringLiteral("%1(%2) shows %3, the core drew %4")
                    .arg(UpperArray(k))
                    .arg(j == 0 ? 0 : 5)
                    .arg(shown, pictureName(view_->upper[k][j * 5]));
        }
        const bool upperGap0 = upper_[k][0]->picture() == QLatin1String("gap");
        if (gaps != 1 || upperGap0 == (upper_[k][1]->picture() == QLatin1String("gap")))
            return QStringLiteral("column %1 shows no digit").arg(k);
        const int drawn = (upperGap0 ? 0 : 5) + gapAt;

        // The column's state describes the drawn digit.
        if ((core.upper[k] != 0 && core.upper[k] != 5) || core.lower[k] < 0 || core.lower[k] > 4)
            return QStringLiteral("column %1: upper %2, lower %3")
                .arg(k)
                .arg(core.upper[k])
                .arg(core.lower[k]);
        if (core.upper[k] + core.lower[k] != drawn)
            return QStringLiteral("column %1 shows %2 but upper + lower is %3")
                .arg(k)
                .arg(drawn)
                .arg(core.upper[k] + core.lower[k]);
        if (core.coltext[k] != std::string(1, static_cast<char>('0' + drawn)))
            return QStringLiteral("column %1 shows %2 but coltext is \"%3\"")
                .arg(k)
                .arg(drawn)
                .arg(visibleText(core.coltext[k]));

        // Hint labels: caption (the fill character shows as nothing) and
        // visibility.
        if (hints_[k]->text() != visibleText(view_->lab1[k]))
            return QStringLiteral("Lab1(%1) shows \"%2\", the core wrote \"%3\"")
                .arg(k)
                .arg(hints_[k]->text(), visibleText(view_->lab1[k]));
        if (hints_[k]->isVisible() != view_->lab1Visible[k])
            return QStringLiteral("Lab1(%1) is %2")
                .arg(k)
                .arg(hints_[k]->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"));
    }

    // Exactly one marker is selected: the core's decimal column.
    int checked = -1;
    for (int k = 0; k < 10; ++k) {
        if (options_[k]->isChecked()) {
            if (checked >= 0)
                return QStringLiteral("Option1(%1) and Option1(%2) are both selected")
                    .arg(checked)
                    .arg(k);
            checked = k;
        }
    }
    if (checked != view_->selected || checked != core.dot)
        return QStringLiteral("Option1(%1) is selected; the shadow selected %2, dot is %3")
            .arg(checked)
            .arg(view_->selected)
            .arg(core.dot);

    if (label2_->text() != visibleText(view_->label2))
        return QStringLiteral("Label2 shows \"%1\", the core wrote \"%2\"")
            .arg(label2_->text(), visibleText(view_->label2));
    if (form_->beeps != view_->beeps)
        return QStringLiteral("%1 beeps, the core asked for %2")
            .arg(form_->beeps)
            .arg(view_->beeps);

    // The window's core went the same way as the shadow.
    if (std::bit_cast<std::uint64_t>(core.digit) != std::bit_cast<std::uint64_t>(shadow.digit) ||
        std::bit_cast<std::uint64_t>(core.digit1) != std::bit_cast<std::uint64_t>(shadow.digit1))
        return QStringLiteral("digit %1, digit1 %2; the shadow has %3, %4")
            .arg(core.digit, 0, 'g', 17)
            .arg(core.digit1, 0, 'g', 17)
            .arg(shadow.digit, 0, 'g', 17)
            .arg(shadow.digit1, 0, 'g', 17);
    if (core.num2 != shadow.num2 || core.dot != shadow.dot || core.firstnum != shadow.firstnum ||
        core.upper != shadow.upper || core.lower != shadow.lower ||
        core.coltext != shadow.coltext || core.splitdigit != shadow.splitdigit ||
        core.numtext != shadow.numtext)
        return QStringLiteral("the core's state differs from the shadow's (num2 %1/%2, dot %3/%4, "
                              "firstnum %5/%6)")
            .arg(core.num2)
            .arg(shadow.num2)
            .arg(core.dot)
            .arg(shadow.dot)
            .arg(core.firstnum)
            .arg(shadow.firstnum);
    return QString();
}

// The slots' pixels in the window's own rendering: every slot shows the
// bitmap of its picture. The outer rows may lie under a rail or the
// neighbouring upper slot, so only rows 2..20 are compared.
QString WidgetStormTest::pixelMismatch() const {
    const QImage shot = form_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto compare = [&](const PictureBox *slot, const QString &name) -> QString {
        const QImage &want = slot->picture() == QLatin1String("bead") ? bead_ : gap_;
        const QPoint at = slot->pos();
        for (int y = 2; y <= 20; ++y)
            for (int x = 0; x < want.width(); ++x)
                if (shot.pixel(at.x() + x, at.y() + y) != want.pixel(x, y))
                    return QStringLiteral("%1 should show the %2 bitmap; pixel (%3,%4) differs")
                        .arg(name, slot->picture())
                        .arg(x)
                        .arg(y);
        return QString();
    };
    for (int k = 0; k < 10; ++k) {
        for (int i = 0; i < 5; ++i)
            if (QString problem = compare(lower_[k][i], QStringLiteral("Pic%1(%2)").arg(k).arg(i));
                !problem.isEmpty())
                return problem;
        for (int j = 0; j < 2; ++j)
            if (QString problem =
                    compare(upper_[k][j], UpperArray(k) + QStringLiteral("(%1)").arg(j * 5));
                !problem.isEmpty())
                return problem;
    }
    return QString();
}

void WidgetStormTest::storm() {
    QFETCH(int, profile);
    const Profile &p = kProfiles[profile];
    const std::uint64_t seed =
        envNumber("CTALLIX_STORM_SEED", kDefaultSeed) + static_cast<std::uint64_t>(profile);
    const int events = static_cast<int>(envNumber("CTALLIX_STORM_EVENTS", kDefaultEvents)) /
                       static_cast<int>(std::size(kProfiles));

    form_ = std::make_unique<CountingForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    findControls();
    view_ = std::make_unique<ctallix::test::CheckingView>();
    shadow_ = std::make_unique<Form1Core>(*view_);
    shadow_->Form_Load();

    std::printf("widget storm \"%s\": seed %llu, %d events\n", p.name,
                static_cast<unsigned long long>(seed), events);
    std::fflush(stdout);

    std::mt19937_64 random(seed);
    std::deque<std::string> recent;
    auto report = [&](int index, const QString &problem) {
        std::fprintf(stderr,
                     "widget storm \"%s\" failed at event %d of %d (seed %llu; replay with "
                     "CTALLIX_STORM_SEED=%llu CTALLIX_STORM_EVENTS=%d):\n  %s\nlast events:\n",
                     p.name, index, events, static_cast<unsigned long long>(seed),
                     static_cast<unsigned long long>(seed - static_cast<std::uint64_t>(profile)),
                     events * static_cast<int>(std::size(kProfiles)), qPrintable(problem));
        for (const std::string &line : recent)
            std::fprintf(stderr, "  %s\n", line.c_str());
    };

    if (const QString problem = mismatch(); !problem.isEmpty()) {
        report(0, problem);
        QFAIL("the window after start-up differs from the core");
    }

    QElapsedTimer timer;
    timer.start();
    int counts[7] = {};
    int laid = 0, chainedPresses = 0;
    for (int n = 1; n <= events; ++n) {
        const Event e = randomEvent(p, random);
        ++counts[static_cast<int>(e.kind)];
        recent.push_back(std::to_string(n) + ": " + e.describe());
        if (recent.size() > kEventsShown)
            recent.pop_front();
        const bool chained = shadow_->firstnum != ctallix::kFalse;
        const int beepsBefore = view_->beeps;
        perform(e);
        if (e.kind == Kind::Command && e.k == 3 && view_->beeps == beepsBefore)
            ++laid;
        if (e.kind == Kind::Command && e.k <= 2 && chained && view_->beeps == beepsBefore)
            ++chainedPresses;

        QString problem = mismatch();
        if (problem.isEmpty() && n % kPixelCheckEvery == 0)
            problem = pixelMismatch();
        if (!problem.isEmpty()) {
            report(n, problem);
            QFAIL("the window differs from the core");
        }
    }
    std::printf("  %d events in %lld ms: %d lower presses, %d upper clicks, %d beam, %d option, "
                "%d command, %d rail, %d hint clicks; %d results laid, %d chained presses, "
                "%d beeps\n",
                events, static_cast<long long>(timer.elapsed()), counts[0], counts[1], counts[2],
                counts[3], counts[4], counts[5], counts[6], laid, chainedPresses, form_->beeps);
    form_.reset();
}

QTEST_MAIN(WidgetStormTest)
#include "widget_storm_test.moc"
