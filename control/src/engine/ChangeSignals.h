#ifndef KNOTEL_ENGINE_CHANGESIGNALS_H
#define KNOTEL_ENGINE_CHANGESIGNALS_H

#include "engine/EngineClient.h"

#include <QMetaMethod>

#include <array>

namespace knotel {

/**
 * A shell's change signals, found once by name in its class's meta-object: for each property the
 * property's name followed by "Changed" (ViewTrackerChanged, or viewTrackerChanged with QML's
 * names), pointsChanged, and historyChanged for the history. A notice whose signal the class does
 * not declare sends nothing.
 */
class ChangeSignals {
public:
    enum class Names {
        AsDeclared, ///< the names of the late-bound face, as the widget declares them
        Lowered,    ///< with their first letter lowered, as QML wants them
    };
    ChangeSignals(const QMetaObject& shell, Names names);

    /** Emits the signal of @p what on @p object, of the shell's class; false when a handler deleted
     *  @p object. */
    bool emitOn(QObject* object, Change what) const;

private:
    std::array<QMetaMethod, SignalledChangeCount> m_signals;
};

} // namespace knotel

#endif
