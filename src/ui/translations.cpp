#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ctallix {

namespace {

// The program's words (embedded, ":/i18n/ctallix_<language>.qm") and Qt's.
QTranslator &program() {
    static QTranslator translator;
    return translator;
}
QTranslator &qt() {
    static QTranslator translator;
    return translator;
}

} // namespace

void loadTranslations() {
    if (program().load(QLocale::system(), QStringLiteral("ctallix"), QStringLiteral("_"),
                       QStringLiteral(":/i18n")))
        // Qt's words in the very language the program's are, so that a
        // screen reader never hears two languages mixed.
        (void)qt().load(QStringLiteral("qtbase_") + program().language(),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void installTranslations() {
    if (!program().isEmpty())
        QCoreApplication::installTranslator(&program());
    if (!qt().isEmpty())
        QCoreApplication::installTranslator(&qt());
}

QString translate(const char *context, const char *text) {
    const QString translated = program().translate(context, text);
    return translated.isEmpty() ? QString::fromUtf8(text) : translated;
}

} // namespace ctallix
