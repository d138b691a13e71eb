// The buttons: points and changed flags through box 35, the generated curve, colours and errors.
#include "RandomGenerator.h"
#include "WindowFixture.h"

#include <knotel/LeadingValue.h>

#include <vector>

namespace {

using Points = std::vector<std::pair<float, float>>;

Points pointsOf(knotel::Curve* curve, int count)
{
    Points points;
    for (int i = 0; i < count; ++i) {
        curve->setValueIndex(float(i));
        points.emplace_back(curve->X_Knotel(), curve->Y_Knotel());
    }
    return points;
}

class CommandTest : public WindowTest {
protected:
    /** Changes the Y axis without repainting, so that a later repaint shows in the layout. */
    float armRepaintProbe()
    {
        const float scale = curve->plotLayout().ScaleY;
        setText(37, QStringLiteral("180 Y_Axis_Top"));
        EXPECT_EQ(curve->plotLayout().ScaleY, scale); // a box write alone never repaints
        return scale;
    }
    bool repainted(float scaleBefore) const { return curve->plotLayout().ScaleY != scaleBefore; }
};

TEST_F(CommandTest, RandomValuesForSevenPoints)
{
    const float scale = armRepaintProbe();
    click("Command_Values");
    EXPECT_TRUE(repainted(scale));
    EXPECT_EQ(curve->ValueIndex(), 6.0f);
    const Points points = pointsOf(curve, 7);
    knotelbench::RandomGenerator fresh;
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(points[i].first, float(-30 + 10 * i)) << i;
        const double centre = 80.0 - 10.0 * i;
        EXPECT_GE(points[i].second, centre - 5.0) << i;
        EXPECT_LT(points[i].second, centre + 5.0) << i;
        // One rounding to single, at the end.
        EXPECT_EQ(points[i].second, float(80.0 - 10.0 * i + double(fresh.next()) * 10.0 - 5.0)) << i;
        curve->setValueIndex(float(i));
        EXPECT_EQ(curve->Changed(), 0);
    }
    EXPECT_TRUE(status().isEmpty());
}

TEST_F(CommandTest, RandomValuesForTwoPointsAndTheSameAtEveryStart)
{
    setText(22, QStringLiteral("2"));
    click("Command_Values");
    const Points first = pointsOf(curve, 2);
    EXPECT_EQ(first[0].first, -30.0f);
    EXPECT_EQ(first[1].first, 30.0f);
    EXPECT_GE(first[0].second, 75.0f);
    EXPECT_LT(first[0].second, 85.0f);
    EXPECT_GE(first[1].second, 15.0f);
    EXPECT_LT(first[1].second, 25.0f);
    // A second click continues the sequence.
    click("Command_Values");
    EXPECT_NE(pointsOf(curve, 2), first);

    // A new window (a new start of the program) produces the first values again.
    SetUp();
    setText(22, QStringLiteral("2"));
    click("Command_Values");
    EXPECT_EQ(pointsOf(curve, 2), first);
}

TEST_F(CommandTest, RandomValuesForASinglePoint)
{
    setText(22, QStringLiteral("1"));
    click("Command_Values");
    const auto [x, y] = point(0);
    EXPECT_EQ(x, -30.0f);
    EXPECT_GE(y, 75.0f);
    EXPECT_LT(y, 85.0f);
    EXPECT_EQ(curve->ValueIndex(), 0.0f);
}

TEST_F(CommandTest, RandomValuesWithoutPointsDoNothing)
{
    for (const char* dimensions : {"0", "-3"}) {
        setText(22, QString::fromLatin1(dimensions));
        const float scale = armRepaintProbe();
        curve->setValueIndex(5);
        click("Command_Values");
        EXPECT_FALSE(repainted(scale)) << dimensions;
        EXPECT_EQ(curve->ValueIndex(), 5.0f);
        setText(22, QStringLiteral("7"));
        EXPECT_EQ(pointsOf(curve, 7), Points(7, {0.0f, 0.0f}));
        setText(37, QStringLiteral("80"));
    }
}

TEST_F(CommandTest, RandomValuesPastTheLastSlotStopAndReport)
{
    setText(22, QStringLiteral("70"));
    const float scale = armRepaintProbe();
    click("Command_Values");
    EXPECT_TRUE(repainted(scale)); // the points written are shown
    EXPECT_TRUE(status().contains(QLatin1String("error 9"))) << status().toStdString();
    EXPECT_TRUE(status().contains(QLatin1String("Subscript out of range")));
    curve->setValueIndex(63);
    EXPECT_FLOAT_EQ(curve->X_Knotel(), float(60.0 / 69.0 * 63 - 30.0));
    // The next command that succeeds clears the report.
    click("Command_RePaint");
    EXPECT_TRUE(status().isEmpty());
}

TEST_F(CommandTest, DimensionsBeyondSixteenBitsIsReported)
{
    setText(22, QStringLiteral("40000"));
    click("Command_Values");
    EXPECT_TRUE(status().contains(QLatin1String("error 6"))) << status().toStdString();
    curve->setValueIndex(0);
    EXPECT_EQ(curve->X_Knotel(), 0.0f);
}

