#include "desktop/translations.h"

#include <QAccessible>
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

// Qt's own words reach the user only through a screen reader (the names of
// roles and actions), so they are read once one listens, before Qt's bridge
// names its roles. In the very language of the program's words, so that a
// screen reader never hears two languages mixed.
class QtWords : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override {
        if (active && qt().isEmpty() &&
            qt().load(QStringLiteral("qtbase_") + program().language(),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&qt());
    }
};

} // namespace

void loadTranslations() {
    (void)program().load(QLocale::system(), QStringLiteral("ctallix"), QStringLiteral("_"),
                         QStringLiteral(":/i18n"));
}

void installTranslations() {
    if (program().isEmpty())
        return;
    QCoreApplication::installTranslator(&program());
    static QtWords qtWords;
    QAccessible::installActivationObserver(&qtWords);
}

QString translate(const char *context, const char *text) {
    const QString translated = program().translate(context, text);
    return translated.isEmpty() ? QString::fromUtf8(text) : translated;
}

} // namespace ctallix
