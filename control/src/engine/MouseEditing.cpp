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

/** True when the grabbed point lies elsewhere than at the press. */
bool pointMoved(const PointTable& points, const DragGesture& gesture)
{
    return !points.position(*gesture.point).same(gesture.pointStart);
}

} // namespace

void CurveEngine::mousePress(Qt::MouseButton button, float x, float y)
{
    // A mouse user sees no focus marker.
    setFocusVisible(false);
    endTransientLabels();
    if (button != Qt::LeftButton)
        return;
    const PlotMapping map = mapping();
    const int picked = pickPoint(map, m_points.xs(), m_points.ys(), x, y);
    if (picked >= 0) {
        m_gesture.point = picked;
        m_gesture.pointStart = m_points.position(picked);
    } else {
        m_gesture.point.reset();
        if (lineShown() && pickSegment(map, m_points.xs(), m_points.ys(), x, y) >= 0) {
            m_points.beginCurveMove();
            m_gesture.startMouseY = y;
            m_gesture.curveMoving = true;
        }
    }
    setMousePointer(m_gesture.active() ? MousePointer::Crosshair : MousePointer::Default);
    // A point grabbed by the mouse becomes the keys' current point.
    if (m_gesture.point)
        setCurrentPoint(*m_gesture.point);
    (void)report();
}

void CurveEngine::mouseMove(Qt::MouseButtons buttons, float x, float y)
{
    const PlotMapping map = mapping();
    // The mouse's own axis values; outside the plot the read-out shows 0 instead, but a drag
    // still takes these, so that the clamping stops the point at the axis end.
    const std::optional<float> mouseX = toSingleOrNothing(map.valueX(x));
    const std::optional<float> mouseY = toSingleOrNothing(map.valueY(y));
    const bool insideX = double(m_layout.PlotLeft) < double(x) &&
                         double(x) < double(m_layout.PlotLeft) + double(m_layout.PlotWidth);
    const bool insideY = double(m_layout.PlotTop) < double(y) &&
                         double(y) < double(m_layout.PlotTop) + double(m_layout.PlotHeight);

    if (m_settings.ViewTracker)
        showTracker(insideX ? mouseX.value_or(0.0f) : 0.0f, insideY ? mouseY.value_or(0.0f) : 0.0f);

    if (buttons != Qt::LeftButton) {
        // The gesture ends here and its release will raise nothing, so a drag that moved something
        // is reported now, as its release would have done.
        setMousePointer(MousePointer::Default);
        if (m_gesture.point && pointMoved(m_points, m_gesture)) {
            recordDraggedPoint();
            if (!announceDrop(*m_gesture.point))
                return;
        }
        if (m_gesture.curveMoving && m_points.curveMoved()) {
            recordCurveMove(EditSource::Mouse);
            if (!announceDrop(-1))
                return;
        }
        m_gesture.clear();
        (void)report(); // the read-out and the pointer
        return;
    }
    CurvePainter curvePainter = painter();
    if (m_gesture.point) {
        const int slot = *m_gesture.point;
        placePoint(m_points, slot, draggedPoint(m_points, m_settings, slot, mouseX, mouseY), curvePainter);
        pointsMayHaveChanged();
    }
    if (m_gesture.curveMoving && m_settings.curveMayMove()) {
        if (const auto shift = shiftedCurve(m_points, m_settings, m_layout, m_gesture.startMouseY, y)) {
            placeCurve(m_points, shift->ys, curvePainter);
            pointsMayHaveChanged();
        }
    }
    // The focus marker is wider than a point's figure: it follows the current point itself.
    if (m_gesture.active() && focusMarkerShown())
        updateFocusMarker();
    (void)report();
}

void CurveEngine::mouseRelease()
{
    setMousePointer(MousePointer::Default);
    // The host's handler runs, and may read every property, before the gesture state is cleared;
    // it may also delete the control.
    if (m_gesture.point) {
        recordDraggedPoint();
        if (!announceDrop(*m_gesture.point))
            return;
        m_gesture.point.reset();
    }
    if (m_gesture.curveMoving) {
        recordCurveMove(EditSource::Mouse);
        if (!announceDrop(-1))
            return;
        m_gesture.curveMoving = false;
    }
    (void)report(); // the pointer
}

void CurveEngine::recordDraggedPoint()
{
    const int slot = *m_gesture.point;
    if (slot < m_points.slotsInUse())
        recordPointMove(slot, m_gesture.pointStart, m_points.position(slot), EditSource::Mouse);
}

bool CurveEngine::mouseDoubleClick(Qt::MouseButton button, float x, float y)
{
    setFocusVisible(false);
    // A double-click on a point asks for typed values; elsewhere it is a press, as Qt delivers it.
    if (!m_valueEntryEnabled || button != Qt::LeftButton)
        return false;
    const int picked = pickPoint(mapping(), m_points.xs(), m_points.ys(), x, y);
    if (picked < 0)
        return false;
    if (m_gesture.active()) {
        // Qt Quick delivers the second press before the double-click: it grabbed this point and has
        // moved nothing yet, so it ends here without a drop.
        if (m_gesture.point != picked || pointMoved(m_points, m_gesture))
            return false;
        m_gesture.clear();
        setMousePointer(MousePointer::Default);
    }
    if (report())
        m_client.valueEntryRequested(picked, false); // the last act: the host may delete the control
    return true;
}

} // namespace knotel
