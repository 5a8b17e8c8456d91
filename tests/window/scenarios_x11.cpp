// The scenario table on the real program: ctallix on an X server of its own
// (run under scripts/with-xvfb.sh), worked with XTest pointer events at the
// controls' places. The state is read off the window's pixels: the digit
// each column's beads show, the selected decimal marker, which hint labels
// and whether the display line show text; bells are counted as the server
// reports them (XKB BellNotify). Nothing waits on a clock: the program
// answers a _NET_WM_PING only after the events sent before it, and the
// screen is polled for a bounded time.
//
// Usage: scenarios_x11 CTALLIX SCENARIOS.TXT
#include "scenario.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

using namespace ctallix::test;

namespace {

Display *dpy;
Window window;
int xkbEvent, originX, originY;
pid_t program;
Atom ping;
long bells, pongs, pings;

void Stop() {
    if (program > 0)
        kill(program, SIGKILL), waitpid(program, nullptr, 0), program = 0;
}

[[noreturn]] void Abort(const std::string &why) {
    std::printf("FAIL: %s\n", why.c_str());
    Stop();
    std::exit(1);
}

// Polls `done` every 5 ms for at most `seconds`, taking in bells, pings and
// the first top-level window mapped since Start().
template <class F> bool PollFor(int seconds, F done) {
    for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);;
         usleep(5000)) {
        for (XEvent e; XPending(dpy) > 0;) {
            XNextEvent(dpy, &e);
            bells +=
                e.type == xkbEvent && reinterpret_cast<XkbAnyEvent &>(e).xkb_type == XkbBellNotify;
            if (e.type == MapNotify && e.xmap.event == DefaultRootWindow(dpy) && window == 0)
                window = e.xmap.window;
            if (e.type == ClientMessage && Atom(e.xclient.data.l[0]) == ping)
                pongs = std::max(pongs, e.xclient.data.l[1]);
        }
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
    }
}

// Returns once the program has handled every event sent before.
void Ping() {
    XEvent e{};
    e.xclient = {
        ClientMessage, 0, False, dpy, window, XInternAtom(dpy, "WM_PROTOCOLS", False), 32, {}};
    e.xclient.data.l[0] = static_cast<long>(ping);
    e.xclient.data.l[1] = ++pings;
    e.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(dpy, window, False, NoEventMask, &e);
    if (!PollFor(5, [] { return pongs >= pings; }))
        Abort("ctallix answered no _NET_WM_PING within 5 s");
}

// Starts ctallix and takes its window: the first top-level it maps.
void Start(const char *path) {
    if ((program = fork()) == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlives the driver
        execl(path, path, nullptr);
        _exit(127);
    }
    window = 0;
    const bool mapped = PollFor(10, [] {
        int status;
        if (waitpid(program, &status, WNOHANG) == program)
            program = 0, Abort("ctallix ended, exit status " + std::to_string(WEXITSTATUS(status)));
        return window != 0;
    });
    char *name = nullptr;
    if (!mapped || !XFetchName(dpy, window, &name) || std::string(name) != "cTallix")
        Abort(mapped ? "the window ctallix mapped is not titled cTallix"
                     : "ctallix mapped no window within 10 s");
    XFree(name);
    Window child;
    XTranslateCoordinates(dpy, window, DefaultRootWindow(dpy), 0, 0, &originX, &originY, &child);
}

int ColumnX(int k) {
    return 11 + 40 * (9 - k);
}
const int kLab1X[10] = {371, 332, 293, 254, 215, 175, 133, 93, 53, 14};

// What the window shows: frame digits, hint labels with text ('T'), the
// selected marker and whether the display line shows text.
std::string Read() {
    XImage *img = XGetImage(dpy, window, 0, 0, 463, 282, AllPlanes, ZPixmap);
    if (img == nullptr)
        Abort("cannot read the window's pixels");
    auto gap = [&](int x, int y) { // the slot's right side shows the blue ground
        const unsigned long p = XGetPixel(img, x + 30, y + 11);
        return (p & 255) > (p >> 16 & 255);
    };
    auto ink = [&](int x, int y, int w, int h) {
        int n = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                n += (XGetPixel(img, i, j) >> 16 & 255) > 200 && (XGetPixel(img, i, j) & 255) < 200;
        return n >= 3;
    };
    std::string frame, hints;
    for (int k = 9; k >= 0; --k) {
        int lower = 0, gaps = 0;
        for (int i = 0; i < 5; ++i)
            if (gap(ColumnX(k), 100 + 23 * i))
                lower = i, ++gaps;
        const bool up5 = gap(ColumnX(k), k <= 4 ? 43 : 42), up0 = gap(ColumnX(k), 65);
        frame += gaps == 1 && up5 != up0 ? static_cast<char>('0' + lower + (up5 ? 5 : 0)) : '?';
        hints += ink(kLab1X[k], k == 0 ? 230 : 231, 22, 22) ? 'T' : '.';
    }
    // The selected marker is the one that looks unlike the other nine.
    std::array<unsigned long, 10> look{};
    int dot = -1;
    for (int k = 0; k < 10; ++k)
        for (int j = 88; j < 100; ++j)
            for (int i = 0; i < 13; ++i)
                look[k] = look[k] * 31 + XGetPixel(img, 23 + 40 * (9 - k) + i, j);
    for (int k = 0; k < 10; ++k)
        dot = std::count(look.begin(), look.end(), look[k]) == 1 ? (dot == -1 ? k : -2) : dot;
    const bool label2 = ink(16, 256, 321, 25);
    XDestroyImage(img);
    return "frame=" + frame + " hints=" + hints + " dot=" + std::to_string(dot) +
           " label2=" + (label2 ? "text" : "empty");
}

