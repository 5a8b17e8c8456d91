// cTallix: opens the bead-frame calculator window.
//
// Before Qt starts, the program makes sure there is a display to open: Qt
// itself aborts (and may dump core) when its platform cannot connect, so a
// missing or unreachable display is reported here in one line instead.
#include "ui/form1.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

} // namespace

int main(int argc, char *argv[]) {
    if (const std::string problem = displayProblem(); !problem.empty()) {
        std::fprintf(stderr, "ctallix: cannot open the display: %s\n", problem.c_str());
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ctallix"));

    ctallix::Form1 form; // runs the reset before the first show
    placeWindow(form);
    form.show();
    return QApplication::exec();
}
