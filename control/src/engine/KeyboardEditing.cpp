// Keyboard editing: choosing the current point and moving it, or the whole curve, by keys.
//
// A key move is a whole gesture in one: the point is grabbed, moved once by the drag rules that
// the mouse uses and dropped, so every lock, crossover and clamping rule holds exactly as for a
// drag, and DroppedValue follows once per key press that changed something.
#include "engine/CurveEngine.h"

#include "engine/EditRules.h"
#include "numbers/NumberConversion.h"
#include "platform/Canvas.h"

#include <QKeySequence>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <optional>

namespace knotel {

namespace {

/** @p value moved by @p delta in double precision, or nothing when that is not a finite single. */
std::optional<float> movedBy(float value, double delta)
{
    return toSingleOrNothing(double(value) + delta);
}

/**
 * Where a key takes @p value by @p delta. On a grid of @p step, an arrow key goes to the next
 * multiple that way, and a page key to the multiple nearest value + delta, or the next one when
 * that is no farther.
 */
std::optional<float> keyTarget(float value, double delta, double step, bool arrow)
{
    if (!(step > 0) || !std::isfinite(delta) || delta == 0)
        return movedBy(value, delta);
    const int way = delta > 0 ? 1 : -1;
    if (!arrow) {
        const std::optional<float> nearest = snapped(movedBy(value, delta), step);
        if (nearest && (way > 0 ? *nearest > value : *nearest < value))
            return nearest;
    }
    if (const std::optional<float> next = nextOnGrid(value, way, step))
        return next;
    return movedBy(value, delta);
}

bool isStandard(int key, Qt::KeyboardModifiers modifiers, QKeySequence::StandardKey standard)
{
    const QKeySequence pressed(QKeyCombination(modifiers, Qt::Key(key)));
    return QKeySequence::keyBindings(standard).contains(pressed);
}

} // namespace

void CurveEngine::keyMovePoint(int slot, std::optional<float> x, std::optional<float> y)
{
    // The value label shows until the key is let go.
    m_keyLabel = m_dragValueVisible;
    const PointPosition from = m_points.position(slot);
    const PointPosition to = draggedPoint(m_points, m_settings, slot, x, y);
    CurvePainter curvePainter = painter();
    placePoint(m_points, slot, to, curvePainter);
    updateFocusMarker();
    if (to.same(from)) {
        (void)report();
        return;
    }
    pointsMayHaveChanged();
    recordPointMove(slot, from, to, EditSource::Keys);
    if (m_settings.ViewTracker)
        showTracker(to.x, to.y);
    (void)announceDrop(slot); // the last act: the host's handler may delete the control
}

void CurveEngine::keyMoveCurve(float pixels)
{
    // Where the mouse could: the line shown, the curve move on and Y not locked; by @p pixels rows
    // (negative: up) as a grab of the line and one mouse move would.
    if (!lineShown() || !m_settings.curveMayMove())
        return (void)report();
    m_points.beginCurveMove();
    const std::optional<CurveShift> shift = shiftedCurve(m_points, m_settings, m_layout, 0, pixels);
    if (!shift)
        return (void)report();
    CurvePainter curvePainter = painter();
    placeCurve(m_points, shift->ys, curvePainter);
    updateFocusMarker();
    if (!m_points.curveMoved())
        return (void)report();
    pointsMayHaveChanged();
    recordCurveMove(EditSource::Keys);
    const int current = currentPoint();
    if (m_settings.ViewTracker && current >= 0)
        showTracker(m_points.pointX(current), m_points.pointY(current));
    (void)announceDrop(-1); // the last act, as above
}

bool CurveEngine::wantsKey(int key, Qt::KeyboardModifiers modifiers) const
{
    // Escape during a drag is the control's, before any shortcut of the window: it cancels the drag.
    if (key == Qt::Key_Escape)
        return dragging();
    // Undo and redo on the focused surface go to its history, not to a shortcut of the window.
    modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    return m_undoEnabled &&
           (isStandard(key, modifiers, QKeySequence::Undo) || isStandard(key, modifiers, QKeySequence::Redo));
}

bool CurveEngine::keyPress(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Escape) {
        if (!dragging())
            return false;
        (void)cancelGesture(); // the last act: a change notice's handler may delete the control
        return true;
    }
    // Shift, Ctrl and Alt count; the keypad's flag and Meta do not.
    modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    // A key ends the label of the last key move and a refusal's notice.
    endTransientLabels();
    if (wantsKey(key, modifiers)) {
        setFocusVisible(true);
        // The undo's drop, once the stack has settled, is the last act.
        isStandard(key, modifiers, QKeySequence::Undo) ? undo() : redo();
        return true;
    }
    if (m_valueEntryEnabled && modifiers == Qt::NoModifier &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2)) {
        setFocusVisible(true);
        if (currentPoint() >= 0 && !dragging() && report())
            m_client.valueEntryRequested(currentPoint(), true); // the last act
        return true;
    }
    // Insert, Delete, copy and paste (point editing): the last act when they are.
    if (pointEditKey(key, modifiers))
        return true;
    const bool withShift = modifiers.testFlag(Qt::ShiftModifier);
    const bool withCtrl = modifiers.testFlag(Qt::ControlModifier);
    if (modifiers.testFlag(Qt::AltModifier))
        return false;
    // One pixel's worth of each axis; a zero or non-finite scale gives no finite candidate.
    const double pixelX = 1.0 / double(m_layout.ScaleX);
    const double pixelY = 1.0 / double(m_layout.ScaleY);
    // Page Up moves up on the screen, like Up, whichever way the Y axis runs.
    const double pageY = std::fabs(double(m_settings.Y_Step)) * (m_layout.ScaleY < 0 ? -1.0 : 1.0);

    enum class Act { Choose, MoveX, MoveY, MoveCurve } act = Act::Choose;
    double amount = 0;
    bool page = false; ///< Page Up or Page Down, not an arrow: the grids go to the nearest multiple
    int target = 0;
    const int count = m_points.slotsInUse();
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
        page = true;
        break;
    default:
        return false;
    }

    // A key of the control: from now on the focus marker shows where the keys act.
    setFocusVisible(true);
    // While the mouse holds a point or the line, the keys wait for it to let go.
    if (current < 0 || dragging()) {
        (void)report();
        return true;
    }

    switch (act) {
    case Act::Choose:
        if (target >= 0 && target < count && target != current) {
            setCurrentPoint(target);
            if (m_settings.ViewTracker)
                showTracker(m_points.pointX(target), m_points.pointY(target));
        }
        (void)report();
        break;
    case Act::MoveX:
        keyMovePoint(current, keyTarget(m_points.pointX(current), amount, m_settings.snapX, !page),
                     std::nullopt);
        break;
    case Act::MoveY:
        keyMovePoint(current, std::nullopt,
                     keyTarget(m_points.pointY(current), amount, m_settings.snapY, !page));
        break;
    case Act::MoveCurve:
        // On a Y grid by one multiple of it, in pixels: shiftedCurve() makes the offset that multiple.
        keyMoveCurve(m_settings.snapY > 0
                         ? toSingleOrInfinity(amount * m_settings.snapY * std::fabs(double(m_layout.ScaleY)))
                         : float(amount));
        break;
    }
    return true;
}

} // namespace knotel
