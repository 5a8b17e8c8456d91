// cTallix: opens the bead-frame calculator window.
//
// Before Qt starts, the program makes sure there is a display to open: Qt
// itself aborts (and may dump core) when its platform cannot connect, so a
// missing or unreachable display is reported here in one line instead.
//
// Start-up is kept to what the first picture of the window needs: fontconfig
// reads its configuration on a second thread while Qt connects to the
// display, no input method is loaded for a window that takes no typing, and
// no message bus is launched where the session has none.
#include "ui/form1.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <dlfcn.h>
#include <unistd.h>

#ifdef CTALLIX_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

std::string env(const char *name) {
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Whether an X server can be reached at `display`, asked through libxcb
// (which Qt's X platform uses as well), loaded at run time so the program
// does not link against X. Empty when it can, else the reason why not.
std::string probeX(const std::string &display) {
    void *xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (xcb == nullptr)
        return "libxcb.so.1 cannot be loaded";
    using Connect = void *(*)(const char *, int *);
    using HasError = int (*)(void *);
    using Disconnect = void (*)(void *);
    auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
    auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
    auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
    std::string problem;
    if (connect == nullptr || hasError == nullptr || disconnect == nullptr) {
        problem = "libxcb.so.1 lacks xcb_connect";
    } else {
        void *connection = connect(display.c_str(), nullptr);
        if (hasError(connection) != 0)
            problem = "no X server answers at DISPLAY=\"" + display + "\"";
        disconnect(connection);
    }
    dlclose(xcb);
    return problem;
}

// Empty when Qt will find a display, else why it will not.
std::string displayProblem() {
    const std::string platform = env("QT_QPA_PLATFORM");
    const std::string display = env("DISPLAY");
    const std::string wayland = env("WAYLAND_DISPLAY");

    bool x11 = false;
    if (!platform.empty()) {
        // An explicit platform: only the X one is checked here; Qt reports
        // on the others (offscreen, wayland, ...) itself.
        x11 = platform.rfind("xcb", 0) == 0;
    } else {
        if (display.empty() && wayland.empty())
            return "neither DISPLAY nor WAYLAND_DISPLAY is set";
        x11 = wayland.empty();
    }
    if (!x11)
        return "";
    if (display.empty())
        return "DISPLAY is not set";
    return probeX(display);
}

// Puts the window's client area at its designed place on the screen, when
// the screen has room for it there; otherwise the window manager places it.
void placeWindow(QWidget &window) {
    const QRect wanted(QPoint(204, 152), window.size());
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen != nullptr && screen->availableGeometry().contains(wanted))
        window.setGeometry(wanted);
}

// Qt's accessibility bridge asks the session message bus whether a screen
// reader is listening. A session that announces no bus, neither by
// DBUS_SESSION_BUS_ADDRESS nor by the per-user socket $XDG_RUNTIME_DIR/bus,
// has none for a screen reader to be on; libdbus would then fork dbus-launch
// to "autolaunch" one (starting a new, empty bus daemon where dbus-x11 is
// installed) only for the bridge to learn that nobody listens. An address of
// no known transport makes the bridge give up at once instead. A session
// that sets AT_SPI_BUS_ADDRESS is left alone: Qt goes to that bus directly.
void skipBusAutolaunch() {
    if (!env("DBUS_SESSION_BUS_ADDRESS").empty() || !env("AT_SPI_BUS_ADDRESS").empty())
        return;
    const std::string runtime = env("XDG_RUNTIME_DIR");
    if (!runtime.empty() && access((runtime + "/bus").c_str(), F_OK) == 0)
        return;
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

// Reads fontconfig's configuration and font caches (several milliseconds of
// XML parsing) on its own thread. Qt asks fontconfig for the same when the
// window first needs a font; started before QApplication, the work overlaps
// Qt's own start and its waits on the display. fontconfig is thread-safe;
// the window still waits for the thread before it asks for a font, so that
// the configuration is read once.
class FontconfigWarmUp {
public:
    FontconfigWarmUp() {
#ifdef CTALLIX_HAVE_FONTCONFIG
        thread_ = std::thread([] { FcInit(); });
#endif
    }
    ~FontconfigWarmUp() {
        wait();
    }
    void wait() {
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::thread thread_;
};

} // namespace

int main(int argc, char *argv[]) {
    if (const std::string problem = displayProblem(); !problem.empty()) {
        std::fprintf(stderr, "ctallix: cannot open the display: %s\n", problem.c_str());
        return 1;
    }

    // The window has no text entry, so it needs no input method; the
    // default one (compose) would be loaded as a plugin for nothing.
    qputenv("QT_IM_MODULE", "none");
    skipBusAutolaunch();
    // After the last change to the environment, which fontconfig reads.
    FontconfigWarmUp fontconfig;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ctallix"));

    fontconfig.wait();   // before the window asks for its fonts
    ctallix::Form1 form; // runs the reset before the first show
    placeWindow(form);
    form.show();
    return QApplication::exec();
}
