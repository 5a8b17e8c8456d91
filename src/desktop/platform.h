// Which of Qt's platforms the window opens on, and a plain one-line message,
// never Qt's abort, when it can open on none.
#pragma once

namespace ctallix {

// Chooses the platform where the user has not (QT_QPA_PLATFORM or -platform):
// X wherever DISPLAY is set, XWayland included, so that the desktop's own
// bell, title bar and placement serve the window; the Wayland compositor
// only where X is not there or does not answer. Prints why and returns false
// when there is no display at all.
bool choosePlatform(int argc, char *argv[]);

// Holds Qt's messages back while the QApplication is being built. If no
// platform starts, prints "ctallix: cannot open the display: ..." with what
// is missing (and the Debian package that has it) and exits with status 1
// instead of letting Qt abort. Once the application stands, the held
// messages go out as Qt would have written them.
class PlatformStart {
public:
    PlatformStart();
    ~PlatformStart();
    PlatformStart(const PlatformStart &) = delete;
    PlatformStart &operator=(const PlatformStart &) = delete;
};

} // namespace ctallix
