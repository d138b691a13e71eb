// Exact values typed into a point: the typed texts applied under the rules of a drag, as one edit
// that redraws, can be undone and raises the drop once.
#include "engine/CurveEngine.h"

#include "engine/EditRules.h"
#include "platform/Canvas.h"

#include <knotel/LeadingValue.h>

namespace knotel {

CurveEngine::TypedValues CurveEngine::applyTypedValues(int slot, const std::optional<QString>& x,
                                                       const std::optional<QString>& y)
{
    TypedValues typed;
    if (slot < 0 || slot >= m_points.slotsInUse())
        return typed;
    // Read as every number typed into the control is.
    const auto value = [](const std::optional<QString>& text) {
        return text ? std::optional(LeadingValue(*text)) : std::nullopt;
    };
    const TypedPoint result = typedPoint(m_points, m_settings, slot, value(x), value(y));
    typed.from = m_points.position(slot);
    typed.refusedX = result.refusedX;
    typed.refusedY = result.refusedY;
    // All or nothing: a refused value keeps the point where it is.
    typed.to = typed.refusedX || typed.refusedY ? typed.from : result.to;
    CurvePainter curvePainter = painter();
    placePoint(m_points, slot, typed.to, curvePainter);
    pointsMayHaveChanged();
    updateFocusMarker();
    return typed;
}

bool CurveEngine::finishTypedValues(int slot, const TypedValues& typed)
{
    if (typed.to.same(typed.from))
        return report();
    recordPointMove(slot, typed.from, typed.to, EditSource::ValueEntry);
    return announceDrop(slot);
}

bool CurveEngine::enterValues(int index, const QString& x, const QString& y)
{
    if (index < 0 || index >= m_points.slotsInUse() || dragging())
        return false;
    const auto typed = [](const QString& text) {
        return text.trimmed().isEmpty() ? std::nullopt : std::optional(text);
    };
    const TypedValues result = applyTypedValues(index, typed(x), typed(y));
    const bool taken = !result.refusedX && !result.refusedY;
    (void)finishTypedValues(index, result); // the last act: a handler may delete the control
    return taken;
}

} // namespace knotel
