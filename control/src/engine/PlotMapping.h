#ifndef KNOTEL_PLOTMAPPING_H
#define KNOTEL_PLOTMAPPING_H

#include <knotel/PlotLayout.h>

#include <cmath>

namespace knotel {

/**
 * Axis values to pixels of the drawing surface and back, for one layout and one pair of axes.
 *
 * The arithmetic runs in double precision in the written order; results are returned as doubles
 * so that the caller decides where a value is floored and stored as a single. Painting and
 * hit-testing both use this class, so the formula exists once.
 */
class PlotMapping {
public:
    PlotMapping(const PlotLayout& layout, float xAxisLeft, float yAxisBottom)
        : m_layout(layout), m_xAxisLeft(xAxisLeft), m_yAxisBottom(yAxisBottom)
    {
    }

    /** px = (X - X_Axis_Left) x ScaleX + PlotLeft */
    double pixelX(float x) const
    {
        return (double(x) - double(m_xAxisLeft)) * double(m_layout.ScaleX) + double(m_layout.PlotLeft);
    }

    /** py = (PlotHeight - (Y - Y_Axis_Bottom) x ScaleY) + PlotTop */
    double pixelY(float y) const
    {
        return (double(m_layout.PlotHeight) - (double(y) - double(m_yAxisBottom)) * double(m_layout.ScaleY)) +
               double(m_layout.PlotTop);
    }

    /** X = (mx - PlotLeft) / ScaleX + X_Axis_Left */
    double valueX(float mx) const
    {
        return (double(mx) - double(m_layout.PlotLeft)) / double(m_layout.ScaleX) + double(m_xAxisLeft);
    }

    /** Y = Y_Axis_Bottom - (my - PlotTop - PlotHeight) / ScaleY */
    double valueY(float my) const
    {
        return double(m_yAxisBottom) - (double(my) - double(m_layout.PlotTop) - double(m_layout.PlotHeight)) /
                                           double(m_layout.ScaleY);
    }

    const PlotLayout& layout() const { return m_layout; }

private:
    PlotLayout m_layout;
    float m_xAxisLeft;
    float m_yAxisBottom;
};

} // namespace knotel

#endif
