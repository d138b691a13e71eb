// The Curve item of the QML module shows the widget's picture: for a few scenes, set up the same
// way on both, the item's window and the widget's drawing surface have the same pixels, at the
// run's pixel ratio (the test runs at 1 and at 2).
#include <knotel/Curve.h>

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlExpression>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct Setting {
    const char* name; ///< the widget's property name; the item's has its first letter lowered
    QVariant value;
};

struct Scene {
    const char* name;
    std::vector<Setting> settings;
    QList<QPointF> points;
};

QByteArray qmlName(const char* name)
{
    QByteArray lowered(name);
    lowered[0] = char(QChar::toLower(uint(lowered[0])));
    return lowered;
}

/** The points as QML takes and gives them: a list of points. */
QVariantList qmlPoints(const QList<QPointF>& points)
{
    QVariantList list;
    for (const QPointF& p : points)
        list.append(p);
    return list;
}

const QList<QPointF> Zigzag{{-30, 0}, {-20, 10}, {-10, 40}, {0, 30}, {10, 60}, {20, 50}, {30, 70}};

/** The item in a Qt Quick window and the widget beside it, both 611 x 321 and shown. */
class QuickAndWidget : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine.addImportPath(QStringLiteral(KNOTEL_QML_IMPORT_PATH));
        QQmlComponent component(&engine);
        component.setData("import Knotel\nCurve { width: 611; height: 321 }", QUrl());
        item.reset(qobject_cast<QQuickItem*>(component.create()));
        ASSERT_TRUE(item) << qPrintable(component.errorString());
        window.resize(611, 321);
        item->setParentItem(window.contentItem());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        widget.resize(611, 321);
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    }

    /** The same settings and points on both, then RePaint. */
    void apply(const Scene& scene)
    {
        for (const Setting& s : scene.settings) {
            ASSERT_TRUE(widget.setProperty(s.name, s.value)) << s.name;
            ASSERT_TRUE(item->setProperty(qmlName(s.name), s.value)) << s.name;
        }
        widget.setPoints(scene.points);
        item->setProperty("points", qmlPoints(scene.points));
        widget.RePaint();
        QMetaObject::invokeMethod(item.get(), "rePaint");
    }

    QImage itemPixels()
    {
        item->update();
        QTest::qWait(20);
        return window.grabWindow().convertToFormat(QImage::Format_RGB32);
    }
    QImage widgetPixels()
    {
        QWidget* surface = widget.findChild<QWidget*>(QStringLiteral("Picture_Curve"));
        return surface->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    /** Pixels in which the item's window and the widget's surface differ; -1 for other sizes. */
    int differingPixels()
    {
        const QImage fromItem = itemPixels();
        const QImage fromWidget = widgetPixels();
        if (fromItem.size() != fromWidget.size())
            return -1;
        int differing = 0;
        for (int y = 0; y < fromItem.height(); ++y)
            for (int x = 0; x < fromItem.width(); ++x)
                differing += fromItem.pixel(x, y) != fromWidget.pixel(x, y);
        return differing;
    }

    QQmlEngine engine;
    QQuickWindow window;
    std::unique_ptr<QQuickItem> item;
    knotel::Curve widget;
};

class QuickPicture : public QuickAndWidget, public ::testing::WithParamInterface<Scene> {};

TEST_P(QuickPicture, TheItemShowsTheWidgetsPicture)
{
    apply(GetParam());
    EXPECT_EQ(differingPixels(), 0) << "at pixel ratio " << window.effectiveDevicePixelRatio();
}

