// The members of the control's dispatch interface, read from its meta-object: RePaint, then the
// first 38 properties in declaration order, whose fixed ids count down from ViewTracker's. The
// properties declared after them belong to the typed face alone.
#include "latebound/MemberTable.h"

#include <knotel/Curve.h>

#include <QMetaProperty>

#include <array>

namespace knotel {

namespace {

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
            const QMetaProperty property = meta.property(meta.propertyOffset() + i);
            t[std::size_t(1 + i)] = {LastPropertyId - i, property.name(), kindOf(property), i};
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
