// The drawing surface on the screen: the areas that drawing has changed, scheduled for update in
// batches, the paint event that copies them from the backing image, and the focus marker over it.
#include "platform/DrawingSurface.h"

#include "platform/Colour.h"

#include <QPainter>
#include <QPaintEvent>

#include <cmath>

namespace knotel::platform {

namespace {

// A batch keeps at most this many rectangles; past it they become their bounding rectangle. A
// screen update of many rectangles costs more than one of their bounding rectangle: each is
// clipped and copied on its own, and the copy of a complex region goes through Qt's span path.
constexpr std::size_t MaxDueRects = 8;

/** Half the side of the focus marker's square, in pixels: clear of every break-point marker. */
constexpr int FocusMarkerHalf = 6;

qint64 area(const QRect& r)
{
    return qint64(r.width()) * r.height();
}

} // namespace

void DrawingSurface::touched(const QRectF& box, qreal margin)
{
    if (m_allDue)
        return;
    // In plain arithmetic: this runs for every figure of a curve move.
    const QRectF r = box.normalized();
    const double left = std::max(r.left() - margin, 0.0);
    const double top = std::max(r.top() - margin, 0.0);
    const double right = std::min(r.right() + margin, double(width()));
    const double bottom = std::min(r.bottom() + margin, double(height()));
    if (!(left < right && top < bottom))
        return;
    const QRect pixels(QPoint(int(std::floor(left)), int(std::floor(top))),
                       QPoint(int(std::ceil(right)) - 1, int(std::ceil(bottom)) - 1));
    if (m_batchDepth == 0) {
        update(pixels);
        return;
    }
    if (m_dueBounds) {
        if (m_due.empty()) {
            m_due.push_back(pixels);
            return;
        }
        QRect& bounds = m_due.front();
        bounds.setCoords(std::min(bounds.left(), pixels.left()), std::min(bounds.top(), pixels.top()),
                         std::max(bounds.right(), pixels.right()),
                         std::max(bounds.bottom(), pixels.bottom()));
        return;
    }
    for (const QRect& due : m_due) {
        if (due.left() <= pixels.left() && pixels.right() <= due.right() && due.top() <= pixels.top() &&
            pixels.bottom() <= due.bottom())
            return;
    }
    // Runs of figures along the curve overlap their predecessor: merge while that wastes little.
    if (!m_due.empty()) {
        QRect& last = m_due.back();
        const QRect merged = last.united(pixels);
        if (area(merged) * 4 <= (area(last) + area(pixels)) * 5) {
            last = merged;
            return;
        }
    }
    m_due.push_back(pixels);
    if (m_due.size() > MaxDueRects) {
        QRect bounds;
        for (const QRect& due : m_due)
            bounds |= due;
        m_due.assign(1, bounds);
        // From here on this batch only widens the bounding rectangle.
        m_dueBounds = true;
    }
}

void DrawingSurface::updateAll()
{
    m_allDue = true;
    m_due.clear();
    m_dueBounds = false;
    update();
}

void DrawingSurface::flushUpdates()
{
    if (m_due.empty())
        return;
    if (!m_allDue) {
        if (m_due.size() == 1) {
            update(m_due.front());
        } else {
            QRegion region;
            for (const QRect& due : m_due)
                region += due;
            update(region);
        }
    }
    m_due.clear();
    m_dueBounds = false;
}

void DrawingSurface::paintEvent(QPaintEvent* event)
{
    // Drawing from here on schedules updates of its own again.
    m_allDue = false;
    // The next drawing call looks up the ratio again.
    endPainting();
    const qreal ratio = devicePixelRatioF();
    if (!imageFits(ratio) || !m_pictureValid)
        emit paintRequested();
    endPainting();
    QPainter screen(this);
    if (!imageFits(ratio) || m_image.isNull()) {
        screen.fillRect(event->rect(), toQColor(m_backColor));
    } else {
        // Only the region asked for, a rectangle at a time: clipped to one rectangle the copy is
        // a plain blit, clipped to a region of several it takes Qt's span path. The image's
        // device pixels fall on the screen's one for one: no rectangle needs rounding to device
        // pixels.
        for (const QRect& r : event->region()) {
            screen.setClipRect(r);
            screen.drawImage(QPointF(0, 0), m_image);
        }
        screen.setClipping(false);
    }

    m_markerRect = focusMarkerRect();
    if (hasFocus() && !m_markerRect.isNull()) {
        // A dashed black square over a white one shows on every background.
        const QRect square = m_markerRect.adjusted(0, 0, -1, -1);
        screen.setBrush(Qt::NoBrush);
        if (ratio == 1) {
            screen.setPen(QPen(Qt::white, 1, Qt::SolidLine));
            screen.drawRect(square);
            screen.setPen(QPen(Qt::black, 1, Qt::DashLine));
            screen.drawRect(square);
        } else {
            // Through the middle of the edge pixels, with square corners, as at ratio 1.
            const QRectF middle = QRectF(square).translated(0.5, 0.5);
            screen.setPen(QPen(Qt::white, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            screen.drawRect(middle);
            screen.setPen(QPen(Qt::black, 1, Qt::DashLine, Qt::SquareCap, Qt::MiterJoin));
            screen.drawRect(middle);
        }
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

void DrawingSurface::focusInEvent(QFocusEvent*)
{
    updateFocusMarker();
}

void DrawingSurface::focusOutEvent(QFocusEvent*)
{
    updateFocusMarker();
}

} // namespace knotel::platform
