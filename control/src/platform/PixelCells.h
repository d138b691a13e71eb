#ifndef KNOTEL_PLATFORM_PIXELCELLS_H
#define KNOTEL_PLATFORM_PIXELCELLS_H

#include <QPointF>
#include <QRect>
#include <QRectF>

#include <array>
#include <optional>
#include <utility>

/**
 * The geometry of figures on a backing image with more device pixels than logical ones.
 *
 * A logical pixel is the cell [x, x + 1) x [y, y + 1). Where the one-pixel cosmetic pen and the
 * fills cover whole cells at ratio 1 (lines along an axis, box outlines, filled boxes), a figure
 * at another ratio covers the same cells, each with all of its device pixels; a pen one logical
 * pixel wide covers a cell when it runs through its middle, at x + 0.5.
 *
 * Coordinates are limited to the surface's rectangle widened by a margin first: a cell outside
 * the surface is never drawn, and far-off figures stay within int range.
 */
namespace knotel::platform::cells {

/** How far beyond the surface coordinates are kept, in logical pixels. */
constexpr double Margin = 2;

/** The cell holding (@p x, @p y). */
QPoint cellOf(double x, double y, const QRect& surface);

/** The cells that a fill of @p r covers at ratio 1: its edges at the nearest whole pixel, halves up. */
QRect fillCells(const QRectF& r, const QRect& surface);

/**
 * The outline of the cells of @p box, one cell wide, as non-overlapping rectangles (one to four):
 * every cell is drawn once, so that an XOR outline has its corners.
 */
int outlineCells(const QRect& box, std::array<QRect, 4>& parts);

/**
 * The part of the segment from @p a to @p b within @p r, as the parameters 0 <= t0 <= t1 <= 1
 * of its ends along the segment, or nothing when the segment misses @p r.
 */
std::optional<std::pair<double, double>> clipSegment(QPointF a, QPointF b, const QRectF& r);

} // namespace knotel::platform::cells

#endif
