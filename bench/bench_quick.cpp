// The Qt Quick item's frame, as a QML program sees it: a drag move of point 3 and the frame that
// shows it, and a host's write (the actual-value marker) and the frame that shows it, beside the
// floor of a frame in which nothing changed; at the evaluation program's size and at full HD,
// with the scene graph of the run (QT_QUICK_BACKEND; ./knotel bench uses Qt Quick's software
// renderer, which needs no GPU). Only QML's face is used, and the module is the one on
// KNOTEL_QML_IMPORT_PATH (the build's by default), so the same program measures another build of
// the module.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlExpression>
#include <QQuickItem>
#include <QQuickWindow>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class QuickScene {
public:
    QuickScene(int width, int height)
    {
        engine.addImportPath(qEnvironmentVariableIsSet("KNOTEL_QML_IMPORT_PATH")
                                 ? qEnvironmentVariable("KNOTEL_QML_IMPORT_PATH")
                                 : QStringLiteral(KNOTEL_QML_IMPORT_PATH));
        QQmlComponent component(&engine);
        component.setData(
            QStringLiteral("import Knotel\nCurve { width: %1; height: %2; lockX_Axis: -1\n"
                           "points: [Qt.point(-30, 0), Qt.point(-20, 10), Qt.point(-10, 40),"
                           " Qt.point(0, 30), Qt.point(10, 60), Qt.point(20, 50), Qt.point(30, 70)] }")
                .arg(width)
                .arg(height)
                .toUtf8(),
            QUrl());
        item.reset(qobject_cast<QQuickItem*>(component.create()));
        if (!item)
            qFatal("%s", qPrintable(component.errorString()));
        window.resize(width, height);
        item->setParentItem(window.contentItem());
        window.show();
        QObject::connect(&window, &QQuickWindow::frameSwapped, [this] { ++frames; });
        frame();
        QMetaObject::invokeMethod(item.get(), "rePaint");
        frame();
        // Point 3 at (0, 30), as the item's layout places it (a module without positionOf() too).
        QQmlExpression pointThree(
            engine.rootContext(), item.get(),
            QStringLiteral("(function() { const l = plotLayout();"
                           " return Qt.point((0 - x_Axis_Left) * l.scaleX + l.plotLeft,"
                           " l.plotHeight - (30 - y_Axis_Bottom) * l.scaleY + l.plotTop) })()"));
        from = pointThree.evaluate().toPointF();
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        frame();
    }
    ~QuickScene() { mouse(QEvent::MouseButtonRelease, from, Qt::LeftButton, Qt::NoButton); }

    /** Waits for the next frame to be swapped. */
    void frame()
    {
        const int before = frames;
        window.update();
        while (frames == before)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    void mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, at, window.mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &event);
    }
    /** A drag move to the other row than the last one, and its frame. */
    void moveAndShow()
    {
        flip = !flip;
        mouse(QEvent::MouseMove, from + QPointF(0, flip ? -6 : 0), Qt::NoButton, Qt::LeftButton);
        frame();
    }
    /** A host's write of the actual value, and its frame. */
    void writeAndShow()
    {
        flip = !flip;
        item->setProperty("actual_Value_X", flip ? 5.0 : 10.0);
        item->setProperty("actual_Value_Y", 30.0);
        QMetaObject::invokeMethod(item.get(), "rePaint"); // shows at once, as the widget's RePaint
        frame();
    }

    QQmlEngine engine;
    QQuickWindow window;
    std::unique_ptr<QQuickItem> item;
    QPointF from;
    int frames = 0;
    bool flip = false;
};

void BM_QuickDragFrame(benchmark::State& state)
{
    QuickScene scene(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        scene.moveAndShow();
}

void BM_QuickRePaintFrame(benchmark::State& state)
{
    QuickScene scene(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        scene.writeAndShow();
}

// The floor: a frame asked for with nothing changed.
void BM_QuickIdleFrame(benchmark::State& state)
{
    QuickScene scene(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        scene.frame();
}

} // namespace

BENCHMARK(BM_QuickIdleFrame)->Args({611, 321})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QuickDragFrame)->Args({611, 321})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QuickRePaintFrame)->Args({611, 321})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
