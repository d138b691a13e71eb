#ifndef KNOTEL_CURVE_H
#define KNOTEL_CURVE_H

#include <knotel/Dispatch.h>
#include <knotel/knotel_export.h>
#include <knotel/PlotLayout.h>

#include <QList>
#include <QPointF>
#include <QWidget>

#include <memory>

class QUndoStack;

namespace knotel {

class CurvePrivate;

/**
 * A plot that shows a piecewise-linear curve of up to 64 break points and lets the person edit it.
 *
 * The host sets the axes, steps, decimals, texts, colours, the two dotted limit lines and the
 * actual-value marker, loads the points one coordinate at a time through ValueIndex, and calls
 * RePaint() to show its settings: a property write only stores its value (BackColor also
 * recolours the surface at once) and validates nothing. The person drags single points with the
 * left button, or grabs the line and moves the whole curve vertically; on release the control
 * emits DroppedValue(). Whether a point was moved since it was loaded or last accepted reads as
 * Changed.
 *
 * Flags are -1 for true and 0 for false. Colours are 0x00BBGGRR (red in the low byte).
 * Accessors throw knotel::RuntimeError where an operation fails.
 *
 * The point properties (X_Knotel, Y_Knotel, Changed) and ValueIndex address one slot at a time,
 * so they are not offered in a form editor, whose saved forms apply properties in an order of
 * their own.
 */
class KNOTEL_EXPORT Curve : public QWidget, public Dispatch {
    Q_OBJECT
    Q_PROPERTY(qint32 ViewTracker READ ViewTracker WRITE setViewTracker NOTIFY ViewTrackerChanged)
    Q_PROPERTY(qint32 X_Decimals READ X_Decimals WRITE setX_Decimals NOTIFY X_DecimalsChanged)
    Q_PROPERTY(qint32 Y_Decimals READ Y_Decimals WRITE setY_Decimals NOTIFY Y_DecimalsChanged)
    Q_PROPERTY(
        float Y_DashedLine_Top READ Y_DashedLine_Top WRITE setY_DashedLine_Top NOTIFY Y_DashedLine_TopChanged)
    Q_PROPERTY(float Y_DashedLine_Bottom READ Y_DashedLine_Bottom WRITE setY_DashedLine_Bottom NOTIFY
                   Y_DashedLine_BottomChanged)
    Q_PROPERTY(qint32 DisableSave READ DisableSave WRITE setDisableSave NOTIFY DisableSaveChanged)
    Q_PROPERTY(qint32 LockX_Axis READ LockX_Axis WRITE setLockX_Axis NOTIFY LockX_AxisChanged)
    Q_PROPERTY(qint32 HideLine READ HideLine WRITE setHideLine NOTIFY HideLineChanged)
    Q_PROPERTY(qint32 LockY_Axis READ LockY_Axis WRITE setLockY_Axis NOTIFY LockY_AxisChanged)
    Q_PROPERTY(qint32 LockXEndPoints READ LockXEndPoints WRITE setLockXEndPoints NOTIFY LockXEndPointsChanged)
    Q_PROPERTY(qint32 LockYEndPoints READ LockYEndPoints WRITE setLockYEndPoints NOTIFY LockYEndPointsChanged)
    Q_PROPERTY(
        qint32 AllowXCrossover READ AllowXCrossover WRITE setAllowXCrossover NOTIFY AllowXCrossoverChanged)
    Q_PROPERTY(
        qint32 AllowYCrossover READ AllowYCrossover WRITE setAllowYCrossover NOTIFY AllowYCrossoverChanged)
    Q_PROPERTY(qint32 AllowCompleteCurveMove READ AllowCompleteCurveMove WRITE setAllowCompleteCurveMove
                   NOTIFY AllowCompleteCurveMoveChanged)
    Q_PROPERTY(qint32 ViewGrid READ ViewGrid WRITE setViewGrid NOTIFY ViewGridChanged)
    Q_PROPERTY(float X_Axis_Left READ X_Axis_Left WRITE setX_Axis_Left NOTIFY X_Axis_LeftChanged)
    Q_PROPERTY(float X_Axis_Right READ X_Axis_Right WRITE setX_Axis_Right NOTIFY X_Axis_RightChanged)
    Q_PROPERTY(float Y_Axis_Top READ Y_Axis_Top WRITE setY_Axis_Top NOTIFY Y_Axis_TopChanged)
    Q_PROPERTY(float Y_Axis_Bottom READ Y_Axis_Bottom WRITE setY_Axis_Bottom NOTIFY Y_Axis_BottomChanged)
    Q_PROPERTY(qint32 Dimensions READ Dimensions WRITE setDimensions NOTIFY DimensionsChanged)
    Q_PROPERTY(
        qint32 BreakPointShape READ BreakPointShape WRITE setBreakPointShape NOTIFY BreakPointShapeChanged)
    Q_PROPERTY(float X_Step READ X_Step WRITE setX_Step NOTIFY X_StepChanged)
    Q_PROPERTY(float Y_Step READ Y_Step WRITE setY_Step NOTIFY Y_StepChanged)
    Q_PROPERTY(float Actual_Value_X READ Actual_Value_X WRITE setActual_Value_X NOTIFY Actual_Value_XChanged)
    Q_PROPERTY(float Actual_Value_Y READ Actual_Value_Y WRITE setActual_Value_Y NOTIFY Actual_Value_YChanged)
    Q_PROPERTY(qint32 CurveColor READ CurveColor WRITE setCurveColor NOTIFY CurveColorChanged)
    Q_PROPERTY(qint32 GridColor READ GridColor WRITE setGridColor NOTIFY GridColorChanged)
    Q_PROPERTY(qint32 BackColor READ BackColor WRITE setBackColor NOTIFY BackColorChanged)
    Q_PROPERTY(qint32 AxisColor READ AxisColor WRITE setAxisColor NOTIFY AxisColorChanged)
    Q_PROPERTY(qint32 TextColor READ TextColor WRITE setTextColor NOTIFY TextColorChanged)
    Q_PROPERTY(qint32 ActualValueColor READ ActualValueColor WRITE setActualValueColor NOTIFY
                   ActualValueColorChanged)
    Q_PROPERTY(QString CurveCaption READ CurveCaption WRITE setCurveCaption NOTIFY CurveCaptionChanged)
    Q_PROPERTY(QString X_AxisText READ X_AxisText WRITE setX_AxisText NOTIFY X_AxisTextChanged)
    Q_PROPERTY(QString Y_AxisText READ Y_AxisText WRITE setY_AxisText NOTIFY Y_AxisTextChanged)
    Q_PROPERTY(float X_Knotel READ X_Knotel WRITE setX_Knotel DESIGNABLE false NOTIFY X_KnotelChanged)
    Q_PROPERTY(float Y_Knotel READ Y_Knotel WRITE setY_Knotel DESIGNABLE false NOTIFY Y_KnotelChanged)
    Q_PROPERTY(qint32 Changed READ Changed WRITE setChanged DESIGNABLE false NOTIFY ChangedChanged)
    Q_PROPERTY(float ValueIndex READ ValueIndex WRITE setValueIndex DESIGNABLE false NOTIFY ValueIndexChanged)
    // Beyond the late-bound face, which has the 38 properties above alone.
    Q_PROPERTY(bool undoEnabled READ isUndoEnabled WRITE setUndoEnabled NOTIFY undoEnabledChanged)
    Q_PROPERTY(bool valueEntryEnabled READ isValueEntryEnabled WRITE setValueEntryEnabled NOTIFY
                   valueEntryEnabledChanged)
    Q_PROPERTY(int undoLimit READ undoLimit WRITE setUndoLimit NOTIFY undoLimitChanged)
    Q_PROPERTY(bool pointEditingEnabled READ isPointEditingEnabled WRITE setPointEditingEnabled NOTIFY
                   pointEditingEnabledChanged)
    Q_PROPERTY(double snapX READ snapX WRITE setSnapX NOTIFY snapXChanged)
    Q_PROPERTY(double snapY READ snapY WRITE setSnapY NOTIFY snapYChanged)
    Q_PROPERTY(bool dragValueVisible READ isDragValueVisible WRITE setDragValueVisible NOTIFY
                   dragValueVisibleChanged)

public:
    /** Creates the control with its defaults and lays it out, at its design size, as a child of @p parent. */
    explicit Curve(QWidget* parent = nullptr);
    /** Destroys the control with its child widgets and its undo history. */
    ~Curve() override;

