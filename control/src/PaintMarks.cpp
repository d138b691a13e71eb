// The paint pass's limit lines and actual-value marker.
#include "CurvePrivate.h"

#include "ErrorTolerance.h"
#include "PaintSteps.h"
#include "platform/DrawingSurface.h"

#include <knotel/FormatValue.h>

namespace knotel {

namespace {

using paint::plotBottom;
using paint::plotRight;
using paint::position;

// Half the width and height of the actual-value cross.
constexpr double CrossHalf = 6;

/** A dotted line two pixels thick across the plot, its lower row at py(@p value). Drawn only
 *  strictly inside the plot: not on its top or bottom edge. */
void drawLimitLine(const CurvePrivate& d, platform::DrawingSurface& s, float value)
{
    const PlotLayout& l = d.layout;
    float y = 0;
    bool inside = false;
    tolerate([&] { y = position(d.mapping().pixelY(value)); });
    tolerate([&] { inside = double(y) > double(l.PlotTop) && double(y) < double(plotBottom(l)); });
    tolerate([&] {
        if (inside)
            s.line(float(l.PlotLeft), y, float(plotRight(l)), y, d.ActualValueColor);
    });
    tolerate([&] {
        if (inside)
            s.line(float(l.PlotLeft), position(double(y) - 1), float(plotRight(l)), position(double(y) - 1),
                   d.ActualValueColor);
    });
}

} // namespace

void CurvePrivate::drawLimitLines()
{
    platform::DrawingSurface& s = *Picture_Curve;
    tolerate([&] { s.setDrawStyle(platform::DrawStyle::Dot); });
    // The marker text is printed in this colour too; the axis texts set their own.
    tolerate([&] { s.setForeColor(ActualValueColor); });
    if (DashedLineTopSet != 0)
        drawLimitLine(*this, s, Y_DashedLine_Top);
    if (DashedLineBottomSet != 0)
        drawLimitLine(*this, s, Y_DashedLine_Bottom);
    // On its own, so that a failing limit line never leaves the pen dotted.
    tolerate([&] { s.setDrawStyle(platform::DrawStyle::Solid); });
}

void CurvePrivate::drawActualValue()
{
    // The marker exists once both coordinates have been given.
    if (ActualValueXSet == 0 || ActualValueYSet == 0)
        return;
    platform::DrawingSurface& s = *Picture_Curve;
    const PlotMapping map = mapping();
    float x = 0;
    float y = 0;
    bool inside = false;
    QString text;
    tolerate([&] { x = position(map.pixelX(Actual_Value_X)); });
    tolerate([&] { y = position(map.pixelY(Actual_Value_Y)); });
    // Strictly inside on all four sides; on the border or outside nothing is drawn.
    tolerate([&] {
        inside = double(layout.PlotLeft) < x && x < double(plotRight(layout)) && double(layout.PlotTop) < y &&
                 y < double(plotBottom(layout));
    });
    if (!inside)
        return;
    tolerate([&] {
        s.line(position(x - CrossHalf), position(y - CrossHalf), position(x + CrossHalf),
               position(y + CrossHalf), ActualValueColor);
    });
    // Leaves the current position at the cross's lower-left end, where the text starts.
    tolerate([&] {
        s.line(position(x + CrossHalf), position(y - CrossHalf), position(x - CrossHalf),
               position(y + CrossHalf), ActualValueColor);
    });
    tolerate([&] {
        text = FormatValue(Actual_Value_X, X_Decimals) + QLatin1Char('/') +
               FormatValue(Actual_Value_Y, Y_Decimals);
    });
    tolerate([&] { s.print(text); });
}

} // namespace knotel
