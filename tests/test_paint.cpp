// The paint pass: its order, the scales and grid, the texts, the limit lines and the actual-value
// marker (the XOR curve has test_curve_xor.cpp). Positions and order are checked on the recorded drawing
// calls, pictures on the surface's image.
#include "PaintedCurve.h"

#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>
#include <knotel/FormatValue.h>

#include <QFontMetricsF>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

using namespace knotel;
using platform::DrawCall;
using platform::DrawMode;
using platform::DrawStyle;
using test::differingPixels;

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

// What a recorded call draws, in the order the pass draws them.
enum Element {
    Clear,
    Arrow,
    XScale,
    YScale,
    LimitLine,
    Marker,
    AxisLine,
    AxisText,
    Caption,
    TheCurve,
    Unknown
};
enum Part { Label, Tick, Grid };

/** The painted control, with its recorded calls sorted by the element of the picture they draw. */
struct Painted : test::PaintedCurve {
    Element elementOf(const DrawCall& c) const
    {
        if (c.kind == DrawCall::Cls)
            return Clear;
        if (c.drawMode == DrawMode::XorPen)
            return TheCurve;
        if (c.drawStyle == DrawStyle::Dot)
            return LimitLine;
        if (c.colour == curve.ActualValueColor())
            return Marker;
        if (c.kind == DrawCall::Print && c.colour == curve.TextColor())
            return c.text == curve.CurveCaption() ? Caption : AxisText;
        if (c.kind == DrawCall::Print)
            return c.y1 == B() + 5 ? XScale : YScale;
        if (c.colour == curve.GridColor())
            return c.x1 == c.x2 ? XScale : YScale;
        if (c.x1 == R() + 6 || c.y2 == T() - 16 || (c.y1 == T() - 6 && c.y2 == T() - 6))
            return Arrow;
        if (c.x1 == L() && (c.y1 == c.y2 || c.x2 == L()))
            return AxisLine;
        if (c.y1 == B() - 3 && c.y2 == B() + 3)
            return XScale;
        if (c.x1 == L() - 3 && c.x2 == L() + 3)
            return YScale;
        return Unknown;
    }
    Part partOf(const DrawCall& c) const
    {
        return c.kind == DrawCall::Print ? Label : c.colour == curve.GridColor() ? Grid : Tick;
    }
    std::vector<DrawCall> of(Element e) const
    {
        std::vector<DrawCall> selected;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(selected),
                     [&](const DrawCall& c) { return elementOf(c) == e; });
        return selected;
    }
    std::vector<DrawCall> of(Element e, Part part) const
    {
        std::vector<DrawCall> selected;
        for (const DrawCall& c : of(e)) {
            if (partOf(c) == part)
                selected.push_back(c);
        }
        return selected;
    }
};

/** The given coordinate (x1, y1, x2, y2) or the text of every call. */
std::vector<float> coords(const std::vector<DrawCall>& calls, float DrawCall::*field)
{
    std::vector<float> values;
    for (const DrawCall& c : calls)
        values.push_back(c.*field);
    return values;
}
std::vector<QString> texts(const std::vector<DrawCall>& calls)
{
    std::vector<QString> values;
    for (const DrawCall& c : calls)
        values.push_back(c.text);
    return values;
}
std::vector<std::array<float, 4>> segments(const std::vector<DrawCall>& calls)
{
    std::vector<std::array<float, 4>> values;
    for (const DrawCall& c : calls)
        values.push_back({c.x1, c.y1, c.x2, c.y2});
    return values;
}

// ---------------------------------------------------------------------------------------------
// The pass as a whole

TEST(PaintPass, DrawsNothingWhileTheControlIsBeingCreated)
{
    // Creation ends with a RePaint that lays out but paints nothing: the surface has no picture yet.
    Curve c;
    EXPECT_TRUE(test::surfaceOf(c)->image().isNull());
    c.RePaint();
    EXPECT_FALSE(test::surfaceOf(c)->image().isNull());
}

