// The ramp-and-soak profile of main.cpp in Qt Quick: point editing, grids of 5 minutes and 5
// degrees and the value label switched on, the refusal of a paste and each drop on a line below.
// Run it with Qt's qml tool: QML_IMPORT_PATH=<prefix>/qml /usr/lib/qt6/bin/qml examples/profile_editor/main.qml
import QtQuick
import QtQuick.Window
import Knotel

Window {
    width: 760
    height: 520
    visible: true
    title: "Furnace profile"

    Curve {
        id: curve
        anchors.fill: parent
        anchors.bottomMargin: 24
        focus: true
        curveCaption: "Furnace set-point"
        x_AxisText: "Time (min)"
        y_AxisText: "Temperature (C)"
        x_Axis_Left: 0
        x_Axis_Right: 240
        x_Step: 30
        y_Axis_Bottom: 0
        y_Axis_Top: 300
        y_Step: 50
        viewTracker: -1
        allowXCrossover: 0
        lockXEndPoints: -1
        points: [Qt.point(0, 20), Qt.point(30, 120), Qt.point(60, 120), Qt.point(90, 250),
                 Qt.point(150, 250), Qt.point(210, 40), Qt.point(240, 20)]
        pointEditingEnabled: true
        snapX: 5
        snapY: 5
        dragValueVisible: true
        onDroppedValue: (index) => status.text = index < 0
                        ? points.length + " points"
                        : "point " + index + " at " + points[index].x + " min, " + points[index].y + " C"
        onPasteRefused: (reason) => status.text = reason
    }

    Text {
        id: status
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        anchors.margins: 4
        text: "Insert, Delete, Ctrl + press on the line, copy and paste"
    }
}
