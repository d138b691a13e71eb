#ifndef KNOTEL_REGISTRY_H
#define KNOTEL_REGISTRY_H

#include <knotel/Dispatch.h>
#include <knotel/knotel_export.h>

#include <QString>
#include <QUuid>

class QWidget;

namespace knotel {

/** The programmatic name under which the library registers its Curve control. */
inline constexpr const char* CurveProgId = "Knotel.Curve";

// Fixed identifiers of the type library, the control class and its two interfaces, the same in
// every build.
/** The identifier of the type library Knotel. */
inline constexpr QUuid TypeLibraryId{0x6b1f2d40, 0x3c8e, 0x4a57, 0x9d, 0x21, 0x5e,
                                     0x0b,       0x7c,   0x44,   0xa1, 0x90};
/** The identifier of the control class Curve. */
inline constexpr QUuid CurveClassId{0x6b1f2d41, 0x3c8e, 0x4a57, 0x9d, 0x21, 0x5e,
                                    0x0b,       0x7c,   0x44,   0xa1, 0x90};
/** The identifier of Curve's dispatch interface: its properties and RePaint. */
inline constexpr QUuid CurveInterfaceId{0x6b1f2d42, 0x3c8e, 0x4a57, 0x9d, 0x21, 0x5e,
                                        0x0b,       0x7c,   0x44,   0xa1, 0x90};
/** The identifier of Curve's event interface: DroppedValue. */
inline constexpr QUuid CurveEventsInterfaceId{0x6b1f2d43, 0x3c8e, 0x4a57, 0x9d, 0x21, 0x5e,
                                              0x0b,       0x7c,   0x44,   0xa1, 0x90};

/**
 * Creates the control registered under @p progId (case-insensitive), owned by @p parent.
 * Returns nullptr when nothing is registered under that name. The caller owns a control
 * created without a parent.
 * @code
 * knotel::Dispatch* c = knotel::createControl("Knotel.Curve", parentWidget);
 * c->put(c->idOfName("Dimensions"), 5);
 * c->invoke(c->idOfName("RePaint"));
 * @endcode
 */
KNOTEL_EXPORT Dispatch* createControl(const QString& progId, QWidget* parent = nullptr);

} // namespace knotel

#endif
