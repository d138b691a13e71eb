// Mouse editing: grabbing a point or the line, dragging it under the host's rules, the tracker
// read-out and DroppedValue on release.
#include "engine/CurveEngine.h"

#include "engine/EditRules.h"
#include "engine/HitTest.h"
#include "numbers/NumberConversion.h"
#include "platform/Canvas.h"

#include <cmath>

namespace knotel {

namespace {

using platform::MousePointer;

/** The button code of the left button alone. */
constexpr int LeftButton = 1;

/** True when the grabbed point lies elsewhere than at the press. */
bool pointMoved(const PointTable& points, const DragGesture& gesture)
{
    return !points.position(*gesture.point).same(gesture.pointStart);
}

} // namespace

void CurveEngine::mousePress(int button, int, float x, float y)
{
    // A mouse user sees no focus marker.
    setFocusVisible(false);
    if (button != LeftButton)
        return;
    const PlotMapping map = mapping();
    const int picked = pickPoint(map, points.xs(), points.ys(), x, y);
    if (picked >= 0) {
        gesture.point = picked;
        gesture.pointStart = points.position(picked);
    } else {
        gesture.point.reset();
        if (lineShown() && pickSegment(map, points.xs(), points.ys(), x, y) >= 0) {
            points.beginCurveMove();
            gesture.startMouseY = y;
            gesture.curveMoving = true;
        }
    }
    m_client.setMousePointer(gesture.active() ? MousePointer::Crosshair : MousePointer::Default);
    // A point grabbed by the mouse becomes the keys' current point.
    if (gesture.point)
        setCurrentPoint(*gesture.point);
}

void CurveEngine::mouseMove(int button, int, float x, float y)
{
    const PlotMapping map = mapping();
    // The mouse's own axis values; outside the plot the read-out shows 0 instead, but a drag
    // still takes these, so that the clamping stops the point at the axis end.
    const std::optional<float> mouseX = toSingleOrNothing(map.valueX(x));
    const std::optional<float> mouseY = toSingleOrNothing(map.valueY(y));
    const bool insideX =
        double(layout.PlotLeft) < double(x) && double(x) < double(layout.PlotLeft) + double(layout.PlotWidth);
    const bool insideY =
        double(layout.PlotTop) < double(y) && double(y) < double(layout.PlotTop) + double(layout.PlotHeight);

    if (settings.ViewTracker)
        showTracker(insideX ? mouseX.value_or(0.0f) : 0.0f, insideY ? mouseY.value_or(0.0f) : 0.0f);

    if (button != LeftButton) {
        // The gesture ends here and its release will raise nothing, so a drag that moved something
        // is reported now, as its release would have done.
        m_client.setMousePointer(MousePointer::Default);
        if (gesture.point && pointMoved(points, gesture)) {
            recordDraggedPoint();
            if (!announceDrop(*gesture.point))
                return;
        }
        if (gesture.curveMoving && points.curveMoved()) {
            recordCurveMove(EditSource::Mouse);
            if (!announceDrop(-1))
                return;
        }
        gesture.clear();
        return;
    }
    CurvePainter curvePainter = painter();
    if (gesture.point) {
        const int slot = *gesture.point;
        placePoint(points, slot, draggedPoint(points, settings, slot, mouseX, mouseY), curvePainter);
    }
    if (gesture.curveMoving && settings.curveMayMove()) {
        if (const auto shift = shiftedCurve(points, settings, layout, gesture.startMouseY, y)) {
            gesture.moveMouseY = shift->mouseY;
            placeCurve(points, shift->ys, curvePainter);
        }
    }
    // The focus marker is wider than a point's figure: it follows the current point itself.
    if (gesture.active() && focusMarkerShown())
        updateFocusMarker();
}

void CurveEngine::mouseRelease(int, int, float, float)
{
    m_client.setMousePointer(MousePointer::Default);
    // The host's handler runs, and may read every property, before the gesture state is cleared;
    // it may also delete the control.
    if (gesture.point) {
        recordDraggedPoint();
        if (!announceDrop(*gesture.point))
            return;
        gesture.point.reset();
    }
    if (gesture.curveMoving) {
        recordCurveMove(EditSource::Mouse);
        if (!announceDrop(-1))
            return;
        gesture.curveMoving = false;
    }
}

void CurveEngine::recordDraggedPoint()
{
    const int slot = *gesture.point;
    if (slot < points.slotsInUse())
        recordPointMove(slot, gesture.pointStart, points.position(slot), EditSource::Mouse);
}

bool CurveEngine::mouseDoubleClick(int button, float x, float y)
{
    setFocusVisible(false);
    // A double-click on a point opens the value editor; elsewhere it is a press, as Qt delivers it.
    if (!valueEntryEnabled || button != LeftButton || gesture.active())
        return false;
    const int picked = pickPoint(mapping(), points.xs(), points.ys(), x, y);
    if (picked < 0)
        return false;
    m_client.valueEntryRequested(picked, false);
    return true;
}

} // namespace knotel
