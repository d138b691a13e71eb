// The paint pass: its order, the scales and grid, the texts, the limit lines, the actual-value
// marker and the XOR curve. Positions and order are checked on the recorded drawing calls,
// pictures on the surface's image.
#include "TestSupport.h"

#include "CurvePrivate.h"
#include "platform/DrawingSurface.h"

#include <knotel/Curve.h>
#include <knotel/FormatValue.h>

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace knotel;
using platform::DrawCall;
using platform::DrawMode;
using platform::DrawStyle;
using platform::FillStyle;
using test::differingPixels;
using test::pixelsOfColour;

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

/** A control of the evaluation program's size with seven points, repainted once. */
struct Painted {
    Curve curve;
    CurvePrivate& d = test::stateOf(curve);
    platform::DrawingSurface& surface = *test::surfaceOf(curve);
    std::vector<DrawCall> calls;

    Painted()
    {
        curve.resize(611, 321);
        test::loadPoints(curve, {{-30, 0}, {-20, 10}, {-10, 40}, {0, 30}, {10, 60}, {20, 50}, {30, 70}});
        curve.RePaint();
    }

    /** Layout and paint pass, as the host's RePaint runs them, recording the drawing calls. */
    const std::vector<DrawCall>& repaint()
    {
        return record([this] { curve.RePaint(); });
    }

    /** The paint pass alone, over the layout fields as they are. */
    const std::vector<DrawCall>& paint()
    {
        return record([this] { d.paintControl(); });
    }

    template <class F> const std::vector<DrawCall>& record(F&& f)
    {
        calls.clear();
        surface.setRecorder([this](const DrawCall& c) { calls.push_back(c); });
        f();
        surface.setRecorder({});
        return calls;
    }

    template <class P> std::vector<DrawCall> where(P&& predicate) const
    {
        std::vector<DrawCall> selected;
        for (const DrawCall& c : calls) {
            if (predicate(c))
                selected.push_back(c);
        }
        return selected;
    }

    const PlotLayout& l() const { return d.layout; }
    float B() const { return float(l().PlotTop + l().PlotHeight); }
    float R() const { return float(l().PlotLeft + l().PlotWidth); }
    double px(float v) const { return d.mapping().pixelX(v); }
    double py(float v) const { return d.mapping().pixelY(v); }

    bool isXLabel(const DrawCall& c) const
    {
        return c.kind == DrawCall::Print && c.colour == d.AxisColor && c.y1 == B() + 5;
    }
    bool isYLabel(const DrawCall& c) const
    {
        return c.kind == DrawCall::Print && c.colour == d.AxisColor && c.y1 != B() + 5;
    }
    bool isXTick(const DrawCall& c) const
    {
        return c.kind == DrawCall::Line && c.colour == d.AxisColor && c.y1 == B() - 3 && c.y2 == B() + 3 &&
               c.x1 != R() + 6; // not the base of the X arrow head
    }
    bool isYTick(const DrawCall& c) const
    {
        return c.kind == DrawCall::Line && c.colour == d.AxisColor && c.x1 == float(l().PlotLeft - 3) &&
               c.x2 == float(l().PlotLeft + 3) && c.y1 != float(l().PlotTop - 6); // not the Y arrow's base
    }
    bool isGrid(const DrawCall& c, bool vertical) const
    {
        return c.kind == DrawCall::Line && c.colour == d.GridColor && (c.x1 == c.x2) == vertical;
    }
    bool isXorFigure(const DrawCall& c) const { return c.drawMode == DrawMode::XorPen; }
};

std::vector<QString> textsOf(const std::vector<DrawCall>& calls)
{
    std::vector<QString> texts;
    for (const DrawCall& c : calls)
        texts.push_back(c.text);
    return texts;
}

// ---------------------------------------------------------------------------------------------
// The pass as a whole

TEST(PaintPass, DrawsNothingWhilePaintingIsDisabled)
{
    Painted p;
    const QImage before = p.surface.image();
    p.d.PaintEnabled = 0;
    p.curve.setBackColor(0x000000);
    EXPECT_TRUE(p.repaint().empty());
    EXPECT_EQ(differingPixels(before, p.surface.image()), 0);
}

