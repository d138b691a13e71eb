#ifndef KNOTEL_EDITHISTORY_H
#define KNOTEL_EDITHISTORY_H

class QUndoStack;

namespace knotel {

class Curve;

/** Where an edit of the person came from; consecutive key moves of one point merge into one step. */
enum class EditSource { Mouse, Keys, ValueEntry };

/** A new undo stack for @p curve's edits, owned by the control. */
QUndoStack* createEditHistory(Curve* curve);

} // namespace knotel

#endif
