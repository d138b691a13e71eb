"""The PyQt6 binding: what crosses between Python and the control, not the control's own rules."""

import ast
import json
import os
import runpy
import struct
import subprocess
import sys
import textwrap
from pathlib import Path

import pytest
from PyQt6.QtCore import QPointF
from PyQt6.QtWidgets import QVBoxLayout, QWidget

import knotel
from conftest import FIVE_POINTS, drag
from knotel import Curve

EXAMPLE = Path(__file__).resolve().parents[2] / "examples" / "python" / "curve_demo.py"


def single(value):
    return struct.unpack("f", struct.pack("f", value))[0]


def test_curve_is_a_widget_of_its_host(qtbot):
    window = QWidget()
    qtbot.addWidget(window)
    curve = Curve(window)
    curve.setObjectName("flow")
    curve.setStyleSheet("border: 1px solid red")
    QVBoxLayout(window).addWidget(curve)
    assert window.findChild(Curve, "flow") is curve
    assert window.findChild(QWidget, "flow") is curve

    created = knotel.createControl("Knotel.Curve", window)
    assert isinstance(created, Curve) and created.parent() is window
    assert knotel.createControl("No.Such.Control") is None


@pytest.mark.parametrize(
    "name, written, read",
    [
        ("Y_Axis_Top", 0.1, single(0.1)),  # singles keep the nearest single
        ("HideLine", 5, -1),  # a normalised flag
        ("LockX_Axis", 5, 5),  # a plain flag
        ("ValueIndex", 2.5, 2.0),  # rounds ties to even
        ("CurveColor", 0x0000FF, 0x0000FF),
        ("CurveCaption", "Flow", "Flow"),
    ],
)
def test_properties_round_trip_as_the_cxx_types_convert(qtbot, name, written, read):
    curve = Curve()
    qtbot.addWidget(curve)
    setattr(curve, name, written)
    assert getattr(curve, name) == read
    getattr(curve, "set" + name)(written)
    assert getattr(curve, name) == read
    # The late-bound face reads the same value.
    assert curve.get(curve.idOfName(name)) == read


def test_every_qt_property_is_a_python_property_with_its_setter_doc_and_stub():
    meta = Curve.staticMetaObject
    names = [meta.property(i).name() for i in range(meta.propertyOffset(), meta.propertyCount())]
    assert names[38:] == [
        "undoEnabled",
        "valueEntryEnabled",
        "undoLimit",
        "pointEditingEnabled",
        "snapX",
        "snapY",
        "dragValueVisible",
    ]
    stub = ast.parse((Path(knotel.__file__).parent / "_knotel.pyi").read_text(encoding="utf-8"))
    curve_stub = next(node for node in stub.body if isinstance(node, ast.ClassDef) and node.name == "Curve")
    stub_properties = {
        node.name
        for node in curve_stub.body
        if isinstance(node, ast.FunctionDef) and any(getattr(d, "id", "") == "property" for d in node.decorator_list)
    }
    assert stub_properties == set(names) | {"DroppedValue"}
    for name in names:
        attribute = getattr(Curve, name)
        assert isinstance(attribute, property) and attribute.fset, name
        assert callable(getattr(Curve, "set" + name[0].upper() + name[1:])), name
        # help() tells what the property does, its type and its default, not a getter's signature.
        assert "Default: " in attribute.__doc__ and not attribute.__doc__.startswith(name + "("), name
    assert "Emitted synchronously" in Curve.DroppedValue.__doc__


def test_a_drag_can_be_undone_and_both_additions_switched_off(qtbot, curve):
    before = curve.points()
    drag(qtbot, curve, 2, -20)
    stack = curve.undoStack()
    assert stack.undoText() == "Move point 2"
    stack.undo()
    assert curve.points() == before
    curve.undoEnabled = False
    assert not curve.isUndoEnabled() and stack.count() == 0
    curve.setValueEntryEnabled(False)
    assert curve.valueEntryEnabled is False


