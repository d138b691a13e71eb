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
#include "platform/Canvas.h"
#include "platform/FocusMarker.h"

#include <knotel/PlotLayout.h>

#include <QFont>
#include <QList>
#include <QMetaObject>
#include <QPointF>
#include <QRect>

#include <array>
#include <bitset>
#include <functional>
#include <optional>

class QEvent;
class QFocusEvent;
class QHoverEvent;
class QKeyEvent;
class QMouseEvent;
class QObject;
class QPainter;
class QTouchEvent;
class QUndoStack;

namespace knotel {

/**
 * The control without a toolkit: its state (settings, point table, layout, gesture, history), the
 * property rules, the layout and paint pass on its canvas, the translation of Qt's input events
 * into the mouse and key handling, and the edit rules. The widget and the Qt Quick item each own
 * one engine and are only what differs between QWidget and QQuickItem; what the engine needs done
 * outside (the pointer, the drop, the tracker read-out, change signals) goes to its client.
 *
 * The state is the engine's own: shells, painters and tests read it through the const accessors,
 * and every write goes through the members below, which keep its rules and report what changed.
 * Property writes, including the points', only store (BackColor also erases the picture);
 * rePaint() shows them. Accessors throw knotel::RuntimeError as the properties do.
 *
 * The host's handlers (the drop, change signals) may do anything, the control's deletion
 * included: a member that can reach one does so as its last act, and returns false when the
 * control is gone.
 */
class CurveEngine {
public:
    /** An engine reporting to @p client; @p owner, the shell's object, owns the undo stack. */
    CurveEngine(EngineClient& client, QObject* owner);
    ~CurveEngine();
    CurveEngine(const CurveEngine&) = delete;
    CurveEngine& operator=(const CurveEngine&) = delete;

    // The state, read only.
    const CurveSettings& settings() const { return m_settings; }
    const PointTable& points() const { return m_points; }
    /** Written by the layout; read by painting and editing. */
    const PlotLayout& layout() const { return m_layout; }
    /** The value-to-pixel mapping of the current layout and axes. */
    PlotMapping mapping() const
    {
        return PlotMapping(m_layout, m_settings.X_Axis_Left, m_settings.Y_Axis_Bottom);
    }
    /** The person holds a point or the line. */
    bool dragging() const { return m_gesture.active(); }
    const DragGesture& gesture() const { return m_gesture; }
    /** The history of the person's edits, owned by the shell's object. */
    QUndoStack* undoStack() const { return m_undoStack; }
    /** The picture, drawn at the shell's size and pixel ratio. */
    platform::Canvas& canvas() { return m_canvas; }
    const platform::Canvas& canvas() const { return m_canvas; }
    /** A painter over the current state and canvas. */
    CurvePainter painter() { return CurvePainter(m_settings, m_points, m_layout, m_canvas); }

    // CurveEngine.cpp: life, layout and picture.
    /**
     * Start-up, once the shell has made what it shows: the surface takes the back colour, @p rePaint
     * (the shell's own RePaint, through its public face as a host would call it) places the shell's
     * parts and computes the first layout, and from then on the paint pass draws.
     */
    void start(const std::function<void()>& rePaint);
    /** Back to a new control's settings and points, with no gesture and no history; the canvas and
     *  its caches stay. For a process that reuses one control for many runs (the fuzz targets). */
    void reset();
    /** Computes and keeps the layout for the canvas as it is; the result also says which tracker
     *  boxes show. */
    LayoutResult layOut();
    /** The paint pass, once start-up has ended. */
    void paintControl();
    /**
     * The paint sequence of a shell's paint: the picture to show, drawn first when the canvas has
     * none for the shell's size and ratio; null when there is none still (the shell shows the back
     * colour then).
     */
    const QImage* frame();
    /** Draws the focus marker, when it shows, over a screen copy of the picture on @p screen, whose
     *  painted area is @p bounds (logical pixels). */
    void drawFocusMarker(QPainter& screen, const QRect& bounds);
    /** Where the focus marker shows now (its cells, logical pixels); null when it does not. */
    QRect placeFocusMarker();
    /** The tracker read-out: the mouse position, or a point's, in the axes' texts; empty until the
     *  mouse has moved with the tracker on. */
    struct Readout {
        QString x;
        QString y;
        qint32 textColour = 0;
    };
    const Readout& readout() const { return m_readout; }
    /** The pointer over the plot: crosshair while something is grabbed. */
    platform::MousePointer mousePointer() const { return m_pointer; }
    /** The tracker read-out of (@p vx, @p vy); when a text cannot be formatted (negative
     *  decimals) all texts stay. */
    void showTracker(float vx, float vy);
    /** Where the point in @p slot lies on the surface (logical pixels); throws 9 for a slot not in
     *  use. */
    QPointF positionOf(int slot) const;
    /** The axis values at @p position on the surface: the inverse of positionOf(). */
    QPointF valueAt(const QPointF& position) const;

