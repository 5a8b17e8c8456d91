// The default system beep, heard in every session.
#pragma once

namespace ctallix {

// On X (XWayland included) the X server's bell, which the desktop turns into
// its own sound or visual bell. Qt's Wayland platform has no bell: there the
// sound theme's "bell" event is played through libcanberra, as GTK and LXQt
// programs do, loaded at the first beep so that X sessions never load it.
void ringBell();

} // namespace ctallix
