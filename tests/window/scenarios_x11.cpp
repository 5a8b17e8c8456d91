// The scenario table on the real program: ctallix on an X server of its own
// (run this under scripts/with-xvfb.sh), worked with real pointer events
// (XTest) at the controls' places. The state is read off the window's
// pixels: the digit every column's beads show, the selected decimal marker,
// which hint labels and whether the display line show text; bells are
// counted as the server reports them (XKB BellNotify). Nothing waits on a
// clock: the driver asks the program for _NET_WM_PING answers, which it
// gives only once it has handled the events before them, and polls the
// screen for a bounded time.
//
// Usage: scenarios_x11 CTALLIX SCENARIOS.TXT
#include "scenario.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ctallix::test;
using Clock = std::chrono::steady_clock;

namespace {

Display *dpy = nullptr;
int xkbEvent = 0;
pid_t program = 0;
Window window = 0;
int originX = 0, originY = 0;
long bells = 0, pongs = 0;

// Windows come and go while the program starts (Qt makes short-lived ones);
// a request on one that has just gone fails harmlessly.
int IgnoreErrors(Display *, XErrorEvent *) {
    return 0;
}

void Stop() {
    if (program > 0) {
        kill(program, SIGKILL);
        waitpid(program, nullptr, 0);
        program = 0;
    }
}

[[noreturn]] void Abort(const std::string &why) {
    std::printf("FAIL: %s\n", why.c_str());
    Stop();
    std::exit(1);
}

void Drain() {
    while (XPending(dpy) > 0) {
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type == xkbEvent && reinterpret_cast<XkbAnyEvent &>(e).xkb_type == XkbBellNotify)
            ++bells;
        if (e.type == ClientMessage && e.xclient.window == DefaultRootWindow(dpy))
            pongs = std::max(pongs, e.xclient.data.l[1]);
    }
}

// Polls `done` every 5 ms for at most `limit`; false when it never held.
template <class F> bool PollFor(std::chrono::milliseconds limit, F done) {
    for (const auto end = Clock::now() + limit;; usleep(5000)) {
        Drain();
        if (done())
            return true;
        if (Clock::now() > end)
            return false;
    }
}

// Returns once the program has answered a ping sent after every event so far.
void Ping() {
    static long serial = 0;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "_NET_WM_PING", False));
    e.xclient.data.l[1] = ++serial;
    e.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(dpy, window, False, NoEventMask, &e);
    XFlush(dpy);
    if (!PollFor(std::chrono::seconds(5), [] { return pongs >= serial; }))
        Abort("ctallix answered no _NET_WM_PING within 5 s");
}

std::string Title(Window w) {
    char *name = nullptr;
    std::string title;
    if (XFetchName(dpy, w, &name) && name != nullptr)
        title = name;
    XFree(name);
    return title;
}

void Start(const char *path) {
    program = fork();
    if (program == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlives the driver
        execl(path, path, static_cast<char *>(nullptr));
        _exit(127);
    }
    window = 0;
    int status = 0;
    const bool found = PollFor(std::chrono::seconds(10), [&] {
        if (waitpid(program, &status, WNOHANG) == program)
            Abort("ctallix ended with status " + std::to_string(status) +
                  " before its window showed");
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count);
        for (unsigned i = 0; i < count && window == 0; ++i) {
            XWindowAttributes a{};
            if (XGetWindowAttributes(dpy, children[i], &a) && a.map_state == IsViewable &&
                Title(children[i]) == "cTallix")
                window = children[i];
        }
        XFree(children);
        return window != 0;
    });
    if (!found)
        Abort("no viewable window titled cTallix within 10 s");
    Window child;
    XTranslateCoordinates(dpy, window, DefaultRootWindow(dpy), 0, 0, &originX, &originY, &child);
}

// What the screen shows, in the scenario table's terms.
struct Shown {
    std::string frame, hints;
    int dot = -1;
    bool label2 = false;
    bool operator==(const Shown &) const = default;
    std::string describe() const {
        return "frame " + frame + ", hint text " + hints + ", Option1(" + std::to_string(dot) +
               "), display " + (label2 ? "shows text" : "empty");
    }
};

int ColumnX(int k) {
    return 11 + 40 * (9 - k);
}
const int kLab1X[10] = {371, 332, 293, 254, 215, 175, 133, 93, 53, 14};