void Click(const Event &e) {
    const bool lower = std::string("LRM").find(e.kind) != std::string::npos;
    const int cx = ColumnX(e.column) + 20, u5 = e.column <= 4 ? 54 : 53;
    const auto [x, y] = lower           ? std::pair(cx, 111 + 23 * e.item)
                        : e.kind == 'U' ? std::pair(cx, e.item == 0 ? 76 : u5)
                        : e.kind == 'O' ? std::pair(ColumnX(e.column) + 18, 94)
                        : e.kind == 'H' ? std::pair(kLab1X[e.column] + 11, 241)
                        : e.kind == 'B' ? std::pair(16, 94)
                        : e.kind == 'T' ? std::pair(211, 35)
                        : e.kind == 'b'
                            ? std::pair(211, 222)
                            : std::pair(273 + 39 * int(std::string("x/=C").find(e.kind)), 15);
    const unsigned button = e.kind == 'R' ? 3 : e.kind == 'M' ? 2 : 1;
    XTestFakeMotionEvent(dpy, -1, originX + x, originY + y, 0);
    XTestFakeButtonEvent(dpy, button, True, 0);
    if (lower) // a lower slot acts on the press: the release comes elsewhere
        XTestFakeMotionEvent(dpy, -1, originX + 450, originY + 150, 0);
    XTestFakeButtonEvent(dpy, button, False, 0);
}

} // namespace

int main(int, char **argv) {
    if ((dpy = XOpenDisplay(nullptr)) == nullptr)
        Abort("cannot open the display (run under scripts/with-xvfb.sh)");
    // Windows come and go while Qt starts; a request on one just gone is harmless.
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    int op, err, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(dpy, &op, &xkbEvent, &err, &major, &minor) ||
        !XTestQueryExtension(dpy, &op, &err, &major, &minor))
        Abort("the X server lacks XKB or XTEST");
    ping = XInternAtom(dpy, "_NET_WM_PING", False);
    XkbSelectEvents(dpy, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask | StructureNotifyMask);
    int failures = 0;
    const auto scenarios = ReadScenarios(argv[2]);
    for (const Scenario &s : scenarios) {
        Start(argv[1]);
        const std::string start = "frame=0000000000 hints=.......... dot=0 label2=text";
        if (!PollFor(5, [&] { return Read() == start; }))
            Abort(s.name + ": the window never showed its start, but " + Read());
        std::string want = "frame=" + s.frame + " hints=", got;
        for (char c : s.lab1)
            want += s.hints && c >= '0' && c <= '9' ? 'T' : '.';
        want +=
            " dot=" + std::to_string(s.dot) + " label2=" + (s.label2.empty() ? "empty" : "text");
        if (&s == &scenarios[0]) { // a few pixels a person would look at
            XImage *img = XGetImage(dpy, window, 0, 0, 463, 282, AllPlanes, ZPixmap);
            const std::tuple<int, int, unsigned long, const char *> facts[] = {
                {16, 94, 0x808080, "beam"},          {200, 28, 0x7b7b7b, "top rail"},
                {200, 229, 0x7b7b7b, "bottom rail"}, {200, 215, 0x090909, "bottom rail"},
                {0, 0, 0x83abda, "bead emblem"},     {450, 275, 0xffffff, "white window"}};
            for (const auto &[x, y, rgb, what] : facts)
                if ((XGetPixel(img, x, y) & 0xffffff) != rgb)
                    std::printf("FAIL: %s at (%d,%d)\n", what, x, y), ++failures;
            XDestroyImage(img);
        }
        bells = 0;
        for (const Event &e : s.events)
            Click(e);
        // Settled: the expected picture, and still there after two more pings.
        Ping(), Ping();
        bool ok = PollFor(5, [&] { return (got = Read()) == want; });
        Ping(), Ping();
        ok = ok && (got = Read()) == want;
        if (!ok || bells != s.beeps) {
            std::printf("FAIL %s: shows %s, %ld bells\n  expected %s, %d bells\n", s.name.c_str(),
                        got.c_str(), bells, want.c_str(), s.beeps);
            ++failures;
        }
        Stop();
    }
    std::printf("%zu scenarios on the real window, %d failures\n", scenarios.size(), failures);
    return failures != 0;
}
