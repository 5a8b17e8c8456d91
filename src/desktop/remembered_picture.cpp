#include "desktop/remembered_picture.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ctallix {

namespace {

constexpr char kMagic[] = "ctallix start picture 1\n";

template <class T> void append(std::string &bytes, const T &value) {
    bytes.append(reinterpret_cast<const char *>(&value), sizeof value);
}

void append(std::string &bytes, const QString &text) {
    append(bytes, text.size());
    bytes.append(reinterpret_cast<const char *>(text.utf16()), std::size_t(text.size()) * 2);
}

void append(std::string &bytes, const QFont &font) {
    append(bytes, font.families().join(QChar(0)));
    append(bytes, font.pixelSize());
    append(bytes, font.pointSizeF());
    append(bytes, font.weight());
    append(bytes, font.italic());
}

// What the window shows, as far as it decides its pixels: every control's
// name, place and visibility, the texts and their fonts, and the scale.
// (Settings that change how the same text is drawn are caught at the first
// expose, where the picture is checked.)
std::string shown(const QWidget &window, QSize size) {
    std::string bytes;
    append(bytes, size.width());
    append(bytes, size.height());
    append(bytes, window.devicePixelRatioF());
    for (const QWidget *w : window.findChildren<const QWidget *>()) {
        append(bytes, w->objectName());
        const QRect place = w->geometry();
        for (const int edge : {place.x(), place.y(), place.width(), place.height()})
            append(bytes, edge);
        append(bytes, w->isVisibleTo(&window));
        if (const auto *label = qobject_cast<const QLabel *>(w)) {
            append(bytes, label->text());
            append(bytes, label->font());
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
            append(bytes, button->text());
            append(bytes, button->font());
        }
    }
    return bytes;
}

// What draws it: this build of the program (the executable's file) and the
// Qt it runs on.
std::string drawer() {
    std::string bytes;
    struct stat program = {};
    if (stat("/proc/self/exe", &program) == 0)
        for (const auto field :
             {std::int64_t(program.st_dev), std::int64_t(program.st_ino),
              std::int64_t(program.st_size), std::int64_t(program.st_mtim.tv_sec),
              std::int64_t(program.st_mtim.tv_nsec)})
            append(bytes, field);
    return bytes + qVersion();
}

// FNV-1a, 64 bits, in hexadecimal: a name for the bytes, the same in every
// process (Qt's own hashes are seeded afresh in each).
std::string fingerprint(const std::string &bytes) {
    std::uint64_t hash = 0xcbf29ce484222325;
    for (const char c : bytes)
        hash = (hash ^ std::uint8_t(c)) * 0x100000001b3;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

// $XDG_CACHE_HOME, or ~/.cache where that is not set or not absolute.
std::string cacheFolder() {
    const char *cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/')
        return cache;
    const char *home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) + "/.cache" : std::string();
}

// Reads or writes exactly `size` bytes. The files are read and written with
// plain POSIX calls: Qt's file and stream classes would page in about 140
// KiB more of its library at every start.
template <class Transfer, class Bytes>
bool whole(Transfer transfer, int fd, Bytes *bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t done = transfer(fd, bytes, size);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        bytes += done;
        size -= std::size_t(done);
    }
    return true;
}

class File {
public:
    explicit File(int fd) : fd_(fd) {}
    ~File() {
        if (fd_ >= 0)
            close(fd_);
    }
    File(const File &) = delete;
    File &operator=(const File &) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

} // namespace

RememberedPicture::RememberedPicture(const QWidget &window, QSize size) : size_(size) {
    const std::string what = shown(window, size);
    header_ = kMagic + fingerprint(what + drawer()) + '\n';
    if (const std::string cache = cacheFolder(); !cache.empty() && !size.isEmpty())
        path_ = cache + "/ctallix/start-" + fingerprint(what) + ".rgb32";
}

bool RememberedPicture::read(
    const std::function<void(int top, int rows, const uchar *bits)> &band) const {
    if (path_.empty())
        return false;
    // Not blocking where something other than a file has taken its name.
    const File file(open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status = {};
    std::string header(header_.size(), '\0');
    if (file.fd() < 0 || fstat(file.fd(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size != off_t(header_.size()) + pictureBytes() ||
        !whole(::read, file.fd(), header.data(), header.size()) || header != header_)
        return false;
    const std::size_t line = std::size_t(size_.width()) * 4;
    const int rows = bandRows(qint64(line));
    std::vector<uchar> bits(std::size_t(rows) * line);
    for (int top = 0; top < size_.height(); top += rows) {
        const int n = std::min(rows, size_.height() - top);
        if (!whole(::read, file.fd(), bits.data(), std::size_t(n) * line))
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
    if (path_.empty() || picture.format() != QImage::Format_RGB32 || picture.size() != size_)
        return;
    // The folders as far as they are missing, then a file of its own that
    // takes the picture's name once it is whole.
    for (std::size_t slash = path_.find('/', 1); slash != std::string::npos;
         slash = path_.find('/', slash + 1))
        mkdir(path_.substr(0, slash).c_str(), 0700);
    std::string temporary = path_ + ".XXXXXX";
    const File file(mkostemp(temporary.data(), O_CLOEXEC));
    if (file.fd() < 0)
        return;
    const bool written =
        whole(::write, file.fd(), header_.data(), header_.size()) &&
        whole(::write, file.fd(), picture.constBits(), std::size_t(pictureBytes()));
    if (!written || rename(temporary.c_str(), path_.c_str()) != 0)
        unlink(temporary.c_str());
}

} // namespace ctallix
