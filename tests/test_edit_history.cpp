// Undo and redo of the person's edits, and exact values typed into a point: each kind of edit is
// undone and redone to the exact coordinates with the picture of a fresh RePaint and a drop, key
// moves merge, host writes empty the history, and the value editor follows the drag rules.
#include "CurveScene.h"
#include "TestSupport.h"

#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"
#include "widget/ValueEditor.h"

#include <knotel/Curve.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QUndoStack>

#include <vector>

using namespace knotel;
using knotel::test::differingPixels;

namespace {

class EditHistory : public ::testing::Test {
protected:
    test::CurveScene scene;
    Curve& c = scene.curve;
    CurvePrivate& d = scene.d;
    QUndoStack& history = *c.undoStack();
    std::vector<int> drops;

    void SetUp() override
    {
        scene.load(test::ZigzagPoints);
        QObject::connect(&c, &Curve::DroppedValue, &c, [this](int& index) { drops.push_back(index); });
    }
    std::vector<PointPosition> positions() const
    {
        std::vector<PointPosition> all;
        for (int i = 0; i < d.engine.points().slotsInUse(); ++i)
            all.push_back(d.engine.points().position(i));
        return all;
    }
    static bool same(const std::vector<PointPosition>& a, const std::vector<PointPosition>& b)
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto& p, auto& q) {
                   return std::memcmp(&p, &q, sizeof p) == 0; // bit for bit
               });
    }
    /** The picture is the one a fresh RePaint draws. */
    bool pictureIsFresh()
    {
        const QImage picture = scene.surface.image();
        c.RePaint();
        return differingPixels(scene.surface.image(), picture) == 0;
    }
    void drag(QPointF from, QPointF to, bool release = true)
    {
        scene.press(from);
        scene.move((from + to) / 2);
        scene.move(to);
        if (release)
            scene.release(to);
        else
            scene.move(to, Qt::RightButton); // the drag ends without a release
    }
    QPointF segment(int j) const { return (scene.pixelOf(j) + scene.pixelOf(j + 1)) / 2; }
};

TEST_F(EditHistory, EachKindOfEditIsUndoneAndRedoneExactlyWithTheFreshPictureAndADrop)
{
    struct Edit {
        const char* name;
        std::function<void()> run;
        QString text;
        int drop;
        std::size_t drops = 1; ///< raised by the edit itself
    };
    const std::vector<Edit> edits{
        {"drag", [&] { drag(scene.pixelOf(3), scene.pixelOf(3) + QPointF(7, -23)); }, "Move point 3", 3},
        {"curve move", [&] { drag(segment(1), segment(1) + QPointF(0, 17)); }, "Move curve", -1},
        {"interrupted drag", [&] { drag(scene.pixelOf(5), scene.pixelOf(5) + QPointF(0, 9), false); },
         "Move point 5", 5},
        {"key moves", [&] { scene.key(Qt::Key_End), scene.key(Qt::Key_Down), scene.key(Qt::Key_Down); },
         "Move point 6", 6, 2},
        {"typed value",
         [&] {
             scene.key(Qt::Key_Left), scene.key(Qt::Key_F2);
             d.valueEditor->yBox()->setText(QStringLiteral("41.25"));
             QTest::keyClick(d.valueEditor->yBox(), Qt::Key_Return);
         },
         "Move point 5", 5},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        const std::vector<PointPosition> before = positions();
        const int count = history.count();
        drops.clear();
        edit.run();
        const std::vector<PointPosition> after = positions();
        ASSERT_FALSE(same(before, after));
        ASSERT_EQ(history.count(), count + 1);
        EXPECT_EQ(history.undoText(), edit.text);
        EXPECT_EQ(drops, std::vector<int>(edit.drops, edit.drop));

        drops.clear();
        scene.key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(same(positions(), before));
        EXPECT_TRUE(pictureIsFresh());
        scene.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(same(positions(), after));
        EXPECT_TRUE(pictureIsFresh());
        EXPECT_EQ(drops, std::vector<int>(2, edit.drop));
    }
    // Undo leaves the references: a point the host accepted where the drag left it reads as
    // changed once it is back where it started.
    c.setValueIndex(3);
    EXPECT_EQ(c.Changed(), -1);
    c.setChanged(0);
    EXPECT_EQ(history.count(), 5) << "writing Changed keeps the history";
    while (history.canUndo())
        history.undo();
    EXPECT_EQ(c.Changed(), -1);
    c.setValueIndex(5);
    EXPECT_EQ(c.Changed(), 0);
}