    // The keys' current point and the focus marker, a square around it over the shown picture,
    // never in it. The marker shows while the shell has focus and the focus is visible: from when
    // the focus came from the keyboard (Tab, Backtab, a shortcut) or a key of the control was
    // pressed, until the next mouse press and the loss of focus. A mouse user never sees it.
    /** The current point clamped into the slots in use; -1 when no slot is in use. */
    int currentPoint() const;
    /** Pixel position of the current point, when there is one and it is finite. */
    std::optional<QPointF> currentPointPixel() const;
    /** Makes @p slot the keys' current point. */
    void setCurrentPoint(int slot);
    /** Whether the shell has the keyboard focus. */
    bool hasFocus() const { return m_client.hasFocus(); }
    bool focusMarkerShown() const { return m_focusVisible && hasFocus(); }
    void setFocusVisible(bool visible);
    /** True when the line is drawn, and so can be grabbed: two points or more, every coordinate in
     *  use given, and HideLine off. */
    bool lineShown() const
    {
        return !m_settings.HideLine && m_points.slotsInUse() >= 2 && m_points.complete();
    }

    // CurveProperties.cpp: the properties of the late-bound face, as Name() and setName().
#define KNOTEL_DECLARE_ACCESSORS(Type, Name, qmlName, Argument)                                              \
    Type Name() const;                                                                                       \
    void set##Name(Argument value);
    KNOTEL_CURVE_PROPERTIES(KNOTEL_DECLARE_ACCESSORS)
#undef KNOTEL_DECLARE_ACCESSORS
    /** The points of the slots in use, in slot order. */
    QList<QPointF> pointList() const;
    /** Dimensions = the list's length, each point loaded as X_Knotel and Y_Knotel load it; throws 9
     *  for more than 64 points and 6 for a coordinate that is not finite or beyond the single
     *  range, naming it, and changes nothing then. */
    void setPointList(const QList<QPointF>& list);
    QList<int> changedPoints() const;
    void acceptChanges();
    /**
     * Moves the point in @p slot (0 to 63) to @p x and @p y where given, as the settings panel
     * writes them: the current coordinates only, no reference and no has-been-set flag, nothing
     * drawn. The history goes, as for every write of points but the person's.
     */
    void setPointStraight(int slot, std::optional<float> x, std::optional<float> y);
    bool undoEnabled() const
    {
        return m_undoEnabled;
    }
    /** Whether the person's edits are kept; off empties the history. */
    void setUndoEnabled(bool enabled);
    bool valueEntryEnabled() const
    {
        return m_valueEntryEnabled;
    }
    /** Whether a double-click, Enter or F2 on a point asks for typed values. */
    void setValueEntryEnabled(bool enabled);
    /** The steps the history keeps, the oldest dropped first; 0 keeps every step. A new limit empties
     *  the history; a negative one is error 5. */
    int undoLimit() const;
    void setUndoLimit(int limit);

