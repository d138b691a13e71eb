// The rules of an edit: what a point or the whole curve may do, whoever moves it, and the two
// routines that apply an edit to the point table and the picture.
#include "engine/EditRules.h"

#include "engine/CurvePainter.h"
#include "engine/CurveSettings.h"
#include "engine/PlotMapping.h"
#include "numbers/NumberConversion.h"
#include "platform/Canvas.h"

#include <knotel/PlotLayout.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace knotel {

namespace {

int sign(float v)
{
    return (v > 0.0f) - (v < 0.0f);
}

/** a - b as a single, for the sign test of the crossover rule. */
float difference(float a, float b)
{
    return float(std::clamp(double(a) - double(b), -double(std::numeric_limits<float>::max()),
                            double(std::numeric_limits<float>::max())));
}

/** The rules of one dragged coordinate: the coordinate of every slot, its crossover flag and its axis ends.
 */
struct AxisRule {
    float (PointTable::*coordinate)(int) const;
    bool allowCrossover;
    float axisFrom;
    float axisTo;
};

/**
 * The value that @p candidate leaves for slot @p d under @p rule: nothing when it would carry the
 * point past an index neighbour (unless crossover is allowed) or is not a finite single, else the
 * candidate clamped to the axis range. @p last is the last slot in use.
 */
std::optional<float> draggedCoordinate(const PointTable& points, const AxisRule& rule, int d, int last,
                                       std::optional<float> candidate)
{
    if (!candidate)
        return std::nullopt;
    const auto v = [&](int slot) { return (points.*rule.coordinate)(slot); };
    if (!rule.allowCrossover) {
        auto crosses = [&](int n) {
            return sign(difference(v(d), v(n))) != sign(difference(*candidate, v(n)));
        };
        if (d > 0 && crosses(d - 1))
            return std::nullopt;
        if (d < last && crosses(d + 1))
            return std::nullopt;
    }
    const float lo = rule.axisFrom < rule.axisTo ? rule.axisFrom : rule.axisTo;
    const float hi = rule.axisFrom < rule.axisTo ? rule.axisTo : rule.axisFrom;
    float value = *candidate;
    if (value > hi)
        value = hi;
    if (value < lo)
        value = lo;
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

FreeAxes freeAxes(const PointTable& points, const CurveSettings& s, int slot)
{
    const bool endPoint = slot == 0 || slot == points.slotsInUse() - 1;
    return {!(s.LockX_Axis != 0 || (s.LockXEndPoints != 0 && endPoint)),
            !(s.LockY_Axis != 0 || (s.LockYEndPoints != 0 && endPoint))};
}

namespace {

/** draggedPoint() without the grids: the locks, crossover and clamping. */
PointPosition ruledPoint(const PointTable& points, const CurveSettings& s, int slot, std::optional<float> x,
                         std::optional<float> y)
{
    PointPosition to = points.position(slot);
    const FreeAxes free = freeAxes(points, s, slot);
    const int last = points.slotsInUse() - 1;
    // X first, then Y; each test sees the point as it was before this move.
    if (free.x) {
        if (const auto v = draggedCoordinate(
                points, {&PointTable::pointX, s.AllowXCrossover != 0, s.X_Axis_Left, s.X_Axis_Right}, slot,
                last, x))
            to.x = *v;
    }
    if (free.y) {
        if (const auto v = draggedCoordinate(
                points, {&PointTable::pointY, s.AllowYCrossover != 0, s.Y_Axis_Bottom, s.Y_Axis_Top}, slot,
                last, y))
            to.y = *v;
    }
    return to;
}

} // namespace

PointPosition draggedPoint(const PointTable& points, const CurveSettings& s, int slot, std::optional<float> x,
                           std::optional<float> y)
{
    return ruledPoint(points, s, slot, snapped(x, s.snapX), snapped(y, s.snapY));
}

TypedPoint typedPoint(const PointTable& points, const CurveSettings& s, int slot, std::optional<double> x,
                      std::optional<double> y)
{
    const auto single = [](std::optional<double> v) -> std::optional<float> {
        constexpr double largest = std::numeric_limits<float>::max();
        if (!v || std::isnan(*v))
            return std::nullopt;
        return float(std::clamp(*v, -largest, largest));
    };
    const std::optional<float> valueX = single(x);
    const std::optional<float> valueY = single(y);
    TypedPoint typed;
    typed.to = ruledPoint(points, s, slot, valueX, valueY);
    const PointPosition from = points.position(slot);
    // Kept though another value was asked for: the value clamped to its axis would differ.
    const auto refused = [](std::optional<float> value, float before, float after, float axisFrom,
                            float axisTo) {
        if (!value || !sameSingle(after, before))
            return false;
        const float clamped = std::clamp(*value, std::min(axisFrom, axisTo), std::max(axisFrom, axisTo));
        return !sameSingle(clamped, before);
    };
    typed.refusedX = refused(valueX, from.x, typed.to.x, s.X_Axis_Left, s.X_Axis_Right);
    typed.refusedY = refused(valueY, from.y, typed.to.y, s.Y_Axis_Bottom, s.Y_Axis_Top);
    return typed;
}

std::optional<CurveShift> shiftedCurve(const PointTable& points, const CurveSettings& s,
                                       const PlotLayout& layout, float startMouseY, float mouseY)
{
    const PlotMapping map(layout, s.X_Axis_Left, s.Y_Axis_Bottom);
    const int count = points.slotsInUse();
    const double top = double(layout.PlotTop);
    const double bottom = top + double(layout.PlotHeight);
    const double start = double(startMouseY);

    CurveShift shift;
    shift.mouseY = mouseY;
    for (int i = 0; i < count; ++i) {
        // A point the host stored outside the plot rows moves along and limits nothing.
        const std::optional<float> p = toSingleOrNothing(map.pixelY(points.moveStartY(i)));
        if (!p || double(*p) < top || double(*p) > bottom)
            continue;
        if (double(*p) + double(shift.mouseY) - start > bottom) {
            const std::optional<float> limited = toSingleOrNothing(start + bottom - double(*p));
            if (!limited)
                return std::nullopt;
            shift.mouseY = *limited;
        }
        if (double(*p) + double(shift.mouseY) - start < top) {
            const std::optional<float> limited = toSingleOrNothing(start + top - double(*p));
            if (!limited)
                return std::nullopt;
            shift.mouseY = *limited;
        }
    }

    double offset = (double(shift.mouseY) - start) / double(layout.ScaleY);
    if (s.snapY > 0) {
        // The nearest multiple of the grid, or the next one towards 0 where that would take a point
        // out of the plot rows: the offset itself stays within them, and so does every multiple
        // between it and 0.
        const auto fits = [&](double pixels) {
            for (int i = 0; i < count; ++i) {
                const std::optional<float> p = toSingleOrNothing(map.pixelY(points.moveStartY(i)));
                if (p && double(*p) >= top && double(*p) <= bottom &&
                    (double(*p) + pixels > bottom || double(*p) + pixels < top))
                    return false;
            }
            return true;
        };
        double onGrid = std::round(offset / s.snapY) * s.snapY;
        if (!fits(onGrid * double(layout.ScaleY)))
            onGrid = std::trunc(offset / s.snapY) * s.snapY;
        if (std::isfinite(onGrid)) {
            offset = onGrid;
            if (const std::optional<float> row = toSingleOrNothing(start + offset * double(layout.ScaleY)))
                shift.mouseY = *row;
        }
    }
    for (int i = 0; i < count; ++i) {
        const std::optional<float> y = toSingleOrNothing(double(points.moveStartY(i)) - offset);
        if (!y)
            return std::nullopt;
        shift.ys[std::size_t(i)] = *y;
    }
    return shift;
}

std::optional<float> snapped(std::optional<float> value, double step)
{
    if (!value || !(step > 0))
        return value;
    const double multiple = std::round(double(*value) / step) * step;
    if (!std::isfinite(multiple))
        return value;
    constexpr double largest = std::numeric_limits<float>::max();
    return float(std::clamp(multiple, -largest, largest));
}

std::optional<float> nextOnGrid(float value, int direction, double step)
{
    if (!(step > 0) || direction == 0 || !std::isfinite(value))
        return std::nullopt;
    const double steps = double(value) / step;
    double k = direction > 0 ? std::floor(steps) + 1 : std::ceil(steps) - 1;
    // The multiple next to a value that is itself one may round back to it as a single: one more.
    for (int tries = 0; tries < 2; ++tries, k += direction) {
        const std::optional<float> multiple = toSingleOrNothing(k * step);
        if (!multiple)
            return std::nullopt;
        if (direction > 0 ? *multiple > value : *multiple < value)
            return multiple;
    }
    return std::nullopt;
}

void placePoint(PointTable& points, int slot, PointPosition to, CurvePainter& painter)
{
    if (slot < 0 || slot >= SlotCount)
        return;
    // Equal values (0 and -0 included) give the same figures: nothing to redraw.
    const bool moved = !points.position(slot).same(to);
    const platform::Canvas::UpdateBatch batch(painter.canvas());
    if (moved)
        painter.drawCurveXor(slot, slot);
    points.movePointX(slot, to.x);
    points.movePointY(slot, to.y);
    if (moved)
        painter.drawCurveXor(slot, slot);
}

void placeCurve(PointTable& points, const CurveYs& ys, CurvePainter& painter)
{
    const int count = points.slotsInUse();
    // Every figure moves; the screen update covers their old and new boxes only.
    const platform::Canvas::UpdateBatch batch(painter.canvas());
    painter.drawCurveXor();
    for (int i = 0; i < count; ++i)
        points.movePointY(i, ys[std::size_t(i)]);
    painter.drawCurveXor();
}

} // namespace knotel
