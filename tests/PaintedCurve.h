#ifndef KNOTEL_PAINTEDCURVE_H
#define KNOTEL_PAINTEDCURVE_H

#include "CurveScene.h"
#include "TestSupport.h"

#include <optional>
#include <vector>

namespace knotel::test {

/** The evaluation program's control with seven points, repainted once, whose drawing calls can be recorded.
 */
struct PaintedCurve : CurveScene {
    std::vector<platform::DrawCall> calls;

    /** @p withPoints false leaves every slot as a new control has it: no coordinate given. */
    explicit PaintedCurve(bool withPoints = true)
    {
        if (withPoints)
            load(ZigzagPoints);
    }
    /** Records the drawing calls that @p f makes into calls. */
    template <class F> void record(F&& f)
    {
        calls.clear();
        surface.canvas().setRecorder([this](const platform::DrawCall& c) { calls.push_back(c); });
        f();
        surface.canvas().setRecorder({});
    }
    /** Layout and paint pass, as the host's RePaint runs them. */
    void repaint()
    {
        m_over.reset();
        record([this] { curve.RePaint(); });
    }
    /** The paint pass alone, over the last layout or the one given. */
    void paint(std::optional<PlotLayout> over = {})
    {
        m_over = over;
        record([this] {
            CurvePainter(d.engine.settings(), d.engine.points(), layout(), d.engine.canvas()).paintControl();
        });
    }
    /** The layout the paint pass works on. */
    const PlotLayout& layout() const { return m_over ? *m_over : d.engine.layout(); }

    float L() const { return float(layout().PlotLeft); }
    float T() const { return float(layout().PlotTop); }
    float B() const { return float(layout().PlotTop + layout().PlotHeight); }
    float R() const { return float(layout().PlotLeft + layout().PlotWidth); }
    double px(float v) const
    {
        return PlotMapping(layout(), curve.X_Axis_Left(), curve.Y_Axis_Bottom()).pixelX(v);
    }
    double py(float v) const
    {
        return PlotMapping(layout(), curve.X_Axis_Left(), curve.Y_Axis_Bottom()).pixelY(v);
    }

private:
    std::optional<PlotLayout> m_over;
};

} // namespace knotel::test

#endif
