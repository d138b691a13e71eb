#ifndef KNOTELBENCH_NUMBERCONVERSION_H
#define KNOTELBENCH_NUMBERCONVERSION_H

// The 16-bit count of the random-values command. An overflow stops the command with
// knotel::RuntimeError 6, as the control reports it.

#include <QtGlobal>

namespace knotelbench {

/**
 * @p value rounded to the nearest 16-bit integer, ties to even (2.5 gives 2, 3.5 gives 4).
 * Throws knotel::RuntimeError 6 (overflow) when the result does not fit or @p value is not finite.
 */
qint16 roundToInt16(double value);

} // namespace knotelbench

#endif
