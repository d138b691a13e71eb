// Rounding to 32-bit integers.
#include "numbers/NumberConversion.h"

namespace knotel {

namespace {

/** @p value rounded to an integer, ties to even, independent of the floating-point rounding mode. */
double roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower; // exact for every finite double
    if (fraction > 0.5)
        return lower + 1.0;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

} // namespace

qint32 roundToInt32(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError(RuntimeError::Overflow, QStringLiteral("%1 is not a finite number").arg(value));
    const double rounded = roundHalfEven(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        throw RuntimeError(RuntimeError::Overflow, QStringLiteral("%1 does not fit in 32 bits").arg(value));
    return static_cast<qint32>(rounded);
}

} // namespace knotel
