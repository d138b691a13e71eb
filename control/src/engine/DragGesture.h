#ifndef KNOTEL_DRAGGESTURE_H
#define KNOTEL_DRAGGESTURE_H

#include "engine/PointTable.h"

#include <optional>

namespace knotel {

/** What the left button, or one finger, holds between a press and the release: one point, the whole
 *  curve, or nothing. */
struct DragGesture {
    /** The slot of the grabbed point. */
    std::optional<int> point;
    /** The line was grabbed: the whole curve moves vertically. */
    bool curveMoving = false;
    /** The grabbed point where the press found it. */
    PointPosition pointStart;
    /** The row of the mouse, or the finger, at the grab. */
    float startMouseY = 0;
    /** The finger that pressed first, from its press until it lifts or the gesture is cancelled:
     *  its moves are the drag's, and meanwhile the mouse and every other finger are ignored. */
    std::optional<int> finger;
    /** The mouse still holds a drag that was cancelled: its moves and its release do nothing. */
    bool cancelled = false;

    bool active() const { return point.has_value() || curveMoving; }
    void clear()
    {
        point.reset();
        curveMoving = false;
    }
};

} // namespace knotel

#endif
