// Lets a screen reader started after the program find it. Qt 6.4 reads the
// accessibility switch of the session (org.a11y.Status: IsEnabled,
// ScreenReaderEnabled) once, at start, and never registers the program when
// Orca is started later. This watches the switch and, when it turns on, has
// Qt's AT-SPI bridge join the accessibility bus as it would have at start.
//
// From Qt 6.7 on the bridge follows the switch itself (its
// QAtSpiDBusConnection listens to the switch's PropertiesChanged), so there
// this does nothing and the program uses no private part of Qt; the watcher
// goes once no supported Debian release has an older Qt.
#pragma once

namespace ctallix {

// Starts watching, where the session has a message bus. Once the window is
// up: it costs the start nothing.
void followScreenReaderSwitch();

} // namespace ctallix
