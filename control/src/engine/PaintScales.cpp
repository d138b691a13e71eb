// The X and Y scales of the paint pass: labels, tick marks and grid lines.
#include "engine/CurvePainter.h"

#include "numbers/ErrorTolerance.h"
#include "numbers/NumberConversion.h"
#include "platform/Canvas.h"

#include <knotel/FormatValue.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace knotel {

namespace {

// A scale loop runs until its value passes the axis end. A positive step too small to move the
// value in single precision would keep it running for ever, and a tiny step over a wide range
// would print millions of labels on top of each other. So a scale also ends when its value
// stops growing, and after as many values as its axis has pixels, plus a margin, and never
// fewer than MinimumScaleValues. A scale whose values are at least a pixel apart, which every
// readable one is, never comes near either limit and is drawn in full.
constexpr qint64 MinimumScaleValues = 64;
constexpr qint64 ScaleValueMargin = 2;

qint64 scaleValueLimit(qint32 axisPixels)
{
    return std::max(std::abs(qint64{axisPixels}), MinimumScaleValues) + ScaleValueMargin;
}

/** v + step, stored as a single; throws 6 beyond the single range, so that v keeps its value. */
float nextValue(float v, float step)
{
    return toSingleOrThrow(double(v) + double(step));
}

/** The position @p p floored (towards negative infinity), then stored as a single. */
float flooredPosition(double p)
{
    return toSingleOrInfinity(std::floor(p));
}

// Gap between the X axis and the top of the X labels, and between a Y label and the Y axis.
constexpr qint32 XLabelGap = 5;
constexpr double YLabelGap = 6;
// Half the length of a tick mark.
constexpr qint32 TickHalf = 3;

} // namespace

void CurvePainter::drawXScale()
{
    platform::Canvas& s = m_canvas;
    if (!(m_settings.X_Step > 0)) // also a NaN step
        return;
    const PlotLayout& l = m_layout;
    const PlotMapping map = mapping();
    const qint64 limit = scaleValueLimit(l.PlotWidth);

    // The scale runs from the smaller axis end to the larger one, whichever way the axis points.
    float v = m_settings.X_Axis_Right;
    float vEnd = m_settings.X_Axis_Left;
    if (m_settings.X_Axis_Left < m_settings.X_Axis_Right) {
        v = m_settings.X_Axis_Left;
        vEnd = m_settings.X_Axis_Right;
    }
    float x = 0;
    QString text;

    // The start value's label and grid line use its exact position, the later ones floored ones.
    x = toSingleOrInfinity(map.pixelX(v));
    tolerate([&] {
        if (m_settings.ViewGrid != 0)
            s.line(x, float(l.PlotTop), x, float(plotBottom()), m_settings.GridColor);
    });
    for (qint64 labels = 1;; ++labels) {
        tolerate([&] { text = FormatValue(v, m_settings.X_Decimals); });
        s.setCurrentX(toSingleOrInfinity(double(x) - double(s.textWidth(text)) / 2));
        tolerate([&] { s.setCurrentY(float(add32(plotBottom(), XLabelGap))); });
        s.setForeColor(m_settings.AxisColor);
        tolerate([&] { s.print(text); });
        const float previous = v;
        tolerate([&] { v = nextValue(v, m_settings.X_Step); });
        if (v > vEnd)
            break;
        if (!(v > previous) || labels >= limit)
            break;
        x = flooredPosition(map.pixelX(v));
        tolerate([&] {
            if (m_settings.ViewGrid == -1)
                s.line(x, float(l.PlotTop), x, float(plotBottom()), m_settings.GridColor);
        });
        tolerate([&] {
            s.line(x, float(sub32(plotBottom(), TickHalf)), x, float(add32(plotBottom(), TickHalf)),
                   m_settings.AxisColor);
        });
    }
}

void CurvePainter::drawYScale()
{
    platform::Canvas& s = m_canvas;
    if (!(m_settings.Y_Step > 0))
        return;
    const PlotLayout& l = m_layout;
    const PlotMapping map = mapping();
    const qint64 limit = scaleValueLimit(l.PlotHeight);
    const QString digit = QStringLiteral("8");

    float v = m_settings.Y_Axis_Top;
    float vEnd = m_settings.Y_Axis_Bottom;
    if (m_settings.Y_Axis_Bottom < m_settings.Y_Axis_Top) {
        v = m_settings.Y_Axis_Bottom;
        vEnd = m_settings.Y_Axis_Top;
    }
    float y = 0;
    QString text;

    // Labels run up to and including the first value that reaches or passes the axis end; every
    // label but the last gets a tick mark and, with the full grid, a grid line.
    for (qint64 labels = 1;; ++labels) {
        y = toSingleOrInfinity(map.pixelY(v));
        tolerate([&] { text = FormatValue(v, m_settings.Y_Decimals); });
        s.setCurrentX(toSingleOrInfinity((double(l.PlotLeft) - double(s.textWidth(text))) - YLabelGap));
        s.setCurrentY(toSingleOrInfinity(double(y) - double(s.textHeight(digit)) / 2));
        s.setForeColor(m_settings.AxisColor);
        tolerate([&] { s.print(text); });
        y = flooredPosition(map.pixelY(v));
        if (!(v < vEnd)) // also a NaN value
            break;
        tolerate([&] {
            s.line(float(sub32(l.PlotLeft, TickHalf)), y, float(add32(l.PlotLeft, TickHalf)), y,
                   m_settings.AxisColor);
        });
        tolerate([&] {
            if (m_settings.ViewGrid == -1) {
                const float g = flooredPosition(map.pixelY(v));
                s.line(float(l.PlotLeft), g, float(plotRight()), g, m_settings.GridColor);
            }
        });
        const float previous = v;
        tolerate([&] { v = nextValue(v, m_settings.Y_Step); });
        if (!(v > previous) || labels >= limit)
            break;
    }

    // The closing grid line, at the last labelled value: beyond the axis end when the step does
    // not divide the range.
    tolerate([&] {
        if (m_settings.ViewGrid != 0)
            s.line(float(l.PlotLeft), y, float(plotRight()), y, m_settings.GridColor);
    });
}

} // namespace knotel
