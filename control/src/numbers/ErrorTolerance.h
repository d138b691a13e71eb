#ifndef KNOTEL_ERRORTOLERANCE_H
#define KNOTEL_ERRORTOLERANCE_H

#include <knotel/RuntimeError.h>

#include <QtGlobal>

namespace knotel {

/**
 * Runs one statement of a continue-on-error routine (the layout, the paint pass): an error that
 * the statement raises abandons that statement only, and the caller goes on with the next one.
 */
template <class Statement> void tolerate(Statement&& statement) noexcept
{
    try {
        statement();
    } catch (const RuntimeError&) {
    }
}

/** a + b in 32-bit integer arithmetic; throws RuntimeError 6 on overflow. */
inline qint32 add32(qint32 a, qint32 b)
{
    qint32 r;
    if (__builtin_add_overflow(a, b, &r))
        throw RuntimeError(RuntimeError::Overflow);
    return r;
}

/** a - b in 32-bit integer arithmetic; throws RuntimeError 6 on overflow. */
inline qint32 sub32(qint32 a, qint32 b)
{
    qint32 r;
    if (__builtin_sub_overflow(a, b, &r))
        throw RuntimeError(RuntimeError::Overflow);
    return r;
}

} // namespace knotel

#endif
