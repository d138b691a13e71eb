#ifndef KNOTEL_DISPATCH_H
#define KNOTEL_DISPATCH_H

#include <QString>
#include <QtGlobal>
#include <QVariant>

class QWidget;

namespace knotel {

/** A member's dispatch identifier. */
using DispId = qint32;

/**
 * The late-bound face of a control: members reached by fixed dispatch id or by name.
 *
 * Failures are thrown as knotel::RuntimeError: 438 for an unknown id, 13 for a value that
 * cannot be converted to the member's type, 6 for a number outside the member's range, and
 * whatever the member itself reports (for example 9 for a point slot of 64 or more).
 */
class Dispatch {
public:
    virtual ~Dispatch() = default;

    /** The dispatch id of the member called @p name (case-insensitive), or -1 when there is none. */
    virtual DispId idOfName(const QString& name) const = 0;

    /** Reads a property: int for 32-bit integers, flags and colours, float for singles, QString for texts. */
    virtual QVariant get(DispId member) const = 0;

    /**
     * Writes a property, converting @p value as a late-bound host does: numbers round to the
     * nearest integer (ties to even) for 32-bit members and to the nearest single for single
     * members; a string that is a plain number converts; a number given to a text member
     * becomes its text. A failing put changes nothing.
     */
    virtual void put(DispId member, const QVariant& value) = 0;

    /** Calls a method (RePaint); returns an invalid QVariant. */
    virtual QVariant invoke(DispId member) = 0;

    /** The control's widget. */
    virtual QWidget* widget() = 0;
};

} // namespace knotel

#endif
