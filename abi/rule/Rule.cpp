#include "Rule.h"

namespace rule {

// Exported for a plugin of the library, but in no public header.
#ifdef INTERNAL_CHANGED
RULE_EXPORT int readoutWidth(double width)
{
    return static_cast<int>(width);
}
#else
RULE_EXPORT int readoutWidth(int width)
{
    return width;
}
#endif

class ControlPrivate {
public:
    float value = 0.0f;
#ifdef ADDED
    float reference = 0.0f;
#endif
};

Control::Control() : d(new ControlPrivate) {}
Control::~Control()
{
    delete d;
}
int Control::get(int member) const
{
    return member;
}
#ifdef OVERRIDE_ADDED
int Control::count() const
{
    return 1;
}
#endif
Layout Control::layout() const
{
    return {};
}
#ifndef FUNCTION_REMOVED
float Control::value() const
{
    return d->value;
}
#endif
#ifdef PARAMETER_CHANGED
void Control::setValue(double value)
{
    d->value = static_cast<float>(value);
}
#else
void Control::setValue(float value)
{
    d->value = value;
}
#endif
#ifdef ADDED
void Control::acceptValue()
{
    d->reference = d->value;
}
int leadingValue(const char* text)
{
    return text ? *text : 0;
}
#endif
int formatValue(float value, int decimals)
{
    return static_cast<int>(value) + decimals + Overflow;
}

} // namespace rule
