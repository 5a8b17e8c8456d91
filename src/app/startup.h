// Start-up steps that shorten the time to the window's first picture or its
// memory; what each gained in bench/run.sh's launch benchmark is in the
// README's performance section.
#pragma once

#include <pthread.h>

namespace ctallix {

// Sets QT_IM_MODULE=none: the window has no text entry, and the default
// input-method plugin (compose) would be loaded for nothing.
void skipInputMethod();

// Gives the session message bus an address that libdbus gives up on at
// once, where the session announces no bus, instead of autolaunching one.
void skipBusAutolaunch();

// Reads fontconfig's configuration on a second thread while Qt connects to
// the display; wait() before the window asks for a font. The thread is made
// a batch thread (SCHED_BATCH) from its start: as an ordinary one, the
// scheduler would let it take the main thread's core as it starts, and the
// main thread would wait about 2 ms for a second core.
class FontconfigWarmUp {
public:
    FontconfigWarmUp();
    ~FontconfigWarmUp() { wait(); }
    FontconfigWarmUp(const FontconfigWarmUp &) = delete;
    FontconfigWarmUp &operator=(const FontconfigWarmUp &) = delete;
    void wait();

private:
    pthread_t thread_{};
    bool running_ = false;
};

} // namespace ctallix
