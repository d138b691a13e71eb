// Exact values typed into a point: the typed texts applied under the rules of a drag, as one edit
// that redraws, can be undone and raises the drop once.
#include "engine/CurveEngine.h"

#include "NumberConversion.h"
#include "platform/Canvas.h"

#include <knotel/LeadingValue.h>

namespace knotel {

namespace {

/** The value that a typed text gives, read as every number typed into the control is. */
std::optional<float> typedValue(const std::optional<QString>& text)
{
    return text ? toSingleOrNothing(LeadingValue(*text)) : std::nullopt;
}

/** True when a typed coordinate asked for another value and the point kept the one it had. */
bool refused(const std::optional<QString>& text, std::optional<float> typed, float before, float after)
{
    return text && sameSingle(after, before) && !(typed && sameSingle(*typed, before));
}

} // namespace

CurveEngine::TypedValues CurveEngine::applyTypedValues(int slot, const std::optional<QString>& x,
                                                       const std::optional<QString>& y)
{
    TypedValues typed;
    if (slot < 0 || slot >= points.slotsInUse())
        return typed;
    const std::optional<float> valueX = typedValue(x);
    const std::optional<float> valueY = typedValue(y);
    typed.from = points.position(slot);
    typed.to = draggedPoint(points, settings, slot, valueX, valueY);
    CurvePainter curvePainter = painter();
    placePoint(points, slot, typed.to, curvePainter);
    updateFocusMarker();
    typed.refusedX = refused(x, valueX, typed.from.x, typed.to.x);
    typed.refusedY = refused(y, valueY, typed.from.y, typed.to.y);
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
