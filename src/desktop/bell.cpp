#include "desktop/bell.h"

#include "desktop/desktop_entry.h"

#include <QApplication>
#include <QLoggingCategory>

#include <canberra.h>
#include <dlfcn.h>

namespace ctallix {

namespace {

// QT_LOGGING_RULES="ctallix.bell.debug=true" shows what the sound theme
// answered; otherwise the bell says nothing.
Q_LOGGING_CATEGORY(lcBell, "ctallix.bell", QtInfoMsg)

// libcanberra's functions that the bell uses, typed by its own header and
// bound from the library (soname libcanberra.so.0) at the first beep.
struct Canberra {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_play) play = nullptr;
    decltype(&ca_strerror) error = nullptr;
    ca_context *context = nullptr;
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
            c.error == nullptr || c.create(&c.context) != CA_SUCCESS) {
            c.context = nullptr;
            return c;
        }
        c.changeProps(c.context, CA_PROP_APPLICATION_NAME, "cTallix", CA_PROP_APPLICATION_ID,
                      kDesktopId, nullptr);
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
        const int result = c->play(c->context, 0, CA_PROP_EVENT_ID, "bell",
                                   CA_PROP_EVENT_DESCRIPTION, refused.constData(), nullptr);
        qCDebug(lcBell) << "sound theme bell:" << result << c->error(result);
    }
}

} // namespace ctallix
