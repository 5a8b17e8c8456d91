#include "desktop/remembered_picture.h"

#include <QAbstractButton>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QSaveFile>
#include <QWidget>

#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace ctallix {

namespace {

constexpr char kMagic[] = "ctallix start picture 1\n";

// What the window shows, as far as it decides its pixels: every control's
// name, place and visibility, the texts and their fonts, and the scale.
// (Settings that change how the same text is drawn are caught at the first
// expose, where the picture is checked.)
QByteArray shown(const QWidget &window, QSize size) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << size << window.devicePixelRatioF();
    for (const QWidget *w : window.findChildren<const QWidget *>()) {
        out << w->objectName() << w->geometry() << w->isVisibleTo(&window);
        if (const auto *label = qobject_cast<const QLabel *>(w))
            out << label->text() << label->font().key();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(w))
            out << button->text() << button->font().key();
    }
    return bytes;
}

// What draws it: this build of the program (the executable's file) and the
// Qt it runs on.
QByteArray drawer() {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    struct stat program {};
    if (stat("/proc/self/exe", &program) == 0)
        out << quint64(program.st_dev) << quint64(program.st_ino) << qint64(program.st_size)
            << qint64(program.st_mtim.tv_sec) << qint64(program.st_mtim.tv_nsec);
    out << QByteArray(qVersion());
    return bytes;
}

// FNV-1a, 64 bits, in hexadecimal: a name for the bytes, the same in every
// process (Qt's own hashes are seeded afresh in each).
QByteArray fingerprint(const QByteArray &bytes) {
    quint64 hash = 0xcbf29ce484222325;
    for (const char c : bytes)
        hash = (hash ^ quint8(c)) * 0x100000001b3;
    return QByteArray::number(hash, 16).rightJustified(16, '0');
}

// $XDG_CACHE_HOME, or ~/.cache where that is not set or not absolute.
QString cacheFolder() {
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.startsWith('/'))
        return cache;
    const QString home = qEnvironmentVariable("HOME");
    return home.startsWith('/') ? home + "/.cache" : QString();
}

qint64 pictureBytes(QSize size) {
    return qint64(size.width()) * size.height() * 4;
}

} // namespace

RememberedPicture::RememberedPicture(const QWidget &window, QSize size) : size_(size) {
    const QByteArray what = shown(window, size);
    header_ = kMagic + fingerprint(what + drawer()) + '\n';
    if (const QString cache = cacheFolder(); !cache.isEmpty() && !size.isEmpty())
        path_ = cache + "/ctallix/start-" + fingerprint(what) + ".rgb32";
}

bool RememberedPicture::read(
    const std::function<void(int top, int rows, const uchar *bits)> &band) const {
    QFile file(path_);
    if (path_.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        file.size() != header_.size() + pictureBytes(size_) || file.read(header_.size()) != header_)
        return false;
    const qint64 line = size_.width() * 4;
    const int rows = std::max(1, int(65536 / line));
    std::vector<uchar> bits(std::size_t(rows * line));
    for (int top = 0; top < size_.height(); top += rows) {
        const int n = std::min(rows, size_.height() - top);
        if (file.read(reinterpret_cast<char *>(bits.data()), n * line) != n * line)
            return false;
        band(top, n, bits.data());
    }
    return true;
}

bool RememberedPicture::holds(const QImage &picture) const {
    if (picture.format() != QImage::Format_RGB32 || picture.size() != size_)
        return false;
    bool same = true;
    return read([&](int top, int rows, const uchar *bits) {
               same = same && std::equal(bits, bits + rows * picture.bytesPerLine(),
                                         picture.constScanLine(top));
           }) &&
           same;
}

void RememberedPicture::remember(const QImage &picture) const {
    if (path_.isEmpty() || picture.format() != QImage::Format_RGB32 || picture.size() != size_ ||
        !QDir().mkpath(QFileInfo(path_).path()))
        return;
    QSaveFile file(path_);
    if (file.open(QIODevice::WriteOnly) && file.write(header_) == header_.size() &&
        file.write(reinterpret_cast<const char *>(picture.constBits()), pictureBytes(size_)) ==
            pictureBytes(size_))
        file.commit();
}

} // namespace ctallix
