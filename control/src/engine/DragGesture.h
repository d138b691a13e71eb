#ifndef KNOTEL_DRAGGESTURE_H
#define KNOTEL_DRAGGESTURE_H

#include "engine/PointTable.h"

#include <optional>

namespace knotel {

/** What the left button holds between a press and the release: one point, the whole curve, or nothing. */
struct DragGesture {
    /** The slot of the grabbed point. */
    std::optional<int> point;
    /** The line was grabbed: the whole curve moves vertically. */
    bool curveMoving = false;
    /** The grabbed point where the press found it. */
    PointPosition pointStart;
    /** The mouse row at the grab. */
    float startMouseY = 0;

    bool active() const { return point.has_value() || curveMoving; }
    void clear()
    {
        point.reset();
        curveMoving = false;
    }
};

} // namespace knotel

#endif
