#ifndef KNOTEL_ENGINE_CURVEENGINE_H
#define KNOTEL_ENGINE_CURVEENGINE_H

#include "engine/CurvePainter.h"
#include "engine/CurveSettings.h"
#include "engine/DragGesture.h"
#include "engine/EditHistory.h"
#include "engine/EditRules.h"
#include "engine/EngineClient.h"
#include "engine/Layout.h"
#include "engine/PlotMapping.h"
#include "engine/PointTable.h"
#include "engine/PropertyList.h"

#include <knotel/PlotLayout.h>

#include <QFont>
#include <QList>
#include <QMetaObject>
#include <QPointF>
#include <QRect>

#include <optional>

class QObject;
class QUndoStack;

namespace knotel {

/**
 * The control without a toolkit: its state (settings, point table, layout, gesture, history), the
 * property rules, the layout and paint pass on its canvas, the mouse and key handling and the edit
 * rules. What it needs done outside (the pointer, the drop, the tracker read-out) goes to its
 * client. The widget and the Qt Quick item are thin shells around one engine each.
 *
 * Property writes, including the points', only store (BackColor also erases the picture);
 * rePaint() shows them. Accessors throw knotel::RuntimeError as the properties do.
 */
class CurveEngine {
public:
    /** An engine reporting to @p client and drawing text in @p font; @p owner, the shell's object,
     *  owns the undo stack. */
    CurveEngine(EngineClient& client, QObject* owner, const QFont& font);
    ~CurveEngine();
    CurveEngine(const CurveEngine&) = delete;
    CurveEngine& operator=(const CurveEngine&) = delete;

    /** The picture, drawn in the host's size and pixel ratio. */
    platform::Canvas canvas;
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
    /** A double-click, Enter or F2 on a point asks for typed values: see ValueEntry.cpp. */
    bool valueEntryEnabled = true;
    /** The history of the person's edits, owned by the shell's object. */
    QUndoStack* const undoStack;
    /** A painter over the current state and canvas. */
    CurvePainter painter() { return CurvePainter(settings, points, layout, canvas); }
    /** The value-to-pixel mapping of the current layout and axes. */
    PlotMapping mapping() const { return PlotMapping(layout, settings.X_Axis_Left, settings.Y_Axis_Bottom); }

    // CurveEngine.cpp
    /** Computes and keeps the layout for the canvas as it is; the result also says which tracker
     *  boxes show. */
    LayoutResult layOut();
    /** The paint pass, once start-up has ended. */
    void paintControl();
    /** Raises the drop through the client, after any drop still waiting; false when the host's
     *  handler deleted the control. */
    [[nodiscard]] bool announceDrop(int index);
    /** The tracker read-out of (@p vx, @p vy); when a text cannot be formatted (negative
     *  decimals) all texts stay. */
    void showTracker(float vx, float vy);
    /** True when the line is drawn, and so can be grabbed: two points or more, every coordinate in
     *  use given, and HideLine off. */
    bool lineShown() const { return !settings.HideLine && points.slotsInUse() >= 2 && points.complete(); }
    /** The current point clamped into the slots in use; -1 when no slot is in use. */
    int currentPoint() const;
    /** Pixel position of the current point, when there is one and it is finite. */
    std::optional<QPointF> currentPointPixel() const;
    /** Makes @p slot the keys' current point. */
    void setCurrentPoint(int slot);

    // The focus marker, a square around the current point over the shown picture, never in it. It
    // shows while the shell has focus and the focus is visible: from when the focus came from the
    // keyboard (Tab, Backtab, a shortcut) or a key of the control was pressed, until the next mouse
    // press and the loss of focus. A mouse user never sees it.
    void focusIn(Qt::FocusReason reason);
    void focusOut();
    void setFocusVisible(bool visible);
    bool focusMarkerShown() const { return m_focusVisible && m_client.hasFocus(); }
    /** The current point may be elsewhere now: shows the marker's old and new area again. */
    void updateFocusMarker();
    /** Where the shell paints the marker now (its cells, logical pixels); null when it does not show. */
    QRect placeFocusMarker();

