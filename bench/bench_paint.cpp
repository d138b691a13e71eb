// The cost of the paint pass: a full PaintControl at the evaluation program's control size and
// at full HD, and one DrawCurveXor of 64 points for each break-point shape.
#include "CurvePrivate.h"

#include <knotel/Curve.h>

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using knotel::Curve;
using knotel::CurvePrivate;

/** A control of the given size with 64 points, both limit lines and the actual value, laid out. */
class PaintScene {
public:
    PaintScene(int width, int height, qint32 shape)
    {
        curve.resize(width, height);
        curve.setDimensions(64);
        for (int i = 0; i < 64; ++i) {
            curve.setValueIndex(float(i));
            curve.setX_Knotel(-30.0f + 60.0f * float(i) / 63.0f);
            curve.setY_Knotel(30.0f + 40.0f * std::sin(float(i) / 5.0f));
        }
        curve.setBreakPointShape(shape);
        curve.setY_DashedLine_Top(65);
        curve.setY_DashedLine_Bottom(-5);
        curve.setActual_Value_X(12.5f);
        curve.setActual_Value_Y(20);
        curve.RePaint();
    }

    CurvePrivate& d() { return *CurvePrivate::get(&curve); }

private:
    Curve curve;
};

void BM_PaintControl(benchmark::State& state)
{
    PaintScene scene(int(state.range(0)), int(state.range(1)), 1);
    for (auto _ : state)
        scene.d().paintControl();
}
BENCHMARK(BM_PaintControl)
    ->ArgNames({"w", "h"})
    ->Args({611, 321})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMicrosecond);

// Each call draws or erases the curve over the painted plot, as a drag move does twice.
void BM_DrawCurveXor(benchmark::State& state)
{
    PaintScene scene(611, 321, qint32(state.range(0)));
    for (auto _ : state)
        scene.d().painter().drawCurveXor();
}
BENCHMARK(BM_DrawCurveXor)->ArgName("shape")->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

} // namespace
