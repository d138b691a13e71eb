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
bool dropped(CurveEngine& c, int index)
{
    const int current = c.currentPoint();
    if (c.settings.ViewTracker && current >= 0)
        c.showTracker(c.points.pointX(current), c.points.pointY(current));
    return c.announceDrop(index);
}

/** Moves point @p slot by the drag rules; raises DroppedValue when a coordinate changed. */
void keyMovePoint(CurveEngine& c, int slot, std::optional<float> x, std::optional<float> y)
{
    const PointPosition from = c.points.position(slot);
    const PointPosition to = draggedPoint(c.points, c.settings, slot, x, y);
    CurvePainter painter = c.painter();
    placePoint(c.points, slot, to, painter);
    c.updateFocusMarker();
    if (to.same(from))
        return;
    c.recordPointMove(slot, from, to, EditSource::Keys);
    (void)dropped(c, slot); // the last act: the host's handler may delete the control
}

/**
 * Moves the whole curve by @p pixels rows (negative: up) as a grab of the line and one mouse
 * move would, where the mouse could: the line shown, the curve move on and Y not locked.
 */
void moveWholeCurve(CurveEngine& c, float pixels)
{
    if (!c.lineShown() || !c.settings.curveMayMove())
        return;
    c.points.beginCurveMove();
    const std::optional<CurveShift> shift = shiftedCurve(c.points, c.settings, c.layout, 0, pixels);
    if (!shift)
        return;
    CurvePainter painter = c.painter();
    placeCurve(c.points, shift->ys, painter);
    c.updateFocusMarker();
    if (!c.points.curveMoved())
        return;
    c.recordCurveMove(EditSource::Keys);
    (void)dropped(c, -1); // the last act, as above
}

/** The key with its modifiers, for the standard key sequences. */
QKeySequence sequenceOf(int key, int shift)
{
    Qt::KeyboardModifiers modifiers;
    if (shift & ShiftKey)
        modifiers |= Qt::ShiftModifier;
    if (shift & CtrlKey)
        modifiers |= Qt::ControlModifier;
    if (shift & AltKey)
        modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, Qt::Key(key)));
}

bool isStandard(const QKeySequence& pressed, QKeySequence::StandardKey standard)
{
    return QKeySequence::keyBindings(standard).contains(pressed);
}

} // namespace

bool CurveEngine::wantsKey(int key, int shift) const
{
    // Undo and redo on the focused surface go to its history, not to a shortcut of the window.
    const QKeySequence pressed = sequenceOf(key, shift);
    return undoEnabled &&
           (isStandard(pressed, QKeySequence::Undo) || isStandard(pressed, QKeySequence::Redo));
}

bool CurveEngine::keyPress(int key, int shift)
{
    if (wantsKey(key, shift)) {
        setFocusVisible(true);
        if (gesture.active())
            return true;
        // The stack's undo raises DroppedValue, whose handler may delete the control.
        const bool undo = isStandard(sequenceOf(key, shift), QKeySequence::Undo);
        undo ? undoStack->undo() : undoStack->redo();
        return true;
    }
    if (valueEntryEnabled && shift == 0 &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2)) {
        setFocusVisible(true);
        if (currentPoint() >= 0 && !gesture.active())
            m_client.valueEntryRequested(currentPoint(), true);
        return true;
    }
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
    setFocusVisible(true);
    // While the mouse holds a point or the line, the keys wait for it to let go.
    if (current < 0 || gesture.active())
        return true;

    switch (act) {
    case Act::Choose:
        if (target >= 0 && target < count && target != current) {
            setCurrentPoint(target);
            if (settings.ViewTracker)
                showTracker(points.pointX(target), points.pointY(target));
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