    // CurveProperties.cpp: the properties of the late-bound face, as Name() and setName().
#define KNOTEL_DECLARE_ACCESSORS(Type, Name, qmlName, Argument)                                              \
    Type Name() const;                                                                                       \
    void set##Name(Argument value);
    KNOTEL_CURVE_PROPERTIES(KNOTEL_DECLARE_ACCESSORS)
#undef KNOTEL_DECLARE_ACCESSORS
    /** The points of the slots in use, in slot order. */
    QList<QPointF> pointList() const;
    /** Dimensions = the list's length, each point loaded as X_Knotel and Y_Knotel load it; throws 9
     *  for more than 64 points and 6 for a coordinate beyond the single range, changing nothing. */
    void setPointList(const QList<QPointF>& list);
    QList<int> changedPoints() const;
    void acceptChanges();
    void setUndoEnabled(bool enabled);

    // MouseEditing.cpp
    void mousePress(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseRelease(int button, int shift, float x, float y);
    /** A double-click: true when it asked for typed values, false when it counts as a press. */
    bool mouseDoubleClick(int button, float x, float y);

    // KeyboardEditing.cpp
    /** Acts on a key pressed on the surface; false when the key means nothing here. The host's
     *  handler of a drop may delete the control: nothing may follow a call that can raise one. */
    bool keyPress(int key, int shift);
    /** True for the keys that the surface takes before the window's shortcuts (undo and redo). */
    bool wantsKey(int key, int shift) const;

    // EditHistory.cpp
    /** Adds the move of point @p slot from @p from to @p to to the undo history. */
    void recordPointMove(int slot, PointPosition from, PointPosition to, EditSource source);
    /** Adds the whole-curve move from the copy taken at its start to the undo history, when the curve
     *  moved. */
    void recordCurveMove(EditSource source);
    /** Empties the undo history: the host gave other points. */
    void clearHistory();
    /** The steps the history keeps, the oldest dropped first; 0 keeps every step. A new limit empties
     *  the history; a negative one is error 5. */
    int undoLimit() const;
    void setUndoLimit(int limit);
    /** Undo and redo: put point @p slot, or every Y, where the history says and redraw; the drop
     *  waits until the stack has moved its index. */
    void restorePoint(int slot, PointPosition to);
    void restoreCurve(const CurveYs& ys);

    // ValueEntry.cpp
    /** What typed values did to a point. */
    struct TypedValues {
        PointPosition from;
        PointPosition to;
        bool refusedX = false; ///< a typed X asked for another value and the rules kept the point's
        bool refusedY = false;
    };
    /**
     * Moves point @p slot to the typed texts (nothing: a coordinate not typed) under the rules of a
     * drag, reading them as every number typed into the control is read, and redraws. A value
     * beyond the axis is clamped; when a value is refused (a lock, or a neighbour it would pass)
     * nothing moves. Adds nothing to the history and raises nothing: see finishTypedValues().
     */
    TypedValues applyTypedValues(int slot, const std::optional<QString>& x, const std::optional<QString>& y);
    /** When the typed values moved the point: one undo command and one drop. False when the host's
     *  handler deleted the control. */
    [[nodiscard]] bool finishTypedValues(int slot, const TypedValues& typed);

private:
    /** Raises the drops that wait, in order; false when a handler deleted the control. */
    [[nodiscard]] bool raisePendingDrops();
    /** Raises the drops of undo and redo once the stack has settled. */
    void watchHistory();
    /** Adds the drag of the grabbed point, when it moved, to the undo history. */
    void recordDraggedPoint();
    /** The marker's square about the current point; null when there is none. */
    QRect focusMarkerRect() const;

    EngineClient& m_client;
    /** Drops requested and not raised yet: those of undo and redo, and those asked for while a
     *  handler runs. */
    QList<int> m_pendingDrops;
    bool m_raisingDrops = false;
    QMetaObject::Connection m_historyWatch;
    bool m_focusVisible = false;
    QRect m_markerRect; ///< where the marker was last placed, to show that area again; null when hidden
};

/** @p v as the control writes it with @p decimals, or its plain text for decimals it cannot show. */
QString shownValue(float v, qint32 decimals);

/** The font of the plot's text, installed with the library's set-up, so that text measures the
 *  same everywhere. */
QFont curveFont();

} // namespace knotel

#endif
