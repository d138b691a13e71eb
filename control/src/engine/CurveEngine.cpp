// The engine's frame: its making and unmaking, the layout and the paint pass on its surface, the
// tracker text and the keys' current point.
#include "engine/CurveEngine.h"

#include "platform/DrawingSurface.h"

#include <knotel/FormatValue.h>
#include <knotel/RuntimeError.h>

#include <QUndoStack>

#include <algorithm>
#include <cmath>

namespace knotel {

CurveEngine::CurveEngine(EngineClient& client, QObject* owner)
    : undoStack(createEditHistory(owner)), m_client(client)
{
}

CurveEngine::~CurveEngine()
{
    // Deleted by a drop handler during an undo or redo: the stack is still at work, so it goes
    // once that is done.
    if (historyBusy) {
        undoStack->setParent(nullptr);
        undoStack->deleteLater();
    }
}

LayoutResult CurveEngine::layOut()
{
    const platform::DrawingSurface& s = *surface;
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
    if (slot < 0 || slot >= points.slotsInUse() || slot == currentPoint())
        return;
    keyPoint = slot;
    surface->updateFocusMarker();
    m_client.currentPointChanged(slot);
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
