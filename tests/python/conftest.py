"""The scene the binding's tests share: a shown control with five points, and a drag through
pytest-qt's mouse helpers on its drawing surface, where positionOf() says a point lies."""

import pytest
from PyQt6.QtCore import QPoint, Qt
from PyQt6.QtWidgets import QWidget

from knotel import Curve

FIVE_POINTS = [(-30, 0), (-10, 20), (0, 30), (10, 40), (30, 60)]


def drag(qtbot, curve, slot, dy):
    """Presses the left button on the point in slot, moves it dy pixels down and releases."""
    surface = curve.findChild(QWidget, "Picture_Curve")
    start = curve.positionOf(slot).toPoint()
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