    /**
     * Shows the mouse position, in axis units, in the tracker read-out while the mouse moves over
     * the plot.
     * @default 0
     * @values A flag: a write stores -1 for any non-zero value, so it reads -1 or 0.
     */
    qint32 ViewTracker() const;
    void setViewTracker(qint32 value);
    /**
     * Digits after the point of the X scale labels, of the X in the actual-value text and in the
     * tracker; the values are cut to them, never rounded (see FormatValue()).
     * @default 0
     * @values 0 to 1024. Any value is stored; outside that range the X scale labels and the
     * actual-value text are left out and the tracker is not updated.
     */
    qint32 X_Decimals() const;
    void setX_Decimals(qint32 value);
    /**
     * Digits after the point of the Y scale labels, of the Y in the actual-value text and in the
     * tracker; the width of the Y axis' end labels sets the plot's left margin.
     * @default 0
     * @values 0 to 1024. Any value is stored; outside that range the Y scale labels and the
     * actual-value text are left out, no label width is reserved and the tracker is not updated.
     */
    qint32 Y_Decimals() const;
    void setY_Decimals(qint32 value);
    /**
     * Height of the upper dotted limit line, drawn across the plot in ActualValueColor once this
     * has been written (even with 0).
     * @default 0
     * @values Axis units; any single.
     */
    float Y_DashedLine_Top() const;
    void setY_DashedLine_Top(float value);
    /**
     * Height of the lower dotted limit line, drawn across the plot in ActualValueColor once this
     * has been written (even with 0).
     * @default 0
     * @values Axis units; any single.
     */
    float Y_DashedLine_Bottom() const;
    void setY_DashedLine_Bottom(float value);
    /**
     * Stored for the host; the control gives it no meaning.
     * @default 0
     * @values Any 32-bit integer.
     */
    qint32 DisableSave() const;
    void setDisableSave(qint32 value);
    /**
     * When non-zero, dragging and key moves never change a point's X.
     * @default 0
     * @values A flag: 0 is false, any other value true; stored as written.
     */
    qint32 LockX_Axis() const;
    void setLockX_Axis(qint32 value);
    /**
     * When non-zero, only the break-point markers are drawn and the line cannot be grabbed to move
     * the whole curve.
     * @default 0
     * @values A flag: a write stores -1 for any non-zero value, so it reads -1 or 0.
     */
    qint32 HideLine() const;
    void setHideLine(qint32 value);
    /**
     * When non-zero, dragging and key moves never change a point's Y, and the whole curve cannot
     * move.
     * @default 0
     * @values A flag: 0 is false, any other value true; stored as written.
     */
    qint32 LockY_Axis() const;
    void setLockY_Axis(qint32 value);
    /**
     * When non-zero, the first and last points keep their X while dragged.
     * @default -1
     * @values A flag: 0 is false, any other value true; stored as written.
     */
    qint32 LockXEndPoints() const;
    void setLockXEndPoints(qint32 value);
    /**
     * When non-zero, the first and last points keep their Y while dragged.
     * @default 0
     * @values A flag: 0 is false, any other value true; stored as written.
     */
    qint32 LockYEndPoints() const;
    void setLockYEndPoints(qint32 value);
    /**
     * When 0, a dragged point cannot pass its index neighbours in X: it stops at their X.
     * @default 0
     * @values A flag: 0 is false, any other value true; stored as written.
     */
    qint32 AllowXCrossover() const;
    void setAllowXCrossover(qint32 value);
    /**
     * When 0, a dragged point cannot pass its index neighbours in Y: it stops at their Y.
     * @default -1
     * @values A flag: 0 is false, any other value true; stored as written.
     */
    qint32 AllowYCrossover() const;
    void setAllowYCrossover(qint32 value);
    /**
     * When exactly -1, grabbing the line moves the whole curve vertically.
     * @default -1
     * @values -1 allows the move; any other value forbids it.
     */
    qint32 AllowCompleteCurveMove() const;
    void setAllowCompleteCurveMove(qint32 value);
    /**
     * Which grid lines are drawn: -1 all, 0 none, any other value only the first vertical and the
     * closing horizontal one.
     * @default -1
     * @values Any 32-bit integer, read as above.
     */
    qint32 ViewGrid() const;
    void setViewGrid(qint32 value);
    /**
     * X value at the plot's left edge.
     * @default -30
     * @values Axis units; any single. Equal to X_Axis_Right, the X axis has no span (an infinite
     * PlotLayout::ScaleX) and nothing is placed along it.
     */
    float X_Axis_Left() const;
    void setX_Axis_Left(float value);
    /**
     * X value at the plot's right edge.
     * @default 30
     * @values Axis units; any single. Below X_Axis_Left the X axis runs from right to left.
     */
    float X_Axis_Right() const;
    void setX_Axis_Right(float value);
    /**
     * Y value at the plot's top edge.
     * @default 80
     * @values Axis units; any single. Below Y_Axis_Bottom the Y axis runs downwards; equal to it,
     * the Y axis has no span (an infinite PlotLayout::ScaleY).
     */
    float Y_Axis_Top() const;
    void setY_Axis_Top(float value);
    /**
     * Y value at the plot's bottom edge.
     * @default -20
     * @values Axis units; any single.
     */
    float Y_Axis_Bottom() const;
    void setY_Axis_Bottom(float value);
    /**
     * Number of break points in use: slots 0 to Dimensions - 1 form the curve, in slot order.
     * Slots beyond it keep their points and come back when it grows. A write empties the undo
     * history.
     * @default 7
     * @values 0 to 64. Any value is stored unchecked: 0 or below leaves no point in use, and above
     * 64 the curve has the 64 slots while the point properties of a slot of 64 or more throw 9.
     */
    qint32 Dimensions() const;
    void setDimensions(qint32 value);
    /**
     * Marker of each point: 1 circle, 2 filled circle, 3 box, 4 filled box.
     * @default 1
     * @values 1 to 4; any other value is stored and draws no markers.
     */
    qint32 BreakPointShape() const;
    void setBreakPointShape(qint32 value);
    /**
     * Spacing of the X scale values, their ticks and the vertical grid lines.
     * @default 10
     * @values Axis units, above 0; 0, a negative value or NaN draws no X scale.
     */
    float X_Step() const;
    void setX_Step(float value);
    /**
     * Spacing of the Y scale values, their ticks and the horizontal grid lines; Page Up and Page
     * Down move a point by it.
     * @default 10
     * @values Axis units, above 0; 0, a negative value or NaN draws no Y scale.
     */
    float Y_Step() const;
    void setY_Step(float value);
    /**
     * X of the actual-value marker, a cross in ActualValueColor with the text "X/Y" beside it,
     * drawn once both Actual_Value_X and Actual_Value_Y have been written (even with 0).
     * @default 0
     * @values Axis units; any single.
     */
    float Actual_Value_X() const;
    void setActual_Value_X(float value);
    /**
     * Y of the actual-value marker, drawn once both Actual_Value_X and Actual_Value_Y have been
     * written (even with 0).
     * @default 0
     * @values Axis units; any single.
     */
    float Actual_Value_Y() const;
    void setActual_Value_Y(float value);
    /**
     * Colour of the curve and its markers, drawn with an exclusive-or pen over the background.
     * @default 0xFFFF80
     * @values A colour 0x00BBGGRR (red in the low byte); the high byte is ignored.
     */
    qint32 CurveColor() const;
    void setCurveColor(qint32 value);
    /**
     * Colour of the grid lines.
     * @default 0x808040
     * @values A colour 0x00BBGGRR (red in the low byte); the high byte is ignored.
     */
    qint32 GridColor() const;
    void setGridColor(qint32 value);
    /**
     * Background colour of the plot; a write recolours the surface and the tracker box at once.
     * @default 0xAA5500
     * @values A colour 0x00BBGGRR (red in the low byte); the high byte is ignored.
     */
    qint32 BackColor() const;
    void setBackColor(qint32 value);
    /**
     * Colour of the axes, arrow heads, ticks and scale labels.
     * @default 0xC0C0C0
     * @values A colour 0x00BBGGRR (red in the low byte); the high byte is ignored.
     */
    qint32 AxisColor() const;
    void setAxisColor(qint32 value);
    /**
     * Colour of the caption, the axis texts and the tracker box's text.
     * @default 0xFFFFFF
     * @values A colour 0x00BBGGRR (red in the low byte); the high byte is ignored.
     */
    qint32 TextColor() const;
    void setTextColor(qint32 value);
    /**
     * Colour of the dotted limit lines and the actual-value marker.
     * @default 0xFF8080
     * @values A colour 0x00BBGGRR (red in the low byte); the high byte is ignored.
     */
    qint32 ActualValueColor() const;
    void setActualValueColor(qint32 value);
    /**
     * Caption above the plot, drawn enlarged and bold.
     * @default "CurveCaption"
     * @values Any text; empty draws none.
     */
    QString CurveCaption() const;
    void setCurveCaption(const QString& value);
    /**
     * Text centred below the X axis.
     * @default "X_AxisText"
     * @values Any text; empty draws none.
     */
    QString X_AxisText() const;
    void setX_AxisText(const QString& value);
    /**
     * Text written vertically left of the Y axis.
     * @default "YAxisText"
     * @values Any text; empty draws none.
     */
    QString Y_AxisText() const;
    void setY_AxisText(const QString& value);
    /**
     * X of the point in slot ValueIndex. A write also makes it the point's reference X, so the
     * point reads unchanged (Changed), and empties the undo history.
     * @default 0 (in every slot)
     * @values Axis units; any single. A slot not in use (ValueIndex below 0 or from Dimensions on)
     * reads 0 and ignores writes.
     * @throws knotel::RuntimeError 9 on a read or write when the slot is in use but numbered 64 or
     * more (Dimensions above 64); nothing changes.
     */
    float X_Knotel() const;
    void setX_Knotel(float value);
    /**
     * Y of the point in slot ValueIndex. A write also makes it the point's reference Y, so the
     * point reads unchanged (Changed), and empties the undo history.
     * @default 0 (in every slot)
     * @values Axis units; any single. A slot not in use (ValueIndex below 0 or from Dimensions on)
     * reads 0 and ignores writes.
     * @throws knotel::RuntimeError 9 on a read or write when the slot is in use but numbered 64 or
     * more (Dimensions above 64); nothing changes.
     */
    float Y_Knotel() const;
    void setY_Knotel(float value);
    /**
     * -1 when the point in slot ValueIndex lies away from its reference position, else 0. Writing 0
     * accepts the current position as the reference; any other value marks the point changed by
     * setting its reference to the negated position, so a point at (0, 0) cannot be marked and keeps
     * reading 0.
     * @default 0
     * @values A flag. A slot not in use reads 0 and ignores writes.
     * @throws knotel::RuntimeError 9 on a read or write when the slot is in use but numbered 64 or
     * more (Dimensions above 64); nothing changes.
     */
    qint32 Changed() const;
    void setChanged(qint32 value);
    /**
     * Slot addressed by X_Knotel, Y_Knotel and Changed.
     * @default 0
     * @values A slot number. A write rounds to the nearest integer, ties to even (2.5 gives 2, 3.5
     * gives 4); any 32-bit integer is accepted and read back as a float.
     * @throws knotel::RuntimeError 6 when the rounded value does not fit in 32 bits; ValueIndex
     * keeps its value.
     */
    float ValueIndex() const;
    void setValueIndex(float value);

