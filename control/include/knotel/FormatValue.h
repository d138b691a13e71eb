#ifndef KNOTEL_FORMATVALUE_H
#define KNOTEL_FORMATVALUE_H

#include <knotel/knotel_export.h>

#include <QString>
#include <QtGlobal>

namespace knotel {

/**
 * The text the control shows for an axis value: scale labels, the actual-value text and the
 * tracker read-out.
 *
 * The value's ordinary text (shortest form with at most 7 significant digits, exponent form
 * below 1E-5 and from 1E+7 on, as in "1.5E+20") is cut, never rounded, to @p decimals digits
 * after the point, padded with zeros where the value's own text has fewer, and gets a "+" in
 * front when its numeric value is not 0 and it does not start with "-". In exponent form the
 * digits are those of the mantissa and the exponent stays whole: (1.5E+20, 2) gives "+1.50E+20".
 * The result is the same under every locale: (1.66, 1) gives "+1.6", (-1.9, 0) gives "-1",
 * (0.04, 1) gives "0.0" and (-0.04, 1) gives "-0.0".
 *
 * @throws knotel::RuntimeError 5 (invalid argument) when @p decimals is negative or above 1024.
 */
KNOTEL_EXPORT QString FormatValue(float value, qint32 decimals);

/**
 * The ordinary text of a single-precision value: the shortest text with at most 7 significant
 * digits (the exact value correctly rounded, halfway cases to even), "-" before negative values,
 * "0" before the point below 1, "." as the decimal point whatever the locale, no trailing zeros or
 * point, and exponent form ("1.5E+20", "1E-06") below 1E-5 and from 1E+7 on. LeadingValue() reads
 * it back to the value within the seven digits. Non-finite values give "NaN", "Inf" and "-Inf".
 */
KNOTEL_EXPORT QString singleText(float value);

} // namespace knotel

#endif
