#ifndef KNOTEL_NUMBERCONVERSION_H
#define KNOTEL_NUMBERCONVERSION_H

// Doubles stored as singles and as 32-bit integers. Every value the control keeps, draws or
// compares in single precision goes through one of these; their names say what happens when the
// nearest single is infinite or the double is not a number at all.

#include <knotel/RuntimeError.h>

#include <QString>
#include <QtGlobal>

#include <cmath>
#include <limits>
#include <optional>

namespace knotel {

namespace detail {

/** True when @p v is finite and its nearest single is finite too. */
inline bool fitsSingle(double v)
{
    // Halfway between the largest single and 2^128: from here on the nearest single is infinite
    // (a tie goes to the even 2^128). Checked before converting, since converting a double beyond
    // the single range is undefined.
    constexpr double infinityBound = 0x1.ffffffp+127;
    return std::isfinite(v) && std::fabs(v) < infinityBound;
}

} // namespace detail

/** @p v as the nearest single; throws RuntimeError 6 when @p v is not finite or that single is infinite. */
inline float toSingleOrThrow(double v)
{
    if (!detail::fitsSingle(v))
        throw RuntimeError(RuntimeError::Overflow,
                           std::isfinite(v) ? QStringLiteral("%1 is beyond the single range").arg(v)
                                            : QStringLiteral("%1 is not a finite number").arg(v));
    return float(v);
}

/** @p v as the nearest single, or nothing when @p v is not finite or that single is infinite. */
inline std::optional<float> toSingleOrNothing(double v)
{
    if (!detail::fitsSingle(v))
        return std::nullopt;
    return float(v);
}

/**
 * @p v as the nearest single, kept not finite when it is not: NaN stays NaN, and a value whose
 * nearest single is infinite becomes that infinity. Drawing positions use this, so that the
 * surface refuses an element at an impossible place instead of drawing it at a made-up one.
 */
inline float toSingleOrInfinity(double v)
{
    if (std::isnan(v) || detail::fitsSingle(v))
        return float(v);
    return v > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
}

/** Equal singles, where two NaNs count as equal: a coordinate left as it was is no move. */
inline bool sameSingle(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

/**
 * @p value rounded to the nearest 32-bit integer, ties to even (2.5 gives 2, 3.5 gives 4), whatever
 * the floating-point rounding mode. Throws RuntimeError 6 when the result does not fit or @p value
 * is not finite.
 */
qint32 roundToInt32(double value);

} // namespace knotel

#endif
