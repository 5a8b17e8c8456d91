// The window's faces are Windows fonts. This maps each of them to a face
// that is installed here, so every label gets a readable stand-in.
#pragma once

#include <QString>

namespace ctallix {

// Family names as the layout gives them.
inline const QString kGothicFamily = QStringLiteral("MS PGothic");
inline const QString kGothicVerticalFamily = QStringLiteral("@MS PGothic");
inline const QString kKaiFamily = QStringLiteral("楷体_GB2312");

// The installed faces that stand in for them.
inline const QString kGothicStandIn = QStringLiteral("IPAPGothic");
inline const QString kKaiStandIn = QStringLiteral("AR PL UKai CN");

// Registers the stand-ins as Qt font substitutions, once per process; a
// stand-in that is not installed is replaced by some installed sans face.
// Needs a QGuiApplication.
void installFontSubstitutes();

} // namespace ctallix
