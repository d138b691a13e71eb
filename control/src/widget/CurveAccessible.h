#ifndef KNOTEL_CURVEACCESSIBLE_H
#define KNOTEL_CURVEACCESSIBLE_H

#include <QString>

namespace knotel {

class CurvePrivate;

/**
 * What assistive technology sees of the control. The drawing surface is a chart named after the
 * caption and described by its axes, with one child per point in use ("Point 3", value
 * "x -10, y 52") ahead of its child widgets; the current point is the focused and selected
 * child while the surface has focus. The tracker and settings widgets are named after their
 * object names where they are created.
 */
namespace accessibility {

/** Registers the chart's interface factory with Qt (the first call only) and announces the points
 *  that every drop of @p c moved. */
void setUp(CurvePrivate& c);

/** Announces the new value of point @p index, or of every point in use for -1. */
void pointMoved(CurvePrivate& c, int index);

/** Announces point @p index as the newly focused child. */
void currentPointChanged(CurvePrivate& c, int index);

/** The value of point @p i: "x -10, y 52" in the axes' decimals. */
QString pointValue(const CurvePrivate& c, int i);

} // namespace accessibility

} // namespace knotel

#endif
