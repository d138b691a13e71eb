// The hidden settings panel: its controls, and the change handling that writes settings
// straight into the control's state.
#include "TestSupport.h"

#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

using namespace knotel;
using knotel::test::stateOf;
using knotel::test::surfaceOf;

namespace {

QLineEdit* settingBox(Curve& c, int i)
{
    return c.findChild<QLineEdit*>(QStringLiteral("Text_Setting_%1").arg(i));
}

} // namespace

TEST(SettingsPanel, HasItsControlsWithTheirDesignTextsAllHidden)
{
    Curve c;
    const char* texts[] = {"Caption",
                           "+20 XAxisLeft",
                           "-20 XAxisRight",
                           "80 YAxisTop",
                           "20 YAxisBottom",
                           "XAxisText",
                           "YAxisText",
                           "4 Dimensions",
                           "-20",
                           "70",
                           "-5",
                           "50",
                           "+5",
                           "30",
                           "+20",
                           "20",
                           "1 BreakPointShape"};
    for (int i = 0; i < 17; ++i) {
        QLineEdit* box = settingBox(c, i);
        ASSERT_NE(box, nullptr) << i;
        EXPECT_EQ(box->text(), QString::fromLatin1(texts[i]));
        EXPECT_TRUE(box->isHidden());
    }
    EXPECT_EQ(settingBox(c, 17), nullptr);
    for (auto [name, caption] : {std::pair{"Command_Ok", "Ok"}, std::pair{"Command_Apply", "Verkst\u00e4ll"},
                                 std::pair{"Command_Cancel", "Avbryt"}}) {
        auto* button = c.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), QString::fromUtf8(caption));
        EXPECT_TRUE(button->isHidden());
    }
    EXPECT_EQ(settingBox(c, 7)->geometry(), QRect(184, 354, 129, 19));
}

TEST(SettingsPanel, DesignTextsDoNotCountAsChanges)
{
    Curve c;
    EXPECT_EQ(c.Dimensions(), 7);
    EXPECT_EQ(c.CurveCaption(), "CurveCaption");
    EXPECT_EQ(stateOf(c).engine.points().pointX(0), 0.0f);
}

TEST(SettingsPanel, APointBoxMovesThePointPastThePropertyRulesAndRepaints)
{
    Curve c;
    c.resize(611, 321);
    c.RePaint();
    c.setBackColor(0x00FF00); // the repaint shows the new back colour
    settingBox(c, 8)->setText(QStringLiteral("12.5"));
    const CurvePrivate& d = stateOf(c);
    EXPECT_EQ(d.engine.points().pointX(0), 12.5f);
    EXPECT_FALSE(d.engine.points().xGiven(0));
    c.setValueIndex(0);
    EXPECT_EQ(c.Changed(), -1);
    EXPECT_EQ(surfaceOf(c)->image().pixelColor(1, 1), QColor(0, 255, 0));

    settingBox(c, 15)->setText(QStringLiteral("-7 Y"));
    EXPECT_EQ(d.engine.points().pointY(3), -7.0f);
    c.setValueIndex(3);
    EXPECT_EQ(c.Changed(), -1); // the reference stays at the origin
}

TEST(SettingsPanel, WholeNumbersRoundTiesToEvenWithoutALimit)
{
    Curve c;
    settingBox(c, 7)->setText(QStringLiteral("3.5 Dimensions"));
    EXPECT_EQ(c.Dimensions(), 4);
    settingBox(c, 7)->setText(QStringLiteral("2.5"));
    EXPECT_EQ(c.Dimensions(), 2);
    settingBox(c, 7)->setText(QStringLiteral("100"));
    EXPECT_EQ(c.Dimensions(), 100);
    settingBox(c, 16)->setText(QStringLiteral("&h3"));
    EXPECT_EQ(c.BreakPointShape(), 3);
}

TEST(SettingsPanel, TextsAndAxisLimits)
{
    Curve c;
    settingBox(c, 1)->setText(QString());
    EXPECT_EQ(c.X_Axis_Left(), 0.0f);
    settingBox(c, 4)->setText(QStringLiteral("-12.25 bottom"));
    EXPECT_EQ(c.Y_Axis_Bottom(), -12.25f);
    settingBox(c, 0)->setText(QStringLiteral(" My caption 2 "));
    EXPECT_EQ(c.CurveCaption(), " My caption 2 ");
    settingBox(c, 6)->setText(QString());
    EXPECT_TRUE(c.Y_AxisText().isEmpty());
    // The layout ran: without the Y axis text the plot starts further left.
    const qint32 left = c.plotLayout().PlotLeft;
    settingBox(c, 6)->setText(QStringLiteral("Y"));
    EXPECT_GT(c.plotLayout().PlotLeft, left);
}

TEST(SettingsPanel, NumbersBeyondTheFieldKeepTheFieldAndTheRepaintStillRuns)
{
    Curve c;
    c.resize(300, 200);
    c.RePaint();
    settingBox(c, 2)->setText(QStringLiteral("1E+39"));
    EXPECT_EQ(c.X_Axis_Right(), 30.0f);
    settingBox(c, 7)->setText(QStringLiteral("5E+9"));
    EXPECT_EQ(c.Dimensions(), 7);
    settingBox(c, 9)->setText(QStringLiteral("-1D+300"));
    EXPECT_EQ(stateOf(c).engine.points().pointY(0), 0.0f);
    c.setBackColor(0x0000FF);
    settingBox(c, 16)->setText(QStringLiteral("99999999999"));
    EXPECT_EQ(c.BreakPointShape(), 1);
    EXPECT_EQ(surfaceOf(c)->image().pixelColor(1, 1), QColor(255, 0, 0));
}

TEST(SettingsPanel, InvisibleOnAShownControlAndClicksReachTheSurface)
{
    QWidget window;
    auto* c = new Curve(&window);
    window.resize(c->size());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (int i = 0; i < 17; ++i)
        EXPECT_FALSE(settingBox(*c, i)->isVisible());
    const QPoint panelPoint = settingBox(*c, 7)->geometry().center();
    EXPECT_EQ(c->childAt(panelPoint), surfaceOf(*c));
    EXPECT_EQ(QApplication::widgetAt(c->mapToGlobal(panelPoint)), surfaceOf(*c));
}
