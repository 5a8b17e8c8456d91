// Start-up steps that shorten the time to the window's first picture or its
// memory; what each gained in bench/run.sh's launch benchmark is in the
// README's performance section.
#pragma once

#include <thread>

namespace ctallix {

// Sets QT_IM_MODULE=none: the window has no text entry, and the default
// input-method plugin (compose) would be loaded for nothing.
void skipInputMethod();

// Gives the session message bus an address that libdbus gives up on at
// once, where the session announces no bus, instead of autolaunching one.
void skipBusAutolaunch();

// Reads fontconfig's configuration on a second thread while Qt connects to
// the display; wait() before the window asks for a font.
class FontconfigWarmUp {
public:
    FontconfigWarmUp();
    ~FontconfigWarmUp() { wait(); }
    void wait() {
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::thread thread_;
};

} // namespace ctallix
