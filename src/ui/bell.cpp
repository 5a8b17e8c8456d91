#include "ui/bell.h"

#include "ui/desktop_entry.h"

#include <QApplication>
#include <QLoggingCategory>

#include <dlfcn.h>

#include <cstdint>

namespace ctallix {

namespace {

// QT_LOGGING_RULES="ctallix.bell.debug=true" shows what the sound theme
// answered; otherwise the bell says nothing.
Q_LOGGING_CATEGORY(lcBell, "ctallix.bell", QtInfoMsg)

// The part of libcanberra's C interface (canberra.h, soname libcanberra.so.0)
// that the bell uses: a context, playing an event with properties given as
// name/value pairs ending in a null pointer, and the text of a result.
struct Canberra {
    int (*create)(void **context) = nullptr;
    int (*changeProps)(void *context, ...) = nullptr;
    int (*play)(void *context, std::uint32_t id, ...) = nullptr;
    const char *(*error)(int code) = nullptr;
    void *context = nullptr;
};

template <class F> void bind(void *library, const char *name, F &function) {
    function = reinterpret_cast<F>(dlsym(library, name));
}

const Canberra *canberra() {
    static const Canberra loaded = [] {
        Canberra c;
        void *library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            qCDebug(lcBell) << "no bell:" << dlerror();
            return c;
        }
        bind(library, "ca_context_create", c.create);
        bind(library, "ca_context_change_props", c.changeProps);
        bind(library, "ca_context_play", c.play);
        bind(library, "ca_strerror", c.error);
        if (c.create == nullptr || c.changeProps == nullptr || c.play == nullptr ||
            c.error == nullptr || c.create(&c.context) != 0) {
            c.context = nullptr;
            return c;
        }
        c.changeProps(c.context, "application.name", "cTallix", "application.id", kDesktopId,
                      nullptr);
        return c;
    }();
    return loaded.context != nullptr ? &loaded : nullptr;
}

} // namespace

void ringBell() {
    if (!QGuiApplication::platformName().startsWith(u"wayland")) {
        QApplication::beep();
        return;
    }
    if (const Canberra *c = canberra()) {
        const QByteArray refused = QCoreApplication::translate("ctallix::Bell", "Refused").toUtf8();
        const int result = c->play(c->context, 0, "event.id", "bell", "event.description",
                                   refused.constData(), nullptr);
        qCDebug(lcBell) << "sound theme bell:" << result << c->error(result);
    }
}

} // namespace ctallix
