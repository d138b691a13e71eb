#ifndef KNOTEL_EDITHISTORY_H
#define KNOTEL_EDITHISTORY_H

class QObject;
class QUndoStack;

namespace knotel {

/** Where an edit of the person came from; consecutive key moves of one point merge into one step.
 *  PointEditing: an insert, a delete or a paste, from the keys, the mouse or the menu alike. */
enum class EditSource { Mouse, Keys, ValueEntry, PointEditing };

/** The steps a new history keeps; the oldest go first. */
inline constexpr int DefaultUndoLimit = 1000;

/** A new undo stack for a control's edits, owned by the control's object @p owner. */
QUndoStack* createEditHistory(QObject* owner);

} // namespace knotel

#endif