    /**
     * Places the drawing surface and the tracker box, computes the layout and paints the plot: what
     * makes property writes visible. A failing layout or paint step is skipped, so it throws nothing.
     */
    Q_INVOKABLE void RePaint();

    /** The plot rectangle and scales of the last layout, in pixels of the drawing surface; all 0 until a
     * layout has run. */
    PlotLayout plotLayout() const;
    /**
     * Where the point in slot @p index lies in the control's coordinates (those of its drawing
     * surface, which covers the control and takes the mouse events), by the last layout; a host's
     * test sends its mouse events there, an overlay draws there.
     * @throws knotel::RuntimeError 9 for a slot not in use.
     */
    QPointF positionOf(int index) const;
    /** The axis values (X, Y) at @p position in the control's coordinates, by the last layout: the
     *  inverse of positionOf(). */
    QPointF valueAt(const QPointF& position) const;

    // The point list: all slots in use at once, beside the slot-by-slot point properties.

    /** The points of the slots in use, in slot order (at most 64): what X_Knotel and Y_Knotel read with
     * ValueIndex 0, 1, ... */
    QList<QPointF> points() const;
    /**
     * Sets Dimensions to the number of @p points and writes point i into slot i as X_Knotel and
     * Y_Knotel writes would: each coordinate becomes the nearest single and is also the point's
     * reference, and the slot counts as loaded. It only stores, like every write (RePaint shows it),
     * leaves ValueIndex as it is and empties the undo history.
     * @code
     * curve->setPoints({{-30, 20}, {0, 60}, {30, 40}});
     * curve->RePaint();
     * @endcode
     * @throws knotel::RuntimeError 9 for more than 64 points, and 6 for a coordinate that is not
     * finite or beyond the single range; nothing changes.
     */
    void setPoints(const QList<QPointF>& points);
    /** The slots in use whose Changed reads -1, in slot order. */
    QList<int> changedPoints() const;
    /** Accepts the position of every slot in use as its reference, as writing 0 to Changed for each
     * does. */
    void acceptChanges();

