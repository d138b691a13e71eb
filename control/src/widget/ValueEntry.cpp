// Exact values typed into a point: the value editor opened on a point, and the typed texts applied
// under the rules of a drag, as one edit that redraws, can be undone and raises DroppedValue once.
#include "widget/CurvePrivate.h"

#include "platform/DrawingSurface.h"
#include "widget/ValueEditor.h"

#include <knotel/Curve.h>
#include <knotel/FormatValue.h>
#include <knotel/LeadingValue.h>
#include <knotel/RuntimeError.h>

namespace knotel {

namespace {

/** @p v as the control writes it with @p decimals, or its plain text for decimals it cannot show. */
QString valueText(float v, qint32 decimals)
{
    try {
        return FormatValue(v, decimals);
    } catch (const RuntimeError&) {
        return singleText(v);
    }
}

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

void CurvePrivate::openValueEditor(int slot, bool fromKeys)
{
    if (slot < 0 || slot >= points.slotsInUse())
        return;
    if (!valueEditor) {
        valueEditor = new ValueEditor(
            surface, surface->font(), [this] { applyTypedValues(); },
            [this](bool refocus) { closeValueEditor(refocus); });
    }
    if (slot != currentPoint()) {
        keyPoint = slot;
        surface->updateFocusMarker();
    }
    const FreeAxes free = freeAxes(points, settings, slot);
    const PointPosition at = points.position(slot);
    const PlotMapping map = mapping();
    valueEditor->open(slot, valueText(at.x, settings.X_Decimals), valueText(at.y, settings.Y_Decimals),
                      free.x, free.y, QPointF(map.pixelX(at.x), map.pixelY(at.y)), fromKeys);
}

void CurvePrivate::closeValueEditor(bool refocus)
{
    if (!valueEditor || valueEditor->isHidden())
        return;
    if (refocus) {
        // Before hiding, so that Qt does not pass the focus on to another widget.
        surface->setFocus(Qt::OtherFocusReason);
        if (valueEditor->openedFromKeys())
            surface->setFocusVisible(true);
    }
    valueEditor->hide();
}

void CurvePrivate::applyTypedValues()
{
    const int slot = valueEditor->slot();
    if (slot >= points.slotsInUse() || gesture.active()) {
        closeValueEditor(true);
        return;
    }
    const std::optional<QString> textX = valueEditor->editedX();
    const std::optional<QString> textY = valueEditor->editedY();
    const std::optional<float> x = typedValue(textX);
    const std::optional<float> y = typedValue(textY);
    const PointPosition from = points.position(slot);
    const PointPosition to = draggedPoint(points, settings, slot, x, y);
    CurvePainter curvePainter = painter();
    placePoint(points, slot, to, curvePainter);
    surface->updateFocusMarker();

    const bool refusedX = refused(textX, x, from.x, to.x);
    const bool refusedY = refused(textY, y, from.y, to.y);
    if (refusedX || refusedY) {
        // The boxes show what the point kept; the person may type again or cancel.
        valueEditor->showValues(valueText(to.x, settings.X_Decimals), valueText(to.y, settings.Y_Decimals),
                                !refusedX);
    } else {
        closeValueEditor(true);
    }
    if (to.same(from))
        return;
    recordPointMove(slot, from, to, EditSource::ValueEntry);
    (void)announceDrop(slot); // the last act: the host's handler may delete the control
}

} // namespace knotel
