// The window's first picture on X, shown by the X server from the moment it
// maps the window, before the program has handled its first expose.
#pragma once

class QWidget;

namespace ctallix {

enum class StartPicture {
    None,       // on other platforms, or where the window's visual is not
                // 24-bit true colour as the picture is laid out
    Rendered,   // drawn now: the labels' faces are loaded
    Remembered, // the one an earlier start left in the cache
};

// Before `window` is shown on X: gives the picture of the window as it
// starts to its X window as background, which the server paints as it maps
// the window. The picture is the one an earlier start remembered, or else
// rendered now. At the first expose, before the program paints the window
// itself, the background is taken off again (Qt's windows have none), so a
// later expose never shows the start picture over what the window shows
// then; and the picture the window really starts with is remembered for the
// next start, where it is not the one remembered already.
StartPicture giveStartPicture(QWidget &window);

} // namespace ctallix
