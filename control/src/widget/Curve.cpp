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
    // Through the public interface, like a host: places the children and computes the first
    // layout; the paint pass does nothing yet.
    d->engine.start([this] { RePaint(); });
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
    return d->engine.layout();
}

QPointF Curve::positionOf(int index) const
{
    return d->engine.positionOf(index);
}

QPointF Curve::valueAt(const QPointF& position) const
{
    return d->engine.valueAt(position);
}

void Curve::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    d->resizeHandler();
}

void Curve::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    d->engine.paintControl();
}

// The properties forward to the engine, which owns their rules.
#define KNOTEL_FORWARD_PROPERTY(Type, Name, qmlName, Argument)                                               \
    Type Curve::Name() const                                                                                 \
    {                                                                                                        \
        return d->engine.Name();                                                                             \
    }                                                                                                        \
    void Curve::set##Name(Argument value)                                                                    \
    {                                                                                                        \
        d->engine.set##Name(value);                                                                          \
    }
KNOTEL_CURVE_PROPERTIES(KNOTEL_FORWARD_PROPERTY)
#undef KNOTEL_FORWARD_PROPERTY

QList<QPointF> Curve::points() const
{
    return d->engine.pointList();
}

void Curve::setPoints(const QList<QPointF>& points)
{
    d->engine.setPointList(points);
}

QList<int> Curve::changedPoints() const
{
    return d->engine.changedPoints();
}

void Curve::acceptChanges()
{
    d->engine.acceptChanges();
}

QUndoStack* Curve::undoStack() const
{
    return d->engine.undoStack();
}

// The properties beside the late-bound face, forwarded as well.
#define KNOTEL_FORWARD_SWITCH(Type, name, Name, getter)                                                      \
    Type Curve::getter() const                                                                               \
    {                                                                                                        \
        return d->engine.name();                                                                             \
    }                                                                                                        \
    void Curve::set##Name(Type value)                                                                        \
    {                                                                                                        \
        d->engine.set##Name(value);                                                                          \
    }
KNOTEL_CURVE_SWITCHES(KNOTEL_FORWARD_SWITCH)
#undef KNOTEL_FORWARD_SWITCH

QString Curve::copyPoints() const
{
    return d->engine.copyText();
}

bool Curve::pastePoints(const QString& text)
{
    return d->engine.pastePoints(text, false);
}

QWidget* Curve::widget()
{
    return this;
}

} // namespace knotel