    /**
     * The history of the person's edits: one command for each drag, whole-curve move, typed value
     * and run of key moves of one point ("Move point 3", "Move curve"). Undo and redo put the
     * coordinates back exactly, redraw and raise DroppedValue as the edit did; the points'
     * references stay, so Changed reads as before. The platform's standard keys (QKeySequence::Undo
     * and QKeySequence::Redo: Ctrl+Z, Ctrl+Shift+Z or Ctrl+Y, and Alt+Backspace on some desktops) on
     * the focused plot undo and redo. A host write of X_Knotel, Y_Knotel, Dimensions or setPoints()
     * empties it. The stack belongs to the control; a host may add it to a QUndoGroup and make
     * actions from it:
     * @code
     * editMenu->addAction(curve->undoStack()->createUndoAction(editMenu));
     * editMenu->addAction(curve->undoStack()->createRedoAction(editMenu));
     * @endcode
     */
    QUndoStack* undoStack() const;
    /**
     * Whether the person's edits are kept for undo; switching it off empties the history, and the
     * undo keys then do nothing.
     * @default true
     * @values true or false.
     */
    bool isUndoEnabled() const;
    void setUndoEnabled(bool enabled);
    /**
     * How many steps the history keeps; when a new step comes, the oldest goes, so a control that
     * runs for months keeps a bounded history. Writing another limit empties the history
     * (QUndoStack takes one only while it is empty).
     * @default 1000
     * @values 0 keeps every step; any positive number of steps.
     * @throws knotel::RuntimeError 5 for a negative limit; the limit stays.
     */
    int undoLimit() const;
    void setUndoLimit(int limit);
    /**
     * Whether a double-click on a point, or Enter or F2 on the keyboard's current point, opens a
     * small editor in which the person types the point's exact X and Y. The typed values follow the
     * drag rules (locks, crossover, clamping); an apply that moved the point raises DroppedValue
     * once and can be undone.
     * @default true
     * @values true or false; false makes a double-click two clicks.
     */
    bool isValueEntryEnabled() const;
    void setValueEntryEnabled(bool enabled);
    /**
     * Whether the person may insert, delete and paste points: Insert adds a point midway between
     * the keyboard's current point and the next (after the last point, before it), Ctrl + left
     * press on the line adds one there and grabs it, Delete or Backspace removes the current point,
     * the standard paste key (QKeySequence::Paste) on the focused plot replaces the points by the
     * clipboard's text as pastePoints() does, and a context menu on the plot offers the same with
     * copy. Never more than 64 points nor fewer than 2; no insert or delete while LockX_Axis is set,
     * and no delete of an end point while LockXEndPoints or LockYEndPoints is. Each insert, delete
     * and paste raises DroppedValue once, with -1, and is one undo step ("Insert point 3", "Delete
     * point 3", "Paste 12 points"); the slots after it move with their references, so Changed still
     * tells what moved, and a new point reads Changed -1 until accepted.
     * @default false
     * @values true or false.
     */
    bool isPointEditingEnabled() const;
    void setPointEditingEnabled(bool enabled);
    /**
     * The grid of the X axis: a mouse, finger or key move of a point puts its X on the nearest
     * multiple of snapX (counted from 0), and then the lock, crossover and clamping rules apply, so
     * an axis end wins over the grid. Shift + Left and Right go to the next multiple. Typed and
     * pasted values are taken as they are.
     * @default 0
     * @values Axis units: 0 is no grid, any positive number the grid's step.
     * @throws knotel::RuntimeError 5 for a negative step, NaN or an infinity; the step stays.
     */
    double snapX() const;
    void setSnapX(double step);
    /**
     * The grid of the Y axis: a mouse, finger or key move of a point puts its Y on the nearest
     * multiple of snapY (counted from 0), and then the lock, crossover and clamping rules apply, so
     * an axis end wins over the grid. Up and Down go to the next multiple above or below, Page Up and Page Down
     * to the multiple nearest Y_Step away, and the whole curve moves by multiples of snapY. Typed and
     * pasted values are taken as they are.
     * @default 0
     * @values Axis units: 0 is no grid, any positive number the grid's step.
     * @throws knotel::RuntimeError 5 for a negative step, NaN or an infinity; the step stays.
     */
    double snapY() const;
    void setSnapY(double step);
    /**
     * Whether a small label beside a point that the person moves, with the mouse or the keys, shows
     * its X and Y as the control writes numbers (FormatValue() with X_Decimals and Y_Decimals). The
     * label stays inside the control and goes when the button or the key is let go; it lies over
     * the picture and leaves it as it is.
     * @default false
     * @values true or false.
     */
    bool isDragValueVisible() const;
    void setDragValueVisible(bool visible);

