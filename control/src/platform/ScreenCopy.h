#ifndef KNOTEL_PLATFORM_SCREENCOPY_H
#define KNOTEL_PLATFORM_SCREENCOPY_H

#include <QImage>
#include <QRegion>

class QPaintDevice;
class QPainter;

namespace knotel::platform {

/**
 * Copies the rectangles of @p region (logical pixels) of @p picture, a 32-bit image at device
 * pixel ratio @p ratio, to the same place on @p screen, which paints a paint event's @p region.
 *
 * Through QPainter each rectangle is clipped on its own: Qt copies a rectangle clipped to one
 * rectangle as a plain blit, but a region of several through its span path, which at ratios other
 * than 1 it hands to its thread pool; and each clip is cut from the whole region painted. Where
 * the screen is a raster image of 32-bit opaque pixels that the painter maps one for one onto
 * whole device pixels (whole ratios), the rows are copied into it directly: the same pixels, at
 * the cost of the copy alone. Only into @p backingStore, the window's own: the region is then the
 * painter's clip, which a widget rendered elsewhere (QWidget::render) need not have.
 */
void copyToScreen(QPainter& screen, const QImage& picture, qreal ratio, const QRegion& region,
                  const QPaintDevice* backingStore);

} // namespace knotel::platform

#endif
