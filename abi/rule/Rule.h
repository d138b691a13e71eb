// A small library with the shapes of Knotel's public face, built once per variant to show what the
// binary interface check lets pass (ADDED) and what it stops (the others).
#ifndef RULE_H
#define RULE_H

#define RULE_EXPORT __attribute__((visibility("default")))

namespace rule {

// Returned by value, as PlotLayout.
struct Layout {
    int left = 0;
    float scale = 0.0f;
#ifdef FIELD_ADDED
    int top = 0;
#endif
};

// A late-bound face, as Dispatch.
class Face {
public:
    virtual ~Face() = default;
    virtual int get(int member) const = 0;
#ifdef VIRTUAL_ADDED
    virtual void put(int member, int value) = 0;
#endif
    virtual int count() const
    {
        return 0;
    }
};

class ControlPrivate;

// A class with a d-pointer on the face, as Curve.
class RULE_EXPORT Control : public Face {
public:
    Control();
    ~Control() override;
    int get(int member) const override;
#ifdef OVERRIDE_ADDED
    int count() const override;
#endif
    Layout layout() const;
#ifndef FUNCTION_REMOVED
    float value() const;
#endif
#ifdef PARAMETER_CHANGED
    void setValue(double value);
#else
    void setValue(float value);
#endif
#ifdef ADDED
    void acceptValue();
#endif

private:
    ControlPrivate* d;
};

enum Code : int {
    Overflow = 6,
#ifdef ADDED
    MemberNotFound = 438,
#endif
};

RULE_EXPORT int formatValue(float value, int decimals);
#ifdef ADDED
RULE_EXPORT int leadingValue(const char* text);
#endif

} // namespace rule

#endif
