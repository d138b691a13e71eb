#include <knotel/FormatValue.h>
#include <knotel/RuntimeError.h>
namespace knotel {
QString FormatValue(float v, qint32 d) { if (d < 0) throw RuntimeError(5); return QString::number(v, 'f', d); }
QString singleText(float v) { return QString::number(v, 'g', 7); }
}
