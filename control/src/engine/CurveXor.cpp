// The curve itself: segments between successive break points and a marker at every point,
// drawn with the XOR pen so that a second identical call erases them pixel for pixel. Because
// XOR drawing cancels figure by figure, erasing and redrawing only the figures that touch a
// changed point gives the same picture as erasing and redrawing the whole curve.
#include "engine/CurvePainter.h"

#include "numbers/ErrorTolerance.h"
#include "numbers/NumberConversion.h"
#include "platform/Canvas.h"

#include <algorithm>
#include <array>

namespace knotel {

namespace {

enum BreakPointShapes { Circle = 1, FilledCircle = 2, Box = 3, FilledBox = 4 };

constexpr float CircleRadius = 3;
constexpr float FilledCircleRadius = 2;
constexpr double BoxHalf = 3;
constexpr double FilledBoxHalf = 2;

} // namespace

void CurvePainter::drawCurveXor(int first, int last)
{
    using platform::DrawMode;
    using platform::FillStyle;
    platform::Canvas& surface = m_canvas;
    const PlotMapping map = mapping();
    const qint32 pen = m_layout.XorPenColor;
    // Slots 0 to Dimensions - 1, never past slot 63 whatever Dimensions says; 0 or below draws
    // nothing.
    const int count = m_points.slotsInUse();
    // The figures of slots first to last: their markers and every segment with an end among them.
    const int from = std::max(first, 0);
    const int to = std::min(last, count - 1);
    const int segmentFrom = std::max(from - 1, 0);
    const int segmentTo = std::min(to, count - 2);

    const platform::Canvas::UpdateBatch batch(surface);
    surface.setDrawMode(DrawMode::XorPen);

    // Each position is worked out in double precision and stored as a single. A figure with a
    // position that is not finite (an empty axis gives an infinite scale) is refused by the
    // surface and skipped, the same way at the drawing call and at the erasing one.
    std::array<float, SlotCount> px{};
    std::array<float, SlotCount> py{};
    for (int i = segmentFrom; i <= to + 1 && i < count; ++i) {
        px[i] = toSingleOrInfinity(map.pixelX(m_points.pointX(i)));
        py[i] = toSingleOrInfinity(map.pixelY(m_points.pointY(i)));
    }

    // The line is drawn only once the host has given both coordinates of every point drawn.
    if (m_points.complete() && !m_settings.HideLine) {
        for (int i = segmentFrom; i <= segmentTo; ++i)
            tolerate([&] { surface.line(px[i], py[i], px[i + 1], py[i + 1], pen); });
    }

    // Markers whatever the completeness test and HideLine gave, after all segments, in slot order.
    for (int i = from; i <= to; ++i) {
        const double x = px[i];
        const double y = py[i];
        switch (m_settings.BreakPointShape) {
        case Circle:
            tolerate([&] { surface.circle(px[i], py[i], CircleRadius, pen); });
            break;
        case FilledCircle:
            // Filled in CurveColor itself; the fill is transparent again at once.
            surface.setFillColor(m_settings.CurveColor);
            surface.setFillStyle(FillStyle::Solid);
            tolerate([&] { surface.circle(px[i], py[i], FilledCircleRadius, pen); });
            surface.setFillStyle(FillStyle::Transparent);
            break;
        case Box:
            tolerate([&] {
                surface.box(toSingleOrInfinity(x - BoxHalf), toSingleOrInfinity(y - BoxHalf),
                            toSingleOrInfinity(x + BoxHalf), toSingleOrInfinity(y + BoxHalf), pen);
            });
            break;
        case FilledBox:
            tolerate([&] {
                surface.filledBox(
                    toSingleOrInfinity(x - FilledBoxHalf), toSingleOrInfinity(y - FilledBoxHalf),
                    toSingleOrInfinity(x + FilledBoxHalf), toSingleOrInfinity(y + FilledBoxHalf), pen);
            });
            break;
        default:
            break;
        }
    }

    surface.setDrawMode(DrawMode::CopyPen);
}

} // namespace knotel
