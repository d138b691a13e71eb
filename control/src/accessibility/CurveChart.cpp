// The accessible chart's points, shared by the widget and the Qt Quick item: their texts, places
// and states from the engine, and the events that announce a moved point or a newly current one.
#include "accessibility/CurveChart.h"

#include "engine/CurveEngine.h"

#include <knotel/FormatValue.h>
#include <knotel/RuntimeError.h>

#include <QCoreApplication>

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

/** One point of the curve: no object of its own, it lives as long as its chart's interface. */
class PointAccessible : public QAccessibleInterface {
public:
    PointAccessible(const CurveChart& chart, int slot) : m_chart(chart), m_slot(slot) {}

    bool isValid() const override { return engine() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_chart.chartWindow(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return m_chart.chartInterface(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        const CurveEngine* c = engine();
        if (!c)
            return {};
        switch (t) {
        case QAccessible::Name:
            return QCoreApplication::translate("knotel::Curve", "Point %1").arg(m_slot);
        case QAccessible::Value:
            return pointValue(*c, m_slot);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        const CurveEngine* c = engine();
        if (!c)
            return {};
        const PlotMapping map = c->mapping();
        const double x = map.pixelX(c->points().pointX(m_slot));
        const double y = map.pixelY(c->points().pointY(m_slot));
        if (!(std::fabs(x) < 1e6 && std::fabs(y) < 1e6))
            return {};
        const QPoint centre = m_chart.toGlobal(QPoint(qRound(x), qRound(y)));
        return QRect(centre.x() - PointHalf, centre.y() - PointHalf, 2 * PointHalf + 1, 2 * PointHalf + 1);
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.selectable = true;
        const CurveEngine* c = engine();
        if (c && c->currentPoint() == m_slot) {
            s.selected = true;
            s.focused = m_chart.chartHasFocus();
        }
        if (rect().isNull())
            s.invisible = true;
        return s;
    }

private:
    /** The engine while this point is in use. */
    const CurveEngine* engine() const
    {
        const CurveEngine* c = m_chart.engine();
        return c && m_slot < c->points().slotsInUse() ? c : nullptr;
    }

    const CurveChart& m_chart;
    const int m_slot;
};

} // namespace

CurveChart::~CurveChart()
{
    for (QAccessible::Id id : m_points) {
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
    }
}

int CurveChart::pointCount() const
{
    const CurveEngine* c = engine();
    return c ? c->points().slotsInUse() : 0;
}

QAccessibleInterface* CurveChart::point(int index) const
{
    if (index < 0 || index >= pointCount())
        return nullptr;
    QAccessible::Id& id = m_points[std::size_t(index)];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(new PointAccessible(*this, index));
    return QAccessible::accessibleInterface(id);
}

int CurveChart::indexOfPoint(const QAccessibleInterface* child) const
{
    for (int i = 0; i < pointCount(); ++i) {
        const QAccessible::Id id = m_points[std::size_t(i)];
        if (id != 0 && QAccessible::accessibleInterface(id) == child)
            return i;
    }
    return -1;
}

QAccessibleInterface* CurveChart::pointAt(int x, int y) const
{
    for (int i = 0; i < pointCount(); ++i) {
        QAccessibleInterface* p = point(i);
        if (p && p->rect().contains(x, y))
            return p;
    }
    return nullptr;
}

QAccessibleInterface* CurveChart::focusedPoint() const
{
    const CurveEngine* c = engine();
    return c && chartHasFocus() && c->currentPoint() >= 0 ? point(c->currentPoint()) : nullptr;
}

QString CurveChart::chartText(QAccessible::Text t) const
{
    const CurveEngine* c = engine();
    if (!c)
        return {};
    const CurveSettings& s = c->settings();
    switch (t) {
    case QAccessible::Name:
        return s.CurveCaption;
    case QAccessible::Description:
        return QCoreApplication::translate("knotel::Curve",
                                           "X axis %1 from %2 to %3, Y axis %4 from %5 to %6")
            .arg(s.X_AxisText, spokenValue(s.X_Axis_Left, s.X_Decimals),
                 spokenValue(s.X_Axis_Right, s.X_Decimals), s.Y_AxisText,
                 spokenValue(s.Y_Axis_Bottom, s.Y_Decimals), spokenValue(s.Y_Axis_Top, s.Y_Decimals));
    default:
        return {};
    }
}

QString pointValue(const CurveEngine& engine, int i)
{
    return QCoreApplication::translate("knotel::Curve", "x %1, y %2")
        .arg(spokenValue(engine.points().pointX(i), engine.settings().X_Decimals),
             spokenValue(engine.points().pointY(i), engine.settings().Y_Decimals));
}

void pointMoved(QObject* chart, const CurveEngine& engine, int index)
{
    if (!QAccessible::isActive())
        return;
    const int count = engine.points().slotsInUse();
    const int first = index < 0 ? 0 : index;
    const int last = index < 0 ? count - 1 : index;
    for (int i = first; i <= last && i < count; ++i) {
        QAccessibleValueChangeEvent event(chart, pointValue(engine, i));
        event.setChild(i);
        QAccessible::updateAccessibility(&event);
    }
}

void announce(QObject* chart, const CurveEngine& engine, Change what)
{
    // The keys' current point is the focused child while the chart has focus.
    if (what != Change::CurrentPoint || !engine.hasFocus() || !QAccessible::isActive())
        return;
    const int index = engine.currentPoint();
    if (index < 0)
        return;
    QAccessibleEvent event(chart, QAccessible::Focus);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

} // namespace knotel::accessibility
