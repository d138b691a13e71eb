// Component hosting: the controls this library registers, created by their programmatic name.
#include <knotel/Registry.h>

#include <knotel/Curve.h>

#include <iterator>

namespace knotel {

namespace {

struct Registration {
    const char* progId;
    Dispatch* (*create)(QWidget* parent);
};

const Registration Registrations[] = {
    {CurveProgId, [](QWidget* parent) -> Dispatch* { return new Curve(parent); }},
};

} // namespace

Dispatch* createControl(const QString& progId, QWidget* parent)
{
    for (const Registration& r : Registrations) {
        if (progId.compare(QLatin1StringView(r.progId), Qt::CaseInsensitive) == 0)
            return r.create(parent);
    }
    return nullptr;
}

} // namespace knotel
