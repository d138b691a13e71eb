// The engine's frame: its making and unmaking, the layout and the paint pass on its canvas, the
// tracker text, the keys' current point and the focus marker's rule.
#include "engine/CurveEngine.h"

#include "platform/Canvas.h"

#include <knotel/FormatValue.h>
#include <knotel/RuntimeError.h>

#include <QUndoStack>

#include <algorithm>
#include <cmath>

namespace knotel {

namespace {

/** Half the side of the focus marker's square, in pixels: clear of every break-point marker. */
constexpr int FocusMarkerHalf = 6;

} // namespace

CurveEngine::CurveEngine(EngineClient& client, QObject* owner, const QFont& font)
    : canvas(client), undoStack(createEditHistory(owner)), m_client(client)
{
    canvas.setFont(font);
    watchHistory();
}

CurveEngine::~CurveEngine()
{
    QObject::disconnect(m_historyWatch);
    // Deleted by a drop handler: the drop may come from the stack's own signal, and the stack goes
    // once it has returned.
    if (m_raisingDrops) {
        undoStack->setParent(nullptr);
        undoStack->deleteLater();
    }
}

LayoutResult CurveEngine::layOut()
{
    const platform::Canvas& s = canvas;
    SurfaceMetrics metrics;
    metrics.width = s.scaleWidth();
    metrics.height = s.scaleHeight();
    metrics.backColor = s.backColor();
    metrics.textWidth = [&s](const QString& text) { return s.textWidth(text); };
    metrics.lineHeight = s.textHeight(QString());
    const LayoutResult result = computeLayout(layout, settings, metrics);
    layout = result.plot;
    return result;
}

void CurveEngine::paintControl()
{
    if (!paintEnabled)
        return;
    painter().paintControl();
}

void CurveEngine::showTracker(float vx, float vy)
{
    QString textX;
    QString textY;
    try {
        textX = FormatValue(vx, settings.X_Decimals);
        textY = FormatValue(vy, settings.Y_Decimals);
    } catch (const RuntimeError&) {
        return;
    }
    m_client.showReadout(textX, textY, settings.TextColor);
}

int CurveEngine::currentPoint() const
{
    const int count = points.slotsInUse();
    return count > 0 ? std::clamp(keyPoint, 0, count - 1) : -1;
}

std::optional<QPointF> CurveEngine::currentPointPixel() const
{
    const int i = currentPoint();
    if (i < 0)
        return std::nullopt;
    const PlotMapping map = mapping();
    const double x = map.pixelX(points.pointX(i));
    const double y = map.pixelY(points.pointY(i));
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    return QPointF(x, y);
}

void CurveEngine::setCurrentPoint(int slot)
{
    if (slot < 0 || slot >= points.slotsInUse())
        return;
    // Kept as chosen even when it equals the clamped one: a later Dimensions must not bring back
    // an older choice.
    const bool moved = slot != currentPoint();
    keyPoint = slot;
    if (!moved)
        return;
    updateFocusMarker();
    m_client.currentPointChanged(slot);
}

void CurveEngine::focusIn(Qt::FocusReason reason)
{
    // Focus from the keyboard shows the marker; from the mouse or a window's activation it does not.
    m_focusVisible =
        reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
    updateFocusMarker();
}

void CurveEngine::focusOut()
{
    m_focusVisible = false;
    updateFocusMarker();
}

void CurveEngine::setFocusVisible(bool visible)
{
    if (m_focusVisible == visible)
        return;
    m_focusVisible = visible;
    updateFocusMarker();
}

QRect CurveEngine::focusMarkerRect() const
{
    const std::optional<QPointF> centre = currentPointPixel();
    if (!centre || std::fabs(centre->x()) > 1e6 || std::fabs(centre->y()) > 1e6)
        return {};
    const QPoint c(qRound(centre->x()), qRound(centre->y()));
    return QRect(c.x() - FocusMarkerHalf, c.y() - FocusMarkerHalf, 2 * FocusMarkerHalf + 1,
                 2 * FocusMarkerHalf + 1);
}

void CurveEngine::updateFocusMarker()
{
    if (!m_markerRect.isNull())
        m_client.showArea(m_markerRect);
    m_markerRect = focusMarkerShown() ? focusMarkerRect() : QRect();
    if (!m_markerRect.isNull())
        m_client.showArea(m_markerRect);
}

QRect CurveEngine::placeFocusMarker()
{
    m_markerRect = focusMarkerShown() ? focusMarkerRect() : QRect();
    return m_markerRect;
}

QFont curveFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8.0);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QString shownValue(float v, qint32 decimals)
{
    try {
        return FormatValue(v, decimals);
    } catch (const RuntimeError&) {
        return singleText(v);
    }
}

} // namespace knotel
