// The engine's frame: its making and unmaking, start-up, the layout and the paint sequence on its
// canvas, the tracker text, the keys' current point, the focus marker's rule and the change
// notices.
#include "engine/CurveEngine.h"

#include "platform/Canvas.h"

#include <knotel/FormatValue.h>
#include <knotel/RuntimeError.h>

#include <QPainter>
#include <QUndoStack>

#include <algorithm>
#include <cmath>

namespace knotel {

namespace {

/** Half the side of the focus marker's square, in pixels: clear of every break-point marker. */
constexpr int FocusMarkerHalf = 6;

} // namespace

CurveEngine::CurveEngine(EngineClient& client, QObject* owner)
    : m_client(client), m_canvas(client), m_undoStack(createEditHistory(owner)),
      m_reportedPoints(m_points.readings())
{
    m_canvas.setFont(curveFont());
    watchHistory();
}

CurveEngine::~CurveEngine()
{
    for (const QMetaObject::Connection& watch : m_historyWatches)
        QObject::disconnect(watch);
    // Deleted by a handler that the stack's own signal reached: the stack goes once it has returned.
    if (m_raisingDrops || m_stackCallingOut) {
        m_undoStack->setParent(nullptr);
        m_undoStack->deleteLater();
    }
}

void CurveEngine::start(const std::function<void()>& rePaint)
{
    m_canvas.setBackColor(m_settings.BackColor);
    rePaint();
    m_paintEnabled = true;
}

void CurveEngine::reset()
{
    const qint32 backColor = CurveSettings{}.BackColor;
    m_settings = CurveSettings{};
    m_settings.BackColor = ~backColor; // so that the write below recolours
    m_points = PointTable{};
    m_gesture = DragGesture{};
    m_keyPoint = 0;
    m_undoEnabled = true;
    m_valueEntryEnabled = true;
    m_pointEditingEnabled = false;
    m_dragValueVisible = false;
    endTransientLabels();
    clearHistory();
    pointsMayHaveChanged();
    setBackColor(backColor); // reports
}

LayoutResult CurveEngine::layOut()
{
    const platform::Canvas& s = m_canvas;
    SurfaceMetrics metrics;
    metrics.width = s.scaleWidth();
    metrics.height = s.scaleHeight();
    metrics.backColor = s.backColor();
    metrics.textWidth = [&s](const QString& text) { return s.textWidth(text); };
    metrics.lineHeight = s.textHeight(QString());
    const LayoutResult result = computeLayout(m_layout, m_settings, metrics);
    m_layout = result.plot;
    return result;
}

void CurveEngine::paintControl()
{
    if (!m_paintEnabled)
        return;
    painter().paintControl();
}

const QImage* CurveEngine::frame()
{
    m_canvas.shown();
    if (m_canvas.needsPicture()) {
        try {
            paintControl();
        } catch (const RuntimeError&) {
            // A paint event has no caller to report to.
        }
    }
    m_canvas.endPainting();
    return m_canvas.needsPicture() ? nullptr : &m_canvas.picture();
}

void CurveEngine::drawFocusMarker(QPainter& screen, const QRect& bounds)
{
    const QRect marker = placeFocusMarker();
    if (!marker.isNull())
        m_focusMarker.draw(screen, marker.adjusted(0, 0, -1, -1), m_client.canvasPixelRatio(), bounds);
}

void CurveEngine::showTracker(float vx, float vy)
{
    QString textX;
    QString textY;
    try {
        textX = FormatValue(vx, m_settings.X_Decimals);
        textY = FormatValue(vy, m_settings.Y_Decimals);
    } catch (const RuntimeError&) {
        return;
    }
    m_readout = {textX, textY, m_settings.TextColor};
    changed(Change::Readout);
}

void CurveEngine::setMousePointer(platform::MousePointer pointer)
{
    if (pointer == m_pointer)
        return;
    m_pointer = pointer;
    changed(Change::MousePointer);
}

QPointF CurveEngine::positionOf(int slot) const
{
    if (slot < 0 || slot >= m_points.slotsInUse())
        throw RuntimeError(
            RuntimeError::SubscriptOutOfRange,
            QStringLiteral("point %1 is not in use (Dimensions %2)").arg(slot).arg(m_points.dimensions()));
    const PlotMapping map = mapping();
    return QPointF(map.pixelX(m_points.pointX(slot)), map.pixelY(m_points.pointY(slot)));
}

QPointF CurveEngine::valueAt(const QPointF& position) const
{
    const PlotMapping map = mapping();
    return QPointF(map.valueX(float(position.x())), map.valueY(float(position.y())));
}

int CurveEngine::currentPoint() const
{
    const int count = m_points.slotsInUse();
    return count > 0 ? std::clamp(m_keyPoint, 0, count - 1) : -1;
}

std::optional<QPointF> CurveEngine::currentPointPixel() const
{
    const int i = currentPoint();
    if (i < 0)
        return std::nullopt;
    const PlotMapping map = mapping();
    const double x = map.pixelX(m_points.pointX(i));
    const double y = map.pixelY(m_points.pointY(i));
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    return QPointF(x, y);
}

void CurveEngine::setCurrentPoint(int slot)
{
    if (slot < 0 || slot >= m_points.slotsInUse())
        return;
    // Kept as chosen even when it equals the clamped one: a later Dimensions must not bring back
    // an older choice.
    const bool moved = slot != currentPoint();
    m_keyPoint = slot;
    if (!moved)
        return;
    updateFocusMarker();
    changed(Change::CurrentPoint);
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
    endTransientLabels();
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

bool CurveEngine::flushChanges()
{
    if (m_pointsDirty) {
        // The points are compared with what was last reported, so that a notice means a change.
        m_pointsDirty = false;
        const PointReadings now = m_points.readings();
        if (!now.samePoints(m_reportedPoints))
            changed(Change::Points);
        if (now.x != m_reportedPoints.x)
            changed(Change::X_Knotel);
        if (now.y != m_reportedPoints.y)
            changed(Change::Y_Knotel);
        if (now.changed != m_reportedPoints.changed)
            changed(Change::Changed);
        m_reportedPoints = now;
    }
    for (std::size_t i = 0; i < ChangeCount; ++i) {
        if (!m_changes.test(i))
            continue;
        m_changes.reset(i);
        if (!m_client.changed(Change(i)))
            return false;
    }
    return true;
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