    /**
     * The points in use as text, as the standard copy key (QKeySequence::Copy) on the focused plot
     * puts them on the clipboard, whatever the switches: a line per point, its X, a tab and its Y,
     * each the shortest text that reads back to the same single, with "." as the decimal point.
     * Pasted back, they give the same points bit for bit.
     */
    QString copyPoints() const;
    /**
     * Replaces the points in use by those of @p text, as the person's paste does: a line per point,
     * two numbers separated by a tab, a comma, a semicolon or blanks (what spreadsheets and CSV
     * files give), "." as the decimal point, blank lines left out, 1 to 64 lines. The paste is
     * refused whole, nothing changed, when a line is not two numbers, a number is not finite, there
     * are more than 64 lines, a value lies outside its axis, a locked coordinate would change
     * (LockX_Axis, LockY_Axis, LockXEndPoints, LockYEndPoints) or the order breaks a crossover rule
     * that is off (with AllowXCrossover or AllowYCrossover 0 the values run one way);
     * pasteRefused() then says why. Points that were in use keep their references, new ones read
     * Changed -1. A paste that changed something raises DroppedValue once, with -1, and is one undo
     * step. It works whatever pointEditingEnabled says.
     * @return true when the points were taken; false when refused, and while the person drags.
     */
    bool pastePoints(const QString& text);

