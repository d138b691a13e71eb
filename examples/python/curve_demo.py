#!/usr/bin/python3
"""A Knotel curve with five points in a PyQt6 window; each drop prints where the point landed.

Run it with Debian's Python and the installed module on the path, for a prefix of /opt/knotel:

    PYTHONPATH=/opt/knotel/lib/python3/dist-packages /usr/bin/python3 examples/python/curve_demo.py
"""

import sys

from PyQt6.QtWidgets import QApplication, QMainWindow

from knotel import Curve


def make_window():
    window = QMainWindow()
    window.setWindowTitle("Knotel curve")
    curve = Curve()
    curve.CurveCaption = "Flow set-point"
    curve.X_AxisText = "Time (s)"
    curve.Y_AxisText = "Flow (l/min)"
    curve.X_Axis_Left, curve.X_Axis_Right, curve.X_Step = 0, 100, 20
    curve.Y_Axis_Bottom, curve.Y_Axis_Top, curve.Y_Step = 0, 50, 10
    curve.setPoints([(0, 10), (25, 30), (50, 20), (75, 40), (100, 35)])
    curve.RePaint()  # property writes only store; RePaint shows them

    def dropped(index):
        if index < 0:
            print("the whole curve moved:", [round(p.y(), 1) for p in curve.points()])
        else:
            point = curve.points()[index]
            print(f"point {index} dropped at ({point.x():.1f}, {point.y():.1f})")

    curve.DroppedValue.connect(dropped)
    window.setCentralWidget(curve)
    return window


def main():
    app = QApplication(sys.argv)
    window = make_window()
    window.show()
    return app.exec()


if __name__ == "__main__":
    sys.exit(main())
