#ifndef KNOTELBENCH_SCREENTWIPS_H
#define KNOTELBENCH_SCREENTWIPS_H

#include "FormTable.h"

#include <QRect>
#include <QSize>

class QWidget;

namespace knotelbench {

/** The screen's twips per pixel, 1440 / logical DPI in each direction (15 at 96 DPI). */
struct ScreenTwips {
    double x = 15.0;
    double y = 15.0;

    /** The factors of the screen that @p widget is on, or of the primary screen. */
    static ScreenTwips of(const QWidget* widget);

    /** Twips to whole pixels, rounded to the nearest. */
    QRect toPixels(const TwipsRect& place) const;
    QSize toPixels(int width, int height) const;
};

} // namespace knotelbench

#endif
