// The paint pass: the order of its steps.
#include "engine/CurvePainter.h"

#include "numbers/ErrorTolerance.h"
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

CurvePainter::BackgroundKey CurvePainter::backgroundKey() const
{
    // Everything but what the live layer and the curve draw, so that a setting added later is
    // part of the key unless it is taken out here.
    BackgroundKey key{m_settings, m_layout};
    CurveSettings& s = key.settings;
    s.Y_DashedLine_Top = s.Y_DashedLine_Bottom = s.Actual_Value_X = s.Actual_Value_Y = std::nullopt;
    s.ActualValueColor = 0;
    s.CurveColor = 0;
    s.BreakPointShape = 0;
    s.HideLine = false;
    key.layout.XorPenColor = 0;
    return key;
}

void CurvePainter::paintControl()
{
    // While the background (base and frame) stays the same, the canvas keeps it and draws only
    // what changed of the rest; the picture is the one the whole pass draws.
    platform::Canvas::Pass pass(m_canvas, backgroundKey());
    // A failing Cls goes to the caller. From here on every statement that can fail runs on its own:
    // one that fails is abandoned and the pass goes on with the next, so every later element is drawn.
    m_canvas.cls();
    pass.drawLayers(
        [this] {
            drawArrowHeads();
            drawScale(Axis::X);
            drawScale(Axis::Y);
        },
        [this] {
            drawLimitLines();
            drawActualValue();
        },
        [this] { drawFrame(); });
    drawCurveXor();
}

} // namespace knotel
