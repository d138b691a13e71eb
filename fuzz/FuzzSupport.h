#ifndef KNOTEL_FUZZ_FUZZSUPPORT_H
#define KNOTEL_FUZZ_FUZZSUPPORT_H

// Shared by the targets that drive one control for the whole process: putting the control back
// to its freshly created state, the ids of its properties, and copies of its picture.

#include "FuzzCommon.h"

#include <knotel/Curve.h>

#include <QByteArray>
#include <QSize>

#include <vector>

namespace knotel::fuzz {

/** Puts @p curve's settings, point tables and gesture state back to those of a new control, without
 * painting, and sizes it to @p width x @p height. */
void resetCurve(Curve& curve, int width, int height);

/** The dispatch ids of all properties, in interface order. */
const std::vector<DispId>& propertyIds();

/** A copy of the picture on a control's drawing surface, in a buffer that is reused, so that a
 * large picture costs no allocation per copy. */
class PictureCopy {
public:
    void take(Curve& curve);
    /** True when @p curve's surface shows exactly the picture taken. */
    bool matches(Curve& curve) const;

private:
    QByteArray m_bits;
    QSize m_size;
};

/** True when a RePaint of @p curve leaves its drawing surface's picture as it was. */
bool pictureSurvivesRePaint(Curve& curve);

} // namespace knotel::fuzz

#endif
