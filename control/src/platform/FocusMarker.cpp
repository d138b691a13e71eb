#include "platform/FocusMarker.h"

#include <QPainter>
#include <QPen>

#include <cmath>

namespace knotel::platform {

namespace {

/** Logical pixels around the square that the pens can reach. */
constexpr int Reach = 2;

} // namespace

void FocusMarker::paint(QPainter& screen, const QRect& square, qreal ratio)
{
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

void FocusMarker::draw(QPainter& screen, const QRect& square, qreal ratio, const QRect& bounds)
{
    // The device transform maps the square's corner to a whole device pixel, at the ratios whose
    // inverse is exact: the copy lands exactly where the pens would draw.
    const QTransform t = screen.deviceTransform();
    const bool whole = (ratio == 1 || ratio == 2) && screen.worldTransform().isIdentity() &&
                       t.type() <= QTransform::TxScale && t.m11() == ratio && t.m22() == ratio &&
                       t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy()) &&
                       std::abs(square.left()) < (1 << 20) && std::abs(square.top()) < (1 << 20) &&
                       square.width() < 256 && square.height() < 256 &&
                       bounds.contains(square.adjusted(-Reach, -Reach, Reach, Reach));
    if (!whole) {
        paint(screen, square, ratio);
        return;
    }
    const QPoint at(int(square.left() * ratio + t.dx()), int(square.top() * ratio + t.dy()));
    if (m_copy.isNull() || m_ratio != ratio || m_size != square.size()) {
        // Drawn at the square's own coordinates, moved by whole device pixels into the copy.
        const int reach = int(Reach * ratio);
        m_origin = QPoint(reach, reach);
        m_copy = QImage(
            QSize(int(square.width() * ratio) + 2 * reach + 1, int(square.height() * ratio) + 2 * reach + 1),
            QImage::Format_ARGB32_Premultiplied);
        m_copy.fill(Qt::transparent);
        const QPoint shift = at - m_origin;
        QPainter p(&m_copy);
        p.setWorldTransform(QTransform(ratio, 0, 0, ratio, t.dx() - shift.x(), t.dy() - shift.y()));
        paint(p, square, ratio);
        m_ratio = ratio;
        m_size = square.size();
    }
    // The copy's pixels one for one onto the device's, its origin on the square's corner: opaque
    // pixels replace, transparent ones leave the screen as it is.
    const QPoint corner = at - m_origin;
    screen.save();
    screen.setWorldTransform(
        QTransform(1 / ratio, 0, 0, 1 / ratio, (corner.x() - t.dx()) / ratio, (corner.y() - t.dy()) / ratio));
    screen.drawImage(QPointF(0, 0), m_copy);
    screen.restore();
}

} // namespace knotel::platform
