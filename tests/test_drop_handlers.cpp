// A host may delete the control inside its DroppedValue handler, as a dialog that closes on a drop
// does: every path that raises the event stops touching the control once it is gone. Run under
// the sanitizers, a path that does not is a use after free.
#include <knotel/Curve.h>

#include "TestSupport.h"
#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"
#include "widget/ValueEditor.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPointingDevice>
#include <QTest>

using namespace knotel;

namespace {

enum class Path {
    Release,
    RightButtonMove,
    Key,
    Undo,
    TypedValue,
    FingerLifted,
    PointEdit,
    PointEditUndone,
    InsertOnTheLine
};

struct DropCase {
    const char* name;
    Path path;
    bool wholeCurve;
    QKeyCombination edit = {}; ///< the key of a point edit: Insert, Delete or paste
};

class DeletedOnDrop : public ::testing::TestWithParam<DropCase> {};

TEST_P(DeletedOnDrop, TheControlIsLeftAloneOnceItsHandlerDeletedIt)
{
    const DropCase& drop = GetParam();
    QPointer<Curve> curve = new Curve;
    curve->resize(611, 321);
    test::loadPoints(*curve, {{-30, 0}, {-20, 10}, {-10, 20}, {0, 30}, {10, 40}, {20, 50}, {30, 60}});
    curve->RePaint();
    int drops = 0;
    bool armed = true;
    QObject::connect(curve, &Curve::DroppedValue, curve, [&](int&) {
        if (!armed)
            return;
        ++drops;
        delete curve;
    });
    QWidget* surface = test::surfaceOf(*curve);
    CurvePrivate& d = test::stateOf(*curve);
    const auto mouse = [&](QEvent::Type type, QPointF p, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, p, surface->mapToGlobal(p), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(surface, &event);
    };
    const PlotMapping map = d.engine.mapping();
    const QPointF p3(map.pixelX(0), map.pixelY(30));
    const QPointF grab = drop.wholeCurve ? p3 + QPointF(5, 2) : p3;

    const auto key = [&](QWidget* to, int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, k, modifiers);
        QCoreApplication::sendEvent(to, &event);
    };
    if (drop.path == Path::Key || drop.path == Path::Undo) {
        // An undo deletes on its own drop, not on the key move's.
        armed = drop.path == Path::Key;
        key(surface, Qt::Key_Right);
        key(surface, Qt::Key_Up, drop.wholeCurve ? Qt::ControlModifier : Qt::NoModifier);
        armed = true;
        if (drop.path == Path::Undo)
            key(surface, Qt::Key_Z, Qt::ControlModifier);
    } else if (drop.path == Path::FingerLifted) {
        // Touch reaches a shown control through its window.
        curve->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(curve));
        static QPointingDevice* const touchScreen = QTest::createTouchDevice();
        // A finger reaches farther: the line is grabbed midway between two points.
        const QPoint at =
            (drop.wholeCurve ? (p3 + QPointF(map.pixelX(10), map.pixelY(40))) / 2 : p3).toPoint();
        QTest::touchEvent(surface, touchScreen).press(0, at);
        ASSERT_TRUE(drop.wholeCurve ? d.engine.gesture().curveMoving : d.engine.gesture().point == 3);
        QTest::touchEvent(surface, touchScreen).move(0, at + QPoint(0, -10));
        QTest::touchEvent(surface, touchScreen).release(0, at + QPoint(0, -10));
    } else if (drop.path == Path::PointEdit || drop.path == Path::PointEditUndone) {
        curve->setPointEditingEnabled(true);
        QGuiApplication::clipboard()->setText(QStringLiteral("-30 0\n0 5\n30 60"));
        armed = drop.path == Path::PointEdit;
        key(surface, Qt::Key_Right);
        key(surface, drop.edit.key(), drop.edit.keyboardModifiers());
        armed = true;
        if (drop.path == Path::PointEditUndone)
            key(surface, Qt::Key_Z, Qt::ControlModifier);
    } else if (drop.path == Path::InsertOnTheLine) {
        curve->setPointEditingEnabled(true);
        QMouseEvent event(QEvent::MouseButtonPress, grab, surface->mapToGlobal(grab), Qt::LeftButton,
                          Qt::LeftButton, Qt::ControlModifier);
        QCoreApplication::sendEvent(surface, &event);
    } else if (drop.path == Path::TypedValue) {
        key(surface, Qt::Key_F2);
        ASSERT_TRUE(d.valueEditor);
        d.valueEditor->yBox()->setText(QStringLiteral("22"));
        key(d.valueEditor->yBox(), Qt::Key_Return);
    } else {
        mouse(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
        ASSERT_TRUE(drop.wholeCurve ? d.engine.gesture().curveMoving : d.engine.gesture().point == 3);
        mouse(QEvent::MouseMove, grab + QPointF(0, -10), Qt::NoButton, Qt::LeftButton);
        if (drop.path == Path::Release)
            mouse(QEvent::MouseButtonRelease, grab + QPointF(0, -10), Qt::LeftButton, Qt::NoButton);
        else
            mouse(QEvent::MouseMove, grab + QPointF(0, -12), Qt::NoButton, Qt::RightButton);
    }
    EXPECT_EQ(drops, 1);
    EXPECT_TRUE(curve.isNull());
    delete curve;
    // An undo's stack outlives the control until the event loop comes round.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPathThatRaisesTheDrop, DeletedOnDrop,
    ::testing::Values(
        DropCase{"PointReleased", Path::Release, false}, DropCase{"CurveReleased", Path::Release, true},
        DropCase{"PointEndedByTheRightButton", Path::RightButtonMove, false},
        DropCase{"CurveEndedByTheRightButton", Path::RightButtonMove, true},
        DropCase{"PointMovedByAKey", Path::Key, false}, DropCase{"CurveMovedByAKey", Path::Key, true},
        DropCase{"PointMoveUndone", Path::Undo, false}, DropCase{"CurveMoveUndone", Path::Undo, true},
        DropCase{"ValueTyped", Path::TypedValue, false},
        DropCase{"PointLetGoByAFinger", Path::FingerLifted, false},
        DropCase{"CurveLetGoByAFinger", Path::FingerLifted, true},
        DropCase{"PointInserted", Path::PointEdit, true, Qt::Key_Insert},
        DropCase{"PointDeleted", Path::PointEdit, true, Qt::Key_Delete},
        DropCase{"PointsPasted", Path::PointEdit, true, Qt::ControlModifier | Qt::Key_V},
        DropCase{"InsertUndone", Path::PointEditUndone, true, Qt::Key_Insert},
        DropCase{"DeleteUndone", Path::PointEditUndone, true, Qt::Key_Delete},
        DropCase{"PasteUndone", Path::PointEditUndone, true, Qt::ControlModifier | Qt::Key_V},
        DropCase{"PointInsertedOnTheLine", Path::InsertOnTheLine, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeletedOnRefusal, TheControlIsLeftAloneOnceTheRefusalsHandlerDeletedIt)
{
    QPointer<Curve> curve = new Curve;
    curve->setPointEditingEnabled(true);
    QObject::connect(curve, &Curve::pasteRefused, curve, [&](const QString&) { delete curve; });
    QGuiApplication::clipboard()->setText(QStringLiteral("not points"));
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendEvent(test::surfaceOf(*curve), &paste);
    EXPECT_TRUE(curve.isNull());
}

} // namespace
