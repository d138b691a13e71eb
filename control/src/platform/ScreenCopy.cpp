#include "platform/ScreenCopy.h"

#include <QPaintEngine>
#include <QPainter>

#include <cmath>
#include <cstring>

namespace knotel::platform {

namespace {

/** The raster image that @p screen paints into, when a direct copy gives its pixels exactly. */
QImage* directTarget(QPainter& screen, const QImage& picture, qreal ratio, const QPaintDevice* backingStore)
{
    QPaintEngine* engine = screen.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !engine->paintDevice() ||
        engine->paintDevice() != backingStore || engine->paintDevice()->devType() != QInternal::Image)
        return nullptr;
    auto* target = static_cast<QImage*>(engine->paintDevice());
    const QTransform t = screen.deviceTransform();
    const bool exact = ratio == std::floor(ratio) && ratio >= 1 && ratio <= 8 &&
                       screen.worldTransform().isIdentity() && t.type() <= QTransform::TxScale &&
                       t.m11() == ratio && t.m22() == ratio && t.dx() == std::floor(t.dx()) &&
                       t.dy() == std::floor(t.dy()) && std::abs(t.dx()) < (1 << 24) &&
                       std::abs(t.dy()) < (1 << 24) && picture.format() == QImage::Format_RGB32 &&
                       (target->format() == QImage::Format_RGB32 ||
                        target->format() == QImage::Format_ARGB32_Premultiplied) &&
                       !screen.hasClipping();
    return exact ? target : nullptr;
}

} // namespace

void copyToScreen(QPainter& screen, const QImage& picture, qreal ratio, const QRegion& region,
                  const QPaintDevice* backingStore)
{
    if (QImage* target = directTarget(screen, picture, ratio, backingStore)) {
        const int r = int(ratio);
        const QTransform t = screen.deviceTransform();
        const QPoint offset(int(t.dx()), int(t.dy()));
        const QRect pictureRect = picture.rect();
        const QRect targetRect = target->rect();
        uchar* targetBits = target->bits();
        const qsizetype targetStride = target->bytesPerLine();
        for (const QRect& logical : region) {
            // The rectangle's device pixels, where both images have them.
            QRect source(logical.topLeft() * r, logical.size() * r);
            source &= pictureRect;
            source &= targetRect.translated(-offset);
            if (source.isEmpty())
                continue;
            const std::size_t bytes = std::size_t(source.width()) * 4;
            for (int y = source.top(); y <= source.bottom(); ++y)
                std::memcpy(targetBits + (y + offset.y()) * targetStride + (source.left() + offset.x()) * 4,
                            picture.constScanLine(y) + source.left() * 4, bytes);
        }
        return;
    }
    // The image's device pixels fall on the screen's one for one: no rectangle needs rounding to
    // device pixels.
    for (const QRect& r : region) {
        screen.setClipRect(r);
        screen.drawImage(QPointF(0, 0), picture);
    }
    screen.setClipping(false);
}

} // namespace knotel::platform
