// The control on screens with more device pixels than logical ones; run with QT_SCALE_FACTOR set
// and two offscreen screens of different ratios. The backing image has the screen's ratio and
// follows the window to the other screen, a grid line covers exactly the device pixels of its
// logical pixel, XOR drawing stays exact, and after a drag the surface and the screen show the
// picture of a full repaint.
#include "PaintedCurve.h"

#include "platform/Colour.h"
#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>

#include <QBackingStore>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QScreen>

#include <algorithm>
#include <cmath>

using namespace knotel;
using platform::DrawCall;
using test::differingPixels;

namespace {

/** A shown control of the evaluation program's size with seven points. */
struct Shown : test::PaintedCurve {
    Shown()
    {
        curve.setY_DashedLine_Top(65);
        curve.setActual_Value_X(-5);
        curve.setActual_Value_Y(20);
        curve.show();
        curve.RePaint();
        QCoreApplication::processEvents();
    }
    qreal ratio() const { return surface.devicePixelRatioF(); }
    /** The surface's device pixels as the screen shows them: the window's backing store. */
    QImage onScreen()
    {
        QCoreApplication::processEvents();
        QPaintDevice* device = curve.backingStore()->paintDevice();
        if (device->devType() != QInternal::Image)
            return {};
        const QImage& window = *static_cast<QImage*>(device);
        const QPoint origin = surface.mapTo(&curve, QPoint(0, 0));
        const QRect area =
            QRect(QPoint(qRound(origin.x() * ratio()), qRound(origin.y() * ratio())), surface.image().size());
        return window.copy(area & window.rect()).convertToFormat(QImage::Format_RGB32);
    }
    /** Whether the screen shows the surface's image, in the device pixels that both have. */
    bool screenShowsImage()
    {
        const QImage screen = onScreen();
        return !screen.isNull() && differingPixels(screen, surface.image().copy(screen.rect())) == 0;
    }
};

TEST(HiDpi, TheImageHasTheScreensRatioAndFollowsItToAnotherScreen)
{
    Shown s;
    ASSERT_GT(s.ratio(), 1) << "run with QT_SCALE_FACTOR above 1";
    for (int step = 0; step < 2; ++step) {
        const QImage image = s.surface.image();
        EXPECT_EQ(image.devicePixelRatio(), s.ratio());
        EXPECT_EQ(image.size(), QSize(int(std::ceil(611 * s.ratio())), int(std::ceil(321 * s.ratio()))));
        EXPECT_TRUE(s.screenShowsImage()) << "step " << step;
        s.curve.RePaint();
        EXPECT_EQ(differingPixels(s.surface.image(), image), 0) << "step " << step;
        if (step == 0) {
            // To the second screen, whose ratio is another.
            ASSERT_GE(QGuiApplication::screens().size(), 2)
                << "run with an offscreen configuration of two screens";
            const qreal before = s.ratio();
            s.curve.move(QGuiApplication::screens().at(1)->geometry().topLeft() + QPoint(40, 40));
            QCoreApplication::processEvents();
            ASSERT_NE(s.ratio(), before);
        }
    }
}

TEST(HiDpi, AGridLineCoversTheDevicePixelsOfItsLogicalPixelAndNoOthers)
{
    test::PaintedCurve p(false);
    p.repaint();
    // A vertical grid line in the middle of the plot, and a row between two horizontal ones.
    float x = -1;
    for (const DrawCall& c : p.calls) {
        if (c.kind == DrawCall::Line && c.colour == p.d.engine.settings().GridColor && c.x1 == c.x2 &&
            std::abs(c.x1 - float(p.px(0))) < 2)
            x = c.x1;
    }
    ASSERT_GE(x, 0);
    const qreal ratio = p.surface.devicePixelRatioF();
    const QImage image = p.surface.image();
    const int cell = int(std::floor(x));
    const int row = int((std::floor(p.py(35)) + 0.5) * ratio);
    const QRgb grid = platform::toQColor(p.d.engine.settings().GridColor).rgb();
    const QRgb back = platform::toQColor(p.d.engine.settings().BackColor).rgb();
    int first = -1, last = -1;
    for (int col = int((cell - 4) * ratio); col < int((cell + 5) * ratio); ++col) {
        const QRgb c = image.pixel(col, row);
        ASSERT_TRUE(c == grid || c == back) << "column " << col;
        if (c == grid) {
            EXPECT_TRUE(first < 0 || last == col - 1) << "a second run at " << col;
            first = first < 0 ? col : first;
            last = col;
        }
    }
    // The logical pixel spans device columns ratio * cell to ratio * (cell + 1), whole ones at an
    // integer ratio.
    EXPECT_NEAR(first, cell * ratio, 1);
    EXPECT_NEAR(last + 1, (cell + 1) * ratio, 1);
    if (ratio == std::floor(ratio)) {
        EXPECT_EQ(first, int(cell * ratio));
        EXPECT_EQ(last - first + 1, int(ratio));
    }
}

TEST(HiDpi, XorCurveDrawnTwiceRestoresEveryDevicePixel)
{
    test::PaintedCurve p;
    for (qint32 shape : {1, 2, 3, 4}) {
        p.curve.setBreakPointShape(shape);
        // Points off whole pixels, one of them beyond the plot.
        test::loadPoints(p.curve, {{-29.3f, 1.7f},
                                   {-17.1f, 12.2f},
                                   {-9.6f, 41.4f},
                                   {0.35f, 29.9f},
                                   {10.2f, 61.3f},
                                   {21.7f, 49.6f},
                                   {33.3f, 95.5f}});
        p.curve.RePaint();
        const QImage before = p.surface.image();
        p.d.engine.painter().drawCurveXor();
        EXPECT_GT(differingPixels(before, p.surface.image()), 100) << "shape " << shape;
        p.d.engine.painter().drawCurveXor();
        EXPECT_EQ(differingPixels(before, p.surface.image()), 0) << "shape " << shape;
    }
}

TEST(HiDpi, ADragLeavesTheFullRepaintsPictureOnTheSurfaceAndTheScreen)
{
    for (bool tracker : {false, true}) {
        Shown s;
        s.curve.setViewTracker(tracker ? -1 : 0);
        s.curve.setBreakPointShape(2);
        s.curve.RePaint();
        const QImage start = s.surface.image();
        const QPointF p3(s.px(0), s.py(30));
        s.press(p3);
        for (const QPointF to :
             {p3 + QPointF(2.5, -25.25), p3 + QPointF(-3.5, 12.75), p3 + QPointF(1, 400)}) {
            s.move(to);
            QCoreApplication::processEvents();
        }
        s.release(p3 + QPointF(1, 400));
        s.surface.clearFocus();
        const QImage picture = s.surface.image();
        EXPECT_GT(differingPixels(picture, start), 0) << "no drag";
        if (!tracker) { // the read-out box lies over the surface
            EXPECT_TRUE(s.screenShowsImage());
        }
        s.curve.RePaint();
        EXPECT_EQ(differingPixels(s.surface.image(), picture), 0) << "tracker " << tracker;
    }
}

/** Counts the rectangles of the paint events a widget receives. */
struct PaintRegions : QObject {
    int mostRects = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            mostRects = std::max(mostRects, int(static_cast<QPaintEvent*>(event)->region().rectCount()));
        return false;
    }
};

TEST(HiDpi, AWholeCurveMoveUpdatesTheScreenWhereItsFiguresWere)
{
    // A wide control, its wave of 64 points moved up and down: the screen update covers the
    // strips its figures touched, not their whole band, and shows the picture of a full repaint.
    Shown s;
    s.curve.resize(1500, 700);
    s.loadSixtyFour(25);
    QCoreApplication::processEvents();
    const QImage before = s.surface.image();
    PaintRegions regions;
    s.surface.installEventFilter(&regions);
    const QPointF grab = (s.pixelOf(20) + s.pixelOf(21)) / 2;
    s.press(grab);
    for (const QPointF to : {grab + QPointF(0, -40.5), grab + QPointF(0, 17.25), grab + QPointF(0, -3)}) {
        s.move(to);
        QCoreApplication::processEvents();
    }
    s.release(grab + QPointF(0, -3));
    s.surface.clearFocus();
    const QImage picture = s.surface.image();
    EXPECT_GT(differingPixels(picture, before), 0) << "no curve move";
    EXPECT_GT(regions.mostRects, 1);
    EXPECT_TRUE(s.screenShowsImage());
    s.curve.RePaint();
    EXPECT_EQ(differingPixels(s.surface.image(), picture), 0);
}

} // namespace
