// A window with the curve: five points, the drop printed. Run it with Qt's qml tool, the module on
// the import path: QML_IMPORT_PATH=<prefix>/qml /usr/lib/qt6/bin/qml examples/qml/main.qml
import QtQuick
import QtQuick.Window
import Knotel

Window {
    width: 640
    height: 360
    visible: true
    title: "Knotel curve in Qt Quick"

    Curve {
        id: curve
        anchors.fill: parent
        focus: true
        curveCaption: "Flow set-point"
        x_AxisText: "Time (s)"
        y_AxisText: "Flow (l/min)"
        x_Axis_Left: 0
        x_Axis_Right: 100
        x_Step: 20
        y_Axis_Bottom: 0
        y_Axis_Top: 50
        y_Step: 10
        viewTracker: -1
        points: [Qt.point(0, 10), Qt.point(25, 30), Qt.point(50, 20), Qt.point(75, 40), Qt.point(100, 35)]
        Component.onCompleted: rePaint()
        onDroppedValue: (index) => {
            if (index < 0)
                console.log("the whole curve moved")
            else
                console.log("point", index, "dropped at", points[index].x, points[index].y)
        }
    }
}