TEST(PaintPass, DrawsItsElementsInTheFixedOrder)
{
    Painted p;
    p.curve.setY_DashedLine_Top(60);
    p.curve.setY_DashedLine_Bottom(0);
    p.curve.setActual_Value_X(5);
    p.curve.setActual_Value_Y(25);
    p.repaint();
    const CurvePrivate& d = p.d;
    const PlotLayout& l = p.l();
    enum Phase { Clear, Arrows, XScale, YScale, LimitLines, Marker, AxisLines, AxisTexts, Caption, TheCurve };
    auto phaseOf = [&](const DrawCall& c) {
        if (c.kind == DrawCall::Cls)
            return Clear;
        if (p.isXorFigure(c))
            return TheCurve;
        if (c.drawStyle == DrawStyle::Dot)
            return LimitLines;
        if (c.colour == d.ActualValueColor)
            return Marker;
        if (c.kind == DrawCall::Print && c.colour == d.TextColor)
            return c.text == d.CurveCaption ? Caption : AxisTexts;
        if (p.isXLabel(c) || p.isXTick(c) || p.isGrid(c, true))
            return XScale;
        if (p.isYLabel(c) || p.isYTick(c) || p.isGrid(c, false))
            return YScale;
        const bool xAxis = c.y1 == p.B() && c.y2 == p.B() && c.x1 == float(l.PlotLeft);
        const bool yAxis =
            c.x1 == float(l.PlotLeft) && c.x2 == float(l.PlotLeft) && c.y1 == float(l.PlotTop - 6);
        return xAxis || yAxis ? AxisLines : Arrows;
    };
    std::vector<int> phases;
    for (const DrawCall& c : p.calls)
        phases.push_back(phaseOf(c));
    EXPECT_TRUE(std::is_sorted(phases.begin(), phases.end()));
    for (int phase = Clear; phase <= TheCurve; ++phase)
        EXPECT_NE(std::find(phases.begin(), phases.end(), phase), phases.end()) << "phase " << phase;
    EXPECT_EQ(std::count(phases.begin(), phases.end(), Arrows), 6);
    EXPECT_EQ(std::count(phases.begin(), phases.end(), AxisLines), 2);
}

TEST(PaintPass, ArrowHeadsAndAxisLinesMeetAtThePlotCorners)
{
    Painted p;
    p.repaint();
    const float L = float(p.l().PlotLeft), T = float(p.l().PlotTop), B = p.B(), R = p.R();
    struct Segment {
        float x1, y1, x2, y2;
    };
    const std::vector<Segment> expected = {
        {L + 3, T - 6, L, T - 16},     {L - 3, T - 6, L, T - 16},     {L - 3, T - 6, L + 3, T - 6},
        {R + 6, B + 3, R + 16, B},     {R + 6, B - 3, R + 16, B},     {R + 6, B - 3, R + 6, B + 3},
        {L, B, R + 6, B} /* X axis */, {L, T - 6, L, B} /* Y axis */,
    };
    for (const Segment& s : expected) {
        const auto found = p.where([&](const DrawCall& c) {
            return c.kind == DrawCall::Line && c.colour == p.d.AxisColor && c.x1 == s.x1 && c.y1 == s.y1 &&
                   c.x2 == s.x2 && c.y2 == s.y2 && c.drawStyle == DrawStyle::Solid;
        });
        EXPECT_EQ(found.size(), 1u) << s.x1 << "," << s.y1 << " to " << s.x2 << "," << s.y2;
    }
}

// ---------------------------------------------------------------------------------------------
// Scales and grid

struct ScaleCase {
    const char* name;
    float from, to, step; // X_Axis_Left/Right and Y_Axis_Bottom/Top
    std::vector<float> xLabels, yLabels;
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
    std::vector<float> xPositions, xTicks;
    for (size_t i = 0; i < sc.xLabels.size(); ++i) {
        const double x = i == 0 ? p.px(sc.xLabels[i]) : std::floor(p.px(sc.xLabels[i]));
        xTexts.push_back(FormatValue(sc.xLabels[i], 0));
        xPositions.push_back(float(x));
        if (i > 0)
            xTicks.push_back(float(x));
    }
    const auto xLabels = p.where([&](const DrawCall& c) { return p.isXLabel(c); });
    EXPECT_EQ(textsOf(xLabels), xTexts);
    for (size_t i = 0; i < xLabels.size() && i < xPositions.size(); ++i)
        EXPECT_EQ(xLabels[i].x1, float(double(xPositions[i]) - double(p.surface.textWidth(xTexts[i])) / 2))
            << i;
    std::vector<float> ticks, grid;
    for (const DrawCall& c : p.where([&](const DrawCall& c) { return p.isXTick(c); }))
        ticks.push_back(c.x1);
    for (const DrawCall& c : p.where([&](const DrawCall& c) { return p.isGrid(c, true); }))
        grid.push_back(c.x1);
    EXPECT_EQ(ticks, xTicks);
    EXPECT_EQ(grid, xPositions);

