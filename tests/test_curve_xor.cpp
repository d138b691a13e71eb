// The curve drawn with the XOR pen: its colour over the plain background, erasing by a second
// identical call, segments before markers, the four marker shapes and the 64-slot limit.
#include "PaintedCurve.h"

#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>

#include <algorithm>
#include <vector>

using namespace knotel;
using platform::DrawCall;
using platform::DrawMode;
using platform::FillStyle;
using test::differingPixels;

namespace {

using Painted = test::PaintedCurve;

TEST(XorCurve, ShowsInTheCurveColourOverThePlainBackground)
{
    Painted p;
    p.curve.setBackColor(0xFFFFFF);
    p.curve.setCurveColor(0x0000FF);
    p.curve.setViewGrid(0);
    p.curve.setBreakPointShape(0);
    p.curve.setDimensions(2);
    test::loadPoints(p.curve, {{-25, 35}, {25, 35}});
    p.curve.RePaint();
    EXPECT_EQ(p.d.engine.layout().XorPenColor, 0xFFFF00);
    // One row carries the whole horizontal segment, about 50 x ScaleX pixels long.
    const QImage image = p.surface.image();
    int longestRow = 0;
    for (int row = 0; row < image.height(); ++row)
        longestRow =
            std::max(longestRow, test::pixelsOfColour(image.copy(0, row, image.width(), 1), 0x0000FF));
    EXPECT_GE(longestRow, int(50 * p.d.engine.layout().ScaleX) - 2);
    p.curve.setHideLine(-1);
    p.curve.RePaint();
    EXPECT_EQ(test::pixelsOfColour(p.surface.image(), 0x0000FF), 0);
}

class XorShapes : public ::testing::TestWithParam<qint32> {};

TEST_P(XorShapes, ASecondIdenticalCallErasesEveryPixel)
{
    Painted p;
    p.curve.setBreakPointShape(GetParam());
    p.curve.setY_DashedLine_Top(30);
    p.curve.setActual_Value_X(-5);
    p.curve.setActual_Value_Y(40);
    p.curve.RePaint();
    const QImage before = p.surface.image();
    p.d.engine.painter().drawCurveXor();
    EXPECT_GT(differingPixels(before, p.surface.image()), 100);
    p.d.engine.painter().drawCurveXor();
    EXPECT_EQ(differingPixels(before, p.surface.image()), 0);
}

INSTANTIATE_TEST_SUITE_P(Shapes, XorShapes, ::testing::Values(0, 1, 2, 3, 4, 5));

struct XorCase {
    const char* name;
    qint32 dimensions, shape;
    bool hideLine;
    int missingY; // slot whose Y was never given, or -1
    size_t segments, markers;
};

class XorCurveCases : public ::testing::TestWithParam<XorCase> {};

TEST_P(XorCurveCases, SegmentsThenMarkersWithinTheSixtyFourSlots)
{
    const XorCase& xc = GetParam();
    Painted p(false);
    p.curve.setDimensions(64);
    for (int i = 0; i < 64; ++i) {
        p.curve.setValueIndex(float(i));
        p.curve.setX_Knotel(-30 + float(i) * 60 / 63);
        if (i != xc.missingY)
            p.curve.setY_Knotel(float(i % 10) * 8);
    }
    p.curve.setDimensions(xc.dimensions);
    p.curve.setBreakPointShape(xc.shape);
    p.curve.setHideLine(xc.hideLine ? -1 : 0);
    p.curve.RePaint();
    p.record([&] { p.d.engine.painter().drawCurveXor(); });

    std::vector<DrawCall> lines, markers;
    for (const DrawCall& c : p.calls) {
        EXPECT_EQ(c.drawMode, DrawMode::XorPen);
        EXPECT_EQ(c.colour, p.d.engine.layout().XorPenColor);
        (c.kind == DrawCall::Line ? lines : markers).push_back(c);
        EXPECT_TRUE(c.kind != DrawCall::Line || markers.empty()) << "segments come before the first marker";
    }
    ASSERT_EQ(lines.size(), xc.segments);
    ASSERT_EQ(markers.size(), xc.markers);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].x1, float(p.px(p.d.engine.points().pointX(int(i)))));
        EXPECT_EQ(lines[i].y2, float(p.py(p.d.engine.points().pointY(int(i) + 1))));
    }
    const double half = xc.shape == 3 ? 3 : 2; // box corners; circles give their centre
    for (size_t i = 0; i < markers.size(); ++i) {
        const double x = markers[i].kind == DrawCall::Circle ? markers[i].x1 : markers[i].x1 + half;
        EXPECT_EQ(float(x), float(p.px(p.d.engine.points().pointX(int(i))))) << i;
    }
    if (xc.shape == 2) {
        for (const DrawCall& c : markers) {
            EXPECT_EQ(c.fillStyle, FillStyle::Solid);
            EXPECT_EQ(c.fillColour, p.curve.CurveColor());
        }
        EXPECT_EQ(p.surface.canvas().fillColor(), p.curve.CurveColor());
    }
    EXPECT_EQ(p.surface.canvas().drawMode(), DrawMode::CopyPen);
    EXPECT_EQ(p.surface.canvas().fillStyle(), FillStyle::Transparent);
}

INSTANTIATE_TEST_SUITE_P(Cases, XorCurveCases,
                         ::testing::Values(XorCase{"SevenCircles", 7, 1, false, -1, 6, 7},
                                           XorCase{"OnePoint", 1, 3, false, -1, 0, 1},
                                           XorCase{"NoPoints", 0, 1, false, -1, 0, 0},
                                           XorCase{"NegativeDimensions", -3, 1, false, -1, 0, 0},
                                           XorCase{"AYNeverGiven", 7, 4, false, 3, 0, 7},
                                           XorCase{"AYNeverGivenOutsideTheCurve", 7, 4, false, 9, 6, 7},
                                           XorCase{"HiddenLine", 7, 2, true, -1, 0, 7},
                                           XorCase{"ShapeZero", 7, 0, false, -1, 6, 0},
                                           XorCase{"ShapeFive", 7, 5, false, -1, 6, 0},
                                           XorCase{"AllSlots", 64, 2, false, -1, 63, 64},
                                           XorCase{"BeyondTheSlots", 100, 3, false, -1, 63, 64}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