TEST_F(EditHistory, KeyMovesOfOnePointMergeAndAGrabThatMovedNothingAddsNothing)
{
    scene.key(Qt::Key_Right);
    for (int i = 0; i < 4; ++i)
        scene.key(Qt::Key_Up);
    scene.key(Qt::Key_Right);
    scene.key(Qt::Key_Up);
    EXPECT_EQ(history.count(), 2);
    // Up and back down again: the merged step moved nothing and goes.
    scene.key(Qt::Key_Down);
    EXPECT_EQ(history.count(), 1);

    scene.press(scene.pixelOf(0));
    scene.release(scene.pixelOf(0));
    EXPECT_EQ(history.count(), 1);
    history.undo();
    EXPECT_EQ(d.engine.points().pointY(1), 10.0f);
}

TEST_F(EditHistory, HostWritesOfPointsEmptyItAndItCanBeSwitchedOff)
{
    drag(scene.pixelOf(2), scene.pixelOf(2) + QPointF(0, -10));
    c.setValueIndex(2);
    c.setChanged(0);
    EXPECT_EQ(history.count(), 1);
    c.setY_Knotel(12);
    EXPECT_EQ(history.count(), 0);
    drag(scene.pixelOf(2), scene.pixelOf(2) + QPointF(0, -10));
    c.setDimensions(7);
    EXPECT_EQ(history.count(), 0) << "the same number of points is a write too";

    c.setUndoEnabled(false);
    drag(scene.pixelOf(2), scene.pixelOf(2) + QPointF(0, -10));
    const float moved = d.engine.points().pointY(2);
    scene.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(history.count(), 0);
    EXPECT_EQ(d.engine.points().pointY(2), moved);
}

TEST_F(EditHistory, TheValueEditorFollowsTheDragRulesAndEscapeCancels)
{
    c.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&c));
    // A double-click on point 0 opens the editor on it; X of an end point is locked.
    const QPoint p0 = scene.pixelOf(0).toPoint();
    QTest::mouseDClick(&scene.surface, Qt::LeftButton, Qt::NoModifier, p0);
    ValueEditor* editor = d.valueEditor;
    ASSERT_TRUE(editor && editor->isVisible());
    EXPECT_TRUE(editor->xBox()->isReadOnly());
    EXPECT_EQ(editor->yBox()->accessibleName(), QStringLiteral("Point 0 Y"));
    EXPECT_EQ(editor->yBox()->text(), QStringLiteral("0")); // FormatValue's text
    EXPECT_TRUE(scene.surface.rect().contains(editor->geometry()))
        << "inside, though the point is at the edge";
    drops.clear();

    // Escape closes without a change, the surface has the focus back.
    editor->yBox()->setText(QStringLiteral("5"));
    QTest::keyClick(editor->yBox(), Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(scene.surface.hasFocus());
    EXPECT_EQ(d.engine.points().pointY(0), 0.0f);

    // Point 3 at Y 30 between 40 and 60 may not cross them without crossover: nothing moves, the Y
    // box shows what the point kept and the X box what was typed; Enter again takes X (read as
    // every typed number is) with one drop.
    c.setAllowYCrossover(0);
    scene.key(Qt::Key_End);
    scene.key(Qt::Key_Left), scene.key(Qt::Key_Left), scene.key(Qt::Key_Left);
    scene.key(Qt::Key_Return);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->slot(), 3);
    editor->xBox()->setText(QStringLiteral("-7 .5E0"));
    editor->yBox()->setText(QStringLiteral("55"));
    QTest::keyClick(editor->xBox(), Qt::Key_Return);
    EXPECT_EQ(d.engine.points().position(3).x, 0.0f);
    EXPECT_EQ(d.engine.points().pointY(3), 30.0f);
    EXPECT_TRUE(editor->isVisible()) << "a refused value stays to be seen";
    EXPECT_EQ(editor->yBox()->text(), QStringLiteral("+30"));
    EXPECT_EQ(editor->xBox()->text(), QStringLiteral("-7 .5E0"));
    EXPECT_TRUE(drops.empty());
    QTest::keyClick(editor->yBox(), Qt::Key_Return);
    EXPECT_EQ(d.engine.points().pointX(3), -7.5f);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(drops, std::vector<int>{3});
    EXPECT_EQ(history.undoText(), QStringLiteral("Move point 3"));
    EXPECT_TRUE(pictureIsFresh());
    scene.key(Qt::Key_Return);

    // A click elsewhere cancels.
    editor->yBox()->setText(QStringLiteral("35"));
    QTest::mouseClick(&scene.surface, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(d.engine.points().pointY(3), 30.0f);

    // Off: a double-click is two clicks again.
    c.setValueEntryEnabled(false);
    QTest::mouseDClick(&scene.surface, Qt::LeftButton, Qt::NoModifier, scene.pixelOf(2).toPoint());
    EXPECT_FALSE(editor->isVisible());
}

} // namespace

