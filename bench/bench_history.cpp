// A soak of the undo history: 100,000 drags of the person's with no host write in between, as a
// control on a panel may see in months. The history keeps its limit (undoLimit, 1000 steps by
// default), so the memory the process holds stays flat once the history is full: history_steps is
// the number of steps at the end, rss_growth_kb what the process's resident memory grew from
// drag 10,000 to the last, and rss_growth_kb_unbounded the same with undoLimit 0 (every step kept).
#include "CurveScene.h"

#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

/** The process's resident memory, in KiB. */
long residentKiB()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * 4;
}

/** Drags point 3 up and down @p drags times; the growth of resident memory after the first tenth. */
long soak(knotel::test::CurveScene& scene, int drags)
{
    const QPointF at = scene.pixelOf(3);
    long settled = 0;
    for (int i = 0; i < drags; ++i) {
        if (i == drags / 10)
            settled = residentKiB();
        const QPointF to = at + QPointF(0, i % 2 ? 0 : -8);
        scene.press(scene.pixelOf(3));
        scene.move(to);
        scene.release(to);
    }
    return residentKiB() - settled;
}

void BM_HistorySoak(benchmark::State& state)
{
    const int drags = int(state.range(0));
    for (auto _ : state) {
        knotel::test::CurveScene bounded;
        bounded.load(knotel::test::ZigzagPoints);
        state.counters["rss_growth_kb"] = double(soak(bounded, drags));
        state.counters["history_steps"] = bounded.curve.undoStack()->count();
        knotel::test::CurveScene unbounded;
        unbounded.load(knotel::test::ZigzagPoints);
        unbounded.curve.setUndoLimit(0);
        state.counters["rss_growth_kb_unbounded"] = double(soak(unbounded, drags));
    }
}

} // namespace

BENCHMARK(BM_HistorySoak)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
