// Mouse editing through real mouse events on the drawing surface: what a press grabs, how a
// drag follows the lock, crossover and clamping rules, the curve move, the tracker read-out,
// DroppedValue and the picture left behind by the XOR redraw.
#include "CurveScene.h"
#include "TestSupport.h"

#include "engine/PlotMapping.h"
#include "platform/Colour.h"
#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>

#include <cmath>
#include <functional>
#include <vector>

using namespace knotel;
using knotel::platform::MousePointer;
using knotel::test::differingPixels;
using knotel::test::loadPoints;
using knotel::test::stateOf;
using knotel::test::surfaceOf;

namespace {

class MouseEditing : public ::testing::Test {
protected:
    test::CurveScene scene;
    Curve& c = scene.curve;
    std::vector<int> drops;
    std::function<void()> duringDrop; ///< runs inside the DroppedValue handler

    void SetUp() override
    {
        scene.load(test::RisingPoints);
        QObject::connect(&c, &Curve::DroppedValue, &c, [this](int& index) {
            drops.push_back(index);
            if (duringDrop)
                duringDrop();
        });
    }

    PlotMapping map() const { return scene.map(); }
    /** @p v as a single, through memory: GCC's fast excess precision may skip a plain cast's rounding. */
    static float single(double v)
    {
        volatile float s = float(v);
        return s;
    }
    QPointF pixelOf(float x, float y) const { return {single(map().pixelX(x)), single(map().pixelY(y))}; }
    QPointF pixelOfPoint(int i) { return pixelOf(pointX(i), pointY(i)); }
    float valueX(const QPointF& p) const { return float(map().valueX(float(p.x()))); }
    float valueY(const QPointF& p) const { return float(map().valueY(float(p.y()))); }

    float pointX(int i)
    {
        c.setValueIndex(float(i));
        return c.X_Knotel();
    }
    float pointY(int i)
    {
        c.setValueIndex(float(i));
        return c.Y_Knotel();
    }
    void setPoint(int i, float x, float y)
    {
        c.setValueIndex(float(i));
        c.setX_Knotel(x);
        c.setY_Knotel(y);
    }

    void send(QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons held)
    {
        scene.mouse(type, pos, button, held);
    }
    void press(QPointF p) { scene.press(p); }
    void move(QPointF p, Qt::MouseButtons held = Qt::LeftButton) { scene.move(p, held); }
    void release(QPointF p) { scene.release(p); }

    bool crosshair() { return surfaceOf(c)->mousePointer() == MousePointer::Crosshair; }

    /** The midpoint of segment @p j, @p above pixels above its line. */
    QPointF onSegment(int j, double above)
    {
        const QPointF a = pixelOfPoint(j);
        const QPointF b = pixelOfPoint(j + 1);
        return {(a.x() + b.x()) / 2, (a.y() + b.y()) / 2 - above};
    }
};

QLineEdit* box(Curve& c, const char* name)
{
    return c.findChild<QLineEdit*>(QString::fromLatin1(name));
}

} // namespace

TEST_F(MouseEditing, AmongClosePointsTheLowestIndexIsPicked)
{
    const QPointF p2 = pixelOfPoint(2);
    setPoint(3, valueX(p2 + QPointF(2, 0)), valueY(p2 + QPointF(0, 1)));
    press(pixelOfPoint(3)); // 2 px from point 2, 0 px from point 3
    EXPECT_TRUE(crosshair());
    release(pixelOfPoint(3));
    EXPECT_EQ(drops, std::vector<int>{2});
}

TEST_F(MouseEditing, APointIsPickedOnlyStrictlyWithinFourPixelsPerAxis)
{
    c.setHideLine(-1); // markers stay pickable; nothing else can be grabbed
    const struct {
        double dx, dy;
        bool picked;
    } rows[] = {{4, 0, false},  {3.9, 0, true}, {-4, 0, false},  {-3.9, 0, true},   {0, 4, false},
                {0, 3.9, true}, {0, -4, false}, {0, -3.9, true}, {3.9, -3.9, true}, {4, 3.9, false}};
    const QPointF p = pixelOfPoint(3);
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "offset " << r.dx << ", " << r.dy);
        const QPointF at(float(p.x() + r.dx), float(p.y() + r.dy));
        // The offset survives the press position's single precision: 4 exactly, 3.9 nearly.
        ASSERT_NEAR(at.x() - p.x(), r.dx, 1e-4);
        ASSERT_NEAR(at.y() - p.y(), r.dy, 1e-4);
        if (std::fabs(r.dx) == 4) {
            ASSERT_EQ(std::fabs(at.x() - p.x()), 4.0);
        }
        if (std::fabs(r.dy) == 4) {
            ASSERT_EQ(std::fabs(at.y() - p.y()), 4.0);
        }
        drops.clear();
        press(at);
        EXPECT_EQ(crosshair(), r.picked);
        release(at);
        EXPECT_EQ(drops, r.picked ? std::vector<int>{3} : std::vector<int>{});
    }
}

