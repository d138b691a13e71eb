// The curve itself: segments between successive break points and a marker at every point,
// drawn with the XOR pen so that a second identical call erases them pixel for pixel.
#include "CurvePrivate.h"

#include "ErrorTolerance.h"
#include "platform/DrawingSurface.h"

#include <array>

namespace knotel {

namespace {

enum BreakPointShapes { Circle = 1, FilledCircle = 2, Box = 3, FilledBox = 4 };

} // namespace

void CurvePrivate::drawCurveXor()
{
    using platform::DrawMode;
    using platform::FillStyle;
    platform::DrawingSurface& surface = *Picture_Curve;
    const PlotMapping map = mapping();
    // Never past slot 63, whatever Dimensions says; 0 or below draws nothing.
    const int count = slotsInUse();

    surface.setDrawMode(DrawMode::XorPen);

    // Each position is worked out in double precision and stored as a single. A figure with a
    // position that is not finite is refused by the surface and skipped, the same way at the
    // drawing call and at the erasing one.
    std::array<float, SlotCount> px;
    std::array<float, SlotCount> py;
    for (int i = 0; i < count; ++i) {
        px[i] = float(map.pixelX(PointX[i]));
        py[i] = float(map.pixelY(PointY[i]));
    }

    // The line is drawn only once the host has given both coordinates of every point in use.
    int complete = 0;
    while (complete < count && PointXSet[complete] != 0 && PointYSet[complete] != 0)
        ++complete;
    if (complete == Dimensions && HideLine == 0) {
        for (int i = 0; i + 1 < count; ++i)
            tolerate([&] { surface.line(px[i], py[i], px[i + 1], py[i + 1], layout.XorPenColor); });
    }

    for (int i = 0; i < count; ++i) {
        const double x = px[i];
        const double y = py[i];
        tolerate([&] {
            switch (BreakPointShape) {
            case Circle:
                surface.circle(px[i], py[i], 3, layout.XorPenColor);
                break;
            case FilledCircle:
                surface.setFillColor(CurveColor);
                surface.setFillStyle(FillStyle::Solid);
                tolerate([&] { surface.circle(px[i], py[i], 2, layout.XorPenColor); });
                surface.setFillStyle(FillStyle::Transparent);
                break;
            case Box:
                surface.box(float(x - 3), float(y - 3), float(x + 3), float(y + 3), layout.XorPenColor);
                break;
            case FilledBox:
                surface.filledBox(float(x - 2), float(y - 2), float(x + 2), float(y + 2), layout.XorPenColor);
                break;
            default:
                break;
            }
        });
    }

    surface.setDrawMode(DrawMode::CopyPen);
}

} // namespace knotel