    // Y: labels up to the first value reaching the axis end, centred on the exact position; ticks
    // and loop grid lines floored at all but the last; the closing grid line at the last.
    std::vector<QString> yTexts;
    std::vector<float> yLabelTops, yTicks;
    const float halfLine = p.surface.textHeight(QStringLiteral("8")) / 2;
    for (float v : sc.yLabels) {
        yTexts.push_back(FormatValue(v, 0));
        yLabelTops.push_back(float(double(float(p.py(v))) - halfLine));
        yTicks.push_back(float(std::floor(p.py(v))));
    }
    const float closing = yTicks.back();
    yTicks.pop_back();
    const auto yLabels = p.where([&](const DrawCall& c) { return p.isYLabel(c); });
    EXPECT_EQ(textsOf(yLabels), yTexts);
    std::vector<float> labelTops;
    for (const DrawCall& c : yLabels) {
        labelTops.push_back(c.y1);
        EXPECT_EQ(c.x1, float(double(p.l().PlotLeft) - p.surface.textWidth(c.text) - 6))
            << c.text.toStdString();
    }
    EXPECT_EQ(labelTops, yLabelTops);
    ticks.clear();
    grid.clear();
    for (const DrawCall& c : p.where([&](const DrawCall& c) { return p.isYTick(c); }))
        ticks.push_back(c.y1);
    for (const DrawCall& c : p.where([&](const DrawCall& c) { return p.isGrid(c, false); }))
        grid.push_back(c.y1);
    EXPECT_EQ(ticks, yTicks);
    std::vector<float> yGrid = yTicks;
    yGrid.push_back(closing);
    EXPECT_EQ(grid, yGrid);
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
    p.d.layout.ScaleX = -7.25f;
    p.paint();
    const auto grid = p.where([&](const DrawCall& c) { return p.isGrid(c, true); });
    ASSERT_EQ(grid.size(), 4u);
    EXPECT_EQ(grid[0].x1, float(p.l().PlotLeft) + 72.5f);
    EXPECT_EQ(grid[1].x1, float(p.l().PlotLeft) + 50.0f); // 3 maps to +50.75
    const auto labels = p.where([&](const DrawCall& c) { return p.isXLabel(c); });
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels[0].x1 + p.surface.textWidth(labels[0].text) / 2, float(p.l().PlotLeft) + 72.5f);
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
    const auto vertical = p.where([&](const DrawCall& c) { return p.isGrid(c, true); });
    const auto horizontal = p.where([&](const DrawCall& c) { return p.isGrid(c, false); });
    if (viewGrid == -1) {
        EXPECT_EQ(vertical.size(), 4u);
        EXPECT_EQ(horizontal.size(), 5u);
    } else if (viewGrid == 0) {
        EXPECT_TRUE(vertical.empty());
        EXPECT_TRUE(horizontal.empty());
    } else {
        ASSERT_EQ(vertical.size(), 1u);
        ASSERT_EQ(horizontal.size(), 1u);
        EXPECT_EQ(vertical[0].x1, float(p.px(0)));
        EXPECT_EQ(horizontal[0].y1, float(std::floor(p.py(12))));
    }
    // Ticks do not depend on the grid.
    EXPECT_EQ(p.where([&](const DrawCall& c) { return p.isXTick(c); }).size(), 3u);
    EXPECT_EQ(p.where([&](const DrawCall& c) { return p.isYTick(c); }).size(), 4u);
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
    const auto xLabels = p.where([&](const DrawCall& c) { return p.isXLabel(c); });
    const auto yLabels = p.where([&](const DrawCall& c) { return p.isYLabel(c); });
    EXPECT_GE(xLabels.size(), sc.minX);
    EXPECT_LE(xLabels.size(), sc.maxX);
    EXPECT_GE(yLabels.size(), sc.minY);
    EXPECT_LE(yLabels.size(), sc.maxY);
    if (!xLabels.empty()) {
        EXPECT_EQ(xLabels[0].text, "-30");
    }
    if (!yLabels.empty()) {
        EXPECT_EQ(yLabels[0].text, "-20");
    }
    // Without a Y scale there is no closing grid line either; the rest of the picture stays.
    if (sc.maxY == 0) {
        EXPECT_TRUE(p.where([&](const DrawCall& c) { return p.isGrid(c, false); }).empty());
    }
    if (sc.maxX == 0) {
        EXPECT_TRUE(p.where([&](const DrawCall& c) { return p.isGrid(c, true); }).empty());
    }
    EXPECT_EQ(p.where([&](const DrawCall& c) { return c.text == p.d.CurveCaption; }).size(), 1u);
    EXPECT_EQ(p.where([&](const DrawCall& c) { return p.isXorFigure(c); }).size(), 13u);
}

