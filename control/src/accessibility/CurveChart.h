#ifndef KNOTEL_ACCESSIBILITY_CURVECHART_H
#define KNOTEL_ACCESSIBILITY_CURVECHART_H

#include "engine/EngineClient.h"

#include <QAccessible>
#include <QString>

#include <array>

class QWindow;

namespace knotel {

class CurveEngine;

/**
 * What assistive technology sees of the control, in either shell: a chart named after the caption
 * and described by its axes, with one child per point in use ("Point 3", value "x -10, y 52")
 * ahead of the shell's own children; the current point is the focused and selected child while
 * the chart has focus.
 */
namespace accessibility {

/**
 * The points of a chart, for the accessible interface of a shell's chart object (the widget's
 * drawing surface, the Qt Quick item), which says where the engine is and how its pixels map to
 * the screen. The point interfaces live as long as the chart's.
 */
class CurveChart {
public:
    virtual ~CurveChart();

    /** The engine; null once the control is being destroyed. */
    virtual const CurveEngine* engine() const = 0;
    /** The chart's own interface: the points' parent. */
    virtual QAccessibleInterface* chartInterface() const = 0;
    /** A pixel of the plot on the screen. */
    virtual QPoint toGlobal(QPoint pixel) const = 0;
    virtual QWindow* chartWindow() const = 0;
    virtual bool chartHasFocus() const = 0;

    /** The number of points in use. */
    int pointCount() const;
    /** Point @p index, registered with Qt when first asked for. */
    QAccessibleInterface* point(int index) const;
    /** The index of @p child among the points; -1 when it is none of them. */
    int indexOfPoint(const QAccessibleInterface* child) const;
    /** The point under the screen position (@p x, @p y); null for none. */
    QAccessibleInterface* pointAt(int x, int y) const;
    /** The current point while the chart has focus; null otherwise. */
    QAccessibleInterface* focusedPoint() const;
    /** The chart's name (the caption) and description (the axes); an empty QString for other texts. */
    QString chartText(QAccessible::Text t) const;

private:
    mutable std::array<QAccessible::Id, 64> m_points{};
};

/** The value of point @p i: "x -10, y 52" in the axes' decimals. */
QString pointValue(const CurveEngine& engine, int i);

/** Announces the new value of point @p index, or of every point in use for -1, as a child of
 *  the chart object @p chart. */
void pointMoved(QObject* chart, const CurveEngine& engine, int index);

/** Announces to assistive technology what it hears of the engine's change @p what, as the chart
 *  object @p chart: a new current point as the newly focused child, while the chart has focus. */
void announce(QObject* chart, const CurveEngine& engine, Change what);

} // namespace accessibility

} // namespace knotel

#endif