def test_point_editing_grids_copy_and_paste(qtbot, curve):
    assert (curve.pointEditingEnabled, curve.snapX, curve.snapY, curve.dragValueVisible) == (False, 0, 0, False)
    curve.snapX = 2.5
    curve.setSnapY(1)
    assert (curve.snapX, curve.snapY) == (2.5, 1.0)
    with pytest.raises(knotel.RuntimeError) as error:
        curve.snapY = -1
    assert error.value.code == 5 and curve.snapY == 1.0

    text = curve.copyPoints()
    assert text == "".join(f"{x}\t{y}\n" for x, y in FIVE_POINTS)
    reasons, drops = [], []
    curve.pasteRefused.connect(reasons.append)
    curve.DroppedValue.connect(drops.append)
    assert not curve.pastePoints("-30 0\n30")
    assert reasons == ["Not pasted: line 2 is not two numbers."]
    assert curve.pastePoints("-30, 5\n30, 55")
    assert curve.points() == [QPointF(-30, 5), QPointF(30, 55)] and drops == [-1]
    assert curve.undoStack().undoText() == "Paste 2 points"
    assert curve.pastePoints(text) and curve.copyPoints() == text


def test_a_handler_that_undoes_every_drop_walks_back_to_the_start(qtbot, curve):
    start = curve.points()
    for slot in (1, 2, 3):
        drag(qtbot, curve, slot, -12)
    stack = curve.undoStack()
    drops = []

    def reject(index):
        drops.append(index)
        stack.undo()

    curve.DroppedValue.connect(reject)
    drag(qtbot, curve, 4, 9)
    assert drops == [4, 4, 3, 2, 1]
    assert stack.index() == 0 and curve.points() == start


def test_late_bound_members_take_python_values(qtbot):
    curve = knotel.createControl("Knotel.Curve")
    qtbot.addWidget(curve)
    curve.put(curve.idOfName("dimensions"), "12")
    curve.put(curve.idOfName("X_AxisText"), 1.5)
    assert curve.Dimensions == 12
    assert curve.get(curve.idOfName("X_AxisText")) == "1.5"
    assert curve.invoke(curve.idOfName("RePaint")) is None
    assert knotel.FormatValue(1.66, 1) == "+1.6"
    assert knotel.LeadingValue("&hFFFF&") == 65535.0


TYPED_WRITES = json.loads((Path(__file__).resolve().parents[1] / "typed_writes.json").read_text())["rows"]


@pytest.mark.parametrize("row", [r for r in TYPED_WRITES if "python" in r.get("faces", ["python"])])
def test_a_typed_write_converts_as_the_late_bound_face_does(qtbot, row):
    curve = Curve()
    qtbot.addWidget(curve)
    value = float("nan") if isinstance(row["value"], dict) else row["value"]
    before = getattr(curve, row["property"])
    if "error" in row:
        with pytest.raises(knotel.RuntimeError) as error:
            setattr(curve, row["property"], value)
        assert error.value.code == row["error"] and row["property"] in error.value.message
        assert getattr(curve, row["property"]) == before
    else:
        setattr(curve, row["property"], value)
        assert getattr(curve, row["property"]) == row["reads"]


def test_failures_raise_knotel_runtime_error_with_code_and_message(curve):
    curve.Dimensions = 70
    curve.ValueIndex = 65
    with pytest.raises(knotel.RuntimeError) as error:
        curve.X_Knotel
    assert isinstance(error.value, RuntimeError)
    assert error.value.code == 9 and error.value.message == str(error.value)
    # The words of the error, then its cause: the member and the slot.
    assert error.value.message == "Subscript out of range: X_Knotel: slot 65 is in use (Dimensions 70) but beyond the 64 slots"
    with pytest.raises(knotel.RuntimeError, match="Subscript") as error:
        curve.Changed = 0
    assert error.value.code == 9

    failures = {
        6: lambda: curve.setValueIndex(3e9),
        13: lambda: curve.put(curve.idOfName("Dimensions"), "abc"),
        438: lambda: curve.get(12345),
        5: lambda: knotel.FormatValue(1.0, -1),
    }
    for code, call in failures.items():
        with pytest.raises(knotel.RuntimeError) as error:
            call()
        assert error.value.code == code


