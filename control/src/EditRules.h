#ifndef KNOTEL_EDITRULES_H
#define KNOTEL_EDITRULES_H

#include <optional>

namespace knotel {

class CurvePrivate;

// The editing rules that the mouse and the keyboard share (MouseEditing.cpp), so that a point or
// the curve moves by the same rules whichever way the person edits.

/**
 * Moves point DragIndex towards the candidate values under the axis locks, the end-point locks,
 * the crossover refusal and the clamping to the axis ranges, redrawing the curve with the XOR
 * pen. An empty candidate leaves its coordinate as it is.
 */
void dragPoint(CurvePrivate& c, std::optional<float> candidateX, std::optional<float> candidateY);

/**
 * Shifts every point vertically by (@p mouseY - MoveStartMouseY) pixels from MoveStartY, limited
 * so that every point stays within the plot's pixel rows, redrawing the curve with the XOR pen.
 */
void moveCurve(CurvePrivate& c, float mouseY);

/** Shows (@p vx, @p vy) in the tracker boxes. */
void showTracker(CurvePrivate& c, float vx, float vy);

} // namespace knotel

#endif