TEST_F(MouseEditing, APressThreePixelsAboveTheLineGrabsTheCurveUnlessTheLineIsHidden)
{
    press(onSegment(1, 3));
    EXPECT_TRUE(crosshair());
    release(onSegment(1, 3));
    EXPECT_EQ(drops, std::vector<int>{-1});

    drops.clear();
    c.setHideLine(-1);
    press(onSegment(1, 3));
    EXPECT_FALSE(crosshair());
    release(onSegment(1, 3));
    EXPECT_TRUE(drops.empty());

    // Nor while the line is not drawn because a point's Y was never given; points still are.
    c.setHideLine(0);
    c.setDimensions(8);
    c.setValueIndex(7);
    c.setX_Knotel(40);
    c.RePaint();
    press(onSegment(1, 3));
    EXPECT_FALSE(crosshair());
    release(onSegment(1, 3));
    EXPECT_TRUE(drops.empty());
    press(pixelOfPoint(2));
    release(pixelOfPoint(2));
    EXPECT_EQ(drops, std::vector<int>{2});
}

TEST_F(MouseEditing, NothingIsGrabbedWhereNothingCanBe)
{
    const struct {
        const char* what;
        std::function<void()> setUp;
        std::function<QPointF()> at;
    } rows[] = {
        {"a vertical segment, along its length", [&] { setPoint(3, -10, 60); },
         [&] { return pixelOf(-10, 40); }},
        {"no point in use", [&] { c.setDimensions(0); }, [&] { return pixelOf(0, 30); }},
        {"one point: no segment", [&] { c.setDimensions(1); }, [&] { return pixelOf(-25, 5); }},
        {"an X axis with equal ends: no finite position",
         [&] {
             c.setX_Axis_Right(c.X_Axis_Left());
             c.RePaint();
         },
         [&] {
             const PlotLayout l = c.plotLayout();
             return QPointF(l.PlotLeft, float(map().pixelY(0)));
         }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        c.setDimensions(7);
        r.setUp();
        const QPointF at = r.at();
        for (double dy : {-20.0, -3.0, 0.0, 3.0, 20.0}) {
            press(at + QPointF(0, dy));
            EXPECT_FALSE(crosshair());
            release(at + QPointF(0, dy));
        }
        EXPECT_TRUE(drops.empty());
    }
}

TEST_F(MouseEditing, CrossoverIsRefusedAndTheDragFollowsAgainOnReturn)
{
    press(pixelOfPoint(3));
    const QPointF accepted = pixelOf(-5, 30);
    move(accepted);
    EXPECT_EQ(pointX(3), valueX(accepted));
    move(pixelOf(-15, 35)); // past point 2 at -10: X refused, Y still follows
    EXPECT_EQ(pointX(3), valueX(accepted));
    EXPECT_EQ(pointY(3), valueY(pixelOf(-15, 35)));
    const QPointF back = pixelOf(-8, 30);
    move(back);
    EXPECT_EQ(pointX(3), valueX(back));
    move(pixelOf(12, 30)); // past point 4 at 10
    EXPECT_EQ(pointX(3), valueX(back));
    release(back);

    // A point on its neighbour's X keeps that X; its Y still moves.
    setPoint(3, -10, 30);
    press(pixelOfPoint(3));
    move(pixelOfPoint(3) + QPointF(6, -6));
    EXPECT_EQ(pointX(3), -10.0f);
    EXPECT_EQ(pointY(3), valueY(pixelOf(-10, 30) + QPointF(6, -6)));
}

TEST_F(MouseEditing, EndPointLocksHoldTheirCoordinateOfTheEndPointsOnly)
{
    const struct {
        qint32 lockXEnds, lockYEnds;
        int index;
        bool xMoves, yMoves;
    } rows[] = {
        {-1, 0, 0, false, true}, {-1, 0, 6, false, true}, {0, -1, 6, true, false}, {-1, -1, 3, true, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "point " << r.index << " locks " << r.lockXEnds << r.lockYEnds);
        c.setLockXEndPoints(r.lockXEnds);
        c.setLockYEndPoints(r.lockYEnds);
        const float x0 = pointX(r.index), y0 = pointY(r.index);
        const QPointF to = pixelOfPoint(r.index) + QPointF(r.index == 0 ? 5 : -5, -5);
        press(pixelOfPoint(r.index));
        move(to);
        release(to);
        EXPECT_EQ(pointX(r.index), r.xMoves ? valueX(to) : x0);
        EXPECT_EQ(pointY(r.index), r.yMoves ? valueY(to) : y0);
        setPoint(r.index, x0, y0);
    }
}

TEST_F(MouseEditing, AboveSixtyFourPointsSlotSixtyThreeIsTheLastPoint)
{
    c.setDimensions(64);
    for (int i = 0; i < 64; ++i)
        setPoint(i, -30.0f + 60.0f * float(i) / 63.0f, 30);
    c.setDimensions(100);
    c.setAllowXCrossover(-1); // only the end-point lock can hold X
    c.RePaint();
    const QPointF to = pixelOfPoint(63) + QPointF(-3, -8);
    press(pixelOfPoint(63));
    move(to);
    release(to);
    EXPECT_EQ(drops, std::vector<int>{63});
    EXPECT_EQ(pointX(63), 30.0f); // locked as the end point
    EXPECT_EQ(pointY(63), valueY(to));
}

TEST_F(MouseEditing, APointWithBothAxesLockedIsNotRedrawnButStillDropped)
{
    c.setLockX_Axis(-1);
    c.setLockY_Axis(-1);
    int drawCalls = 0;
    press(pixelOfPoint(3));
    surfaceOf(c)->canvas().setRecorder([&](const platform::DrawCall&) { ++drawCalls; });
    move(pixelOfPoint(3) + QPointF(-10, -10));
    surfaceOf(c)->canvas().setRecorder({});
    EXPECT_EQ(drawCalls, 0);
    release(pixelOfPoint(3));
    EXPECT_EQ(drops, std::vector<int>{3});
    EXPECT_EQ(pointX(3), 0.0f);
    EXPECT_EQ(pointY(3), 30.0f);
}

TEST_F(MouseEditing, ADragPastAnAxisEndStopsAtThatEndAlsoOnAReversedAxis)
{
    c.setAllowXCrossover(-1);
    const struct {
        float left, right;
        bool pastRight, pastTop;
        float x, y;
    } rows[] = {{-30, 30, true, true, 30, 80},
                {-30, 30, false, false, -30, -20},
                {30, -30, true, false, -30, -20},
                {30, -30, false, true, 30, 80}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "axis " << r.left << " to " << r.right);
        c.setX_Axis_Left(r.left);
        c.setX_Axis_Right(r.right);
        c.RePaint();
        setPoint(3, 0, 30);
        const PlotLayout l = c.plotLayout();
        const QPointF to(r.pastRight ? l.PlotLeft + l.PlotWidth + 15 : l.PlotLeft - 15,
                         r.pastTop ? l.PlotTop - 8 : l.PlotTop + l.PlotHeight + 8);
        press(pixelOfPoint(3));
        move(to);
        release(to);
        EXPECT_EQ(pointX(3), r.x);
        EXPECT_EQ(pointY(3), r.y);
    }
}