TEST_F(QuickAndWidget, AfterTheSameDragsBothShowTheSamePicture)
{
    apply(Scene{"", {{"BreakPointShape", 2}}, Zigzag});
    // Point 3 at (0, 30) up and right, then the line between points 4 and 5 down.
    QVariantMap layout;
    QMetaObject::invokeMethod(item.get(), "plotLayout", Q_RETURN_ARG(QVariantMap, layout));
    const auto pixel = [&](double x, double y) {
        return QPoint(qRound((x + 30) * layout["scaleX"].toDouble() + layout["plotLeft"].toInt()),
                      qRound(layout["plotHeight"].toInt() - (y + 20) * layout["scaleY"].toDouble() +
                             layout["plotTop"].toInt()));
    };
    QWidget* surface = widget.findChild<QWidget*>(QStringLiteral("Picture_Curve"));
    const auto drag = [&](QPoint from, QPoint to) {
        QTest::mousePress(surface, Qt::LeftButton, {}, from);
        QTest::mouseMove(surface, to);
        QTest::mouseRelease(surface, Qt::LeftButton, {}, to);
        QTest::mousePress(&window, Qt::LeftButton, {}, from);
        QTest::mouseMove(&window, to);
        QTest::mouseRelease(&window, Qt::LeftButton, {}, to);
    };
    drag(pixel(0, 30), pixel(0, 30) + QPoint(9, -17));
    const QPoint line = (pixel(10, 60) + pixel(20, 50)) / 2;
    drag(line, line + QPoint(0, 23));
    ASSERT_NE(widget.points(), Zigzag);
    EXPECT_EQ(item->property("points").toList(), qmlPoints(widget.points()));
    EXPECT_EQ(differingPixels(), 0) << "at pixel ratio " << window.effectiveDevicePixelRatio();
}

TEST_F(QuickAndWidget, TheValueLabelOfADragIsTheWidgetsAndGoesAtTheRelease)
{
    apply(Scene{"", {{"dragValueVisible", true}, {"Y_Decimals", 1}}, Zigzag});
    QVariantMap layout;
    QMetaObject::invokeMethod(item.get(), "plotLayout", Q_RETURN_ARG(QVariantMap, layout));
    const QPoint from(
        qRound(30 * layout["scaleX"].toDouble() + layout["plotLeft"].toInt()),
        qRound(layout["plotHeight"].toInt() - 50 * layout["scaleY"].toDouble() + layout["plotTop"].toInt()));
    const QPoint to = from + QPoint(0, -30);
    QWidget* surface = widget.findChild<QWidget*>(QStringLiteral("Picture_Curve"));
    // The label's frame and text are in TextColor, white, above and to the right of the point.
    const auto labelPixels = [&] {
        const QImage pixels = widgetPixels();
        const qreal ratio = pixels.devicePixelRatio();
        const QRect around(QPointF(QPointF(to + QPoint(8, -30)) * ratio).toPoint(), QSize(60, 22) * ratio);
        int white = 0;
        for (int y = around.top(); y <= around.bottom(); ++y)
            for (int x = around.left(); x <= around.right(); ++x)
                white += pixels.pixel(x, y) == qRgb(255, 255, 255);
        return white;
    };
    QTest::mousePress(surface, Qt::LeftButton, {}, from);
    QTest::mouseMove(surface, to);
    QTest::mousePress(&window, Qt::LeftButton, {}, from);
    QTest::mouseMove(&window, to);
    ASSERT_NE(widget.points(), Zigzag);
    EXPECT_GT(labelPixels(), 0);
    EXPECT_EQ(differingPixels(), 0) << "with the label, at pixel ratio "
                                    << window.effectiveDevicePixelRatio();
    QTest::mouseRelease(surface, Qt::LeftButton, {}, to);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, to);
    EXPECT_EQ(labelPixels(), 0);
    EXPECT_EQ(differingPixels(), 0) << "without it";
}

TEST(QuickItem, TheProfileEditorExampleLoads)
{
    QQmlEngine engine;
    engine.addImportPath(QStringLiteral(KNOTEL_QML_IMPORT_PATH));
    QQmlComponent component(&engine, QUrl::fromLocalFile(QStringLiteral(KNOTEL_EXAMPLE_QML)));
    const std::unique_ptr<QObject> window(component.create());
    ASSERT_TRUE(window) << qPrintable(component.errorString());
    const QQuickItem* curve = nullptr;
    for (const QQuickItem* item : window->findChildren<QQuickItem*>()) {
        if (item->property("snapX").isValid())
            curve = item;
    }
    ASSERT_TRUE(curve);
    EXPECT_TRUE(curve->property("pointEditingEnabled").toBool());
    EXPECT_EQ(curve->property("snapX").toDouble(), 5.0);
    EXPECT_EQ(curve->property("points").toList().size(), 7);
}

