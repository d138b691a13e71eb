// Keyboard editing and the accessible tree: key presses on the drawing surface move the current
// point or the curve by the drag rules and raise DroppedValue once per press that moved
// something; the focus marker shows on screen only; assistive technology reads the points.
#include "CurveScene.h"
#include "TestSupport.h"

#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <vector>

using namespace knotel;
using knotel::test::differingPixels;
using knotel::test::loadPoints;
using knotel::test::stateOf;
using knotel::test::surfaceOf;

namespace {

class KeyboardEditing : public ::testing::Test {
protected:
    test::CurveScene scene;
    Curve& c = scene.curve;
    CurvePrivate& d = scene.d;
    std::vector<int> drops;

    void SetUp() override
    {
        scene.load(test::RisingPoints);
        QObject::connect(&c, &Curve::DroppedValue, &c, [this](int& index) { drops.push_back(index); });
    }

    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { scene.key(k, modifiers); }
    std::vector<float> ys() const { return {d.engine.points().ys().begin(), d.engine.points().ys().end()}; }
    /** One pixel's worth of each axis. */
    double pixelX() const { return 1.0 / double(d.engine.layout().ScaleX); }
    double pixelY() const { return 1.0 / double(d.engine.layout().ScaleY); }
};

void activate(QWidget& w)
{
    w.show();
    w.activateWindow();
}

} // namespace

TEST_F(KeyboardEditing, KeysMoveTheCurrentPointByTheDragRulesOneDropPerMove)
{
    // Point 0 is an end point: its X is locked, its Y moves by one pixel's worth.
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(d.engine.points().pointX(0), -30.0f);
    key(Qt::Key_Up);
    EXPECT_EQ(d.engine.points().pointY(0), float(0.0 + pixelY()));
    EXPECT_EQ(drops, std::vector<int>{0});

    // Point 1 moves in X; against a neighbour at the same X it cannot, either way.
    key(Qt::Key_Right);
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(d.engine.points().pointX(1), float(-20.0 + pixelX()));
    EXPECT_EQ(drops, (std::vector<int>{0, 1}));
    d.engine.setPointStraight(1, -10.0f, std::nullopt);
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(d.engine.points().pointX(1), -10.0f);
    c.setLockY_Axis(-1);
    key(Qt::Key_Up);
    EXPECT_EQ(d.engine.points().pointY(1), 10.0f);
    EXPECT_EQ(drops, (std::vector<int>{0, 1})) << "refused moves raise nothing";
    c.setLockY_Axis(0);

    // Page Up steps by Y_Step and stops at the axis top; the tracker follows the current point.
    c.setViewTracker(-1);
    key(Qt::Key_End);
    key(Qt::Key_PageUp);
    EXPECT_EQ(d.engine.points().pointY(6), 70.0f);
    key(Qt::Key_PageUp);
    key(Qt::Key_PageUp);
    EXPECT_EQ(d.engine.points().pointY(6), 80.0f);
    EXPECT_EQ(drops, (std::vector<int>{0, 1, 6, 6}));
    EXPECT_EQ(c.findChild<QLineEdit*>(QStringLiteral("Text_Value_Y"))->text(), QStringLiteral("+80"));

    // The current point is kept, clamped into the slots in use.
    c.setDimensions(3);
    key(Qt::Key_Down);
    EXPECT_EQ(d.engine.points().pointY(2), float(20.0 - pixelY()));
    key(Qt::Key_Home);
    EXPECT_EQ(d.engine.currentPoint(), 0);
}

TEST_F(KeyboardEditing, CtrlUpAndDownMoveTheWholeCurveWhereTheMouseCould)
{
    // A plot 200 rows high over the Y axis's 100 units: 80 lies exactly on the top row.
    c.resize(c.width(), c.height() + 200 - d.engine.layout().PlotHeight);
    c.RePaint();
    ASSERT_EQ(d.engine.layout().ScaleY, 2.0f);
    const std::vector<float> before = ys();
    key(Qt::Key_Up, Qt::ControlModifier);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(d.engine.points().pointY(i), float(double(before[i]) + pixelY())) << i;
    EXPECT_EQ(drops, std::vector<int>{-1});

    // Off, or with a point on the top row: nothing moves and nothing is raised.
    c.setAllowCompleteCurveMove(1);
    key(Qt::Key_Down, Qt::ControlModifier);
    c.setAllowCompleteCurveMove(-1);
    d.engine.setPointStraight(4, std::nullopt, 80.0f);
    const std::vector<float> atTop = ys();
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(ys(), atTop);
    EXPECT_EQ(drops, std::vector<int>{-1});
}

TEST_F(KeyboardEditing, TheChosenPointStaysChosenWhenDimensionsShrinksAndGrows)
{
    c.setDimensions(3);
    key(Qt::Key_End);
    c.setDimensions(1);
    scene.press(scene.pixelOf(0));
    scene.release(scene.pixelOf(0));
    c.setDimensions(3);
    drops.clear();
    key(Qt::Key_Up);
    EXPECT_EQ(drops, std::vector<int>{0});
}

TEST_F(KeyboardEditing, CtrlUpLeavesACurveWhoseLineIsNotDrawn)
{
    c.setDimensions(8); // slot 7 never loaded
    c.RePaint();
    const std::vector<float> before = ys();
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(ys(), before);
    EXPECT_TRUE(drops.empty());
}

