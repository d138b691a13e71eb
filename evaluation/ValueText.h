#ifndef KNOTELBENCH_VALUETEXT_H
#define KNOTELBENCH_VALUETEXT_H

// The texts that the buttons write into the property boxes. Each reads back through
// knotel::LeadingValue to the value written (within seven digits for singles).

#include <QString>
#include <QtGlobal>

namespace knotelbench {

/** A coordinate with seven significant digits, a blank and its label: "42.3 Y_Knotel", "1.5E+20 X_Knotel". */
QString pointText(float value, const char* label);

/** A changed flag as a whole number: "-1 Changed", "0 Changed". */
QString flagText(qint32 flag);

/** "&h", eight upper-case hexadecimal digits of the 32-bit pattern, "&": '&h000000FF&', '&hFFFFFFFF&'. */
QString hexColourText(qint32 colour);

/** The colour as a signed decimal number: '255', '-1'. */
QString decimalColourText(qint32 colour);

} // namespace knotelbench

#endif
