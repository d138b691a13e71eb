#ifndef KNOTEL_PLATFORM_INPUTCODES_H
#define KNOTEL_PLATFORM_INPUTCODES_H

#include <Qt>

namespace knotel::platform {

/** Mouse buttons in the control's codes: 1 left, 2 right, 4 middle, added up for several. */
inline int buttonCode(Qt::MouseButtons buttons)
{
    return int(buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
}

/** Modifier keys in the control's codes: 1 Shift, 2 Ctrl, 4 Alt, added up for several. */
inline int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace knotel::platform

#endif