    // InputEvents.cpp: Qt's input events of the shell's surface.
    /**
     * Handles a mouse, hover, key, shortcut-override or focus event of the shell's surface. True when
     * the event was the control's to take: the shell returns at once then, since the host's handler
     * of a drop may have deleted the control. Focus events are noted and left to the shell (false).
     */
    [[nodiscard]] bool handleEvent(QEvent* event);
    /** The same for one kind of event, for a shell whose events come to handlers of their own: a
     *  mouse event is always taken, a key press when it means something here. */
    void mouseEvent(QMouseEvent* event);
    void hoverEvent(QHoverEvent* event);
    [[nodiscard]] bool keyEvent(QKeyEvent* event);
    [[nodiscard]] bool shortcutOverride(QKeyEvent* event);
    void focusEvent(QFocusEvent* event);

    // MouseEditing.cpp: the press, move and release handlers, in the surface's pixels.
    void mousePress(Qt::MouseButton button, float x, float y);
    void mouseMove(Qt::MouseButtons buttons, float x, float y);
    void mouseRelease();
    /** A double-click: true when it asked for typed values, false when it counts as a press. */
    bool mouseDoubleClick(Qt::MouseButton button, float x, float y);

    // Touch and cancelled drags (InputEvents.cpp, MouseEditing.cpp).
    /**
     * Handles a touch event of the shell's surface: the first finger of a touch sequence presses,
     * drags and lifts as the left button does, with a finger's reach (touchReach()) and the
     * nearest point winning; other fingers are taken and ignored; TouchCancel cancels the drag.
     * False, and the event left unaccepted, for a device that is no touch screen. The host's
     * handler of a drop may delete the control: the shell returns at once.
     */
    bool touchEvent(QTouchEvent* event);
    /** Who holds a drag that cancelGesture() is to end. */
    enum class Holder { MouseOrFinger, Mouse, Finger };
    /**
     * Ends the drag in progress when @p holder holds it, as though it had never begun: every point
     * goes back where the press found it and is redrawn, the pointer is reset, and there is no drop
     * and no undo step. The mouse's later moves and its release of that drag do nothing; a
     * finger's are ignored. For Escape and for a shell that lost the grab. False when a change
     * notice's handler deleted the control.
     */
    [[nodiscard]] bool cancelGesture(Holder holder = Holder::MouseOrFinger);

    // KeyboardEditing.cpp
    /** Acts on a key pressed on the surface; false when the key means nothing here. */
    bool keyPress(int key, Qt::KeyboardModifiers modifiers);
    /** True for the keys that the surface takes before the window's shortcuts (undo and redo). */
    bool wantsKey(int key, Qt::KeyboardModifiers modifiers) const;

    // EditHistory.cpp
    /** Undo and redo of the person's edits, as the keys do them: not while the person drags. */
    void undo();
    void redo();
    /** Adds the move of point @p slot from @p from to @p to to the undo history. */
    void recordPointMove(int slot, PointPosition from, PointPosition to, EditSource source);
    /** Adds the whole-curve move from the copy taken at its start to the undo history, when the curve
     *  moved. */
    void recordCurveMove(EditSource source);
    /** Empties the undo history: the host gave other points. */
    void clearHistory();
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
    /** Typed texts for point @p index as a host gives them (an empty text leaves its coordinate):
     *  applied and finished at once. True when nothing was refused; false changes nothing. */
    bool enterValues(int index, const QString& x, const QString& y);

