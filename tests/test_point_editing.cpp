// Point editing beside the late-bound face: the paste grammar and its refusals, a copy pasted back
// bit for bit, insert and delete at the ends and the limits with their undo, the grids under the
// locks and at the axis ends, the value label over the picture, and the context menu.
#include "CurveScene.h"
#include "TestSupport.h"

#include "widget/CurvePrivate.h"
#include "widget/DrawingSurface.h"

#include <knotel/Curve.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

using namespace knotel;
using knotel::test::differingPixels;

namespace {

/** Everything the table holds for the host, bit for bit: Dimensions and every slot. */
QByteArray tableBits(const PointTable& points)
{
    QByteArray bits;
    const auto add = [&bits](const auto& v) { bits.append(reinterpret_cast<const char*>(&v), sizeof v); };
    add(points.dimensions());
    for (int i = 0; i < SlotCount; ++i) {
        const PointSlot s = points.slot(i);
        add(s.x), add(s.y), add(s.savedX), add(s.savedY), add(s.xGiven), add(s.yGiven);
    }
    return bits;
}

class PointEditing : public ::testing::Test {
protected:
    test::CurveScene scene;
    Curve& c = scene.curve;
    CurvePrivate& d = scene.d;
    QUndoStack& history = *c.undoStack();
    std::vector<int> drops;
    QStringList refusals;

    void SetUp() override
    {
        scene.load(test::RisingPoints);
        c.setPointEditingEnabled(true);
        QObject::connect(&c, &Curve::DroppedValue, &c, [this](int& index) { drops.push_back(index); });
        QObject::connect(&c, &Curve::pasteRefused, &c,
                         [this](const QString& reason) { refusals.append(reason); });
    }
    QByteArray bits() const { return tableBits(d.engine.points()); }
    /** The picture is the one a fresh RePaint draws. */
    bool pictureIsFresh()
    {
        const QImage picture = scene.surface.image();
        c.RePaint();
        return differingPixels(scene.surface.image(), picture) == 0;
    }
    /** The point in @p slot becomes the keyboard's current point. */
    void choose(int slot)
    {
        scene.key(Qt::Key_Home);
        for (int i = 0; i < slot; ++i)
            scene.key(Qt::Key_Right);
    }
    void mouse(QEvent::Type type, QPointF at, Qt::MouseButtons held, Qt::KeyboardModifiers modifiers)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, scene.surface.mapToGlobal(at), button, held, modifiers);
        QCoreApplication::sendEvent(&scene.surface, &event);
    }
    QPointF pixelAt(double x, double y) const { return {scene.map().pixelX(x), scene.map().pixelY(y)}; }
};

// --- Paste: the grammar and every refusal, as rows.

struct PasteRow {
    const char* name;
    QString text;
    QList<QPointF> points;    ///< what the paste leaves; none: refused
    const char* refusal = ""; ///< a piece of the reason
    std::function<void(Curve&)> setUp = [](Curve&) {};
};

/** @p count lines from (-32, 0) on, one up and one right each. */
QString lines(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("%1\t%2\n").arg(i - 32).arg(i);
    return text;
}

void PrintTo(const PasteRow& row, std::ostream* os)
{
    *os << row.name;
}

class Paste : public PointEditing, public ::testing::WithParamInterface<PasteRow> {};

