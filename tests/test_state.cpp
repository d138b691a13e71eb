// The control's state through its typed face: defaults, property rules and the point table.
#include "CurveScene.h"
#include "TestSupport.h"

#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>

#include <QFontInfo>

#include <cmath>
#include <limits>

using namespace knotel;
using knotel::test::errorCodeOf;
using knotel::test::loadPoints;
using knotel::test::pixelsOfColour;
using knotel::test::stateOf;
using knotel::test::surfaceOf;

TEST(CurveDefaults, FreshControlHasTheDocumentedDefaults)
{
    Curve c;
    EXPECT_EQ(c.Dimensions(), 7);
    EXPECT_EQ(c.X_Axis_Left(), -30.0f);
    EXPECT_EQ(c.X_Axis_Right(), 30.0f);
    EXPECT_EQ(c.Y_Axis_Top(), 80.0f);
    EXPECT_EQ(c.Y_Axis_Bottom(), -20.0f);
    EXPECT_EQ(c.X_Step(), 10.0f);
    EXPECT_EQ(c.Y_Step(), 10.0f);
    EXPECT_EQ(c.ViewGrid(), -1);
    EXPECT_EQ(c.BreakPointShape(), 1);
    EXPECT_EQ(c.LockXEndPoints(), -1);
    EXPECT_EQ(c.LockYEndPoints(), 0);
    EXPECT_EQ(c.AllowXCrossover(), 0);
    EXPECT_EQ(c.AllowYCrossover(), -1);
    EXPECT_EQ(c.AllowCompleteCurveMove(), -1);
    EXPECT_EQ(c.LockX_Axis(), 0);
    EXPECT_EQ(c.LockY_Axis(), 0);
    EXPECT_EQ(c.HideLine(), 0);
    EXPECT_EQ(c.ViewTracker(), 0);
    EXPECT_EQ(c.X_Decimals(), 0);
    EXPECT_EQ(c.Y_Decimals(), 0);
    EXPECT_EQ(c.DisableSave(), 0);
    EXPECT_EQ(c.CurveColor(), 0xFFFF80);
    EXPECT_EQ(c.GridColor(), 0x808040);
    EXPECT_EQ(c.BackColor(), 0xAA5500);
    EXPECT_EQ(c.AxisColor(), 0xC0C0C0);
    EXPECT_EQ(c.TextColor(), 0xFFFFFF);
    EXPECT_EQ(c.ActualValueColor(), 0xFF8080);
    EXPECT_EQ(c.CurveCaption(), "CurveCaption");
    EXPECT_EQ(c.X_AxisText(), "X_AxisText");
    EXPECT_EQ(c.Y_AxisText(), "YAxisText");
    EXPECT_EQ(c.ValueIndex(), 0.0f);
    EXPECT_EQ(c.Actual_Value_X(), 0.0f);
    EXPECT_EQ(c.Y_DashedLine_Top(), 0.0f);
}

TEST(CurveDefaults, EverySlotStartsAtTheOriginUnchangedAndNotGiven)
{
    Curve c;
    c.setDimensions(64);
    for (int i = 0; i < 64; ++i) {
        c.setValueIndex(float(i));
        EXPECT_EQ(c.X_Knotel(), 0.0f);
        EXPECT_EQ(c.Y_Knotel(), 0.0f);
        EXPECT_EQ(c.Changed(), 0);
    }
    const CurvePrivate& d = stateOf(c);
    for (int i = 0; i < SlotCount; ++i) {
        EXPECT_FALSE(d.engine.points().xGiven(i));
        EXPECT_FALSE(d.engine.points().yGiven(i));
    }
    EXPECT_FALSE(d.engine.gesture().active());
    EXPECT_FALSE(d.engine.settings().Actual_Value_X.has_value());
    EXPECT_FALSE(d.engine.settings().Y_DashedLine_Top.has_value());
    // Painting is on once the control exists: a RePaint draws the plot.
    c.RePaint();
    EXPECT_GT(pixelsOfColour(surfaceOf(c)->image(), c.AxisColor()), 0);
}

TEST(CurveDefaults, InitialisationComputesTheFirstLayoutAndTheBackColour)
{
    Curve c;
    const PlotLayout l = c.plotLayout();
    EXPECT_GT(l.PlotLeft, 6);
    EXPECT_GT(l.PlotWidth, 0);
    EXPECT_GT(l.PlotHeight, 0);
    EXPECT_EQ(l.XorPenColor, 0xFFFF80 ^ 0xAA5500);
    auto* xy = c.findChild<QWidget*>(QStringLiteral("Text_Value_XY"));
    ASSERT_NE(xy, nullptr);
    EXPECT_EQ(xy->palette().color(QPalette::Base), QColor(0x00, 0x55, 0xAA));
}

