#ifndef KNOTEL_WIDGET_DRAWINGSURFACE_H
#define KNOTEL_WIDGET_DRAWINGSURFACE_H

#include "platform/Canvas.h"

#include <QWidget>

namespace knotel {

class CurveEngine;

/**
 * The widget's drawing surface, Picture_Curve: it shows its engine's canvas, with the focus
 * marker and the labels over the screen copy, and passes its input events to the engine.
 *
 * The paint event copies only the region it is asked for from the canvas's picture. The surface
 * takes focus by click, touch and Tab; when the marker shows is the engine's rule. It takes touch
 * events as touch, and cancels a drag when the mouse or the finger can no longer reach it.
 */
class DrawingSurface : public QWidget {
    Q_OBJECT
public:
    DrawingSurface(CurveEngine& engine, QWidget* parent);
    ~DrawingSurface() override;

    platform::Canvas& canvas() const;
    /** A copy of the picture. */
    QImage image() const;
    void setMousePointer(platform::MousePointer pointer);
    platform::MousePointer mousePointer() const { return m_pointer; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    /** With point editing on, the menu of insert, delete, copy and paste; else the host's, as before. */
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The engine took note of the focus and shows the marker's area again; nothing else changes.
    void focusInEvent(QFocusEvent*) override {}
    void focusOutEvent(QFocusEvent*) override {}

private:
    /** True for an event after which the mouse or a finger no longer reaches the surface: a drag in
     *  progress is cancelled. */
    bool losesPointer(QEvent* event) const;

    CurveEngine& m_engine;
    platform::MousePointer m_pointer = platform::MousePointer::Default;
};

} // namespace knotel

#endif
