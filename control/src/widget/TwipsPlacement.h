#ifndef KNOTEL_WIDGET_TWIPSPLACEMENT_H
#define KNOTEL_WIDGET_TWIPSPLACEMENT_H

#include "platform/Twips.h"

#include <QWidget>

namespace knotel {

/** The twips per pixel of the screen that @p widget is on (the primary screen when it has none yet). */
inline platform::TwipsPerPixel twipsOf(const QWidget* widget)
{
    return platform::TwipsPerPixel::of(widget ? widget->screen() : nullptr);
}

/** Places @p widget at a design rectangle given in twips. */
inline void placeInTwips(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsOf(widget).toPixels(left, top, width, height));
}

} // namespace knotel

#endif
