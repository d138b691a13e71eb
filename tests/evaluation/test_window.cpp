// The window as it opens, and the change handling of the property boxes.
#include "WindowFixture.h"

#include <QAccessible>
#include <QMetaProperty>
#include <QTest>

#include <vector>

namespace {

TEST_F(WindowTest, OpensWithItsCaptionAndTheControlCreatedByName)
{
    EXPECT_EQ(window->objectName(), "Knotelbench_Main");
    EXPECT_EQ(window->windowTitle(), "Knotelbench (component Knotel.Curve)");
    EXPECT_EQ(curve->objectName(), "Curve");
    EXPECT_EQ(curve->parentWidget(), window.get());
    EXPECT_TRUE(status().isEmpty());
}

TEST_F(WindowTest, StartStepWritesActualValueAndTextsOnly)
{
    EXPECT_EQ(curve->Actual_Value_X(), 22.5f);
    EXPECT_EQ(curve->Actual_Value_Y(), 26.7f);
    EXPECT_EQ(curve->CurveCaption(), "CurveCaption");
    EXPECT_EQ(curve->X_AxisText(), "XAxisText");
    EXPECT_EQ(curve->Y_AxisText(), "YAxisText");
    // Boxes whose texts differ from the control's defaults were not written.
    EXPECT_EQ(text(38), "20 Y_Axis_Bottom");
    EXPECT_EQ(curve->Y_Axis_Bottom(), -20.0f);
    EXPECT_EQ(curve->Y_DashedLine_Top(), 0.0f);
    EXPECT_EQ(curve->Y_DashedLine_Bottom(), 0.0f);
    EXPECT_EQ(curve->BreakPointShape(), 1);
    EXPECT_EQ(curve->LockY_Axis(), 0);
    EXPECT_EQ(curve->AllowXCrossover(), 0);
    EXPECT_EQ(curve->CurveColor(), 0xFFFF80);
    // Once edited, a box takes effect.
    setText(38, QStringLiteral("20 Y_Axis_Bottom "));
    EXPECT_EQ(curve->Y_Axis_Bottom(), 20.0f);
    setText(28, QStringLiteral("70"));
    EXPECT_EQ(curve->Y_DashedLine_Top(), 70.0f);
}

TEST_F(WindowTest, StartStepRepaintedTheControlAtItsPlace)
{
    const knotel::PlotLayout layout = curve->plotLayout();
    EXPECT_GT(layout.PlotWidth, 0);
    EXPECT_GT(layout.PlotHeight, 0);
    EXPECT_LE(layout.PlotLeft + layout.PlotWidth, curve->width());
}

TEST_F(WindowTest, InitialTextsOfTheBoxes)
{
    const std::vector<std::pair<int, const char*>> expected = {
        {0, ""},
        {11, ""},
        {12, "0 X_Decimals"},
        {14, "0 LockXAxis"},
        {15, "1 LockYAxis"},
        {20, "1 AllowCompleteCurveMove"},
        {30, "CurveCaption"},
        {33, "-5 X_Knotel"},
        {34, "42.3 Y_Knotel"},
        {35, "0 ValueIndex"},
        {36, "0 Changed"},
        {39, "0 ViewTracker"},
        {41, "30 X_Axis_Right"},
    };
    for (const auto& [index, initial] : expected)
        EXPECT_EQ(text(index), QString::fromLatin1(initial)) << "box " << index;
    EXPECT_EQ(window->findChildren<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly).size(), 42);
}

TEST_F(WindowTest, BoxesAreNamedForAssistiveTechnologyAfterTheirProperty)
{
    const std::vector<std::pair<int, const char*>> expected = {
        {0, "CurveColor"},
        {6, "CurveColor (decimal)"},
        {11, "ActualValueColor (decimal)"},
        {14, "LockX_Axis"},
        {33, "X_Knotel"},
        {36, "Changed"},
    };
    for (const auto& [index, name] : expected) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(box(index))->text(QAccessible::Name),
                  QString::fromLatin1(name))
            << "box " << index;
    }
}

TEST_F(WindowTest, GeometryInPixelsAtFifteenTwipsPerPixel)
{
    ASSERT_EQ(window->screen()->logicalDotsPerInchX(), 96.0);
    EXPECT_EQ(window->size(), QSize(654, 551));
    struct Place {
        const char* name;
        QRect rect;
    };
    const Place places[] = {
        {"Curve", {16, 10, 611, 321}},
        {"Command_Property_5", {16, 438, 117, 19}},
        {"Command_RePaint", {424, 440, 97, 35}},
        {"Command_Values", {432, 516, 185, 17}},
        {"Text_Property_6", {236, 338, 85, 19}},
        {"Text_Property_36", {524, 476, 97, 19}},
        {"Text_Property_38", {324, 518, 97, 19}},
    };
    for (const Place& p : places)
        EXPECT_EQ(window->findChild<QWidget*>(QString::fromLatin1(p.name))->geometry(), p.rect) << p.name;
    // The window does not lay its controls out again.
    window->resize(800, 700);
    EXPECT_EQ(window->size(), QSize(654, 551));
}