TEST(CurveProperties, NormalisedFlagsAndPlainFlags)
{
    Curve c;
    c.setHideLine(5);
    EXPECT_EQ(c.HideLine(), -1);
    c.setHideLine(0);
    EXPECT_EQ(c.HideLine(), 0);
    c.setViewTracker(2);
    EXPECT_EQ(c.ViewTracker(), -1);
    c.setLockX_Axis(5);
    EXPECT_EQ(c.LockX_Axis(), 5);
    c.setAllowCompleteCurveMove(1);
    EXPECT_EQ(c.AllowCompleteCurveMove(), 1);
}

TEST(CurveProperties, ValuesAreStoredUnvalidated)
{
    Curve c;
    c.setX_Axis_Left(10);
    c.setX_Axis_Right(-10);
    c.setX_Step(-1);
    c.setY_Decimals(-3);
    c.setDimensions(-4);
    c.setBreakPointShape(9);
    c.setCurveColor(-1);
    EXPECT_EQ(c.X_Axis_Left(), 10.0f);
    EXPECT_EQ(c.X_Axis_Right(), -10.0f);
    EXPECT_EQ(c.X_Step(), -1.0f);
    EXPECT_EQ(c.Y_Decimals(), -3);
    EXPECT_EQ(c.Dimensions(), -4);
    EXPECT_EQ(c.BreakPointShape(), 9);
    EXPECT_EQ(c.CurveColor(), -1);
}

TEST(CurveProperties, TextsAreCopies)
{
    Curve c;
    QString caption = QStringLiteral("Pressure");
    c.setCurveCaption(caption);
    caption[0] = QLatin1Char('X');
    EXPECT_EQ(c.CurveCaption(), "Pressure");
    c.setY_AxisText(QString());
    EXPECT_TRUE(c.Y_AxisText().isEmpty());
}

TEST(CurveProperties, WritingAValueMarksItGivenEvenWhenItEqualsTheDefault)
{
    Curve c;
    c.setActual_Value_X(0.0f);
    EXPECT_TRUE(stateOf(c).engine.settings().Actual_Value_X.has_value());
    EXPECT_FALSE(stateOf(c).engine.settings().Actual_Value_Y.has_value());
    c.setY_DashedLine_Bottom(0.0f);
    EXPECT_TRUE(stateOf(c).engine.settings().Y_DashedLine_Bottom.has_value());
    EXPECT_FALSE(stateOf(c).engine.settings().Y_DashedLine_Top.has_value());
}

TEST(CurveProperties, BackColourRecoloursAtOnceButTheXorPenWaitsForALayout)
{
    Curve c;
    c.setBackColor(0xFFFFFF);
    EXPECT_EQ(knotel::test::surfaceOf(c)->canvas().backColor(), 0xFFFFFF);
    c.setCurveColor(0x0000FF);
    EXPECT_EQ(c.plotLayout().XorPenColor, 0xFFFF80 ^ 0xAA5500);
    c.RePaint();
    EXPECT_EQ(c.plotLayout().XorPenColor, 0xFFFF00);
}

struct IndexCase {
    float written;
    float readBack;
};

class ValueIndexRounding : public ::testing::TestWithParam<IndexCase> {};

