// The window's first picture on X, shown by the X server from the moment it
// maps the window, before the program has handled its first expose.
#pragma once

class QWidget;

namespace ctallix {

// Before `window` is shown on X: renders the window as it starts and gives
// the picture to its X window as background, which the server paints as it
// maps the window; at the first expose, once the program paints the window
// itself, the background is taken off again (Qt's windows have none), so a
// later expose never shows the start picture over what the window shows
// then. Returns false, having done nothing, on other platforms or where the
// window's visual is not 24-bit true colour as the picture is laid out.
bool giveStartPicture(QWidget &window);

} // namespace ctallix
