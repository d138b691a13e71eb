// The members of the control's dispatch interface: RePaint, then the 38 properties of the
// property list in its order, whose fixed ids count down from ViewTracker's. Each is found by name
// in the control's meta-object, so the order of its declarations is no contract; the properties the
// list does not name belong to the typed face alone.
#include "latebound/MemberTable.h"

#include "engine/PropertyList.h"

#include <knotel/Curve.h>

#include <QMetaProperty>

#include <array>
#include <string_view>

namespace knotel {

namespace {

/** The properties in the interface's order. */
constexpr const char* InterfaceOrder[] = {
#define KNOTEL_NAME_OF(Type, Name, qmlName, Argument) #Name,
    KNOTEL_CURVE_PROPERTIES(KNOTEL_NAME_OF)
#undef KNOTEL_NAME_OF
};
// The list is the interface: its ids run from ViewTracker's down to ValueIndex's, with no gap.
static_assert(std::size(InterfaceOrder) == PropertyCount);
static_assert(std::string_view(InterfaceOrder[0]) == "ViewTracker");
static_assert(std::string_view(InterfaceOrder[PropertyCount - 1]) == "ValueIndex");

using Table = std::array<Member, 1 + PropertyCount>;

MemberKind kindOf(const QMetaProperty& property)
{
    switch (property.metaType().id()) {
    case QMetaType::Int:
        return MemberKind::Int32;
    case QMetaType::Float:
        return MemberKind::Single;
    default:
        Q_ASSERT(property.metaType().id() == QMetaType::QString);
        return MemberKind::Text;
    }
}

const Table& table()
{
    static const Table members = [] {
        const QMetaObject& meta = Curve::staticMetaObject;
        Table t{};
        Q_ASSERT(meta.indexOfMethod("RePaint()") >= 0);
        t[0] = {RePaintId, "RePaint", MemberKind::Method, -1};
        for (int i = 0; i < PropertyCount; ++i) {
            const int index = meta.indexOfProperty(InterfaceOrder[i]);
            Q_ASSERT(index >= meta.propertyOffset());
            t[std::size_t(1 + i)] = {LastPropertyId - i, InterfaceOrder[i], kindOf(meta.property(index)),
                                     index - meta.propertyOffset()};
        }
        return t;
    }();
    return members;
}

} // namespace

const Member* memberById(DispId id)
{
    if (id == RePaintId)
        return &table()[0];
    if (id < FirstPropertyId || id > LastPropertyId)
        return nullptr;
    return &table()[std::size_t(1 + (LastPropertyId - id))];
}

const Member* memberByName(const QString& name)
{
    for (const Member& member : table()) {
        if (name.compare(QLatin1StringView(member.name), Qt::CaseInsensitive) == 0)
            return &member;
    }
    return nullptr;
}

const Member* members(int* count)
{
    *count = int(table().size());
    return table().data();
}

} // namespace knotel
