// The widget as assistive technology sees it: the drawing surface as the accessible chart, its
// points ahead of its child widgets, and the announcement of every drop.
#include "widget/CurveAccessible.h"

#include "accessibility/CurveChart.h"
#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>

#include <QAccessibleWidget>
#include <QWidget>

namespace knotel::accessibility {

namespace {

/** The control's state behind its drawing surface; null once the control is being destroyed. */
CurvePrivate* stateBehind(QWidget* surface)
{
    Curve* curve = surface ? qobject_cast<Curve*>(surface->parentWidget()) : nullptr;
    return curve ? CurvePrivate::get(curve) : nullptr;
}

/** The drawing surface as a chart: its points, then the surface's own child widgets. */
class ChartAccessible : public QAccessibleWidget, public CurveChart {
public:
    explicit ChartAccessible(QWidget* surface) : QAccessibleWidget(surface, QAccessible::Chart) {}

    bool isValid() const override { return QAccessibleWidget::isValid() && engine() != nullptr; }

    QString text(QAccessible::Text t) const override
    {
        const bool own =
            (t == QAccessible::Name && widget()->accessibleName().isEmpty()) || t == QAccessible::Description;
        return own && engine() ? chartText(t) : QAccessibleWidget::text(t);
    }

    int childCount() const override { return pointCount() + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override
    {
        const int points = pointCount();
        if (index < 0)
            return nullptr;
        return index < points ? point(index) : QAccessibleWidget::child(index - points);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        if (!child->object())
            return indexOfPoint(child);
        const int index = QAccessibleWidget::indexOfChild(child);
        return index < 0 ? -1 : index + pointCount();
    }
    QAccessibleInterface* focusChild() const override
    {
        QAccessibleInterface* p = focusedPoint();
        return p ? p : QAccessibleWidget::focusChild();
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        QAccessibleInterface* p = pointAt(x, y);
        return p ? p : QAccessibleWidget::childAt(x, y);
    }

    // CurveChart
    const CurveEngine* engine() const override
    {
        const CurvePrivate* d = stateBehind(widget());
        return d ? &d->engine : nullptr;
    }
    QAccessibleInterface* chartInterface() const override
    {
        return QAccessible::queryAccessibleInterface(widget());
    }
    QPoint toGlobal(QPoint pixel) const override { return widget()->mapToGlobal(pixel); }
    QWindow* chartWindow() const override { return widget()->window()->windowHandle(); }
    bool chartHasFocus() const override { return widget()->hasFocus(); }
};

QAccessibleInterface* chartFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String(DrawingSurface::staticMetaObject.className()))
        return nullptr;
    auto* surface = qobject_cast<DrawingSurface*>(object);
    return stateBehind(surface) ? new ChartAccessible(surface) : nullptr;
}

} // namespace

void setUp(CurvePrivate& c)
{
    static const bool installed = [] {
        QAccessible::installFactory(chartFactory);
        return true;
    }();
    Q_UNUSED(installed);

    QObject::connect(c.q, &Curve::DroppedValue, c.q,
                     [&c](int& index) { pointMoved(c.surface, c.engine, index); });
}

} // namespace knotel::accessibility
