// One X server of the test's own (Xvfb) with the real ctallix on it, driven
// through the server as a user would: pointer motion and button events via
// XTest, the window's pixels via XGetImage, and the bells the server rings
// via XKB's BellNotify events.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <sys/types.h>
#include <vector>

namespace acceptance {

using Clock = std::chrono::steady_clock;

// Anything that makes the session unusable (no server, no window, ...).
struct SessionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb &) const = default;
};

// A picture of the window's client area, one 0xRRGGBB value per pixel.
class Shot {
public:
    Shot() = default;
    Shot(int width, int height)
        : width_(width), height_(height),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return pixels_.empty(); }
    Rgb at(int x, int y) const;
    void set(int x, int y, std::uint32_t rgb);
    // Writes a binary PPM; false when the file cannot be written.
    bool savePpm(const std::string &path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

class XSession {
public:
    explicit XSession(std::string program);
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    // Starts Xvfb, connects, starts the program and waits until its window
    // titled `title` is mapped. Throws SessionError.
    void start(const std::string &title);

    // The client area as the server holds it now; empty on an X error.
    Shot capture();

    // Pointer actions at client-area coordinates. button: 1 left, 2 middle,
    // 3 right.
    void moveTo(int x, int y);
    void press(int button);
    void release(int button);
    void click(int x, int y, int button);

    // Bells the server reported since the last call.
    int takeBells();
    // Waits at most `ms` for the connection to have something to read.
    void waitForEvents(int ms);

    bool programRunning();
    int clientWidth() const { return width_; }
    int clientHeight() const { return height_; }
    const std::string &displayName() const { return displayName_; }

private:
    void startServer();
    void startProgram();
    void waitForWindow(const std::string &title, Clock::time_point deadline);
    void handle(const XEvent &event);

    std::string program_;
    std::string runtimeDir_;
    std::string displayName_;
    pid_t server_ = -1;
    pid_t app_ = -1;
    bool appEnded_ = false;
    Display *display_ = nullptr;
    Window root_ = 0;
    Window window_ = 0;
    int width_ = 0;
    int height_ = 0;
    int xkbEventBase_ = 0;
    int bells_ = 0;
    Window mapped_ = 0; // last window the server reported mapped
};

} // namespace acceptance
