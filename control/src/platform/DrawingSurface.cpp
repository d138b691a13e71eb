#include "platform/DrawingSurface.h"

#include "platform/Colour.h"

#include <knotel/RuntimeError.h>

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace knotel::platform {

namespace {

void requireFinite(std::initializer_list<float> values)
{
    for (float v : values) {
        if (!std::isfinite(v))
            throw RuntimeError(RuntimeError::Overflow);
    }
}

int mouseButtons(Qt::MouseButtons buttons)
{
    return int(buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

/** Half the side of the focus marker's square, in pixels: clear of every break-point marker. */
constexpr int FocusMarkerHalf = 6;

DrawCall makeCall(DrawCall::Kind kind, float x1 = 0, float y1 = 0, float x2 = 0, float y2 = 0,
                  qint32 colour = 0, const QString& text = QString())
{
    DrawCall call;
    call.kind = kind;
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.colour = colour;
    call.text = text;
    return call;
}

} // namespace

DrawingSurface::DrawingSurface(QWidget* parent) : QWidget(parent)
{
    // The picture lives in the backing image: Qt needs neither to clear nor to compose the widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

DrawingSurface::~DrawingSurface() = default;

QPainter* DrawingSurface::painter()
{
    if (m_image.size() != size()) {
        endPainting();
        if (size().isEmpty()) {
            m_image = QImage();
        } else {
            m_image = QImage(size(), QImage::Format_RGB32);
            // Match the widget's resolution so that text drawn here measures as textWidth() says.
            m_image.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
            m_image.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
            m_image.fill(toQColor(m_backColor));
        }
        m_pictureValid = false;
    }
    if (m_image.isNull())
        return nullptr;
    if (!m_painter)
        m_painter = std::make_unique<QPainter>(&m_image);
    m_painter->setCompositionMode(m_drawMode == DrawMode::XorPen ? QPainter::RasterOp_SourceXorDestination
                                                                 : QPainter::CompositionMode_SourceOver);
    update();
    return m_painter.get();
}

void DrawingSurface::endPainting()
{
    m_painter.reset();
}

void DrawingSurface::preparePen(QPainter& p, qint32 colour)
{
    // Building a pen allocates; a run of lines or markers in one colour and style reuses it.
    if (!m_penValid || m_penColour != colour || m_penStyle != m_drawStyle) {
        m_pen = QPen(toQColor(colour));
        m_pen.setCosmetic(true);
        m_pen.setWidth(1);
        m_pen.setStyle(m_drawStyle == DrawStyle::Dot ? Qt::DotLine : Qt::SolidLine);
        m_penColour = colour;
        m_penStyle = m_drawStyle;
        m_penValid = true;
    }
    p.setPen(m_pen);
}

void DrawingSurface::record(DrawCall call) const
{
    if (!m_recorder)
        return;
    call.drawStyle = m_drawStyle;
    call.drawMode = m_drawMode;
    call.fillStyle = m_fillStyle;
    call.fillColour = m_fillColor;
    m_recorder(call);
}

void DrawingSurface::cls()
{
    record(makeCall(DrawCall::Cls));
    m_currentX = 0;
    m_currentY = 0;
    if (QPainter* p = painter()) {
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->fillRect(m_image.rect(), toQColor(m_backColor));
        m_pictureValid = true;
    }
}

void DrawingSurface::line(float x1, float y1, float x2, float y2, qint32 colour)
{
    requireFinite({x1, y1, x2, y2});
    record(makeCall(DrawCall::Line, x1, y1, x2, y2, colour));
    if (QPainter* p = painter()) {
        preparePen(*p, colour);
        p->drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    m_currentX = x2;
    m_currentY = y2;
}

void DrawingSurface::box(float x1, float y1, float x2, float y2, qint32 colour)
{
    requireFinite({x1, y1, x2, y2});
    record(makeCall(DrawCall::Box, x1, y1, x2, y2, colour));
    if (QPainter* p = painter()) {
        preparePen(*p, colour);
        p->setBrush(Qt::NoBrush);
        p->drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
    }
    m_currentX = x2;
    m_currentY = y2;
}

void DrawingSurface::filledBox(float x1, float y1, float x2, float y2, qint32 colour)
{
    requireFinite({x1, y1, x2, y2});
    record(makeCall(DrawCall::FilledBox, x1, y1, x2, y2, colour));
    if (QPainter* p = painter()) {
        // Corner pixels inclusive, touched once each, so that XOR drawing restores exactly.
        const QRectF r = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized().adjusted(0, 0, 1, 1);
        p->fillRect(r, toQColor(colour));
    }
    m_currentX = x2;
    m_currentY = y2;
}

void DrawingSurface::circle(float x, float y, float radius, qint32 colour)
{
    requireFinite({x, y, radius});
    record(makeCall(DrawCall::Circle, x, y, radius, 0, colour));
    if (QPainter* p = painter()) {
        // About the nearest pixel: a whole-pixel bounding box lets Qt's raster engine draw the
        // circle with its midpoint algorithm, three times as fast as its general path for these
        // small markers, and every marker gets the same symmetric shape.
        const QPointF centre(std::round(x), std::round(y));
        if (m_fillStyle == FillStyle::Solid) {
            p->setPen(Qt::NoPen);
            p->setBrush(toQColor(m_fillColor));
            p->drawEllipse(centre, radius, radius);
        }
        preparePen(*p, colour);
        p->setBrush(Qt::NoBrush);
        p->drawEllipse(centre, radius, radius);
    }
}

void DrawingSurface::print(const QString& text, bool lineBreak)
{
    requireFinite({m_currentX, m_currentY});
    record(makeCall(DrawCall::Print, m_currentX, m_currentY, 0, 0, m_foreColor, text));
    const QFontMetricsF metrics(font(), this);
    if (QPainter* p = painter()) {
        p->setFont(font());
        p->setPen(toQColor(m_foreColor));
        p->drawText(QPointF(m_currentX, m_currentY + metrics.ascent()), text);
    }
    if (lineBreak) {
        m_currentX = 0;
        m_currentY = float(double(m_currentY) + metrics.height());
    } else {
        m_currentX = float(double(m_currentX) + metrics.horizontalAdvance(text));
    }
}

void DrawingSurface::setCurrentX(float x)
{
    m_currentX = x;
}

void DrawingSurface::setCurrentY(float y)
{
    m_currentY = y;
}

float DrawingSurface::textWidth(const QString& text) const
{
    return float(QFontMetricsF(font(), this).horizontalAdvance(text));
}

float DrawingSurface::textHeight(const QString& text) const
{
    // One line of text, whatever its characters: the height of the font's text cell.
    Q_UNUSED(text);
    return float(QFontMetricsF(font(), this).height());
}

float DrawingSurface::fontSize() const
{
    return float(font().pointSizeF());
}

void DrawingSurface::setFontSize(float points)
{
    if (!(points > 0) || !std::isfinite(points))
        throw RuntimeError(RuntimeError::InvalidArgument);
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
}

void DrawingSurface::setFontBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

void DrawingSurface::setBackColor(qint32 colour)
{
    m_backColor = colour;
}

void DrawingSurface::setMousePointer(MousePointer pointer)
{
    m_pointer = pointer;
    if (pointer == MousePointer::Crosshair)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

QImage DrawingSurface::image()
{
    endPainting();
    return m_image.copy();
}

void DrawingSurface::paintEvent(QPaintEvent*)
{
    if (m_image.size() != size() || !m_pictureValid)
        emit paintRequested();
    endPainting();
    QPainter screen(this);
    if (m_image.size() == size())
        screen.drawImage(0, 0, m_image);
    else
        screen.fillRect(rect(), toQColor(m_backColor));

    m_markerRect = focusMarkerRect();
    if (hasFocus() && !m_markerRect.isNull()) {
        // A dashed black square over a white one shows on every background.
        const QRect square = m_markerRect.adjusted(0, 0, -1, -1);
        screen.setBrush(Qt::NoBrush);
        screen.setPen(QPen(Qt::white, 1, Qt::SolidLine));
        screen.drawRect(square);
        screen.setPen(QPen(Qt::black, 1, Qt::DashLine));
        screen.drawRect(square);
    }
}

QRect DrawingSurface::focusMarkerRect() const
{
    const std::optional<QPointF> centre = m_markerSource ? m_markerSource() : std::nullopt;
    if (!centre || !std::isfinite(centre->x()) || !std::isfinite(centre->y()) ||
        std::fabs(centre->x()) > 1e6 || std::fabs(centre->y()) > 1e6)
        return {};
    const QPoint c(qRound(centre->x()), qRound(centre->y()));
    return QRect(c.x() - FocusMarkerHalf, c.y() - FocusMarkerHalf, 2 * FocusMarkerHalf + 1,
                 2 * FocusMarkerHalf + 1);
}

void DrawingSurface::updateFocusMarker()
{
    update(m_markerRect);
    m_markerRect = focusMarkerRect();
    update(m_markerRect);
}

void DrawingSurface::keyPressEvent(QKeyEvent* event)
{
    bool used = false;
    emit keyPressed(event->key(), shiftState(event->modifiers()), used);
    if (!used)
        QWidget::keyPressEvent(event);
}

void DrawingSurface::focusInEvent(QFocusEvent*)
{
    updateFocusMarker();
}

void DrawingSurface::focusOutEvent(QFocusEvent*)
{
    updateFocusMarker();
}

void DrawingSurface::mousePressEvent(QMouseEvent* event)
{
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

void DrawingSurface::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit mouseReleased(mouseButtons(event->button()), shiftState(event->modifiers()), float(pos.x()),
                       float(pos.y()));
}

} // namespace knotel::platform
