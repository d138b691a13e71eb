#ifndef KNOTEL_LAYOUT_H
#define KNOTEL_LAYOUT_H

#include "engine/CurveSettings.h"
#include "platform/Twips.h"

#include <knotel/PlotLayout.h>

#include <QString>

#include <functional>
#include <optional>

namespace knotel {

/** What the layout measures on the drawing surface, in pixels, in the surface's normal font. */
struct SurfaceMetrics {
    float width = 0;
    float height = 0;
    qint32 backColor = 0;
    std::function<float(const QString&)> textWidth;
    /** The height of one line of text, whatever its characters. */
    float lineHeight = 0;
};

/** A computed layout, and whether the X and Y tracker boxes show (nothing: left as they are). */
struct LayoutResult {
    PlotLayout plot;
    std::optional<bool> showXTracker;
    std::optional<bool> showYTracker;
};

/**
 * The plot rectangle, the two scales and the XOR pen colour for @p settings on a surface of
 * @p metrics.
 *
 * The layout is worked out step by step from @p previous, the last layout computed: a step that
 * fails (a 32-bit overflow, a label that cannot be formatted) is skipped and leaves its field as
 * it was, and the next step goes on.
 */
LayoutResult computeLayout(const PlotLayout& previous, const CurveSettings& settings,
                           const SurfaceMetrics& metrics);

/** The tracker's read-out box on a surface of @p surface pixels: 1515 x 195 twips, 5 pixels from
 *  the right edge and 2 from the bottom. */
QRect readoutBox(QSize surface, const platform::TwipsPerPixel& twips);

} // namespace knotel

#endif
