// The limit lines and the actual-value marker.
#include "engine/CurvePainter.h"

#include "numbers/ErrorTolerance.h"
#include "numbers/NumberConversion.h"
#include "platform/Canvas.h"

#include <knotel/FormatValue.h>

namespace knotel {

namespace {

// Half the width and height of the actual-value cross.
constexpr double CrossHalf = 6;

} // namespace

void CurvePainter::drawLimitLines()
{
    platform::Canvas& s = m_canvas;
    s.setDrawStyle(platform::DrawStyle::Dot);
    // The marker text is printed in this colour too; the axis texts set their own.
    s.setForeColor(m_settings.ActualValueColor);
    if (m_settings.Y_DashedLine_Top)
        drawLimitLine(*m_settings.Y_DashedLine_Top);
    if (m_settings.Y_DashedLine_Bottom)
        drawLimitLine(*m_settings.Y_DashedLine_Bottom);
    // A failing limit line never leaves the pen dotted: its steps fail on their own.
    s.setDrawStyle(platform::DrawStyle::Solid);
}

/** A dotted line two pixels thick across the plot, its lower row at py(@p value). Drawn only
 *  strictly inside the plot: not on its top or bottom edge. */
void CurvePainter::drawLimitLine(float value)
{
    const PlotLayout& l = m_layout;
    platform::Canvas& s = m_canvas;
    const qint32 colour = m_settings.ActualValueColor;
    const float y = toSingleOrInfinity(mapping().pixelY(value));
    bool inside = false;
    tolerate([&] { inside = double(y) > double(l.PlotTop) && double(y) < double(plotBottom()); });
    tolerate([&] {
        if (inside)
            s.line(float(l.PlotLeft), y, float(plotRight()), y, colour);
    });
    tolerate([&] {
        if (inside)
            s.line(float(l.PlotLeft), toSingleOrInfinity(double(y) - 1), float(plotRight()),
                   toSingleOrInfinity(double(y) - 1), colour);
    });
}

void CurvePainter::drawActualValue()
{
    // The marker exists once both coordinates have been given.
    if (!m_settings.Actual_Value_X || !m_settings.Actual_Value_Y)
        return;
    const float valueX = *m_settings.Actual_Value_X;
    const float valueY = *m_settings.Actual_Value_Y;
    const qint32 colour = m_settings.ActualValueColor;
    platform::Canvas& s = m_canvas;
    const PlotMapping map = mapping();
    const float x = toSingleOrInfinity(map.pixelX(valueX));
    const float y = toSingleOrInfinity(map.pixelY(valueY));
    bool inside = false;
    QString text;
    // Strictly inside on all four sides; on the border or outside nothing is drawn.
    tolerate([&] {
        inside = double(m_layout.PlotLeft) < x && x < double(plotRight()) && double(m_layout.PlotTop) < y &&
                 y < double(plotBottom());
    });
    if (!inside)
        return;
    tolerate([&] {
        s.line(toSingleOrInfinity(x - CrossHalf), toSingleOrInfinity(y - CrossHalf),
               toSingleOrInfinity(x + CrossHalf), toSingleOrInfinity(y + CrossHalf), colour);
    });
    // Leaves the current position at the cross's lower-left end, where the text starts.
    tolerate([&] {
        s.line(toSingleOrInfinity(x + CrossHalf), toSingleOrInfinity(y - CrossHalf),
               toSingleOrInfinity(x - CrossHalf), toSingleOrInfinity(y + CrossHalf), colour);
    });
    tolerate([&] {
        text = FormatValue(valueX, m_settings.X_Decimals) + QLatin1Char('/') +
               FormatValue(valueY, m_settings.Y_Decimals);
    });
    tolerate([&] { s.print(text); });
}

} // namespace knotel
