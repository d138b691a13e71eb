#include "engine/ChangeSignals.h"

#include <QPointer>

namespace knotel {

namespace {

struct ChangeName {
    const char* declared;
    const char* lowered;
};

/** The name of what each notice changed, in Change's order. */
constexpr ChangeName ChangeNames[] = {
#define KNOTEL_NAME_OF(Type, Name, qmlName, Argument) {#Name, #qmlName},
    KNOTEL_CURVE_PROPERTIES(KNOTEL_NAME_OF)
#undef KNOTEL_NAME_OF
        {"points", "points"},
#define KNOTEL_NAME_OF(Type, name, Name, getter) {#name, #name},
    KNOTEL_CURVE_SWITCHES(KNOTEL_NAME_OF)
#undef KNOTEL_NAME_OF
        {"history", "history"},
};
static_assert(std::size(ChangeNames) == SignalledChangeCount);

} // namespace

ChangeSignals::ChangeSignals(const QMetaObject& shell, Names names)
{
    for (std::size_t i = 0; i < SignalledChangeCount; ++i) {
        const QByteArray signature =
            QByteArray(names == Names::Lowered ? ChangeNames[i].lowered : ChangeNames[i].declared) +
            "Changed()";
        const int index = shell.indexOfSignal(signature.constData());
        if (index >= 0)
            m_signals[i] = shell.method(index);
    }
}

bool ChangeSignals::emitOn(QObject* object, Change what) const
{
    const auto i = std::size_t(what);
    if (i >= SignalledChangeCount || !m_signals[i].isValid())
        return true;
    const QPointer<QObject> alive(object);
    m_signals[i].invoke(object, Qt::DirectConnection);
    return !alive.isNull();
}

} // namespace knotel
