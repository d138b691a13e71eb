// The undo history of the person's edits: one command per drag, whole-curve move, key move (merged
// while the keys keep moving the same point), typed value, insert, delete and paste. Undo and redo
// put the coordinates back exactly, redraw with the XOR pen as a drag does and raise DroppedValue
// as the edit did. A move's undo leaves the points' references, so Changed reads as before; an
// insert, delete or paste puts back its slots whole, references and flags included.
//
// A command only puts coordinates back; its drop is raised once the stack has moved its index,
// never from inside the command. The host's handler may then do anything the stack allows: undo
// again, write points (which empties the history and deletes the command), delete the control.
// The change notices of the points go out just before the drop.
#include "engine/EditHistory.h"

#include "engine/CurveEngine.h"
#include "platform/Canvas.h"

#include <knotel/RuntimeError.h>

#include <QCoreApplication>
#include <QUndoCommand>
#include <QUndoStack>

#include <utility>

namespace knotel {

namespace {

/** Merge ids: key moves of one point, and key moves of the whole curve. */
constexpr int PointKeyMoves = 1;
constexpr int CurveKeyMoves = 2;

/** A command of the control's history; the stack, and so the command, never outlives the engine. */
class EditCommand : public QUndoCommand {
public:
    EditCommand(CurveEngine& engine, EditSource source, const QString& text)
        : QUndoCommand(text), m_engine(engine), m_source(source)
    {
    }

    void undo() override { put(m_engine, false); }
    void redo() override
    {
        // The edit itself was applied when the command was pushed.
        if (m_pushed)
            put(m_engine, true);
        m_pushed = true;
    }

protected:
    /** Puts the coordinates before (@p after false) or after the edit back and queues the drop. */
    virtual void put(CurveEngine& engine, bool after) = 0;
    bool fromKeys() const { return m_source == EditSource::Keys; }

private:
    CurveEngine& m_engine;
    EditSource m_source;
    bool m_pushed = false;
};

class PointMoveCommand : public EditCommand {
public:
    PointMoveCommand(CurveEngine& engine, EditSource source, int slot, PointPosition from, PointPosition to)
        : EditCommand(engine, source,
                      QCoreApplication::translate("knotel::Curve", "Move point %1").arg(slot)),
          m_slot(slot), m_from(from), m_to(to)
    {
    }

    int id() const override { return fromKeys() ? PointKeyMoves : -1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const PointMoveCommand*>(other);
        if (next->m_slot != m_slot)
            return false;
        m_to = next->m_to;
        // Moved back to where the keys started: no step at all.
        setObsolete(m_to.same(m_from));
        return true;
    }

protected:
    void put(CurveEngine& engine, bool after) override { engine.restorePoint(m_slot, after ? m_to : m_from); }

private:
    int m_slot;
    PointPosition m_from;
    PointPosition m_to;
};

class CurveMoveCommand : public EditCommand {
public:
    CurveMoveCommand(CurveEngine& engine, EditSource source, const CurveYs& from, const CurveYs& to,
                     int count)
        : EditCommand(engine, source, QCoreApplication::translate("knotel::Curve", "Move curve")),
          m_from(from), m_to(to), m_count(count)
    {
    }

    int id() const override { return fromKeys() ? CurveKeyMoves : -1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const CurveMoveCommand*>(other);
        if (next->m_count != m_count)
            return false;
        m_to = next->m_to;
        setObsolete(sameYs(m_to, m_from));
        return true;
    }

protected:
    void put(CurveEngine& engine, bool after) override { engine.restoreCurve(after ? m_to : m_from); }

private:
    bool sameYs(const CurveYs& a, const CurveYs& b) const
    {
        for (int i = 0; i < m_count; ++i) {
            if (!PointPosition{0, a[std::size_t(i)]}.same({0, b[std::size_t(i)]}))
                return false;
        }
        return true;
    }