TEST_F(CommandTest, SetAndGetPointThroughTheIndexBox)
{
    setText(35, QStringLiteral("1.5 ValueIndex")); // ties to even: slot 2
    setText(33, QStringLiteral("0.25 X_Knotel"));
    click("Command_Write");
    EXPECT_EQ(point(2), std::make_pair(0.25f, 42.3f));

    setText(33, QString());
    setText(34, QString());
    setText(35, QStringLiteral("2"));
    click("Command_Read");
    EXPECT_EQ(text(33), "0.25 X_Knotel");
    EXPECT_EQ(text(34), "42.3 Y_Knotel");

    // An empty X box writes 0; a slot not in use reads 0.
    setText(33, QString());
    setText(34, QStringLiteral("-5"));
    click("Command_Write");
    EXPECT_EQ(point(2), std::make_pair(0.0f, -5.0f));
    setText(35, QStringLiteral("9"));
    click("Command_Read");
    EXPECT_EQ(text(33), "0 X_Knotel");
    EXPECT_EQ(text(34), "0 Y_Knotel");
    EXPECT_TRUE(status().isEmpty());
}

TEST_F(CommandTest, PointTextsReadBack)
{
    for (const float value : {-5.0f, 1234567.0f, 1.5e20f, 3.0e-7f, -0.1f}) {
        curve->setValueIndex(1);
        curve->setX_Knotel(value);
        setText(35, QStringLiteral("1"));
        click("Command_Read");
        EXPECT_EQ(float(knotel::LeadingValue(text(33))), value) << text(33).toStdString();
        EXPECT_TRUE(text(33).endsWith(QLatin1String(" X_Knotel")));
    }
    curve->setX_Knotel(1.5e20f);
    click("Command_Read");
    EXPECT_EQ(text(33), "1.5E+20 X_Knotel");
}

TEST_F(CommandTest, ChangedFlagThroughTheBoxes)
{
    curve->setValueIndex(3);
    curve->setX_Knotel(5);
    curve->setY_Knotel(3);
    setText(35, QStringLiteral("3 ValueIndex"));
    click("Command_GetChanged");
    EXPECT_EQ(text(36), "0 Changed");
    setText(36, QStringLiteral("-1 Changed"));
    click("Command_SetChanged");
    setText(36, QString());
    click("Command_GetChanged");
    EXPECT_EQ(text(36), "-1 Changed");
    setText(36, QStringLiteral("0 Changed"));
    click("Command_SetChanged");
    click("Command_GetChanged");
    EXPECT_EQ(text(36), "0 Changed");
    EXPECT_EQ(point(3), std::make_pair(5.0f, 3.0f));
}

TEST_F(CommandTest, IndexBeyondThirtyTwoBitsIsReportedAndChangesNothing)
{
    setText(35, QStringLiteral("1E10"));
    click("Command_Read");
    EXPECT_TRUE(status().contains(QLatin1String("error 6"))) << status().toStdString();
    EXPECT_EQ(text(33), "-5 X_Knotel");
    click("Command_Write");
    EXPECT_TRUE(status().contains(QLatin1String("Set Knotel")));
    EXPECT_EQ(pointsOf(curve, 7), Points(7, {0.0f, 0.0f}));
}

TEST_F(CommandTest, PointBeyondTheLastSlotIsReported)
{
    setText(22, QStringLiteral("70"));
    setText(35, QStringLiteral("65"));
    for (const char* button : {"Command_Read", "Command_Write", "Command_GetChanged", "Command_SetChanged"}) {
        click(button);
        EXPECT_TRUE(status().contains(QLatin1String("error 9"))) << button;
    }
    EXPECT_EQ(text(33), "-5 X_Knotel");
}

TEST_F(CommandTest, CancelledColourShowsTheCurrentColour)
{
    click("Command_Property_0");
    EXPECT_EQ(person->shown, 1);
    EXPECT_EQ(person->offered, 0xFFFF80);
    EXPECT_EQ(text(0), "&h00FFFF80&");
    EXPECT_EQ(text(6), "16777088");
    EXPECT_EQ(curve->CurveColor(), 0xFFFF80);
    // A chosen colour whose text the box already shows still reaches the property, which
    // something other than the box (here the typed face) has changed meanwhile.
    curve->setCurveColor(0x123456);
    person->answer = 0xFFFF80;
    click("Command_Property_0");
    EXPECT_EQ(person->offered, 0x123456);
    EXPECT_EQ(text(0), "&h00FFFF80&");
    EXPECT_EQ(curve->CurveColor(), 0xFFFF80);
}

TEST_F(CommandTest, ChosenColourIsWrittenToBothBoxesAndTheProperty)
{
    const struct {
        const char* button;
        const char* property;
        int hexBox;
    } buttons[] = {
        {"Command_Property_0", "CurveColor", 0}, {"Command_Property_1", "BackColor", 1},
        {"Command_Property_2", "GridColor", 2},  {"Command_Property_3", "AxisColor", 3},
        {"Command_Property_4", "TextColor", 4},  {"Command_Property_5", "ActualValueColor", 5},
    };
    person->answer = 255;
    for (const auto& b : buttons) {
        click(b.button);
        EXPECT_EQ(text(b.hexBox), "&h000000FF&") << b.button;
        EXPECT_EQ(text(b.hexBox + 6), "255") << b.button;
        EXPECT_EQ(curve->property(b.property), QVariant(255)) << b.button;
    }
    // The present colour is what the chooser starts from, also when it was set through a box.
    setText(2, QStringLiteral("&hFFFFFFFF&"));
    person->answer.reset();
    click("Command_Property_2");
    EXPECT_EQ(person->offered, -1);
    EXPECT_EQ(text(2), "&hFFFFFFFF&");
    EXPECT_EQ(text(8), "-1");
}

} // namespace
