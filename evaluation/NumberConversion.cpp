#include "NumberConversion.h"

#include <knotel/RuntimeError.h>

#include <cmath>

namespace knotelbench {

qint16 roundToInt16(double value)
{
    if (!std::isfinite(value))
        throw knotel::RuntimeError(knotel::RuntimeError::Overflow);
    // Ties to even, whatever the floating-point rounding mode.
    const double lower = std::floor(value);
    const double fraction = value - lower; // exact for every finite double
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        rounded = lower + 1.0;
    if (rounded < -32768.0 || rounded > 32767.0)
        throw knotel::RuntimeError(knotel::RuntimeError::Overflow);
    return static_cast<qint16>(rounded);
}

} // namespace knotelbench
