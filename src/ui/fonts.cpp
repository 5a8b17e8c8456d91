#include "ui/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace ctallix {

namespace {

// `wanted` when it is installed, else the first installed sans face, else
// the generic family that the font configuration resolves.
QString installedOr(const QString &wanted, const QStringList &families) {
    if (families.contains(wanted))
        return wanted;
    for (const char *sans : {"DejaVu Sans", "Liberation Sans", "Noto Sans", "FreeSans"}) {
        if (families.contains(QLatin1String(sans)))
            return QLatin1String(sans);
    }
    for (const QString &family : families) {
        if (family.contains(QLatin1String("Sans")) && !family.contains(QLatin1String("Mono")))
            return family;
    }
    return QStringLiteral("sans-serif");
}

} // namespace

void installFontSubstitutes() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;

    const QStringList families = QFontDatabase::families();
    const QString gothic = installedOr(kGothicStandIn, families);
    QFont::insertSubstitution(kGothicFamily, gothic);
    QFont::insertSubstitution(kGothicVerticalFamily, gothic);
    QFont::insertSubstitution(kKaiFamily, installedOr(kKaiStandIn, families));
}

} // namespace ctallix
