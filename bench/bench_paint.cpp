// The cost of the paint pass: a full PaintControl at the evaluation program's control size and
// at full HD, alone and as the host's RePaint of a shown control followed by the screen update,
// and one DrawCurveXor of 64 points for each break-point shape.
#include "CurveScene.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

/** A control of the given size with 64 points, both limit lines and the actual value, laid out. */
class PaintScene : public knotel::test::CurveScene {
public:
    PaintScene(int width, int height, qint32 shape) : CurveScene(width, height)
    {
        curve.setBreakPointShape(shape);
        curve.setY_DashedLine_Top(65);
        curve.setY_DashedLine_Bottom(-5);
        curve.setActual_Value_X(12.5f);
        curve.setActual_Value_Y(20);
        loadSixtyFour(40);
    }
};

void BM_PaintControl(benchmark::State& state)
{
    PaintScene scene(int(state.range(0)), int(state.range(1)), 1);
    for (auto _ : state)
        scene.d.paintControl();
}
BENCHMARK(BM_PaintControl)
    ->ArgNames({"w", "h"})
    ->Args({611, 321})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMicrosecond);

void BM_RePaintWithScreenUpdate(benchmark::State& state)
{
    PaintScene scene(int(state.range(0)), int(state.range(1)), 1);
    scene.curve.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        scene.curve.RePaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_RePaintWithScreenUpdate)
    ->ArgNames({"w", "h"})
    ->Args({611, 321})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMicrosecond);

// Each call draws or erases the curve over the painted plot, as a drag move does twice.
void BM_DrawCurveXor(benchmark::State& state)
{
    PaintScene scene(611, 321, qint32(state.range(0)));
    for (auto _ : state)
        scene.d.painter().drawCurveXor();
}
BENCHMARK(BM_DrawCurveXor)->ArgName("shape")->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

} // namespace
