// The labels over the picture: the value of the point the person moves (dragValueVisible), beside
// it, and why a paste was refused, at the plot's upper left corner. They are drawn over the screen
// copy, like the focus marker, never into the picture: when one goes, the screen shows the picture
// again as it is.
#include "engine/CurveEngine.h"

#include "platform/Canvas.h"
#include "platform/Colour.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace knotel {

namespace {

/** Space between a label's text and its border, in pixels. */
constexpr int LabelPadding = 3;
/** From the moving point to the nearest corner of its label. */
constexpr int LabelOffset = 8;
/** From the plot's upper left corner to the notice. */
constexpr int NoticeInset = 4;
/** Farther from the surface than this a point has no label. */
constexpr double FarAway = 1e6;

} // namespace

void CurveEngine::placeLabels()
{
    const QSize surface = m_client.canvasSize();
    const auto sizeOf = [this](const QString& text) {
        return QSize(int(std::ceil(m_canvas.textWidth(text))) + 2 * LabelPadding,
                     int(std::ceil(m_canvas.textHeight(text))) + 2 * LabelPadding);
    };
    // Kept inside the surface; a label wider than the surface starts at its left edge.
    const auto inside = [&surface](QPoint at, QSize size) {
        at.setX(std::max(0, std::min(at.x(), surface.width() - size.width())));
        at.setY(std::max(0, std::min(at.y(), surface.height() - size.height())));
        return QRect(at, size);
    };

    OverlayLabel value;
    int slot = -1;
    if (m_gesture.point && *m_gesture.point < m_points.slotsInUse())
        slot = *m_gesture.point;
    else if (m_keyLabel)
        slot = currentPoint();
    if (m_dragValueVisible && slot >= 0) {
        const PlotMapping map = mapping();
        const PointPosition p = m_points.position(slot);
        const double px = map.pixelX(p.x);
        const double py = map.pixelY(p.y);
        if (std::fabs(px) < FarAway && std::fabs(py) < FarAway) {
            value.text = QStringLiteral("( ") + shownValue(p.x, m_settings.X_Decimals) +
                         QStringLiteral(" / ") + shownValue(p.y, m_settings.Y_Decimals) +
                         QStringLiteral(" )");
            // Above and to the right of the point; to its left at the right edge, below it at the top.
            const QPoint point(qRound(px), qRound(py));
            const QSize size = sizeOf(value.text);
            QPoint at(point.x() + LabelOffset, point.y() - LabelOffset - size.height());
            if (at.x() + size.width() > surface.width())
                at.setX(point.x() - LabelOffset - size.width());
            if (at.y() < 0)
                at.setY(point.y() + LabelOffset);
            value.rect = inside(at, size);
        }
    }

    OverlayLabel notice;
    if (!m_notice.text.isEmpty()) {
        notice.text = m_notice.text;
        const auto near = [](qint32 edge, int extent) {
            return int(std::clamp(qint64(edge) + NoticeInset, qint64(0), qint64(extent)));
        };
        notice.rect =
            inside(QPoint(near(m_layout.PlotLeft, surface.width()), near(m_layout.PlotTop, surface.height())),
                   sizeOf(notice.text));
    }

    const auto replace = [this](OverlayLabel& label, const OverlayLabel& next) {
        if (label.rect == next.rect && label.text == next.text)
            return;
        if (!label.rect.isNull())
            m_client.showLabels(label.rect);
        label = next;
        if (!label.rect.isNull())
            m_client.showLabels(label.rect);
    };
    replace(m_valueLabel, value);
    replace(m_notice, notice);
}

void CurveEngine::endTransientLabels()
{
    m_keyLabel = false;
    m_notice.text.clear();
    placeLabels();
}

void CurveEngine::showNotice(const QString& text)
{
    m_notice.text = text;
}

void CurveEngine::drawLabels(QPainter& screen) const
{
    for (const OverlayLabel* label : {&m_valueLabel, &m_notice}) {
        if (label->rect.isNull())
            continue;
        // The plot's own colours: its text on its background, in a frame of the text's colour.
        const QColor text = platform::toQColor(m_settings.TextColor);
        screen.fillRect(label->rect, platform::toQColor(m_settings.BackColor));
        screen.setPen(QPen(text, 1));
        screen.setBrush(Qt::NoBrush);
        screen.drawRect(QRectF(label->rect).adjusted(0.5, 0.5, -0.5, -0.5));
        screen.setFont(m_canvas.font());
        screen.drawText(label->rect.adjusted(LabelPadding, 0, -LabelPadding, 0),
                        Qt::AlignLeft | Qt::AlignVCenter, label->text);
    }
}

} // namespace knotel
