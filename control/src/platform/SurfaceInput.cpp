// The drawing surface's mouse and key events, passed on as signals in the control's own codes.
#include "platform/DrawingSurface.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace knotel::platform {

namespace {

int mouseButtons(Qt::MouseButtons buttons)
{
    return int(buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

bool DrawingSurface::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool wanted = false;
        emit keyWanted(key->key(), shiftState(key->modifiers()), wanted);
        if (wanted) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void DrawingSurface::keyPressEvent(QKeyEvent* event)
{
    bool used = false;
    emit keyPressed(event->key(), shiftState(event->modifiers()), used);
    if (!used)
        QWidget::keyPressEvent(event);
}

void DrawingSurface::mousePressEvent(QMouseEvent* event)
{
    // A mouse user sees no focus marker.
    setFocusVisible(false);
    const QPointF pos = event->position();
    emit mousePressed(mouseButtons(event->button()), shiftState(event->modifiers()), float(pos.x()),
                      float(pos.y()));
}

void DrawingSurface::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit mouseMoved(mouseButtons(event->buttons()), shiftState(event->modifiers()), float(pos.x()),
                    float(pos.y()));
}

void DrawingSurface::mouseDoubleClickEvent(QMouseEvent* event)
{
    setFocusVisible(false);
    const QPointF pos = event->position();
    bool used = false;
    emit mouseDoubleClicked(mouseButtons(event->button()), shiftState(event->modifiers()), float(pos.x()),
                            float(pos.y()), used);
    if (!used)
        mousePressEvent(event);
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit mouseReleased(mouseButtons(event->button()), shiftState(event->modifiers()), float(pos.x()),
                       float(pos.y()));
}

} // namespace knotel::platform

