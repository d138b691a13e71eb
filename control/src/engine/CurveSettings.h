#ifndef KNOTEL_CURVESETTINGS_H
#define KNOTEL_CURVESETTINGS_H

#include <QString>
#include <QtGlobal>

#include <optional>

namespace knotel {

/**
 * The settings behind the control's properties, as the host wrote them: nothing is checked here,
 * the layout and the paint pass deal with whatever they find. Flags that the host reads back as
 * written stay 32-bit values; the two that a write normalises are plain booleans.
 *
 * The limit lines and the actual-value marker exist only once the host has given their values:
 * those settings are empty until written, and read as 0 while empty.
 */
struct CurveSettings {
    qint32 X_Decimals = 0;
    qint32 Y_Decimals = 0;
    qint32 DisableSave = 0;
    qint32 LockX_Axis = 0;
    qint32 LockY_Axis = 0;
    qint32 LockXEndPoints = -1;
    qint32 LockYEndPoints = 0;
    qint32 AllowXCrossover = 0;
    qint32 AllowYCrossover = -1;
    qint32 AllowCompleteCurveMove = -1;
    qint32 ViewGrid = -1;
    float X_Axis_Left = -30.0f;
    float X_Axis_Right = 30.0f;
    float Y_Axis_Bottom = -20.0f;
    float Y_Axis_Top = 80.0f;
    qint32 BreakPointShape = 1;
    float X_Step = 10.0f;
    float Y_Step = 10.0f;
    std::optional<float> Actual_Value_X;
    std::optional<float> Actual_Value_Y;
    std::optional<float> Y_DashedLine_Top;
    std::optional<float> Y_DashedLine_Bottom;
    qint32 CurveColor = 0xFFFF80;
    qint32 GridColor = 0x808040;
    qint32 BackColor = 0xAA5500;
    qint32 AxisColor = 0xC0C0C0;
    qint32 TextColor = 0xFFFFFF;
    qint32 ActualValueColor = 0xFF8080;
    QString CurveCaption = QStringLiteral("CurveCaption");
    QString X_AxisText = QStringLiteral("X_AxisText");
    QString Y_AxisText = QStringLiteral("YAxisText");
    bool HideLine = false;
    bool ViewTracker = false;
    /** The grids that moves snap to, in axis units; 0 is none. */
    double snapX = 0;
    double snapY = 0;

    bool operator==(const CurveSettings&) const = default;

    /** True when grabbing the line may move the whole curve: exactly -1, and Y not locked. */
    bool curveMayMove() const { return AllowCompleteCurveMove == -1 && LockY_Axis == 0; }
};

} // namespace knotel

#endif
