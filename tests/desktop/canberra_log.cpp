// A stand-in for libcanberra.so.0 that plays nothing and writes one line per
// ca_context_play to the file $CTALLIX_CANBERRA_LOG: "play <event.id>". Put
// first in the library path, it shows which sound-theme events the program
// asks for, and how often, with no sound device.
#include <canberra.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {

int ca_context_create(ca_context **c) {
    static int context;
    *c = reinterpret_cast<ca_context *>(&context);
    return CA_SUCCESS;
}

int ca_context_change_props(ca_context *, ...) {
    return CA_SUCCESS;
}

int ca_context_play(ca_context *, uint32_t id, ...) {
    va_list pairs;
    va_start(pairs, id);
    const char *event = "(none)";
    for (const char *name; (name = va_arg(pairs, const char *)) != nullptr;) {
        const char *value = va_arg(pairs, const char *);
        if (std::strcmp(name, CA_PROP_EVENT_ID) == 0)
            event = value;
    }
    va_end(pairs);
    const char *path = std::getenv("CTALLIX_CANBERRA_LOG");
    if (FILE *log = path != nullptr ? std::fopen(path, "a") : nullptr) {
        std::fprintf(log, "play %s\n", event);
        std::fclose(log);
    }
    return CA_SUCCESS;
}

const char *ca_strerror(int) {
    return "Success";
}
}
