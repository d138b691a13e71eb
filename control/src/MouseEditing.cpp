// Mouse editing: grabbing a point or the line, dragging under the lock and crossover rules,
// the tracker read-out and DroppedValue on release.
//
// Slots are addressed through slotsInUse(), never past slot 63. Where the rules speak of the
// last point (end-point locks, the right-hand neighbour), that is the last slot addressed,
// min(Dimensions, 64) - 1: with Dimensions above 64 slot 63 ends the curve as drawn, so it is
// locked like an end point and has no right-hand neighbour.
#include "CurvePrivate.h"

#include "HitTest.h"
#include "platform/Colour.h"
#include "platform/DrawingSurface.h"

#include <knotel/Curve.h>
#include <knotel/FormatValue.h>
#include <knotel/RuntimeError.h>

#include <QLineEdit>
#include <QPalette>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <span>

namespace knotel {

namespace {

using platform::MousePointer;

/** The button code of the left button alone. */
constexpr int LeftButton = 1;

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

/** The rules of one dragged coordinate: its table, its crossover flag and its axis ends. */
struct AxisRule {
    std::array<float, SlotCount>& values;
    bool allowCrossover;
    float axisFrom;
    float axisTo;
};

/**
 * Applies @p candidate to slot @p d of @p rule's table: refused when it would carry the point
 * past an index neighbour (unless crossover is allowed) or is not a finite single, else clamped
 * to the axis range and stored. @p last is the last slot addressed.
 */
void dragCoordinate(const AxisRule& rule, int d, int last, std::optional<float> candidate)
{
    if (!candidate)
        return;
    const std::array<float, SlotCount>& v = rule.values;
    if (!rule.allowCrossover) {
        auto crosses = [&](int n) {
            return sign(difference(v[d], v[n])) != sign(difference(*candidate, v[n]));
        };
        if (d > 0 && crosses(d - 1))
            return;
        if (d < last && crosses(d + 1))
            return;
    }
    const float lo = rule.axisFrom < rule.axisTo ? rule.axisFrom : rule.axisTo;
    const float hi = rule.axisFrom < rule.axisTo ? rule.axisTo : rule.axisFrom;
    float value = *candidate;
    if (value > hi)
        value = hi;
    if (value < lo)
        value = lo;
    if (std::isfinite(value))
        rule.values[d] = value;
}

void dragPoint(CurvePrivate& c, std::optional<float> candidateX, std::optional<float> candidateY)
{
    const int d = c.DragIndex;
    const int last = c.slotsInUse() - 1;
    const bool endPoint = d == 0 || d == last;
    const bool moveX = !(c.LockX_Axis != 0 || (c.LockXEndPoints != 0 && endPoint));
    const bool moveY = !(c.LockY_Axis != 0 || (c.LockYEndPoints != 0 && endPoint));
    if (!moveX && !moveY)
        return;

    c.drawCurveXor();
    // X first, then Y; each test sees the point as it was before this move.
    if (moveX)
        dragCoordinate({c.PointX, c.AllowXCrossover != 0, c.X_Axis_Left, c.X_Axis_Right}, d, last,
                       candidateX);
    if (moveY)
        dragCoordinate({c.PointY, c.AllowYCrossover != 0, c.Y_Axis_Bottom, c.Y_Axis_Top}, d, last,
                       candidateY);
    c.drawCurveXor();
}

/**
 * Shifts every point vertically by the mouse's way since the grab, from the copy taken then, so
 * that no error builds up. The offset is limited so that each point that lay within the plot's
 * pixel rows at the grab stays within them; a point the host stored outside them moves along and
 * limits nothing. A move that would store a value that is not a finite single (a zero or
 * non-finite scale) changes nothing.
 */
void moveCurve(CurvePrivate& c, float mouseY)
{
    const PlotMapping map = c.mapping();
    const int count = c.slotsInUse();
    const double top = double(c.layout.PlotTop);
    const double bottom = top + double(c.layout.PlotHeight);
    const double start = double(c.MoveStartMouseY);

    float moveMouseY = mouseY;
    for (int i = 0; i < count; ++i) {
        const std::optional<float> p = asFiniteSingle(map.pixelY(c.MoveStartY[i]));
        if (!p || double(*p) < top || double(*p) > bottom)
            continue;
        if (double(*p) + double(moveMouseY) - start > bottom) {
            const std::optional<float> limited = asFiniteSingle(start + bottom - double(*p));
            if (!limited)
                return;
            moveMouseY = *limited;
        }
        if (double(*p) + double(moveMouseY) - start < top) {
            const std::optional<float> limited = asFiniteSingle(start + top - double(*p));
            if (!limited)
                return;
            moveMouseY = *limited;
        }
    }

    std::array<float, SlotCount> moved;
    const double offset = (double(moveMouseY) - start) / double(c.layout.ScaleY);
    for (int i = 0; i < count; ++i) {
        const std::optional<float> y = asFiniteSingle(double(c.MoveStartY[i]) - offset);
        if (!y)
            return;
        moved[i] = *y;
    }

    c.MoveMouseY = moveMouseY;
    c.drawCurveXor();
    std::copy_n(moved.begin(), count, c.PointY.begin());
    c.drawCurveXor();
}

bool same(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

/** True when the grabbed point lies elsewhere than at the press. */
bool pointMoved(const CurvePrivate& c)
{
    const int d = c.DragIndex;
    return !same(c.PointX[d], c.DragStartX) || !same(c.PointY[d], c.DragStartY);
}

/** True when any point in use lies higher or lower than at the grab of the line. */
bool curveMoved(const CurvePrivate& c)
{
    for (int i = 0; i < c.slotsInUse(); ++i)
        if (!same(c.PointY[i], c.MoveStartY[i]))
            return true;
    return false;
}

/** The tracker read-out; when a text cannot be formatted (negative decimals) all texts stay. */
void showTracker(CurvePrivate& c, float vx, float vy)
{
    QString textX;
    QString textY;
    try {
        textX = FormatValue(vx, c.X_Decimals);
        textY = FormatValue(vy, c.Y_Decimals);
    } catch (const RuntimeError&) {
        return;
    }
    c.Text_Value_X->setText(textX);
    c.Text_Value_Y->setText(textY);
    const QColor fore = platform::toQColor(c.TextColor);
    if (c.Text_Value_XY->palette().color(QPalette::Text) != fore) {
        QPalette palette = c.Text_Value_XY->palette();
        palette.setColor(QPalette::Text, fore);
        c.Text_Value_XY->setPalette(palette);
    }
    c.Text_Value_XY->setText(QStringLiteral("( ") + textX + QStringLiteral(" / ") + textY +
                             QStringLiteral(" )"));
}

} // namespace

void CurvePrivate::mousePress(int button, int, float x, float y)
{
    if (button != LeftButton)
        return;
    const PlotMapping map = mapping();
    const int count = slotsInUse();
    const std::span<const float> xs(PointX.data(), std::size_t(count));
    const std::span<const float> ys(PointY.data(), std::size_t(count));

    DragIndex = pickPoint(map, xs, ys, x, y);
    if (DragIndex >= 0) {
        DragStartX = PointX[DragIndex];
        DragStartY = PointY[DragIndex];
    }
    // The line can be grabbed only where it is drawn.
    if (DragIndex < 0 && lineDrawn() && pickSegment(map, xs, ys, x, y) >= 0) {
        std::copy_n(PointY.begin(), count, MoveStartY.begin());
        MoveStartMouseY = y;
        CurveMoving = -1;
    }
    Picture_Curve->setMousePointer(CurveMoving == -1 || DragIndex >= 0 ? MousePointer::Crosshair
                                                                       : MousePointer::Default);
}

void CurvePrivate::mouseMove(int button, int, float x, float y)
{
    const PlotMapping map = mapping();
    // The mouse's own axis values; outside the plot the read-out shows 0 instead, but a drag
    // still takes these, so that the clamping stops the point at the axis end.
    const std::optional<float> mouseX = asFiniteSingle(map.valueX(x));
    const std::optional<float> mouseY = asFiniteSingle(map.valueY(y));
    const bool insideX =
        double(layout.PlotLeft) < double(x) && double(x) < double(layout.PlotLeft) + double(layout.PlotWidth);
    const bool insideY =
        double(layout.PlotTop) < double(y) && double(y) < double(layout.PlotTop) + double(layout.PlotHeight);

    if (ViewTracker != 0)
        showTracker(*this, insideX ? mouseX.value_or(0.0f) : 0.0f, insideY ? mouseY.value_or(0.0f) : 0.0f);

    if (button != LeftButton) {
        // The gesture ends here and its release will raise nothing, so a drag that moved something
        // is reported now, as its release would have done.
        Picture_Curve->setMousePointer(MousePointer::Default);
        if (DragIndex >= 0 && DragIndex < SlotCount && pointMoved(*this)) {
            DropArgument = DragIndex;
            Q_EMIT q->DroppedValue(DropArgument);
        }
        if (CurveMoving != 0 && curveMoved(*this)) {
            DropArgument = -1;
            Q_EMIT q->DroppedValue(DropArgument);
        }
        DragIndex = -1;
        CurveMoving = 0;
        return;
    }
    if (DragIndex >= 0 && DragIndex < SlotCount)
        dragPoint(*this, mouseX, mouseY);
    if (CurveMoving != 0 && AllowCompleteCurveMove == -1 && LockY_Axis == 0)
        moveCurve(*this, y);
}

void CurvePrivate::mouseRelease(int, int, float, float)
{
    Picture_Curve->setMousePointer(MousePointer::Default);
    // The host's handler runs, and may read every property, before the gesture state is cleared.
    if (DragIndex >= 0) {
        DropArgument = DragIndex;
        Q_EMIT q->DroppedValue(DropArgument);
        DragIndex = -1;
    }
    if (CurveMoving != 0) {
        DropArgument = -1;
        Q_EMIT q->DroppedValue(DropArgument);
        CurveMoving = 0;
    }
}

} // namespace knotel
