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

public:
    explicit Curve(QWidget* parent = nullptr);
    ~Curve() override;

    /** Shows the mouse position in the tracker boxes while the mouse moves. A write stores -1 for any
     * non-zero value. Default 0. */
    qint32 ViewTracker() const;
    void setViewTracker(qint32 value);
    /** Decimals of the X scale labels, the actual-value text and the tracker. Default 0. */
    qint32 X_Decimals() const;
    void setX_Decimals(qint32 value);
    /** Decimals of the Y scale labels, the actual-value text and the tracker. Default 0. */
    qint32 Y_Decimals() const;
    void setY_Decimals(qint32 value);
    /** Height of the upper dotted limit line. The line exists once this has been written. Default 0. */
    float Y_DashedLine_Top() const;
    void setY_DashedLine_Top(float value);
    /** Height of the lower dotted limit line. The line exists once this has been written. Default 0. */
    float Y_DashedLine_Bottom() const;
    void setY_DashedLine_Bottom(float value);
    /** Stored for the host; the control gives it no meaning. Default 0. */
    qint32 DisableSave() const;
    void setDisableSave(qint32 value);
    /** When non-zero, dragging never changes a point's X. Default 0. */
    qint32 LockX_Axis() const;
    void setLockX_Axis(qint32 value);
    /** When non-zero, only the break-point markers are drawn and the line cannot be grabbed. A write stores
     * -1 for any non-zero value. Default 0. */
    qint32 HideLine() const;
    void setHideLine(qint32 value);
    /** When non-zero, dragging never changes a point's Y and the whole curve cannot move. Default 0. */
    qint32 LockY_Axis() const;
    void setLockY_Axis(qint32 value);
    /** When non-zero, the first and last points keep their X while dragged. Default -1. */
    qint32 LockXEndPoints() const;
    void setLockXEndPoints(qint32 value);
    /** When non-zero, the first and last points keep their Y while dragged. Default 0. */
    qint32 LockYEndPoints() const;
    void setLockYEndPoints(qint32 value);
    /** When 0, a dragged point cannot pass its index neighbours in X. Default 0. */
    qint32 AllowXCrossover() const;
    void setAllowXCrossover(qint32 value);
    /** When 0, a dragged point cannot pass its index neighbours in Y. Default -1. */
    qint32 AllowYCrossover() const;
    void setAllowYCrossover(qint32 value);
    /** When exactly -1, grabbing the line moves the whole curve vertically. Default -1. */
    qint32 AllowCompleteCurveMove() const;
    void setAllowCompleteCurveMove(qint32 value);
    /** -1 draws all grid lines, 0 none, any other value only the first vertical and the closing horizontal
     * one. Default -1. */
    qint32 ViewGrid() const;
    void setViewGrid(qint32 value);
    /** X value at the plot's left edge. Default -30. */
    float X_Axis_Left() const;
    void setX_Axis_Left(float value);
    /** X value at the plot's right edge; below X_Axis_Left the axis runs right to left. Default 30. */
    float X_Axis_Right() const;
    void setX_Axis_Right(float value);
    /** Y value at the plot's top edge. Default 80. */
    float Y_Axis_Top() const;
    void setY_Axis_Top(float value);
    /** Y value at the plot's bottom edge. Default -20. */
    float Y_Axis_Bottom() const;
    void setY_Axis_Bottom(float value);
    /** Number of break points in use, slots 0 to Dimensions - 1. Stored unchecked; the control never
     * addresses more than 64 slots. Default 7. */
    qint32 Dimensions() const;
    void setDimensions(qint32 value);
    /** Marker of each point: 1 circle, 2 filled circle, 3 box, 4 filled box, other values none. Default 1. */
    qint32 BreakPointShape() const;
    void setBreakPointShape(qint32 value);
    /** Spacing of the X scale values; 0 or below draws no X scale. Default 10. */
    float X_Step() const;
    void setX_Step(float value);
    /** Spacing of the Y scale values; 0 or below draws no Y scale. Default 10. */
    float Y_Step() const;
    void setY_Step(float value);
    /** X of the actual-value marker, drawn once both coordinates have been written. Default 0. */
    float Actual_Value_X() const;
    void setActual_Value_X(float value);
    /** Y of the actual-value marker, drawn once both coordinates have been written. Default 0. */
    float Actual_Value_Y() const;
    void setActual_Value_Y(float value);
    /** Colour of the curve and its markers (0x00BBGGRR). Default 0xFFFF80. */
    qint32 CurveColor() const;
    void setCurveColor(qint32 value);
    /** Colour of the grid lines. Default 0x808040. */
    qint32 GridColor() const;
    void setGridColor(qint32 value);
    /** Background colour; a write recolours the surface and the tracker box at once. Default 0xAA5500. */
    qint32 BackColor() const;
    void setBackColor(qint32 value);
    /** Colour of the axes, arrow heads, ticks and scale labels. Default 0xC0C0C0. */
    qint32 AxisColor() const;
    void setAxisColor(qint32 value);
    /** Colour of the caption, the axis texts and the tracker box's text. Default 0xFFFFFF. */
    qint32 TextColor() const;
    void setTextColor(qint32 value);
    /** Colour of the limit lines and the actual-value marker. Default 0xFF8080. */
    qint32 ActualValueColor() const;
    void setActualValueColor(qint32 value);
    /** Caption above the plot, drawn enlarged and bold; empty draws none. Default "CurveCaption". */
    QString CurveCaption() const;
    void setCurveCaption(const QString& value);
    /** Text centred below the X axis; empty draws none. Default "X_AxisText". */
    QString X_AxisText() const;
    void setX_AxisText(const QString& value);
    /** Text written vertically left of the Y axis; empty draws none. Default "YAxisText". */
    QString Y_AxisText() const;
    void setY_AxisText(const QString& value);
    /** X of the point at slot ValueIndex: 0 for a slot not in use, where a write is ignored. A write also
     * makes it the point's reference X. Throws 9 for an in-use slot of 64 or more. */
    float X_Knotel() const;
    void setX_Knotel(float value);
    /** Y of the point at slot ValueIndex, as X_Knotel. */
    float Y_Knotel() const;
    void setY_Knotel(float value);
    /** -1 when the point at slot ValueIndex lies away from its reference position. Writing 0 accepts the
     * current position; any other value marks the point changed by setting its reference to the negated
     * position, so a point at (0, 0) cannot be marked and keeps reading 0. Throws 9 for an in-use slot of
     * 64 or more. */
    qint32 Changed() const;
    void setChanged(qint32 value);
    /** Slot addressed by X_Knotel, Y_Knotel and Changed. A write rounds to the nearest integer, ties to even;
     * throws 6 beyond 32 bits. Default 0. */
    float ValueIndex() const;
    void setValueIndex(float value);

    /** Places the drawing surface and tracker boxes, computes the layout and repaints the plot. */
    Q_INVOKABLE void RePaint();

    /** The plot rectangle and scales of the last layout; all 0 until a layout has run. */
    PlotLayout plotLayout() const;
    /**
     * Where the point in slot @p index lies in the control's coordinates (those of its drawing
     * surface, which covers the control and takes the mouse events), by the last layout; a host's
     * test sends its mouse events there, an overlay draws there. Throws 9 for a slot not in use.
     */
    QPointF positionOf(int index) const;
    /** The axis values (X, Y) at @p position in the control's coordinates, by the last layout: the
     *  inverse of positionOf(). */
    QPointF valueAt(const QPointF& position) const;

    // The point list: all slots in use at once, beside the slot-by-slot point properties.

    /** The points of the slots in use, in slot order (at most 64): what X_Knotel and Y_Knotel read with
     * ValueIndex 0, 1, ... */
    QList<QPointF> points() const;
    /** Sets Dimensions to the number of @p points and writes point i into slot i as X_Knotel and Y_Knotel
     * writes would: each coordinate becomes the nearest single and is also the point's reference, and
     * the slot counts as loaded. It only stores, like every write (RePaint shows it), and leaves
     * ValueIndex as it is. Throws 9 for more than 64 points and 6 for a coordinate that is not finite or
     * beyond the single range, changing nothing. */
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
     * references stay, so Changed reads as before. Ctrl+Z and Ctrl+Shift+Z or Ctrl+Y on the focused
     * plot undo and redo. A host write of X_Knotel, Y_Knotel, Dimensions or setPoints() empties it. The stack
     * belongs to the control; a host may add it to a QUndoGroup and make actions from it.
     */
    QUndoStack* undoStack() const;
    /** Whether the person's edits are kept for undo; switching it off empties the history and the
     *  keys then do nothing. Default true. */
    bool isUndoEnabled() const;
    void setUndoEnabled(bool enabled);
    /** How many steps the history keeps; when a new step comes, the oldest goes. 0 keeps every step.
     *  Writing another limit empties the history (QUndoStack takes one only while empty). Throws 5
     *  for a negative limit. Default 1000. */
    int undoLimit() const;
    void setUndoLimit(int limit);
    /**
     * Whether a double-click on a point, or Enter or F2 on the keyboard's current point, opens a
     * small editor in which the person types the point's exact X and Y. The typed values follow the
     * drag rules (locks, crossover, clamping); an apply that moved the point raises DroppedValue
     * once and can be undone. Default true.
     */
    bool isValueEntryEnabled() const;
    void setValueEntryEnabled(bool enabled);

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
     * or the whole curve (-1). Properties read inside a connected slot show the state as the drag
     * left it. Whatever the slot writes into @p DropIndex is ignored.
     */
    void DroppedValue(int& DropIndex);

    // Change signals, beside the design's one event: each property's when a host write, the
    // person's edit or an undo changed what it reads (ValueIndex choosing another slot changes
    // X_Knotel, Y_Knotel and Changed too), sent once the change is complete and before the drop
    // that reports it.
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

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class CurvePrivate;
    std::unique_ptr<CurvePrivate> const d;
};

} // namespace knotel

#endif
