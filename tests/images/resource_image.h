// Loads one of the window's bitmaps from the Qt resources. It lives in a
// static library of its own, so that the test reaches ctallix_images the way
// the window does: through a static library, with no registration call.
#pragma once

#include <QImage>
#include <QString>

QImage resourceImage(const QString &name);