namespace {

/** What a host's drop handler does inside the drop of an undo or a redo. */
enum class HostAct { WriteY, WriteDimensions, SetPoints, SwitchOff, Clear, Delete };
enum class Trigger { Keys, Stack };

struct HandlerCase {
    const char* name;
    HostAct act;
    bool redo;
    Trigger trigger;
};

class HostActsInTheDropOfAnUndo : public ::testing::TestWithParam<HandlerCase> {};

} // namespace

// The handler may do whatever the stack allows while it hears of an undone or redone edit: the
// stack has settled before the drop is raised.
TEST_P(HostActsInTheDropOfAnUndo, AndTheControlCarriesOn)
{
    const HandlerCase& hc = GetParam();
    QPointer<Curve> curve = new Curve;
    curve->resize(611, 321);
    curve->setPoints({{-20, 10}, {0, 40}, {20, 20}});
    curve->setY_Step(30);
    curve->RePaint();
    QWidget* surface = test::surfaceOf(*curve);
    surface->setFocus();
    const auto key = [&](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, k, m);
        QCoreApplication::sendEvent(surface, &event);
    };
    bool armed = false;
    int drops = 0;
    QObject::connect(curve, &Curve::DroppedValue, curve, [&](int& index) {
        if (!armed)
            return;
        ++drops;
        curve->setValueIndex(float(index < 0 ? 0 : index));
        switch (hc.act) {
        case HostAct::WriteY:
            curve->setY_Knotel(30);
            break;
        case HostAct::WriteDimensions:
            curve->setDimensions(3);
            break;
        case HostAct::SetPoints:
            curve->setPoints({{-20, 10}, {20, 20}});
            break;
        case HostAct::SwitchOff:
            curve->setUndoEnabled(false);
            break;
        case HostAct::Clear:
            curve->undoStack()->clear();
            break;
        case HostAct::Delete:
            delete curve;
            break;
        }
    });
    key(Qt::Key_Up, Qt::ControlModifier);
    key(Qt::Key_Home);
    key(Qt::Key_PageUp);
    ASSERT_EQ(curve->undoStack()->count(), 2);
    if (hc.redo)
        curve->undoStack()->undo();
    armed = true;
    if (hc.trigger == Trigger::Keys)
        key(Qt::Key_Z, hc.redo ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
    else
        hc.redo ? curve->undoStack()->redo() : curve->undoStack()->undo();
    EXPECT_EQ(drops, 1);
    if (hc.act == HostAct::Delete) {
        EXPECT_TRUE(curve.isNull());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return;
    }
    ASSERT_FALSE(curve.isNull());
    EXPECT_EQ(curve->undoStack()->count(), 0);
    // The control goes on as before.
    curve->setUndoEnabled(true);
    armed = false;
    key(Qt::Key_End);
    key(Qt::Key_Up);
    EXPECT_EQ(curve->undoStack()->count(), 1);
    delete curve;
}

