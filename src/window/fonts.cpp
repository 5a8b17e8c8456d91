#include "window/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace ctallix {

namespace {

// `wanted` when it is installed, else the first installed sans face, else
// the generic family that the font configuration resolves. A face is asked
// for by its English name, which holds in every locale, where the list of
// families holds the names of the user's: IPAPGothic is "IPA Pゴシック" in
// a Japanese locale. (Qt resolves the English names once the list has been
// read, which installFontSubstitutes does first.)
QString installedOr(const QString &wanted) {
    if (QFontDatabase::hasFamily(wanted))
        return wanted;
    for (const char *sans : {"DejaVu Sans", "Liberation Sans", "Noto Sans", "FreeSans"}) {
        if (QFontDatabase::hasFamily(QLatin1String(sans)))
            return QLatin1String(sans);
    }
    for (const QString &family : QFontDatabase::families()) {
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

    (void)QFontDatabase::families();
    const QString gothic = installedOr(kGothicStandIn);
    QFont::insertSubstitution(kGothicFamily, gothic);
    QFont::insertSubstitution(kGothicVerticalFamily, gothic);
    QFont::insertSubstitution(kKaiFamily, installedOr(kKaiStandIn));
}

} // namespace ctallix
