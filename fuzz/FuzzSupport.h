#ifndef KNOTEL_FUZZ_FUZZSUPPORT_H
#define KNOTEL_FUZZ_FUZZSUPPORT_H

// Shared by the targets that drive one control for the whole process: putting the control back
// to its freshly created state, and reading every property through the dispatch interface.

#include "FuzzCommon.h"

#include <knotel/Curve.h>

#include <QImage>
#include <QVariant>

#include <vector>

namespace knotel::fuzz {

/** Puts @p curve's settings, point tables and gesture state back to those of a new control, without
 * painting, and sizes it to @p width x @p height. */
void resetCurve(Curve& curve, int width, int height);

/** The dispatch ids of all properties, in interface order. */
const std::vector<DispId>& propertyIds();

/** Every property as get() gives it, or the RuntimeError code it throws. */
struct PropertyValues {
    std::vector<QVariant> values;
    std::vector<int> errors;
    bool operator==(const PropertyValues& other) const;
};
PropertyValues readProperties(Curve& curve);

/** True when a RePaint of @p curve leaves its drawing surface's picture as it was. The pictures are
 * rendered into buffers kept for the process, so that no large image is allocated per call. */
bool pictureSurvivesRePaint(Curve& curve);

} // namespace knotel::fuzz

#endif
