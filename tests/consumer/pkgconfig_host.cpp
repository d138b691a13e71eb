// A host built with nothing but the flags of `pkg-config --cflags --libs knotel`: creates the
// control by name, loads a point and paints it; exits non-zero on any mismatch.
#include <knotel/Curve.h>
#include <knotel/Registry.h>

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::unique_ptr<knotel::Dispatch> control(knotel::createControl(QStringLiteral("Knotel.Curve")));
    auto* curve = control ? qobject_cast<knotel::Curve*>(control->widget()) : nullptr;
    if (!curve)
        return 1;
    curve->setValueIndex(1);
    curve->setY_Knotel(12.5f);
    curve->RePaint();
    return curve->Y_Knotel() == 12.5f ? 0 : 2;
}
