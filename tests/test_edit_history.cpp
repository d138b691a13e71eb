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
#include <QLineEdit>
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
        for (int i = 0; i < d.points.slotsInUse(); ++i)
            all.push_back(d.points.position(i));
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
    EXPECT_EQ(d.points.pointY(1), 10.0f);
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
    EXPECT_EQ(history.count(), 1) << "the same number of points";
    c.setDimensions(6);
    EXPECT_EQ(history.count(), 0);

    c.setUndoEnabled(false);
    drag(scene.pixelOf(2), scene.pixelOf(2) + QPointF(0, -10));
    const float moved = d.points.pointY(2);
    scene.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(history.count(), 0);
    EXPECT_EQ(d.points.pointY(2), moved);
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
    EXPECT_EQ(d.points.pointY(0), 0.0f);

    // Point 3 at Y 30 between 40 and 60 may not cross them without crossover: Y stays and shows, X
    // (read as every typed number is) moves, and the one apply raises one drop.
    c.setAllowYCrossover(0);
    scene.key(Qt::Key_End);
    scene.key(Qt::Key_Left), scene.key(Qt::Key_Left), scene.key(Qt::Key_Left);
    scene.key(Qt::Key_Return);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->slot(), 3);
    editor->xBox()->setText(QStringLiteral("-7 .5E0"));
    editor->yBox()->setText(QStringLiteral("55"));
    QTest::keyClick(editor->xBox(), Qt::Key_Return);
    EXPECT_EQ(d.points.pointX(3), -7.5f);
    EXPECT_EQ(d.points.pointY(3), 30.0f);
    EXPECT_TRUE(editor->isVisible()) << "a refused value stays to be seen";
    EXPECT_EQ(editor->yBox()->text(), QStringLiteral("+30"));
    EXPECT_EQ(drops, std::vector<int>{3});
    EXPECT_EQ(history.undoText(), QStringLiteral("Move point 3"));
    EXPECT_TRUE(pictureIsFresh());

    // A click elsewhere cancels.
    editor->yBox()->setText(QStringLiteral("35"));
    QTest::mouseClick(&scene.surface, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(d.points.pointY(3), 30.0f);

    // Off: a double-click is two clicks again.
    c.setValueEntryEnabled(false);
    QTest::mouseDClick(&scene.surface, Qt::LeftButton, Qt::NoModifier, scene.pixelOf(2).toPoint());
    EXPECT_FALSE(editor->isVisible());
}

} // namespace