// The rows every face checks (typed_writes.json), as JavaScript assignments: a number that does not
// fit the property's type is a JavaScript error that names the error and the member, and changes
// nothing.
TEST(QuickItem, TypedWritesConvertAsTheLateBoundFaceDoes)
{
    QFile file(QStringLiteral(KNOTEL_TYPED_WRITES));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray rows =
        QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("rows")).toArray();
    QQmlEngine engine;
    engine.addImportPath(QStringLiteral(KNOTEL_QML_IMPORT_PATH));
    for (const QJsonValue& r : rows) {
        const QJsonObject row = r.toObject();
        const QJsonArray faces = row.value(QStringLiteral("faces")).toArray();
        if (!faces.isEmpty() && !faces.contains(QStringLiteral("qml")))
            continue;
        SCOPED_TRACE(QJsonDocument(row).toJson(QJsonDocument::Compact).toStdString());
        QQmlComponent component(&engine);
        component.setData("import Knotel\nCurve {}", QUrl());
        std::unique_ptr<QObject> item(component.create());
        ASSERT_TRUE(item) << qPrintable(component.errorString());
        const QByteArray name =
            qmlName(row.value(QStringLiteral("property")).toString().toLatin1().constData());
        const QJsonValue value = row.value(QStringLiteral("value"));
        const QString literal = value.isObject()   ? QStringLiteral("NaN")
                                : value.isString() ? QLatin1Char('"') + value.toString() + QLatin1Char('"')
                                                   : QString::number(value.toDouble(), 'g', 17);
        const QVariant before = item->property(name);
        QQmlExpression assignment(engine.rootContext(), item.get(),
                                  QString::fromLatin1(name) + QStringLiteral(" = ") + literal);
        assignment.evaluate();
        if (row.contains(QStringLiteral("error"))) {
            ASSERT_TRUE(assignment.hasError());
            const QString message = assignment.error().description();
            EXPECT_TRUE(message.contains(
                            QStringLiteral("error %1").arg(row.value(QStringLiteral("error")).toInt())) &&
                        message.contains(QString::fromLatin1(name), Qt::CaseInsensitive))
                << qPrintable(message);
            EXPECT_EQ(item->property(name), before);
        } else {
            EXPECT_FALSE(assignment.hasError()) << qPrintable(assignment.error().description());
            EXPECT_EQ(item->property(name).toString(),
                      row.value(QStringLiteral("reads")).toVariant().toString());
        }
    }
}

TEST_F(QuickAndWidget, AssistiveTechnologySeesAChartWithItsPoints)
{
    apply(Scene{"", {{"Y_Decimals", 1}}, Zigzag});
    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(item.get());
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->role(), QAccessible::Chart);
    EXPECT_EQ(chart->text(QAccessible::Name), QStringLiteral("CurveCaption"));
    ASSERT_EQ(chart->childCount(), 7);
    EXPECT_EQ(chart->child(2)->text(QAccessible::Name), QStringLiteral("Point 2"));
    EXPECT_EQ(chart->child(2)->text(QAccessible::Value), QStringLiteral("x -10, y 40.0"));
    EXPECT_EQ(chart->child(2)->parent(), chart);
    EXPECT_TRUE(chart->rect().contains(chart->child(2)->rect()));
}

INSTANTIATE_TEST_SUITE_P(Scenes, QuickPicture,
                         ::testing::Values(Scene{"Defaults", {}, Zigzag},
                                           Scene{"FilledMarkersLimitLinesAndActualValue",
                                                 {{"BreakPointShape", 2},
                                                  {"Y_DashedLine_Top", 65.0f},
                                                  {"Y_DashedLine_Bottom", -5.0f},
                                                  {"Actual_Value_X", 12.5f},
                                                  {"Actual_Value_Y", 20.0f},
                                                  {"Y_Decimals", 1}},
                                                 Zigzag},
                                           Scene{"ReversedAxesBoxesDenseScaleNoTexts",
                                                 {{"BreakPointShape", 4},
                                                  {"X_Axis_Left", 30.0f},
                                                  {"X_Axis_Right", -30.0f},
                                                  {"X_Step", 2.5f},
                                                  {"ViewGrid", 1},
                                                  {"CurveCaption", QString()},
                                                  {"X_AxisText", QString()},
                                                  {"CurveColor", 0x0000FF},
                                                  {"BackColor", 0xFFFFFF}},
                                                 Zigzag},
                                           Scene{"HiddenLineAndFewPoints",
                                                 {{"HideLine", -1}, {"BreakPointShape", 3}},
                                                 {{-25, 5}, {0, 75}, {28, -10}}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
