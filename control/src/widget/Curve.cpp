// The control's host interface: creation, the property accessors, RePaint and the Show and
// Resize hooks. Each accessor forwards to the part of the state that owns the property.
#include <knotel/Curve.h>

#include "numbers/NumberConversion.h"
#include "widget/CurveAccessible.h"
#include "widget/CurvePrivate.h"
#include "widget/TwipsPlacement.h"

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
    const auto twips = twipsOf(this);
    resize(twips.toPixelsX(DesignWidthTwips), twips.toPixelsY(DesignHeightTwips));
    d->createChildren();
    d->initialize();
    accessibility::setUp(*d);
}

Curve::~Curve() = default;

QSize Curve::sizeHint() const
{
    const auto twips = twipsOf(this);
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

// The properties forward to the engine, which owns their rules.
#define KNOTEL_FORWARD_PROPERTY(Type, Name, qmlName, Argument)                                               \
    Type Curve::Name() const                                                                                 \
    {                                                                                                        \
        return d->Name();                                                                                    \
    }                                                                                                        \
    void Curve::set##Name(Argument value)                                                                    \
    {                                                                                                        \
        d->set##Name(value);                                                                                 \
    }
KNOTEL_CURVE_PROPERTIES(KNOTEL_FORWARD_PROPERTY)
#undef KNOTEL_FORWARD_PROPERTY

QList<QPointF> Curve::points() const
{
    return d->pointList();
}

void Curve::setPoints(const QList<QPointF>& points)
{
    d->setPointList(points);
}

QList<int> Curve::changedPoints() const
{
    return d->changedPoints();
}

void Curve::acceptChanges()
{
    d->acceptChanges();
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
    d->setUndoEnabled(enabled);
}

int Curve::undoLimit() const
{
    return d->undoLimit();
}

void Curve::setUndoLimit(int limit)
{
    d->setUndoLimit(limit);
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