def test_set_points_takes_tuples_and_refuses_without_changing_anything(curve):
    curve.setPoints([(1, 2), QPointF(3, 4), [5, 6.5]])
    assert curve.points() == [QPointF(1, 2), QPointF(3, 4), QPointF(5, 6.5)]
    assert curve.Dimensions == 3 and curve.changedPoints() == []

    with pytest.raises(knotel.RuntimeError) as error:
        curve.setPoints([(0, 0)] * 65)
    assert error.value.code == 9
    with pytest.raises(TypeError, match="point 1"):
        curve.setPoints([(0, 0), (1, "a")])
    assert curve.points() == [QPointF(1, 2), QPointF(3, 4), QPointF(5, 6.5)]


def test_a_drag_reaches_the_python_handler_once_while_the_drop_is_in_progress(qtbot, curve):
    seen = []

    def dropped(index):
        curve.ValueIndex = index
        seen.append((index, curve.Y_Knotel, curve.Changed, curve.changedPoints()))

    curve.DroppedValue.connect(dropped)
    drag(qtbot, curve, 2, -20)

    moved_y = curve.points()[2].y()
    assert moved_y > 30
    assert seen == [(2, moved_y, -1, [2])]


def test_changed_points_follow_a_drag_until_accepted(qtbot, curve):
    drag(qtbot, curve, 3, 15)
    assert curve.changedPoints() == [3]
    dragged = curve.points()
    assert dragged[3].y() < 40
    curve.acceptChanges()
    assert curve.changedPoints() == []
    assert curve.points() == dragged
    curve.setPoints(FIVE_POINTS)
    assert curve.points()[3] == QPointF(10, 40)


def test_the_example_shows_five_points_and_prints_a_drop(qtbot, capsys):
    window = runpy.run_path(str(EXAMPLE), run_name="curve_demo")["make_window"]()
    qtbot.addWidget(window)
    window.show()
    qtbot.waitExposed(window)
    curve = window.findChild(Curve)
    assert curve.Dimensions == 5
    drag(qtbot, curve, 1, -10)
    assert "point 1 dropped at" in capsys.readouterr().out
    # The README shows the program as it stands.
    readme = EXAMPLE.parents[2].joinpath("README.md").read_text(encoding="utf-8")
    shown = readme.split("```python\n", 1)[1].split("```", 1)[0]
    assert shown in EXAMPLE.read_text(encoding="utf-8")


CHILD = textwrap.dedent(
    """
    from PyQt6 import sip
    from PyQt6.QtWidgets import QApplication, QVBoxLayout, QWidget
    from knotel import Curve

    app = QApplication([])
    window = QWidget()
    curve = Curve(window)
    QVBoxLayout(window).addWidget(curve)
    curve.DroppedValue.connect(lambda index: None)
    window.show()
    app.processEvents()
    del window  # the parent's wrapper owned the window; the control goes with it
    assert sip.isdeleted(curve), "the control outlived its parent"

    # Left for the interpreter's exit: one with a parent, one of its own, and the application.
    kept = QWidget()
    Curve(kept).RePaint()
    alone = Curve()
    alone.show()
    app.processEvents()
    print("done")
    """
)


def test_the_control_goes_with_its_python_parent_and_the_interpreter_exits_cleanly(tmp_path):
    runtime = tmp_path / "runtime"
    runtime.mkdir(mode=0o700)
    env = dict(os.environ, XDG_RUNTIME_DIR=str(runtime), PYTHONDEVMODE="1")
    child = subprocess.run(
        [sys.executable, "-c", CHILD], env=env, capture_output=True, text=True, timeout=120
    )
    assert child.returncode == 0, child.stderr
    assert child.stdout == "done\n"
    # Nothing on stderr but the offscreen platform's note about showing a top-level window.
    notes = {"This plugin does not support propagateSizeHints()"}
    assert [line for line in child.stderr.splitlines() if line not in notes] == []