TEST_F(MouseEditing, TheCurveMoveStopsAtTheBottomAndTopRowsOfThePlot)
{
    const PlotLayout l = c.plotLayout();
    const QPointF grab = onSegment(2, 3);
    press(grab);
    move(QPointF(grab.x(), 2000)); // lowest point, slot 0, ends on the bottom row
    EXPECT_NEAR(map().pixelY(pointY(0)), l.PlotTop + l.PlotHeight, 1e-3);
    const float shift = pointY(0) - 0.0f;
    EXPECT_LT(shift, 0.0f);
    for (int i = 1; i < 7; ++i)
        EXPECT_NEAR(pointY(i) - 10.0f * float(i), shift, 1e-4) << "point " << i;

    move(QPointF(grab.x(), -2000)); // highest point, slot 6, ends on the top row
    EXPECT_NEAR(map().pixelY(pointY(6)), l.PlotTop, 1e-3);
    EXPECT_NEAR(pointY(0) - 0.0f, pointY(6) - 60.0f, 1e-4);

    duringDrop = [&] {
        c.setValueIndex(6);
        EXPECT_EQ(c.Changed(), -1); // the handler sees the moved curve
        EXPECT_TRUE(stateOf(c).engine.gesture().curveMoving);
        EXPECT_NEAR(map().pixelY(c.Y_Knotel()), l.PlotTop, 1e-3);
    };
    release(grab);
    EXPECT_EQ(drops, std::vector<int>{-1});
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(pointX(i), -30.0f + 10.0f * float(i));
}

