// The X server as a user's hands reach it, on a connection of the test's own:
// pointer moves and button presses through XTest, a marker event sent to a
// window (which arrives after every event the server sent it before), and
// the bells the server has rung (XKB BellNotify), and the picture a window
// shows.
#pragma once

#include <QImage>

namespace ctallix::test {

bool openXServer(); // false: no server, or one without XTest or XKB
void movePointer(int x, int y);
void pressButton(unsigned button, bool down);
void sendMarker(unsigned long window, long number); // a ClientMessage of markerType()
unsigned long markerType();
int bellsRung(); // since the last call
// What the server shows in `window` once it is viewable; `clear` first paints
// the window's background over it, as an expose would.
QImage windowPicture(unsigned long window, bool clear = false);

} // namespace ctallix::test
