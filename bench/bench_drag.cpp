// The cost of one drag move with 64 points: the move handler with its erasing and drawing
// DrawCurveXor calls and the screen update they schedule, beside the same move followed by a
// full paint pass. A 1000 Hz mouse delivers a move every millisecond.
#include "CurvePrivate.h"
#include "platform/DrawingSurface.h"
#include "PlotMapping.h"

#include <knotel/Curve.h>

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using knotel::Curve;
using knotel::CurvePrivate;

/** A shown control with 64 points and point 31 grabbed; moves alternate between two rows. */
class DragScene {
public:
    explicit DragScene(bool tracker)
    {
        curve.resize(611, 321);
        curve.setDimensions(64);
        for (int i = 0; i < 64; ++i) {
            curve.setValueIndex(float(i));
            curve.setX_Knotel(-30.0f + 60.0f * float(i) / 63.0f);
            curve.setY_Knotel(30.0f + 20.0f * std::sin(float(i) / 5.0f));
        }
        curve.setViewTracker(tracker ? -1 : 0);
        curve.show();
        curve.RePaint();
        QCoreApplication::processEvents();

        surface = curve.findChild<QWidget*>(QStringLiteral("Picture_Curve"));
        const knotel::PlotMapping map(curve.plotLayout(), curve.X_Axis_Left(), curve.Y_Axis_Bottom());
        curve.setValueIndex(31);
        from = QPointF(float(map.pixelX(curve.X_Knotel())), float(map.pixelY(curve.Y_Knotel())));
        to = from + QPointF(0, -6);
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    }

    ~DragScene() { send(QEvent::MouseButtonRelease, from, Qt::LeftButton, Qt::NoButton); }

    /** One move of the grabbed point, to the other row than the last one. */
    void move()
    {
        flip = !flip;
        send(QEvent::MouseMove, flip ? to : from, Qt::NoButton, Qt::LeftButton);
    }

    void paintControl() { CurvePrivate::get(&curve)->paintControl(); }

private:
    void send(QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, pos, surface->mapToGlobal(pos), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(surface, &event);
    }

    Curve curve;
    QWidget* surface = nullptr;
    QPointF from, to;
    bool flip = false;
};

void BM_DragMove(benchmark::State& state)
{
    DragScene scene(state.range(0) != 0);
    for (auto _ : state) {
        scene.move();
        QCoreApplication::processEvents(); // the scheduled screen update
    }
}
BENCHMARK(BM_DragMove)->ArgName("tracker")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_DragMoveThenPaintControl(benchmark::State& state)
{
    DragScene scene(state.range(0) != 0);
    for (auto _ : state) {
        scene.move();
        scene.paintControl();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_DragMoveThenPaintControl)->ArgName("tracker")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
