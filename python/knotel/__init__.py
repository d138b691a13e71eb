"""Knotel for PyQt6: the curve-editing control knotel.Curve and its helpers.

    from knotel import Curve

Curve is a QWidget. Its properties are Python properties (curve.Y_Axis_Top = 100) and keep
their setters (curve.setY_Axis_Top(100)); curve.RePaint() shows what was written. The drop of a
dragged point reaches curve.DroppedValue's slots as the point's index (-1 for the whole curve),
before the control ends the drag. A failing call raises knotel.RuntimeError, a RuntimeError with
the error number in .code (5, 6, 9, 13 or 438) and its words in .message.
"""

from ._knotel import (
    Curve,
    CurveClassId,
    CurveEventsInterfaceId,
    CurveInterfaceId,
    CurveProgId,
    Dispatch,
    FormatValue,
    LeadingValue,
    PlotLayout,
    RuntimeError,
    TypeLibraryId,
    createControl,
    singleText,
)
from ._knotel import DropRelay as _DropRelay
from ._version import __version__


def _late_bound_setter(name, typed_setter):
    """A setter that writes the property as the late-bound face's put does, converting any Python
    number as a late-bound host's number is (knotel.RuntimeError 6 when it does not fit the
    property's type, 13 for what is no number); a property beside that face keeps typed_setter."""

    def write(self, value):
        member = self.idOfName(name)
        if member == -1:
            typed_setter(self, value)
        else:
            self.put(member, value)

    write.__name__ = typed_setter.__name__
    write.__doc__ = typed_setter.__doc__
    return write


def _qt_properties_as_python_properties(cls):
    """Makes each Qt property that cls declares a Python property: the getter of the same name
    (or is<Name> for a flag such as undoEnabled) reads it and set<Name> writes it, converting as
    the late-bound face does; the getter and setter methods stay. The property's doc is the
    getter's, without the getter's signature."""
    meta = cls.staticMetaObject
    for i in range(meta.propertyOffset(), meta.propertyCount()):
        name = meta.property(i).name()
        capitalised = name[0].upper() + name[1:]
        getter = getattr(cls, name, None) or getattr(cls, "is" + capitalised)
        setter = _late_bound_setter(name, getattr(cls, "set" + capitalised))
        setattr(cls, "set" + capitalised, setter)
        doc = getter.__doc__ or ""
        if doc.startswith(getter.__name__ + "("):
            doc = doc.partition("\n")[2].lstrip("\n")
        setattr(cls, name, property(getter, setter, doc=doc))


_qt_properties_as_python_properties(Curve)

# PyQt6 cannot pass the control's DroppedValue(int&); its relay, a child of the control connected
# directly to it, re-emits it with the index as an int within the control's own emit.
Curve.DroppedValue = property(lambda self: _DropRelay.of(self).DroppedValue, doc=_DropRelay.__doc__)
RuntimeError.__module__ = __name__

__all__ = [
    "__version__",
    "Curve",
    "CurveClassId",
    "CurveEventsInterfaceId",
    "CurveInterfaceId",
    "CurveProgId",
    "Dispatch",
    "FormatValue",
    "LeadingValue",
    "PlotLayout",
    "RuntimeError",
    "TypeLibraryId",
    "createControl",
    "singleText",
]
