#ifndef KNOTEL_PLOTLAYOUT_H
#define KNOTEL_PLOTLAYOUT_H

#include <QtGlobal>

namespace knotel {

/**
 * The plot rectangle and scales that the control's last layout computed, in pixels of its
 * drawing surface. All fields are 0 until a layout has run.
 */
struct PlotLayout {
    qint32 PlotLeft = 0;    ///< x of the plot's left edge, where X_Axis_Left lies
    qint32 PlotTop = 0;     ///< y of the plot's top edge, where Y_Axis_Top lies
    qint32 PlotWidth = 0;   ///< PlotLeft + PlotWidth is where X_Axis_Right lies
    qint32 PlotHeight = 0;  ///< PlotTop + PlotHeight is where Y_Axis_Bottom lies
    float ScaleX = 0.0f;    ///< pixels per X unit; negative for a reversed axis, infinite for an empty one
    float ScaleY = 0.0f;    ///< pixels per Y unit
    qint32 XorPenColor = 0; ///< CurveColor XOR the surface's back colour at the time of the layout

    bool operator==(const PlotLayout&) const = default;
};

} // namespace knotel

#endif
