// Creates the control by name and drives it through both faces, builds a form that uic compiled and
// loads the installed Qt Designer plugin given as argument; exits non-zero on any mismatch.
#include <knotel/Curve.h>
#include <knotel/FormatValue.h>
#include <knotel/Registry.h>
#include <knotel/RuntimeError.h>

#include "ui_CurveForm.h"

#include <QApplication>
#include <QPluginLoader>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    knotel::Dispatch* control = knotel::createControl(QStringLiteral("Knotel.Curve"), &window);
    if (!control)
        return 1;
    control->put(control->idOfName(QStringLiteral("ValueIndex")), 2);
    control->put(control->idOfName(QStringLiteral("Y_Knotel")), 42.5);
    auto* curve = qobject_cast<knotel::Curve*>(control->widget());
    if (!curve || curve->Y_Knotel() != 42.5f || curve->Dimensions() != 7)
        return 2;
    curve->RePaint();
    try {
        control->put(control->idOfName(QStringLiteral("Dimensions")), QStringLiteral("many"));
        return 3;
    } catch (const knotel::RuntimeError& e) {
        if (e.code() != knotel::RuntimeError::TypeMismatch)
            return 4;
    }
    // A form saved by Qt Designer, compiled by uic: the Curve carries the values the form sets.
    QWidget form;
    Ui::CurveForm ui;
    ui.setupUi(&form);
    if (ui.curve->Dimensions() != 3 || ui.curve->Y_Axis_Top() != 90.0f || ui.curve->CurveColor() != 255 ||
        ui.curve->CurveCaption() != QStringLiteral("Flow") ||
        ui.curve->Y_AxisText() != QStringLiteral("YAxisText"))
        return 5;
    // The installed Qt Designer plugin, when given, loads from where it was installed.
    if (argc > 1) {
        QPluginLoader plugin(QString::fromLocal8Bit(argv[1]));
        if (!plugin.instance()) {
            std::fprintf(stderr, "consumer: %s\n", qPrintable(plugin.errorString()));
            return 6;
        }
    }
    std::printf("consumer: %s\n", qPrintable(knotel::FormatValue(curve->Y_Knotel(), 1)));
    return 0;
}
