// Placement of the drawing surface and the tracker controls, and the plot layout: the plot
// rectangle, the two scales, the tracker controls' visibility and the XOR pen colour.
#include "CurvePrivate.h"

#include "ErrorTolerance.h"
#include "platform/DrawingSurface.h"
#include "platform/Twips.h"

#include <knotel/Curve.h>
#include <knotel/FormatValue.h>
#include <knotel/LeadingValue.h>

#include <QLabel>
#include <QLineEdit>

namespace knotel {

namespace {

// Layout constants, in pixels of the surface.
constexpr double LeftMargin = 6;
constexpr double YAxisTextGap = 8;
constexpr double RightMargin = 18;
constexpr qint32 TopMarginWithoutCaption = 13;
constexpr double CaptionGap = 5;
constexpr double BottomGap = 6;
constexpr int TrackerBoxRightGap = 5;
constexpr int TrackerBoxBottomGap = 2;
// Below the surface, in twips.
constexpr int TrackerTextTopTwips = 50;
constexpr int TrackerLabelTopTwips = 80;

} // namespace

void CurvePrivate::resizeHandler()
{
    const auto twips = platform::TwipsPerPixel::of(q);
    // The surface covers the whole control; it has no border, whatever the axis texts say.
    tolerate([&] { Picture_Curve->move(0, 0); });
    tolerate([&] { Picture_Curve->resize(q->width(), Picture_Curve->height()); });
    tolerate([&] {
        Picture_Curve->resize(Picture_Curve->width(), q->height());
        if (X_AxisText.isEmpty() && Y_AxisText.isEmpty())
            Picture_Curve->setBorderStyle(0);
    });
    // The read-out box sits against the surface's lower right corner, in the surface's pixels.
    tolerate([&] {
        Text_Value_XY->move(Text_Value_XY->x(),
                            Picture_Curve->height() - Text_Value_XY->height() - TrackerBoxBottomGap);
    });
    tolerate([&] {
        Text_Value_XY->move(Picture_Curve->width() - Text_Value_XY->width() - TrackerBoxRightGap,
                            Text_Value_XY->y());
    });
    // The tracker texts and labels go below the surface, out of the control's visible area.
    tolerate([&] {
        const int surfaceBottom = Picture_Curve->height();
        const int textTop = surfaceBottom + twips.toPixelsY(TrackerTextTopTwips);
        const int labelTop = surfaceBottom + twips.toPixelsY(TrackerLabelTopTwips);
        Text_Value_X->move(Text_Value_X->x(), textTop);
        Label_Value_X->move(Label_Value_X->x(), labelTop);
        Text_Value_Y->move(Text_Value_Y->x(), textTop);
        Label_Value_Y->move(Label_Value_Y->x(), labelTop);
    });
    computeLayout();
}

void CurvePrivate::computeLayout()
{
    const platform::DrawingSurface& surface = *Picture_Curve;
    const QString digit = QStringLiteral("8");

    tolerate([&] { layout.PlotLeft = qint32(LeftMargin); });
    tolerate([&] {
        if (!Y_AxisText.isEmpty()) {
            layout.PlotLeft = roundToInt32(double(surface.textWidth(digit)) + layout.PlotLeft + YAxisTextGap);
            Label_Value_Y->setText(Y_AxisText);
            Label_Value_Y->show();
            Text_Value_Y->show();
        } else {
            Label_Value_Y->hide();
            Text_Value_Y->hide();
        }
    });
    tolerate([&] {
        // Room for the wider of the two Y end labels; a negative Y_Decimals skips this step.
        const QString bottom = FormatValue(Y_Axis_Bottom, Y_Decimals);
        const QString top = FormatValue(Y_Axis_Top, Y_Decimals);
        const float bottomWidth = surface.textWidth(bottom);
        const float topWidth = surface.textWidth(top);
        const float wider = bottomWidth > topWidth ? bottomWidth : topWidth;
        layout.PlotLeft = roundToInt32(double(wider) + layout.PlotLeft);
    });
    tolerate([&] {
        layout.PlotWidth = roundToInt32(double(surface.scaleWidth()) - layout.PlotLeft - RightMargin);
    });
    tolerate([&] { layout.PlotTop = TopMarginWithoutCaption; });
    tolerate([&] {
        if (!CurveCaption.isEmpty()) {
            // The paint pass draws the caption 1.5 times as large; measure it in the normal font.
            layout.PlotTop = roundToInt32(double(surface.textHeight(CurveCaption)) * 1.5 + CaptionGap);
        }
    });
    tolerate([&] {
        layout.PlotHeight = roundToInt32(double(surface.scaleHeight()) - layout.PlotTop -
                                         double(surface.textHeight(digit)) - BottomGap);
    });
    tolerate([&] {
        if (!X_AxisText.isEmpty()) {
            layout.PlotHeight = roundToInt32(double(layout.PlotHeight) - double(surface.textHeight(digit)));
            Label_Value_X->setText(X_AxisText);
            Label_Value_X->show();
            Text_Value_X->show();
        } else {
            Label_Value_X->hide();
            Text_Value_X->hide();
        }
    });
    // A zero span gives an infinite scale (NaN when the plot size is 0 too); the layout goes on.
    tolerate([&] { layout.ScaleX = float(double(layout.PlotWidth) / (double(X_Axis_Right) - X_Axis_Left)); });
    tolerate(
        [&] { layout.ScaleY = float(double(layout.PlotHeight) / (double(Y_Axis_Top) - Y_Axis_Bottom)); });
    tolerate([&] { layout.XorPenColor = CurveColor ^ surface.backColor(); });
}

} // namespace knotel
