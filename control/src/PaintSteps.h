#ifndef KNOTEL_PAINTSTEPS_H
#define KNOTEL_PAINTSTEPS_H

#include "CurvePrivate.h"
#include "ErrorTolerance.h"

#include <cmath>
#include <limits>

namespace knotel {

namespace platform {
class DrawingSurface;
}

namespace paint {

/** R, the x of the plot's right edge: PlotLeft + PlotWidth; throws 6 on 32-bit overflow. */
inline qint32 plotRight(const PlotLayout& l)
{
    return add32(l.PlotLeft, l.PlotWidth);
}

/** B, the y of the plot's bottom edge, where the X axis lies: PlotTop + PlotHeight; throws 6 on overflow. */
inline qint32 plotBottom(const PlotLayout& l)
{
    return add32(l.PlotTop, l.PlotHeight);
}

/**
 * A pixel position worked out in double precision, stored as a single. A position that is not
 * finite, or lies beyond the single range, stays not finite (NaN or an infinity): the surface
 * refuses every drawing call that uses it, so the element is skipped rather than drawn at a
 * stale or made-up place.
 */
inline float position(double p)
{
    constexpr double largest = std::numeric_limits<float>::max();
    if (p > largest)
        return std::numeric_limits<float>::infinity();
    if (p < -largest)
        return -std::numeric_limits<float>::infinity();
    return float(p); // NaN stays NaN
}

/** The position @p p floored (towards negative infinity), then stored as a single. */
inline float flooredPosition(double p)
{
    return position(std::floor(p));
}

// PaintScales.cpp: steps 6 to 8 of the paint pass. Each statement runs on its own.
void drawXScale(const CurvePrivate& d, platform::DrawingSurface& surface);
void drawYScale(const CurvePrivate& d, platform::DrawingSurface& surface);

} // namespace paint
} // namespace knotel

#endif
