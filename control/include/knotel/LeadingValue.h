#ifndef KNOTEL_LEADINGVALUE_H
#define KNOTEL_LEADINGVALUE_H

#include <knotel/knotel_export.h>

#include <QStringView>
#include <QtGlobal>

namespace knotel {

/**
 * The number with which @p text begins.
 *
 * Blanks, tabs, line feeds and carriage returns are skipped wherever they stand, also inside a
 * number ("1 2" is 12).
 * A decimal number is an optional sign, digits, an optional "." with digits and an optional
 * exponent ("E" or "D", optional sign, digits); only "." is a decimal point, whatever the locale.
 * "&H" followed by up to 8 hexadecimal digits, or "&O" followed by up to 11 octal digits, reads as
 * a 16-bit two's-complement number up to 4 hexadecimal digits (an octal value up to &O177777), as
 * a 32-bit one beyond; a trailing "&" makes it 32-bit ('&hFFFF' is -1, '&hFFFF&' is 65535,
 * '&hFFFFFFFF&' is -1). A decimal number beyond the double range gives an infinity.
 * Reading stops at the first character that cannot continue the number. A text that does not
 * begin with a number, and the empty text, give 0.
 */
KNOTEL_EXPORT double LeadingValue(QStringView text);

} // namespace knotel

#endif
