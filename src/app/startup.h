// Start-up steps that shorten the time to the window's first picture. Each
// gain is the difference of medians of bench/run.sh's launch benchmark, the
// program built with and without the step and launched in turns (2 cores,
// Debian 12, Qt 6.4, six runs of 15 to 41 launches each; the window paints
// in about 40 ms).
#pragma once

#include <thread>

namespace ctallix {

// Sets QT_IM_MODULE=none: the window has no text entry, and the default
// input-method plugin (compose) would be loaded for nothing. Measured gain:
// 0.1 MiB of peak RSS (29.7 against 29.6 MiB in each of six runs); the time
// to the first picture is the same within the noise (0.4 ms).
void skipInputMethod();

// Gives the session message bus an address that libdbus gives up on at
// once, where the session announces no bus. Measured gain: 4 ms (median of
// the six runs; 1 to 8 ms, and 2 to 4 ms less CPU).
void skipBusAutolaunch();

// Reads fontconfig's configuration on a second thread while Qt connects to
// the display; wait() before the window asks for a font. Measured gain:
// 4 ms (median of five runs; 2.5 to 5 ms).
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