TEST_F(WindowTest, TabOrderRunsByTabIndexFromRePaint)
{
    QWidget* first = window->findChild<QWidget*>(QStringLiteral("Command_RePaint"));
    EXPECT_EQ(window->focusWidget(), first);
    // The window's own controls in focus-chain order, skipping the control's inner widgets.
    std::vector<QString> order;
    QWidget* w = first;
    for (int guard = 0; guard < 500 && order.size() < 55; ++guard, w = w->nextInFocusChain()) {
        if (w->parentWidget() == window.get() && w->objectName() != "Label_Status")
            order.push_back(w->objectName());
    }
    ASSERT_EQ(order.size(), 55u);
    const std::vector<QString> start = {"Command_RePaint", "Text_Property_0",    "Command_Property_0",
                                        "Text_Property_1", "Command_Property_1", "Command_Property_2",
                                        "Text_Property_2", "Command_Property_3", "Text_Property_3"};
    EXPECT_EQ(std::vector<QString>(order.begin(), order.begin() + 9), start);
    EXPECT_EQ(order[13], "Text_Property_11"); // tab index 13: the decimal boxes run backwards
    EXPECT_EQ(order[18], "Text_Property_6");
    EXPECT_EQ(order[48], "Curve");
    EXPECT_EQ(order[54], "Text_Property_41");

    // At the control's place in the order, Tab lands on its drawing surface.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->findChild<QWidget*>(QStringLiteral("Command_Values"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "Picture_Curve");
}

/** Every property of the control, read through its typed face. */
std::vector<QVariant> allProperties(const knotel::Curve* curve)
{
    std::vector<QVariant> values;
    const QMetaObject& meta = knotel::Curve::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        values.push_back(meta.property(i).read(curve));
    return values;
}

struct BoxCase {
    int box;
    const char* text;
    const char* property;
    QVariant expected;
};

TEST_F(WindowTest, BoxTextBecomesItsPropertyValue)
{
    const BoxCase cases[] = {
        {12, "2.5", "X_Decimals", 2},
        {12, "3.5", "X_Decimals", 4},
        {13, "-2.5 Y_Decimals", "Y_Decimals", -2},
        {0, "&h000000FF&", "CurveColor", 255},
        {0, "&hFFFFFFFF&", "CurveColor", -1},
        {1, "&h00FF0000&", "BackColor", 16711680},
        {14, "5 LockXAxis", "LockX_Axis", 5},
        {26, "1.1", "Actual_Value_X", 1.1f},
        {40, "-30,5", "X_Axis_Left", -30.0f},
        {41, " 1 2 ", "X_Axis_Right", 12.0f},
        {24, "abc", "X_Step", 0.0f},
        {22, "3 Dimensions", "Dimensions", 3}, // the label's "D" is no exponent
        {22, "2D1", "Dimensions", 20},
        {30, "", "CurveCaption", QString()},
        {30, "My curve 1", "CurveCaption", QStringLiteral("My curve 1")},
        {31, " 5 X ", "X_AxisText", QStringLiteral(" 5 X ")},
        {39, "0.0001 ViewTracker", "ViewTracker", -1},
        {39, "0 ViewTracker", "ViewTracker", 0},
        {39, "-3", "ViewTracker", -1},
        {39, "abc", "ViewTracker", 0},
        {39, "", "ViewTracker", 0},
    };
    for (const BoxCase& c : cases) {
        setText(c.box, QString::fromLatin1(c.text));
        const QVariant actual = curve->property(c.property);
        EXPECT_EQ(actual, c.expected) << "box " << c.box << " text '" << c.text << "'";
    }
}

TEST_F(WindowTest, EveryKeystrokeIsWritten)
{
    QLineEdit* dimensions = box(22);
    dimensions->clear();
    EXPECT_EQ(curve->Dimensions(), 0);
    QTest::keyClick(dimensions, Qt::Key_1);
    EXPECT_EQ(curve->Dimensions(), 1);
    QTest::keyClick(dimensions, Qt::Key_2);
    EXPECT_EQ(curve->Dimensions(), 12);

    QLineEdit* left = box(40);
    left->clear();
    std::vector<float> written;
    for (const char key : {'-', '3', '0'}) {
        QTest::keyClicks(left, QString(QLatin1Char(key)));
        written.push_back(curve->X_Axis_Left());
    }
    EXPECT_EQ(written, (std::vector<float>{0.0f, -3.0f, -30.0f}));
}

TEST_F(WindowTest, FeederBoxesWriteNothing)
{
    const std::vector<QVariant> before = allProperties(curve);
    for (const int index : {6, 7, 8, 9, 10, 11, 33, 34, 35, 36}) {
        setText(index, QStringLiteral("3 123"));
        setText(index, QString());
    }
    EXPECT_EQ(allProperties(curve), before);
}

TEST_F(WindowTest, NumberThatDoesNotFitKeepsThePropertyAndShowsRed)
{
    const QColor normal = box(22)->palette().color(QPalette::Text);
    const struct {
        int box;
        const char* text;
        const char* property;
        QVariant kept;
    } cases[] = {
        {22, "1E10 Dimensions", "Dimensions", 7},
        {22, "1E400", "Dimensions", 7}, // beyond double: an infinity
        {24, "1E39 X_Step", "X_Step", 10.0f},
        {0, "4294967296", "CurveColor", 0xFFFF80},
    };
    for (const auto& c : cases) {
        setText(c.box, QString::fromLatin1(c.text));
        EXPECT_EQ(curve->property(c.property), c.kept) << c.text;
        EXPECT_EQ(box(c.box)->palette().color(QPalette::Text), QColor(Qt::red)) << c.text;
        EXPECT_FALSE(box(c.box)->toolTip().isEmpty());
    }
    EXPECT_TRUE(status().isEmpty());
    setText(22, QStringLiteral("5 Dimensions"));
    EXPECT_EQ(curve->Dimensions(), 5);
    EXPECT_EQ(box(22)->palette().color(QPalette::Text), normal);
    EXPECT_TRUE(box(22)->toolTip().isEmpty());
}

} // namespace