TEST_P(Paste, TakesTheTextWholeOrRefusesItWhole)
{
    const PasteRow& row = GetParam();
    c.setLockXEndPoints(0);
    row.setUp(c);
    d.engine.setPointStraight(2, std::nullopt, 25.0f); // slot 2 reads changed
    c.RePaint();
    const QByteArray before = bits();
    const bool taken = c.pastePoints(row.text);
    if (row.points.isEmpty()) {
        EXPECT_FALSE(taken);
        ASSERT_EQ(refusals.size(), 1);
        EXPECT_TRUE(refusals[0].contains(QLatin1String(row.refusal))) << qPrintable(refusals[0]);
        EXPECT_EQ(bits(), before);
        EXPECT_TRUE(drops.empty());
        EXPECT_EQ(history.count(), 0);
        return;
    }
    ASSERT_TRUE(taken) << qPrintable(refusals.value(0));
    EXPECT_EQ(c.points(), row.points);
    EXPECT_EQ(drops, std::vector<int>{-1});
    const auto n = row.points.size();
    EXPECT_EQ(history.undoText(),
              n == 1 ? QStringLiteral("Paste 1 point") : QStringLiteral("Paste %1 points").arg(n));
    // Slot 2 keeps its reference, (-10, 20); a slot that came into use has none.
    if (n > 2) {
        EXPECT_EQ(d.engine.points().pointChanged(2), row.points[2] != QPointF(-10, 20));
    }
    if (n > 7) {
        EXPECT_TRUE(d.engine.points().pointChanged(7));
    }
    const QByteArray after = bits();
    history.undo();
    EXPECT_EQ(bits(), before);
    EXPECT_TRUE(pictureIsFresh());
    history.redo();
    EXPECT_EQ(bits(), after);
    EXPECT_EQ(drops, (std::vector<int>{-1, -1, -1}));
}

const QList<QPointF> Ends{{-30, 0}, {30, 60}};