TEST(PaintPass, DrawsItsElementsInTheFixedOrder)
{
    Painted p;
    p.curve.setY_DashedLine_Top(60);
    p.curve.setActual_Value_X(5);
    p.curve.setActual_Value_Y(25);
    p.repaint();
    std::vector<int> order;
    for (const DrawCall& c : p.calls)
        order.push_back(p.elementOf(c));
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    for (int e = Clear; e <= Unknown; ++e)
        EXPECT_EQ(std::count(order.begin(), order.end(), e) > 0, e != Unknown) << "element " << e;

    // Arrow heads: tips 16 px beyond the plot, bases 6 px wide and 6 px off; axis lines up to the bases.
    const float L = p.L(), T = p.T(), B = p.B(), R = p.R();
    using S = std::array<float, 4>;
    EXPECT_EQ(segments(p.of(Arrow)), (std::vector<S>{{L + 3, T - 6, L, T - 16},
                                                     {L - 3, T - 6, L, T - 16},
                                                     {L - 3, T - 6, L + 3, T - 6},
                                                     {R + 6, B + 3, R + 16, B},
                                                     {R + 6, B - 3, R + 16, B},
                                                     {R + 6, B - 3, R + 6, B + 3}}));
    EXPECT_EQ(segments(p.of(AxisLine)), (std::vector<S>{{L, B, R + 6, B}, {L, T - 6, L, B}}));
    EXPECT_EQ(p.surface.canvas().foreColor(), p.curve.TextColor());
}

// ---------------------------------------------------------------------------------------------
// Scales and grid

struct ScaleCase {
    const char* name;
    float from, to, step; // X_Axis_Left/Right and Y_Axis_Bottom/Top
    std::vector<float> xValues, yValues;
};

class Scales : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(Scales, LabelsTicksAndGridLinesSitAtTheirValues)
{
    const ScaleCase& sc = GetParam();
    Painted p;
    p.curve.setX_Axis_Left(sc.from);
    p.curve.setX_Axis_Right(sc.to);
    p.curve.setY_Axis_Bottom(sc.from);
    p.curve.setY_Axis_Top(sc.to);
    p.curve.setX_Step(sc.step);
    p.curve.setY_Step(sc.step);
    p.repaint();

    // X: a label and a grid line at every value, the first at its exact position and the later
    // ones floored; a tick at every value but the first.
    std::vector<QString> xTexts;
    std::vector<float> xAt, labelLeft;
    for (size_t i = 0; i < sc.xValues.size(); ++i) {
        xTexts.push_back(FormatValue(sc.xValues[i], 0));
        xAt.push_back(float(i == 0 ? p.px(sc.xValues[i]) : std::floor(p.px(sc.xValues[i]))));
        labelLeft.push_back(
            float(double(xAt.back()) - double(p.surface.canvas().textWidth(xTexts.back())) / 2));
    }
    EXPECT_EQ(texts(p.of(XScale, Label)), xTexts);
    EXPECT_EQ(coords(p.of(XScale, Label), &DrawCall::x1), labelLeft);
    EXPECT_EQ(coords(p.of(XScale, Grid), &DrawCall::x1), xAt);
    EXPECT_EQ(coords(p.of(XScale, Tick), &DrawCall::x1), std::vector<float>(xAt.begin() + 1, xAt.end()));

    // Y: labels up to the first value reaching the axis end, centred on the exact position; ticks
    // and grid lines floored at all but the last; the closing grid line at the last.
    std::vector<QString> yTexts;
    std::vector<float> labelTop, yAt;
    for (float v : sc.yValues) {
        yTexts.push_back(FormatValue(v, 0));
        labelTop.push_back(
            float(double(float(p.py(v))) - double(p.surface.canvas().textHeight(QStringLiteral("8"))) / 2));
        yAt.push_back(float(std::floor(p.py(v))));
    }
    const auto yLabels = p.of(YScale, Label);
    EXPECT_EQ(texts(yLabels), yTexts);
    EXPECT_EQ(coords(yLabels, &DrawCall::y1), labelTop);
    for (const DrawCall& c : yLabels)
        EXPECT_EQ(c.x1, float(double(p.L()) - p.surface.canvas().textWidth(c.text) - 6))
            << c.text.toStdString();
    EXPECT_EQ(coords(p.of(YScale, Tick), &DrawCall::y1), std::vector<float>(yAt.begin(), yAt.end() - 1));
    EXPECT_EQ(coords(p.of(YScale, Grid), &DrawCall::y1), yAt);
}

