#ifndef KNOTEL_CURVEPAINTER_H
#define KNOTEL_CURVEPAINTER_H

#include "engine/CurveSettings.h"
#include "engine/PlotMapping.h"
#include "engine/PointTable.h"

#include <knotel/PlotLayout.h>

#include <tuple>

namespace knotel {

namespace platform {
class Canvas;
}

/**
 * Draws the control's picture onto its canvas from the settings, the points and the layout,
 * which it only reads.
 *
 * paintControl() is the whole paint pass, in a fixed order: clear, arrow heads, X scale, Y scale,
 * limit lines, actual-value marker, axis lines, axis texts, caption, and last the curve. Each
 * step is a member of its own; every statement of a step runs on its own, so that one that fails
 * (a position beyond the single range, a 32-bit overflow) is skipped and the next is drawn.
 * While backgroundKey() stays the same, the canvas keeps the background (everything but the limit
 * lines, the marker and the curve) and the pass draws only what changed of the rest.
 *
 * drawCurveXor() draws the curve and its markers with the XOR pen: a second identical call
 * erases them pixel for pixel.
 */
class CurvePainter {
public:
    CurvePainter(const CurveSettings& settings, const PointTable& points, const PlotLayout& layout,
                 platform::Canvas& canvas);

    /** The paint pass. A failing clear goes to the caller; nothing after it does. */
    void paintControl();
    /** The curve's segments, then its markers, in slot order, with the XOR pen: the markers of slots
     *  @p first to @p last (within the slots in use) and every segment with an end among them; by
     *  default the whole curve. */
    void drawCurveXor(int first = 0, int last = SlotCount - 1);
    /** The canvas drawn on, for callers that gather the screen updates of several drawings. */
    platform::Canvas& canvas() const { return m_canvas; }

private:
    /** What the base and the frame are drawn from: see backgroundKey(). Values compare by value:
     *  a NaN never matches, so it is drawn afresh; 0 and -0 draw the same pixels. */
    struct BackgroundKey {
        CurveSettings settings;
        PlotLayout layout;
        bool operator==(const BackgroundKey& other) const
        {
            const auto fields = [](const PlotLayout& l) {
                return std::tie(l.PlotLeft, l.PlotTop, l.PlotWidth, l.PlotHeight, l.ScaleX, l.ScaleY,
                                l.XorPenColor);
            };
            return settings == other.settings && fields(layout) == fields(other.layout);
        }
    };
    BackgroundKey backgroundKey() const;

    // PaintFrame.cpp
    void drawArrowHeads();
    void drawFrame();
    void drawAxisLines();
    void drawAxisTexts();
    void drawCaption();
    // PaintScales.cpp
    enum class Axis { X, Y };
    void drawScale(Axis axis);
    void drawScaleLabel(Axis axis, const QString& text, float at);
    // PaintMarks.cpp
    void drawLimitLines();
    void drawLimitLine(float value);
    void drawActualValue();

    PlotMapping mapping() const
    {
        return PlotMapping(m_layout, m_settings.X_Axis_Left, m_settings.Y_Axis_Bottom);
    }
    /** R, the x of the plot's right edge, and B, the y of its bottom edge; both throw 6 on 32-bit overflow.
     */
    qint32 plotRight() const;
    qint32 plotBottom() const;

    const CurveSettings& m_settings;
    const PointTable& m_points;
    const PlotLayout& m_layout;
    platform::Canvas& m_canvas;
};

} // namespace knotel

#endif
