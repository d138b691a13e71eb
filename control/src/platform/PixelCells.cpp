#include "platform/PixelCells.h"

#include <algorithm>
#include <cmath>

namespace knotel::platform::cells {

namespace {

int limited(double v, int low, int high)
{
    return int(std::clamp(v, double(low), double(high)));
}

} // namespace

QPoint cellOf(double x, double y, const QRect& surface)
{
    const int m = int(Margin);
    return {limited(std::floor(x), surface.left() - m, surface.right() + m),
            limited(std::floor(y), surface.top() - m, surface.bottom() + m)};
}

QRect fillCells(const QRectF& r, const QRect& surface)
{
    const int m = int(Margin);
    auto edgeX = [&](double v) {
        return limited(std::floor(v + 0.5), surface.left() - m, surface.right() + m);
    };
    auto edgeY = [&](double v) {
        return limited(std::floor(v + 0.5), surface.top() - m, surface.bottom() + m);
    };
    // Edges, not cells: the last cell lies before the far edge.
    return QRect(QPoint(edgeX(r.left()), edgeY(r.top())),
                 QPoint(edgeX(r.right()) - 1, edgeY(r.bottom()) - 1));
}

int outlineCells(const QRect& box, std::array<QRect, 4>& parts)
{
    const int l = box.left(), t = box.top(), r = box.right(), b = box.bottom();
    int n = 0;
    parts[n++] = QRect(QPoint(l, t), QPoint(r, t));
    if (b > t)
        parts[n++] = QRect(QPoint(l, b), QPoint(r, b));
    if (b - t >= 2) {
        parts[n++] = QRect(QPoint(l, t + 1), QPoint(l, b - 1));
        if (r > l)
            parts[n++] = QRect(QPoint(r, t + 1), QPoint(r, b - 1));
    }
    return n;
}

std::optional<std::pair<double, double>> clipSegment(QPointF a, QPointF b, const QRectF& r)
{
    // Liang-Barsky: narrow [t0, t1] by each of the four sides in turn.
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double t0 = 0, t1 = 1;
    const std::array<std::pair<double, double>, 4> sides{
        {{-dx, a.x() - r.left()}, {dx, r.right() - a.x()}, {-dy, a.y() - r.top()}, {dy, r.bottom() - a.y()}}};
    for (const auto& [p, q] : sides) {
        if (p == 0) {
            if (q < 0)
                return std::nullopt;
            continue;
        }
        const double t = q / p;
        if (p < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    return std::pair{t0, t1};
}

} // namespace knotel::platform::cells
