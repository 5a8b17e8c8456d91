// The start picture that an earlier start left in the user's cache
// ($XDG_CACHE_HOME/ctallix), so that a later start can show it without first
// drawing the window, which loads the labels' faces.
#pragma once

#include <QSize>
#include <QtGlobal>

#include <functional>
#include <string>

class QImage;
class QWidget;

namespace ctallix {

// Rows of `bytesPerLine` that a band of the start picture holds: 64 KiB, well
// within the smallest request length an X server takes (256 KiB).
inline int bandRows(qint64 bytesPerLine) {
    return bytesPerLine >= 65536 ? 1 : int(65536 / bytesPerLine);
}

class RememberedPicture {
public:
    // The picture of `window` as it is now, `size` device pixels large. Its
    // file is named after what the window shows (texts, fonts, geometry,
    // scale), so that each language and scale keeps its own; the file also
    // records the program and the Qt that drew it, and a picture from
    // another one is not used.
    RememberedPicture(const QWidget &window, QSize size);

    // Hands the remembered picture on in bands of whole rows, top to bottom,
    // as QImage::Format_RGB32 lays them out. Returns false where there is
    // none that fits: no file, another window, program or size, or a file
    // cut short (the bands handed on before that are then to be drawn over).
    bool read(const std::function<void(int top, int rows, const uchar *bits)> &band) const;

    // Whether the file holds exactly `picture`.
    bool holds(const QImage &picture) const;

    // Keeps `picture` for the next start: written whole or not at all, and
    // quietly not where the cache cannot be written.
    void remember(const QImage &picture) const;

    QSize size() const { return size_; }

private:
    qint64 pictureBytes() const { return qint64(size_.width()) * size_.height() * 4; }

    std::string path_;
    std::string header_;
    QSize size_;
};

} // namespace ctallix
