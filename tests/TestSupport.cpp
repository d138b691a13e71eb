#include "TestSupport.h"

#include "platform/Colour.h"
#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

namespace knotel::test {

DrawingSurface* surfaceOf(Curve& curve)
{
    return curve.findChild<DrawingSurface*>(QStringLiteral("Picture_Curve"));
}

CurvePrivate& stateOf(Curve& curve)
{
    return *CurvePrivate::get(&curve);
}

void loadPoints(Curve& curve, std::initializer_list<std::pair<float, float>> points)
{
    int i = 0;
    for (const auto& [x, y] : points) {
        curve.setValueIndex(float(i++));
        curve.setX_Knotel(x);
        curve.setY_Knotel(y);
    }
}

int differingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    const QImage ca = a.convertToFormat(QImage::Format_RGB32);
    const QImage cb = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < ca.height(); ++y) {
        for (int x = 0; x < ca.width(); ++x) {
            if ((ca.pixel(x, y) & 0xFFFFFF) != (cb.pixel(x, y) & 0xFFFFFF))
                ++n;
        }
    }
    return n;
}

int pixelsOfColour(const QImage& image, qint32 bgr)
{
    const QRgb wanted = platform::toQColor(bgr).rgb() & 0xFFFFFF;
    const QImage c = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            if ((c.pixel(x, y) & 0xFFFFFF) == wanted)
                ++n;
        }
    }
    return n;
}

} // namespace knotel::test
