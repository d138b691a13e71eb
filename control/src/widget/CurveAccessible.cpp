// The control as assistive technology sees it: the drawing surface as a chart with one child
// per point in use, and the events that announce a moved point or a newly current one. The
// other child widgets carry their object names as accessible names from their creation.
#include "widget/CurveAccessible.h"

#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>
#include <knotel/FormatValue.h>
#include <knotel/RuntimeError.h>

#include <QAccessibleWidget>
#include <QWidget>

#include <array>
#include <cmath>

namespace knotel::accessibility {

namespace {

/** Half the side of a point's accessible rectangle: the pick distance of the mouse. */
constexpr int PointHalf = 4;

/** @p v as the control shows it with @p decimals, without the "+" that a reader would speak. */
QString spokenValue(float v, qint32 decimals)
{
    QString text;
    try {
        text = FormatValue(v, decimals);
    } catch (const RuntimeError&) {
        text = singleText(v); // decimals the control cannot show
    }
    if (text.startsWith(QLatin1Char('+')))
        text.remove(0, 1);
    return text;
}

/** The control's state behind its drawing surface; null once the control is being destroyed. */
CurvePrivate* stateBehind(QWidget* surface)
{
    Curve* curve = surface ? qobject_cast<Curve*>(surface->parentWidget()) : nullptr;
    return curve ? CurvePrivate::get(curve) : nullptr;
}

class ChartAccessible;

/** One point of the curve: no object of its own, it lives as long as its chart's interface. */
class PointAccessible : public QAccessibleInterface {
public:
    PointAccessible(QWidget* surface, int slot) : m_surface(surface), m_slot(slot) {}

    bool isValid() const override
    {
        const CurvePrivate* c = stateBehind(m_surface);
        return c && m_slot < c->points.slotsInUse();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_surface->window()->windowHandle(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_surface); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        const CurvePrivate* c = stateBehind(m_surface);
        if (!c || m_slot >= c->points.slotsInUse())
            return {};
        switch (t) {
        case QAccessible::Name:
            return QStringLiteral("Point %1").arg(m_slot);
        case QAccessible::Value:
            return pointValue(*c, m_slot);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        const CurvePrivate* c = stateBehind(m_surface);
        if (!c || m_slot >= c->points.slotsInUse())
            return {};
        const PlotMapping map = c->mapping();
        const double x = map.pixelX(c->points.pointX(m_slot));
        const double y = map.pixelY(c->points.pointY(m_slot));
        if (!(std::fabs(x) < 1e6 && std::fabs(y) < 1e6))
            return {};
        const QPoint centre = m_surface->mapToGlobal(QPoint(qRound(x), qRound(y)));
        return QRect(centre.x() - PointHalf, centre.y() - PointHalf, 2 * PointHalf + 1, 2 * PointHalf + 1);
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.selectable = true;
        const CurvePrivate* c = stateBehind(m_surface);
        if (c && c->currentPoint() == m_slot) {
            s.selected = true;
            s.focused = m_surface->hasFocus();
        }
        if (rect().isNull())
            s.invisible = true;
        return s;
    }

    int slot() const { return m_slot; }

private:
    QWidget* const m_surface;
    const int m_slot;
};

/**
 * The drawing surface as a chart. Children 0 to n - 1 are the points in use, created when first
 * asked for and registered with Qt's cache; the surface's own child widgets follow them.
 */
class ChartAccessible : public QAccessibleWidget {
public:
    explicit ChartAccessible(QWidget* surface) : QAccessibleWidget(surface, QAccessible::Chart) {}
    ~ChartAccessible() override
    {
        for (QAccessible::Id id : m_points) {
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    bool isValid() const override { return QAccessibleWidget::isValid() && curve() != nullptr; }

    QString text(QAccessible::Text t) const override
    {
        const CurvePrivate* c = curve();
        if (!c || (t == QAccessible::Name && !widget()->accessibleName().isEmpty()))
            return QAccessibleWidget::text(t);
        switch (t) {
        case QAccessible::Name:
            return c->settings.CurveCaption;
        case QAccessible::Description: {
            const CurveSettings& s = c->settings;
            return QStringLiteral("X axis %1 from %2 to %3, Y axis %4 from %5 to %6")
                .arg(s.X_AxisText, spokenValue(s.X_Axis_Left, s.X_Decimals),
                     spokenValue(s.X_Axis_Right, s.X_Decimals), s.Y_AxisText,
                     spokenValue(s.Y_Axis_Bottom, s.Y_Decimals), spokenValue(s.Y_Axis_Top, s.Y_Decimals));
        }
        default:
            return QAccessibleWidget::text(t);
        }
    }

    int childCount() const override { return pointCount() + QAccessibleWidget::childCount(); }

    QAccessibleInterface* child(int index) const override
    {
        const int points = pointCount();
        if (index < 0)
            return nullptr;
        if (index >= points)
            return QAccessibleWidget::child(index - points);
        QAccessible::Id& id = m_points[std::size_t(index)];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new PointAccessible(widget(), index));
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        if (!child->object()) {
            for (int i = 0; i < pointCount(); ++i) {
                const QAccessible::Id id = m_points[std::size_t(i)];
                if (id != 0 && QAccessible::accessibleInterface(id) == child)
                    return i;
            }
            return -1;
        }
        const int index = QAccessibleWidget::indexOfChild(child);
        return index < 0 ? -1 : index + pointCount();
    }

    QAccessibleInterface* focusChild() const override
    {
        const CurvePrivate* c = curve();
        if (c && widget()->hasFocus() && c->currentPoint() >= 0)
            return child(c->currentPoint());
        return QAccessibleWidget::focusChild();
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < pointCount(); ++i) {
            QAccessibleInterface* point = child(i);
            if (point && point->rect().contains(x, y))
                return point;
        }
        return QAccessibleWidget::childAt(x, y);
    }

private:
    const CurvePrivate* curve() const { return stateBehind(widget()); }
    int pointCount() const
    {
        const CurvePrivate* c = curve();
        return c ? c->points.slotsInUse() : 0;
    }

    mutable std::array<QAccessible::Id, SlotCount> m_points{};
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

    QObject::connect(c.q, &Curve::DroppedValue, c.q, [&c](int& index) { pointMoved(c, index); });
}

void pointMoved(CurvePrivate& c, int index)
{
    if (!QAccessible::isActive())
        return;
    const int count = c.points.slotsInUse();
    const int first = index < 0 ? 0 : index;
    const int last = index < 0 ? count - 1 : index;
    for (int i = first; i <= last && i < count; ++i) {
        QAccessibleValueChangeEvent event(c.surface, pointValue(c, i));
        event.setChild(i);
        QAccessible::updateAccessibility(&event);
    }
}

void currentPointChanged(CurvePrivate& c, int index)
{
    if (!QAccessible::isActive() || !c.surface->hasFocus() || index < 0 || index >= c.points.slotsInUse())
        return;
    QAccessibleEvent event(c.surface, QAccessible::Focus);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

QString pointValue(const CurvePrivate& c, int i)
{
    return QStringLiteral("x %1, y %2")
        .arg(spokenValue(c.points.pointX(i), c.settings.X_Decimals),
             spokenValue(c.points.pointY(i), c.settings.Y_Decimals));
}

} // namespace knotel::accessibility
