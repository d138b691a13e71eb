#ifndef KNOTEL_ENGINE_ENGINECLIENT_H
#define KNOTEL_ENGINE_ENGINECLIENT_H

#include "engine/PropertyList.h"
#include "platform/Canvas.h"

#include <cstddef>

#include <QString>
#include <QtGlobal>

namespace knotel {

/** What the engine reports as changed: each property of the late-bound face, in its order, then
 *  the list of points, the switches beside the face and the history's canUndo / canRedo. */
enum class Change {
#define KNOTEL_CHANGE_OF(Type, Name, qmlName, Argument) Name,
    KNOTEL_CURVE_PROPERTIES(KNOTEL_CHANGE_OF)
#undef KNOTEL_CHANGE_OF
        Points,
    UndoEnabled,
    ValueEntryEnabled,
    UndoLimit,
    History,
};
inline constexpr std::size_t ChangeCount = std::size_t(Change::History) + 1;

/**
 * What the engine asks of the shell that shows it, a widget or a Qt Quick item: the one way it
 * reaches outside itself. Each call comes synchronously from the engine. As the host of the
 * engine's canvas it also gives the size, ratio and resolution and shows changed areas.
 */
class EngineClient : public platform::CanvasHost {
public:
    /** Whether the shell has the keyboard focus. */
    virtual bool hasFocus() const = 0;
    /** The pointer over the plot: crosshair while something is grabbed. */
    virtual void setMousePointer(platform::MousePointer pointer) = 0;
    /**
     * Announces a drop to the host: the point's slot, or -1 for the whole curve. Returns false when
     * the host's handler deleted the control; the engine then returns at once, touching nothing.
     */
    virtual bool raiseDrop(int index) = 0;
    /** The tracker read-out: the mouse position, or a point's, in the axes' texts. */
    virtual void showReadout(const QString& x, const QString& y, qint32 textColour) = 0;
    /** The keys' current point is now @p index (for assistive technology). */
    virtual void currentPointChanged(int index) = 0;
    /** The person asked to type exact values into point @p slot, by the keyboard or a double-click. */
    virtual void valueEntryRequested(int slot, bool fromKeys) = 0;
    /** @p what changed, for the shell's change signals (BackColor: the picture was erased to it).
     *  Returns false when a handler deleted the control. */
    virtual bool changed(Change what) = 0;

protected:
    ~EngineClient() = default;
};

} // namespace knotel

#endif