TEST_F(MouseEditing, AGrabbedCurveStaysWhenTheCurveMoveIsOffAndIsStillDropped)
{
    const struct {
        qint32 allow, lockY;
    } rows[] = {{1, 0}, {0, 0}, {-1, -1}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "AllowCompleteCurveMove " << r.allow << " LockY_Axis " << r.lockY);
        c.setAllowCompleteCurveMove(r.allow);
        c.setLockY_Axis(r.lockY);
        drops.clear();
        press(onSegment(2, 3));
        EXPECT_TRUE(crosshair());
        move(onSegment(2, 3) + QPointF(0, 25));
        release(onSegment(2, 3));
        EXPECT_EQ(drops, std::vector<int>{-1});
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(pointY(i), 10.0f * float(i));
    }
}

TEST_F(MouseEditing, TheRightButtonDuringADragEndsItReportingOnlyWhatMoved)
{
    press(pixelOfPoint(3));
    const QPointF first = pixelOfPoint(3) + QPointF(-5, -5);
    move(first);
    duringDrop = [&] { EXPECT_EQ(stateOf(c).engine.gesture().point, 3); };
    move(first + QPointF(-5, -5), Qt::LeftButton | Qt::RightButton);
    EXPECT_FALSE(crosshair());
    EXPECT_EQ(drops, std::vector<int>{3}); // reported at once, as a release would
    move(first + QPointF(-10, -10));
    release(first + QPointF(-10, -10));
    EXPECT_EQ(drops, std::vector<int>{3}); // and only once
    EXPECT_EQ(pointX(3), valueX(first));
    EXPECT_EQ(pointY(3), valueY(first));

    // A drag or a curve move that moved nothing ends without an event; a moved curve gives -1.
    duringDrop = nullptr;
    drops.clear();
    press(pixelOfPoint(4));
    move(pixelOfPoint(4) + QPointF(0, 8), Qt::RightButton);
    press(onSegment(1, 0));
    move(onSegment(1, 0), Qt::LeftButton | Qt::MiddleButton);
    release(onSegment(1, 0));
    EXPECT_TRUE(drops.empty());
    press(onSegment(1, 0));
    move(onSegment(1, 0) + QPointF(0, 8));
    move(onSegment(1, 0) + QPointF(0, 8), Qt::NoButton);
    release(onSegment(1, 0));
    EXPECT_EQ(drops, std::vector<int>{-1});
}

TEST_F(MouseEditing, APointOutsideThePlotRowsDoesNotLimitTheCurveMove)
{
    c.setDimensions(3);
    loadPoints(c, {{-30, 0}, {0, 120}, {30, 40}}); // the middle one above Y_Axis_Top
    c.RePaint();
    const QPointF grab = pixelOf(-22.5f, 30);
    press(grab);
    move(grab + QPointF(0, 1));
    release(grab + QPointF(0, 1));
    const float oneRow = 1.0f / c.plotLayout().ScaleY;
    EXPECT_NEAR(pointY(0), 0 - oneRow, 1e-4);
    EXPECT_NEAR(pointY(1), 120 - oneRow, 1e-4);
    EXPECT_NEAR(pointY(2), 40 - oneRow, 1e-4);

    press(grab);
    move(grab + QPointF(0, 2000)); // slot 0, inside at the grab, stops on the bottom row
    release(grab);
    EXPECT_NEAR(pointY(0), -20, 1e-4);
}

