// Point editing beside the late-bound face: the person inserts and deletes points, copies them as
// text and pastes text over them. Each edit is one undo step and one drop (-1), as a whole-curve
// move is: several slots changed. The slots after an insert or a delete move with their references
// and flags, so Changed keeps meaning "moved since the host loaded or accepted it"; a new point has
// no reference and reads as changed.
#include "engine/CurveEngine.h"

#include "engine/EditRules.h"
#include "engine/HitTest.h"
#include "engine/PointText.h"
#include "platform/Canvas.h"

#include <knotel/RuntimeError.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace knotel {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("knotel::Curve", text);
}

bool isStandard(int key, Qt::KeyboardModifiers modifiers, QKeySequence::StandardKey standard)
{
    return QKeySequence::keyBindings(standard).contains(
        QKeySequence(QKeyCombination(modifiers, Qt::Key(key))));
}

QClipboard* clipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                        : nullptr;
}

/** Throws 5 for a grid step that is negative or not finite. */
void checkStep(double step, const char* member)
{
    if (!(step >= 0) || !std::isfinite(step))
        throw RuntimeError(
            RuntimeError::InvalidArgument,
            QStringLiteral("%1 %2 is neither 0 nor a positive step").arg(QLatin1String(member)).arg(step));
}

/** A point the person added: both coordinates given and no reference, so it reads as changed. */
PointSlot newPoint(float x, float y)
{
    constexpr float none = std::numeric_limits<float>::quiet_NaN();
    return {x, y, none, none, true, true};
}

float midway(float a, float b)
{
    return float((double(a) + double(b)) / 2);
}

bool sameBits(const PointSlot& a, const PointSlot& b)
{
    const auto same = [](float u, float v) { return std::memcmp(&u, &v, sizeof u) == 0; };
    return same(a.x, b.x) && same(a.y, b.y) && same(a.savedX, b.savedX) && same(a.savedY, b.savedY) &&
           a.xGiven == b.xGiven && a.yGiven == b.yGiven;
}

/** Why pasting @p pasted over @p points breaks the host's rules; empty when it does not. */
QString pasteRefusal(const PointTable& points, const CurveSettings& s, const PastedPoints& pasted)
{
    const QList<PointPosition>& p = pasted.points;
    const int n = int(p.size());
    const auto within = [](float v, float from, float to) {
        return v >= std::min(from, to) && v <= std::max(from, to);
    };
    for (int i = 0; i < n; ++i) {
        if (!within(p[i].x, s.X_Axis_Left, s.X_Axis_Right))
            return tr("Not pasted: the X of line %1 lies outside the X axis.").arg(pasted.lines[i]);
        if (!within(p[i].y, s.Y_Axis_Bottom, s.Y_Axis_Top))
            return tr("Not pasted: the Y of line %1 lies outside the Y axis.").arg(pasted.lines[i]);
    }

    // A locked coordinate stays: all of an axis, or the first and the last point's.
    const int count = points.slotsInUse();
    const auto sameAxis = [&](float PointPosition::*c, float (PointTable::*current)(int) const) {
        for (int i = 0; n == count && i < n; ++i) {
            if (!sameSingle(p[i].*c, (points.*current)(i)))
                return false;
        }
        return n == count;
    };
    if (s.LockX_Axis != 0 && !sameAxis(&PointPosition::x, &PointTable::pointX))
        return tr("Not pasted: the X values are locked.");
    if (s.LockY_Axis != 0 && !sameAxis(&PointPosition::y, &PointTable::pointY))
        return tr("Not pasted: the Y values are locked.");
    if (count > 0 && s.LockXEndPoints != 0) {
        if (!sameSingle(p.first().x, points.pointX(0)))
            return tr("Not pasted: the first point's X is locked.");
        if (!sameSingle(p.last().x, points.pointX(count - 1)))
            return tr("Not pasted: the last point's X is locked.");
    }
    if (count > 0 && s.LockYEndPoints != 0) {
        if (!sameSingle(p.first().y, points.pointY(0)))
            return tr("Not pasted: the first point's Y is locked.");
        if (!sameSingle(p.last().y, points.pointY(count - 1)))
            return tr("Not pasted: the last point's Y is locked.");
    }

    // Without crossover a point cannot pass its neighbours: the values run one way, or stay.
    const auto turnsAt = [&](float PointPosition::*c) {
        int way = 0;
        for (int i = 1; i < n; ++i) {
            const int step = (p[i].*c > p[i - 1].*c) - (p[i].*c < p[i - 1].*c);
            if (step != 0 && way != 0 && step != way)
                return i;
            way = step != 0 ? step : way;
        }
        return -1;
    };
    if (const int i = s.AllowXCrossover == 0 ? turnsAt(&PointPosition::x) : -1; i >= 0)
        return tr("Not pasted: at line %1 the X values turn back, and X crossover is off.")
            .arg(pasted.lines[i]);
    if (const int i = s.AllowYCrossover == 0 ? turnsAt(&PointPosition::y) : -1; i >= 0)
        return tr("Not pasted: at line %1 the Y values turn back, and Y crossover is off.")
            .arg(pasted.lines[i]);
    return {};
}

} // namespace

