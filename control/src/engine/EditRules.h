#ifndef KNOTEL_EDITRULES_H
#define KNOTEL_EDITRULES_H

#include "engine/PointTable.h"

#include <array>
#include <optional>

namespace knotel {

class CurvePainter;
struct CurveSettings;
struct PlotLayout;

// The rules of an edit compute new coordinates and draw nothing; placePoint() and placeCurve()
// apply them, for the mouse, the keys, the value editor and undo alike.

/** Which coordinates of the point at @p slot a drag may change: the axis locks, and the end-point
 *  locks for the first and the last slot in use. */
struct FreeAxes {
    bool x = false;
    bool y = false;
};
FreeAxes freeAxes(const PointTable& points, const CurveSettings& settings, int slot);

/**
 * Where a drag towards (@p x, @p y) leaves the point at @p slot, under the host's rules: each
 * coordinate first goes to the nearest multiple of its axis's grid (snapX, snapY) when that is on;
 * then a locked coordinate stays, a coordinate that would pass an index neighbour stays (unless
 * crossover is allowed), and a taken one is clamped to its axis range, so an axis end wins over the
 * grid. A coordinate that is nothing (the mouse's value is not a finite single) stays. X and Y are
 * both tested against the point as it is. @p slot must be a slot in use.
 *
 * The last point, for the end-point locks and the right-hand neighbour, is the last slot in use,
 * min(Dimensions, 64) - 1: with Dimensions above 64 slot 63 ends the curve as drawn.
 */
PointPosition draggedPoint(const PointTable& points, const CurveSettings& settings, int slot,
                           std::optional<float> x, std::optional<float> y);

/** Where typed values leave a point: draggedPoint()'s answer, and which coordinate the rules kept
 *  although a value was given (a lock, or a neighbour it would pass). */
struct TypedPoint {
    PointPosition to;
    bool refusedX = false;
    bool refusedY = false;
};

/**
 * The rules of a drag applied to typed values, which are taken as typed, off any grid: a value
 * beyond the single range counts as the
 * largest single of its sign, so that clamping brings it to the axis end. A given value counts as
 * refused when the rules keep the coordinate though it asked for another value; a value that
 * clamping brings back to where the point is, is taken.
 */
TypedPoint typedPoint(const PointTable& points, const CurveSettings& settings, int slot,
                      std::optional<double> x, std::optional<double> y);

/** A whole-curve move: the new Y of every slot in use, and the mouse row it was limited to. */
struct CurveShift {
    CurveYs ys{};
    float mouseY = 0;
};

/**
 * Every point shifted vertically by the mouse's way from @p startMouseY to @p mouseY, from the
 * copy taken at the grab (PointTable::moveStartY), so that no error builds up. The offset is
 * limited so that each point that lay within the plot's pixel rows at the grab stays within them;
 * a point the host stored outside them moves along and limits nothing. With a Y grid (snapY) the
 * offset is the nearest multiple of it within that limit. Nothing when a value would not be a
 * finite single (a zero or non-finite scale).
 */
std::optional<CurveShift> shiftedCurve(const PointTable& points, const CurveSettings& settings,
                                       const PlotLayout& layout, float startMouseY, float mouseY);

// The grids of snapX and snapY: multiples of a step, counted from 0.

/** @p value on the grid of @p step: its nearest multiple; @p value itself when @p step is 0 (no
 *  grid) or so fine that no multiple near @p value is a finite double. A multiple beyond the single
 *  range gives the largest single of its sign. */
std::optional<float> snapped(std::optional<float> value, double step);

/** The first multiple of @p step beyond @p value in @p direction (above for 1, below for -1), as a
 *  single: where Up and Down take a point on a grid. Nothing when there is no grid, or none that
 *  a single can tell from @p value. */
std::optional<float> nextOnGrid(float value, int direction, double step);

/**
 * Puts the point at @p slot at @p to, no rules applied: erases the figures that touch it with
 * @p painter, stores the coordinates (not their references) and draws those figures again, as
 * one screen update. Moving a point to where it is draws nothing.
 */
void placePoint(PointTable& points, int slot, PointPosition to, CurvePainter& painter);

/** Gives every slot in use the Y of @p ys, as placePoint() does for one point: the whole curve is
 *  erased and drawn again. */
void placeCurve(PointTable& points, const CurveYs& ys, CurvePainter& painter);

} // namespace knotel

#endif
