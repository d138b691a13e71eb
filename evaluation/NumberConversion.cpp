#include "NumberConversion.h"

#include <knotel/RuntimeError.h>

#include <cmath>
#include <limits>

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

float toSingle(double value)
{
    if (!std::isfinite(value))
        throw knotel::RuntimeError(knotel::RuntimeError::Overflow);
    // Halfway between FLT_MAX and 2^128: from here on the nearest single is infinite (a tie goes
    // to the even 2^128). The bound is checked first since converting an out-of-range double is
    // undefined in C++.
    constexpr double kInfinityBound = 0x1.ffffffp+127;
    constexpr float kFloatMax = std::numeric_limits<float>::max();
    const double magnitude = std::fabs(value);
    if (magnitude >= kInfinityBound)
        throw knotel::RuntimeError(knotel::RuntimeError::Overflow);
    if (magnitude > kFloatMax)
        return value < 0 ? -kFloatMax : kFloatMax;
    return static_cast<float>(value);
}

} // namespace knotelbench
