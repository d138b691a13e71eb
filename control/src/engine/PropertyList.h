#ifndef KNOTEL_ENGINE_PROPERTYLIST_H
#define KNOTEL_ENGINE_PROPERTYLIST_H

/**
 * The 38 properties of the late-bound face, in their order, for code that does the same for each:
 * P(Type, Name, qmlName, ArgumentType), where Name is the property's own name and qmlName the
 * same with its first letter lowered (QML's rule for property names). The engine has a getter
 * Name() and a setter setName(ArgumentType) for each; the shells forward to them.
 */
#define KNOTEL_CURVE_PROPERTIES(P)                                                                           \
    P(qint32, ViewTracker, viewTracker, qint32)                                                              \
    P(qint32, X_Decimals, x_Decimals, qint32)                                                                \
    P(qint32, Y_Decimals, y_Decimals, qint32)                                                                \
    P(float, Y_DashedLine_Top, y_DashedLine_Top, float)                                                      \
    P(float, Y_DashedLine_Bottom, y_DashedLine_Bottom, float)                                                \
    P(qint32, DisableSave, disableSave, qint32)                                                              \
    P(qint32, LockX_Axis, lockX_Axis, qint32)                                                                \
    P(qint32, HideLine, hideLine, qint32)                                                                    \
    P(qint32, LockY_Axis, lockY_Axis, qint32)                                                                \
    P(qint32, LockXEndPoints, lockXEndPoints, qint32)                                                        \
    P(qint32, LockYEndPoints, lockYEndPoints, qint32)                                                        \
    P(qint32, AllowXCrossover, allowXCrossover, qint32)                                                      \
    P(qint32, AllowYCrossover, allowYCrossover, qint32)                                                      \
    P(qint32, AllowCompleteCurveMove, allowCompleteCurveMove, qint32)                                        \
    P(qint32, ViewGrid, viewGrid, qint32)                                                                    \
    P(float, X_Axis_Left, x_Axis_Left, float)                                                                \
    P(float, X_Axis_Right, x_Axis_Right, float)                                                              \
    P(float, Y_Axis_Top, y_Axis_Top, float)                                                                  \
    P(float, Y_Axis_Bottom, y_Axis_Bottom, float)                                                            \
    P(qint32, Dimensions, dimensions, qint32)                                                                \
    P(qint32, BreakPointShape, breakPointShape, qint32)                                                      \
    P(float, X_Step, x_Step, float)                                                                          \
    P(float, Y_Step, y_Step, float)                                                                          \
    P(float, Actual_Value_X, actual_Value_X, float)                                                          \
    P(float, Actual_Value_Y, actual_Value_Y, float)                                                          \
    P(qint32, CurveColor, curveColor, qint32)                                                                \
    P(qint32, GridColor, gridColor, qint32)                                                                  \
    P(qint32, BackColor, backColor, qint32)                                                                  \
    P(qint32, AxisColor, axisColor, qint32)                                                                  \
    P(qint32, TextColor, textColor, qint32)                                                                  \
    P(qint32, ActualValueColor, actualValueColor, qint32)                                                    \
    P(QString, CurveCaption, curveCaption, const QString&)                                                   \
    P(QString, X_AxisText, x_AxisText, const QString&)                                                       \
    P(QString, Y_AxisText, y_AxisText, const QString&)                                                       \
    P(float, X_Knotel, x_Knotel, float)                                                                      \
    P(float, Y_Knotel, y_Knotel, float)                                                                      \
    P(qint32, Changed, changed, qint32)                                                                      \
    P(float, ValueIndex, valueIndex, float)

/**
 * The properties beside the late-bound face: P(Type, name, Name, getter), with the name of the
 * widget's property and of QML's (the same), the name capitalised, and the widget's getter (is...
 * for a flag). The engine has name() and setName(Type) for each.
 */
#define KNOTEL_CURVE_SWITCHES(P)                                                                             \
    P(bool, undoEnabled, UndoEnabled, isUndoEnabled)                                                         \
    P(bool, valueEntryEnabled, ValueEntryEnabled, isValueEntryEnabled)                                       \
    P(int, undoLimit, UndoLimit, undoLimit)                                                                  \
    P(bool, pointEditingEnabled, PointEditingEnabled, isPointEditingEnabled)                                 \
    P(double, snapX, SnapX, snapX)                                                                           \
    P(double, snapY, SnapY, snapY)                                                                           \
    P(bool, dragValueVisible, DragValueVisible, isDragValueVisible)

#endif