// At 611 x 321 the plot is 549 x 265 pixels.
INSTANTIATE_TEST_SUITE_P(Tiny, Steps,
                         ::testing::Values(StepCase{"Defaults", 10, 10, 7, 7, 11, 11},
                                           StepCase{"StepTooSmallToMoveTheValue", 1e-30f, 1e-30f, 1, 1, 1, 1},
                                           StepCase{"MoreValuesThanPixels", 1e-3f, 1e-4f, 500, 551, 200, 267},
                                           StepCase{"ZeroSteps", 0, 0, 0, 0, 0, 0},
                                           StepCase{"NegativeSteps", -10, -10, 0, 0, 0, 0},
                                           StepCase{"NaNSteps", NaN, NaN, 0, 0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PaintPass, ScalesEndAtTheEdgeOfTheSingleRange)
{
    Painted p;
    const float big = std::numeric_limits<float>::max();
    p.curve.setX_Axis_Left(big / 2);
    p.curve.setX_Axis_Right(big);
    p.curve.setX_Step(big / 4);
    p.curve.setY_Axis_Bottom(-big);
    p.curve.setY_Axis_Top(big);
    p.curve.setY_Step(big);
    p.repaint();
    EXPECT_EQ(p.where([&](const DrawCall& c) { return p.isXLabel(c); }).size(), 3u);
    EXPECT_EQ(p.where([&](const DrawCall& c) { return p.isYLabel(c); }).size(), 3u);
}

// ---------------------------------------------------------------------------------------------
// A failing statement

TEST(PaintPass, AFailingStatementSkipsOnlyItsElement)
{
    // Negative decimals: FormatValue fails, so the labels' texts stay empty; ticks and all else stay.
    {
        Painted p;
        p.curve.setX_Decimals(-1);
        p.repaint();
        const auto labels = p.where([&](const DrawCall& c) { return p.isXLabel(c); });
        EXPECT_EQ(textsOf(labels), std::vector<QString>(7));
        EXPECT_EQ(p.where([&](const DrawCall& c) { return p.isXTick(c); }).size(), 6u);
        EXPECT_EQ(p.where([&](const DrawCall& c) { return p.isYLabel(c); }).size(), 11u);
        EXPECT_EQ(p.where([&](const DrawCall& c) { return p.isXorFigure(c); }).size(), 13u);
    }
    // PlotTop - 16 overflows: two lines of the Y arrow head go; its base, the X arrow head and
    // the rest of the pass stay.
    {
        Painted p;
        p.d.layout.PlotTop = std::numeric_limits<qint32>::min() + 10;
        p.paint();
        ASSERT_GT(p.calls.size(), 3u);
        const PlotLayout& l = p.l();
        EXPECT_EQ(p.calls[1].x1, float(l.PlotLeft - 3));
        EXPECT_EQ(p.calls[1].x2, float(l.PlotLeft + 3));
        EXPECT_EQ(p.calls[1].y1, float(l.PlotTop - 6));
        EXPECT_EQ(p.calls[2].x1, p.R() + 6);
        EXPECT_EQ(p.calls[2].x2, p.R() + 16);
        EXPECT_EQ(p.where([&](const DrawCall& c) { return p.isXorFigure(c); }).size(), 13u);
    }
    // R overflows: the X arrow head, the X axis and the horizontal grid lines go.
    {
        Painted p;
        p.d.layout.PlotWidth = std::numeric_limits<qint32>::max() - p.l().PlotLeft + 1;
        p.paint();
        EXPECT_TRUE(p.where([&](const DrawCall& c) { return p.isGrid(c, false); }).empty());
        const auto xAxis = p.where([&](const DrawCall& c) {
            return c.kind == DrawCall::Line && c.colour == p.d.AxisColor && c.x1 == float(p.l().PlotLeft) &&
                   c.y1 == p.B() && c.y2 == p.B();
        });
        EXPECT_TRUE(xAxis.empty());
        EXPECT_EQ(p.calls[1].y2, float(p.l().PlotTop - 16)); // the Y arrow head comes first
        EXPECT_EQ(p.calls[4].x1, float(p.l().PlotLeft));     // then the first X grid line
        EXPECT_EQ(p.where([&](const DrawCall& c) { return p.isYLabel(c); }).size(), 11u);
        EXPECT_EQ(p.where([&](const DrawCall& c) { return c.text == p.d.CurveCaption; }).size(), 1u);
    }
    // An empty X axis: its scale is infinite, so nothing that sits at an X position is drawn,
    // not even at a stale or made-up place; the Y scale and the texts are.
    {
        Painted p;
        p.curve.setX_Axis_Right(p.curve.X_Axis_Left());
        p.repaint();
        EXPECT_TRUE(std::isinf(p.l().ScaleX));
        EXPECT_TRUE(p.where([&](const DrawCall& c) { return p.isXLabel(c) || p.isGrid(c, true); }).empty());
        EXPECT_TRUE(p.where([&](const DrawCall& c) { return p.isXorFigure(c); }).empty());
        EXPECT_EQ(p.where([&](const DrawCall& c) { return p.isYLabel(c); }).size(), 11u);
        EXPECT_EQ(p.where([&](const DrawCall& c) { return c.text == p.d.X_AxisText; }).size(), 1u);
    }
    // A font that refuses the caption's size: the caption is still drawn, bold, and the pass goes on.
    {
        Painted p;
        QFont pixelFont = p.surface.font();
        pixelFont.setPixelSize(11); // has no point size to enlarge
        p.surface.setFont(pixelFont);
        p.repaint();
        const auto caption = p.where([&](const DrawCall& c) { return c.text == p.d.CurveCaption; });
        EXPECT_EQ(caption.size(), 1u);
        EXPECT_EQ(p.surface.font().pixelSize(), 11);
        EXPECT_FALSE(p.surface.font().bold());
        EXPECT_EQ(p.where([&](const DrawCall& c) { return p.isXorFigure(c); }).size(), 13u);
    }
}

// ---------------------------------------------------------------------------------------------
// Texts

TEST(PaintPass, AxisTextsAndCaptionArePlacedAndTheFontRestored)
{
    Painted p;
    p.curve.setY_AxisText(QStringLiteral("Y") + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("x"));
    QFont bold = p.surface.font();
    bold.setBold(true);
    p.surface.setFont(bold);
    p.repaint();
    const auto texts =
        p.where([&](const DrawCall& c) { return c.kind == DrawCall::Print && c.colour == p.d.TextColor; });
    ASSERT_EQ(texts.size(), 5u); // three characters, the X text, the caption

    // Down the left edge, a surrogate pair as one character, each centred in a digit-wide column.
    // Measured in the font of the texts: the pass leaves Bold off.
    const QFontMetricsF metrics(bold, &p.surface);
    auto width = [&](const QString& text) { return float(metrics.horizontalAdvance(text)); };
    const float lineHeight = float(metrics.height());
    const QString digit = QStringLiteral("8");
    float y = float((double(p.l().PlotHeight) - double(lineHeight) * 3) / 2 + p.l().PlotTop);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(texts[i].text, p.d.Y_AxisText.mid(i == 2 ? 3 : i, i == 1 ? 2 : 1));
        EXPECT_EQ(texts[i].x1, float((double(width(digit)) - double(width(texts[i].text))) / 2 + 0.5 + 2));
        EXPECT_EQ(texts[i].y1, y);
        y = float(double(y) + metrics.height());
    }

    EXPECT_EQ(texts[3].text, p.d.X_AxisText);
    EXPECT_EQ(texts[3].x1,
              float((double(p.l().PlotWidth) - double(width(p.d.X_AxisText))) / 2 + p.l().PlotLeft));
    EXPECT_EQ(texts[3].y1, float(double(p.surface.scaleHeight()) - double(lineHeight) - 2));

    // Centred across the surface in the enlarged bold font; afterwards Bold is off, not restored.
    QFont large = bold;
    large.setPointSizeF(bold.pointSizeF() * 1.5);
    const double captionWidth = QFontMetricsF(large, &p.surface).horizontalAdvance(p.d.CurveCaption);
    EXPECT_EQ(texts[4].text, p.d.CurveCaption);
    EXPECT_EQ(texts[4].x1, float((double(p.surface.scaleWidth()) - captionWidth) / 2));
    EXPECT_EQ(texts[4].y1, 2.0f);
    EXPECT_FALSE(p.surface.font().bold());
    EXPECT_EQ(p.surface.font().pointSizeF(), bold.pointSizeF());
    EXPECT_EQ(p.surface.foreColor(), p.d.TextColor);
}

TEST(PaintPass, EmptyTextsAreSkippedAndAnEmptyCaptionLeavesTheFontAlone)
{
    Painted p;
    p.curve.setCurveCaption(QString());
    p.curve.setX_AxisText(QString());
    p.curve.setY_AxisText(QString());
    QFont bold = p.surface.font();
    bold.setBold(true);
    p.surface.setFont(bold);
    p.repaint();
    EXPECT_TRUE(p.where([&](const DrawCall& c) { return c.colour == p.d.TextColor; }).empty());
    EXPECT_TRUE(p.surface.font().bold());
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
    p.curve.setY_DashedLine_Bottom(40); // the other line, always drawn
    p.repaint();
    const QImage without = p.surface.image();
    if (lc.assign)
        p.curve.setY_DashedLine_Top(lc.value);
    p.repaint();
    const auto dotted = p.where([](const DrawCall& c) { return c.drawStyle == DrawStyle::Dot; });
    ASSERT_EQ(dotted.size(), lc.drawn ? 4u : 2u);
    EXPECT_EQ(differingPixels(without, p.surface.image()) > 0, lc.drawn);
    if (lc.drawn) {
        const float y = float(p.py(lc.value));
        EXPECT_EQ(dotted[0].y1, y);
        EXPECT_EQ(dotted[1].y1, float(double(y) - 1));
    }
    for (const DrawCall& c : dotted) {
        EXPECT_EQ(c.kind, DrawCall::Line);
        EXPECT_EQ(c.colour, p.d.ActualValueColor);
        EXPECT_EQ(c.y1, c.y2);
        EXPECT_EQ(c.x1, float(p.l().PlotLeft));
        EXPECT_EQ(c.x2, p.R());
    }
    // The pen is solid again for everything after the limit lines.
    EXPECT_EQ(p.surface.drawStyle(), DrawStyle::Solid);
    EXPECT_EQ(p.calls.back().drawStyle, DrawStyle::Solid);
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
    EXPECT_TRUE(p.where([&](const DrawCall& c) { return c.colour == p.d.ActualValueColor; }).empty());

    p.curve.setActual_Value_Y(25);
    p.repaint();
    EXPECT_GT(differingPixels(none, p.surface.image()), 20);
    const auto marker = p.where([&](const DrawCall& c) { return c.colour == p.d.ActualValueColor; });
    ASSERT_EQ(marker.size(), 3u);
    const float x = float(p.px(5)), y = float(p.py(25));
    EXPECT_EQ(marker[0].kind, DrawCall::Line);
    EXPECT_EQ(marker[0].x1, float(double(x) - 6));
    EXPECT_EQ(marker[0].y1, float(double(y) - 6));
    EXPECT_EQ(marker[0].x2, float(double(x) + 6));
    EXPECT_EQ(marker[0].y2, float(double(y) + 6));
    EXPECT_EQ(marker[1].x1, float(double(x) + 6));
    EXPECT_EQ(marker[1].y2, float(double(y) + 6));
    // The text starts at the cross's lower-left end.
    EXPECT_EQ(marker[2].kind, DrawCall::Print);
    EXPECT_EQ(marker[2].text, "+5/+25");
    EXPECT_EQ(marker[2].x1, float(double(x) - 6));
    EXPECT_EQ(marker[2].y1, float(double(y) + 6));
    EXPECT_EQ(marker[0].drawStyle, DrawStyle::Solid);
}

TEST(ActualValue, OnTheBorderOrOutsideNothingIsDrawn)
{
    const std::pair<float, float> positions[] = {{-30, 25}, {30, 25}, {5, -20}, {5, 80},
                                                 {-40, 25}, {5, 200}, {NaN, 25}};
    for (const auto& [x, y] : positions) {
        Painted p;
        p.curve.setActual_Value_X(x);
        p.curve.setActual_Value_Y(y);
        p.repaint();
        EXPECT_TRUE(p.where([&](const DrawCall& c) { return c.colour == p.d.ActualValueColor; }).empty())
            << x << "/" << y;
    }
}

// ---------------------------------------------------------------------------------------------
// The XOR curve

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
    EXPECT_EQ(p.l().XorPenColor, 0xFFFF00);
    const QImage image = p.surface.image();
    // One row carries the whole horizontal segment, about 50 x ScaleX pixels long.
    int longestRow = 0;
    for (int row = 0; row < image.height(); ++row)
        longestRow = std::max(longestRow, pixelsOfColour(image.copy(0, row, image.width(), 1), 0x0000FF));
    EXPECT_GE(longestRow, int(50 * p.l().ScaleX) - 2);
    p.curve.setHideLine(-1);
    p.curve.RePaint();
    EXPECT_EQ(pixelsOfColour(p.surface.image(), 0x0000FF), 0);
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
    p.d.drawCurveXor();
    EXPECT_GT(differingPixels(before, p.surface.image()), 100);
    p.d.drawCurveXor();
    EXPECT_EQ(differingPixels(before, p.surface.image()), 0);
    EXPECT_EQ(p.surface.drawMode(), DrawMode::CopyPen);
    EXPECT_EQ(p.surface.fillStyle(), FillStyle::Transparent);
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
    Painted p;
    p.curve.setDimensions(64);
    for (int i = 0; i < 64; ++i) {
        p.curve.setValueIndex(float(i));
        p.curve.setX_Knotel(-30 + float(i) * 60 / 63);
        p.curve.setY_Knotel(float(i % 10) * 8);
    }
    if (xc.missingY >= 0)
        p.d.PointYSet[xc.missingY] = 0;
    p.curve.setDimensions(xc.dimensions);
    p.curve.setBreakPointShape(xc.shape);
    p.curve.setHideLine(xc.hideLine ? -1 : 0);
    p.curve.RePaint();
    p.record([&] { p.d.drawCurveXor(); });
    const auto segments = p.where([](const DrawCall& c) { return c.kind == DrawCall::Line; });
    const auto markers = p.where([](const DrawCall& c) { return c.kind != DrawCall::Line; });
    EXPECT_EQ(segments.size(), xc.segments);
    EXPECT_EQ(markers.size(), xc.markers);
    for (size_t i = 0; i < p.calls.size(); ++i) {
        EXPECT_EQ(p.calls[i].drawMode, DrawMode::XorPen);
        EXPECT_EQ(p.calls[i].colour, p.l().XorPenColor);
        if (i < segments.size()) {
            EXPECT_EQ(p.calls[i].kind, DrawCall::Line) << "segments come before the first marker";
        }
    }
    if (!segments.empty()) {
        EXPECT_EQ(segments[0].x1, float(p.px(p.d.PointX[0])));
        EXPECT_EQ(segments[0].y2, float(p.py(p.d.PointY[1])));
    }
    if (!markers.empty()) {
        const DrawCall& last = markers.back();
        const float lastX = float(p.px(p.d.PointX[markers.size() - 1]));
        EXPECT_EQ(last.kind == DrawCall::Circle ? last.x1 : float(double(last.x1) + (xc.shape == 3 ? 3 : 2)),
                  lastX);
    }
    if (xc.shape == 2) {
        for (const DrawCall& c : markers) {
            EXPECT_EQ(c.fillStyle, FillStyle::Solid);
            EXPECT_EQ(c.fillColour, p.d.CurveColor);
            EXPECT_EQ(c.x2, 2.0f);
        }
        EXPECT_EQ(p.surface.fillColor(), p.d.CurveColor);
    }
    EXPECT_EQ(p.surface.drawMode(), DrawMode::CopyPen);
    EXPECT_EQ(p.surface.fillStyle(), FillStyle::Transparent);
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
