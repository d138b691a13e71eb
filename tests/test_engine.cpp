// The engine without a shell, driven through a client of the test's own: each write, gesture and
// undo reports exactly what it changed, once, before the drop that follows it.
#include "engine/CurveEngine.h"

#include <QObject>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace knotel;

namespace {

/** A client that records what the engine reports, in order: a change as its number, a drop as
 *  "drop <index>". */
class RecordingClient : public EngineClient {
public:
    std::vector<std::string> heard;

    QSize canvasSize() const override { return {611, 321}; }
    qreal canvasPixelRatio() const override { return 1; }
    QSize canvasDpi() const override { return {96, 96}; }
    void showArea(const QRect&) override {}
    bool hasFocus() const override { return false; }
    qreal physicalDpi() const override { return 0; }
    bool raiseDrop(int index) override
    {
        heard.push_back("drop " + std::to_string(index));
        return true;
    }
    void valueEntryRequested(int, bool) override {}
    bool changed(Change what) override
    {
        // Only what a host hears as a change signal.
        if (std::size_t(what) < SignalledChangeCount)
            heard.push_back(std::to_string(int(what)));
        return true;
    }
};

std::string heard(Change what)
{
    return std::to_string(int(what));
}

class Engine : public ::testing::Test {
protected:
    QObject owner;
    RecordingClient client;
    CurveEngine engine{client, &owner};

    void SetUp() override
    {
        engine.start([this] { engine.layOut(); });
        engine.setPointList({{-30, 0}, {-20, 10}, {-10, 40}, {0, 30}, {10, 60}, {20, 50}, {30, 70}});
        engine.setValueIndex(3);
        client.heard.clear();
    }
    void drag(int slot, QPointF by)
    {
        const QPointF at = engine.positionOf(slot);
        engine.mousePress(Qt::LeftButton, float(at.x()), float(at.y()));
        engine.mouseMove(Qt::LeftButton, float(at.x() + by.x()), float(at.y() + by.y()));
        engine.mouseRelease();
    }
};

struct Row {
    const char* name;
    std::function<void(CurveEngine&)> act;
    std::vector<std::string> heard;
};

class EngineNotices : public Engine, public ::testing::WithParamInterface<Row> {};

TEST_P(EngineNotices, AreExactlyWhatChanged)
{
    GetParam().act(engine);
    EXPECT_EQ(client.heard, GetParam().heard);
}

const auto points = heard(Change::Points);

INSTANTIATE_TEST_SUITE_P(
    WritesAndEdits, EngineNotices,
    ::testing::Values(
        Row{"SameValue", [](CurveEngine& e) { e.setX_Axis_Left(-30); }, {}},
        Row{"NegativeZeroIsAnotherValue",
            [](CurveEngine& e) { e.setActual_Value_X(-0.0f); },
            {heard(Change::Actual_Value_X)}},
        Row{"FirstWriteOfZeroChangesNoReading", [](CurveEngine& e) { e.setY_DashedLine_Top(0); }, {}},
        Row{"NormalisedFlag",
            [](CurveEngine& e) { e.setHideLine(5), e.setHideLine(-1); },
            {heard(Change::HideLine)}},
        Row{"AnotherSlotChangesItsReadings",
            [](CurveEngine& e) { e.setValueIndex(4); },
            {heard(Change::X_Knotel), heard(Change::Y_Knotel), heard(Change::ValueIndex)}},
        Row{"TheIndexedPointMoves",
            [](CurveEngine& e) { e.setY_Knotel(35); },
            {heard(Change::Y_Knotel), points}},
        Row{"AnotherPointMoves",
            [](CurveEngine& e) {
                e.setValueIndex(5);
                e.setChanged(-1); // marks it: no coordinate moves
            },
            {heard(Change::X_Knotel), heard(Change::Y_Knotel), heard(Change::ValueIndex),
             heard(Change::Changed)}},
        Row{"FewerPoints",
            [](CurveEngine& e) { e.setDimensions(3); },
            {heard(Change::Dimensions), heard(Change::Y_Knotel), points}},
        Row{"SwitchesBesideTheFace",
            [](CurveEngine& e) { e.setUndoLimit(5), e.setUndoLimit(5); },
            {heard(Change::UndoLimit)}},
        Row{"AnInsertMovesTheIndexedSlot",
            [](CurveEngine& e) { e.setPointEditingEnabled(true), e.insertPoint(); },
            {heard(Change::PointEditingEnabled), heard(Change::Dimensions), heard(Change::X_Knotel),
             heard(Change::Y_Knotel), points, heard(Change::History), "drop -1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Engine, ADragReportsItsMovesAndThenItsDrop)
{
    engine.setLockX_Axis(-1);
    client.heard.clear();
    drag(3, {0, -20});
    ASSERT_FALSE(client.heard.empty());
    // The indexed point's new Y and changed flag with the move, the history, then the drop; undo
    // reports the same.
    const std::vector<std::string> dragged{heard(Change::Y_Knotel), heard(Change::Changed), points,
                                           heard(Change::History), "drop 3"};
    EXPECT_EQ(client.heard, dragged);
    client.heard.clear();
    engine.undo();
    EXPECT_EQ(client.heard, dragged);
}

} // namespace
