// Touch on the drawing surface, through Qt's touch sequences on a shown control at the run's pixel
// ratio (1, and 2 under QT_SCALE_FACTOR): a finger reaches farther than the mouse and takes the
// nearest point, one finger drags, and a cancelled drag puts the curve back; the finger's pick as
// plain arithmetic.
#include "CurveScene.h"
#include "TestSupport.h"

#include "engine/HitTest.h"
#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>

#include <QApplication>
#include <QMenu>
#include <QPointingDevice>
#include <QScreen>
#include <QTest>
#include <QTouchEvent>
#include <QUndoStack>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

using namespace knotel;
using knotel::platform::MousePointer;
using knotel::test::differingPixels;

namespace {

QPointingDevice* touchScreen()
{
    static QPointingDevice* const device = QTest::createTouchDevice();
    return device;
}

// The finger's pick on a plain mapping, one pixel per unit: x to the right, y up from row 100.
TEST(TouchPick, TheNearestPointWithinReachWinsTiesGoToTheLowerSlot)
{
    PlotLayout layout;
    layout.PlotHeight = 100;
    layout.ScaleX = 1;
    layout.ScaleY = 1;
    const PlotMapping map(layout, 0, 0);
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        const char* what;
        std::vector<float> xs, ys;
        float fx, fy;
        double reach;
        int picked;
    } rows[] = {
        {"the higher slot, nearer", {10, 18}, {50, 50}, 15, 50, 17, 1},
        {"equally near: the lower slot", {10, 18}, {50, 50}, 14, 50, 17, 0},
        {"nearer along a diagonal", {10, 20}, {50, 60}, 16, 57, 17, 1},
        {"just within reach", {10}, {50}, 10, 66.9f, 17, 0},
        {"at the reach itself: not", {10}, {50}, 10, 67, 17, -1},
        {"within reach per axis, beyond it along the diagonal", {10}, {50}, 23, 63, 17, -1},
        {"a point with no finite position is never near", {inf, 30}, {50, 50}, 12, 50, 17, -1},
        {"no point at all", {}, {}, 10, 50, 17, -1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(pickNearestPoint(map, r.xs, r.ys, r.fx, 100 - r.fy, r.reach), r.picked);
    }
}

TEST(TouchPick, TheReachIsFourAndAHalfMillimetresNeverLessThanTheMousesFourPixels)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double physicalDpi, logicalDpi, reach;
    } rows[] = {
        {96, 96, 17.0079}, {192, 96, 34.0157},  {100, 96, 17.7165}, {50, 96, 8.8583},
        {0, 96, 17.0079},  {nan, 120, 21.2598}, {-5, 144, 25.5118}, {20, 96, 4.0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.physicalDpi << " dpi, logical " << r.logicalDpi);
        EXPECT_NEAR(touchPickDistance(r.physicalDpi, r.logicalDpi), r.reach, r.reach * 1e-5);
    }
}

/** A shown control with the rising points, touched through its window as a touch screen does. */
class TouchEditing : public ::testing::Test {
protected:
    test::CurveScene scene;
    Curve& c = scene.curve;
    DrawingSurface& surface = scene.surface;
    std::vector<int> drops;
    /** A finger's reach on the control's screen: 4.5 mm at its physical resolution. */
    double reach = 0;

    void SetUp() override
    {
        scene.load(test::RisingPoints);
        scene.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&c));
        reach = 4.5 / 25.4 * surface.screen()->physicalDotsPerInch();
        QObject::connect(&c, &Curve::DroppedValue, &c, [this](int& index) { drops.push_back(index); });
    }

    QTest::QTouchEventWidgetSequence finger() { return QTest::touchEvent(&surface, touchScreen()); }
    /** Where a finger touches near @p p: touch positions are whole pixels. */
    static QPoint near(QPointF p) { return p.toPoint(); }

    QPointF pixelOf(int slot) const { return scene.pixelOf(slot); }
    /** The values at @p p as a drag stores them, singles. */
    QPointF valueAt(QPointF p) const
    {
        const QPointF v = c.valueAt(p);
        // Through memory: GCC's fast excess precision may skip a plain cast's rounding.
        const volatile float x = float(v.x());
        const volatile float y = float(v.y());
        return {x, y};
    }
    QPointF point(int slot) const { return c.points().at(slot); }
    bool crosshair() const { return surface.mousePointer() == MousePointer::Crosshair; }
    /** The midpoint of segment @p j, @p above pixels above its line. */
    QPointF onSegment(int j, double above) const
    {
        return (pixelOf(j) + pixelOf(j + 1)) / 2 - QPointF(0, above);
    }
};

