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
#include <QSignalSpy>
#include <QTest>
#include <QTouchEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

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

/** Pixels in which two images differ; -1 for other sizes. */
int differingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

const QList<QPointF> Zigzag{{-30, 0}, {-20, 10}, {-10, 40}, {0, 30}, {10, 60}, {20, 50}, {30, 70}};

/** The item, 611 x 321, in a shown Qt Quick window. */
class ShownItem : public ::testing::Test {
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
    }

    QImage itemPixels()
    {
        item->update();
        QTest::qWait(20);
        return window.grabWindow().convertToFormat(QImage::Format_RGB32);
    }

    QQmlEngine engine;
    QQuickWindow window;
    std::unique_ptr<QQuickItem> item;
};

/** The item in a Qt Quick window and the widget beside it, both 611 x 321 and shown. */
class QuickAndWidget : public ShownItem {
protected:
    void SetUp() override
    {
        ShownItem::SetUp();
        if (HasFatalFailure())
            return;
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

    QImage widgetPixels()
    {
        QWidget* surface = widget.findChild<QWidget*>(QStringLiteral("Picture_Curve"));
        return surface->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    /** Pixels in which the item's window and the widget's surface differ; -1 for other sizes. */
    int differingPixels() { return ::differingPixels(itemPixels(), widgetPixels()); }

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
    // Where the item puts a point, as a host's test asks it.
    const auto pixelOf = [&](int index) {
        QPointF at;
        QMetaObject::invokeMethod(item.get(), "positionOf", Q_RETURN_ARG(QPointF, at), Q_ARG(int, index));
        return at.toPoint();
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
    drag(pixelOf(3), pixelOf(3) + QPoint(9, -17));
    const QPoint line = (pixelOf(4) + pixelOf(5)) / 2;
    drag(line, line + QPoint(0, 23));
    ASSERT_NE(widget.points(), Zigzag);
    EXPECT_EQ(item->property("points").toList(), qmlPoints(widget.points()));
    EXPECT_EQ(differingPixels(), 0) << "at pixel ratio " << window.effectiveDevicePixelRatio();
}

TEST_F(QuickAndWidget, TheValueLabelOfADragIsTheWidgetsAndGoesAtTheRelease)
{
    apply(Scene{"", {{"dragValueVisible", true}, {"Y_Decimals", 1}}, Zigzag});
    QPointF point;
    QMetaObject::invokeMethod(item.get(), "positionOf", Q_RETURN_ARG(QPointF, point), Q_ARG(int, 3));
    const QPoint from = point.toPoint();
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
    // One drag held at a time: a press in the other window would take the mouse and cancel it.
    QTest::mousePress(surface, Qt::LeftButton, {}, from);
    QTest::mouseMove(surface, to);
    ASSERT_NE(widget.points(), Zigzag);
    EXPECT_GT(labelPixels(), 0);
    const QImage widgetWithLabel = widgetPixels();
    QTest::mouseRelease(surface, Qt::LeftButton, {}, to);
    EXPECT_EQ(labelPixels(), 0);
    QTest::mousePress(&window, Qt::LeftButton, {}, from);
    QTest::mouseMove(&window, to);
    EXPECT_EQ(::differingPixels(itemPixels(), widgetWithLabel), 0)
        << "with the label, at pixel ratio " << window.effectiveDevicePixelRatio();
    QTest::mouseRelease(&window, Qt::LeftButton, {}, to);
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

QPointingDevice* touchScreen()
{
    static QPointingDevice* const device = QTest::createTouchDevice();
    return device;
}

/** The item alone in an active window, with seven rising points, touched as a touch screen does. */
class QuickTouch : public ShownItem {
protected:
    void SetUp() override
    {
        ShownItem::SetUp();
        if (HasFatalFailure())
            return;
        window.requestActivate();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        item->setProperty("points", qmlPoints(Rising));
        QMetaObject::invokeMethod(item.get(), "rePaint");
        reach = 4.5 / 25.4 * window.screen()->physicalDotsPerInch();
    }

    QTest::QTouchEventSequence finger() { return QTest::touchEvent(&window, touchScreen()); }
    QPointF pixelOf(int slot)
    {
        QPointF p;
        QMetaObject::invokeMethod(item.get(), "positionOf", Q_RETURN_ARG(QPointF, p), Q_ARG(int, slot));
        return p;
    }
    /** The point a drag to @p p leaves, as singles. */
    QPointF valueAt(QPointF p)
    {
        QPointF v;
        QMetaObject::invokeMethod(item.get(), "valueAt", Q_RETURN_ARG(QPointF, v), Q_ARG(QPointF, p));
        // Through memory: GCC's fast excess precision may skip a plain cast's rounding.
        const volatile float x = float(v.x());
        const volatile float y = float(v.y());
        return {x, y};
    }
    QPointF point(int slot) { return item->property("points").toList().at(slot).toPointF(); }
    bool crosshair() const { return item->cursor().shape() == Qt::CrossCursor; }

    const QList<QPointF> Rising{{-30, 0}, {-20, 10}, {-10, 20}, {0, 30}, {10, 40}, {20, 50}, {30, 60}};
    /** A finger's reach on the window's screen: 4.5 mm at its physical resolution. */
    double reach = 0;
};

TEST_F(QuickTouch, AFingerReachesFartherThanTheMouseAndOneFingerDrags)
{
    QSignalSpy drops(item.get(), SIGNAL(droppedValue(int)));
    const QPoint p3 = (pixelOf(3) + QPointF(reach - 1.5, 0)).toPoint();
    ASSERT_GT(QLineF(p3, pixelOf(3)).length(), 4.5);
    const QPoint p5 = pixelOf(5).toPoint();
    // The second finger's id comes first in the events: what counts is which finger pressed first.
    finger().press(1, p3);
    EXPECT_TRUE(crosshair());
    finger().stationary(1).press(0, p5);
    finger().move(1, p3 + QPoint(0, -10)).move(0, p5 + QPoint(0, 20));
    finger().stationary(1).release(0, p5 + QPoint(0, 20));
    finger().move(1, p3 + QPoint(0, -20));
    EXPECT_TRUE(crosshair());
    EXPECT_TRUE(drops.isEmpty());
    finger().release(1, p3 + QPoint(0, -20));
    ASSERT_EQ(drops.size(), 1);
    EXPECT_EQ(drops.at(0).at(0).toInt(), 3);
    EXPECT_EQ(point(3), valueAt(p3 + QPoint(0, -20)));
    EXPECT_EQ(point(5), Rising.at(5));
    EXPECT_FALSE(crosshair());
    EXPECT_TRUE(item->property("canUndo").toBool());

    // The mouse at the same place keeps its 4 pixels.
    item->setProperty("hideLine", -1);
    QTest::mousePress(&window, Qt::LeftButton, {}, p3);
    EXPECT_FALSE(crosshair());
    QTest::mouseRelease(&window, Qt::LeftButton, {}, p3);
}

TEST_F(QuickTouch, ACancelledDragPutsTheCurveBackWithNoDropAndNoUndoStep)
{
    QSignalSpy drops(item.get(), SIGNAL(droppedValue(int)));
    QWindow other;
    other.setGeometry(window.geometry());
    const auto escape = [&] { QTest::keyClick(&window, Qt::Key_Escape); };
    const struct {
        const char* what;
        bool byFinger;
        std::function<void()> cancel;
        std::function<void()> restore;
    } rows[] = {
        {"TouchCancel", true,
         [&] {
             QTouchEvent cancel(QEvent::TouchCancel, touchScreen());
             QCoreApplication::sendEvent(&window, &cancel);
         },
         [] {}},
        {"Escape during a finger's drag", true, escape, [] {}},
        {"Escape during a mouse drag", false, escape, [] {}},
        {"the item disabled under a finger", true, [&] { item->setEnabled(false); },
         [&] { item->setEnabled(true); }},
        {"the item hidden under the mouse", false, [&] { item->setVisible(false); },
         [&] { item->setVisible(true); }},
        {"another window taking the finger", true,
         [&] {
             other.show();
             other.requestActivate();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
         },
         [&] {
             other.hide();
             window.requestActivate();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
         }},
    };
    const QImage fresh = itemPixels();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const QPoint from = pixelOf(3).toPoint();
        const QPoint to = from + QPoint(-6, -14);
        const QPoint later = from + QPoint(5, 20);
        if (r.byFinger) {
            finger().press(0, from);
            finger().move(0, to);
        } else {
            QTest::mousePress(&window, Qt::LeftButton, {}, from);
            QTest::mouseMove(&window, to);
        }
        // Qt Quick delivers a finger's moves with the next frame.
        ASSERT_TRUE(QTest::qWaitFor([&] { return point(3) != Rising.at(3); }));
        r.cancel();
        EXPECT_EQ(point(3), Rising.at(3));
        EXPECT_FALSE(crosshair());
        // Its later moves and its release do nothing.
        if (r.byFinger) {
            finger().move(0, later);
            finger().release(0, later);
        } else {
            QTest::mouseMove(&window, later);
            QTest::mouseRelease(&window, Qt::LeftButton, {}, later);
        }
        r.restore();
        EXPECT_EQ(item->property("points").toList(), qmlPoints(Rising));
        EXPECT_TRUE(drops.isEmpty());
        EXPECT_FALSE(item->property("canUndo").toBool());
        EXPECT_EQ(differingPixels(itemPixels(), fresh), 0)
            << "at pixel ratio " << window.effectiveDevicePixelRatio();
    }
    QMetaObject::invokeMethod(item.get(), "rePaint");
    EXPECT_EQ(differingPixels(itemPixels(), fresh), 0);
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