    // PointEditing.cpp: the person's insert and delete, copy and paste, and the switches beside the
    // late-bound face that rule them and the grids. Each edit is one undo step and one drop (-1).
    bool pointEditingEnabled() const
    {
        return m_pointEditingEnabled;
    }
    /** Whether the person may insert, delete and paste points. */
    void setPointEditingEnabled(bool enabled);
    double snapX() const
    {
        return m_settings.snapX;
    }
    double snapY() const
    {
        return m_settings.snapY;
    }
    /** The grids that mouse and key moves snap to, in axis units; 0 is none. Error 5 for a step
     *  that is negative or not finite, and the step stays. */
    void setSnapX(double step);
    void setSnapY(double step);
    bool dragValueVisible() const
    {
        return m_dragValueVisible;
    }
    /** Whether a label beside a point that the person moves shows its X and Y. */
    void setDragValueVisible(bool visible);
    /** Whether a point may be inserted now: point editing on, no drag, 2 to 63 points in use, X not
     *  locked. */
    bool mayInsertPoint() const;
    /** Whether the point in @p slot may be deleted now: as for an insert, with 3 points or more, and
     *  for an end point neither of its coordinates locked. */
    bool mayDeletePoint(int slot) const;
    /** Inserts a point midway between the current point and the next (after the last point: midway
     *  between it and the one before) and makes it current; false when no point may be inserted. */
    bool insertPoint();
    /** Inserts a point on the line at (@p x, @p y) of the surface, in the segment there, and makes it
     *  current; with @p grab the left button then holds it as a press on it would. False when the
     *  line is not there (or a point is) or no point may be inserted. */
    bool insertPointAt(float x, float y, bool grab);
    /** Deletes the current point; false when it may not be deleted. */
    bool deletePoint();
    /** The points in use as copy writes them (see pointsText()). */
    QString copyText() const;
    /** Puts copyText() on the clipboard. */
    void copyPoints() const;
    /**
     * Replaces the points in use by those of @p text (see readPoints()), as the person's paste:
     * refused whole, nothing changed, when the text cannot be read, a value lies outside its axis, a
     * locked coordinate would change or the order breaks a crossover rule that is off; the client
     * hears why (EngineClient::pasteRefused()), and with @p fromPerson the person sees it beside the
     * plot. True when taken; false also while the person drags, and when a handler deleted the
     * control.
     */
    bool pastePoints(const QString& text, bool fromPerson);
    /** What the context menu at @p position of the surface offers (nothing: at the current point,
     *  as from the keyboard); a point there becomes the current point. */
    struct PointMenu {
        bool insert = false;
        bool remove = false;
        bool paste = false;
        std::optional<QPointF> insertAt; ///< where on the line an insert goes; else after the current point
    };
    PointMenu pointMenu(std::optional<QPointF> position);
    /** Undo and redo of an insert, delete or paste: puts @p contents from @p first on and Dimensions
     *  back, redraws and queues the drop (-1). A gesture still holding a point ends. */
    void restoreSlots(int first, const QList<PointSlot>& contents, qint32 dimensions);
    /** A key let go: the value label of a key move goes. */
    void keyReleased(QKeyEvent* event);

    // ValueLabel.cpp: the labels over the picture, never in it, drawn by the shell like the focus
    // marker: the value of the point the person moves (dragValueVisible) and why a paste was refused.
    /** Draws the labels that show onto @p screen, over a screen copy of the picture. */
    void drawLabels(QPainter& screen) const;
    /** Where the labels lie (logical pixels); null when none shows. */
    QRect labelsRect() const
    {
        return m_valueLabel.rect | m_notice.rect;
    }

    /** Raises the drop through the client, after any drop still waiting; false when the host's
     *  handler deleted the control. */
    [[nodiscard]] bool announceDrop(int index);
    /**
     * Tells the host what a change did: the change notices of what changed since the last ones,
     * then the drops that wait, in order, each followed by the notices of what its handler
     * changed. The last act of every member that changes something. False when a handler
     * deleted the control.
     */
    bool report();

private:
    /** A press at (@p x, @p y) of the left button or, with @p byFinger, of a finger: grabs what
     *  lies there, as the mouse's or the finger's pick finds it. */
    void grab(float x, float y, bool byFinger);
    /** A finger's pick distance on the shell's screen, in logical pixels. */
    double touchReach() const;

