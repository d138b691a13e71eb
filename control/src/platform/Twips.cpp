#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace knotel::platform {

TwipsPerPixel TwipsPerPixel::of(const QScreen* screen)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    TwipsPerPixel t;
    if (screen) {
        const double dpiX = screen->logicalDotsPerInchX();
        const double dpiY = screen->logicalDotsPerInchY();
        if (dpiX > 0)
            t.x = 1440.0 / dpiX;
        if (dpiY > 0)
            t.y = 1440.0 / dpiY;
    }
    return t;
}

int TwipsPerPixel::toPixelsX(double twips) const
{
    return int(std::lround(twips / x));
}

int TwipsPerPixel::toPixelsY(double twips) const
{
    return int(std::lround(twips / y));
}

QRect TwipsPerPixel::toPixels(int left, int top, int width, int height) const
{
    return QRect(toPixelsX(left), toPixelsY(top), toPixelsX(width), toPixelsY(height));
}

} // namespace knotel::platform
