#ifndef KNOTEL_ENGINE_ENGINECLIENT_H
#define KNOTEL_ENGINE_ENGINECLIENT_H

#include "engine/PropertyList.h"
#include "platform/Canvas.h"

#include <cstddef>

#include <QString>
#include <QtGlobal>

namespace knotel {

/**
 * What the engine reports as changed: each property of the late-bound face, in its order, the list
 * of points, each property beside the face, the history's canUndo / canRedo; then what a shell shows
 * of the engine's state without a property: the tracker's read-out, the mouse pointer and the keys'
 * current point.
 */
enum class Change {
#define KNOTEL_CHANGE_OF(Type, Name, qmlName, Argument) Name,
    KNOTEL_CURVE_PROPERTIES(KNOTEL_CHANGE_OF)
#undef KNOTEL_CHANGE_OF
        Points,
#define KNOTEL_CHANGE_OF(Type, name, Name, getter) Name,
    KNOTEL_CURVE_SWITCHES(KNOTEL_CHANGE_OF)
#undef KNOTEL_CHANGE_OF
        History,
    Readout,
    MousePointer,
    CurrentPoint,
};
inline constexpr std::size_t ChangeCount = std::size_t(Change::CurrentPoint) + 1;
/** The changes that a property's change signal announces: all before the read-out. */
inline constexpr std::size_t SignalledChangeCount = std::size_t(Change::Readout);

/**
 * What the engine asks of the shell that shows it, a widget or a Qt Quick item: the one way it
 * reaches outside itself. Each call comes synchronously from the engine. As the host of the
 * engine's canvas it also gives the size, ratio and resolution and shows changed areas.
 */
class EngineClient : public platform::CanvasHost {
public:
    /** Whether the shell has the keyboard focus. */
    virtual bool hasFocus() const = 0;
    /** The physical dots per logical inch of the screen the shell is on (QScreen's
     *  physicalDotsPerInch()), for what must have a size on the glass: a finger's reach. 0 when the
     *  shell is on no screen. */
    virtual qreal physicalDpi() const = 0;
    /**
     * Announces a drop to the host: the point's slot, or -1 for the whole curve. Returns false when
     * the host's handler deleted the control; the engine then returns at once, touching nothing.
     */
    virtual bool raiseDrop(int index) = 0;
    /** The person asked to type exact values into point @p slot, by the keyboard or a double-click. */
    virtual void valueEntryRequested(int slot, bool fromKeys) = 0;
    /** @p what changed (BackColor: the picture was erased to it). Returns false when a handler
     *  deleted the control. */
    virtual bool changed(Change what) = 0;
    /** A paste was refused, for @p reason (a sentence for the person); false when the host's handler
     *  deleted the control. */
    virtual bool pasteRefused(const QString& reason)
    {
        Q_UNUSED(reason);
        return true;
    }
    /** The labels over the picture (CurveEngine::drawLabels()) changed within @p area: shows it again;
     *  the picture itself did not change. */
    virtual void showLabels(const QRect& area) { showArea(area); }

protected:
    ~EngineClient() = default;
};

} // namespace knotel

#endif
