// Ties the window to its menu entry, so that the desktop shows the entry's
// name and icon for it, and a pinned launcher and the open window are one
// item of the dock.
#pragma once

class QWidget;

namespace ctallix {

// The desktop id: the name of the menu entry (.desktop) and of the AppStream
// component.
inline constexpr char kDesktopId[] = "io.github.ctallix.cTallix";

// Before the QApplication: Qt hands the id to a Wayland compositor as the
// window's app_id.
void nameDesktopEntry();

// Shows `window`. On X it first names the entry in the window properties
// that GNOME Shell (_GTK_APPLICATION_ID) and KDE Plasma
// (_KDE_NET_WM_DESKTOP_FILE) read; Qt itself ends the launcher's startup
// notification (DESKTOP_STARTUP_ID). On Wayland it hands the launcher's
// activation token (XDG_ACTIVATION_TOKEN) to the compositor, which then
// gives the new window the focus.
void showAsEntry(QWidget &window);

} // namespace ctallix
