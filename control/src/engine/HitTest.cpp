// Which break point or segment of the curve lies under a mouse position or a finger: the reverse
// of the curve drawing, on the same mapping, with no widget involved.
#include "engine/HitTest.h"

#include "numbers/NumberConversion.h"

#include <algorithm>
#include <cmath>

namespace knotel {

double touchPickDistance(double physicalDpi, double logicalDpi)
{
    const double dpi = std::isfinite(physicalDpi) && physicalDpi > 0 ? physicalDpi : logicalDpi;
    const double reach = TouchReachMillimetres / 25.4 * dpi;
    return std::isfinite(reach) && reach > PickDistance ? reach : PickDistance;
}

int pickPoint(const PlotMapping& map, std::span<const float> x, std::span<const float> y, float mx, float my)
{
    const std::size_t count = std::min(x.size(), y.size());
    for (std::size_t j = 0; j < count; ++j) {
        const std::optional<float> px = toSingleOrNothing(map.pixelX(x[j]));
        const std::optional<float> py = toSingleOrNothing(map.pixelY(y[j]));
        if (!px || !py)
            continue;
        if (std::fabs(double(*px) - double(mx)) < PickDistance &&
            std::fabs(double(*py) - double(my)) < PickDistance)
            return int(j);
    }
    return -1;
}

int pickNearestPoint(const PlotMapping& map, std::span<const float> x, std::span<const float> y, float fx,
                     float fy, double reach)
{
    const std::size_t count = std::min(x.size(), y.size());
    int nearest = -1;
    double nearestDistance = reach;
    for (std::size_t j = 0; j < count; ++j) {
        const std::optional<float> px = toSingleOrNothing(map.pixelX(x[j]));
        const std::optional<float> py = toSingleOrNothing(map.pixelY(y[j]));
        if (!px || !py)
            continue;
        // Strictly nearer only: of two points equally near, the lower slot stays.
        const double distance = std::hypot(double(*px) - double(fx), double(*py) - double(fy));
        if (distance < nearestDistance) {
            nearest = int(j);
            nearestDistance = distance;
        }
    }
    return nearest;
}

int pickSegment(const PlotMapping& map, std::span<const float> x, std::span<const float> y, float mx,
                float my, double reach)
{
    const std::size_t count = std::min(x.size(), y.size());
    for (std::size_t j = 0; j + 1 < count; ++j) {
        const std::optional<float> x1 = toSingleOrNothing(map.pixelX(x[j]));
        const std::optional<float> y1 = toSingleOrNothing(map.pixelY(y[j]));
        const std::optional<float> x2 = toSingleOrNothing(map.pixelX(x[j + 1]));
        const std::optional<float> y2 = toSingleOrNothing(map.pixelY(y[j + 1]));
        if (!x1 || !y1 || !x2 || !y2)
            continue;
        // Between the ends, ends included, whichever end lies to the left.
        if (!((*x1 >= mx && *x2 <= mx) || (*x1 <= mx && *x2 >= mx)))
            continue;
        // Equal x at both ends divides by zero and gives no slope: a vertical segment is never hit.
        const std::optional<float> k =
            toSingleOrNothing((double(*y2) - double(*y1)) / (double(*x2) - double(*x1)));
        if (!k)
            continue;
        const std::optional<float> m = toSingleOrNothing(double(*y1) - double(*k) * double(*x1));
        if (!m)
            continue;
        const std::optional<float> yLine = toSingleOrNothing(double(*k) * double(mx) + double(*m));
        if (!yLine)
            continue;
        if (std::fabs(double(*yLine) - double(my)) < reach)
            return int(j);
    }
    return -1;
}

} // namespace knotel
