#ifndef KNOTEL_CURVESCENE_H
#define KNOTEL_CURVESCENE_H

// The one scene that tests and benchmarks build a control in: a control of a given size with its
// points loaded through the host interface and laid out, with the event helpers that reach its
// drawing surface the way Qt delivers a person's input.

#include "engine/PlotMapping.h"
#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace knotel::test {

/** Seven points rising evenly from (-30, 0) to (30, 60). */
inline const std::initializer_list<std::pair<float, float>> RisingPoints = {
    {-30, 0}, {-20, 10}, {-10, 20}, {0, 30}, {10, 40}, {20, 50}, {30, 60}};
/** Seven points up and down from (-30, 0) to (30, 70). */
inline const std::initializer_list<std::pair<float, float>> ZigzagPoints = {
    {-30, 0}, {-20, 10}, {-10, 40}, {0, 30}, {10, 60}, {20, 50}, {30, 70}};

class CurveScene {
public:
    /** A control of @p width x @p height laid out once; 611 x 321 is the evaluation program's size. */
    explicit CurveScene(int width = 611, int height = 321)
    {
        curve.resize(width, height);
        curve.RePaint();
    }

    Curve curve;
    CurvePrivate& d = *CurvePrivate::get(&curve);
    DrawingSurface& surface = *curve.findChild<DrawingSurface*>(QStringLiteral("Picture_Curve"));

    /** Loads @p points into slots 0.. through ValueIndex, X_Knotel and Y_Knotel, then repaints. */
    void load(std::initializer_list<std::pair<float, float>> points)
    {
        int i = 0;
        for (const auto& [x, y] : points) {
            curve.setValueIndex(float(i++));
            curve.setX_Knotel(x);
            curve.setY_Knotel(y);
        }
        curve.RePaint();
    }
    /** Loads all 64 slots evenly across the X axis on a wave of @p amplitude about 30, then repaints. */
    void loadSixtyFour(float amplitude)
    {
        curve.setDimensions(64);
        for (int i = 0; i < 64; ++i) {
            curve.setValueIndex(float(i));
            curve.setX_Knotel(-30.0f + 60.0f * float(i) / 63.0f);
            curve.setY_Knotel(30.0f + amplitude * std::sin(float(i) / 5.0f));
        }
        curve.RePaint();
    }
    /** Shows the control and lets it paint. */
    void show()
    {
        curve.show();
        curve.RePaint();
        QCoreApplication::processEvents();
    }

    PlotMapping map() const
    {
        return PlotMapping(curve.plotLayout(), curve.X_Axis_Left(), curve.Y_Axis_Bottom());
    }
    /** The pixel of the point in @p slot. */
    QPointF pixelOf(int slot) const
    {
        return {float(map().pixelX(d.engine.points().pointX(slot))),
                float(map().pixelY(d.engine.points().pointY(slot)))};
    }

    void mouse(QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, pos, surface.mapToGlobal(pos), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&surface, &event);
    }
    void press(QPointF p) { mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
    void move(QPointF p, Qt::MouseButtons held = Qt::LeftButton)
    {
        mouse(QEvent::MouseMove, p, Qt::NoButton, held);
    }
    void release(QPointF p) { mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, k, modifiers);
        QCoreApplication::sendEvent(&surface, &event);
    }
};

} // namespace knotel::test

#endif