    CurveYs m_from;
    CurveYs m_to;
    int m_count;
};

/** An insert, a delete or a paste: the slots it changed, from the first on, and Dimensions, as they
 *  were before and after it, references and flags included, so that both come back exactly. */
class SlotsCommand : public EditCommand {
public:
    struct Slots {
        QList<PointSlot> contents;
        qint32 dimensions = 0;
    };
    SlotsCommand(CurveEngine& engine, const QString& text, int first, Slots before, Slots after)
        : EditCommand(engine, EditSource::PointEditing, text), m_first(first), m_before(std::move(before)),
          m_after(std::move(after))
    {
    }

protected:
    void put(CurveEngine& engine, bool after) override
    {
        const Slots& to = after ? m_after : m_before;
        engine.restoreSlots(m_first, to.contents, to.dimensions);
    }

private:
    int m_first;
    Slots m_before;
    Slots m_after;
};

} // namespace

QUndoStack* createEditHistory(QObject* owner)
{
    auto* stack = new QUndoStack(owner);
    stack->setObjectName(QStringLiteral("Curve_Edits"));
    stack->setUndoLimit(DefaultUndoLimit);
    return stack;
}

/** The engine drives its stack: the stack's signals meanwhile are not the host's doing, and the
 *  engine reports once it is done. */
class CurveEngine::DrivingStack {
public:
    explicit DrivingStack(CurveEngine& engine) : m_engine(engine) { ++m_engine.m_drivingStack; }
    ~DrivingStack() { --m_engine.m_drivingStack; }
    DrivingStack(const DrivingStack&) = delete;
    DrivingStack& operator=(const DrivingStack&) = delete;

private:
    CurveEngine& m_engine;
};

void CurveEngine::watchHistory()
{
    // The host moves the stack itself (its undo(), an Edit menu's action, a QUndoView): the drops
    // of the commands it ran go out once it has moved its index, with the change notices. The
    // host's handlers then run inside the stack's signal: should one delete the control, the stack
    // must outlive it until it has returned (see the destructor).
    const auto hostMovedTheStack = [this] {
        if (m_drivingStack > 0)
            return;
        m_stackCallingOut = true;
        if (report())
            m_stackCallingOut = false;
    };
    const auto historyChanged = [this, hostMovedTheStack] {
        changed(Change::History);
        hostMovedTheStack();
    };
    m_historyWatches = {
        QObject::connect(m_undoStack, &QUndoStack::indexChanged, m_undoStack, hostMovedTheStack),
        QObject::connect(m_undoStack, &QUndoStack::canUndoChanged, m_undoStack, historyChanged),
        QObject::connect(m_undoStack, &QUndoStack::canRedoChanged, m_undoStack, historyChanged),
    };
}

void CurveEngine::undo()
{
    if (dragging())
        return;
    {
        const DrivingStack driving(*this);
        m_undoStack->undo();
    }
    (void)report(); // the last act: the drop's handler may delete the control
}

void CurveEngine::redo()
{
    if (dragging())
        return;
    {
        const DrivingStack driving(*this);
        m_undoStack->redo();
    }
    (void)report();
}

void CurveEngine::recordPointMove(int slot, PointPosition from, PointPosition to, EditSource source)
{
    if (!m_undoEnabled || from.same(to))
        return;
    const DrivingStack driving(*this);
    m_undoStack->push(new PointMoveCommand(*this, source, slot, from, to));
}

void CurveEngine::recordCurveMove(EditSource source)
{
    if (!m_undoEnabled || !m_points.curveMoved())
        return;
    const CurveYs& from = m_points.moveStartYs();
    CurveYs to{};
    const int count = m_points.slotsInUse();
    for (int i = 0; i < count; ++i)
        to[std::size_t(i)] = m_points.pointY(i);
    const DrivingStack driving(*this);
    m_undoStack->push(new CurveMoveCommand(*this, source, from, to, count));
}

void CurveEngine::recordSlots(const QString& text, int first, const QList<PointSlot>& before,
                              qint32 dimensionsBefore, const QList<PointSlot>& after, qint32 dimensionsAfter)
{
    if (!m_undoEnabled)
        return;
    const DrivingStack driving(*this);
    m_undoStack->push(
        new SlotsCommand(*this, text, first, {before, dimensionsBefore}, {after, dimensionsAfter}));
}

void CurveEngine::clearHistory()
{
    const DrivingStack driving(*this);
    m_undoStack->clear();
}

int CurveEngine::undoLimit() const
{
    return m_undoStack->undoLimit();
}

void CurveEngine::setUndoLimit(int limit)
{
    if (limit < 0)
        throw RuntimeError(RuntimeError::InvalidArgument,
                           QStringLiteral("undoLimit %1 is negative").arg(limit));
    if (limit == m_undoStack->undoLimit())
        return;
    // The stack takes a new limit only while it is empty.
    clearHistory();
    m_undoStack->setUndoLimit(limit);
    changed(Change::UndoLimit);
    (void)report();
}

void CurveEngine::setUndoEnabled(bool enabled)
{
    if (enabled == m_undoEnabled)
        return;
    m_undoEnabled = enabled;
    if (!enabled)
        clearHistory();
    changed(Change::UndoEnabled);
    (void)report();
}

void CurveEngine::restorePoint(int slot, PointPosition to)
{
    if (slot < 0 || slot >= m_points.slotsInUse())
        return;
    CurvePainter curvePainter = painter();
    placePoint(m_points, slot, to, curvePainter);
    pointsMayHaveChanged();
    updateFocusMarker();
    m_pendingDrops.append(slot);
}

void CurveEngine::restoreCurve(const CurveYs& ys)
{
    CurvePainter curvePainter = painter();
    placeCurve(m_points, ys, curvePainter);
    pointsMayHaveChanged();
    updateFocusMarker();
    m_pendingDrops.append(-1);
}

bool CurveEngine::announceDrop(int index)
{
    m_pendingDrops.append(index);
    return report();
}

bool CurveEngine::report()
{
    placeLabels();
    if (!flushChanges())
        return false;
    // A drop asked for while a handler runs (the handler undid an edit) is raised once that handler
    // has returned: handlers of drops never nest, however long the host keeps undoing.
    if (m_raisingDrops)
        return true;
    m_raisingDrops = true;
    while (!m_pendingDrops.isEmpty()) {
        if (!m_client.raiseDrop(m_pendingDrops.takeFirst()))
            return false; // the handler deleted the control: nothing of it may be touched
        if (!flushChanges())
            return false;
    }
    m_raisingDrops = false;
    return true;
}

} // namespace knotel
