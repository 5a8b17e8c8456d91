#include "x_session.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace acceptance {

namespace {

// Generous bounds for a slow machine; every wait ends as soon as its
// condition holds.
constexpr auto kServerStart = std::chrono::seconds(20);
constexpr auto kWindowStart = std::chrono::seconds(30);
constexpr auto kProcessExit = std::chrono::seconds(5);

int xErrors = 0;

int countError(Display *, XErrorEvent *) {
    ++xErrors;
    return 0;
}

int remainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Ends a child of ours: SIGTERM, then SIGKILL if it does not go in time.
void endChild(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    const auto deadline = Clock::now() + kProcessExit;
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (Clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int maskShift(unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

} // namespace

Rgb Shot::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return {-1, -1, -1};
    const std::uint32_t v = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                    static_cast<std::size_t>(x)];
    return {static_cast<int>((v >> 16) & 0xff), static_cast<int>((v >> 8) & 0xff),
            static_cast<int>(v & 0xff)};
}

void Shot::set(int x, int y, std::uint32_t rgb) {
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = rgb;
}

bool Shot::savePpm(const std::string &path) const {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width_ << ' ' << height_ << "\n255\n";
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Rgb p = at(x, y);
            const char rgb[3] = {static_cast<char>(p.r), static_cast<char>(p.g),
                                 static_cast<char>(p.b)};
            out.write(rgb, 3);
        }
    }
    return static_cast<bool>(out);
}

XSession::XSession(std::string program) : program_(std::move(program)) {}

XSession::~XSession() {
    if (display_ != nullptr)
        XCloseDisplay(display_);
    if (!appEnded_)
        endChild(app_);
    endChild(server_);
    if (!runtimeDir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(runtimeDir_, ignored);
    }
}

void XSession::start(const std::string &title) {
    startServer();
    startProgram();
    waitForWindow(title, Clock::now() + kWindowStart);
}

void XSession::startServer() {
    // -displayfd: the server picks a free display number and writes it to
    // the pipe once it accepts connections.
    int fds[2];
    if (pipe(fds) != 0)
        throw SessionError("pipe failed");
    server_ = fork();
    if (server_ < 0)
        throw SessionError("fork failed");
    if (server_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(fds[0]);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
               "tcp", "-noreset", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);

    std::string number;
    const auto deadline = Clock::now() + kServerStart;
    while (number.find('\n') == std::string::npos) {
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, remainingMs(deadline));
        if (ready <= 0) {
            close(fds[0]);
            throw SessionError("Xvfb gave no display number in time");
        }
        char buffer[32];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) {
            close(fds[0]);
            throw SessionError("Xvfb ended without a display number (is it installed?)");
        }
        number.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    displayName_ = ":" + number.substr(0, number.find('\n'));

    XSetErrorHandler(countError);
    display_ = XOpenDisplay(displayName_.c_str());
    if (display_ == nullptr)
        throw SessionError("cannot connect to Xvfb at " + displayName_);
    root_ = DefaultRootWindow(display_);

    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
        throw SessionError("the server lacks XTEST");
    int opcode = 0;
    major = XkbMajorVersion;
    minor = XkbMinorVersion;
    if (!XkbQueryExtension(display_, &opcode, &xkbEventBase_, &error, &major, &minor))
        throw SessionError("the server lacks XKB");
    // Every bell the server rings, whoever asked for it, is reported here.
    XkbSelectEvents(display_, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSelectInput(display_, root_, SubstructureNotifyMask);
    XSync(display_, False);
}

void XSession::startProgram() {
    char dir[] = "/tmp/ctallix-accept-XXXXXX";
    if (mkdtemp(dir) == nullptr)
        throw SessionError("mkdtemp failed");
    runtimeDir_ = dir;
    app_ = fork();
    if (app_ < 0)
        throw SessionError("fork failed");
    if (app_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        setenv("DISPLAY", displayName_.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        execl(program_.c_str(), program_.c_str(), static_cast<char *>(nullptr));
        std::fprintf(stderr, "cannot run %s: %s\n", program_.c_str(), std::strerror(errno));
        _exit(127);
    }
}

namespace {

// WM_NAME of `window`, whatever its encoding (Qt writes UTF8_STRING).
std::string windowName(Display *display, Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::string name;
    if (XGetWindowProperty(display, window, XA_WM_NAME, 0, 256, False, AnyPropertyType, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 8)
            name.assign(reinterpret_cast<const char *>(data), count);
        XFree(data);
    }
    return name;
}

} // namespace

void XSession::waitForWindow(const std::string &title, Clock::time_point deadline) {
    while (window_ == 0) {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            handle(event);
            if (mapped_ != 0 && windowName(display_, mapped_) == title)
                window_ = mapped_;
            mapped_ = 0;
        }
        if (window_ != 0)
            break;
        if (!programRunning())
            throw SessionError(program_ + " ended before its window was mapped");
        if (Clock::now() >= deadline)
            throw SessionError("no window titled \"" + title + "\" was mapped in time");
        waitForEvents(std::min(50, remainingMs(deadline)));
    }
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window_, &attributes))
        throw SessionError("cannot read the window's attributes");
    width_ = attributes.width;
    height_ = attributes.height;
}

void XSession::handle(const XEvent &event) {
    if (event.type == MapNotify) {
        mapped_ = event.xmap.window;
    } else if (event.type == xkbEventBase_) {
        const auto &xkb = reinterpret_cast<const XkbEvent &>(event);
        if (xkb.any.xkb_type == XkbBellNotify)
            ++bells_;
    }
}

Shot XSession::capture() {
    const int errorsBefore = xErrors;
    XImage *image = XGetImage(display_, window_, 0, 0, static_cast<unsigned>(width_),
                              static_cast<unsigned>(height_), AllPlanes, ZPixmap);
    if (image == nullptr || xErrors != errorsBefore) {
        if (image != nullptr)
            XDestroyImage(image);
        return Shot();
    }
    const int rs = maskShift(image->red_mask);
    const int gs = maskShift(image->green_mask);
    const int bs = maskShift(image->blue_mask);
    Shot shot(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const auto r = static_cast<std::uint32_t>((p & image->red_mask) >> rs);
            const auto g = static_cast<std::uint32_t>((p & image->green_mask) >> gs);
            const auto b = static_cast<std::uint32_t>((p & image->blue_mask) >> bs);
            shot.set(x, y, (r << 16) | (g << 8) | b);
        }
    }
    XDestroyImage(image);
    return shot;
}

void XSession::moveTo(int x, int y) {
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window_, root_, x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display_, DefaultScreen(display_), rootX, rootY, CurrentTime);
    XFlush(display_);
}

void XSession::press(int button) {
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), True, CurrentTime);
    XFlush(display_);
}

void XSession::release(int button) {
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), False, CurrentTime);
    XFlush(display_);
}

void XSession::click(int x, int y, int button) {
    moveTo(x, y);
    press(button);
    release(button);
}

int XSession::takeBells() {
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        handle(event);
    }
    const int bells = bells_;
    bells_ = 0;
    return bells;
}

void XSession::waitForEvents(int ms) {
    if (XPending(display_) > 0)
        return;
    pollfd p{ConnectionNumber(display_), POLLIN, 0};
    ::poll(&p, 1, ms);
}

bool XSession::programRunning() {
    if (appEnded_ || app_ <= 0)
        return false;
    if (waitpid(app_, nullptr, WNOHANG) == app_)
        appEnded_ = true;
    return !appEnded_;
}

} // namespace acceptance