    /** The control's design size, 9120 x 7260 twips, in pixels of its screen. */
    QSize sizeHint() const override;

    // Dispatch
    DispId idOfName(const QString& name) const override;
    QVariant get(DispId member) const override;
    void put(DispId member, const QVariant& value) override;
    QVariant invoke(DispId member) override;
    QWidget* widget() override;

Q_SIGNALS:
    /**
     * Emitted synchronously when the person releases a dragged point (its slot in @p DropIndex)
     * or the whole curve (-1), and by a key move, a typed value, an undo and a redo as by the drag
     * they stand for. Properties read inside a connected slot show the state as the drag left it.
     * Whatever the slot writes into @p DropIndex is ignored. The slot may delete the control (a
     * dialog that closes on a drop): the control touches nothing of its own after the signal.
     * @code
     * QObject::connect(curve, &knotel::Curve::DroppedValue, [curve](int& index) {
     *     if (index >= 0)
     *         qDebug() << "point" << index << "at" << curve->points().at(index);
     * });
     * @endcode
     */
    void DroppedValue(int& DropIndex);
    /**
     * A paste was refused, from the paste key, the context menu or pastePoints(), and nothing
     * changed; @p reason says why in a sentence ("Not pasted: line 3 is not two numbers."), which the
     * person also sees over the plot when the paste was theirs, until the next key or press. The
     * slot may delete the control.
     */
    void pasteRefused(const QString& reason);