TEST_F(KeyboardEditing, TheFocusMarkerShowsForTheKeyboardOnlyAndNeverInThePicture)
{
    DrawingSurface* surface = surfaceOf(c);
    EXPECT_EQ(surface->focusPolicy(), Qt::StrongFocus);
    auto screenShowsPicture = [&] {
        QCoreApplication::processEvents();
        return differingPixels(surface->grab().toImage(), surface->image()) == 0;
    };

    // Focus from the window's activation: a mouse user's picture, without a marker.
    activate(c);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&c));
    ASSERT_TRUE(surface->hasFocus());
    c.RePaint();
    EXPECT_TRUE(screenShowsPicture());

    // Focus from a click, then a drag of point 3: still the picture of a fresh RePaint alone.
    surface->clearFocus();
    // Through the window, as a person's click arrives: it gives the focus.
    const QPoint p3 = scene.pixelOf(3).toPoint();
    QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, p3);
    ASSERT_TRUE(surface->hasFocus());
    QTest::mouseMove(surface, p3 + QPoint(0, -12));
    EXPECT_TRUE(screenShowsPicture()) << "during the drag";
    QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, p3 + QPoint(0, -12));
    EXPECT_EQ(d.engine.currentPoint(), 3) << "a grabbed point becomes the current one";
    EXPECT_TRUE(screenShowsPicture());
    const QImage dragged = surface->image();
    c.RePaint();
    EXPECT_EQ(differingPixels(surface->image(), dragged), 0);

    // Tab brings the marker; a press takes it away, a key of the control brings it back there.
    QWidget* other = c.findChild<QLineEdit*>(QStringLiteral("Text_Value_Y"));
    other->setFocus();
    for (int i = 0; i < 4 && !surface->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(surface->hasFocus());
    EXPECT_FALSE(screenShowsPicture());
    scene.press(QPointF(2, 2));
    scene.release(QPointF(2, 2));
    EXPECT_TRUE(screenShowsPicture());
    key(Qt::Key_Right);
    EXPECT_EQ(d.engine.currentPoint(), 4);
    EXPECT_FALSE(screenShowsPicture());
    EXPECT_EQ(differingPixels(surface->image(), dragged), 0) << "the marker never enters the picture";
    surface->clearFocus();
    EXPECT_TRUE(screenShowsPicture());
}

TEST_F(KeyboardEditing, AssistiveTechnologyReadsThePointsAndHearsTheirMoves)
{
    c.setDimensions(3);
    c.setCurveCaption(QStringLiteral("Flow"));
    c.setY_Decimals(1);
    activate(c);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&c));
    surfaceOf(c)->setFocus();

    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(surfaceOf(c));
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->role(), QAccessible::Chart);
    EXPECT_EQ(chart->text(QAccessible::Name), QStringLiteral("Flow"));
    EXPECT_EQ(chart->text(QAccessible::Description),
              QStringLiteral("X axis X_AxisText from -30 to 30, Y axis YAxisText from -20.0 to 80.0"));
    ASSERT_EQ(chart->childCount(), 3 + 1); // the points, then the tracker box inside the surface
    EXPECT_EQ(chart->child(3)->text(QAccessible::Name), QStringLiteral("Text_Value_XY"));
    EXPECT_EQ(chart->child(2)->text(QAccessible::Name), QStringLiteral("Point 2"));
    EXPECT_EQ(chart->child(2)->text(QAccessible::Value), QStringLiteral("x -10, y 20.0"));
    EXPECT_EQ(chart->indexOfChild(chart->child(2)), 2);
    EXPECT_EQ(chart->child(2)->parent(), chart);

    key(Qt::Key_Right);
    key(Qt::Key_PageUp);

    EXPECT_EQ(chart->child(1)->text(QAccessible::Value), QStringLiteral("x -20, y 20.0"));
    EXPECT_TRUE(chart->child(1)->state().focused);
    EXPECT_TRUE(chart->child(1)->state().selected);
    EXPECT_FALSE(chart->child(0)->state().focused);
    EXPECT_EQ(chart->focusChild(), chart->child(1));

    QAccessibleInterface* tracker =
        QAccessible::queryAccessibleInterface(c.findChild<QLineEdit*>(QStringLiteral("Text_Value_X")));
    EXPECT_EQ(tracker->text(QAccessible::Name), QStringLiteral("Text_Value_X"));
}

namespace {
/** The chart's point events, as an assistive technology receives them: type and child. */
std::vector<std::pair<QAccessible::Event, int>>* pointEvents = nullptr;
} // namespace

TEST_F(KeyboardEditing, AKeyMoveAndAMouseDropAnnounceThePointAndTheFocusNamesTheCurrentOne)
{
    std::vector<std::pair<QAccessible::Event, int>> events;
    pointEvents = &events;
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler([](QAccessibleEvent* e) {
        if (qobject_cast<DrawingSurface*>(e->object()) && e->child() >= 0)
            pointEvents->emplace_back(e->type(), e->child());
    });
    activate(c);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&c));
    surfaceOf(c)->setFocus();
    QCoreApplication::processEvents();
    if (!QAccessible::isActive()) {
        QAccessible::installUpdateHandler(previous);
        GTEST_SKIP() << "no assistive technology listens: run through with_assistive_technology.sh";
    }

    key(Qt::Key_Right);
    key(Qt::Key_Up);
    const QPointF p4 = scene.pixelOf(4);
    scene.press(p4);
    scene.move(p4 + QPointF(0, -8));
    scene.release(p4 + QPointF(0, -8));
    QAccessible::installUpdateHandler(previous);
    pointEvents = nullptr;

    const std::vector<std::pair<QAccessible::Event, int>> expected{{QAccessible::Focus, 1},
                                                                   {QAccessible::ValueChanged, 1},
                                                                   {QAccessible::Focus, 4},
                                                                   {QAccessible::ValueChanged, 4}};
    EXPECT_EQ(events, expected);
}
