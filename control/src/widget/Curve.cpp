// The control's host interface: creation, the property accessors, RePaint and the Show and
// Resize hooks. Each accessor forwards to the part of the state that owns the property.
#include <knotel/Curve.h>

#include "widget/CurveAccessible.h"
#include "widget/CurvePrivate.h"
#include "NumberConversion.h"
#include "platform/Twips.h"

#include <knotel/RuntimeError.h>

#include <array>
#include <span>

namespace knotel {

namespace {

/** Design size of the control, in twips. */
constexpr int DesignWidthTwips = 9120;
constexpr int DesignHeightTwips = 7260;

} // namespace

Curve::Curve(QWidget* parent) : QWidget(parent), d(std::make_unique<CurvePrivate>(this))
{
    const auto twips = platform::TwipsPerPixel::of(this);
    resize(twips.toPixelsX(DesignWidthTwips), twips.toPixelsY(DesignHeightTwips));
    d->createChildren();
    d->initialize();
    d->connectKeyboard();
    accessibility::setUp(*d);
}

Curve::~Curve() = default;

QSize Curve::sizeHint() const
{
    const auto twips = platform::TwipsPerPixel::of(this);
    return QSize(twips.toPixelsX(DesignWidthTwips), twips.toPixelsY(DesignHeightTwips));
}

void Curve::RePaint()
{
    d->rePaint();
}

PlotLayout Curve::plotLayout() const
{
    return d->layout;
}

void Curve::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    d->resizeHandler();
}

void Curve::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    d->showHandler();
}

// Plain stored properties.
#define KNOTEL_STORED_PROPERTY(Type, Name)                                                                   \
    Type Curve::Name() const                                                                                 \
    {                                                                                                        \
        return d->settings.Name;                                                                             \
    }                                                                                                        \
    void Curve::set##Name(Type value)                                                                        \
    {                                                                                                        \
        d->settings.Name = value;                                                                            \
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

QString Curve::CurveCaption() const
{
    return d->settings.CurveCaption;
}
void Curve::setCurveCaption(const QString& value)
{
    d->settings.CurveCaption = value;
}
QString Curve::X_AxisText() const
{
    return d->settings.X_AxisText;
}
void Curve::setX_AxisText(const QString& value)
{
    d->settings.X_AxisText = value;
}
QString Curve::Y_AxisText() const
{
    return d->settings.Y_AxisText;
}
void Curve::setY_AxisText(const QString& value)
{
    d->settings.Y_AxisText = value;
}

// Flags that a write normalises: any non-zero value reads back as -1.
qint32 Curve::ViewTracker() const
{
    return d->settings.ViewTracker ? -1 : 0;
}
void Curve::setViewTracker(qint32 value)
{
    d->settings.ViewTracker = value != 0;
}
qint32 Curve::HideLine() const
{
    return d->settings.HideLine ? -1 : 0;
}
void Curve::setHideLine(qint32 value)
{
    d->settings.HideLine = value != 0;
}

// Values that exist once written; they read 0 before.
float Curve::Y_DashedLine_Top() const
{
    return d->settings.Y_DashedLine_Top.value_or(0.0f);
}
void Curve::setY_DashedLine_Top(float value)
{
    d->settings.Y_DashedLine_Top = value;
}
float Curve::Y_DashedLine_Bottom() const
{
    return d->settings.Y_DashedLine_Bottom.value_or(0.0f);
}
void Curve::setY_DashedLine_Bottom(float value)
{
    d->settings.Y_DashedLine_Bottom = value;
}
float Curve::Actual_Value_X() const
{
    return d->settings.Actual_Value_X.value_or(0.0f);
}
void Curve::setActual_Value_X(float value)
{
    d->settings.Actual_Value_X = value;
}
float Curve::Actual_Value_Y() const
{
    return d->settings.Actual_Value_Y.value_or(0.0f);
}
void Curve::setActual_Value_Y(float value)
{
    d->settings.Actual_Value_Y = value;
}

// BackColor recolours the surface, then the tracker box, at once.
qint32 Curve::BackColor() const
{
    return d->settings.BackColor;
}
void Curve::setBackColor(qint32 value)
{
    d->settings.BackColor = value;
    d->applyBackColor();
}

// The point table, addressed through ValueIndex.
qint32 Curve::Dimensions() const
{
    return d->points.dimensions();
}
void Curve::setDimensions(qint32 value)
{
    if (value != d->points.dimensions())
        d->clearHistory();
    d->points.setDimensions(value);
}
float Curve::ValueIndex() const
{
    return float(d->points.index());
}
void Curve::setValueIndex(float value)
{
    d->points.setIndex(roundToInt32(value)); // throws 6 and keeps the old index beyond 32 bits
}
float Curve::X_Knotel() const
{
    return d->points.x();
}
void Curve::setX_Knotel(float value)
{
    if (d->points.setX(value))
        d->clearHistory();
}
float Curve::Y_Knotel() const
{
    return d->points.y();
}
void Curve::setY_Knotel(float value)
{
    if (d->points.setY(value))
        d->clearHistory();
}
qint32 Curve::Changed() const
{
    return d->points.changed() ? -1 : 0;
}
void Curve::setChanged(qint32 value)
{
    d->points.setChanged(value != 0);
}

// The point list, over the same table.
QList<QPointF> Curve::points() const
{
    const PointTable& table = d->points;
    QList<QPointF> list;
    list.reserve(table.slotsInUse());
    for (int i = 0; i < table.slotsInUse(); ++i)
        list.append(QPointF(table.pointX(i), table.pointY(i)));
    return list;
}
void Curve::setPoints(const QList<QPointF>& points)
{
    if (points.size() > SlotCount)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    // Every coordinate is converted before the first is stored: a failing one changes nothing.
    std::array<float, SlotCount> xs{};
    std::array<float, SlotCount> ys{};
    const auto count = std::size_t(points.size());
    for (std::size_t i = 0; i < count; ++i) {
        xs[i] = toSingleOrThrow(points[qsizetype(i)].x());
        ys[i] = toSingleOrThrow(points[qsizetype(i)].y());
    }
    d->points.setPoints(std::span(xs).first(count), std::span(ys).first(count));
    d->clearHistory();
}
QList<int> Curve::changedPoints() const
{
    QList<int> changed;
    for (int i = 0; i < d->points.slotsInUse(); ++i) {
        if (d->points.pointChanged(i))
            changed.append(i);
    }
    return changed;
}
void Curve::acceptChanges()
{
    for (int i = 0; i < d->points.slotsInUse(); ++i)
        d->points.acceptPoint(i);
}

QUndoStack* Curve::undoStack() const
{
    return d->undoStack;
}

bool Curve::isUndoEnabled() const
{
    return d->undoEnabled;
}

void Curve::setUndoEnabled(bool enabled)
{
    d->undoEnabled = enabled;
    if (!enabled)
        d->clearHistory();
}

bool Curve::isValueEntryEnabled() const
{
    return d->valueEntryEnabled;
}

void Curve::setValueEntryEnabled(bool enabled)
{
    d->valueEntryEnabled = enabled;
    if (!enabled)
        d->closeValueEditor(false);
}

QWidget* Curve::widget()
{
    return this;
}

} // namespace knotel
