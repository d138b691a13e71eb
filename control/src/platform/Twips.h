#ifndef KNOTEL_PLATFORM_TWIPS_H
#define KNOTEL_PLATFORM_TWIPS_H

#include <knotel/knotel_export.h>

#include <QRect>

class QScreen;
class QWidget;

namespace knotel::platform {

/** The screen's twips (1/1440 inch) per pixel, horizontally and vertically: 15 at 96 DPI. */
struct KNOTEL_EXPORT TwipsPerPixel {
    double x = 15.0;
    double y = 15.0;

    /** The factors of the screen that @p widget is on (the primary screen when it has none yet). */
    static TwipsPerPixel of(const QWidget* widget);
    /** The factors of @p screen (the primary screen when it is null). */
    static TwipsPerPixel of(const QScreen* screen);

    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;
    double toTwipsX(double pixels) const { return pixels * x; }
    double toTwipsY(double pixels) const { return pixels * y; }
    /** A design rectangle in twips (left, top, width, height) in pixels. */
    QRect toPixels(int left, int top, int width, int height) const;
};

/** Places @p widget at a design rectangle given in twips. */
void placeInTwips(QWidget* widget, int left, int top, int width, int height);

} // namespace knotel::platform

#endif
