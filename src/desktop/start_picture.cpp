#include "desktop/start_picture.h"
#include "desktop/remembered_picture.h"
#include "desktop/x11_connection.h"

#include <QImage>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

namespace ctallix {

namespace {

template <class Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

// Whether the X window's pixels are laid out as QImage::Format_RGB32 is in
// memory: a true-colour visual of depth 24 with 8-bit red, green and blue,
// 32 bits per pixel, least significant byte first.
bool laidOutAsRgb32(xcb_connection_t *connection, xcb_visualid_t visual, std::uint8_t depth) {
    const xcb_setup_t *setup = xcb_get_setup(connection);
    if (depth != 24 || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    bool bits32 = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem > 0; xcb_format_next(&f))
        bits32 |= f.data->depth == depth && f.data->bits_per_pixel == 32;
    for (auto s = xcb_setup_roots_iterator(setup); s.rem > 0; xcb_screen_next(&s))
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem > 0; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem > 0; xcb_visualtype_next(&v))
                if (v.data->visual_id == visual)
                    return bits32 && v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                           v.data->red_mask == 0xff0000 && v.data->green_mask == 0xff00 &&
                           v.data->blue_mask == 0xff;
    return false;
}

// The window as it starts, at its scale, as its own first paint draws it.
QImage render(QWidget &window, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.setDevicePixelRatio(window.windowHandle()->devicePixelRatio());
    window.render(&picture);
    return picture;
}

// At the window's first expose, before the program paints it: takes the
// background off, and checks a remembered picture against the window as it
// starts now, which it replaces where they differ (fonts, settings or
// libraries may have changed since).
class TakeOffAtExpose : public QObject {
public:
    TakeOffAtExpose(xcb_connection_t *connection, xcb_window_t window, QWidget &widget,
                    std::optional<RememberedPicture> remembered)
        : QObject(widget.windowHandle()), connection_(connection), window_(window), widget_(widget),
          remembered_(std::move(remembered)) {}

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::Expose)
            return false;
        watched->removeEventFilter(this); // the server may expose again before it is deleted
        const std::uint32_t none = XCB_BACK_PIXMAP_NONE;
        xcb_change_window_attributes(connection_, window_, XCB_CW_BACK_PIXMAP, &none);
        if (remembered_) {
            const QImage picture = render(widget_, remembered_->size());
            if (!remembered_->holds(picture))
                remembered_->remember(picture);
        }
        deleteLater();
        return false;
    }

private:
    xcb_connection_t *connection_;
    xcb_window_t window_;
    QWidget &widget_;
    std::optional<RememberedPicture> remembered_; // to be checked
};

} // namespace

StartPicture giveStartPicture(QWidget &window) {
    xcb_connection_t *connection = x11Connection();
    if (connection == nullptr)
        return StartPicture::None;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const auto geometryCookie = xcb_get_geometry(connection, id);
    const auto attributesCookie = xcb_get_window_attributes(connection, id);
    const Owned<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, geometryCookie, nullptr), &std::free);
    const Owned<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, attributesCookie, nullptr), &std::free);
    if (!geometry || !attributes ||
        !laidOutAsRgb32(connection, attributes->visual, geometry->depth))
        return StartPicture::None;

    const QSize size(geometry->width, geometry->height);
    const xcb_pixmap_t pixmap = xcb_generate_id(connection);
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    xcb_create_pixmap(connection, geometry->depth, pixmap, id, geometry->width, geometry->height);
    xcb_create_gc(connection, gc, pixmap, 0, nullptr);
    const auto put = [&](int top, int rows, const uchar *bits) {
        xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, geometry->width,
                      static_cast<std::uint16_t>(rows), 0, static_cast<std::int16_t>(top), 0,
                      geometry->depth, static_cast<std::uint32_t>(rows * size.width() * 4), bits);
    };
    std::optional<RememberedPicture> remembered(std::in_place, window, size);
    StartPicture given = StartPicture::Remembered;
    if (!remembered->read(put)) {
        const QImage picture = render(window, size);
        const int rows = bandRows(picture.bytesPerLine());
        for (int top = 0; top < size.height(); top += rows)
            put(top, std::min(rows, size.height() - top), picture.constScanLine(top));
        remembered->remember(picture);
        remembered.reset(); // it is the window's picture
        given = StartPicture::Rendered;
    }
    xcb_change_window_attributes(connection, id, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_free_gc(connection, gc);
    xcb_free_pixmap(connection, pixmap); // the window keeps its background
    window.windowHandle()->installEventFilter(
        new TakeOffAtExpose(connection, id, window, std::move(remembered)));
    return given;
}

} // namespace ctallix
