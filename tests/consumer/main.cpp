// Creates the control by name and drives it through both faces; exits non-zero on any mismatch.
#include <knotel/Curve.h>
#include <knotel/FormatValue.h>
#include <knotel/Registry.h>
#include <knotel/RuntimeError.h>

#include <QApplication>

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
    std::printf("consumer: %s\n", qPrintable(knotel::FormatValue(curve->Y_Knotel(), 1)));
    return 0;
}