INSTANTIATE_TEST_SUITE_P(
    GrammarAndRules, Paste,
    ::testing::Values(
        PasteRow{"Tab", QStringLiteral("-30\t0\n30\t60\n"), Ends},
        PasteRow{"CommaAndCrLf", QStringLiteral("-30,0\r\n0, 10\r\n30 ,20"), {{-30, 0}, {0, 10}, {30, 20}}},
        PasteRow{"Semicolon", QStringLiteral("-30;0\n30 ; 1.5"), {{-30, 0}, {30, 1.5}}},
        PasteRow{"BlanksAndBlankLines", QStringLiteral("  -30   0 \n\n\t\n 30  60\n"), Ends},
        PasteRow{"CarriageReturns", QStringLiteral("-30 0\r30 60\r"), Ends},
        PasteRow{
            "NumberForms", QStringLiteral("-3e1\t+5\n.5\t2.\n3E+1\t-0"), {{-30, 5}, {0.5, 2}, {30, -0.0}}},
        PasteRow{"OnePoint", QStringLiteral("5 5"), {{5, 5}}},
        PasteRow{"SixtyFourLines", lines(64),
                 [] {
                     QList<QPointF> p;
                     for (int i = 0; i < 64; ++i)
                         p.append({double(i - 32), double(i)});
                     return p;
                 }(),
                 "", [](Curve& c) { c.setX_Axis_Left(-40), c.setX_Axis_Right(40); }},
        PasteRow{
            "AStepInX", QStringLiteral("-30 0\n0 0\n0 50\n30 50"), {{-30, 0}, {0, 0}, {0, 50}, {30, 50}}},
        PasteRow{"NotTwoNumbers", QStringLiteral("-30 0\n30\n"), {}, "line 2 is not two numbers"},
        PasteRow{"ThreeNumbers", QStringLiteral("1 2 3"), {}, "line 1 is not two numbers"},
        PasteRow{"DecimalComma", QStringLiteral("1,5;2,5"), {}, "line 1 is not two numbers"},
        PasteRow{"NoSeparator", QStringLiteral("1-2"), {}, "line 1 is not two numbers"},
        PasteRow{"AHeading", QStringLiteral("x\ty\n1\t2"), {}, "line 1 is not two numbers"},
        PasteRow{"NotANumber", QStringLiteral("-30 0\nnan 5"), {}, "line 2 has nan, which is not a finite"},
        PasteRow{"Infinite", QStringLiteral("0 -inf"), {}, "line 1 has -inf, which is not a finite"},
        PasteRow{"BeyondTheSingles", QStringLiteral("1e39 0"), {}, "line 1 has 1e39, beyond the range"},
        PasteRow{"Nothing", QStringLiteral(" \n\t\r\n"), {}, "holds no points"},
        PasteRow{"SixtyFiveLines", lines(65), {}, "more than 64 lines"},
        PasteRow{"OutsideTheXAxis", QStringLiteral("-31 0\n30 0"), {}, "X of line 1 lies outside"},
        PasteRow{"OutsideTheYAxis", QStringLiteral("-30 0\n\n30 81"), {}, "Y of line 3 lies outside"},
        PasteRow{"XLocked",
                 QStringLiteral("-30 0\n30 60"),
                 {},
                 "X values are locked",
                 [](Curve& c) { c.setLockX_Axis(1); }},
        PasteRow{"XLockedTheSameXs",
                 QStringLiteral("-30 5\n-20 5\n-10 5\n0 5\n10 5\n20 5\n30 5"),
                 {{-30, 5}, {-20, 5}, {-10, 5}, {0, 5}, {10, 5}, {20, 5}, {30, 5}},
                 "",
                 [](Curve& c) { c.setLockX_Axis(1); }},
        PasteRow{"YLocked",
                 QStringLiteral("-30 0\n30 60"),
                 {},
                 "Y values are locked",
                 [](Curve& c) { c.setLockY_Axis(-1); }},
        PasteRow{"FirstXLocked",
                 QStringLiteral("-25 0\n30 60"),
                 {},
                 "first point's X is locked",
                 [](Curve& c) { c.setLockXEndPoints(-1); }},
        PasteRow{"LastYLocked",
                 QStringLiteral("-30 0\n30 61"),
                 {},
                 "last point's Y is locked",
                 [](Curve& c) { c.setLockYEndPoints(-1); }},
        PasteRow{
            "XTurnsBack", QStringLiteral("-30 0\n10 0\n0 0\n30 0"), {}, "at line 3 the X values turn back"},
        PasteRow{"XTurnsBackWithCrossover",
                 QStringLiteral("-30 0\n10 0\n0 0\n30 0"),
                 {{-30, 0}, {10, 0}, {0, 0}, {30, 0}},
                 "",
                 [](Curve& c) { c.setAllowXCrossover(-1); }},
        PasteRow{"YTurnsBack",
                 QStringLiteral("-30 0\n0 50\n30 10"),
                 {},
                 "at line 3 the Y values turn back",
                 [](Curve& c) { c.setAllowYCrossover(0); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PointEditing, ACopyPastedBackGivesTheSameSinglesBitForBit)
{
    c.setX_Axis_Left(-1e38f), c.setX_Axis_Right(1e38f), c.setY_Axis_Bottom(-1e38f), c.setY_Axis_Top(1e38f);
    c.setAllowXCrossover(-1), c.setLockXEndPoints(0);
    const QList<QPointF> awkward{
        {0.1f, -0.0f}, {1e-45f, 1.0f / 3}, {-9.9999998e37f, 16777216.0f}, {123456.79f, 7e-10f}, {2.5f, 1e5f}};
    c.setPoints(awkward);
    const QString text = c.copyPoints();
    EXPECT_TRUE(text.startsWith(QStringLiteral("0.1\t-0\n1e-45\t0.33333334\n"))) << qPrintable(text);
    c.setPoints({{0, 0}, {1, 1}});
    ASSERT_TRUE(c.pastePoints(text)) << qPrintable(refusals.value(0));
    const std::span<const float> xs = d.engine.points().xs();
    const std::span<const float> ys = d.engine.points().ys();
    ASSERT_EQ(xs.size(), std::size_t(awkward.size()));
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const float x = float(awkward[qsizetype(i)].x());
        const float y = float(awkward[qsizetype(i)].y());
        EXPECT_EQ(std::memcmp(&xs[i], &x, sizeof x), 0) << i;
        EXPECT_EQ(std::memcmp(&ys[i], &y, sizeof y), 0) << i;
    }

    // The copy key copies whatever the switches; paste is point editing's.
    c.setPointEditingEnabled(false);
    c.setPoints({{-1, 2}, {3, 4}});
    scene.key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("-1\t2\n3\t4\n"));
    QGuiApplication::clipboard()->setText(text);
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendEvent(&scene.surface, &paste);
    EXPECT_FALSE(paste.isAccepted());
    EXPECT_EQ(c.points().size(), 2);
    c.setPointEditingEnabled(true);
    scene.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(c.points().size(), awkward.size());
}

TEST_F(PointEditing, ARefusedPasteFromTheKeysTellsThePersonUntilTheNextKey)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("-30 0\n30 99"));
    scene.key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(refusals.size(), 1);
    const QRect notice = d.engine.labelsRect();
    EXPECT_FALSE(notice.isNull());
    EXPECT_TRUE(scene.surface.rect().contains(notice));
    scene.key(Qt::Key_Shift);
    EXPECT_TRUE(d.engine.labelsRect().isNull());
    // A host's own paste is the host's to tell.
    EXPECT_FALSE(c.pastePoints(QStringLiteral("x")));
    EXPECT_TRUE(d.engine.labelsRect().isNull());
    EXPECT_EQ(refusals.size(), 2);
}

