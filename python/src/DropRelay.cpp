// The relay of DroppedValue for Python.
#include "DropRelay.h"

namespace knotel::python {

DropRelay* DropRelay::of(Curve* curve)
{
    if (auto* relay = curve->findChild<DropRelay*>(QString(), Qt::FindDirectChildrenOnly))
        return relay;
    return new DropRelay(curve);
}

DropRelay::DropRelay(Curve* curve) : QObject(curve)
{
    connect(
        curve, &Curve::DroppedValue, this, [this](int& index) { Q_EMIT DroppedValue(index); },
        Qt::DirectConnection);
}

} // namespace knotel::python
