#ifndef KNOTEL_EDITRULES_H
#define KNOTEL_EDITRULES_H

#include <optional>

namespace knotel {

class CurvePainter;
class PointTable;
struct CurveSettings;
struct DragGesture;
struct PlotLayout;

/**
 * Puts the point at @p slot at (@p x, @p y), no rules applied: erases the figures that touch it
 * with @p painter, stores the coordinates and draws those figures again, as one screen update.
 * Moving a point to where it is draws nothing.
 */
void movePoint(PointTable& points, int slot, float x, float y, CurvePainter& painter);

/**
 * Moves the point at @p slot towards (@p x, @p y) as a drag does, under the host's rules: the
 * axis locks and end-point locks keep a coordinate, a coordinate that would pass an index
 * neighbour is refused (unless crossover is allowed), and a kept one is clamped to its axis range.
 * A coordinate that is nothing (the mouse's value is not a finite single) stays. The curve is
 * erased before and drawn after with @p painter whenever a coordinate may move.
 *
 * The last point, for the end-point locks and the right-hand neighbour, is the last slot in use,
 * min(Dimensions, 64) - 1: with Dimensions above 64 slot 63 ends the curve as drawn.
 */
void dragPoint(PointTable& points, const CurveSettings& settings, int slot, std::optional<float> x,
               std::optional<float> y, CurvePainter& painter);

/**
 * Shifts every point vertically by the mouse's way since the grab (@p gesture's start row to
 * @p mouseY), from the copy taken at the grab, so that no error builds up. The offset is limited
 * so that each point that lay within the plot's pixel rows at the grab stays within them; a point
 * the host stored outside them moves along and limits nothing. A move that would store a value
 * that is not a finite single (a zero or non-finite scale) changes nothing.
 */
void moveCurve(PointTable& points, const CurveSettings& settings, const PlotLayout& layout,
               DragGesture& gesture, float mouseY, CurvePainter& painter);

} // namespace knotel

#endif
