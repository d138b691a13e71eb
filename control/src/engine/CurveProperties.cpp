// The properties of the late-bound face over the engine's state parts: each accessor keeps the few
// rules a property write has of its own, and reports what changed. A typed write stores what it is
// given, as the layout and the paint pass deal with whatever they find; the faces that convert a
// host's numbers (late-bound, QML, Python) refuse what does not fit before it gets here.
#include "engine/CurveEngine.h"

#include "numbers/NumberConversion.h"
#include "platform/Canvas.h"

#include <knotel/RuntimeError.h>

#include <array>
#include <cstring>
#include <span>

namespace knotel {

namespace {

/** True when @p a and @p b differ bit for bit (-0 from 0 included). */
template <class T> bool differ(const T& a, const T& b)
{
    return std::memcmp(&a, &b, sizeof(T)) != 0;
}

/** Stores @p value into @p field; true when that changed it. */
template <class T> bool store(T& field, const T& value)
{
    const bool changes = differ(field, value);
    field = value;
    return changes;
}

bool store(QString& field, const QString& value)
{
    const bool same = field == value;
    field = value;
    return !same;
}

/** Runs @p access on a point property, its error naming @p member. */
template <class Access> auto pointProperty(const char* member, Access&& access)
{
    try {
        return access();
    } catch (const RuntimeError& error) {
        throw error.inMember(QLatin1String(member));
    }
}

} // namespace

// Plain stored properties.
#define KNOTEL_STORED_PROPERTY(Type, Name)                                                                   \
    Type CurveEngine::Name() const                                                                           \
    {                                                                                                        \
        return m_settings.Name;                                                                              \
    }                                                                                                        \
    void CurveEngine::set##Name(Type value)                                                                  \
    {                                                                                                        \
        if (store(m_settings.Name, value))                                                                   \
            changed(Change::Name);                                                                           \
        (void)report();                                                                                      \
    }
#define KNOTEL_STORED_SINGLE(Name)                                                                           \
    float CurveEngine::Name() const                                                                          \
    {                                                                                                        \
        return m_settings.Name;                                                                              \
    }                                                                                                        \
    void CurveEngine::set##Name(float value)                                                                 \
    {                                                                                                        \
        if (store(m_settings.Name, value))                                                                   \
            changed(Change::Name);                                                                           \
        (void)report();                                                                                      \
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
KNOTEL_STORED_SINGLE(X_Axis_Left)
KNOTEL_STORED_SINGLE(X_Axis_Right)
KNOTEL_STORED_SINGLE(Y_Axis_Top)
KNOTEL_STORED_SINGLE(Y_Axis_Bottom)
KNOTEL_STORED_PROPERTY(qint32, BreakPointShape)
KNOTEL_STORED_SINGLE(X_Step)
KNOTEL_STORED_SINGLE(Y_Step)
KNOTEL_STORED_PROPERTY(qint32, CurveColor)
KNOTEL_STORED_PROPERTY(qint32, GridColor)
KNOTEL_STORED_PROPERTY(qint32, AxisColor)
KNOTEL_STORED_PROPERTY(qint32, TextColor)
KNOTEL_STORED_PROPERTY(qint32, ActualValueColor)

#undef KNOTEL_STORED_SINGLE
#undef KNOTEL_STORED_PROPERTY

#define KNOTEL_STORED_TEXT(Name)                                                                             \
    QString CurveEngine::Name() const                                                                        \
    {                                                                                                        \
        return m_settings.Name;                                                                              \
    }                                                                                                        \
    void CurveEngine::set##Name(const QString& value)                                                        \
    {                                                                                                        \
        if (store(m_settings.Name, value))                                                                   \
            changed(Change::Name);                                                                           \
        (void)report();                                                                                      \
    }
KNOTEL_STORED_TEXT(CurveCaption)
KNOTEL_STORED_TEXT(X_AxisText)
KNOTEL_STORED_TEXT(Y_AxisText)
#undef KNOTEL_STORED_TEXT

// Flags that a write normalises: any non-zero value reads back as -1.
qint32 CurveEngine::ViewTracker() const
{
    return m_settings.ViewTracker ? -1 : 0;
}
void CurveEngine::setViewTracker(qint32 value)
{
    if (store(m_settings.ViewTracker, value != 0))
        changed(Change::ViewTracker);
    (void)report();
}
qint32 CurveEngine::HideLine() const
{
    return m_settings.HideLine ? -1 : 0;
}
void CurveEngine::setHideLine(qint32 value)
{
    if (store(m_settings.HideLine, value != 0))
        changed(Change::HideLine);
    (void)report();
}

// Values that exist once written; they read 0 before, and a first write of 0 changes no reading.
#define KNOTEL_WRITTEN_ONCE(Name)                                                                            \
    float CurveEngine::Name() const                                                                          \
    {                                                                                                        \
        return m_settings.Name.value_or(0.0f);                                                               \
    }                                                                                                        \
    void CurveEngine::set##Name(float value)                                                                 \
    {                                                                                                        \
        const float before = Name();                                                                         \
        m_settings.Name = value;                                                                             \
        if (differ(before, *m_settings.Name))                                                                \
            changed(Change::Name);                                                                           \
        (void)report();                                                                                      \
    }
KNOTEL_WRITTEN_ONCE(Y_DashedLine_Top)
KNOTEL_WRITTEN_ONCE(Y_DashedLine_Bottom)
KNOTEL_WRITTEN_ONCE(Actual_Value_X)
KNOTEL_WRITTEN_ONCE(Actual_Value_Y)
#undef KNOTEL_WRITTEN_ONCE

// BackColor erases the picture to the new colour at once; the shell recolours what it shows.
qint32 CurveEngine::BackColor() const
{
    return m_settings.BackColor;
}
void CurveEngine::setBackColor(qint32 value)
{
    const bool differs = store(m_settings.BackColor, value);
    m_canvas.setBackColor(value);
    if (differs)
        changed(Change::BackColor);
    (void)report();
}

// The point table, addressed through ValueIndex. Every host write of points empties the history,
// which holds the person's edits of the points the host gave last.
qint32 CurveEngine::Dimensions() const
{
    return m_points.dimensions();
}
void CurveEngine::setDimensions(qint32 value)
{
    clearHistory();
    if (value != m_points.dimensions())
        changed(Change::Dimensions);
    m_points.setDimensions(value);
    pointsMayHaveChanged();
    (void)report();
}
float CurveEngine::ValueIndex() const
{
    return float(m_points.index());
}
void CurveEngine::setValueIndex(float value)
{
    qint32 index = 0;
    try {
        index = roundToInt32(value); // keeps the old index beyond 32 bits
    } catch (const RuntimeError& error) {
        throw error.inMember(QStringLiteral("ValueIndex"));
    }
    if (index != m_points.index())
        changed(Change::ValueIndex);
    m_points.setIndex(index);
    pointsMayHaveChanged();
    (void)report();
}
float CurveEngine::X_Knotel() const
{
    return pointProperty("X_Knotel", [this] { return m_points.x(); });
}
void CurveEngine::setX_Knotel(float value)
{
    if (pointProperty("X_Knotel", [&] { return m_points.setX(value); }))
        clearHistory();
    pointsMayHaveChanged();
    (void)report();
}
float CurveEngine::Y_Knotel() const
{
    return pointProperty("Y_Knotel", [this] { return m_points.y(); });
}
void CurveEngine::setY_Knotel(float value)
{
    if (pointProperty("Y_Knotel", [&] { return m_points.setY(value); }))
        clearHistory();
    pointsMayHaveChanged();
    (void)report();
}
qint32 CurveEngine::Changed() const
{
    return pointProperty("Changed", [this] { return m_points.changed() ? -1 : 0; });
}
void CurveEngine::setChanged(qint32 value)
{
    pointProperty("Changed", [&] { m_points.setChanged(value != 0); });
    pointsMayHaveChanged();
    (void)report();
}

// The point list, over the same table.
QList<QPointF> CurveEngine::pointList() const
{
    QList<QPointF> list;
    list.reserve(m_points.slotsInUse());
    for (int i = 0; i < m_points.slotsInUse(); ++i)
        list.append(QPointF(m_points.pointX(i), m_points.pointY(i)));
    return list;
}
void CurveEngine::setPointList(const QList<QPointF>& list)
{
    if (list.size() > SlotCount)
        throw RuntimeError(
            RuntimeError::SubscriptOutOfRange,
            QStringLiteral("%1 points, at most %2 can be given").arg(list.size()).arg(SlotCount));
    // Every coordinate is converted before the first is stored: a failing one changes nothing.
    std::array<float, SlotCount> xs{};
    std::array<float, SlotCount> ys{};
    const auto count = std::size_t(list.size());
    for (std::size_t i = 0; i < count; ++i) {
        const auto single = [i](double v, char axis) {
            try {
                return toSingleOrThrow(v);
            } catch (const RuntimeError& error) {
                throw error.inMember(QStringLiteral("%1 of point %2").arg(QLatin1Char(axis)).arg(i));
            }
        };
        xs[i] = single(list[qsizetype(i)].x(), 'X');
        ys[i] = single(list[qsizetype(i)].y(), 'Y');
    }
    const qint32 dimensions = m_points.dimensions();
    m_points.setPoints(std::span(xs).first(count), std::span(ys).first(count));
    if (m_points.dimensions() != dimensions)
        changed(Change::Dimensions);
    clearHistory();
    pointsMayHaveChanged();
    (void)report();
}
QList<int> CurveEngine::changedPoints() const
{
    QList<int> changed;
    for (int i = 0; i < m_points.slotsInUse(); ++i) {
        if (m_points.pointChanged(i))
            changed.append(i);
    }
    return changed;
}
void CurveEngine::acceptChanges()
{
    for (int i = 0; i < m_points.slotsInUse(); ++i)
        m_points.acceptPoint(i);
    pointsMayHaveChanged();
    (void)report();
}
void CurveEngine::setPointStraight(int slot, std::optional<float> x, std::optional<float> y)
{
    if (slot < 0 || slot >= SlotCount)
        return;
    if (x)
        m_points.movePointX(slot, *x);
    if (y)
        m_points.movePointY(slot, *y);
    clearHistory();
    pointsMayHaveChanged();
    (void)report();
}

void CurveEngine::setValueEntryEnabled(bool enabled)
{
    if (store(m_valueEntryEnabled, enabled))
        changed(Change::ValueEntryEnabled);
    (void)report();
}

} // namespace knotel
