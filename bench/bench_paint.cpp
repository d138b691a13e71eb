// The cost of the paint pass, at the evaluation program's control size and at full HD, at the
// device pixel ratio of the run: a whole PaintControl, whose background changes every time, alone
// and as the host's RePaint of a shown control followed by the screen update (NewBackground);
// a RePaint with nothing changed; RePaintChanged moves the actual-value marker before each
// RePaint; LiveUpdate moves the marker and one point, as a host that shows a live process value
// does, and counts the device pixels its screen update copies (copied_px). And one DrawCurveXor of
// 64 points for each break-point shape. Beside them the floors: filling the backing image once and
// copying it once, as a RePaint that draws everything does, and copying what a live update copies.
#include "BenchSupport.h"
#include "CurveScene.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

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

void sizes(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"w", "h"})
        ->Args({611, 321})
        ->Args({1920, 1080})
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMicrosecond);
}

// The whole pass: its background changes every time (the grid colour alternates), so none of it
// is kept from the pass before.
void BM_PaintControl(benchmark::State& state)
{
    PaintScene scene(int(state.range(0)), int(state.range(1)), 1);
    qint32 grid = scene.curve.GridColor();
    for (auto _ : state) {
        grid ^= 1;
        scene.curve.setGridColor(grid);
        scene.d.engine.paintControl();
    }
    state.SetLabel(knotel::bench::ratioLabel());
}
BENCHMARK(BM_PaintControl)->Apply(sizes);

void BM_RePaintNewBackground(benchmark::State& state)
{
    PaintScene scene(int(state.range(0)), int(state.range(1)), 1);
    scene.curve.show();
    QCoreApplication::processEvents();
    qint32 grid = scene.curve.GridColor();
    for (auto _ : state) {
        grid ^= 1;
        scene.curve.setGridColor(grid);
        scene.curve.RePaint();
        QCoreApplication::processEvents();
    }
    state.SetLabel(knotel::bench::ratioLabel());
}
BENCHMARK(BM_RePaintNewBackground)->Apply(sizes);

// Nothing changed since the last RePaint.
void BM_RePaintWithScreenUpdate(benchmark::State& state)
{
    PaintScene scene(int(state.range(0)), int(state.range(1)), 1);
    scene.curve.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        scene.curve.RePaint();
        QCoreApplication::processEvents();
    }
    state.SetLabel(knotel::bench::ratioLabel());
}
BENCHMARK(BM_RePaintWithScreenUpdate)->Apply(sizes);

void BM_RePaintChanged(benchmark::State& state)
{
    PaintScene scene(int(state.range(0)), int(state.range(1)), 1);
    scene.curve.show();
    QCoreApplication::processEvents();
    float y = 20;
    for (auto _ : state) {
        y = y < 50 ? y + 0.37f : 20;
        scene.curve.setActual_Value_Y(y);
        scene.curve.RePaint();
        QCoreApplication::processEvents();
    }
    state.SetLabel(knotel::bench::ratioLabel());
}
BENCHMARK(BM_RePaintChanged)->Apply(sizes);

/** A shown control as a host's live display shows it: each update gives the actual-value marker
 *  and one point new values, calls RePaint and lets the event loop update the screen. */
class LiveScene {
public:
    LiveScene(int width, int height) : scene(width, height, 1)
    {
        scene.curve.show();
        QCoreApplication::processEvents();
        scene.surface.installEventFilter(&painted);
    }

    void update()
    {
        // The marker moves on a little, to a place it has not been before.
        ++step;
        scene.curve.setActual_Value_X(float(-25 + std::fmod(step * 0.2137, 50.0)));
        scene.curve.setActual_Value_Y(float(30 + 15 * std::sin(step / 9.3)));
        // The points of the wave in turn, each a little off its place and back the next time.
        const int slot = step % 64;
        scene.curve.setValueIndex(float(slot));
        scene.curve.setY_Knotel(30 + 40 * std::sin(float(slot) / 5) + (step / 64 % 2 ? 1.5f : 0));
        scene.curve.RePaint();
        QCoreApplication::processEvents();
    }

    PaintScene scene;
    knotel::bench::PaintedPixels painted;

private:
    int step = 0;
};

void BM_LiveUpdate(benchmark::State& state)
{
    LiveScene live(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        live.update();
    state.SetLabel(knotel::bench::ratioLabel());
    state.counters["copied_px"] = live.painted.perPaint();
}
BENCHMARK(BM_LiveUpdate)->Apply(sizes);

// The floor of a live update: copying what its screen update copies (copied_px of the updates
// that a warm-up makes, as a band of whole rows).
void BM_FloorLiveUpdate(benchmark::State& state)
{
    using knotel::bench::devicePixels;
    double copied = 0;
    {
        LiveScene live(int(state.range(0)), int(state.range(1)));
        for (int i = 0; i < 300; ++i)
            live.update();
        copied = live.painted.perPaint();
    }
    const int width = devicePixels(int(state.range(0)));
    knotel::bench::copyBand(state, width, devicePixels(int(state.range(1))), width,
                            std::max(1, int(std::lround(copied / width))));
    state.SetLabel(knotel::bench::ratioLabel());
    state.counters["copied_px"] = copied;
}
BENCHMARK(BM_FloorLiveUpdate)->Apply(sizes);

// Filling the image, as the pass's Cls does, and copying it, as the whole screen update does.
void BM_FloorRePaint(benchmark::State& state)
{
    using knotel::bench::devicePixels;
    const std::size_t size =
        std::size_t(devicePixels(int(state.range(0)))) * std::size_t(devicePixels(int(state.range(1)))) * 4;
    std::vector<unsigned char> image(size, 0x55);
    std::vector<unsigned char> screen(size);
    for (auto _ : state) {
        std::memset(image.data(), int(state.iterations() & 0xFF), size);
        std::memcpy(screen.data(), image.data(), size);
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(knotel::bench::ratioLabel());
}
BENCHMARK(BM_FloorRePaint)->Apply(sizes);

// Each call draws or erases the curve over the painted plot, as a drag move does twice.
void BM_DrawCurveXor(benchmark::State& state)
{
    PaintScene scene(611, 321, qint32(state.range(0)));
    for (auto _ : state)
        scene.d.engine.painter().drawCurveXor();
    state.SetLabel(knotel::bench::ratioLabel());
}
BENCHMARK(BM_DrawCurveXor)
    ->ArgName("shape")
    ->DenseRange(1, 4)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