TEST_P(ValueIndexRounding, RoundsToTheNearestIntegerTiesToEven)
{
    Curve c;
    c.setValueIndex(GetParam().written);
    EXPECT_EQ(c.ValueIndex(), GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(Ties, ValueIndexRounding,
                         ::testing::Values(IndexCase{2.5f, 2.0f}, IndexCase{3.5f, 4.0f},
                                           IndexCase{-0.5f, 0.0f}, IndexCase{1.4999f, 1.0f},
                                           IndexCase{-2.5f, -2.0f}, IndexCase{100000.0f, 100000.0f}));

TEST(ValueIndex, BeyondThirtyTwoBitsFailsWithOverflowAndKeepsTheIndex)
{
    Curve c;
    c.setValueIndex(3);
    EXPECT_EQ(errorCodeOf([&] { c.setValueIndex(3e9f); }), RuntimeError::Overflow);
    EXPECT_EQ(errorCodeOf([&] { c.setValueIndex(-3e9f); }), RuntimeError::Overflow);
    EXPECT_EQ(errorCodeOf([&] { c.setValueIndex(std::numeric_limits<float>::quiet_NaN()); }),
              RuntimeError::Overflow);
    EXPECT_EQ(c.ValueIndex(), 3.0f);
    c.setValueIndex(-2147483648.0f);
    EXPECT_EQ(c.ValueIndex(), -2147483648.0f);
}

TEST(PointTable, SlotsOutsideTheCurveIgnoreWritesAndReadZero)
{
    Curve c;
    for (float index : {7.0f, -1.0f, 1000.0f}) {
        c.setValueIndex(index);
        EXPECT_EQ(errorCodeOf([&] { c.setX_Knotel(5); }), 0);
        c.setY_Knotel(6);
        c.setChanged(-1);
        EXPECT_EQ(c.X_Knotel(), 0.0f);
        EXPECT_EQ(c.Y_Knotel(), 0.0f);
        EXPECT_EQ(c.Changed(), 0);
    }
    const CurvePrivate& d = stateOf(c);
    for (int i = 0; i < SlotCount; ++i)
        EXPECT_EQ(d.engine.points().pointX(i), 0.0f);
}

TEST(PointTable, NoPointIsInUseWithoutDimensions)
{
    Curve c;
    c.setDimensions(0);
    c.setValueIndex(0);
    c.setX_Knotel(5);
    EXPECT_EQ(c.X_Knotel(), 0.0f);
    EXPECT_FALSE(stateOf(c).engine.points().xGiven(0));
}

TEST(PointTable, SlotsOfSixtyFourAndMoreFailWithSubscriptOutOfRange)
{
    Curve c;
    c.setDimensions(70);
    for (float index : {64.0f, 65.0f, 69.0f}) {
        c.setValueIndex(index);
        EXPECT_EQ(errorCodeOf([&] { c.setX_Knotel(1); }), RuntimeError::SubscriptOutOfRange);
        EXPECT_EQ(errorCodeOf([&] { c.setY_Knotel(1); }), RuntimeError::SubscriptOutOfRange);
        EXPECT_EQ(errorCodeOf([&] { c.setChanged(-1); }), RuntimeError::SubscriptOutOfRange);
        EXPECT_EQ(errorCodeOf([&] { (void)c.X_Knotel(); }), RuntimeError::SubscriptOutOfRange);
        EXPECT_EQ(errorCodeOf([&] { (void)c.Y_Knotel(); }), RuntimeError::SubscriptOutOfRange);
        EXPECT_EQ(errorCodeOf([&] { (void)c.Changed(); }), RuntimeError::SubscriptOutOfRange);
    }
    // Past the curve the rule is the ordinary one: ignored, no error.
    c.setValueIndex(70);
    EXPECT_EQ(errorCodeOf([&] { c.setX_Knotel(1); }), 0);
    c.setValueIndex(63);
    c.setX_Knotel(4);
    EXPECT_EQ(c.X_Knotel(), 4.0f);
}

TEST(PointTable, ShrinkingAndRegrowingDimensionsKeepsTheSlots)
{
    Curve c;
    loadPoints(c, {{0, 0}, {1, 10}, {2, 20}, {3, 30}, {4, 40}, {5, 50}, {6, 60}});
    c.setDimensions(3);
    c.setValueIndex(5);
    EXPECT_EQ(c.Y_Knotel(), 0.0f);
    c.setDimensions(7);
    EXPECT_EQ(c.X_Knotel(), 5.0f);
    EXPECT_EQ(c.Y_Knotel(), 50.0f);
    EXPECT_TRUE(stateOf(c).engine.points().yGiven(5));
}

TEST(PointTable, LoadingAPointLeavesItUnchanged)
{
    Curve c;
    c.setValueIndex(2);
    c.setX_Knotel(5);
    c.setY_Knotel(3);
    EXPECT_EQ(c.Changed(), 0);
    EXPECT_TRUE(stateOf(c).engine.points().xGiven(2));
    EXPECT_TRUE(stateOf(c).engine.points().yGiven(2));
    EXPECT_FALSE(stateOf(c).engine.points().xGiven(1));
}

TEST(PointTable, ChangedWorksByNegatingTheReference)
{
    Curve c;
    loadPoints(c, {{0, 0}, {0, 3}, {2, 0}});
    c.setValueIndex(1);
    c.setChanged(-1);
    EXPECT_EQ(c.Changed(), -1);
    // Its Y side still differs after X is written again.
    c.setX_Knotel(7);
    EXPECT_EQ(c.Changed(), -1);
    c.setChanged(0);
    EXPECT_EQ(c.Changed(), 0);

    // At the origin the negated reference equals the point: -0.0 == 0.0.
    c.setValueIndex(0);
    c.setChanged(-1);
    EXPECT_EQ(c.Changed(), 0);

    c.setValueIndex(2);
    c.setChanged(5);
    EXPECT_EQ(c.Changed(), -1);
}

TEST(PointTable, AMovedPointReadsChangedUntilAcceptedOrRewritten)
{
    Curve c;
    loadPoints(c, {{-30, 10}, {0, 20}, {30, 30}});
    CurvePrivate& d = stateOf(c);
    d.engine.setPointStraight(1, 4.0f, std::nullopt); // as a drag leaves it
    c.setValueIndex(1);
    EXPECT_EQ(c.Changed(), -1);
    c.setX_Knotel(9);
    EXPECT_EQ(c.Changed(), 0);

    d.engine.setPointStraight(1, std::nullopt, 25.0f);
    EXPECT_EQ(c.Changed(), -1);
    c.setChanged(0);
    EXPECT_EQ(c.Changed(), 0);
    d.engine.setPointStraight(1, std::nullopt, 26.0f);
    EXPECT_EQ(c.Changed(), -1);
    d.engine.setPointStraight(1, std::nullopt, 25.0f); // back at the accepted reference
    EXPECT_EQ(c.Changed(), 0);
}

TEST(PointList, SetPointsLoadsEverySlotAsThePropertyWritesDo)
{
    Curve c;
    c.setValueIndex(5);
    c.setPoints({{-30, 0.1}, {0, 20}, {30, -0.0}});
    EXPECT_EQ(c.Dimensions(), 3);
    EXPECT_EQ(c.ValueIndex(), 5.0f);
    const QList<QPointF> expected{{-30, double(0.1f)}, {0, 20}, {30, 0}};
    EXPECT_EQ(c.points(), expected);
    for (int i = 0; i < 3; ++i) {
        c.setValueIndex(float(i));
        EXPECT_EQ(QPointF(c.X_Knotel(), c.Y_Knotel()), expected[i]);
        EXPECT_EQ(c.Changed(), 0);
        EXPECT_TRUE(stateOf(c).engine.points().xGiven(i) && stateOf(c).engine.points().yGiven(i));
    }
    EXPECT_TRUE(c.changedPoints().isEmpty());
    c.setPoints({});
    EXPECT_EQ(c.Dimensions(), 0);
    EXPECT_TRUE(c.points().isEmpty());
}

TEST(PointList, AFailingSetPointsChangesNothing)
{
    Curve c;
    loadPoints(c, {{-30, 10}, {0, 20}, {30, 30}});
    c.setDimensions(3);
    const QList<QPointF> before = c.points();
    EXPECT_EQ(errorCodeOf([&] { c.setPoints(QList<QPointF>(65, QPointF(1, 1))); }),
              RuntimeError::SubscriptOutOfRange);
    EXPECT_EQ(errorCodeOf([&] { c.setPoints({{1, 1}, {2, 1e300}}); }), RuntimeError::Overflow);
    EXPECT_EQ(errorCodeOf([&] { c.setPoints({{std::nan(""), 1}}); }), RuntimeError::Overflow);
    EXPECT_EQ(c.Dimensions(), 3);
    EXPECT_EQ(c.points(), before);
    EXPECT_FALSE(stateOf(c).engine.points().xGiven(3));
    // Sixty-four is the whole table; beyond it the list stops at slot 63.
    c.setPoints(QList<QPointF>(64, QPointF(1, 2)));
    c.setDimensions(70);
    EXPECT_EQ(c.points().size(), 64);
}

TEST(PointList, ChangedPointsFollowADragUntilAccepted)
{
    test::CurveScene scene;
    Curve& c = scene.curve;
    scene.load(test::RisingPoints);
    const QPointF from = scene.pixelOf(3);
    scene.press(from);
    scene.move(from + QPointF(0, -20));
    scene.release(from + QPointF(0, -20));
    EXPECT_EQ(c.changedPoints(), QList<int>{3});
    const QList<QPointF> dragged = c.points();
    EXPECT_GT(dragged[3].y(), 30.0);

    c.acceptChanges();
    EXPECT_TRUE(c.changedPoints().isEmpty());
    c.setValueIndex(3);
    EXPECT_EQ(c.Changed(), 0);
    EXPECT_EQ(c.points(), dragged);
}

TEST(CurveDefaults, TheSurfaceDrawsInTheInstalledFixedFont)
{
    Curve c;
    const QFontInfo info(knotel::test::surfaceOf(c)->canvas().font());
    EXPECT_EQ(info.family(), "DejaVu Sans");
    EXPECT_EQ(knotel::test::surfaceOf(c)->objectName(), "Picture_Curve");
    for (const char* name :
         {"Text_Value_XY", "Text_Value_X", "Text_Value_Y", "Label_Value_X", "Label_Value_Y"})
        EXPECT_NE(c.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
}
