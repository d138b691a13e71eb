#ifndef KNOTEL_PAINTEDCURVE_H
#define KNOTEL_PAINTEDCURVE_H

#include "CurveScene.h"
#include "TestSupport.h"

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
        record([this] { curve.RePaint(); });
    }
    /** The paint pass alone, over the layout fields as they are. */
    void paint()
    {
        record([this] { d.painter().paintControl(); });
    }

    float L() const { return float(d.layout.PlotLeft); }
    float T() const { return float(d.layout.PlotTop); }
    float B() const { return float(d.layout.PlotTop + d.layout.PlotHeight); }
    float R() const { return float(d.layout.PlotLeft + d.layout.PlotWidth); }
    double px(float v) const { return d.mapping().pixelX(v); }
    double py(float v) const { return d.mapping().pixelY(v); }
};

} // namespace knotel::test

#endif
