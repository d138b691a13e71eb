// The Qt Quick item as assistive technology sees it: the accessible chart with its points, the
// same as the widget's drawing surface.
#include "QuickCurvePrivate.h"

#include "accessibility/CurveChart.h"

#include <QAccessibleObject>
#include <QPointer>
#include <QQuickWindow>

namespace knotel {

namespace {

class QuickChartAccessible : public QAccessibleObject, public accessibility::CurveChart {
public:
    explicit QuickChartAccessible(QuickCurve* item) : QAccessibleObject(item), m_item(item) {}

    bool isValid() const override { return QAccessibleObject::isValid() && m_item; }
    QAccessible::Role role() const override { return QAccessible::Chart; }
    QString text(QAccessible::Text t) const override { return engine() ? chartText(t) : QString(); }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.focused = m_item && m_item->hasActiveFocus();
        s.invisible = !m_item || !m_item->isVisible();
        return s;
    }
    QRect rect() const override
    {
        if (!m_item || !m_item->window())
            return {};
        const QRectF scene = m_item->mapRectToScene(m_item->boundingRect());
        return QRect(m_item->window()->mapToGlobal(scene.topLeft().toPoint()), scene.size().toSize());
    }
    QWindow* window() const override { return chartWindow(); }
    QAccessibleInterface* parent() const override
    {
        if (!m_item)
            return nullptr;
        if (QQuickItem* parentItem = m_item->parentItem())
            return QAccessible::queryAccessibleInterface(parentItem);
        return m_item->window() ? QAccessible::queryAccessibleInterface(m_item->window()) : nullptr;
    }
    int childCount() const override { return pointCount(); }
    QAccessibleInterface* child(int index) const override { return point(index); }
    int indexOfChild(const QAccessibleInterface* child) const override { return indexOfPoint(child); }
    QAccessibleInterface* childAt(int x, int y) const override { return pointAt(x, y); }
    QAccessibleInterface* focusChild() const override { return focusedPoint(); }

    // CurveChart
    const CurveEngine* engine() const override
    {
        return m_item ? &QuickCurvePrivate::get(m_item)->engine : nullptr;
    }
    QAccessibleInterface* chartInterface() const override
    {
        return QAccessible::queryAccessibleInterface(m_item.data());
    }
    QPoint toGlobal(QPoint pixel) const override
    {
        if (!m_item || !m_item->window())
            return pixel;
        return m_item->window()->mapToGlobal(m_item->mapToScene(QPointF(pixel)).toPoint());
    }
    QWindow* chartWindow() const override { return m_item ? m_item->window() : nullptr; }
    bool chartHasFocus() const override { return m_item && m_item->hasActiveFocus(); }

private:
    QPointer<QuickCurve> m_item;
};

QAccessibleInterface* chartFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String(QuickCurve::staticMetaObject.className()))
        return nullptr;
    auto* item = qobject_cast<QuickCurve*>(object);
    return item ? new QuickChartAccessible(item) : nullptr;
}

} // namespace

void installQuickCurveAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(chartFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace knotel
