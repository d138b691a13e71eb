// The widget's drawing surface: the paint event that copies the canvas and draws the focus marker,
// and its input events, which the engine handles.
#include "widget/DrawingSurface.h"

#include "engine/CurveEngine.h"
#include "platform/Colour.h"
#include "platform/ScreenCopy.h"

#include <QBackingStore>
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
    return m_engine.canvas();
}

QImage DrawingSurface::image() const
{
    m_engine.canvas().endPainting();
    return m_engine.canvas().picture().copy();
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
    const QImage* picture = m_engine.frame();
    QPainter screen(this);
    if (picture) {
        // Only the region asked for.
        platform::copyToScreen(screen, *picture, devicePixelRatioF(), event->region(),
                               backingStore() ? backingStore()->paintDevice() : nullptr);
    } else {
        screen.fillRect(event->rect(), platform::toQColor(m_engine.canvas().backColor()));
    }
    m_engine.drawFocusMarker(screen, rect());
}

bool DrawingSurface::event(QEvent* event)
{
    // The host's handler of a drop may delete the control, this surface with it: nothing follows
    // an event the engine took.
    if (m_engine.handleEvent(event))
        return true;
    return QWidget::event(event);
}

} // namespace knotel
