// The cost of one key press that moves the current point, or the whole curve, with 64 points:
// the drag rules, the erasing and drawing DrawCurveXor calls, DroppedValue and the screen update
// with the focus marker. Auto-repeat delivers a key press about every 30 ms.
#include "CurveScene.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

/** A shown control with 64 points whose drawing surface has focus, point 31 current. */
class KeyScene {
public:
    KeyScene()
    {
        scene.loadSixtyFour(20);
        scene.show();
        scene.curve.activateWindow();
        scene.surface.setFocus();
        for (int i = 0; i < 31; ++i)
            scene.key(Qt::Key_Right);
    }

    /** Up and Down in turn, so that the points stay where they started. */
    void move(Qt::KeyboardModifiers modifiers)
    {
        flip = !flip;
        scene.key(flip ? Qt::Key_Up : Qt::Key_Down, modifiers);
    }

private:
    knotel::test::CurveScene scene;
    bool flip = false;
};

void BM_KeyMovePoint(benchmark::State& state)
{
    KeyScene scene;
    for (auto _ : state) {
        scene.move(Qt::NoModifier);
        QCoreApplication::processEvents(); // the scheduled screen update
    }
}
BENCHMARK(BM_KeyMovePoint)->Unit(benchmark::kMicrosecond);

void BM_KeyMoveCurve(benchmark::State& state)
{
    KeyScene scene;
    for (auto _ : state) {
        scene.move(Qt::ControlModifier);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_KeyMoveCurve)->Unit(benchmark::kMicrosecond);

} // namespace
