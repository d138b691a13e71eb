// The curve itself: segments between successive break points and a marker at every point,
// drawn with the XOR pen so that a second identical call erases them pixel for pixel. Because
// XOR drawing cancels figure by figure, erasing and redrawing only the figures that touch a
// changed point gives the same picture as erasing and redrawing the whole curve.
#include "CurvePrivate.h"

#include "ErrorTolerance.h"
#include "PaintSteps.h"
#include "platform/DrawingSurface.h"

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

void CurvePrivate::drawCurveXor(int first, int last)
{
    using paint::position;
    using platform::DrawMode;
    using platform::FillStyle;
    platform::DrawingSurface& surface = *Picture_Curve;
    const PlotMapping map = mapping();
    // Slots 0 to Dimensions - 1, never past slot 63 whatever Dimensions says; 0 or below draws
    // nothing.
    const int count = slotsInUse();
    // The figures of slots first to last: their markers and every segment with an end among them.
    const int from = std::max(first, 0);
    const int to = std::min(last, count - 1);
    const int segmentFrom = std::max(from - 1, 0);
    const int segmentTo = std::min(to, count - 2);

    const platform::DrawingSurface::UpdateBatch batch(surface);
    surface.setDrawMode(DrawMode::XorPen);

    // Each position is worked out in double precision and stored as a single. A figure with a
    // position that is not finite (an empty axis gives an infinite scale) is refused by the
    // surface and skipped, the same way at the drawing call and at the erasing one.
    std::array<float, SlotCount> px{};
    std::array<float, SlotCount> py{};
    for (int i = segmentFrom; i <= to + 1 && i < count; ++i) {
        px[i] = position(map.pixelX(PointX[i]));
        py[i] = position(map.pixelY(PointY[i]));
    }

    // The line is drawn only once the host has given both coordinates of every point drawn.
    int complete = 0;
    while (complete < count && PointXSet[complete] != 0 && PointYSet[complete] != 0)
        ++complete;
    if (complete == count && HideLine == 0) {
        for (int i = segmentFrom; i <= segmentTo; ++i)
            tolerate([&] { surface.line(px[i], py[i], px[i + 1], py[i + 1], layout.XorPenColor); });
    }

    // Markers whatever the completeness test and HideLine gave, after all segments, in slot order.
    for (int i = from; i <= to; ++i) {
        const double x = px[i];
        const double y = py[i];
        switch (BreakPointShape) {
        case Circle:
            tolerate([&] { surface.circle(px[i], py[i], CircleRadius, layout.XorPenColor); });
            break;
        case FilledCircle:
            // Filled in CurveColor itself; the fill is transparent again at once.
            surface.setFillColor(CurveColor);
            surface.setFillStyle(FillStyle::Solid);
            tolerate([&] { surface.circle(px[i], py[i], FilledCircleRadius, layout.XorPenColor); });
            surface.setFillStyle(FillStyle::Transparent);
            break;
        case Box:
            tolerate([&] {
                surface.box(position(x - BoxHalf), position(y - BoxHalf), position(x + BoxHalf),
                            position(y + BoxHalf), layout.XorPenColor);
            });
            break;
        case FilledBox:
            tolerate([&] {
                surface.filledBox(position(x - FilledBoxHalf), position(y - FilledBoxHalf),
                                  position(x + FilledBoxHalf), position(y + FilledBoxHalf),
                                  layout.XorPenColor);
            });
            break;
        default:
            break;
        }
    }

    surface.setDrawMode(DrawMode::CopyPen);
}

} // namespace knotel
