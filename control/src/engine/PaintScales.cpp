// The scales of the paint pass, one painter for both axes: labels, tick marks and grid lines.
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

void CurvePainter::drawScale(Axis axis)
{
    const CurveSettings& c = m_settings;
    const bool alongX = axis == Axis::X;
    const float step = alongX ? c.X_Step : c.Y_Step;
    if (!(step > 0)) // also a NaN step
        return;
    platform::Canvas& s = m_canvas;
    const PlotLayout& l = m_layout;
    const PlotMapping map = mapping();
    const qint32 decimals = alongX ? c.X_Decimals : c.Y_Decimals;
    const qint64 limit = scaleValueLimit(alongX ? l.PlotWidth : l.PlotHeight);
    auto pixel = [&](float value) { return alongX ? map.pixelX(value) : map.pixelY(value); };

    // The scale runs from the smaller axis end to the larger one, whichever way the axis points.
    const float lowEnd = alongX ? c.X_Axis_Left : c.Y_Axis_Bottom;
    const float highEnd = alongX ? c.X_Axis_Right : c.Y_Axis_Top;
    float v = highEnd;
    float vEnd = lowEnd;
    if (lowEnd < highEnd) {
        v = lowEnd;
        vEnd = highEnd;
    }

    // Tick marks and grid lines cross the axis at a position along it: vertical lines on X,
    // horizontal ones on Y. A tick mark straddles the axis line; a grid line spans the plot.
    auto across = [&](float at, qint32 from, qint32 to, qint32 colour) {
        if (alongX)
            s.line(at, float(from), at, float(to), colour);
        else
            s.line(float(from), at, float(to), at, colour);
    };
    auto tick = [&](float at) {
        tolerate([&] {
            const qint32 axisLine = alongX ? plotBottom() : l.PlotLeft;
            across(at, sub32(axisLine, TickHalf), add32(axisLine, TickHalf), c.AxisColor);
        });
    };
    auto gridLine = [&](float at, bool shown) {
        tolerate([&] {
            if (shown)
                alongX ? across(at, l.PlotTop, plotBottom(), c.GridColor)
                       : across(at, l.PlotLeft, plotRight(), c.GridColor);
        });
    };
    // A value's tick mark and, with the full grid, its grid line: on X the grid line lies under
    // the tick mark, on Y over it.
    auto marks = [&](float at) {
        if (alongX) {
            gridLine(at, c.ViewGrid == -1);
            tick(at);
        } else {
            tick(at);
            gridLine(at, c.ViewGrid == -1);
        }
    };

    // Every labelled value gets its marks at its floored position, but one: the start value on X,
    // whose label and grid line (whenever the grid shows) take its exact position, and on Y the
    // value that reaches or passes the axis end, after whose label the scale closes with a grid
    // line. X labels the values up to the axis end, at floored positions after the start value,
    // each after its marks; Y labels each value at its exact position, before its marks, up to
    // the first value that reaches the end: when the step does not divide the range, that last
    // label and the closing grid line lie beyond the axis end.
    QString text;
    float at = toSingleOrInfinity(pixel(v)); // where the label goes
    float mark = 0;                          // the floored position of the last value labelled on Y
    if (alongX)
        gridLine(at, c.ViewGrid != 0);
    for (qint64 labels = 1;; ++labels) {
        tolerate([&] { text = FormatValue(v, decimals); });
        drawScaleLabel(axis, text, at);
        if (!alongX) {
            mark = flooredPosition(pixel(v));
            if (!(v < vEnd)) // also a NaN value
                break;
            marks(mark);
        }
        const float previous = v;
        tolerate([&] { v = nextValue(v, step); });
        if (alongX && v > vEnd)
            break;
        if (!(v > previous) || labels >= limit)
            break;
        if (alongX) {
            at = flooredPosition(pixel(v));
            marks(at);
        } else {
            at = toSingleOrInfinity(pixel(v));
        }
    }
    if (!alongX)
        gridLine(mark, c.ViewGrid != 0);
}

/** A scale label: on X centred on @p at with its top 5 px below the axis, on Y ending 6 px left
 *  of the axis and centred vertically on @p at, using the height of "8" as the line height. */
void CurvePainter::drawScaleLabel(Axis axis, const QString& text, float at)
{
    platform::Canvas& s = m_canvas;
    if (axis == Axis::X) {
        s.setCurrentX(toSingleOrInfinity(double(at) - double(s.textWidth(text)) / 2));
        tolerate([&] { s.setCurrentY(float(add32(plotBottom(), XLabelGap))); });
    } else {
        s.setCurrentX(
            toSingleOrInfinity((double(m_layout.PlotLeft) - double(s.textWidth(text))) - YLabelGap));
        s.setCurrentY(toSingleOrInfinity(double(at) - double(s.textHeight(QStringLiteral("8"))) / 2));
    }
    s.setForeColor(m_settings.AxisColor);
    tolerate([&] { s.print(text); });
}

} // namespace knotel
