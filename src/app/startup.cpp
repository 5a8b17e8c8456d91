#include "app/startup.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace ctallix {

void skipInputMethod() {
    setenv("QT_IM_MODULE", "none", 1);
}

void skipBusAutolaunch() {
    // Qt's accessibility bridge asks the session message bus whether a
    // screen reader listens. Where the session announces no bus (neither
    // DBUS_SESSION_BUS_ADDRESS nor $XDG_RUNTIME_DIR/bus) there is none for a
    // screen reader to be on, but libdbus would first try to autolaunch one
    // (fork dbus-launch). A session with AT_SPI_BUS_ADDRESS takes Qt to the
    // screen reader's bus directly and is left alone.
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr ||
        std::getenv("AT_SPI_BUS_ADDRESS") != nullptr)
        return;
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && access((std::string(runtime) + "/bus").c_str(), F_OK) == 0)
        return;
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

// The configuration and caches are several milliseconds of XML parsing;
// fontconfig is thread-safe, and Qt finds them read.
FontconfigWarmUp::FontconfigWarmUp() {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    const sched_param priority{};
    pthread_attr_setinheritsched(&attributes, PTHREAD_EXPLICIT_SCHED);
    pthread_attr_setschedpolicy(&attributes, SCHED_BATCH);
    pthread_attr_setschedparam(&attributes, &priority);
    const auto read = [](void *) -> void * {
        FcInit();
        return nullptr;
    };
    running_ = pthread_create(&thread_, &attributes, read, nullptr) == 0 ||
               pthread_create(&thread_, nullptr, read, nullptr) == 0;
    pthread_attr_destroy(&attributes);
}

void FontconfigWarmUp::wait() {
    if (running_)
        pthread_join(thread_, nullptr);
    running_ = false;
}

} // namespace ctallix
