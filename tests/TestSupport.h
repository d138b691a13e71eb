#ifndef KNOTEL_TESTSUPPORT_H
#define KNOTEL_TESTSUPPORT_H

#include <knotel/Curve.h>
#include <knotel/RuntimeError.h>

#include <QImage>

#include <gtest/gtest.h>

namespace knotel {
namespace platform {
class DrawingSurface;
}
class CurvePrivate;
} // namespace knotel

namespace knotel::test {

/** The control's drawing surface, found by its object name. */
platform::DrawingSurface* surfaceOf(Curve& curve);

/** The control's private state, for tests that check fields the host cannot see. */
CurvePrivate& stateOf(Curve& curve);

/** Loads points into slots 0.. through the host interface (ValueIndex, X_Knotel, Y_Knotel). */
void loadPoints(Curve& curve, std::initializer_list<std::pair<float, float>> points);

/** The error code that @p f throws as knotel::RuntimeError, or 0 when it throws none. */
template <class F> int errorCodeOf(F&& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.code();
    }
    return 0;
}

/** Number of pixels in which two images of the same size differ. */
int differingPixels(const QImage& a, const QImage& b);

/** Number of pixels of @p image with exactly the colour @p bgr (0x00BBGGRR). */
int pixelsOfColour(const QImage& image, qint32 bgr);

} // namespace knotel::test

#endif
