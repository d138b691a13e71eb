#ifndef KNOTEL_CURVEPRIVATE_H
#define KNOTEL_CURVEPRIVATE_H

#include "PlotMapping.h"

#include <knotel/PlotLayout.h>

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <array>

class QLabel;
class QLineEdit;

namespace knotel {

class Curve;
class SettingsPanel;

namespace platform {
class DrawingSurface;
}

/** Number of break-point slots; the tables never grow. */
inline constexpr int SlotCount = 64;

/**
 * The control's whole state and its private routines. Each routine lives in the source file of
 * its concern: the host interface in Curve.cpp, placement and layout in Layout.cpp, the paint
 * pass in PaintControl.cpp and PaintMarks.cpp, the curve in CurveXor.cpp, the mouse in
 * MouseEditing.cpp and the settings panel in SettingsPanel.cpp.
 */
class CurvePrivate {
public:
    explicit CurvePrivate(Curve* q);

    /** The private state of @p curve. */
    static CurvePrivate* get(Curve* curve);

    Curve* const q;

    // Settings, one behind each property. Values are as the host wrote them (see Curve.h).
    qint32 X_Decimals = 0;
    qint32 Y_Decimals = 0;
    qint32 DisableSave = 0;
    qint32 LockX_Axis = 0;
    qint32 LockY_Axis = 0;
    qint32 LockXEndPoints = 0;
    qint32 LockYEndPoints = 0;
    qint32 AllowXCrossover = 0;
    qint32 AllowYCrossover = 0;
    qint32 AllowCompleteCurveMove = 0;
    qint32 ViewGrid = 0;
    float X_Axis_Left = 0;
    float X_Axis_Right = 0;
    float Y_Axis_Bottom = 0;
    float Y_Axis_Top = 0;
    qint32 Dimensions = 0;
    qint32 BreakPointShape = 0;
    float X_Step = 0;
    float Y_Step = 0;
    float Actual_Value_X = 0;
    float Actual_Value_Y = 0;
    qint32 CurveColor = 0;
    qint32 GridColor = 0;
    qint32 BackColor = 0;
    qint32 AxisColor = 0;
    qint32 TextColor = 0;
    qint32 ActualValueColor = 0;
    QString CurveCaption;
    QString X_AxisText;
    QString Y_AxisText;
    qint16 HideLine = 0;    // always -1 or 0
    qint16 ViewTracker = 0; // always -1 or 0
    float Y_DashedLine_Top = 0;
    float Y_DashedLine_Bottom = 0;
    qint32 ValueIndex = 0;

    // Has-been-set flags: set by the property write, never cleared.
    qint16 ActualValueXSet = 0;
    qint16 ActualValueYSet = 0;
    qint16 DashedLineTopSet = 0;
    qint16 DashedLineBottomSet = 0;

    // The break-point table.
    std::array<float, SlotCount> PointX{};
    std::array<float, SlotCount> PointY{};
    std::array<float, SlotCount> SavedX{};
    std::array<float, SlotCount> SavedY{};
    std::array<qint16, SlotCount> PointXSet{};
    std::array<qint16, SlotCount> PointYSet{};
    std::array<float, SlotCount> MoveStartY{};

    // Written by computeLayout().
    PlotLayout layout;

    // Gesture state of the mouse editing.
    qint32 DragIndex = 0;
    qint32 CurveMoving = 0;
    float MoveStartMouseY = 0;
    float MoveMouseY = 0;
    float DragStartX = 0; // the grabbed point where the press found it
    float DragStartY = 0;
    qint32 DropArgument = 0;

    qint16 PaintEnabled = 0;

    // Child controls, owned by the control through Qt's parent tree.
    platform::DrawingSurface* Picture_Curve = nullptr;
    QLineEdit* Text_Value_XY = nullptr;
    QLineEdit* Text_Value_X = nullptr;
    QLineEdit* Text_Value_Y = nullptr;
    QLabel* Label_Value_X = nullptr;
    QLabel* Label_Value_Y = nullptr;
    SettingsPanel* settingsPanel = nullptr;

    /** Slots that the drawing and mouse routines address: 0 to Dimensions - 1, never past slot 63. */
    int slotsInUse() const { return std::clamp(Dimensions, 0, SlotCount); }
    /** True when slot @p i is in use by the host's rule: i < Dimensions, then i >= 0. */
    bool inUse(qint32 i) const { return i < Dimensions && i >= 0; }
    /** True when the line between the points is drawn: HideLine is 0 and the host has given both
     * coordinates of every point in use. */
    bool lineDrawn() const
    {
        const int count = slotsInUse();
        int complete = 0;
        while (complete < count && PointXSet[complete] != 0 && PointYSet[complete] != 0)
            ++complete;
        return complete == count && HideLine == 0;
    }
    /** The value-to-pixel mapping of the current layout and axes. */
    PlotMapping mapping() const { return PlotMapping(layout, X_Axis_Left, Y_Axis_Bottom); }

    // Curve.cpp
    void createChildren();
    void initialize();
    void applyBackColor();
    void rePaint();
    void showHandler();

    // Layout.cpp
    void resizeHandler();
    void computeLayout();

    // PaintControl.cpp: the paint pass. PaintMarks.cpp: its limit lines and actual-value marker.
    void paintControl();
    void drawLimitLines();
    void drawActualValue();

    // CurveXor.cpp
    void drawCurveXor();

    // MouseEditing.cpp
    void mousePress(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseRelease(int button, int shift, float x, float y);

    // SettingsPanel.cpp
    void settingChanged(int index, const QString& text);
};

} // namespace knotel

#endif
