// The partial redraw of mouse editing: after drags and curve moves the backing image is the
// picture a full repaint gives, the screen shows the backing image, and a drag move updates a
// small region that holds every pixel it changed.
#include "CurveScene.h"
#include "TestSupport.h"

#include "engine/PlotMapping.h"
#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>

#include <tuple>

using namespace knotel;
using knotel::test::differingPixels;
using knotel::test::loadPoints;
using knotel::test::stateOf;
using knotel::test::surfaceOf;

namespace {

/** A shown control whose surface's paint regions are collected. */
struct ShownCurve : QObject, test::CurveScene {
    QRegion painted;

    ShownCurve()
    {
        load(test::ZigzagPoints);
        show();
        surface.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }

    /** Presses at @p from, moves through @p to and releases at the last position. */
    void gesture(QPointF from, std::initializer_list<QPointF> to)
    {
        press(from);
        QPointF last = from;
        for (QPointF p : to) {
            move(p);
            last = p;
        }
        release(last);
    }
    /** The window as the screen shows it, with the read-out box's pixels taken from @p picture. */
    QImage shown(const QImage& picture)
    {
        // With the focus from the window or a click, a mouse user sees no focus marker either.
        QCoreApplication::processEvents();
        QImage screen =
            curve.screen()->grabWindow(curve.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        QPainter p(&screen);
        const QRect box = curve.findChild<QLineEdit*>(QStringLiteral("Text_Value_XY"))->geometry();
        p.drawImage(box.topLeft(), picture, box);
        return screen;
    }
};

class Redraw : public ::testing::TestWithParam<std::tuple<qint32, bool>> {};

TEST_P(Redraw, LeavesTheFullRepaintsPictureOnTheSurfaceAndTheScreen)
{
    const auto [shape, hideLine] = GetParam();
    ShownCurve s;
    s.curve.setBreakPointShape(shape);
    s.curve.setHideLine(hideLine ? -1 : 0);
    s.curve.setAllowXCrossover(0);
    // Slot 6 lies beyond the right axis end, its marker and segment partly off the surface.
    s.curve.setValueIndex(6);
    s.curve.setX_Knotel(33.5f);
    s.curve.RePaint();
    QCoreApplication::processEvents();

    auto check = [&](const char* step) {
        const QImage picture = s.surface.image();
        EXPECT_EQ(differingPixels(s.shown(picture), picture), 0) << step << ": screen";
        s.curve.RePaint();
        EXPECT_EQ(differingPixels(s.surface.image(), picture), 0) << step << ": full repaint";
        s.shown(picture);
    };
    // Point 5 dragged up, past the top of the surface, across its neighbour (refused), back down.
    const QPointF p5 = s.pixelOf(5);
    s.gesture(
        p5, {p5 + QPointF(3, -20), p5 + QPointF(3, -400), s.pixelOf(6) + QPointF(5, 0), p5 + QPointF(-4, 9)});
    check("drag");
    // The whole curve up and down, out at the top.
    if (!hideLine) {
        const QPointF mid = (s.pixelOf(1) + s.pixelOf(2)) / 2;
        s.gesture(mid, {mid + QPointF(0, -30), mid + QPointF(0, 45), mid + QPointF(0, -500)});
        check("curve move");
    }
    // Slot 7 never given: markers only; then point 0 dragged out at the bottom left.
    s.curve.setDimensions(8);
    s.curve.RePaint();
    const QPointF p0 = s.pixelOf(0);
    s.gesture(p0, {p0 + QPointF(-50, 500), p0 + QPointF(2, -15)});
    check("incomplete");
}

INSTANTIATE_TEST_SUITE_P(ShapesAndHideLine, Redraw,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4), ::testing::Bool()));

TEST(Redraw, SegmentsToFarOffPointsAreUpdatedOnTheScreenWhereTheyAreDrawn)
{
    // A box from a far-off corner 10^24 pixels away to a near one, kept as corner and size, or
    // normalized, loses the near one: the updates and recorded pixels of the segments before and
    // after the dragged point must cover the surface from their near ends.
    ShownCurve s;
    s.curve.setValueIndex(4);
    s.curve.setY_Knotel(1e24f);
    s.curve.setValueIndex(6);
    s.curve.setY_Knotel(-1e24f);
    s.curve.RePaint();
    QCoreApplication::processEvents();
    const QPointF p5 = s.pixelOf(5);
    s.gesture(p5, {p5 + QPointF(-6, 20), p5 + QPointF(-9, 31)});
    const QImage picture = s.surface.image();
    EXPECT_EQ(differingPixels(s.shown(picture), picture), 0) << "screen";
    s.curve.RePaint();
    EXPECT_EQ(differingPixels(s.surface.image(), picture), 0) << "full repaint";
}

TEST(Redraw, ADragMoveUpdatesASmallRegionHoldingEveryChangedPixel)
{
    ShownCurve s;
    const QPointF p3 = s.pixelOf(3);
    s.press(p3);
    for (const QPointF to : {p3 + QPointF(2, -25), p3 + QPointF(2, -25), p3 + QPointF(-3, 12)}) {
        const QImage before = s.surface.image();
        s.painted = QRegion();
        s.move(to);
        QCoreApplication::processEvents();
        const QImage after = s.surface.image();
        qint64 area = 0;
        for (const QRect& r : s.painted)
            area += qint64(r.width()) * r.height();
        EXPECT_LT(area, 611 * 321 / 10);
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                if (before.pixel(x, y) != after.pixel(x, y)) {
                    ASSERT_TRUE(s.painted.contains(QPoint(x, y))) << x << "," << y;
                }
            }
        }
    }
    s.release(p3);
}

} // namespace

TEST(Redraw, ABackColourWriteErasesTheScreenAtOnceAndRePaintDrawsAgain)
{
    ShownCurve s;
    s.curve.setBackColor(0x00FF00);
    QCoreApplication::processEvents();
    // The whole surface, the tracker box inside it included, shows the new colour alone.
    const QImage erased = s.surface.grab().toImage();
    EXPECT_EQ(test::pixelsOfColour(erased, 0x00FF00), erased.width() * erased.height());
    s.curve.RePaint();
    QCoreApplication::processEvents();
    const QImage painted = s.surface.grab().toImage();
    EXPECT_EQ(differingPixels(painted, s.surface.image()), 0);
    EXPECT_GT(differingPixels(painted, erased), 1000);
}
