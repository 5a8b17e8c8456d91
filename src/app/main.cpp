// cTallix: opens the bead-frame calculator window.
#include "app/startup.h"
#include "ui/form1.h"

#include <QApplication>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string env(const char *name) {
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Empty when Qt will find a display, else why it will not. Qt itself aborts
// (and may dump core) when its X platform cannot connect, so the X display
// is tried here first, through the libxcb that Qt's X platform uses too.
// Other platforms (offscreen, wayland, ...) report on themselves.
std::string displayProblem() {
    const std::string platform = env("QT_QPA_PLATFORM");
    const std::string display = env("DISPLAY");
    const std::string wayland = env("WAYLAND_DISPLAY");
    if (platform.empty() && display.empty() && wayland.empty())
        return "neither DISPLAY nor WAYLAND_DISPLAY is set";
    const bool x11 = platform.empty() ? wayland.empty() : platform.starts_with("xcb");
    if (!x11)
        return "";
    if (display.empty())
        return "DISPLAY is not set";
    xcb_connection_t *connection = xcb_connect(display.c_str(), nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers ? "" : "no X server answers at DISPLAY=\"" + display + "\"";
}

} // namespace

int main(int argc, char *argv[]) {
    if (const std::string problem = displayProblem(); !problem.empty()) {
        std::fprintf(stderr, "ctallix: cannot open the display: %s\n", problem.c_str());
        return 1;
    }
    ctallix::skipInputMethod();
    ctallix::skipBusAutolaunch();
    ctallix::FontconfigWarmUp fontconfig; // after the last change to the environment

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ctallix"));
    fontconfig.wait(); // so that the window's fonts do not read the configuration again
    ctallix::Form1 form;
    form.show();
    return QApplication::exec();
}
