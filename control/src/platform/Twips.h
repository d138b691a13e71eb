#ifndef KNOTEL_PLATFORM_TWIPS_H
#define KNOTEL_PLATFORM_TWIPS_H

#include <QRect>

class QScreen;

namespace knotel::platform {

/** The screen's twips (1/1440 inch) per pixel, horizontally and vertically: 15 at 96 DPI. */
struct TwipsPerPixel {
    double x = 15.0;
    double y = 15.0;

    /** The factors of @p screen (the primary screen when it is null). */
    static TwipsPerPixel of(const QScreen* screen);

    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;
    double toTwipsX(double pixels) const { return pixels * x; }
    double toTwipsY(double pixels) const { return pixels * y; }
    /** A design rectangle in twips (left, top, width, height) in pixels. */
    QRect toPixels(int left, int top, int width, int height) const;
};

} // namespace knotel::platform

#endif
