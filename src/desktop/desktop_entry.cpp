#include "desktop/desktop_entry.h"
#include "desktop/x11_connection.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>

namespace ctallix {

namespace {

// Sets the UTF-8 text properties naming the entry on X window `window`.
void nameEntryOnX(xcb_connection_t *connection, xcb_window_t window) {
    const std::array<const char *, 3> names = {"UTF8_STRING", "_GTK_APPLICATION_ID",
                                               "_KDE_NET_WM_DESKTOP_FILE"};
    std::array<xcb_intern_atom_cookie_t, 3> cookies{};
    for (std::size_t i = 0; i < names.size(); ++i) // one round trip for all three
        cookies[i] = xcb_intern_atom(connection, 0,
                                     static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    std::array<xcb_atom_t, 3> atoms{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
        atoms[i] = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
    }
    if (atoms[0] == XCB_ATOM_NONE)
        return;
    for (std::size_t i = 1; i < atoms.size(); ++i)
        if (atoms[i] != XCB_ATOM_NONE)
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atoms[i], atoms[0], 8,
                                static_cast<std::uint32_t>(std::strlen(kDesktopId)), kDesktopId);
}

} // namespace

void nameDesktopEntry() {
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopId));
}

void showAsEntry(QWidget &window) {
    if (xcb_connection_t *connection = x11Connection(); connection != nullptr)
        nameEntryOnX(connection, static_cast<xcb_window_t>(window.winId()));
    window.show();
    if (QGuiApplication::platformName().startsWith(u"wayland") &&
        qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"))
        window.activateWindow();
}

} // namespace ctallix
