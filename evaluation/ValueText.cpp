#include "ValueText.h"

#include <knotel/FormatValue.h>

namespace knotelbench {

QString pointText(float value, const char* label)
{
    return knotel::singleText(value) + QLatin1Char(' ') + QLatin1String(label);
}

QString flagText(qint32 flag)
{
    return QString::number(flag) + QLatin1String(" Changed");
}

QString hexColourText(qint32 colour)
{
    const QString digits = QStringLiteral("%1").arg(static_cast<quint32>(colour), 8, 16, QLatin1Char('0'));
    return QLatin1String("&h") + digits.toUpper() + QLatin1Char('&');
}

QString decimalColourText(qint32 colour)
{
    return QString::number(colour);
}

} // namespace knotelbench
