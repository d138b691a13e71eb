// Placement of the surface and the tracker controls, the plot layout and the value/pixel mapping.
#include "TestSupport.h"

#include "engine/PlotMapping.h"
#include "platform/Twips.h"
#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>
#include <knotel/FormatValue.h>

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <cmath>
#include <optional>

using namespace knotel;

namespace {

/** Rounds to the nearest integer, ties to the even neighbour (the default rounding mode). */
qint32 roundEven(double v)
{
    return qint32(std::nearbyint(v));
}

struct Control {
    Curve curve;
    CurvePrivate& d = test::stateOf(curve);
    DrawingSurface& surface = *test::surfaceOf(curve);

    explicit Control(int width = 611, int height = 321)
    {
        curve.resize(width, height);
        curve.RePaint();
    }
    const PlotLayout& l() const { return d.engine.layout(); }
    /** A child widget of the control, by its object name. */
    template <class W> W* child(const char* name) const
    {
        return curve.findChild<W*>(QString::fromLatin1(name));
    }
    double digitWidth() const { return surface.canvas().textWidth(QStringLiteral("8")); }
    double digitHeight() const { return surface.canvas().textHeight(QStringLiteral("8")); }
};

struct TextCase {
    const char* name;
    bool caption, xText, yText;
};

class LayoutTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(LayoutTexts, EachTextMakesRoomForItselfAndShowsItsTracker)
{
    const TextCase& tc = GetParam();
    Control c;
    if (!tc.caption)
        c.curve.setCurveCaption(QString());
    if (!tc.xText)
        c.curve.setX_AxisText(QString());
    if (!tc.yText)
        c.curve.setY_AxisText(QString());
    c.curve.RePaint();

    // Rounded at each step; the wider of the end labels -20 and +80 (equal widths take the top one).
    qint32 left = 6;
    if (tc.yText)
        left = roundEven(c.digitWidth() + left + 8);
    const float bottomWidth = c.surface.canvas().textWidth(QStringLiteral("-20"));
    const float topWidth = c.surface.canvas().textWidth(QStringLiteral("+80"));
    left = roundEven(double(bottomWidth > topWidth ? bottomWidth : topWidth) + left);
    EXPECT_EQ(c.l().PlotLeft, left);
    EXPECT_EQ(c.l().PlotWidth, roundEven(611.0 - left - 18));

    const qint32 top =
        tc.caption ? roundEven(double(c.surface.canvas().textHeight(c.curve.CurveCaption())) * 1.5 + 5) : 13;
    EXPECT_EQ(c.l().PlotTop, top);
    qint32 height = roundEven(321.0 - top - c.digitHeight() - 6);
    if (tc.xText)
        height = roundEven(height - c.digitHeight());
    EXPECT_EQ(c.l().PlotHeight, height);
    EXPECT_FLOAT_EQ(c.l().ScaleX, float(c.l().PlotWidth / 60.0));
    EXPECT_FLOAT_EQ(c.l().ScaleY, float(c.l().PlotHeight / 100.0));