void CurveEngine::setPointEditingEnabled(bool enabled)
{
    if (enabled != m_pointEditingEnabled) {
        m_pointEditingEnabled = enabled;
        changed(Change::PointEditingEnabled);
    }
    (void)report();
}

void CurveEngine::setSnapX(double step)
{
    setGrid(m_settings.snapX, step, "snapX", Change::SnapX);
}

void CurveEngine::setSnapY(double step)
{
    setGrid(m_settings.snapY, step, "snapY", Change::SnapY);
}

void CurveEngine::setGrid(double& grid, double step, const char* member, Change change)
{
    checkStep(step, member);
    if (step != grid) {
        grid = step;
        changed(change);
    }
    (void)report();
}

void CurveEngine::setDragValueVisible(bool visible)
{
    if (visible != m_dragValueVisible) {
        m_dragValueVisible = visible;
        changed(Change::DragValueVisible);
    }
    (void)report(); // the label goes or comes
}

bool CurveEngine::mayInsertPoint() const
{
    // With Dimensions above 64 the table is full already.
    const int count = m_points.slotsInUse();
    return m_pointEditingEnabled && !dragging() && m_settings.LockX_Axis == 0 && count >= 2 &&
           count < SlotCount;
}

bool CurveEngine::mayDeletePoint(int slot) const
{
    const int count = m_points.slotsInUse();
    if (!m_pointEditingEnabled || dragging() || m_settings.LockX_Axis != 0 ||
        m_points.dimensions() > SlotCount || count <= 2 || slot < 0 || slot >= count)
        return false;
    // The next point would take a locked end point's place.
    const bool endPoint = slot == 0 || slot == count - 1;
    return !endPoint || (m_settings.LockXEndPoints == 0 && m_settings.LockYEndPoints == 0);
}

bool CurveEngine::insertPoint()
{
    if (!mayInsertPoint())
        return false;
    const int count = m_points.slotsInUse();
    const int current = currentPoint();
    // After the last point the new one goes before it.
    const int at = current < count - 1 ? current + 1 : current;
    const PointPosition a = m_points.position(at - 1);
    const PointPosition b = m_points.position(at);
    PointTable next = m_points;
    next.insertSlot(at, newPoint(midway(a.x, b.x), midway(a.y, b.y)));
    editSlots(next, at, count, tr("Insert point %1").arg(at));
    setCurrentPoint(at);
    (void)announceDrop(-1); // the last act: the host's handler may delete the control
    return true;
}

bool CurveEngine::insertPointAt(float x, float y, bool grab)
{
    if (!mayInsertPoint() || !lineShown())
        return false;
    const PlotMapping map = mapping();
    if (pickPoint(map, m_points.xs(), m_points.ys(), x, y) >= 0)
        return false;
    const int j = pickSegment(map, m_points.xs(), m_points.ys(), x, y);
    if (j < 0)
        return false;
    // On the segment at the mouse's X, so that the curve keeps its shape.
    const PointPosition a = m_points.position(j);
    const PointPosition b = m_points.position(j + 1);
    const double along = std::clamp((map.valueX(x) - double(a.x)) / (double(b.x) - double(a.x)), 0.0, 1.0);
    const std::optional<float> px = toSingleOrNothing(double(a.x) + along * (double(b.x) - double(a.x)));
    const std::optional<float> py = toSingleOrNothing(double(a.y) + along * (double(b.y) - double(a.y)));
    if (!px || !py)
        return false;
    if (grab) {
        // A press of the mouse: its user sees no focus marker.
        setFocusVisible(false);
        endTransientLabels();
    }
    PointTable next = m_points;
    next.insertSlot(j + 1, newPoint(*px, *py));
    editSlots(next, j + 1, m_points.slotsInUse(), tr("Insert point %1").arg(j + 1));
    setCurrentPoint(j + 1);
    if (grab) {
        m_gesture.point = j + 1;
        m_gesture.pointStart = m_points.position(j + 1);
        setMousePointer(platform::MousePointer::Crosshair);
    }
    (void)announceDrop(-1); // the last act, as above
    return true;
}

bool CurveEngine::deletePoint()
{
    const int current = currentPoint();
    if (!mayDeletePoint(current))
        return false;
    const int count = m_points.slotsInUse();
    PointTable next = m_points;
    next.removeSlot(current);
    editSlots(next, current, count - 1, tr("Delete point %1").arg(current));
    // The same number, another point.
    changed(Change::CurrentPoint);
    (void)announceDrop(-1); // the last act, as above
    return true;
}

QString CurveEngine::copyText() const
{
    return pointsText(m_points.xs(), m_points.ys());
}

void CurveEngine::copyPoints() const
{
    if (QClipboard* board = clipboard())
        board->setText(copyText());
}

