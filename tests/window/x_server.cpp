#include "x_server.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <unistd.h>

namespace ctallix::test {

namespace {
Display *display = nullptr;
int xkbEvent = 0;
} // namespace

bool openXServer() {
    int op, error, major = XkbMajorVersion, minor = XkbMinorVersion;
    if ((display == nullptr && (display = XOpenDisplay(nullptr)) == nullptr) ||
        !XkbQueryExtension(display, &op, &xkbEvent, &error, &major, &minor) ||
        !XTestQueryExtension(display, &op, &error, &major, &minor))
        return false;
    return XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
}

void movePointer(int x, int y) {
    XTestFakeMotionEvent(display, -1, x, y, 0);
    XFlush(display);
}

void pressButton(unsigned button, bool down) {
    XTestFakeButtonEvent(display, button, down, 0);
    XFlush(display);
}

unsigned long markerType() {
    return XInternAtom(display, "CTALLIX_TEST_MARKER", False);
}

void sendMarker(unsigned long window, long number) {
    XEvent e{};
    e.xclient = {ClientMessage, 0, False, display, window, markerType(), 32, {}};
    e.xclient.data.l[0] = number;
    XSendEvent(display, window, False, NoEventMask, &e);
    XFlush(display);
}

int bellsRung() {
    int bells = 0;
    XSync(display, False);
    for (XEvent e; XPending(display) > 0;) {
        XNextEvent(display, &e);
        bells += e.type == xkbEvent && reinterpret_cast<XkbAnyEvent &>(e).xkb_type == XkbBellNotify;
    }
    return bells;
}

QImage windowPicture(unsigned long window, bool clear) {
    XWindowAttributes a{};
    for (int i = 0;
         i < 500 && (!XGetWindowAttributes(display, window, &a) || a.map_state != IsViewable); ++i)
        usleep(10000);
    if (clear)
        XClearArea(display, window, 0, 0, 0, 0, False);
    XImage *image = XGetImage(display, window, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (image == nullptr)
        return {};
    const QImage picture = QImage(reinterpret_cast<const uchar *>(image->data), a.width, a.height,
                                  image->bytes_per_line, QImage::Format_RGB32)
                               .copy();
    XDestroyImage(image);
    return picture;
}

} // namespace ctallix::test