// --- Insert and delete: at both ends, at the limits, under the locks, with their undo.

struct EditRow {
    const char* name;
    int current; ///< the keyboard's current point
    int key;
    const char* step; ///< the undo step's text; null: refused
    std::function<void(test::CurveScene&)> setUp = [](test::CurveScene&) {};
};

void PrintTo(const EditRow& row, std::ostream* os)
{
    *os << row.name;
}

class InsertAndDelete : public PointEditing, public ::testing::WithParamInterface<EditRow> {};

TEST_P(InsertAndDelete, ChangeOneSlotAndMoveTheOthersWithTheirReferences)
{
    const EditRow& row = GetParam();
    row.setUp(scene);
    choose(row.current);
    drops.clear();
    d.engine.setPointStraight(4, std::nullopt, 44.0f); // slot 4 reads changed
    c.RePaint();
    const QList<QPointF> before = c.points();
    const QByteArray beforeBits = bits();
    QKeyEvent press(QEvent::KeyPress, row.key, Qt::NoModifier);
    QCoreApplication::sendEvent(&scene.surface, &press);
    EXPECT_TRUE(press.isAccepted());
    if (!row.step) {
        EXPECT_EQ(bits(), beforeBits);
        EXPECT_TRUE(drops.empty());
        EXPECT_EQ(history.count(), 0);
        return;
    }
    EXPECT_EQ(history.undoText(), QLatin1String(row.step));
    EXPECT_EQ(drops, std::vector<int>{-1});
    const bool insert = row.key == Qt::Key_Insert;
    const int slot = QString::fromLatin1(row.step).section(QLatin1Char(' '), 2).toInt();
    QList<QPointF> expected = before;
    if (insert)
        expected.insert(slot, (before[slot - 1] + before[slot]) / 2);
    else
        expected.removeAt(slot);
    EXPECT_EQ(c.points(), expected);
    // The new point and old slot 4, wherever it went, read changed.
    QList<int> changed;
    const int moved = 4 + (insert && slot <= 4) - (!insert && slot < 4);
    if ((insert || slot != 4) && moved < expected.size())
        changed.append(moved);
    if (insert)
        changed.append(slot);
    std::sort(changed.begin(), changed.end());
    EXPECT_EQ(c.changedPoints(), changed);
    EXPECT_EQ(d.engine.currentPoint(), std::min(slot, int(expected.size()) - 1));
    EXPECT_TRUE(pictureIsFresh());

    const QByteArray afterBits = bits();
    scene.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bits(), beforeBits);
    EXPECT_TRUE(pictureIsFresh());
    scene.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(bits(), afterBits);
    EXPECT_TRUE(pictureIsFresh());
    EXPECT_EQ(drops, (std::vector<int>{-1, -1, -1}));
}

const auto endLocksOff = [](test::CurveScene& s) { s.curve.setLockXEndPoints(0); };

