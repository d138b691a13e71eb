// The widget's drawing surface: the paint event that copies the canvas and draws the focus marker,
// and the mouse, key and focus events, passed to the engine in the control's own codes.
#include "widget/DrawingSurface.h"

#include "engine/CurveEngine.h"
#include "platform/Colour.h"
#include "platform/InputCodes.h"
#include "platform/ScreenCopy.h"

#include <QBackingStore>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

namespace knotel {

DrawingSurface::DrawingSurface(CurveEngine& engine, QWidget* parent) : QWidget(parent), m_engine(engine)
{
    // The picture lives in the canvas: Qt needs neither to clear nor to compose the widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

DrawingSurface::~DrawingSurface() = default;

platform::Canvas& DrawingSurface::canvas() const
{
    return m_engine.canvas;
}

QImage DrawingSurface::image() const
{
    m_engine.canvas.endPainting();
    return m_engine.canvas.picture().copy();
}

void DrawingSurface::setMousePointer(platform::MousePointer pointer)
{
    m_pointer = pointer;
    if (pointer == platform::MousePointer::Crosshair)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

void DrawingSurface::paintEvent(QPaintEvent* event)
{
    platform::Canvas& canvas = m_engine.canvas;
    canvas.shown();
    if (canvas.needsPicture())
        m_engine.paintControl();
    canvas.endPainting();
    QPainter screen(this);
    const qreal ratio = devicePixelRatioF();
    if (canvas.needsPicture()) {
        screen.fillRect(event->rect(), platform::toQColor(canvas.backColor()));
    } else {
        // Only the region asked for.
        platform::copyToScreen(screen, canvas.picture(), ratio, event->region(),
                               backingStore() ? backingStore()->paintDevice() : nullptr);
    }
    const QRect marker = m_engine.placeFocusMarker();
    if (!marker.isNull())
        m_focusMarker.draw(screen, marker.adjusted(0, 0, -1, -1), ratio, rect());
}

bool DrawingSurface::event(QEvent* event)
{
    // Undo and redo on the focused surface go to its history, not to a shortcut of the window.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_engine.wantsKey(key->key(), platform::shiftCode(key->modifiers()))) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

// A handler of the drop may delete the control, this surface with it: nothing follows a call to
// the engine that can raise one.

void DrawingSurface::keyPressEvent(QKeyEvent* event)
{
    if (!m_engine.keyPress(event->key(), platform::shiftCode(event->modifiers())))
        QWidget::keyPressEvent(event);
}

void DrawingSurface::mousePressEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    m_engine.mousePress(platform::buttonCode(event->button()), platform::shiftCode(event->modifiers()),
                        float(pos.x()), float(pos.y()));
}

void DrawingSurface::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    m_engine.mouseMove(platform::buttonCode(event->buttons()), platform::shiftCode(event->modifiers()),
                       float(pos.x()), float(pos.y()));
}

void DrawingSurface::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    if (!m_engine.mouseDoubleClick(platform::buttonCode(event->button()), float(pos.x()), float(pos.y())))
        mousePressEvent(event); // as Qt's widgets have it
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    m_engine.mouseRelease(platform::buttonCode(event->button()), platform::shiftCode(event->modifiers()),
                          float(pos.x()), float(pos.y()));
}

void DrawingSurface::focusInEvent(QFocusEvent* event)
{
    m_engine.focusIn(event->reason());
}

void DrawingSurface::focusOutEvent(QFocusEvent*)
{
    m_engine.focusOut();
}

} // namespace knotel
