// Mouse editing: grabbing a point or the line, dragging it under the host's rules, the tracker
// read-out and DroppedValue on release. A finger edits through the same handlers with a pick of
// its own; a cancelled drag puts everything back and raises nothing.
#include "engine/CurveEngine.h"

#include "engine/EditRules.h"
#include "engine/HitTest.h"
#include "numbers/NumberConversion.h"
#include "platform/Canvas.h"

#include <cmath>
#include <utility>

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
    grab(x, y, false);
}

void CurveEngine::grab(float x, float y, bool byFinger)
{
    // A touch user sees no focus marker either; a drag cancelled before is over, whatever became of
    // its release.
    setFocusVisible(false);
    m_gesture.cancelled = false;
    // The mouse picks the first point within 4 pixels per axis; a finger, wider and less exact,
    // the nearest within its reach, and the line within the same reach.
    const PlotMapping map = mapping();
    const double reach = byFinger ? touchReach() : PickDistance;
    const int picked = byFinger ? pickNearestPoint(map, m_points.xs(), m_points.ys(), x, y, reach)
                                : pickPoint(map, m_points.xs(), m_points.ys(), x, y);
    if (picked >= 0) {
        m_gesture.point = picked;
        m_gesture.pointStart = m_points.position(picked);
    } else {
        m_gesture.point.reset();
        if (lineShown() && pickSegment(map, m_points.xs(), m_points.ys(), x, y, reach) >= 0) {
            m_points.beginCurveMove();
            m_gesture.startMouseY = y;
            m_gesture.curveMoving = true;
        }
    }
    setMousePointer(m_gesture.active() ? MousePointer::Crosshair : MousePointer::Default);
    // A point grabbed by the mouse or a finger becomes the keys' current point.
    if (m_gesture.point)
        setCurrentPoint(*m_gesture.point);
    (void)report();
}

double CurveEngine::touchReach() const
{
    const QSize logical = m_client.canvasDpi();
    return touchPickDistance(m_client.physicalDpi(), (logical.width() + logical.height()) / 2.0);
}

void CurveEngine::mouseMove(Qt::MouseButtons buttons, float x, float y)
{
    // The moves of a cancelled drag do nothing; a move without the left button alone ends it.
    if (m_gesture.cancelled) {
        if (buttons == Qt::LeftButton)
            return;
        m_gesture.cancelled = false;
    }
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
    if (std::exchange(m_gesture.cancelled, false))
        return; // the pointer was reset when the drag was cancelled
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

bool CurveEngine::cancelGesture(Holder holder)
{
    const bool byMouse = !m_gesture.finger;
    if (holder == (byMouse ? Holder::Finger : Holder::Mouse))
        return true;
    // A finger's drag is the finger's sequence: its later moves and lift find no finger and do
    // nothing. The mouse's button is still down, or its release is lost: see m_gesture.cancelled.
    m_gesture.finger.reset();
    if (!m_gesture.active())
        return true;
    // Back where the press found them, through the routines of every edit, so that the XOR
    // picture stays exact.
    CurvePainter curvePainter = painter();
    if (m_gesture.point && *m_gesture.point < m_points.slotsInUse())
        placePoint(m_points, *m_gesture.point, m_gesture.pointStart, curvePainter);
    if (m_gesture.curveMoving)
        placeCurve(m_points, m_points.moveStartYs(), curvePainter);
    pointsMayHaveChanged();
    m_gesture.clear();
    m_gesture.cancelled = byMouse;
    setMousePointer(MousePointer::Default);
    if (focusMarkerShown())
        updateFocusMarker();
    return report();
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
