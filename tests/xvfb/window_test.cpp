// The real program on a real X server: starts its own Xvfb, runs ctallix on
// it, finds the window, and checks the pixels of its client area: the
// cleared frame in every column, the rails, the beam, the option markers,
// the emblem and the display's "0". Then it presses a bead with the right
// button through the X server (press only, no release) and checks the
// column shows 7, and clicks the reset button.
//
// Usage: ctallix_window_test PATH/TO/ctallix [SCREENSHOT.png]
// With a second argument, the screenshot of the freshly opened window is
// saved there.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <functional>

namespace {

// Polling bounds: generous upper limits for a slow machine, not timings.
constexpr int kPollAttempts = 200;
constexpr int kPollStepMs = 50;

const QRgb kGround = qRgb(147, 190, 232);
const QRgb kRodLeft = qRgb(140, 103, 58);
const QRgb kRodRight = qRgb(179, 143, 99);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kOrange = qRgb(255, 128, 0);

// Rows of the top rail from top to bottom; the bottom rail has them reversed.
const int kRailGreys[15] = {123, 112, 101, 91, -1, 70, 55, 55, 33, 33, 33, 9, 9, 9, 9};
const QRgb kRailRow4 = qRgb(83, 90, 84);

int failures = 0;

void fail(const QString &what) {
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    ++failures;
}

[[noreturn]] void abortTest(const QString &what) {
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    std::exit(1);
}

QString tool(const char *name) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (path.isEmpty())
        abortTest(QStringLiteral("%1 is not installed").arg(QLatin1String(name)));
    return path;
}

// Runs a tool to completion; whether it succeeded, and its standard output.
bool run(const QString &program, const QStringList &args, const QString &display,
         QString *output = nullptr) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return false;
    if (output != nullptr)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return true;
}

// Repeats `attempt` until it succeeds or the bound is reached.
bool poll(const std::function<bool()> &attempt) {
    for (int i = 0; i < kPollAttempts; ++i) {
        if (attempt())
            return true;
        QThread::msleep(kPollStepMs);
    }
    return false;
}

int columnX(int k) {
    return 11 + 40 * (9 - k);
}
int upper5Y(int k) {
    return k <= 4 ? 43 : 42;
}
int lowerY(int i) {
    return 100 + 23 * i;
}

bool isRod(const QImage &shot, int x, int y) {
    return shot.pixel(x + 18, y + 11) == kRodLeft && shot.pixel(x + 19, y + 11) == kRodRight &&
           shot.pixel(x + 20, y + 11) == kGround;
}

// The digit column k shows, or -1 when its slots do not show one (not
// exactly one empty rod in each half).
int columnDigit(const QImage &shot, int k) {
    const int x = columnX(k);
    int lower = -1;
    for (int i = 0; i < 5; ++i) {
        if (isRod(shot, x, lowerY(i))) {
            if (lower >= 0)
                return -1;
            lower = i;
        }
    }
    const bool rod0 = isRod(shot, x, 65);
    const bool rod5 = isRod(shot, x, upper5Y(k));
    if (lower < 0 || rod0 == rod5)
        return -1;
    return (rod5 ? 5 : 0) + lower;
}

