// cTallix: opens the bead-frame calculator window, with the screen reader's
// and the desktop's parts connected to what the window offers.
#include "a11y/accessibility.h"
#include "a11y/screen_reader_switch.h"
#include "app/startup.h"
#include "desktop/bell.h"
#include "desktop/desktop_entry.h"
#include "desktop/platform.h"
#include "desktop/start_picture.h"
#include "desktop/translations.h"
#include "window/form1.h"

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
    QObject::connect(&form, &ctallix::Form1::bell, &ctallix::ringBell);
    QObject::connect(
        &form, &ctallix::Form1::changed, &form,
        [&form](const ctallix::FormChange &change) { ctallix::frameChanged(form, change); });
    QObject::connect(
        &form, &ctallix::Form1::pressing, &form,
        [&form](const ctallix::Control &pressed) { ctallix::framePressing(form, pressed); });
    ctallix::followFocus(form);
    // Without a start picture, the labels' faces are loaded while the display
    // server maps the window; with one, the window shows it from the map on.
    const bool pictured = ctallix::giveStartPicture(form) != ctallix::StartPicture::None;
    ctallix::showAsEntry(form);
    if (!pictured)
        form.drawTextAhead();
    QTimer::singleShot(0, [] { ctallix::followScreenReaderSwitch(); });
    return QApplication::exec();
}
