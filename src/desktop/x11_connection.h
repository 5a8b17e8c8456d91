// The program's connection to the X server, for the few requests Qt makes no
// call for.
#pragma once

#include <QGuiApplication>

#include <xcb/xcb.h>

namespace ctallix {

// The connection when the program runs on X (Xwayland included), else null.
inline xcb_connection_t *x11Connection() {
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr && QGuiApplication::platformName() == QLatin1String("xcb")
               ? x11->connection()
               : nullptr;
}

} // namespace ctallix