Shown Read() {
    XImage *img = XGetImage(dpy, window, 0, 0, 463, 282, AllPlanes, ZPixmap);
    if (img == nullptr)
        Abort("cannot read the window's pixels");
    auto rgb = [&](int x, int y) {
        const unsigned long p = XGetPixel(img, x, y);
        return std::array<int, 3>{int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)};
    };
    auto gap = [&](int x, int y) { return rgb(x + 30, y + 11)[2] > rgb(x + 30, y + 11)[0]; };
    auto ink = [&](int x, int y, int w, int h) {
        int n = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                n += rgb(i, j)[0] > 200 && rgb(i, j)[2] < 200;
        return n >= 3;
    };
    Shown s;
    for (int k = 9; k >= 0; --k) {
        int lower = -1, gaps = 0;
        for (int i = 0; i < 5; ++i)
            if (gap(ColumnX(k), 100 + 23 * i))
                lower = i, ++gaps;
        const bool up5 = gap(ColumnX(k), k <= 4 ? 43 : 42), up0 = gap(ColumnX(k), 65);
        s.frame += gaps == 1 && up5 != up0 ? char('0' + lower + (up5 ? 5 : 0)) : '?';
        s.hints += ink(kLab1X[k], k == 0 ? 230 : 231, 22, 22) ? 'T' : '.';
    }
    // The selected marker is the one that looks unlike the other nine.
    std::array<unsigned long, 10> look{};
    for (int k = 0; k < 10; ++k)
        for (int j = 88; j < 100; ++j)
            for (int i = 0; i < 13; ++i)
                look[k] = look[k] * 31 + XGetPixel(img, 23 + 40 * (9 - k) + i, j);
    for (int k = 0; k < 10; ++k)
        if (std::count(look.begin(), look.end(), look[k]) == 1)
            s.dot = s.dot == -1 ? k : -2;
    s.label2 = ink(16, 256, 321, 25);
    XDestroyImage(img);
    return s;
}

Shown Expected(const Scenario &s) {
    Shown e{s.frame, "", s.dot, !s.label2.empty()};
    for (char c : s.lab1)
        e.hints += s.hints && c >= '0' && c <= '9' ? 'T' : '.';
    return e;
}

void Click(const Event &e) {
    int x = 0, y = 0;
    const int cx = ColumnX(e.column) + 20;
    switch (e.kind) {
    case 'L':
    case 'R':
    case 'M':
        x = cx, y = 111 + 23 * e.item;
        break;
    case 'U':
        x = cx, y = e.item == 0 ? 76 : (e.column <= 4 ? 54 : 53);
        break;
    case 'O':
        x = 29 + 40 * (9 - e.column), y = 94;
        break;
    case 'H':
        x = kLab1X[e.column] + 11, y = 241;
        break;
    case 'B':
        x = 16, y = 94;
        break;
    case 'T':
        x = 211, y = 35;
        break;
    case 'b':
        x = 211, y = 222;
        break;
    default:
        x = 273 + 39 * int(std::string("x/=C").find(e.kind)), y = 15;
        break;
    }
    const unsigned button = e.kind == 'R' ? 3 : e.kind == 'M' ? 2 : 1;
    XTestFakeMotionEvent(dpy, -1, originX + x, originY + y, 0);
    XTestFakeButtonEvent(dpy, button, True, 0);
    XTestFakeButtonEvent(dpy, button, False, 0);
    XFlush(dpy);
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CTALLIX SCENARIOS.TXT\n", argv[0]);
        return 2;
    }
    dpy = XOpenDisplay(nullptr);
    if (dpy == nullptr)
        Abort("cannot open the display (run under scripts/with-xvfb.sh)");
    XSetErrorHandler(IgnoreErrors);
    int opcode, error, major = XkbMajorVersion, minor = XkbMinorVersion, ev, er, xtestMajor,
                       xtestMinor;
    if (!XkbQueryExtension(dpy, &opcode, &xkbEvent, &error, &major, &minor) ||
        !XTestQueryExtension(dpy, &ev, &er, &xtestMajor, &xtestMinor))
        Abort("the X server lacks XKB or XTEST");
    XkbSelectEvents(dpy, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask | StructureNotifyMask);

    int failures = 0;
    const auto scenarios = ReadScenarios(argv[2]);
    for (const Scenario &s : scenarios) {
        Start(argv[1]);
        Ping();
        const Shown start{"0000000000", "..........", 0, true};
        if (!PollFor(std::chrono::seconds(5), [&] { return Read() == start; }))
            Abort(s.name + ": the window never showed its start, but " + Read().describe());
        bells = 0;
        for (const Event &e : s.events)
            Click(e);
        // Settled: the expected picture, still there after two more pings.
        const Shown want = Expected(s);
        Shown got;
        bool ok = false;
        for (int round = 0; round < 3 && !ok; ++round) {
            Ping();
            Ping();
            ok = PollFor(std::chrono::seconds(2), [&] { return (got = Read()) == want; });
            if (ok) {
                Ping();
                Ping();
                ok = (got = Read()) == want;
            }
        }
        Drain();
        if (!ok || bells != s.beeps) {
            std::printf("FAIL %s: shows %s with %ld bells\n  expected %s with %d bells\n",
                        s.name.c_str(), got.describe().c_str(), bells, want.describe().c_str(),
                        s.beeps);
            ++failures;
        }
        Stop();
    }
    std::printf("%zu scenarios on the real window: %d failures\n", scenarios.size(), failures);
    return failures == 0 ? 0 : 1;
}
