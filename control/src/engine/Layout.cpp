// The plot layout: the plot rectangle within the surface, the two scales, whether the tracker
// boxes show, and the XOR pen colour.
#include "engine/Layout.h"

#include "numbers/ErrorTolerance.h"
#include "numbers/NumberConversion.h"

#include <knotel/FormatValue.h>

namespace knotel {

namespace {

// Layout constants, in pixels of the surface.
constexpr double LeftMargin = 6;
constexpr double YAxisTextGap = 8;
constexpr double RightMargin = 18;
constexpr qint32 TopMarginWithoutCaption = 13;
constexpr double CaptionGap = 5;
constexpr double BottomGap = 6;

// The tracker's read-out box: its size in twips, its gaps to the right and bottom edges in pixels.
constexpr int ReadoutWidthTwips = 1515;
constexpr int ReadoutHeightTwips = 195;
constexpr int ReadoutRightGap = 5;
constexpr int ReadoutBottomGap = 2;

} // namespace

LayoutResult computeLayout(const PlotLayout& previous, const CurveSettings& s, const SurfaceMetrics& m)
{
    LayoutResult result{previous, std::nullopt, std::nullopt};
    PlotLayout& layout = result.plot;
    const QString digit = QStringLiteral("8");

    layout.PlotLeft = qint32(LeftMargin);
    tolerate([&] {
        if (!s.Y_AxisText.isEmpty()) {
            layout.PlotLeft = roundToInt32(double(m.textWidth(digit)) + layout.PlotLeft + YAxisTextGap);
            result.showYTracker = true;
        } else {
            result.showYTracker = false;
        }
    });
    tolerate([&] {
        // Room for the wider of the two Y end labels; a negative Y_Decimals skips this step.
        const QString bottom = FormatValue(s.Y_Axis_Bottom, s.Y_Decimals);
        const QString top = FormatValue(s.Y_Axis_Top, s.Y_Decimals);
        const float bottomWidth = m.textWidth(bottom);
        const float topWidth = m.textWidth(top);
        const float wider = bottomWidth > topWidth ? bottomWidth : topWidth;
        layout.PlotLeft = roundToInt32(double(wider) + layout.PlotLeft);
    });
    tolerate([&] { layout.PlotWidth = roundToInt32(double(m.width) - layout.PlotLeft - RightMargin); });
    layout.PlotTop = TopMarginWithoutCaption;
    tolerate([&] {
        if (!s.CurveCaption.isEmpty()) {
            // The paint pass draws the caption 1.5 times as large; measure it in the normal font.
            layout.PlotTop = roundToInt32(double(m.lineHeight) * 1.5 + CaptionGap);
        }
    });
    tolerate([&] {
        layout.PlotHeight =
            roundToInt32(double(m.height) - layout.PlotTop - double(m.lineHeight) - BottomGap);
    });
    tolerate([&] {
        if (!s.X_AxisText.isEmpty()) {
            layout.PlotHeight = roundToInt32(double(layout.PlotHeight) - double(m.lineHeight));
            result.showXTracker = true;
        } else {
            result.showXTracker = false;
        }
    });
    // A zero span gives an infinite scale (NaN when the plot size is 0 too); the layout goes on.
    layout.ScaleX = toSingleOrInfinity(double(layout.PlotWidth) / (double(s.X_Axis_Right) - s.X_Axis_Left));
    layout.ScaleY = toSingleOrInfinity(double(layout.PlotHeight) / (double(s.Y_Axis_Top) - s.Y_Axis_Bottom));
    layout.XorPenColor = s.CurveColor ^ m.backColor;
    return result;
}

QRect readoutBox(QSize surface, const platform::TwipsPerPixel& twips)
{
    const int w = twips.toPixelsX(ReadoutWidthTwips);
    const int h = twips.toPixelsY(ReadoutHeightTwips);
    return QRect(surface.width() - w - ReadoutRightGap, surface.height() - h - ReadoutBottomGap, w, h);
}

} // namespace knotel
