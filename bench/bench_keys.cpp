// The cost of one key press that moves the current point, or the whole curve, with 64 points:
// the drag rules, the erasing and drawing DrawCurveXor calls, DroppedValue and the screen update
// with the focus marker. Auto-repeat delivers a key press about every 30 ms.
#include <knotel/Curve.h>

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using knotel::Curve;

/** A shown control with 64 points whose drawing surface has focus, point 31 current. */
class KeyScene {
public:
    KeyScene()
    {
        curve.resize(611, 321);
        curve.setDimensions(64);
        for (int i = 0; i < 64; ++i) {
            curve.setValueIndex(float(i));
            curve.setX_Knotel(-30.0f + 60.0f * float(i) / 63.0f);
            curve.setY_Knotel(30.0f + 20.0f * std::sin(float(i) / 5.0f));
        }
        curve.show();
        curve.activateWindow();
        curve.RePaint();
        QCoreApplication::processEvents();
        surface = curve.findChild<QWidget*>(QStringLiteral("Picture_Curve"));
        surface->setFocus();
        for (int i = 0; i < 31; ++i)
            press(Qt::Key_Right, Qt::NoModifier);
    }

    /** Up and Down in turn, so that the points stay where they started. */
    void move(Qt::KeyboardModifiers modifiers)
    {
        flip = !flip;
        press(flip ? Qt::Key_Up : Qt::Key_Down, modifiers);
    }

private:
    void press(int key, Qt::KeyboardModifiers modifiers)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(surface, &event);
    }

    Curve curve;
    QWidget* surface = nullptr;
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
