#ifndef KNOTEL_MEMBERTABLE_H
#define KNOTEL_MEMBERTABLE_H

#include <knotel/Dispatch.h>

namespace knotel {

enum class MemberKind { Method, Int32, Single, Text };

/** One member of the dispatch interface, as the control's meta-object declares it. */
struct Member {
    DispId id;
    const char* name;
    MemberKind kind;
    /** The property's index among the class's own (from its property offset); -1 for the method. */
    int property;
};

/** Dispatch ids of the interface. Properties run contiguously from FirstPropertyId down from LastPropertyId.
 */
inline constexpr DispId RePaintId = 0x6003009F;
inline constexpr DispId FirstPropertyId = 0x68030076; // ValueIndex
inline constexpr DispId LastPropertyId = 0x6803009B;  // ViewTracker
inline constexpr int PropertyCount = LastPropertyId - FirstPropertyId + 1;
/** Dispatch id of DroppedValue on the event interface. */
inline constexpr DispId DroppedValueId = 1;

/** The member with dispatch id @p id, in constant time; nullptr when there is none. */
const Member* memberById(DispId id);
/** The member called @p name, ignoring case; nullptr when there is none. */
const Member* memberByName(const QString& name);
/** All members in interface order: RePaint, then the 38 properties. */
const Member* members(int* count);

} // namespace knotel

#endif
