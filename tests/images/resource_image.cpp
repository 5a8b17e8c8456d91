#include "resource_image.h"

QImage resourceImage(const QString &name) {
    return QImage(QStringLiteral(":/images/") + name);
}
