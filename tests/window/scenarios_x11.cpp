// The scenario table on the real program: ctallix on an X server of its own
// (run under scripts/with-xvfb.sh), worked with XTest pointer events at the
// controls' places. The state is read off the window's pixels: the digit
// each column's beads show, the selected decimal marker, which hint labels
// and whether the display line show text; bells are counted as the server
// reports them (XKB BellNotify). Nothing waits on a clock: the program
// answers a _NET_WM_PING only after the events sent before it, and the
// screen is polled for a bounded time.
//
// Usage: scenarios_x11 CTALLIX SCENARIOS.TXT [--dpi N] [--shot FILE]
//   --dpi N      the screen's Xft.dpi (default 96): at 144 the window is drawn
//                at 150 % and every place is scaled to match;
//   --shot FILE  the window's start picture, as a PPM image.
#include "scenario.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ctallix::test;

namespace {

Display *dpy;
Window window;
int xkbEvent, originX, originY, width, height;
double scale = 1; // device pixels to a pixel of the layout
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

// `top`, or the child that a reparenting window manager's frame `top` holds.
Window Titled(Window top) {
    Window root, parent, *children = nullptr, found = top;
    unsigned count = 0;
    if (XQueryTree(dpy, top, &root, &parent, &children, &count) != 0)
        for (unsigned i = 0; i < count; ++i) {
            char *name = nullptr;
            if (XFetchName(dpy, children[i], &name) != 0 && name != nullptr)
                found = std::string(name) == "cTallix" ? children[i] : found, XFree(name);
        }
    if (children != nullptr)
        XFree(children);
    return found;
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
                window = Titled(e.xmap.window);
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
    XWindowAttributes attributes;
    XGetWindowAttributes(dpy, window, &attributes);
    width = attributes.width, height = attributes.height, scale = width / 463.0;
}

// The device pixel at layout place (x, y).
int D(double v) {
    return static_cast<int>(v * scale);
}

int ColumnX(int k) {
    return 11 + 40 * (9 - k);
}
const int kLab1X[10] = {371, 332, 293, 254, 215, 175, 133, 93, 53, 14};

// What the window shows: frame digits, hint labels with text ('T'), the
// selected marker and whether the display line shows text.
std::string Read() {
    XImage *img = XGetImage(dpy, window, 0, 0, width, height, AllPlanes, ZPixmap);
    if (img == nullptr)
        Abort("cannot read the window's pixels");
    auto gap = [&](int x, int y) { // the slot's right side shows the blue ground
        const unsigned long p = XGetPixel(img, D(x + 30.5), D(y + 11.5));
        return (p & 255) > (p >> 16 & 255);
    };
    auto ink = [&](int x, int y, int w, int h) {
        int n = 0;
        for (int j = D(y); j < D(y + h); ++j)
            for (int i = D(x); i < D(x + w); ++i)
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
    // The selected marker is the one with a dark dot in its middle.
    int dot = -1;
    for (int k = 0; k < 10; ++k) {
        const unsigned long p = XGetPixel(img, D(23 + 40 * (9 - k) + 6.5), D(94.5));
        if ((p >> 16 & 255) + (p >> 8 & 255) + (p & 255) < 3 * 160)
            dot = dot == -1 ? k : -2;
    }
    const bool label2 = ink(16, 256, 321, 25);
    XDestroyImage(img);
    return "frame=" + frame + " hints=" + hints + " dot=" + std::to_string(dot) +
           " label2=" + (label2 ? "text" : "empty");
}

unsigned held; // the button a '+' event holds down

void Release() {
    if (held != 0)
        XTestFakeButtonEvent(dpy, held, False, 0), held = 0;
}

void MoveTo(double x, double y) {
    XTestFakeMotionEvent(dpy, -1, originX + D(x), originY + D(y), 0);
}

void Click(const Event &e) {
    Release();
    const bool lower = std::string("LRM").find(e.kind) != std::string::npos;
    const double cx = ColumnX(e.column) + 20, u5 = e.column <= 4 ? 54 : 53;
    const auto [x, y] = lower           ? std::pair(cx, 111.0 + 23 * e.item)
                        : e.kind == 'U' ? std::pair(cx, e.item == 0 ? 76 : u5)
                        : e.kind == 'O' ? std::pair(ColumnX(e.column) + 18.0, 94.0)
                        : e.kind == 'H' ? std::pair(kLab1X[e.column] + 11.0, 241.0)
                        : e.kind == 'B' ? std::pair(16.0, 94.0)
                        : e.kind == 'T' ? std::pair(211.0, 35.0)
                        : e.kind == 'b'
                            ? std::pair(211.0, 222.0)
                            : std::pair(273.0 + 39 * int(std::string("x/=C").find(e.kind)), 15.0);
    const char which = lower ? e.kind : e.button;
    const unsigned button = which == 'R' ? 3 : which == 'M' ? 2 : 1;
    MoveTo(x, y);
    XTestFakeButtonEvent(dpy, button, True, 0);
    if (e.release == '+') {
        held = button;
        return;
    }
    if (e.release == '~')
        MoveTo(463 + 30, 141); // beyond the window's right edge
    else if (e.release == '^')
        MoveTo(100, 268); // the display line
    else if (lower)       // a lower slot acts on the press: the release comes elsewhere
        MoveTo(450, 150);
    XTestFakeButtonEvent(dpy, button, False, 0);
}

} // namespace

// Writes the window's picture to `path` as a binary PPM.
void Shoot(const char *path) {
    XImage *img = XGetImage(dpy, window, 0, 0, width, height, AllPlanes, ZPixmap);
    FILE *out = std::fopen(path, "wb");
    if (img == nullptr || out == nullptr)
        Abort(std::string("cannot write the window's picture to ") + path);
    std::fprintf(out, "P6\n%d %d\n255\n", width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int shift : {16, 8, 0})
                std::fputc(static_cast<int>(XGetPixel(img, x, y) >> shift & 255), out);
    std::fclose(out);
    XDestroyImage(img);
}

int main(int argc, char **argv) {
    if (argc < 3)
        Abort("usage: scenarios_x11 CTALLIX SCENARIOS.TXT [--dpi N] [--shot FILE]");
    std::string dpi = "96";
    const char *shot = nullptr;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--dpi")
            dpi = argv[i + 1];
        else if (option == "--shot")
            shot = argv[i + 1];
        else
            Abort("unknown option " + option);
    }
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
    // The screen's resolution as desktops set it, which Qt scales its windows by.
    const std::string resources = "Xft.dpi:\t" + dpi + "\n";
    XChangeProperty(dpy, DefaultRootWindow(dpy), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(resources.data()),
                    static_cast<int>(resources.size()));
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
        if (&s == &scenarios[0] && shot != nullptr)
            Shoot(shot);
        bells = 0;
        for (const Event &e : s.events)
            Click(e);
        // Settled: the expected picture, and still there after two more pings.
        Ping(), Ping();
        bool ok = PollFor(5, [&] { return (got = Read()) == want; });
        Ping(), Ping();
        ok = ok && (got = Read()) == want;
        Release();
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
