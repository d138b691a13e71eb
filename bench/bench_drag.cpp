// The cost of mouse editing with 64 points, each move followed by the screen update that it
// schedules, as a host sees it: one drag move of point 31 with the tracker read-out off and on,
// and one whole-curve move, at the evaluation program's control size and at full HD. Beside
// them the floor: clearing and copying the bytes of a backing image of the same size once.
// A 1000 Hz mouse delivers a move every millisecond.
#include "CurveScene.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

/** A shown control with 64 points and the mouse held down on point 31 or on the segment after it;
 *  moves alternate between two rows 6 pixels apart. */
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
    }

    ~DragScene() { scene.release(from); }

    /** True when the press grabbed what the scene asked for. */
    bool grabbed() const { return scene.d.gesture.point == 31 || scene.d.gesture.curveMoving; }

    /** One move of the mouse, to the other row than the last one. */
    void move()
    {
        flip = !flip;
        scene.move(flip ? to : from);
    }

private:
    knotel::test::CurveScene scene;
    QPointF from, to;
    bool flip = false;
};

void sizes(benchmark::internal::Benchmark* b)
{
    b->Args({611, 321})->Args({1920, 1080});
}

void BM_DragMove(benchmark::State& state)
{
    DragScene scene(int(state.range(0)), int(state.range(1)), state.range(2) != 0, DragScene::Point);
    if (!scene.grabbed())
        state.SkipWithError("point 31 not grabbed");
    for (auto _ : state) {
        scene.move();
        QCoreApplication::processEvents(); // the scheduled screen update
    }
}
BENCHMARK(BM_DragMove)
    ->ArgNames({"w", "h", "tracker"})
    ->Args({611, 321, 0})
    ->Args({611, 321, 1})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_CurveMove(benchmark::State& state)
{
    DragScene scene(int(state.range(0)), int(state.range(1)), false, DragScene::Segment);
    if (!scene.grabbed())
        state.SkipWithError("segment 31 not grabbed");
    for (auto _ : state) {
        scene.move();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_CurveMove)->ArgNames({"w", "h"})->Apply(sizes)->Unit(benchmark::kMicrosecond);

// The floor: one pass over the backing image's bytes (32 bits a pixel), writing and copying.
void BM_FloorMemset(benchmark::State& state)
{
    std::vector<unsigned char> bytes(std::size_t(state.range(0) * state.range(1) * 4));
    for (auto _ : state) {
        std::memset(bytes.data(), int(state.iterations() & 0xFF), bytes.size());
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FloorMemset)->ArgNames({"w", "h"})->Apply(sizes)->Unit(benchmark::kMicrosecond);

void BM_FloorMemcpy(benchmark::State& state)
{
    const std::size_t size = std::size_t(state.range(0) * state.range(1) * 4);
    std::vector<unsigned char> source(size, 0x55);
    std::vector<unsigned char> target(size);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), size);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FloorMemcpy)->ArgNames({"w", "h"})->Apply(sizes)->Unit(benchmark::kMicrosecond);

} // namespace
