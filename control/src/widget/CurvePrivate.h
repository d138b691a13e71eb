#ifndef KNOTEL_CURVEPRIVATE_H
#define KNOTEL_CURVEPRIVATE_H

#include "engine/CurvePainter.h"
#include "engine/CurveSettings.h"
#include "engine/DragGesture.h"
#include "engine/EditHistory.h"
#include "engine/EditRules.h"
#include "engine/PlotMapping.h"
#include "engine/PointTable.h"

#include <knotel/PlotLayout.h>

#include <QPointF>

class QUndoStack;

#include <memory>
#include <optional>

namespace knotel {

class Curve;
class SettingsPanel;
class TrackerDisplay;
class ValueEditor;

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
    /** The person's edits can be undone: see EditHistory.cpp. */
    bool undoEnabled = true;
    /** A double-click, Enter or F2 on a point opens the value editor: see ValueEntry.cpp. */
    bool valueEntryEnabled = true;
    /** True while an undo or redo runs: a host that deletes the control then must not delete the
     *  stack from under it. */
    bool historyBusy = false;

    // Child widgets, owned by the control through Qt's parent tree.
    platform::DrawingSurface* surface = nullptr;
    SettingsPanel* settingsPanel = nullptr;
    std::unique_ptr<TrackerDisplay> tracker;
    QUndoStack* undoStack = nullptr;
    /** Made when first opened. */
    ValueEditor* valueEditor = nullptr;

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
    /** A double-click: true when it opened the value editor, false when it counts as a press. */
    bool mouseDoubleClick(int button, float x, float y);
    /** Adds the drag of the grabbed point, when it moved, to the undo history. */
    void recordDraggedPoint();
    /** The tracker read-out of (@p vx, @p vy); when a text cannot be formatted (negative
     *  decimals) all texts stay. */
    void showTracker(float vx, float vy);

    // EditHistory.cpp
    /** Adds the move of point @p slot from @p from to where it is now to the undo history. */
    void recordPointMove(int slot, PointPosition from, PointPosition to, EditSource source);
    /** Adds the whole-curve move from the copy taken at its start to the undo history, when the curve
     *  moved. */
    void recordCurveMove(EditSource source);
    /** Empties the undo history: the host gave other points. */
    void clearHistory();
    /** Undo and redo: put point @p slot, or every Y, where the history says, redraw and raise
     *  DroppedValue. False when the host's handler deleted the control. */
    [[nodiscard]] bool restorePoint(int slot, PointPosition to);
    [[nodiscard]] bool restoreCurve(const CurveYs& ys);

    // ValueEntry.cpp
    /** Opens the value editor on point @p slot; @p fromKeys gives the surface back a visible focus on
     *  cancel. */
    void openValueEditor(int slot, bool fromKeys);
    /** Applies the typed values to the editor's point under the drag rules. */
    void applyTypedValues();
    /** Closes the value editor without applying; @p refocus gives the surface the focus back. */
    void closeValueEditor(bool refocus);

    // KeyboardEditing.cpp
    void connectKeyboard();
    /** Acts on a key pressed on the surface; false when the key means nothing here. The host's
     *  handler of a drop may delete the control: nothing may follow a call that can raise one. */
    bool keyPress(int key, int shift);
    /** True for the keys that the surface takes before the window's shortcuts (undo and redo). */
    bool wantsKey(int key, int shift) const;
    /** The current point clamped into the slots in use; -1 when no slot is in use. */
    int currentPoint() const;
    /** Pixel position of the current point, when there is one and it is finite. */
    std::optional<QPointF> currentPointPixel() const;
};

} // namespace knotel

#endif
