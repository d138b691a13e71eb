// The cost of mouse editing with 64 points, each move followed by the screen update that it
// schedules, as a host sees it: one drag move of point 31 with the tracker read-out off and on,
// and one whole-curve move, at the evaluation program's control size and at full HD, at the
// device pixel ratio of the run (./knotel bench runs each program at ratio 1 and at ratio 2).
// Moves alternate between two rows 6 pixels apart; the Sweep variants move to a new place each
// time, 0.37 pixels on, as a slow hand does; copied_px counts the device pixels a move's screen
// update copies. Beside them the floor: copying the bytes of the backing image once, and of the
// band of the surface that a curve move's figures cover (band_px device pixels). A 1000 Hz mouse
// delivers a move every millisecond.
#include "BenchSupport.h"
#include "CurveScene.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

/** A shown control with 64 points and the mouse held down on point 31 or on the segment after it. */
class DragScene {
public:
    enum Grab { Point, Segment };

    DragScene(int width, int height, bool tracker, Grab grab) : scene(width, height)
    {
        scene.loadSixtyFour(20);
        scene.curve.setViewTracker(tracker ? -1 : 0);
        scene.show();
        from = grab == Point ? scene.pixelOf(31) : (scene.pixelOf(31) + scene.pixelOf(32)) / 2;
        to = from + QPointF(0, -6);
        scene.press(from);
        scene.surface.installEventFilter(&painted);
    }

    ~DragScene() { scene.release(from); }

    /** True when the press grabbed what the scene asked for. */
    bool grabbed() const
    {
        return scene.d.engine.gesture().point == 31 || scene.d.engine.gesture().curveMoving;
    }

    /** One move of the mouse, to the other row than the last one. */
    void move()
    {
        flip = !flip;
        scene.move(flip ? to : from);
    }
    /** One move of the mouse to a place it has not been for a while. */
    void sweep()
    {
        step = (step + 1) % 200;
        scene.move(from + QPointF(0, -0.37 * step));
    }

    /** Device pixels in the regions of the surface's paint events. */
    knotel::bench::PaintedPixels painted;

    /** The band of the surface that the curve's figures cover at both rows of the mouse: the
     *  bounding rectangle of its markers, widened by the pen and the update margin. */
    QRect figuresBand()
    {
        QRect band;
        for (int row = 0; row < 2; ++row) {
            move();
            QCoreApplication::processEvents();
            for (int i = 0; i < 64; ++i)
                band |= QRect(scene.pixelOf(i).toPoint() - QPoint(5, 5), QSize(11, 11));
        }
        return band & scene.surface.rect();
    }

private:
    knotel::test::CurveScene scene;
    QPointF from, to;
    bool flip = false;
    int step = 0;
};

void sizes(benchmark::internal::Benchmark* b)
{
    b->Args({611, 321})->Args({1920, 1080})->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
}

template <void (DragScene::*Move)()> void runMoves(benchmark::State& state, DragScene& scene)
{
    if (!scene.grabbed())
        state.SkipWithError("nothing grabbed");
    for (auto _ : state) {
        (scene.*Move)();
        QCoreApplication::processEvents(); // the scheduled screen update
    }
    state.SetLabel(knotel::bench::ratioLabel());
    state.counters["copied_px"] = scene.painted.perPaint();
}

void BM_DragMove(benchmark::State& state)
{
    DragScene scene(int(state.range(0)), int(state.range(1)), state.range(2) != 0, DragScene::Point);
    runMoves<&DragScene::move>(state, scene);
}
BENCHMARK(BM_DragMove)
    ->ArgNames({"w", "h", "tracker"})
    ->Args({611, 321, 0})
    ->Args({611, 321, 1})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);

void BM_DragMoveSweep(benchmark::State& state)
{
    DragScene scene(int(state.range(0)), int(state.range(1)), false, DragScene::Point);
    runMoves<&DragScene::sweep>(state, scene);
}
BENCHMARK(BM_DragMoveSweep)->ArgNames({"w", "h"})->Apply(sizes);

void BM_CurveMove(benchmark::State& state)
{
    DragScene scene(int(state.range(0)), int(state.range(1)), false, DragScene::Segment);
    runMoves<&DragScene::move>(state, scene);
}
BENCHMARK(BM_CurveMove)->ArgNames({"w", "h"})->Apply(sizes);

void BM_CurveMoveSweep(benchmark::State& state)
{
    DragScene scene(int(state.range(0)), int(state.range(1)), false, DragScene::Segment);
    runMoves<&DragScene::sweep>(state, scene);
}
BENCHMARK(BM_CurveMoveSweep)->ArgNames({"w", "h"})->Apply(sizes);

// The floor: one pass over the backing image's bytes (32 bits a device pixel), writing, and
// copying, as a whole-surface screen update does.
void BM_FloorMemset(benchmark::State& state)
{
    using knotel::bench::devicePixels;
    std::vector<unsigned char> bytes(std::size_t(devicePixels(int(state.range(0)))) *
                                     std::size_t(devicePixels(int(state.range(1)))) * 4);
    for (auto _ : state) {
        std::memset(bytes.data(), int(state.iterations() & 0xFF), bytes.size());
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(knotel::bench::ratioLabel());
}
BENCHMARK(BM_FloorMemset)->ArgNames({"w", "h"})->Apply(sizes);

void BM_FloorMemcpy(benchmark::State& state)
{
    using knotel::bench::devicePixels;
    knotel::bench::copyBand(state, devicePixels(int(state.range(0))), devicePixels(int(state.range(1))));
    state.SetLabel(knotel::bench::ratioLabel());
}
BENCHMARK(BM_FloorMemcpy)->ArgNames({"w", "h"})->Apply(sizes);

// The floor of a curve move: copying the band of the surface that its figures cover, before and
// after the move.
void BM_FloorCurveMoveBand(benchmark::State& state)
{
    using knotel::bench::devicePixels;
    QRect band;
    {
        DragScene scene(int(state.range(0)), int(state.range(1)), false, DragScene::Segment);
        band = scene.figuresBand();
    }
    knotel::bench::copyBand(state, devicePixels(int(state.range(0))), devicePixels(int(state.range(1))),
                            devicePixels(band.width()), devicePixels(band.height()));
    state.SetLabel(knotel::bench::ratioLabel());
    state.counters["band_px"] = double(devicePixels(band.width())) * devicePixels(band.height());
}
BENCHMARK(BM_FloorCurveMoveBand)->ArgNames({"w", "h"})->Apply(sizes);

} // namespace
