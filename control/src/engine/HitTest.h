#ifndef KNOTEL_HITTEST_H
#define KNOTEL_HITTEST_H

#include "engine/PlotMapping.h"

#include <optional>
#include <span>

namespace knotel {

/** Pick distance in pixels: a mouse position strictly closer than this, per axis, hits. */
inline constexpr double PickDistance = 4.0;

/** How far a finger reaches from where it touches, in millimetres on the screen: about half a
 *  fingertip's width. */
inline constexpr double TouchReachMillimetres = 4.5;

/**
 * A finger's pick distance in logical pixels: TouchReachMillimetres at @p physicalDpi, the screen's
 * physical dots per logical inch, or at @p logicalDpi when the screen gives no positive finite
 * figure; never less than the mouse's PickDistance.
 */
double touchPickDistance(double physicalDpi, double logicalDpi);

/**
 * The first point, in slot order, whose pixel position lies less than 4 pixels from the mouse
 * position (@p mx, @p my) in both x and y; -1 when none does. @p x and @p y are the points'
 * axis values, one entry per slot in use. A point whose pixel position is not finite (an axis
 * with equal ends) is never hit.
 */
int pickPoint(const PlotMapping& map, std::span<const float> x, std::span<const float> y, float mx, float my);

/**
 * The point whose pixel position lies nearest to the finger at (@p fx, @p fy), strictly closer
 * than @p reach pixels; where several lie equally near, the lowest slot. -1 when none does. As in
 * pickPoint(), a point whose pixel position is not finite is never hit.
 */
int pickNearestPoint(const PlotMapping& map, std::span<const float> x, std::span<const float> y, float fx,
                     float fy, double reach);

/**
 * The first segment j (from point j to point j + 1), in slot order, whose horizontal extent
 * includes @p mx, ends included, and whose line passes less than @p reach pixels (the mouse's 4,
 * or a finger's) above or below @p my there; -1 when none does. A segment whose slope cannot be
 * worked out as a finite single (both ends at the same pixel x, an overflow, a non-finite end) is
 * skipped.
 */
int pickSegment(const PlotMapping& map, std::span<const float> x, std::span<const float> y, float mx,
                float my, double reach = PickDistance);

} // namespace knotel

#endif
