// The program's words in the user's language. The languages are the
// user's as the system lists them (LANGUAGE, then the locale's): the first
// one the program speaks is taken, with Qt's own words for it where Debian
// installs them (qt6-translations-l10n) once a screen reader listens;
// English where none is spoken. The layout, the pictures, the digits and
// the heading never change.
#pragma once

#include <QString>

namespace ctallix {

// Loads the translations, before the QApplication: the messages of a
// window that cannot open are translated too.
void loadTranslations();

// Once the QApplication stands: makes them the application's, for tr().
void installTranslations();

// `text` of `context` in the user's language, also before the application
// exists.
QString translate(const char *context, const char *text);

} // namespace ctallix
