#ifndef KNOTEL_PYTHON_DROPRELAY_H
#define KNOTEL_PYTHON_DROPRELAY_H

#include <knotel/Curve.h>

#include <QObject>

namespace knotel::python {

/**
 * Carries a control's DroppedValue(int&) to Python as a signal with a plain int, which PyQt6 can
 * pass (a reference to int it cannot). The relay is a child of its control, connected directly:
 * the control's emit runs the relay's Python slots, so they run before the control ends its
 * gesture and see every property as the drag left it.
 */
class DropRelay : public QObject {
    Q_OBJECT
public:
    /** The relay of @p curve, made on first use. */
    static DropRelay* of(Curve* curve);

Q_SIGNALS:
    /** The control's DroppedValue, with the dropped slot (or -1 for the whole curve) by value. */
    void DroppedValue(int DropIndex);

private:
    explicit DropRelay(Curve* curve);
};

} // namespace knotel::python

#endif
