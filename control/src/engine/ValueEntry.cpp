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
    if (slot < 0 || slot >= points.slotsInUse())
        return typed;
    // Read as every number typed into the control is.
    const auto value = [](const std::optional<QString>& text) {
        return text ? std::optional(LeadingValue(*text)) : std::nullopt;
    };
    const TypedPoint result = typedPoint(points, settings, slot, value(x), value(y));
    typed.from = points.position(slot);
    typed.refusedX = result.refusedX;
    typed.refusedY = result.refusedY;
    // All or nothing: a refused value keeps the point where it is.
    typed.to = typed.refusedX || typed.refusedY ? typed.from : result.to;
    CurvePainter curvePainter = painter();
    placePoint(points, slot, typed.to, curvePainter);
    updateFocusMarker();
    return typed;
}

bool CurveEngine::finishTypedValues(int slot, const TypedValues& typed)
{
    if (typed.to.same(typed.from))
        return true;
    recordPointMove(slot, typed.from, typed.to, EditSource::ValueEntry);
    return announceDrop(slot);
}

} // namespace knotel