TEST_F(TouchEditing, AFingerReachesFartherThanTheMouseAndTakesTheNearestPoint)
{
    ASSERT_GT(reach - 1.5, 4.5) << "the screen's reach is too short for these offsets";
    const struct {
        const char* what;
        bool byFinger;
        std::function<void()> setUp;
        std::function<QPoint()> press;
        std::vector<int> dropped; ///< what the drag drops: a slot, -1 for the curve, or nothing
    } rows[] = {
        {"a point beyond the mouse's 4 pixels, within reach",
         true,
         [] {},
         [&] { return near(pixelOf(3) + QPointF(reach - 1.5, 0)); },
         {3}},
        {"the same place by the mouse",
         false,
         [&] { c.setHideLine(-1); },
         [&] { return near(pixelOf(3) + QPointF(reach - 1.5, 0)); },
         {}},
        {"a point beyond reach",
         true,
         [&] { c.setHideLine(-1); },
         [&] { return near(pixelOf(3) + QPointF(reach + 1.5, 0)); },
         {}},
        {"the line beyond the mouse's 4 pixels, within reach",
         true,
         [] {},
         [&] { return near(onSegment(1, reach - 1.5)); },
         {-1}},
        {"the line beyond reach", true, [] {}, [&] { return near(onSegment(1, reach + 1.5)); }, {}},
        {"a point of a disabled control",
         true,
         [&] { c.setEnabled(false); },
         [&] { return near(pixelOf(3)); },
         {}},
        {"two points 8 pixels apart: the nearer, higher slot",
         true,
         [&] {
             const QPointF beside = valueAt(pixelOf(2) + QPointF(8, 0));
             c.setValueIndex(3);
             c.setX_Knotel(float(beside.x()));
             c.setY_Knotel(float(beside.y()));
             c.RePaint();
         },
         [&] { return near(pixelOf(2) + QPointF(5, 0)); },
         {3}},
        // A host that switches touch off gets the mouse's pick for fingers: Qt makes mouse events.
        {"a finger within reach, touch switched off",
         true,
         [&] { surface.setAttribute(Qt::WA_AcceptTouchEvents, false); },
         [&] { return near(pixelOf(3) + QPointF(0, reach - 1.5)); },
         {}},
        {"a finger on the point, touch switched off",
         true,
         [&] { surface.setAttribute(Qt::WA_AcceptTouchEvents, false); },
         [&] { return near(pixelOf(3)); },
         {3}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        test::loadPoints(c, test::RisingPoints);
        c.setEnabled(true);
        surface.setAttribute(Qt::WA_AcceptTouchEvents);
        c.setHideLine(0);
        c.RePaint();
        r.setUp();
        const QList<QPointF> before = c.points();
        drops.clear();
        const QPoint from = r.press();
        const QPoint to = from + QPoint(-3, -12);
        if (r.byFinger) {
            finger().press(0, from);
            EXPECT_EQ(crosshair(), !r.dropped.empty());
            finger().move(0, to);
            finger().release(0, to);
        } else {
            QTest::mousePress(&surface, Qt::LeftButton, {}, from);
            QTest::mouseMove(&surface, to);
            QTest::mouseRelease(&surface, Qt::LeftButton, {}, to);
        }
        EXPECT_EQ(drops, r.dropped);
        EXPECT_FALSE(crosshair());
        if (r.dropped.empty()) {
            EXPECT_EQ(c.points(), before);
        } else if (r.dropped.front() >= 0) {
            // The grabbed point follows the finger as it follows the mouse: to where it is.
            EXPECT_EQ(point(r.dropped.front()), valueAt(to));
        } else {
            EXPECT_NEAR(point(0).y() - before.at(0).y(), 12 / c.plotLayout().ScaleY, 1e-4);
        }
        EXPECT_EQ(c.undoStack()->count(), r.dropped.empty() ? 0 : 1);
        c.undoStack()->clear();
    }
}

TEST_F(TouchEditing, OneFingerDragsASecondNeitherMovesNorStartsNorEndsAnything)
{
    // The second finger's id comes first in the events: what counts is which finger pressed first.
    const int first = 1;
    const int second = 0;
    const QPoint p3 = near(pixelOf(3));
    const QPoint p5 = near(pixelOf(5));
    finger().press(first, p3);
    finger().stationary(first).press(second, p5);
    finger().move(first, p3 + QPoint(0, -10)).move(second, p5 + QPoint(0, 20));
    finger().stationary(first).release(second, p5 + QPoint(0, 20));
    EXPECT_TRUE(crosshair()); // the second finger's lift ended nothing
    finger().move(first, p3 + QPoint(0, -20));
    EXPECT_EQ(point(3).y(), valueAt(p3 + QPoint(0, -20)).y());
    EXPECT_EQ(point(5), (QPointF{20, 50}));
    EXPECT_TRUE(drops.empty());
    finger().release(first, p3 + QPoint(0, -20));
    EXPECT_EQ(drops, std::vector<int>{3});

    // A first finger on no point holds nothing, and a second on a point grabs nothing either.
    const QPoint empty = near(pixelOf(1) + QPointF(0, -60));
    finger().press(first, empty);
    finger().stationary(first).press(second, p5);
    EXPECT_FALSE(crosshair());
    finger().stationary(first).move(second, p5 + QPoint(0, 20));
    finger().release(first, empty).release(second, p5 + QPoint(0, 20));
    EXPECT_EQ(point(5), (QPointF{20, 50}));
    EXPECT_EQ(drops, std::vector<int>{3});
}

TEST_F(TouchEditing, ACancelledDragPutsTheCurveBackWithNoDropAndNoUndoStep)
{
    QWidget other;
    QMenu menu;
    menu.addAction(QStringLiteral("Menu"));
    const auto touchCancel = [&] {
        QTouchEvent cancel(QEvent::TouchCancel, touchScreen());
        QCoreApplication::sendEvent(&surface, &cancel);
    };
    const auto escape = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); };
    const struct {
        const char* what;
        bool byFinger;
        bool line;
        std::function<void()> cancel;
        std::function<void()> restore;
    } rows[] = {
        {"TouchCancel of a point's drag", true, false, touchCancel, [] {}},
        {"TouchCancel of the curve's move", true, true, touchCancel, [] {}},
        {"Escape during a finger's curve move", true, true, escape, [] {}},
        {"Escape during a mouse drag", false, false, escape, [] {}},
        {"another window taking the mouse", false, true,
         [&] {
             other.show();
             other.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
         },
         [&] {
             other.hide();
             c.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&c));
         }},
        {"the control disabled under the mouse", false, true, [&] { c.setEnabled(false); },
         [&] { c.setEnabled(true); }},
        {"the surface hidden under a finger", true, false, [&] { surface.hide(); }, [&] { surface.show(); }},
        // Last: the offscreen platform leaves the closed popup the active window.
        {"a popup taking the mouse", false, false, [&] { menu.popup(c.mapToGlobal(QPoint(20, 20))); },
         [&] { menu.close(); }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const QImage fresh = surface.image();
        const QList<QPointF> before = c.points();
        const QPoint from = near(r.line ? onSegment(2, 1) : pixelOf(3));
        const QPoint to = from + QPoint(-6, -14);
        const QPoint later = from + QPoint(5, 20);
        // The first row's focus came with the window's activation; every other row's with its press.
        if (&r != &rows[0])
            surface.clearFocus();
        if (r.byFinger) {
            finger().press(0, from);
            finger().move(0, to);
        } else {
            QTest::mousePress(&surface, Qt::LeftButton, {}, from);
            QTest::mouseMove(&surface, to);
        }
        ASSERT_NE(c.points(), before);
        // The keys reach the surface.
        ASSERT_EQ(QApplication::focusWidget(), &surface);
        r.cancel();
        EXPECT_EQ(c.points(), before);
        EXPECT_TRUE(c.changedPoints().isEmpty());
        EXPECT_FALSE(crosshair());
        EXPECT_EQ(differingPixels(surface.image(), fresh), 0);
        // Its later moves and its release do nothing.
        if (r.byFinger) {
            finger().move(0, later);
            finger().release(0, later);
        } else {
            QTest::mouseMove(&surface, later);
            QTest::mouseRelease(&surface, Qt::LeftButton, {}, later);
        }
        r.restore();
        EXPECT_EQ(c.points(), before);
        EXPECT_TRUE(drops.empty());
        EXPECT_EQ(c.undoStack()->count(), 0);
        c.RePaint();
        EXPECT_EQ(differingPixels(surface.image(), fresh), 0);
    }
}

} // namespace