INSTANTIATE_TEST_SUITE_P(Steps, Scales,
                         ::testing::Values(ScaleCase{"StepThree", 0, 10, 3, {0, 3, 6, 9}, {0, 3, 6, 9, 12}},
                                           ScaleCase{"StepFive", 0, 10, 5, {0, 5, 10}, {0, 5, 10}},
                                           ScaleCase{
                                               "ReversedAxes", 10, 0, 3, {0, 3, 6, 9}, {0, 3, 6, 9, 12}},
                                           ScaleCase{"NegativeStart", -7, 7, 7, {-7, 0, 7}, {-7, 0, 7}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PaintPass, FirstXLabelAndGridLineUseTheUnflooredPosition)
{
    // A reversed axis starts its scale at X_Axis_Right; a scale of -7.25 puts it half a pixel off.
    Painted p;
    p.curve.setX_Axis_Left(10);
    p.curve.setX_Axis_Right(0);
    p.curve.setX_Step(3);
    p.curve.RePaint();
    PlotLayout layout = p.d.engine.layout();
    layout.ScaleX = -7.25f;
    p.paint(layout);
    EXPECT_EQ(coords(p.of(XScale, Grid), &DrawCall::x1),
              (std::vector<float>{p.L() + 72.5f, p.L() + 50, p.L() + 29, p.L() + 7}));
    const auto labels = p.of(XScale, Label);
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels[0].x1 + p.surface.canvas().textWidth(labels[0].text) / 2, p.L() + 72.5f);
}

class ViewGrid : public ::testing::TestWithParam<qint32> {};

TEST_P(ViewGrid, IsTestedAgainstZeroForTheOuterLinesAndAgainstMinusOneForTheRest)
{
    const qint32 viewGrid = GetParam();
    Painted p;
    p.curve.setX_Axis_Left(0);
    p.curve.setX_Axis_Right(10);
    p.curve.setY_Axis_Bottom(0);
    p.curve.setY_Axis_Top(10);
    p.curve.setX_Step(3);
    p.curve.setY_Step(3);
    p.curve.setViewGrid(viewGrid);
    p.repaint();
    const auto vertical = coords(p.of(XScale, Grid), &DrawCall::x1);
    const auto horizontal = coords(p.of(YScale, Grid), &DrawCall::y1);
    if (viewGrid == -1) {
        EXPECT_EQ(vertical.size(), 4u);
        EXPECT_EQ(horizontal.size(), 5u);
    } else if (viewGrid == 0) {
        EXPECT_TRUE(vertical.empty());
        EXPECT_TRUE(horizontal.empty());
    } else { // only the first vertical and the closing horizontal line
        EXPECT_EQ(vertical, std::vector<float>{float(p.px(0))});
        EXPECT_EQ(horizontal, std::vector<float>{float(std::floor(p.py(12)))});
    }
    EXPECT_EQ(p.of(XScale, Tick).size(), 3u);
    EXPECT_EQ(p.of(YScale, Tick).size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Values, ViewGrid, ::testing::Values(-1, 0, 1, 7));

struct StepCase {
    const char* name;
    float xStep, yStep;
    size_t minX, maxX, minY, maxY; // label counts
};

class Steps : public ::testing::TestWithParam<StepCase> {};

TEST_P(Steps, EveryScaleEndsWhateverItsStep)
{
    const StepCase& sc = GetParam();
    Painted p;
    p.curve.setX_Step(sc.xStep);
    p.curve.setY_Step(sc.yStep);
    p.repaint();
    const auto xTexts = texts(p.of(XScale, Label));
    const auto yTexts = texts(p.of(YScale, Label));
    EXPECT_GE(xTexts.size(), sc.minX);
    EXPECT_LE(xTexts.size(), sc.maxX);
    EXPECT_GE(yTexts.size(), sc.minY);
    EXPECT_LE(yTexts.size(), sc.maxY);
    EXPECT_EQ(xTexts.empty() ? "-30" : xTexts[0], "-30");
    EXPECT_EQ(yTexts.empty() ? "-20" : yTexts[0], "-20");
    // Without a scale no tick or grid line of its axis either (no closing one for Y); the rest stays.
    EXPECT_EQ(p.of(XScale).empty(), sc.maxX == 0);
    EXPECT_EQ(p.of(YScale).empty(), sc.maxY == 0);
    EXPECT_EQ(p.of(Caption).size(), 1u);
    EXPECT_EQ(p.of(TheCurve).size(), 13u);
}

// At 611 x 321 the plot is 549 x 265 pixels.
INSTANTIATE_TEST_SUITE_P(Tiny, Steps,
                         ::testing::Values(StepCase{"Defaults", 10, 10, 7, 7, 11, 11},
                                           StepCase{"TooSmallToMoveTheValue", 1e-30f, 1e-30f, 1, 1, 1, 1},
                                           StepCase{"MoreValuesThanPixels", 1e-3f, 1e-4f, 500, 551, 200, 267},
                                           StepCase{"Zero", 0, 0, 0, 0, 0, 0},
                                           StepCase{"Negative", -10, -10, 0, 0, 0, 0},
                                           StepCase{"NaN", NaN, NaN, 0, 0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// A failing statement skips only its element

TEST(PaintPass, NegativeDecimalsLeaveTheLabelsEmptyAndTheRestStands)
{
    Painted p;
    p.curve.setX_Decimals(-1);
    p.repaint();
    EXPECT_EQ(texts(p.of(XScale, Label)), std::vector<QString>(7));
    EXPECT_EQ(p.of(XScale, Tick).size(), 6u);
    EXPECT_EQ(p.of(YScale, Label).size(), 11u);
    EXPECT_EQ(p.of(TheCurve).size(), 13u);
}

TEST(PaintPass, AnOverflowInThePixelArithmeticSkipsOnlyThatLine)
{
    // PlotTop - 16 overflows: the two slanted lines of the Y arrow head go, its base stays.
    Painted p;
    PlotLayout layout = p.d.engine.layout();
    layout.PlotTop = std::numeric_limits<qint32>::min() + 10;
    p.paint(layout);
    ASSERT_GT(p.calls.size(), 3u);
    EXPECT_EQ(segments({p.calls[1]}),
              (std::vector<std::array<float, 4>>{{p.L() - 3, p.T() - 6, p.L() + 3, p.T() - 6}}));
    EXPECT_EQ(p.calls[2].x1, p.R() + 6); // the X arrow head follows
    EXPECT_EQ(p.of(TheCurve).size(), 13u);
}

TEST(PaintPass, AnEmptyXAxisDrawsNothingAtAnXPosition)
{
    // The scale is infinite: no label, grid line or curve figure is drawn at a stale or made-up place.
    Painted p;
    p.curve.setX_Axis_Right(p.curve.X_Axis_Left());
    p.repaint();
    EXPECT_TRUE(std::isinf(p.d.engine.layout().ScaleX));
    EXPECT_TRUE(p.of(XScale, Label).empty());
    EXPECT_TRUE(p.of(XScale, Grid).empty());
    EXPECT_TRUE(p.of(TheCurve).empty());
    EXPECT_EQ(p.of(YScale, Label).size(), 11u);
    EXPECT_EQ(p.of(AxisText).size(), 10u); // nine characters of YAxisText and the X text
}

TEST(PaintPass, AFontThatRefusesTheCaptionSizeStillGetsTheCaption)
{
    Painted p;
    QFont pixelFont = p.surface.canvas().font();
    pixelFont.setPixelSize(11); // has no point size to enlarge
    p.surface.canvas().setFont(pixelFont);
    p.repaint();
    EXPECT_EQ(p.of(Caption).size(), 1u);
    EXPECT_EQ(p.surface.canvas().font().pixelSize(), 11);
    EXPECT_FALSE(p.surface.canvas().font().bold());
    EXPECT_EQ(p.of(TheCurve).size(), 13u);
}

// ---------------------------------------------------------------------------------------------
// Texts

TEST(PaintPass, AxisTextsAndCaptionArePlacedAndTheFontRestored)
{
    Painted p;
    const QString smiley = QString::fromUtf8("\xF0\x9F\x98\x80");
    p.curve.setY_AxisText(QStringLiteral("Y") + smiley + QStringLiteral("x"));
    QFont bold = p.surface.canvas().font();
    bold.setBold(true);
    p.surface.canvas().setFont(bold);
    p.repaint();
    const QFontMetricsF metrics(bold, &p.surface); // the pass leaves Bold off
    auto width = [&](const QString& text) { return double(float(metrics.horizontalAdvance(text))); };
    const double line = double(float(metrics.height()));

    // Down the left edge, a surrogate pair as one character, each centred in a digit-wide column.
    const auto axisTexts = p.of(AxisText);
    ASSERT_EQ(axisTexts.size(), 4u);
    float y = float((p.d.engine.layout().PlotHeight - line * 3) / 2 + p.d.engine.layout().PlotTop);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(axisTexts[i].text,
                  (std::array<QString, 3>{QStringLiteral("Y"), smiley, QStringLiteral("x")}[i]));
        EXPECT_EQ(axisTexts[i].x1,
                  float((width(QStringLiteral("8")) - width(axisTexts[i].text)) / 2 + 0.5 + 2));
        EXPECT_EQ(axisTexts[i].y1, y);
        y = float(double(y) + metrics.height());
    }
    // Centred under the plot, one line plus 2 px above the bottom edge.
    EXPECT_EQ(axisTexts[3].text, p.curve.X_AxisText());
    EXPECT_EQ(axisTexts[3].x1, float((p.d.engine.layout().PlotWidth - width(p.curve.X_AxisText())) / 2 +
                                     p.d.engine.layout().PlotLeft));
    EXPECT_EQ(axisTexts[3].y1, float(321 - line - 2));

    // Centred across the surface in the enlarged bold font; afterwards Bold is off, not restored.
    QFont large = bold;
    large.setPointSizeF(bold.pointSizeF() * 1.5);
    const auto caption = p.of(Caption);
    ASSERT_EQ(caption.size(), 1u);
    EXPECT_EQ(caption[0].x1,
              float((611 - QFontMetricsF(large, &p.surface).horizontalAdvance(p.curve.CurveCaption())) / 2));
    EXPECT_EQ(caption[0].y1, 2.0f);
    EXPECT_FALSE(p.surface.canvas().font().bold());
    EXPECT_EQ(p.surface.canvas().font().pointSizeF(), bold.pointSizeF());
}

TEST(PaintPass, EmptyTextsAreSkippedAndAnEmptyCaptionLeavesTheFontAlone)
{
    Painted p;
    p.curve.setCurveCaption(QString());
    p.curve.setX_AxisText(QString());
    p.curve.setY_AxisText(QString());
    QFont bold = p.surface.canvas().font();
    bold.setBold(true);
    p.surface.canvas().setFont(bold);
    p.repaint();
    EXPECT_TRUE(p.of(AxisText).empty());
    EXPECT_TRUE(p.of(Caption).empty());
    EXPECT_TRUE(p.surface.canvas().font().bold());
}

// ---------------------------------------------------------------------------------------------
// Limit lines and the actual-value marker

struct LimitCase {
    const char* name;
    bool assign;
    float value;
    bool drawn;
};

class LimitLines : public ::testing::TestWithParam<LimitCase> {};

TEST_P(LimitLines, AreDrawnStrictlyInsideThePlotOnly)
{
    const LimitCase& lc = GetParam();
    Painted p;
    p.curve.setY_DashedLine_Bottom(40); // the other line, always there
    p.repaint();
    const QImage without = p.surface.image();
    if (lc.assign)
        p.curve.setY_DashedLine_Top(lc.value);
    p.repaint();
    EXPECT_EQ(differingPixels(without, p.surface.image()) > 0, lc.drawn);
    // Two rows across the plot, the lower one at the value, in ActualValueColor; the upper line first.
    const float y = float(p.py(lc.value)), y40 = float(p.py(40));
    using S = std::array<float, 4>;
    std::vector<S> expected = {{p.L(), y40, p.R(), y40}, {p.L(), float(y40 - 1.0), p.R(), float(y40 - 1.0)}};
    if (lc.drawn)
        expected.insert(expected.begin(),
                        {S{p.L(), y, p.R(), y}, S{p.L(), float(y - 1.0), p.R(), float(y - 1.0)}});
    const auto lines = p.of(LimitLine);
    EXPECT_EQ(segments(lines), expected);
    for (const DrawCall& c : lines)
        EXPECT_EQ(c.colour, p.curve.ActualValueColor());
    // The pen is solid again for everything after the limit lines.
    EXPECT_EQ(p.of(AxisLine).size(), 2u);
    EXPECT_EQ(p.surface.canvas().drawStyle(), DrawStyle::Solid);
}

INSTANTIATE_TEST_SUITE_P(
    Heights, LimitLines,
    ::testing::Values(LimitCase{"NeverAssigned", false, 0, false}, LimitCase{"ZeroAssigned", true, 0, true},
                      LimitCase{"Inside", true, 62.5f, true}, LimitCase{"AtYAxisBottom", true, -20, false},
                      LimitCase{"AtYAxisTop", true, 80, false}, LimitCase{"Below", true, -50, false},
                      LimitCase{"Above", true, 1e9f, false}, LimitCase{"NaN", true, NaN, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ActualValue, AppearsOnlyOnceBothCoordinatesAreSet)
{
    Painted p;
    p.repaint();
    const QImage none = p.surface.image();
    p.curve.setActual_Value_X(5);
    p.repaint();
    EXPECT_EQ(differingPixels(none, p.surface.image()), 0);
    EXPECT_TRUE(p.of(Marker).empty());

    p.curve.setActual_Value_Y(25);
    p.repaint();
    EXPECT_GT(differingPixels(none, p.surface.image()), 20);
    // A cross 12 px wide and high, then the text at its lower-left end.
    const double x = float(p.px(5)), y = float(p.py(25));
    const auto marker = p.of(Marker);
    ASSERT_EQ(marker.size(), 3u);
    using S = std::array<float, 4>;
    EXPECT_EQ(segments({marker[0], marker[1]}),
              (std::vector<S>{{float(x - 6), float(y - 6), float(x + 6), float(y + 6)},
                              {float(x + 6), float(y - 6), float(x - 6), float(y + 6)}}));
    EXPECT_EQ(marker[2].kind, DrawCall::Print);
    EXPECT_EQ(marker[2].text, "+5/+25");
    EXPECT_EQ(marker[2].x1, float(x - 6));
    EXPECT_EQ(marker[2].y1, float(y + 6));
}

TEST(ActualValue, OnTheBorderOrOutsideNothingIsDrawn)
{
    for (const auto& [x, y] : {std::pair{-30.0f, 25.0f},
                               {30.0f, 25.0f},
                               {5.0f, -20.0f},
                               {5.0f, 80.0f},
                               {-40.0f, 25.0f},
                               {5.0f, 200.0f},
                               {NaN, 25.0f}}) {
        Painted p;
        p.curve.setActual_Value_X(x);
        p.curve.setActual_Value_Y(y);
        p.repaint();
        EXPECT_TRUE(p.of(Marker).empty()) << x << "/" << y;
    }
}

} // namespace
