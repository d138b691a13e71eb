// The paint pass's limit lines and actual-value marker.
#include "CurvePrivate.h"

#include "ErrorTolerance.h"
#include "platform/DrawingSurface.h"

namespace knotel {

void CurvePrivate::drawLimitLines() {}

void CurvePrivate::drawActualValue() {}

} // namespace knotel
