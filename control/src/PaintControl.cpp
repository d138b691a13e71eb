// The paint pass: background, arrow heads, scales, axes, axis texts and caption, then the limit
// lines, the actual-value marker and the curve.
#include "CurvePrivate.h"

#include "ErrorTolerance.h"
#include "platform/DrawingSurface.h"

namespace knotel {

void CurvePrivate::paintControl()
{
    if (PaintEnabled == 0)
        return;
    Picture_Curve->cls();
    // TODO: scales, axes, texts (paint pass).
    tolerate([&] { drawLimitLines(); });
    tolerate([&] { drawActualValue(); });
    tolerate([&] { drawCurveXor(); });
}

} // namespace knotel