    // Change signals, beside DroppedValue: each property's when a host write, the person's edit or
    // an undo changed what it reads (ValueIndex choosing another slot changes X_Knotel, Y_Knotel
    // and Changed too), sent once the change is complete and before the drop that reports it.
    void ViewTrackerChanged();
    void X_DecimalsChanged();
    void Y_DecimalsChanged();
    void Y_DashedLine_TopChanged();
    void Y_DashedLine_BottomChanged();
    void DisableSaveChanged();
    void LockX_AxisChanged();
    void HideLineChanged();
    void LockY_AxisChanged();
    void LockXEndPointsChanged();
    void LockYEndPointsChanged();
    void AllowXCrossoverChanged();
    void AllowYCrossoverChanged();
    void AllowCompleteCurveMoveChanged();
    void ViewGridChanged();
    void X_Axis_LeftChanged();
    void X_Axis_RightChanged();
    void Y_Axis_TopChanged();
    void Y_Axis_BottomChanged();
    void DimensionsChanged();
    void BreakPointShapeChanged();
    void X_StepChanged();
    void Y_StepChanged();
    void Actual_Value_XChanged();
    void Actual_Value_YChanged();
    void CurveColorChanged();
    void GridColorChanged();
    void BackColorChanged();
    void AxisColorChanged();
    void TextColorChanged();
    void ActualValueColorChanged();
    void CurveCaptionChanged();
    void X_AxisTextChanged();
    void Y_AxisTextChanged();
    void X_KnotelChanged();
    void Y_KnotelChanged();
    void ChangedChanged();
    void ValueIndexChanged();
    /** The points in use changed: their number or a coordinate, as points() reads them. */
    void pointsChanged();
    void undoEnabledChanged();
    void valueEntryEnabledChanged();
    void undoLimitChanged();
    void pointEditingEnabledChanged();
    void snapXChanged();
    void snapYChanged();
    void dragValueVisibleChanged();

protected:
    /** Places the drawing surface and the tracker box and computes the layout for the new size. */
    void resizeEvent(QResizeEvent* event) override;
    /** Paints the plot when the control becomes visible. */
    void showEvent(QShowEvent* event) override;

private:
    friend class CurvePrivate;
    std::unique_ptr<CurvePrivate> const d;
};

} // namespace knotel

#endif