INSTANTIATE_TEST_SUITE_P(
    EndsAndLimits, InsertAndDelete,
    ::testing::Values(EditRow{"InsertAfterTheFirst", 0, Qt::Key_Insert, "Insert point 1"},
                      EditRow{"InsertBeforeTheLast", 6, Qt::Key_Insert, "Insert point 6"},
                      EditRow{"InsertAtSixtyFour", 3, Qt::Key_Insert, nullptr,
                              [](test::CurveScene& s) { s.loadSixtyFour(5); }},
                      EditRow{"InsertWithXLocked", 3, Qt::Key_Insert, nullptr,
                              [](test::CurveScene& s) { s.curve.setLockX_Axis(1); }},
                      EditRow{"DeleteInTheMiddle", 4, Qt::Key_Delete, "Delete point 4"},
                      EditRow{"BackspaceDeletes", 2, Qt::Key_Backspace, "Delete point 2"},
                      EditRow{"DeleteTheFirst", 0, Qt::Key_Delete, "Delete point 0", endLocksOff},
                      EditRow{"DeleteTheLast", 6, Qt::Key_Delete, "Delete point 6", endLocksOff},
                      EditRow{"DeleteAnEndWithItsXLocked", 6, Qt::Key_Delete, nullptr},
                      EditRow{"DeleteAnEndWithItsYLocked", 0, Qt::Key_Delete, nullptr,
                              [](test::CurveScene& s) {
                                  s.curve.setLockXEndPoints(0), s.curve.setLockYEndPoints(-1);
                              }},
                      EditRow{"DeleteWithXLocked", 3, Qt::Key_Delete, nullptr,
                              [](test::CurveScene& s) { s.curve.setLockX_Axis(1); }},
                      EditRow{"DeleteAtThree", 1, Qt::Key_Delete, "Delete point 1",
                              [](test::CurveScene& s) { s.curve.setDimensions(3); }},
                      EditRow{"DeleteAtTwo", 1, Qt::Key_Delete, nullptr,
                              [](test::CurveScene& s) { s.curve.setDimensions(2); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PointEditing, CtrlPressOnTheLineInsertsAPointThereAndDragsIt)
{
    // Midway along the segment from point 2 to point 3, then up.
    const QPointF line = (scene.pixelOf(2) + scene.pixelOf(3)) / 2;
    mouse(QEvent::MouseButtonPress, line, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(c.points().size(), 8);
    EXPECT_EQ(drops, std::vector<int>{-1});
    EXPECT_EQ(d.engine.gesture().point, 3);
    mouse(QEvent::MouseMove, line + QPointF(0, -20), Qt::LeftButton, Qt::NoModifier);
    mouse(QEvent::MouseButtonRelease, line + QPointF(0, -20), Qt::NoButton, Qt::NoModifier);
    EXPECT_EQ(drops, (std::vector<int>{-1, 3}));
    EXPECT_EQ(history.text(0), QStringLiteral("Insert point 3"));
    EXPECT_EQ(history.text(1), QStringLiteral("Move point 3"));
    EXPECT_GT(c.points()[3].y(), 25.0) << "above the line, from midway between 20 and 30";

    // On a point, Ctrl + press grabs it as a press does; switched off, on the line it grabs the curve.
    mouse(QEvent::MouseButtonPress, scene.pixelOf(5), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(d.engine.gesture().point, 5);
    mouse(QEvent::MouseButtonRelease, scene.pixelOf(5), Qt::NoButton, Qt::NoModifier);
    c.setPointEditingEnabled(false);
    mouse(QEvent::MouseButtonPress, (scene.pixelOf(5) + scene.pixelOf(6)) / 2, Qt::LeftButton,
          Qt::ControlModifier);
    EXPECT_TRUE(d.engine.gesture().curveMoving);
    EXPECT_EQ(c.points().size(), 8);
}

// --- The grids: the nearest multiple, then the locks, crossover and clamping as ever.

class Snapping;

struct SnapRow {
    const char* name;
    std::function<void(Curve&)> setUp;
    std::function<void(Snapping&)> act;
    int slot;
    QPointF expected;
};

void PrintTo(const SnapRow& row, std::ostream* os)
{
    *os << row.name;
}

class Snapping : public PointEditing, public ::testing::WithParamInterface<SnapRow> {
public:
    /** Drags point 3, at (0, 30), to the pixel of (@p x, @p y). */
    void dragTo(double x, double y)
    {
        scene.press(scene.pixelOf(3));
        scene.move(pixelAt(x, y));
        scene.release(pixelAt(x, y));
    }
    /** Grabs the line between points 2 and 3 and moves it up by @p units of Y. */
    void dragLineUp(double units)
    {
        const QPointF line = (scene.pixelOf(2) + scene.pixelOf(3)) / 2;
        scene.press(line);
        scene.move(line - QPointF(0, units * double(c.plotLayout().ScaleY)));
        scene.release(line);
    }
    void keys(int slot, int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        choose(slot);
        scene.key(k, modifiers);
    }
    void setY(int slot, float y)
    {
        d.engine.setPointStraight(slot, std::nullopt, y);
        c.RePaint();
    }
    void type(int slot, const char* x, const char* y)
    {
        d.engine.enterValues(slot, QString::fromLatin1(x), QString::fromLatin1(y));
    }
};

TEST_P(Snapping, PutsTheMovedCoordinateOnTheGridBeforeTheRules)
{
    const SnapRow& row = GetParam();
    c.setSnapX(5), c.setSnapY(5);
    row.setUp(c);
    row.act(*this);
    EXPECT_EQ(c.points()[row.slot], row.expected);
}

const auto noSetUp = [](Curve&) {};

INSTANTIATE_TEST_SUITE_P(
    MouseAndKeys, Snapping,
    ::testing::Values(
        SnapRow{"ADrag", noSetUp, [](Snapping& t) { t.dragTo(7.3, 42.2); }, 3, {5, 40}},
        SnapRow{"ADragWithYLocked",
                [](Curve& c) { c.setLockY_Axis(-1); },
                [](Snapping& t) { t.dragTo(7.3, 42.2); },
                3,
                {5, 30}},
        SnapRow{"ADragWithXLocked",
                [](Curve& c) { c.setLockX_Axis(-1); },
                [](Snapping& t) { t.dragTo(7.3, 42.2); },
                3,
                {0, 40}},
        SnapRow{"AMultiplePastANeighbourIsRefused",
                [](Curve& c) { c.setSnapX(20); },
                [](Snapping& t) { t.dragTo(-12, 42.2); },
                3,
                {0, 40}},
        SnapRow{"TheAxisEndWins",
                [](Curve& c) { c.setSnapY(7); },
                [](Snapping& t) { t.dragTo(0, 83.5); },
                3,
                {0, 80}},
        SnapRow{"UpToTheNextMultiple",
                [](Curve& c) { c.setSnapY(4); },
                [](Snapping& t) { t.keys(3, Qt::Key_Up); },
                3,
                {0, 32}},
        SnapRow{"DownFromOffTheGrid",
                [](Curve& c) { c.setSnapY(4); },
                [](Snapping& t) { t.setY(3, 33.5f), t.keys(3, Qt::Key_Down); },
                3,
                {0, 32}},
        SnapRow{"PageUpToTheNearestMultiple",
                [](Curve& c) { c.setSnapY(4), c.setY_Step(9); },
                [](Snapping& t) { t.keys(3, Qt::Key_PageUp); },
                3,
                {0, 40}},
        SnapRow{"PageUpAtLeastOneMultiple",
                [](Curve& c) { c.setSnapY(4), c.setY_Step(1); },
                [](Snapping& t) { t.setY(3, 32), t.keys(3, Qt::Key_PageUp); },
                3,
                {0, 36}},
        SnapRow{"ShiftRight",
                [](Curve& c) { c.setSnapX(2.5); },
                [](Snapping& t) { t.keys(3, Qt::Key_Right, Qt::ShiftModifier); },
                3,
                {2.5, 30}},
        SnapRow{"CtrlUpMovesTheCurveByOneMultiple",
                noSetUp,
                [](Snapping& t) { t.keys(3, Qt::Key_Up, Qt::ControlModifier); },
                6,
                {30, 65}},
        SnapRow{"TheCurveMovesByMultiples", noSetUp, [](Snapping& t) { t.dragLineUp(7.3); }, 1, {-20, 15}},
        SnapRow{"TypedValuesStayAsTyped",
                noSetUp,
                [](Snapping& t) { t.type(3, "7.3", "42.2"); },
                3,
                {7.3f, 42.2f}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PointEditing, AGridIsZeroOrAPositiveStep)
{
    for (double bad : {-1.0, qQNaN(), qInf()})
        EXPECT_EQ(test::errorCodeOf([&] { c.setSnapX(bad); }), RuntimeError::InvalidArgument) << bad;
    EXPECT_EQ(c.snapX(), 0.0);
}

// --- The value label: over the picture while a point moves, gone at the release.

TEST_F(PointEditing, TheValueLabelShowsWhileAPointMovesAndLeavesThePictureAsItWas)
{
    c.setDragValueVisible(true);
    c.setY_Decimals(1);
    scene.show();
    const auto screen = [&] {
        QCoreApplication::processEvents();
        return scene.surface.grab().toImage();
    };
    const auto screenShowsPicture = [&] { return differingPixels(screen(), scene.surface.image()) == 0; };

    // Point 6 at the upper right: its label is kept inside the surface.
    const QPointF p6 = scene.pixelOf(6);
    scene.press(p6);
    scene.move(pixelAt(30, 90));
    const QRect label = d.engine.labelsRect();
    ASSERT_FALSE(label.isNull());
    EXPECT_TRUE(scene.surface.rect().contains(label));
    const QImage during = screen();
    QImage picture = scene.surface.image();
    EXPECT_NE(differingPixels(during, picture), 0);
    QPainter outside(&picture);
    outside.drawImage(label.topLeft(), during.copy(label));
    outside.end();
    EXPECT_EQ(differingPixels(during, picture), 0) << "the label alone differs";
    scene.release(pixelAt(30, 90));
    EXPECT_TRUE(d.engine.labelsRect().isNull());
    EXPECT_TRUE(screenShowsPicture());
    EXPECT_TRUE(pictureIsFresh());

    // A key move: from the press to the release of the key. (Without the focus, no focus marker.)
    scene.surface.clearFocus();
    choose(3);
    QTest::keyPress(&scene.surface, Qt::Key_Up);
    EXPECT_FALSE(d.engine.labelsRect().isNull());
    QTest::keyRelease(&scene.surface, Qt::Key_Up);
    EXPECT_TRUE(d.engine.labelsRect().isNull());
    EXPECT_TRUE(screenShowsPicture());

    c.setDragValueVisible(false);
    scene.press(scene.pixelOf(2));
    scene.move(scene.pixelOf(2) + QPointF(0, -10));
    EXPECT_TRUE(d.engine.labelsRect().isNull());
    EXPECT_TRUE(screenShowsPicture());
    scene.release(scene.pixelOf(2) + QPointF(0, -10));
}

// --- The context menu: the host's while point editing is off.

TEST_F(PointEditing, TheContextMenuOffersInsertDeleteCopyAndPaste)
{
    scene.show();
    const QPoint p3 = scene.pixelOf(3).toPoint();
    c.setPointEditingEnabled(false);
    QContextMenuEvent hosts(QContextMenuEvent::Mouse, p3, scene.surface.mapToGlobal(p3));
    QCoreApplication::sendEvent(&scene.surface, &hosts);
    EXPECT_FALSE(hosts.isAccepted());

    c.setPointEditingEnabled(true);
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return ADD_FAILURE() << "no menu";
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator())
                offered.append(action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (off)")));
            if (action->text() == QStringLiteral("Delete point"))
                menu->setActiveAction(action);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QGuiApplication::clipboard()->clear();
    QContextMenuEvent ours(QContextMenuEvent::Mouse, p3, scene.surface.mapToGlobal(p3));
    QCoreApplication::sendEvent(&scene.surface, &ours);
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Insert point"), QStringLiteral("Delete point"),
                                    QStringLiteral("Copy points"), QStringLiteral("Paste points (off)")}));
    EXPECT_EQ(history.undoText(), QStringLiteral("Delete point 3")) << "the point under the mouse";
    EXPECT_EQ(drops, std::vector<int>{-1});
}

} // namespace