    EXPECT_EQ(!c.child<QLabel>("Label_Value_X")->isHidden(), tc.xText);
    EXPECT_EQ(!c.child<QLineEdit>("Text_Value_X")->isHidden(), tc.xText);
    EXPECT_EQ(!c.child<QLabel>("Label_Value_Y")->isHidden(), tc.yText);
    EXPECT_EQ(!c.child<QLineEdit>("Text_Value_Y")->isHidden(), tc.yText);
    if (tc.xText) {
        EXPECT_EQ(c.child<QLabel>("Label_Value_X")->text(), c.curve.X_AxisText());
    }
    if (tc.yText) {
        EXPECT_EQ(c.child<QLabel>("Label_Value_Y")->text(), c.curve.Y_AxisText());
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, LayoutTexts,
                         ::testing::Values(TextCase{"AllSet", true, true, true},
                                           TextCase{"NoCaption", false, true, true},
                                           TextCase{"NoXText", true, false, true},
                                           TextCase{"NoYText", true, true, false},
                                           TextCase{"NoTexts", false, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

/** Puts on the surface a font in which a line of text is exactly @p height pixels high, if any is installed.
 */
std::optional<QFont> fontOfHeight(DrawingSurface& surface, double height)
{
    const QFont original = surface.canvas().font();
    for (const QString& family : QFontDatabase::families()) {
        for (int pixels = 6; pixels <= 24; ++pixels) {
            QFont font(family);
            font.setPixelSize(pixels);
            surface.canvas().setFont(font);
            if (surface.canvas().textHeight(QStringLiteral("Caption")) == height)
                return font;
        }
    }
    surface.canvas().setFont(original);
    return std::nullopt;
}

TEST(Layout, CaptionRoomIsRoundedTiesToEven)
{
    // 13 x 1.5 + 5 = 24.5 rounds down to 24; 11 x 1.5 + 5 = 21.5 rounds up to 22.
    for (const auto& [height, top] : {std::pair{13.0, 24}, std::pair{11.0, 22}, std::pair{15.0, 28}}) {
        Control c;
        if (!fontOfHeight(c.surface, height)) {
            GTEST_SKIP() << "no installed font has a line height of " << height << " pixels";
        }
        c.curve.RePaint();
        EXPECT_EQ(c.l().PlotTop, top) << height;
        c.curve.setCurveCaption(QString());
        c.curve.RePaint();
        EXPECT_EQ(c.l().PlotTop, 13);
    }
}

TEST(Layout, ReversedAxesGiveNegativeScales)
{
    Control c;
    c.curve.setX_Axis_Left(10);
    c.curve.setX_Axis_Right(-10);
    c.curve.setY_Axis_Bottom(80);
    c.curve.setY_Axis_Top(-20);
    c.curve.RePaint();
    EXPECT_EQ(c.l().ScaleX, float(c.l().PlotWidth / -20.0));
    EXPECT_EQ(c.l().ScaleY, float(c.l().PlotHeight / -100.0));
    const PlotMapping map = c.d.engine.mapping();
    EXPECT_EQ(map.pixelX(10), c.l().PlotLeft);
    EXPECT_NEAR(map.pixelX(-10), c.l().PlotLeft + c.l().PlotWidth, 1e-4);
    EXPECT_NEAR(map.pixelY(-20), c.l().PlotTop, 1e-4);
    EXPECT_EQ(map.pixelY(80), c.l().PlotTop + c.l().PlotHeight);
}

TEST(Layout, AZeroSpanGivesAnInfiniteScaleAndTheLayoutGoesOn)
{
    Control c;
    c.curve.setX_Axis_Right(c.curve.X_Axis_Left());
    c.curve.setCurveColor(0x0000FF);
    c.curve.setBackColor(0xFFFFFF);
    c.curve.setY_Axis_Top(30);
    c.curve.RePaint();
    EXPECT_TRUE(std::isinf(c.l().ScaleX));
    EXPECT_GT(c.l().ScaleX, 0);
    EXPECT_EQ(c.l().ScaleY, float(c.l().PlotHeight / 50.0));
    EXPECT_EQ(c.l().XorPenColor, 0xFFFF00);

    // A plot as wide as the margins leaves nothing to divide: 0 / 0.
    c.curve.resize(c.l().PlotLeft + 18, 321);
    c.curve.RePaint();
    EXPECT_EQ(c.l().PlotWidth, 0);
    EXPECT_TRUE(std::isnan(c.l().ScaleX));
    // Narrower still: no size is clamped.
    c.curve.resize(c.l().PlotLeft + 10, 321);
    c.curve.setX_Axis_Right(c.curve.X_Axis_Left() + 1);
    c.curve.RePaint();
    EXPECT_EQ(c.l().PlotWidth, -8);
    EXPECT_EQ(c.l().ScaleX, -8.0f);
}

TEST(Layout, NegativeDecimalsAddNoLabelWidth)
{
    Control c;
    c.curve.setY_Decimals(-1);
    c.curve.RePaint();
    const qint32 left = roundEven(c.digitWidth() + 6 + 8);
    EXPECT_EQ(c.l().PlotLeft, left);
    EXPECT_EQ(c.l().PlotWidth, roundEven(611.0 - left - 18));
    EXPECT_GT(c.l().PlotHeight, 0);
}

TEST(Layout, TheWiderEndLabelWidensTheLeftMargin)
{
    struct Case {
        float bottom, top;
        qint32 decimals;
        const char* wider;
    };
    for (const Case& e :
         {Case{-2000, 80, 0, "-2000"}, Case{-20, 80000, 0, "+80000"}, Case{-1, 1, 4, "+1.0000"}}) {
        Control c;
        c.curve.setY_Axis_Bottom(e.bottom);
        c.curve.setY_Axis_Top(e.top);
        c.curve.setY_Decimals(e.decimals);
        c.curve.RePaint();
        const float wide = c.surface.canvas().textWidth(QString::fromLatin1(e.wider));
        EXPECT_EQ(c.l().PlotLeft, roundEven(double(wide) + roundEven(c.digitWidth() + 6 + 8))) << e.wider;
    }
}

TEST(Layout, ValueAndPixelMapBothWays)
{
    PlotLayout layout;
    layout.PlotLeft = 40;
    layout.PlotTop = 24;
    layout.PlotWidth = 400;
    layout.PlotHeight = 300;
    layout.ScaleX = float(400.0 / 60.0);
    layout.ScaleY = 3.0f;
    EXPECT_EQ(layout.ScaleX, 6.6666665f);
    const PlotMapping map(layout, -30, -20);
    EXPECT_FLOAT_EQ(float(map.pixelX(0)), 240.0f);
    EXPECT_EQ(float(map.pixelY(30)), 174.0f);
    EXPECT_EQ(float(map.valueY(174)), 30.0f);
    EXPECT_NEAR(map.valueX(240), 0.0, 1e-6);
}

TEST(Resize, PlacesTheSurfaceAndTheTrackersAndLaysOutAfresh)
{
    Control c;
    const auto twips = platform::TwipsPerPixel::of(c.curve.screen());
    for (const QSize size : {QSize(611, 321), QSize(800, 450)}) {
        c.curve.resize(size);
        c.curve.RePaint();
        EXPECT_EQ(c.surface.geometry(), QRect(QPoint(0, 0), size));
        const QRect xy = c.child<QLineEdit>("Text_Value_XY")->geometry();
        EXPECT_EQ(xy.size(), twips.toPixels(0, 0, 1515, 195).size());
        EXPECT_EQ(size.width() - (xy.x() + xy.width()), 5);
        EXPECT_EQ(size.height() - (xy.y() + xy.height()), 2);
        // Below the surface, out of sight.
        EXPECT_EQ(c.child<QLineEdit>("Text_Value_X")->y(), size.height() + twips.toPixelsY(50));
        EXPECT_EQ(c.child<QLineEdit>("Text_Value_Y")->y(), size.height() + twips.toPixelsY(50));
        EXPECT_EQ(c.child<QLabel>("Label_Value_X")->y(), size.height() + twips.toPixelsY(80));
        EXPECT_EQ(c.child<QLabel>("Label_Value_Y")->y(), size.height() + twips.toPixelsY(80));
        EXPECT_EQ(c.l().PlotWidth, roundEven(size.width() - c.l().PlotLeft - 18.0));
        EXPECT_EQ(c.surface.image().size(), size);
    }
}

TEST(Resize, AShownControlLaysOutAndRepaintsOnItsOwn)
{
    Control c;
    c.curve.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&c.curve));
    c.curve.resize(700, 380);
    EXPECT_EQ(c.l().PlotWidth, roundEven(700 - c.l().PlotLeft - 18.0));
    // The surface asks for a picture of its new size when it is next painted.
    QApplication::processEvents();
    c.surface.repaint();
    const QImage image = c.surface.image();
    EXPECT_EQ(image.size(), QSize(700, 380));
    EXPECT_GT(test::pixelsOfColour(image, c.curve.AxisColor()), 100);
}

} // namespace