bool CurveEngine::pastePoints(const QString& text, bool fromPerson)
{
    if (dragging())
        return false;
    const PastedPoints pasted = readPoints(text);
    const QString refusal =
        pasted.refusal.isEmpty() ? pasteRefusal(m_points, m_settings, pasted) : pasted.refusal;
    if (!refusal.isEmpty()) {
        if (fromPerson)
            showNotice(refusal);
        if (report())
            (void)m_client.pasteRefused(refusal); // the last act: the host's handler may delete the control
        return false;
    }
    const int before = m_points.slotsInUse();
    const int after = int(pasted.points.size());
    PointTable next = m_points;
    for (int i = 0; i < after; ++i) {
        // A slot that was in use keeps its reference; one that comes into use has none.
        PointSlot slot = i < before ? m_points.slot(i) : newPoint(0, 0);
        slot.x = pasted.points[i].x;
        slot.y = pasted.points[i].y;
        slot.xGiven = slot.yGiven = true;
        next.setSlot(i, slot);
    }
    next.setDimensions(after);
    const int last = std::max(before, after) - 1;
    bool same = next.dimensions() == m_points.dimensions();
    for (int i = 0; same && i <= last; ++i)
        same = sameBits(next.slot(i), m_points.slot(i));
    if (same)
        return report();
    editSlots(next, 0, last, after == 1 ? tr("Paste 1 point") : tr("Paste %1 points").arg(after));
    (void)announceDrop(-1); // the last act, as above
    return true;
}

CurveEngine::PointMenu CurveEngine::pointMenu(std::optional<QPointF> position)
{
    PointMenu menu;
    if (position) {
        const PlotMapping map = mapping();
        const float x = float(position->x());
        const float y = float(position->y());
        const int picked = pickPoint(map, m_points.xs(), m_points.ys(), x, y);
        if (picked >= 0)
            setCurrentPoint(picked);
        else if (lineShown() && pickSegment(map, m_points.xs(), m_points.ys(), x, y) >= 0)
            menu.insertAt = *position;
    }
    menu.insert = mayInsertPoint();
    menu.remove = mayDeletePoint(currentPoint());
    menu.paste = m_pointEditingEnabled && !dragging();
    return menu;
}

void CurveEngine::editSlots(const PointTable& next, int first, int last, const QString& text)
{
    QList<PointSlot> before;
    QList<PointSlot> after;
    for (int i = first; i <= last; ++i) {
        before.append(m_points.slot(i));
        after.append(next.slot(i));
    }
    const qint32 dimensionsBefore = m_points.dimensions();
    applySlots(first, after, next.dimensions());
    recordSlots(text, first, before, dimensionsBefore, after, next.dimensions());
}

void CurveEngine::applySlots(int first, const QList<PointSlot>& contents, qint32 dimensions)
{
    // The whole curve is erased and drawn again: every figure after the change may have moved.
    CurvePainter curvePainter = painter();
    const platform::Canvas::UpdateBatch batch(m_canvas);
    curvePainter.drawCurveXor();
    for (qsizetype i = 0; i < contents.size(); ++i)
        m_points.setSlot(first + int(i), contents[i]);
    if (dimensions != m_points.dimensions()) {
        m_points.setDimensions(dimensions);
        changed(Change::Dimensions);
    }
    curvePainter.drawCurveXor();
    pointsMayHaveChanged();
    updateFocusMarker();
}

void CurveEngine::restoreSlots(int first, const QList<PointSlot>& contents, qint32 dimensions)
{
    // The host moved the stack during a drag: the grabbed point may be gone, so the grab ends.
    if (m_gesture.active()) {
        m_gesture.clear();
        setMousePointer(platform::MousePointer::Default);
    }
    applySlots(first, contents, dimensions);
    m_pendingDrops.append(-1);
}

bool CurveEngine::wantsPointEditKey(int key, Qt::KeyboardModifiers modifiers) const
{
    modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (isStandard(key, modifiers, QKeySequence::Copy))
        return true;
    return m_pointEditingEnabled &&
           (isStandard(key, modifiers, QKeySequence::Paste) ||
            (modifiers == Qt::NoModifier &&
             (key == Qt::Key_Insert || key == Qt::Key_Delete || key == Qt::Key_Backspace)));
}

bool CurveEngine::pointEditKey(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (!wantsPointEditKey(key, modifiers))
        return false;
    // A key of the control: the focus marker shows where it acts.
    setFocusVisible(true);
    if (isStandard(key, modifiers, QKeySequence::Copy)) {
        copyPoints();
        (void)report();
        return true;
    }
    // The keys wait while the mouse holds a point or the line.
    if (dragging()) {
        (void)report();
        return true;
    }
    // Each is the last act: the host's handler of the drop may delete the control.
    if (isStandard(key, modifiers, QKeySequence::Paste)) {
        const QClipboard* board = clipboard();
        (void)pastePoints(board ? board->text() : QString(), true);
    } else if (!(key == Qt::Key_Insert ? insertPoint() : deletePoint())) {
        (void)report();
    }
    return true;
}

void CurveEngine::keyReleased(QKeyEvent* event)
{
    // Auto-repeat lets go between its presses: the key is still held.
    if (event->isAutoRepeat() || !m_keyLabel)
        return;
    m_keyLabel = false;
    (void)report();
}

} // namespace knotel