    class DrivingStack;
    /** Sends the change notices; false when a handler deleted the control. */
    bool flushChanges();
    /** Reports the host's own moves of the stack: the drops of undo and redo once it has settled. */
    void watchHistory();
    /** Adds the drag of the grabbed point, when it moved, to the undo history. */
    void recordDraggedPoint();
    /** The marker's square about the current point; null when there is none. */
    QRect focusMarkerRect() const;
    /** The current point may be elsewhere now: shows the marker's old and new area again. */
    void updateFocusMarker();
    void focusIn(Qt::FocusReason reason);
    void focusOut();
    /** Moves point @p slot, or the whole curve, as a key does: one drag move and its drop. */
    void keyMovePoint(int slot, std::optional<float> x, std::optional<float> y);
    void keyMoveCurve(float pixels);
    void setMousePointer(platform::MousePointer pointer);
    // PointEditing.cpp
    /** Sets @p grid, snapX or snapY (@p member), to @p step: 0 or a positive step, else throws 5. */
    void setGrid(double& grid, double step, const char* member, Change change);
    /** Insert, Delete, Backspace, copy and paste: true when @p key is one of them and was handled. */
    bool pointEditKey(int key, Qt::KeyboardModifiers modifiers);
    /** The keys of pointEditKey() that the surface takes before the window's shortcuts. */
    bool wantsPointEditKey(int key, Qt::KeyboardModifiers modifiers) const;
    /** Makes the points those of @p next, which differs from them in slots @p first to @p last and in
     *  Dimensions, redrawn, as one undo step named @p text; the caller then raises the drop (-1). */
    void editSlots(const PointTable& next, int first, int last, const QString& text);
    /** Sets slots from @p first on and Dimensions, erasing and drawing the whole curve. */
    void applySlots(int first, const QList<PointSlot>& contents, qint32 dimensions);
    /** Adds an insert, delete or paste (slots from @p first on, before and after) to the history. */
    void recordSlots(const QString& text, int first, const QList<PointSlot>& before, qint32 dimensionsBefore,
                     const QList<PointSlot>& after, qint32 dimensionsAfter);
    // ValueLabel.cpp
    /** Places the labels for the state as it is and shows the areas they leave and take. */
    void placeLabels();
    /** Ends what a key, a press or the loss of focus ends: the key move's value label and the
     *  refusal's notice. */
    void endTransientLabels();
    void showNotice(const QString& text);
    /** A change to report; points() changes are found by comparing with what was last reported. */
    void changed(Change what)
    {
        m_changes.set(std::size_t(what));
    }
    void pointsMayHaveChanged()
    {
        m_pointsDirty = true;
    }

    EngineClient& m_client;
    platform::Canvas m_canvas;
    CurveSettings m_settings;
    PointTable m_points;
    PlotLayout m_layout;
    DragGesture m_gesture;
    /** The point the keys act on, used clamped into the slots in use: see currentPoint(). */
    int m_keyPoint = 0;
    /** Off until start-up has ended: the paint pass does nothing before. */
    bool m_paintEnabled = false;
    bool m_undoEnabled = true;
    bool m_valueEntryEnabled = true;
    bool m_pointEditingEnabled = false;
    bool m_dragValueVisible = false;
    /** A key moved the current point and has not been let go: its value label shows. */
    bool m_keyLabel = false;
    /** A label over the picture: its text and where it lies; a null rectangle when it does not show. */
    struct OverlayLabel {
        QString text;
        QRect rect;
    };
    OverlayLabel m_valueLabel;
    OverlayLabel m_notice;
    QUndoStack* const m_undoStack;
    platform::FocusMarker m_focusMarker;
    Readout m_readout;
    platform::MousePointer m_pointer = platform::MousePointer::Default;
    bool m_focusVisible = false;
    QRect m_markerRect; ///< where the marker was last placed, to show that area again; null when hidden

    /** Drops requested and not raised yet: those of undo and redo, and those asked for while a
     *  handler runs. */
    QList<int> m_pendingDrops;
    bool m_raisingDrops = false;
    /** Above 0 while the engine itself drives the stack. */
    int m_drivingStack = 0;
    /** True while the host's handlers run inside the stack's own signal. */
    bool m_stackCallingOut = false;
    std::array<QMetaObject::Connection, 3> m_historyWatches;

    /** Change notices to send, and what the points were when they were last reported. */
    std::bitset<ChangeCount> m_changes;
    bool m_pointsDirty = false;
    PointReadings m_reportedPoints;
};

/** @p v as the control writes it with @p decimals, or its plain text for decimals it cannot show. */
QString shownValue(float v, qint32 decimals);

/** The font of the plot's text, installed with the library's set-up, so that text measures the
 *  same everywhere. */
QFont curveFont();

} // namespace knotel

#endif