TEST_F(MouseEditing, TheDropHandlerReadsTheDraggedPoint)
{
    const QPointF to = pixelOfPoint(4) + QPointF(3, -12);
    duringDrop = [&] {
        c.setValueIndex(4);
        EXPECT_EQ(c.X_Knotel(), valueX(to));
        EXPECT_EQ(c.Y_Knotel(), valueY(to));
        EXPECT_EQ(c.Changed(), -1);
        EXPECT_EQ(stateOf(c).engine.gesture().point, 4);
    };
    press(pixelOfPoint(4));
    move(to);
    release(to);
    EXPECT_EQ(drops, std::vector<int>{4});
}

TEST_F(MouseEditing, TheTrackerShowsTheMousePositionInAxisUnits)
{
    c.setViewTracker(-1);
    c.setX_Decimals(1);
    c.setY_Decimals(0);
    c.setTextColor(0x00FF00);
    // The texts cut, never round: any mouse value in [12.5, 12.6) x [3, 4) reads +12.5 and +3.
    move(pixelOf(12.55f, 3.5f), Qt::NoButton);
    EXPECT_EQ(box(c, "Text_Value_X")->text(), QStringLiteral("+12.5"));
    EXPECT_EQ(box(c, "Text_Value_Y")->text(), QStringLiteral("+3"));
    EXPECT_EQ(box(c, "Text_Value_XY")->text(), QStringLiteral("( +12.5 / +3 )"));
    EXPECT_EQ(box(c, "Text_Value_XY")->palette().color(QPalette::Text), platform::toQColor(0x00FF00));

    // Left of the plot the X read-out is 0.
    move(QPointF(c.plotLayout().PlotLeft - 2, pixelOf(0, 3.5f).y()), Qt::NoButton);
    EXPECT_EQ(box(c, "Text_Value_XY")->text(), QStringLiteral("( 0.0 / +3 )"));

    // Negative decimals leave the texts as they were, and the drag goes on.
    c.setX_Decimals(-1);
    press(pixelOfPoint(3));
    const QPointF to = pixelOfPoint(3) + QPointF(-4, -4);
    move(to);
    EXPECT_EQ(box(c, "Text_Value_X")->text(), QStringLiteral("0.0"));
    EXPECT_EQ(box(c, "Text_Value_XY")->text(), QStringLiteral("( 0.0 / +3 )"));
    EXPECT_EQ(pointX(3), valueX(to));
}

TEST_F(MouseEditing, TheXorRedrawLeavesThePictureOfAFreshRepaint)
{
    for (qint32 shape : {1, 2, 3, 4}) {
        SCOPED_TRACE(testing::Message() << "BreakPointShape " << shape);
        c.setBreakPointShape(shape);
        c.RePaint();
        const QImage before = surfaceOf(c)->image();
        press(pixelOfPoint(3));
        for (int step = 1; step <= 6; ++step)
            move(pixelOfPoint(3) + QPointF(-1.3 * step, -2.7 * step));
        release(pixelOfPoint(3));
        press(onSegment(4, 2));
        for (int step = 1; step <= 4; ++step)
            move(onSegment(4, 2) + QPointF(0.5 * step, 3.1 * step));
        release(onSegment(4, 2));
        const QImage dragged = surfaceOf(c)->image();
        EXPECT_GT(differingPixels(before, dragged), 0);
        c.RePaint();
        EXPECT_EQ(differingPixels(dragged, surfaceOf(c)->image()), 0);
    }
}

TEST_F(MouseEditing, AZeroScaleNeverStoresANonFiniteValue)
{
    // A plot without height: every point sits on one row, and no mouse Y maps to a value.
    c.resize(c.width(), c.height() - stateOf(c).engine.layout().PlotHeight);
    c.RePaint();
    ASSERT_EQ(stateOf(c).engine.layout().ScaleY, 0.0f);
    const QPointF to = pixelOfPoint(3) + QPointF(-6, -6);
    press(pixelOfPoint(3));
    move(to);
    release(to);
    EXPECT_EQ(pointX(3), valueX(to));
    EXPECT_EQ(pointY(3), 30.0f);

    press(onSegment(1, 3));
    EXPECT_TRUE(crosshair());
    move(onSegment(1, 3) + QPointF(0, -10));
    release(onSegment(1, 3));
    EXPECT_EQ(drops, (std::vector<int>{3, -1}));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(pointY(i), 10.0f * float(i));
}
