// The Curve item from its QML module: a drag under a lock rule moves a point and sends
// droppedValue once, keys move the current point, a refused typed value keeps the point, a
// double-click asks for typed values, points of another shape are refused, a write shows at the
// next frame, and point editing inserts, deletes, copies, pastes and snaps.
import QtQuick
import QtTest
import Knotel

Item {
    width: 611
    height: 321

    Curve {
        id: curve
        anchors.fill: parent
        lockX_Axis: -1
    }

    SignalSpy {
        id: drops
        target: curve
        signalName: "droppedValue"
    }

    SignalSpy {
        id: entries
        target: curve
        signalName: "valueEntryRequested"
    }

    SignalSpy {
        id: refusals
        target: curve
        signalName: "pasteRefused"
    }

    TestCase {
        name: "Curve"
        when: windowShown

        function pixelOf(i) {
            const l = curve.plotLayout()
            const p = curve.points[i]
            return Qt.point((p.x - curve.x_Axis_Left) * l.scaleX + l.plotLeft,
                            l.plotHeight - (p.y - curve.y_Axis_Bottom) * l.scaleY + l.plotTop)
        }

        readonly property var start: [Qt.point(-30, 0), Qt.point(-20, 10), Qt.point(-10, 20),
                                      Qt.point(0, 30), Qt.point(10, 40), Qt.point(20, 50), Qt.point(30, 60)]

        function init() {
            curve.points = start
            curve.allowYCrossover = -1
            curve.rePaint()
            drops.clear()
            entries.clear()
            refusals.clear()
        }

        function test_aDragUnderALockedXAxisMovesOnlyYAndDropsOnce() {
            const at = pixelOf(3)
            mousePress(curve, at.x, at.y)
            mouseMove(curve, at.x + 15, at.y - 20)
            mouseRelease(curve, at.x + 15, at.y - 20)
            compare(curve.points[3].x, 0)
            verify(curve.points[3].y > 30)
            compare(drops.count, 1)
            compare(drops.signalArguments[0][0], 3)
            curve.valueIndex = 3
            compare(curve.changed, -1)
            compare(curve.changedPoints(), [3])
        }

        function test_aTouchDragMovesAPointAsTheMouseDoes() {
            const at = pixelOf(5)
            touchEvent(curve).press(0, curve, at.x, at.y).commit()
            touchEvent(curve).move(0, curve, at.x, at.y - 20).commit()
            touchEvent(curve).release(0, curve, at.x, at.y - 20).commit()
            verify(curve.points[5].y > 50, "y " + curve.points[5].y + " drops " + drops.count)
            compare(drops.count, 1)
            compare(drops.signalArguments[0][0], 5)
        }

        function test_keysMoveTheCurrentPointAndUndoPutsItBack() {
            curve.forceActiveFocus()
            keyClick(Qt.Key_Home) // qmllint disable type
            keyClick(Qt.Key_Right)
            const before = curve.points[1].y
            keyClick(Qt.Key_Up)
            verify(curve.points[1].y > before)
            compare(drops.count, 1)
            compare(drops.signalArguments[0][0], 1)
            verify(curve.canUndo)
            keyClick(Qt.Key_Z, Qt.ControlModifier)
            compare(curve.points[1].y, before)
        }

        function test_typedValuesFollowTheDragRules() {
            // X is locked; Y may not pass its neighbours (20 and 40) without crossover.
            curve.allowYCrossover = 0
            verify(!curve.enterValues(2, "-12", "55"))
            compare(curve.points[2], Qt.point(-10, 20))
            // X refused, Y alone would be taken: a refusal changes nothing.
            verify(!curve.enterValues(2, "-12", "25"))
            compare(curve.points[2], Qt.point(-10, 20))
            verify(curve.enterValues(2, "", "25.5"))
            compare(curve.points[2].y, 25.5)
            compare(drops.count, 1)
        }

        function test_aDoubleClickOnAPointAsksForTypedValues() {
            // As a window delivers it: press, release, press, double-click, release.
            const at = pixelOf(4)
            mouseDoubleClickSequence(curve, at.x, at.y)
            compare(entries.count, 1)
            compare(entries.signalArguments[0][0], 4)
            compare(drops.count, 1) // the first click's, as every click on a point has
            compare(curve.points[4], start[4])
        }

        function test_pointsOfAnotherShapeAreRefusedWhole() {
            const shapes = [[[1, 2]], ["a"], [1, 2, 3], [Qt.point(1, 2), "x"], [{x: 1}]]
            for (const shape of shapes) {
                let message = ""
                try {
                    curve.points = shape
                } catch (e) {
                    message = e.message
                }
                verify(message.indexOf("points[") >= 0, message)
                compare(curve.points.length, 7)
                compare(curve.points[0], start[0])
            }
            curve.points = [{x: 1, y: 2}, Qt.point(3, 4)]
            compare(curve.points, [Qt.point(1, 2), Qt.point(3, 4)])
        }

        function test_aWriteShowsAtTheNextFrame() {
            const before = curve.plotLayout().scaleY
            curve.y_Axis_Top = 180
            tryVerify(function() { return curve.plotLayout().scaleY !== before })
            curve.y_Axis_Top = 80
        }

        function test_aDropHandlerMaySwitchTheHistoryOffInAnUndo() {
            const at = pixelOf(3)
            mousePress(curve, at.x, at.y)
            mouseMove(curve, at.x, at.y - 20)
            mouseRelease(curve, at.x, at.y - 20)
            const off = function() { curve.undoEnabled = false }
            curve.droppedValue.connect(off)
            curve.undo()
            curve.droppedValue.disconnect(off)
            compare(curve.points[3], start[3])
            verify(!curve.canUndo && !curve.canRedo)
            curve.undoEnabled = true
        }

        function test_pointEditingInsertsDeletesAndPastesWithOneDropEach() {
            curve.lockX_Axis = 0
            curve.forceActiveFocus()
            keyClick(Qt.Key_Home) // qmllint disable type
            keyClick(Qt.Key_Insert)
            compare(curve.points.length, 7, "off by default")
            curve.pointEditingEnabled = true
            keyClick(Qt.Key_Insert)
            compare(curve.points[1], Qt.point(-25, 5))
            keyClick(Qt.Key_Delete)
            compare(curve.points, start)
            compare(drops.count, 2)
            compare(drops.signalArguments[1][0], -1)
            const text = curve.copyPoints()
            compare(text.split("\n")[3], "0\t30")
            verify(curve.pastePoints("-30 0\n30 60"))
            compare(curve.points.length, 2)
            verify(!curve.pastePoints("-30 0\n31 60"))
            compare(refusals.count, 1)
            verify(refusals.signalArguments[0][0].indexOf("outside the X axis") >= 0)
            verify(curve.pastePoints(text))
            compare(curve.points, start)
            curve.pointEditingEnabled = false
            curve.lockX_Axis = -1
        }

        function test_aGridTakesKeyMovesToItsMultiples() {
            curve.snapY = 4
            curve.forceActiveFocus()
            keyClick(Qt.Key_Home) // qmllint disable type
            keyClick(Qt.Key_Right)
            keyClick(Qt.Key_Up)
            compare(curve.points[1].y, 12)
            let message = ""
            try {
                curve.snapY = -1
            } catch (e) {
                message = e.message
            }
            verify(message.indexOf("error 5") >= 0, message)
            compare(curve.snapY, 4)
            curve.snapY = 0
        }

        function test_aBadSlotIsAJavaScriptError() {
            curve.dimensions = 70
            curve.valueIndex = 65
            let message = ""
            try {
                curve.x_Knotel = 1
            } catch (e) {
                message = e.message
            }
            verify(message.indexOf("error 9") >= 0, message)
            curve.dimensions = 7
        }
    }
}
