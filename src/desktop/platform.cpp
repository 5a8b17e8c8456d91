#include "desktop/platform.h"

#include "desktop/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ctallix {

namespace {

QString platforms;         // the platforms Qt tries, in order, ';' between them
bool userChose = false;    // named by QT_QPA_PLATFORM or -platform
QtMessageHandler previous; // Qt's own writer, for the held messages

struct Held {
    QtMsgType type;
    const char *category; // the names of logging categories are static texts
    QString text;
};
std::vector<Held> held;

bool isSet(const char *variable) {
    return !qEnvironmentVariableIsEmpty(variable);
}

// Whether a platform plugin with the key `name` is installed where Qt looks.
bool installed(const QString &name) {
    for (const QString &path : QCoreApplication::libraryPaths()) {
        const QDir dir(path + QStringLiteral("/platforms"));
        for (const QString &file : dir.entryList(QDir::Files)) {
            // The keys are read from the file; the library is not loaded.
            const QJsonArray keys = QPluginLoader(dir.filePath(file))
                                        .metaData()
                                        .value(QStringLiteral("MetaData"))
                                        .toObject()
                                        .value(QStringLiteral("Keys"))
                                        .toArray();
            for (const auto &key : keys)
                if (key.toString().compare(name, Qt::CaseInsensitive) == 0)
                    return true;
        }
    }
    return false;
}

// The message `text` in the user's language.
QString say(const char *text) {
    return translate("ctallix::Platform", text);
}

// Why the platform `name` did not start.
QString whyNot(const QString &name) {
    const bool x11 = name == QStringLiteral("xcb"), wayland = name.startsWith(u"wayland");
    if (!installed(name)) {
        if (x11)
            return say(QT_TRANSLATE_NOOP("ctallix::Platform",
                                         "Qt's X11 platform plugin is not installed (Debian "
                                         "package libqt6gui6)"));
        if (wayland)
            return say(QT_TRANSLATE_NOOP("ctallix::Platform",
                                         "Qt's Wayland platform plugin is not installed (Debian "
                                         "package qt6-wayland)"));
        return say(QT_TRANSLATE_NOOP("ctallix::Platform", "Qt has no platform plugin \"%1\""))
            .arg(name);
    }
    if (x11)
        return isSet("DISPLAY") ? say(QT_TRANSLATE_NOOP("ctallix::Platform",
                                                        "no X server answers at DISPLAY=\"%1\""))
                                      .arg(qEnvironmentVariable("DISPLAY"))
                                : say(QT_TRANSLATE_NOOP("ctallix::Platform", "DISPLAY is not set"));
    if (wayland)
        return isSet("WAYLAND_DISPLAY")
                   ? say(QT_TRANSLATE_NOOP("ctallix::Platform", "no Wayland compositor answers at "
                                                                "WAYLAND_DISPLAY=\"%1\""))
                         .arg(qEnvironmentVariable("WAYLAND_DISPLAY"))
                   : say(QT_TRANSLATE_NOOP("ctallix::Platform", "WAYLAND_DISPLAY is not set"));
    return say(QT_TRANSLATE_NOOP("ctallix::Platform", "Qt's platform \"%1\" did not start"))
        .arg(name);
}

// Prints the one line of a window that cannot open.
void cannotOpen(QString why) {
    why.replace(u'\n', u' ');
    const QString line =
        say(QT_TRANSLATE_NOOP("ctallix::Platform", "ctallix: cannot open the display: %1"))
            .arg(why);
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

void hold(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (type != QtFatalMsg) {
        // Qt 6.8 says in four lines that it switched a locale whose
        // character set is not UTF-8 (a plain C or POSIX one) to C.UTF-8;
        // Qt 6.4 switches without a word. The window shows no text the
        // user types, and reads and writes "." in every locale: nothing for
        // the user to do, so nothing to say.
        if (!text.startsWith(QLatin1String("Detected locale \"")))
            held.push_back({type, context.category, text});
        return;
    }
    // Only a platform that did not start is fatal this early. Qt would
    // abort next, and dump core where core dumps are on.
    QStringList reasons;
    for (const QString &platform : platforms.split(u';', Qt::SkipEmptyParts))
        reasons << whyNot(platform.section(u':', 0, 0).toLower());
    if (!userChose && !isSet("DISPLAY"))
        reasons << say(QT_TRANSLATE_NOOP("ctallix::Platform", "DISPLAY is not set"));
    cannotOpen(reasons.join(QStringLiteral("; ")));
    std::_Exit(1);
}

} // namespace

bool choosePlatform(int argc, char *argv[]) {
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == "-platform" || arg == "--platform") {
            platforms = QString::fromLocal8Bit(argv[i + 1]);
            userChose = true;
            return true;
        }
    }
    if (isSet("QT_QPA_PLATFORM")) {
        platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
        userChose = true;
        return true;
    }
    const bool x11 = isSet("DISPLAY"), wayland = isSet("WAYLAND_DISPLAY");
    if (!x11 && !wayland) {
        cannotOpen(say(
            QT_TRANSLATE_NOOP("ctallix::Platform", "neither DISPLAY nor WAYLAND_DISPLAY is set")));
        return false;
    }
    // Qt tries them in order and takes the first that connects.
    platforms = x11 && wayland ? QStringLiteral("xcb;wayland")
                : x11          ? QStringLiteral("xcb")
                               : QStringLiteral("wayland");
    qputenv("QT_QPA_PLATFORM", platforms.toLatin1());
    return true;
}

PlatformStart::PlatformStart() {
    previous = qInstallMessageHandler(hold);
}

PlatformStart::~PlatformStart() {
    qInstallMessageHandler(previous);
    for (const Held &message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category);
        previous(message.type, context, message.text);
    }
    held.clear();
}

} // namespace ctallix
