#ifndef KNOTEL_PLATFORM_COLOUR_H
#define KNOTEL_PLATFORM_COLOUR_H

#include <QColor>
#include <QtGlobal>

namespace knotel::platform {

/** A colour value 0x00BBGGRR (red in the low byte) as a Qt colour; the high byte is ignored. */
inline QColor toQColor(qint32 bgr)
{
    const auto v = quint32(bgr);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

/** A Qt colour as 0x00BBGGRR. */
inline qint32 fromQColor(const QColor& c)
{
    return qint32(quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16));
}

} // namespace knotel::platform

#endif
