// cTallix: opens the bead-frame calculator window.
#include "app/startup.h"
#include "ui/accessibility.h"
#include "ui/desktop_entry.h"
#include "ui/form1.h"
#include "ui/platform.h"
#include "ui/screen_reader_switch.h"
#include "ui/translations.h"

#include <QApplication>
#include <QTimer>

#include <optional>

int main(int argc, char *argv[]) {
    ctallix::loadTranslations();
    if (!ctallix::choosePlatform(argc, argv))
        return 1;
    ctallix::skipInputMethod();
    ctallix::skipBusAutolaunch();
    ctallix::nameDesktopEntry();
    ctallix::FontconfigWarmUp fontconfig; // after the last change to the environment

    std::optional<ctallix::PlatformStart> starting(std::in_place);
    QApplication app(argc, argv);
    starting.reset();
    ctallix::installTranslations();
    QApplication::setApplicationName(QStringLiteral("ctallix"));
    ctallix::installAccessibility();
    fontconfig.wait(); // so that the window's fonts do not read the configuration again
    ctallix::Form1 form;
    ctallix::showAsEntry(form);
    QTimer::singleShot(0, [] { ctallix::followScreenReaderSwitch(); });
    return QApplication::exec();
}