// Rows `margin`..h-1-margin of `image` appear at `at` (the outer rows of a
// bead slot may lie under a neighbour).
bool showsImage(const QImage &shot, QPoint at, const QImage &image, int margin = 1) {
    for (int y = margin; y < image.height() - margin; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (shot.pixel(at.x() + x, at.y() + y) != image.pixel(x, y))
                return false;
    return true;
}

QImage resource(const char *name) {
    const QImage image = QImage(QStringLiteral(":/images/") + QLatin1String(name))
                             .convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        abortTest(QStringLiteral("resource %1 is missing").arg(QLatin1String(name)));
    return image;
}

// Everything wrong with a screenshot of the freshly started window.
QStringList problemsAtStart(const QImage &shot) {
    QStringList problems;
    if (shot.size() != QSize(463, 282))
        return {QStringLiteral("client area is %1x%2").arg(shot.width()).arg(shot.height())};

    const QImage bead = resource("bead.bmp");
    const QImage gap = resource("gap.bmp");
    for (int k = 0; k < 10; ++k) {
        const int x = columnX(k);
        if (columnDigit(shot, k) != 0)
            problems << QStringLiteral("column %1 does not show 0").arg(k);
        // Every slot shows the run-time pictures on the light-blue ground.
        for (int i = 0; i < 5; ++i)
            if (!showsImage(shot, {x, lowerY(i)}, i == 0 ? gap : bead))
                problems << QStringLiteral("lower slot %1 of column %2").arg(i).arg(k);
        if (!showsImage(shot, {x, 65}, gap))
            problems << QStringLiteral("upper slot 0 of column %1").arg(k);
        if (!showsImage(shot, {x, upper5Y(k)}, bead))
            problems << QStringLiteral("upper slot 5 of column %1").arg(k);
        if (shot.pixel(x + 39, lowerY(2) + 5) != kGround || shot.pixel(x, 65 + 5) != kGround)
            problems << QStringLiteral("ground of column %1").arg(k);

        // The beam is grey beside each option marker; the marker shows.
        for (int y = 88; y < 100; ++y)
            if (shot.pixel(x + 2, y) != kGrey || shot.pixel(x + 30, y) != kGrey)
                problems << QStringLiteral("beam at column %1, y %2").arg(k).arg(y);
        bool marker = false;
        for (int y = 88; y < 100; ++y)
            for (int dx = 12; dx < 24; ++dx)
                marker = marker || shot.pixel(x + dx, y) != kGrey;
        if (!marker)
            problems << QStringLiteral("no option marker on column %1").arg(k);
    }

    for (int row = 0; row < 15; ++row) {
        const QRgb top = kRailGreys[row] < 0
                             ? kRailRow4
                             : qRgb(kRailGreys[row], kRailGreys[row], kRailGreys[row]);
        const int bottomGrey = kRailGreys[14 - row];
        const QRgb bottom = bottomGrey < 0 ? kRailRow4 : qRgb(bottomGrey, bottomGrey, bottomGrey);
        for (int x : {11, 211, 410}) {
            if (shot.pixel(x, 28 + row) != top)
                problems << QStringLiteral("top rail at x %1, row %2").arg(x).arg(row);
            if (shot.pixel(x, 215 + row) != bottom)
                problems << QStringLiteral("bottom rail at x %1, row %2").arg(x).arg(row);
        }
    }
    // The rails end with the frame.
    if (shot.pixel(411, 35) != kWhite || shot.pixel(411, 222) != kWhite)
        problems << QStringLiteral("rails run past the frame");

    if (!showsImage(shot, {0, 0}, resource("bead_design.bmp"), 0))
        problems << QStringLiteral("emblem at the top-left corner");

    bool orange = false;
    for (int y = 256; y < 281; ++y)
        for (int x = 16; x < 60; ++x)
            orange = orange || shot.pixel(x, y) == kOrange;
    if (!orange)
        problems << QStringLiteral("Label2 shows no orange text");

    // The hint labels are hidden: their row is plain white.
    for (int x = 11; x < 411; ++x)
        if (shot.pixel(x, 241) != kWhite)
            problems << QStringLiteral("something shows in the hint row at x %1").arg(x);
    return problems;
}

class Session {
public:
    Session(const QString &ctallix) : ctallix_(ctallix) {}
    ~Session() {
        for (QProcess *p : {&app_, &xvfb_}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(5000))
                    p->kill();
                p->waitForFinished(-1);
            }
        }
    }

    void startServer() {
        // -displayfd makes the server choose a free display number and write
        // it once it accepts connections.
        xvfb_.start(tool("Xvfb"),
                    {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (!xvfb_.waitForStarted(-1))
            abortTest(QStringLiteral("Xvfb does not start"));
        QByteArray out;
        while (!out.contains('\n')) {
            if (!xvfb_.waitForReadyRead(-1))
                abortTest(QStringLiteral("Xvfb ended without a display number"));
            out += xvfb_.readAllStandardOutput();
        }
        display_ = QStringLiteral(":") + QString::fromLatin1(out.trimmed());
        const QString xdpyinfo = tool("xdpyinfo");
        if (!poll([&] { return run(xdpyinfo, {}, display_); }))
            abortTest(QStringLiteral("Xvfb at %1 does not answer").arg(display_));
    }

    void startProgram() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        app_.setProcessEnvironment(env);
        app_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app_.start(ctallix_, {});
        if (!app_.waitForStarted(-1))
            abortTest(QStringLiteral("cannot start %1").arg(ctallix_));
    }

    // The id of the mapped window titled cTallix.
    QString waitForWindow() {
        QProcess search;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        search.setProcessEnvironment(env);
        search.start(tool("xdotool"), {"search", "--sync", "--onlyvisible", "--name", "^cTallix$"});
        while (!search.waitForFinished(kPollStepMs)) {
            if (app_.state() == QProcess::NotRunning) {
                search.kill();
                search.waitForFinished(-1);
                abortTest(QStringLiteral("ctallix ended before its window was mapped"));
            }
        }
        const QStringList ids =
            QString::fromLatin1(search.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        if (ids.size() != 1)
            abortTest(QStringLiteral("%1 windows titled cTallix").arg(ids.size()));
        return ids.first();
    }

    QImage capture(const QString &window) {
        const QString file = runtime_.filePath(QStringLiteral("shot.png"));
        QFile::remove(file);
        if (!run(tool("import"), {"-window", window, "png:" + file}, display_))
            return QImage();
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }

    bool xdotool(const QStringList &args) { return run(tool("xdotool"), args, display_); }
    QString xwininfo(const QString &window) {
        QString info;
        run(tool("xwininfo"), {"-id", window}, display_, &info);
        return info;
    }
    bool programRunning() const { return app_.state() == QProcess::Running; }

private:
    QString ctallix_;
    QString display_;
    QTemporaryDir runtime_;
    QProcess xvfb_;
    QProcess app_;
};

int field(const QString &info, const char *label) {
    const QRegularExpression re(QLatin1String(label) + QStringLiteral(":\\s*(-?\\d+)"));
    const QRegularExpressionMatch m = re.match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        abortTest(QStringLiteral("usage: ctallix_window_test CTALLIX [SCREENSHOT]"));

    Session session(QString::fromLocal8Bit(argv[1]));
    session.startServer();
    session.startProgram();
    const QString window = session.waitForWindow();

    // The client area sits at its designed place with its designed size.
    const QString info = session.xwininfo(window);
    if (field(info, "Absolute upper-left X") != 204 || field(info, "Absolute upper-left Y") != 152)
        fail(QStringLiteral("window not at (204,152):\n") + info);
    if (field(info, "Width") != 463 || field(info, "Height") != 282)
        fail(QStringLiteral("client area not 463x282:\n") + info);

    // Mapped is not yet painted: look until the first frame has arrived.
    QImage shot;
    QStringList problems;
    poll([&] {
        shot = session.capture(window);
        problems =
            shot.isNull() ? QStringList{QStringLiteral("no screenshot")} : problemsAtStart(shot);
        return problems.isEmpty();
    });
    for (const QString &p : problems)
        fail(p);
    if (argc > 2 && !shot.isNull() && !shot.save(QString::fromLocal8Bit(argv[2])))
        fail(QStringLiteral("cannot save the screenshot"));

    // A right-button press on lower slot 2 of column 0 enters 7 at once,
    // before the button is released.
    session.xdotool({"mousemove", "--window", window, "391", "157"});
    session.xdotool({"mousedown", "3"});
    if (!poll([&] { return columnDigit(session.capture(window), 0) == 7; }))
        fail(QStringLiteral("a right press on Pic0(2) does not show 7"));
    session.xdotool({"mouseup", "3"});

    // The reset button (Command4) clears it again.
    session.xdotool({"mousemove", "--window", window, "389", "15"});
    session.xdotool({"click", "1"});
    if (!poll([&] { return columnDigit(session.capture(window), 0) == 0; }))
        fail(QStringLiteral("Command4 does not clear column 0"));

    if (!session.programRunning())
        fail(QStringLiteral("ctallix ended during the test"));
    if (failures == 0)
        std::printf("window checks passed on the real program\n");
    return failures == 0 ? 0 : 1;
}
