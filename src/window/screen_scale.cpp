#include "window/screen_scale.h"

#include <QImage>
#include <QPainter>

#include <cmath>
#include <map>
#include <utility>

namespace ctallix {

namespace {

// `picture` as drawn at the fractional device pixel ratio `ratio`: enlarged
// to the next whole factor pixel for pixel, then reduced smoothly to the
// device size. Made once per picture and ratio; the window has a handful of
// pictures.
const QPixmap &reduced(const QPixmap &picture, qreal ratio) {
    static std::map<std::pair<qint64, qreal>, QPixmap> made;
    QPixmap &pixmap = made[{picture.cacheKey(), ratio}];
    if (pixmap.isNull()) {
        const QSize size = picture.size();
        const QImage enlarged =
            picture.toImage().scaled(size * static_cast<int>(std::ceil(ratio)),
                                     Qt::IgnoreAspectRatio, Qt::FastTransformation);
        pixmap = QPixmap::fromImage(
            enlarged.scaled(QSize(qRound(size.width() * ratio), qRound(size.height() * ratio)),
                            Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        pixmap.setDevicePixelRatio(ratio);
    }
    return pixmap;
}

} // namespace

void drawPicture(QPainter &painter, QPoint at, const QPixmap &picture) {
    const qreal ratio = painter.device()->devicePixelRatioF();
    const bool whole = ratio == std::floor(ratio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !whole);
    if (whole)
        painter.drawPixmap(at, picture);
    else
        painter.drawPixmap(QRect(at, picture.size()), reduced(picture, ratio));
}

} // namespace ctallix
