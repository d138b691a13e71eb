// Keyboard editing: choosing the current point and moving it, or the whole curve, by keys.
//
// A key move is a whole gesture in one: the point is grabbed, moved once by the drag rules that
// the mouse uses and dropped, so every lock, crossover and clamping rule holds exactly as for a
// drag, and DroppedValue follows once per key press that changed something.
#include "CurvePrivate.h"

#include "CurveAccessible.h"
#include "EditRules.h"
#include "NumberConversion.h"
#include "platform/DrawingSurface.h"

#include <knotel/Curve.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace knotel {

namespace {

constexpr int ShiftKey = 1;
constexpr int CtrlKey = 2;
constexpr int AltKey = 4;

/** @p value moved by @p delta in double precision, or nothing when that is not a finite single. */
std::optional<float> movedBy(float value, double delta)
{
    return toSingleOrNothing(double(value) + delta);
}

/** After a key move that changed something: the tracker, then DroppedValue as a drop raises it.
 *  False when the host's handler deleted the control. */
bool dropped(CurvePrivate& c, int index)
{
    const int current = c.currentPoint();
    if (c.settings.ViewTracker && current >= 0)
        c.showTracker(c.points.pointX(current), c.points.pointY(current));
    return c.announceDrop(index);
}

/** Moves point @p slot by the drag rules; raises DroppedValue when a coordinate changed. */
void keyMovePoint(CurvePrivate& c, int slot, std::optional<float> x, std::optional<float> y)
{
    const float oldX = c.points.pointX(slot);
    const float oldY = c.points.pointY(slot);
    CurvePainter painter = c.painter();
    dragPoint(c.points, c.settings, slot, x, y, painter);
    c.surface->updateFocusMarker();
    // The drop is the last act: the host's handler may delete the control.
    if (!sameSingle(c.points.pointX(slot), oldX) || !sameSingle(c.points.pointY(slot), oldY))
        (void)dropped(c, slot);
}

/**
 * Moves the whole curve by @p pixels rows (negative: up) as a grab of the line and one mouse
 * move would, where the mouse could: the line shown, the curve move on and Y not locked.
 */
void moveWholeCurve(CurvePrivate& c, float pixels)
{
    const int count = c.points.slotsInUse();
    if (count < 2 || c.settings.HideLine || !c.settings.curveMayMove())
        return;
    c.points.beginCurveMove();
    DragGesture keyGesture;
    keyGesture.curveMoving = true;
    keyGesture.startMouseY = 0;
    CurvePainter painter = c.painter();
    moveCurve(c.points, c.settings, c.layout, keyGesture, pixels, painter);
    c.surface->updateFocusMarker();
    if (c.points.curveMoved())
        (void)dropped(c, -1); // the last act, as above
}

} // namespace

void CurvePrivate::connectKeyboard()
{
    surface->setFocusMarkerSource([this] { return currentPointPixel(); });
    QObject::connect(surface, &platform::DrawingSurface::keyPressed, q,
                     [this](int key, int shift, bool& used) { used = keyPress(key, shift); });
    // Connected after the mouse handlers: a point grabbed by the mouse becomes the current one.
    QObject::connect(surface, &platform::DrawingSurface::mousePressed, q, [this] {
        if (gesture.point && *gesture.point < points.slotsInUse() && *gesture.point != currentPoint()) {
            keyPoint = *gesture.point;
            surface->updateFocusMarker();
            accessibility::currentPointChanged(*this, keyPoint);
        }
    });
}

int CurvePrivate::currentPoint() const
{
    const int count = points.slotsInUse();
    return count > 0 ? std::clamp(keyPoint, 0, count - 1) : -1;
}

std::optional<QPointF> CurvePrivate::currentPointPixel() const
{
    const int i = currentPoint();
    if (i < 0)
        return std::nullopt;
    const PlotMapping map = mapping();
    const double x = map.pixelX(points.pointX(i));
    const double y = map.pixelY(points.pointY(i));
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    return QPointF(x, y);
}

bool CurvePrivate::keyPress(int key, int shift)
{
    const bool withShift = (shift & ShiftKey) != 0;
    const bool withCtrl = (shift & CtrlKey) != 0;
    if ((shift & AltKey) != 0)
        return false;
    // One pixel's worth of each axis; a zero or non-finite scale gives no finite candidate.
    const double pixelX = 1.0 / double(layout.ScaleX);
    const double pixelY = 1.0 / double(layout.ScaleY);
    // Page Up moves up on the screen, like Up, whichever way the Y axis runs.
    const double pageY = std::fabs(double(settings.Y_Step)) * (layout.ScaleY < 0 ? -1.0 : 1.0);

    enum class Act { Choose, MoveX, MoveY, MoveCurve } act = Act::Choose;
    double amount = 0;
    int target = 0;
    const int count = points.slotsInUse();
    const int current = currentPoint();
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (withCtrl)
            return false;
        act = withShift ? Act::MoveX : Act::Choose;
        amount = key == Qt::Key_Right ? pixelX : -pixelX;
        target = current + (key == Qt::Key_Right ? 1 : -1);
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (withCtrl || withShift)
            return false;
        act = Act::Choose;
        target = key == Qt::Key_Home ? 0 : count - 1;
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (withShift)
            return false;
        act = withCtrl ? Act::MoveCurve : Act::MoveY;
        amount = key == Qt::Key_Up ? (withCtrl ? -1.0 : pixelY) : (withCtrl ? 1.0 : -pixelY);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (withCtrl || withShift)
            return false;
        act = Act::MoveY;
        amount = key == Qt::Key_PageUp ? pageY : -pageY;
        break;
    default:
        return false;
    }

    // A key of the control: from now on the focus marker shows where the keys act.
    surface->setFocusVisible(true);
    // While the mouse holds a point or the line, the keys wait for it to let go.
    if (current < 0 || gesture.active())
        return true;

    switch (act) {
    case Act::Choose:
        if (target >= 0 && target < count && target != current) {
            keyPoint = target;
            surface->updateFocusMarker();
            if (settings.ViewTracker)
                showTracker(points.pointX(target), points.pointY(target));
            accessibility::currentPointChanged(*this, target);
        }
        break;
    case Act::MoveX:
        keyMovePoint(*this, current, movedBy(points.pointX(current), amount), std::nullopt);
        break;
    case Act::MoveY:
        keyMovePoint(*this, current, std::nullopt, movedBy(points.pointY(current), amount));
        break;
    case Act::MoveCurve:
        moveWholeCurve(*this, float(amount));
        break;
    }
    return true;
}

} // namespace knotel
