// The paint pass: the order of its steps.
#include "engine/CurvePainter.h"

#include "ErrorTolerance.h"
#include "platform/Canvas.h"

namespace knotel {

CurvePainter::CurvePainter(const CurveSettings& settings, const PointTable& points, const PlotLayout& layout,
                           platform::Canvas& canvas)
    : m_settings(settings), m_points(points), m_layout(layout), m_canvas(canvas)
{
}

qint32 CurvePainter::plotRight() const
{
    return add32(m_layout.PlotLeft, m_layout.PlotWidth);
}

qint32 CurvePainter::plotBottom() const
{
    return add32(m_layout.PlotTop, m_layout.PlotHeight);
}

void CurvePainter::paintControl()
{
    // A failing Cls goes to the caller. From here on every statement that can fail runs on its own:
    // one that fails is abandoned and the pass goes on with the next, so every later element is drawn.
    m_canvas.cls();
    drawArrowHeads();
    drawScale(Axis::X);
    drawScale(Axis::Y);
    drawLimitLines();
    drawActualValue();
    drawAxisLines();
    m_canvas.setForeColor(m_settings.TextColor);
    drawAxisTexts();
    drawCaption();
    drawCurveXor();
}

} // namespace knotel
