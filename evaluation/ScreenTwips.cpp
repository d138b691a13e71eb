#include "ScreenTwips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace knotelbench {

namespace {

int pixels(int twips, double twipsPerPixel)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

} // namespace

ScreenTwips ScreenTwips::of(const QWidget* widget)
{
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    ScreenTwips factors;
    if (screen) {
        if (screen->logicalDotsPerInchX() > 0)
            factors.x = 1440.0 / screen->logicalDotsPerInchX();
        if (screen->logicalDotsPerInchY() > 0)
            factors.y = 1440.0 / screen->logicalDotsPerInchY();
    }
    return factors;
}

QRect ScreenTwips::toPixels(const TwipsRect& place) const
{
    return {pixels(place.left, x), pixels(place.top, y), pixels(place.width, x), pixels(place.height, y)};
}

QSize ScreenTwips::toPixels(int width, int height) const
{
    return {pixels(width, x), pixels(height, y)};
}

} // namespace knotelbench