INSTANTIATE_TEST_SUITE_P(
    EveryWriteThatEmptiesTheHistory, HostActsInTheDropOfAnUndo,
    ::testing::Values(HandlerCase{"YWrittenOnUndo", HostAct::WriteY, false, Trigger::Keys},
                      HandlerCase{"YWrittenOnRedo", HostAct::WriteY, true, Trigger::Keys},
                      HandlerCase{"YWrittenOnTheStacksUndo", HostAct::WriteY, false, Trigger::Stack},
                      HandlerCase{"DimensionsOnUndo", HostAct::WriteDimensions, false, Trigger::Stack},
                      HandlerCase{"DimensionsOnRedo", HostAct::WriteDimensions, true, Trigger::Keys},
                      HandlerCase{"SetPointsOnUndo", HostAct::SetPoints, false, Trigger::Keys},
                      HandlerCase{"SetPointsOnRedo", HostAct::SetPoints, true, Trigger::Stack},
                      HandlerCase{"SwitchedOffOnUndo", HostAct::SwitchOff, false, Trigger::Stack},
                      HandlerCase{"SwitchedOffOnRedo", HostAct::SwitchOff, true, Trigger::Keys},
                      HandlerCase{"ClearedOnUndo", HostAct::Clear, false, Trigger::Keys},
                      HandlerCase{"ClearedOnRedo", HostAct::Clear, true, Trigger::Stack},
                      HandlerCase{"DeletedOnRedo", HostAct::Delete, true, Trigger::Stack}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditHistory, AHandlerThatUndoesEveryDropWalksBackToTheStartAndStops)
{
    const std::vector<PointPosition> start = positions();
    for (int slot : {1, 3, 5})
        drag(scene.pixelOf(slot), scene.pixelOf(slot) + QPointF(0, -12));
    ASSERT_EQ(history.count(), 3);
    int depth = 0;
    int deepest = 0;
    QObject::connect(&c, &Curve::DroppedValue, &c, [&](int&) {
        deepest = std::max(deepest, ++depth);
        c.undoStack()->undo();
        --depth;
    });
    drops.clear();
    drag(scene.pixelOf(4), scene.pixelOf(4) + QPointF(0, 9));
    EXPECT_EQ(drops, (std::vector<int>{4, 4, 5, 3, 1}));
    EXPECT_EQ(deepest, 1) << "one handler at a time";
    EXPECT_EQ(history.index(), 0);
    EXPECT_TRUE(same(positions(), start));
    EXPECT_TRUE(pictureIsFresh());
}

TEST_F(EditHistory, TypedValuesBeyondTheAxisAreClampedAndOnlyACrossingIsRefused)
{
    struct Row {
        const char* text;
        float y; ///< where point 6, at Y 70, goes
        bool closes;
    };
    const Row rows[] = {
        {"1e39", 80, true}, {"-1D999", -20, true}, {"1E999", 80, true}, {"100", 80, true}, {"75", 75, true},
    };
    scene.show();
    scene.key(Qt::Key_End);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        scene.key(Qt::Key_F2);
        ValueEditor* editor = d.valueEditor;
        ASSERT_TRUE(editor && editor->isVisible());
        editor->yBox()->setText(QString::fromLatin1(row.text));
        QTest::keyClick(editor->yBox(), Qt::Key_Return);
        EXPECT_EQ(d.engine.points().pointY(6), row.y);
        EXPECT_EQ(editor->isVisible(), !row.closes);
        scene.surface.setFocus();
    }
}

TEST_F(EditHistory, TheHistoryKeepsItsLimitDroppingTheOldestSteps)
{
    EXPECT_EQ(c.undoLimit(), 1000);
    c.setUndoLimit(3);
    // Up on points 1, 2, 1, 2, 1: a step each.
    scene.key(Qt::Key_Right);
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            scene.key(i % 2 ? Qt::Key_Right : Qt::Key_Left);
        scene.key(Qt::Key_Up);
    }
    EXPECT_EQ(history.count(), 3);
    while (history.canUndo())
        history.undo();
    EXPECT_GT(d.engine.points().pointY(1), 10.0f) << "the oldest steps went";
    EXPECT_GT(d.engine.points().pointY(2), 40.0f);
    EXPECT_EQ(test::errorCodeOf([&] { c.setUndoLimit(-1); }), 5);
    EXPECT_EQ(c.undoLimit(), 3);
    c.setUndoLimit(0);
    EXPECT_EQ(history.count(), 0) << "a new limit empties the history";
    EXPECT_EQ(history.undoLimit(), 0);
}
