// Qt's input events of a shell's surface, a widget's or a Qt Quick item's, as calls of the
// engine's handlers: one translation for both shells.
#include "engine/CurveEngine.h"

#include <QFocusEvent>
#include <QHoverEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTouchEvent>

namespace knotel {

bool CurveEngine::handleEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        mouseEvent(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::HoverMove:
        hoverEvent(static_cast<QHoverEvent*>(event));
        return true;
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        return touchEvent(static_cast<QTouchEvent*>(event));
    case QEvent::KeyPress:
        return keyEvent(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        keyReleased(static_cast<QKeyEvent*>(event));
        return false;
    case QEvent::ShortcutOverride:
        return shortcutOverride(static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        focusEvent(static_cast<QFocusEvent*>(event));
        return false;
    default:
        return false;
    }
}

void CurveEngine::mouseEvent(QMouseEvent* event)
{
    // Taken before the handler runs: its drop may delete the control.
    event->accept();
    // While a finger holds the surface the mouse waits, so that neither takes the other's drag.
    if (m_gesture.finger)
        return;
    const float x = float(event->position().x());
    const float y = float(event->position().y());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // With point editing, Ctrl + left press on the line inserts a point there and grabs it.
        if (event->button() == Qt::LeftButton && event->modifiers().testFlag(Qt::ControlModifier) &&
            insertPointAt(x, y, true))
            break;
        mousePress(event->button(), x, y);
        break;
    case QEvent::MouseMove:
        mouseMove(event->buttons(), x, y);
        break;
    case QEvent::MouseButtonRelease:
        mouseRelease();
        break;
    case QEvent::MouseButtonDblClick:
        // As Qt's widgets have it: a double-click that asks for nothing is a press.
        if (!mouseDoubleClick(event->button(), x, y))
            mousePress(event->button(), x, y);
        break;
    default:
        break;
    }
}

void CurveEngine::hoverEvent(QHoverEvent* event)
{
    event->accept();
    // The mouse over the item with no button held. Qt Quick also sends hover moves of its own
    // after a frame, while a finger drags: those are no move of the mouse and end nothing.
    if (dragging() || m_gesture.finger)
        return;
    mouseMove(Qt::NoButton, float(event->position().x()), float(event->position().y()));
}

bool CurveEngine::touchEvent(QTouchEvent* event)
{
    // A touchpad's points lie on the pad, not on the surface.
    if (event->device()->type() != QInputDevice::DeviceType::TouchScreen) {
        event->ignore();
        return false;
    }
    // Every finger is taken, also those ignored here: one left untaken would come back as a mouse
    // press that Qt makes of it. Taken before a handler runs, since a drop may delete the control.
    event->accept();
    if (event->type() == QEvent::TouchCancel) {
        (void)cancelGesture(Holder::Finger); // the last act
        return true;
    }
    if (event->type() == QEvent::TouchBegin) {
        // The first finger of a sequence presses, unless the mouse holds a drag; any finger of
        // an earlier sequence is gone, and its drag, had it one, is cancelled.
        if (m_gesture.active() && !m_gesture.finger)
            return true;
        if (!cancelGesture(Holder::Finger))
            return true;
        if (event->points().isEmpty())
            return true;
        const QEventPoint& first = event->points().constFirst();
        m_gesture.finger = first.id();
        grab(float(first.position().x()), float(first.position().y()), true);
        return true;
    }
    // Only the first finger's moves and lift count; a second finger's press, moves and lift do
    // nothing, and the event says which is which by its state, whatever its type.
    if (!m_gesture.finger)
        return true;
    for (const QEventPoint& point : event->points()) {
        if (point.id() != *m_gesture.finger)
            continue;
        if (point.state() == QEventPoint::State::Released) {
            m_gesture.finger.reset();
            mouseRelease(); // the last act: the drop's handler may delete the control
        } else if (point.state() == QEventPoint::State::Updated) {
            mouseMove(Qt::LeftButton, float(point.position().x()), float(point.position().y()));
        }
        break;
    }
    return true;
}

bool CurveEngine::keyEvent(QKeyEvent* event)
{
    const bool taken = keyPress(event->key(), event->modifiers());
    // The key's handler may have deleted the control, never the event.
    event->setAccepted(taken);
    return taken;
}

bool CurveEngine::shortcutOverride(QKeyEvent* event)
{
    if (!wantsKey(event->key(), event->modifiers()) && !wantsPointEditKey(event->key(), event->modifiers()))
        return false;
    event->accept();
    return true;
}

void CurveEngine::focusEvent(QFocusEvent* event)
{
    event->gotFocus() ? focusIn(event->reason()) : focusOut();
}

} // namespace knotel
