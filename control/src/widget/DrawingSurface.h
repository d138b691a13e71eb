#ifndef KNOTEL_WIDGET_DRAWINGSURFACE_H
#define KNOTEL_WIDGET_DRAWINGSURFACE_H

#include "platform/Canvas.h"
#include "platform/FocusMarker.h"

#include <QWidget>

namespace knotel {

class CurveEngine;

/**
 * The widget's drawing surface, Picture_Curve: it shows its engine's canvas, with the focus
 * marker over the screen copy, and passes the mouse, the keys and the focus to the engine.
 *
 * The paint event copies only the region it is asked for from the canvas's picture; when the
 * canvas holds no picture for the surface's size and pixel ratio (first show, a size change, a
 * move to another screen), the engine draws one first. The surface takes focus by click and by
 * Tab; when the marker shows is the engine's rule.
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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CurveEngine& m_engine;
    platform::FocusMarker m_focusMarker;
    platform::MousePointer m_pointer = platform::MousePointer::Default;
};

} // namespace knotel

#endif
