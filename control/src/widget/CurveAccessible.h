#ifndef KNOTEL_CURVEACCESSIBLE_H
#define KNOTEL_CURVEACCESSIBLE_H

namespace knotel {

class CurvePrivate;

/**
 * The widget as assistive technology sees it: its drawing surface is the accessible chart (see
 * accessibility/CurveChart.h) with the surface's child widgets after the points. The tracker and
 * settings widgets are named after their object names where they are created.
 */
namespace accessibility {

/** Registers the widget chart's interface factory with Qt (the first call only) and announces the
 *  points that every drop of @p c moved. */
void setUp(CurvePrivate& c);

} // namespace accessibility

} // namespace knotel

#endif
