// The properties of the late-bound face over the engine's state parts: each accessor forwards to
// the part that owns the property, with the few rules a property write has of its own.
#include "engine/CurveEngine.h"

#include "numbers/NumberConversion.h"
#include "platform/Canvas.h"

#include <knotel/RuntimeError.h>

#include <array>
#include <span>

namespace knotel {

// Plain stored properties.
#define KNOTEL_STORED_PROPERTY(Type, Name)                                                                   \
    Type CurveEngine::Name() const                                                                           \
    {                                                                                                        \
        return settings.Name;                                                                                \
    }                                                                                                        \
    void CurveEngine::set##Name(Type value)                                                                  \
    {                                                                                                        \
        settings.Name = value;                                                                               \
    }

KNOTEL_STORED_PROPERTY(qint32, X_Decimals)
KNOTEL_STORED_PROPERTY(qint32, Y_Decimals)
KNOTEL_STORED_PROPERTY(qint32, DisableSave)
KNOTEL_STORED_PROPERTY(qint32, LockX_Axis)
KNOTEL_STORED_PROPERTY(qint32, LockY_Axis)
KNOTEL_STORED_PROPERTY(qint32, LockXEndPoints)
KNOTEL_STORED_PROPERTY(qint32, LockYEndPoints)
KNOTEL_STORED_PROPERTY(qint32, AllowXCrossover)
KNOTEL_STORED_PROPERTY(qint32, AllowYCrossover)
KNOTEL_STORED_PROPERTY(qint32, AllowCompleteCurveMove)
KNOTEL_STORED_PROPERTY(qint32, ViewGrid)
KNOTEL_STORED_PROPERTY(float, X_Axis_Left)
KNOTEL_STORED_PROPERTY(float, X_Axis_Right)
KNOTEL_STORED_PROPERTY(float, Y_Axis_Top)
KNOTEL_STORED_PROPERTY(float, Y_Axis_Bottom)
KNOTEL_STORED_PROPERTY(qint32, BreakPointShape)
KNOTEL_STORED_PROPERTY(float, X_Step)
KNOTEL_STORED_PROPERTY(float, Y_Step)
KNOTEL_STORED_PROPERTY(qint32, CurveColor)
KNOTEL_STORED_PROPERTY(qint32, GridColor)
KNOTEL_STORED_PROPERTY(qint32, AxisColor)
KNOTEL_STORED_PROPERTY(qint32, TextColor)
KNOTEL_STORED_PROPERTY(qint32, ActualValueColor)

#undef KNOTEL_STORED_PROPERTY

QString CurveEngine::CurveCaption() const
{
    return settings.CurveCaption;
}
void CurveEngine::setCurveCaption(const QString& value)
{
    settings.CurveCaption = value;
}
QString CurveEngine::X_AxisText() const
{
    return settings.X_AxisText;
}
void CurveEngine::setX_AxisText(const QString& value)
{
    settings.X_AxisText = value;
}
QString CurveEngine::Y_AxisText() const
{
    return settings.Y_AxisText;
}
void CurveEngine::setY_AxisText(const QString& value)
{
    settings.Y_AxisText = value;
}

// Flags that a write normalises: any non-zero value reads back as -1.
qint32 CurveEngine::ViewTracker() const
{
    return settings.ViewTracker ? -1 : 0;
}
void CurveEngine::setViewTracker(qint32 value)
{
    settings.ViewTracker = value != 0;
}
qint32 CurveEngine::HideLine() const
{
    return settings.HideLine ? -1 : 0;
}
void CurveEngine::setHideLine(qint32 value)
{
    settings.HideLine = value != 0;
}

// Values that exist once written; they read 0 before.
float CurveEngine::Y_DashedLine_Top() const
{
    return settings.Y_DashedLine_Top.value_or(0.0f);
}
void CurveEngine::setY_DashedLine_Top(float value)
{
    settings.Y_DashedLine_Top = value;
}
float CurveEngine::Y_DashedLine_Bottom() const
{
    return settings.Y_DashedLine_Bottom.value_or(0.0f);
}
void CurveEngine::setY_DashedLine_Bottom(float value)
{
    settings.Y_DashedLine_Bottom = value;
}
float CurveEngine::Actual_Value_X() const
{
    return settings.Actual_Value_X.value_or(0.0f);
}
void CurveEngine::setActual_Value_X(float value)
{
    settings.Actual_Value_X = value;
}
float CurveEngine::Actual_Value_Y() const
{
    return settings.Actual_Value_Y.value_or(0.0f);
}
void CurveEngine::setActual_Value_Y(float value)
{
    settings.Actual_Value_Y = value;
}

// BackColor erases the picture to the new colour at once; the shell recolours what it shows.
qint32 CurveEngine::BackColor() const
{
    return settings.BackColor;
}
void CurveEngine::setBackColor(qint32 value)
{
    settings.BackColor = value;
    canvas.setBackColor(value);
    m_client.backColorChanged(value);
}

// The point table, addressed through ValueIndex.
qint32 CurveEngine::Dimensions() const
{
    return points.dimensions();
}
void CurveEngine::setDimensions(qint32 value)
{
    // The history holds the person's edits of the points the host gave last: any write of points
    // empties it, as the point writes do.
    clearHistory();
    points.setDimensions(value);
}
float CurveEngine::ValueIndex() const
{
    return float(points.index());
}
void CurveEngine::setValueIndex(float value)
{
    points.setIndex(roundToInt32(value)); // throws 6 and keeps the old index beyond 32 bits
}
float CurveEngine::X_Knotel() const
{
    return points.x();
}
void CurveEngine::setX_Knotel(float value)
{
    if (points.setX(value))
        clearHistory();
}
float CurveEngine::Y_Knotel() const
{
    return points.y();
}
void CurveEngine::setY_Knotel(float value)
{
    if (points.setY(value))
        clearHistory();
}
qint32 CurveEngine::Changed() const
{
    return points.changed() ? -1 : 0;
}
void CurveEngine::setChanged(qint32 value)
{
    points.setChanged(value != 0);
}

// The point list, over the same table.
QList<QPointF> CurveEngine::pointList() const
{
    const PointTable& table = points;
    QList<QPointF> list;
    list.reserve(table.slotsInUse());
    for (int i = 0; i < table.slotsInUse(); ++i)
        list.append(QPointF(table.pointX(i), table.pointY(i)));
    return list;
}
void CurveEngine::setPointList(const QList<QPointF>& list)
{
    if (list.size() > SlotCount)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    // Every coordinate is converted before the first is stored: a failing one changes nothing.
    std::array<float, SlotCount> xs{};
    std::array<float, SlotCount> ys{};
    const auto count = std::size_t(list.size());
    for (std::size_t i = 0; i < count; ++i) {
        xs[i] = toSingleOrThrow(list[qsizetype(i)].x());
        ys[i] = toSingleOrThrow(list[qsizetype(i)].y());
    }
    points.setPoints(std::span(xs).first(count), std::span(ys).first(count));
    clearHistory();
}
QList<int> CurveEngine::changedPoints() const
{
    QList<int> changed;
    for (int i = 0; i < points.slotsInUse(); ++i) {
        if (points.pointChanged(i))
            changed.append(i);
    }
    return changed;
}
void CurveEngine::acceptChanges()
{
    for (int i = 0; i < points.slotsInUse(); ++i)
        points.acceptPoint(i);
}

void CurveEngine::setUndoEnabled(bool enabled)
{
    undoEnabled = enabled;
    if (!enabled)
        clearHistory();
}

} // namespace knotel
