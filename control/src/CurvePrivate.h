#ifndef KNOTEL_CURVEPRIVATE_H
#define KNOTEL_CURVEPRIVATE_H

#include "CurvePainter.h"
#include "CurveSettings.h"
#include "DragGesture.h"
#include "PlotMapping.h"
#include "PointTable.h"

#include <knotel/PlotLayout.h>

#include <QPointF>

#include <memory>
#include <optional>

namespace knotel {

class Curve;
class SettingsPanel;
class TrackerDisplay;

namespace platform {
class DrawingSurface;
}

/**
 * The control's private side: the parts of its state, each with its own rules (settings, point
 * table, layout, drag gesture), its child widgets, and the handlers that the platform and the
 * host interface call. Start-up, RePaint and the Show and Resize handlers live in
 * CurvePrivate.cpp, the mouse handlers in MouseEditing.cpp, the keyboard's in
 * KeyboardEditing.cpp.
 */
class CurvePrivate {
public:
    explicit CurvePrivate(Curve* q);
    ~CurvePrivate();

    /** The private side of @p curve. */
    static CurvePrivate* get(Curve* curve);

    Curve* const q;

    CurveSettings settings;
    PointTable points;
    /** Written by the layout; read by painting and editing. */
    PlotLayout layout;
    DragGesture gesture;
    /** The point the keys act on, used clamped into the slots in use: see currentPoint(). */
    int keyPoint = 0;
    /** Off until start-up has ended: the paint pass does nothing before. */
    bool paintEnabled = false;

    // Child widgets, owned by the control through Qt's parent tree.
    platform::DrawingSurface* surface = nullptr;
    SettingsPanel* settingsPanel = nullptr;
    std::unique_ptr<TrackerDisplay> tracker;

    /** A painter over the current state and surface. */
    CurvePainter painter() { return CurvePainter(settings, points, layout, *surface); }
    /** The value-to-pixel mapping of the current layout and axes. */
    PlotMapping mapping() const { return PlotMapping(layout, settings.X_Axis_Left, settings.Y_Axis_Bottom); }

    // CurvePrivate.cpp
    void createChildren();
    void initialize();
    void applyBackColor();
    void rePaint();
    void showHandler();
    void resizeHandler();
    /** Computes the layout and shows or hides the tracker boxes it names. */
    void computeLayout();
    /** The paint pass, once start-up has ended. */
    void paintControl();

    /**
     * Raises DroppedValue for @p index. Returns false when the host's handler deleted the control:
     * the caller must then return at once, touching nothing of the control's.
     */
    [[nodiscard]] bool announceDrop(int index);

    // MouseEditing.cpp
    void mousePress(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseRelease(int button, int shift, float x, float y);
    /** The tracker read-out of (@p vx, @p vy); when a text cannot be formatted (negative
     *  decimals) all texts stay. */
    void showTracker(float vx, float vy);

    // KeyboardEditing.cpp
    void connectKeyboard();
    /** Acts on a key pressed on the surface; false when the key means nothing here. */
    bool keyPress(int key, int shift);
    /** The current point clamped into the slots in use; -1 when no slot is in use. */
    int currentPoint() const;
    /** Pixel position of the current point, when there is one and it is finite. */
    std::optional<QPointF> currentPointPixel() const;
};

} // namespace knotel

#endif
