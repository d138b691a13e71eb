#ifndef KNOTEL_TESTSUPPORT_H
#define KNOTEL_TESTSUPPORT_H

#include "platform/Canvas.h"

#include <knotel/Curve.h>
#include <knotel/RuntimeError.h>

#include <QImage>
#include <QScreen>

#include <gtest/gtest.h>

namespace knotel {
class CurvePrivate;
class DrawingSurface;
} // namespace knotel

namespace knotel::test {

/**
 * A canvas that the test hosts itself, as a shell would: a size, a pixel ratio and a resolution
 * (those of a screen, or 1 and 96 dots per inch), with the areas it asks to show collected.
 */
class TestCanvas : public platform::CanvasHost, public platform::Canvas {
public:
    TestCanvas() : platform::Canvas(static_cast<platform::CanvasHost&>(*this)) {}
    void resize(int width, int height) { m_size = QSize(width, height); }
    void resize(QSize size) { m_size = size; }
    /** The ratio and resolution of @p screen. */
    void setScreen(const QScreen* screen)
    {
        m_ratio = screen->devicePixelRatio();
        m_dpi = QSize(qRound(screen->logicalDotsPerInchX()), qRound(screen->logicalDotsPerInchY()));
    }
    QRect rect() const { return QRect(QPoint(), m_size); }

    QRegion shownAreas;
    bool allShown = false;

    QSize canvasSize() const override { return m_size; }
    qreal canvasPixelRatio() const override { return m_ratio; }
    QSize canvasDpi() const override { return m_dpi; }
    void showArea(const QRect& area) override { shownAreas += area; }
    void showAreas(const QRegion& areas) override { shownAreas += areas; }
    void showAll() override { allShown = true; }

private:
    QSize m_size;
    qreal m_ratio = 1;
    QSize m_dpi{96, 96};
};

/** The control's drawing surface, found by its object name. */
DrawingSurface* surfaceOf(Curve& curve);

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
