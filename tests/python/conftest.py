"""The scene the binding's tests share: a shown control with five points, and a drag through
pytest-qt's mouse helpers on its drawing surface, at pixels mapped from plotLayout()."""

import pytest
from PyQt6.QtCore import QPoint, Qt
from PyQt6.QtWidgets import QWidget

from knotel import Curve

FIVE_POINTS = [(-30, 0), (-10, 20), (0, 30), (10, 40), (30, 60)]


def pixel_of(curve, x, y):
    """The surface pixel of the axis values (x, y), as the control maps them."""
    layout = curve.plotLayout()
    px = (x - curve.X_Axis_Left) * layout.ScaleX + layout.PlotLeft
    py = layout.PlotHeight - (y - curve.Y_Axis_Bottom) * layout.ScaleY + layout.PlotTop
    return QPoint(round(px), round(py))


def drag(qtbot, curve, slot, dy):
    """Presses the left button on the point in slot, moves it dy pixels down and releases."""
    surface = curve.findChild(QWidget, "Picture_Curve")
    point = curve.points()[slot]
    start = pixel_of(curve, point.x(), point.y())
    qtbot.mousePress(surface, Qt.MouseButton.LeftButton, pos=start)
    qtbot.mouseMove(surface, start + QPoint(0, dy))
    qtbot.mouseRelease(surface, Qt.MouseButton.LeftButton, pos=start + QPoint(0, dy))


@pytest.fixture
def curve(qtbot):
    """A shown control loaded with FIVE_POINTS."""
    curve = Curve()
    qtbot.addWidget(curve)
    curve.setPoints(FIVE_POINTS)
    curve.show()
    qtbot.waitExposed(curve)
    curve.RePaint()
    return curve
