// A ramp-and-soak set-point profile with every kind of point editing switched on: points on a grid
// of 5 minutes and 5 degrees, their values shown while they move, insert and delete, copy and paste
// to and from a spreadsheet, and an Edit menu over the control's undo history. Build it against an
// installed Knotel: cmake -S examples/profile_editor -B build-example -DCMAKE_PREFIX_PATH=<prefix>
#include <knotel/Curve.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QUndoStack>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Furnace profile"));

    auto* curve = new knotel::Curve(&window);
    curve->setCurveCaption(QStringLiteral("Furnace set-point"));
    curve->setX_AxisText(QStringLiteral("Time (min)"));
    curve->setY_AxisText(QStringLiteral("Temperature (C)"));
    curve->setX_Axis_Left(0);
    curve->setX_Axis_Right(240);
    curve->setX_Step(30);
    curve->setY_Axis_Bottom(0);
    curve->setY_Axis_Top(300);
    curve->setY_Step(50);
    curve->setViewTracker(-1);
    // Time runs forward: no point passes its neighbours in X, and the start and the end stay put.
    curve->setAllowXCrossover(0);
    curve->setLockXEndPoints(-1);
    // Ramps and soaks: heat to 120, hold, heat to 250, hold, cool down.
    curve->setPoints({{0, 20}, {30, 120}, {60, 120}, {90, 250}, {150, 250}, {210, 40}, {240, 20}});
    curve->setPointEditingEnabled(true);
    curve->setSnapX(5);
    curve->setSnapY(5);
    curve->setDragValueVisible(true);
    curve->RePaint();
    window.setCentralWidget(curve);

    // The plot takes its own keys when it has the focus; the menu reaches the same from anywhere.
    QMenu* edit = window.menuBar()->addMenu(QStringLiteral("&Edit"));
    QAction* undo = curve->undoStack()->createUndoAction(edit);
    undo->setShortcut(QKeySequence::Undo);
    edit->addAction(undo);
    QAction* redo = curve->undoStack()->createRedoAction(edit);
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(redo);
    edit->addSeparator();
    edit->addAction(QStringLiteral("&Copy profile"), curve,
                    [curve] { QApplication::clipboard()->setText(curve->copyPoints()); });
    edit->addAction(QStringLiteral("&Paste profile"), curve,
                    [curve] { curve->pastePoints(QApplication::clipboard()->text()); });

    QObject::connect(curve, &knotel::Curve::pasteRefused, &window,
                     [&window](const QString& reason) { window.statusBar()->showMessage(reason, 5000); });
    QObject::connect(curve, &knotel::Curve::DroppedValue, &window, [&window, curve](int& index) {
        const QList<QPointF> points = curve->points();
        const QString what = index < 0 ? QStringLiteral("%1 points").arg(points.size())
                                       : QStringLiteral("point %1 at %2 min, %3 C")
                                             .arg(index)
                                             .arg(points[index].x())
                                             .arg(points[index].y());
        window.statusBar()->showMessage(what);
    });

    window.resize(760, 520);
    window.show();
    return app.exec();
}
